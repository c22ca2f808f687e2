// The bookmark list: loading by group into chapter sections, opening a verse, collapsing,
// staleness, the tab badge and the keyboard.

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "tests/support/DamagedPages.h"

namespace {

using BookmarksListTest = BookmarksTest;

TEST_F(BookmarksListTest, ListsOneGroupOrAllGroupsInChapterSections) {
    addBookmark(18, 10, 2);
    addBookmark(2, 255, 0);
    addBookmark(2, 7, 2, "remember");
    addBookmark(2, 286, 1);
    addBookmark(36, 1, 2);
    launch();
    struct Case {
        int group;
        std::vector<int> chapters;
        std::vector<int> firstVerses;
    };
    const Case cases[] = {
        {0, {2, 18, 36}, {7, 255, 286}},  // every group, also the bookmarks without one
        {2, {2, 18, 36}, {7}},
        {1, {2}, {286}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        BookmarksViewController& list = openGroup(c.group);
        EXPECT_EQ(chapters(list), c.chapters);
        EXPECT_EQ(verses(list, 0), c.firstVerses);
        for (size_t s = 0; s < list.sections().size(); ++s) {
            const auto& section = list.sections()[s];
            EXPECT_TRUE(section->IsSurahSection());
            EXPECT_EQ(section->SectionBookmarkCount(), static_cast<int>(section->AllBookmarks().size()));
            // Only the last row of a chapter has no separator.
            for (size_t r = 0; r < section->AllBookmarks().size(); ++r)
                EXPECT_EQ(section->AllBookmarks()[r]->IsLastInSection(), r + 1 == section->AllBookmarks().size());
            EXPECT_EQ(list.sectionViews()[s]->btnVerseCounter->titleForState(UIControlStateDisabled),
                      std::to_string(section->AllBookmarks().size()));
            EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(static_cast<int>(s)),
                      static_cast<int>(section->AllBookmarks().size()));
        }
        EXPECT_TRUE(list.btnMore->isEnabled());
        EXPECT_EQ(list.lblNoBookmarks->alpha(), 0);
        EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("LastCurrentGroupFilter"), c.group);
        nav->popViewControllerAnimated(false);
        settle();
    }

    // A group without bookmarks: an empty table, the notice and a disabled edit button.
    BookmarksViewController& empty = openGroup(3);
    EXPECT_TRUE(empty.sections().empty());
    EXPECT_EQ(empty.lblNoBookmarks->text(), "No Bookmarks Found");
    EXPECT_EQ(empty.lblNoBookmarks->alpha(), 1);
    EXPECT_FALSE(empty.btnMore->isEnabled());
}

TEST_F(BookmarksListTest, TappingARowOpensThatVerseThroughTheApplication) {
    addBookmark(2, 255, 0);
    addBookmark(3, 5, 0, std::nullopt, true);
    launch();
    BookmarksViewController& list = openGroup(0);
    tapRow(list, NSIndexPath{1, 0});
    tapRow(list, NSIndexPath{0, 0});
    const std::vector<OpenedVerse> expected = {{3, 5, true, false}, {2, 255, false, false}};
    EXPECT_EQ(app->opened, expected);
    EXPECT_FALSE(list.tblBookmarks->indexPathForSelectedRow().has_value());
}

TEST_F(BookmarksListTest, CollapsedChapterStaysCollapsedAcrossReloads) {
    addBookmark(2, 5, 0);
    addBookmark(2, 6, 0);
    addBookmark(4, 1, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    BookmarkCellView& header = *list.sectionViews()[0];
    backend.tap(screenCentre(*header.btnCollapse, header.btnCollapse->bounds()));
    settle();
    EXPECT_TRUE(list.sections()[0]->IsSectionCollapsed());
    EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(0), 0);
    EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(1), 1);
    EXPECT_TRUE(ChapterInfo::hasBookmarkSectionCollapsed(db(), 2));
    EXPECT_DOUBLE_EQ(header.imgCollapseArrow->transform().b, -1);  // a quarter turn counter-clockwise

    list.bookmarkDidChange();
    list.refreshView();
    waitForLoad(list);
    ASSERT_EQ(chapters(list), (std::vector<int>{2, 4}));
    EXPECT_TRUE(list.sections()[0]->IsSectionCollapsed());
    EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(0), 0);
    EXPECT_EQ(list.sectionViews()[0]->btnVerseCounter->titleForState(UIControlStateDisabled), "2");

    // Expanding brings the rows back.
    list.sectionViews()[0]->btnCollapsePressed();
    settle();
    EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(0), 2);
    EXPECT_FALSE(ChapterInfo::hasBookmarkSectionCollapsed(db(), 2));
    EXPECT_TRUE(CGAffineTransformIsIdentity(list.sectionViews()[0]->imgCollapseArrow->transform()));
}

