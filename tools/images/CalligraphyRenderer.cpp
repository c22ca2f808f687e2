#include "tools/images/CalligraphyRenderer.h"
#include "tools/images/CairoHandles.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

namespace {



constexpr double kMeasureSize = 40.0;

LayoutHandle makeLayout(cairo_t* cr, const std::string& family, const std::string& text, double size)
{
    LayoutHandle layout(pango_cairo_create_layout(cr));
    FontDescriptionHandle font(pango_font_description_new());
    pango_font_description_set_family(font.get(), family.c_str());
    pango_font_description_set_absolute_size(font.get(), size * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    return layout;
}

// An eight-pointed star in a ring, centred on (x, y) with outer radius r.
void drawRosette(cairo_t* cr, double x, double y, double r)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    for (int square = 0; square < 2; ++square) {
        cairo_save(cr);
        cairo_rotate(cr, square * M_PI / 4);
        const double s = r * 0.62;
        cairo_rectangle(cr, -s, -s, 2 * s, 2 * s);
        cairo_restore(cr);
    }
    cairo_set_line_width(cr, r * 0.14);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, r * 0.28, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace

CalligraphyRenderer::CalligraphyRenderer(const std::string& fontFile, const std::string& family)
    : family_(family)
{
    if (!FcInit() || !FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(fontFile.c_str()))) {
        error_ = "cannot load the font file " + fontFile;
        return;
    }
    // The font map must resolve the family to this face, not to a fallback.
    PangoFontMap* map = pango_cairo_font_map_get_default();
    std::unique_ptr<PangoContext, GObjectDeleter> context(pango_font_map_create_context(map));
    FontDescriptionHandle wanted(pango_font_description_from_string(family.c_str()));
    std::unique_ptr<PangoFont, GObjectDeleter> font(pango_font_map_load_font(map, context.get(), wanted.get()));
    if (!font) {
        error_ = "no font for the family " + family;
        return;
    }
    FontDescriptionHandle got(pango_font_describe(font.get()));
    const char* gotFamily = pango_font_description_get_family(got.get());
    if (!gotFamily || family != gotFamily) {
        error_ = "the family " + family + " resolves to " + (gotFamily ? gotFamily : "nothing");
        return;
    }
    ready_ = true;
}

bool CalligraphyRenderer::render(const std::string& text, int width, int height, double padding, int scale,
                                 const InkStyle& ink, bool rosettes, const std::string& pngPath)
{
    SurfaceHandle surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale));
    ContextHandle cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        error_ = "cannot make a drawing surface";
        return false;
    }
    cairo_scale(cr.get(), scale, scale);

    // Measure at a fixed size, then scale the font so the ink fits the box (marks included).
    LayoutHandle probe = makeLayout(cr.get(), family_, text, kMeasureSize);
    PangoRectangle inkRect;
    pango_layout_get_extents(probe.get(), &inkRect, nullptr);
    const double inkWidth = double(inkRect.width) / PANGO_SCALE;
    const double inkHeight = double(inkRect.height) / PANGO_SCALE;
    if (inkWidth <= 0 || inkHeight <= 0) {
        error_ = "nothing to draw for \"" + text + "\"";
        return false;
    }
    const double ornament = rosettes ? height * 0.55 : 0.0;
    const double boxWidth = width - 2 * padding - 2 * ornament;
    const double boxHeight = height - 2 * padding;
    const double fit = std::min(boxWidth / inkWidth, boxHeight / inkHeight);
    const double size = kMeasureSize * fit;

    LayoutHandle layout = makeLayout(cr.get(), family_, text, size);
    pango_layout_get_extents(layout.get(), &inkRect, nullptr);
    const double x = (width - double(inkRect.width) / PANGO_SCALE) / 2 - double(inkRect.x) / PANGO_SCALE;
    const double y = (height - double(inkRect.height) / PANGO_SCALE) / 2 - double(inkRect.y) / PANGO_SCALE;
    cairo_set_source_rgb(cr.get(), ink.red, ink.green, ink.blue);
    cairo_move_to(cr.get(), x, y);
    pango_cairo_show_layout(cr.get(), layout.get());

    if (rosettes) {
        const double r = height * 0.16;
        drawRosette(cr.get(), padding + ornament / 2, height / 2.0, r);
        drawRosette(cr.get(), width - padding - ornament / 2, height / 2.0, r);
    }

    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS) {
        error_ = "cannot write " + pngPath;
        return false;
    }
    return true;
}
