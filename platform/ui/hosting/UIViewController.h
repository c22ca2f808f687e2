#pragma once
// A screen: its view (built by a registered interface builder or in code), the
// appearance calls in the platform's order, modal presentation, rotation,
// navigation and tab bar items, and its place among container controllers.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIResponder.h"
#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class UINavigationController;
class UIPopoverController;
class UITabBarController;
class UIWindow;

class UIViewController : public UIResponder, public std::enable_shared_from_this<UIViewController> {
public:
    // initWithNibName:bundle: — an empty name means the view is made by loadView.
    explicit UIViewController(const std::string& nibName = "");
    ~UIViewController() override;

    // Our stand-in for interface files: a builder makes the view tree for its owner
    // and wires the owner's outlets; the controller's view is what it returns.
    using InterfaceBuilder = std::function<std::shared_ptr<UIView>(UIViewController& owner)>;
    static void registerInterface(const std::string& name, InterfaceBuilder builder);
    static bool hasInterface(const std::string& name);
    static void unregisterInterface(const std::string& name);
    const std::string& nibName() const { return nibName_; }

    // --- View ---
    // Loads the view on first use (loadView, then viewDidLoad).
    UIView* view();
    const std::shared_ptr<UIView>& viewPtr();
    void setView(std::shared_ptr<UIView> view);
    bool isViewLoaded() const { return view_ != nullptr; }
    // Builds the view from the interface, or a plain view of the application frame.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewDidUnload() {}
    // The default releases a loaded view that is not in a window (viewDidUnload follows).
    virtual void didReceiveMemoryWarning();

    virtual void viewWillAppear(bool animated) {}
    virtual void viewDidAppear(bool animated) {}
    virtual void viewWillDisappear(bool animated) {}
    virtual void viewDidDisappear(bool animated) {}

    // --- Items ---
    const std::string& title() const { return title_; }
    // Also titles the navigation item (and a tab bar item without a title).
    virtual void setTitle(const std::string& title);
    UINavigationItem* navigationItem();
    UITabBarItem* tabBarItem();
    void setTabBarItem(std::shared_ptr<UITabBarItem> item);
    // An Edit / Done item that toggles setEditing.
    UIBarButtonItemPtr editButtonItem();
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);
    bool hidesBottomBarWhenPushed() const { return hidesBottomBarWhenPushed_; }
    void setHidesBottomBarWhenPushed(bool on) { hidesBottomBarWhenPushed_ = on; }
    bool wantsFullScreenLayout() const { return wantsFullScreenLayout_; }
    void setWantsFullScreenLayout(bool on) { wantsFullScreenLayout_ = on; }
    CGSize contentSizeForViewInPopover() const { return popoverSize_; }
    void setContentSizeForViewInPopover(CGSize size) { popoverSize_ = size; }

    // --- Relations (all unretained) ---
    UIViewController* parentViewController() const;
    UINavigationController* navigationController() const;
    UITabBarController* tabBarController() const;
    // Controllers this one contains (containers override).
    virtual std::vector<UIViewController*> childViewControllers() const { return {}; }
    // The children on screen now; they hear the container's appearance calls.
    virtual std::vector<UIViewController*> visibleChildViewControllers() const { return {}; }

    // --- Modal presentation ---
    UIViewController* modalViewController() const { return modal_.get(); }
    UIModalTransitionStyle modalTransitionStyle() const { return modalTransitionStyle_; }
    void setModalTransitionStyle(UIModalTransitionStyle style) { modalTransitionStyle_ = style; }
    // Covers the screen with the controller's view (sliding up over 0.3 s when animated).
    void presentModalViewController(std::shared_ptr<UIViewController> controller, bool animated);
    // Sent to the presenter or to the presented controller itself; sent to the content of a
    // popover, it dismisses the popover.
    void dismissModalViewControllerAnimated(bool animated);
    // The popover showing this controller, while it does (unretained; set by the popover).
    UIPopoverController* popoverController() const { return popover_; }
    void setPopoverController(UIPopoverController* popover) { popover_ = popover; }

    // --- Rotation ---
    UIInterfaceOrientation interfaceOrientation() const { return orientation_; }
    // A container asks and tells its visible children; a plain screen turns only to portrait.
    virtual bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation);
    virtual void willRotateToInterfaceOrientation(UIInterfaceOrientation orientation, double duration);
    virtual void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation orientation, double duration);
    virtual void didRotateFromInterfaceOrientation(UIInterfaceOrientation fromOrientation);

    UIResponder* nextResponder() const override;

    // --- Platform glue ---
    // Installs the window's root-controller hook and the rotation handler
    // (call again after UIApplication::resetForTesting).
    static void installPlatformHooks();
    // Called with every controller as it goes away (before its members are released); for
    // libraries that keep facts about controllers outside them.
    using DeallocHook = std::function<void(UIViewController* controller)>;
    static void addDeallocHook(DeallocHook hook);
    // Asks the window's front controller and, when it agrees, rotates the
    // interface with the callbacks; returns whether it rotated.
    static bool rotateInterfaceTo(UIWindow& window, UIInterfaceOrientation orientation, double duration = 0.3);
    // The view that dialogs and the keyboard go into for something shown in
    // `anchor`: the controller's root view under the window that holds it (turned
    // with the interface), else the window; the key window for no anchor.
    static UIView* interfaceRootView(UIView* anchor);
    // The frame, bounds and transform a root view takes for an orientation.
    static void placeRootView(UIView& view, UIInterfaceOrientation orientation, bool fullScreen);

    // Used by containers.
    void setParentViewController(UIViewController* parent) { parent_ = parent; }
    void setInterfaceOrientationTree(UIInterfaceOrientation o);
    // The appearance calls, guarded so a controller hears each transition once.
    void beginAppearance(bool appearing, bool animated);
    void endAppearance();
    bool isVisible() const { return visible_; }
    // Between beginAppearance(true) and endAppearance().
    bool isAppearing() const { return appearance_ == 1; }

private:
    UIViewController* rootOfPresentation();
    std::string nibName_;
    std::shared_ptr<UIView> view_;
    std::string title_;
    std::unique_ptr<UINavigationItem> navigationItem_;
    std::shared_ptr<UITabBarItem> tabBarItem_;
    UIBarButtonItemPtr editButtonItem_;
    bool editing_ = false;
    bool hidesBottomBarWhenPushed_ = false;
    bool wantsFullScreenLayout_ = false;
    CGSize popoverSize_{320, 1100};
    UIViewController* parent_ = nullptr;      // unretained container
    UIViewController* presenter_ = nullptr;   // unretained; set while presented
    UIPopoverController* popover_ = nullptr;  // unretained; set while shown in a popover
    std::shared_ptr<UIViewController> modal_;
    std::shared_ptr<UIViewController> dismissing_;  // kept until its slide ends
    UIModalTransitionStyle modalTransitionStyle_ = UIModalTransitionStyleCoverVertical;
    UIInterfaceOrientation orientation_ = UIInterfaceOrientationPortrait;
    bool visible_ = false;
    int appearance_ = 0;  // 0 none, 1 appearing, -1 disappearing
    bool appearanceAnimated_ = false;
    bool transitioning_ = false;
};

using UIViewControllerPtr = std::shared_ptr<UIViewController>;
