// Paging: the page row, swipes that flick or spring back, taps and holds, turning the device.

#include <gtest/gtest.h>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIDevice.h"
#include "tests/toolkit/paging/PagedScrollFixture.h"

namespace {
class PagingTest : public PagedScrollTest {};
}  // namespace

TEST_F(PagingTest, StartsOnTheFirstPageWithItsNeighbourBesideIt) {
    EXPECT_EQ(events.events, std::vector<std::string>{"page 0"});
    EXPECT_EQ(scroll->centerPageIndex(), 0);
    EXPECT_TRUE(near(screenFrameOf(0), CGRectMake(0, 0, 320, 480)));
    // The next page waits one page and the spacing to the right; there is no page before.
    EXPECT_TRUE(near(screenFrameOf(1), CGRectMake(360, 0, 320, 480)));
    EXPECT_EQ(pages.asked, (std::vector<int>{0, 1}));
    EXPECT_TRUE(shows(CGPointMake(160, 240), 0));
}

TEST_F(PagingTest, ASwipeFlicksToANeighbourOrSpringsBack) {
    struct Case {
        const char* name;
        int startPage;
        double dx;          // finger travel
        int endPage;
        double settleMs;    // the release animation's length
    } cases[] = {
        {"long swipe left", 0, -100, 1, 400},
        {"long swipe right", 2, 100, 1, 400},
        {"short swipe", 2, -50, 2, 500},
        {"past the first page", 0, 100, 0, 500},
        {"past the last page", 4, -100, 4, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scroll->setCenterPageIndex(c.startPage);
        settle();
        events.events.clear();
        backend.swipe(CGPointMake(160, 240), CGPointMake(160 + c.dx, 240));
        ASSERT_TRUE(scroll->isAnimating());
        wait(c.settleMs - 50);
        EXPECT_TRUE(scroll->isAnimating()) << "ends early";
        wait(100);
        EXPECT_FALSE(scroll->isAnimating());
        EXPECT_EQ(scroll->centerPageIndex(), c.endPage);
        EXPECT_TRUE(scroll->pageEdges().isZero());
        EXPECT_TRUE(near(screenFrameOf(c.endPage), CGRectMake(0, 0, 320, 480)));
        EXPECT_TRUE(shows(CGPointMake(160, 240), c.endPage));
        EXPECT_TRUE(events.saw("drag"));
        EXPECT_TRUE(events.saw("end drag, slide"));
        EXPECT_TRUE(events.saw("settled"));
        EXPECT_EQ(events.saw("page " + std::to_string(c.endPage)), c.endPage != c.startPage);
        EXPECT_FALSE(events.saw("zoom"));
    }
}

TEST_F(PagingTest, ADragPastTheEndOfTheRowFollowsTheFingerByATenthAtMost) {
    backend.touchDown(1, CGPointMake(100, 240));
    backend.touchMove(1, CGPointMake(200, 240));
    const TTPageEdges& e = scroll->pageEdges();
    EXPECT_GT(e.left, 0);
    EXPECT_LE(e.left, 10);
    EXPECT_EQ(e.left, e.right) << "a one-finger pull moves the page without resizing it";
    // Towards an existing neighbour the page follows the finger fully.
    backend.touchMove(1, CGPointMake(40, 240));
    EXPECT_EQ(scroll->pageEdges().left, -60);
    EXPECT_TRUE(shows(CGPointMake(300, 240), 1));
    backend.touchUp(1, CGPointMake(40, 240));
}

TEST_F(PagingTest, ThePageRingKeepsThreePagesAndReusesTheRest) {
    for (int k = 1; k <= 3; ++k) {
        backend.swipe(CGPointMake(200, 240), CGPointMake(60, 240));
        wait(500);
        ASSERT_EQ(scroll->centerPageIndex(), k);
    }
    size_t live = 0;
    for (const auto& v : scroll->subviews()) live += v->superview() == scroll.get();
    EXPECT_EQ(live, 3u);
    EXPECT_EQ(scroll->visiblePages().size(), 3u);
    ASSERT_TRUE(scroll->pageAtIndex(2));
    EXPECT_EQ(scroll->pageAtIndex(2)->tag(), 2);
    EXPECT_EQ(scroll->pageAtIndex(0), nullptr);
    EXPECT_GT(pages.reused, 0) << "the page that fell off the ring is handed back";
    EXPECT_EQ(pages.asked, (std::vector<int>{0, 1, 2, 3, 4}));

    // A jump of more than one page reloads them all.
    pages.asked.clear();
    scroll->setCenterPageIndex(0);
    settle();
    EXPECT_EQ(pages.asked, (std::vector<int>{0, 1}));
    EXPECT_EQ(scroll->subviews().size(), 2u);
    EXPECT_TRUE(shows(CGPointMake(160, 240), 0));
    EXPECT_EQ(events.events.back(), "page 0");

    // Indexes outside the row are refused; the ring still works after them.
    for (int outside : {-1, 5, 99}) scroll->setCenterPageIndex(outside);
    EXPECT_EQ(scroll->centerPageIndex(), 0);
    scroll->setCenterPageIndex(1);
    settle();
    EXPECT_TRUE(shows(CGPointMake(160, 240), 1));
    EXPECT_EQ(scroll->pageAtIndex(0)->tag(), 0);
}

TEST_F(PagingTest, FittedFramesFollowThePagesNaturalSize) {
    pages.sizes = {CGSizeMake(0, 300), CGSizeMake(640, 480), CGSizeMake(100, 200), CGSizeMake(50, 0)};
    scroll->reloadData();
    struct Case {
        int page;
        CGRect portrait, landscape;
    } cases[] = {
        {0, CGRectMake(0, 0, 320, 480), CGRectMake(0, 0, 320, 480)},      // a zero side: the page size
        {1, CGRectMake(0, 120, 320, 240), CGRectMake(0, -(320 * 4.0 / 3 - 480) / 2, 320, 320 * 4.0 / 3)},
        {2, CGRectMake(40, 0, 240, 480), CGRectMake(0, 160, 320, 160)},
        {3, CGRectMake(0, 0, 320, 480), CGRectMake(0, 0, 320, 480)},
    };
    for (const Case& c : cases) {
        scroll->setOrientation(UIDeviceOrientationPortrait, false);
        EXPECT_TRUE(near(scroll->frameOfPageAtIndex(c.page), c.portrait)) << c.page;
        scroll->setOrientation(UIDeviceOrientationLandscapeLeft, false);
        EXPECT_TRUE(near(scroll->frameOfPageAtIndex(c.page), c.landscape)) << c.page;
    }
    EXPECT_EQ(scroll->overflowForFrame(CGRectMake(0, -53, 320, 586)), 53);
    scroll->setOrientation(UIDeviceOrientationPortrait, false);
    EXPECT_EQ(scroll->overflowForFrame(CGRectMake(0, -53, 320, 586)), 0);
}

TEST_F(PagingTest, AViewWithoutSizeLaysOutWithoutDividingByZero) {
    scroll->setFrame(CGRectMake(0, 0, 0, 0));
    scroll->reloadData();
    settle();
    auto page = scroll->centerPage();
    ASSERT_TRUE(page);
    const CGRect f = page->frame();
    EXPECT_TRUE(std::isfinite(f.origin.x) && std::isfinite(f.origin.y) && std::isfinite(f.size.width) &&
                std::isfinite(f.size.height));
    scroll->zoomToDistance(-20);
    wait(600);
    for (double v : {scroll->pageEdges().left, scroll->pageEdges().top}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(std::isfinite(scroll->centerPage()->frame().size.width));
}

TEST_F(PagingTest, ATapIsReportedAfterAPauseUnlessASecondTapFollows) {
    backend.tap(CGPointMake(100, 100));
    EXPECT_EQ(events.events, (std::vector<std::string>{"page 0", "down", "up inside"}));
    wait(150);
    EXPECT_FALSE(events.saw("tapped"));
    wait(100);
    EXPECT_EQ(events.events.back(), "tapped");

    events.events.clear();
    backend.tap(CGPointMake(100, 100));
    wait(100);
    backend.tap(CGPointMake(100, 100));
    wait(600);
    EXPECT_FALSE(events.saw("tapped"));
    EXPECT_TRUE(events.saw("zoom")) << "a double tap zooms instead";
}

TEST_F(PagingTest, HoldingBlocksScrollingUntilTheFingerLifts) {
    scroll->setHoldsAfterTouchingForInterval(0.5);
    backend.touchDown(1, CGPointMake(160, 240));
    wait(600);
    EXPECT_TRUE(scroll->holding());
    backend.touchMove(1, CGPointMake(20, 240));
    EXPECT_TRUE(scroll->pageEdges().isZero());
    backend.touchUp(1, CGPointMake(20, 240));
    EXPECT_FALSE(scroll->holding());
    EXPECT_TRUE(events.saw("hold"));
    EXPECT_TRUE(events.saw("end hold"));
    EXPECT_FALSE(events.saw("drag"));

    // A move before the delay cancels the hold.
    events.events.clear();
    backend.drag(CGPointMake(160, 240), CGPointMake(150, 240), 600, 6);
    EXPECT_FALSE(events.saw("hold"));
}

TEST_F(PagingTest, WithZoomOffASwipeStillSettles) {
    scroll->setZoomEnabled(false);
    backend.swipe(CGPointMake(200, 240), CGPointMake(60, 240));
    wait(450);
    EXPECT_EQ(scroll->centerPageIndex(), 1);
    EXPECT_TRUE(scroll->pageEdges().isZero());
    backend.swipe(CGPointMake(200, 240), CGPointMake(170, 240));
    wait(550);
    EXPECT_EQ(scroll->centerPageIndex(), 1);
    EXPECT_TRUE(scroll->pageEdges().isZero());
    // With scrolling off a drag does nothing at all.
    scroll->setScrollEnabled(false);
    backend.swipe(CGPointMake(200, 240), CGPointMake(60, 240));
    EXPECT_TRUE(scroll->pageEdges().isZero());
    EXPECT_FALSE(scroll->isAnimating());
}

TEST_F(PagingTest, TheRowTurnsWithTheDeviceUnlessRefused) {
    UIDevice::currentDevice().setOrientation(UIDeviceOrientationLandscapeLeft);
    NSNotificationCenter::defaultCenter().postNotificationName(UIDeviceOrientationDidChangeNotification);
    EXPECT_EQ(scroll->orientation(), UIDeviceOrientationLandscapeLeft);
    EXPECT_EQ(events.events.back(), "rotate 3");
    wait(350);
    EXPECT_EQ(events.events.back(), "rotated");
    // Pages run down the screen now: the next page lies below.
    EXPECT_TRUE(near(screenFrameOf(1), CGRectMake(0, 520, 320, 480)));
    // A landscape swipe runs along the view's height.
    backend.swipe(CGPointMake(160, 300), CGPointMake(160, 150));
    wait(450);
    EXPECT_EQ(scroll->centerPageIndex(), 1);

    events.allowRotation = false;
    UIDevice::currentDevice().setOrientation(UIDeviceOrientationPortrait);
    NSNotificationCenter::defaultCenter().postNotificationName(UIDeviceOrientationDidChangeNotification);
    EXPECT_EQ(scroll->orientation(), UIDeviceOrientationLandscapeLeft);

    events.events.clear();
    for (int code : {0, 5, 6, -1, 3}) scroll->setOrientation(static_cast<UIDeviceOrientation>(code), false);
    EXPECT_TRUE(events.events.empty()) << "unknown codes and the current one change nothing";
    scroll->setOrientation(UIDeviceOrientationPortraitUpsideDown, false);
    EXPECT_EQ(events.events, (std::vector<std::string>{"rotate 2", "rotated"}));
}
