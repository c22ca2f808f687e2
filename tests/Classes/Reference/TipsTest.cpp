// The tips from the More menu: nine pages, the automatic move to the second page after 4 s
// unless the user swipes first, and closing.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Reference/TipsViewController.h"
#include "platform/ui/UIApplication.h"

namespace {

class TipsTest : public SettingsTest {
protected:
    TipsViewController* openTips() {
        launch();
        statusBarHiddenBefore = UIApplication::sharedApplication().isStatusBarHidden();
        openMenuRow(5);
        return dynamic_cast<TipsViewController*>(tabs->modalViewController());
    }
    bool statusBarHiddenBefore = false;
};

TEST_F(TipsTest, NinePagesMoveOnToTheSecondAfterFourSeconds) {
    TipsViewController* tips = openTips();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->viewScroll->contentSize().width, 2880);
    EXPECT_EQ(tips->pgtClt->numberOfPages(), 9);
    EXPECT_EQ(tips->btnBack->titleForState(UIControlStateNormal), "Close Tips");
    EXPECT_TRUE(UIApplication::sharedApplication().isStatusBarHidden());
    // The pages in scroll order: the welcome page, then tips 6, 7, 1 ... 5 and 8.
    EXPECT_EQ(tips->viewWelcome->frame().origin.x, 0);
    EXPECT_EQ(tips->viewPage6->frame().origin.x, 320);
    EXPECT_EQ(tips->viewPage1->frame().origin.x, 960);
    EXPECT_EQ(tips->viewPage8->frame().origin.x, 2560);
    EXPECT_FALSE(tips->lblPage6->text().empty());
    EXPECT_NE(tips->lblPage6->text(), "TIP6") << "the tip's text comes from the string table";

    EXPECT_EQ(tips->pgtClt->currentPage(), 0);
    backend.advance(4500);
    backend.runUntilIdle();
    EXPECT_EQ(tips->pgtClt->currentPage(), 1);
    EXPECT_EQ(tips->currentPageInd(), 1);
    EXPECT_EQ(tips->viewScroll->contentOffset().x, 320);
}

TEST_F(TipsTest, ASwipeBeforeFourSecondsKeepsThePageChosen) {
    TipsViewController* tips = openTips();
    ASSERT_NE(tips, nullptr);
    backend.advance(1000);
    tips->viewScroll->setContentOffset(CGPointMake(640, 0));
    EXPECT_EQ(tips->pgtClt->currentPage(), 2);
    backend.advance(5000);
    backend.runUntilIdle();
    EXPECT_EQ(tips->pgtClt->currentPage(), 2);
    EXPECT_EQ(tips->viewScroll->contentOffset().x, 640);
}

TEST_F(TipsTest, ClosingWithinFourSecondsLeavesNothingBehind) {
    std::weak_ptr<UIViewController> shown;
    {
        TipsViewController* tips = openTips();
        ASSERT_NE(tips, nullptr);
        shown = tips->shared_from_this();
        backend.advance(1000);
        tapView(*tips->btnBack);
    }
    settle();
    EXPECT_EQ(tabs->modalViewController(), nullptr);
    EXPECT_EQ(UIApplication::sharedApplication().isStatusBarHidden(), statusBarHiddenBefore);
    // The delayed advance went with the screen: advancing past it runs nothing of it.
    backend.advance(5000);
    backend.runUntilIdle();
    EXPECT_TRUE(shown.expired());
}

}  // namespace
