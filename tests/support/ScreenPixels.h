#pragma once
// Pixels of a headless render, read back for comparison.

#include <cstdlib>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"

namespace screen_pixels {

using Pixels = std::vector<HeadlessBackend::Pixel>;

// Every pixel of a display rectangle, row by row, from a fresh frame.
inline Pixels grab(HeadlessBackend& backend, CGRect r) {
    backend.frame();
    Pixels out;
    for (double y = r.origin.y + 0.5; y < CGRectGetMaxY(r); y += 1)
        for (double x = r.origin.x + 0.5; x < CGRectGetMaxX(r); x += 1) out.push_back(backend.pixelAt(CGPointMake(x, y)));
    return out;
}

inline int distance(const HeadlessBackend::Pixel& a, const HeadlessBackend::Pixel& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Share of the pixels that differ plainly (more than a tint seen through a translucent view).
inline double differing(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size() || a.empty()) return 1;
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += distance(a[i], b[i]) > 90 ? 1 : 0;
    return static_cast<double>(n) / a.size();
}

}  // namespace screen_pixels
