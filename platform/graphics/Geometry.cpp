#include "platform/graphics/Geometry.h"

CGRect CGRectIntersection(const CGRect& a0, const CGRect& b0) {
    if (CGRectIsNull(a0) || CGRectIsNull(b0)) return CGRectNull;
    CGRect a = CGRectStandardize(a0), b = CGRectStandardize(b0);
    CGFloat x0 = std::max(a.origin.x, b.origin.x), y0 = std::max(a.origin.y, b.origin.y);
    CGFloat x1 = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b)), y1 = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    if (x1 < x0 || y1 < y0) return CGRectNull;
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    CGRect i = CGRectIntersection(a, b);
    return !CGRectIsNull(i) && i.size.width > 0 && i.size.height > 0;
}

bool CGRectContainsRect(const CGRect& outer, const CGRect& inner) {
    if (CGRectIsNull(outer) || CGRectIsNull(inner)) return false;
    return CGRectGetMinX(inner) >= CGRectGetMinX(outer) && CGRectGetMinY(inner) >= CGRectGetMinY(outer) &&
           CGRectGetMaxX(inner) <= CGRectGetMaxX(outer) && CGRectGetMaxY(inner) <= CGRectGetMaxY(outer);
}

CGRect CGRectUnion(const CGRect& a, const CGRect& b) {
    if (CGRectIsNull(a)) return CGRectStandardize(b);
    if (CGRectIsNull(b)) return CGRectStandardize(a);
    CGFloat x0 = std::min(CGRectGetMinX(a), CGRectGetMinX(b)), y0 = std::min(CGRectGetMinY(a), CGRectGetMinY(b));
    CGFloat x1 = std::max(CGRectGetMaxX(a), CGRectGetMaxX(b)), y1 = std::max(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGRect CGRectInset(const CGRect& r0, CGFloat dx, CGFloat dy) {
    if (CGRectIsNull(r0)) return CGRectNull;
    CGRect r = CGRectStandardize(r0);
    CGRect out = CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width - 2 * dx, r.size.height - 2 * dy);
    if (out.size.width < 0 || out.size.height < 0) return CGRectNull;
    return out;
}

CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy) {
    if (CGRectIsNull(r)) return CGRectNull;
    return CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width, r.size.height);
}

CGRect CGRectIntegral(const CGRect& r0) {
    if (CGRectIsNull(r0)) return CGRectNull;
    CGRect r = CGRectStandardize(r0);
    CGFloat x0 = std::floor(r.origin.x), y0 = std::floor(r.origin.y);
    CGFloat x1 = std::ceil(CGRectGetMaxX(r)), y1 = std::ceil(CGRectGetMaxY(r));
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) { return {1, 0, 0, 1, tx, ty}; }
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) { return {sx, 0, 0, sy, 0, 0}; }
CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle) {
    CGFloat c = std::cos(angle), s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2) {
    return {t1.a * t2.a + t1.b * t2.c,       t1.a * t2.b + t1.b * t2.d,
            t1.c * t2.a + t1.d * t2.c,       t1.c * t2.b + t1.d * t2.d,
            t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty) {
    return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy) {
    return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat angle) {
    return CGAffineTransformConcat(CGAffineTransformMakeRotation(angle), t);
}

CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t) {
    CGFloat det = t.a * t.d - t.b * t.c;
    if (det == 0 || !std::isfinite(det)) return t;
    CGAffineTransform r;
    r.a = t.d / det;
    r.b = -t.b / det;
    r.c = -t.c / det;
    r.d = t.a / det;
    r.tx = (t.c * t.ty - t.d * t.tx) / det;
    r.ty = (t.b * t.tx - t.a * t.ty) / det;
    return r;
}

CGPoint CGPointApplyAffineTransform(const CGPoint& p, const CGAffineTransform& t) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

CGSize CGSizeApplyAffineTransform(const CGSize& s, const CGAffineTransform& t) {
    return {t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height};
}

CGRect CGRectApplyAffineTransform(const CGRect& r0, const CGAffineTransform& t) {
    if (CGRectIsNull(r0)) return CGRectNull;
    CGRect r = CGRectStandardize(r0);
    CGPoint corners[4] = {{r.origin.x, r.origin.y}, {CGRectGetMaxX(r), r.origin.y},
                          {r.origin.x, CGRectGetMaxY(r)}, {CGRectGetMaxX(r), CGRectGetMaxY(r)}};
    CGFloat x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (auto& c : corners) {
        CGPoint p = CGPointApplyAffineTransform(c, t);
        x0 = std::min(x0, p.x); y0 = std::min(y0, p.y); x1 = std::max(x1, p.x); y1 = std::max(y1, p.y);
    }
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}
