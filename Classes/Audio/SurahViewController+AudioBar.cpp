// The audio bar (bottom in portrait, beside the play button in landscape), the repeat bubbles
// in the option bar, the seek overlay and the play-option sheets.

#include "Classes/Audio/AyaRepeatController.h"
#include "Classes/Audio/PlayNextAyasController.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/Language.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIApplication.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBarHeight = 49;
constexpr double kOptionBarHeight = 44;
constexpr double kLandscapeBarWidth = 132;
constexpr double kSlide = 0.3;

std::shared_ptr<UIButton> transportButton(const std::string& symbol) {
    auto button = std::make_shared<UIButton>(CGRect{{0, 0}, {44, 44}});
    button->setImage(UIImage::imageNamed("audio-" + symbol + ".png"), UIControlStateNormal);
    button->setImage(UIImage::imageNamed("audio-" + symbol + "-t.png"), UIControlStateHighlighted);
    return button;
}

std::shared_ptr<UIButton> bubble(CGRect frame) {
    auto button = std::make_shared<UIButton>(frame);
    button->setBackgroundImage(screen_support::stretched("repeat-bubble.png", 16, 0), UIControlStateNormal);
    button->setBackgroundImage(screen_support::stretched("repeat-bubble-t.png", 16, 0), UIControlStateHighlighted);
    button->setFont(UIFont::fontWithName("Helvetica-Bold", 11));
    button->setTitleColor(UIColor::colorWithRed(92 / 255.0, 62 / 255.0, 20 / 255.0, 1), UIControlStateNormal);
    button->setTitleColor(UIColor::colorWithRed(251 / 255.0, 236 / 255.0, 196 / 255.0, 1), UIControlStateHighlighted);
    return button;
}

}  // namespace

void SurahViewController::loadRepeatCounters() {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    surahRepeatBubbleCounter_ = static_cast<int>(defaults.integerForKey("SurahRepeatCounter"));
    ayahRepeatBubbleCounter_ = static_cast<int>(defaults.integerForKey("AyahRepeatCounter"));
    playVerseRangeCounter_ = static_cast<int>(defaults.integerForKey("PlayVerseRange"));
    setCorrectSurahRepeatButton();
}

UIInterfaceOrientation SurahViewController::interfaceOrientationNow() const {
    return UIApplication::sharedApplication().statusBarOrientation();
}

