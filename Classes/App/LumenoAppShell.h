#pragma once
// The application delegate of the running program: LumenoSDKAppDelegate with its window,
// the root tab bar controller, the life cycle, navigation between tabs, the sliding tab bar,
// the Friday reminder, the own link scheme, the prompts and the delegate's dialogs.
//
// Files: LumenoAppShell.cpp (launch, life cycle, termination), +Navigation, +TabBar,
// +Dialogs (prompts, links, dialog dispatch), +AudioDownload (the chapter-audio download).

#include <functional>
#include <memory>
#include <string>

#include "Classes/Audio/Downloader.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/ui/UIApplicationDelegate.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"

class IndexScreen;
class ReadingScreen;
class TabBarViewController;
class UINavigationController;
class UITabBarItem;

class LumenoAppShell : public LumenoSDKAppDelegate,
                       public UIApplicationDelegate,
                       public UIAlertViewDelegate,
                       public UIActionSheetDelegate,
                       public MFMailComposeViewControllerDelegate,
                       public DownloaderDelegate {
public:
    LumenoAppShell();
    ~LumenoAppShell() override;

    // ---- Life cycle ----
    bool applicationDidFinishLaunchingWithOptions(UIApplication& app, const UIApplicationLaunchOptions& options) override;
    void applicationWillResignActive(UIApplication& app) override;
    void applicationDidEnterBackground(UIApplication& app) override;
    void applicationWillEnterForeground(UIApplication& app) override;
    void applicationWillTerminate(UIApplication& app) override;
    bool applicationHandleOpenURL(UIApplication& app, const std::string& url) override;
    void applicationDidReceiveLocalNotification(UIApplication& app, const UILocalNotification& notification) override;
    // Settings written, statements finalized, connections closed in the order they opened.
    void finalizeView() override;
    // Start-up stopped at the databases: the file named on the error screen (empty when not).
    const std::string& startupFailureFile() const { return startupFailureFile_; }
    bool checkedNagScreen() const { return checkedNagScreen_; }

    // ---- Navigation ----
    void showSurahView(int surah, int verse, bool play, bool animated) override;
    void hideSurahView() override;
    void setTabbarItemIndex(int index) override;
    void reloadSurahView() override;
    void refreshSurahViewWith(int surah, int verse) override;
    void reloadIndexView() override;
    void refreshTheme() override;
    void filterBookmarksOnGroup(int group) override;
    void filterSearchViewWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) override;
    void resetTabbarLabels() override;
    void hideSurahViewIfShowing() override;
    // The re-tap rules, sent by the tab bar controller for every tab tap.
    void didSelectItem(UITabBarItem* item);
    // The chapter index (root of tab 0), or null.
    IndexScreen* getIndexViewController() const;
    ReadingScreen* readingScreen() const;
    UINavigationController* navigationControllerAtTab(int index) const;

    // ---- Tab bar sliding ----
    bool isTabBarPhysicallyVisible(int orientation) override;
    using LumenoSDKAppDelegate::showHideTabBar;
    void showHideTabBar(int orientation, double speed, bool animateMainContainer) override;
    void addToTabbar(const std::shared_ptr<UIView>& view) override;
    void showViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed, int startY = -1,
                             int height = -1) override;
    void hideViewAboveTabBar(const std::shared_ptr<UIView>& view, int orientation, double speed) override;
    void showViewInPlaceOfTabbar(const std::shared_ptr<UIView>& view, int orientation, double speed) override;
    void showHideTabBarAnimationFinished(const std::string& animationID, bool finished, void* context);

    // ---- Reminder, link, prompts and dialogs ----
    void remindKahf();
    // The own-scheme link handler: YES for every own link, opened or not.
    bool handleOpenURL(const std::string& url);
    void showNagScreen();
    void showSlicedWarning();
    void tellAFriend();
    Facebook* facebook() override;
    Facebook* existingFacebook() const override { return facebook_.get(); }
    void fbDidLogin() override;
    // The program's page, opened by "Review Now" and linked in the recommendation mail:
    // the user default "ReviewPageURL", else the environment's LUMENO_REVIEW_URL; empty
    // when neither is set ("Review Now" then only ends the prompt).
    static std::string reviewPageAddress();
    void alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) override;
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;
    void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                               const NSError* error) override;

    // ---- A damaged user database (LumenoAppShell+DatabaseRepair.cpp) ----
    void userDatabaseRepaired(bool repaired, const std::string& why) override;
    // Says what the repair of the user database carried over and where the damaged file is.
    void showDatabaseRepairAlert();

    // ---- Chapter-audio download (one at a time in the whole program) ----
    void requestDownloadSurahAudioAlert(int surah) override;
    void offerDownloadOfUnplayableAudio(int surah, AudioFault fault) override;
    void requestDownloadServerSelection(int surah) override;
    void downloadAllSurahAudio() override;
    // Starts the chapter now; while another download runs it only asks to cancel that one.
    void downloadSurahAudioAlert(int surah) override;
    void cancelDownload() override;
    void setupSucceeded() override;
    void setupFailed() override;
    void finalizeDownload() override;
    // A whole number from 1 to 6, from the random source.
    float rnd();
    // Tests replace the source of the mirror draw (null: a uniform random draw).
    void setRandomSourceForTesting(std::function<int()> source) { randomSource_ = std::move(source); }
    // The mirror host of a mirror number: the setting "MirrorHost<n>" (unknown numbers use 1).
    static std::string mirrorHost(int server);
    // The failure sheet's timer: closes the sheet and ends the failed download.
    void dismissDownloadSheet();
    void setCorrectTotal(int bytes) override;
    void setUpgradeProgress(int bytes) override;
    void downloadFailed() override;
    void downloadFinished() override;
    void updateSurahDownloadLabel();
    int downloadServer() const { return downloadServer_; }
    int currdownloadServer() const { return currdownloadServer_; }
    UIActionSheet* downloadServerActionSheet() const { return downloadServerActionSheet_.get(); }
    UIActionSheet* failedDownloadActionSheet() const { return failedDownloadActionSheet_.get(); }
    Downloader* downloaderObj() const { return downloaderObj_.get(); }

    // How often the start is tried again while another program holds the user database.
    static constexpr double kDatabaseRetrySeconds = 1;

