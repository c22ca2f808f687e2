#include "toolkit/style/TTArrowShapes.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGPath.h"

void TTArrowShape::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTShape::encodeWithCoder(coder);
    coder.encodeFloat(radius, "radius");
}

float TTArrowShape::insetRadius(float h) const {
    return radius == TTRoundedRadius ? static_cast<float>(std::round((h / 3) / 2)) : radius;
}

float TTArrowShape::pointDepth(float h) { return std::floor(h / 2.8f); }

// Right arrow.

std::shared_ptr<TTRoundedRightArrowShape> TTRoundedRightArrowShape::shapeWithRadius(float radius) {
    auto shape = std::make_shared<TTRoundedRightArrowShape>();
    shape->radius = radius;
    return shape;
}

std::shared_ptr<NSCoding> TTRoundedRightArrowShape::decode(NSKeyedUnarchiver& coder) {
    return shapeWithRadius(coder.decodeFloat("radius"));
}

UIEdgeInsets TTRoundedRightArrowShape::insetsForSize(CGSize size) const {
    return UIEdgeInsetsMake(0, 0, 0, std::floor(insetRadius(size.height)));
}

void TTRoundedRightArrowShape::addToPath(CGRect rect) {
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    CGPath path;
    path.moveToPoint(nullptr, w, std::floor(h / 2));
    path.addArcToPoint(nullptr, w - p, h, 0, h, r * 2);
    path.addArcToPoint(nullptr, 0, h, 0, 0, r);
    path.addArcToPoint(nullptr, 0, 0, w - p, 0, r);
    path.addArcToPoint(nullptr, w - p, 0, w, std::floor(h / 2), r * 2);
    path.addLineToPoint(nullptr, w, std::floor(h / 2));
    addPathBetween(rect, path);
}

void TTRoundedRightArrowShape::addTopEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    if (lightFromSide(lightSource)) {
        ctx->moveToPoint(r, 0);
    } else {
        ctx->moveToPoint(0, r);
        ctx->addArcToPoint(0, 0, r, 0, r);
    }
    ctx->addLineToPoint(w - (p + r * 2), 0);
    ctx->addArcToPoint(w - p, 0, w, std::floor(h / 2), r * 2);
    ctx->addLineToPoint(w, std::floor(h / 2));
}

void TTRoundedRightArrowShape::addRightEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    ctx->moveToPoint(w, std::floor(h / 2));
    ctx->addArcToPoint(w - p, h, w - (p + r * 2), h, r * 2);
    ctx->addLineToPoint(w - (p + r * 2), h);
}

void TTRoundedRightArrowShape::addBottomEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    ctx->moveToPoint(std::floor(w - (p + r * 2)), h);
    ctx->addArcToPoint(0, h, 0, std::floor(h - r), r);
}

void TTRoundedRightArrowShape::addLeftEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float h = rect.size.height;
    const float r = resolvedRadius(h);
    ctx->moveToPoint(0, std::floor(h - r));
    ctx->addLineToPoint(0, std::floor(r));
    if (lightFromSide(lightSource)) ctx->addArcToPoint(0, 0, std::floor(r), 0, r);
}

// Left arrow.

std::shared_ptr<TTRoundedLeftArrowShape> TTRoundedLeftArrowShape::shapeWithRadius(float radius) {
    auto shape = std::make_shared<TTRoundedLeftArrowShape>();
    shape->radius = radius;
    return shape;
}

std::shared_ptr<NSCoding> TTRoundedLeftArrowShape::decode(NSKeyedUnarchiver& coder) {
    return shapeWithRadius(coder.decodeFloat("radius"));
}

UIEdgeInsets TTRoundedLeftArrowShape::insetsForSize(CGSize size) const {
    return UIEdgeInsetsMake(0, std::floor(insetRadius(size.height)), 0, 0);
}

void TTRoundedLeftArrowShape::outline(CGPath& path, float w, float h) const {
    const float r = resolvedRadius(h), p = pointDepth(h);
    path.moveToPoint(nullptr, 0, std::floor(h / 2));
    path.addArcToPoint(nullptr, p, 0, std::floor(w - r), 0, r * 2);
    path.addArcToPoint(nullptr, w, 0, w, std::floor(r), r);
    path.addArcToPoint(nullptr, w, h, std::floor(p + r * 2), h, r);
    path.addArcToPoint(nullptr, p, h, 0, std::floor(h / 2), r * 2);
}

void TTRoundedLeftArrowShape::addToPath(CGRect rect) {
    CGPath path;
    outline(path, rect.size.width, rect.size.height);
    addPathBetween(rect, path);
}

void TTRoundedLeftArrowShape::addInverseToPath(CGRect rect) {
    const float w = rect.size.width, h = rect.size.height;
    CGPath path;
    path.addRect(nullptr, CGRectMake(-5, -5, w + 10, h + 10));
    path.closeSubpath();
    outline(path, w, h);
    addPathBetween(rect, path);
}

void TTRoundedLeftArrowShape::addTopEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    ctx->moveToPoint(0, std::floor(h / 2));
    ctx->addArcToPoint(p, 0, std::floor(w - r), 0, r * 2);
    if (lightFromSide(lightSource)) ctx->addLineToPoint(std::floor(w - r), 0);
    else ctx->addArcToPoint(w, 0, w, std::floor(r), r);
}

void TTRoundedLeftArrowShape::addRightEdgeToPath(CGRect rect, int lightSource) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h);
    if (lightFromSide(lightSource)) {
        ctx->moveToPoint(std::floor(w - r), 0);
        ctx->addArcToPoint(w, 0, w, std::floor(r), r);
    } else {
        ctx->moveToPoint(w, r);
        ctx->addLineToPoint(w, h - r);
    }
}

void TTRoundedLeftArrowShape::addBottomEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float w = rect.size.width, h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    ctx->moveToPoint(w, std::floor(h - r));
    ctx->addArcToPoint(w, h, std::floor(p + r * 2), h, r);
    ctx->addLineToPoint(std::floor(p + r * 2) - 1, h);
}

void TTRoundedLeftArrowShape::addLeftEdgeToPath(CGRect rect, int) {
    CGContext* ctx = context();
    if (!ctx) return;
    const float h = rect.size.height;
    const float r = resolvedRadius(h), p = pointDepth(h);
    ctx->moveToPoint(std::floor(p + r * 2), h);
    ctx->addArcToPoint(p, h, 0, std::floor(h / 2), r * 2);
    ctx->addLineToPoint(0, std::floor(h / 2));
}
