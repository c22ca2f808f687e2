#include "toolkit/style/TTShadowStyle.h"

#include <algorithm>
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
    CGContext* ctx = UIGraphicsGetCurrentContext();
    const CGRect f = context.frame;
    if (ctx && f.size.width > 0 && f.size.height > 0) {
        // The outside of the shape casts the shadow. It is drawn in an image with room around
        // the frame, so that the part of the outside beyond the target still casts, and then
        // only what falls inside the shape is kept.
        const CGFloat margin = std::ceil(6 + blur + std::max(std::fabs(offset.width), std::fabs(offset.height)));
        const CGRect area = CGRectInset(f, -margin, -margin);
        const CGRect local = CGRectMake(margin, margin, f.size.width, f.size.height);
        UIGraphicsBeginImageContextWithOptions(area.size, false, ctx->scale());
        if (CGContext* image = UIGraphicsGetCurrentContext(); image && image != ctx) {
            context.shape()->addInverseToPath(local);
            image->setFillColorWithColor(*UIColor::whiteColor());
            image->setShadowWithColor(offset, blur, color.get());
            image->eoFillPath();
            image->setShadowWithColor(CGSizeMake(0, 0), 0, nullptr);
            image->setBlendMode(kCGBlendModeDestinationIn);
            context.shape()->addToPath(local);
            image->fillPath();
            const UIImagePtr shadow = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            if (shadow) shadow->drawInRect(area);
        } else if (image) {
            UIGraphicsEndImageContext();
        }
    }
    drawNext(context);
}
