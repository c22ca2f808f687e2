#include "toolkit/views/UIWindow+TTCategory.h"

#include "platform/ui/hosting/UINavigationBar.h"

namespace tt {

UIView* findFirstResponder(UIView& window) { return findFirstResponderInView(window); }

UIView* findFirstResponderInView(UIView& view) {
  if (view.isFirstResponder()) return &view;
  for (const auto& child : view.subviews()) {
    if (child->isFirstResponder()) return child.get();
    if (UIView* found = findFirstResponderInView(*child)) return found;
  }
  return nullptr;
}

UIBarButtonItemPtr itemWithTag(const UIToolbar& toolbar, long tag) {
  for (const auto& item : toolbar.items())
    if (item && item->tag() == tag) return item;
  return nullptr;
}

void replaceItemWithTag(UIToolbar& toolbar, long tag, UIBarButtonItemPtr item) {
  auto items = toolbar.items();
  for (auto& existing : items) {
    if (existing && existing->tag() == tag) {
      existing = std::move(item);
      toolbar.setItems(items);
      return;
    }
  }
}

}  // namespace tt
