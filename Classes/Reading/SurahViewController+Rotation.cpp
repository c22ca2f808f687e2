// Turning between portrait and landscape: the layouts, the open panel and the tab bar.

#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahOptionsHUD.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/ui/UIApplication.h"

#include <cmath>

namespace {

int statusBarOrientation() { return UIApplication::sharedApplication().statusBarOrientation(); }

double bottomOf(const UIView& v) { return v.frame().origin.y + v.frame().size.height; }

}  // namespace

// Landscape: the option strip goes up behind the header bar, out of sight, and the play button
// moves into the bar's right end beside the chapter buttons; the display takes the rest.
// Portrait: the strip sits under the bar with the play button and the display under the strip.
void SurahViewController::layoutHeader(bool landscape) {
    if (!viewTopOptionsBar || !viewSurahDispAndOrnaments || !viewSurahDisplay || !viewEverything) return;
    headerInLandscape_ = landscape;
    CGRect strip = viewSurahDispAndOrnaments->frame();
    strip.origin.y = landscape ? -8 : bottomOf(*viewTopOptionsBar);
    viewSurahDispAndOrnaments->setFrame(strip);
    viewSurahDispAndOrnaments->setAlpha(landscape ? 0 : 1);
    const double top = landscape ? bottomOf(*viewTopOptionsBar) : bottomOf(*viewSurahDispAndOrnaments);
    CGRect display = viewSurahDisplay->frame();
    display.origin.y = top;
    display.size.height = viewEverything->bounds().size.height - top;
    viewSurahDisplay->setFrame(display);
    if (btnPlay) {
        UIView& host = landscape ? *viewTopOptionsBar : *viewSurahDispAndOrnaments;
        const double W = host.bounds().size.width;
        if (btnPlay->superview() != &host) host.addSubview(btnPlay);
        btnPlay->setFrame(CGRect{{landscape ? W - 50 : std::floor((W - 44) / 2), 0}, {44, 44}});
        btnPlay->setAutoresizingMask(landscape ? UIViewAutoresizingFlexibleLeftMargin
                                               : UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    }
    if (viewTopLSButtons) {
        CGRect f = viewTopLSButtons->frame();
        f.origin.x = viewTopOptionsBar->bounds().size.width - 54 - f.size.width;
        viewTopLSButtons->setFrame(f);
        viewTopLSButtons->setUserInteractionEnabled(landscape);
    }
    for (UIButton* b : {btnLSNextSurah.get(), btnLSPrevSurah.get()})
        if (b) b->setAlpha(landscape ? 1 : 0);
}

UIButton* SurahViewController::pickerAnchor(UIButton* portraitButton) const {
    return IsInLandscape_ && btnSurahNameOptionsBar ? btnSurahNameOptionsBar.get() : portraitButton;
}

namespace {

enum LandscapeOption { kOptionReciter, kOptionTranslation, kOptionSurahInfo };

}  // namespace

void SurahViewController::surahNameOptionsPressed() {
    if (!IsInLandscape_) {
        surahNameButtonPressed();
        return;
    }
    const std::string reciter = btnReciter ? btnReciter->titleForState(UIControlStateNormal) : "";
    const std::string translation = btnTranslation ? btnTranslation->titleForState(UIControlStateNormal) : "";
    landscapeOptionsSheet_ = std::make_shared<UIActionSheet>(
        "", this, Language::get("Cancel", "Cancel"), "",
        std::vector<std::string>{Language::get("Reciter", "Reciter") + ": " + reciter,
                                 Language::get("Translation", "Translation") + ": " + translation,
                                 Language::get(isShowingSurahInfo_ ? "Hide sura info" : "Sura info",
                                               isShowingSurahInfo_ ? "Hide sura info" : "Sura info")});
    landscapeOptionsSheet_->showInView(view());
}

void SurahViewController::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
    if (sheet != landscapeOptionsSheet_.get()) return;
    switch (buttonIndex) {
        case kOptionReciter: btnReciterPressed(); break;
        case kOptionTranslation: btnTranslatorPressed(); break;
        case kOptionSurahInfo: surahNameButtonPressed(); break;
        default: break;
    }
}

