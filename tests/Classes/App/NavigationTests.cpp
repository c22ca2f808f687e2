// Opening chapters for other screens, the re-tap rules, and the life-cycle callbacks.

#include "ShellFixture.h"

#include "Classes/App/TabBarViewController.h"
#include "Classes/Core/SavedSearch.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/UILocalNotification.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

class NavigationTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(launch());
        dismissDialogs();
    }
};

}  // namespace

TEST_F(NavigationTest, ShowSurahViewSelectsTheQuranTabAndOpensTheChapter) {
    tapTab(3);
    shell->showSurahView(36, 12, false, false);
    EXPECT_EQ(shell->tabBarController()->selectedIndex(), 0);
    EXPECT_TRUE(index()->IsShowingSurahView());
    EXPECT_EQ(index()->shownSurah(), 36);
    EXPECT_EQ(index()->shownVerse(), 12);
    tapTab(2);
    shell->hideSurahView();
    EXPECT_EQ(shell->tabBarController()->selectedIndex(), 0);
    EXPECT_FALSE(index()->IsShowingSurahView());
}

TEST_F(NavigationTest, RetapOnQuranClosesAnOpenChapterOrRunsTheCurrentChapterButton) {
    shell->showSurahView(2, 255, false, false);
    tapTab(0);
    EXPECT_FALSE(index()->IsShowingSurahView());
    EXPECT_EQ(index()->currentSurahButtonPresses(), 0);
    tapTab(0);  // on the chapter list: the current-chapter button, after the tap
    EXPECT_EQ(index()->currentSurahButtonPresses(), 1);
    EXPECT_TRUE(index()->IsShowingSurahView());
    EXPECT_EQ(index()->shownSurah(), 2);
}

TEST_F(NavigationTest, SwitchingTabsIsNotARetap) {
    tapTab(1);
    size_t bookmarksDepth = tab(1)->viewControllers().size();
    tapTab(0);
    EXPECT_EQ(index()->currentSurahButtonPresses(), 0);
    tab(1)->popToRootViewControllerAnimated(false);
    tapTab(1);  // switch to tab 1 while its group list shows: nothing pushed
    EXPECT_EQ(tab(1)->viewControllers().size(), 1u);
    EXPECT_EQ(bookmarksDepth, 2u);
}

TEST_F(NavigationTest, RetapOnTheGroupListPushesAllBookmarks) {
    tapTab(1);
    tab(1)->popToRootViewControllerAnimated(false);
    backend->runUntilIdle();
    tapTab(1);
    ASSERT_EQ(tab(1)->viewControllers().size(), 2u);
    auto* list = dynamic_cast<PlaceholderBookmarksViewController*>(tab(1)->topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->groupFilter(), 0);
    tapTab(1);  // the list is on top now: the tab goes back to its root, nothing is pushed
    backend->runUntilIdle();
    EXPECT_EQ(tab(1)->viewControllers().size(), 1u);
}

TEST_F(NavigationTest, RetapOnTheSearchHistoryPushesOneNewSearchScreen) {
    tapTab(2);
    tab(2)->popToRootViewControllerAnimated(false);
    backend->runUntilIdle();
    tapTab(2);
    EXPECT_EQ(tab(2)->viewControllers().size(), 2u);
    EXPECT_NE(dynamic_cast<SearchScreen*>(tab(2)->topViewController()), nullptr);
}

TEST_F(NavigationTest, SavedSearchReusesAVisibleSearchScreen) {
    auto saved = std::make_shared<SavedSearch>();
    saved->setStrSearchText("mercy");
    tapTab(0);
    shell->filterSearchViewWithSavedSearch(saved);
    backend->runUntilIdle();
    EXPECT_EQ(shell->tabBarController()->selectedIndex(), 2);
    ASSERT_EQ(tab(2)->viewControllers().size(), 2u);
    auto* search = dynamic_cast<PlaceholderSearchViewController*>(tab(2)->topViewController());
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->filterCount(), 1);
    // From the history: a new search screen, only one.
    tab(2)->popToRootViewControllerAnimated(false);
    backend->runUntilIdle();
    shell->filterSearchViewWithSavedSearch(saved);
    backend->runUntilIdle();
    EXPECT_EQ(tab(2)->viewControllers().size(), 2u);
}

TEST_F(NavigationTest, FilterBookmarksPushesWithoutChangingTab) {
    shell->filterBookmarksOnGroup(3);
    backend->runUntilIdle();
    EXPECT_EQ(shell->tabBarController()->selectedIndex(), 0);
    auto* list = dynamic_cast<PlaceholderBookmarksViewController*>(tab(1)->topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->groupFilter(), 3);
}

TEST_F(NavigationTest, ReviewPromptShowsOncePerForegroundPeriod) {
    advanceSeconds(2.5);  // the launch's check: the first one only notes the date
    EXPECT_TRUE(dialogs<UIActionSheet>().empty());
    NSUserDefaults::standardUserDefaults().setDate(NSDate::dateWithTimeIntervalSinceNow(-3 * 86400), "AppInstallDate");
    UIApplication& app = UIApplication::sharedApplication();
    app.enterBackground();
    EXPECT_TRUE(shell->IsInBackground());
    app.enterForeground();
    EXPECT_FALSE(shell->IsInBackground());
    shell->applicationWillEnterForeground(app);  // again, without a stay in the background
    advanceSeconds(2.5);
    auto sheets = dialogs<UIActionSheet>();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0]->tag(), -10);
}

TEST_F(NavigationTest, LocalNotificationOpensChapter18) {
    tapTab(2);
    shell->applicationDidReceiveLocalNotification(UIApplication::sharedApplication(), UILocalNotification());
    EXPECT_EQ(shell->tabBarController()->selectedIndex(), 0);
    EXPECT_EQ(index()->shownSurah(), 18);
    EXPECT_EQ(index()->shownVerse(), 1);
}
