#pragma once
// The chrome of a popover: a dark rounded frame with an arrow pointing at what
// it was presented from, holding the content controller's view inside.

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class UIPopoverView : public UIView {
public:
    static constexpr double kBorder = 8;       // frame around the content
    static constexpr double kArrowHeight = 13;
    static constexpr double kArrowBase = 30;

    explicit UIPopoverView(CGRect frame = CGRectZero);

    // The side the arrow sits on (Up: the arrow is on the top edge, pointing up).
    UIPopoverArrowDirection arrowDirection() const { return direction_; }
    // Where along that edge the arrow's tip is, in the view's coordinates.
    double arrowOffset() const { return arrowOffset_; }
    void setArrow(UIPopoverArrowDirection direction, double offset);

    // The frame's size for a content size, arrow included, and the content's
    // place inside it.
    static CGSize sizeForContent(CGSize content, UIPopoverArrowDirection direction);
    CGRect contentRect() const;

    void setContentView(std::shared_ptr<UIView> content);
    UIView* contentView() const { return content_.get(); }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    CGRect bodyRect() const;
    UIPopoverArrowDirection direction_ = UIPopoverArrowDirectionUp;
    double arrowOffset_ = 0;
    std::shared_ptr<UIView> content_;
    std::shared_ptr<UIView> clip_;
};