// The flag may already follow the orientation (a chapter set up before the view loaded):
// the header's own layout tells whether the turn is still to be made.
void SurahViewController::followStatusBarOrientation() {
    const bool landscape = statusBarIsLandscape();
    if (!landscape && (IsInLandscape_ || headerInLandscape_)) {
        prepareForPortraitWithAnimation(false, true);
        setupForPortrait();
        IsInLandscape_ = false;
    } else if (landscape && (!IsInLandscape_ || !headerInLandscape_)) {
        if (prepareForLandscapeWithAnimation(false, true)) IsInLandscape_ = true;
        setupForLandscape();
    }
}

bool SurahViewController::prepareForLandscapeWithAnimation(bool animated, bool settingupInitialView) {
    if (!tblVerses || viewUnloaded_) return false;
    isRotating_ = true;
    IsInLandscape_ = true;
    tajweedBarDisplayToggled(true);
    if (!settingUpSurah_ && !isSwitchingSurah_)
        tblVerses->reloadRowsAtIndexPaths(tblVerses->indexPathsForVisibleRows(), UITableViewRowAnimationFade);
    if (animated) {
        UIView::beginAnimations("PrepLand");
        UIView::setAnimationDuration(0.1);
    }
    layoutHeader(true);
    if (IsInPlayMode_) {
        hideBottomAudioBar(animated, false);
        showLSAudioBar(animated, false);
    }
    if (showingDialControl_ && optionsHUD_) {
        optionsHUD_->prepareAyahHUDForLandscape();
        bringSelectedVerseToTop(optionsHUD_->mouseLocation(), false, true);
    }
    if (!settingupInitialView && viewIsVisible_ && !UIInterfaceOrientationIsLandscape(statusBarOrientation()))
        tblVerses->setAlpha(0);  // faded back in when the turn ends
    if (animated) UIView::commitAnimations();
    if (settingupInitialView) return true;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->isTabBarPhysicallyVisible(statusBarOrientation()))
        app->showHideTabBar(statusBarOrientation(), animated ? 0.3 : 0, false);
    return true;
}

bool SurahViewController::prepareForPortraitWithAnimation(bool animated, bool settingupInitialView) {
    if (!tblVerses || viewUnloaded_) return false;
    isRotating_ = true;
    IsInLandscape_ = false;
    tajweedBarDisplayToggled(true);
    if (!settingUpSurah_ && !isSwitchingSurah_)
        tblVerses->reloadRowsAtIndexPaths(tblVerses->indexPathsForVisibleRows(), UITableViewRowAnimationFade);
    if (animated) {
        UIView::beginAnimations("PrepPort");
        UIView::setAnimationDuration(0.1);
    }
    layoutHeader(false);
    if (IsInPlayMode_) {
        hideLSAudioBar(animated, false);
        showBottomAudioBar(animated, false);
    }
    if (!settingupInitialView && viewIsVisible_) tblVerses->setAlpha(0);
    if (showingDialControl_ && optionsHUD_) {
        optionsHUD_->prepareAyahHUDForPortrait();
        bringSelectedVerseToTop(optionsHUD_->mouseLocation(), false, false);
    }
    if (animated) UIView::commitAnimations();
    if (settingupInitialView) return true;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    // The tab bar stays out while playing, while a play-options sheet is open (it comes back when
    // the sheet closes) or while the panel takes its place.
    if (!app || app->isTabBarPhysicallyVisible(statusBarOrientation()) || IsInPlayMode_ || isShowingPlayOptions_ ||
        showingDialControl_)
        return true;
    app->showHideTabBar(statusBarOrientation(), animated ? 0.3 : 0, false);
    return true;
}

namespace {

void fadeTableIn(UITableView* table, const char* animationID) {
    if (!table || table->alpha() >= 1) return;
    UIView::beginAnimations(animationID);
    UIView::setAnimationDuration(0.18);
    table->setAlpha(1);
    UIView::commitAnimations();
}

}  // namespace

void SurahViewController::setupForLandscape() {
    if (!tblVerses) return;
    isRotating_ = false;
    fadeTableIn(tblVerses.get(), "PrepLand");
}

void SurahViewController::setupForPortrait() {
    if (!tblVerses) return;
    isRotating_ = false;
    fadeTableIn(tblVerses.get(), "PrepPortrait");
}
