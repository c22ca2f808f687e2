#pragma once
// Images kept decoded: a short header and cairo's own pixel rows, so loading is one read
// instead of a PNG decode. The bundle keeps large images this way beside their PNGs
// ("splash@2x.png" and "splash@2x.pixels"); made at build time from the PNG.

#include "platform/graphics/CairoHandles.h"

#include <string>

// The pixel file beside an image file: "dir/name@2x.png" -> "dir/name@2x.pixels".
std::string pixelFileFor(const std::string& imagePath);
// The rows stay mapped from the file for the surface's life (the file is replaced, never
// rewritten in place). Null with a reason in *error when the file is missing, not a pixel
// file, or its size does not match its header.
CairoSurface readPixelFile(const std::string& path, std::string* error);
// Writes beside the path and renames over it. False with a reason in *error when the
// surface is not an image surface or cannot be written.
bool writePixelFile(cairo_surface_t* surface, const std::string& path, std::string* error);
