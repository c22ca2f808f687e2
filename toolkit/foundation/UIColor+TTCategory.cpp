#include "toolkit/foundation/UIColor+TTCategory.h"

#include <algorithm>
#include <cmath>

void RGBToHSV(float r, float g, float b, float* h, float* s, float* v) {
  float max = std::max({r, g, b});
  float min = std::min({r, g, b});
  *v = max;
  if (max == 0) {
    *s = 0;
    *h = -1;
    return;
  }
  float delta = max - min;
  *s = delta / max;
  if (delta == 0) {
    *h = 0;
    return;
  }
  if (r == max) *h = (g - b) / delta;
  else if (g == max) *h = 2 + (b - r) / delta;
  else *h = 4 + (r - g) / delta;
  *h *= 60;
  if (*h < 0) *h += 360;
}

void HSVToRGB(float h, float s, float v, float* r, float* g, float* b) {
  if (s == 0) {
    *r = *g = *b = v;
    return;
  }
  h /= 60;
  float i = std::floor(h);
  float f = h - i;
  float p = v * (1 - s);
  float q = v * (1 - s * f);
  float t = v * (1 - s * (1 - f));
  switch (std::isfinite(i) ? static_cast<int>(std::clamp(i, -1.0f, 6.0f)) : -1) {
    case 0: *r = v; *g = t; *b = p; break;
    case 1: *r = q; *g = v; *b = p; break;
    case 2: *r = p; *g = v; *b = t; break;
    case 3: *r = p; *g = q; *b = v; break;
    case 4: *r = t; *g = p; *b = v; break;
    default: *r = v; *g = p; *b = q; break;
  }
}

namespace {
void toHSV(const UIColor& c, float* h, float* s, float* v) {
  RGBToHSV(static_cast<float>(c.red()), static_cast<float>(c.green()), static_cast<float>(c.blue()), h, s, v);
}
}  // namespace

namespace tt {

UIColorPtr colorWithHue(float hue, float saturation, float value, float alpha) {
  float r, g, b;
  HSVToRGB(hue, saturation, value, &r, &g, &b);
  return UIColor::colorWithRed(r, g, b, alpha);
}

UIColorPtr multiplyHue(const UIColor& color, float hd, float sd, float vd) {
  float h, s, v;
  toHSV(color, &h, &s, &v);
  return colorWithHue(h * hd, s * sd, v * vd, static_cast<float>(color.alpha()));
}

UIColorPtr addHue(const UIColor& color, float hd, float sd, float vd) {
  float h, s, v;
  toHSV(color, &h, &s, &v);
  return colorWithHue(h + hd, s + sd, v + vd, static_cast<float>(color.alpha()));
}

UIColorPtr copyWithAlpha(const UIColor& color, float alpha) {
  return UIColor::colorWithRed(color.red(), color.green(), color.blue(), alpha);
}

UIColorPtr highlight(const UIColor& color) { return multiplyHue(color, 1, 0.4f, 1.2f); }

UIColorPtr shadow(const UIColor& color) { return multiplyHue(color, 1, 0.6f, 0.6f); }

float hue(const UIColor& color) {
  float h, s, v;
  toHSV(color, &h, &s, &v);
  return h;
}

float saturation(const UIColor& color) {
  float h, s, v;
  toHSV(color, &h, &s, &v);
  return s;
}

float value(const UIColor& color) {
  float h, s, v;
  toHSV(color, &h, &s, &v);
  return v;
}

}  // namespace tt
