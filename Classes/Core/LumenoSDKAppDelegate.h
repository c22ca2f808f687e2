#pragma once
// The application delegate: composition root and owner of the three database connections.
// This is the data-store side of the class; the application shell adds the window, the tab bar
// and the screens.

#include "Classes/Audio/InstallOutcome.h"
#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/UserDatabaseSalvage.h"
#include "platform/foundation/Value.h"

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>

class ArabicFont;
class Facebook;
class SavedSearch;
class TabBarViewController;
class UITabBarItem;
class UIView;
class UIWindow;

// Download progress for the one screen that shows it (the reading screen or the chapter
// index); sent on the main thread.
class LumenoSDKAppDownloadDelegate {
public:
    virtual ~LumenoSDKAppDownloadDelegate() = default;
    virtual void didBeginDownloading() {}
    virtual void didUpdateFileSize(int bytes) {}
    virtual void didUpdateDownloadProgress(float progress) {}
    virtual void willPerformAudioSetup() {}
    virtual void didSetupDownloadedAudio() {}
    virtual void downloadRequiresRefreshOfStatus() {}
    virtual void didEndDownloading() {}
};

// Why start-up stopped, for the screen that says so and advises what to do.
struct StartupFailure {
    enum class Cause {
        None,
        TemplateMissing,     // the bundle lacks the user-database template
        FolderNotWritable,   // Documents cannot be written (permissions, read-only disk)
        DiskFull,            // no space left for the user database
        FileUnreadable,      // the user database cannot be read (permissions)
        NotADatabase,        // the user database is not a database
        StoreUnopenable,     // the user database cannot be opened for a reason not told apart
        DamagedStore,        // the user database is damaged or lacks a table no schema step makes
        SchemaStepFailed,    // a schema step failed and was rolled back
        ContentUnusable,     // the bundle's content database is missing or incomplete
        StoreBusy,           // another program holds the user database's lock (retrying helps)
        LinkTargetMissing,   // the user database is a link to a file that does not exist
    };
    Cause cause = Cause::None;
    std::string file;    // the file or folder concerned
    std::string detail;  // the system's own reason
};

class LumenoSDKAppDelegate {
public:
    LumenoSDKAppDelegate();
    virtual ~LumenoSDKAppDelegate();
    LumenoSDKAppDelegate(const LumenoSDKAppDelegate&) = delete;
    LumenoSDKAppDelegate& operator=(const LumenoSDKAppDelegate&) = delete;

    // The one delegate of the running program (the most recently made one), or null.
    static LumenoSDKAppDelegate* GetInstance();

    // ---- DBHandler ----
    // Opens the content database read-only and checks its tables, before any file is
    // touched. False (after the start-up failure report) when it cannot be used.
    [[nodiscard]] bool openContentDatabase();
    // Copies the template user database into Documents when it is missing or empty (nothing
    // stored in it). False (after the start-up failure report) when the copy failed.
    [[nodiscard]] bool createEditableCopyOfDatabaseIfNeeded();
    // Opens the connections (the content one unless already open), checks the user
    // database's tables, brings its schema up to date and recreates tables a step makes.
    // False (after the start-up failure report) when a database cannot be used or a step
    // failed; a failure changes no file.
    [[nodiscard]] bool initializeDatabase();
    // Why the last start-up call failed.
    const StartupFailure& startupFailure() const { return startupFailure_; }
    // What the last repair of a damaged user database carried over (at start or while running).
    const std::optional<SalvageReport>& salvageReport() const { return salvageReport_; }
    // Stops the worker threads, finalizes the cached statements and closes the connections
    // in the order they were opened.
    void closeDatabases();
    static std::string schemaVersion3_0() { return "UpdatedSchemav3.054"; }
    static std::string dbFileName() { return "lumeno.db"; }
    static std::string userDbFileName() { return "lumenodyn.db"; }
    static std::string userDatabasePath();

    sqlite3* dbConnection() const { return dbConnection_.get(); }
    sqlite3* dbConnectionAudioDownload() const { return dbConnectionAudioDownload_.get(); }
    sqlite3* dbConnectionStatic() const { return dbConnectionStatic_.get(); }
    // A second read-only connection to the content database for searches, so a long search
    // never holds the lock the drawing reads through.
    sqlite3* dbConnectionSearch() const { return dbConnectionSearch_.get(); }

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

    // ---- Background tasks (kind 1 = downloading audio, 2 = deleting audio; lumeno_audio) ----
    // Main thread. At most one task per kind is held; a second begin gives the first back.
    void beginBackgroundTask(int kind);
    void endBackgroundTask(int kind);
    // Whether a task of kind 1 or 2 is held (always true where background tasks are unsupported).
    bool isTaskAlreadyInBackground(int kind) const;
    // The platform's expiration handlers of the two kinds: they give the task back.
    void downloadAudioTaskExpired();
    void deletingAudioTaskExpired();

