#pragma once
// Borders: one colour all round, a colour per side, and a bevel whose sides take a highlight or
// a shadow colour by the direction of the light. Each narrows the frame for later links.

#include <array>

#include "toolkit/style/TTStyle.h"

class TTSolidBorderStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTSolidBorderStyle> styleWithColor(UIColorPtr color, float width, TTStylePtr next);
    UIColorPtr color;
    float width = 1;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTSolidBorderStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

class TTFourBorderStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTFourBorderStyle> styleWithTop(UIColorPtr top, UIColorPtr right, UIColorPtr bottom,
                                                           UIColorPtr left, float width, TTStylePtr next);
    static std::shared_ptr<TTFourBorderStyle> styleWithTop(UIColorPtr top, float width, TTStylePtr next);
    static std::shared_ptr<TTFourBorderStyle> styleWithRight(UIColorPtr right, float width, TTStylePtr next);
    static std::shared_ptr<TTFourBorderStyle> styleWithBottom(UIColorPtr bottom, float width, TTStylePtr next);
    static std::shared_ptr<TTFourBorderStyle> styleWithLeft(UIColorPtr left, float width, TTStylePtr next);
    UIColorPtr top, right, bottom, left;  // none: no border on that side
    float width = 1;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTFourBorderStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};

class TTBevelBorderStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTBevelBorderStyle> styleWithHighlight(UIColorPtr highlight, UIColorPtr shadow,
                                                                  float width, int lightSource, TTStylePtr next);
    // Highlight and shadow derived from one colour, light from 125 degrees.
    static std::shared_ptr<TTBevelBorderStyle> styleWithColor(UIColorPtr color, float width, TTStylePtr next);
    UIColorPtr highlight, shadow;
    float width = 1;
    int lightSource = 125;
    // The side colours (top, right, bottom, left) for the light source.
    std::array<UIColorPtr, 4> sideColors() const;
    void draw(TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTBevelBorderStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};
