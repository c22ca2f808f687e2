// Sliding the tab bar out and back, and panels that take its place.
//
// Frames are in the tab bar controller's view, which covers the screen. On the 320 x 480
// phone the tab bar's top is 431 when shown and 480 when slid out (271 and 320 in
// landscape); a panel starts from 460 (300 in landscape, 320 with a start position). Other
// screens keep the same distances from the bottom edge.

#include "Classes/App/LumenoAppShell.h"

#include <cmath>

#include "Classes/App/TabBarViewController.h"
#include "platform/ui/UIScreen.h"

namespace {

constexpr double kTabBarHeight = 49;
constexpr double kPanelGap = 20;

bool isLandscape(int orientation) { return orientation == 3 || orientation == 4; }

// The height of the tab bar controller's view in the orientation.
double screenHeight(int orientation) {
    CGSize s = UIScreen::mainScreen().bounds().size;
    return isLandscape(orientation) ? s.width : s.height;
}

double shownTop(int orientation) { return screenHeight(orientation) - kTabBarHeight; }
double hiddenTop(int orientation) { return screenHeight(orientation); }

void beginSlide(const std::string& id, double speed) {
    UIView::beginAnimations(id);
    UIView::setAnimationDuration(speed);
    UIView::setAnimationCurve(UIViewAnimationCurveEaseOut);
}

}  // namespace

bool LumenoAppShell::isTabBarPhysicallyVisible(int orientation) {
    bool visible = false;
    if (tabBarController_) {
        UITabBar* bar = tabBarController_->tabBar();
        visible = bar->superview() == tabBarController_->view() && bar->frame().origin.y < hiddenTop(orientation);
    }
    hiddenTabBar_ = !visible;
    return visible;
}

void LumenoAppShell::showHideTabBar(int orientation, double speed, bool animateMainContainer) {
    if (!tabBarController_) return;
    UIView* root = tabBarController_->view();
    UITabBar* bar = tabBarController_->tabBar();
    UIView* container = tabBarController_->transitionView();
    root->setClipsToBounds(false);
    const double target = hiddenTabBar_ ? shownTop(orientation) : hiddenTop(orientation);
    const std::string id = hiddenTabBar_ ? "ShowingTabBar" : "HidingTabBar";
    const bool animated = speed != 0;
    if (animated) {
        beginSlide(id, speed);
        UIView::setAnimationDidStopSelector([this](const std::string& animationID, bool finished, void* context) {
            showHideTabBarAnimationFinished(animationID, finished, context);
        });
    }
    CGRect f = bar->frame();
    bar->setFrame(CGRectMake(f.origin.x, target, f.size.width, f.size.height));
    if (!hiddenTabBar_) bar->setClipsToBounds(false);
    auto resizeContainer = [&] {
        if (!container) return;
        CGRect c = container->frame();
        container->setFrame(CGRectMake(c.origin.x, c.origin.y, c.size.width, target));
    };
    if (animated && animateMainContainer) resizeContainer();
    if (animated) UIView::commitAnimations();
    if (!(animated && animateMainContainer)) resizeContainer();
    hiddenTabBar_ = !hiddenTabBar_;
}

void LumenoAppShell::showHideTabBarAnimationFinished(const std::string& animationID, bool, void* context) {
    if (animationID == "HideCustView" && context) static_cast<UIView*>(context)->setHidden(true);
}

void LumenoAppShell::addToTabbar(const std::shared_ptr<UIView>& view) {
    if (!tabBarController_ || !view) return;
    UITabBar* bar = tabBarController_->tabBar();
    UIView* parent = bar->superview();
    if (!parent) return;
    if (view->superview()) parent->bringSubviewToFront(view.get());
    else parent->insertSubviewAboveSubview(view, bar);
    view->setHidden(true);
}

void LumenoAppShell::showViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed, int startY,
                                         int height) {
    if (!tabBarController_ || !view) return;
    tabBarController_->view()->setClipsToBounds(false);
    UITabBar* bar = tabBarController_->tabBar();
    UIView* parent = bar->superview();
    if (!parent) return;
    const double h = height == -1 ? std::floor(view->frame().size.height) : height;
    const double base = screenHeight(orientation) - (isLandscape(orientation) && startY != -1 ? 0 : kPanelGap);
    const double target = startY != -1 ? startY : base - h;
    if (!view->superview()) parent->insertSubviewAboveSubview(view, bar);
    parent->bringSubviewToFront(view.get());
    const CGRect barFrame = bar->frame();
    view->setFrame(CGRectMake(barFrame.origin.x, base, barFrame.size.width, h));
    view->setHidden(false);
    const bool animated = speed != 0;
    if (animated) beginSlide(hiddenTabBar_ ? "ShowingTabBar" : "HidingTabBar", speed);
    view->setFrame(CGRectMake(barFrame.origin.x, target + kPanelGap, barFrame.size.width, h));
    if (!hiddenTabBar_) bar->setClipsToBounds(false);
    if (animated) UIView::commitAnimations();
}

void LumenoAppShell::hideViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed) {
    if (!tabBarController_ || !view) return;
    tabBarController_->view()->setClipsToBounds(false);
    UITabBar* bar = tabBarController_->tabBar();
    const bool animated = speed != 0;
    if (animated) {
        UIView::beginAnimations("HideCustView", view.get());
        UIView::setAnimationDuration(speed);
        UIView::setAnimationCurve(UIViewAnimationCurveEaseOut);
        // The view is held until the slide ends, so the context stays valid.
        UIView::setAnimationDidStopSelector(
            [this, keep = view](const std::string& animationID, bool finished, void* context) {
                showHideTabBarAnimationFinished(animationID, finished, context);
            });
    }
    CGRect f = view->frame();
    view->setFrame(CGRectMake(f.origin.x, shownTop(orientation) + bar->frame().size.height, f.size.width, f.size.height));
    if (!hiddenTabBar_) bar->setClipsToBounds(false);
    if (animated) UIView::commitAnimations();
}

void LumenoAppShell::showViewInPlaceOfTabbar(const std::shared_ptr<UIView>& view, int orientation, double speed) {
    if (view) view->removeFromSuperview();
    showHideTabBar(orientation, speed, true);
}
