#pragma once
// Hue, saturation and value: conversions and colour variants built on them. Hue is in degrees;
// results are not clamped.

#include "platform/graphics/UIColor.h"

// Black gives hue -1 and saturation 0; a grey (no saturation) gives hue 0.
void RGBToHSV(float r, float g, float b, float* h, float* s, float* v);
// Saturation 0 gives the grey of the value whatever the hue; hues are not wrapped.
void HSVToRGB(float h, float s, float v, float* r, float* g, float* b);

namespace tt {

UIColorPtr colorWithHue(float hue, float saturation, float value, float alpha);
UIColorPtr multiplyHue(const UIColor& color, float hd, float sd, float vd);
UIColorPtr addHue(const UIColor& color, float hd, float sd, float vd);
UIColorPtr copyWithAlpha(const UIColor& color, float alpha);
UIColorPtr highlight(const UIColor& color);  // less saturated, brighter
UIColorPtr shadow(const UIColor& color);     // less saturated, darker
float hue(const UIColor& color);
float saturation(const UIColor& color);
float value(const UIColor& color);

}  // namespace tt
