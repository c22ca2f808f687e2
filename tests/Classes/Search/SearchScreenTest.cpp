// The search screen on the real content database: the delayed search on its worker, Arabic
// first and then the translation, results by chapter, the count line and the empty states,
// opening a hit, cancelling, and the history it records.

#include "tests/Classes/Search/SearchFixture.h"

#include <atomic>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

// Drawing starts the text libraries' own font-loading threads, which lock inside those
// libraries where the thread sanitizer cannot see it. Only reports in them are quiet.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libharfbuzz.so\n"
           "race:libcairo.so\nrace:libglib-2.0.so\nrace:libgobject-2.0.so\n";
}

namespace {

using SearchScreenTest = SearchTest;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

TEST_F(SearchScreenTest, TypingSearchesOnceAFifthOfASecondAfterTheLastChange) {
    SearchViewController& screen = launchIntoSearch();
    const int before = screen.searchesStarted();
    for (const char* text : {"Z", "Ze", "Zech", "Zechar", "Zechariah"}) {
        screen.txtSearchBar->setText(text);
        backend.advance(150);
        backend.runUntilIdle();
    }
    EXPECT_EQ(screen.searchesStarted(), before);
    backend.advance(60);
    backend.runUntilIdle();
    EXPECT_EQ(screen.searchesStarted(), before + 1);
    waitForSearch(screen);
    EXPECT_EQ(screen.searchesStarted(), before + 1);

    // Not in the Arabic text, so found in the translation in use, with boxed snippets.
    EXPECT_EQ(screen.foundInTrans(), 3);
    EXPECT_EQ(chapters(screen), (std::vector<int>{3, 6, 19, 21}));
    EXPECT_EQ(verses(screen, 2), (std::vector<int>{2, 7, 10}));
    EXPECT_EQ(screen.lblResultsTitle->text(), "7 results in 4 Surahs");
    EXPECT_FALSE(screen.btnMore->isHidden());
    EXPECT_EQ(defaults().integerForKey("LastTranslationSearched"), 3);
    EXPECT_EQ(defaults().stringForKey("LastSearchString").value_or(""), "Zechariah");
    const auto& hit = screen.sections()[2]->AllResults()[0];
    EXPECT_EQ(hit->translator(), 3);
    EXPECT_NE(hit->VerseText().find("<span class=\"yellowBox\">Zechariah</span>"), std::string::npos) << hit->VerseText();
    // The shown search entered the history.
    ASSERT_EQ(historyTexts(), std::vector<std::string>{"Zechariah"});
    EXPECT_EQ(ChapterInfo::getSavedSearch(db())[0]->iHitCount(), 7);
}

TEST_F(SearchScreenTest, ArabicWithVowelMarksFindsTheArabicTextGroupedByChapter) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "\u0632\u064E\u0643\u064E\u0631\u0650\u064A\u0651\u064E\u0627");  // zakariyya, with marks
    EXPECT_EQ(screen.foundInTrans(), 0);
    EXPECT_EQ(chapters(screen), (std::vector<int>{3, 6, 19, 21}));
    EXPECT_EQ(verses(screen, 0), (std::vector<int>{37, 38}));
    EXPECT_EQ(screen.totalVerses(), 6);
    for (size_t s = 0; s < screen.sections().size(); ++s) {
        const auto& section = screen.sections()[s];
        EXPECT_TRUE(section->IsSurahSection());
        EXPECT_EQ(section->SectionResultCount(), static_cast<int>(section->AllResults().size()));
        for (size_t r = 0; r < section->AllResults().size(); ++r) {
            const auto& hit = section->AllResults()[r];
            EXPECT_EQ(hit->IsLastInSection(), r + 1 == section->AllResults().size());
            EXPECT_EQ(hit->VerseText(), ChapterInfo::getArabicVerseFor(content(), hit->surah(), hit->verse()));
        }
    }
    EXPECT_EQ(screen.sectionViews().size(), 4u);
    EXPECT_EQ(defaults().integerForKey("LastTranslationSearched"), 0);
    const auto saved = ChapterInfo::getSavedSearch(db());
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0]->iTranslation(), 0);
}

