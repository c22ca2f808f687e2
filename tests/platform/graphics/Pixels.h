#pragma once
// Reading back pixels of bitmap contexts in tests.

#include "platform/graphics/CGContext.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <memory>
#include <string>

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

// Un-premultiplied pixel at device pixel (x, y) of an image surface.
inline Rgba pixelOf(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    UIImage view(s, 1.0);
    UIImage::Pixel p = view.pixelAt(x, y);
    return {p.r, p.g, p.b, p.a};
}

inline Rgba pixelOf(const CGContext& ctx, int x, int y) { return pixelOf(ctx.targetSurface(), x, y); }

inline bool near(const Rgba& p, const Rgba& q, int tolerance = 3) {
    return std::abs(p.r - q.r) <= tolerance && std::abs(p.g - q.g) <= tolerance && std::abs(p.b - q.b) <= tolerance &&
           std::abs(p.a - q.a) <= tolerance;
}

inline std::string describe(const Rgba& p) {
    return "(" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + "," + std::to_string(p.a) + ")";
}

// Bounding box in pixels of pixels with alpha above the threshold; width 0 when none.
struct PixelBox {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive
    int width() const { return x1 - x0 + 1; }
    int height() const { return y1 - y0 + 1; }
    bool empty() const { return x1 < x0; }
};

inline PixelBox inkBox(cairo_surface_t* s, int threshold = 0) {
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    PixelBox box{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
            if (static_cast<int>(v >> 24) > threshold) {
                box.x0 = std::min(box.x0, x); box.y0 = std::min(box.y0, y);
                box.x1 = std::max(box.x1, x); box.y1 = std::max(box.y1, y);
            }
        }
    if (box.x1 < 0) return PixelBox{};
    return box;
}

// A transparent interface context (top-left origin) of the size in points at the scale.
inline std::unique_ptr<CGContext> makeContext(int widthPts, int heightPts, double scale = 1) {
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(widthPts * scale),
                                              static_cast<int>(heightPts * scale)));
    return std::make_unique<CGContext>(std::move(s), scale, false);
}

// Where tests may write files.
inline std::string testOutputDir() {
    const char* t = std::getenv("LUMENO_TEMP_DIR");
    std::filesystem::path dir = t ? std::filesystem::path(t) : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(dir);
    return dir.string();
}
