#pragma once
// Base of buttons, switches, sliders ...: enabled / selected / highlighted
// state and target-action. Actions are callbacks registered for an event mask;
// tracking turns touches into touch-down, drag, touch-up-inside/outside and
// cancel events.

#include <functional>
#include <vector>

#include "platform/ui/UIView.h"

class UIControl;

class UIControl : public UIView {
public:
    using Action = std::function<void(UIControl* sender, UIEvent* event)>;
    using ActionToken = unsigned long;

    explicit UIControl(CGRect frame = CGRectZero);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    // UIControlState flags of the above.
    unsigned state() const;
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }
    UIControlContentHorizontalAlignment contentHorizontalAlignment() const { return hAlign_; }
    void setContentHorizontalAlignment(UIControlContentHorizontalAlignment a);
    UIControlContentVerticalAlignment contentVerticalAlignment() const { return vAlign_; }
    void setContentVerticalAlignment(UIControlContentVerticalAlignment a);

    // addTarget:action:forControlEvents: with the target bound into the callback.
    // `owner` (may be null) identifies the target for removeTarget.
    ActionToken addTarget(const void* owner, Action action, unsigned controlEvents);
    ActionToken addAction(Action action, unsigned controlEvents) { return addTarget(nullptr, std::move(action), controlEvents); }
    // Removes the owner's actions for the events (every owner when null).
    void removeTarget(const void* owner, unsigned controlEvents);
    void removeAction(ActionToken token);
    unsigned allControlEvents() const;
    size_t actionCount(unsigned controlEvents) const;
    // Runs the actions registered for any of the events, in registration order.
    void sendActionsForControlEvents(unsigned controlEvents, UIEvent* event = nullptr);

    // Tracking; subclasses override to follow the finger.
    virtual bool beginTrackingWithTouch(UITouch* touch, UIEvent* event) { return true; }
    virtual bool continueTrackingWithTouch(UITouch* touch, UIEvent* event) { return true; }
    virtual void endTrackingWithTouch(UITouch* touch, UIEvent* event) {}
    virtual void cancelTrackingWithEvent(UIEvent* event) {}

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    UIView* hitTest(CGPoint point, UIEvent* event) override;

protected:
    // Called after enabled / selected / highlighted change.
    virtual void stateDidChange() { setNeedsDisplay(); }
    // A finger that leaves the bounds by more than this still counts as inside.
    static constexpr double kTouchSlop = 70;

private:
    bool isInsideWithSlop(CGPoint p) const;
    struct Entry {
        ActionToken token;
        const void* owner;
        Action action;
        unsigned events;
    };
    std::vector<Entry> actions_;
    ActionToken nextToken_ = 1;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
    UIControlContentHorizontalAlignment hAlign_ = UIControlContentHorizontalAlignmentCenter;
    UIControlContentVerticalAlignment vAlign_ = UIControlContentVerticalAlignmentCenter;
};
