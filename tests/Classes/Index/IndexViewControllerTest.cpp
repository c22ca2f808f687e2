#include "tests/support/FirstRunScreens.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Index/IndexTableViewCell.h"
#include "Classes/Index/IndexViewController.h"
#include "Classes/Index/SectionCellView.h"
#include "Classes/Index/SurahCellView.h"
#include "Classes/Reading/SurahViewController.h"
#include "IndexTestSupport.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "tests/support/DocsScreenshot.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

// A delegate whose download offer is recorded and whose download state a test can set.
class TestAppDelegate : public LumenoSDKAppDelegate {
public:
    std::vector<int> offers;
    void requestDownloadSurahAudioAlert(int surah) override { offers.push_back(surah); }
    void setDownloading(bool on, int surah, int bytes) {
        isDownloading_ = on;
        downloadingSurah_ = surah;
        fileSize_ = bytes;
    }
};

class IndexScreenTest : public IndexUITest {
protected:
    void SetUp() override {
        IndexUITest::SetUp();
        LumenoSDKAppDelegate::initialize();
        LumenoSDKAppDelegate::ResetArabicCheck();
        ASSERT_TRUE(std::filesystem::exists(Paths::bundleResource("lumeno.db"))) << "content database not built";
        app = std::make_unique<TestAppDelegate>();
        ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
        ASSERT_TRUE(app->initializeDatabase());
        markFirstRunScreensSeen();
    }

    void TearDown() override {
        quit();
        app.reset();
        IndexUITest::TearDown();
    }

    // Starts the screens as the program does: the index at the root of the first tab.
    void launch() {
        window = std::make_shared<UIWindow>();
        index = IndexViewController::make();
        nav = std::make_shared<UINavigationController>(index);
        nav->setNavigationBarHidden(true);
        nav->setTabBarItem(std::make_shared<UITabBarItem>("Quran", UIImage::imageNamed("tab-quran.png"), 0));
        tabs = std::make_shared<UITabBarController>();
        std::vector<UIViewControllerPtr> controllers = {nav};
        const char* names[] = {"Bookmarks", "Search", "More"};
        const char* icons[] = {"tab-bookmarks.png", "tab-search.png", "tab-more.png"};
        for (int i = 0; i < 3; ++i) {
            auto other = std::make_shared<UIViewController>();
            other->setTabBarItem(std::make_shared<UITabBarItem>(names[i], UIImage::imageNamed(icons[i]), i + 1));
            controllers.push_back(other);
        }
        tabs->setViewControllers(controllers);
        window->setRootViewController(tabs);
        window->makeKeyAndVisible();
        settle();
    }

    void quit() {
        if (window) window->setRootViewController(nullptr);
        tabs.reset();
        nav.reset();
        index.reset();
        window.reset();
        settle();
    }

    void settle() {
        backend.advance(700);
        backend.runUntilIdle();
    }

    // The index on top, the reading screen closed.
    void showIndex() {
        index->hideSurahView();
        settle();
        ASSERT_EQ(nav->topViewController(), index.get());
    }

    void tapRow(NSIndexPath path) {
        UITableView& table = *index->surahListTable;
        table.scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
        settle();
        CGPoint p = screenCentre(table, table.rectForRowAtIndexPath(path));
        backend.tap(p);
        settle();
    }

    IndexTableViewCell* rowCell(NSIndexPath path) {
        index->surahListTable->scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
        backend.runUntilIdle();
        return dynamic_cast<IndexTableViewCell*>(index->surahListTable->cellForRowAtIndexPath(path));
    }

    NSIndexPath topRow() {
        UITableView& table = *index->surahListTable;
        auto p = table.indexPathForRowAtPoint(CGPointMake(10, table.contentOffset().y + 30));
        return p.value_or(NSIndexPath{-1, -1});
    }

    void switchMode() {
        backend.tap(screenCentre(*index->btnSections, index->btnSections->bounds()));
        settle();
    }

    SurahViewController& reading() { return *index->thisSurahController(); }

    std::unique_ptr<TestAppDelegate> app;
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<IndexViewController> index;
    std::shared_ptr<UINavigationController> nav;
    std::shared_ptr<UITabBarController> tabs;
};

