// The reading screen: opening chapters, the row model, selection, the playing mark,
// chapter navigation, rotation, notes, bookmarks and the saved position.

#include "tests/Classes/Reading/ReadingFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Reading/SurahInfoCell.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

struct OpenCase {
    const char* name;
    int surah, verse, translation;
    int selected;  // verse selected after opening
    int rows;
};

class OpenChapterTest : public ReadingTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenChapterTest, OpensAtTheVerseWithItsRows) {
    const OpenCase& c = GetParam();
    open(c.surah, c.verse, c.translation);
    const int surah = c.surah < 1 ? 114 : c.surah > 114 ? 1 : c.surah;
    EXPECT_EQ(screen->iCurrentSurah(), surah);
    EXPECT_EQ(screen->selectedVerse(), c.selected);
    EXPECT_EQ(screen->tblVerses->numberOfRowsInSection(0), c.rows);
    EXPECT_EQ(screen->tblVerses->alpha(), 1);
    EXPECT_FALSE(screen->settingUpSurah());
    EXPECT_EQ(defaults().stringForKey("LastSurah"), std::to_string(surah));

    // The selected verse's row is on screen, at the top unless the table ends first.
    const CGRect rect = screen->tblVerses->rectForRowAtIndexPath(
        NSIndexPath::indexPathForRow(screen->verseToRow(c.selected), 0));
    const double offset = screen->tblVerses->contentOffset().y;
    const double maxOffset = screen->tblVerses->maximumContentOffset().y;
    EXPECT_NEAR(offset, std::min(rect.origin.y, maxOffset), 1);
    SurahVerseView* row = arabicRow(c.selected);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->isSelected());

    const int count = ChapterInfo::getVersesFromNumber(surah);
    if (c.translation == 0) {
        EXPECT_TRUE(screen->translationArr().empty());
        return;
    }
    ASSERT_EQ(screen->translationArr().size(), static_cast<size_t>(count));
    if (c.selected >= 1) {
        const std::string expected =
            c.translation == 1000
                ? std::string()
                : ChapterInfo::getTranslationFor(app->dbConnectionStatic(), c.translation, surah, c.selected);
        EXPECT_EQ(screen->transHeightMeta().at(c.selected)->Translation(), expected);
        screen->tblVerses->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(c.selected) + 1, 0),
                                                  UITableViewScrollPositionTop, false);
        SurahVerseView* text = translationRow(c.selected);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->ThisVerseType(), 1u);
        EXPECT_TRUE(text->isSelected());
        EXPECT_EQ(text->lblTranslation()->text(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chapters, OpenChapterTest,
    ::testing::Values(OpenCase{"Fatiha3", 1, 3, 0, 3, 7}, OpenCase{"FatihaBeyondEnd", 1, 300, 3, 7, 14},
                      OpenCase{"ThroneVerse", 2, 255, 3, 255, 573}, OpenCase{"BaqaraVerse0", 2, 0, 0, 1, 287},
                      OpenCase{"BaqaraTop", 2, -1, 3, 0, 573}, OpenCase{"TawbaNegative", 9, -5, 3, 1, 258},
                      OpenCase{"NasNotes", 114, 4, 1000, 4, 13}, OpenCase{"NasLast", 114, 6, 3, 6, 13},
                      OpenCase{"Chapter0IsNas", 0, 2, 0, 2, 7}, OpenCase{"Chapter115IsFatiha", 115, 2, 0, 2, 7}),
    [](const auto& info) { return std::string(info.param.name); });

struct RowCase {
    int surah, translation, row, verse, isTranslation;
};

TEST_F(ReadingTest, RowModelMapsRowsAndVersesBothWays) {
    const RowCase cases[] = {
        {2, 3, 0, 0, 0},  {2, 3, 1, 1, 0},  {2, 3, 2, 1, 1},  {2, 3, 4, 2, 1},  {2, 0, 0, 0, 0},
        {2, 0, 286, 286, 0}, {1, 0, 6, 7, 0}, {1, 3, 12, 7, 0}, {1, 3, 13, 7, 1}, {9, 3, 0, 1, 0},
    };
    for (const RowCase& c : cases) {
        open(c.surah, 1, c.translation);
        SCOPED_TRACE(::testing::Message() << c.surah << " t" << c.translation << " row " << c.row);
        EXPECT_EQ(screen->rowToVerse(c.row), c.verse);
        EXPECT_EQ(screen->isTranslationRow(c.row), c.isTranslation != 0);
        if (!c.isTranslation) { EXPECT_EQ(screen->verseToRow(c.verse), c.row); }
    }
    open(2, 1, 3);
    EXPECT_EQ(screen->verseToRow(-1), 0);
}

TEST_F(ReadingTest, NextAndPreviousChapterWrapAndStartOneSwitchAtATime) {
    open(114, 3, 3);
    screen->showNextSurahNow();
    screen->showNextSurahNow();  // ignored while the first switch runs
    EXPECT_TRUE(screen->isSwitchingSurah());
    backend.advance(300);
    EXPECT_EQ(screen->iCurrentSurah(), 1);
    EXPECT_FALSE(screen->isSwitchingSurah());
    EXPECT_EQ(screen->selectedVerse(), 1);  // a new chapter starts at its top
    EXPECT_EQ(screen->tblVerses->numberOfRowsInSection(0), 14);

    screen->showPreviousSurahNow();
    backend.advance(300);
    EXPECT_EQ(screen->iCurrentSurah(), 114);
    EXPECT_EQ(screen->selectedVerse(), 0);
    EXPECT_EQ(screen->tblVerses->contentOffset().y, 0);
}

TEST_F(ReadingTest, HighlightMovesTheSelectionAndScrollsToTheVerse) {
    open(2, 1, 3);
    screen->highlightVerse(6, true, false);
    backend.runUntilIdle();
    EXPECT_EQ(topVerse(), 6);
    ASSERT_NE(arabicRow(6), nullptr);
    ASSERT_NE(translationRow(6), nullptr);
    ASSERT_NE(arabicRow(7), nullptr);
    EXPECT_TRUE(arabicRow(6)->isSelected());
    EXPECT_TRUE(translationRow(6)->isSelected());
    EXPECT_EQ(backgroundOf(*translationRow(6)->viewBGVerse()).g, 235);
    EXPECT_EQ(defaults().integerForKey("CurrentlyShowingVerse"), 6);
    EXPECT_EQ(defaults().stringForKey("LastVerse"), "6");

    screen->highlightVerse(7, false);
    EXPECT_FALSE(arabicRow(6)->isSelected());
    EXPECT_FALSE(translationRow(6)->isSelected());
    EXPECT_TRUE(arabicRow(7)->isSelected());

    // Selecting the selected verse again without force changes nothing.
    arabicRow(7)->setIsSelected(false);
    screen->highlightVerse(7, false, false);
    EXPECT_FALSE(arabicRow(7)->isSelected());

    // Far away: the table scrolls to the verse.
    screen->highlightVerse(250, true, false);
    EXPECT_EQ(topVerse(), 250);
    ASSERT_NE(arabicRow(250), nullptr);
    EXPECT_TRUE(arabicRow(250)->isSelected());
}

TEST_F(ReadingTest, PlayingMarkFollowsTheRecitedVerse) {
    open(2, 6, 3);
    ASSERT_NE(arabicRow(6), nullptr);
    ASSERT_NE(translationRow(6), nullptr);
    ASSERT_NE(arabicRow(7), nullptr);
    screen->highlightForPlayingVerse(6, false);
    EXPECT_TRUE(arabicRow(6)->isPlaying());
    EXPECT_TRUE(translationRow(6)->isPlaying());
    EXPECT_EQ(backgroundOf(*arabicRow(6)->viewBGVerse()).r, 223);
    screen->highlightForPlayingVerse(7, false);
    EXPECT_FALSE(arabicRow(6)->isPlaying());
    EXPECT_TRUE(arabicRow(7)->isPlaying());
    screen->highlightForPlayingVerse(7, true);
    EXPECT_FALSE(arabicRow(7)->isPlaying());
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 7);
}

