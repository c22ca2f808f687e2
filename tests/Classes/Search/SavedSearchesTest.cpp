// The search history: the first-start examples, recording rules, marking and unmarking hits
// for the reading view, deleting, and running a saved search again.

#include "tests/Classes/Search/SearchFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SavedSearchCell.h"
#include "Classes/Search/SavedSearchStore.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

class SavedSearchesTest : public SearchTest {
protected:
    // Records a search a little later than the one before, as a user would.
    void record(const std::string& text, int translation, int hits) {
        backend.advance(1000);
        ASSERT_TRUE(SavedSearchStore::recordSearch(db(), text, translation, hits)) << text;
    }
};

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

TEST_F(SavedSearchesTest, TheFirstStartSeedsTheExamplesOnceWithTheArabicOneMarked) {
    launch();
    const auto& list = history->savedSearches();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0]->strSearchText(), "\u0628\u0633\u0645 \u0627\u0644\u0644\u0647");
    EXPECT_EQ(list[1]->strSearchText(), "Allah AND Good");
    EXPECT_EQ(list[4]->strSearchText(), "\"This is\" OR Test");
    EXPECT_EQ(list[3]->iHitCount(), 196);
    EXPECT_TRUE(list[0]->isReflectedInSurah());
    EXPECT_FALSE(list[1]->isReflectedInSurah());
    // The marked example's eye is backed by marks the reading screen finds.
    EXPECT_TRUE(ChapterInfo::isReflectedSearch(db(), 1, 1));
    EXPECT_EQ(defaults().stringForKey("FirstTimeInstall").value_or(""), "1");
    EXPECT_EQ(history->lblTopNotice->text(), "Tapping the Eye icon toggles visibility of these results in your reading");

    // Deleting every entry leaves the history empty for good.
    while (!history->savedSearches().empty()) history->deleteSearchAtIndexPath(NSIndexPath{0, 0});
    EXPECT_EQ(markCount(), 0);
    history->setupView();
    waitForHistory();
    EXPECT_TRUE(history->savedSearches().empty());
    EXPECT_EQ(history->lblTopNotice->text(), "No Search History Found");
}

TEST_F(SavedSearchesTest, RecordingMovesAMatchingEntryUpAndKeepsAtMostTwoHundred) {
    record("Zechariah", 3, 7);
    record("mercy", 3, 200);
    SavedSearch mercy = *ChapterInfo::getSavedSearch(db()).front();
    ASSERT_TRUE(SavedSearchStore::reflectSearchedVerses(db(), content(), mercy, true));
    ASSERT_GT(markCount(), 0);
    // Another letter case with the same translation: the entry moves to the top, its count kept.
    record("ZECHARIAH", 3, 1);
    auto saved = ChapterInfo::getSavedSearch(db());
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0]->strSearchText(), "Zechariah");
    EXPECT_EQ(saved[0]->iHitCount(), 7);
    // The same text found in another translation is another entry.
    record("Zechariah", 5, 7);
    EXPECT_EQ(ChapterInfo::getSavedSearch(db()).size(), 3u);

    // Full: a new search replaces the least recently run one, whose marks go with it.
    for (int i = 0; i < 197; ++i) record("word" + std::to_string(i), 3, 1);
    ASSERT_EQ(ChapterInfo::getSavedSearch(db()).size(), 200u);
    ASSERT_EQ(ChapterInfo::getSavedSearch(db()).back()->strSearchText(), "mercy");
    record("newest", 3, 1);
    const auto full = ChapterInfo::getSavedSearch(db());
    EXPECT_EQ(full.size(), 200u);
    EXPECT_EQ(full.front()->strSearchText(), "newest");
    for (const auto& entry : full) EXPECT_NE(entry->strSearchText(), "mercy");
    EXPECT_EQ(markCount(), 0);
}

