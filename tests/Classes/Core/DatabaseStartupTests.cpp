// Start-up: the first-launch copy, opening the three connections and the schema steps.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "tests/Classes/Core/DataStoreFixture.h"
#include "tests/support/HeldDatabase.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "tests/support/AccessRefused.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class DatabaseStartup : public ::testing::Test {
protected:
    void SetUp() override {
        std::string root = fixture::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        bundle_ = root + "/bundle";
        documents_ = root + "/Documents";
        fs::create_directories(bundle_);
        fs::create_directories(documents_);
        setenv("LUMENO_BUNDLE_DIR", bundle_.c_str(), 1);
        setenv("LUMENO_DOCUMENTS_DIR", documents_.c_str(), 1);
        fixture::createContentDatabase(bundle_ + "/lumeno.db");
        fixture::createUserTemplate(bundle_ + "/lumenodyn.db");
        NSUserDefaults::standardUserDefaults().removeObjectForKey(LumenoSDKAppDelegate::schemaVersion3_0());
        LumenoSDKAppDelegate::MarkUpgraded(false);
    }
    std::string userDb() const { return documents_ + "/lumenodyn.db"; }
    long long schemaDefault() const {
        return NSUserDefaults::standardUserDefaults().integerForKey(LumenoSDKAppDelegate::schemaVersion3_0());
    }
    static std::string versions(sqlite3* db) {
        std::string text;
        SQLiteStatement stmt = DataStoreConnection::prepare(db, "SELECT version FROM dbversion ORDER BY version");
        while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW) text += columnString(stmt.get(), 0) + " ";
        return text;
    }
    std::string bundle_, documents_;
};

TEST_F(DatabaseStartup, FirstLaunchCopiesTheTemplateAndRunsSteps3_1And3_24Only) {
    LumenoSDKAppDelegate app;
    LogCapture log;
    ASSERT_TRUE(app.createEditableCopyOfDatabaseIfNeeded());
    EXPECT_EQ(schemaDefault(), 1);
    ASSERT_TRUE(app.initializeDatabase());
    EXPECT_FALSE(log.contains("Running Schema 3.0 Update"));
    EXPECT_TRUE(log.contains("Running Schema 3.1 Update"));
    // The template already has the columns that step 3.24 adds: skipped, nothing logged.
    EXPECT_FALSE(log.contains("Schema ERROR"));
    EXPECT_TRUE(LumenoSDKAppDelegate::HasUpgradedApp());
    EXPECT_EQ(versions(app.dbConnection()), "3.1 3.24 ");
    EXPECT_EQ(ChapterInfo::dbVersion(app.dbConnection()), 3.24);
    ASSERT_NE(app.dbConnectionAudioDownload(), nullptr);
    ASSERT_NE(app.dbConnectionStatic(), nullptr);
    EXPECT_EQ(ChapterInfo::getArabicVerseFor(app.dbConnectionStatic(), 2, 1), "الم");
    SQLiteStatement mode = DataStoreConnection::prepare(app.dbConnection(), "PRAGMA journal_mode");
    ASSERT_EQ(sqlite3_step(mode.get()), SQLITE_ROW);
    EXPECT_EQ(columnString(mode.get(), 0), "wal");
    // The content database is read-only.
    EXPECT_NE(sqlite3_exec(app.dbConnectionStatic(), "DELETE FROM hezbmeta", nullptr, nullptr, nullptr), SQLITE_OK);
}

TEST_F(DatabaseStartup, ADatabaseAt3_24TakesNoStepOnTheNextLaunch) {
    {
        LumenoSDKAppDelegate first;
        ASSERT_TRUE(first.createEditableCopyOfDatabaseIfNeeded());
        ASSERT_TRUE(first.initializeDatabase());
    }
    LumenoSDKAppDelegate::MarkUpgraded(false);
    LumenoSDKAppDelegate app;
    LogCapture log;
    ASSERT_TRUE(app.createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app.initializeDatabase());
    EXPECT_FALSE(log.contains("Schema"));
    EXPECT_FALSE(LumenoSDKAppDelegate::HasUpgradedApp());
    EXPECT_EQ(versions(app.dbConnection()), "3.1 3.24 ");
}

