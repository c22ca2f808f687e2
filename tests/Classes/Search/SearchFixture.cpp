#include "tests/Classes/Search/SearchFixture.h"

#include <filesystem>

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

#include <sqlite3.h>
#include "tests/support/ScreenTouches.h"

void SearchAppDelegate::filterSearchViewWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) {
    if (!searchNav) return;
    if (auto* shown = dynamic_cast<SearchScreen*>(searchNav->topViewController())) {
        shown->filterWithSavedSearch(savedSearch);
        return;
    }
    UIViewControllerPtr screen = ShellScreenFactory::make("SearchView");
    if (auto* search = dynamic_cast<SearchScreen*>(screen.get())) search->filterWithSavedSearch(savedSearch);
    searchNav->pushViewController(screen, true);
}

void SearchTest::SetUp() {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, scale());
    UIImage::clearNamedCache();
    UIView::setAnimationsEnabled(true);
    backend.attach();
    UIViewController::installPlatformHooks();
    UIApplication::sharedApplication().setStatusBarHidden(true);
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    ASSERT_TRUE(std::filesystem::exists(Paths::bundleResource("lumeno.db"))) << "content database not built";
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(Paths::documents() + "/lumenodyn.db" + suffix);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    for (const char* key : {"FirstTimeInstall", "LastSearchString", "LastSearchYOffset", "LastTranslationSearched"})
        defaults.removeObjectForKey(key);
    defaults.setInteger(3, "CurrentTranslationv22");
    app = std::make_unique<SearchAppDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
    SearchViewController::registerInterface();
}

void SearchTest::TearDown() {
    // No worker may still be reading when the databases close.
    if (nav)
        for (const auto& controller : nav->viewControllers())
            if (auto* screen = dynamic_cast<SearchViewController*>(controller.get()))
                RunLoop::main().runUntil([screen] { return !screen->loadingResults(); }, 20);
    if (history)
        RunLoop::main().runUntil([this] { return !history->isSettingUp() && !history->isReflecting(); }, 20);
    if (window) window->setRootViewController(nullptr);
    history.reset();
    nav.reset();
    tabs.reset();
    window.reset();
    settle();
    app.reset();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
}

void SearchTest::launch() {
    window = std::make_shared<UIWindow>();
    history = std::dynamic_pointer_cast<SavedSearchesViewController>(ShellScreenFactory::make("SavedSearches"));
    ASSERT_TRUE(history);
    nav = std::make_shared<UINavigationController>(history);
    nav->setTabBarItem(std::make_shared<UITabBarItem>("Search", UIImage::imageNamed("tab-search.png"), 2));
    app->searchNav = nav.get();
    auto quran = std::make_shared<UIViewController>();
    quran->setTabBarItem(std::make_shared<UITabBarItem>("Quran", UIImage::imageNamed("tab-quran.png"), 0));
    tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({quran, nav});
    tabs->setSelectedIndex(1);
    window->setRootViewController(tabs);
    window->makeKeyAndVisible();
    settle();
    waitForHistory();
}

SearchViewController& SearchTest::openSearch() {
    history->btnSearchPressed();
    settle();
    auto* screen = dynamic_cast<SearchViewController*>(nav->topViewController());
    EXPECT_NE(screen, nullptr);
    waitForSearch(*screen);
    return *screen;
}

SearchViewController& SearchTest::launchIntoSearch() {
    NSUserDefaults::standardUserDefaults().setInteger(1, "FirstTimeInstall");
    launch();
    return openSearch();
}

void SearchTest::search(SearchViewController& screen, const std::string& text) {
    screen.txtSearchBar->setText(text);
    settle(250);
    waitForSearch(screen);
}

void SearchTest::settle(double ms) {
    backend.advance(ms);
    backend.runUntilIdle();
}

void SearchTest::waitForSearch(SearchViewController& screen) {
    EXPECT_TRUE(RunLoop::main().runUntil([&screen] { return !screen.loadingResults(); }, 20)) << "the search never ended";
    settle();
}

void SearchTest::waitForHistory() {
    EXPECT_TRUE(RunLoop::main().runUntil([this] { return !history->isSettingUp() && !history->isReflecting(); }, 20))
        << "the history never finished";
    settle();
}

CGPoint SearchTest::screenCentre(const UIView& view, CGRect rect) { return screen_touches::screenCentre(view, rect); }

void SearchTest::tapRow(UITableView& table, NSIndexPath path) {
    screen_touches::tapRow(backend, table, path, [this] { settle(); });
}

std::vector<int> SearchTest::chapters(const SearchViewController& screen) {
    std::vector<int> out;
    for (const auto& section : screen.sections()) out.push_back(section->surah());
    return out;
}

std::vector<int> SearchTest::verses(const SearchViewController& screen, int section) {
    std::vector<int> out;
    for (const auto& hit : screen.sections().at(section)->AllResults()) out.push_back(hit->verse());
    return out;
}

std::vector<std::string> SearchTest::historyTexts() const {
    std::vector<std::string> out;
    for (const auto& saved : ChapterInfo::getSavedSearch(db())) out.push_back(saved->strSearchText());
    return out;
}

int SearchTest::markCount() const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db(), "SELECT count(*) FROM searchmatches", -1, &stmt, nullptr) != SQLITE_OK) return -1;
    const int n = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    return n;
}
