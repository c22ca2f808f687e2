#include "platform/graphics/CGPath.h"

#include <cmath>

namespace {

CGPoint apply(const CGAffineTransform* m, CGPoint p) { return m ? CGPointApplyAffineTransform(p, *m) : p; }

CGPoint bezierAt(CGPoint p0, CGPoint c1, CGPoint c2, CGPoint p1, double t) {
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * c1.x + c * c2.x + d * p1.x, a * p0.y + b * c1.y + c * c2.y + d * p1.y};
}

}  // namespace

void CGPath::moveRaw(CGPoint p) {
    CGPathElement e;
    e.type = CGPathElement::Type::MoveToPoint;
    e.points[0] = p;
    elements_.push_back(e);
    current_ = p;
    subpathStart_ = p;
}

void CGPath::addLineRaw(CGPoint p) {
    if (!current_) { moveRaw(p); return; }
    CGPathElement e;
    e.type = CGPathElement::Type::AddLineToPoint;
    e.points[0] = p;
    elements_.push_back(e);
    current_ = p;
}

void CGPath::addCurveRaw(CGPoint c1, CGPoint c2, CGPoint p) {
    if (!current_) moveRaw(c1);
    CGPathElement e;
    e.type = CGPathElement::Type::AddCurveToPoint;
    e.points[0] = c1;
    e.points[1] = c2;
    e.points[2] = p;
    elements_.push_back(e);
    current_ = p;
}

void CGPath::moveToPoint(const CGAffineTransform* m, CGFloat x, CGFloat y) { moveRaw(apply(m, {x, y})); }
void CGPath::addLineToPoint(const CGAffineTransform* m, CGFloat x, CGFloat y) { addLineRaw(apply(m, {x, y})); }

void CGPath::addCurveToPoint(const CGAffineTransform* m, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y,
                             CGFloat x, CGFloat y) {
    addCurveRaw(apply(m, {cp1x, cp1y}), apply(m, {cp2x, cp2y}), apply(m, {x, y}));
}

void CGPath::addQuadCurveToPoint(const CGAffineTransform* m, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y) {
    CGPoint q = apply(m, {cpx, cpy}), p = apply(m, {x, y});
    CGPoint p0 = current_.value_or(q);
    CGPoint c1{p0.x + 2.0 / 3 * (q.x - p0.x), p0.y + 2.0 / 3 * (q.y - p0.y)};
    CGPoint c2{p.x + 2.0 / 3 * (q.x - p.x), p.y + 2.0 / 3 * (q.y - p.y)};
    addCurveRaw(c1, c2, p);
}

void CGPath::arcRaw(const CGAffineTransform* m, CGFloat cx, CGFloat cy, CGFloat r, CGFloat a0, CGFloat a1,
                    bool clockwise) {
    // Sweep in the direction asked, as the platform does: a full turn at most.
    double sweep = a1 - a0;
    const double twoPi = 2 * M_PI;
    if (!clockwise) {
        if (sweep < 0) sweep = std::fmod(sweep, twoPi) + twoPi;
        if (sweep > twoPi) sweep = twoPi;
    } else {
        if (sweep > 0) sweep = std::fmod(sweep, twoPi) - twoPi;
        if (sweep < -twoPi) sweep = -twoPi;
    }
    CGPoint start{cx + r * std::cos(a0), cy + r * std::sin(a0)};
    if (current_) addLineRaw(apply(m, start));
    else moveRaw(apply(m, start));
    int segments = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (M_PI / 2) - 1e-9)));
    double step = sweep / segments;
    double k = 4.0 / 3.0 * std::tan(step / 4);
    double a = a0;
    for (int i = 0; i < segments; ++i) {
        double b = a + step;
        CGPoint p0{cx + r * std::cos(a), cy + r * std::sin(a)};
        CGPoint p1{cx + r * std::cos(b), cy + r * std::sin(b)};
        CGPoint c1{p0.x - k * r * std::sin(a), p0.y + k * r * std::cos(a)};
        CGPoint c2{p1.x + k * r * std::sin(b), p1.y - k * r * std::cos(b)};
        addCurveRaw(apply(m, c1), apply(m, c2), apply(m, p1));
        a = b;
    }
}