void SurahViewController::loadAudioBarViews() {
    if (viewBottomAudioBar || !isViewLoaded()) return;
    const double W = view()->bounds().size.width;
    const unsigned centred = UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin;
    auto wire = [this](UIButton& rr, UIButton& pause, UIButton& ff) {
        for (UIButton* skip : {&rr, &ff}) {
            skip->addTarget(this, [this](UIControl* c, UIEvent*) { btnAudioFingerDown(static_cast<UIButton*>(c)); },
                            UIControlEventTouchDown);
            skip->addTarget(this, [this](UIControl*, UIEvent*) { btnAudioFingerUp(); },
                            UIControlEventTouchUpInside | UIControlEventTouchUpOutside | UIControlEventTouchCancel);
        }
        rr.addTarget(this, [this](UIControl*, UIEvent*) { btnAudioRRPressed(); }, UIControlEventTouchUpInside);
        ff.addTarget(this, [this](UIControl*, UIEvent*) { btnAudioFFPressed(); }, UIControlEventTouchUpInside);
        pause.addTarget(this, [this](UIControl*, UIEvent*) { btnAudioPausePressed(); }, UIControlEventTouchUpInside);
        pause.setImage(UIImage::imageNamed("audio-play.png"), UIControlStateSelected);
        pause.setImage(UIImage::imageNamed("audio-play-t.png"), UIControlStateSelected | UIControlStateHighlighted);
    };

    viewBottomAudioBar = std::make_shared<UIView>(CGRect{{0, 0}, {W, kBarHeight}});
    viewBottomAudioBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    imgBottomAudioBG = std::make_shared<UIImageView>(viewBottomAudioBar->bounds());
    imgBottomAudioBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    viewBottomAudioBar->addSubview(imgBottomAudioBG);
    btnBottomAudioRR = transportButton("rr");
    btnBottomAudioPause = transportButton("pause");
    btnBottomAudioFF = transportButton("ff");
    const double mid = std::floor(W / 2) - 22;
    int i = -1;
    for (const auto& b : {btnBottomAudioRR, btnBottomAudioPause, btnBottomAudioFF}) {
        b->setFrame(CGRect{{mid + 72 * i++, 4}, {44, 44}});
        b->setAutoresizingMask(centred);
        viewBottomAudioBar->addSubview(b);
    }
    wire(*btnBottomAudioRR, *btnBottomAudioPause, *btnBottomAudioFF);

    viewLandscapeAudioBar = std::make_shared<UIView>(CGRect{{0, 0}, {132, kOptionBarHeight}});
    viewLandscapeAudioBar->setAutoresizingMask(centred);
    auto landscapeBG = std::make_shared<UIImageView>(viewLandscapeAudioBar->bounds());
    landscapeBG->setImage(screen_support::stretched("tabbar.png", 159, 0));
    viewLandscapeAudioBar->addSubview(landscapeBG);
    btnLandscapeAudioRR = transportButton("rr");
    btnLandscapeAudioPause = transportButton("pause");
    btnLandscapeAudioFF = transportButton("ff");
    i = 0;
    for (const auto& b : {btnLandscapeAudioRR, btnLandscapeAudioPause, btnLandscapeAudioFF}) {
        b->setFrame(CGRect{{44.0 * i++, 0}, {44, 44}});
        viewLandscapeAudioBar->addSubview(b);
    }
    wire(*btnLandscapeAudioRR, *btnLandscapeAudioPause, *btnLandscapeAudioFF);

    // The bubbles take the places of the reciter and translation buttons; layoutBubbles places them.
    viewTopRepeatBubbles = std::make_shared<UIView>(CGRect{{0, 0}, {W, kOptionBarHeight}});
    viewTopRepeatBubbles->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    btnSurahRepeatBubble = bubble(CGRect{{6, 7}, {100, 30}});
    btnSurahRepeatBubble->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin);
    btnSurahRepeatBubble->addTarget(this, [this](UIControl*, UIEvent*) { btnPlayNextPressed(); }, UIControlEventTouchUpInside);
    btnAyahRepeatBubble = bubble(CGRect{{W - 106, 7}, {100, 30}});
    btnAyahRepeatBubble->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleLeftMargin);
    btnAyahRepeatBubble->setContentHorizontalAlignment(UIControlContentHorizontalAlignmentLeft);
    btnAyahRepeatBubble->setContentEdgeInsets(UIEdgeInsets{0, 12, 0, 0});
    const std::string eachAya = Language::get("Play each aya", "Play each aya");
    btnAyahRepeatBubble->setTitle(eachAya, UIControlStateNormal);
    btnAyahRepeatBubble->setTitle(eachAya, UIControlStateHighlighted);
    btnAyahRepeatBubble->addTarget(this, [this](UIControl*, UIEvent*) { btnAyahRepeatPressed(); }, UIControlEventTouchUpInside);
    lblAyahRepeatCount = std::make_shared<UILabel>(CGRect{{66, 5}, {24, 20}});
    lblAyahRepeatCount->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    lblAyahRepeatCount->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    lblAyahRepeatCount->setTextAlignment(UITextAlignmentCenter);
    lblAyahRepeatCount->setTextColor(UIColor::colorWithRed(122 / 255.0, 75 / 255.0, 31 / 255.0, 1));
    lblAyahRepeatCount->setBackgroundColor(UIColor::clearColor());
    lblAyahRepeatCount->setUserInteractionEnabled(false);
    btnAyahRepeatBubble->addSubview(lblAyahRepeatCount);
    viewTopRepeatBubbles->addSubview(btnSurahRepeatBubble);
    viewTopRepeatBubbles->addSubview(btnAyahRepeatBubble);

    viewFFRRHud = std::make_shared<UIView>(CGRect{{0, 0}, {100, 70}});
    viewFFRRHud->setUserInteractionEnabled(false);
    viewFFRRHud->setAlpha(0);
    imgFFRRType = std::make_shared<UIImageView>(viewFFRRHud->bounds());
    viewFFRRHud->addSubview(imgFFRRType);
    lblFFRR = std::make_shared<UILabel>(CGRect{{0, 44}, {100, 20}});
    lblFFRR->setTextAlignment(UITextAlignmentCenter);
    lblFFRR->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    lblFFRR->setTextColor(UIColor::colorWithRed(251 / 255.0, 236 / 255.0, 196 / 255.0, 1));
    lblFFRR->setBackgroundColor(UIColor::clearColor());
    viewFFRRHud->addSubview(lblFFRR);

    // The route picker's place: nothing to pick on a desktop, so empty views that show and hide.
    viewAirPlayControl = std::make_shared<UIView>(CGRect{{W - 40, 4}, {36, 40}});
    viewAirPlayControl->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    viewAirPlayControl->setAlpha(0);
    viewBottomAudioBar->addSubview(viewAirPlayControl);
    viewLandscapeAirPlayControl = std::make_shared<UIView>(CGRect{{0, 0}, {0, 0}});
    viewLandscapeAirPlayControl->setAlpha(0);
    viewLandscapeAudioBar->addSubview(viewLandscapeAirPlayControl);
}

