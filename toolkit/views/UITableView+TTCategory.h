#pragma once
// Scrolling and selection shortcuts of table views.

#include "platform/ui/hosting/UITableView.h"

namespace tt {

// 10 for a grouped table, else 0.
CGFloat tableCellMargin(const UITableView& table);
void scrollToTop(UITableView& table, bool animated);
// Last row of section 0 to the bottom; nothing when section 0 has no rows.
void scrollToBottom(UITableView& table, bool animated);
void scrollToFirstRow(UITableView& table);
void scrollToLastRow(UITableView& table);
// The first responder's row to the middle, animated.
void scrollFirstResponderIntoView(UITableView& table);
// Selects a row as a touch would, telling the delegate before and after.
void touchRowAtIndexPath(UITableView& table, const NSIndexPath& indexPath, bool animated);

}  // namespace tt
