#include "toolkit/style/TTStyleColor.h"

#include <algorithm>
#include <cmath>

namespace TTStyleColor {

UIColorPtr rgb(double red, double green, double blue, double alpha) {
    return UIColor::colorWithRed(red / 255, green / 255, blue / 255, alpha);
}

UIColorPtr white(double level, double alpha) { return UIColor::colorWithWhite(level, alpha); }

HSV hsvOf(const UIColor& color) {
    const double r = color.red(), g = color.green(), b = color.blue();
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    HSV out;
    out.v = max;
    if (max == 0) {
        out.h = -1;
        return out;
    }
    const double delta = max - min;
    out.s = delta / max;
    if (delta == 0) {
        out.h = 0;
        return out;
    }
    if (r == max) out.h = (g - b) / delta;
    else if (g == max) out.h = 2 + (b - r) / delta;
    else out.h = 4 + (r - g) / delta;
    out.h *= 60;
    if (out.h < 0) out.h += 360;
    return out;
}

UIColorPtr colorWithHue(double hue, double saturation, double value, double alpha) {
    if (saturation == 0) return UIColor::colorWithRed(value, value, value, alpha);
    const double sector = hue / 60;
    const double i = std::floor(sector);
    const double f = sector - i;
    const double p = value * (1 - saturation);
    const double q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    double r, g, b;
    switch (static_cast<int>(i)) {
        case 0: r = value, g = t, b = p; break;
        case 1: r = q, g = value, b = p; break;
        case 2: r = p, g = value, b = t; break;
        case 3: r = p, g = q, b = value; break;
        case 4: r = t, g = p, b = value; break;
        default: r = value, g = p, b = q; break;
    }
    return UIColor::colorWithRed(r, g, b, alpha);
}

UIColorPtr multiply(const UIColorPtr& color, double hue, double saturation, double value) {
    if (!color) return nullptr;
    const HSV c = hsvOf(*color);
    return colorWithHue(c.h * hue, c.s * saturation, c.v * value, color->alpha());
}

UIColorPtr add(const UIColorPtr& color, double hue, double saturation, double value) {
    if (!color) return nullptr;
    const HSV c = hsvOf(*color);
    return colorWithHue(c.h + hue, c.s + saturation, c.v + value, color->alpha());
}

UIColorPtr highlight(const UIColorPtr& color) { return multiply(color, 1, 0.4, 1.2); }
UIColorPtr shadow(const UIColorPtr& color) { return multiply(color, 1, 0.6, 0.6); }

}  // namespace TTStyleColor
