#include "tests/Classes/Settings/SettingsFixture.h"

#include <filesystem>

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/Language.h"
#include "Classes/Settings/SettingsSubView.h"
#include "Classes/Settings/SettingsViewController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIScreen.h"
#include "tests/support/ScreenTouches.h"

namespace {
constexpr const char* kAnnounced[] = {"TranslationDidChange",     "ReciterDidChange",         "ArabicFontChanged",
                                      "ArabicLanguageChanged",    "TajweedBarDisplayToggled", "BookmarkDidChange",
                                      UIApplicationDidReceiveMemoryWarningNotification};
}

NotificationCounter::NotificationCounter() {
    for (const char* name : kAnnounced)
        NSNotificationCenter::defaultCenter().addObserver(this, name, [this, name] { ++counts_[name]; });
}

NotificationCounter::~NotificationCounter() { NSNotificationCenter::defaultCenter().removeObserver(this); }

int NotificationCounter::count(const std::string& name) const {
    auto it = counts_.find(name);
    return it == counts_.end() ? 0 : it->second;
}

void SettingsTest::SetUp() {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, scale());
    UIDevice::currentDevice().setSystemVersion("5.1");
    UIImage::clearNamedCache();
    UIView::setAnimationsEnabled(true);
    backend.attach();
    UIViewController::installPlatformHooks();
    UIApplication::sharedApplication().setStatusBarHidden(true);
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    ASSERT_TRUE(std::filesystem::exists(Paths::bundleResource("lumeno.db"))) << "content database not built";
    // Every test starts from the registered defaults alone.
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    for (const auto& [key, value] : d.storedValues()) d.removeObjectForKey(key);
    d.synchronize();
    LumenoSDKAppDelegate::initialize();
    Language::setLanguage("en");
    // and from a fresh user database.
    std::filesystem::remove(Paths::documents() + "/" + LumenoSDKAppDelegate::userDbFileName());
    app = std::make_unique<SettingsRecordingDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
    MoreViewController::registerInterface();
}

void SettingsTest::TearDown() {
    if (window) window->setRootViewController(nullptr);
    menu.reset();
    nav.reset();
    tabs.reset();
    window.reset();
    settle();
    app.reset();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
    UIDevice::currentDevice().setSystemVersion("5.1");
    SettingsViewController::setInstalledAudioMaker(nullptr);
}

void SettingsTest::launch() {
    window = std::make_shared<UIWindow>();
    menu = std::dynamic_pointer_cast<MoreViewController>(ShellScreenFactory::make("More"));
    ASSERT_TRUE(menu);
    nav = std::make_shared<UINavigationController>(menu);
    nav->setTabBarItem(std::make_shared<UITabBarItem>("More", UIImage::imageNamed("tab-more.png"), 3));
    auto quran = std::make_shared<UIViewController>();
    quran->setTabBarItem(std::make_shared<UITabBarItem>("Quran", UIImage::imageNamed("tab-quran.png"), 0));
    tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({quran, nav});
    tabs->setSelectedIndex(1);
    window->setRootViewController(tabs);
    window->makeKeyAndVisible();
    settle();
}

void SettingsTest::settle(double ms) {
    backend.advance(ms);
    backend.runUntilIdle();
}

void SettingsTest::tapRow(UITableView& table, NSIndexPath path) {
    screen_touches::tapRow(backend, table, path, [this] { settle(); });
}

void SettingsTest::tapView(UIView& view) {
    const CGRect r = view.convertRectToView(view.bounds(), nullptr);
    backend.tap(CGPointMake(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2));
    settle();
}

UIViewController* SettingsTest::openMenuRow(int row) {
    tapRow(*menu->tblGroups, NSIndexPath{0, row});
    return nav->topViewController();
}

SettingsViewController& SettingsTest::openSettings() {
    auto* page = dynamic_cast<SettingsViewController*>(openMenuRow(4));
    EXPECT_NE(page, nullptr);
    return *page;
}

SettingsSubView& SettingsTest::openSubPage(NSIndexPath rowInSettings) {
    SettingsViewController& settings = openSettings();
    tapRow(*settings.myTableView, rowInSettings);
    auto* page = dynamic_cast<SettingsSubView*>(nav->topViewController());
    EXPECT_NE(page, nullptr);
    return *page;
}

Value SettingsTest::storedOnDisk(const std::string& key) {
    NSUserDefaults fresh(NSUserDefaults::standardUserDefaults().filePath());
    return fresh.objectForKey(key);
}