TEST_F(IndexScreenTest, FirstStartOpensTheReadingScreenAtTheFirstChapter) {
    launch();
    ASSERT_NE(index->thisSurahController(), nullptr);
    EXPECT_EQ(nav->topViewController(), index->thisSurahController().get());
    // The shell reaches the same reading screen through the index.
    EXPECT_EQ(index->ThisSurahController(), static_cast<ReadingScreen*>(index->thisSurahController().get()));
    EXPECT_TRUE(index->IsShowingSurahView());
    EXPECT_EQ(nav->viewControllers().size(), 2u);
    EXPECT_EQ(reading().iCurrentSurah(), 1);
    EXPECT_EQ(index->highlightVerse(), 0);

    // Closing shows the index; closing again does nothing.
    showIndex();
    EXPECT_FALSE(index->IsShowingSurahView());
    EXPECT_FALSE(defaults().boolForKey("IsShowingSurahView"));
    index->hideSurahView();
    settle();
    EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(IndexScreenTest, ChapterModeListsEveryChapter) {
    launch();
    showIndex();
    UITableView& table = *index->surahListTable;
    EXPECT_EQ(table.numberOfSections(), 1);
    EXPECT_EQ(table.numberOfRowsInSection(0), 114);
    EXPECT_EQ(index->lblTopBarLabel->text(), "Suras");
    EXPECT_EQ(index->btnSections->titleForState(UIControlStateNormal), "Sections");
    const struct {
        int row;
        const char* number;
        const char* verses;
    } cases[] = {{0, "1", "7 ayas"}, {1, "2", "286 ayas"}, {113, "114", "6 ayas"}};
    for (const auto& k : cases) {
        auto* cell = rowCell(NSIndexPath{0, k.row});
        ASSERT_NE(cell, nullptr) << k.row;
        auto* view = dynamic_cast<SurahCellView*>(cell->cellView());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->numberLabel()->text(), k.number);
        EXPECT_EQ(view->nameLabel()->text(), ChapterInfo::getNameFromNumber(k.row + 1));
        EXPECT_EQ(view->verseCountLabel()->text(), k.verses);
        // Nothing installed: every chapter shows the silent sound image.
        EXPECT_EQ(view->soundButton()->imageForState(UIControlStateNormal), UIImage::imageNamed("sound-dead.png"));
    }
}

TEST_F(IndexScreenTest, JuzModeListsThirtyJuzOfEightQuarters) {
    launch();
    showIndex();
    switchMode();
    UITableView& table = *index->surahListTable;
    EXPECT_TRUE(index->isShowingSectionedView());
    EXPECT_TRUE(defaults().boolForKey("IsShowingSections"));
    EXPECT_EQ(index->lblTopBarLabel->text(), "Sections");
    EXPECT_EQ(index->btnSections->titleForState(UIControlStateNormal), "Suras");
    ASSERT_EQ(table.numberOfSections(), 30);
    for (int s = 0; s < 30; ++s) EXPECT_EQ(table.numberOfRowsInSection(s), 8);

    // Each quarter's row model starts where the quarter starts, with that verse's text.
    const auto& meta = index->sectionedMeta();
    ASSERT_EQ(meta.size(), 240u);
    for (int q = 1; q <= 240; ++q) {
        int c = 0, v = 0;
        ChapterInfo::setSurahVerseForHizb(&c, &v, q);
        EXPECT_EQ(meta[q - 1]->Surah, c);
        EXPECT_EQ(meta[q - 1]->Verse, v);
        EXPECT_FALSE(meta[q - 1]->Title.empty()) << "quarter " << q;
    }
    EXPECT_EQ(meta[8]->Surah, 2);
    EXPECT_EQ(meta[8]->Verse, 142);

    auto* header = table.delegate()->viewForHeaderInSection(&table, 1).get();
    ASSERT_NE(header, nullptr);
    auto* caption = dynamic_cast<UILabel*>(header->subviews().back().get());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Juz 2");

    const char* marks[] = {"1", "1/4", "1/2", "3/4", "2", "1/4", "1/2", "3/4"};
    for (int r = 0; r < 8; ++r) {
        auto* cell = rowCell(NSIndexPath{0, r});
        ASSERT_NE(cell, nullptr);
        auto* view = dynamic_cast<SectionCellView*>(cell->cellView());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->markButton()->titleForState(UIControlStateDisabled), marks[r]);
        EXPECT_EQ(view->textLabel()->text(), meta[static_cast<size_t>(r)]->Title);
    }
}

