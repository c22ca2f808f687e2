// The bookmark list's search with its dimming overlay, batch editing and removal, the
// long-press sheet and the mail of selected bookmarks.

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

class BookmarksEditingTest : public BookmarksTest {
protected:
    void TearDown() override {
        NSNotificationCenter::defaultCenter().removeObserver(this);
        MFMailComposeViewController::setCanSendMailForTesting(std::nullopt);
        BookmarksTest::TearDown();
    }
    void countNotifications() {
        for (const char* name : {"BookmarkDidChange", "TranslationDidChange"})
            NSNotificationCenter::defaultCenter().addObserver(this, name, [this, name] { posted.push_back(name); });
    }
    void select(BookmarksViewController& list, NSIndexPath path) {
        tapRow(list, path);
        ASSERT_TRUE(list.sections()[path.section]->AllBookmarks()[path.row]->IsSelected());
    }
    std::vector<std::string> posted;
};

TEST_F(BookmarksEditingTest, SearchFiltersWhileTypingUnderTheOverlay) {
    addBookmark(2, 255, 0);
    addBookmark(3, 7, 0, "Read at dawn");
    addBookmark(4, 1, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    list.txtSearchBar->becomeFirstResponder();
    settle();
    EXPECT_TRUE(list.isTextFilterResults());
    EXPECT_TRUE(list.viewOpaqueLayer->isUserInteractionEnabled());
    EXPECT_DOUBLE_EQ(list.viewOpaqueLayer->alpha(), 0.05);
    EXPECT_DOUBLE_EQ(list.viewBgSearch->alpha(), 0.05);

    // Each character reloads; the text typed last is the one listed.
    backend.typeText("D");
    backend.typeText("a");
    backend.typeText("wn");
    for (int i = 0; i < 20 && (list.loadingBookmarks() || list.lastLoadedSearch() != "Dawn"); ++i) {
        waitForLoad(list);
        settle(250);
    }
    EXPECT_EQ(list.lastLoadedSearch(), "Dawn");
    EXPECT_EQ(chapters(list), std::vector<int>{3});  // the note matches, whatever the case
    EXPECT_DOUBLE_EQ(list.tblBookmarks->alpha(), 1);

    // A tap on the overlay ends the editing without opening the row beneath it.
    const CGRect rowRect = list.tblBookmarks->rectForRowAtIndexPath(NSIndexPath{0, 0});
    backend.tap(screenCentre(*list.tblBookmarks, rowRect));
    settle();
    EXPECT_TRUE(app->opened.empty());
    EXPECT_FALSE(list.txtSearchBar->isFirstResponder());
    EXPECT_FALSE(list.viewOpaqueLayer->isUserInteractionEnabled());
    EXPECT_DOUBLE_EQ(list.viewOpaqueLayer->alpha(), 0);
    EXPECT_TRUE(list.isTextFilterResults());  // the text still filters

    // With the overlay gone, touches reach the list again.
    tapRow(list, NSIndexPath{0, 0});
    ASSERT_EQ(app->opened.size(), 1u);
    EXPECT_EQ(app->opened[0].surah, 3);

    // Cancel keeps the text and its filter; clearing the text lists everything again.
    list.searchBarCancelButtonClicked(list.txtSearchBar.get());
    waitForLoad(list);
    EXPECT_EQ(list.txtSearchBar->text(), "Dawn");
    EXPECT_EQ(chapters(list), std::vector<int>{3});
    list.txtSearchBar->setText("");
    list.searchBarTextDidChange(list.txtSearchBar.get(), "");
    waitForLoad(list);
    list.searchBarTextDidEndEditing(list.txtSearchBar.get());
    EXPECT_FALSE(list.isTextFilterResults());
    EXPECT_EQ(chapters(list), (std::vector<int>{2, 3, 4}));
}

TEST_F(BookmarksEditingTest, BatchRemoveDeletesExactlyTheCheckedBookmarksAndTells) {
    addBookmark(2, 5, 0);
    addBookmark(3, 1, 0);
    addBookmark(3, 9, 0, std::nullopt, true);  // made from the audio
    addBookmark(5, 2, 0);
    addBookmark(6, 4, 0);
    addBookmark(6, 8, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    countNotifications();

    list.btnMorePressed();
    settle();
    EXPECT_TRUE(list.IsEditing());
    EXPECT_TRUE(list.btnMore->isSelected());
    EXPECT_EQ(app->shownAboveTabBar, std::vector<UIView*>{list.viewBatchEditBar.get()});
    EXPECT_FALSE(list.btnBatchRemove->isEnabled());
    // In batch edit a row shows its circle and its content moves right; tapping checks it.
    auto* cell = dynamic_cast<BookmarkCell*>(list.tblBookmarks->cellForRowAtIndexPath(NSIndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(cell->cellView()->imgEditCircle);
    EXPECT_EQ(cell->cellView()->imgEditCircle->frame(), CGRectMake(1, 0, 43, 44));
    EXPECT_DOUBLE_EQ(cell->cellView()->contentView->frame().origin.x, 44);

    // Both bookmarks of chapter 3 and chapter 5's: two whole sections with one between them.
    select(list, NSIndexPath{1, 0});
    select(list, NSIndexPath{1, 1});
    select(list, NSIndexPath{2, 0});
    select(list, NSIndexPath{3, 1});
    EXPECT_TRUE(app->opened.empty());
    EXPECT_TRUE(list.btnBatchRemove->isEnabled());
    EXPECT_EQ(list.btnBatchRemove->titleForState(UIControlStateNormal), "Remove");

    list.batchEditButtonPressed(list.btnBatchRemove.get());
    settle();
    EXPECT_EQ(chapters(list), (std::vector<int>{2, 6}));
    EXPECT_EQ(verses(list, 1), std::vector<int>{4});
    // Each header still names its own chapter and count.
    ASSERT_EQ(list.sectionViews().size(), 2u);
    EXPECT_EQ(list.sectionViews()[1]->ThisBookmark()->surah(), 6);
    EXPECT_EQ(list.sectionViews()[1]->btnVerseCounter->titleForState(UIControlStateDisabled), "1");
    EXPECT_EQ(list.tblBookmarks->numberOfSections(), 2);
    EXPECT_EQ(list.tblBookmarks->numberOfRowsInSection(1), 1);

    const auto left = ChapterInfo::getAllBookmarks(db(), -1);
    std::vector<std::pair<int, int>> stored;
    for (const auto& b : left) stored.emplace_back(b->surah(), b->verse());
    EXPECT_EQ(stored, (std::vector<std::pair<int, int>>{{2, 5}, {6, 4}}));
    EXPECT_EQ(posted, std::vector<std::string>{"TranslationDidChange"});
    EXPECT_EQ(nav->tabBarItem()->badgeValue(), std::optional<std::string>("2"));

    // Removing the rest leaves batch edit and shows the notice.
    select(list, NSIndexPath{0, 0});
    select(list, NSIndexPath{1, 0});
    list.batchEditButtonPressed(list.btnBatchRemove.get());
    settle();
    EXPECT_TRUE(list.sections().empty());
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(app->hiddenAboveTabBar, std::vector<UIView*>{list.viewBatchEditBar.get()});
    EXPECT_FALSE(list.btnMore->isEnabled());
    EXPECT_EQ(list.lblNoBookmarks->alpha(), 1);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 0), 0);
}

TEST_F(BookmarksEditingTest, BatchMoveGoesThroughTheGroupsScreenAndTheListReloadsAfter) {
    addBookmark(2, 5, 0);
    addBookmark(3, 1, 1);
    addBookmark(4, 2, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    countNotifications();
    list.btnMorePressed();
    settle();
    select(list, NSIndexPath{0, 0});
    select(list, NSIndexPath{2, 0});
    const int loads = list.loadsCompleted();
    list.batchEditButtonPressed(list.btnBatchMove.get());
    settle();
    auto* moving = dynamic_cast<BookmarkGroupsViewController*>(tabs->modalViewController());
    ASSERT_NE(moving, nullptr);
    ASSERT_TRUE(moving->IsMovingMode());
    ASSERT_EQ(moving->arrBookmarks().size(), 2u);
    EXPECT_EQ(moving->arrBookmarks()[1]->surah(), 4);

    backend.tap(screenCentre(*moving->tblGroups, moving->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, 3})));
    settle();
    waitForLoad(list);
    EXPECT_EQ(tabs->modalViewController(), nullptr);
    EXPECT_EQ(posted, std::vector<std::string>{"BookmarkDidChange"});
    EXPECT_EQ(ChapterInfo::getBookmarkCount(db(), -1, 3), 2);
    EXPECT_EQ(list.loadsCompleted(), loads + 1);  // stale from the move, reloaded once on reappearing
    for (const auto& section : list.sections())
        EXPECT_EQ(section->AllBookmarks()[0]->BookmarkGroup(), section->surah() == 3 ? 1 : 3);
}

TEST_F(BookmarksEditingTest, LeavingBatchEditClearsTheChecks) {
    addBookmark(2, 5, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    auto keep = list.shared_from_this();  // the pop releases the screen
    list.btnMorePressed();
    settle();
    select(list, NSIndexPath{0, 0});
    list.btnGroupPressed();  // Groups in batch edit leaves it first
    settle();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_FALSE(list.sections()[0]->AllBookmarks()[0]->IsSelected());
    EXPECT_EQ(nav->topViewController(), groups.get());
}

TEST_F(BookmarksEditingTest, LongPressOffersTheNoteAndUnbookmarkRemovesTheRow) {
    addBookmark(2, 5, 0, "kept");
    addBookmark(2, 6, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    UITableView& table = *list.tblBookmarks;
    struct Case {
        int row;
        const char* noteButton;
    };
    for (const Case& c : {Case{0, "Edit Note"}, Case{1, "Add Note"}}) {
        SCOPED_TRACE(c.row);
        backend.longPress(screenCentre(table, table.rectForRowAtIndexPath(NSIndexPath{0, c.row})), 0.9);
        settle();
        ASSERT_NE(list.actionSheet(), nullptr);
        ASSERT_TRUE(list.actionSheet()->isVisible());
        EXPECT_EQ(list.actionSheet()->cancelButtonIndex(), 3);
        EXPECT_EQ(list.actionSheet()->title(), c.row == 0 ? "Sura 2, Aya 5" : "Sura 2, Aya 6");
        EXPECT_EQ(list.actionSheet()->buttonTitleAtIndex(0), c.noteButton);
        EXPECT_EQ(list.selectedCell(), (NSIndexPath{0, c.row}));
        list.actionSheet()->clickButtonAtIndex(3);  // Cancel
        settle();
        EXPECT_FALSE(list.selectedCell().has_value());
    }
    EXPECT_TRUE(app->opened.empty());

    // "Edit Note" opens the note editor for that verse.
    backend.longPress(screenCentre(table, table.rectForRowAtIndexPath(NSIndexPath{0, 0})), 0.9);
    settle();
    list.actionSheet()->clickButtonAtIndex(0);
    settle();
    auto* editor = dynamic_cast<AddBookmarkNote*>(tabs->modalViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->verse(), 5);
    list.dismissModalViewControllerAnimated(false);
    settle();

    backend.longPress(screenCentre(table, table.rectForRowAtIndexPath(NSIndexPath{0, 1})), 0.9);
    settle();
    list.actionSheet()->clickButtonAtIndex(1);  // Unbookmark
    settle();
    EXPECT_EQ(verses(list, 0), std::vector<int>{5});
    EXPECT_FALSE(ChapterInfo::isBookmarked(db(), 2, 6));
}

TEST_F(BookmarksEditingTest, NoteMarkOpensTheNoteAndSwipeDeleteRemovesTheVerse) {
    addBookmark(2, 5, 0, "kept");
    addBookmark(2, 6, 0);
    addBookmark(2, 6, 0, std::nullopt, true);  // the same verse, also bookmarked from the audio
    launch();
    BookmarksViewController& list = openGroup(0);
    UITableView& table = *list.tblBookmarks;
    auto* noted = dynamic_cast<BookmarkCell*>(table.cellForRowAtIndexPath(NSIndexPath{0, 0}));
    ASSERT_NE(noted, nullptr);
    const UIButton& mark = *noted->cellView()->btnVerseMeta;
    backend.tap(screenCentre(mark, mark.bounds()));
    settle();
    auto* editor = dynamic_cast<AddBookmarkNote*>(tabs->modalViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->verse(), 5);
    EXPECT_TRUE(app->opened.empty());
    tabs->dismissModalViewControllerAnimated(false);
    settle();

    countNotifications();
    const CGRect row = table.rectForRowAtIndexPath(NSIndexPath{0, 1});
    backend.swipe(screenCentre(table, CGRectMake(220, row.origin.y, 80, row.size.height)),
                  screenCentre(table, CGRectMake(60, row.origin.y, 80, row.size.height)));
    settle();
    auto* swiped = table.cellForRowAtIndexPath(NSIndexPath{0, 1});
    ASSERT_NE(swiped, nullptr);
    ASSERT_NE(swiped->deleteConfirmationButton(), nullptr);
    EXPECT_EQ(swiped->deleteConfirmationButton()->titleForState(UIControlStateNormal), " - ");
    const UIButton& confirm = *swiped->deleteConfirmationButton();
    backend.tap(screenCentre(confirm, confirm.bounds()));
    settle();
    EXPECT_EQ(verses(list, 0), std::vector<int>{5});
    EXPECT_FALSE(ChapterInfo::isBookmarked(db(), 2, 6));
    EXPECT_EQ(posted, std::vector<std::string>{"TranslationDidChange"});
}

TEST_F(BookmarksEditingTest, MailOfSelectedBookmarksEscapesTheirTexts) {
    addBookmark(2, 5, 0, "a <b> & \"c\"\nnext");
    addBookmark(2, 6, 0);
    launch();
    BookmarksViewController& list = openGroup(0);
    for (auto& record : list.sections()[0]->AllBookmarks()) record->setIsSelected(true);

    NSUserDefaults::standardUserDefaults().setInteger(0, "CurrentTranslationv22");
    std::string body = list.mailBodyForSelection();
    EXPECT_EQ(body.find("I would like to share the following Qur&#39;anic verses with you:<br><br>"), 0u) << body;
    EXPECT_NE(body.find("<b>Surah 2, Verse 5</b>:<br><div dir='rtl'>"), std::string::npos);
    EXPECT_NE(body.find("<br><br>Notes:<br>a &lt;b&gt; &amp; &quot;c&quot;<br>next<br><hr><br><b>Surah 2, Verse 6</b>"),
              std::string::npos)
        << body;
    EXPECT_EQ(body.find("Translation"), std::string::npos);
    EXPECT_NE(body.find("</div><br><br><hr><br><br><br><br><a href='"), std::string::npos) << body;

    NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentTranslationv22");
    body = list.mailBodyForSelection();
    EXPECT_NE(body.find("<b>Translation</b>:<br>"), std::string::npos);

    MFMailComposeViewController::setCanSendMailForTesting(false);
    list.btnMorePressed();
    list.batchEditButtonPressed(list.btnBatchShare.get());
    settle();
    ASSERT_NE(list.lastAlert(), nullptr);
    EXPECT_EQ(list.lastAlert()->title(), "Email Not Setup");
    EXPECT_EQ(tabs->modalViewController(), nullptr);
}

}  // namespace