// Portrait: the bubbles sit in the option strip on either side of the play button. Landscape:
// they share the header bar's room left of the landscape bar.
void SurahViewController::layoutBubbles(bool landscape) {
    const double W = viewTopRepeatBubbles->bounds().size.width;
    double ruleRight = 0, verseLeft = 0, verseRight = 0;
    if (landscape) {
        const double end = viewLandscapeAudioBar->frame().origin.x - 6;
        ruleRight = 6 + std::floor((end - 10) / 2);
        verseLeft = ruleRight + 4;
        verseRight = end;
    } else {
        const double play = btnPlay ? btnPlay->frame().origin.x : std::floor((W - 44) / 2);
        ruleRight = play - 8;
        verseLeft = play + 52;
        verseRight = W - 6;
    }
    btnSurahRepeatBubble->setFrame(CGRect{{6, 7}, {std::max(0.0, ruleRight - 6), 30}});
    btnAyahRepeatBubble->setFrame(CGRect{{verseLeft, 7}, {std::max(0.0, verseRight - verseLeft), 30}});
    lblAyahRepeatCount->setFrame(CGRect{{btnAyahRepeatBubble->frame().size.width - 34, 5}, {24, 20}});
}

namespace {

// A header control moved `away` (down by the bar's height, transparent) or back to its row.
void giveWay(UIView* view, double rowY, bool away) {
    if (!view) return;
    CGRect f = view->frame();
    f.origin.y = rowY + (away ? kOptionBarHeight : 0);
    view->setFrame(f);
    view->setAlpha(away ? 0 : 1);
}

}  // namespace

void SurahViewController::headerGivesWayToBubbles(bool bubbles, bool landscape) {
    giveWay(btnReciter.get(), 7, bubbles);
    giveWay(btnTranslation.get(), 7, bubbles);
    giveWay(viewTopButtonsAndTitles.get(), 0, bubbles && landscape);
}

// Puts the bubbles into the orientation's bar, `dy` above their place and transparent when they
// are to slide in.
void SurahViewController::placeBubbles(bool landscape, double dy) {
    UIView* host = landscape ? viewTopOptionsBar.get() : viewSurahDispAndOrnaments.get();
    if (!host) return;
    if (viewTopRepeatBubbles->superview() != host) {
        UIView* above = landscape ? viewLandscapeAudioBar.get() : btnPlay.get();
        host->insertSubviewBelowSubview(viewTopRepeatBubbles, above);
    }
    viewTopRepeatBubbles->setFrame(CGRect{{0, -dy}, {host->bounds().size.width, kOptionBarHeight}});
    viewTopRepeatBubbles->setAlpha(dy > 0 ? 0 : 1);
    layoutBubbles(landscape);
}