TEST_F(IndexScreenTest, QuarterTextsFollowATranslationChangeAtTheNextAppearance) {
    defaults().setInteger(3, "CurrentTranslationv22");
    launch();
    showIndex();
    switchMode();
    ASSERT_EQ(index->sectionedMeta().size(), 240u);
    EXPECT_EQ(index->sectionedMeta()[8]->Title, ChapterInfo::getTranslationFor(app->dbConnectionStatic(), 3, 2, 142));

    // Changed while the reading screen is on top: an Arabic commentary shows the Arabic text.
    tapRow(NSIndexPath{0, 0});
    defaults().setInteger(27, "CurrentTranslationv22");
    NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
    EXPECT_TRUE(index->sectionedMeta().empty());
    showIndex();
    const auto& meta = index->sectionedMeta();
    ASSERT_EQ(meta.size(), 240u);
    EXPECT_EQ(meta[8]->Title, ChapterInfo::getArabicVerseFor(app->dbConnectionStatic(), 2, 142));
    EXPECT_TRUE(ChapterInfo::isTextRTL(meta[8]->Title));
    auto* cell = rowCell(NSIndexPath{1, 0});
    ASSERT_NE(cell, nullptr);
    auto* view = dynamic_cast<SectionCellView*>(cell->cellView());
    EXPECT_EQ(view->textLabel()->text(), meta[8]->Title);
}

TEST_F(IndexScreenTest, ArabicInterfaceUsesArabicDigitsAndRightToLeftRows) {
    Language::setLanguage("ar");
    LumenoSDKAppDelegate::ResetArabicCheck();
    launch();
    showIndex();
    auto* cell = rowCell(NSIndexPath{0, 10});
    ASSERT_NE(cell, nullptr);
    auto* view = dynamic_cast<SurahCellView*>(cell->cellView());
    EXPECT_EQ(view->numberLabel()->text(), "\u0661\u0661");
    EXPECT_EQ(view->numberLabel()->textAlignment(), UITextAlignmentRight);
    EXPECT_EQ(view->nameLabel()->textAlignment(), UITextAlignmentRight);
    EXPECT_NE(view->verseCountLabel()->text().find("\u0661\u0662\u0663"), std::string::npos);  // 123 verses
    EXPECT_EQ(index->viewJuzzScroller->ThisTitles()[29], "\u0663\u0660");
    EXPECT_EQ(index->viewJuzzScroller->imgMainImg()->image(), UIImage::imageNamed("scroller-ar.png"));

    // Back to English while the reading screen is on top: the bar is rebuilt when the index
    // appears again.
    tapRow(NSIndexPath{0, 0});
    Language::setLanguage("en");
    NSNotificationCenter::defaultCenter().postNotificationName("ArabicLanguageChanged");
    EXPECT_EQ(index->viewJuzzScroller->ThisTitles()[29], "\u0663\u0660");
    showIndex();
    EXPECT_EQ(index->viewJuzzScroller->ThisTitles()[29], "30");
    EXPECT_EQ(index->viewJuzzScroller->imgMainImg()->image(), UIImage::imageNamed("scroller-en.png"));
}

TEST_F(IndexScreenTest, TurningTheDeviceSwapsTheJuzBarPicture) {
    launch();
    showIndex();
    UIScrollableBar& bar = *index->viewJuzzScroller;
    EXPECT_FALSE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationPortraitUpsideDown));
    ASSERT_TRUE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationLandscapeRight));
    settle();
    EXPECT_FALSE(bar.IsPortrait());
    EXPECT_EQ(bar.imgMainImg()->image(), UIImage::imageNamed("scroller-ls.png"));
    // The picture carries the numbers; the thirty touch zones, a few points high here, draw nothing.
    for (const auto& label : bar.ThisIndexLabels()) EXPECT_EQ(label->alpha(), 0);
    EXPECT_LT(bar.ThisIndexLabels()[0]->frame().size.height, 11);
    ASSERT_TRUE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationPortrait));
    settle();
    EXPECT_TRUE(bar.IsPortrait());
    EXPECT_EQ(bar.imgMainImg()->image(), UIImage::imageNamed("scroller-en.png"));
}

