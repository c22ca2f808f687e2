// Fast scrolling: the strip maps the finger's height to a verse and jumps on release.

#include "tests/Classes/Reading/panel/PanelFixture.h"

#include "Classes/Reading/FastScrollView.h"

namespace {

class FastScrollTest : public PanelTest {
protected:
    CGPoint stripPoint(double y, double x = 30) { return screen->viewFastScroll->convertPointToView(CGPoint{x, y}, nullptr); }
    double displayHeight() { return screen->viewSurahDisplay->frame().size.height; }
    void settle(double ms = 400) {
        backend.advance(ms);
        backend.runUntilIdle();
    }
    void drag(double y, double holdMs = 300, double releaseX = 30) {
        backend.touchDown(3, stripPoint(displayHeight() / 2));
        settle(holdMs / 2);
        backend.touchMove(3, stripPoint(y));
        settle(holdMs / 2);
        backend.touchUp(3, stripPoint(y, releaseX));
        settle(800);
    }
};

TEST_F(FastScrollTest, FingerHeightPicksTheVerseByEqualBands) {
    open(108, 1, 0);  // three verses
    ASSERT_NE(screen->viewFastScroll, nullptr);
    const double h = displayHeight(), band = (h - 20) / 3;
    const std::pair<double, int> cases[] = {{5, 1}, {10 + band * 0.5, 1}, {10 + band * 1.5, 2}, {10 + band * 2.5, 3},
                                            {h - 5, 3}};
    for (const auto& [y, verse] : cases) {
        screen->updateFastScrollPreview(CGPoint{30, y});
        EXPECT_EQ(screen->iVerseToJumpTo(), verse) << y;
    }
    EXPECT_TRUE(screen->isShowingFastScrollView());
    EXPECT_EQ(screen->lblFastScrollVerse->text(), "3");
    EXPECT_EQ(screen->lblGotoVerse->text(), "Goto Verse");
    screen->cancelFastScrollPreview();
    EXPECT_FALSE(screen->isShowingFastScrollView());
}

TEST_F(FastScrollTest, DragJumpsToTheVerseUnderTheFinger) {
    open(2, 1, 0);
    const int count = ChapterInfo::getVersesFromNumber(2);
    const double band = (displayHeight() - 20) / count;
    const int target = 200;
    drag(10 + band * (target - 0.5));
    EXPECT_EQ(screen->iVerseToJumpTo(), target);
    EXPECT_EQ(screen->iCurrentVerse(), target);
    EXPECT_EQ(topVerse(), target);
    EXPECT_FALSE(screen->isShowingFastScrollView());
    EXPECT_EQ(screen->viewFastScrollBezel->superview(), nullptr);  // removed after the fade
}

TEST_F(FastScrollTest, QuickOrOutOfBandReleaseCancelsWithoutJumping) {
    open(2, 1, 0);
    const double band = (displayHeight() - 20) / ChapterInfo::getVersesFromNumber(2);
    drag(10 + band * 99.5, 100);  // within 0.18 s
    EXPECT_EQ(screen->iCurrentVerse(), 1);
    drag(10 + band * 99.5, 300, 70);  // released beside the strip
    EXPECT_EQ(screen->iCurrentVerse(), 1);
    EXPECT_FALSE(screen->isShowingFastScrollView());
}

TEST_F(FastScrollTest, TapMovesToTheNextVerseWhileTheCurrentOneIsInView) {
    open(2, 1, 0);
    backend.tap(stripPoint(displayHeight() / 2), 600);  // however long, no movement is a tap
    settle(800);
    EXPECT_EQ(screen->iCurrentVerse(), 2);
}

}  // namespace
