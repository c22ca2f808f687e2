// A user database with damaged pages (header and schema intact): found at start or when
// SQLite answers that the file is damaged, kept aside byte for byte, and rebuilt with every
// record that still reads. A user database that is a link to a missing file is left alone.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/NSData+Bzip2.h"
#include "tests/Classes/Core/DataStoreFixture.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/ReadOnlyFolder.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDateFormatter.h"
#include "platform/foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A delegate that records what it was told about a repair while running.
class RecordingDelegate : public LumenoSDKAppDelegate {
public:
    int repairsTold = 0;
    bool lastRepaired = false;
    void userDatabaseRepaired(bool repaired, const std::string&) override {
        ++repairsTold;
        lastRepaired = repaired;
    }
};

class DamagedUserDatabase : public StoreTest {
protected:
    std::string userDb() const { return documents + "/lumenodyn.db"; }
    std::string today() const { return NSDateFormatter("yyyy-MM-dd").stringFromDate(NSDate::date()); }

    // Closes the connections as a run ends (the write-ahead log is folded into the file).
    void endRun() {
        app->closeDatabases();
        app.reset();
        ASSERT_FALSE(fs::exists(userDb() + "-wal"));
    }
    bool startAgain() {
        app = std::make_unique<RecordingDelegate>();
        return app->createEditableCopyOfDatabaseIfNeeded() && app->initializeDatabase();
    }
    RecordingDelegate& delegate() { return static_cast<RecordingDelegate&>(*app); }

    std::vector<long long> pages(const std::string& name, const std::string& kind) const {
        return damaged_pages::pagesOf(userDb(), name, kind);
    }
    long long cellsOn(long long page) const {
        SQLiteConnection db = fixture::open(userDb());
        return fixture::scalar(db.get(), "SELECT ncell FROM dbstat WHERE pageno = " + std::to_string(page));
    }
    void damagePage(long long page) const { damaged_pages::damage(userDb(), page); }
    static std::string integrity(const std::string& path) {
        SQLiteConnection db = fixture::open(path);
        SQLiteStatement stmt = DataStoreConnection::prepare(db.get(), "PRAGMA integrity_check");
        if (!stmt || sqlite3_step(stmt.get()) != SQLITE_ROW) return sqlite3_errmsg(db.get());
        return columnString(stmt.get(), 0);
    }
    std::vector<std::string> damagedCopies() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(documents))
            if (entry.path().filename().string().rfind("lumenodyn.damaged-", 0) == 0)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void addSavedSearchWithHits() {
        fixture::exec(user(),
                      "INSERT INTO savedsearches (searchword, hitcount, translation, isuse) VALUES ('mercy', 2, 3, 1);"
                      "INSERT INTO searchmatches VALUES (1, 1, last_insert_rowid()), (2, 2, last_insert_rowid());");
    }
    // A clip of `bytes` MP3-like bytes (not all alike, so it does not compress to nothing).
    static Blob clip(int seed, size_t bytes) {
        Blob data(bytes);
        uint32_t x = 2463534242u + static_cast<uint32_t>(seed);
        for (auto& b : data) {
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            b = static_cast<uint8_t>(x);
        }
        return data;
    }
};