TEST_F(IndexScreenTest, TappingARowOpensItsPlace) {
    const struct {
        bool juzMode;
        NSIndexPath path;
        int chapter, verse;
    } cases[] = {{false, {0, 17}, 18, -1}, {true, {1, 0}, 2, 142}, {true, {29, 7}, 100, 9}};
    launch();
    for (const auto& k : cases) {
        showIndex();
        if (index->isShowingSectionedView() != k.juzMode) switchMode();
        tapRow(k.path);
        ASSERT_NE(index->thisSurahController(), nullptr);
        EXPECT_EQ(nav->topViewController(), index->thisSurahController().get()) << k.chapter;
        EXPECT_EQ(reading().iCurrentSurah(), k.chapter);
        EXPECT_EQ(index->highlightVerse(), k.verse);
        EXPECT_EQ(defaults().integerForKey("CurrentlyShowingSurah"), k.chapter);
        EXPECT_EQ(index->iCurrentlyShowingSurah(), k.chapter);
        EXPECT_EQ(index->btnTopCurrentSurah->titleForState(UIControlStateNormal), ChapterInfo::getNameFromNumber(k.chapter));
        EXPECT_EQ(nav->viewControllers().size(), 2u);
    }
    // One reading screen, made once, for every opening.
    EXPECT_EQ(index->currentlySelectedRow(), 239);
    EXPECT_EQ(index->currentlySelectedSection(), 29);
}

TEST_F(IndexScreenTest, OpeningWhileReadingResetsTheScreenInPlace) {
    launch();
    auto* first = index->thisSurahController().get();
    index->showSurahView(36, 12, false, true);
    settle();
    EXPECT_EQ(index->thisSurahController().get(), first);
    EXPECT_EQ(nav->viewControllers().size(), 2u);
    EXPECT_EQ(reading().iCurrentSurah(), 36);
    EXPECT_EQ(reading().iCurrentVerse(), 12);
    EXPECT_TRUE(index->IsShowingSurahView());
}

TEST_F(IndexScreenTest, SwitchingModesKeepsEachModesOffset) {
    launch();
    showIndex();
    UITableView& table = *index->surahListTable;
    table.setContentOffset(CGPointMake(0, 900));
    switchMode();
    EXPECT_FLOAT_EQ(defaults().floatForKey("SurahListYOffset"), 900);
    EXPECT_DOUBLE_EQ(table.contentOffset().y, 0);
    table.setContentOffset(CGPointMake(0, 2500));
    switchMode();
    EXPECT_DOUBLE_EQ(table.contentOffset().y, 900);
    switchMode();
    EXPECT_DOUBLE_EQ(table.contentOffset().y, 2500);
    EXPECT_EQ(index->currentlySelectedRow(), -1);
    EXPECT_EQ(index->currentlySelectedSection(), -1);

    // The mode and its offset survive a restart.
    quit();
    launch();
    showIndex();
    EXPECT_TRUE(index->isShowingSectionedView());
    EXPECT_DOUBLE_EQ(index->surahListTable->contentOffset().y, 2500);
}

TEST_F(IndexScreenTest, JuzBarJumpsToAJuz) {
    launch();
    showIndex();
    UIScrollableBar& bar = *index->viewJuzzScroller;
    ASSERT_EQ(bar.ThisTitles().size(), 30u);
    auto labelCentre = [&](int i) { return screenCentre(bar, bar.ThisIndexLabels()[static_cast<size_t>(i)]->frame()); };

    // Chapter mode: juz 3 begins at 2:253, so chapter 2 comes to the top.
    backend.touchDown(1, labelCentre(0));
    backend.touchMove(1, labelCentre(2));
    backend.runUntilIdle();
    EXPECT_EQ(index->lblTopBarLabel->text(), "Juz 3");
    EXPECT_EQ(topRow(), (NSIndexPath{0, 1}));
    backend.touchUp(1, labelCentre(2));
    settle();
    EXPECT_EQ(index->lblTopBarLabel->text(), "Suras");
    EXPECT_EQ(topRow(), (NSIndexPath{0, 1}));
    EXPECT_FLOAT_EQ(defaults().floatForKey("SurahListYOffset"), static_cast<float>(index->surahListTable->contentOffset().y));

    // Juz mode: the juz's section comes to the top.
    switchMode();
    backend.touchDown(2, labelCentre(9));
    backend.touchUp(2, labelCentre(9));
    settle();
    EXPECT_EQ(topRow().section, 9);
    EXPECT_EQ(index->lblPartitionTitle->text(), "Juz 10");
    EXPECT_EQ(index->lblTopBarLabel->text(), "Sections");

    // Outside the titles nothing moves.
    const double y = index->surahListTable->contentOffset().y;
    index->scrollableBarSelectedIndex(30);
    index->scrollableBarSelectedIndex(-1);
    EXPECT_DOUBLE_EQ(index->surahListTable->contentOffset().y, y);
}

