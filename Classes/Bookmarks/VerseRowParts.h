#pragma once
// Pieces the bookmark and search rows share: numbers as the interface writes them, clear
// labels, and the verse badge at the row's left.

#include <memory>
#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"

namespace verse_row {

constexpr unsigned kAllStates[] = {UIControlStateNormal, UIControlStateDisabled, UIControlStateHighlighted};

// A number as the interface shows it: Arabic-Indic digits in the Arabic interface.
std::string shownNumber(int n);
// A label on a clear background whose text turns white when highlighted.
std::shared_ptr<UILabel> clearLabel(CGRect frame, const char* font, double size);
// The verse-number badge, 44 points square, centred in a row h points high; it takes no touches.
std::shared_ptr<UIButton> verseBadge(double h);

}  // namespace verse_row