TEST_F(SearchScreenTest, NothingFoundShowsTheEmptyStatesAndStoresNoHistory) {
    SearchViewController& screen = launchIntoSearch();
    // An empty bar shows the operator help, the long one in portrait.
    EXPECT_EQ(screen.lblHintTop->alpha(), 1);
    EXPECT_EQ(screen.lblHintTop->text(), "You can use operators:");
    EXPECT_NE(screen.lblHintTitle->text().find("good OR bad"), std::string::npos);
    EXPECT_TRUE(screen.btnMore->isHidden());
    // In landscape the help is the short one.
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    settle();
    waitForSearch(screen);
    EXPECT_EQ(screen.lblHintTitle->text().find("good OR bad"), std::string::npos);
    EXPECT_NE(screen.lblHintTitle->text().find("exam*"), std::string::npos);
    backend.rotate(UIDeviceOrientationPortrait);
    settle();
    waitForSearch(screen);

    // Mark-up and quotes typed by the user are only text to search for.
    for (const char* text : {"</span><b>qq", "qq' OR '1'='1", "\"unclosed"}) {
        search(screen, text);
        EXPECT_TRUE(screen.sections().empty()) << text;
        EXPECT_EQ(screen.lblResultsTitle->text(), "No results found") << text;
        EXPECT_EQ(screen.lblResultsTitle->alpha(), 1);
        EXPECT_TRUE(screen.btnMore->isHidden());
    }
    screen.searchBarSearchButtonClicked(screen.txtSearchBar.get());
    settle();
    waitForSearch(screen);
    EXPECT_TRUE(historyTexts().empty());
    EXPECT_EQ(markCount(), 0);
}

TEST_F(SearchScreenTest, ASnippetOfUserAndVerseTextIsShownEscaped) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Abraham's");
    ASSERT_EQ(chapters(screen), std::vector<int>{29});
    const auto& hit = screen.sections()[0]->AllResults()[0];
    // The user's quote is escaped inside the box; the label shows it as text.
    EXPECT_NE(hit->VerseText().find(">Abraham&#39;s</span>"), std::string::npos) << hit->VerseText();
    auto* cell = dynamic_cast<SearchViewCell*>(screen.tblSearchResults->cellForRowAtIndexPath(NSIndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    TTStyledTextLabel& label = *cell->cellView()->lblTranslationHighlighted;
    EXPECT_FALSE(label.isHidden());
    ASSERT_TRUE(label.text());
    TTStyledElement* boxed = label.text()->getElementByClassName("yellowBox");
    ASSERT_TRUE(boxed);
    EXPECT_EQ(boxed->firstChild()->outerText(), "Abraham's");
    EXPECT_EQ(label.text()->rootNode()->outerText().find('&'), std::string::npos);
}

TEST_F(SearchScreenTest, ATappedHitOpensItsVerseAndAHeaderCollapsesItsChapter) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Zechariah");
    tapRow(*screen.tblSearchResults, NSIndexPath{2, 1});
    ASSERT_EQ(app->opened.size(), 1u);
    EXPECT_EQ(app->opened[0], (OpenedVerse{19, 7, false, false}));

    // Collapsing keeps the chapter's header and hides its rows; the bookmark list's state is untouched.
    SearchCellView& header = *screen.sectionViews()[2];
    header.btnCollapsePressed();
    settle();
    EXPECT_EQ(screen.tblSearchResults->numberOfRowsInSection(2), 0);
    EXPECT_FALSE(ChapterInfo::hasBookmarkSectionCollapsed(db(), 19));
    header.btnCollapsePressed();
    settle();
    EXPECT_EQ(screen.tblSearchResults->numberOfRowsInSection(2), 3);
}

TEST_F(SearchScreenTest, AChangedTextDuringASearchEndsWithTheNewestQueryOnly) {
    SearchViewController& screen = launchIntoSearch();
    screen.txtSearchBar->setText("the");
    settle(250);
    ASSERT_TRUE(screen.loadingResults());
    screen.txtSearchBar->setText("Zechariah");
    for (int i = 0; i < 40 && (screen.loadingResults() || screen.strLastSearchedWord() != "Zechariah"); ++i) {
        waitForSearch(screen);
        settle(250);
    }
    EXPECT_EQ(screen.strLastSearchedWord(), "Zechariah");
    EXPECT_EQ(chapters(screen), (std::vector<int>{3, 6, 19, 21}));
    EXPECT_EQ(screen.lblResultsTitle->text(), "7 results in 4 Surahs");
}

