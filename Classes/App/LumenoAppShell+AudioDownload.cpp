// The chapter-audio download offer and the mirror choice. Fetching and installing the
// archive belongs to the audio subsystem, which replaces downloadSurahAudioAlert and
// downloadAllSurahAudio; until then they only report that downloads are not available.

#include "Classes/App/LumenoAppShell.h"

#include "Classes/App/TabBarViewController.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIApplication.h"

namespace {

std::string tr(const std::string& key) { return Language::get(key, key); }

}  // namespace

void LumenoAppShell::requestDownloadSurahAudioAlert(int surah) {
    if (!tabBarController_) return;
    std::shared_ptr<UIActionSheet> sheet;
    if (!isDownloading_) {
        const int reciter = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentReciterv22"));
        const std::string title = stringWithFormat("%@\n%@ %i. %@", ChapterInfo::getReciterFullNameFromNumber(reciter),
                                                   tr("Download"), surah, ChapterInfo::getNameFromNumber(surah));
        sheet = std::make_shared<UIActionSheet>(title, this, tr("Cancel"), tr("Download this Audio"),
                                                std::vector<std::string>{tr("Download all Audios")});
        sheet->setTag(1000 + surah);
    } else if (!settingUpSurah_ && downloadingSurah_ != surah) {
        nextDownloadSurah_ = surah;
        sheet = std::make_shared<UIActionSheet>(tr("Would you like to cancel the currently downloading surah?"), this,
                                                tr("No"), tr("Yes"), std::vector<std::string>{});
        sheet->setTag(191919);
    }
    if (sheet) sheet->showInView(tabBarController_->view());
}

void LumenoAppShell::requestDownloadServerSelection(int surah) {
    if (!tabBarController_) return;
    std::vector<std::string> mirrors;
    for (const char* m : {"Mirror 1 (US)", "Mirror 2 (US)", "Mirror 3 (US)", "Mirror 4 (UK)", "Mirror 5 (US)",
                          "Mirror 6 (EU)", "Random (Recommended)"})
        mirrors.push_back(tr(m));
    downloadServerActionSheet_ = std::make_shared<UIActionSheet>(
        tr("Select server to download audios from. If one fails, please try another."), this, tr("Cancel"), "", mirrors);
    downloadServerActionSheet_->setTag(surah);
    downloadServerActionSheet_->showInView(tabBarController_->view());
}

void LumenoAppShell::downloadAllSurahAudio() {
    NSLog("[downloadAllSurahAudio] Audio downloads are not available in this build.");
}

void LumenoAppShell::downloadSurahAudioAlert(int surah) {
    NSLog("[downloadSurahAudioAlert] Audio downloads are not available in this build (chapter %i, mirror %i).", surah,
          downloadServer_);
}

void LumenoAppShell::cancelDownload() {
    if (settingUpSurah_) return;
    if (downloadDelegate_) downloadDelegate_->didEndDownloading();
    isDownloading_ = false;
    downloadingAllSurahs_ = false;
    UIApplication::sharedApplication().setNetworkActivityIndicatorVisible(false);
    downloadActionSheet_.reset();
    endBackgroundTask(1);
    NSNotificationCenter::defaultCenter().postNotificationName("DidFinishDownloadingAudio");
}
