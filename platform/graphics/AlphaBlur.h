#pragma once
// Gaussian-like blur of an 8-bit alpha plane by three box blurs each way.

#include <cstdint>

// sigma in pixels; a sigma below 0.5 leaves the plane as it is.
void blurAlphaPlane(uint8_t* data, int width, int height, int stride, double sigma);
// How far (pixels) a blur of sigma spreads beyond the shape.
int alphaBlurSpread(double sigma);
