#pragma once
// A drop shadow cast by everything drawn after it, and a shadow along the inside of the shape.

#include "toolkit/style/TTStyle.h"

class TTShadowStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTShadowStyle> styleWithColor(UIColorPtr color, float blur, CGSize offset,
                                                         TTStylePtr next);
    UIColorPtr color;
    float blur = 0;
    CGSize offset{};  // width to the right, height downwards

    void draw(TTStyleContext& context) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTShadowStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

protected:
    template <class T>
    static std::shared_ptr<T> make(UIColorPtr color, float blur, CGSize offset, TTStylePtr next) {
        auto s = std::make_shared<T>(std::move(next));
        s->color = std::move(color);
        s->blur = blur;
        s->offset = offset;
        return s;
    }
};

class TTInnerShadowStyle : public TTShadowStyle {
public:
    using TTShadowStyle::TTShadowStyle;
    static std::shared_ptr<TTInnerShadowStyle> styleWithColor(UIColorPtr color, float blur, CGSize offset,
                                                              TTStylePtr next);
    void draw(TTStyleContext& context) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override { return nextSize(size, context); }
    std::string archiveClassName() const override { return "TTInnerShadowStyle"; }
};
