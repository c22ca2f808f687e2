#pragma once
// The root tab bar controller: hands tab taps (re-taps included) to the application
// delegate and rotation questions to the selected tab.

#include <memory>

#include "platform/ui/hosting/UITabBarController.h"

class LumenoAppShell;

class TabBarViewController : public UITabBarController {
public:
    explicit TabBarViewController(const std::string& nibName = "");

    // Unretained: the delegate owns this controller.
    void setLumenoApp(LumenoAppShell* app) { LumenoApp_ = app; }
    LumenoAppShell* LumenoApp() const { return LumenoApp_; }
    // The first tab's controller, set when the view loads.
    UIViewController* viewController() const { return viewController_.get(); }

    void viewDidLoad() override;
    UIViewController* getViewControllerAtIndex(int index) const;
    // The index that was selected when the tap being handled began (the selected index
    // outside a tap), so a re-tap can be told from a switch.
    int selectedIndexBeforeTap() const { return tapping_ ? indexBeforeTap_ : selectedIndex(); }

    void tabBarDidSelectItem(UITabBar* tabBar, UITabBarItem* item) override;

private:
    LumenoAppShell* LumenoApp_ = nullptr;
    UIViewControllerPtr viewController_;
    bool tapping_ = false;
    int indexBeforeTap_ = -1;
};

using TabBarViewControllerPtr = std::shared_ptr<TabBarViewController>;