TEST_F(SavedSearchesTest, TheEyeMarksEveryHitAndUnmarksThemAll) {
    defaults().setInteger(1, "FirstTimeInstall");
    record("Zechariah", 3, 7);
    launch();
    ASSERT_EQ(history->savedSearches().size(), 1u);
    auto* cell = dynamic_cast<SavedSearchCell*>(history->tblSavedSearches->cellForRowAtIndexPath(NSIndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->btnTrans->titleForState(UIControlStateDisabled), ChapterInfo::getTranslationAbbrNameForNumber(3));
    EXPECT_EQ(cell->lblResults->text(), "7 results");

    backend.tap(screenCentre(*cell->btnEye, cell->btnEye->bounds()));
    EXPECT_FALSE(history->tblSavedSearches->isUserInteractionEnabled());
    waitForHistory();
    EXPECT_TRUE(history->tblSavedSearches->isUserInteractionEnabled());
    EXPECT_TRUE(history->savedSearches()[0]->isReflectedInSurah());
    EXPECT_TRUE(ChapterInfo::getSavedSearch(db())[0]->isReflectedInSurah());
    EXPECT_EQ(markCount(), 7);
    EXPECT_TRUE(ChapterInfo::isReflectedSearch(db(), 19, 10));
    EXPECT_FALSE(ChapterInfo::isReflectedSearch(db(), 19, 11));
    EXPECT_EQ(ChapterInfo::getFirstSavedSearch(db(), 19, 10)->strSearchText(), "Zechariah");

    cell->btnEyePressed();
    waitForHistory();
    EXPECT_FALSE(history->savedSearches()[0]->isReflectedInSurah());
    EXPECT_EQ(markCount(), 0);
    EXPECT_FALSE(ChapterInfo::isReflectedSearch(db(), 19, 10));
}

TEST_F(SavedSearchesTest, UnmarkingAndDeletingRemoveMarksEvenWhenTheSearchFindsNothingNow) {
    defaults().setInteger(1, "FirstTimeInstall");
    record("Zechariah", 3, 7);
    SavedSearch saved = *ChapterInfo::getSavedSearch(db())[0];
    ASSERT_TRUE(SavedSearchStore::reflectSearchedVerses(db(), content(), saved, true));
    ASSERT_EQ(markCount(), 7);
    // The same id under a translation that no longer finds it: unmarking still clears its marks.
    SavedSearch moved = saved;
    moved.setITranslation(-1);
    ASSERT_TRUE(SavedSearchStore::reflectSearchedVerses(db(), content(), moved, false));
    EXPECT_EQ(markCount(), 0);

    ASSERT_TRUE(SavedSearchStore::reflectSearchedVerses(db(), content(), saved, true));
    launch();
    ASSERT_TRUE(history->savedSearches()[0]->isReflectedInSurah());
    history->btnEditPressed();
    EXPECT_TRUE(history->btnEdit->isSelected());
    history->commitEditingStyle(history->tblSavedSearches.get(), UITableViewCellEditingStyleDelete, NSIndexPath{0, 0});
    settle();
    EXPECT_TRUE(history->savedSearches().empty());
    EXPECT_TRUE(historyTexts().empty());
    EXPECT_EQ(markCount(), 0);
    // A row beyond the list is ignored.
    history->deleteSearchAtIndexPath(NSIndexPath{0, 3});
}

TEST_F(SavedSearchesTest, TappingAnEntryRunsItInItsTranslationOnTheSearchScreen) {
    defaults().setInteger(1, "FirstTimeInstall");
    record("Zechariah", 3, 7);
    record("mercy", 3, 200);
    // The current translation is another one: the entry's own is searched.
    defaults().setInteger(5, "CurrentTranslationv22");
    launch();
    ASSERT_EQ(history->savedSearches()[1]->strSearchText(), "Zechariah");
    tapRow(*history->tblSavedSearches, NSIndexPath{0, 1});
    auto* screen = dynamic_cast<SearchViewController*>(nav->topViewController());
    ASSERT_NE(screen, nullptr);
    waitForSearch(*screen);
    EXPECT_EQ(screen->txtSearchBar->text(), "Zechariah");
    EXPECT_EQ(screen->foundInTrans(), 3);
    EXPECT_EQ(chapters(*screen), (std::vector<int>{3, 6, 19, 21}));
    // Run again, it is the most recent entry.
    EXPECT_EQ(historyTexts().front(), "Zechariah");
    EXPECT_EQ(screen->getCurrentSavedSearch()->strSearchText(), "Zechariah");

    // Handed another saved search while on display, the screen shows and runs it at once.
    auto mercy = ChapterInfo::getSavedSearch(db())[1];
    ASSERT_EQ(mercy->strSearchText(), "mercy");
    app->filterSearchViewWithSavedSearch(mercy);
    settle();
    waitForSearch(*screen);
    EXPECT_EQ(nav->topViewController(), screen);
    EXPECT_EQ(screen->txtSearchBar->text(), "mercy");
    EXPECT_EQ(screen->strLastSearchedWord(), "mercy");
}

}  // namespace
