#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes/Index/UIScrollableBar.h"
#include "IndexTestSupport.h"

namespace {

std::vector<std::string> juzTitles() {
    std::vector<std::string> t;
    for (int i = 1; i <= 30; ++i) t.push_back(std::to_string(i));
    return t;
}

class RecordingBarDelegate : public UIScrollableBarDelegate {
public:
    void scrollableBarSelectedIndex(int index) override { log += "i" + std::to_string(index) + " "; }
    void scrollableBarFingerDown() override { log += "down "; }
    void scrollableBarFingerUp() override { log += "up "; }
    std::string log;
};

class ScrollableBarTest : public IndexUITest {};

TEST_F(ScrollableBarTest, LabelsTakeWholePointsAndSpreadAHalfPointRemainder) {
    struct Case {
        double barHeight;
        std::vector<double> tops;  // of labels 0..3
    };
    const Case cases[] = {
        {480, {8, 23, 38, 53}},  // inner height 464: 15.47 per label, no extra points
        {481, {8, 24, 39, 55}},  // inner height 465: 15.5 per label, every second label one point lower
    };
    for (const auto& c : cases) {
        UIScrollableBar bar(CGRectMake(0, 0, 30, c.barHeight), juzTitles(), 8);
        ASSERT_EQ(bar.ThisIndexLabels().size(), 30u);
        for (size_t k = 0; k < c.tops.size(); ++k) {
            EXPECT_DOUBLE_EQ(bar.ThisIndexLabels()[k]->frame().origin.y, c.tops[k]) << c.barHeight << " label " << k;
            EXPECT_DOUBLE_EQ(bar.ThisIndexLabels()[k]->frame().size.height, 15);
        }
    }
}

TEST_F(ScrollableBarTest, PointsMapToLabelsGapsAndEnds) {
    UIScrollableBar bar(CGRectMake(0, 0, 30, 481), juzTitles(), 8);
    const struct {
        double y;
        int index;
    } cases[] = {{0, 0}, {8, 0}, {23, 0}, {8 + 15.5, -1}, {24, 1}, {250, 15}, {257, 16}, {480, 29}, {900, 29}};
    for (const auto& c : cases) EXPECT_EQ(bar.getIndexForTouch(CGPointMake(10, c.y)), c.index) << "y " << c.y;

    UIScrollableBar empty(CGRectMake(0, 0, 30, 400));
    EXPECT_EQ(empty.getIndexForTouch(CGPointMake(10, 5)), -1);
    // Rebuilding replaces the labels; no titles leaves none.
    bar.setIndexes({}, 8, 8, nullptr, nullptr, "", "");
    EXPECT_TRUE(bar.ThisIndexLabels().empty());
    EXPECT_EQ(bar.getIndexForTouch(CGPointMake(10, 100)), -1);
}

TEST_F(ScrollableBarTest, FingerReportsDownIndexesAndOneUpWithTheTouchedLook) {
    auto window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
    auto bar = std::make_shared<UIScrollableBar>(CGRectMake(290, 0, 30, 480));
    bar->setIndexes(juzTitles(), 8, 8, nullptr, nullptr, "scroller-en.png", "scroller-en-t.png");
    RecordingBarDelegate delegate;
    bar->setDelegate(&delegate);
    window->addSubview(bar);
    ASSERT_NE(bar->imgMainImg(), nullptr);
    // Image mode: the labels are invisible touch zones.
    EXPECT_EQ(bar->ThisIndexLabels()[0]->alpha(), 0);

    backend.touchDown(1, CGPointMake(300, 10));
    EXPECT_TRUE(bar->imgMainImg()->isHighlighted());
    backend.touchMove(1, CGPointMake(300, 40));
    backend.touchUp(1, CGPointMake(300, 40));
    backend.runUntilIdle();
    EXPECT_EQ(delegate.log, "i0 down i2 up ");
    EXPECT_FALSE(bar->imgMainImg()->isHighlighted());

    // Colour mode recolours the labels while touched.
    UIScrollableBar coloured(CGRectMake(0, 0, 30, 480), juzTitles(), 8);
    const auto normal = coloured.ThisIndexLabels()[0]->textColor();
    coloured.highlightBar();
    EXPECT_NE(coloured.ThisIndexLabels()[0]->textColor(), normal);
    coloured.unhighlightBar();
    EXPECT_EQ(coloured.ThisIndexLabels()[0]->textColor(), normal);

    // A picture with label colours is still image mode: the picture carries the numbers and
    // the labels stay invisible, so they never draw over it.
    UIScrollableBar both(CGRectMake(0, 0, 30, 480));
    both.setIndexes(juzTitles(), 8, 8, UIScrollableBar::standardMainColor(), UIScrollableBar::standardHighlightColor(),
                    "scroller-en.png", "scroller-en-t.png");
    EXPECT_EQ(both.ThisIndexLabels()[0]->alpha(), 0);
    const auto plain = both.ThisIndexLabels()[0]->textColor();
    both.highlightBar();
    EXPECT_TRUE(both.imgMainImg()->isHighlighted());
    EXPECT_NE(both.ThisIndexLabels()[0]->textColor(), plain);
    both.unhighlightBar();
    EXPECT_FALSE(both.imgMainImg()->isHighlighted());
}

TEST_F(ScrollableBarTest, OrientationPictureChangesOnceWithATransition) {
    auto window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
    auto bar = std::make_shared<UIScrollableBar>(CGRectMake(290, 0, 30, 268));
    window->addSubview(bar);
    bar->setIndexes(juzTitles(), 8, 8, nullptr, nullptr, "scroller-en.png", "scroller-en-t.png");
    bar->setLandscapeImage("scroller-ls.png", "scroller-ls-t.png");
    auto* picture = bar->imgMainImg();
    ASSERT_NE(picture, nullptr);

    bar->setupPortrait(0.3);  // already portrait
    EXPECT_EQ(picture->intermediateTransitionView(), nullptr);

    bar->setupLandscape(0.3);
    auto running = picture->intermediateTransitionView();
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(running->frame().size.height, 268);  // the model frame is the target
    EXPECT_EQ(picture->image(), nullptr);          // shown by the two transition views meanwhile
    bar->setupLandscape(0.3);
    EXPECT_EQ(picture->intermediateTransitionView(), running);  // no second transition

    backend.advance(400);
    backend.runUntilIdle();
    EXPECT_EQ(picture->intermediateTransitionView(), nullptr);
    EXPECT_EQ(picture->originalImageViewContainerView(), nullptr);
    EXPECT_EQ(picture->image(), UIImage::imageNamed("scroller-ls.png"));
    EXPECT_EQ(picture->highlightedImage(), UIImage::imageNamed("scroller-ls-t.png"));
    EXPECT_TRUE(picture->subviews().empty());
    EXPECT_FALSE(bar->IsPortrait());
}

}  // namespace
