#include "platform/graphics/CGPath.h"

#include <gtest/gtest.h>

namespace {

TEST(CGPath, TangentArcRoundsTheCorner) {
    // A corner at (10, 0) between a line along +x and one going down, rounded with radius 4.
    auto path = CGPath::create();
    path->moveToPoint(nullptr, 0, 0);
    path->addArcToPoint(nullptr, 10, 0, 10, 10, 4);
    // The arc ends on the second line, 4 below the corner.
    EXPECT_NEAR(path->currentPoint().x, 10, 1e-9);
    EXPECT_NEAR(path->currentPoint().y, 4, 1e-9);
    // It starts with a line to the first tangent point (6, 0).
    ASSERT_GE(path->elements().size(), 3u);
    EXPECT_EQ(path->elements()[1].type, CGPathElement::Type::AddLineToPoint);
    EXPECT_NEAR(path->elements()[1].points[0].x, 6, 1e-9);
    // The curve passes inside the corner: its midpoint is at the centre (6, 4) plus r along the bisector.
    CGRect box = path->boundingBox();
    EXPECT_LE(CGRectGetMaxX(box), 10 + 1e-9);
}

TEST(CGPath, TangentArcDegeneratesToALine) {
    struct Case { CGPoint p1, p2; double radius; } cases[] = {
        {{10, 0}, {20, 0}, 4},   // collinear
        {{10, 0}, {10, 10}, 0},  // no radius
    };
    for (const auto& c : cases) {
        auto path = CGPath::create();
        path->moveToPoint(nullptr, 0, 0);
        path->addArcToPoint(nullptr, c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.radius);
        EXPECT_EQ(path->currentPoint(), c.p1);
        EXPECT_EQ(path->elements().back().type, CGPathElement::Type::AddLineToPoint);
    }
}

TEST(CGPath, FillRulesDifferForNestedShapes) {
    auto path = CGPath::create();
    path->addRect(nullptr, CGRectMake(0, 0, 10, 10));
    path->addRect(nullptr, CGRectMake(3, 3, 4, 4));  // same direction
    EXPECT_TRUE(path->containsPoint(nullptr, {5, 5}, false));
    EXPECT_FALSE(path->containsPoint(nullptr, {5, 5}, true));
    EXPECT_TRUE(path->containsPoint(nullptr, {1, 1}, true));
    EXPECT_FALSE(path->containsPoint(nullptr, {11, 5}, false));
}

TEST(CGPath, ArcsAndTransforms) {
    auto path = CGPath::create();
    CGAffineTransform m = CGAffineTransformMakeTranslation(100, 0);
    path->addArc(&m, 0, 0, 10, 0, M_PI, false);  // lower half in y-down space
    EXPECT_NEAR(path->currentPoint().x, 90, 1e-9);
    CGRect box = path->boundingBox();
    EXPECT_GT(CGRectGetMaxY(box), 9);
    EXPECT_GE(CGRectGetMinY(box), -1e-9);
    auto other = CGPath::create();
    other->addArc(nullptr, 0, 0, 10, 0, M_PI, true);  // the other way round: upper half
    EXPECT_LT(CGRectGetMinY(other->boundingBox()), -9);
    auto ellipse = CGPath::create();
    ellipse->addEllipseInRect(nullptr, CGRectMake(0, 0, 20, 10));
    EXPECT_TRUE(ellipse->containsPoint(nullptr, {10, 5}, false));
    EXPECT_FALSE(ellipse->containsPoint(nullptr, {1, 1}, false));
    auto rounded = CGPath::create();
    rounded->addRoundedRect(nullptr, CGRectMake(0, 0, 20, 20), 50, 50);  // radius clamped to 10: a circle
    EXPECT_FALSE(rounded->containsPoint(nullptr, {1, 1}, false));
    EXPECT_TRUE(rounded->containsPoint(nullptr, {10, 1}, false));
}

}  // namespace
