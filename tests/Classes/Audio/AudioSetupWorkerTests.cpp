// The installation worker reports its outcome on the main thread, in order, and stops when the
// program quits.

#include "tests/Classes/Audio/InstallFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

#include <chrono>

TEST_F(InstallTest, TheWorkerInstallsThenReportsOnTheMainThread) {
    struct Case {
        bool archiveThere;
        const char* outcome;
    };
    for (const Case c : {Case{true, "setupSucceeded"}, Case{false, "setupFailed"}}) {
        const ChapterAudioDownload d{1, 9};
        if (c.archiveThere) placeArchive(d, allClips(d));
        app->setDownloadingReciter(9);
        recorder->finalized = false;
        const size_t before = recorder->events().size();
        app->startSetupDownloadedSurahAudio(1);
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder->finalized.load(); }, 30));
        const auto events = recorder->events();
        EXPECT_EQ(std::vector<std::string>(events.begin() + static_cast<long>(before), events.end()),
                  (std::vector<std::string>{"willPerformAudioSetup", c.outcome, "finalizeDownload"}));
        EXPECT_FALSE(app->settingUpSurah());
        EXPECT_EQ(ChapterInfo::isSurahAudioInstalled(user(), 1, 9), true);
    }
}

TEST_F(InstallTest, AQuitDuringAnInstallationEndsItWithinTheStopLimitLeavingTheChapterAbsent) {
    const ChapterAudioDownload d{2, 9};  // 287 clips
    placeArchive(d, allClips(d, 20000));
    app->setDownloadingReciter(9);
    app->setDownloadingExpectedBytes(20 << 20);
    // A slow disk: storing the whole chapter would take far longer than a quit may wait.
    fixture::slowDown(app->dbConnectionAudioDownload(), 5);
    app->startSetupDownloadedSurahAudio(2);
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return app->settingUpSurah() && sqlite3_get_autocommit(app->dbConnectionAudioDownload()) == 0; }, 30));

    const auto started = std::chrono::steady_clock::now();
    app->closeDatabases();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(runningWorkerCount(), 0u);
    EXPECT_LT(seconds, 10);
    EXPECT_EQ(app->dbConnection(), nullptr);  // closed, so no worker used them any more
    // Nothing is reported to screens that are going away.
    EXPECT_EQ(recorder->events(), std::vector<std::string>{"willPerformAudioSetup"});

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((documents + "/" + LumenoSDKAppDelegate::userDbFileName()).c_str(), &db,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    EXPECT_EQ(fixture::scalar(db, "SELECT count(*) FROM recitationmp3s WHERE surah = 2"), 0);
    EXPECT_EQ(fixture::scalar(db, "SELECT count(*) FROM recitations WHERE surah = 2"), 0);
    sqlite3_close(db);
    EXPECT_FALSE(std::filesystem::exists(d.archivePath()) || std::filesystem::exists(d.tarPath()) ||
                 std::filesystem::exists(d.extractionPath()));
}
