// Laying out all 6,236 verses at a phone width (250 points, resolution 0) with the glyph engine,
// against pango laying out the same verses' Unicode text in Amiri Quran at the same size and width.
// Prints "figure glyph_layout_speedup_vs_pango".

#include "Classes/GlyphEngine/ArabicFont.h"
#include "bench/glyph/GlyphBenchCommon.h"

int main() {
    sqlite3* db = nullptr;
    const auto verses = loadVerses(&db);
    if (verses.size() != 6236) {
        std::fprintf(stderr, "expected 6236 verses, found %zu\n", verses.size());
        return 1;
    }
    const int width = 250;
    ArabicFont font(0, TajweedSwitches::none(), db);
    // Same size: the glyph images are cut from Amiri Quran at 0.85 of the letter height.
    PangoFontDescription* desc = amiriQuran(0.85 * font.CHAR_HEIGHT());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_width(layout, width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);

    long checksum = 0;
    auto engineRun = [&] {
        const double t0 = nowMs();
        for (const auto& v : verses)
            checksum += font.getHeightOfVerseImage(v.verse, false, v.codes, 0, static_cast<int>(v.codes.size()) - 1,
                                                   width, false);
        return nowMs() - t0;
    };
    auto pangoRun = [&] {
        const double t0 = nowMs();
        for (const auto& v : verses) {
            pango_layout_set_text(layout, v.text.c_str(), -1);
            int w = 0, h = 0;
            pango_layout_get_pixel_size(layout, &w, &h);
            checksum += h;
        }
        return nowMs() - t0;
    };
    engineRun();
    pangoRun();
    std::vector<double> engine, pango;
    for (int r = 0; r < 5; ++r) {
        engine.push_back(engineRun());
        pango.push_back(pangoRun());
    }
    const double e = median(engine), p = median(pango);
    std::printf("glyph engine %.2f ms, pango %.2f ms for %zu verses (checksum %ld)\n", e, p, verses.size(), checksum);
    std::printf("figure glyph_layout_ms %.3f ms\n", e);
    std::printf("figure glyph_layout_speedup_vs_pango %.1f x\n", p / e);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    pango_font_description_free(desc);
    sqlite3_close(db);
    return 0;
}
