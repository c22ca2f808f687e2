// Launch, second launch, termination, the start-up failure screen and the tab titles.

#include "ShellFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "Classes/App/TabBarViewController.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/UIButton.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/FullDisk.h"
#include "tests/support/HeldDatabase.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/ScreenTouches.h"

namespace {

std::string userDbPath() { return str::appendPathComponent(Paths::documents(), "lumenodyn.db"); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The texts of the start-up error screen's labels.
std::vector<std::string> errorScreenTexts(LumenoAppShell& shell) {
    std::vector<std::string> texts;
    UIView* screen = shell.window()->rootViewController()->view();
    if (!screen) return texts;
    for (const auto& sub : screen->subviews())
        if (auto* label = dynamic_cast<UILabel*>(sub.get())) texts.push_back(label->text());
    return texts;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::string> tabTitles(LumenoAppShell& shell) {
    std::vector<std::string> titles;
    for (const auto& item : shell.tabBarController()->tabBar()->items()) titles.push_back(item->title());
    return titles;
}

}  // namespace

TEST_F(ShellTest, FirstLaunchCopiesAndUpgradesTheUserDatabaseAndBuildsTheTabs) {
    ASSERT_FALSE(NSFileManager::defaultManager().fileExistsAtPath(userDbPath()));
    ASSERT_TRUE(launch());
    EXPECT_TRUE(NSFileManager::defaultManager().fileExistsAtPath(userDbPath()));
    EXPECT_DOUBLE_EQ(ChapterInfo::dbVersion(shell->dbConnection()), 3.24);
    ASSERT_NE(shell->dbConnectionAudioDownload(), nullptr);
    ASSERT_NE(shell->dbConnectionStatic(), nullptr);

    // The schema step to 3.24 ran in this run: the update notice, once.
    auto alerts = dialogs<UIAlertView>();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->title(), "Update Notice");
    EXPECT_FALSE(LumenoSDKAppDelegate::HasUpgradedApp());

    // Four tabs with tags 0 to 3; the bookmark list and the search screen pushed over their roots.
    TabBarViewController* tabs = shell->tabBarController();
    ASSERT_EQ(tabs->viewControllers().size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->getViewControllerAtIndex(i)->tabBarItem()->tag(), i);
    EXPECT_EQ(tabTitles(*shell), (std::vector<std::string>{"Quran", "Bookmarks", "Search", "More"}));
    EXPECT_EQ(tabs->viewController(), tabs->getViewControllerAtIndex(0));
    EXPECT_NE(dynamic_cast<BookmarkListScreen*>(tab(1)->topViewController()), nullptr);
    EXPECT_NE(dynamic_cast<BookmarkGroupListScreen*>(tab(1)->viewControllers().front().get()), nullptr);
    EXPECT_NE(dynamic_cast<SearchScreen*>(tab(2)->topViewController()), nullptr);
    EXPECT_NE(dynamic_cast<SavedSearchListScreen*>(tab(2)->viewControllers().front().get()), nullptr);
    EXPECT_EQ(tabs->view()->bounds().size.height, 480);
    EXPECT_EQ(tabs->tabBar()->frame().origin.y, 431);
}

TEST_F(ShellTest, SecondLaunchFindsEverythingInPlace) {
    ASSERT_TRUE(launch());
    ASSERT_TRUE(ChapterInfo::insertBookmark(shell->dbConnection(), 2, 255, false, 0, std::nullopt));
    dismissDialogs();
    terminate();

    LumenoSDKAppDelegate::MarkUpgraded(false);
    ASSERT_TRUE(launch());
    EXPECT_TRUE(dialogs<UIAlertView>().empty());  // no update notice again
    EXPECT_DOUBLE_EQ(ChapterInfo::dbVersion(shell->dbConnection()), 3.24);
    EXPECT_TRUE(ChapterInfo::isBookmarked(shell->dbConnection(), 2, 255));
    // The gapless check ran once, on the first launch.
    EXPECT_TRUE(NSUserDefaults::standardUserDefaults().boolForKey("CheckedSlicedAudio"));
}

TEST_F(ShellTest, TerminationWritesSettingsAndClosesTheConnections) {
    ASSERT_TRUE(launch());
    LumenoSDKAppDelegate::disableSleep();
    EXPECT_TRUE(backend->screenSaverInhibited());
    NSUserDefaults::standardUserDefaults().setInteger(42, "LastSurahYOffset");
    LogCapture log;
    terminate();
    EXPECT_EQ(shell->dbConnection(), nullptr);
    EXPECT_EQ(shell->dbConnectionAudioDownload(), nullptr);
    EXPECT_EQ(shell->dbConnectionStatic(), nullptr);
    EXPECT_FALSE(log.contains("failed to close"));
    EXPECT_FALSE(backend->screenSaverInhibited());
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), 0);
    NSUserDefaults::standardUserDefaults().reload();
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("LastSurahYOffset"), 42);
}