TEST_F(DatabaseStartup, ADatabaseFromBefore3_0TakesAllThreeStepsAndKeepsItsBookmarks) {
    fixture::createUserDatabaseBefore3_0(userDb());
    LumenoSDKAppDelegate app;
    LogCapture log;
    ASSERT_TRUE(app.createEditableCopyOfDatabaseIfNeeded());
    EXPECT_EQ(schemaDefault(), 0);  // nothing was copied
    ASSERT_TRUE(app.initializeDatabase());
    EXPECT_TRUE(log.contains("Running Schema 3.0 Update"));
    EXPECT_TRUE(log.contains("Running Schema 3.1 Update"));
    EXPECT_EQ(schemaDefault(), 1);
    EXPECT_EQ(versions(app.dbConnection()), "3.1 3.24 ");
    EXPECT_FALSE(log.contains("Schema ERROR"));
    EXPECT_EQ(ChapterInfo::getBookmarkNote(app.dbConnection(), 2, 255), "kept");
    EXPECT_EQ(fixture::scalar(app.dbConnection(), "SELECT bkgroup FROM bookmarks WHERE verse = 255"), 0);
    EXPECT_EQ(fixture::scalar(app.dbConnection(),
                              "SELECT count(*) FROM sqlite_master WHERE name IN "
                              "('optimizedtrans', 'bookmarksections', 'contrecitations', "
                              "'contrecitationmp3s', 'recitations_recsur')"),
              5);
}

TEST_F(DatabaseStartup, Step3_24AddsTheColumnsA3_1DatabaseLacks) {
    fixture::createUserTemplate(userDb());
    {
        SQLiteConnection db = fixture::open(userDb());
        fixture::exec(db.get(),
                      "DROP TABLE optimizedtrans;"
                      "CREATE TABLE optimizedtrans (translation INTEGER NOT NULL, surah INTEGER NOT NULL, verse INTEGER "
                      "NOT NULL, height INTEGER NOT NULL, islandscape INTEGER NOT NULL DEFAULT 0, potraitwidth INTEGER "
                      "NOT NULL, landscapewidth INTEGER NOT NULL, devicescale DOUBLE NOT NULL DEFAULT 1);"
                      "CREATE UNIQUE INDEX optimizedtrans_all ON optimizedtrans (translation, surah, verse);"
                      "CREATE TABLE dbversion ('version' double); INSERT INTO dbversion VALUES (3.1);"
                      "CREATE TABLE contrecitations ('reciter' integer, 'surah' integer);"
                      "CREATE INDEX contrecitsurahrecit ON contrecitations (reciter, surah);"
                      "INSERT INTO contrecitations VALUES (1, 2);");
    }
    NSUserDefaults::standardUserDefaults().setInteger(1, LumenoSDKAppDelegate::schemaVersion3_0());
    LumenoSDKAppDelegate app;
    LogCapture log;
    ASSERT_TRUE(app.initializeDatabase());
    // This database also lacks contrecitationmp3s: the steps run once more to make it, and only
    // the tolerated "already exists" errors are logged.
    EXPECT_FALSE(log.contains("step not applied"));
    EXPECT_TRUE(log.contains("lacks table contrecitationmp3s"));
    EXPECT_FALSE(log.contains("duplicate column"));
    EXPECT_EQ(ChapterInfo::dbVersion(app.dbConnection()), 3.24);
    EXPECT_EQ(fixture::scalar(app.dbConnection(),
                              "SELECT count(*) FROM pragma_table_info('optimizedtrans') WHERE name IN "
                              "('isipad', 'fontscale', 'isfullscreen')"),
              3);
    EXPECT_EQ(fixture::scalar(app.dbConnection(), "SELECT ishq FROM contrecitations WHERE surah = 2"), 0);
}

TEST_F(DatabaseStartup, AFailingStepIsRolledBackAndRecordsNoVersion) {
    fixture::createUserTemplate(userDb());
    {
        // Step 3.1 indexes dbversion's column "version", which this table lacks.
        SQLiteConnection db = fixture::open(userDb());
        fixture::exec(db.get(), "CREATE TABLE dbversion (other double)");
    }
    NSUserDefaults::standardUserDefaults().setInteger(1, LumenoSDKAppDelegate::schemaVersion3_0());
    LumenoSDKAppDelegate app;
    LogCapture log;
    EXPECT_FALSE(app.initializeDatabase());
    EXPECT_TRUE(log.contains("[1.2] 3.1 Schema ERROR:"));
    EXPECT_TRUE(log.contains("Failed to open database with message"));
    EXPECT_EQ(app.startupFailure().cause, StartupFailure::Cause::SchemaStepFailed);
    SQLiteConnection db = fixture::open(userDb());
    EXPECT_EQ(fixture::scalar(db.get(),
                              "SELECT count(*) FROM sqlite_master WHERE name IN ('dbver', 'contrecitations')"),
              0);
}

