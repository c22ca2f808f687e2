#include "toolkit/style/TTBorderStyles.h"

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTStyleCoding.h"
#include "toolkit/foundation/UIColor+TTCategory.h"

using namespace TTStyleCoding;

namespace {

CGRect insetAll(CGRect r, CGFloat d) { return UIEdgeInsetsInsetRect(r, UIEdgeInsetsMake(d, d, d, d)); }

using EdgeAdder = void (TTShape::*)(CGRect, int);
constexpr EdgeAdder kEdges[4] = {&TTShape::addTopEdgeToPath, &TTShape::addRightEdgeToPath,
                                 &TTShape::addBottomEdgeToPath, &TTShape::addLeftEdgeToPath};

// Strokes each side of the shape for E in its colour (clear when none), inside one path opening.
void strokeSides(TTStyleContext& context, CGRect e, float width, int lightSource,
                 const std::array<UIColorPtr, 4>& colors) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    TTShape& shape = *context.shape();
    shape.openPath(e);
    ctx->setLineWidth(width);
    for (int side = 0; side < 4; ++side) {
        (shape.*kEdges[side])(e, lightSource);
        ctx->setStrokeColorWithColor(colors[side] ? *colors[side] : *UIColor::clearColor());
        ctx->strokePath();
    }
    ctx->restoreGState();
}

}  // namespace

std::shared_ptr<TTSolidBorderStyle> TTSolidBorderStyle::styleWithColor(UIColorPtr color, float width,
                                                                       TTStylePtr next) {
    auto s = std::make_shared<TTSolidBorderStyle>(std::move(next));
    s->color = std::move(color);
    s->width = width;
    return s;
}

void TTSolidBorderStyle::draw(TTStyleContext& context) {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) {
        ctx->saveGState();
        context.shape()->addToPath(insetAll(context.frame, width / 2));
        if (color) ctx->setStrokeColorWithColor(*color);
        ctx->setLineWidth(width);
        ctx->strokePath();
        ctx->restoreGState();
    }
    context.frame = insetAll(context.frame, width);
    drawNext(context);
}

void TTSolidBorderStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, color, "color");
    coder.encodeFloat(width, "width");
}

void TTSolidBorderStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    color = decodeColor(coder, "color");
    width = coder.decodeFloat("width");
}

std::shared_ptr<TTFourBorderStyle> TTFourBorderStyle::styleWithTop(UIColorPtr top, UIColorPtr right,
                                                                   UIColorPtr bottom, UIColorPtr left, float width,
                                                                   TTStylePtr next) {
    auto s = std::make_shared<TTFourBorderStyle>(std::move(next));
    s->top = std::move(top);
    s->right = std::move(right);
    s->bottom = std::move(bottom);
    s->left = std::move(left);
    s->width = width;
    return s;
}
std::shared_ptr<TTFourBorderStyle> TTFourBorderStyle::styleWithTop(UIColorPtr top, float width, TTStylePtr next) {
    return styleWithTop(std::move(top), nullptr, nullptr, nullptr, width, std::move(next));
}
std::shared_ptr<TTFourBorderStyle> TTFourBorderStyle::styleWithRight(UIColorPtr right, float width, TTStylePtr next) {
    return styleWithTop(nullptr, std::move(right), nullptr, nullptr, width, std::move(next));
}
std::shared_ptr<TTFourBorderStyle> TTFourBorderStyle::styleWithBottom(UIColorPtr bottom, float width,
                                                                      TTStylePtr next) {
    return styleWithTop(nullptr, nullptr, std::move(bottom), nullptr, width, std::move(next));
}
std::shared_ptr<TTFourBorderStyle> TTFourBorderStyle::styleWithLeft(UIColorPtr left, float width, TTStylePtr next) {
    return styleWithTop(nullptr, nullptr, nullptr, std::move(left), width, std::move(next));
}

void TTFourBorderStyle::draw(TTStyleContext& context) {
    const CGRect start = context.frame;
    strokeSides(context, insetAll(start, width / 2), width, 125, {top, right, bottom, left});
    context.frame = UIEdgeInsetsInsetRect(start, UIEdgeInsetsMake(top ? width : 0, left ? width : 0,
                                                                  bottom ? width : 0, right ? width : 0));
    drawNext(context);
}

void TTFourBorderStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, top, "top");
    encodeColor(coder, right, "right");
    encodeColor(coder, bottom, "bottom");
    encodeColor(coder, left, "left");
    coder.encodeFloat(width, "width");
}

void TTFourBorderStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    top = decodeColor(coder, "top");
    right = decodeColor(coder, "right");
    bottom = decodeColor(coder, "bottom");
    left = decodeColor(coder, "left");
    width = coder.decodeFloat("width");
}

std::shared_ptr<TTBevelBorderStyle> TTBevelBorderStyle::styleWithHighlight(UIColorPtr highlight, UIColorPtr shadow,
                                                                           float width, int lightSource,
                                                                           TTStylePtr next) {
    auto s = std::make_shared<TTBevelBorderStyle>(std::move(next));
    s->highlight = std::move(highlight);
    s->shadow = std::move(shadow);
    s->width = width;
    s->lightSource = lightSource;
    return s;
}

std::shared_ptr<TTBevelBorderStyle> TTBevelBorderStyle::styleWithColor(UIColorPtr color, float width,
                                                                       TTStylePtr next) {
    return styleWithHighlight(color ? tt::highlight(*color) : nullptr, color ? tt::shadow(*color) : nullptr, width,
                              125, std::move(next));
}

std::array<UIColorPtr, 4> TTBevelBorderStyle::sideColors() const {
    const int l = lightSource;
    auto lit = [&](bool on) { return on ? highlight : shadow; };
    return {lit(l >= 0 && l <= 180), lit((l >= 0 && l <= 90) || (l >= 270 && l <= 360)),
            lit(l == 0 || (l >= 180 && l <= 360)), lit(l >= 90 && l <= 270)};
}

void TTBevelBorderStyle::draw(TTStyleContext& context) {
    const CGRect start = context.frame;
    const std::array<UIColorPtr, 4> colors = sideColors();
    strokeSides(context, insetAll(start, width / 2), width, lightSource, colors);
    CGRect g = start;
    if (colors[0]) g.origin.y += width, g.size.height -= width;
    if (colors[1]) g.size.width -= width;
    if (colors[2]) g.size.height -= width;
    if (colors[3]) g.origin.x += width, g.size.width -= width;
    context.frame = g;
    drawNext(context);
}

void TTBevelBorderStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeColor(coder, highlight, "highlight");
    encodeColor(coder, shadow, "shadow");
    coder.encodeFloat(width, "width");
    coder.encodeInteger(lightSource, "lightSource");
}

void TTBevelBorderStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    highlight = decodeColor(coder, "highlight");
    shadow = decodeColor(coder, "shadow");
    width = coder.decodeFloat("width");
    lightSource = static_cast<int>(coder.decodeInteger("lightSource"));
}
