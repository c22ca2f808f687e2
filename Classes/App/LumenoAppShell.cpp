// Launch, life cycle and termination.

#include "social/Facebook.h"
#include "Classes/App/LumenoAppShell.h"

#include <algorithm>
#include <cmath>

#include "Classes/App/AppToolkit.h"
#include "Classes/App/MainWindow.h"
#include "Classes/App/ShellScreens.h"
#include "Classes/App/TabBarViewController.h"
#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/text/UIFont.h"
#include "platform/ui/Backend.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

std::string tr(const std::string& key) { return Language::get(key, key); }

// What the start-up error screen says: what failed and what helps.
struct StartupErrorTexts {
    std::string headline;
    std::string advice;
};

StartupErrorTexts startupErrorTexts(StartupFailure::Cause cause) {
    using Cause = StartupFailure::Cause;
    switch (cause) {
    case Cause::FolderNotWritable:
        return {tr("This folder cannot be written:"),
                tr("Nothing was changed. Make the folder writable (check its permissions and that its disk is not "
                   "read-only), then start Lumeno again.")};
    case Cause::DiskFull:
        return {tr("The disk holding this folder is full:"),
                tr("Nothing was changed. Free some disk space, then start Lumeno again.")};
    case Cause::FileUnreadable:
        return {tr("This database file cannot be read:"),
                tr("Nothing was changed. Fix the file's permissions so that you can read and write it, then start "
                   "Lumeno again.")};
    case Cause::NotADatabase:
        return {tr("This file is not a database:"),
                tr("Nothing was changed. Restore the file from a backup, then start Lumeno again.")};
    case Cause::StoreUnopenable:
        return {tr("This database file could not be opened:"),
                tr("Nothing was changed. Check that the disk works and that the file can be read and written, then "
                   "start Lumeno again.")};
    case Cause::DamagedStore:
        return {tr("This database file is damaged:"),
                tr("Nothing was changed. Restore the file from a backup, then start Lumeno again.")};
    case Cause::LinkTargetMissing:
        return {tr("This database file is a link to a file that is missing:"),
                tr("Nothing was changed. Connect the disk or mount the folder that holds the file, then start Lumeno "
                   "again.")};
    case Cause::SchemaStepFailed:
        return {tr("This database file could not be updated:"),
                tr("Nothing was changed. Make sure the disk has free space and the file can be written, then start "
                   "Lumeno again.")};
    case Cause::StoreBusy:
        return {tr("Another program is using this database file:"),
                tr("Lumeno starts as soon as the other program lets go of the file. Close that program, or quit "
                   "Lumeno and start it later.")};
    case Cause::TemplateMissing:
    case Cause::ContentUnusable:
    case Cause::None: break;
    }
    return {tr("This database file could not be opened:"),
            tr("Nothing was changed. Reinstall Lumeno, then start it again.")};
}

// The error screen's texts in one centred column, each as tall as its wrapped text, so the
// advice stays on screen in landscape too; a button goes under them, centred.
class StartupErrorView : public UIView {
public:
    using UIView::UIView;
    void layoutSubviews() override {
        constexpr double kMargin = 16, kGap = 12, kButtonWidth = 140, kButtonHeight = 37;
        const double width = bounds().size.width - 2 * kMargin;
        std::vector<double> heights;
        double total = 0;
        for (const auto& sub : subviews()) {
            const bool button = dynamic_cast<UIButton*>(sub.get()) != nullptr;
            heights.push_back(button ? kButtonHeight
                                     : std::ceil(sub->sizeThatFits(CGSizeMake(width, bounds().size.height)).height));
            total += heights.back();
        }
        total += kGap * (heights.empty() ? 0 : heights.size() - 1);
        double y = std::max(kMargin, std::floor((bounds().size.height - total) / 2));
        for (size_t i = 0; i < heights.size(); ++i) {
            UIView* sub = subviews()[i].get();
            const double x = std::floor((bounds().size.width - kButtonWidth) / 2);
            if (dynamic_cast<UIButton*>(sub)) sub->setFrame(CGRectMake(x, y, kButtonWidth, heights[i]));
            else sub->setFrame(CGRectMake(kMargin, y, width, heights[i]));
            y += heights[i] + kGap;
        }
    }
};