    // ---- Installing a downloaded chapter (lumeno_audio) ----
    // Starts the installation worker for a chapter whose archive has been downloaded.
    void startSetupDownloadedSurahAudio(int surah);
    // The worker: installs, then reports setupSucceeded or setupFailed and finalizeDownload
    // on the main thread, waiting for each.
    void setupDownloadedSurahAudioInBG(int surah);
    // Installs the chapter's archive for the reciter of the download on the installer's
    // connection, with settingUpSurah set meanwhile. False when nothing was installed;
    // setupOutcome() then says why.
    [[nodiscard]] bool setupDownloadedSurahAudio(int surah);
    // How the last installation ended; read on the main thread once the worker reported.
    InstallOutcome setupOutcome() const { return setupOutcome_; }
    // Main thread: tells the listener that the installation begins.
    void willPerformAudioSetup();

    // ---- Supplied by the application shell ----
    // Closes the reading screen when the chapter index shows it.
    virtual void hideSurahViewIfShowing() {}
    // Offers the download of a chapter's audio for the current reciter.
    virtual void requestDownloadSurahAudioAlert(int surah) {}
    // How a chapter's stored audio failed: it did not start, or it stopped before its end.
    enum class AudioFault { unplayable, stopsMidway };
    // Tells the user that the chapter's stored audio does not play and offers its download.
    virtual void offerDownloadOfUnplayableAudio(int surah, AudioFault fault) {}
    // Damage found while running was repaired (salvageReport() tells what came over), or could
    // not be (why says so); main thread.
    virtual void userDatabaseRepaired(bool repaired, const std::string& why) {}

    // ==== Settings, device facts, sleep control, shared glyph font ====
    // Class operations, defined in the application library (lumeno_app). Everything here
    // is for the main thread except getSharedArabicFontLoader.

    // Registers the default settings (once; every operation below makes sure it ran).
    static void initialize();
    // Stores `host` ("name" or "name:port") as all seven recitation mirrors; "demo" removes the
    // stored hosts, so the registered demo mirror applies again.
    static void setMirrorHosts(const std::string& host);
    static bool IsLanguageArabic();
    static void ResetArabicCheck();
    static bool IsDeviceIPad();
    static bool IsDeviceRetina();
    static bool IsIPhoneOS4();
    static bool IsIPhoneOS5();
    static bool BackgroundTasksSupported();
    // No ubiquity container on this platform: logged and empty.
    static std::optional<std::string> GetiCloudPath();
    // The two font-size settings, read once and cached until reset.
    static int ArabicFontSize();
    static void ResetArabicFontSize();
    static int TranslationFontSize();
    static void ResetTranslationFontSize();
    // Counted hold on the idle timer (the screen saver stays off while one is held).
    static bool isSleepEnabled();
    static void disableSleep();
    static void enableSleep();
    static void resetSleep();
    static int sleepHoldCount();
    // The shared glyph font, made and released on the main thread; any thread may ask
    // (it waits). Empty when no delegate exists.
    static std::shared_ptr<ArabicFont> getSharedArabicFontLoader(int resolution, bool forceRecreate);
    // Instance side (main thread): the held font, made on first use at that resolution.
    std::shared_ptr<ArabicFont> getSharedArabicFontLoader(int resolution);
    void releaseSharedArabicFontLoader();
    // Forgets every cached fact and the hold count (tests).
    static void resetCachedFactsForTesting();
    // Dictionaries kept as files in Documents.
    static void saveDictionaryToDisk(const Value::Map& dictionary, const std::string& fileName);
    static std::optional<Value::Map> getDictionaryFromFile(const std::string& fileName);

    // ==== Friday reminder (class operations, lumeno_app) ====
    static void SetupAlKahfReminders();
    static void RemindAlKahfNow();
    // The reading screen calls it whenever it sets up chapter 18.
    static void MarkAlKahfRead();
    // Forgets that the Friday alert was shown in this run (tests).
    static void resetReminderStateForTesting();

    // ==== Operations of the running program ====
    // The application shell overrides these; on a bare delegate (tests of other screens)
    // they do nothing, as messages to a missing object would.