TEST_F(ShellTest, UnreadableUserDatabaseShowsTheErrorScreenAndKeepsTheFile) {
    {
        std::ofstream out(userDbPath(), std::ios::binary);
        out << "not a database, but the user's file all the same";
    }
    const std::string before = readFile(userDbPath());
    LogCapture log;
    EXPECT_FALSE(launch());
    EXPECT_TRUE(log.contains("Failed to open database with message"));
    EXPECT_EQ(shell->startupFailureFile(), userDbPath());
    EXPECT_EQ(readFile(userDbPath()), before);
    // The window shows the error screen, not the tabs.
    EXPECT_EQ(dynamic_cast<TabBarViewController*>(shell->window()->rootViewController().get()), nullptr);
    EXPECT_TRUE(shell->window()->rootViewController()->isViewLoaded());
}

TEST_F(ShellTest, MissingContentDatabaseIsNamedOnTheErrorScreen) {
    // A bundle with the template only.
    const std::string bundle = str::appendPathComponent(Paths::temp(), "bundle");
    NSFileManager& files = NSFileManager::defaultManager();
    ASSERT_TRUE(files.createDirectoryAtPath(bundle, true));
    ASSERT_TRUE(files.copyItemAtPath(Paths::bundleResource("lumenodyn.db"), str::appendPathComponent(bundle, "lumenodyn.db")));
    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);
    EXPECT_FALSE(launch());
    unsetenv("LUMENO_BUNDLE_DIR");
    EXPECT_EQ(shell->startupFailureFile(), str::appendPathComponent(bundle, "lumeno.db"));
    EXPECT_FALSE(files.fileExistsAtPath(str::appendPathComponent(bundle, "lumeno.db")));  // not created
}

TEST_F(ShellTest, AFullDiskIsNamedOnTheErrorScreenAndLeavesNoPartialFile) {
    bool launchedOnFullDisk = true;
    {
        FullDisk full(Paths::documents());
        launchedOnFullDisk = launch();
        EXPECT_GT(full.refusedWrites(), 0);
    }
    EXPECT_FALSE(launchedOnFullDisk);
    EXPECT_EQ(shell->startupFailureFile(), Paths::documents());
    // The screen says the disk is full, not that the folder cannot be written.
    const std::vector<std::string> texts = errorScreenTexts(*shell);
    EXPECT_TRUE(contains(texts, "The disk holding this folder is full:"));
    EXPECT_TRUE(contains(texts, "Nothing was changed. Free some disk space, then start Lumeno again."));
    EXPECT_TRUE(contains(texts, Paths::documents()));
    // Neither the database nor a piece of it is left behind.
    EXPECT_EQ(NSFileManager::defaultManager().contentsOfDirectoryAtPath(Paths::documents()),
              std::optional<std::vector<std::string>>(std::vector<std::string>{}));
}

