// View life cycle, the notifications observed, rotation and the header.

#include "Classes/Audio/PickReciterController.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "Classes/Reading/PickTranslationController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIApplication.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

bool isLandscape(UIInterfaceOrientation o) {
    return o == UIInterfaceOrientationLandscapeLeft || o == UIInterfaceOrientationLandscapeRight;
}

// The small arrow beside a header button's title, added once.
void placeArrow(UIButton& button, std::shared_ptr<UIImageView>& arrow, double x, unsigned mask) {
    if (!arrow) {
        arrow = std::make_shared<UIImageView>(UIImage::imageNamed("sura-navbar-arrow.png"));
        arrow->setAlpha(0.6);
        arrow->setAutoresizingMask(mask);
        button.addSubview(arrow);
    }
    const double y = std::floor((button.frame().size.height - 9) / 2) + 1;
    arrow->setFrame(CGRect{{x, y}, {10, 9}});
}

}  // namespace

void SurahViewController::observeNotifications() {
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, "ArabicFontChanged", [this] { arabicFontChanged(); });
    center.addObserver(this, "BookmarkDidChange", [this] { bookmarkDidChange(); });
    idleTimer_ = NSTimer::scheduledTimer(30, true, [this](NSTimer&) { checkIdleTimeout(); });
    center.addObserver(this, "TajweedBarDisplayToggled", [this] { tajweedBarDisplayToggled(false); });
    center.addObserver(this, "WillBeginDownloadingAudio", [this] { willBeginDownloadingAudio(); });
    center.addObserver(this, "DidFinishDownloadingAudio", [this] { didFinishDownloadingAudio(); });
    center.addObserver(this, "TranslationDidChange", [this] { translationDidChange(); });
    center.addObserver(this, "SurahDidChangeFromIndex", [this] { translationDidChange(); });
    center.addObserver(this, "ReciterDidChange", [this] { reciterDidChange(); });
    center.addObserver(this, "TafsirDidChange", [this] { tafsirDidChange(); });
    center.addObserver(this, "PlayVerseRangeDidChange", [this] { playVerseDidChange(); });
    center.addObserver(this, "SurahRepeatDidChange", [this] { surahRepeatDidChange(); });
    center.addObserver(this, "AyahRepeatDidChange", [this] { ayahRepeatDidChange(); });
    center.addObserver(this, UIApplicationWillChangeStatusBarFrameNotification, [] {});
}

void SurahViewController::viewDidLoad() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    viewUnloaded_ = false;
    if (tblSurahInfo) tblSurahInfo->setScrollsToTop(false);
    observeNotifications();
    setupFastScroll();
    for (auto* b : {btnTopLeftOrnTop.get(), btnTopRightOrnTop.get()})
        if (b) b->setExclusiveTouch(true);
    updateReciterLabel();
    if (tblVerses) {
        tblVerses->setDataSource(this);
        tblVerses->setDelegate(this);
        tblVerses->flashScrollIndicators();
        tblVerses->setScrollsToTop(true);
    }
    if (tblSurahInfo) {
        tblSurahInfo->setDataSource(this);
        tblSurahInfo->setDelegate(this);
    }
    resetHeader();
    updateTranslationLabel();
    refreshTheme();
    followStatusBarOrientation();
    currTblOffset_ = CGPoint{0, static_cast<double>(defaults().integerForKey("LastSurahYOffset"))};
    usePrevOffset_ = true;
}

void SurahViewController::viewWillAppear(bool) {
    readingScreenLock();
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->setDownloadDelegate(this);
    checkDownloadStatus();
    tajweedBarDisplayToggled(false);
    if (RequiresReload_) hideVersesBeforeLoading(true, false);
    const bool setting = settingUpSurah_;
    settingUpSurah_ = true;
    followStatusBarOrientation();
    settingUpSurah_ = setting;
    if (btnBackToIndex) {
        const std::string title = defaults().boolForKey("IsShowingSections") ? Language::get("Sections", "Sections")
                                                                              : Language::get("Suras", "Suras");
        btnBackToIndex->setTitle(title, UIControlStateNormal);
        btnBackToIndex->setTitle(title, UIControlStateHighlighted);
    }
}

