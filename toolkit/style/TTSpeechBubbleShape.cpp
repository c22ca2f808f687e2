#include "toolkit/style/TTSpeechBubbleShape.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTStyleCoding.h"

std::shared_ptr<TTSpeechBubbleShape> TTSpeechBubbleShape::shapeWithRadius(float radius, float pointLocation,
                                                                          float pointAngle, CGSize pointSize) {
    auto shape = std::make_shared<TTSpeechBubbleShape>();
    shape->radius = radius;
    shape->pointLocation = pointLocation;
    shape->pointAngle = pointAngle;
    shape->pointSize = pointSize;
    return shape;
}

std::shared_ptr<NSCoding> TTSpeechBubbleShape::decode(NSKeyedUnarchiver& coder) {
    return shapeWithRadius(coder.decodeFloat("radius"), coder.decodeFloat("pointLocation"),
                           coder.decodeFloat("pointAngle"), TTStyleCoding::decodeSize(coder, "pointSize"));
}

void TTSpeechBubbleShape::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTShape::encodeWithCoder(coder);
    coder.encodeFloat(radius, "radius");
    coder.encodeFloat(pointLocation, "pointLocation");
    coder.encodeFloat(pointAngle, "pointAngle");
    TTStyleCoding::encodeSize(coder, pointSize, "pointSize");
}

CGRect TTSpeechBubbleShape::subtractPointFromRect(CGRect rect) const {
    const CGFloat w = rect.size.width, h = rect.size.height, pw = pointSize.width, ph = pointSize.height;
    const float loc = pointLocation, ang = pointAngle;
    auto in = [](float v, float from, float to) { return v >= from && v < to; };
    if (in(loc, 0, 45) || in(loc, 315, 360)) {
        if (in(ang, 270, 360) || in(ang, 0, 90)) return CGRectMake(pw, 0, w - pw, h);
    } else if (in(loc, 45, 135)) {
        if (in(ang, 0, 180)) return CGRectMake(0, ph, w, h - ph);
    } else if (in(loc, 135, 225)) {
        if (in(ang, 90, 270)) return CGRectMake(0, 0, w - pw, h);
    } else if (in(loc, 225, 315)) {
        if (in(ang, 180, 360)) return CGRectMake(0, 0, w, h - ph);
    }
    return CGRectMake(0, 0, w, h);
}

void TTSpeechBubbleShape::addTopEdge(CGSize size, int lightSource, CGPath& path, bool reset) const {
    const CGFloat w = size.width, r = resolve(radius, size.height);
    if (lightFromSide(lightSource)) {
        if (reset) path.moveToPoint(nullptr, r, 0);
    } else {
        if (reset) path.moveToPoint(nullptr, 0, r);
        path.addArcToPoint(nullptr, 0, 0, r, 0, r);
    }
    if (pointLocation >= 45 && pointLocation <= 135) {
        const CGFloat x = (pointLocation - 45) / 90 * w, half = std::floor(pointSize.width / 2);
        path.addLineToPoint(nullptr, x - half, 0);
        path.addLineToPoint(nullptr, x, pointsUp() ? -pointSize.height : pointSize.height);
        path.addLineToPoint(nullptr, x + half, 0);
    }
    path.addArcToPoint(nullptr, w, 0, w, r, r);
}

void TTSpeechBubbleShape::addRightEdge(CGSize size, int, CGPath& path, bool reset) const {
    const CGFloat w = size.width, h = size.height, r = resolve(radius, h);
    if (reset) path.moveToPoint(nullptr, w, r);
    path.addArcToPoint(nullptr, w, h, w - r, h, r);
}

void TTSpeechBubbleShape::addBottomEdge(CGSize size, int, CGPath& path, bool reset) const {
    const CGFloat w = size.width, h = size.height, r = resolve(radius, h);
    if (reset) path.moveToPoint(nullptr, w - r, h);
    if (pointLocation >= 225 && pointLocation <= 315) {
        const CGFloat x = w - (pointLocation - 225) / 90 * w, half = std::floor(pointSize.width / 2);
        path.addLineToPoint(nullptr, x + half, h);
        path.addLineToPoint(nullptr, x, pointsUp() ? h - pointSize.height : h + pointSize.height);
        path.addLineToPoint(nullptr, x - half, h);
        path.addLineToPoint(nullptr, r, h);
    }
    path.addArcToPoint(nullptr, 0, h, 0, h - r, r);
}

void TTSpeechBubbleShape::addLeftEdge(CGSize size, int lightSource, CGPath& path, bool reset) const {
    const CGFloat h = size.height, r = resolve(radius, h);
    if (reset) path.moveToPoint(nullptr, 0, h - r);
    if (lightFromSide(lightSource)) path.addArcToPoint(nullptr, 0, 0, r, 0, r);
    else path.addLineToPoint(nullptr, 0, r);
}

void TTSpeechBubbleShape::addToPath(CGSize size, CGPath& path) const {
    addTopEdge(size, 0, path, true);
    addRightEdge(size, 0, path, false);
    addBottomEdge(size, 0, path, false);
    addLeftEdge(size, 0, path, false);
}

void TTSpeechBubbleShape::drawPath(const CGPath& path, CGRect rect) {
    CGContext* ctx = context();
    if (!ctx) return;
    ctx->translateCTM(rect.origin.x, rect.origin.y);
    ctx->addPath(path);
    ctx->translateCTM(-rect.origin.x, -rect.origin.y);
}

void TTSpeechBubbleShape::addToPath(CGRect rect) {
    openPath(rect);
    const CGRect body = subtractPointFromRect(rect);
    CGPath path;
    addToPath(body.size, path);
    path.closeSubpath();
    drawPath(path, body);
    closePath(rect);
}

void TTSpeechBubbleShape::addInverseToPath(CGRect rect) {
    openPath(rect);
    const CGRect body = subtractPointFromRect(rect);
    CGPath path;
    path.addRect(nullptr, CGRectMake(-5, -5, body.size.width + 10, body.size.height + 10));
    path.closeSubpath();
    addToPath(body.size, path);
    path.closeSubpath();
    drawPath(path, body);
    closePath(rect);
}

void TTSpeechBubbleShape::edge(CGRect rect, int lightSource,
                               void (TTSpeechBubbleShape::*add)(CGSize, int, CGPath&, bool) const) const {
    const CGRect body = subtractPointFromRect(rect);
    CGPath path;
    (this->*add)(body.size, lightSource, path, true);
    drawPath(path, body);
}

void TTSpeechBubbleShape::addTopEdgeToPath(CGRect rect, int lightSource) {
    edge(rect, lightSource, &TTSpeechBubbleShape::addTopEdge);
}
void TTSpeechBubbleShape::addRightEdgeToPath(CGRect rect, int lightSource) {
    edge(rect, lightSource, &TTSpeechBubbleShape::addRightEdge);
}
void TTSpeechBubbleShape::addBottomEdgeToPath(CGRect rect, int lightSource) {
    edge(rect, lightSource, &TTSpeechBubbleShape::addBottomEdge);
}
void TTSpeechBubbleShape::addLeftEdgeToPath(CGRect rect, int lightSource) {
    edge(rect, lightSource, &TTSpeechBubbleShape::addLeftEdge);
}
