#pragma once
// A caption followed by a 1-point line that starts 7 points after its text and runs on for the
// label's width.

#include <memory>

#include "platform/ui/UILabel.h"

class UILabelLined : public UILabel {
public:
    explicit UILabelLined(CGRect frame = CGRectZero);
    void setLineColor(UIColorPtr color);
    // Places the line after the text drawn.
    void drawRect(CGRect rect) override;

    std::shared_ptr<UIView> viewLine;

private:
    UIColorPtr lineColor_;
};
