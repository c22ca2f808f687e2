#pragma once
// Touches the screen tests make on views and table rows, in screen points.

#include <algorithm>
#include <cmath>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/hosting/UITableView.h"

namespace screen_touches {

// Centre of a view's rectangle on the screen.
inline CGPoint screenCentre(const UIView& view, CGRect rect) {
    const CGRect r = view.convertRectToView(rect, nullptr);
    return CGPointMake(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2);
}

// A view's rectangle on the display, which turns with the interface (touches and pixels are in
// display points).
inline CGRect displayRect(const UIView& view, CGRect rect) {
    const CGRect r = view.convertRectToView(rect, nullptr);
    const CGPoint a = Compositor::displayPointFromScreenPoint(r.origin);
    const CGPoint b = Compositor::displayPointFromScreenPoint(CGPointMake(CGRectGetMaxX(r), CGRectGetMaxY(r)));
    return CGRectMake(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}
inline CGRect displayRect(const UIView& view) { return displayRect(view, view.bounds()); }
inline CGPoint displayCentre(const UIView& view, CGRect rect) {
    const CGRect r = displayRect(view, rect);
    return CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r));
}
inline CGPoint displayCentre(const UIView& view) { return displayCentre(view, view.bounds()); }

// Drags the view's superview (a list that scrolls) from the middle of what shows of it until
// the whole view shows, as a finger would; false when it never does. settle() runs the clock
// after each drag.
template <class Settle>
bool dragIntoView(HeadlessBackend& backend, const UIView& view, Settle&& settle) {
    for (int i = 0; i < 12; ++i) {
        const CGRect shown = displayRect(*view.superview()), r = displayRect(view);
        if (CGRectContainsRect(CGRectInset(shown, -0.5, -0.5), r)) return true;
        const CGPoint from = CGPointMake(CGRectGetMidX(shown), CGRectGetMidY(shown));
        backend.drag(from, CGPointMake(from.x, from.y + (CGRectGetMaxY(r) > CGRectGetMaxY(shown) ? -60 : 60)));
        settle();
    }
    return false;
}

// Scrolls a row to the table's middle and taps its centre; settle() runs the clock after each.
template <class Settle>
void tapRow(HeadlessBackend& backend, UITableView& table, NSIndexPath path, Settle&& settle) {
    table.scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
    settle();
    backend.tap(displayCentre(table, table.rectForRowAtIndexPath(path)));
    settle();
}

}  // namespace screen_touches
