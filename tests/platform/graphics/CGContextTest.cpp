#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"
#include "tests/platform/graphics/Pixels.h"

#include <gtest/gtest.h>

namespace {

const Rgba kRed{255, 0, 0, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kClear{0, 0, 0, 0};

TEST(CGContext, FillsARoundedRect) {
    auto ctx = makeContext(40, 40);
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->addRoundedRect(CGRectMake(0, 0, 40, 40), 10);
    ctx->fillPath();
    EXPECT_TRUE(ctx->isPathEmpty());
    struct Case { int x, y; Rgba expected; } cases[] = {
        {20, 20, kRed}, {1, 20, kRed}, {20, 1, kRed}, {38, 38 - 10, kRed},  // inside and along the edges
        {0, 0, kClear}, {39, 0, kClear}, {0, 39, kClear}, {39, 39, kClear},  // cut corners
    };
    for (const auto& c : cases)
        EXPECT_TRUE(near(pixelOf(*ctx, c.x, c.y), c.expected)) << c.x << "," << c.y << " " << describe(pixelOf(*ctx, c.x, c.y));
}

TEST(CGContext, EvenOddAndNonZeroFills) {
    for (bool evenOdd : {false, true}) {
        auto ctx = makeContext(30, 30);
        ctx->setRGBFillColor(0, 0, 1, 1);
        ctx->addRect(CGRectMake(0, 0, 30, 30));
        ctx->addRect(CGRectMake(10, 10, 10, 10));
        evenOdd ? ctx->eoFillPath() : ctx->fillPath();
        EXPECT_TRUE(near(pixelOf(*ctx, 2, 2), kBlue));
        EXPECT_TRUE(near(pixelOf(*ctx, 15, 15), evenOdd ? kClear : kBlue)) << evenOdd;
    }
}

TEST(CGContext, StrokesWithWidthAndDashes) {
    auto ctx = makeContext(40, 10);
    ctx->setRGBStrokeColor(1, 0, 0, 1);
    ctx->setLineWidth(4);
    ctx->setLineDash(0, {10, 10});
    ctx->moveToPoint(0, 5);
    ctx->addLineToPoint(40, 5);
    ctx->strokePath();
    EXPECT_TRUE(near(pixelOf(*ctx, 5, 5), kRed));
    EXPECT_TRUE(near(pixelOf(*ctx, 5, 3), kRed));   // half the width above
    EXPECT_TRUE(near(pixelOf(*ctx, 5, 1), kClear)); // beyond it
    EXPECT_TRUE(near(pixelOf(*ctx, 15, 5), kClear)); // in a gap
    EXPECT_TRUE(near(pixelOf(*ctx, 25, 5), kRed));
}

TEST(CGContext, ScaleTwoDrawsPointsAsTwoPixels) {
    auto ctx = makeContext(10, 10, 2);
    EXPECT_EQ(ctx->size(), CGSizeMake(10, 10));
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(1, 1, 1, 1));
    EXPECT_TRUE(near(pixelOf(*ctx, 2, 2), kRed));
    EXPECT_TRUE(near(pixelOf(*ctx, 3, 3), kRed));
    EXPECT_TRUE(near(pixelOf(*ctx, 4, 4), kClear));
    EXPECT_TRUE(near(pixelOf(*ctx, 1, 1), kClear));
}

TEST(CGContext, TransformsAndStateRestore) {
    auto ctx = makeContext(20, 20);
    ctx->saveGState();
    // The flip the callers use: the top strip lands at the bottom.
    ctx->translateCTM(0, 20);
    ctx->scaleCTM(1, -1);
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, 20, 5));
    ctx->restoreGState();
    EXPECT_TRUE(near(pixelOf(*ctx, 10, 17), kRed));
    EXPECT_TRUE(near(pixelOf(*ctx, 10, 2), kClear));
    // Colour and transform came back with the restore.
    ctx->fillRect(CGRectMake(0, 0, 20, 5));
    EXPECT_TRUE(near(pixelOf(*ctx, 10, 2), {0, 0, 0, 255}));
    EXPECT_TRUE(CGAffineTransformIsIdentity(ctx->getCTM()));
    // Rotation by a quarter turn around the origin moves +x onto +y.
    ctx->saveGState();
    ctx->rotateCTM(M_PI / 2);
    ctx->setRGBFillColor(0, 0, 1, 1);
    ctx->fillRect(CGRectMake(8, -12, 4, 4));  // lands at x 8..12, y 8..12
    ctx->restoreGState();
    EXPECT_TRUE(near(pixelOf(*ctx, 10, 10), kBlue));
    // An unmatched restore is refused without harm.
    LogCapture capture;
    ctx->restoreGState();
    EXPECT_EQ(capture.lines().size(), 1u);
    // A singular transform is ignored rather than breaking every later drawing.
    ctx->scaleCTM(0, 1);
    ctx->concatCTM(CGAffineTransformMakeScale(1, 0));
    ctx->setRGBFillColor(0, 1, 0, 1);
    ctx->fillRect(CGRectMake(0, 15, 5, 5));
    EXPECT_TRUE(near(pixelOf(*ctx, 2, 17), {0, 255, 0, 255}));
}