void SurahViewController::viewDidAppear(bool) {
    viewIsVisible_ = true;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && isLandscape(UIApplication::sharedApplication().statusBarOrientation()) &&
        app->isTabBarPhysicallyVisible(UIApplication::sharedApplication().statusBarOrientation()))
        app->showHideTabBar(UIApplication::sharedApplication().statusBarOrientation(), 0.3, true);
    dateLastActivity_ = NSDate::date();
    listenForMediaKeys(true);
    if (LumenoSDKAppDelegate::isSleepEnabled()) LumenoSDKAppDelegate::disableSleep();
    updateTranslationLabel();
    if (RequiresReload_) {
        RequiresReload_ = false;
        if (tblVerses) tblVerses->setOpaque(false);
        RunLoop::main().performAfterDelay(this, 0.05, [this] { asyncSurahReload(); }, "asyncSurahReload");
    } else if (globalShouldStartPlaying_ && !IsInPlayMode_) {
        playStopOrDownload();
        globalShouldStartPlaying_ = false;
    }
    if (app && !app->SplashHasDisplayed()) {
        app->setSplashHasDisplayed(true);
        showSplashFade();
    }
}

// The launch picture, laid over the screen once per run and faded away.
void SurahViewController::showSplashFade() {
    if (!view()) return;
    if (!imgSplash) imgSplash = std::make_shared<UIImageView>(CGRectZero);
    imgSplash->setImage(UIImage::imageNamed("splash.png"));
    imgSplash->setContentMode(UIViewContentModeScaleAspectFill);
    imgSplash->setClipsToBounds(true);
    const CGSize size = view()->bounds().size;
    imgSplash->setFrame(CGRect{{0, -20}, {size.width, size.height + 20}});
    imgSplash->setAlpha(1);
    view()->addSubview(imgSplash);
    animatingSplash_ = true;
    UIView::beginAnimations("HideSplash");
    UIView::setAnimationDuration(0.35);
    std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    UIView::setAnimationDidStopSelector([weakSelf](const std::string&, bool, void*) {
        if (auto self = weakSelf.lock()) static_cast<SurahViewController&>(*self).splashDidStop();
    });
    imgSplash->setAlpha(0);
    UIView::commitAnimations();
}

void SurahViewController::splashDidStop() {
    animatingSplash_ = false;
    if (imgSplash) imgSplash->removeFromSuperview();
    imgSplash.reset();
}

void SurahViewController::viewWillDisappear(bool) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->downloadDelegate() == this) app->setDownloadDelegate(nullptr);
    if (isShowingSurahInfo_) surahNameButtonPressed();
    if (showingDialControl_) hideDialControl();
    stopIfPlaying();
    listenForMediaKeys(false);
    usePrevOffset_ = true;
    saveCurrentSurahAndVerse();
    viewIsVisible_ = false;
    if (tblVerses) tblVerses->setOpaque(true);
    if (!LumenoSDKAppDelegate::isSleepEnabled()) LumenoSDKAppDelegate::enableSleep();
}

void SurahViewController::viewDidUnload() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (idleTimer_) idleTimer_->invalidate();
    idleTimer_.reset();
    dateLastActivity_.reset();
    IsInLandscape_ = false;
    viewIsVisible_ = false;
    mouseLocation_.reset();
    imgDownArrowReciter_.reset();
    imgDownArrowTranslation_.reset();
    viewUnloaded_ = true;
}

// ---- Rotation ----

bool SurahViewController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation) {
    if (orientation == UIInterfaceOrientationPortraitUpsideDown || !canTurnLandscape(orientation)) return false;
    isRotating_ = true;
    RunLoop::main().performAfterDelay(this, 0.4, [this] { resetisRotating(); }, "resetisRotating");
    topIndexPathBeforeRotation_.reset();
    if (tblVerses) {
        const CGPoint top = tblVerses->contentOffset();
        topIndexPathBeforeRotation_ = tblVerses->indexPathForRowAtPoint(CGPoint{1, top.y + 1});
    }
    return true;
}

void SurahViewController::willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation orientation, double) {
    if (isLandscape(orientation)) prepareForLandscapeWithAnimation(false, false);
    else prepareForPortraitWithAnimation(false, false);
    IsInLandscape_ = isLandscape(orientation);
    if (!showingDialControl_) bringSelectedVerseToTop(topIndexPathBeforeRotation_, false, IsInLandscape_);
}

