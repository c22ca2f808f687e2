#pragma once
// Touches the screen tests make on views and table rows, in screen points.

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/hosting/UITableView.h"

namespace screen_touches {

// Centre of a view's rectangle on the screen.
inline CGPoint screenCentre(const UIView& view, CGRect rect) {
    const CGRect r = view.convertRectToView(rect, nullptr);
    return CGPointMake(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2);
}

// Scrolls a row to the table's middle and taps its centre; settle() runs the clock after each.
template <class Settle>
void tapRow(HeadlessBackend& backend, UITableView& table, NSIndexPath path, Settle&& settle) {
    table.scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
    settle();
    backend.tap(screenCentre(table, table.rectForRowAtIndexPath(path)));
    settle();
}

}  // namespace screen_touches
