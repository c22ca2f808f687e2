#pragma once
// Points, sizes, rectangles and affine transforms in points, origin top-left, y down.

#include <algorithm>
#include <cmath>
#include <limits>

using CGFloat = double;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    friend bool operator==(const CGRect&, const CGRect&) = default;
};

struct UIEdgeInsets {
    CGFloat top = 0;
    CGFloat left = 0;
    CGFloat bottom = 0;
    CGFloat right = 0;
    friend bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};

inline constexpr CGPoint CGPointZero{0, 0};
inline constexpr CGSize CGSizeZero{0, 0};
inline constexpr CGRect CGRectZero{{0, 0}, {0, 0}};
inline const CGRect CGRectNull{{std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity()}, {0, 0}};

inline constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) { return {x, y}; }
inline constexpr CGSize CGSizeMake(CGFloat w, CGFloat h) { return {w, h}; }
inline constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return {{x, y}, {w, h}}; }
inline constexpr UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
    return {top, left, bottom, right};
}

inline bool CGRectIsNull(const CGRect& r) { return std::isinf(r.origin.x) || std::isinf(r.origin.y); }

// A rectangle with its width and height made non-negative.
inline CGRect CGRectStandardize(const CGRect& r) {
    CGRect s = r;
    if (s.size.width < 0) { s.origin.x += s.size.width; s.size.width = -s.size.width; }
    if (s.size.height < 0) { s.origin.y += s.size.height; s.size.height = -s.size.height; }
    return s;
}

inline CGFloat CGRectGetMinX(const CGRect& r) { return CGRectStandardize(r).origin.x; }
inline CGFloat CGRectGetMinY(const CGRect& r) { return CGRectStandardize(r).origin.y; }
inline CGFloat CGRectGetMaxX(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.x + s.size.width; }
inline CGFloat CGRectGetMaxY(const CGRect& r) { auto s = CGRectStandardize(r); return s.origin.y + s.size.height; }
inline CGFloat CGRectGetMidX(const CGRect& r) { return (CGRectGetMinX(r) + CGRectGetMaxX(r)) / 2; }
inline CGFloat CGRectGetMidY(const CGRect& r) { return (CGRectGetMinY(r) + CGRectGetMaxY(r)) / 2; }
inline CGFloat CGRectGetWidth(const CGRect& r) { return std::fabs(r.size.width); }
inline CGFloat CGRectGetHeight(const CGRect& r) { return std::fabs(r.size.height); }

inline bool CGRectIsEmpty(const CGRect& r) {
    return CGRectIsNull(r) || r.size.width == 0 || r.size.height == 0;
}
inline bool CGRectEqualToRect(const CGRect& a, const CGRect& b) { return CGRectStandardize(a) == CGRectStandardize(b); }
inline bool CGSizeEqualToSize(const CGSize& a, const CGSize& b) { return a == b; }
inline bool CGPointEqualToPoint(const CGPoint& a, const CGPoint& b) { return a == b; }

// Half-open: the maximum edges are outside.
inline bool CGRectContainsPoint(const CGRect& r, const CGPoint& p) {
    if (CGRectIsNull(r)) return false;
    return p.x >= CGRectGetMinX(r) && p.x < CGRectGetMaxX(r) && p.y >= CGRectGetMinY(r) && p.y < CGRectGetMaxY(r);
}

// CGRectNull when the two do not overlap.
CGRect CGRectIntersection(const CGRect& a, const CGRect& b);
bool CGRectIntersectsRect(const CGRect& a, const CGRect& b);
bool CGRectContainsRect(const CGRect& outer, const CGRect& inner);
CGRect CGRectUnion(const CGRect& a, const CGRect& b);
// Moves each edge inwards by dx / dy; CGRectNull when the result would be negative.
CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy);
CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy);
// The smallest rectangle with whole-number edges that holds r.
CGRect CGRectIntegral(const CGRect& r);
inline CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& i) {
    return CGRectMake(r.origin.x + i.left, r.origin.y + i.top, r.size.width - i.left - i.right,
                      r.size.height - i.top - i.bottom);
}

// x' = a*x + c*y + tx ; y' = b*x + d*y + ty
struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    friend bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity{1, 0, 0, 1, 0, 0};

inline constexpr CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx,
                                                         CGFloat ty) {
    return {a, b, c, d, tx, ty};
}
inline bool CGAffineTransformIsIdentity(const CGAffineTransform& t) { return t == CGAffineTransformIdentity; }
inline bool CGAffineTransformEqualToTransform(const CGAffineTransform& a, const CGAffineTransform& b) { return a == b; }
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformMakeRotation(CGFloat radians);
// t1 then t2.
CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2);
// The transform applied after the translation / scale / rotation.
CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat radians);
// A singular transform is returned unchanged.
CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t);
CGPoint CGPointApplyAffineTransform(const CGPoint& p, const CGAffineTransform& t);
CGSize CGSizeApplyAffineTransform(const CGSize& s, const CGAffineTransform& t);
// The bounding box of the transformed rectangle.
CGRect CGRectApplyAffineTransform(const CGRect& r, const CGAffineTransform& t);