TEST_F(SearchScreenTest, LeavingDuringASearchCancelsItAndComingBackSearchesAgain) {
    SearchViewController& screen = launchIntoSearch();
    screen.txtSearchBar->setText("Zechariah");
    settle(250);
    ASSERT_TRUE(screen.loadingResults());
    const UIViewControllerPtr keep = screen.shared_from_this();
    nav->popViewControllerAnimated(false);
    settle();
    waitForSearch(screen);
    EXPECT_TRUE(screen.needsRefresh());
    nav->pushViewController(keep, false);
    settle();
    waitForSearch(screen);
    EXPECT_EQ(screen.strLastSearchedWord(), "Zechariah");
    EXPECT_EQ(chapters(screen), (std::vector<int>{3, 6, 19, 21}));
}

TEST_F(SearchScreenTest, ACancelledWorkerHandsBackNothing) {
    SearchViewController::SearchRequest request;
    request.query = "Zechariah";
    request.translation = 3;
    request.contentDb = content();
    std::atomic<bool> cancel{true};
    const auto cancelled = SearchViewController::setupResultsInBG(request, cancel);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.sections.empty());
    EXPECT_EQ(cancelled.totalVerses, 0);
    cancel = false;
    const auto done = SearchViewController::setupResultsInBG(request, cancel);
    EXPECT_FALSE(done.cancelled);
    EXPECT_EQ(done.totalVerses, 7);
    EXPECT_EQ(done.query, "Zechariah");

    // Without a translation, or with the notes, only the Arabic text is searched.
    for (int translation : {0, 1000}) {
        request.translation = translation;
        const auto arabicOnly = SearchViewController::setupResultsInBG(request, cancel);
        EXPECT_EQ(arabicOnly.totalVerses, 0) << translation;
        EXPECT_EQ(arabicOnly.foundInTrans, 0) << translation;
    }
}

TEST_F(SearchScreenTest, ManyHitsEndTheCountLineWithTheLimitNote) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Allah");
    EXPECT_EQ(screen.limitReached(), 1);
    const std::string title = screen.lblResultsTitle->text();
    EXPECT_NE(title.find("results in"), std::string::npos);
    EXPECT_NE(title.find("\nToo many results, narrow down search"), std::string::npos) << title;
    // One hit in one chapter reads in the singular.
    search(screen, "\u0627\u0644\u0635\u0645\u062F");
    EXPECT_EQ(screen.lblResultsTitle->text(), "1 result in 1 Surah");
}

TEST_F(SearchScreenTest, TheSearchKeyOnTheShownTextRecordsWithoutSearchingAgain) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Zechariah");
    const int started = screen.searchesStarted();
    ASSERT_TRUE(ChapterInfo::deleteSavedSearch(db(), *ChapterInfo::getSavedSearch(db())[0]));
    screen.searchBarSearchButtonClicked(screen.txtSearchBar.get());
    settle(500);
    EXPECT_EQ(screen.searchesStarted(), started);
    EXPECT_EQ(historyTexts(), std::vector<std::string>{"Zechariah"});

    // The operator keys only append; the text change searches 0.2 s later.
    screen.txtSearchBar->setText("heaven");
    screen.keybarButtonPressed(screen.btnBarOR.get());
    screen.keybarButtonPressed(screen.btnBarQoute.get());
    screen.keybarButtonPressed(screen.btnBarAsterisk.get());
    screen.keybarButtonPressed(screen.btnBarMinus.get());
    EXPECT_EQ(screen.txtSearchBar->text(), "heaven OR \"*-");
}

}  // namespace