TEST_F(IndexScreenTest, RelaunchReopensTheLastChapterAndVerse) {
    struct Case {
        long long storedSurah, storedVerse;
        int chapter, verse;
    };
    const Case cases[] = {{36, 12, 36, 12}, {1, 500, 1, 7}, {0, -1, 1, -1}, {115, 3, 1, 3}};
    for (const auto& k : cases) {
        defaults().setInteger(k.storedSurah, "CurrentlyShowingSurah");
        defaults().setInteger(k.storedVerse, "CurrentlyShowingVerse");
        launch();
        ASSERT_NE(index->thisSurahController(), nullptr);
        EXPECT_EQ(nav->topViewController(), index->thisSurahController().get()) << k.storedSurah;
        EXPECT_EQ(reading().iCurrentSurah(), k.chapter) << k.storedSurah;
        EXPECT_EQ(index->highlightVerse(), k.verse) << k.storedSurah;
        quit();
    }

    // A place opened from the index is where the next start opens.
    launch();
    showIndex();
    tapRow(NSIndexPath{0, 54});
    // The reading screen keeps the verse current while the user reads.
    const long long verse = defaults().integerForKey("CurrentlyShowingVerse");
    quit();
    launch();
    EXPECT_EQ(reading().iCurrentSurah(), 55);
    EXPECT_EQ(index->highlightVerse(), verse);
    EXPECT_EQ(index->btnTopCurrentSurah->titleForState(UIControlStateNormal), ChapterInfo::getNameFromNumber(55));
}

TEST_F(IndexScreenTest, CurrentChapterButtonReopensTheChapterItNames) {
    launch();
    showIndex();
    tapRow(NSIndexPath{0, 4});  // chapter 5
    showIndex();
    // Playing a chapter without audio offers the download and opens nothing: the button
    // still names, and opens, chapter 5.
    index->showSurahView(7, -1, true, true);
    settle();
    EXPECT_EQ(app->offers, std::vector<int>{7});
    EXPECT_EQ(nav->topViewController(), index.get());
    EXPECT_EQ(index->iCurrentlyShowingSurah(), 5);
    EXPECT_EQ(index->btnTopCurrentSurah->titleForState(UIControlStateNormal), ChapterInfo::getNameFromNumber(5));
    backend.tap(screenCentre(*index->btnTopCurrentSurah, index->btnTopCurrentSurah->bounds()));
    settle();
    EXPECT_EQ(nav->topViewController(), index->thisSurahController().get());
    EXPECT_EQ(reading().iCurrentSurah(), 5);
    EXPECT_FALSE(reading().globalShouldStartPlaying());

    // While a download runs, asking to play opens the chapter without playing.
    showIndex();
    app->setDownloading(true, 3, 0);
    index->showSurahView(7, -1, true, true);
    settle();
    EXPECT_EQ(app->offers.size(), 1u);
    EXPECT_EQ(reading().iCurrentSurah(), 7);
    EXPECT_FALSE(index->playSurah());
    app->setDownloading(false, 0, 0);
}