TEST_F(ShellTest, AnIntactDatabaseOnAReadOnlyFolderOrAFullDiskIsNotCalledUnopenable) {
    // A database in use, closed as a run ends.
    ASSERT_TRUE(launch());
    ASSERT_TRUE(ChapterInfo::insertBookmark(shell->dbConnection(), 2, 255, false, 0, std::nullopt));
    dismissDialogs();
    terminate();
    const std::string before = readFile(userDbPath());

    struct Case {
        const char* name;
        std::function<std::shared_ptr<void>()> fault;
        const char* headline;
        const char* advice;
    };
    const Case cases[] = {
        {"read-only folder", [] { return std::make_shared<ReadOnlyFolder>(Paths::documents()); },
         "This folder cannot be written:",
         "Nothing was changed. Make the folder writable (check its permissions and that its disk is not read-only), "
         "then start Lumeno again."},
        {"full disk", [] { return std::make_shared<FullDisk>(Paths::documents()); },
         "The disk holding this folder is full:", "Nothing was changed. Free some disk space, then start Lumeno again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool started = true;
        {
            std::shared_ptr<void> fault = c.fault();
            started = launch();
        }
        EXPECT_FALSE(started);
        EXPECT_EQ(shell->startupFailureFile(), Paths::documents());
        const std::vector<std::string> texts = errorScreenTexts(*shell);
        EXPECT_TRUE(contains(texts, c.headline));
        EXPECT_TRUE(contains(texts, c.advice));
        // Restoring an older copy would lose what the file holds: not advised.
        for (const std::string& text : texts) EXPECT_EQ(text.find("backup"), std::string::npos) << text;
        terminate();
        EXPECT_EQ(readFile(userDbPath()), before);
    }
    // Once the folder can be written again, the reader starts on the same data.
    ASSERT_TRUE(launch());
    EXPECT_TRUE(ChapterInfo::isBookmarked(shell->dbConnection(), 2, 255));
}

TEST_F(ShellTest, ADatabaseAnotherProgramHoldsIsNamedWhileTheReaderWaitsAndItStartsWhenTheLockGoes) {
    ASSERT_TRUE(launch());
    ASSERT_TRUE(ChapterInfo::insertBookmark(shell->dbConnection(), 2, 255, false, 0, std::nullopt));
    dismissDialogs();
    terminate();
    const std::string before = readFile(userDbPath());

    auto other = std::make_unique<HeldDatabase>(userDbPath());
    ASSERT_TRUE(other->holding());
    LogCapture log;
    EXPECT_FALSE(launch());
    EXPECT_TRUE(log.contains("another program is using \"" + userDbPath() + "\""));
    EXPECT_FALSE(log.contains("disk has free space"));
    // The waiting screen names the cause and the file, and offers to quit.
    const auto showsWaitingScreen = [&] {
        const std::vector<std::string> texts = errorScreenTexts(*shell);
        return contains(texts, "Lumeno is waiting") &&
               contains(texts, "Another program is using this database file:") && contains(texts, userDbPath());
    };
    EXPECT_TRUE(showsWaitingScreen());
    EXPECT_EQ(dynamic_cast<TabBarViewController*>(shell->window()->rootViewController().get()), nullptr);
    UIButton* quit = nullptr;
    for (const auto& sub : shell->window()->rootViewController()->view()->subviews())
        if (auto* button = dynamic_cast<UIButton*>(sub.get())) quit = button;
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->currentTitle(), "Quit");
    // Pictures of the screen for a look, both ways up.
    backend->frame();
    EXPECT_TRUE(backend->screenshot(str::appendPathComponent(Paths::temp(), "waiting-portrait.png")));
    backend->rotate(UIDeviceOrientationLandscapeLeft);
    advanceSeconds(1);
    EXPECT_TRUE(showsWaitingScreen());
    EXPECT_TRUE(backend->screenshot(str::appendPathComponent(Paths::temp(), "waiting-landscape.png")));
    backend->rotate(UIDeviceOrientationPortrait);
    advanceSeconds(1);

    // Tried again on the clock while the lock is held; nothing is written meanwhile.
    const size_t triesBefore = log.count("another program is using");
    advanceSeconds(5);
    EXPECT_GE(log.count("another program is using"), triesBefore + 4);
    EXPECT_TRUE(showsWaitingScreen());
    EXPECT_EQ(readFile(userDbPath()), before);

    // The other program lets go: the reader starts on the same data.
    other.reset();
    advanceSeconds(LumenoAppShell::kDatabaseRetrySeconds);
    ASSERT_NE(dynamic_cast<TabBarViewController*>(shell->window()->rootViewController().get()), nullptr);
    EXPECT_TRUE(shell->startupFailureFile().empty());
    EXPECT_NE(dynamic_cast<BookmarkListScreen*>(tab(1)->topViewController()), nullptr);
    EXPECT_TRUE(ChapterInfo::isBookmarked(shell->dbConnection(), 2, 255));
}

TEST_F(ShellTest, TheWaitingScreensQuitButtonEndsTheProgram) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    terminate();
    HeldDatabase other(userDbPath());
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(launch());
    UIButton* quit = nullptr;
    for (const auto& sub : shell->window()->rootViewController()->view()->subviews())
        if (auto* button = dynamic_cast<UIButton*>(sub.get())) quit = button;
    ASSERT_NE(quit, nullptr);
    EXPECT_FALSE(backend->quitRequested());
    backend->tap(screen_touches::displayCentre(*quit));
    EXPECT_TRUE(backend->quitRequested());
}

TEST_F(ShellTest, TabTitlesFollowTheInterfaceLanguage) {
    ASSERT_TRUE(launch());
    Language::setLanguage("ar");
    shell->resetTabbarLabels();
    EXPECT_EQ(tabTitles(*shell), (std::vector<std::string>{"القرآن", "العلامات", "بحث", "المزيد"}));
    Language::setLanguage("en");
    shell->resetTabbarLabels();
    EXPECT_EQ(tabTitles(*shell), (std::vector<std::string>{"Quran", "Bookmarks", "Search", "More"}));
}


