#pragma once
// Widths of words in fonts, remembered: styled text measures word by word, and the same words
// come back in every line of every document.

#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/text/UIFont.h"

namespace TTWordMeasure {

// The size of the text wrapped within the width (0: unbounded), as the platform measures it.
CGSize sizeOf(const std::string& text, const UIFont& font, CGFloat width);
// Forgets remembered sizes (after the font configuration changes).
void clear();

}  // namespace TTWordMeasure
