// Drawing the verses that fill one 640 x 960 pixel screen of chapter 2 (resolution 5, scale 2) with
// the glyph engine, against pango drawing the same verses' text in Amiri Quran at the same size.
// Both lay out and draw every verse on every frame. Prints "figure screen_draw_ms" (median) and
// "figure screen_draw_speedup_vs_pango".

#include "Classes/GlyphEngine/ArabicFont.h"
#include "bench/glyph/GlyphBenchCommon.h"
#include "platform/graphics/CGContext.h"

int main() {
    sqlite3* db = nullptr;
    const auto verses = loadVerses(&db, "WHERE d.surah = 2");
    if (verses.empty()) return 1;
    const double scale = 2;
    const int widthPt = 320, heightPt = 480;
    const int startX = widthPt - 10, forWidth = widthPt - 20;
    UIGraphicsSetScreenScale(scale);
    ArabicFont font(5, TajweedSwitches::none(), db);

    // The verses whose rows fill the screen.
    std::vector<const BenchVerse*> screen;
    std::vector<int> heights;
    int filled = 0;
    for (const auto& v : verses) {
        if (filled >= heightPt) break;
        const int h = font.getHeightOfVerseImage(v.verse, false, v.codes, 0, static_cast<int>(v.codes.size()) - 1,
                                                 forWidth, false);
        screen.push_back(&v);
        heights.push_back(h);
        filled += h;
    }

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(widthPt, heightPt), true, scale);
    CGContext* context = UIGraphicsGetCurrentContext();
    // The background is cleared outside the timed part: only the text drawing is measured.
    auto engineFrame = [&] {
        context->setRGBFillColor(1, 1, 1, 1);
        context->fillRect(CGRectMake(0, 0, widthPt, heightPt));
        const double t0 = nowMs();
        int y = 0;
        for (size_t i = 0; i < screen.size(); ++i) {
            context->saveGState();
            context->translateCTM(0, y);
            font.drawVerseImageFromBytes(*context, screen[i]->verse, false, screen[i]->codes, 0,
                                         static_cast<int>(screen[i]->codes.size()) - 1, startX, forWidth);
            context->restoreGState();
            y += heights[i];
        }
        return nowMs() - t0;
    };

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, widthPt * 2, heightPt * 2);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    PangoFontDescription* desc = amiriQuran(0.85 * font.CHAR_HEIGHT());
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_width(layout, forWidth * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
    pango_layout_set_justify(layout, TRUE);
    auto pangoFrame = [&] {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_surface_flush(surface);
        const double t0 = nowMs();
        cairo_set_source_rgb(cr, 0, 0, 0);
        double y = 0;
        for (const BenchVerse* v : screen) {
            if (y >= heightPt) break;
            pango_layout_set_text(layout, v->text.c_str(), -1);
            cairo_move_to(cr, 10, y);
            pango_cairo_show_layout(cr, layout);
            int w = 0, h = 0;
            pango_layout_get_pixel_size(layout, &w, &h);
            y += h;
        }
        cairo_surface_flush(surface);
        return nowMs() - t0;
    };

    for (int i = 0; i < 3; ++i) {
        engineFrame();
        pangoFrame();
    }
    std::vector<double> engine, pango;
    for (int r = 0; r < 201; ++r) {
        engine.push_back(engineFrame());
        pango.push_back(pangoFrame());
    }
    const double e = median(engine), p = median(pango);
    std::printf("%zu verses fill the screen; glyph engine %.3f ms, pango %.3f ms per frame\n", screen.size(), e, p);
    std::printf("figure screen_draw_ms %.3f ms\n", e);
    std::printf("figure screen_draw_speedup_vs_pango %.2f x\n", p / e);
    UIGraphicsEndImageContext();
    g_object_unref(layout);
    pango_font_description_free(desc);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    sqlite3_close(db);
    return 0;
}
