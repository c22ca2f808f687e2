#include "tools/contentdb/GlyphSheet.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

namespace {

struct PngReader {
    const std::vector<uint8_t>* data;
    size_t offset = 0;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length)
{
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->offset + length > reader->data->size())
        return CAIRO_STATUS_READ_ERROR;
    std::copy_n(reader->data->begin() + reader->offset, length, out);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

Surface decode(const GlyphImage& image)
{
    PngReader reader{&image.png};
    return Surface(cairo_image_surface_create_from_png_stream(readPng, &reader));
}

} // namespace

namespace GlyphSheet {

const std::vector<SampleSymbol>& sampleLine()
{
    // بِسْمِ ٱللَّهِ ٱلرَّحْمَٰنِ لَا فَلَا نً دٍ: letters in the form the engine picks from their neighbours
    static const std::vector<SampleSymbol> line = {
        {177, {248}}, {90, {252}}, {132, {248}}, {32, {}},
        {115, {}}, {219, {}}, {130, {250, 244}}, {120, {248}}, {32, {}},
        {115, {}}, {219, {}}, {87, {250, 244}}, {186, {252}}, {133, {244}}, {109, {}}, {88, {248}}, {32, {}},
        {238, {244}}, {237, {}}, {32, {}}, {213, {244}}, {239, {244}}, {98, {}}, {32, {}}, {224, {99}}, {32, {}},
        {190, {100}},
    };
    return line;
}

bool write(int styleNumber, const std::vector<GlyphImage>& images, const GlyphMetrics& metrics,
           const std::string& path, std::string& error)
{
    const GlyphStyle style = glyphStyle(styleNumber);
    const int s = style.scale, H = style.charHeight, T = style.tashkilHeight;
    std::vector<Surface> decoded;
    int cellW = 0, cellH = 0;
    for (const auto& image : images) {
        decoded.push_back(decode(image));
        if (cairo_surface_status(decoded.back().get()) != CAIRO_STATUS_SUCCESS) {
            error = "a glyph image does not decode";
            return false;
        }
        cellW = std::max(cellW, image.widthPx);
        cellH = std::max(cellH, image.heightPx);
    }
    const int pad = 4 * s, label = 10 * s, columns = 16, rows = (174 + columns - 1) / columns;
    cellW += 2 * pad;
    cellH += 2 * pad + label;
    const int lineH = (H + 2 * T + 12) * s * 2;
    const int width = columns * cellW, height = rows * cellH + lineH;
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    std::unique_ptr<cairo_t, CairoDeleter> crHolder(cairo_create(sheet.get()));
    cairo_t* cr = crHolder.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_font_size(cr, 8 * s);
    for (int i = 0; i < 174; ++i) {
        double x = (i % columns) * cellW, y = (i / columns) * cellH;
        // the CHAR_HEIGHT box (grey) and the advance width (blue) behind the image
        cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
        cairo_rectangle(cr, x + pad, y + pad + label, images[i].widthPx, H * s);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 0.2, 0.4, 1, 0.6);
        cairo_rectangle(cr, x + pad, y + pad + label + H * s, metrics.widths[i] * s, 2);
        cairo_fill(cr);
        cairo_set_source_surface(cr, decoded[i].get(), x + pad, y + pad + label);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 0.6, 0, 0);
        cairo_move_to(cr, x + pad, y + pad + label - 2);
        cairo_show_text(cr, std::to_string(82 + i).c_str());
    }

    // the sample line, set right to left as the engine places letters and marks (scaled up 2x)
    cairo_save(cr);
    cairo_translate(cr, 0, rows * cellH);
    cairo_scale(cr, 2.0 / s, 2.0 / s); // pixels of the style, shown at twice the point size
    const int padTop = s == 2 ? 2 : 3, gap = 2;
    double x = width * 0.45; // points: the line starts near the right edge
    const double lineY = T + padTop + 4;
    double letterX = x;
    int letterW = 0, letter = 0;
    for (const auto& symbol : sampleLine()) {
        if (symbol.code == 32) {
            x -= T;
            continue;
        }
        int index = symbol.code - 82;
        x -= metrics.widths[index];
        letterX = x;
        letterW = static_cast<int>(metrics.widths[index]);
        letter = symbol.code;
        cairo_set_source_surface(cr, decoded[index].get(), 0, 0);
        cairo_save(cr);
        cairo_translate(cr, x * s, lineY * s);
        cairo_set_source_surface(cr, decoded[index].get(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        int stack = 0;
        for (int mark : symbol.marks) {
            int m = mark - 82;
            bool below = mark == 100 || mark == 243 || mark == 248 || mark == 249 || mark == 255;
            double my = below ? metrics.markOffsets[175 + letter - 82] + gap
                              : metrics.markOffsets[letter - 82] - padTop - T - stack;
            if (!below)
                stack += T / 2;
            double mx = letterX + (letterW - static_cast<int>(metrics.widths[m])) / 2.0;
            cairo_save(cr);
            cairo_translate(cr, mx * s, (lineY + my) * s);
            cairo_set_source_surface(cr, decoded[m].get(), 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    cairo_restore(cr);
    crHolder.reset();
    if (cairo_surface_write_to_png(sheet.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace GlyphSheet
