#pragma once
// A window that lets a delegate see every event before normal dispatch.

#include "platform/ui/UIWindow.h"

class UIEvent;

class EventInterceptWindowDelegate {
public:
    virtual ~EventInterceptWindowDelegate() = default;
    // True swallows the event.
    virtual bool interceptEvent(UIEvent* event) = 0;
};

class EventInterceptWindow : public UIWindow {
public:
    using UIWindow::UIWindow;

    // Unretained.
    EventInterceptWindowDelegate* eventInterceptDelegate() const { return eventInterceptDelegate_; }
    void setEventInterceptDelegate(EventInterceptWindowDelegate* delegate) { eventInterceptDelegate_ = delegate; }

    void sendEvent(UIEvent* event) override;

private:
    EventInterceptWindowDelegate* eventInterceptDelegate_ = nullptr;
};
