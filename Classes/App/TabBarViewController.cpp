#include "Classes/App/TabBarViewController.h"

#include "Classes/App/LumenoAppShell.h"

TabBarViewController::TabBarViewController(const std::string& nibName) : UITabBarController(nibName) {
    tabBar()->setTapHandler([this](int index) {
        indexBeforeTap_ = selectedIndex();
        tapping_ = true;
        tabTapped(index);
        tapping_ = false;
    });
}

void TabBarViewController::viewDidLoad() {
    viewController_ = viewControllers().empty() ? nullptr : viewControllers().front();
}

UIViewController* TabBarViewController::getViewControllerAtIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(viewControllers().size())) return nullptr;
    return viewControllers()[static_cast<size_t>(index)].get();
}

void TabBarViewController::tabBarDidSelectItem(UITabBar*, UITabBarItem* item) {
    if (LumenoApp_ && item) LumenoApp_->didSelectItem(item);
}
