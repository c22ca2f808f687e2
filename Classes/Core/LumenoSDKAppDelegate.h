#pragma once
// The application delegate: composition root and owner of the three database connections.
// This is the data-store side of the class; the application shell adds the window, the tab bar
// and the screens.

#include "Classes/Core/DataStoreConnection.h"

#include <map>
#include <string>

class LumenoSDKAppDelegate {
public:
    LumenoSDKAppDelegate();
    virtual ~LumenoSDKAppDelegate();
    LumenoSDKAppDelegate(const LumenoSDKAppDelegate&) = delete;
    LumenoSDKAppDelegate& operator=(const LumenoSDKAppDelegate&) = delete;

    // The one delegate of the running program (the most recently made one), or null.
    static LumenoSDKAppDelegate* GetInstance();

    // ---- DBHandler ----
    // Copies the template user database into Documents when it is missing. False (after the
    // start-up failure report) when the copy failed.
    [[nodiscard]] bool createEditableCopyOfDatabaseIfNeeded();
    // Opens the three connections and brings the user database's schema up to date. False
    // (after the start-up failure report) when a database cannot be opened or a step failed.
    [[nodiscard]] bool initializeDatabase();
    // Finalizes the cached statements and closes the connections in the order they were opened.
    void closeDatabases();
    static std::string schemaVersion3_0() { return "UpdatedSchemav3.054"; }
    static std::string dbFileName() { return "lumeno.db"; }
    static std::string userDbFileName() { return "lumenodyn.db"; }

    sqlite3* dbConnection() const { return dbConnection_.get(); }
    sqlite3* dbConnectionAudioDownload() const { return dbConnectionAudioDownload_.get(); }
    sqlite3* dbConnectionStatic() const { return dbConnectionStatic_.get(); }

    // Flag behind the one-time update notice.
    static void MarkUpgraded(bool upgraded);
    static bool HasUpgradedApp();

    // ---- Gapless upgrade ----
    bool hasSlicedAudioInstalled();
    static void upgradeToGaplessRequested();
    void showIndexViewAndBeginDownloading();
    // The chapter the gapless download starts with for a reciter: the highest-numbered one
    // not installed, or 1 when all are.
    int firstChapterToDownload(int reciter);

    // ---- Background tasks (kind 1 = downloading audio, 2 = deleting audio) ----
    void beginBackgroundTask(int kind);
    void endBackgroundTask(int kind);
    bool isBackgroundTaskRunning(int kind) const;

    // ---- Supplied by the application shell ----
    // Closes the reading screen when the chapter index shows it.
    virtual void hideSurahViewIfShowing() {}
    // Offers the download of a chapter's audio for the current reciter.
    virtual void requestDownloadSurahAudioAlert(int surah) {}

private:
    SQLiteConnection dbConnection_;
    SQLiteConnection dbConnectionAudioDownload_;
    SQLiteConnection dbConnectionStatic_;
    std::map<int, unsigned> backgroundTasks_;
    unsigned nextBackgroundTaskId_ = 1;
};
