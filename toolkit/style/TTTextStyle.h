#pragma once
// Draws the text its delegate supplies, with its own font, colour, shadow, alignment and line
// rules, and measures it; also carries the font the styled-text layout reads.

#include "platform/text/StringDrawing.h"
#include "toolkit/style/TTStyle.h"

class TTTextStyle : public TTStyle {
public:
    using TTStyle::TTStyle;
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithColor(UIColorPtr color, TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, UIColorPtr color, TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, UIColorPtr color, int textAlignment,
                                                      TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, UIColorPtr color, UIColorPtr shadowColor,
                                                      CGSize shadowOffset, TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, UIColorPtr color, float minimumFontSize,
                                                      UIColorPtr shadowColor, CGSize shadowOffset, TTStylePtr next);
    static std::shared_ptr<TTTextStyle> styleWithFont(UIFontPtr font, UIColorPtr color, float minimumFontSize,
                                                      UIColorPtr shadowColor, CGSize shadowOffset, int textAlignment,
                                                      int verticalAlignment, int lineBreakMode, int numberOfLines,
                                                      TTStylePtr next);

    UIFontPtr font;
    UIColorPtr color;
    UIColorPtr shadowColor;
    float minimumFontSize = 0;
    CGSize shadowOffset{};  // height positive downwards
    int numberOfLines = 1;
    int textAlignment = UITextAlignmentCenter;
    int verticalAlignment = 0;  // 0 centre, 1 top, 2 bottom, 3 fill
    int lineBreakMode = UILineBreakModeTailTruncation;

    // The rectangle of one line of text inside a box of the size (relative to the box).
    CGRect rectForText(const std::string& text, CGSize size, const UIFont& font) const;
    CGSize sizeOfText(const std::string& text, const UIFont& font, CGSize size) const;
    // Draws into the context's content frame and replaces it with the rectangle drawn.
    void drawText(const std::string& text, TTStyleContext& context);

    void draw(TTStyleContext& context) override;
    CGSize addToSize(CGSize size, TTStyleContext& context) override;
    std::string archiveClassName() const override { return "TTTextStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;
};
