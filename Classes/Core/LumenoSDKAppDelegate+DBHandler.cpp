// Database files, connections, schema steps and the gapless-audio upgrade.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/Thread.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// How long shutdown waits for the worker threads to end.
constexpr double kWorkerStopSeconds = 30;

std::string userDatabasePath() {
    return str::appendPathComponent(Paths::documents(), LumenoSDKAppDelegate::userDbFileName());
}

void reportOpenFailure(const std::string& message) { NSLog("Failed to open database with message '%s'.", message); }

// Opens a database file that must already exist; a file that is not a database fails here
// rather than on first use.
SQLiteConnection openExisting(const std::string& path, int flags, std::string* error) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    SQLiteConnection db(raw);
    if (rc != SQLITE_OK) {
        *error = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        return SQLiteConnection();
    }
    DataStoreConnection::configure(db.get());
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = sqlite3_errmsg(db.get());
        return SQLiteConnection();
    }
    return db;
}

// The first of the tables the database lacks, or nullopt.
std::optional<std::string> missingTable(sqlite3* db, const std::vector<const char*>& tables) {
    for (const char* table : tables) {
        if (!queryExists(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?", "", table))
            return std::string(table);
    }
    return std::nullopt;
}

// Tables of the user database that only the template brings, and those a schema step makes.
const std::vector<const char*> kTemplateTables = {"bookmarks", "savedsearches", "searchmatches", "recitations",
                                                  "recitationmp3s"};
const std::vector<const char*> kStepTables = {"optimizedtrans", "bookmarksections", "dbversion", "contrecitations",
                                              "contrecitationmp3s"};
const std::vector<const char*> kContentTables = {"surahdata", "glyphs", "simplearabic"};

void closeConnection(SQLiteConnection& connection) {
    if (!connection) return;
    DataStoreConnection::finalizeConnection(connection.get());
    sqlite3* db = connection.release();
    if (sqlite3_close(db) != SQLITE_OK) {
        NSLog("Error: failed to close database with message '%s'.", sqlite3_errmsg(db));
        sqlite3_close_v2(db);
    }
}

StartupFailure::Cause causeOfWriteError(int code) {
    return code == ENOSPC || code == EDQUOT ? StartupFailure::Cause::DiskFull
                                            : StartupFailure::Cause::FolderNotWritable;
}

}  // namespace

void LumenoSDKAppDelegate::failStartup(StartupFailure::Cause cause, std::string file, std::string detail) {
    startupFailure_ = {cause, std::move(file), std::move(detail)};
}

bool LumenoSDKAppDelegate::openContentDatabase() {
    if (dbConnectionStatic_) return true;
    // Read-only and never created: a missing content database is a start-up failure.
    const std::string path = Paths::bundleResource(dbFileName());
    std::string error;
    dbConnectionStatic_ = openExisting(path, SQLITE_OPEN_READONLY, &error);
    if (dbConnectionStatic_) {
        if (auto missing = missingTable(dbConnectionStatic_.get(), kContentTables)) error = "missing table " + *missing;
        else dbConnectionSearch_ = openExisting(path, SQLITE_OPEN_READONLY, &error);
    }
    if (dbConnectionSearch_) return true;
    closeConnection(dbConnectionStatic_);
    reportOpenFailure(error);
    failStartup(StartupFailure::Cause::ContentUnusable, path, error);
    return false;
}

bool LumenoSDKAppDelegate::createEditableCopyOfDatabaseIfNeeded() {
    NSFileManager& files = NSFileManager::defaultManager();
    std::string target = userDatabasePath();
    if (files.fileExistsAtPath(target)) {
        if (files.fileSize(target).value_or(1) != 0) return true;
        // An empty file holds nothing: the template takes its place.
        NSLog("The user database %@ is empty; replacing it with the template.", target);
    }
    std::string error;
    std::string source = Paths::bundleResource(userDbFileName());
    std::optional<std::vector<uint8_t>> bytes = files.contentsAtPath(source);
    if (!bytes) {
        error = "The template database is missing from the bundle.";
        failStartup(StartupFailure::Cause::TemplateMissing, source, error);
    } else if (files.writeAtomically(target, *bytes, &error)) {
        NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
        defaults.setInteger(1, schemaVersion3_0());
        defaults.synchronize();
        return true;
    } else {
        failStartup(causeOfWriteError(errno), Paths::documents(), error);
    }
    NSLog("Failed to create writable database file with message '%@'.", error);
    return false;
}

bool LumenoSDKAppDelegate::initializeDatabase() {
    if (!openContentDatabase()) return false;
    std::string path = userDatabasePath();
    std::string error;
    if (::access(path.c_str(), R_OK) != 0 && errno == EACCES) {
        error = std::string(std::strerror(EACCES));
        reportOpenFailure(error);
        failStartup(StartupFailure::Cause::FileUnreadable, path, error);
        return false;
    }
    dbConnection_ = openExisting(path, SQLITE_OPEN_READWRITE, &error);
    if (!dbConnection_) {
        reportOpenFailure(error);
        failStartup(StartupFailure::Cause::NotADatabase, path, error);
        return false;
    }
    sqlite3* db = dbConnection_.get();
    // No step can make these: checked before anything is written.
    if (auto missing = missingTable(db, kTemplateTables)) {
        error = "missing table " + *missing;
        closeConnection(dbConnection_);
        reportOpenFailure(error);
        failStartup(StartupFailure::Cause::DamagedStore, path, error);
        return false;
    }
    auto stepFailed = [&](const char* step) {
        closeConnection(dbConnection_);
        reportOpenFailure(std::string("schema step ") + step + " failed");
        failStartup(StartupFailure::Cause::SchemaStepFailed, path, std::string("schema step ") + step + " failed");
        return false;
    };

    // The steps of one start are one transaction (one write to the disk): a start that fails
    // part way leaves the database as it found it.
    if (sqlite3_exec(db, "BEGIN IMMEDIATE TRANSACTION", nullptr, nullptr, nullptr) != SQLITE_OK)
        return stepFailed("begin");
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    const bool needs3_0 = defaults.integerForKey(schemaVersion3_0()) == 0;
    if (needs3_0 && !ChapterInfo::updateDatabase3_0(db)) return stepFailed("3.0");
    if (ChapterInfo::dbVersion(db) < 3.1) {
        if (!ChapterInfo::updateDatabase3_1(db) || !ChapterInfo::setDBVersion(db, 3.1)) return stepFailed("3.1");
    }
    if (ChapterInfo::dbVersion(db) < 3.24) {
        MarkUpgraded(true);
        if (!ChapterInfo::updateDatabase3_2(db) || !ChapterInfo::setDBVersion(db, 3.24)) return stepFailed("3.24");
    }
    // A table a step makes that went missing is made again by running the steps once more
    // (each tolerates what already exists).
    if (auto missing = missingTable(db, kStepTables)) {
        NSLog("The user database lacks table %@; running the schema steps again.", *missing);
        if (!ChapterInfo::updateDatabase3_0(db) || !ChapterInfo::updateDatabase3_1(db) ||
            !ChapterInfo::updateDatabase3_2(db))
            return stepFailed("repair");
        if (ChapterInfo::dbVersion(db) < 3.24 && !ChapterInfo::setDBVersion(db, 3.24)) return stepFailed("repair");
    }
    if (sqlite3_exec(db, "COMMIT TRANSACTION", nullptr, nullptr, nullptr) != SQLITE_OK) return stepFailed("commit");
    // Noted only once the step is stored.
    if (needs3_0) {
        defaults.setInteger(1, schemaVersion3_0());
        defaults.synchronize();
    }
    // WAL lets the main connection read while the audio installer holds its write transaction.
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        NSLog("Error: cannot switch the user database to WAL with message '%s'.", sqlite3_errmsg(db));

    dbConnectionAudioDownload_ = openExisting(path, SQLITE_OPEN_READWRITE, &error);
    if (!dbConnectionAudioDownload_) {
        closeConnection(dbConnection_);
        reportOpenFailure(error);
        failStartup(StartupFailure::Cause::NotADatabase, path, error);
        return false;
    }
    startupFailure_ = {};
    return true;
}

void LumenoSDKAppDelegate::closeDatabases() {
    // Workers read and write through these connections: they end first.
    if (!stopWorkers(kWorkerStopSeconds)) {
        NSLog("Error: the databases stay open: worker threads still use them.");
        return;
    }
    ChapterInfo::finalizeStatements();
    closeConnection(dbConnection_);
    closeConnection(dbConnectionAudioDownload_);
    closeConnection(dbConnectionStatic_);
    closeConnection(dbConnectionSearch_);
}

bool LumenoSDKAppDelegate::hasSlicedAudioInstalled() {
    sqlite3* db = dbConnection();
    for (int reciter : ChapterInfo::getInstalledAudioReciters(db)) {
        if (!ChapterInfo::doesReciterSupportContRecitation(reciter)) continue;
        for (int surah : ChapterInfo::getInstalledAudios(db, reciter)) {
            if (!ChapterInfo::isSurahAudioContinuous(db, surah, reciter)) return true;
        }
    }
    return false;
}

void LumenoSDKAppDelegate::upgradeToGaplessRequested() {
    LumenoSDKAppDelegate* app = GetInstance();
    if (!app) return;
    app->beginBackgroundTask(2);
    sqlite3* db = app->dbConnection();
    for (int reciter : ChapterInfo::getInstalledAudioReciters(db)) {
        if (!ChapterInfo::doesReciterSupportContRecitation(reciter)) continue;
        for (int surah = 1; surah <= 114; ++surah) {
            if (!ChapterInfo::isSurahAudioContinuous(db, surah, reciter) &&
                !ChapterInfo::deleteAudio(db, surah, reciter, false))
                NSLog("[upgradeToGapless] Error: could not unmark chapter %i of reciter %i.", surah, reciter);
        }
    }
    app->endBackgroundTask(2);
}

int LumenoSDKAppDelegate::firstChapterToDownload(int reciter) {
    for (int surah = 114; surah >= 1; --surah) {
        if (!ChapterInfo::isSurahAudioInstalled(dbConnectionAudioDownload(), surah, reciter)) return surah;
    }
    return 1;
}

void LumenoSDKAppDelegate::showIndexViewAndBeginDownloading() {
    int reciter = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentReciterv22"));
    if (!ChapterInfo::doesReciterSupportContRecitation(reciter)) return;
    int surah = firstChapterToDownload(reciter);
    hideSurahViewIfShowing();
    requestDownloadSurahAudioAlert(surah);
}
