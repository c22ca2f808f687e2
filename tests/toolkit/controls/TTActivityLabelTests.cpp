#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTActivityLabel.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/style/TTStyleSheet.h"

namespace {
class TTActivityLabelTest : public ControlsTest {};

bool sameColor(const UIColorPtr& a, const UIColorPtr& b) {
    if (!a || !b) return a == b;
    return a->red() == b->red() && a->green() == b->green() && a->blue() == b->blue() && a->alpha() == b->alpha();
}
}  // namespace

TEST_F(TTActivityLabelTest, EachLookSetsUpItsColoursBezelAndIndicator) {
    auto& sheet = TTDefaultStyleSheet::current();
    auto clear = UIColor::clearColor();
    struct Case {
        int style;
        UIColorPtr background;
        const char* bezel;
        UIActivityIndicatorViewStyle indicator;
        CGFloat indicatorSide;
        UIFontPtr font;
        UIColorPtr text;
        bool shadow;
    } cases[] = {
        {0, clear, nullptr, UIActivityIndicatorViewStyleWhite, 20, sheet.activityLabelFont(), UIColor::whiteColor(), false},
        {1, clear, nullptr, UIActivityIndicatorViewStyleGray, 20, sheet.activityLabelFont(), sheet.tableActivityTextColor(), false},
        {2, UIColor::colorWithWhite(0, 0.8), nullptr, UIActivityIndicatorViewStyleWhiteLarge, 24, sheet.activityLabelFont(), UIColor::whiteColor(), true},
        {3, clear, "blackBezel", UIActivityIndicatorViewStyleWhiteLarge, 24, sheet.activityLabelFont(), UIColor::whiteColor(), true},
        {4, clear, "blackBanner", UIActivityIndicatorViewStyleWhite, 20, sheet.activityBannerFont(), UIColor::whiteColor(), true},
        {5, clear, "whiteBezel", UIActivityIndicatorViewStyleGray, 20, sheet.activityLabelFont(), sheet.tableActivityTextColor(), false},
        {6, UIColor::whiteColor(), nullptr, UIActivityIndicatorViewStyleGray, 20, sheet.activityLabelFont(), sheet.tableActivityTextColor(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TTActivityLabel label(CGRectMake(0, 0, 200, 60), c.style, "Loading...");
        EXPECT_TRUE(sameColor(label.backgroundColor(), c.background));
        EXPECT_TRUE(sameColor(label.bezelView()->backgroundColor(), clear));
        EXPECT_EQ(label.bezelView()->style(),
                  c.bezel ? TTStyleSheet::globalStyleSheet()->styleWithSelector(c.bezel) : nullptr);
        ASSERT_TRUE(label.activityIndicator());
        EXPECT_EQ(label.activityIndicator()->activityIndicatorViewStyle(), c.indicator);
        EXPECT_EQ(label.activityIndicator()->frame().size.height, c.indicatorSide);
        EXPECT_TRUE(label.isAnimating());
        EXPECT_EQ(label.font()->pointSize(), c.font->pointSize());
        EXPECT_TRUE(sameColor(label.label()->textColor(), c.text));
        EXPECT_EQ(label.label()->shadowColor() != nullptr, c.shadow);
        EXPECT_EQ(label.label()->lineBreakMode(), UILineBreakModeTailTruncation);
        EXPECT_EQ(label.text(), "Loading...");
    }
    // A look outside the table: clear, and no indicator to start or stop.
    TTActivityLabel odd(CGRectMake(0, 0, 100, 40), 9, "x");
    EXPECT_FALSE(odd.activityIndicator());
    EXPECT_FALSE(odd.isAnimating());
    odd.setIsAnimating(true);
    odd.layoutIfNeeded();
    EXPECT_EQ(odd.style(), 9);
    // The frame-only form is the white box.
    EXPECT_EQ(TTActivityLabel(CGRectZero).style(), TTActivityLabelStyleWhiteBox);
}

TEST_F(TTActivityLabelTest, TheLabelSitsRightOfTheIndicatorCentredInTheView) {
    auto label = addView<TTActivityLabel>(*window, CGRectMake(0, 0, 320, 100));
    label->setText("Loading...");
    label->layoutIfNeeded();
    CGSize text = sizeWithFont("Loading...", *label->font());
    CGFloat side = std::min<CGFloat>(20, text.height);
    CGFloat content = side + 6 + text.width;
    CGRect labelFrame = label->label()->frame();
    EXPECT_EQ(labelFrame.origin.x, std::floor(320 / 2 - content / 2 + side + 6));
    EXPECT_EQ(labelFrame.origin.y, 8 + std::floor((100 - 16) / 2 - text.height / 2));
    EXPECT_TRUE(near(label->activityIndicator()->frame(),
                     CGRectMake(labelFrame.origin.x - side - 6, labelFrame.origin.y, side, side)));

    // Stopped: no room for the indicator, the spacing stays.
    label->setIsAnimating(false);
    label->setNeedsLayout();
    label->layoutIfNeeded();
    EXPECT_EQ(label->label()->frame().origin.x, std::floor(320 / 2 - (6 + text.width) / 2 + 6));

    // Started again the indicator gets its room back, though the stopped layout shrank it to nothing.
    label->setIsAnimating(true);
    label->setNeedsLayout();
    label->layoutIfNeeded();
    EXPECT_EQ(label->activityIndicator()->frame().size.width, side);
    EXPECT_EQ(label->label()->frame().origin.x, labelFrame.origin.x);
}

TEST_F(TTActivityLabelTest, ALongTextInABezelStopsAtTheScreenWidthAndIsCut) {
    std::string longText(200, 'W');
    auto bezel = std::make_shared<TTActivityLabel>(CGRectMake(0, 0, 320, 480), TTActivityLabelStyleBlackBezel, longText);
    window->addSubview(bezel);
    bezel->layoutIfNeeded();
    CGFloat maxWidth = TTOrientedScreenBounds().size.width - 20;
    EXPECT_EQ(bezel->bezelView()->frame().size.width, maxWidth);
    EXPECT_EQ(bezel->bezelView()->frame().origin.x, std::floor(160 - maxWidth / 2));
    // The label is narrower than its text, so the label's tail truncation cuts it.
    CGFloat side = std::min<CGFloat>(24, sizeWithFont(longText, *bezel->font()).height);
    EXPECT_EQ(bezel->label()->frame().size.width, maxWidth - side - 6 - 30);
    EXPECT_LT(bezel->label()->frame().size.width, sizeWithFont(longText, *bezel->font()).width);
}

TEST_F(TTActivityLabelTest, AProgressBarGoesAboveTheTextAndCountsInTheSize) {
    struct Case {
        int style;
        CGFloat extraTop;
        CGFloat base;
    } cases[] = {{TTActivityLabelStyleWhiteBezel, 0, 30}, {TTActivityLabelStyleBlackBanner, 4, 16},
                 {TTActivityLabelStyleWhiteBox, 0, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TTActivityLabel label(CGRectMake(0, 0, 300, 120), c.style, "Saving");
        CGFloat line = tt::lineHeight(*label.font());
        EXPECT_EQ(label.sizeThatFits(CGSizeMake(123, 0)).width, 123);
        EXPECT_EQ(label.sizeThatFits(CGSizeZero).height, c.base + line);
        EXPECT_EQ(label.progress(), 0);

        label.setProgress(0.5f);
        EXPECT_FLOAT_EQ(label.progress(), 0.5f);
        ASSERT_TRUE(label.progressView());
        EXPECT_EQ(label.progressView()->superview(), label.bezelView().get());
        label.layoutIfNeeded();
        CGRect bar = label.progressView()->frame();
        CGFloat barHeight = bar.size.height;
        EXPECT_GT(barHeight, 0);
        EXPECT_EQ(label.sizeThatFits(CGSizeZero).height, c.base + line + barHeight + 6);

        CGSize text = sizeWithFont("Saving", *label.font());
        CGFloat inset = c.base == 30 ? 15 : 8;
        CGFloat bezelHeight = label.bezelView()->frame().size.height;
        CGFloat contentHeight = std::max(text.height, std::min<CGFloat>(20, text.height)) + barHeight + 6;
        CGFloat top = inset + std::floor((bezelHeight - 2 * inset) / 2 - contentHeight / 2) + c.extraTop;
        EXPECT_EQ(bar.origin.y, top);
        EXPECT_EQ(bar.origin.x, 6);
        EXPECT_EQ(bar.size.width, label.bezelView()->frame().size.width - 12);
        EXPECT_EQ(label.label()->frame().origin.y, top + barHeight + 5);
    }
}

TEST_F(TTActivityLabelTest, LooksRender) {
    window->setBackgroundColor(UIColor::colorWithRed(0.55, 0.6, 0.7, 1));
    for (int style = 0; style <= 6; ++style) {
        auto label = std::make_shared<TTActivityLabel>(CGRectMake(0, 10 + style * 66, 320, 60), style, "Loading...");
        if (style == 4) label->setProgress(0.4f);
        window->addSubview(label);
    }
    backend.frame();
    // Look 6 is a white box; look 2 a dark one; look 3 a dark bezel in the middle only.
    EXPECT_TRUE(near(pixel(3, 10 + 6 * 66 + 3), {255, 255, 255, 255}));
    EXPECT_LT(pixel(3, 10 + 2 * 66 + 3).r, 60);
    EXPECT_LT(pixel(100, 10 + 3 * 66 + 45).r, 80);
    EXPECT_TRUE(near(pixel(3, 10 + 3 * 66 + 30), {140, 153, 179, 255}, 4));
    shot("ttactivitylabel-looks");
}