private:
    void showStartupError(UIApplication& app);
    void waitForDatabase(const UIApplicationLaunchOptions& options);
    // Launch steps 2 onward, once the databases are open.
    void finishLaunching(const UIApplicationLaunchOptions& options);
    std::string startupFailureFile_;
    std::shared_ptr<UIActionSheet> downloadServerActionSheet_;
    std::shared_ptr<UIActionSheet> failedDownloadActionSheet_;
    uint64_t dismissTimer_ = 0;
    std::shared_ptr<Downloader> downloaderObj_;
    // Why the archive file of the failed transfer could not be made (errno; 0 when it was).
    int archiveCreateError_ = 0;
    int currdownloadServer_ = 0;
    int lastdownloadServer_ = 0;
    int lastSameServerCounter_ = 0;
    std::function<int()> randomSource_;
    // The download's own share of the sleep hold and of the network activity count, taken once
    // per download (or run over all chapters) and given back once.
    bool holdingSleep_ = false;
    bool showingNetworkActivity_ = false;
    void takeTransferHolds();
    void releaseTransferHolds();
    // The ending steps of a failed transfer, run once whichever way its sheet closes.
    void endFailedDownload();
    std::shared_ptr<UIActionSheet> showDownloadNotice(const std::string& text);
    // The chapter offer (or, while a download runs, the cancel question), its title led by `reason`.
    void showDownloadOffer(int surah, const std::string& reason);
    std::shared_ptr<MFMailComposeViewController> mailComposer_;
    std::unique_ptr<Facebook> facebook_;
};
