#pragma once
// The style sheet the table cells read their fonts and colours from, and text measuring.

#include <string>

#include "platform/ui/UIKitTypes.h"
#include "platform/ui/UILabel.h"
#include "toolkit/style/TTDefaultStyleSheet.h"

namespace tt {
// The global sheet when it is a default sheet (or subclass), else the toolkit's own.
TTDefaultStyleSheet& tableStyleSheet();
// A cell label in a font and colour, highlighted in the sheet's highlighted text colour.
void styleCellLabel(UILabel& label, const UIFontPtr& font, const UIColorPtr& color);
// The height of a text in a font at a width, unlimited height.
double textHeight(const std::string& text, const UIFontPtr& font, double width, UILineBreakMode mode);
}  // namespace tt
