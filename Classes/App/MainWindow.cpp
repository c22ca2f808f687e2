#include "Classes/App/MainWindow.h"

#include <map>

#include "Classes/App/ShellScreens.h"
#include "Classes/App/TabBarViewController.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

std::map<std::string, MainWindow::Builder>& builders() {
    static std::map<std::string, MainWindow::Builder> m;
    return m;
}

struct Tab {
    const char* root;   // screen maker name
    const char* title;  // tab title key
    const char* image;
};

constexpr Tab kTabs[] = {
    {"IndexView", "Quran", "tab-quran.png"},
    {"BookmarkGroups", "Bookmarks", "tab-bookmarks.png"},
    {"SavedSearches", "Search", "tab-search.png"},
    {"More", "More", "tab-more.png"},
};

}  // namespace

void MainWindow::registerInterface(const std::string& name, Builder builder) { builders()[name] = std::move(builder); }

std::optional<MainWindowOutlets> MainWindow::load(const std::string& name) {
    auto it = builders().find(name);
    if (it != builders().end() && it->second) return it->second();
    if (name == "MainWindow") return build();
    return std::nullopt;
}

MainWindowOutlets MainWindow::build() {
    MainWindowOutlets outlets;
    outlets.window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    auto tabs = std::make_shared<TabBarViewController>();
    // The tab bar controller covers the whole screen: the tab bar sits at its bottom edge.
    tabs->setWantsFullScreenLayout(true);
    std::vector<UIViewControllerPtr> controllers;
    long tag = 0;
    for (const Tab& tab : kTabs) {
        auto nav = std::make_shared<UINavigationController>(ShellScreenFactory::make(tab.root));
        nav->setTabBarItem(std::make_shared<UITabBarItem>(tab.title, UIImage::imageNamed(tab.image), tag++));
        controllers.push_back(nav);
    }
    tabs->setViewControllers(std::move(controllers));
    outlets.tabBarController = tabs;
    return outlets;
}
