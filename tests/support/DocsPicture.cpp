#include "tests/support/DocsPicture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/foundation/Paths.h"
#include "platform/graphics/CairoHandles.h"

namespace docs_picture {

namespace {

namespace fs = std::filesystem;

struct Picture {
    CairoSurface surface;
    int width = 0, height = 0;
};

bool load(const std::string& path, Picture& out, std::string& error) {
    out.surface.reset(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(out.surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = path + " cannot be read as PNG";
        return false;
    }
    out.width = cairo_image_surface_get_width(out.surface.get());
    out.height = cairo_image_surface_get_height(out.surface.get());
    return true;
}

// Mean red, green and blue of every block, row by row, with the picture moved by (dx, dy)
// pixels (its edge pixels repeated).
std::vector<int> blockMeans(const Picture& p, int dx, int dy) {
    const int columns = (p.width + kBlock - 1) / kBlock, rows = (p.height + kBlock - 1) / kBlock;
    std::vector<int> sums(static_cast<size_t>(columns * rows) * 3, 0);
    std::vector<int> counts(static_cast<size_t>(columns * rows), 0);
    cairo_surface_flush(p.surface.get());
    const unsigned char* data = cairo_image_surface_get_data(p.surface.get());
    const int stride = cairo_image_surface_get_stride(p.surface.get());
    for (int y = 0; y < p.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(std::clamp(y - dy, 0, p.height - 1)) * stride);
        for (int x = 0; x < p.width; ++x) {
            const uint32_t pixel = row[std::clamp(x - dx, 0, p.width - 1)];
            const size_t block = static_cast<size_t>((y / kBlock) * columns + x / kBlock);
            sums[block * 3] += static_cast<int>((pixel >> 16) & 0xff);
            sums[block * 3 + 1] += static_cast<int>((pixel >> 8) & 0xff);
            sums[block * 3 + 2] += static_cast<int>(pixel & 0xff);
            ++counts[block];
        }
    }
    for (size_t i = 0; i < sums.size(); ++i) sums[i] /= counts[i / 3];
    return sums;
}

void writeDiff(const Picture& actual, const std::vector<bool>& differs, const std::string& path) {
    CairoSurface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, actual.width, actual.height));
    Cairo cr(cairo_create(out.get()));
    cairo_set_source_surface(cr.get(), actual.surface.get(), 0, 0);
    cairo_paint(cr.get());
    cairo_set_source_rgba(cr.get(), 1, 1, 1, 0.6);
    cairo_paint(cr.get());
    cairo_set_source_rgb(cr.get(), 0.9, 0, 0);
    const int columns = (actual.width + kBlock - 1) / kBlock;
    for (size_t i = 0; i < differs.size(); ++i)
        if (differs[i])
            cairo_rectangle(cr.get(), static_cast<double>(i % columns) * kBlock, static_cast<double>(i / columns) * kBlock, kBlock, kBlock);
    cairo_fill(cr.get());
    cairo_surface_write_to_png(out.get(), path.c_str());
}

}  // namespace

Difference compare(const std::string& expectedPng, const std::string& actualPng, const std::string& diffPng) {
    Difference result;
    Picture expected, actual;
    if (!load(expectedPng, expected, result.error) || !load(actualPng, actual, result.error)) return result;
    if (expected.width != actual.width || expected.height != actual.height) {
        result.error = "the render is " + std::to_string(actual.width) + " x " + std::to_string(actual.height) +
                       " pixels, the picture " + std::to_string(expected.width) + " x " + std::to_string(expected.height);
        return result;
    }
    const std::vector<int> rendered = blockMeans(actual, 0, 0);
    std::vector<bool> differs(rendered.size() / 3, true);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const std::vector<int> committed = blockMeans(expected, dx, dy);
            for (size_t i = 0; i < differs.size(); ++i) {
                int most = 0;
                for (size_t c = 0; c < 3; ++c) most = std::max(most, std::abs(committed[i * 3 + c] - rendered[i * 3 + c]));
                if (most <= kChannel) differs[i] = false;
            }
        }
    const auto count = std::count(differs.begin(), differs.end(), true);
    result.share = static_cast<double>(count) / static_cast<double>(differs.size());
    if (!diffPng.empty() && result.share > kShare) writeDiff(actual, differs, diffPng);
    return result;
}

testing::AssertionResult matchesDocs(const std::string& actualPng, const std::string& name) {
    const char* source = std::getenv("LUMENO_SOURCE_DIR");
    if (!source || !*source) return testing::AssertionFailure() << "LUMENO_SOURCE_DIR is not set";
    const fs::path picture = fs::path(source) / "docs" / name;
    std::error_code ec;
    if (const char* update = std::getenv("LUMENO_UPDATE_DOCS"); update && *update) {
        fs::copy_file(actualPng, picture, fs::copy_options::overwrite_existing, ec);
        if (ec) return testing::AssertionFailure() << "cannot write " << picture << ": " << ec.message();
        return testing::AssertionSuccess();
    }
    const std::string stem = Paths::temp() + "/" + fs::path(name).stem().string();
    if (!fs::exists(picture))
        return testing::AssertionFailure() << "docs/" << name << " is missing; scripts/docs-pictures makes it from "
                                           << actualPng;
    const Difference d = compare(picture.string(), actualPng, stem + "-diff.png");
    if (d.error.empty() && d.share <= kShare) return testing::AssertionSuccess();
    fs::copy_file(picture, stem + "-expected.png", fs::copy_options::overwrite_existing, ec);
    fs::copy_file(actualPng, stem + "-actual.png", fs::copy_options::overwrite_existing, ec);
    auto failure = testing::AssertionFailure() << "docs/" << name << " is not what the program draws: ";
    if (!d.error.empty())
        failure << d.error;
    else
        failure << d.share * 100 << "% of its blocks differ (at most " << kShare * 100 << "% may)";
    return failure << "; see " << stem << "-{expected,actual,diff}.png; scripts/docs-pictures regenerates it";
}

}  // namespace docs_picture