TEST(CGContext, ClipsToRectPathAndMask) {
    auto ctx = makeContext(30, 30);
    ctx->saveGState();
    ctx->clipToRect(CGRectMake(0, 0, 15, 30));
    ctx->addEllipseInRect(CGRectMake(0, 0, 30, 30));
    ctx->clip();
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, 30, 30));
    ctx->restoreGState();
    EXPECT_TRUE(near(pixelOf(*ctx, 10, 15), kRed));
    EXPECT_TRUE(near(pixelOf(*ctx, 20, 15), kClear));  // right of the rectangle clip
    EXPECT_TRUE(near(pixelOf(*ctx, 1, 1), kClear));    // outside the ellipse

    // Mask: the left half of the mask image is opaque. drawImage places a mask's top row at the
    // rectangle's maximum y; a left/right split is the same either way up.
    UIGraphicsBeginImageContext(CGSizeMake(10, 10));
    UIGraphicsGetCurrentContext()->setRGBFillColor(0, 0, 0, 1);
    UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, 5, 10));
    UIImagePtr mask = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(mask);
    auto masked = makeContext(20, 20);
    masked->clipToMask(CGRectMake(0, 0, 20, 20), *mask);
    masked->setRGBFillColor(0, 0, 1, 1);
    masked->fillRect(CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(near(pixelOf(*masked, 4, 10), kBlue));
    EXPECT_TRUE(near(pixelOf(*masked, 15, 10), kClear));
}

TEST(CGContext, LinearGradientWithOneSidedExtension) {
    auto gradient = CGGradient::createWithColors({UIColor::redColor(), UIColor::blueColor()});
    ASSERT_TRUE(gradient);
    struct Case { unsigned options; bool before, after; } cases[] = {
        {0, false, false},
        {kCGGradientDrawsAfterEndLocation, false, true},
        {kCGGradientDrawsBeforeStartLocation, true, false},
        {kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation, true, true},
    };
    for (const auto& c : cases) {
        auto ctx = makeContext(10, 100);
        ctx->drawLinearGradient(*gradient, {0, 25}, {0, 75}, c.options);
        Rgba top = pixelOf(*ctx, 5, 10), mid = pixelOf(*ctx, 5, 50), bottom = pixelOf(*ctx, 5, 90);
        EXPECT_TRUE(near(top, c.before ? kRed : kClear)) << c.options << describe(top);
        EXPECT_TRUE(near(bottom, c.after ? kBlue : kClear)) << c.options << describe(bottom);
        EXPECT_NEAR(mid.r, 128, 6);
        EXPECT_NEAR(mid.b, 128, 6);
        EXPECT_TRUE(near(pixelOf(*ctx, 5, 26), kRed, 12));
    }
}

