#include "platform/ui/UIControl.h"

#include <algorithm>

#include "platform/ui/UIEvent.h"
#include "platform/ui/UITouch.h"

// Controls draw their titles and shapes for their size: a new size draws them again.
UIControl::UIControl(CGRect frame) : UIView(frame) { setContentMode(UIViewContentModeRedraw); }

void UIControl::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) highlighted_ = false;
    stateDidChange();
}

void UIControl::setSelected(bool selected)
{
    if (selected == selected_) return;
    selected_ = selected;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted)
{
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    stateDidChange();
}

unsigned UIControl::state() const
{
    unsigned s = UIControlStateNormal;
    if (highlighted_) s |= UIControlStateHighlighted;
    if (!enabled_) s |= UIControlStateDisabled;
    if (selected_) s |= UIControlStateSelected;
    return s;
}

void UIControl::setContentHorizontalAlignment(UIControlContentHorizontalAlignment a)
{
    hAlign_ = a;
    setNeedsLayout();
}

void UIControl::setContentVerticalAlignment(UIControlContentVerticalAlignment a)
{
    vAlign_ = a;
    setNeedsLayout();
}

UIControl::ActionToken UIControl::addTarget(const void* owner, Action action, unsigned controlEvents)
{
    if (!action || controlEvents == 0) return 0;
    ActionToken token = nextToken_++;
    actions_.push_back({token, owner, std::move(action), controlEvents});
    return token;
}

void UIControl::removeTarget(const void* owner, unsigned controlEvents)
{
    for (auto& e : actions_)
        if (!owner || e.owner == owner) e.events &= ~controlEvents;
    std::erase_if(actions_, [](const Entry& e) { return e.events == 0; });
}

void UIControl::removeAction(ActionToken token)
{
    std::erase_if(actions_, [&](const Entry& e) { return e.token == token; });
}

unsigned UIControl::allControlEvents() const
{
    unsigned all = 0;
    for (auto& e : actions_) all |= e.events;
    return all;
}

size_t UIControl::actionCount(unsigned controlEvents) const
{
    return static_cast<size_t>(
        std::count_if(actions_.begin(), actions_.end(), [&](const Entry& e) { return (e.events & controlEvents) != 0; }));
}

void UIControl::sendActionsForControlEvents(unsigned controlEvents, UIEvent* event)
{
    // Copy first: an action may add or remove actions, or release this control.
    std::vector<Action> due;
    for (auto& e : actions_)
        if (e.events & controlEvents) due.push_back(e.action);
    if (due.empty()) return;
    auto keep = weak_from_this().lock();
    for (auto& a : due) a(this, event);
}

UIView* UIControl::hitTest(CGPoint point, UIEvent* event)
{
    if (!enabled_) return nullptr;
    return UIView::hitTest(point, event);
}

bool UIControl::isInsideWithSlop(CGPoint p) const
{
    return CGRectContainsPoint(CGRectInset(bounds(), -kTouchSlop, -kTouchSlop), p);
}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent* event)
{
    if (touches.empty() || !enabled_) return;
    UITouch* touch = *touches.begin();
    auto keep = weak_from_this().lock();
    tracking_ = beginTrackingWithTouch(touch, event);
    touchInside_ = true;
    setHighlighted(true);
    unsigned events = UIControlEventTouchDown;
    if (touch->tapCount() > 1) events |= UIControlEventTouchDownRepeat;
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent* event)
{
    if (touches.empty() || !enabled_) return;
    UITouch* touch = *touches.begin();
    auto keep = weak_from_this().lock();
    bool inside = isInsideWithSlop(touch->locationInView(this));
    unsigned events = inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (inside != touchInside_) events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    touchInside_ = inside;
    setHighlighted(inside);
    if (tracking_) tracking_ = continueTrackingWithTouch(touch, event);
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    if (touches.empty()) return;
    UITouch* touch = *touches.begin();
    auto keep = weak_from_this().lock();
    bool inside = isInsideWithSlop(touch->locationInView(this));
    touchInside_ = inside;
    setHighlighted(false);
    if (tracking_) endTrackingWithTouch(touch, event);
    tracking_ = false;
    if (enabled_) sendActionsForControlEvents(inside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
}

void UIControl::touchesCancelled(const UITouchSet& touches, UIEvent* event)
{
    auto keep = weak_from_this().lock();
    setHighlighted(false);
    if (tracking_) cancelTrackingWithEvent(event);
    tracking_ = false;
    touchInside_ = false;
    sendActionsForControlEvents(UIControlEventTouchCancel, event);
}
