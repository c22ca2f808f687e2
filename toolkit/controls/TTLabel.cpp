#include "toolkit/controls/TTLabel.h"

#include "toolkit/style/TTStyleSheet.h"

TTLabel::TTLabel(const std::string& text) : TTView(CGRectZero) { setText(text); }

void TTLabel::setText(const std::string& text) {
    if (text == _text) return;
    _text = text;
    setNeedsDisplay();
}

const UIFontPtr& TTLabel::font() {
    if (!_font) _font = TTStyleSheet::globalStyleSheet()->font();
    return _font;
}

void TTLabel::setFont(UIFontPtr font) {
    if (font == _font) return;
    _font = std::move(font);
    setNeedsDisplay();
}

CGSize TTLabel::sizeThatFits(CGSize size) const {
    if (!style()) return CGSizeZero;
    TTStyleContext context;
    context.delegate = const_cast<TTLabel*>(this);
    context.frame = CGRectMake(0, 0, size.width, size.height);
    context.contentFrame = context.frame;
    context.font = _font;
    return style()->addToSize(CGSizeZero, context);
}
