// Shapes: outlines filled into a canvas, the light source's corner rule, arrow and bubble
// geometry, and archiving.

#include <gtest/gtest.h>

#include "tests/toolkit/style/StyleCanvas.h"
#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTSpeechBubbleShape.h"

namespace {


void fillShape(StyleCanvas& canvas, TTShape& shape, CGRect rect) {
    canvas.draw([&] {
        canvas.context->setRGBFillColor(1, 0, 0, 1);
        shape.addToPath(rect);
        canvas.context->fillPath();
    });
}

struct PixelCase {
    int x, y;
    Rgba expected;
};

void expectPixels(const StyleCanvas& canvas, std::initializer_list<PixelCase> cases, const char* what) {
    for (const PixelCase& c : cases)
        EXPECT_TRUE(near(canvas.at(c.x, c.y), c.expected, 40))
            << what << " at " << c.x << "," << c.y << ": " << describe(canvas.at(c.x, c.y));
}

TEST(ShapeTest, RoundedRadiusMakesACapsuleAndZeroAPlainRectangle) {
    StyleCanvas capsule(100, 30);
    fillShape(capsule, *TTRoundedRectangleShape::shapeWithRadius(TTRoundedRadius), CGRectMake(0, 0, 100, 30));
    // Radius 15: the corners are cut, the ends are half circles.
    expectPixels(capsule, {{50, 15, kRed}, {1, 15, kRed}, {15, 1, kRed}, {2, 2, kClear}, {97, 27, kClear}}, "capsule");

    StyleCanvas square(100, 30);
    fillShape(square, *TTRoundedRectangleShape::shapeWithRadius(0), CGRectMake(0, 0, 100, 30));
    expectPixels(square, {{0, 0, kRed}, {99, 29, kRed}}, "radius 0");
}

TEST(ShapeTest, LightSourceGivesTheTopLeftCornerToTheLeftEdgeFrom0To90) {
    struct Case { int light; CGPoint start; };
    const Case cases[] = {{0, {6, 0}}, {90, {6, 0}}, {91, {0, 6}}, {180, {0, 6}}, {-45, {0, 6}}};
    auto shape = TTRoundedRectangleShape::shapeWithRadius(6);
    for (const Case& c : cases) {
        StyleCanvas canvas(40, 20);
        CGMutablePathRef path;
        canvas.draw([&] {
            shape->openPath(CGRectMake(0, 0, 40, 20));
            shape->addTopEdgeToPath(CGRectMake(0, 0, 40, 20), c.light);
            path = canvas.context->copyPath();
            canvas.context->restoreGState();
        });
        ASSERT_FALSE(path->elements().empty());
        const CGPoint first = path->elements().front().points[0];
        EXPECT_NEAR(first.x, c.start.x, 0.01) << c.light;
        EXPECT_NEAR(first.y, c.start.y, 0.01) << c.light;
    }
}

TEST(ShapeTest, ArrowsPointAndTakeTheirInsetsFromAThirdOfTheHeight) {
    auto right = TTRoundedRightArrowShape::shapeWithRadius(TTRoundedRadius);
    auto left = TTRoundedLeftArrowShape::shapeWithRadius(TTRoundedRadius);
    EXPECT_EQ(right->insetsForSize(CGSizeMake(60, 28)), UIEdgeInsetsMake(0, 0, 0, 5));
    EXPECT_EQ(left->insetsForSize(CGSizeMake(60, 28)), UIEdgeInsetsMake(0, 5, 0, 0));
    EXPECT_EQ(TTRoundedRightArrowShape::shapeWithRadius(4.5)->insetsForSize(CGSizeMake(60, 28)),
              UIEdgeInsetsMake(0, 0, 0, 4));

    StyleCanvas r(60, 28);
    fillShape(r, *TTRoundedRightArrowShape::shapeWithRadius(4), CGRectMake(0, 0, 60, 28));
    // The tip at the middle of the right side; beside it, above and below, nothing.
    expectPixels(r, {{58, 14, kRed}, {58, 2, kClear}, {58, 26, kClear}, {3, 14, kRed}, {30, 2, kRed}}, "right arrow");

    StyleCanvas l(60, 28);
    fillShape(l, *TTRoundedLeftArrowShape::shapeWithRadius(4), CGRectMake(0, 0, 60, 28));
    expectPixels(l, {{1, 14, kRed}, {1, 2, kClear}, {1, 26, kClear}, {56, 14, kRed}}, "left arrow");
}

TEST(ShapeTest, SpeechBubbleGivesUpRoomForItsPointerOnItsSide) {
    struct Case { float location, angle; CGRect body; };
    const Case cases[] = {
        {90, 90, {{0, 8}, {100, 32}}},  {90, 270, {{0, 0}, {100, 40}}}, {0, 0, {{10, 0}, {90, 40}}},
        {180, 180, {{0, 0}, {90, 40}}}, {270, 270, {{0, 0}, {100, 32}}}, {315, 0, {{10, 0}, {90, 40}}},
        {180, 0, {{0, 0}, {100, 40}}},
    };
    for (const Case& c : cases) {
        auto bubble = TTSpeechBubbleShape::shapeWithRadius(5, c.location, c.angle, CGSizeMake(10, 8));
        EXPECT_EQ(bubble->subtractPointFromRect(CGRectMake(7, 9, 100, 40)), c.body) << c.location << "/" << c.angle;
    }
    StyleCanvas canvas(100, 40);
    fillShape(canvas, *TTSpeechBubbleShape::shapeWithRadius(5, 90, 90, CGSizeMake(10, 8)), CGRectMake(0, 0, 100, 40));
    // The pointer rises from the body's top edge between x 45 and 55 to its tip at (50, 0).
    expectPixels(canvas, {{50, 4, kRed}, {40, 4, kClear}, {60, 4, kClear}, {50, 25, kRed}, {0, 8, kClear}}, "bubble");
}

TEST(ShapeTest, CopiesThroughTheArchiveAreDistinctAndEqual) {
    auto shape = TTRoundedRectangleShape::shapeWithTopLeft(1, 2, 3, TTRoundedRadius);
    auto copy = std::dynamic_pointer_cast<TTRoundedRectangleShape>(shape->copy());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), shape.get());
    EXPECT_EQ(copy->topLeftRadius, 1);
    EXPECT_EQ(copy->topRightRadius, 2);
    EXPECT_EQ(copy->bottomRightRadius, 3);
    EXPECT_EQ(copy->bottomLeftRadius, TTRoundedRadius);

    auto bubble = TTSpeechBubbleShape::shapeWithRadius(4, 270, 90, CGSizeMake(12, 6))->copy();
    auto bubbleCopy = std::dynamic_pointer_cast<TTSpeechBubbleShape>(bubble);
    ASSERT_TRUE(bubbleCopy);
    EXPECT_EQ(bubbleCopy->pointSize, CGSizeMake(12, 6));
    EXPECT_EQ(bubbleCopy->pointLocation, 270);

    auto rect = TTRectangleShape::shape()->copy();
    EXPECT_TRUE(std::dynamic_pointer_cast<TTRectangleShape>(rect));
    EXPECT_NE(rect.get(), TTRectangleShape::shape().get());
}

}  // namespace
