#pragma once
// The style sheet the table cells read their fonts and colours from, and text measuring.

#include <string>

#include "platform/ui/UIKitTypes.h"
#include "toolkit/style/TTDefaultStyleSheet.h"

namespace tt {
// The global sheet when it is a default sheet (or subclass), else the toolkit's own.
TTDefaultStyleSheet& tableStyleSheet();
// The height of a text in a font at a width, unlimited height.
double textHeight(const std::string& text, const UIFontPtr& font, double width, UILineBreakMode mode);
}  // namespace tt