namespace {

TEST_F(SearchScreenTest, EditingDimsTheResultsAndRaisesTheOperatorKeysAboveTheKeyboard) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Zechariah");
    const double tableHeight = screen.tblSearchResults->frame().size.height;
    const double viewHeight = screen.view()->bounds().size.height;
    ASSERT_TRUE(screen.txtSearchBar->becomeFirstResponder());
    settle();
    EXPECT_TRUE(screen.keyboardIsShowing());
    EXPECT_NEAR(screen.viewOpaqueLayer->alpha(), 0.2, 1e-6);
    EXPECT_TRUE(screen.viewOpaqueLayer->isUserInteractionEnabled());
    ASSERT_NE(screen.viewSearchBar->superview(), nullptr);
    const CGRect keys = screen.viewSearchBar->frame();
    EXPECT_LT(keys.origin.y, viewHeight);
    EXPECT_LT(screen.tblSearchResults->frame().size.height, tableHeight);
    // Editing drops the saved search and keeps the shown results in place.
    EXPECT_EQ(screen.useSavedSearchFromHistory(), nullptr);

    // A touch on the dimmed results ends the editing.
    backend.tap(screenCentre(*screen.viewOpaqueLayer, CGRectMake(0, 20, 320, 20)));
    settle();
    EXPECT_FALSE(screen.txtSearchBar->isFirstResponder());
    EXPECT_FALSE(screen.keyboardIsShowing());
    EXPECT_EQ(screen.viewOpaqueLayer->alpha(), 0);
    EXPECT_EQ(screen.tblSearchResults->frame().size.height, tableHeight);
    EXPECT_EQ(screen.viewSearchBar->frame().origin.y, viewHeight);
    EXPECT_TRUE(app->opened.empty());
}

// The last search, "Zechariah", was found in translation 3; another translation is current now.
void storeALastSearchFoundInAnotherTranslation() {
    defaults().setInteger(1, "FirstTimeInstall");
    defaults().setString("Zechariah", "LastSearchString");
    defaults().setInteger(3, "LastTranslationSearched");
    defaults().setInteger(5, "CurrentTranslationv22");
}

TEST_F(SearchScreenTest, TheLastSearchIsRestoredAndATranslationChangeSearchesAgain) {
    // The restored search keeps the translation it was found in.
    storeALastSearchFoundInAnotherTranslation();
    launch();
    SearchViewController& screen = openSearch();
    EXPECT_EQ(screen.txtSearchBar->text(), "Zechariah");
    EXPECT_EQ(screen.foundInTrans(), 3);
    EXPECT_EQ(chapters(screen), (std::vector<int>{3, 6, 19, 21}));

    // After a change of translation the screen searches the current one when next shown.
    NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
    EXPECT_TRUE(screen.needsRefresh());
    const int started = screen.searchesStarted();
    screen.viewWillDisappear(false);
    screen.viewWillAppear(false);
    screen.viewDidAppear(false);
    waitForSearch(screen);
    EXPECT_EQ(screen.searchesStarted(), started + 1);
    EXPECT_EQ(screen.foundInTrans(), 5);
}

TEST_F(SearchScreenTest, TheSegmentSelectorShowsWhereHitsCameFromAndSearchesTheCurrentTranslation) {
    storeALastSearchFoundInAnotherTranslation();
    launch();
    SearchViewController& screen = openSearch();
    ASSERT_NE(screen.segmentSelector, nullptr);
    UISegmentedControl& segments = *screen.segmentSelector;
    EXPECT_EQ(segments.titleForSegmentAtIndex(0), "Quran");
    EXPECT_EQ(segments.titleForSegmentAtIndex(1), ChapterInfo::getTranslationNameForNumber(3));
    EXPECT_EQ(segments.selectedSegmentIndex(), 1);

    // A press searches again in the current translation, dropping the one restored.
    const int started = screen.searchesStarted();
    const CGRect quran = segments.convertRectToView(
        CGRectMake(0, 0, segments.bounds().size.width / 2, segments.bounds().size.height), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(quran), CGRectGetMidY(quran)));
    waitForSearch(screen);
    EXPECT_EQ(screen.searchesStarted(), started + 1);
    EXPECT_EQ(screen.foundInTrans(), 5);
    EXPECT_EQ(segments.titleForSegmentAtIndex(1), ChapterInfo::getTranslationNameForNumber(5));
    EXPECT_EQ(segments.selectedSegmentIndex(), 1);

    // Hits in the Quran's own text select the first segment.
    search(screen, "الرحمن");
    EXPECT_EQ(screen.foundInTrans(), 0);
    EXPECT_EQ(segments.selectedSegmentIndex(), 0);
}

}  // namespace
