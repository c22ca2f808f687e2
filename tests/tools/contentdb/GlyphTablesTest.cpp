#include "Classes/GlyphEngine/GlyphMetricsTables.h"
#include "ContentDbFixture.h"
#include "tools/contentdb/GlyphRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace {

struct Decoded {
    int width = 0, height = 0;
    bool blackOnly = true; // no pixel has colour, only alpha
    bool anyInk = false;
};

Decoded decodePng(const std::string& png)
{
    struct Reader {
        const std::string* data;
        size_t offset;
    } reader{&png, 0};
    auto read = [](void* closure, unsigned char* out, unsigned int length) -> cairo_status_t {
        auto* r = static_cast<Reader*>(closure);
        if (r->offset + length > r->data->size())
            return CAIRO_STATUS_READ_ERROR;
        std::memcpy(out, r->data->data() + r->offset, length);
        r->offset += length;
        return CAIRO_STATUS_SUCCESS;
    };
    Decoded d;
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read, &reader);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        d.width = cairo_image_surface_get_width(surface);
        d.height = cairo_image_surface_get_height(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < d.height; ++y) {
            for (int x = 0; x < d.width; ++x) {
                uint32_t p;
                std::memcpy(&p, data + y * stride + 4 * x, 4);
                d.anyInk |= (p >> 24) != 0;
                d.blackOnly &= (p & 0xFFFFFF) == 0;
            }
        }
    }
    cairo_surface_destroy(surface);
    return d;
}

const SqliteDb& content()
{
    static const SqliteDb db(bundlePath("lumeno.db"));
    return db;
}

TEST(GlyphImages, EveryStyleHasOneDecodableImagePerCode)
{
    for (int style = 0; style <= 9; ++style) {
        auto rows = content().rows("SELECT glyph, data FROM glyphs WHERE style = ? ORDER BY glyph ASC",
                                   {std::to_string(style)});
        ASSERT_EQ(rows.size(), 174u) << style;
        const GlyphStyle gs = glyphStyle(style);
        for (size_t i = 0; i < rows.size(); ++i) {
            int code = 82 + static_cast<int>(i);
            ASSERT_EQ(rows[i][0], std::to_string(code));
            Decoded d = decodePng(rows[i][1]);
            ASSERT_GT(d.width, 0) << "style " << style << " code " << code << " does not decode";
            EXPECT_TRUE(d.blackOnly) << "style " << style << " code " << code;
            bool spare = code == 161 || code == 162 || code == 251;
            EXPECT_EQ(d.anyInk, !spare) << "style " << style << " code " << code;
        }
        Decoded stroke = decodePng(rows[112 - 82][1]);
        EXPECT_EQ(stroke.height, gs.charHeight * gs.scale) << "the stroke image is exactly CHAR_HEIGHT high";
        EXPECT_EQ(stroke.width, 2 * gs.scale);
        Decoded lam = decodePng(rows[220 - 82][1]);
        EXPECT_GE(lam.height, gs.charHeight * gs.scale);
    }
}

TEST(GlyphImages, DoubleDensityStylesAreTwiceTheSize)
{
    for (auto [single, twice] : {std::pair{0, 5}, {2, 7}, {3, 8}, {4, 9}}) {
        auto a = content().rows("SELECT data FROM glyphs WHERE style = ? ORDER BY glyph", {std::to_string(single)});
        auto b = content().rows("SELECT data FROM glyphs WHERE style = ? ORDER BY glyph", {std::to_string(twice)});
        ASSERT_EQ(a.size(), b.size());
        for (int code : {112, 178, 220, 222, 244}) {
            Decoded da = decodePng(a[code - 82][0]), db = decodePng(b[code - 82][0]);
            EXPECT_NEAR(db.height, 2 * da.height, 2) << single << " " << code;
            EXPECT_NEAR(db.width, 2 * da.width, 3) << single << " " << code;
        }
    }
}

