// Database files, connections, schema steps and the gapless-audio upgrade.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/PendingUserWrites.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/Thread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// How long shutdown waits for the worker threads to end.
constexpr double kWorkerStopSeconds = 30;

void reportOpenFailure(const std::string& message) { NSLog("Failed to open database with message '%s'.", message); }

// What the log says of a database another program holds.
std::string heldByAnotherProgram(const std::string& path, const std::string& sqliteMessage) {
    return "another program is using " + str::quoteForMessage(path, 4096) + " (" + sqliteMessage + ")";
}

// Why a database file could not be opened: SQLite's message and code, and the system's error
// behind it (0 when none).
struct OpenError {
    std::string message;
    int code = SQLITE_OK;
    int systemError = 0;
};

// Opens a database file that must already exist; a file that is not a database fails here
// rather than on first use.
SQLiteConnection openExisting(const std::string& path, int flags, OpenError* error) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    SQLiteConnection db(raw);
    auto fail = [&](int code) {
        *error = {raw ? sqlite3_errmsg(raw) : sqlite3_errstr(code), raw ? sqlite3_extended_errcode(raw) : code,
                  raw ? sqlite3_system_errno(raw) : 0};
        return SQLiteConnection();
    };
    if (rc != SQLITE_OK) return fail(rc);
    DataStoreConnection::configure(db.get());
    rc = sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
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
    return isNoSpaceError(code) ? StartupFailure::Cause::DiskFull
                                : StartupFailure::Cause::FolderNotWritable;
}

// Writes, flushes and removes a one-byte file in the folder: the error that stopped it, or 0.
int trialWriteError(const std::string& folder) {
    const std::string path = str::appendPathComponent(folder, ".write-test-" + std::to_string(::getpid()));
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    const char byte = 0;
    const int code = ::write(fd, &byte, 1) == 1 && ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    ::unlink(path.c_str());
    return code;
}

bool isFolderFault(StartupFailure::Cause cause) {
    return cause == StartupFailure::Cause::DiskFull || cause == StartupFailure::Cause::FolderNotWritable;
}

// Why an existing user database cannot be used. A file that is not a database, or a damaged
// one, is the file's fault; otherwise the folder it lies in may be read-only or its disk full
// (SQLite needs to write beside the file even to read it), which a trial write tells.
StartupFailure::Cause causeOfOpenFailure(const OpenError& error) {
    using Cause = StartupFailure::Cause;
    switch (error.code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Cause::StoreBusy;
    case SQLITE_NOTADB: return Cause::NotADatabase;
    case SQLITE_CORRUPT: return Cause::DamagedStore;
    case SQLITE_FULL: return Cause::DiskFull;
    default: break;
    }
    switch (error.systemError) {
    case ENOSPC:
    case EDQUOT: return Cause::DiskFull;
    case EROFS: return Cause::FolderNotWritable;
    default: break;
    }
    if (const int code = trialWriteError(Paths::documents())) return causeOfWriteError(code);
    return Cause::StoreUnopenable;
}

// Where a link that leads nowhere points (relative targets taken from the link's folder), or
// nullopt when the path is no such link.
std::optional<std::string> missingLinkTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
    if (::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR)) return std::nullopt;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<size_t>(length) : 0);
    if (!target.empty() && target.front() != '/')
        target = str::appendPathComponent(str::deletingLastPathComponent(path), target);
    return target;
}

}  // namespace

std::string LumenoSDKAppDelegate::userDatabasePath() {
    return str::appendPathComponent(Paths::documents(), userDbFileName());
}

void LumenoSDKAppDelegate::failStartup(StartupFailure::Cause cause, std::string file, std::string detail) {
    startupFailure_ = {cause, std::move(file), std::move(detail)};
}

bool LumenoSDKAppDelegate::openContentDatabase() {
    if (dbConnectionStatic_) return true;
    // Read-only and never created: a missing content database is a start-up failure.
    const std::string path = Paths::bundleResource(dbFileName());
    OpenError error;
    dbConnectionStatic_ = openExisting(path, SQLITE_OPEN_READONLY, &error);
    if (dbConnectionStatic_) {
        if (auto missing = missingTable(dbConnectionStatic_.get(), kContentTables))
            error.message = "missing table " + *missing;
        else dbConnectionSearch_ = openExisting(path, SQLITE_OPEN_READONLY, &error);
    }
    if (dbConnectionSearch_) return true;
    closeConnection(dbConnectionStatic_);
    reportOpenFailure(error.message);
    failStartup(StartupFailure::Cause::ContentUnusable, path, error.message);
    return false;
}

