#include "toolkit/views/UITableView+TTCategory.h"

#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UITableViewCell.h"
#include "toolkit/views/UIView+TTCategory.h"
#include "toolkit/views/UIWindow+TTCategory.h"

namespace tt {

CGFloat tableCellMargin(const UITableView& table) { return table.style() == UITableViewStyleGrouped ? 10 : 0; }

void scrollToTop(UITableView& table, bool animated) { table.setContentOffset(CGPointZero, animated); }

void scrollToBottom(UITableView& table, bool animated) {
  if (table.numberOfSections() < 1) return;
  int rows = table.numberOfRowsInSection(0);
  if (rows > 0) table.scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(rows - 1, 0), UITableViewScrollPositionBottom, animated);
}

void scrollToFirstRow(UITableView& table) {
  if (table.numberOfSections() < 1 || table.numberOfRowsInSection(0) < 1) return;
  table.scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0), UITableViewScrollPositionTop, false);
}

void scrollToLastRow(UITableView& table) {
  int sections = table.numberOfSections();
  if (sections < 1) return;
  int rows = table.numberOfRowsInSection(sections - 1);
  if (rows > 0)
    table.scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(rows - 1, sections - 1), UITableViewScrollPositionBottom, false);
}

void scrollFirstResponderIntoView(UITableView& table) {
  UIWindow* window = table.window();
  UIView* responder = window ? findFirstResponder(*window) : nullptr;
  auto* cell = ancestorOrSelfWithClass<UITableViewCell>(responder);
  if (!cell) return;
  if (auto path = table.indexPathForCell(cell)) table.scrollToRowAtIndexPath(*path, UITableViewScrollPositionMiddle, true);
}

void touchRowAtIndexPath(UITableView& table, const NSIndexPath& indexPath, bool animated) {
  if (!table.cellForRowAtIndexPath(indexPath)) table.reloadData();
  if (auto* delegate = table.delegate()) (void)delegate->willSelectRowAtIndexPath(&table, indexPath);
  table.selectRowAtIndexPath(indexPath, animated, UITableViewScrollPositionTop);
  if (auto* delegate = table.delegate()) delegate->didSelectRowAtIndexPath(&table, indexPath);
}

}  // namespace tt
