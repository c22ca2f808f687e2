#pragma once
// The tab bar (items with images, titles and badges) and the controller that
// shows one of its child controllers above it.

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIViewController.h"

class UITabBar;

class UITabBarDelegate {
public:
    virtual ~UITabBarDelegate() = default;
    // Also sent when the selected item is tapped again. A tab bar controller
    // sends it before it switches tabs.
    virtual void tabBarDidSelectItem(UITabBar* tabBar, UITabBarItem* item) {}
};

class UITabBar : public UIView {
public:
    explicit UITabBar(CGRect frame = CGRectMake(0, 431, 320, 49));
    const std::vector<std::shared_ptr<UITabBarItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<UITabBarItem>> items, bool animated = false);
    UITabBarItem* selectedItem() const { return selected_; }
    void setSelectedItem(UITabBarItem* item);
    UITabBarDelegate* delegate() const { return delegate_; }
    void setDelegate(UITabBarDelegate* d) { delegate_ = d; }  // unretained
    // The controller that owns the bar takes taps first (it switches tabs).
    void setTapHandler(std::function<void(int index)> handler) { onTap_ = std::move(handler); }
    // Index of the item under a point (bar coordinates), or -1.
    int itemIndexAt(CGPoint p) const;
    void drawRect(CGRect rect) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override {}
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override {}

private:
    std::vector<std::shared_ptr<UITabBarItem>> items_;
    UITabBarItem* selected_ = nullptr;
    UITabBarDelegate* delegate_ = nullptr;
    std::function<void(int)> onTap_;
    int pressed_ = -1;
};

class UITabBarController;

class UITabBarControllerDelegate {
public:
    virtual ~UITabBarControllerDelegate() = default;
    virtual bool shouldSelectViewController(UITabBarController* tbc, UIViewController* controller) { return true; }
    virtual void didSelectViewController(UITabBarController* tbc, UIViewController* controller) {}
};

class UITabBarController : public UIViewController, public UITabBarDelegate {
public:
    explicit UITabBarController(const std::string& nibName = "");

    UITabBarControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(UITabBarControllerDelegate* d) { delegate_ = d; }  // unretained

    const std::vector<UIViewControllerPtr>& viewControllers() const { return controllers_; }
    void setViewControllers(std::vector<UIViewControllerPtr> controllers, bool animated = false);
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int index);
    UIViewController* selectedViewController() const;
    void setSelectedViewController(UIViewController* controller);
    // The bar: a subview of the controller's view beside the content container.
    UITabBar* tabBar();
    // The view the selected controller's view lives in.
    UIView* transitionView() const { return container_.get(); }
    // Re-reads the items of the controllers (titles and badges changed).
    void tabBarItemsChanged();

    void loadView() override;
    std::vector<UIViewController*> childViewControllers() const override;
    std::vector<UIViewController*> visibleChildViewControllers() const override;

    // A tap on the item at the index, as a finger makes it.
    void tabTapped(int index);
    // A pushed screen that hides the bottom bar: the bar goes and the content
    // takes its place (navigation controllers call this).
    void setTabBarHiddenByPush(bool hidden);
    bool isTabBarHiddenByPush() const { return hiddenByPush_; }

private:
    void show(int index);
    UITabBarControllerDelegate* delegate_ = nullptr;
    std::vector<UIViewControllerPtr> controllers_;
    int selected_ = -1;
    std::shared_ptr<UITabBar> tabBar_;
    std::shared_ptr<UIView> container_;
    bool hiddenByPush_ = false;
};

using UITabBarControllerPtr = std::shared_ptr<UITabBarController>;
