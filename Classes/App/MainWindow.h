#pragma once
// The main interface: the window and the root tab bar controller with its four tabs, each a
// navigation controller around its root screen. Builders are registered by name, as
// interface files are; "MainWindow" is the program's.

#include <functional>
#include <memory>
#include <optional>
#include <string>

class TabBarViewController;
class UIWindow;

struct MainWindowOutlets {
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<TabBarViewController> tabBarController;
};

class MainWindow {
public:
    using Builder = std::function<MainWindowOutlets()>;
    static void registerInterface(const std::string& name, Builder builder);
    // The outlets of the named interface; empty when no builder has that name
    // ("MainWindow" is always there).
    static std::optional<MainWindowOutlets> load(const std::string& name = "MainWindow");
    // The program's main interface: tabs "Quran", "Bookmarks", "Search", "More" with tags 0 to 3.
    static MainWindowOutlets build();
};
