#include "tests/Classes/Bookmarks/BookmarksFixture.h"

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
#include "tests/support/ScreenTouches.h"

void RecordingAppDelegate::filterBookmarksOnGroup(int group) {
    if (!bookmarksNav) return;
    UIViewControllerPtr list = ShellScreenFactory::make("BookmarksView");
    if (auto* screen = dynamic_cast<BookmarkListScreen*>(list.get())) screen->setGroupFilter(group);
    lists.push_back(std::dynamic_pointer_cast<BookmarksViewController>(list));
    bookmarksNav->pushViewController(list, true);
}

void BookmarksTest::SetUp() {
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
    app = std::make_unique<RecordingAppDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
    NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentTranslationv22");
    BookmarksViewController::registerInterface();
}

void BookmarksTest::TearDown() {
    // No worker may still be reading when the databases close.
    if (app)
        for (const auto& weak : app->lists)
            if (auto list = weak.lock()) RunLoop::main().runUntil([&list] { return !list->loadingBookmarks(); }, 10);
    if (window) window->setRootViewController(nullptr);
    groups.reset();
    nav.reset();
    tabs.reset();
    window.reset();
    settle();
    app.reset();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
}

void BookmarksTest::addBookmark(int surah, int verse, int group, std::optional<std::string> note, bool audio) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), surah, verse, audio, group, note));
}

void BookmarksTest::launch() {
    window = std::make_shared<UIWindow>();
    groups = std::dynamic_pointer_cast<BookmarkGroupsViewController>(ShellScreenFactory::make("BookmarkGroups"));
    ASSERT_TRUE(groups);
    nav = std::make_shared<UINavigationController>(groups);
    nav->setTabBarItem(std::make_shared<UITabBarItem>("Bookmarks", UIImage::imageNamed("tab-bookmarks.png"), 1));
    app->bookmarksNav = nav.get();
    auto quran = std::make_shared<UIViewController>();
    quran->setTabBarItem(std::make_shared<UITabBarItem>("Quran", UIImage::imageNamed("tab-quran.png"), 0));
    tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({quran, nav});
    tabs->setSelectedIndex(1);
    window->setRootViewController(tabs);
    window->makeKeyAndVisible();
    settle();
}

BookmarksViewController& BookmarksTest::openGroup(int group) {
    app->filterBookmarksOnGroup(group);
    settle();
    auto* list = dynamic_cast<BookmarksViewController*>(nav->topViewController());
    EXPECT_NE(list, nullptr);
    waitForLoad(*list);
    return *list;
}

void BookmarksTest::settle(double ms) {
    backend.advance(ms);
    backend.runUntilIdle();
}

void BookmarksTest::waitForLoad(BookmarksViewController& list) {
    EXPECT_TRUE(RunLoop::main().runUntil([&list] { return !list.loadingBookmarks(); }, 10)) << "the load never ended";
    settle();
}

CGPoint BookmarksTest::screenCentre(const UIView& view, CGRect rect) { return screen_touches::screenCentre(view, rect); }

void BookmarksTest::tapRow(BookmarksViewController& list, NSIndexPath path) {
    screen_touches::tapRow(backend, *list.tblBookmarks, path, [this] { settle(); });
}

std::vector<int> BookmarksTest::chapters(const BookmarksViewController& list) {
    std::vector<int> out;
    for (const auto& section : list.sections()) out.push_back(section->surah());
    return out;
}

std::vector<int> BookmarksTest::verses(const BookmarksViewController& list, int section) {
    std::vector<int> out;
    for (const auto& record : list.sections().at(section)->AllBookmarks()) out.push_back(record->verse());
    return out;
}