void SurahViewController::showAudioControls(bool animated) {
    loadAudioBarViews();
    if (!viewBottomAudioBar) return;
    viewAirPlayControl->setAlpha(1);
    viewLandscapeAirPlayControl->setAlpha(1);
    if (statusBarIsLandscape()) {
        showLSAudioBar(animated, true);
        return;
    }
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->isTabBarPhysicallyVisible(interfaceOrientationNow()))
        app->showHideTabBar(interfaceOrientationNow(), animated ? kSlide : 0, true);
    showBottomAudioBar(animated, true);
}

void SurahViewController::hideAudioControls(bool animated) {
    if (!viewBottomAudioBar) return;
    viewAirPlayControl->setAlpha(0);
    viewLandscapeAirPlayControl->setAlpha(0);
    if (statusBarIsLandscape()) {
        hideLSAudioBar(animated, true);
        return;
    }
    hideBottomAudioBar(animated, true);
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && !isShowingPlayOptions_ && !app->isTabBarPhysicallyVisible(interfaceOrientationNow()))
        app->showHideTabBar(interfaceOrientationNow(), animated ? kSlide : 0, true);
}

bool SurahViewController::bubblesOnScreen() const {
    return viewTopRepeatBubbles && viewTopRepeatBubbles->superview();
}

namespace {

void beginSlide(const char* name, bool animated) {
    if (!animated) return;
    UIView::beginAnimations(name);
    UIView::setAnimationDuration(kSlide);
}

// Runs `done` when the slide ends, or at once without animation; the screen may be gone by then.
void endSlide(bool animated, const std::weak_ptr<UIViewController>& screen, std::function<void()> done) {
    if (!animated) {
        done();
        return;
    }
    UIView::setAnimationDidStopSelector([done, screen](const std::string&, bool, void*) {
        if (!screen.expired()) done();
    });
    UIView::commitAnimations();
}

}  // namespace

void SurahViewController::showBottomAudioBar(bool animated, bool alterBubbles) {
    loadAudioBarViews();
    UIView& root = *view();
    const CGRect bounds = root.bounds();
    isShowingBubbles_ = true;
    imgBottomAudioBG->setImage(screen_support::stretched("tabbar.png", 159, 0));
    if (viewBottomAudioBar->superview() != &root) root.addSubview(viewBottomAudioBar);
    viewBottomAudioBar->setFrame(CGRect{{0, bounds.size.height}, {bounds.size.width, kBarHeight}});
    viewBottomAudioBar->setAlpha(0);
    // New bubbles slide in; bubbles that come from the landscape bar change bars in place.
    const bool bringBubbles = alterBubbles && !bubblesOnScreen();
    if (bringBubbles) loadRepeatCounters();
    if (bringBubbles || bubblesOnScreen()) placeBubbles(false, bringBubbles ? kOptionBarHeight : 0);
    if (!bringBubbles && bubblesOnScreen()) headerGivesWayToBubbles(true, false);
    beginSlide("ShowBottomAudioBar", animated);
    if (bringBubbles) {
        placeBubbles(false, 0);
        headerGivesWayToBubbles(true, false);
    }
    if (viewSurahDisplay) {
        CGRect f = viewSurahDisplay->frame();
        f.size.height = bounds.size.height - kBarHeight - f.origin.y;
        viewSurahDisplay->setFrame(f);
    }
    viewBottomAudioBar->setFrame(CGRect{{0, bounds.size.height - kBarHeight}, {bounds.size.width, kBarHeight}});
    viewBottomAudioBar->setAlpha(1);
    if (animated) UIView::commitAnimations();
}

void SurahViewController::hideBottomAudioBar(bool animated, bool alterBubbles) {
    if (!viewBottomAudioBar) return;
    UIView& root = *view();
    const CGRect bounds = root.bounds();
    isShowingBubbles_ = false;
    const bool withBubbles = alterBubbles && bubblesOnScreen();
    beginSlide("HideBottomAudioBar", animated);
    if (withBubbles) {
        viewTopRepeatBubbles->setFrame(CGRect{{0, -kOptionBarHeight}, viewTopRepeatBubbles->frame().size});
        viewTopRepeatBubbles->setAlpha(0);
        headerGivesWayToBubbles(false, false);
    }
    if (viewSurahDisplay) {
        CGRect f = viewSurahDisplay->frame();
        f.size.height = bounds.size.height - f.origin.y;
        viewSurahDisplay->setFrame(f);
    }
    viewBottomAudioBar->setFrame(CGRect{{0, bounds.size.height}, {bounds.size.width, kBarHeight}});
    viewBottomAudioBar->setAlpha(0);
    endSlide(animated, weak_from_this(), [this, withBubbles] {
        if (withBubbles && !isShowingBubbles_) {
            viewTopRepeatBubbles->removeFromSuperview();
            viewLandscapeAudioBar->removeFromSuperview();
        }
        // Gone unless the bar came back meanwhile.
        if (!isShowingBubbles_ || statusBarIsLandscape()) viewBottomAudioBar->removeFromSuperview();
    });
}

