// The bookmark groups screen: counts per group, opening a group, and moving bookmarks.

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "Classes/Bookmarks/BookmarkGroupCellView.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"

namespace {

class BookmarkGroupsTest : public BookmarksTest {
protected:
    BookmarkGroupCellView* row(BookmarkGroupsViewController& screen, int group) {
        return dynamic_cast<BookmarkGroupCellView*>(screen.tblGroups->cellForRowAtIndexPath(NSIndexPath{0, group}));
    }
};

TEST_F(BookmarkGroupsTest, RowsShowEachGroupsCountAndAllCountsEveryBookmark) {
    addBookmark(2, 255, 0);
    addBookmark(3, 1, 2);
    addBookmark(3, 2, 2);
    addBookmark(18, 10, 4);
    launch();
    struct Case {
        int group;
        const char* title;
        const char* count;
    };
    const Case cases[] = {{0, "All Bookmarks", "4"}, {1, "Reading", ""}, {2, "Memorizing", "2"},
                          {3, "Interesting", ""},    {4, "Discussion", "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        BookmarkGroupCellView* cell = row(*groups, c.group);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->lblTitle()->text(), c.title);
        EXPECT_EQ(cell->detailTextLabel()->text(), c.count);
        EXPECT_EQ(cell->frame().size.height, 60);
    }
    EXPECT_TRUE(groups->btnCancel->isHidden());
    EXPECT_EQ(groups->lblBottomNotice->text(), "Tap on a group to filter bookmarks");

    // A bookmark added elsewhere shows in the counts the next time the screen appears.
    addBookmark(3, 3, 2);
    app->filterBookmarksOnGroup(3);
    settle();
    nav->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(row(*groups, 2)->detailTextLabel()->text(), "3");
}

TEST_F(BookmarkGroupsTest, RowsShrinkInLandscape) {
    launch();
    ASSERT_TRUE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationLandscapeRight));
    settle();
    EXPECT_EQ(groups->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, 4}).size.height, 44);
    ASSERT_TRUE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationPortrait));
    settle();
    EXPECT_EQ(groups->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, 4}).size.height, 60);
}

TEST_F(BookmarkGroupsTest, TappingAGroupOpensItsListOnTheTab) {
    addBookmark(5, 3, 3);
    launch();
    backend.tap(screenCentre(*groups->tblGroups, groups->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, 3})));
    settle();
    auto* list = dynamic_cast<BookmarksViewController*>(nav->topViewController());
    ASSERT_NE(list, nullptr);
    waitForLoad(*list);
    EXPECT_EQ(list->currentGroupFilter(), 3);
    EXPECT_EQ(list->lblNavTitle->text(), "Interesting");
    EXPECT_EQ(chapters(*list), std::vector<int>{5});
}

TEST_F(BookmarkGroupsTest, MovingModeMovesTheGivenBookmarksAndCancelMovesNothing) {
    addBookmark(2, 5, 1);
    addBookmark(2, 6, 3);
    addBookmark(9, 1, 0);
    launch();
    int changes = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "BookmarkDidChange", [&changes] { ++changes; });

    auto present = [&](Bookmark::List bookmarks) {
        auto moving = std::make_shared<BookmarkGroupsViewController>("BookmarkGroups");
        moving->setupMovingMode(std::move(bookmarks));
        groups->presentModalViewController(moving, false);
        settle();
        return moving;
    };
    auto moving = present(ChapterInfo::getAllBookmarks(db(), 2, -1));
    ASSERT_EQ(tabs->modalViewController(), moving.get());
    EXPECT_EQ(moving->lblTopLabel->text(), "Move Bookmarks (2)");
    EXPECT_EQ(moving->lblBottomNotice->text(), "To on a group to move selected bookmarks to");
    EXPECT_FALSE(moving->btnCancel->isHidden());
    EXPECT_EQ(row(*moving, 0)->lblTitle()->text(), "No Group");
    EXPECT_EQ(row(*moving, 0)->detailTextLabel()->text(), "");

    moving->btnCancelPressed();
    settle();
    EXPECT_EQ(tabs->modalViewController(), nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 1), 1);

    moving = present(ChapterInfo::getAllBookmarks(db(), 2, -1));
    backend.tap(screenCentre(*moving->tblGroups, moving->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, 4})));
    settle();
    EXPECT_EQ(tabs->modalViewController(), nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 4), 2);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 1), 0);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 0), 3);
    EXPECT_EQ(ChapterInfo::getAllBookmarks(db(), 9, 0).size(), 1u);  // the one not passed keeps no group
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

}  // namespace
