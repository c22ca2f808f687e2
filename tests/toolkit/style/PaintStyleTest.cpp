// Fills, shadows and borders drawn into a canvas, and the room they take from the frame.

#include <gtest/gtest.h>

#include "tests/toolkit/style/StyleCanvas.h"
#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTBorderStyles.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/foundation/UIColor+TTCategory.h"

namespace {


UIColorPtr red() { return UIColor::colorWithRed(1, 0, 0, 1); }
UIColorPtr blue() { return UIColor::colorWithRed(0, 0, 1, 1); }

int lightness(const Rgba& p) { return p.r + p.g + p.b; }

TEST(FillStyleTest, SolidFillPaintsTheRoundedShape) {
    StyleCanvas canvas(40, 40);
    canvas.drawStyle(TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithRadius(10),
                                                  TTSolidFillStyle::styleWithColor(red(), nullptr)),
                     CGRectMake(0, 0, 40, 40));
    EXPECT_TRUE(near(canvas.at(20, 20), kRed));
    EXPECT_TRUE(near(canvas.at(1, 20), kRed));
    EXPECT_TRUE(near(canvas.at(0, 0), kClear));
    EXPECT_TRUE(near(canvas.at(39, 39), kClear));
}

TEST(FillStyleTest, LinearGradientRunsFromTopToBottomColour) {
    StyleCanvas canvas(10, 100);
    const TTStyleContext after = canvas.drawStyle(
        TTLinearGradientFillStyle::styleWithColor1(red(), blue(), nullptr), CGRectMake(0, 0, 10, 100));
    EXPECT_TRUE(near(canvas.at(5, 0), kRed, 8)) << describe(canvas.at(5, 0));
    EXPECT_TRUE(near(canvas.at(5, 99), Rgba{0, 0, 255, 255}, 8)) << describe(canvas.at(5, 99));
    const Rgba middle = canvas.at(5, 50);
    EXPECT_NEAR(middle.r, 128, 10);
    EXPECT_NEAR(middle.b, 128, 10);
    EXPECT_EQ(after.frame, CGRectMake(0, 0, 10, 100));  // fills never move the frame
}

TEST(FillStyleTest, ReflectiveFillGlossesTheUpperHalfOverTheBaseColour) {
    const UIColorPtr base = UIColor::colorWithRed(0.2, 0.4, 0.8, 1);
    StyleCanvas canvas(20, 100);
    canvas.drawStyle(TTReflectiveFillStyle::styleWithColor(base, nullptr), CGRectMake(0, 0, 20, 100));
    const Rgba top = canvas.at(10, 1), lower = canvas.at(10, 80);
    EXPECT_TRUE(near(lower, Rgba{51, 102, 204, 255}, 3)) << describe(lower);
    EXPECT_GT(lightness(top), lightness(lower) + 100) << describe(top);
}

TEST(FillStyleTest, GlossColoursFollowValueAndSaturation) {
    struct Case { double s, v; double topS, topV, bottomS, bottomV; };
    const Case cases[] = {
        {0.8, 0.9, 0.24, 0.9, 0.72, 0.95},  // light, strongly saturated
        {0.3, 0.2, 0.0, 0.45, 0.2, 0.3},    // dark: clamped sums
        {0.5, 0.5, 0.2, 0.6, 0.45, 0.55},   // value 0.5 takes the light rules
        {0.5, 0.49, 0.0, 0.74, 0.4, 0.59},  // just below takes the dark ones
    };
    for (const Case& c : cases) {
        const auto [top, bottom] =
            TTReflectiveFillStyle::glossColors(*tt::colorWithHue(210, c.s, c.v, 1));
        EXPECT_NEAR(tt::saturation(*top), c.topS, 1e-3) << c.s << "/" << c.v;
        EXPECT_NEAR(tt::value(*top), c.topV, 1e-3) << c.s << "/" << c.v;
        EXPECT_NEAR(tt::saturation(*bottom), c.bottomS, 1e-3) << c.s << "/" << c.v;
        EXPECT_NEAR(tt::value(*bottom), c.bottomV, 1e-3) << c.s << "/" << c.v;
    }
}

TEST(ShadowStyleTest, ShadowMakesRoomOnTheSideOfItsOffset) {
    struct Case { CGSize offset; CGRect frame; CGSize measured; };
    const Case cases[] = {
        {{0, 2}, {{5, 0}, {90, 83}}, {10, 17}},
        {{0, -2}, {{5, 17}, {90, 83}}, {10, 13}},
        {{3, 0}, {{0, 5}, {82, 90}}, {18, 10}},
    };
    for (const Case& c : cases) {
        auto shadow = TTShadowStyle::styleWithColor(UIColor::blackColor(), 10, c.offset, nullptr);
        StyleCanvas canvas(100, 100);
        EXPECT_EQ(canvas.drawStyle(shadow, CGRectMake(0, 0, 100, 100)).frame, c.frame);
        TTStyleContext measuring;
        EXPECT_EQ(shadow->addToSize(CGSizeMake(0, 0), measuring), c.measured);
    }
}

