#include "toolkit/style/TTShadowStyle.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTStyleCoding.h"

using namespace TTStyleCoding;

std::shared_ptr<TTShadowStyle> TTShadowStyle::styleWithColor(UIColorPtr color, float blur, CGSize offset,
                                                             TTStylePtr next) {
    return make<TTShadowStyle>(std::move(color), blur, offset, std::move(next));
}

namespace {
// Room the shadow takes before and after the shape along one axis.
std::pair<float, float> room(float b, double offset) {
    if (offset == 0) return {b, b};
    const float extent = static_cast<float>(3.0 * b + std::fabs(offset));
    return offset < 0 ? std::make_pair(extent, 0.0f) : std::make_pair(0.0f, extent);
}
}  // namespace

void TTShadowStyle::draw(TTStyleContext& context) {
    const float b = static_cast<float>(std::round(blur / 2));
    const auto [left, right] = room(b, offset.width);
    const auto [top, bottom] = room(b, offset.height);
    const UIEdgeInsets insets = UIEdgeInsetsMake(top, left, bottom, right);
    context.frame = UIEdgeInsetsInsetRect(context.frame, insets);
    context.contentFrame = UIEdgeInsetsInsetRect(context.contentFrame, insets);
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) {
        drawNext(context);
        return;
    }
    ctx->saveGState();
    context.shape()->addToPath(context.frame);
    // Our contexts take shadow offsets with y downwards, as the style gives them.
    ctx->setShadowWithColor(offset, blur, color.get());
    ctx->beginTransparencyLayer();
    drawNext(context);
    ctx->endTransparencyLayer();
    ctx->restoreGState();
}

CGSize TTShadowStyle::addToSize(CGSize size, TTStyleContext& context) {
    const float b = static_cast<float>(std::round(blur / 2));
    size.width += offset.width + (offset.width ? b : 0) + b * 2;
    size.height += offset.height + (offset.height ? b : 0) + b * 2;
    return nextSize(size, context);
}

void TTShadowStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, color, "color");
    coder.encodeFloat(blur, "blur");
    encodeSize(coder, offset, "offset");
}

void TTShadowStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    color = decodeColor(coder, "color");
    blur = coder.decodeFloat("blur");
    offset = decodeSize(coder, "offset");
}

std::shared_ptr<TTInnerShadowStyle> TTInnerShadowStyle::styleWithColor(UIColorPtr color, float blur, CGSize offset,
                                                                       TTStylePtr next) {
    return make<TTInnerShadowStyle>(std::move(color), blur, offset, std::move(next));
}

void TTInnerShadowStyle::draw(TTStyleContext& context) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        ctx->saveGState();
        context.shape()->addToPath(context.frame);
        ctx->clip();
        context.shape()->addInverseToPath(context.frame);
        ctx->setFillColorWithColor(*UIColor::whiteColor());
        ctx->setShadowWithColor(offset, blur, color.get());
        ctx->eoFillPath();
        ctx->restoreGState();
    }
    drawNext(context);
}
