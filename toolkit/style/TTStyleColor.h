#pragma once
// Colours as the style sheets write them, and null-safe forms of the toolkit's hue, saturation
// and value variants (an absent colour stays absent).

#include "platform/graphics/UIColor.h"

namespace TTStyleColor {

// A colour from 0-255 components, and a grey of a white level (0 black, 1 white).
UIColorPtr rgb(double red, double green, double blue, double alpha = 1);
UIColorPtr white(double level, double alpha);
UIColorPtr multiply(const UIColorPtr& color, float hue, float saturation, float value);
UIColorPtr add(const UIColorPtr& color, float hue, float saturation, float value);

}  // namespace TTStyleColor
