#include "toolkit/style/TTRoundedRectangleShape.h"

#include <cmath>

#include "platform/graphics/CGContext.h"

std::shared_ptr<TTRoundedRectangleShape> TTRoundedRectangleShape::shapeWithRadius(float radius) {
    return shapeWithTopLeft(radius, radius, radius, radius);
}

std::shared_ptr<TTRoundedRectangleShape> TTRoundedRectangleShape::shapeWithTopLeft(float topLeft, float topRight,
                                                                                   float bottomRight, float bottomLeft) {
    auto shape = std::make_shared<TTRoundedRectangleShape>();
    shape->topLeftRadius = topLeft;
    shape->topRightRadius = topRight;
    shape->bottomRightRadius = bottomRight;
    shape->bottomLeftRadius = bottomLeft;
    return shape;
}

std::shared_ptr<NSCoding> TTRoundedRectangleShape::decode(NSKeyedUnarchiver& coder) {
    return shapeWithTopLeft(coder.decodeFloat("topLeftRadius"), coder.decodeFloat("topRightRadius"),
                            coder.decodeFloat("bottomRightRadius"), coder.decodeFloat("bottomLeftRadius"));
}

void TTRoundedRectangleShape::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTShape::encodeWithCoder(coder);
    coder.encodeFloat(topLeftRadius, "topLeftRadius");
    coder.encodeFloat(topRightRadius, "topRightRadius");
    coder.encodeFloat(bottomRightRadius, "bottomRightRadius");
    coder.encodeFloat(bottomLeftRadius, "bottomLeftRadius");
}

TTRoundedRectangleShape::Radii TTRoundedRectangleShape::radiiFor(float h) const {
    return {resolve(topLeftRadius, h), resolve(topRightRadius, h), resolve(bottomRightRadius, h),
            resolve(bottomLeftRadius, h)};
}

void TTRoundedRectangleShape::outline(CGPath& path, float w, float h) const {
    const Radii r = radiiFor(h);
    path.moveToPoint(nullptr, w, std::floor(h / 2));
    path.addArcToPoint(nullptr, w, h, std::floor(w / 2), h, r.br);
    path.addArcToPoint(nullptr, 0, h, 0, std::floor(h / 2), r.bl);
    path.addArcToPoint(nullptr, 0, 0, std::floor(w / 2), 0, r.tl);
    path.addArcToPoint(nullptr, w, 0, w, std::floor(h / 2), r.tr);
}

void TTRoundedRectangleShape::addToPath(CGRect rect) {
    CGPath path;
    outline(path, rect.size.width, rect.size.height);
    addPathBetween(rect, path);
}

void TTRoundedRectangleShape::addInverseToPath(CGRect rect) {
    const float w = rect.size.width, h = rect.size.height;
    CGPath path;
    path.addRect(nullptr, CGRectMake(-5, -5, w + 10, h + 10));
    path.closeSubpath();
    outline(path, w, h);
    path.closeSubpath();
    addPathBetween(rect, path);
}

void TTRoundedRectangleShape::addTopEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width;
    const Radii r = radiiFor(rect.size.height);
    if (lightFromSide(lightSource)) {
        ctx->moveToPoint(r.tl, 0);
    } else {
        ctx->moveToPoint(0, r.tl);
        ctx->addArcToPoint(0, 0, r.tl, 0, r.tl);
    }
    ctx->addArcToPoint(w, 0, w, r.tr, r.tr);
    ctx->addLineToPoint(w, r.tr);
}

void TTRoundedRectangleShape::addRightEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const Radii r = radiiFor(h);
    ctx->moveToPoint(w, r.tr);
    ctx->addArcToPoint(w, h, w - r.br, h, r.br);
    ctx->addLineToPoint(w - r.br, h);
}

void TTRoundedRectangleShape::addBottomEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const Radii r = radiiFor(h);
    ctx->moveToPoint(w - r.br, h);
    ctx->addLineToPoint(r.bl, h);
    ctx->addArcToPoint(0, h, 0, h - r.bl, r.bl);
}

void TTRoundedRectangleShape::addLeftEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float h = rect.size.height;
    const Radii r = radiiFor(h);
    ctx->moveToPoint(0, h - r.bl);
    ctx->addLineToPoint(0, r.tl);
    if (lightFromSide(lightSource)) ctx->addArcToPoint(0, 0, r.tl, 0, r.tl);
}