void CGPath::addArc(const CGAffineTransform* m, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle,
                    CGFloat endAngle, bool clockwise) {
    if (radius < 0) return;
    arcRaw(m, x, y, radius, startAngle, endAngle, clockwise);
}

void CGPath::addArcToPoint(const CGAffineTransform* m, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2,
                           CGFloat radius) {
    CGPoint p1{x1, y1}, p2{x2, y2};
    if (!current_) {
        moveRaw(apply(m, p1));
        return;
    }
    CGPoint p0 = *current_;
    if (m) p0 = CGPointApplyAffineTransform(p0, CGAffineTransformInvert(*m));
    double ux = p0.x - p1.x, uy = p0.y - p1.y, vx = p2.x - p1.x, vy = p2.y - p1.y;
    double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    double cross = ux * vy - uy * vx;
    if (radius <= 0 || lu == 0 || lv == 0 || std::fabs(cross) < 1e-12 * lu * lv) {
        addLineRaw(apply(m, p1));
        return;
    }
    ux /= lu; uy /= lu; vx /= lv; vy /= lv;
    double cosTheta = std::clamp(ux * vx + uy * vy, -1.0, 1.0);
    double theta = std::acos(cosTheta);
    double d = radius / std::tan(theta / 2);
    CGPoint t1{p1.x + ux * d, p1.y + uy * d};
    CGPoint t2{p1.x + vx * d, p1.y + vy * d};
    double bx = ux + vx, by = uy + vy, lb = std::hypot(bx, by);
    double h = radius / std::sin(theta / 2);
    CGPoint c{p1.x + bx / lb * h, p1.y + by / lb * h};
    double a0 = std::atan2(t1.y - c.y, t1.x - c.x);
    double a1 = std::atan2(t2.y - c.y, t2.x - c.x);
    double sweep = a1 - a0;
    while (sweep > M_PI) sweep -= 2 * M_PI;
    while (sweep < -M_PI) sweep += 2 * M_PI;
    arcRaw(m, c.x, c.y, radius, a0, a0 + sweep, sweep < 0);
}

void CGPath::addRect(const CGAffineTransform* m, CGRect r) {
    moveRaw(apply(m, {r.origin.x, r.origin.y}));
    addLineRaw(apply(m, {r.origin.x + r.size.width, r.origin.y}));
    addLineRaw(apply(m, {r.origin.x + r.size.width, r.origin.y + r.size.height}));
    addLineRaw(apply(m, {r.origin.x, r.origin.y + r.size.height}));
    closeSubpath();
}

void CGPath::addEllipseInRect(const CGAffineTransform* m, CGRect r) {
    r = CGRectStandardize(r);
    CGAffineTransform t = CGAffineTransformMake(r.size.width / 2, 0, 0, r.size.height / 2, CGRectGetMidX(r),
                                                CGRectGetMidY(r));
    if (m) t = CGAffineTransformConcat(t, *m);
    current_.reset();
    arcRaw(&t, 0, 0, 1, 0, 2 * M_PI, false);
    closeSubpath();
}

