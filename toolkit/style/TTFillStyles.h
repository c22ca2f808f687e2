#pragma once
// Links that paint the area of the context's shape: a solid colour, a vertical two-colour
// gradient, and one colour with a glossy highlight over its upper half.

#include "toolkit/style/TTStyle.h"

class TTSolidFillStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTSolidFillStyle> styleWithColor(UIColorPtr color, TTStylePtr next);
    UIColorPtr color;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTSolidFillStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

class TTLinearGradientFillStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTLinearGradientFillStyle> styleWithColor1(UIColorPtr color1, UIColorPtr color2,
                                                                      TTStylePtr next);
    UIColorPtr color1, color2;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTLinearGradientFillStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

class TTReflectiveFillStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTReflectiveFillStyle> styleWithColor(UIColorPtr color, TTStylePtr next);
    UIColorPtr color;
    // The gloss's top and bottom colours for a base colour.
    static std::pair<UIColorPtr, UIColorPtr> glossColors(const UIColor& base);
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTReflectiveFillStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};
