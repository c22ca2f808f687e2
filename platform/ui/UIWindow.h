#pragma once
// A window: the root of a view tree on the screen. Touches are routed by the
// application to the window, which sends them to the view each touch began in.

#include <functional>
#include <memory>

#include "platform/ui/UIView.h"

class UIViewController;  // defined by the hosting layer
class UIApplication;

class UIWindow : public UIView {
public:
    // The screen's bounds when no frame is given.
    UIWindow();
    explicit UIWindow(CGRect frame);
    ~UIWindow() override;

    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    double windowLevel() const { return windowLevel_; }
    void setWindowLevel(double level);

    // Delivers a touch event to the views its touches belong to.
    virtual void sendEvent(UIEvent* event);
    UIResponder* nextResponder() const override;

    // The root controller. The hosting layer installs a hook that puts the
    // controller's view into the window (and takes the old one out).
    const std::shared_ptr<UIViewController>& rootViewController() const { return rootViewController_; }
    void setRootViewController(std::shared_ptr<UIViewController> controller);
    using RootViewControllerHook =
        std::function<void(UIWindow& window, UIViewController* oldController, UIViewController* newController)>;
    static void setRootViewControllerHook(RootViewControllerHook hook);

    // The first responder when it lives in this window, else null.
    UIResponder* firstResponder() const;

private:
    double windowLevel_ = 0;
    std::shared_ptr<UIViewController> rootViewController_;
};

using UIWindowPtr = std::shared_ptr<UIWindow>;