TEST(CGContext, RadialGradientExtendsAfterEnd) {
    auto gradient = CGGradient::createWithColorComponents({0, 0, 0, 0, 0, 0, 0, 0.75}, {0, 1});
    ASSERT_TRUE(gradient);
    for (bool after : {false, true}) {
        auto ctx = makeContext(100, 100);
        ctx->drawRadialGradient(*gradient, {50, 50}, 0, {50, 50}, 40, after ? unsigned(kCGGradientDrawsAfterEndLocation) : 0u);
        EXPECT_LE(pixelOf(*ctx, 50, 50).a, 4);
        EXPECT_NEAR(pixelOf(*ctx, 70, 50).a, 96, 6);  // half way: 0.375
        EXPECT_NEAR(pixelOf(*ctx, 2, 2).a, after ? 191 : 0, 2);
    }
    EXPECT_FALSE(CGGradient::createWithColorComponents({0, 0, 0}, {0, 1}));
}

// Alpha of the column x = 20 from y0 to y1.
std::vector<int> column(const CGContext& ctx, int x, int y0, int y1) {
    std::vector<int> out;
    for (int y = y0; y <= y1; ++y) out.push_back(pixelOf(ctx, x, y).a);
    return out;
}

TEST(CGContext, ShadowFallsDownForPositiveHeightAndIsBlurred) {
    auto ctx = makeContext(40, 60);
    ctx->setShadowWithColor(CGSizeMake(0, 10), 6, UIColor::blackColor().get());
    ctx->setRGBFillColor(1, 1, 1, 1);
    ctx->fillRect(CGRectMake(10, 10, 20, 20));
    // The shape itself is drawn over its shadow.
    EXPECT_TRUE(near(pixelOf(*ctx, 20, 20), {255, 255, 255, 255}));
    // Below the shape the shadow shows, fading out gradually; above it nothing.
    EXPECT_GT(pixelOf(*ctx, 20, 34).a, 150);
    EXPECT_TRUE(near(pixelOf(*ctx, 20, 34), {0, 0, 0, pixelOf(*ctx, 20, 34).a}));
    std::vector<int> fade = column(*ctx, 20, 36, 50);
    int distinct = 0;
    for (size_t i = 1; i < fade.size(); ++i) {
        EXPECT_LE(fade[i], fade[i - 1]);
        if (fade[i] != fade[i - 1]) ++distinct;
    }
    EXPECT_GE(distinct, 5) << "a hard edge instead of a blur";
    EXPECT_EQ(pixelOf(*ctx, 20, 55).a, 0);
    EXPECT_EQ(pixelOf(*ctx, 20, 5).a, 0);
    // Turning the shadow off.
    ctx->setShadowWithColor(CGSizeZero, 0, nullptr);
    ctx->fillRect(CGRectMake(0, 0, 5, 5));
    EXPECT_EQ(pixelOf(*ctx, 2, 7).a, 0);
}

TEST(CGContext, ShadowOffsetIgnoresTheTransform) {
    auto ctx = makeContext(40, 40, 2);
    ctx->translateCTM(0, 40);
    ctx->scaleCTM(1, -1);
    ctx->setShadowWithColor(CGSizeMake(0, 5), 0, UIColor::blackColor().get());
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(10, 20, 10, 10));  // y 10..20 on screen
    // Still 5 points down the screen, at scale 2 that is 10 pixels.
    EXPECT_TRUE(near(pixelOf(*ctx, 30, 2 * 22), {0, 0, 0, 255}));
    EXPECT_EQ(pixelOf(*ctx, 30, 2 * 8).a, 0);
}

TEST(CGContext, TransparencyLayerCompositesAsOneImage) {
    auto ctx = makeContext(30, 10);
    ctx->setAlpha(0.5);
    ctx->beginTransparencyLayer();
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, 20, 10));
    ctx->fillRect(CGRectMake(10, 0, 20, 10));
    ctx->endTransparencyLayer();
    // The overlap is no darker than the rest: alpha applied once to the whole layer.
    EXPECT_NEAR(pixelOf(*ctx, 5, 5).a, 128, 2);
    EXPECT_NEAR(pixelOf(*ctx, 15, 5).a, 128, 2);
    EXPECT_EQ(ctx->alpha(), 0.5);
    // Without the layer each fill blends on its own.
    auto plain = makeContext(30, 10);
    plain->setAlpha(0.5);
    plain->setRGBFillColor(1, 0, 0, 1);
    plain->fillRect(CGRectMake(0, 0, 20, 10));
    plain->fillRect(CGRectMake(10, 0, 20, 10));
    EXPECT_NEAR(pixelOf(*plain, 15, 5).a, 191, 2);
}

