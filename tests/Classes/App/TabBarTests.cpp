// Sliding the tab bar with the content container, and panels in the tab bar's place.

#include "ShellFixture.h"

#include "Classes/App/TabBarViewController.h"
#include "platform/ui/BackendOptions.h"

namespace {

constexpr int kPortrait = 1;
constexpr int kLandscapeRight = 3;

class TabBarTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(launch());
        dismissDialogs();
        tabs = shell->tabBarController();
    }
    CGRect bar() const { return tabs->tabBar()->frame(); }
    CGRect container() const { return tabs->transitionView()->frame(); }
    TabBarViewController* tabs = nullptr;
};

}  // namespace

TEST_F(TabBarTest, SlidesOutAndBackWithTheContainerFollowing) {
    EXPECT_TRUE(shell->isTabBarPhysicallyVisible(kPortrait));
    shell->showHideTabBar(kPortrait, 0.25, true);
    EXPECT_TRUE(shell->hiddenTabBar());
    EXPECT_EQ(bar().origin.y, 480);  // the model value at once
    advanceSeconds(0.1);             // what the screen shows is under way
    EXPECT_GT(tabs->tabBar()->presentationFrame().origin.y, 431);
    EXPECT_LT(tabs->tabBar()->presentationFrame().origin.y, 480);
    EXPECT_GT(tabs->transitionView()->presentationFrame().size.height, 431);
    advanceSeconds(0.3);
    EXPECT_EQ(bar().origin.y, 480);
    EXPECT_EQ(bar().size.height, 49);
    EXPECT_EQ(container().size.height, 480);
    EXPECT_FALSE(shell->isTabBarPhysicallyVisible(kPortrait));

    shell->showHideTabBar(kPortrait, 0, false);  // back at once
    EXPECT_FALSE(shell->hiddenTabBar());
    EXPECT_EQ(bar().origin.y, 431);
    EXPECT_EQ(container().size.height, 431);
    EXPECT_TRUE(shell->isTabBarPhysicallyVisible(kPortrait));
}

TEST_F(TabBarTest, ContainerNotAnimatedJumpsWhileTheBarSlides) {
    shell->showHideTabBar(kPortrait, 0.3, false);
    EXPECT_EQ(container().size.height, 480);
    advanceSeconds(0.1);
    EXPECT_LT(tabs->tabBar()->presentationFrame().origin.y, 480);
    EXPECT_EQ(tabs->transitionView()->presentationFrame().size.height, 480);
    advanceSeconds(0.3);
    EXPECT_EQ(bar().origin.y, 480);
}

TEST_F(TabBarTest, VisibilityUsesTheOrientationsThreshold) {
    // The bar at 431 is below the landscape screen's 320-point edge.
    EXPECT_FALSE(shell->isTabBarPhysicallyVisible(kLandscapeRight));
    EXPECT_TRUE(shell->hiddenTabBar());
    EXPECT_TRUE(shell->isTabBarPhysicallyVisible(kPortrait));
    EXPECT_FALSE(shell->hiddenTabBar());
}

TEST_F(TabBarTest, LandscapeSlideUsesLandscapeEdges) {
    shell->showHideTabBar(kLandscapeRight, 0, true);
    EXPECT_EQ(bar().origin.y, 320);
    EXPECT_EQ(container().size.height, 320);
    shell->showHideTabBar(kLandscapeRight, 0, true);
    EXPECT_EQ(bar().origin.y, 271);
    EXPECT_EQ(container().size.height, 271);
}

TEST_F(TabBarTest, PanelSlidesUpOverTheTabBarsPlace) {
    struct Case {
        int orientation, startY;
        double startTop, endTop;
    } cases[] = {{kPortrait, -1, 460, 380}, {kPortrait, 200, 460, 220}, {kLandscapeRight, -1, 300, 220},
                 {kLandscapeRight, 100, 320, 120}};
    for (const Case& c : cases) {
        auto panel = std::make_shared<UIView>(CGRectMake(0, 0, 320, 100.6));
        shell->addToTabbar(panel);
        EXPECT_TRUE(panel->isHidden());
        EXPECT_EQ(panel->superview(), tabs->view());
        shell->showViewAboveTabBar(panel, c.orientation, 0.3, c.startY);
        EXPECT_FALSE(panel->isHidden());
        EXPECT_EQ(panel->frame().size.height, 100) << c.orientation << " " << c.startY;
        advanceSeconds(0.01);
        EXPECT_NEAR(panel->presentationFrame().origin.y, c.startTop, 20);
        advanceSeconds(0.5);
        EXPECT_EQ(panel->frame().origin.y, c.endTop) << c.orientation << " " << c.startY;
        panel->removeFromSuperview();
    }
}

TEST_F(TabBarTest, HidingAPanelAtOnceLeavesItVisibleBelowTheEdge) {
    auto panel = std::make_shared<UIView>(CGRectMake(0, 0, 320, 100));
    shell->showViewAboveTabBar(panel, kPortrait, 0);
    EXPECT_EQ(panel->frame().origin.y, 380);
    shell->hideViewAboveTabBar(panel, kPortrait, 0);
    EXPECT_EQ(panel->frame().origin.y, 480);
    EXPECT_FALSE(panel->isHidden());

    shell->showViewAboveTabBar(panel, kPortrait, 0);
    shell->hideViewAboveTabBar(panel, kPortrait, 0.3);
    EXPECT_FALSE(panel->isHidden());
    advanceSeconds(0.5);
    EXPECT_EQ(panel->frame().origin.y, 480);
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(TabBarTest, TabletKeepsTheDistancesFromTheBottomEdge) {
    terminate();
    BackendOptions tablet;
    tablet.idiom = UIUserInterfaceIdiomPad;
    tablet.apply();
    ASSERT_TRUE(launch());
    tabs = shell->tabBarController();
    EXPECT_EQ(bar().origin.y, 1024 - 49);
    shell->showHideTabBar(kPortrait, 0, true);
    EXPECT_EQ(bar().origin.y, 1024);
    EXPECT_EQ(container().size.height, 1024);
    auto panel = std::make_shared<UIView>(CGRectMake(0, 0, 768, 100));
    shell->showViewAboveTabBar(panel, kPortrait, 0);
    EXPECT_EQ(panel->frame().origin.y, 1004 - 100 + 20);
}