void CGPath::addRoundedRect(const CGAffineTransform* m, CGRect r, CGFloat cw, CGFloat ch) {
    r = CGRectStandardize(r);
    cw = std::clamp(cw, 0.0, r.size.width / 2);
    ch = std::clamp(ch, 0.0, r.size.height / 2);
    if (cw == 0 || ch == 0) { addRect(m, r); return; }
    double x0 = r.origin.x, y0 = r.origin.y, x1 = CGRectGetMaxX(r), y1 = CGRectGetMaxY(r);
    auto corner = [&](double cx, double cy, double a0) {
        CGAffineTransform t = CGAffineTransformMake(cw, 0, 0, ch, cx, cy);
        if (m) t = CGAffineTransformConcat(t, *m);
        arcRaw(&t, 0, 0, 1, a0, a0 + M_PI / 2, false);
    };
    current_.reset();
    moveRaw(apply(m, {x0 + cw, y0}));
    addLineRaw(apply(m, {x1 - cw, y0}));
    corner(x1 - cw, y0 + ch, -M_PI / 2);
    addLineRaw(apply(m, {x1, y1 - ch}));
    corner(x1 - cw, y1 - ch, 0);
    addLineRaw(apply(m, {x0 + cw, y1}));
    corner(x0 + cw, y1 - ch, M_PI / 2);
    addLineRaw(apply(m, {x0, y0 + ch}));
    corner(x0 + cw, y0 + ch, M_PI);
    closeSubpath();
}

void CGPath::addPath(const CGAffineTransform* m, const CGPath& other) {
    for (const auto& e : other.elements_) {
        switch (e.type) {
        case CGPathElement::Type::MoveToPoint: moveRaw(apply(m, e.points[0])); break;
        case CGPathElement::Type::AddLineToPoint: addLineRaw(apply(m, e.points[0])); break;
        case CGPathElement::Type::AddCurveToPoint:
            addCurveRaw(apply(m, e.points[0]), apply(m, e.points[1]), apply(m, e.points[2]));
            break;
        case CGPathElement::Type::CloseSubpath: closeSubpath(); break;
        }
    }
}

void CGPath::closeSubpath() {
    if (!current_) return;
    CGPathElement e;
    e.type = CGPathElement::Type::CloseSubpath;
    elements_.push_back(e);
    current_ = subpathStart_;
}

CGPoint CGPath::currentPoint() const { return current_.value_or(CGPointZero); }

CGRect CGPath::boundingBox() const {
    CGRect box = CGRectNull;
    auto add = [&](CGPoint p) { box = CGRectUnion(box, CGRectMake(p.x, p.y, 0, 0)); };
    for (const auto& e : elements_) {
        if (e.type == CGPathElement::Type::CloseSubpath) continue;
        int n = e.type == CGPathElement::Type::AddCurveToPoint ? 3 : 1;
        for (int i = 0; i < n; ++i) add(e.points[i]);
    }
    return box;
}

bool CGPath::containsPoint(const CGAffineTransform* m, CGPoint p, bool evenOdd) const {
    if (m) p = CGPointApplyAffineTransform(p, CGAffineTransformInvert(*m));
    int winding = 0, crossings = 0;
    CGPoint cur{}, start{};
    auto edge = [&](CGPoint a, CGPoint b) {
        if ((a.y <= p.y) != (b.y <= p.y)) {
            double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x > p.x) {
                ++crossings;
                winding += b.y > a.y ? 1 : -1;
            }
        }
    };
    for (const auto& e : elements_) {
        switch (e.type) {
        case CGPathElement::Type::MoveToPoint:
            edge(cur, start);
            cur = start = e.points[0];
            break;
        case CGPathElement::Type::AddLineToPoint:
            edge(cur, e.points[0]);
            cur = e.points[0];
            break;
        case CGPathElement::Type::AddCurveToPoint: {
            CGPoint prev = cur;
            for (int i = 1; i <= 16; ++i) {
                CGPoint q = bezierAt(cur, e.points[0], e.points[1], e.points[2], i / 16.0);
                edge(prev, q);
                prev = q;
            }
            cur = e.points[2];
            break;
        }
        case CGPathElement::Type::CloseSubpath:
            edge(cur, start);
            cur = start;
            break;
        }
    }
    edge(cur, start);
    return evenOdd ? (crossings % 2) == 1 : winding != 0;
}
