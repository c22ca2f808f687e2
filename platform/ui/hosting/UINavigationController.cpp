#include "platform/ui/hosting/UINavigationController.h"

#include <algorithm>

#include "platform/foundation/Log.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UITabBarController.h"

namespace {
constexpr double kBarHeight = 44;
constexpr double kSlideDuration = 0.35;
}  // namespace

UINavigationController::UINavigationController(std::shared_ptr<UIViewController> root) {
    bar_ = std::make_shared<UINavigationBar>(CGRectMake(0, 0, 320, kBarHeight));
    bar_->setBackHandler([this] {
        if (!transitioning_) popViewControllerAnimated(true);
    });
    if (root) {
        root->setParentViewController(this);
        stack_.push_back(std::move(root));
    }
}

void UINavigationController::loadView() {
    CGRect f = UIScreen::mainScreen().applicationFrame();
    auto v = std::make_shared<UIView>(f);
    v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    v->setBackgroundColor(UIColor::blackColor());
    v->setClipsToBounds(true);
    container_ = std::make_shared<UIView>(CGRectZero);
    container_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    container_->setClipsToBounds(true);
    v->addSubview(container_);
    bar_->setFrame(CGRectMake(0, 0, f.size.width, kBarHeight));
    v->addSubview(bar_);
    setView(v);
    layoutContainer(false);
    if (UIViewController* top = topViewController()) {
        top->view()->setFrame(container_->bounds());
        top->view()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        container_->addSubview(top->viewPtr());
    }
    updateBar();
}

CGRect UINavigationController::contentFrame() const {
    CGRect b = const_cast<UINavigationController*>(this)->view()->bounds();
    double top = navBarHidden_ ? 0 : kBarHeight;
    double bottom = toolbarHidden_ ? 0 : kBarHeight;
    return CGRectMake(0, top, b.size.width, std::max(0.0, b.size.height - top - bottom));
}

void UINavigationController::layoutContainer(bool animated) {
    if (!isViewLoaded()) return;
    CGRect b = view()->bounds();
    if (animated) {
        UIView::beginAnimations("UINavigationControllerBars");
        UIView::setAnimationDuration(0.3);
    }
    bar_->setFrame(CGRectMake(0, navBarHidden_ ? -kBarHeight : 0, b.size.width, kBarHeight));
    if (toolbar_) toolbar_->setFrame(CGRectMake(0, toolbarHidden_ ? b.size.height : b.size.height - kBarHeight, b.size.width, kBarHeight));
    container_->setFrame(contentFrame());
    if (animated) UIView::commitAnimations();
    if (!animated) bar_->setHidden(navBarHidden_);
    if (toolbar_ && !animated) toolbar_->setHidden(toolbarHidden_);
}

UINavigationBar* UINavigationController::navigationBar() { return bar_.get(); }

void UINavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    navBarHidden_ = hidden;
    if (!hidden) bar_->setHidden(false);
    layoutContainer(animated);
}

UIToolbar* UINavigationController::toolbar() {
    if (!toolbar_) {
        toolbar_ = std::make_shared<UIToolbar>(CGRectMake(0, 0, 320, kBarHeight));
        toolbar_->setHidden(toolbarHidden_);
        if (isViewLoaded()) {
            view()->addSubview(toolbar_);
            layoutContainer(false);
        }
    }
    return toolbar_.get();
}

void UINavigationController::setToolbarHidden(bool hidden, bool animated) {
    toolbarHidden_ = hidden;
    toolbar();
    if (isViewLoaded() && toolbar_->superview() != view()) view()->addSubview(toolbar_);
    if (!hidden) toolbar_->setHidden(false);
    layoutContainer(animated);
}

UIViewController* UINavigationController::visibleViewController() const {
    UIViewController* top = topViewController();
    if (modalViewController()) return modalViewController();
    if (top && top->modalViewController()) return top->modalViewController();
    return top;
}

std::vector<UIViewController*> UINavigationController::childViewControllers() const {
    std::vector<UIViewController*> out;
    for (const auto& c : stack_) out.push_back(c.get());
    return out;
}

