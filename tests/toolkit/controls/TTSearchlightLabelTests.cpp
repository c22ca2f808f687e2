#include <gtest/gtest.h>

#include "platform/text/StringDrawing.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTSearchlightLabel.h"

namespace {
class TTSearchlightLabelTest : public ControlsTest {
protected:
    std::shared_ptr<TTSearchlightLabel> addLabel() {
        window->setBackgroundColor(UIColor::blackColor());
        auto label = addView<TTSearchlightLabel>(*window, CGRectMake(0, 100, 320, 60));
        label->setText("Slide to unlock");
        label->setFont(UIFont::boldSystemFontOfSize(28));
        label->setTextColor(UIColor::colorWithRed(0, 0, 1, 1));
        label->setSpotlightColor(UIColor::colorWithRed(1, 0, 0, 1));
        label->setTextAlignment(UITextAlignmentCenter);
        return label;
    }
    // Red-ish and blue-ish text pixels in a column band of the label.
    std::pair<int, int> inkIn(double x0, double x1) {
        int red = 0, blue = 0;
        for (double x = x0; x < x1; x += 1)
            for (double y = 100; y < 160; y += 1) {
                Rgba p = pixel(x + 0.5, y + 0.5);
                if (p.r > 120 && p.r > p.b) ++red;
                if (p.b > 120 && p.b > p.r) ++blue;
            }
        return {red, blue};
    }
};
}  // namespace

TEST_F(TTSearchlightLabelTest, StartsPlainAndMeasuresItsText) {
    TTSearchlightLabel label;
    EXPECT_TRUE(label.text().empty());
    EXPECT_EQ(label.sizeThatFits(CGSizeMake(10, 10)).width, 0);
    EXPECT_EQ(label.contentMode(), UIViewContentModeCenter);
    EXPECT_NEAR(label.textColor()->red(), 0.25, 1e-9);
    EXPECT_FALSE(label.isAnimating());
    label.setText("Slide");
    CGSize size = label.sizeThatFits(CGSizeZero);
    EXPECT_EQ(size.width, sizeWithFont("Slide", *label.font()).width);
}

TEST_F(TTSearchlightLabelTest, TheHighlightSweepsTheTextThenRestsAndRepeats) {
    auto label = addLabel();
    backend.frame();
    auto plain = inkIn(0, 320);
    EXPECT_EQ(plain.first, 0);
    EXPECT_GT(plain.second, 100);

    label->startAnimating();
    EXPECT_FLOAT_EQ(label->spotlightPoint(), -0.5f);
    label->startAnimating();  // no second timer
    int draws = label->drawCount();
    std::vector<int> redrawnAt;
    for (int step = 1; step <= 62; ++step) {
        backend.advance(1000.0 / 32);
        if (label->drawCount() > draws) redrawnAt.push_back(step);
        draws = label->drawCount();
        if (step == 37) {
            // Position -0.5 + 37 x 1.3/32 = 1.003: the highlight sits at the text's right end.
            CGFloat width = sizeWithFont(label->text(), *label->font()).width;
            CGFloat right = std::ceil(160 - width / 2) + width;
            auto nearRight = inkIn(right - 25, right);
            auto nearLeft = inkIn(std::ceil(160 - width / 2), std::ceil(160 - width / 2) + 25);
            EXPECT_GT(nearRight.first, 10);
            EXPECT_EQ(nearLeft.first, 0);
            EXPECT_GT(nearLeft.second, 10);
            shot("ttsearchlightlabel");
        }
    }
    // Steps 1 to 49 reach 1.49; 50 to 61 rest past the text; 62 passes 2 and starts again.
    ASSERT_EQ(redrawnAt.size(), 50u);
    EXPECT_EQ(redrawnAt[48], 49);
    EXPECT_EQ(redrawnAt[49], 62);
    EXPECT_NEAR(label->spotlightPoint(), -0.5f, 1e-6);

    label->stopAnimating();
    EXPECT_FALSE(label->isAnimating());
    backend.frame();
    EXPECT_EQ(inkIn(0, 320).first, 0);
    draws = label->drawCount();
    backend.advance(200);
    EXPECT_EQ(label->drawCount(), draws);
}