bool LumenoSDKAppDelegate::createEditableCopyOfDatabaseIfNeeded() {
    NSFileManager& files = NSFileManager::defaultManager();
    std::string target = userDatabasePath();
    // A link to a folder on a disk that is not mounted: the data is elsewhere, not gone.
    if (std::optional<std::string> missing = missingLinkTarget(target)) {
        const std::string detail = "The link " + target + " points to it.";
        NSLog("The user database %@ is a link to %@, which is missing; nothing was changed.",
              str::quoteForMessage(target), str::quoteForMessage(*missing));
        failStartup(StartupFailure::Cause::LinkTargetMissing, *missing, detail);
        return false;
    }
    if (files.fileExistsAtPath(target)) {
        if (files.fileSize(target).value_or(1) != 0) return true;
        // An empty file holds nothing: the template takes its place.
        NSLog("The user database %@ is empty; replacing it with the template.", str::quoteForMessage(target));
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
    // A folder or disk that keeps the file from being used is named with the folder.
    auto openFailed = [&](const OpenError& why) {
        const StartupFailure::Cause cause = causeOfOpenFailure(why);
        reportOpenFailure(cause == StartupFailure::Cause::StoreBusy ? heldByAnotherProgram(path, why.message)
                                                                    : why.message);
        failStartup(cause, isFolderFault(cause) ? Paths::documents() : path, why.message);
        return false;
    };
    OpenError openError;
    dbConnection_ = openExisting(path, SQLITE_OPEN_READWRITE, &openError);
    if (!dbConnection_) return openFailed(openError);
    sqlite3* db = dbConnection_.get();
    // Nothing was written; the start can be tried again once the other program lets go.
    auto heldElsewhere = [&] {
        const OpenError why{sqlite3_errmsg(db), sqlite3_extended_errcode(db), 0};
        closeConnection(dbConnection_);
        return openFailed(why);
    };
    // No step can make these: checked before anything is written.
    if (auto missing = missingTable(db, kTemplateTables)) {
        if (DataStoreConnection::isBusy(sqlite3_extended_errcode(db))) return heldElsewhere();
        error = "missing table " + *missing;
        closeConnection(dbConnection_);
        reportOpenFailure(error);
        failStartup(StartupFailure::Cause::DamagedStore, path, error);
        return false;
    }
    // Damaged pages: the file is kept aside and rebuilt before anything is written to it.
    if (std::optional<std::string> damage = UserDatabaseSalvage::findDamage(db)) {
        int systemError = 0;
        if (!repairUserDatabase(*damage, &error, &systemError)) {
            closeConnection(dbConnection_);
            reportOpenFailure(error);
            if (systemError) failStartup(causeOfWriteError(systemError), Paths::documents(), error);
            else failStartup(StartupFailure::Cause::DamagedStore, path, error);
            return false;
        }
    }
    auto stepFailed = [&](const char* step) {
        const OpenError why{std::string("schema step ") + step + " failed", sqlite3_extended_errcode(db),
                            sqlite3_system_errno(db)};
        if (DataStoreConnection::isBusy(why.code)) return heldElsewhere();
        closeConnection(dbConnection_);
        reportOpenFailure(why.message);
        const StartupFailure::Cause cause = causeOfOpenFailure(why);
        if (isFolderFault(cause)) failStartup(cause, Paths::documents(), why.message);
        else failStartup(StartupFailure::Cause::SchemaStepFailed, path, why.message);
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

    dbConnectionAudioDownload_ = openExisting(path, SQLITE_OPEN_READWRITE, &openError);
    if (!dbConnectionAudioDownload_) {
        closeConnection(dbConnection_);
        return openFailed(openError);
    }
    startupFailure_ = {};
    watchForDamage();
    return true;
}

void LumenoSDKAppDelegate::closeDatabases() {
    DataStoreConnection::setDamageHandler(nullptr);
    // Workers read and write through these connections: they end first.
    if (!stopWorkers(kWorkerStopSeconds)) {
        NSLog("Error: the databases stay open: worker threads still use them.");
        return;
    }
    PendingUserWrites::shared().drop();
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