// The screen shown instead of the tabs when the databases cannot be used.
class StartupErrorViewController : public UIViewController {
public:
    explicit StartupErrorViewController(StartupFailure failure) : failure_(std::move(failure)) {}
    void loadView() override {
        auto v = std::make_shared<StartupErrorView>(UIScreen::mainScreen().bounds());
        v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        v->setBackgroundColor(UIColor::colorWithRed(0.96, 0.94, 0.88, 1));
        auto add = [&](const std::string& text, UIFontPtr font) {
            auto label = std::make_shared<UILabel>(CGRectZero);
            label->setText(text);
            label->setFont(std::move(font));
            label->setTextColor(UIColor::colorWithRed(0.35, 0.12, 0.08, 1));
            label->setBackgroundColor(UIColor::clearColor());
            label->setOpaque(false);
            label->setTextAlignment(UITextAlignmentCenter);
            label->setNumberOfLines(0);
            label->setLineBreakMode(UILineBreakModeWordWrap);
            v->addSubview(label);
        };
        const StartupErrorTexts texts = startupErrorTexts(failure_.cause);
        const bool waiting = failure_.cause == StartupFailure::Cause::StoreBusy;
        add(waiting ? tr("Lumeno is waiting") : tr("Lumeno cannot start"), UIFont::fontWithName("Helvetica-Bold", 20));
        add(texts.headline, UIFont::fontWithName("Helvetica", 15));
        add(failure_.file, UIFont::fontWithName("Helvetica-Bold", 13));
        add(failure_.detail, UIFont::fontWithName("Helvetica", 13));
        add(texts.advice, UIFont::fontWithName("Helvetica", 15));
        if (waiting) {
            quitButton_ = UIButton::buttonWithType(UIButtonTypeRoundedRect);
            quitButton_->setTitle(tr("Quit"), UIControlStateNormal);
            quitButton_->addAction(
                [](UIControl*, UIEvent*) {
                    if (Backend* backend = UIApplication::sharedApplication().backend()) backend->quit();
                },
                UIControlEventTouchUpInside);
            v->addSubview(quitButton_);
        }
        setView(v);
    }
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

private:
    StartupFailure failure_;
    std::shared_ptr<UIButton> quitButton_;
};

}  // namespace

LumenoAppShell::LumenoAppShell() { initialize(); }

LumenoAppShell::~LumenoAppShell() {
    RunLoop::main().cancelPreviousPerformRequests(this);
    if (dismissTimer_) RunLoop::main().cancelTimer(dismissTimer_);
    if (tabBarController_) tabBarController_->setLumenoApp(nullptr);
}

bool LumenoAppShell::applicationDidFinishLaunchingWithOptions(UIApplication& app,
                                                              const UIApplicationLaunchOptions& options) {
    initialize();
    AppToolkit::start();
    // The phone's 320 x 480 points belong to the program: no status bar over the tabs.
    app.setStatusBarHidden(true);
    if (!window_ || !tabBarController_) {
        std::optional<MainWindowOutlets> outlets = MainWindow::load("MainWindow");
        if (outlets) {
            window_ = outlets->window;
            tabBarController_ = outlets->tabBarController;
        }
    }
    if (!window_ || !tabBarController_) return false;

    // 1. The databases; start-up goes no further when they cannot be used.
    if (!openContentDatabase() || !createEditableCopyOfDatabaseIfNeeded() || !initializeDatabase()) {
        showStartupError(app);
        if (startupFailure().cause == StartupFailure::Cause::StoreBusy) waitForDatabase(options);
        return false;
    }
    finishLaunching(options);
    return true;
}

void LumenoAppShell::waitForDatabase(const UIApplicationLaunchOptions& options) {
    // Tried again on the run loop's clock: the window keeps drawing and the Quit button answers.
    RunLoop::main().performAfterDelay(this, kDatabaseRetrySeconds, [this, options] {
        if (initializeDatabase()) {
            startupFailureFile_.clear();
            finishLaunching(options);
        } else if (startupFailure().cause == StartupFailure::Cause::StoreBusy) {
            waitForDatabase(options);
        } else {
            showStartupError(UIApplication::sharedApplication());
        }
    }, "waitForDatabase");
}

