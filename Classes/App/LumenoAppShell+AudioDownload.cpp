// The chapter-audio download: the offer and the mirror choice, one transfer at a time from a
// mirror, the installation hand-over, the run over all chapters, cancel and failure notices.
// Everything here runs on the main thread; the installer's worker reports through
// setupSucceeded / setupFailed and finalizeDownload, performed here.

#include "Classes/App/LumenoAppShell.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include "Classes/App/TabBarViewController.h"
#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "toolkit/foundation/TTGlobal.h"

namespace {

constexpr int kTagCancelQuestion = 191919;
constexpr int kTagNotice = -115;
constexpr double kNoticeSeconds = 2.0;

std::string tr(const std::string& key) { return Language::get(key, key); }

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

int currentReciter() { return static_cast<int>(defaults().integerForKey("CurrentReciterv22")); }

void post(const std::string& name) { NSNotificationCenter::defaultCenter().postNotificationName(name); }

}  // namespace

void LumenoAppShell::requestDownloadSurahAudioAlert(int surah) { showDownloadOffer(surah, ""); }

void LumenoAppShell::offerDownloadOfUnplayableAudio(int surah, AudioFault fault) {
    const std::string text = fault == AudioFault::stopsMidway
                                 ? tr("The recitation of %@ stored on this device stops before its end.")
                                 : tr("The recitation of %@ stored on this device cannot be played.");
    showDownloadOffer(surah, stringWithFormat(text.c_str(), ChapterInfo::getNameFromNumber(surah)) + "\n");
}

