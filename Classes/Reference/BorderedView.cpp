#include "Classes/Reference/BorderedView.h"

UIColorPtr sectionLineColor() { return UIColor::colorWithRed(207 / 255.0, 200 / 255.0, 179 / 255.0, 1); }

BorderedView::BorderedView(CGRect frame) : UIView(frame) {
    setClipsToBounds(false);
    viewVert = std::make_shared<UIView>(CGRectMake(0, 13, 1, frame.size.height - 13));
    viewVert->setAutoresizingMask(UIViewAutoresizingFlexibleHeight);
    viewHoriz = std::make_shared<UIView>(CGRectMake(0, frame.size.height, frame.size.width, 1));
    viewHoriz->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    for (const auto& line : {viewVert, viewHoriz}) {
        line->setBackgroundColor(sectionLineColor());
        addSubview(line);
    }
}

void BorderedView::setLineColor(UIColorPtr color) {
    lineColor_ = std::move(color);
    setNeedsDisplay();
}

void BorderedView::drawRect(CGRect rect) {
    UIView::drawRect(rect);
    if (!lineColor_) return;
    viewVert->setBackgroundColor(lineColor_);
    viewHoriz->setBackgroundColor(lineColor_);
}
