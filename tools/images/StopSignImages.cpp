#include "tools/images/StopSignImages.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tools/images/CairoHandles.h"

namespace {

// Glyph codes of the marks in the page's row order: meem (must stop), lam-alef (never stop),
// jeem (either), sad-lam-ya (better to continue), qaf-lam-ya (better to stop), the three dots
// (stop at one of two), and the sakta's seen (a slight pause).
constexpr int kSignCodes[7] = {123, 124, 125, 121, 122, 126, 127};
// The largest glyph style at single and at double density.
constexpr int kStyleFor1x = 4;
constexpr int kStyleFor2x = 9;
constexpr int kBox = 40;
constexpr double kPadding = 7;

struct Reader {
    std::vector<unsigned char> bytes;
    size_t at = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<Reader*>(closure);
    if (reader->at + length > reader->bytes.size()) return CAIRO_STATUS_READ_ERROR;
    std::copy_n(reader->bytes.begin() + static_cast<long>(reader->at), length, data);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
}

bool glyphPng(sqlite3* db, int style, int code, std::vector<unsigned char>& out) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT data FROM glyphs WHERE style = ? AND glyph = ?", -1, &raw, nullptr) != SQLITE_OK)
        return false;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    sqlite3_bind_int(raw, 1, style);
    sqlite3_bind_int(raw, 2, code);
    if (sqlite3_step(raw) != SQLITE_ROW) return false;
    const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(raw, 0));
    out.assign(data, data + sqlite3_column_bytes(raw, 0));
    return !out.empty();
}

// The glyph (black on transparent) scaled into the box's padded middle and filled with the ink.
bool drawSign(const std::vector<unsigned char>& png, int scale, const InkStyle& ink, const std::string& path) {
    Reader reader{png};
    SurfaceHandle glyph(cairo_image_surface_create_from_png_stream(readBytes, &reader));
    if (cairo_surface_status(glyph.get()) != CAIRO_STATUS_SUCCESS) return false;
    const double gw = cairo_image_surface_get_width(glyph.get()), gh = cairo_image_surface_get_height(glyph.get());
    const double side = kBox * scale, room = side - 2 * kPadding * scale;
    if (gw <= 0 || gh <= 0) return false;
    const double k = std::min(room / gw, room / gh);
    SurfaceHandle surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(side), static_cast<int>(side)));
    ContextHandle cr(cairo_create(surface.get()));
    cairo_translate(cr.get(), (side - gw * k) / 2, (side - gh * k) / 2);
    cairo_scale(cr.get(), k, k);
    cairo_set_source_rgb(cr.get(), ink.red, ink.green, ink.blue);
    cairo_mask_surface(cr.get(), glyph.get(), 0, 0);
    return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool renderStopSigns(const std::string& dbPath, const std::string& outDir, const InkStyle& ink, std::string& error) {
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(dbPath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error = "cannot open " + dbPath;
        sqlite3_close(raw);
        return false;
    }
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    for (int n = 0; n < 7; ++n) {
        for (int scale : {1, 2}) {
            std::vector<unsigned char> png;
            const std::string name = "sign" + std::to_string(n + 1) + (scale == 2 ? "@2x" : "") + ".png";
            if (!glyphPng(db.get(), scale == 2 ? kStyleFor2x : kStyleFor1x, kSignCodes[n], png) ||
                !drawSign(png, scale, ink, outDir + "/" + name)) {
                error = "cannot draw " + name + " from glyph " + std::to_string(kSignCodes[n]);
                return false;
            }
        }
    }
    return true;
}
