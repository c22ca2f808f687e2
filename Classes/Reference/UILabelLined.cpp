#include "Classes/Reference/UILabelLined.h"

#include <cmath>

#include "Classes/Reference/BorderedView.h"
#include "platform/text/StringDrawing.h"

UILabelLined::UILabelLined(CGRect frame) : UILabel(frame) {
    viewLine = std::make_shared<UIView>(CGRectZero);
    viewLine->setBackgroundColor(sectionLineColor());
    addSubview(viewLine);
}

void UILabelLined::setLineColor(UIColorPtr color) {
    lineColor_ = std::move(color);
    viewLine->setBackgroundColor(lineColor_ ? lineColor_ : sectionLineColor());
}

void UILabelLined::drawRect(CGRect rect) {
    UILabel::drawRect(rect);
    const double textWidth = text().empty() || !font() ? 0 : sizeWithFont(text(), *font()).width;
    const CGRect b = bounds();
    const CGRect line = CGRectMake(textWidth + 7, std::floor(b.size.height / 2) + 2, b.size.width, 1);
    if (!CGRectEqualToRect(viewLine->frame(), line)) viewLine->setFrame(line);
}
