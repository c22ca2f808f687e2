// Every image listed in resources/images/images.txt is in the bundle at 1x and 2x, at its size,
// with something drawn; touched and switched-on states differ from their plain image.
#include "tools/images/CairoHandles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Surface = SurfaceHandle;

struct Entry {
    std::string name;
    int width = 0;
    int height = 0;
    int leftCap = -1;  // the column that stretches, from "left cap N" in the description
    int topCap = -1;   // the row that stretches, from "top cap N"
};

int capFrom(const std::string& description, const std::string& which)
{
    std::smatch m;
    return std::regex_search(description, m, std::regex(which + " cap ([0-9]+)")) ? std::stoi(m[1]) : -1;
}

std::vector<Entry> readManifest()
{
    const char* source = std::getenv("LUMENO_SOURCE_DIR");
    std::ifstream in(std::string(source ? source : ".") + "/resources/images/images.txt");
    std::vector<Entry> entries;
    for (std::string line; std::getline(in, line);) {
        const auto bar = line.find('|');
        const std::string description = bar == std::string::npos ? "" : line.substr(bar + 1);
        line = line.substr(0, bar);
        std::istringstream fields(line);
        Entry e;
        if (line.empty() || line[0] == '#' || !(fields >> e.name >> e.width >> e.height))
            continue;
        e.leftCap = capFrom(description, "left");
        e.topCap = capFrom(description, "top");
        const auto chapter = e.name.find("%i");
        if (chapter == std::string::npos) {
            entries.push_back(e);
            continue;
        }
        for (int n = 1; n <= 114; ++n) {
            Entry one = e;
            one.name.replace(chapter, 2, std::to_string(n));
            entries.push_back(one);
        }
    }
    return entries;
}

std::string bundlePath(const std::string& name, int scale)
{
    return std::string(LUMENO_TEST_BUNDLE_DIR) + "/" + name + (scale == 2 ? "@2x" : "") + ".png";
}

Surface load(const std::string& name, int scale)
{
    Surface s(cairo_image_surface_create_from_png(bundlePath(name, scale).c_str()));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    // Always ARGB32 so pixels read the same way.
    Surface argb(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s.get()),
                                            cairo_image_surface_get_height(s.get())));
    ContextHandle cr(cairo_create(argb.get()));
    cairo_set_source_surface(cr.get(), s.get(), 0, 0);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    cairo_surface_flush(argb.get());
    return argb;
}

uint32_t pixel(cairo_surface_t* s, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

// Visible and not one flat colour.
bool hasDrawing(cairo_surface_t* s)
{
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    bool visible = false, varied = false;
    const uint32_t first = pixel(s, 0, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixel(s, x, y);
            visible = visible || (p >> 24) != 0;
            varied = varied || p != first;
        }
    }
    return visible && varied;
}

bool samePixels(cairo_surface_t* a, cairo_surface_t* b)
{
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    if (w != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b))
        return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (pixel(a, x, y) != pixel(b, x, y))
                return false;
        }
    }
    return true;
}

TEST(BundleImages, EveryListedImageIsDrawnAtItsSizeAtBothScales)
{
    const std::vector<Entry> entries = readManifest();
    ASSERT_GT(entries.size(), 114u * 2) << "resources/images/images.txt not found or not read";
    for (const Entry& e : entries) {
        for (int scale : {1, 2}) {
            Surface s = load(e.name, scale);
            ASSERT_TRUE(s) << "missing or unreadable: " << bundlePath(e.name, scale);
            EXPECT_EQ(cairo_image_surface_get_width(s.get()), e.width * scale) << e.name << " at " << scale << "x";
            EXPECT_EQ(cairo_image_surface_get_height(s.get()), e.height * scale) << e.name << " at " << scale << "x";
            EXPECT_TRUE(hasDrawing(s.get())) << e.name << " at " << scale << "x is blank";
        }
    }
}

