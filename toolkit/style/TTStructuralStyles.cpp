#include "toolkit/style/TTStructuralStyles.h"

#include "platform/graphics/CGContext.h"
#include "toolkit/style/TTStyleCoding.h"

using namespace TTStyleCoding;

std::shared_ptr<TTContentStyle> TTContentStyle::styleWithNext(TTStylePtr next) {
    return std::make_shared<TTContentStyle>(std::move(next));
}

void TTContentStyle::draw(TTStyleContext& context) {
    if (context.delegate && context.delegate->drawLayer(context, this)) context.didDrawContent = true;
    drawNext(context);
}

std::shared_ptr<TTPartStyle> TTPartStyle::styleWithName(std::string name, TTStylePtr style, TTStylePtr next) {
    auto s = std::make_shared<TTPartStyle>(std::move(next));
    s->name = std::move(name);
    s->style = std::move(style);
    return s;
}

void TTPartStyle::drawPart(TTStyleContext& context) {
    if (style) style->draw(context);
}

void TTPartStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    coder.encodeString(name, "name");
    coder.encodeObject(style.get(), "style");
}

void TTPartStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    name = coder.decodeString("name").value_or("");
    style = coder.decodeObjectOfClass<TTStyle>("style");
}

std::shared_ptr<TTShapeStyle> TTShapeStyle::styleWithShape(TTShapePtr shape, TTStylePtr next) {
    auto s = std::make_shared<TTShapeStyle>(std::move(next));
    s->shape = std::move(shape);
    return s;
}

void TTShapeStyle::draw(TTStyleContext& context) {
    const UIEdgeInsets insets = shape ? shape->insetsForSize(context.frame.size) : UIEdgeInsets{};
    context.contentFrame = UIEdgeInsetsInsetRect(context.contentFrame, insets);
    context.setShape(shape);
    drawNext(context);
}

UIEdgeInsets TTShapeStyle::addToInsets(UIEdgeInsets insets, CGSize size) {
    if (shape) {
        const UIEdgeInsets own = shape->insetsForSize(size);
        insets.top += own.top;
        insets.left += own.left;
        insets.bottom += own.bottom;
        insets.right += own.right;
    }
    return TTStyle::addToInsets(insets, size);
}

CGSize TTShapeStyle::addToSize(CGSize size, TTStyleContext& context) {
    // The shape's room depends on the size the rest of the chain asks for.
    CGSize answer = next() ? next()->addToSize(size, context) : CGSizeMake(0, 0);
    if (shape) {
        const UIEdgeInsets insets = shape->insetsForSize(answer);
        answer.width += insets.left + insets.right;
        answer.height += insets.top + insets.bottom;
    }
    return answer;
}

void TTShapeStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    coder.encodeObject(shape.get(), "shape");
}

void TTShapeStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    shape = coder.decodeObjectOfClass<TTShape>("shape");
}

std::shared_ptr<TTInsetStyle> TTInsetStyle::styleWithInset(UIEdgeInsets inset, TTStylePtr next) {
    auto s = std::make_shared<TTInsetStyle>(std::move(next));
    s->inset = inset;
    return s;
}

void TTInsetStyle::draw(TTStyleContext& context) {
    context.frame = UIEdgeInsetsInsetRect(context.frame, inset);
    drawNext(context);
}

UIEdgeInsets TTInsetStyle::addToInsets(UIEdgeInsets insets, CGSize size) {
    insets.top += inset.top;
    insets.left += inset.left;
    insets.bottom += inset.bottom;
    insets.right += inset.right;
    return TTStyle::addToInsets(insets, size);
}

void TTInsetStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeInsets(coder, inset, "inset");
}

void TTInsetStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    inset = decodeInsets(coder, "inset");
}

std::shared_ptr<TTBoxStyle> TTBoxStyle::styleWithMargin(UIEdgeInsets margin, TTStylePtr next) {
    return styleWithMargin(margin, {}, {}, TTPositionStatic, std::move(next));
}
std::shared_ptr<TTBoxStyle> TTBoxStyle::styleWithPadding(UIEdgeInsets padding, TTStylePtr next) {
    return styleWithMargin({}, padding, {}, TTPositionStatic, std::move(next));
}
std::shared_ptr<TTBoxStyle> TTBoxStyle::styleWithFloats(int position, TTStylePtr next) {
    return styleWithMargin({}, {}, {}, position, std::move(next));
}
std::shared_ptr<TTBoxStyle> TTBoxStyle::styleWithMargin(UIEdgeInsets margin, UIEdgeInsets padding, TTStylePtr next) {
    return styleWithMargin(margin, padding, {}, TTPositionStatic, std::move(next));
}
std::shared_ptr<TTBoxStyle> TTBoxStyle::styleWithMargin(UIEdgeInsets margin, UIEdgeInsets padding, CGSize minSize,
                                                        int position, TTStylePtr next) {
    auto s = std::make_shared<TTBoxStyle>(std::move(next));
    s->margin = margin;
    s->padding = padding;
    s->minSize = minSize;
    s->position = position;
    return s;
}

void TTBoxStyle::draw(TTStyleContext& context) {
    context.contentFrame = UIEdgeInsetsInsetRect(context.contentFrame, padding);
    drawNext(context);
}

CGSize TTBoxStyle::addToSize(CGSize size, TTStyleContext& context) {
    size.width += padding.left + padding.right;
    size.height += padding.top + padding.bottom;
    return nextSize(size, context);
}

void TTBoxStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeInsets(coder, margin, "margin");
    encodeInsets(coder, padding, "padding");
    encodeSize(coder, minSize, "minSize");
    coder.encodeInteger(position, "position");
}

void TTBoxStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    margin = decodeInsets(coder, "margin");
    padding = decodeInsets(coder, "padding");
    minSize = decodeSize(coder, "minSize");
    position = static_cast<int>(coder.decodeInteger("position"));
}

std::shared_ptr<TTMaskStyle> TTMaskStyle::styleWithMask(UIImagePtr mask, TTStylePtr next) {
    auto s = std::make_shared<TTMaskStyle>(std::move(next));
    s->mask = std::move(mask);
    return s;
}

void TTMaskStyle::draw(TTStyleContext& context) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!mask || !ctx) {
        drawNext(context);
        return;
    }
    ctx->saveGState();
    ctx->translateCTM(0, context.frame.size.height);
    ctx->scaleCTM(1, -1);
    ctx->clipToMask(CGRectMake(0, 0, mask->size().width, mask->size().height), *mask);
    drawNext(context);
    ctx->restoreGState();
}

void TTMaskStyle::encodeWithCoder(NSKeyedArchiver& coder) const {
    TTStyle::encodeWithCoder(coder);
    encodeImage(coder, mask, "mask");
}

void TTMaskStyle::decodeWithCoder(NSKeyedUnarchiver& coder) {
    TTStyle::decodeWithCoder(coder);
    mask = decodeImage(coder, "mask");
}
