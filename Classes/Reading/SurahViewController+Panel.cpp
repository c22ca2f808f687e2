// The reading screen's side of the verse options panel and the rotation gate.

#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahOptionsHUD.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/ui/UIApplication.h"

SurahOptionsHUD& SurahViewController::optionsHUD() {
    if (!optionsHUD_) {
        optionsHUD_ = std::make_shared<SurahOptionsHUD>(*this);
        if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->addToTabbar(optionsHUD_->viewAyahDial);
    }
    return *optionsHUD_;
}

void SurahViewController::cleanupStateClosingView() {
    stopIfPlaying();
    if (optionsHUD_) optionsHUD_->hideDialControl();
    showingDialControl_ = false;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    const int orientation = UIApplication::sharedApplication().statusBarOrientation();
    if (app && !app->isTabBarPhysicallyVisible(orientation)) app->showHideTabBar(orientation, 0, false);
}

bool SurahViewController::canTurnLandscape(int) const {
    // A chapter being set up stands for the layout optimisation that also refuses a turn.
    if (isSwitchingSurah_ || settingUpSurah_ || animatingSplash_) return false;
    return !(showingDialControl_ && viewIsVisible_);
}

void SurahViewController::hideDialControl() {
    if (optionsHUD_) optionsHUD_->hideDialControl();
    showingDialControl_ = false;
}

void SurahViewController::showNotesViewForVerse(int verse) {
    hideDialControl();
    presentModalViewController(std::make_shared<AddBookmarkNote>("AddNoteView", iCurrentSurah_, verse), true);
}