void SurahViewController::showLSAudioBar(bool animated, bool alterBubbles) {
    loadAudioBarViews();
    UIView* header = viewTopOptionsBar.get();
    if (!header) return;
    isShowingBubbles_ = true;
    const double x = btnPlay ? btnPlay->frame().origin.x - kLandscapeBarWidth : 0;
    const CGRect place{{x, 0}, {kLandscapeBarWidth, kOptionBarHeight}};
    if (viewLandscapeAudioBar->superview() != header) header->insertSubviewBelowSubview(viewLandscapeAudioBar, btnPlay.get());
    const bool bringBubbles = alterBubbles && !bubblesOnScreen();
    if (bringBubbles) loadRepeatCounters();
    viewLandscapeAudioBar->setFrame(bringBubbles ? CGRectOffset(place, 0, -kOptionBarHeight) : place);
    viewLandscapeAudioBar->setAlpha(0);
    if (bringBubbles || bubblesOnScreen()) placeBubbles(true, bringBubbles ? kOptionBarHeight : 0);
    // Bubbles that come from the bottom bar change bars in place.
    if (!bringBubbles && bubblesOnScreen()) headerGivesWayToBubbles(true, true);
    beginSlide("ShowLSAudioBar", animated);
    viewLandscapeAudioBar->setFrame(place);
    viewLandscapeAudioBar->setAlpha(1);
    if (bringBubbles) {
        placeBubbles(true, 0);
        headerGivesWayToBubbles(true, true);
    }
    if (animated) UIView::commitAnimations();
}

void SurahViewController::hideLSAudioBar(bool animated, bool alterBubbles) {
    if (!viewLandscapeAudioBar) return;
    isShowingBubbles_ = false;
    const bool withBubbles = alterBubbles && bubblesOnScreen();
    beginSlide("HideLSAudioBar", animated);
    if (withBubbles) {
        viewTopRepeatBubbles->setFrame(CGRect{{0, -kOptionBarHeight}, viewTopRepeatBubbles->frame().size});
        viewTopRepeatBubbles->setAlpha(0);
        headerGivesWayToBubbles(false, true);
        viewLandscapeAudioBar->setFrame(CGRectOffset(viewLandscapeAudioBar->frame(), 0, -kOptionBarHeight));
    } else {
        // The bar's titles come back once no bubbles hold the header's room.
        giveWay(viewTopButtonsAndTitles.get(), 0, false);
    }
    viewLandscapeAudioBar->setAlpha(0);
    endSlide(animated, weak_from_this(), [this, withBubbles] {
        if (withBubbles && !isShowingBubbles_) {
            viewTopRepeatBubbles->removeFromSuperview();
            viewBottomAudioBar->removeFromSuperview();
        }
        if (!isShowingBubbles_ || !statusBarIsLandscape()) viewLandscapeAudioBar->removeFromSuperview();
    });
}

void SurahViewController::showAudioFFRRHUD(int kind) {
    loadAudioBarViews();
    if (isShowingFFRRHUD_ || !viewSurahDisplay) return;
    isShowingFFRRHUD_ = true;
    if (viewFFRRHud->superview() != viewSurahDisplay.get()) viewSurahDisplay->addSubview(viewFFRRHud);
    lblFFRR->setText("00:00");
    const CGRect area = viewSurahDisplay->bounds();
    viewFFRRHud->setFrame(CGRect{{std::trunc((area.size.width - 100) / 2), std::trunc((area.size.height - 70) / 2)}, {100, 70}});
    imgFFRRType->setImage(UIImage::imageNamed(kind == 0 ? "sura-hud-ff.png" : "sura-hud-rr.png"));
    UIView::beginAnimations("ShowFFRRHud");
    UIView::setAnimationDuration(0.2);
    viewFFRRHud->setAlpha(1);
    UIView::commitAnimations();
}

