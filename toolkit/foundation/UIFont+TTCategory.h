#pragma once
// A font's line height as the toolkit's layouts count it.

#include "platform/text/UIFont.h"

namespace tt {

// Ascender minus descender plus one point.
double lineHeight(const UIFont& font);

}  // namespace tt