std::vector<UIViewController*> UINavigationController::visibleChildViewControllers() const {
    if (UIViewController* top = topViewController()) return {top};
    return {};
}

void UINavigationController::updateBottomBar() {
    auto* tabs = tabBarController();
    if (!tabs || tabs->selectedViewController() != this) return;
    bool hide = std::any_of(stack_.begin(), stack_.end(), [](const UIViewControllerPtr& c) { return c->hidesBottomBarWhenPushed(); });
    tabs->setTabBarHiddenByPush(hide);
}

void UINavigationController::updateBar() {
    UIViewController* top = topViewController();
    UIViewController* below = stack_.size() >= 2 ? stack_[stack_.size() - 2].get() : nullptr;
    bar_->setItems(top ? top->navigationItem() : nullptr, below ? below->navigationItem() : nullptr,
                   below ? below->navigationItem()->title() : "");
    if (top) {
        std::weak_ptr<UIViewController> weak = weak_from_this();
        top->navigationItem()->setChangeHandler([weak] {
            if (auto self = std::static_pointer_cast<UINavigationController>(weak.lock())) self->updateBar();
        });
    }
}

void UINavigationController::pushViewController(UIViewControllerPtr controller, bool animated) {
    if (!controller) return;
    if (std::find(stack_.begin(), stack_.end(), controller) != stack_.end()) {
        NSLog("UINavigationController: a controller is pushed that is already on the stack; ignored");
        return;
    }
    if (transitioning_) animated = false;
    UIViewController* from = topViewController();
    controller->setParentViewController(this);
    controller->setInterfaceOrientationTree(interfaceOrientation());
    stack_.push_back(controller);
    transition(from, controller.get(), Slide::Push, animated, {});
}

namespace {
UINavigationController::AnimatedPopHook& animatedPopHook() {
    static UINavigationController::AnimatedPopHook hook;
    return hook;
}
}  // namespace

void UINavigationController::setAnimatedPopHook(AnimatedPopHook hook) { animatedPopHook() = std::move(hook); }

UIViewControllerPtr UINavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) return nullptr;
    if (animated && animatedPopHook()) {
        if (auto popped = animatedPopHook()(*this)) return *popped;
    }
    if (transitioning_) animated = false;
    UIViewControllerPtr gone = stack_.back();
    stack_.pop_back();
    transition(gone.get(), topViewController(), Slide::Pop, animated, {gone});
    return gone;
}

std::vector<UIViewControllerPtr> UINavigationController::popToRootViewControllerAnimated(bool animated) {
    if (stack_.empty()) return {};
    return popToViewController(stack_.front().get(), animated);
}

std::vector<UIViewControllerPtr> UINavigationController::popToViewController(UIViewController* controller, bool animated) {
    auto it = std::find_if(stack_.begin(), stack_.end(), [&](const UIViewControllerPtr& c) { return c.get() == controller; });
    if (it == stack_.end() || it + 1 == stack_.end()) return {};
    if (transitioning_) animated = false;
    std::vector<UIViewControllerPtr> gone(it + 1, stack_.end());
    UIViewController* from = stack_.back().get();
    stack_.erase(it + 1, stack_.end());
    transition(from, controller, Slide::Pop, animated, gone);
    return gone;
}

void UINavigationController::setViewControllers(std::vector<UIViewControllerPtr> controllers, bool animated) {
    UIViewController* from = topViewController();
    std::vector<UIViewControllerPtr> old = stack_;
    for (auto& c : controllers) {
        c->setParentViewController(this);
        c->setInterfaceOrientationTree(interfaceOrientation());
    }
    stack_ = std::move(controllers);
    std::vector<UIViewControllerPtr> released;
    for (auto& c : old)
        if (std::find(stack_.begin(), stack_.end(), c) == stack_.end()) released.push_back(c);
    UIViewController* to = topViewController();
    if (from == to) {
        updateBar();
        for (auto& c : released) c->setParentViewController(nullptr);
        return;
    }
    transition(from, to, Slide::Push, animated, std::move(released));
}

