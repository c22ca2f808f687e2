#pragma once
// A touch, motion or remote-control event as delivered to responders.

#include <vector>

#include "platform/ui/UIKitTypes.h"
#include "platform/ui/UIResponder.h"

class UIView;
class UIWindow;

class UIEvent {
public:
    UIEvent(UIEventType type, UIEventSubtype subtype, double timestamp)
        : type_(type), subtype_(subtype), timestamp_(timestamp) {}

    UIEventType type() const { return type_; }
    UIEventSubtype subtype() const { return subtype_; }
    double timestamp() const { return timestamp_; }

    // Every touch on the screen (also those that did not change).
    UITouchSet allTouches() const;
    UITouchSet touchesForView(const UIView* view) const;
    UITouchSet touchesForWindow(const UIWindow* window) const;

    void setTouches(std::vector<UITouch*> touches) { touches_ = std::move(touches); }
    const std::vector<UITouch*>& touchList() const { return touches_; }

private:
    UIEventType type_;
    UIEventSubtype subtype_;
    double timestamp_;
    std::vector<UITouch*> touches_;
};