void SurahViewController::hideAudioFFRRHUD() {
    if (!isShowingFFRRHUD_) return;
    isShowingFFRRHUD_ = false;
    UIView::beginAnimations("HideFFRRHud");
    UIView::setAnimationDuration(0.2);
    viewFFRRHud->setAlpha(0);
    UIView::commitAnimations();
}

namespace {

// Slides a sheet's view up over the whole screen, or down out of it.
void slideSheet(UIView& root, UIView& sheet, bool up, std::function<void()> done = {}) {
    const CGRect bounds = root.bounds();
    UIView::beginAnimations(up ? "ShowPlayOptions" : "HidePlayOptions");
    UIView::setAnimationDuration(kSlide);
    if (done) UIView::setAnimationDidStopSelector([done](const std::string&, bool, void*) { done(); });
    sheet.setFrame(CGRect{{0, up ? 0 : bounds.size.height}, bounds.size});
    UIView::commitAnimations();
}

}  // namespace

namespace {

// On a tablet the sheet opens in the screen's popover at the bubble that asked for it.
template <class Sheet>
void presentSheet(SurahViewController& screen, std::shared_ptr<Sheet>& held, UIButton* anchor) {
    if (held) return;
    held = std::make_shared<Sheet>();
    held->setDelegate(&screen);
    if (LumenoSDKAppDelegate::IsDeviceIPad() && anchor && anchor->window()) {
        screen.createPopoverViewWithController(held).presentPopoverFromRect(anchor->bounds(), anchor,
                                                                            UIPopoverArrowDirectionAny, true);
        return;
    }
    UIView& root = *screen.view();
    UIView& sheet = *held->view();
    sheet.setFrame(CGRect{{0, root.bounds().size.height}, root.bounds().size});
    root.addSubview(held->viewPtr());
    held->viewWillAppear(true);
    slideSheet(root, sheet, true);
}

template <class Sheet>
void dismissSheet(SurahViewController& screen, std::shared_ptr<Sheet>& held) {
    if (!held) return;
    std::shared_ptr<Sheet> sheet = std::move(held);
    UIPopoverController* popover = screen.popoverView();
    if (popover && popover->contentViewController() == sheet.get()) {
        if (popover->isPopoverVisible()) popover->dismissPopoverAnimated(true);
        return;
    }
    slideSheet(*screen.view(), *sheet->view(), false, [sheet] { sheet->view()->removeFromSuperview(); });
}

}  // namespace

void SurahViewController::btnPlayNextPressed() {
    isShowingPlayOptions_ = true;
    presentSheet(*this, optionsview_, btnSurahRepeatBubble.get());
}

void SurahViewController::btnAyahRepeatPressed() {
    isShowingPlayOptions_ = true;
    presentSheet(*this, ayahOptionsView_, btnAyahRepeatBubble.get());
}

void SurahViewController::dismissNextAyahOptionSheet() {
    dismissSheet(*this, optionsview_);
    playOptionsSheetClosed();
}

void SurahViewController::dismissAyahRepeatOptionSheet() {
    dismissSheet(*this, ayahOptionsView_);
    playOptionsSheetClosed();
}

void SurahViewController::playOptionsPopoverDismissed() {
    if (!optionsview_ && !ayahOptionsView_) return;
    optionsview_.reset();
    ayahOptionsView_.reset();
    playOptionsSheetClosed();
}

void SurahViewController::playOptionsSheetClosed() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && !statusBarIsLandscape() && !IsInPlayMode_ && !app->isTabBarPhysicallyVisible(interfaceOrientationNow()))
        app->showHideTabBar(interfaceOrientationNow(), kSlide, false);
    isShowingPlayOptions_ = false;
    setCorrectSurahRepeatButton();
}
