// The bookmark list's worker load: one load at a time, and a request that comes while one
// runs is loaded once it ends, with the latest group and text.

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "platform/foundation/NSUserDefaults.h"

// Drawing the list starts the text libraries' own font-loading threads, which lock inside
// those libraries where the thread sanitizer cannot see it. Only reports in them are quiet.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libharfbuzz.so\n"
           "race:libcairo.so\nrace:libglib-2.0.so\nrace:libgobject-2.0.so\n";
}

namespace {

using BookmarksLoadTest = BookmarksTest;

TEST_F(BookmarksLoadTest, RequestsDuringALoadEndInOneMoreLoadOfTheLatestGroupAndText) {
    addBookmark(2, 5, 1, "alpha");
    addBookmark(3, 5, 2, "alpha beta");
    addBookmark(4, 5, 2, "gamma");
    launch();
    BookmarksViewController& list = openGroup(1);

    // Change the group twice and the text while the first of these loads runs.
    list.setGroupFilter(0);
    ASSERT_TRUE(list.loadingBookmarks());
    list.setGroupFilter(2);
    list.txtSearchBar->setText("ALPHA");
    list.refreshView();
    waitForLoad(list);
    EXPECT_EQ(list.currentGroupFilter(), 2);
    EXPECT_EQ(list.lastLoadedSearch(), "ALPHA");
    EXPECT_EQ(chapters(list), std::vector<int>{3});
    EXPECT_EQ(list.lblNavTitle->text(), "Memorizing");
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("CurrentGroupFilter"), 2);

    // The search field's retry waits for the running load and then loads the final text.
    list.txtSearchBar->setText("gam");
    list.refreshView();
    list.txtSearchBar->setText("gamma");
    list.refreshViewWithRetry();
    EXPECT_TRUE(list.loadingBookmarks());
    for (int i = 0; i < 20 && (list.loadingBookmarks() || list.lastLoadedSearch() != "gamma"); ++i) {
        waitForLoad(list);
        settle(250);
    }
    EXPECT_EQ(list.lastLoadedSearch(), "gamma");
    EXPECT_EQ(chapters(list), std::vector<int>{4});
}

TEST_F(BookmarksLoadTest, ClosingTheListWhileItLoadsIsSafe) {
    for (int verse = 1; verse <= 50; ++verse) addBookmark(2, verse, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    list.bookmarkDidChange();
    list.refreshView();
    std::weak_ptr<UIViewController> weak = list.shared_from_this();
    nav->popViewControllerAnimated(false);
    backend.runUntilIdle();
    // The worker does not keep the screen alive; its report then goes nowhere.
    EXPECT_TRUE(weak.expired());
    RunLoop::main().runUntil([] { return RunLoop::main().pendingPostCount() > 0; }, 2);
    settle();
    EXPECT_EQ(nav->topViewController(), groups.get());
}

}  // namespace
