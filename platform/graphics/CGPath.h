#pragma once
// A mutable path: subpaths of lines and cubic curves, built in its own coordinates.

#include "platform/graphics/Geometry.h"

#include <memory>
#include <optional>
#include <vector>

class CGPath;
using CGMutablePathRef = std::shared_ptr<CGPath>;
using CGPathRef = std::shared_ptr<const CGPath>;

struct CGPathElement {
    enum class Type { MoveToPoint, AddLineToPoint, AddCurveToPoint, CloseSubpath };
    Type type = Type::MoveToPoint;
    CGPoint points[3];  // move/line: points[0]; curve: two controls then the end point
};

class CGPath {
public:
    static CGMutablePathRef create() { return std::make_shared<CGPath>(); }
    CGMutablePathRef copy() const { return std::make_shared<CGPath>(*this); }

    // Every point added is first mapped through the optional transform, as the platform's path API does.
    void moveToPoint(const CGAffineTransform* m, CGFloat x, CGFloat y);
    void addLineToPoint(const CGAffineTransform* m, CGFloat x, CGFloat y);
    void addCurveToPoint(const CGAffineTransform* m, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y,
                         CGFloat x, CGFloat y);
    void addQuadCurveToPoint(const CGAffineTransform* m, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y);
    // Arc around (x, y) from startAngle to endAngle (radians, measured from +x towards +y); clockwise
    // follows the platform's flag, which in our y-down space means decreasing angles. A line joins the
    // current point to the arc's start.
    void addArc(const CGAffineTransform* m, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle,
                CGFloat endAngle, bool clockwise);
    // Tangent arc: a line from the current point towards (x1, y1), then an arc of the radius tangent to
    // both lines (current -> p1 and p1 -> p2). Collinear points or radius 0 give a line to (x1, y1).
    void addArcToPoint(const CGAffineTransform* m, CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius);
    void addRect(const CGAffineTransform* m, CGRect rect);
    void addEllipseInRect(const CGAffineTransform* m, CGRect rect);
    // Rounded rectangle with corner radii clamped to half the shorter side.
    void addRoundedRect(const CGAffineTransform* m, CGRect rect, CGFloat cornerWidth, CGFloat cornerHeight);
    void addPath(const CGAffineTransform* m, const CGPath& other);
    void closeSubpath();

    bool isEmpty() const { return elements_.empty(); }
    // The last point added (after closing: the subpath's start). Empty path: CGPointZero.
    CGPoint currentPoint() const;
    bool hasCurrentPoint() const { return current_.has_value(); }
    // Bounding box of all points including control points; CGRectNull when empty.
    CGRect boundingBox() const;
    // Non-zero (or even-odd) fill containment of a point.
    bool containsPoint(const CGAffineTransform* m, CGPoint p, bool evenOdd) const;
    const std::vector<CGPathElement>& elements() const { return elements_; }

private:
    void addLineRaw(CGPoint p);
    void addCurveRaw(CGPoint c1, CGPoint c2, CGPoint p);
    void moveRaw(CGPoint p);
    // Arc in untransformed space, mapped by m; joined by a line (or a move when no current point).
    void arcRaw(const CGAffineTransform* m, CGFloat cx, CGFloat cy, CGFloat r, CGFloat a0, CGFloat a1, bool clockwise);

    std::vector<CGPathElement> elements_;
    std::optional<CGPoint> current_;
    CGPoint subpathStart_;
};
