// The download strip above the list, driven by the application delegate's download flow.
#include "Classes/Index/IndexViewController.h"

#include "Classes/Audio/DownloadProgressText.h"
#include "Classes/Core/Language.h"
#include "Classes/Index/IndexTableViewCell.h"

namespace {
constexpr double kStripHeight = 36;
constexpr double kSlideSeconds = 0.3;
}  // namespace

void IndexViewController::cancelDownload() {
    if (auto* a = app()) a->cancelDownload();
}

void IndexViewController::checkDownloadStatus() {
    auto* a = app();
    if (!a) return;
    if (!a->isDownloading()) {
        if (showingDownloadStrip_) didEndDownloading();  // the download ended while another screen listened
        return;
    }
    didBeginDownloading();
    didUpdateFileSize(a->fileSize());
    didUpdateDownloadProgress(a->lastDownloadProgress());
    if (a->settingUpSurah()) willPerformAudioSetup();
}

void IndexViewController::layoutDownloadStrip(bool shown) {
    showingDownloadStrip_ = shown;
    if (!viewCenterContainer || !surahListTable) return;
    const CGRect box = viewCenterContainer->bounds();
    const double top = shown ? kStripHeight : 0;
    UIView::beginAnimations(shown ? "ShowIndexDownload" : "HideIndexDownload");
    UIView::setAnimationDuration(kSlideSeconds);
    if (viewIndexDownloadContainer)
        viewIndexDownloadContainer->setFrame(
            CGRectMake(0, shown ? 0 : -kStripHeight, box.size.width, kStripHeight));
    const CGRect list = surahListTable->frame();
    surahListTable->setFrame(CGRectMake(list.origin.x, top, list.size.width, box.size.height - top));
    UIView::commitAnimations();
    UIEdgeInsets inset = surahListTable->contentInset();
    inset.top = shown ? 8 : 0;
    surahListTable->setContentInset(inset);
}

void IndexViewController::setDownloadText(int bytes) {
    auto* a = app();
    if (lblIndexDownload) lblIndexDownload->setText(downloadProgressText(a ? a->downloadingSurah() : 0, bytes));
}

void IndexViewController::didBeginDownloading() {
    if (viewIndexDownloadContainer) viewIndexDownloadContainer->setHidden(false);
    layoutDownloadStrip(true);
    if (progressIndexDownload) progressIndexDownload->setProgress(0);
    setDownloadText(app() ? app()->fileSize() : 0);
    if (btnIndexDownload) btnIndexDownload->setEnabled(true);
}

void IndexViewController::didUpdateFileSize(int bytes) { setDownloadText(bytes); }

void IndexViewController::didUpdateDownloadProgress(float progress) {
    if (progressIndexDownload) progressIndexDownload->setProgress(progress);
}

void IndexViewController::willPerformAudioSetup() {
    if (progressIndexDownload) progressIndexDownload->setProgress(1);
    if (lblIndexDownload) lblIndexDownload->setText(Language::get("Setting Up... Please Wait", "Setting Up... Please Wait"));
    if (btnIndexDownload) btnIndexDownload->setEnabled(false);
}

void IndexViewController::didSetupDownloadedAudio() { refreshInstalledAudioCache(); }

void IndexViewController::downloadRequiresRefreshOfStatus() { updateVisibleSoundStatus(); }

void IndexViewController::didEndDownloading() { layoutDownloadStrip(false); }
