#include "platform/graphics/AlphaBlur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Widths of three boxes whose repeated application approximates a Gaussian of sigma.
void boxWidths(double sigma, int out[3]) {
    double ideal = std::sqrt(12 * sigma * sigma / 3 + 1);
    int wl = static_cast<int>(std::floor(ideal));
    if (wl % 2 == 0) --wl;
    int wu = wl + 2;
    double mIdeal = (12 * sigma * sigma - 3.0 * wl * wl - 12.0 * wl - 9) / (-4.0 * wl - 4);
    int m = static_cast<int>(std::lround(mIdeal));
    for (int i = 0; i < 3; ++i) out[i] = i < m ? wl : wu;
}

// One box pass of radius r from n contiguous samples into dst, spaced step apart; edges read as 0.
void boxPass(const uint8_t* src, uint8_t* dst, int n, int step, int r) {
    int window = 2 * r + 1;
    int sum = 0;
    for (int i = 0; i < std::min(r, n); ++i) sum += src[i];
    for (int i = 0; i < n; ++i) {
        int add = i + r, drop = i - r - 1;
        if (add < n) sum += src[add];
        if (drop >= 0) sum -= src[drop];
        dst[i * step] = static_cast<uint8_t>((sum + window / 2) / window);
    }
}

}  // namespace

int alphaBlurSpread(double sigma) { return sigma < 0.5 ? 0 : static_cast<int>(std::ceil(3 * sigma)) + 1; }

void blurAlphaPlane(uint8_t* data, int width, int height, int stride, double sigma) {
    if (sigma < 0.5 || width <= 0 || height <= 0) return;
    int widths[3];
    boxWidths(sigma, widths);
    std::vector<uint8_t> line(static_cast<size_t>(std::max(width, height)));
    for (int pass = 0; pass < 3; ++pass) {
        int r = (widths[pass] - 1) / 2;
        if (r <= 0) continue;
        for (int y = 0; y < height; ++y) {
            uint8_t* row = data + static_cast<size_t>(y) * stride;
            std::copy(row, row + width, line.begin());
            boxPass(line.data(), row, width, 1, r);
        }
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) line[y] = data[static_cast<size_t>(y) * stride + x];
            boxPass(line.data(), data + x, height, stride, r);
        }
    }
}
