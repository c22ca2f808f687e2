// The reading screen's download panel: fades in over the lower part of the screen while the
// application delegate downloads a chapter, with the size, a progress bar and a cancel button.

#include "Classes/Reading/SurahViewController.h"

#include "Classes/Audio/DownloadCancelButton.h"
#include "Classes/Audio/DownloadProgressText.h"
#include "Classes/Core/Language.h"
#include "platform/graphics/UIColor.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kPanelHeight = 64;

// Builds the panel once, at the bottom of the screen's view, hidden.
void makeDownloadPanel(SurahViewController& s) {
    if (s.viewDownloadAudioProgress || !s.isViewLoaded()) return;
    UIView* root = s.view();
    const CGRect box = root->bounds();
    const double w = box.size.width;
    s.viewDownloadAudioProgress = std::make_shared<UIView>(CGRectMake(0, box.size.height - kPanelHeight, w, kPanelHeight));
    s.viewDownloadAudioProgress->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    s.viewDownloadAudioProgress->setBackgroundColor(UIColor::clearColor());
    s.viewDownloadAudioProgress->setHidden(true);
    s.viewDownloadAudioProgressContainer = std::make_shared<UIView>(CGRectMake(0, 0, w, kPanelHeight));
    s.viewDownloadAudioProgressContainer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.viewDownloadAudioProgressContainer->setBackgroundColor(UIColor::colorWithRed(0.1, 0.08, 0.05, 0.88));
    s.viewDownloadAudioProgressContainer->setAlpha(0);
    s.viewDownloadAudioProgress->addSubview(s.viewDownloadAudioProgressContainer);

    s.lblAudioDownloadDetails = std::make_shared<UILabel>(CGRectMake(12, 10, w - 100, 18));
    s.lblAudioDownloadDetails->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.lblAudioDownloadDetails->setBackgroundColor(UIColor::clearColor());
    s.lblAudioDownloadDetails->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
    s.lblAudioDownloadDetails->setTextColor(UIColor::whiteColor());
    s.viewDownloadAudioProgressContainer->addSubview(s.lblAudioDownloadDetails);

    s.downloadAudioProgressBar = std::make_shared<UIProgressView>(CGRectMake(12, 38, w - 100, 9));
    s.downloadAudioProgressBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.viewDownloadAudioProgressContainer->addSubview(s.downloadAudioProgressBar);

    s.btnAudioDownloadCancel = makeDownloadCancelButton(CGRectMake(w - 78, 17, 66, 30));
    s.btnAudioDownloadCancel->addTarget(&s, [&s](UIControl*, UIEvent*) { s.cancelAudioDownload(); },
                                        UIControlEventTouchUpInside);
    s.viewDownloadAudioProgressContainer->addSubview(s.btnAudioDownloadCancel);
    root->addSubview(s.viewDownloadAudioProgress);
}

}  // namespace

void SurahViewController::checkDownloadStatus() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (!app || !app->isDownloading()) {
        didEndDownloading();
        return;
    }
    stopIfPlaying();
    didBeginDownloading();
    didUpdateFileSize(app->fileSize());
    didUpdateDownloadProgress(app->lastDownloadProgress());
    if (app->settingUpSurah()) willPerformAudioSetup();
}

void SurahViewController::cancelAudioDownload() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->cancelDownload();
}

void SurahViewController::didBeginDownloading() {
    makeDownloadPanel(*this);
    if (!viewDownloadAudioProgress) return;
    downloadAudioProgressBar->setProgressViewStyle(UIProgressViewStyleDefault);
    downloadAudioProgressBar->setProgress(0);
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    didUpdateFileSize(app ? app->fileSize() : 0);
    btnAudioDownloadCancel->setEnabled(true);
    view()->bringSubviewToFront(viewDownloadAudioProgress.get());
    UIView::beginAnimations("PrepLand");
    UIView::setAnimationDuration(0.2);
    viewDownloadAudioProgress->setHidden(false);
    viewDownloadAudioProgressContainer->setAlpha(1.0);
    UIView::commitAnimations();
}

void SurahViewController::didUpdateFileSize(int bytes) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (lblAudioDownloadDetails) lblAudioDownloadDetails->setText(downloadProgressText(app ? app->downloadingSurah() : 0, bytes));
}

void SurahViewController::didUpdateDownloadProgress(float progress) {
    if (downloadAudioProgressBar) downloadAudioProgressBar->setProgress(progress);
}

void SurahViewController::willPerformAudioSetup() {
    if (!viewDownloadAudioProgress) return;
    downloadAudioProgressBar->setProgress(1.0);
    lblAudioDownloadDetails->setText(Language::get("Setting Up... Please Wait", "Setting Up... Please Wait"));
    btnAudioDownloadCancel->setEnabled(false);
}

void SurahViewController::downloadRequiresRefreshOfStatus() { updateReciterLabel(); }

void SurahViewController::didEndDownloading() {
    if (!viewDownloadAudioProgress) return;
    UIView::beginAnimations("PrepLand");
    UIView::setAnimationDuration(0.18);
    UIView::setAnimationDidStopSelector([panel = std::weak_ptr<UIView>(viewDownloadAudioProgress),
                                         container = std::weak_ptr<UIView>(viewDownloadAudioProgressContainer)](
                                            const std::string&, bool, void*) {
        // A download that began meanwhile shows the panel again.
        if (auto p = panel.lock(); p && container.lock() && container.lock()->alpha() == 0) p->setHidden(true);
    });
    viewDownloadAudioProgressContainer->setAlpha(0);
    UIView::commitAnimations();
}
