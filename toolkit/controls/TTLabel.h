#pragma once
// A styled view that draws one string through its style.

#include <string>

#include "toolkit/controls/TTView.h"

class TTLabel : public TTView {
public:
    explicit TTLabel(CGRect frame = CGRectZero) : TTView(frame) {}
    explicit TTLabel(const std::string& text);  // initWithText:

    const std::string& text() const { return _text; }
    void setText(const std::string& text);
    // The font set, else the sheet's font (then kept).
    const UIFontPtr& font();
    void setFont(UIFontPtr font);

    CGSize sizeThatFits(CGSize size) const override;
    std::optional<std::string> textForLayerWithStyle(TTStyle*) override { return _text; }

protected:
    // Drawing uses the field as it is: no font until one was set or asked for.
    UIFontPtr styleFont() const override { return _font; }

private:
    std::string _text;
    UIFontPtr _font;
};
