#pragma once
// A stack of controllers under a navigation bar (and an optional toolbar):
// push and pop with slides, the appearance calls and the delegate's will/did show.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/hosting/UIBarButtonView.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UIViewController.h"

class UINavigationController;

class UINavigationControllerDelegate {
public:
    virtual ~UINavigationControllerDelegate() = default;
    virtual void willShowViewController(UINavigationController* nav, UIViewController* controller, bool animated) {}
    virtual void didShowViewController(UINavigationController* nav, UIViewController* controller, bool animated) {}
};

class UINavigationController : public UIViewController {
public:
    explicit UINavigationController(std::shared_ptr<UIViewController> root = nullptr);

    UINavigationControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(UINavigationControllerDelegate* d) { delegate_ = d; }  // unretained

    const std::vector<UIViewControllerPtr>& viewControllers() const { return stack_; }
    void setViewControllers(std::vector<UIViewControllerPtr> controllers, bool animated = false);
    UIViewController* topViewController() const { return stack_.empty() ? nullptr : stack_.back().get(); }
    // The top controller, or the controller it presents.
    UIViewController* visibleViewController() const;

    void pushViewController(UIViewControllerPtr controller, bool animated);
    // The controller taken off, or null at the root.
    UIViewControllerPtr popViewControllerAnimated(bool animated);
    // Lets a library take over animated pops: the hook returns the popped controller when it
    // did the pop itself, none to leave it to the platform.
    using AnimatedPopHook = std::function<std::optional<UIViewControllerPtr>(UINavigationController& nav)>;
    static void setAnimatedPopHook(AnimatedPopHook hook);
    std::vector<UIViewControllerPtr> popToRootViewControllerAnimated(bool animated);
    std::vector<UIViewControllerPtr> popToViewController(UIViewController* controller, bool animated);

    UINavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return navBarHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated = false);
    UIToolbar* toolbar();
    bool isToolbarHidden() const { return toolbarHidden_; }
    void setToolbarHidden(bool hidden, bool animated = false);
    bool isTransitioning() const { return transitioning_; }

    void loadView() override;
    std::vector<UIViewController*> childViewControllers() const override;
    std::vector<UIViewController*> visibleChildViewControllers() const override;

private:
    enum class Slide { None, Push, Pop };
    void transition(UIViewController* from, UIViewController* to, Slide slide, bool animated, std::vector<UIViewControllerPtr> released);
    void updateBar();
    void updateBottomBar();
    void layoutContainer(bool animated);
    CGRect contentFrame() const;
    UINavigationControllerDelegate* delegate_ = nullptr;
    std::vector<UIViewControllerPtr> stack_;
    std::vector<UIViewControllerPtr> inFlight_;  // controllers leaving while a slide runs
    std::shared_ptr<UINavigationBar> bar_;
    std::shared_ptr<UIToolbar> toolbar_;
    std::shared_ptr<UIView> container_;
    bool navBarHidden_ = false;
    bool toolbarHidden_ = true;
    bool transitioning_ = false;
};

using UINavigationControllerPtr = std::shared_ptr<UINavigationController>;
