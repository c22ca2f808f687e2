#pragma once
// The frame of a Tajweed rule section: a vertical line down its left edge from y 13 and a
// horizontal line just below its bottom edge (the view does not clip), both in a sand colour
// or the one set.

#include <memory>

#include "platform/ui/UIView.h"

class BorderedView : public UIView {
public:
    explicit BorderedView(CGRect frame = CGRectZero);
    void setLineColor(UIColorPtr color);
    void drawRect(CGRect rect) override;

    std::shared_ptr<UIView> viewVert, viewHoriz;

private:
    UIColorPtr lineColor_;
};

// The sand colour of the section lines.
UIColorPtr sectionLineColor();
