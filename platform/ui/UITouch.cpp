#include "platform/ui/UITouch.h"

#include "platform/ui/UIWindow.h"

UIView* UITouch::view() const
{
    return view_.lock().get();
}

UIWindow* UITouch::window() const
{
    return static_cast<UIWindow*>(window_.lock().get());
}

void UITouch::setWindow(const std::shared_ptr<UIWindow>& w)
{
    window_ = w;
}

void UITouch::setLocationInWindow(CGPoint p)
{
    previous_ = location_;
    location_ = p;
}

// Window points are the screen's: windows cover the screen at its origin.
CGPoint UITouch::locationInView(const UIView* view) const
{
    if (!view) return location_;
    return view->convertPointFromView(location_, nullptr);
}

CGPoint UITouch::previousLocationInView(const UIView* view) const
{
    if (!view) return previous_;
    return view->convertPointFromView(previous_, nullptr);
}
