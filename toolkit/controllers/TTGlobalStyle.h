#pragma once
// Colours of the global style sheet that the screens apply to their bars and root views.

#include "platform/graphics/UIColor.h"

namespace tt {
// The sheet's navigation-bar tint; null when the installed sheet is not a default sheet.
UIColorPtr globalNavigationBarTintColor();
UIColorPtr globalBackgroundColor();
}  // namespace tt
