#include "Classes/GlyphEngine/VerseCanvas.h"

#include "platform/graphics/CGContext.h"

VerseCanvas::VerseCanvas(CGRect frame) : UIView(frame) {}

void VerseCanvas::drawRect(CGRect rect) {
    UIView::drawRect(rect);
    setDrawsNothing(false);
    if (delegate_) delegate_->drawArabicVerseInCanvas(UIGraphicsGetCurrentContext(), this);
}
