#pragma once
// One finger on the screen. A touch stays with the view it began in until it
// ends or is cancelled.

#include <memory>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

class UIView;
class UIWindow;

class UITouch {
public:
    UITouch() = default;

    UITouchPhase phase() const { return phase_; }
    double timestamp() const { return timestamp_; }
    int tapCount() const { return tapCount_; }
    // The view the touch began in (null once that view left the tree).
    UIView* view() const;
    UIWindow* window() const;

    // Location in the coordinates of a view; null means the window's.
    CGPoint locationInView(const UIView* view) const;
    CGPoint previousLocationInView(const UIView* view) const;

    // Set by the application's touch router.
    void setPhase(UITouchPhase p) { phase_ = p; }
    void setTimestamp(double t) { timestamp_ = t; }
    void setTapCount(int c) { tapCount_ = c; }
    void setView(const std::shared_ptr<UIView>& v) { view_ = v; }
    void setWindow(const std::shared_ptr<UIWindow>& w);
    void setLocationInWindow(CGPoint p);  // moves current to previous first
    CGPoint locationInWindow() const { return location_; }
    CGPoint previousLocationInWindow() const { return previous_; }

private:
    UITouchPhase phase_ = UITouchPhaseBegan;
    double timestamp_ = 0;
    int tapCount_ = 1;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIView> window_;
    CGPoint location_{0, 0};
    CGPoint previous_{0, 0};
};
