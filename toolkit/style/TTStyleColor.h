#pragma once
// Hue, saturation and value arithmetic on colours, as the styles and the default sheet use it.
// Hue in degrees (-1 for black), saturation and value from 0 to 1; results are not clamped.

#include "platform/graphics/UIColor.h"

namespace TTStyleColor {

struct HSV {
    double h = 0, s = 0, v = 0;
};

// A colour from 0-255 components, and a grey of a white level (0 black, 1 white).
UIColorPtr rgb(double red, double green, double blue, double alpha = 1);
UIColorPtr white(double level, double alpha);

HSV hsvOf(const UIColor& color);
UIColorPtr colorWithHue(double hue, double saturation, double value, double alpha);
// The colour with hue, saturation and value multiplied by, or added to, the factors.
UIColorPtr multiply(const UIColorPtr& color, double hue, double saturation, double value);
UIColorPtr add(const UIColorPtr& color, double hue, double saturation, double value);
// The lit and the unlit variant of a colour (bevels).
UIColorPtr highlight(const UIColorPtr& color);
UIColorPtr shadow(const UIColorPtr& color);

}  // namespace TTStyleColor
