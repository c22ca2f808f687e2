// Two connections to the user database while the audio installer holds its transaction.

#include "Classes/Core/ChapterInfo.h"
#include "tests/Classes/Core/DataStoreFixture.h"
#include "tests/support/HeldDatabase.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

class InstallWhileWriting : public StoreTest {};

TEST_F(InstallWhileWriting, EveryBookmarkAndNoteWrittenDuringAnInstallIsKeptAndNothingDeadlocks) {
    sqlite3* installer = app->dbConnectionAudioDownload();
    std::atomic<bool> transactionOpen{false};
    std::atomic<bool> mainWriting{false};
    std::atomic<bool> installOk{false};
    std::atomic<bool> workerDone{false};
    const Blob clip(4000, 0x5A);

    std::thread worker([&] {
        struct Done {
            std::atomic<bool>& flag;
            ~Done() { flag = true; }
        } done{workerDone};
        if (!ChapterInfo::beginTrans(installer)) return;
        transactionOpen = true;
        bool ok = true;
        int verse = 1;
        // Keep the transaction open until the main thread is writing, then a while longer.
        for (int extra = 0; extra < 150; verse++) {
            ok = ChapterInfo::insertMP3Blob(installer, 2, verse, 4, clip) && ok;
            if (mainWriting) ++extra;
        }
        ok = ChapterInfo::markAudioAsInstalled(installer, 2, 4) && ok;
        if (ok && ChapterInfo::commitTrans(installer)) {
            installOk = true;
        } else {
            (void)ChapterInfo::rollbackTrans(installer);
        }
    });

    while (!transactionOpen && !workerDone) std::this_thread::yield();
    // Reads go on during the install.
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(user(), 2, 4));
    int failures = 0;
    for (int i = 0; i < 1000; ++i) {
        mainWriting = true;
        int surah = 1 + i % 114, verse = 1 + i / 114;
        if (!ChapterInfo::insertBookmark(user(), surah, verse, false, i % 5, std::nullopt)) ++failures;
        if (!ChapterInfo::insertBookmarkNote(user(), surah, verse, "note " + std::to_string(i))) ++failures;
    }
    worker.join();

    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(installOk);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks"), 1000);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(DISTINCT note) FROM bookmarks"), 1000);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 1 + 999 % 114, 1 + 999 / 114), "note 999");
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(user(), 2, 4));
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 2, 1, 4), clip);
}

TEST_F(InstallWhileWriting, AWorkerWaitingForAnotherProgramsLockMakesWayForTheMainThread) {
    HeldDatabase other(documents + "/lumenodyn.db");
    ASSERT_TRUE(other.holding());
    // Should the worker keep waiting, the other program lets go after a while and its write
    // goes through: the worker would have kept the main thread out all that time.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread otherProgram([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) other.release();
    });

    std::atomic<bool> workerHoldsConnection{false};
    std::atomic<int> workerStored{-1};
    std::atomic<int> workerFailure{SQLITE_OK};
    std::thread worker([&] {
        auto guard = DataStoreConnection::lock(user());
        workerHoldsConnection = true;
        DataStoreConnection::clearLastFailure();
        workerStored = ChapterInfo::insertBookmark(user(), 2, 255, false, 0, std::nullopt) ? 1 : 0;
        if (auto failure = DataStoreConnection::lastFailure()) workerFailure = failure->code;
    });
    while (!workerHoldsConnection) std::this_thread::yield();
    // The main thread reads through the connection the worker holds while it waits.
    EXPECT_FALSE(ChapterInfo::isBookmarked(user(), 2, 255));
    worker.join();
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    finished.notify_all();
    otherProgram.join();

    EXPECT_EQ(workerStored, 0);
    EXPECT_TRUE(DataStoreConnection::isBusy(workerFailure));
    other.release();
    EXPECT_TRUE(ChapterInfo::insertBookmark(user(), 2, 255, false, 0, std::nullopt));
}

TEST_F(InstallWhileWriting, ThreadsShareTheContentConnectionSafely) {
    std::atomic<int> mismatches{0};
    auto reader = [&](int translation) {
        for (int i = 0; i < 200; ++i) {
            if (ChapterInfo::getSearchResults(content(), translation, std::string("merciful"), nullptr).size() != 2)
                ++mismatches;
            if (ChapterInfo::getVerseData(content(), 1, 1).size() != 4) ++mismatches;
        }
    };
    std::thread a(reader, 3), b(reader, 3);
    reader(3);
    a.join();
    b.join();
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