TEST_F(ShellTest, AStartOnADamagedDatabaseSaysWhatCameOverAndWhereTheDamagedCopyIs) {
    ASSERT_TRUE(launch());
    for (int verse : {1, 2, 3}) ASSERT_TRUE(ChapterInfo::insertBookmark(shell->dbConnection(), 2, verse, false, 0, std::string("note")));
    dismissDialogs();
    terminate();

    for (const char* language : {"en", "ar"}) {
        SCOPED_TRACE(language);
        // The one page of the bookmarks table; its index still names the three.
        const std::vector<long long> pages = damaged_pages::pagesOf(userDbPath(), "bookmarks");
        ASSERT_EQ(pages.size(), 1u);
        damaged_pages::damage(userDbPath(), pages[0]);
        const std::string damaged = readFile(userDbPath());
        Language::setLanguage(language);
        ASSERT_TRUE(launch());
        advanceSeconds(1);  // the alert has come up
        const std::string copy = str::appendPathComponent(Paths::documents(), std::string("lumenodyn.damaged-2026-12-16") +
                                                                                  (language == std::string("ar") ? "-2" : "") + ".db");
        EXPECT_TRUE(readFile(copy) == damaged) << "the damaged copy differs from the damaged file";
        auto alerts = dialogs<UIAlertView>();
        ASSERT_EQ(alerts.size(), 1u);
        UIAlertView* alert = alerts[0];
        const bool arabic = language == std::string("ar");
        EXPECT_EQ(alert->title(), arabic ? "أُصلحت قاعدة البيانات التالفة" : "Damaged Database Repaired");
        const std::string counts = arabic ? "نُقل: 3 من 3 علامة (0 منها بملاحظات)" : "Carried over: 3 of 3 bookmarks (0 with notes)";
        EXPECT_NE(alert->message().find(counts), std::string::npos) << alert->message();
        EXPECT_NE(alert->message().find(copy), std::string::npos) << alert->message();
        // The message is drawn: white letters on the alert's dark body where its label lies.
        std::vector<UIView*> views;
        collectViews(alert, views);
        const UILabel* message = nullptr;
        for (UIView* v : views)
            if (auto* label = dynamic_cast<UILabel*>(v); label && label->text() == alert->message()) message = label;
        ASSERT_NE(message, nullptr);
        const CGRect onScreen = CGRectIntersection(message->convertRectToView(message->bounds(), nullptr),
                                                   CGRectMake(0, 0, 320, 480));
        ASSERT_GT(onScreen.size.height, 60);
        int white = 0, dark = 0;
        backend->frame();
        for (double y = onScreen.origin.y + 0.5; y < CGRectGetMaxY(onScreen); y += 2)
            for (double x = onScreen.origin.x + 0.5; x < CGRectGetMaxX(onScreen); x += 2) {
                const auto p = backend->pixelAt(CGPointMake(x, y));
                white += p.r > 235 && p.g > 235 && p.b > 235;
                dark += p.r + p.g + p.b < 360;
            }
        EXPECT_GT(white, 100);
        EXPECT_GT(dark, white);
        ASSERT_TRUE(backend->screenshot(Paths::temp() + "/repaired-" + language + ".png"));
        backend->rotate(UIDeviceOrientationLandscapeLeft);
        advanceSeconds(1);
        ASSERT_TRUE(backend->screenshot(Paths::temp() + "/repaired-" + language + "-landscape.png"));
        backend->rotate(UIDeviceOrientationPortrait);
        advanceSeconds(1);
        dismissDialogs();
        EXPECT_EQ(ChapterInfo::getBookmarkCount(shell->dbConnection(), -1, -1), 3);
        terminate();
    }
    Language::setLanguage("en");
}

TEST_F(ShellTest, AUserDatabaseLinkedToAMissingFileIsNamedOnTheErrorScreenAndKept) {
    const std::string target = str::appendPathComponent(Paths::temp(), "unmounted/lumenodyn.db");
    ASSERT_TRUE(NSFileManager::defaultManager().createDirectoryAtPath(Paths::documents(), true));
    std::filesystem::create_symlink(target, userDbPath());
    EXPECT_FALSE(launch());
    const std::vector<std::string> texts = errorScreenTexts(*shell);
    EXPECT_TRUE(contains(texts, "This database file is a link to a file that is missing:"));
    EXPECT_TRUE(contains(texts, target));
    EXPECT_TRUE(contains(texts, "Nothing was changed. Connect the disk or mount the folder that holds the file, then "
                                "start Lumeno again."));
    EXPECT_EQ(std::filesystem::read_symlink(userDbPath()), target);
}