    // Navigation.
    virtual void showSurahView(int surah, int verse, bool play, bool animated) {}
    virtual void hideSurahView() {}
    virtual void setTabbarItemIndex(int index) {}
    virtual void reloadSurahView() {}
    virtual void refreshSurahViewWith(int surah, int verse) {}
    virtual void reloadIndexView() {}
    virtual void refreshTheme() {}
    virtual void refreshIndexSurahRow(int surah) {}
    virtual void refreshSettings() {}
    bool isiPadInFullScreen() const { return false; }
    bool isiPadLandscape() const { return false; }
    virtual void filterBookmarksOnGroup(int group) {}
    virtual void filterSearchViewWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) {}
    virtual void resetTabbarLabels() {}
    virtual void finalizeView() { closeDatabases(); }
    // The one social network session, made on first use; null on a bare delegate.
    virtual Facebook* facebook() { return nullptr; }
    // The session if one was made (never makes one).
    virtual Facebook* existingFacebook() const { return nullptr; }
    // A login reported to the application succeeded.
    virtual void fbDidLogin() {}

    // The tab bar and the panels that take its place (orientation: interface orientation
    // value; speed: seconds, 0 = at once).
    bool hiddenTabBar() const { return hiddenTabBar_; }
    virtual bool isTabBarPhysicallyVisible(int orientation) { return !hiddenTabBar_; }
    void showHideTabBar(int orientation) { showHideTabBar(orientation, 0.25); }
    void showHideTabBar(int orientation, double speed) { showHideTabBar(orientation, speed, true); }
    virtual void showHideTabBar(int orientation, double speed, bool animateMainContainer) {}
    virtual void addToTabbar(const std::shared_ptr<UIView>& view) {}
    virtual void showViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed,
                                     int startY = -1, int height = -1) {}
    virtual void hideViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed) {}
    virtual void showViewInPlaceOfTabbar(const std::shared_ptr<UIView>& view, int orientation, double speed) {}
    void hideViewInPlaceOfTabbar(const std::shared_ptr<UIView>& view, int orientation, double speed,
                                 bool showTabbar) {}

    // The chapter-audio download (the audio subsystem completes these).
    virtual void requestDownloadServerSelection(int surah) {}
    virtual void downloadAllSurahAudio() {}
    virtual void downloadSurahAudioAlert(int surah) {}
    virtual void cancelDownload() {}
    // The end of an installation, on the main thread (the download flow completes these).
    virtual void setupSucceeded() {}
    virtual void setupFailed() {}
    virtual void finalizeDownload() {}
    // The reciter whose archive the running download fetches, fixed when it starts.
    int downloadingReciter() const { return downloadingReciter_; }
    void setDownloadingReciter(int reciter) { downloadingReciter_ = reciter; }
    // The running download's archive size from the size table (0: unknown), which bounds its unpacking.
    void setDownloadingExpectedBytes(long long bytes) { downloadingExpectedBytes_ = bytes; }
    LumenoSDKAppDownloadDelegate* downloadDelegate() const { return downloadDelegate_; }
    // Unretained; the listener clears it before it goes away.
    void setDownloadDelegate(LumenoSDKAppDownloadDelegate* d) { downloadDelegate_ = d; }
    bool downloadingAllSurahs() const { return downloadingAllSurahs_; }
    bool isDownloading() const { return isDownloading_; }
    int downloadingSurah() const { return downloadingSurah_; }
    float lastDownloadProgress() const { return lastDownloadProgress_; }
    int fileSize() const { return fileSize_; }
    bool settingUpSurah() const { return settingUpSurah_; }

    // The window and the root tab bar controller (null on a bare delegate).
    UIWindow* window() const { return window_.get(); }
    TabBarViewController* tabBarController() const { return tabBarController_.get(); }
    bool SplashHasDisplayed() const { return splashHasDisplayed_; }
    void setSplashHasDisplayed(bool shown) { splashHasDisplayed_ = shown; }
    bool IsInBackground() const { return isInBackground_; }
    void setIsInBackground(bool background) { isInBackground_ = background; }

protected:
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<TabBarViewController> tabBarController_;
    bool hiddenTabBar_ = false;
    bool splashHasDisplayed_ = false;
    bool isInBackground_ = false;
    bool checkedNagScreen_ = false;
    // Download state, written by the download flow.
    LumenoSDKAppDownloadDelegate* downloadDelegate_ = nullptr;
    bool downloadingAllSurahs_ = false;
    bool isDownloading_ = false;
    int downloadingSurah_ = 0;
    int fileSize_ = 0;
    float lastDownloadProgress_ = 0;
    int totalBytesDownloaded_ = 0;
    // Written by the installation worker, read on the main thread.
    std::atomic<bool> settingUpSurah_{false};
    InstallOutcome setupOutcome_ = InstallOutcome::installed;
    int downloadingReciter_ = 0;
    long long downloadingExpectedBytes_ = 0;
    int nextDownloadSurah_ = 0;
    int downloadServer_ = 0;  // never chosen: mirror 1

private:
    std::shared_ptr<ArabicFont> arabicFontLoader_;
    SQLiteConnection dbConnection_;
    SQLiteConnection dbConnectionAudioDownload_;
    SQLiteConnection dbConnectionStatic_;
    SQLiteConnection dbConnectionSearch_;
    StartupFailure startupFailure_;
    void failStartup(StartupFailure::Cause cause, std::string file, std::string detail);
    // ---- Salvage (LumenoSDKAppDelegate+Salvage.cpp) ----
    std::optional<SalvageReport> salvageReport_;
    bool repairedWhileRunning_ = false;
    // Keeps the damaged user database aside and rebuilds it through dbConnection. False with
    // the reason, and the system's error when the copy could not be written.
    [[nodiscard]] bool repairUserDatabase(const std::string& damage, std::string* error, int* systemError);
    // From now on, damage SQLite reports on a user-database connection is repaired.
    void watchForDamage();
    void repairAfterDamage(sqlite3* db);
    // Held platform task identifiers by kind.
    std::map<int, std::uint64_t> backgroundTasks_;
};
