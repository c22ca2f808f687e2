#include "toolkit/style/TTFillStyles.h"

#include <algorithm>

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTStyleCoding.h"
#include "toolkit/foundation/UIColor+TTCategory.h"

using namespace TTStyleCoding;

std::shared_ptr<TTSolidFillStyle> TTSolidFillStyle::styleWithColor(UIColorPtr color, TTStylePtr next) {
    auto s = std::make_shared<TTSolidFillStyle>(std::move(next));
    s->color = std::move(color);
    return s;
}

void TTSolidFillStyle::draw(TTStyleContext& context) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        ctx->saveGState();
        context.shape()->addToPath(context.frame);
        if (color) ctx->setFillColorWithColor(*color);
        ctx->fillPath();
        ctx->restoreGState();
    }
    drawNext(context);
}

void TTSolidFillStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, color, "color");
}

void TTSolidFillStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    color = decodeColor(coder, "color");
}

std::shared_ptr<TTLinearGradientFillStyle> TTLinearGradientFillStyle::styleWithColor1(UIColorPtr color1,
                                                                                      UIColorPtr color2,
                                                                                      TTStylePtr next) {
    auto s = std::make_shared<TTLinearGradientFillStyle>(std::move(next));
    s->color1 = std::move(color1);
    s->color2 = std::move(color2);
    return s;
}

void TTLinearGradientFillStyle::draw(TTStyleContext& context) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        const CGRect f = context.frame;
        ctx->saveGState();
        context.shape()->addToPath(f);
        ctx->clip();
        if (CGGradientRef gradient = newGradientWithColors({color1, color2}))
            ctx->drawLinearGradient(*gradient, CGPointMake(f.origin.x, f.origin.y),
                                    CGPointMake(f.origin.x, f.origin.y + f.size.height),
                                    kCGGradientDrawsAfterEndLocation);
        ctx->restoreGState();
    }
    drawNext(context);
}

void TTLinearGradientFillStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, color1, "color1");
    encodeColor(coder, color2, "color2");
}

void TTLinearGradientFillStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    color1 = decodeColor(coder, "color1");
    color2 = decodeColor(coder, "color2");
}

std::shared_ptr<TTReflectiveFillStyle> TTReflectiveFillStyle::styleWithColor(UIColorPtr color, TTStylePtr next) {
    auto s = std::make_shared<TTReflectiveFillStyle>(std::move(next));
    s->color = std::move(color);
    return s;
}

std::pair<UIColorPtr, UIColorPtr> TTReflectiveFillStyle::glossColors(const UIColor& base) {
    const float h = tt::hue(base), s = tt::saturation(base), v = tt::value(base);
    auto clamp = [](double x) { return static_cast<float>(std::clamp(x, 0.0, 1.0)); };
    float ts, tv, bs, bv;
    if (v < 0.5) {
        ts = clamp(s - 0.5), tv = clamp(v + 0.25);
        bs = clamp(s - 0.1), bv = clamp(v + 0.1);
    } else {
        if (s > 0.6) ts = static_cast<float>(s * 0.3), tv = v;
        else ts = static_cast<float>(s * 0.4), tv = static_cast<float>(v * 1.2);
        bs = static_cast<float>(s * 0.9), bv = static_cast<float>(v + 0.05);
    }
    return {tt::colorWithHue(h, ts, tv, 1), tt::colorWithHue(h, bs, bv, 1)};
}

void TTReflectiveFillStyle::draw(TTStyleContext& context) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        const CGRect f = context.frame;
        ctx->saveGState();
        context.shape()->addToPath(f);
        ctx->clip();
        if (color) {
            ctx->setFillColorWithColor(*color);
            ctx->fillRect(f);
            const auto [top, bottom] = glossColors(*color);
            if (CGGradientRef gradient = newGradientWithColors({top, bottom}))
                ctx->drawLinearGradient(*gradient, CGPointMake(f.origin.x, f.origin.y),
                                        CGPointMake(f.origin.x, f.origin.y + f.size.height * 0.5),
                                        kCGGradientDrawsBeforeStartLocation);
        }
        ctx->restoreGState();
    }
    drawNext(context);
}

void TTReflectiveFillStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, color, "color");
}

void TTReflectiveFillStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    color = decodeColor(coder, "color");
}
