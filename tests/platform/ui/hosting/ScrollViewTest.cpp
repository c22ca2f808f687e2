#include <gtest/gtest.h>

#include "platform/ui/hosting/UIViewController.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/platform/ui/hosting/HostingTestSupport.h"

namespace {

class ScrollViewTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        scroll = std::make_shared<UIScrollView>(CGRectMake(0, 0, 320, 400));
        scroll->setContentSize(CGSizeMake(320, 4000));
        scroll->setDelegate(&recorder);
        window->addSubview(scroll);
    }
    void TearDown() override {
        scroll->removeFromSuperview();
        scroll.reset();
        UITest::TearDown();
    }
    std::vector<std::string> eventsWithoutScroll() const {
        std::vector<std::string> out;
        for (const auto& c : recorder.calls)
            if (c != "didScroll") out.push_back(c);
        return out;
    }
    NumberSource recorder;
    std::shared_ptr<UIScrollView> scroll;
};

TEST_F(ScrollViewTest, AFlickDeceleratesStopsAndReportsInOrder) {
    backend.drag(CGPointMake(160, 350), CGPointMake(160, 150), 100, 6);
    double released = scroll->contentOffset().y;
    EXPECT_GT(released, 150);
    EXPECT_TRUE(scroll->isDecelerating());
    backend.advance(100);
    double later = scroll->contentOffset().y;
    EXPECT_GT(later, released);  // keeps moving after the finger lifts
    backend.advance(5000);
    EXPECT_FALSE(scroll->isDecelerating());
    double stopped = scroll->contentOffset().y;
    EXPECT_GT(stopped, later);
    EXPECT_LE(stopped, 3600);
    backend.advance(500);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, stopped);
    std::vector<std::string> expected = {"willBeginDragging", "didEndDragging(decelerate)", "willBeginDecelerating", "didEndDecelerating"};
    EXPECT_EQ(eventsWithoutScroll(), expected);
    EXPECT_NE(std::find(recorder.calls.begin(), recorder.calls.end(), "didScroll"), recorder.calls.end());
}

TEST_F(ScrollViewTest, ASlowDragEndsWithoutDeceleration) {
    backend.touchDown(1, CGPointMake(160, 300));
    for (int i = 1; i <= 10; ++i) {
        backend.advance(30);
        backend.touchMove(1, CGPointMake(160, 300 - i * 10));
    }
    backend.advance(300);  // the finger rests before lifting
    backend.touchUp(1, CGPointMake(160, 200));
    EXPECT_NEAR(scroll->contentOffset().y, 100, 1);
    EXPECT_FALSE(scroll->isDecelerating());
    std::vector<std::string> expected = {"willBeginDragging", "didEndDragging"};
    EXPECT_EQ(eventsWithoutScroll(), expected);
}

TEST_F(ScrollViewTest, ADragDownTheTurnedScreenScrollsDownTheContent) {
    struct Turning : UIViewController {
        bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    };
    UIViewController::installPlatformHooks();
    auto root = std::make_shared<Turning>();
    window->setRootViewController(root);
    for (UIDeviceOrientation o : {UIDeviceOrientationLandscapeLeft, UIDeviceOrientationLandscapeRight}) {
        backend.rotate(o);
        backend.advance(600);
        scroll->setFrame(root->view()->bounds());
        scroll->setContentOffset(CGPointZero);
        root->view()->addSubview(scroll);
        backend.touchDown(1, CGPointMake(240, 250));
        for (int i = 1; i <= 10; ++i) {
            backend.advance(30);
            backend.touchMove(1, CGPointMake(240, 250 - i * 10));
        }
        backend.advance(300);
        backend.touchUp(1, CGPointMake(240, 150));
        EXPECT_NEAR(scroll->contentOffset().y, 100, 1) << o;
        EXPECT_DOUBLE_EQ(scroll->contentOffset().x, 0);
    }
}

TEST_F(ScrollViewTest, PullingPastTheTopRubberBandsAndBouncesBack) {
    backend.touchDown(1, CGPointMake(160, 100));
    for (int i = 1; i <= 10; ++i) {
        backend.advance(16);
        backend.touchMove(1, CGPointMake(160, 100 + i * 20));
    }
    // Half the finger's travel beyond the edge.
    EXPECT_NEAR(scroll->contentOffset().y, -100, 1);
    backend.advance(300);
    backend.touchUp(1, CGPointMake(160, 300));
    EXPECT_TRUE(scroll->isDecelerating());
    backend.advance(3000);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 0);
    EXPECT_FALSE(scroll->isDecelerating());
}

TEST_F(ScrollViewTest, PagingSettlesOnAPage) {
    scroll->setContentSize(CGSizeMake(640, 400));
    scroll->setPagingEnabled(true);
    backend.drag(CGPointMake(250, 200), CGPointMake(150, 200), 200, 8);
    backend.advance(2000);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().x, 320);
    EXPECT_EQ(eventsWithoutScroll().back(), "didEndDecelerating");
}

TEST_F(ScrollViewTest, OffsetsBeyondTheContentAreKeptAndInsetsMoveTheRange) {
    scroll->setContentOffset(CGPointMake(0, 5000));
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 5000);
    scroll->setContentInset(UIEdgeInsetsMake(8, 0, 30, 0));
    EXPECT_TRUE(near(scroll->minimumContentOffset(), CGPointMake(0, -8)));
    EXPECT_TRUE(near(scroll->maximumContentOffset(), CGPointMake(0, 4000 + 30 - 400)));
}

TEST_F(ScrollViewTest, StatusBarTapScrollsToTopWhenTheDelegateAgrees) {
    struct Gate : NumberSource {
        bool allow = false;
        bool shouldScrollCalled = false;
        bool scrollViewShouldScrollToTop(UIScrollView*) override {
            shouldScrollCalled = true;
            return allow;
        }
        void scrollViewDidScrollToTop(UIScrollView*) override { note("didScrollToTop"); }
    } gate;
    scroll->setDelegate(&gate);
    scroll->setContentOffset(CGPointMake(0, 900));
    EXPECT_FALSE(UIScrollView::handleStatusBarTap(*window));
    EXPECT_TRUE(gate.shouldScrollCalled);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 900);
    gate.allow = true;
    EXPECT_TRUE(UIScrollView::handleStatusBarTap(*window));
    backend.advance(400);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 0);
    EXPECT_EQ(gate.calls.back(), "didScrollToTop");
}

TEST_F(ScrollViewTest, IndicatorsShowWhileScrollingAndFadeAfter) {
    scroll->flashScrollIndicators();
    EXPECT_DOUBLE_EQ(scroll->verticalScrollIndicator()->alpha(), 1);
    EXPECT_DOUBLE_EQ(scroll->horizontalScrollIndicator()->alpha(), 0);  // nothing to scroll sideways
    backend.advance(1500);
    EXPECT_DOUBLE_EQ(scroll->verticalScrollIndicator()->alpha(), 0);
}

}  // namespace