void SurahViewController::didRotateFromInterfaceOrientation(UIInterfaceOrientation) {
    IsInLandscape_ = statusBarIsLandscape();
    if (IsInLandscape_) setupForLandscape();
    else setupForPortrait();
}

void SurahViewController::bringSelectedVerseToTop(const std::optional<NSIndexPath>& indexPath, bool animated, bool) {
    if (!tblVerses) return;
    // The new width gives new heights: lay the table out again before placing the row.
    invalidateRowHeights();
    tblVerses->layoutIfNeeded();
    tblVerses->reloadData();
    if (!indexPath || indexPath->row >= numberOfVerseRows()) return;
    const double maxOffset = tblVerses->maximumContentOffset().y;
    const double y = std::min(static_cast<double>(getTopOffsetForRow(indexPath->row)), maxOffset);
    tblVerses->setContentOffset(CGPoint{0, y}, animated);
}

// ---- Header ----

void SurahViewController::btnIndexPressed() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->hideSurahView();
}

void SurahViewController::btnReciterPressed() {
    if (isShowingSurahInfo_) surahNameButtonPressed();
    stopIfPlaying();
    auto picker = std::make_shared<PickReciterController>();
    picker->setSurah(iCurrentSurah_);
    UIButton* anchor = pickerAnchor(btnReciter.get());
    if (LumenoSDKAppDelegate::IsDeviceIPad() && anchor && anchor->window()) {
        createPopoverViewWithController(picker).presentPopoverFromRect(anchor->bounds(), anchor,
                                                                       UIPopoverArrowDirectionAny, true);
        return;
    }
    presentModalViewController(picker, true);
}

void SurahViewController::btnTranslatorPressed() {
    if (isShowingSurahInfo_) surahNameButtonPressed();
    stopIfPlaying();
    saveCurrentSurahAndVerse();
    didRecentlyChangeTrans_ = true;
    auto picker = std::make_shared<PickTranslationController>("SurahOptions");
    UIButton* anchor = pickerAnchor(btnTranslation.get());
    if (LumenoSDKAppDelegate::IsDeviceIPad() && anchor && anchor->window()) {
        createPopoverViewWithController(picker).presentPopoverFromRect(anchor->bounds(), anchor,
                                                                       UIPopoverArrowDirectionAny, true);
        return;
    }
    presentModalViewController(picker, true);
}

void SurahViewController::surahNameButtonPressed() {
    if (!viewSurahInfoHUD || !viewSurahDisplay) return;
    if (viewSurahInfoHUD->superview() != viewSurahDisplay.get()) viewSurahDisplay->addSubview(viewSurahInfoHUD);
    isShowingSurahInfo_ = !isShowingSurahInfo_;
    viewSurahInfoHUD->setFrame(viewSurahDisplay->bounds());
    if (tblSurahInfo) tblSurahInfo->reloadData();
    UIView::beginAnimations("ShowHideSurahInfo");
    UIView::setAnimationDuration(0.25);
    viewSurahInfoHUD->setAlpha(viewSurahInfoHUD->alpha() == 0 ? 1 : 0);
    UIView::commitAnimations();
}

void SurahViewController::updateSurahNameButton() {
    if (isShowingSurahInfo_ && tblSurahInfo) tblSurahInfo->reloadData();
    resetHeader();
}

void SurahViewController::updateTranslationLabel() {
    if (!isViewLoaded() || viewUnloaded_ || !btnTranslation) return;
    const std::string title =
        ChapterInfo::getTranslationNameForNumber(static_cast<int>(defaults().integerForKey("CurrentTranslationv22")));
    btnTranslation->setTitle(title, UIControlStateNormal);
    btnTranslation->setTitle(title, UIControlStateHighlighted);
    const double width = btnTranslation->font() ? sizeWithFont(title, *btnTranslation->font()).width : 0;
    placeArrow(*btnTranslation, imgDownArrowTranslation_, width + 5, UIViewAutoresizingNone);
}