TEST_F(DamagedUserDatabase, ADamagedBookmarksPageAtStartIsKeptAsideAndEveryBookmarkComesOverToASoundFile) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, 1, false, 0, std::string("first")));
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, 2, false, 2, std::nullopt));
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 3, true, 0, std::string("third")));
    ASSERT_TRUE(ChapterInfo::setBookmarkSectionCollapsed(user(), 2, true));
    addSavedSearchWithHits();
    endRun();
    // The whole table on one page, which is damaged; the index still names the three.
    ASSERT_TRUE(pages("bookmarks", "internal").empty());
    damagePage(pages("bookmarks", "leaf").at(0));
    ASSERT_NE(integrity(userDb()), "ok");
    const std::string damaged = readFile(userDb());
    // An earlier copy of today's date stays as it is.
    const std::string earlier = documents + "/lumenodyn.damaged-" + today() + ".db";
    std::ofstream(earlier) << "an earlier damaged copy";

    LogCapture log;
    ASSERT_TRUE(startAgain());
    EXPECT_TRUE(log.contains("is damaged"));
    // The damaged file beside the new one, byte for byte, under a name of its own.
    EXPECT_EQ(damagedCopies(), (std::vector<std::string>{"lumenodyn.damaged-" + today() + "-2.db",
                                                         "lumenodyn.damaged-" + today() + ".db"}));
    const std::string copy = documents + "/lumenodyn.damaged-" + today() + "-2.db";
    EXPECT_TRUE(readFile(copy) == damaged) << "the damaged copy differs from the damaged file";
    EXPECT_EQ(readFile(earlier), "an earlier damaged copy");
    ASSERT_TRUE(app->salvageReport());
    const SalvageReport& report = *app->salvageReport();
    EXPECT_EQ(report.damagedCopy, copy);
    EXPECT_EQ(report.bookmarks, 3);
    EXPECT_EQ(report.bookmarksFound, 3);
    EXPECT_EQ(report.notesUnreadable, 3);  // the notes were on the damaged page
    EXPECT_EQ(report.savedSearches, 1);
    EXPECT_EQ(report.searchHits, 2);

    // The list and the count read the same three from a sound file.
    EXPECT_EQ(integrity(userDb()), "ok");
    EXPECT_EQ(ChapterInfo::getAllBookmarks(user(), -1).size(), 3u);
    EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), -1, -1), 3);
    EXPECT_TRUE(ChapterInfo::isBookmarked(user(), 1, 3));
    EXPECT_TRUE(ChapterInfo::hasBookmarkSectionCollapsed(user(), 2));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM searchmatches WHERE savesearch_id = 1"), 2);
    EXPECT_EQ(ChapterInfo::dbVersion(user()), 3.24);
    // The next bookmark goes into the sound file.
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 1, false, 0, std::string("after")));
    endRun();
    EXPECT_EQ(integrity(userDb()), "ok");
    EXPECT_TRUE(readFile(copy) == damaged);
    ASSERT_TRUE(startAgain());
    EXPECT_FALSE(app->salvageReport());
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 1, 1), "after");
    EXPECT_EQ(ChapterInfo::getBookmarkCount(user(), -1, -1), 4);
}

TEST_F(DamagedUserDatabase, RowsOnTheSoundPagesOnEitherSideOfADamagedOneKeepTheirNotes) {
    const std::string longNote(300, 'n');
    for (int verse = 1; verse <= 200; ++verse)
        ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, verse, false, verse % 4, longNote + std::to_string(verse)));
    endRun();
    const std::vector<long long> leaves = pages("bookmarks", "leaf");
    ASSERT_GE(leaves.size(), 6u);
    const long long lost = cellsOn(leaves[2]) + cellsOn(leaves[4]);
    damagePage(leaves[2]);
    damagePage(leaves[4]);

    ASSERT_TRUE(startAgain());
    ASSERT_TRUE(app->salvageReport());
    EXPECT_EQ(app->salvageReport()->bookmarks, 200);
    EXPECT_EQ(app->salvageReport()->notesUnreadable, lost);
    EXPECT_EQ(app->salvageReport()->notes, 200 - lost);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks WHERE note IS NOT NULL"), 200 - lost);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 2, 200), longNote + "200");
    EXPECT_EQ(fixture::scalar(user(), "SELECT bkgroup FROM bookmarks WHERE verse = 199"), 3);
    EXPECT_EQ(integrity(userDb()), "ok");
}

