#include "toolkit/style/TTTextStyle.h"

#include <cfloat>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTStyleCoding.h"

using namespace TTStyleCoding;

std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, TTStylePtr next) {
    auto s = std::make_shared<TTTextStyle>(std::move(next));
    s->font = std::move(font);
    return s;
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithColor(UIColorPtr color, TTStylePtr next) {
    auto s = std::make_shared<TTTextStyle>(std::move(next));
    s->color = std::move(color);
    return s;
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, UIColorPtr color, TTStylePtr next) {
    auto s = styleWithFont(std::move(font), std::move(next));
    s->color = std::move(color);
    return s;
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, UIColorPtr color, int textAlignment,
                                                        TTStylePtr next) {
    auto s = styleWithFont(std::move(font), std::move(color), std::move(next));
    s->textAlignment = textAlignment;
    return s;
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, UIColorPtr color, UIColorPtr shadowColor,
                                                        CGSize shadowOffset, TTStylePtr next) {
    return styleWithFont(std::move(font), std::move(color), 0, std::move(shadowColor), shadowOffset, std::move(next));
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, UIColorPtr color, float minimumFontSize,
                                                        UIColorPtr shadowColor, CGSize shadowOffset, TTStylePtr next) {
    auto s = styleWithFont(std::move(font), std::move(color), std::move(next));
    s->minimumFontSize = minimumFontSize;
    s->shadowColor = std::move(shadowColor);
    s->shadowOffset = shadowOffset;
    return s;
}
std::shared_ptr<TTTextStyle> TTTextStyle::styleWithFont(UIFontPtr font, UIColorPtr color, float minimumFontSize,
                                                        UIColorPtr shadowColor, CGSize shadowOffset,
                                                        int textAlignment, int verticalAlignment, int lineBreakMode,
                                                        int numberOfLines, TTStylePtr next) {
    auto s = styleWithFont(std::move(font), std::move(color), minimumFontSize, std::move(shadowColor), shadowOffset,
                           std::move(next));
    s->textAlignment = textAlignment;
    s->verticalAlignment = verticalAlignment;
    s->lineBreakMode = lineBreakMode;
    s->numberOfLines = numberOfLines;
    return s;
}

CGRect TTTextStyle::rectForText(const std::string& text, CGSize size, const UIFont& font) const {
    if (textAlignment == UITextAlignmentLeft && verticalAlignment == 1) return CGRectMake(0, 0, size.width, size.height);
    const CGSize line = text.empty() ? CGSizeMake(0, 0) : sizeWithFont(text, font);
    const CGFloat boxWidth = std::max(size.width, line.width);
    CGFloat x = 0, y = 0;
    if (textAlignment == UITextAlignmentRight) x = boxWidth - line.width;
    else if (textAlignment == UITextAlignmentCenter) x = std::round(boxWidth / 2 - line.width / 2);
    if (verticalAlignment == 2) y = size.height - line.height;
    else if (verticalAlignment == 0) y = std::round(size.height / 2 - line.height / 2);
    return CGRectMake(x, y, line.width, line.height);
}

CGSize TTTextStyle::sizeOfText(const std::string& text, const UIFont& font, CGSize size) const {
    if (text.empty()) return CGSizeMake(0, 0);
    if (numberOfLines == 1) return sizeWithFont(text, font);
    // The platform takes 0 for an unbounded side; the largest float stands for one here.
    auto bound = [](CGFloat v) { return v > 0 && v < 1e6 ? v : 0; };
    return sizeWithFont(text, font, CGSizeMake(bound(size.width), bound(size.height)),
                        static_cast<UILineBreakMode>(lineBreakMode));
}

void TTTextStyle::drawText(const std::string& text, TTStyleContext& context) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    const UIFontPtr& f = font ? font : context.font;
    if (!ctx || !f) return;
    ctx->saveGState();
    // Our contexts take shadow offsets with y downwards, as the style gives them.
    if (shadowColor) ctx->setShadowWithColor(shadowOffset, 0, shadowColor.get());
    if (color) ctx->setFillColorWithColor(*color);
    const CGRect r = context.contentFrame;
    if (numberOfLines == 1) {
        const CGRect t = rectForText(text, r.size, *f);
        const CGFloat minSize = minimumFontSize ? minimumFontSize : f->pointSize();
        const CGSize drawn = drawAtPoint(text, CGPointMake(t.origin.x + r.origin.x, t.origin.y + r.origin.y),
                                         r.size.width, *f, minSize, nullptr,
                                         static_cast<UILineBreakMode>(lineBreakMode), UIBaselineAdjustmentAlignCenters);
        context.contentFrame = CGRectMake(t.origin.x, t.origin.y, drawn.width, drawn.height);
    } else {
        const CGSize drawn = drawInRect(text, r, *f, static_cast<UILineBreakMode>(lineBreakMode),
                                        static_cast<UITextAlignment>(textAlignment));
        context.contentFrame = CGRectMake(r.origin.x, r.origin.y, drawn.width, drawn.height);
    }
    ctx->restoreGState();
}

void TTTextStyle::draw(TTStyleContext& context) {
    if (context.delegate) {
        if (auto text = context.delegate->textForLayerWithStyle(this)) {
            context.didDrawContent = true;
            drawText(*text, context);
        }
        if (!context.didDrawContent && context.delegate->drawLayer(context, this)) context.didDrawContent = true;
    }
    drawNext(context);
}

CGSize TTTextStyle::addToSize(CGSize size, TTStyleContext& context) {
    if (context.delegate) {
        if (auto text = context.delegate->textForLayerWithStyle(this)) {
            const UIFontPtr& f = font ? font : context.font;
            if (f) {
                const CGFloat maxWidth = context.contentFrame.size.width ? context.contentFrame.size.width : FLT_MAX;
                const CGFloat maxHeight = numberOfLines ? numberOfLines * tt::lineHeight(*f) : FLT_MAX;
                const CGSize textSize = sizeOfText(*text, *f, CGSizeMake(maxWidth, maxHeight));
                size.width += textSize.width;
                size.height += textSize.height;
            }
        }
    }
    return nextSize(size, context);
}

void TTTextStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeFont(coder, font, "font");
    encodeColor(coder, color, "color");
    encodeColor(coder, shadowColor, "shadowColor");
    coder.encodeFloat(minimumFontSize, "minimumFontSize");
    coder.encodeInteger(textAlignment, "textAlignment");
    coder.encodeInteger(verticalAlignment, "verticalAlignment");
    coder.encodeInteger(lineBreakMode, "lineBreakMode");
    coder.encodeInteger(numberOfLines, "numberOfLines");
    encodeSize(coder, shadowOffset, "shadowOffset");
}

void TTTextStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    font = decodeFont(coder, "font");
    color = decodeColor(coder, "color");
    shadowColor = decodeColor(coder, "shadowColor");
    minimumFontSize = coder.decodeFloat("minimumFontSize");
    // Values outside the platform's ranges fall back to the defaults.
    auto inRange = [&](const char* key, long long lo, long long hi, int fallback) {
        const long long v = coder.decodeInteger(key);
        return v >= lo && v <= hi ? static_cast<int>(v) : fallback;
    };
    textAlignment = inRange("textAlignment", 0, 2, UITextAlignmentCenter);
    verticalAlignment = inRange("verticalAlignment", 0, 3, 0);
    lineBreakMode = inRange("lineBreakMode", 0, 5, UILineBreakModeTailTruncation);
    numberOfLines = coder.containsValueForKey("numberOfLines") ? inRange("numberOfLines", 0, 1 << 20, 1) : 1;
    shadowOffset = decodeSize(coder, "shadowOffset");
}
