#include "toolkit/controls/TTView.h"

TTView::TTView(CGRect frame) : UIView(frame) { setContentMode(UIViewContentModeRedraw); }

void TTView::setStyle(TTStylePtr style) {
    if (style == _style) return;
    _style = std::move(style);
    setNeedsDisplay();
}

void TTView::drawRect(CGRect) {
    if (_style) {
        TTStyleContext context;
        context.delegate = this;
        context.frame = bounds();
        context.contentFrame = context.frame;
        context.font = styleFont();
        _style->draw(context);
        if (context.didDrawContent) return;
    }
    drawContent(bounds());
}

void TTView::layoutSubviews() {
    if (_layout) _layout->layoutSubviews(subviews(), *this);
}

CGSize TTView::sizeThatFits(CGSize) const {
    if (!_style) return CGSizeZero;
    TTStyleContext context;
    context.delegate = const_cast<TTView*>(this);
    return _style->addToSize(CGSizeZero, context);
}
