#pragma once
// The links that shape the chain rather than paint: content, part, shape, inset, box and mask.

#include "toolkit/style/TTStyle.h"

// Lets the delegate draw its own content at this point of the chain.
class TTContentStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTContentStyle> styleWithNext(TTStylePtr next);
    std::string archiveClassName() const override { return "TTContentStyle"; }
    void draw(TTStyleContext& context) override;
};

// A named sub-chain that the chain's owner draws on its own (drawPart).
class TTPartStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTPartStyle> styleWithName(std::string name, TTStylePtr style, TTStylePtr next);
    std::string name;
    TTStylePtr style;
    void drawPart(TTStyleContext& context);
    std::string archiveClassName() const override { return "TTPartStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

class TTShapeStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTShapeStyle> styleWithShape(TTShapePtr shape, TTStylePtr next);
    TTShapePtr shape;
    void draw(TTStyleContext& context) override;
    UIEdgeInsets addToInsets(UIEdgeInsets insets, CGSize size) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTShapeStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

// Narrows the frame (not the content frame) for the links after it.
class TTInsetStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTInsetStyle> styleWithInset(UIEdgeInsets inset, TTStylePtr next);
    UIEdgeInsets inset{};
    void draw(TTStyleContext& context) override;
    UIEdgeInsets addToInsets(UIEdgeInsets insets, CGSize size) override;
    std::string archiveClassName() const override { return "TTInsetStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

enum TTPosition { TTPositionStatic = 0, TTPositionAbsolute = 1, TTPositionFloatLeft = 2, TTPositionFloatRight = 3 };

// Padding for the chain; margin, minimum size and position for the styled-text layout.
class TTBoxStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTBoxStyle> styleWithMargin(UIEdgeInsets margin, TTStylePtr next);
    static std::shared_ptr<TTBoxStyle> styleWithPadding(UIEdgeInsets padding, TTStylePtr next);
    static std::shared_ptr<TTBoxStyle> styleWithFloats(int position, TTStylePtr next);
    static std::shared_ptr<TTBoxStyle> styleWithMargin(UIEdgeInsets margin, UIEdgeInsets padding, TTStylePtr next);
    static std::shared_ptr<TTBoxStyle> styleWithMargin(UIEdgeInsets margin, UIEdgeInsets padding, CGSize minSize,
                                                       int position, TTStylePtr next);
    UIEdgeInsets margin{};
    UIEdgeInsets padding{};
    CGSize minSize{};
    int position = TTPositionStatic;
    void draw(TTStyleContext& context) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTBoxStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

// Draws the rest of the chain through the mask image's alpha.
class TTMaskStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTMaskStyle> styleWithMask(UIImagePtr mask, TTStylePtr next);
    UIImagePtr mask;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTMaskStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};