TEST_F(ReadingTest, RowOffsetsMatchTheTableWithoutATranslation) {
    // Font size 2 adds 16 points to every Arabic row without a translation; the offsets use
    // the same heights as the table, so verse 100 is found where the table put it.
    open(2, 100, 0);
    for (int verse : {1, 50, 100, 286}) {
        const int row = screen->verseToRow(verse);
        EXPECT_EQ(screen->getTopOffsetForRow(row),
                  static_cast<int>(screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)).origin.y))
            << verse;
    }
    EXPECT_EQ(screen->getTopOffsetForRow(0), 0);
}

TEST_F(ReadingTest, RotationKeepsTheTopVerse) {
    for (int translation : {0, 3}) {
        UIApplication::sharedApplication().setStatusBarOrientation(UIInterfaceOrientationPortrait);
        open(2, 100, translation);
        ASSERT_EQ(topVerse(), 100);
        const double portraitWidth = screen->tblVerses->bounds().size.width;
        backend.rotate(UIDeviceOrientationLandscapeLeft);
        backend.advance(500);
        EXPECT_GT(screen->tblVerses->bounds().size.width, portraitWidth);
        EXPECT_TRUE(screen->IsInLandscape());
        EXPECT_EQ(topVerse(), 100) << "translation " << translation;
        backend.rotate(UIDeviceOrientationPortrait);
        backend.advance(500);
        EXPECT_EQ(topVerse(), 100) << "translation " << translation;
        EXPECT_FALSE(screen->IsInLandscape());
    }
    // Upside down keeps the current layout.
    EXPECT_FALSE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationPortraitUpsideDown));
}