void SurahViewController::updateReciterLabel() {
    if (!isViewLoaded() || viewUnloaded_ || !btnReciter) return;
    sqlite3* db = userDb();
    currentReciter_ = ChapterInfo::getResolvedReciterCode(
        db, static_cast<int>(defaults().integerForKey("CurrentReciterv22")), iCurrentSurah_);
    const std::string title = ChapterInfo::getReciterShortNameFromNumber(currentReciter_);
    btnReciter->setTitle(title, UIControlStateNormal);
    btnReciter->setTitle(title, UIControlStateHighlighted);
    // Kept at the right end as the button widens in landscape.
    placeArrow(*btnReciter, imgDownArrowReciter_, btnReciter->frame().size.width - 10,
               UIViewAutoresizingFlexibleLeftMargin);
    if (!btnPlay) return;

    bool otherAudio = false;
    for (int i = 0; i < ChapterInfo::getTotalRecitersCount() && !otherAudio; ++i) {
        const int code = ChapterInfo::getResolvedReciterCode(db, i, iCurrentSurah_);
        if (code == currentReciter_) continue;
        otherAudio = (ChapterInfo::doesReciterSupportContRecitation(code) &&
                      ChapterInfo::isSurahAudioContinuous(db, iCurrentSurah_, i)) ||
                     ChapterInfo::isSurahAudioInstalled(db, iCurrentSurah_, i);
    }
    const bool ready = (ChapterInfo::doesReciterSupportContRecitation(currentReciter_) &&
                        ChapterInfo::isSurahAudioContinuous(db, iCurrentSurah_, currentReciter_)) ||
                       ChapterInfo::isSurahAudioInstalled(db, iCurrentSurah_, currentReciter_);
    const char* normal;
    const char* highlighted;
    if (!ready) {
        normal = otherAudio ? "sound-multi.png" : "sound-dead.png";
        highlighted = otherAudio ? "sound-multi-t.png" : "sound-ready.png";
        btnPlay->setAlpha(1);
    } else {
        normal = otherAudio ? "sound-ready-plus.png" : "sound-ready.png";
        highlighted = otherAudio ? "sound-ready-plus-t.png" : "sound-t.png";
        btnPlay->setAlpha(0.8);
    }
    btnPlay->setImage(UIImage::imageNamed(normal), UIControlStateNormal);
    btnPlay->setImage(UIImage::imageNamed(highlighted), UIControlStateHighlighted);
}

void SurahViewController::refreshTheme() {
    if (!isViewLoaded()) return;
    if (imgBG) imgBG->setImage(UIImage::imageNamed("sura-bg.png"));
    if (imgHeaderCover) {
        UIImagePtr cover = UIImage::imageNamed("sura-header-cover.png");
        imgHeaderCover->setImage(cover ? cover->stretchableImageWithLeftCapWidth(159, 0) : nullptr);
    }
    if (btnBackToIndex) {
        UIImagePtr back = UIImage::imageNamed("sura-button.png");
        UIImagePtr backTouched = UIImage::imageNamed("sura-button-t.png");
        btnBackToIndex->setBackgroundImage(back ? back->stretchableImageWithLeftCapWidth(16, 0) : nullptr,
                                           UIControlStateNormal);
        btnBackToIndex->setBackgroundImage(backTouched ? backTouched->stretchableImageWithLeftCapWidth(16, 0) : nullptr,
                                           UIControlStateHighlighted);
    }
    if (btnTopOptionBar) {
        UIImagePtr bar = UIImage::imageNamed("sura-navbar.png");
        UIImagePtr stretched = bar ? bar->stretchableImageWithLeftCapWidth(159, 0) : nullptr;
        btnTopOptionBar->setBackgroundImage(stretched, UIControlStateNormal);
        btnTopOptionBar->setBackgroundImage(stretched, UIControlStateHighlighted);
    }
    if (tblSurahInfo) tblSurahInfo->setSeparatorStyle(UITableViewCellSeparatorStyleNone);
    if (lblSurahInfoNotice) lblSurahInfoNotice->setText(Language::get("Tap sura name again to close", "Tap sura name again to close"));
}

void SurahViewController::willBeginDownloadingAudio() {
    if (btnPlay) btnPlay->setEnabled(false);
    if (btnReciter) btnReciter->setEnabled(false);
}

void SurahViewController::didFinishDownloadingAudio() {
    if (btnPlay) btnPlay->setEnabled(true);
    if (btnReciter) btnReciter->setEnabled(true);
}