TEST(BundleImages, StatesDifferFromTheirPlainImage)
{
    std::set<std::string> names;
    for (const Entry& e : readManifest())
        names.insert(e.name);
    // A state drawn from the same source as another image under a style sheet must not look the same.
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"sound-ready", "sound-dead"}, {"sound-on", "sound-ready"}, {"sound-ready-plus", "sound-multi"},
        {"Reciter-ready", "Reciter-icon-updated"}, {"Reciter-download", "Reciter-download-updated"},
        {"Reciter-download", "Reciter-ready"}, {"scroller-ar", "scroller-en"}, {"sura-hud-rr", "sura-hud-ff"},
        {"short-button-sand", "short-button-black"}, {"short-button-white-", "short-button-black"},
        {"sura-aya-search-marked", "sura-aya-bookmark"}};
    // And a state named by a suffix differs from the image without it.
    for (const std::string& name : names) {
        for (const std::string suffix : {"-t", "-on", "-light", "-bookmark", "-search", "-marked"}) {
            if (name.size() > suffix.size() && name.ends_with(suffix) &&
                names.count(name.substr(0, name.size() - suffix.size())))
                pairs.emplace_back(name, name.substr(0, name.size() - suffix.size()));
        }
    }
    ASSERT_GT(pairs.size(), 150u);  // the chapter names alone give 114 pairs
    for (const auto& [state, plain] : pairs) {
        Surface a = load(state, 2), b = load(plain, 2);
        ASSERT_TRUE(a && b) << state << " or " << plain;
        EXPECT_FALSE(samePixels(a.get(), b.get())) << state << " looks the same as " << plain;
    }
}

// Largest difference of one colour channel between two pixels.
int channelDistance(uint32_t a, uint32_t b)
{
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
        most = std::max(most, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
    return most;
}

TEST(BundleImages, StretchedColumnsAndRowsAreSeamless)
{
    // A stretchable image repeats its cap column (or row) across the new width; it only looks
    // right when that column matches its neighbours, so no ornament is smeared.
    constexpr int kTolerance = 6;
    int checked = 0;
    for (const Entry& e : readManifest()) {
        if (e.leftCap < 0 && e.topCap < 0)
            continue;
        Surface s = load(e.name, 1);
        ASSERT_TRUE(s) << e.name;
        ++checked;
        if (e.leftCap >= 0) {
            ASSERT_TRUE(e.leftCap >= 1 && e.leftCap + 1 < e.width) << e.name << " left cap " << e.leftCap;
            int worst = 0;
            for (int y = 0; y < e.height; ++y) {
                const uint32_t c = pixel(s.get(), e.leftCap, y);
                worst = std::max({worst, channelDistance(c, pixel(s.get(), e.leftCap - 1, y)),
                                  channelDistance(c, pixel(s.get(), e.leftCap + 1, y))});
            }
            EXPECT_LE(worst, kTolerance) << e.name << ": column " << e.leftCap << " differs from its neighbours";
        }
        if (e.topCap >= 0) {
            ASSERT_TRUE(e.topCap >= 1 && e.topCap + 1 < e.height) << e.name << " top cap " << e.topCap;
            int worst = 0;
            for (int x = 0; x < e.width; ++x) {
                const uint32_t c = pixel(s.get(), x, e.topCap);
                worst = std::max({worst, channelDistance(c, pixel(s.get(), x, e.topCap - 1)),
                                  channelDistance(c, pixel(s.get(), x, e.topCap + 1))});
            }
            EXPECT_LE(worst, kTolerance) << e.name << ": row " << e.topCap << " differs from its neighbours";
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(BundleImages, ChapterNamesAreDistinctAndKeepClearOfTheEdges)
{
    std::map<std::vector<uint32_t>, int> seen;
    for (int n = 1; n <= 114; ++n) {
        Surface s = load("sname_" + std::to_string(n), 2);
        ASSERT_TRUE(s) << "sname_" << n;
        const int w = cairo_image_surface_get_width(s.get()), h = cairo_image_surface_get_height(s.get());
        int left = w, right = -1, top = h, bottom = -1;
        std::vector<uint32_t> pixels;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t p = pixel(s.get(), x, y);
                pixels.push_back(p);
                if ((p >> 24) > 8) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
            }
        }
        ASSERT_GE(right, 0) << "sname_" << n << " has no ink";
        // Marks above and below are part of the name: none may be cut by the image edge.
        EXPECT_GT(left, 0) << "sname_" << n;
        EXPECT_LT(right, w - 1) << "sname_" << n;
        EXPECT_GT(top, 0) << "sname_" << n;
        EXPECT_LT(bottom, h - 1) << "sname_" << n;
        // Centred to within two pixels, so the offsets of the index table stay small.
        EXPECT_NEAR(left, w - 1 - right, 2) << "sname_" << n;
        EXPECT_NEAR(top, h - 1 - bottom, 2) << "sname_" << n;
        const auto [it, fresh] = seen.emplace(pixels, n);
        EXPECT_TRUE(fresh) << "sname_" << n << " is the same image as sname_" << it->second;
    }
}

} // namespace