TEST(ShadowStyleTest, OuterShadowFallsBelowWhatTheChainDrawsAfterIt) {
    StyleCanvas canvas(40, 40);
    canvas.drawStyle(TTShadowStyle::styleWithColor(UIColor::blackColor(), 0, CGSizeMake(0, 4),
                                                   TTSolidFillStyle::styleWithColor(UIColor::whiteColor(), nullptr)),
                     CGRectMake(0, 0, 40, 40));
    EXPECT_TRUE(near(canvas.at(20, 10), kWhite));
    EXPECT_TRUE(near(canvas.at(20, 38), Rgba{0, 0, 0, 255})) << describe(canvas.at(20, 38));
}

TEST(ShadowStyleTest, InnerShadowDarkensTheInsideAlongTheEdgeItFallsFrom) {
    auto chain = [](TTShapePtr shape) {
        return TTShapeStyle::styleWithShape(
            std::move(shape), TTSolidFillStyle::styleWithColor(UIColor::whiteColor(),
                TTInnerShadowStyle::styleWithColor(UIColor::blackColor(), 0, CGSizeMake(0, 3), nullptr)));
    };
    StyleCanvas canvas(40, 40);
    canvas.drawStyle(chain(TTRectangleShape::shape()), CGRectMake(0, 0, 40, 40));
    EXPECT_LT(lightness(canvas.at(20, 1)), 100) << describe(canvas.at(20, 1));
    EXPECT_TRUE(near(canvas.at(20, 20), kWhite));
    EXPECT_TRUE(near(canvas.at(20, 38), kWhite));

    // A right arrow has no outside to cast from: no shadow at all.
    StyleCanvas arrow(60, 28);
    arrow.drawStyle(chain(TTRoundedRightArrowShape::shapeWithRadius(4)), CGRectMake(0, 0, 60, 28));
    EXPECT_TRUE(near(arrow.at(30, 1), kWhite)) << describe(arrow.at(30, 1));
}

TEST(BorderStyleTest, SolidBorderStrokesInsideTheFrameAndNarrowsIt) {
    StyleCanvas canvas(40, 40);
    const TTStyleContext after =
        canvas.drawStyle(TTSolidBorderStyle::styleWithColor(red(), 2, nullptr), CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(after.frame, CGRectMake(2, 2, 36, 36));
    EXPECT_TRUE(near(canvas.at(0, 20), kRed));
    EXPECT_TRUE(near(canvas.at(1, 20), kRed));
    EXPECT_TRUE(near(canvas.at(39, 20), kRed));
    EXPECT_TRUE(near(canvas.at(3, 20), kClear));
}

TEST(BorderStyleTest, FourBorderDrawsAndTakesRoomOnlyOnItsColouredSides) {
    StyleCanvas canvas(40, 40);
    const TTStyleContext after =
        canvas.drawStyle(TTFourBorderStyle::styleWithBottom(red(), 1, nullptr), CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(after.frame, CGRectMake(0, 0, 40, 39));
    EXPECT_TRUE(near(canvas.at(20, 39), kRed));
    EXPECT_TRUE(near(canvas.at(20, 0), kClear));
    EXPECT_TRUE(near(canvas.at(0, 20), kClear));
}

TEST(BorderStyleTest, BevelLightsTheSidesFacingItsLightSource) {
    const UIColorPtr hi = UIColor::whiteColor(), lo = UIColor::blackColor();
    struct Case { int light; bool top, right, bottom, left; };
    const Case cases[] = {
        {0, true, true, true, false}, {125, true, false, false, true}, {360, false, true, true, false},
        {270, false, true, true, true},
    };
    for (const Case& c : cases) {
        auto bevel = TTBevelBorderStyle::styleWithHighlight(hi, lo, 1, c.light, nullptr);
        const auto sides = bevel->sideColors();
        EXPECT_EQ(sides[0] == hi, c.top) << c.light;
        EXPECT_EQ(sides[1] == hi, c.right) << c.light;
        EXPECT_EQ(sides[2] == hi, c.bottom) << c.light;
        EXPECT_EQ(sides[3] == hi, c.left) << c.light;
    }
    // Lit sides without a highlight colour draw nothing and keep their room.
    StyleCanvas canvas(40, 40);
    const TTStyleContext after = canvas.drawStyle(TTBevelBorderStyle::styleWithHighlight(nullptr, red(), 1, 125, nullptr),
                                                  CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(after.frame, CGRectMake(0, 0, 39, 39));
    EXPECT_TRUE(near(canvas.at(20, 39), kRed));
    EXPECT_TRUE(near(canvas.at(20, 0), kClear));
}

}  // namespace
