// Zooming: pinches through the platform's two-finger touches, double taps, and the release
// animations that bring a page back to fit.

#include <gtest/gtest.h>

#include "tests/toolkit/paging/PagedScrollFixture.h"

namespace {
class ZoomTest : public PagedScrollTest {
protected:
    // Two fingers about (160, 240) spread from one distance to another, in steps.
    void pinch(double from, double to, bool lift = true)
    {
        const int steps = 8;
        auto at = [](double spread) {
            return std::pair{CGPointMake(160 - spread / 2, 240), CGPointMake(160 + spread / 2, 240)};
        };
        auto [a, b] = at(from);
        backend.fingerPairDown(a, b);
        for (int i = 1; i <= steps; ++i) {
            wait(16);
            std::tie(a, b) = at(from + (to - from) * i / steps);
            backend.fingerPairMove(a, b);
        }
        if (lift) backend.fingerPairUp(a, b);
    }
    double zoom() const
    {
        const TTPageEdges& e = scroll->pageEdges();
        return (320 - e.left + e.right) / 320;
    }
};
}  // namespace

TEST_F(ZoomTest, SpreadingTwoFingersZoomsAboutTheirMiddleAndTheZoomStays) {
    pinch(40, 200);
    EXPECT_TRUE(scroll->zoomed());
    EXPECT_NEAR(zoom(), 1.5, 1e-9);  // the page grows by the fingers' spread
    EXPECT_FALSE(scroll->isAnimating()) << "a page larger than the view keeps its zoom";
    EXPECT_EQ(events.events, (std::vector<std::string>{"page 0", "down", "drag", "zoom", "end drag, slide"}));
    // The page grew about the middle, keeping its aspect, and hides its neighbours' edges.
    EXPECT_TRUE(near(screenFrameOf(0), CGRectMake(-80, -120, 480, 720)));
    EXPECT_FALSE(scroll->centerPage()->isUserInteractionEnabled());
    EXPECT_TRUE(shows(CGPointMake(5, 240), 0));
    EXPECT_TRUE(shows(CGPointMake(315, 240), 0));

    // One finger then pans the zoomed page; past its edge the pan is resisted, and the page
    // springs back inside on release without leaving the page.
    backend.drag(CGPointMake(160, 240), CGPointMake(320, 240), 1000, 60);
    EXPECT_EQ(scroll->centerPageIndex(), 0);
    EXPECT_GT(scroll->pageEdges().left, 0);
    EXPECT_LT(scroll->pageEdges().left, 80 - 10) << "resisted";
    EXPECT_NEAR(zoom(), 1.5, 1e-9);
    wait(550);
    EXPECT_EQ(scroll->pageEdges().left, 0);
    EXPECT_NEAR(zoom(), 1.5, 1e-9);
    EXPECT_EQ(scroll->centerPageIndex(), 0);
}

TEST_F(ZoomTest, APinchSmallerThanFittedSpringsBackAndHidesNoPageAfterwards) {
    pinch(200, 100, false);
    const TTPageEdges& e = scroll->pageEdges();
    EXPECT_LT(e.right - e.left, 0) << "pinched";
    EXPECT_GT(e.right - e.left, -50) << "shrinking follows the fingers by a fraction";
    EXPECT_TRUE(scroll->pageAtIndex(1)->isHidden()) << "the neighbours hide while pinched";
    backend.fingerPairUp(CGPointMake(110, 240), CGPointMake(210, 240));
    EXPECT_TRUE(scroll->isAnimating());
    wait(550);
    EXPECT_TRUE(scroll->pageEdges().isZero());
    EXPECT_FALSE(scroll->zoomed());
    EXPECT_FALSE(scroll->pageAtIndex(1)->isHidden());
    EXPECT_TRUE(near(screenFrameOf(0), CGRectMake(0, 0, 320, 480)));
    EXPECT_TRUE(events.saw("zoom"));
    EXPECT_EQ(events.events.back(), "settled");
    EXPECT_TRUE(events.saw("end zoom"));
    EXPECT_TRUE(scroll->centerPage()->isUserInteractionEnabled());
}

