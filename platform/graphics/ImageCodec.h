#pragma once
// PNG and JPEG decoding to cairo image surfaces, and encoding back.

#include "platform/graphics/CairoHandles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Largest width or height accepted from outside data.
inline constexpr int kMaxImageDimension = 16384;

// Null with a reason in *error for unknown formats, truncated or corrupt data, or absurd sizes.
CairoSurface decodeImage(const uint8_t* bytes, size_t length, std::string* error);
std::vector<uint8_t> encodePNG(cairo_surface_t* surface);
// A PNG's pixel width and height read from its header alone; false when the bytes do not
// start a PNG or the size is out of range.
bool pngDimensions(const uint8_t* bytes, size_t length, int* width, int* height);
// quality 0 to 1.
std::vector<uint8_t> encodeJPEG(cairo_surface_t* surface, double quality);
