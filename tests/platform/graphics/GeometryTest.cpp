#include "platform/graphics/Geometry.h"

#include <gtest/gtest.h>

namespace {

void expectRect(const CGRect& actual, const CGRect& expected) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 1e-9);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 1e-9);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

TEST(Geometry, RectOperations) {
    CGRect a = CGRectMake(0, 0, 10, 10), b = CGRectMake(5, 5, 10, 10);
    expectRect(CGRectIntersection(a, b), CGRectMake(5, 5, 5, 5));
    expectRect(CGRectUnion(a, b), CGRectMake(0, 0, 15, 15));
    EXPECT_TRUE(CGRectIsNull(CGRectIntersection(a, CGRectMake(20, 20, 1, 1))));
    // Touching edges intersect in an empty rectangle but do not overlap.
    EXPECT_FALSE(CGRectIntersectsRect(a, CGRectMake(10, 0, 5, 5)));
    EXPECT_TRUE(CGRectIntersectsRect(a, b));
    expectRect(CGRectUnion(CGRectNull, b), b);
    expectRect(CGRectInset(a, 2, 3), CGRectMake(2, 3, 6, 4));
    EXPECT_TRUE(CGRectIsNull(CGRectInset(a, 6, 0)));
    expectRect(CGRectOffset(a, -1, 2), CGRectMake(-1, 2, 10, 10));
    expectRect(CGRectIntegral(CGRectMake(0.5, 1.2, 2.2, 2.9)), CGRectMake(0, 1, 3, 4));
    expectRect(CGRectStandardize(CGRectMake(10, 10, -4, -6)), CGRectMake(6, 4, 4, 6));
    EXPECT_EQ(CGRectGetMaxX(CGRectMake(10, 0, -4, 1)), 10);
    EXPECT_EQ(CGRectGetMidY(CGRectMake(0, 2, 1, 4)), 4);
    expectRect(UIEdgeInsetsInsetRect(a, UIEdgeInsetsMake(1, 2, 3, 4)), CGRectMake(2, 1, 4, 6));
    EXPECT_TRUE(CGRectContainsRect(a, CGRectMake(1, 1, 9, 9)));
    EXPECT_FALSE(CGRectContainsRect(a, CGRectMake(1, 1, 10, 9)));
}

TEST(Geometry, ContainsPointIsHalfOpen) {
    CGRect r = CGRectMake(0, 0, 10, 10);
    struct Case { CGPoint p; bool inside; } cases[] = {
        {{0, 0}, true}, {{9.99, 9.99}, true}, {{10, 5}, false}, {{5, 10}, false}, {{-0.01, 5}, false}};
    for (const auto& c : cases) EXPECT_EQ(CGRectContainsPoint(r, c.p), c.inside) << c.p.x << "," << c.p.y;
    EXPECT_FALSE(CGRectContainsPoint(CGRectNull, {0, 0}));
}

TEST(Geometry, TransformsComposeInPlatformOrder) {
    // Translate then scale: the scale applies first to points.
    CGAffineTransform t = CGAffineTransformScale(CGAffineTransformMakeTranslation(10, 0), 2, 2);
    CGPoint p = CGPointApplyAffineTransform({1, 1}, t);
    EXPECT_DOUBLE_EQ(p.x, 12);
    EXPECT_DOUBLE_EQ(p.y, 2);
    CGPoint q = CGPointApplyAffineTransform({1, 0}, CGAffineTransformMakeRotation(M_PI / 2));
    EXPECT_NEAR(q.x, 0, 1e-12);
    EXPECT_NEAR(q.y, 1, 1e-12);
    CGAffineTransform inv = CGAffineTransformInvert(t);
    CGPoint back = CGPointApplyAffineTransform(p, inv);
    EXPECT_NEAR(back.x, 1, 1e-12);
    EXPECT_NEAR(back.y, 1, 1e-12);
    // A singular transform is returned as it is.
    CGAffineTransform singular = CGAffineTransformMakeScale(0, 1);
    EXPECT_EQ(CGAffineTransformInvert(singular), singular);
    expectRect(CGRectApplyAffineTransform(CGRectMake(0, 0, 2, 1), CGAffineTransformMakeRotation(M_PI / 2)),
               CGRectMake(-1, 0, 1, 2));
    CGAffineTransform id = CGAffineTransformConcat(t, inv);
    for (double v : {id.a - 1, id.b, id.c, id.d - 1, id.tx, id.ty}) EXPECT_NEAR(v, 0, 1e-12);
}

}  // namespace
