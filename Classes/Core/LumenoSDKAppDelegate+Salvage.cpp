// Repairing a damaged user database: at start before anything is written to it, and while
// running as soon as SQLite answers that the file is damaged.

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"

#include <atomic>

namespace {

// A repair is asked for once until the main thread has taken it up.
std::atomic<bool> repairPosted{false};

}  // namespace

bool LumenoSDKAppDelegate::repairUserDatabase(const std::string& damage, std::string* error, int* systemError) {
    sqlite3* db = dbConnection_.get();
    const std::string path = userDatabasePath();
    NSLog("The user database %@ is damaged (%@); keeping it aside and rebuilding it.", path, damage);
    // No other thread uses the file meanwhile.
    auto mainLock = DataStoreConnection::lock(db);
    std::unique_lock<std::recursive_mutex> installerLock;
    if (dbConnectionAudioDownload_) installerLock = DataStoreConnection::lock(dbConnectionAudioDownload_.get());
    *systemError = 0;
    std::optional<std::string> copy = UserDatabaseSalvage::keepAside(path, error, systemError);
    if (!copy) {
        *error = "The damaged database could not be kept aside: " + *error;
        NSLog("Error: %@", *error);
        return false;
    }
    std::optional<SalvageReport> report =
        UserDatabaseSalvage::rebuild(db, path, Paths::bundleResource(userDbFileName()), error);
    if (!report) {
        *error = damage + "; " + *error;
        NSLog("Error: the damaged user database could not be rebuilt: %@", *error);
        return false;
    }
    report->damagedCopy = *copy;
    NSLog("Rebuilt the user database: %i of %i bookmarks, %i notes, %i of %i saved searches, %i of %i chapters of "
          "audio; the damaged file is kept as %@.",
          report->bookmarks, report->bookmarksFound, report->notes, report->savedSearches, report->savedSearchesFound,
          report->audioChapters, report->audioChaptersFound, *copy);
    salvageReport_ = std::move(report);
    return true;
}

void LumenoSDKAppDelegate::watchForDamage() {
    repairPosted = false;
    DataStoreConnection::setDamageHandler([](sqlite3* db) {
        if (repairPosted.exchange(true)) return;
        RunLoop::main().post([db] {
            repairPosted = false;
            if (LumenoSDKAppDelegate* app = GetInstance()) app->repairAfterDamage(db);
        });
    });
}

void LumenoSDKAppDelegate::repairAfterDamage(sqlite3* db) {
    if (!dbConnection_ || (db != dbConnection_.get() && db != dbConnectionAudioDownload_.get())) return;
    // Once per run: damage that comes back after a repair is not the file's pages.
    if (repairedWhileRunning_) return;
    // The installer's transaction is open until it ends; the repair waits for it.
    if (settingUpSurah_) {
        RunLoop::main().performAfterDelay(this, 1.0, [db] {
            if (LumenoSDKAppDelegate* app = GetInstance()) app->repairAfterDamage(db);
        });
        return;
    }
    repairedWhileRunning_ = true;
    std::string error;
    int systemError = 0;
    const bool repaired = repairUserDatabase("SQLite reported damage while running", &error, &systemError);
    // Nothing more is written into a damaged file this run.
    if (!repaired) {
        for (sqlite3* connection : {dbConnection_.get(), dbConnectionAudioDownload_.get()})
            if (connection) sqlite3_exec(connection, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
    }
    userDatabaseRepaired(repaired, error);
}