void LumenoAppShell::finishLaunching(const UIApplicationLaunchOptions& options) {
    // Nothing installs yet: what a killed or failed installation left in the caches goes.
    ChapterAudioDownload::removeLeftovers();
    // 2, 3. The bookmark list over the group list, the search screen over the history.
    if (UINavigationController* nav = navigationControllerAtTab(1))
        if (auto bookmarks = ShellScreenFactory::make("BookmarksView")) nav->pushViewController(bookmarks, false);
    if (UINavigationController* nav = navigationControllerAtTab(2))
        if (auto search = ShellScreenFactory::make("SearchView")) nav->pushViewController(search, false);
    // 4.
    tabBarController_->setLumenoApp(this);
    // 5.
    UIViewController::installPlatformHooks();
    window_->setFrame(UIScreen::mainScreen().bounds());
    window_->setAutoresizesSubviews(true);
    window_->setAutoresizingMask(63);
    window_->setOpaque(true);
    window_->setRootViewController(tabBarController_);
    window_->makeKeyAndVisible();
    // 6 to 9.
    resetTabbarLabels();
    SetupAlKahfReminders();
    RunLoop::main().performAfterDelay(this, 3.0, [this] { remindKahf(); });
    if (!checkedNagScreen_) {
        checkedNagScreen_ = true;
        RunLoop::main().performAfterDelay(this, 2.0, [this] { showNagScreen(); });
    }
    // 10. Once per installation, even when the offer is declined.
    if (!defaults().boolForKey("CheckedSlicedAudio")) {
        defaults().setBool(true, "CheckedSlicedAudio");
        defaults().synchronize();
        if (hasSlicedAudioInstalled()) RunLoop::main().performAfterDelay(this, 2.0, [this] { showSlicedWarning(); });
    }
    // 11.
    if (HasUpgradedApp() && ChapterInfo::dbVersion(dbConnection()) == 3.24) {
        MarkUpgraded(false);
        auto alert = std::make_shared<UIAlertView>(
            tr("Update Notice"),
            tr("Lumeno now supports color coded Tajweed and changing of font sizes. These can be configured from the "
               "settings screen."),
            nullptr, tr("OK"), std::vector<std::string>{});
        alert->show();
    }
    showDatabaseRepairAlert();
    if (options.localNotification)
        applicationDidReceiveLocalNotification(UIApplication::sharedApplication(), *options.localNotification);
    if (!options.url.empty()) handleOpenURL(options.url);
}

void LumenoAppShell::showStartupError(UIApplication& app) {
    startupFailureFile_ = startupFailure().file;
    closeDatabases();
    UIViewController::installPlatformHooks();
    window_->setFrame(UIScreen::mainScreen().bounds());
    window_->setRootViewController(std::make_shared<StartupErrorViewController>(startupFailure()));
    window_->makeKeyAndVisible();
}

void LumenoAppShell::applicationWillResignActive(UIApplication&) {
    IndexScreen* index = getIndexViewController();
    ReadingScreen* reading = readingScreen();
    if (index && index->IsShowingSurahView() && reading) reading->saveCurrentSurahAndVerse();
    if (reading) reading->registerRemoteEvents();
}

void LumenoAppShell::applicationDidEnterBackground(UIApplication&) {
    isInBackground_ = true;
    resetSleep();
    checkedNagScreen_ = false;
}

void LumenoAppShell::applicationWillEnterForeground(UIApplication&) {
    isInBackground_ = false;
    if (ReadingScreen* reading = readingScreen()) reading->unregisterRemoteEvents();
    ResetArabicCheck();
    SetupAlKahfReminders();
    RunLoop::main().performAfterDelay(this, 3.0, [this] { remindKahf(); });
    if (!checkedNagScreen_) {
        checkedNagScreen_ = true;
        RunLoop::main().performAfterDelay(this, 2.0, [this] { showNagScreen(); });
    }
}

void LumenoAppShell::applicationWillTerminate(UIApplication&) {
    defaults().synchronize();
    finalizeView();
}

void LumenoAppShell::finalizeView() {
    defaults().synchronize();
    resetSleep();
    releaseSharedArabicFontLoader();
    closeDatabases();
}

bool LumenoAppShell::applicationHandleOpenURL(UIApplication&, const std::string& url) { return handleOpenURL(url); }

void LumenoAppShell::applicationDidReceiveLocalNotification(UIApplication&, const UILocalNotification&) {
    showSurahView(18, 1, false, false);
}