TEST_F(BookmarksListTest, ChangeWhileHiddenReloadsOnceWhenShownAgainAndTheBadgeShowsOnlyOnScreen) {
    addBookmark(2, 5, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    const int loads = list.loadsCompleted();
    EXPECT_EQ(nav->tabBarItem()->badgeValue(), std::optional<std::string>("1"));

    // Cover the list; changes made meanwhile only mark it stale.
    auto cover = std::make_shared<UIViewController>();
    nav->pushViewController(cover, false);
    settle();
    EXPECT_EQ(nav->tabBarItem()->badgeValue(), std::nullopt);
    addBookmark(7, 206, 0);
    for (const char* name : {"BookmarkDidChange", "TranslationDidChange", "BookmarkDidChange"})
        NSNotificationCenter::defaultCenter().postNotificationName(name);
    settle();
    EXPECT_TRUE(list.bookmarksChanged());
    EXPECT_FALSE(list.loadingBookmarks());
    EXPECT_EQ(list.loadsCompleted(), loads);

    nav->popViewControllerAnimated(false);
    settle();
    waitForLoad(list);
    EXPECT_EQ(list.loadsCompleted(), loads + 1);
    EXPECT_FALSE(list.bookmarksChanged());
    EXPECT_EQ(chapters(list), (std::vector<int>{2, 7}));
    EXPECT_EQ(nav->tabBarItem()->badgeValue(), std::optional<std::string>("2"));

    // Shown again with nothing changed: no load.
    nav->pushViewController(cover, false);
    settle();
    nav->popViewControllerAnimated(false);
    settle();
    EXPECT_FALSE(list.loadingBookmarks());
    EXPECT_EQ(list.loadsCompleted(), loads + 1);
}

TEST_F(BookmarksListTest, ScrollOffsetIsKeptForTheSameGroupAndDroppedForAnother) {
    for (int verse = 1; verse <= 30; ++verse) addBookmark(2, verse, 1);
    launch();
    BookmarksViewController& list = openGroup(1);
    list.tblBookmarks->setContentOffset(CGPointMake(0, 400), false);
    nav->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("LastBookmarkYOffset"), 400);

    BookmarksViewController& again = openGroup(1);
    EXPECT_DOUBLE_EQ(again.tblBookmarks->contentOffset().y, 400);
    nav->popViewControllerAnimated(false);
    settle();

    BookmarksViewController& other = openGroup(0);
    EXPECT_DOUBLE_EQ(other.tblBookmarks->contentOffset().y, 0);
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("LastCurrentGroupFilter"), 0);
}

TEST_F(BookmarksListTest, KeyboardShrinksTheTableOnceAndGivesTheRoomBack) {
    addBookmark(2, 5, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    const double height = list.tblBookmarks->frame().size.height;
    list.txtSearchBar->becomeFirstResponder();
    settle();
    ASSERT_TRUE(list.keyboardIsShowing());
    const double d = UIKeyboard::userInfo().bounds.size.height - list.txtSearchBar->frame().size.height - 5;
    EXPECT_DOUBLE_EQ(list.tblBookmarks->frame().size.height, height - d);
    list.keyboardWillShow();  // a repeated show (a frame change) does not shrink it again
    settle();
    EXPECT_DOUBLE_EQ(list.tblBookmarks->frame().size.height, height - d);
    list.txtSearchBar->resignFirstResponder();
    settle();
    EXPECT_FALSE(list.keyboardIsShowing());
    EXPECT_DOUBLE_EQ(list.tblBookmarks->frame().size.height, height);
}

}  // namespace

TEST_F(BookmarksListTest, OnADamagedBookmarksPageTheListAndTheBadgeShowTheSameBookmarks) {
    for (int verse : {5, 6, 7}) addBookmark(2, verse, 0, std::string("note"));
    const std::string path = LumenoSDKAppDelegate::userDatabasePath();
    app->closeDatabases();
    app.reset();
    // The table's one page is damaged; its index still names the three.
    const std::vector<long long> pages = damaged_pages::pagesOf(path, "bookmarks");
    ASSERT_EQ(pages.size(), 1u);
    damaged_pages::damage(path, pages[0]);
    app = std::make_unique<RecordingAppDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());

    launch();
    BookmarksViewController& list = openGroup(0);
    EXPECT_EQ(chapters(list), (std::vector<int>{2}));
    EXPECT_EQ(verses(list, 0), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(nav->tabBarItem()->badgeValue(), std::optional<std::string>("3"));
    EXPECT_EQ(list.lblNoBookmarks->alpha(), 0);  // no "No Bookmarks Found"
}