TEST_F(DatabaseStartup, AStartWhoseLaterStepFailsKeepsNoneOfItsEarlierSteps) {
    fixture::createUserDatabaseBefore3_0(userDb());
    {
        // Step 3.0 applies; step 3.1 then fails on this version table.
        SQLiteConnection db = fixture::open(userDb());
        fixture::exec(db.get(), "CREATE TABLE dbversion (other double)");
    }
    {
        LumenoSDKAppDelegate app;
        LogCapture log;
        EXPECT_FALSE(app.initializeDatabase());
        EXPECT_TRUE(log.contains("Running Schema 3.0 Update"));
        EXPECT_TRUE(log.contains("[1.2] 3.1 Schema ERROR:"));
    }
    EXPECT_EQ(schemaDefault(), 0);  // step 3.0 is still to come
    SQLiteConnection db = fixture::open(userDb());
    EXPECT_EQ(fixture::scalar(db.get(),
                              "SELECT count(*) FROM sqlite_master WHERE name IN "
                              "('optimizedtrans', 'bookmarksections', 'dbver', 'contrecitations')"),
              0);
    EXPECT_EQ(fixture::scalar(db.get(), "SELECT count(*) FROM pragma_table_info('bookmarks') WHERE name = 'bkgroup'"), 0);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(db.get(), 2, 255), "kept");
}

TEST_F(DatabaseStartup, BadFilesGiveTheStartUpFailureAndAreNotReplaced) {
    {  // no template in the bundle
        fs::remove(bundle_ + "/lumenodyn.db");
        LumenoSDKAppDelegate app;
        LogCapture log;
        EXPECT_FALSE(app.createEditableCopyOfDatabaseIfNeeded());
        EXPECT_TRUE(log.contains("Failed to create writable database file with message"));
        EXPECT_FALSE(fs::exists(userDb()));
    }
    {  // a user database that is not a database
        std::ofstream(userDb()) << "not a database, but the user's file";
        auto before = fs::file_size(userDb());
        LumenoSDKAppDelegate app;
        LogCapture log;
        EXPECT_TRUE(app.createEditableCopyOfDatabaseIfNeeded());
        EXPECT_FALSE(app.initializeDatabase());
        EXPECT_TRUE(log.contains("Failed to open database with message 'file is not a database'."));
        EXPECT_EQ(fs::file_size(userDb()), before);
        fs::remove(userDb());
    }
    {  // no content database: not created, start-up fails
        fixture::createUserTemplate(userDb());
        fs::remove(bundle_ + "/lumeno.db");
        LumenoSDKAppDelegate app;
        LogCapture log;
        EXPECT_FALSE(app.initializeDatabase());
        EXPECT_TRUE(log.contains("Failed to open database with message"));
        EXPECT_FALSE(fs::exists(bundle_ + "/lumeno.db"));
    }
    {  // a content database without its tables
        fixture::open(bundle_ + "/lumeno.db");
        LumenoSDKAppDelegate app;
        LogCapture log;
        EXPECT_FALSE(app.initializeDatabase());
        EXPECT_TRUE(log.contains("Failed to open database with message 'missing table surahdata'."));
    }
}

TEST_F(DatabaseStartup, VersionTableKeepsOneRowPerVersionAndReadsOneWithoutTable) {
    SQLiteConnection db = fixture::open(userDb());
    EXPECT_EQ(ChapterInfo::dbVersion(db.get()), 1.0);
    fixture::exec(db.get(),
                  "CREATE TABLE dbversion ('version' double); CREATE UNIQUE INDEX dbver ON dbversion (version)");
    EXPECT_TRUE(ChapterInfo::setDBVersion(db.get(), 3.1));
    EXPECT_TRUE(ChapterInfo::setDBVersion(db.get(), 3.1));
    EXPECT_EQ(fixture::scalar(db.get(), "SELECT count(*) FROM dbversion"), 1);
    EXPECT_EQ(ChapterInfo::dbVersion(db.get()), 3.1);
    DataStoreConnection::finalizeConnection(db.get());
}

}  // namespace