void LumenoAppShell::showDownloadOffer(int surah, const std::string& reason) {
    if (!tabBarController_) return;
    std::shared_ptr<UIActionSheet> sheet;
    if (!isDownloading_ && !downloadingAllSurahs_) {
        const std::string title = reason + stringWithFormat("%@\n%@ %i. %@", ChapterInfo::getReciterFullNameFromNumber(currentReciter()),
                                                            tr("Download"), surah, ChapterInfo::getNameFromNumber(surah));
        sheet = std::make_shared<UIActionSheet>(title, this, tr("Cancel"), tr("Download this Audio"),
                                                std::vector<std::string>{tr("Download all Audios")});
        sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
        sheet->setTag(1000 + surah);
    } else if (!settingUpSurah_ && downloadingSurah_ != surah) {
        nextDownloadSurah_ = surah;
        sheet = std::make_shared<UIActionSheet>(tr("Would you like to cancel the currently downloading surah?"), this,
                                                tr("No"), tr("Yes"), std::vector<std::string>{});
        sheet->setTag(kTagCancelQuestion);
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
    downloadServerActionSheet_->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    downloadServerActionSheet_->setTag(surah);
    downloadServerActionSheet_->showInView(tabBarController_->view());
}

float LumenoAppShell::rnd() {
    if (randomSource_) return static_cast<float>(randomSource_());
    static std::mt19937 generator{std::random_device{}()};
    return static_cast<float>(std::uniform_int_distribution<int>(1, 6)(generator));
}

std::string LumenoAppShell::mirrorHost(int server) {
    if (server < 1 || server > 7) server = 1;
    return defaults().stringForKey(stringWithFormat("MirrorHost%i", server)).value_or("");
}

void LumenoAppShell::downloadAllSurahAudio() {
    const bool wasRunning = downloadingAllSurahs_;
    downloadingAllSurahs_ = false;
    if (!wasRunning) beginBackgroundTask(1);
    const int reciter = currentReciter();
    for (int surah = 114; surah >= 1; --surah) {
        if (ChapterInfo::isSurahAudioInstalled(dbConnectionAudioDownload(), surah, reciter)) continue;
        downloadingAllSurahs_ = true;
        downloadSurahAudioAlert(surah);
        break;
    }
    if (!downloadingAllSurahs_) {
        endBackgroundTask(1);
        // The run ended with its last chapter: give back what it held across its transfers.
        if (wasRunning) releaseTransferHolds();
    }
}

void LumenoAppShell::downloadSurahAudioAlert(int surah) {
    // A second transfer would orphan the running one: ask about that one instead.
    if (isDownloading_ || settingUpSurah_) {
        requestDownloadSurahAudioAlert(surah);
        return;
    }
    if (!downloadingAllSurahs_) beginBackgroundTask(1);
    fileSize_ = 0;
    lastDownloadProgress_ = 0;
    post("WillBeginDownloadingAudio");
    if (downloadDelegate_) downloadDelegate_->didBeginDownloading();
    isDownloading_ = true;
    downloadingSurah_ = surah;
    totalBytesDownloaded_ = 0;

    const int reciter = currentReciter();
    setDownloadingReciter(reciter);
    const ChapterAudioDownload chapter{surah, reciter};
    const int tableSize = ChapterInfo::getMP3RecitationSize(dbConnectionStatic(), surah, reciter);
    setDownloadingExpectedBytes(tableSize);
    if (!chapter.continuous()) fileSize_ = tableSize;
    // No installation runs now: what earlier ones left behind goes, with an old archive of this chapter.
    ChapterAudioDownload::removeLeftovers();
    std::error_code folderError;
    std::filesystem::create_directories(chapter.folderPath(), folderError);

    downloaderObj_.reset();
    currdownloadServer_ = downloadServer_;
    if (downloadServer_ == -1) {
        int draw = static_cast<int>(rnd());
        if (draw == lastdownloadServer_ && ++lastSameServerCounter_ >= 3) {
            lastSameServerCounter_ = 0;
            draw = static_cast<int>(rnd());
        }
        lastdownloadServer_ = draw;
        currdownloadServer_ = draw;
    }
    const std::string url = "http://" + mirrorHost(currdownloadServer_) + chapter.remotePath();
    takeTransferHolds();
    int fileError = 0;
    downloaderObj_ = Downloader::downloadURL(url, chapter.archivePath(), this, fileSize_, &fileError);
    if (!downloaderObj_) {
        // A folder that could not be made is why its file could not be.
        archiveCreateError_ = fileError && folderError ? folderError.value() : fileError;
        downloadFailed();
        return;
    }
    if (downloadDelegate_) {
        downloadDelegate_->didUpdateFileSize(fileSize_);
        downloadDelegate_->didUpdateDownloadProgress(0);
    }
}

void LumenoAppShell::takeTransferHolds() {
    if (!holdingSleep_) disableSleep();
    holdingSleep_ = true;
    if (!showingNetworkActivity_) TTNetworkActivityBegan();
    showingNetworkActivity_ = true;
}

void LumenoAppShell::releaseTransferHolds() {
    if (holdingSleep_) enableSleep();
    holdingSleep_ = false;
    if (showingNetworkActivity_) TTNetworkActivityEnded();
    showingNetworkActivity_ = false;
}

void LumenoAppShell::setCorrectTotal(int bytes) {
    fileSize_ = bytes;
    updateSurahDownloadLabel();
}

void LumenoAppShell::updateSurahDownloadLabel() {
    if (downloadDelegate_) downloadDelegate_->didUpdateFileSize(fileSize_);
}

void LumenoAppShell::setUpgradeProgress(int bytes) {
    totalBytesDownloaded_ += bytes;
    // An unknown size shows no progress rather than a division by zero.
    lastDownloadProgress_ = fileSize_ > 0 ? static_cast<float>(totalBytesDownloaded_) / static_cast<float>(fileSize_) : 0;
    if (!isDownloading_ || !downloadDelegate_) return;
    if (fileSize_ > 0 && totalBytesDownloaded_ / 1024 >= fileSize_ / 1024)
        downloadDelegate_->willPerformAudioSetup();
    else
        downloadDelegate_->didUpdateDownloadProgress(lastDownloadProgress_);
}

void LumenoAppShell::downloadFinished() {
    downloaderObj_.reset();
    totalBytesDownloaded_ = 0;
    if (downloadDelegate_) downloadDelegate_->willPerformAudioSetup();
    startSetupDownloadedSurahAudio(downloadingSurah_);
}

void LumenoAppShell::setupSucceeded() {
    if (downloadDelegate_) {
        downloadDelegate_->didSetupDownloadedAudio();
        downloadDelegate_->downloadRequiresRefreshOfStatus();
    }
    post("RequiresRefreshOfSoundStatus");
    isDownloading_ = false;
    if (downloadingAllSurahs_) {
        downloadAllSurahAudio();
        return;
    }
    showSurahView(downloadingSurah_, -1, true, true);
}

void LumenoAppShell::setupFailed() {
    if (downloadDelegate_) downloadDelegate_->didEndDownloading();
    downloadingAllSurahs_ = false;
    switch (setupOutcome()) {
    case InstallOutcome::damagedArchive:
        showDownloadNotice(tr("Setup Failed\nThe downloaded archive is damaged. Please download the chapter again."));
        break;
    case InstallOutcome::cacheFull:
        showDownloadNotice(tr("Setup Failed\nThe disk is full: there is no space left in the cache folder to unpack "
                              "the downloaded audio."));
        break;
    case InstallOutcome::documentsFull:
        showDownloadNotice(tr("Setup Failed\nThe disk is full: there is no space left in the Documents folder to "
                              "store the downloaded audio."));
        break;
    default:
        showDownloadNotice(tr("Setup Failed\nError setting up downloaded data. Please try:\n1) Downloading chapter "
                              "again\n2) Restart Lumeno and try downloading again"));
        break;
    }
}

void LumenoAppShell::finalizeDownload() {
    // A run over all chapters that goes on keeps its holds for the next transfer, already started.
    if (downloadingAllSurahs_) return;
    if (downloadDelegate_) downloadDelegate_->didEndDownloading();
    endBackgroundTask(1);
    releaseTransferHolds();
    post("DidFinishDownloadingAudio");
    isDownloading_ = false;
}

void LumenoAppShell::downloadFailed() {
    const bool diskFull = downloaderObj_ && downloaderObj_->diskFull();
    const int createError = std::exchange(archiveCreateError_, 0);
    if (downloadDelegate_) downloadDelegate_->didEndDownloading();
    endBackgroundTask(1);
    releaseTransferHolds();
    downloaderObj_.reset();
    isDownloading_ = false;
    downloadingAllSurahs_ = false;
    const std::string chapter = ChapterInfo::getNameFromNumber(downloadingSurah_);
    // The folder is named where the user has to act on it.
    const std::string folder =
        str::quoteForMessage(ChapterAudioDownload{downloadingSurah_, downloadingReciter()}.folderPath(), 400);
    std::string text;
    if (diskFull)
        text = stringWithFormat(tr("Downloading Audio for %@ Failed\nThe disk is full: there is no space left in the "
                                   "cache folder for the download.").c_str(),
                                chapter);
    else if (isNoSpaceError(createError))
        text = stringWithFormat(tr("Downloading Audio for %@ Failed\nNo new file can be made in the cache folder %@: "
                                   "its disk is full or has no free file entries left.").c_str(),
                                chapter, folder);
    else if (createError == EACCES || createError == EPERM || createError == EROFS)
        text = stringWithFormat(tr("Downloading Audio for %@ Failed\nThe cache folder %@ cannot be written to.").c_str(),
                                chapter, folder);
    else if (createError)
        text = stringWithFormat(tr("Downloading Audio for %@ Failed\nThe download file cannot be created in the cache "
                                   "folder %@ (%@).").c_str(),
                                chapter, folder, std::string(std::strerror(createError)));
    else
        text = stringWithFormat(tr("Downloading Audio for %@ Failed\nCould not connect to Download Server").c_str(), chapter);
    failedDownloadActionSheet_ = showDownloadNotice(text);
    if (dismissTimer_) RunLoop::main().cancelTimer(dismissTimer_);
    dismissTimer_ = RunLoop::main().addTimer(kNoticeSeconds, [this] { dismissDownloadSheet(); }, this, "dismissDownloadSheet");
    if (downloadDelegate_) downloadDelegate_->downloadRequiresRefreshOfStatus();
    post("RequiresRefreshOfSoundStatus");
}

std::shared_ptr<UIActionSheet> LumenoAppShell::showDownloadNotice(const std::string& text) {
    auto sheet = std::make_shared<UIActionSheet>(text, this, tr("OK"), "", std::vector<std::string>{});
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->setTag(kTagNotice);
    if (tabBarController_) sheet->showInView(tabBarController_->view());
    return sheet;
}

void LumenoAppShell::dismissDownloadSheet() {
    dismissTimer_ = 0;
    if (auto sheet = failedDownloadActionSheet_) sheet->dismissWithClickedButtonIndex(0, true);
    endFailedDownload();
}

void LumenoAppShell::endFailedDownload() {
    if (!failedDownloadActionSheet_) return;
    failedDownloadActionSheet_.reset();
    if (dismissTimer_) RunLoop::main().cancelTimer(dismissTimer_);
    dismissTimer_ = 0;
    if (downloadDelegate_) {
        downloadDelegate_->didEndDownloading();
        downloadDelegate_->downloadRequiresRefreshOfStatus();
    }
    post("RequiresRefreshOfSoundStatus");
    downloadingAllSurahs_ = false;
    endBackgroundTask(1);
    post("DidFinishDownloadingAudio");
}

void LumenoAppShell::cancelDownload() {
    if (settingUpSurah_) return;
    if (downloadDelegate_) downloadDelegate_->didEndDownloading();
    isDownloading_ = false;
    downloadingAllSurahs_ = false;
    if (downloaderObj_) {
        downloaderObj_->cancelDownload();
        downloaderObj_.reset();
        // Nothing can resume a partial archive: it goes at once.
        std::error_code error;
        std::filesystem::remove(ChapterAudioDownload{downloadingSurah_, downloadingReciter()}.archivePath(), error);
    }
    releaseTransferHolds();
    // The network indicator is off now unless other loads run.
    if (TTNetworkActivityCount() == 0) UIApplication::sharedApplication().setNetworkActivityIndicatorVisible(false);
    endBackgroundTask(1);
    post("DidFinishDownloadingAudio");
}
