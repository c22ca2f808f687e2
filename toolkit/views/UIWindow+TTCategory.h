#pragma once
// Finding the first responder in a view tree, and tool bar items by tag.

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

class UIToolbar;

namespace tt {

UIView* findFirstResponder(UIView& window);
// The view itself, else each subview in order and then inside it.
UIView* findFirstResponderInView(UIView& view);

UIBarButtonItemPtr itemWithTag(const UIToolbar& toolbar, long tag);
// Replaces the first item with the tag; nothing when none has it.
void replaceItemWithTag(UIToolbar& toolbar, long tag, UIBarButtonItemPtr item);

}  // namespace tt
