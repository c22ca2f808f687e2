// The search screen's workers against shutdown and against drawing: quitting while a worker
// runs joins it before the connections close, and a search never waits for the connection
// the drawing reads through.

#include <future>
#include <thread>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Localization.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "tests/Classes/Search/SearchFixture.h"

namespace {

class SearchWorkers : public SearchTest {
protected:
    // The history's rows as stored, read through a connection of the test's own.
    static long long storedSearches() {
        sqlite3* raw = nullptr;
        sqlite3_open_v2((Paths::documents() + "/lumenodyn.db").c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        SQLiteConnection db(raw);
        long long count = -1;
        SQLiteStatement stmt = DataStoreConnection::prepare(db.get(), "SELECT count(*) FROM savedsearches");
        if (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW) count = sqlite3_column_int64(stmt.get(), 0);
        return count;
    }
    // Closes the databases as the quit path does and checks that nothing was left using them.
    void quitNow() {
        LogCapture log;
        app->closeDatabases();
        EXPECT_EQ(runningWorkerCount(), 0u);
        EXPECT_EQ(app->dbConnection(), nullptr);
        EXPECT_EQ(app->dbConnectionSearch(), nullptr);
        EXPECT_FALSE(log.contains("unable to close"));
        EXPECT_FALSE(log.contains("failed to close"));
    }
};

TEST_F(SearchWorkers, QuitWhileASearchRunsJoinsItAndLeavesTheHistoryAsItWas) {
    SearchViewController& screen = launchIntoSearch();
    const long long before = storedSearches();
    const std::string lastSearch = *NSUserDefaults::standardUserDefaults().stringForKey("LastSearchString");
    screen.txtSearchBar->setText("mercy");
    backend.advance(250);
    ASSERT_TRUE(screen.loadingResults());
    quitNow();
    EXPECT_FALSE(screen.loadingResults());
    EXPECT_EQ(storedSearches(), before);
    EXPECT_EQ(*NSUserDefaults::standardUserDefaults().stringForKey("LastSearchString"), lastSearch);
}

TEST_F(SearchWorkers, QuitWhileTheHistoryLoadsOrMarksVersesJoinsTheWorker) {
    for (bool marking : {false, true}) {
        SCOPED_TRACE(marking ? "marking" : "loading");
        launch();
        if (marking) {
            SearchViewController& screen = openSearch();
            search(screen, "mercy");
            nav->popViewControllerAnimated(false);
            settle();
            history->setupView();
            waitForHistory();
            ASSERT_FALSE(history->savedSearches().empty());
            history->reflectSearchedVerses(true, history->savedSearches().front().get());
            ASSERT_TRUE(history->isReflecting());
        } else {
            history->setupView();
            ASSERT_TRUE(history->isSettingUp());
        }
        quitNow();
        // A worker that ended just before the quit left its result queued; the quit leaves
        // queued work alone, so it lands here.
        RunLoop::main().runUntilIdle();
        EXPECT_FALSE(history->isSettingUp());
        EXPECT_FALSE(history->isReflecting());
        TearDown();
        SetUp();
    }
}

TEST_F(SearchWorkers, ASearchNeverWaitsForTheDrawingConnection) {
    SearchViewController& screen = launchIntoSearch();
    ASSERT_NE(app->dbConnectionSearch(), nullptr);
    ASSERT_NE(app->dbConnectionSearch(), content());
    {
        // Drawing holds its connection for the whole search: the search still ends.
        std::promise<void> held, release;
        std::thread drawing([&] {
            auto lock = DataStoreConnection::lock(content());
            held.set_value();
            release.get_future().wait();
        });
        held.get_future().wait();
        search(screen, "mercy");
        release.set_value();
        drawing.join();
        EXPECT_GT(screen.totalVerses(), 0);
    }
    {
        // A long search holds its own connection: a verse read for drawing finishes at once.
        auto searching = DataStoreConnection::lock(app->dbConnectionSearch());
        auto read = std::async(std::launch::async, [this] { return ChapterInfo::getArabicVerseFor(content(), 1, 1); });
        ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_FALSE(read.get().empty());
    }
}

TEST_F(SearchWorkers, AMissingIndexIsSaidAndLoggedNotShownAsNoResults) {
    // An English word finds no Arabic verse, so the translation's index is asked; it has none.
    NSUserDefaults::standardUserDefaults().setInteger(999, "CurrentTranslationv22");
    NSUserDefaults::standardUserDefaults().setInteger(0, "LastTranslationSearched");
    SearchViewController& screen = launchIntoSearch();
    LogCapture log;
    search(screen, "zzyzx");
    EXPECT_EQ(screen.searchFailure(), "Search failed: the index is damaged");
    EXPECT_EQ(screen.lblResultsTitle->text(), "Search failed: the index is damaged");
    EXPECT_TRUE(log.contains("Search failed: the index is damaged"));
}

TEST_F(SearchWorkers, AQueryTooLongForTheStoreSaysSoInTheInterfaceLanguage) {
    const std::string tooLong = "The search text is too long; use fewer words.";
    SearchViewController& screen = launchIntoSearch();
    std::string words;
    for (int i = 0; i < 1500; ++i) words += (i ? " w" : "w") + std::to_string(i);
    LogCapture log;
    search(screen, words);
    EXPECT_EQ(screen.searchFailure(), tooLong);
    EXPECT_EQ(screen.lblResultsTitle->text(), tooLong);
    EXPECT_EQ(screen.lblResultsTitle->text().find("Expression tree"), std::string::npos);
    EXPECT_TRUE(log.contains(tooLong));
    // The Arabic interface has its own text.
    const std::string arabic = localizedString(tooLong, "ar", "");
    EXPECT_NE(arabic, tooLong);
    Language::setLanguage("ar");
    search(screen, words + " w1500");
    EXPECT_EQ(screen.lblResultsTitle->text(), arabic);
    Language::setLanguage("en");
}

}  // namespace