TEST(GlyphMetricsTables, TellingValues)
{
    EXPECT_EQ(glyphMetricsSetForResolution(0), 0);
    EXPECT_EQ(glyphMetricsSetForResolution(5), 0);
    EXPECT_EQ(glyphMetricsSetForResolution(1), 1);
    EXPECT_EQ(glyphMetricsSetForResolution(6), 2);
    EXPECT_EQ(glyphMetricsSetForResolution(9), 5);
    EXPECT_EQ(glyphMetricsSetForResolution(10), -1);

    const auto* widths = arabicFontCharWidths[0];
    for (auto [code, width] : {std::pair{82, 17}, {112, 2}, {115, 6}, {220, 11}, {251, 11}, {166, 11}, {207, 12}, {211, 12}})
        EXPECT_EQ(widths[code - 82], static_cast<uint32_t>(width)) << code;
    const auto* offsets = arabicFontTashkilOffsets[0];
    for (auto [code, above] : {std::pair{82, 3}, {112, 14}, {178, 9}, {220, 2}, {222, 10}})
        EXPECT_EQ(offsets[code - 82], above) << code;
    for (auto [code, below] : {std::pair{82, 17}, {178, 20}, {222, 25}, {249, 6}})
        EXPECT_EQ(offsets[175 + code - 82], below) << code;

    // the engine's own overwrite values, and the range of widths, for every set
    const struct {
        int set, charHeight, w166, w207;
    } sets[] = {{0, 26, 11, 12}, {1, 33, 12, 15}, {2, 30, 11, 14}, {3, 36, 14, 18}, {4, 40, 15, 19}, {5, 46, 17, 23}};
    for (const auto& s : sets) {
        const auto* w = arabicFontCharWidths[s.set];
        EXPECT_EQ(w[166 - 82], static_cast<uint32_t>(s.w166));
        EXPECT_EQ(w[207 - 82], static_cast<uint32_t>(s.w207));
        EXPECT_EQ(w[211 - 82], static_cast<uint32_t>(s.w207));
        EXPECT_LE(*std::max_element(w, w + 174), static_cast<uint32_t>(s.charHeight - 1)) << s.set;
        EXPECT_GE(*std::min_element(w, w + 174), 2u) << s.set;
        EXPECT_LE(*std::min_element(w, w + 174), 3u) << s.set;
    }
    EXPECT_EQ(*std::max_element(arabicFontCharWidths[0], arabicFontCharWidths[0] + 174), 25u);
}

TEST(GlyphMetricsTables, MatchTheGlyphSetOfTheDatabase)
{
    std::string error;
    auto renderer = GlyphRenderer::open(GlyphRenderer::findAmiriQuran(), error);
    ASSERT_TRUE(renderer) << error;
    // the style each table set is measured from
    const int styles[6] = {0, 1, 6, 2, 3, 4};
    for (int set = 0; set < 6; ++set) {
        std::vector<GlyphImage> images;
        GlyphMetrics metrics;
        ASSERT_TRUE(renderer->renderStyle(styles[set], images, metrics, error)) << error;
        for (int i = 0; i < 174; ++i)
            EXPECT_EQ(arabicFontCharWidths[set][i], metrics.widths[i]) << "set " << set << " code " << 82 + i
                                                                        << " (regenerate with contentdb_sources)";
        for (int i = 0; i < 350; ++i)
            EXPECT_EQ(arabicFontTashkilOffsets[set][i], metrics.markOffsets[i]) << "set " << set << " entry " << i;
        // the database holds the images the tables were measured from
        auto rows = content().rows("SELECT data FROM glyphs WHERE style = ? ORDER BY glyph", {std::to_string(styles[set])});
        ASSERT_EQ(rows.size(), 174u);
        for (int i = 0; i < 174; ++i) {
            Decoded d = decodePng(rows[i][0]);
            EXPECT_EQ(d.width, images[i].widthPx) << "style " << styles[set] << " code " << 82 + i;
            EXPECT_EQ(d.height, images[i].heightPx) << "style " << styles[set] << " code " << 82 + i;
        }
    }
}

} // namespace