TEST_F(IndexScreenTest, AudioStatusComesFromTheInstalledAudioStore) {
    launch();
    showIndex();
    sqlite3* db = app->dbConnection();
    const int current = static_cast<int>(defaults().integerForKey("CurrentReciterv22"));
    const int other = current == 0 ? 2 : 0;
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 2, current));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 3, other));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 4, current));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 4, other));

    // Visible: the notification is left to the download callbacks.
    NSNotificationCenter::defaultCenter().postNotificationName("RequiresRefreshOfSoundStatus");
    EXPECT_FALSE(index->isSurahAudioInstalled(2));
    // Hidden: the cache is rebuilt at the next appearance.
    tapRow(NSIndexPath{0, 0});
    NSNotificationCenter::defaultCenter().postNotificationName("RequiresRefreshOfSoundStatus");
    showIndex();
    const struct {
        int chapter;
        const char* image;
    } cases[] = {{1, "sound-dead.png"}, {2, "sound-ready.png"}, {3, "sound-multi.png"}, {4, "sound-ready-plus.png"}};
    for (const auto& k : cases) {
        auto* cell = rowCell(NSIndexPath{0, k.chapter - 1});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->cellView()->soundButton()->imageForState(UIControlStateNormal), UIImage::imageNamed(k.image))
            << k.chapter;
    }
    EXPECT_FALSE(index->isSurahAudioInstalled(0));
    EXPECT_FALSE(index->isSurahAudioInstalledForOthers(115));

    // The sound button of an installed chapter opens it playing.
    auto* cell = rowCell(NSIndexPath{0, 1});
    backend.tap(screenCentre(*cell->cellView()->soundButton(), cell->cellView()->soundButton()->bounds()));
    settle();
    EXPECT_TRUE(app->offers.empty());
    EXPECT_EQ(nav->topViewController(), index->thisSurahController().get());
    EXPECT_EQ(reading().iCurrentSurah(), 2);
    EXPECT_TRUE(index->playSurah());
}

TEST_F(IndexScreenTest, PositionSelectsItsQuarterUpToTheLastOne) {
    launch();
    showIndex();
    const int before = index->currentlySelectedRow();
    index->selectSectionForSurah(2, 150);
    EXPECT_EQ(index->currentlySelectedRow(), before) << "chapter mode selects nothing";
    switchMode();
    const struct {
        int chapter, verse;
        int row, section;
    } cases[] = {{2, 142, 8, 1}, {2, 150, 8, 1}, {1, 1, 0, 0}, {100, 9, 239, 29}, {114, 6, 239, 29}, {99, 1, 238, 29}};
    for (const auto& k : cases) {
        index->selectSectionForSurah(k.chapter, k.verse);
        EXPECT_EQ(index->currentlySelectedRow(), k.row) << k.chapter << ":" << k.verse;
        EXPECT_EQ(index->currentlySelectedSection(), k.section) << k.chapter << ":" << k.verse;
    }
}

TEST_F(IndexScreenTest, DownloadStripFollowsARunningDownload) {
    app->setDownloading(true, 18, 3 * 1024 * 1024 + 10);
    launch();
    showIndex();
    EXPECT_TRUE(index->isShowingDownloadStrip());
    EXPECT_FALSE(index->viewIndexDownloadContainer->isHidden());
    EXPECT_EQ(index->lblIndexDownload->text(), "Downloading " + ChapterInfo::getNameFromNumber(18) + " (3 MB)");
    EXPECT_DOUBLE_EQ(index->surahListTable->frame().origin.y, 36);
    index->didUpdateFileSize(500 * 1024);
    EXPECT_EQ(index->lblIndexDownload->text(), "Downloading " + ChapterInfo::getNameFromNumber(18) + " (500 kB)");
    index->didUpdateDownloadProgress(0.4f);
    EXPECT_FLOAT_EQ(index->progressIndexDownload->progress(), 0.4f);
    index->willPerformAudioSetup();
    EXPECT_EQ(index->lblIndexDownload->text(), "Setting Up... Please Wait");
    EXPECT_FALSE(index->btnIndexDownload->isEnabled());
    app->setDownloading(false, 0, 0);
    index->didEndDownloading();
    settle();
    EXPECT_FALSE(index->isShowingDownloadStrip());
    EXPECT_DOUBLE_EQ(index->surahListTable->frame().origin.y, 0);
    EXPECT_DOUBLE_EQ(index->surahListTable->frame().size.height, index->viewCenterContainer->bounds().size.height);
}

// Screens of both modes (docs/index-chapters.png, docs/index-juz.png).
TEST_F(IndexScreenTest, ScreensOfBothModes) {
    launch();
    showIndex();
    docs_screenshot::shootForDocs(backend, "index-chapters.png");
    // The top bar is dark, the list's paper light.
    auto bar = backend.pixelAt(CGPointMake(160, 5));
    auto paper = backend.pixelAt(CGPointMake(200, 120));
    EXPECT_LT(bar.r + bar.g + bar.b, paper.r + paper.g + paper.b);
    switchMode();
    docs_screenshot::shootForDocs(backend, "index-juz.png");
}

}  // namespace