TEST_F(ReadingTest, MissingTranslationTableIsSaidInEveryRow) {
    LogCapture log;
    open(2, 3, 1);  // a catalogue number the content database has no text for
    EXPECT_EQ(screen->tblVerses->numberOfRowsInSection(0), 573);
    EXPECT_EQ(screen->translationArr().size(), 286u);
    ASSERT_NE(translationRow(3), nullptr);
    EXPECT_EQ(translationRow(3)->lblTranslation()->text(), "This translation is not available");
    EXPECT_TRUE(log.contains("translation 1 has no text for chapter 2"));
    EXPECT_EQ(topVerse(), 3);
}

TEST_F(ReadingTest, NotesShowInPlaceOfATranslation) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 114, 2, false, 0, "Remember this"));
    ASSERT_TRUE(ChapterInfo::insertBookmarkNote(app->dbConnection(), 114, 2, "Remember this"));
    open(114, 1, 1000);
    ASSERT_EQ(screen->translationArr().size(), 6u);
    EXPECT_EQ(translationRow(2)->lblTranslation()->text(), "Remember this");
    EXPECT_EQ(screen->heightForVerseRow(screen->verseToRow(3) + 1), 1);  // an empty note
    EXPECT_GT(screen->heightForVerseRow(screen->verseToRow(2) + 1), 15);
    EXPECT_TRUE(arabicRow(2)->isBookmarked());
    EXPECT_FALSE(arabicRow(2)->imgBookmarkedNote()->isHidden());

    // Editing the note updates its row.
    ASSERT_TRUE(ChapterInfo::insertBookmarkNote(app->dbConnection(), 114, 2, "Changed"));
    screen->updateBookmarkForVerse(2, 114);
    backend.runUntilIdle();
    EXPECT_EQ(translationRow(2)->lblTranslation()->text(), "Changed");
}

TEST_F(ReadingTest, BookmarkToggleUpdatesTheBadgeAndStoresNoGroupAsZero) {
    open(2, 1, 0);
    int posted = 0;
    NSNotificationCenter::defaultCenter().addObserver(&posted, "BookmarkDidChange", [&posted] { ++posted; });
    screen->addOrRemoveBookmarkForVerse(0);
    EXPECT_EQ(posted, 0);
    screen->addOrRemoveBookmarkForVerse(5);
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));
    EXPECT_TRUE(screen->isVerseBookmarked(5));
    EXPECT_EQ(ChapterInfo::getAllBookmarks(app->dbConnection(), 2, 0).size(), 1u);
    screen->addOrRemoveBookmarkForVerse(5);
    EXPECT_FALSE(screen->tabBarItem()->badgeValue().has_value());
    EXPECT_EQ(posted, 2);
    NSNotificationCenter::defaultCenter().removeObserver(&posted);
}