TEST_F(DamagedUserDatabase, AClipFoundDamagedWhileRunningLeavesOutItsChapterOnlyAndTheRestComesOver) {
    // Chapter 1 whole (small clips), chapter 2 with a clip long enough for overflow pages, and
    // chapter 1 of a continuous recitation.
    sqlite3* db = app->dbConnectionAudioDownload();
    for (int verse = 0; verse <= 3; ++verse) ASSERT_TRUE(ChapterInfo::insertMP3Blob(db, 1, verse, 1, clip(verse, 500)));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 1, 1));
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(db, 2, 1, 1, clip(21, 40000)));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 2, 1));
    ASSERT_TRUE(ChapterInfo::insertContMP3Blob(db, 1, 1, 5, clip(51, 800)));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(db, 1, 5, true));
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, 7, false, 0, std::string("kept")));
    endRun();
    for (long long page : pages("recitationmp3s", "overflow")) damagePage(page);

    // The start check leaves the clips alone; reading the damaged one finds it.
    ASSERT_TRUE(startAgain());
    EXPECT_FALSE(app->salvageReport());
    EXPECT_TRUE(ChapterInfo::getMP3Recitation(user(), 2, 1, 1).empty());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate().repairsTold, 1);
    EXPECT_TRUE(delegate().lastRepaired);
    ASSERT_TRUE(app->salvageReport());
    EXPECT_EQ(app->salvageReport()->audioChapters, 2);
    EXPECT_EQ(app->salvageReport()->audioChaptersFound, 3);
    EXPECT_EQ(app->salvageReport()->bookmarks, 1);
    EXPECT_EQ(app->salvageReport()->notes, 1);
    EXPECT_EQ(damagedCopies().size(), 1u);

    // Both connections go on with the rebuilt file: chapter 2 is offered for download again.
    for (sqlite3* connection : {user(), app->dbConnectionAudioDownload()}) {
        EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(connection, 1, 1));
        EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(connection, 2, 1));
        EXPECT_TRUE(ChapterInfo::isSurahAudioHQInstalled(connection, 1, 5));
    }
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 1, 3, 1), clip(3, 500));
    EXPECT_EQ(ChapterInfo::getContMP3Recitation(user(), 1, 1, 5), clip(51, 800));
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 2, 7), "kept");
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 2, false, 0, std::nullopt));
    endRun();
    EXPECT_EQ(integrity(userDb()), "ok");
}

TEST_F(DamagedUserDatabase, DamageFoundWhileRunningThatCannotBeRepairedStopsEveryWriteToTheFile) {
    sqlite3* db = app->dbConnectionAudioDownload();
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(db, 2, 1, 1, clip(21, 40000)));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(db, 2, 1));
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, 7, false, 0, std::string("kept")));
    endRun();
    for (long long page : pages("recitationmp3s", "overflow")) damagePage(page);
    ASSERT_TRUE(startAgain());
    const std::string before = readFile(userDb());

    {
        // No copy can be made beside the file, so it cannot be kept aside and rebuilt.
        NoFreeFileEntries full(documents);
        EXPECT_TRUE(ChapterInfo::getMP3Recitation(user(), 2, 1, 1).empty());
        RunLoop::main().runUntilIdle();
    }
    EXPECT_EQ(delegate().repairsTold, 1);
    EXPECT_FALSE(delegate().lastRepaired);
    EXPECT_TRUE(damagedCopies().empty());
    // What still reads is read; nothing is written into the damaged file by either connection.
    EXPECT_EQ(ChapterInfo::getBookmarkNote(user(), 2, 7), "kept");
    EXPECT_FALSE(ChapterInfo::insertBookmark(user(), 1, 2, false, 0, std::nullopt));
    EXPECT_FALSE(ChapterInfo::markAudioAsInstalled(app->dbConnectionAudioDownload(), 3, 1));
    app->closeDatabases();
    app.reset();
    EXPECT_EQ(readFile(userDb()), before);
}

TEST_F(DamagedUserDatabase, AUserDatabaseLinkedToAMissingFileIsNamedAndLeftAlone) {
    endRun();
    fs::remove(userDb());
    const std::string target = documents + "/unmounted/lumenodyn.db";
    fs::create_symlink(target, userDb());
    app = std::make_unique<LumenoSDKAppDelegate>();
    LogCapture log;
    EXPECT_FALSE(app->createEditableCopyOfDatabaseIfNeeded());
    EXPECT_EQ(app->startupFailure().cause, StartupFailure::Cause::LinkTargetMissing);
    EXPECT_EQ(app->startupFailure().file, target);
    EXPECT_TRUE(log.contains("which is missing; nothing was changed"));
    // The link is still the link, and nothing was made in its place or at its target.
    EXPECT_TRUE(fs::is_symlink(userDb()));
    EXPECT_EQ(fs::read_symlink(userDb()), target);
    EXPECT_FALSE(fs::exists(documents + "/unmounted"));
}

}  // namespace