void UINavigationController::transition(UIViewController* from, UIViewController* to, Slide slide, bool animated,
                                        std::vector<UIViewControllerPtr> released) {
    bool onScreen = isViewLoaded() && isVisible();
    if (!isViewLoaded()) {
        for (auto& c : released) c->setParentViewController(nullptr);
        return;
    }
    if (!onScreen) {
        // Off screen: swap the views now; appearance calls come with the container's.
        // While the container is appearing, the leaving controller has already begun
        // appearing: it disappears, and the new top begins appearing so that the
        // container's endAppearance reaches it.
        const bool midAppearance = isAppearing() && from && from != to;
        if (midAppearance) {
            from->beginAppearance(false, false);
            if (to) to->beginAppearance(true, false);
        }
        if (from && from->isViewLoaded()) from->view()->removeFromSuperview();
        if (to) {
            to->view()->setFrame(container_->bounds());
            to->view()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
            container_->addSubview(to->viewPtr());
        }
        updateBar();
        if (midAppearance) from->endAppearance();
        for (auto& c : released) c->setParentViewController(nullptr);
        return;
    }
    if (to) to->viewPtr();
    if (delegate_ && to) delegate_->willShowViewController(this, to, animated);
    if (from) from->beginAppearance(false, animated);
    if (to) to->beginAppearance(true, animated);
    CGRect b = container_->bounds();
    if (to) {
        to->view()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        to->view()->setFrame(b);
        container_->addSubview(to->viewPtr());
    }
    updateBar();
    updateBottomBar();
    // Leaving controllers stay alive with the navigation controller until the slide ends.
    if (from) inFlight_.push_back(from->shared_from_this());
    inFlight_.insert(inFlight_.end(), released.begin(), released.end());
    std::weak_ptr<UIViewController> weakFrom = from ? from->weak_from_this() : std::weak_ptr<UIViewController>();
    std::weak_ptr<UIViewController> weakTo = to ? to->weak_from_this() : std::weak_ptr<UIViewController>();
    std::vector<std::weak_ptr<UIViewController>> weakReleased(released.begin(), released.end());
    std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    auto finish = [weakSelf, weakFrom, weakTo, animated, weakReleased](const std::string&, bool, void*) {
        auto self = std::static_pointer_cast<UINavigationController>(weakSelf.lock());
        auto fromC = weakFrom.lock();
        auto toC = weakTo.lock();
        if (fromC && fromC != toC && fromC->isViewLoaded()) {
            fromC->view()->removeFromSuperview();
            fromC->view()->setFrame(self ? self->container_->bounds() : fromC->view()->frame());
        }
        if (fromC) fromC->endAppearance();
        if (toC) toC->endAppearance();
        for (auto& w : weakReleased)
            if (auto c = w.lock()) c->setParentViewController(nullptr);
        if (self) {
            self->transitioning_ = false;
            // Only this slide's controllers go; a later slide keeps its own.
            auto& held = self->inFlight_;
            if (fromC) {
                auto it = std::find(held.begin(), held.end(), fromC);
                if (it != held.end()) held.erase(it);
            }
            for (auto& w : weakReleased)
                if (auto c = w.lock()) {
                    auto it = std::find(held.begin(), held.end(), c);
                    if (it != held.end()) held.erase(it);
                }
            if (self->delegate_ && toC) self->delegate_->didShowViewController(self.get(), toC.get(), animated);
        }
    };
    if (animated && slide != Slide::None && to && from) {
        transitioning_ = true;
        double dir = slide == Slide::Push ? 1 : -1;
        to->view()->setFrame(CGRectOffset(b, dir * b.size.width, 0));
        UIView::beginAnimations("UINavigationControllerSlide");
        UIView::setAnimationDuration(kSlideDuration);
        UIView::setAnimationCurve(UIViewAnimationCurveEaseInOut);
        UIView::setAnimationDidStopSelector(finish);
        to->view()->setFrame(b);
        from->view()->setFrame(CGRectOffset(b, -dir * b.size.width, 0));
        UIView::commitAnimations();
    } else {
        finish("", true, nullptr);
    }
}