TEST_F(ReadingTest, LeavingSavesThePositionAndChangesMarkTheScreenForReload) {
    open(1, 1, 0);
    screen->highlightVerse(3, false);
    screen->viewWillDisappear(false);
    EXPECT_EQ(defaults().stringForKey("LastSurah"), "1");
    EXPECT_EQ(defaults().stringForKey("LastVerse"), "3");
    EXPECT_EQ(defaults().integerForKey("CurrentlyShowingVerse"), 3);
    EXPECT_EQ(defaults().integerForKey("LastSurahShowing"), 1);

    defaults().setInteger(3, "CurrentTranslationv22");
    NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
    EXPECT_TRUE(screen->RequiresReload());
    EXPECT_EQ(screen->iCurrentTranslation(), 3);
    EXPECT_EQ(screen->btnTranslation->titleForState(UIControlStateNormal), ChapterInfo::getTranslationNameForNumber(3));
    screen->viewDidAppear(false);
    backend.advance(200);
    EXPECT_EQ(screen->tblVerses->numberOfRowsInSection(0), 14);
    EXPECT_EQ(screen->selectedVerse(), 3);
}

TEST_F(ReadingTest, ChapterInformationPanelListsTheChapter) {
    open(2, 1, 0);
    EXPECT_EQ(screen->isShowingSurahInfo(), false);
    screen->surahNameButtonPressed();
    backend.advance(400);
    EXPECT_EQ(screen->viewSurahInfoHUD->alpha(), 1);
    const int rows = screen->tblSurahInfo->numberOfRowsInSection(0);
    EXPECT_EQ(rows, ChapterInfo::getAltNameFromNumber(2).empty() ? 5 : 7);
    auto* first = dynamic_cast<SurahInfoCell*>(screen->tblSurahInfo->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->lblRightLabel()->text(), "2 " + ChapterInfo::getNameFromNumber(2));
    auto* count = dynamic_cast<SurahInfoCell*>(
        screen->tblSurahInfo->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(rows == 7 ? 4 : 2, 0)));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->lblRightLabel()->text().rfind("286 ", 0), 0u);
    screen->surahNameButtonPressed();
    backend.advance(400);
    EXPECT_EQ(screen->viewSurahInfoHUD->alpha(), 0);
}

}  // namespace

namespace {

TEST_F(ReadingTest, ObservedNotificationsReachTheirHandlers) {
    open(2, 1, 0);
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    center.postNotificationName("WillBeginDownloadingAudio");
    EXPECT_FALSE(screen->btnPlay->isEnabled());
    EXPECT_FALSE(screen->btnReciter->isEnabled());
    center.postNotificationName("DidFinishDownloadingAudio");
    EXPECT_TRUE(screen->btnPlay->isEnabled());
    EXPECT_TRUE(screen->btnReciter->isEnabled());

    defaults().setInteger(3, "CurrentReciterv22");
    center.postNotificationName("ReciterDidChange");
    EXPECT_EQ(screen->btnReciter->titleForState(UIControlStateNormal),
              ChapterInfo::getReciterShortNameFromNumber(screen->currentReciter()));
    EXPECT_EQ(screen->currentReciter(), ChapterInfo::getResolvedReciterCode(app->dbConnection(), 3, 2));

    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 4, false, 1, ""));
    EXPECT_FALSE(screen->isVerseBookmarked(4));
    center.postNotificationName("BookmarkDidChange");
    EXPECT_TRUE(screen->isVerseBookmarked(4));

    for (const char* name : {"ArabicFontChanged", "SurahDidChangeFromIndex"}) {
        screen->setRequiresReload(false);
        center.postNotificationName(name);
        EXPECT_TRUE(screen->RequiresReload()) << name;
    }

    // After the view unloads nothing reaches the screen.
    screen->viewDidUnload();
    center.postNotificationName("WillBeginDownloadingAudio");
    EXPECT_TRUE(screen->btnPlay->isEnabled());
}

TEST_F(ReadingTest, DeviceMaySleepAfterThreeMinutesWithoutSelection) {
    open(2, 1, 0);
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());  // held while the screen shows
    RunLoop::main().advance(179 * 1000);
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());
    RunLoop::main().advance(32 * 1000);  // the first check 180 s after the last selection
    EXPECT_TRUE(LumenoSDKAppDelegate::isSleepEnabled());
    screen->highlightVerse(5, false);
    RunLoop::main().advance(30 * 1000);
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());
    screen->viewWillDisappear(false);
    EXPECT_TRUE(LumenoSDKAppDelegate::isSleepEnabled());
}

}  // namespace