TEST(CGContext, BlendModesCopyAndClear) {
    auto ctx = makeContext(10, 10);
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, 10, 10));
    ctx->setBlendMode(kCGBlendModeCopy);
    ctx->setRGBFillColor(0, 0, 1, 0.5);
    ctx->fillRect(CGRectMake(0, 0, 5, 10));
    EXPECT_TRUE(near(pixelOf(*ctx, 2, 5), {0, 0, 255, 128}));  // replaced, not blended
    EXPECT_TRUE(near(pixelOf(*ctx, 7, 5), kRed));
    ctx->setBlendMode(kCGBlendModeNormal);
    ctx->clearRect(CGRectMake(5, 0, 5, 5));
    EXPECT_EQ(pixelOf(*ctx, 7, 2).a, 0);
    EXPECT_TRUE(near(pixelOf(*ctx, 7, 7), kRed));
}

TEST(CGContext, BitmapContextHasItsOriginAtTheBottom) {
    auto ctx = CGBitmapContextCreate(10, 10);
    ASSERT_TRUE(ctx);
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, 10, 2));
    UIImagePtr image = CGBitmapContextCreateImage(*ctx);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelAt(5, 9).r, 255);
    EXPECT_EQ(image->pixelAt(5, 0).a, 0);
    LogCapture capture;
    EXPECT_FALSE(CGBitmapContextCreate(0, 10));
    EXPECT_FALSE(CGBitmapContextCreate(1 << 20, 10));
}

TEST(UIGraphics, ImageContextStackAndScale) {
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(8, 4), false, 2);
    CGContext* outer = UIGraphicsGetCurrentContext();
    ASSERT_TRUE(outer);
    auto other = makeContext(5, 5);
    UIGraphicsPushContext(other.get());
    EXPECT_EQ(UIGraphicsGetCurrentContext(), other.get());
    UIColor::redColor()->setFill();
    UIRectFill(CGRectMake(0, 0, 5, 5));
    UIGraphicsPopContext();
    EXPECT_TRUE(near(pixelOf(*other, 2, 2), kRed));
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
    UIColor::blueColor()->setFill();
    UIRectFill(CGRectMake(0, 0, 1, 1));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), CGSizeMake(8, 4));
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->pixelWidth(), 16);
    EXPECT_EQ(image->pixelAt(1, 1).b, 255);
    EXPECT_EQ(image->pixelAt(2, 2).a, 0);

    // An impossible size gives no context and no image, and the stack stays balanced.
    LogCapture capture;
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(0, 10), false, 1);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    UIRectFill(CGRectMake(0, 0, 1, 1));
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    EXPECT_TRUE(capture.contains("invalid size"));
}

TEST(CGLayer, MatchesTheContextScaleAndDrawsTopToTop) {
    auto ctx = makeContext(20, 20, 2);
    CGLayerRef layer = CGLayer::createWithContext(ctx.get(), CGSizeMake(10, 10));
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->scale(), 2);
    EXPECT_EQ(cairo_image_surface_get_width(layer->surface()), 20);
    layer->context()->setRGBFillColor(1, 0, 0, 1);
    layer->context()->fillRect(CGRectMake(0, 0, 10, 3));  // a strip at the layer's top
    ctx->drawLayerInRect(*layer, CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(near(pixelOf(*ctx, 20, 4), kRed));    // scaled by 2: top 6 points
    EXPECT_EQ(pixelOf(*ctx, 20, 20).a, 0);
    LogCapture capture;
    EXPECT_FALSE(CGLayer::createWithContext(ctx.get(), CGSizeMake(0, 10)));
}

}  // namespace