TEST_F(DatabaseStartup, AnEmptyUserDatabaseIsReplacedByTheTemplate) {
    std::ofstream(userDb()).close();
    LumenoSDKAppDelegate app;
    LogCapture log;
    ASSERT_TRUE(app.createEditableCopyOfDatabaseIfNeeded());
    EXPECT_TRUE(log.contains("is empty; replacing it with the template"));
    ASSERT_TRUE(app.initializeDatabase());
    EXPECT_EQ(ChapterInfo::dbVersion(app.dbConnection()), 3.24);
}

TEST_F(DatabaseStartup, MissingUserTablesAreRecreatedOrNamedAsDamageWithoutAnyChange) {
    struct Case {
        const char* table;
        bool recreated;
    };
    for (const Case& c : {Case{"bookmarksections", true}, Case{"contrecitations", true}, Case{"dbversion", true},
                          Case{"bookmarks", false}, Case{"savedsearches", false}}) {
        SCOPED_TRACE(c.table);
        fs::remove(userDb());
        {
            LumenoSDKAppDelegate first;
            ASSERT_TRUE(first.createEditableCopyOfDatabaseIfNeeded());
            ASSERT_TRUE(first.initializeDatabase());
            fixture::exec(first.dbConnection(), std::string("DROP TABLE ") + c.table);
            first.closeDatabases();
        }
        for (const char* suffix : {"-wal", "-shm"}) fs::remove(userDb() + suffix);
        const auto before = fs::last_write_time(userDb());
        LumenoSDKAppDelegate app;
        EXPECT_EQ(app.initializeDatabase(), c.recreated);
        if (c.recreated) {
            EXPECT_EQ(fixture::scalar(app.dbConnection(),
                                      std::string("SELECT count(*) FROM sqlite_master WHERE name = '") + c.table + "'"),
                      1);
            EXPECT_EQ(ChapterInfo::dbVersion(app.dbConnection()), 3.24);
        } else {
            EXPECT_EQ(app.startupFailure().cause, StartupFailure::Cause::DamagedStore);
            EXPECT_EQ(app.startupFailure().detail, std::string("missing table ") + c.table);
            EXPECT_EQ(fs::last_write_time(userDb()), before);
            EXPECT_FALSE(fs::exists(userDb() + "-wal"));
        }
        app.closeDatabases();
    }
}

TEST_F(DatabaseStartup, AFolderThatCannotBeWrittenIsNamedAsTheCause) {
    LumenoSDKAppDelegate app;
    bool copied = true;
    runWithAccessRefused(documents_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec,
                         [&] { copied = app.createEditableCopyOfDatabaseIfNeeded(); });
    EXPECT_FALSE(copied);
    EXPECT_EQ(app.startupFailure().cause, StartupFailure::Cause::FolderNotWritable);
    EXPECT_EQ(app.startupFailure().file, documents_);
    EXPECT_FALSE(fs::exists(userDb()));
}

TEST_F(DatabaseStartup, ADatabaseAnotherProgramHoldsIsNamedAsSuchAndOpensOnceItLetsGo) {
    struct Case {
        const char* name;
        bool walAlready;  // a database the reader ran on before is in WAL mode
        HeldDatabase::Kind kind;
    };
    const Case cases[] = {
        {"WAL, a writer", true, HeldDatabase::Kind::immediate},
        {"rollback journal, readers kept out too", false, HeldDatabase::Kind::exclusive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(userDb());
        {
            LumenoSDKAppDelegate first;
            ASSERT_TRUE(first.createEditableCopyOfDatabaseIfNeeded());
            if (c.walAlready) {
                ASSERT_TRUE(first.initializeDatabase());
            }
        }
        const auto before = fs::last_write_time(userDb());
        LumenoSDKAppDelegate app;
        {
            HeldDatabase other(userDb(), c.kind);
            ASSERT_TRUE(other.holding());
            LogCapture log;
            EXPECT_FALSE(app.initializeDatabase());
            EXPECT_EQ(app.startupFailure().cause, StartupFailure::Cause::StoreBusy);
            EXPECT_EQ(app.startupFailure().file, userDb());
            EXPECT_TRUE(log.contains("another program is using \"" + userDb() + "\""));
            EXPECT_FALSE(log.contains("schema step"));
            EXPECT_EQ(app.dbConnection(), nullptr);
            EXPECT_EQ(fs::last_write_time(userDb()), before);
        }
        // The start is tried again once the other program lets go.
        ASSERT_TRUE(app.initializeDatabase());
        EXPECT_EQ(ChapterInfo::dbVersion(app.dbConnection()), 3.24);
    }
}
