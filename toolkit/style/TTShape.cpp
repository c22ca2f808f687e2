#include "toolkit/style/TTShape.h"

#include <cmath>
#include <mutex>

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTSpeechBubbleShape.h"

void TTShape::registerArchiveClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        NSKeyedUnarchiver::registerClass("TTShape", [](NSKeyedUnarchiver&) { return std::make_shared<TTShape>(); });
        NSKeyedUnarchiver::registerClass("TTRectangleShape",
                                         [](NSKeyedUnarchiver&) { return std::make_shared<TTRectangleShape>(); });
        NSKeyedUnarchiver::registerClass("TTRoundedRectangleShape", TTRoundedRectangleShape::decode);
        NSKeyedUnarchiver::registerClass("TTRoundedRightArrowShape", TTRoundedRightArrowShape::decode);
        NSKeyedUnarchiver::registerClass("TTRoundedLeftArrowShape", TTRoundedLeftArrowShape::decode);
        NSKeyedUnarchiver::registerClass("TTSpeechBubbleShape", TTSpeechBubbleShape::decode);
    });
}

std::shared_ptr<TTShape> TTShape::copy() const {
    registerArchiveClasses();
    return std::dynamic_pointer_cast<TTShape>(NSKeyedUnarchiver::copyByArchiving(*this));
}

CGContext* TTShape::context() { return UIGraphicsGetCurrentContext(); }

float TTShape::resolve(float radius, float height) {
    return radius == TTRoundedRadius ? static_cast<float>(std::round(height / 2)) : radius;
}

void TTShape::openPath(CGRect rect) {
    CGContext* ctx = context();
    if (!ctx) return;
    ctx->saveGState();
    ctx->translateCTM(rect.origin.x, rect.origin.y);
    ctx->beginPath();
}

void TTShape::closePath(CGRect) {
    CGContext* ctx = context();
    if (!ctx) return;
    ctx->closePath();
    ctx->restoreGState();
}

void TTShape::addPathBetween(CGRect rect, const CGPath& path) {
    openPath(rect);
    if (CGContext* ctx = context()) ctx->addPath(path);
    closePath(rect);
}

std::shared_ptr<TTRectangleShape> TTRectangleShape::shape() {
    static const auto shared = std::make_shared<TTRectangleShape>();
    return shared;
}

void TTRectangleShape::addToPath(CGRect rect) {
    openPath(rect);
    if (CGContext* ctx = context()) ctx->addRect(CGRectMake(0, 0, rect.size.width, rect.size.height));
    closePath(rect);
}

void TTRectangleShape::addInverseToPath(CGRect rect) {
    const CGFloat w = rect.size.width, h = rect.size.height;
    CGPath path;
    path.addRect(nullptr, CGRectMake(-5, -5, w + 10, h + 10));
    path.closeSubpath();
    path.addRect(nullptr, CGRectMake(0, 0, w, h));
    path.closeSubpath();
    addPathBetween(rect, path);
}

namespace {
void line(CGPoint from, CGPoint to) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        ctx->moveToPoint(from.x, from.y);
        ctx->addLineToPoint(to.x, to.y);
    }
}
}  // namespace

void TTRectangleShape::addTopEdgeToPath(CGRect rect, int) { line({0, 0}, {rect.size.width, 0}); }
void TTRectangleShape::addRightEdgeToPath(CGRect rect, int) {
    line({rect.size.width, 0}, {rect.size.width, rect.size.height});
}
void TTRectangleShape::addBottomEdgeToPath(CGRect rect, int) {
    line({rect.size.width, rect.size.height}, {0, rect.size.height});
}
void TTRectangleShape::addLeftEdgeToPath(CGRect rect, int) { line({0, rect.size.height}, {0, 0}); }