TEST_F(ZoomTest, ADoubleTapZoomsTowardsThePointAndASecondOneFitsAgain) {
    backend.tap(CGPointMake(80, 120));
    backend.tap(CGPointMake(80, 120));
    wait(450);
    // Zoom factor 2.5 about the middle, then shifted so the tapped point lies nearer the middle.
    const TTPageEdges& e = scroll->pageEdges();
    EXPECT_NEAR(zoom(), 2.5, 1e-9);
    EXPECT_EQ(e.left, 80 - 240);
    EXPECT_EQ(e.right, 80 + 240);
    EXPECT_EQ(e.top, (120 - 240) * 1.5);
    EXPECT_EQ(e.bottom, (120 + 240) * 1.5);
    EXPECT_TRUE(events.saw("zoom"));

    wait(500);
    backend.tap(CGPointMake(160, 240));
    backend.tap(CGPointMake(160, 240));
    wait(550);
    EXPECT_TRUE(scroll->pageEdges().isZero());
    EXPECT_EQ(events.events.back(), "settled");
    EXPECT_TRUE(events.saw("end zoom"));
}

TEST_F(ZoomTest, ZoomIsRefusedByTheDelegateOrWhenDisabled) {
    events.allowZoom = false;
    pinch(40, 200);
    EXPECT_FALSE(scroll->zoomed());
    backend.tap(CGPointMake(160, 240));
    backend.tap(CGPointMake(160, 240));
    wait(600);
    EXPECT_FALSE(scroll->zoomed());

    events.allowZoom = true;
    scroll->setZoomEnabled(false);
    pinch(40, 200);
    EXPECT_FALSE(scroll->zoomed());
    EXPECT_FALSE(events.saw("zoom"));
}

TEST_F(ZoomTest, AThirdFingerIsIgnoredAndLiftingOneOfTwoCarriesOnWithTheOther) {
    backend.touchDown(1, CGPointMake(140, 240));
    backend.touchDown(2, CGPointMake(180, 240));
    backend.touchDown(3, CGPointMake(160, 400));
    backend.touchMove(3, CGPointMake(0, 0));
    EXPECT_TRUE(scroll->pageEdges().isZero()) << "the third finger moves nothing";
    backend.touchMove(1, CGPointMake(100, 240));
    backend.touchMove(2, CGPointMake(220, 240));
    EXPECT_NEAR(zoom(), 1.25, 1e-9);
    const TTPageEdges zoomedEdges = scroll->pageEdges();

    backend.touchUp(1, CGPointMake(100, 240));
    EXPECT_FALSE(scroll->isAnimating());
    // The remaining finger pans from where it is, without a jump.
    backend.touchMove(2, CGPointMake(200, 240));
    EXPECT_NEAR(scroll->pageEdges().left, zoomedEdges.left - 20, 1e-9);
    EXPECT_NEAR(scroll->pageEdges().right, zoomedEdges.right - 20, 1e-9);
    backend.touchUp(2, CGPointMake(200, 240));
    backend.touchUp(3, CGPointMake(0, 0));
}

TEST_F(ZoomTest, ACancelledGestureReturnsThePageToRest) {
    backend.touchDown(1, CGPointMake(140, 240));
    backend.touchDown(2, CGPointMake(180, 240));
    backend.touchMove(2, CGPointMake(260, 240));
    EXPECT_TRUE(scroll->zoomed());
    backend.touchCancel(1);
    EXPECT_TRUE(scroll->zoomed()) << "one finger still holds the page";
    backend.touchCancel(2);
    EXPECT_TRUE(scroll->pageEdges().isZero());
    EXPECT_FALSE(scroll->zoomed());
    EXPECT_TRUE(events.saw("end zoom"));
    EXPECT_TRUE(events.saw("end drag"));
    EXPECT_FALSE(events.saw("end drag, slide")) << "a cancelled drag will not slide";
}
