#include "tools/images/ContactSheet.h"
#include "tools/images/CairoHandles.h"


#include <algorithm>
#include <filesystem>

namespace {


constexpr int kCellWidth = 168;
constexpr int kCellHeight = 124;
constexpr int kLabelHeight = 16;
constexpr int kGap = 8;

// Light and dark squares behind each image so that both transparency and pale art show.
void drawChecks(cairo_t* cr, double x, double y, double w, double h)
{
    const double step = 8;
    for (double j = 0; j < h; j += step) {
        for (double i = 0; i < w; i += step) {
            const bool dark = (int(i / step) + int(j / step)) % 2;
            cairo_set_source_rgb(cr, dark ? 0.72 : 0.86, dark ? 0.72 : 0.86, dark ? 0.74 : 0.88);
            cairo_rectangle(cr, x + i, y + j, std::min(step, w - i), std::min(step, h - j));
            cairo_fill(cr);
        }
    }
}

} // namespace

namespace ContactSheet {

bool write(const std::vector<std::string>& pngPaths, int columns, const std::string& outPath, std::string& error)
{
    if (pngPaths.empty() || columns <= 0) {
        error = "no images for the sheet";
        return false;
    }
    const int rows = int((pngPaths.size() + columns - 1) / columns);
    const int width = columns * (kCellWidth + kGap) + kGap;
    const int height = rows * (kCellHeight + kLabelHeight + kGap) + kGap;
    SurfaceHandle sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    ContextHandle cr(cairo_create(sheet.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot make a sheet of " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());

    FontDescriptionHandle font(pango_font_description_from_string("Sans 8"));
    for (size_t n = 0; n < pngPaths.size(); ++n) {
        const double cellX = kGap + double(n % columns) * (kCellWidth + kGap);
        const double cellY = kGap + double(n / columns) * (kCellHeight + kLabelHeight + kGap);
        SurfaceHandle image(cairo_image_surface_create_from_png(pngPaths[n].c_str()));
        if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
            error = "cannot read " + pngPaths[n];
            return false;
        }
        const int w = cairo_image_surface_get_width(image.get());
        const int h = cairo_image_surface_get_height(image.get());
        // Small images are shown twice their size so their detail can be judged; big ones shrink.
        const double scale = std::min({2.0, double(kCellWidth) / w, double(kCellHeight) / h});
        const double x = cellX + (kCellWidth - w * scale) / 2;
        const double y = cellY + (kCellHeight - h * scale) / 2;
        drawChecks(cr.get(), x, y, w * scale, h * scale);
        cairo_save(cr.get());
        cairo_translate(cr.get(), x, y);
        cairo_scale(cr.get(), scale, scale);
        cairo_set_source_surface(cr.get(), image.get(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
        cairo_paint(cr.get());
        cairo_restore(cr.get());

        LayoutHandle label(pango_cairo_create_layout(cr.get()));
        pango_layout_set_font_description(label.get(), font.get());
        const std::string name = std::filesystem::path(pngPaths[n]).filename().string() + " " +
                                 std::to_string(w) + "x" + std::to_string(h);
        pango_layout_set_text(label.get(), name.c_str(), -1);
        pango_layout_set_width(label.get(), kCellWidth * PANGO_SCALE);
        pango_layout_set_ellipsize(label.get(), PANGO_ELLIPSIZE_MIDDLE);
        pango_layout_set_alignment(label.get(), PANGO_ALIGN_CENTER);
        cairo_set_source_rgb(cr.get(), 0.2, 0.2, 0.2);
        cairo_move_to(cr.get(), cellX, cellY + kCellHeight + 2);
        pango_cairo_show_layout(cr.get(), label.get());
    }
    cairo_surface_flush(sheet.get());
    if (cairo_surface_write_to_png(sheet.get(), outPath.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + outPath;
        return false;
    }
    return true;
}

} // namespace ContactSheet
