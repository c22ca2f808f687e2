#include "platform/ui/UIEvent.h"

#include "platform/ui/UITouch.h"
#include "platform/ui/UIWindow.h"

UITouchSet UIEvent::allTouches() const
{
    return UITouchSet(touches_.begin(), touches_.end());
}

UITouchSet UIEvent::touchesForView(const UIView* view) const
{
    UITouchSet out;
    for (auto* t : touches_)
        if (t->view() == view) out.insert(t);
    return out;
}

UITouchSet UIEvent::touchesForWindow(const UIWindow* window) const
{
    UITouchSet out;
    for (auto* t : touches_)
        if (t->window() == window) out.insert(t);
    return out;
}
