// Database files, connections, schema steps and the gapless-audio upgrade.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

namespace {

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

bool hasTables(sqlite3* db, const std::vector<const char*>& tables, std::string* error) {
    for (const char* table : tables) {
        bool found = false;
        queryCached(
            db, "SELECT name FROM sqlite_master WHERE name = ?", "",
            [&](sqlite3_stmt*) {
                found = true;
                return false;
            },
            table);
        if (!found) {
            *error = std::string("missing table ") + table;
            return false;
        }
    }
    return true;
}

void closeConnection(SQLiteConnection& connection) {
    if (!connection) return;
    DataStoreConnection::finalizeConnection(connection.get());
    sqlite3* db = connection.release();
    if (sqlite3_close(db) != SQLITE_OK) {
        NSLog("Error: failed to close database with message '%s'.", sqlite3_errmsg(db));
        sqlite3_close_v2(db);
    }
}

}  // namespace

bool LumenoSDKAppDelegate::createEditableCopyOfDatabaseIfNeeded() {
    NSFileManager& files = NSFileManager::defaultManager();
    std::string target = userDatabasePath();
    if (files.fileExistsAtPath(target)) return true;
    std::string error;
    std::string source = Paths::bundleResource(userDbFileName());
    if (!files.fileExistsAtPath(source)) {
        error = "The template database is missing from the bundle.";
    } else if (files.copyItemAtPath(source, target, &error)) {
        NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
        defaults.setInteger(1, schemaVersion3_0());
        defaults.synchronize();
        return true;
    }
    NSLog("Failed to create writable database file with message '%@'.", error);
    return false;
}

bool LumenoSDKAppDelegate::initializeDatabase() {
    std::string path = userDatabasePath();
    std::string error;
    dbConnection_ = openExisting(path, SQLITE_OPEN_READWRITE, &error);
    if (!dbConnection_) {
        reportOpenFailure(error);
        return false;
    }
    sqlite3* db = dbConnection_.get();
    // WAL lets the main connection read while the audio installer holds its write transaction.
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        NSLog("Error: cannot switch the user database to WAL with message '%s'.", sqlite3_errmsg(db));

    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    if (defaults.integerForKey(schemaVersion3_0()) == 0) {
        if (!ChapterInfo::updateDatabase3_0(db)) {
            reportOpenFailure("schema step 3.0 failed");
            return false;
        }
        defaults.setInteger(1, schemaVersion3_0());
        defaults.synchronize();
    }
    if (ChapterInfo::dbVersion(db) < 3.1) {
        if (!ChapterInfo::updateDatabase3_1(db) || !ChapterInfo::setDBVersion(db, 3.1)) {
            reportOpenFailure("schema step 3.1 failed");
            return false;
        }
    }
    if (ChapterInfo::dbVersion(db) < 3.24) {
        MarkUpgraded(true);
        if (!ChapterInfo::updateDatabase3_2(db) || !ChapterInfo::setDBVersion(db, 3.24)) {
            reportOpenFailure("schema step 3.24 failed");
            return false;
        }
    }

    dbConnectionAudioDownload_ = openExisting(path, SQLITE_OPEN_READWRITE, &error);
    if (!dbConnectionAudioDownload_) {
        reportOpenFailure(error);
        return false;
    }
    // Read-only and never created: a missing content database is a start-up failure.
    dbConnectionStatic_ = openExisting(Paths::bundleResource(dbFileName()), SQLITE_OPEN_READONLY, &error);
    if (!dbConnectionStatic_ ||
        !hasTables(dbConnectionStatic_.get(), {"surahdata", "glyphs", "simplearabic"}, &error)) {
        closeConnection(dbConnectionStatic_);
        reportOpenFailure(error);
        return false;
    }
    return true;
}

void LumenoSDKAppDelegate::closeDatabases() {
    ChapterInfo::finalizeStatements();
    closeConnection(dbConnection_);
    closeConnection(dbConnectionAudioDownload_);
    closeConnection(dbConnectionStatic_);
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
