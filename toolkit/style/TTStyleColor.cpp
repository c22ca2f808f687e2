#include "toolkit/style/TTStyleColor.h"

#include "toolkit/foundation/UIColor+TTCategory.h"

namespace TTStyleColor {

UIColorPtr rgb(double red, double green, double blue, double alpha) {
    return UIColor::colorWithRed(red / 255, green / 255, blue / 255, alpha);
}

UIColorPtr white(double level, double alpha) { return UIColor::colorWithWhite(level, alpha); }

UIColorPtr multiply(const UIColorPtr& color, float hue, float saturation, float value) {
    return color ? tt::multiplyHue(*color, hue, saturation, value) : nullptr;
}

UIColorPtr add(const UIColorPtr& color, float hue, float saturation, float value) {
    return color ? tt::addHue(*color, hue, saturation, value) : nullptr;
}

}  // namespace TTStyleColor
