#include "tools/contentdb/GlyphRenderer.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr char32_t ZWJ = 0x200D;
constexpr char32_t TATWEEL = 0x0640;
constexpr char32_t LAM = 0x0644;

template <typename T, void (*Destroy)(T*)>
struct Deleter {
    void operator()(T* p) const { if (p) Destroy(p); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using CairoPtr = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using FontFacePtr = std::unique_ptr<cairo_font_face_t, Deleter<cairo_font_face_t, cairo_font_face_destroy>>;
using HbBlobPtr = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using HbFacePtr = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using HbFontPtr = std::unique_ptr<hb_font_t, Deleter<hb_font_t, hb_font_destroy>>;
using HbBufferPtr = std::unique_ptr<hb_buffer_t, Deleter<hb_buffer_t, hb_buffer_destroy>>;

enum class Kind {
    Letter,    // a letter form or lam-alef part: advance box, CHAR_HEIGHT high, baseline fixed
    MarkAbove, // TASHKIL_HEIGHT high, ink at the bottom
    MarkBelow, // TASHKIL_HEIGHT high, ink at the top
    Inline,    // small letter-like sign at its natural height in a CHAR_HEIGHT box, ink width
    Stroke,    // the justification stroke: centre of a tatweel
    Blank,     // transparent
};

struct Recipe {
    Kind kind = Kind::Blank;
    std::u32string text; // shaped as a whole
    size_t firstDrawn = 0; // characters from this index on are drawn
    size_t drawnCount = 1;
    // Lam-alef parts overlap: the lam's ink left of its pen start goes with the alef part.
    enum class Part { Whole, Lam, Alef } part = Part::Whole;
};

std::map<int, Recipe> makeRecipes()
{
    std::map<int, Recipe> r;
    auto letter = [&](int code, char32_t cp, const char* form) {
        std::string f = form;
        Recipe rec{Kind::Letter, {}, 0, 1};
        if (f == "isol") rec.text = {cp};
        if (f == "init") rec.text = {cp, ZWJ};
        if (f == "medi") { rec.text = {ZWJ, cp, ZWJ}; rec.firstDrawn = 1; }
        if (f == "fina") { rec.text = {ZWJ, cp}; rec.firstDrawn = 1; }
        r[code] = rec;
    };
    // code of the isolated form, then initial, medial, final (0 = none)
    struct Forms { char32_t cp; int isol, init, medi, fina; };
    static const Forms forms[] = {
        {0x0621, 164, 0, 0, 0},     {0x0622, 165, 0, 0, 166},     {0x0623, 167, 0, 0, 168},
        {0x0624, 169, 0, 0, 84},    {0x0625, 170, 0, 0, 171},     {0x0626, 173, 172, 128, 174},
        {0x0627, 175, 0, 0, 176},   {0x0628, 178, 177, 159, 158}, {0x0629, 179, 0, 0, 110},
        {0x062A, 181, 180, 157, 156}, {0x062B, 183, 182, 155, 154}, {0x062C, 185, 184, 153, 152},
        {0x062D, 187, 186, 151, 150}, {0x062E, 189, 188, 149, 148}, {0x062F, 190, 0, 0, 136},
        {0x0630, 191, 0, 0, 135},   {0x0631, 192, 0, 0, 87},      {0x0632, 193, 0, 0, 86},
        {0x0633, 195, 194, 90, 119}, {0x0634, 197, 196, 89, 118}, {0x0635, 199, 198, 147, 146},
        {0x0636, 201, 200, 145, 144}, {0x0637, 202, 117, 143, 83}, {0x0638, 203, 116, 142, 82},
        {0x0639, 205, 204, 206, 207}, {0x063A, 209, 208, 210, 211}, {0x0640, 212, 0, 0, 0},
        {0x0641, 214, 213, 141, 140}, {0x0642, 216, 215, 139, 85}, {0x0643, 218, 217, 138, 137},
        {0x0644, 220, 219, 130, 134}, {0x0645, 222, 221, 133, 132}, {0x0646, 224, 223, 131, 88},
        {0x0647, 226, 225, 227, 120}, {0x0648, 228, 0, 0, 91},    {0x0649, 229, 105, 104, 230},
        {0x064A, 232, 231, 129, 233}, {0x0671, 115, 0, 0, 111},
        {0x0621, 163, 0, 0, 0},     // second hamza carrier
        {0x0646, 0, 0, 160, 0},     // spare joining noon
    };
    for (const auto& f : forms) {
        if (f.isol) letter(f.isol, f.cp, "isol");
        if (f.init) letter(f.init, f.cp, "init");
        if (f.medi) letter(f.medi, f.cp, "medi");
        if (f.fina) letter(f.fina, f.cp, "fina");
    }
    // lam-alef: lam part and alef part of ل + alef, alone and after a joining letter
    struct LamAlef { char32_t alef; int isolAlef, finaAlef; };
    static const LamAlef lamAlefs[] = {
        {0x0671, 92, 94}, {0x0622, 234, 95}, {0x0623, 235, 96}, {0x0625, 236, 97}, {0x0627, 237, 98},
        {0x0623, 93, 0},
    };
    for (const auto& la : lamAlefs) {
        r[la.isolAlef] = {Kind::Letter, {LAM, la.alef}, 1, 1, Recipe::Part::Alef};
        if (la.finaAlef)
            r[la.finaAlef] = {Kind::Letter, {ZWJ, LAM, la.alef}, 2, 1, Recipe::Part::Alef};
    }
    r[238] = {Kind::Letter, {LAM, 0x0627}, 0, 1, Recipe::Part::Lam};
    r[239] = {Kind::Letter, {ZWJ, LAM, 0x0627}, 1, 1, Recipe::Part::Lam};

    // marks are shaped on a beh: Amiri turns some of them into wide forms over a tatweel
    auto mark = [&](int code, Kind kind, std::u32string marks) {
        std::u32string text{0x0628};
        text += marks;
        r[code] = {kind, text, 1, marks.size()};
    };
    mark(99, Kind::MarkAbove, U"\u064B");
    mark(101, Kind::MarkAbove, U"\u064C");
    mark(100, Kind::MarkBelow, U"\u064D");
    mark(240, Kind::MarkAbove, U"\u08F0");
    mark(242, Kind::MarkAbove, U"\u08F1");
    mark(243, Kind::MarkBelow, U"\u08F2");
    mark(241, Kind::MarkAbove, U"\u06E2");
    mark(244, Kind::MarkAbove, U"\u064E");
    mark(246, Kind::MarkAbove, U"\u064F");
    mark(248, Kind::MarkBelow, U"\u0650");
    mark(249, Kind::MarkBelow, U"\u0650\u06ED");
    mark(250, Kind::MarkAbove, U"\u0651");
    mark(252, Kind::MarkAbove, U"\u06E1");
    mark(253, Kind::MarkAbove, U"\u064F\u06E2");
    mark(254, Kind::MarkAbove, U"\u064E\u06E2");
    mark(245, Kind::MarkAbove, U"\u0654");
    mark(247, Kind::MarkAbove, U"\u0653");
    mark(255, Kind::MarkBelow, U"\u0655");
    mark(107, Kind::MarkAbove, U"\u06DF");
    for (int code = 121; code <= 126; ++code)
        mark(code, Kind::MarkAbove, std::u32string(1, static_cast<char32_t>(0x06D6 + code - 121)));
    // carried by a beh: Amiri joins some of these signs with a tatweel into one glyph
    auto inlineSign = [&](int code, char32_t cp) { r[code] = {Kind::Inline, {0x0628, cp}, 1, 1}; };
    inlineSign(109, 0x0670);
    inlineSign(106, 0x06E5);
    inlineSign(108, 0x06E6);
    inlineSign(113, 0x06E7);
    inlineSign(114, 0x06E8);
    inlineSign(102, 0x06DC);
    inlineSign(127, 0x06DC);
    inlineSign(103, 0x06E3);
    r[112] = {Kind::Stroke, {TATWEEL}, 0, 1};
    return r;
}

struct Placed {
    hb_codepoint_t glyph;
    uint32_t cluster;
    double x, y, advance; // pixels; x to the right, y downwards
};

// Glyphs drawn with a horizontal clip (pen coordinates).
struct DrawPart {
    std::vector<Placed> glyphs;
    double clipMin = -1e9;
    double clipMax = 1e9;
};

struct Ink {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // [x0, x1) x [y0, y1) in scratch pixels
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

cairo_status_t appendPng(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

GlyphStyle glyphStyle(int style)
{
    struct Row { int charHeight, tashkil, width166, width207; };
    // metrics sets: 0/5, 1, 6, 2/7, 3/8, 4/9
    static const Row rows[] = {{26, 9, 11, 12}, {33, 8, 12, 15}, {30, 10, 11, 14},
                               {36, 12, 14, 18}, {40, 14, 15, 19}, {46, 16, 17, 23}};
    static const int setOfStyle[10] = {0, 1, 3, 4, 5, 0, 2, 3, 4, 5};
    GlyphStyle s;
    s.style = style;
    s.metricsSet = setOfStyle[style];
    const Row& row = rows[s.metricsSet];
    s.charHeight = row.charHeight;
    s.tashkilHeight = row.tashkil;
    s.scale = style >= 5 ? 2 : 1;
    s.maxWidth = row.charHeight - 1;
    s.forcedWidth166 = row.width166;
    s.forcedWidth207 = row.width207;
    return s;
}

struct GlyphRenderer::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FontFacePtr cairoFace;
    HbBlobPtr blob;
    HbFacePtr hbFace;
    std::map<int, Recipe> recipes = makeRecipes();

    ~Impl()
    {
        cairoFace.reset();
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }

    std::vector<Placed> shape(const std::u32string& text, double em) const
    {
        HbFontPtr font(hb_font_create(hbFace.get()));
        int scale = static_cast<int>(std::lround(em * 64));
        hb_font_set_scale(font.get(), scale, scale);
        HbBufferPtr buffer(hb_buffer_create());
        hb_buffer_set_cluster_level(buffer.get(), HB_BUFFER_CLUSTER_LEVEL_CHARACTERS);
        hb_buffer_set_flags(buffer.get(), HB_BUFFER_FLAG_DO_NOT_INSERT_DOTTED_CIRCLE);
        std::vector<uint32_t> cps(text.begin(), text.end());
        hb_buffer_add_utf32(buffer.get(), cps.data(), static_cast<int>(cps.size()), 0, -1);
        hb_buffer_set_direction(buffer.get(), HB_DIRECTION_RTL);
        hb_buffer_set_script(buffer.get(), HB_SCRIPT_ARABIC);
        hb_buffer_set_language(buffer.get(), hb_language_from_string("ar", -1));
        hb_shape(font.get(), buffer.get(), nullptr, 0);
        unsigned count = 0;
        hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer.get(), &count);
        hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer.get(), &count);
        std::vector<Placed> out;
        double pen = 0;
        for (unsigned i = 0; i < count; ++i) {
            out.push_back({info[i].codepoint, info[i].cluster, pen + pos[i].x_offset / 64.0, -pos[i].y_offset / 64.0,
                           pos[i].x_advance / 64.0});
            pen += pos[i].x_advance / 64.0;
        }
        return out;
    }

    // Draws glyphs (pen start at ox, baseline at oy) onto a scratch surface and finds the ink.
    SurfacePtr draw(const std::vector<DrawPart>& parts, double em, int width, int height, double ox, double oy,
                    Ink& ink) const
    {
        SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
        CairoPtr cr(cairo_create(surface.get()));
        cairo_set_font_face(cr.get(), cairoFace.get());
        cairo_set_font_size(cr.get(), em);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr.get(), options);
        cairo_font_options_destroy(options);
        cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
        for (const auto& part : parts) {
            std::vector<cairo_glyph_t> cg;
            for (const auto& g : part.glyphs)
                cg.push_back({g.glyph, ox + g.x, oy + g.y});
            cairo_save(cr.get());
            double left = std::max(0.0, ox + part.clipMin), right = std::min(double(width), ox + part.clipMax);
            cairo_rectangle(cr.get(), left, 0, std::max(0.0, right - left), height);
            cairo_clip(cr.get());
            cairo_show_glyphs(cr.get(), cg.data(), static_cast<int>(cg.size()));
            cairo_restore(cr.get());
        }
        cr.reset();
        cairo_surface_flush(surface.get());
        const unsigned char* data = cairo_image_surface_get_data(surface.get());
        int stride = cairo_image_surface_get_stride(surface.get());
        ink = Ink{width, height, 0, 0};
        for (int y = 0; y < height; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < width; ++x) {
                if ((row[x] >> 24) > 0) {
                    ink.x0 = std::min(ink.x0, x);
                    ink.x1 = std::max(ink.x1, x + 1);
                    ink.y0 = std::min(ink.y0, y);
                    ink.y1 = std::max(ink.y1, y + 1);
                }
            }
        }
        if (ink.empty())
            ink = Ink{};
        return surface;
    }
};

void GlyphRenderer::applyFixedMetrics(const GlyphStyle& style, GlyphMetrics& metrics)
{
    metrics.widths[166 - 82] = style.forcedWidth166;
    metrics.widths[207 - 82] = style.forcedWidth207;
    metrics.widths[211 - 82] = style.forcedWidth207;
    if (style.metricsSet != 0)
        return;
    for (auto [code, width] : {std::pair{82, 17}, {112, 2}, {115, 6}, {220, 11}, {251, 11}})
        metrics.widths[code - 82] = width;
    for (auto [code, offset] : {std::pair{82, 3}, {112, 14}, {178, 9}, {220, 2}, {222, 10}})
        metrics.markOffsets[code - 82] = offset;
    for (auto [code, offset] : {std::pair{82, 17}, {178, 20}, {222, 25}, {249, 6}})
        metrics.markOffsets[175 + code - 82] = offset;
}

GlyphRenderer::GlyphRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
GlyphRenderer::~GlyphRenderer() = default;

std::string GlyphRenderer::findAmiriQuran()
{
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return path;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Amiri Quran"));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    const std::string wanted = "AmiriQuran.ttf";
    for (int i = 0; fonts && i < fonts->nfont && path.empty(); ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) == FcResultMatch) {
            std::string candidate = reinterpret_cast<const char*>(file);
            if (candidate.size() >= wanted.size() &&
                candidate.compare(candidate.size() - wanted.size(), wanted.size(), wanted) == 0)
                path = candidate;
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return path;
}

std::unique_ptr<GlyphRenderer> GlyphRenderer::open(const std::string& fontPath, std::string& error)
{
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0 || FT_New_Face(impl->library, fontPath.c_str(), 0, &impl->face) != 0) {
        error = "cannot open the font " + fontPath;
        return nullptr;
    }
    impl->cairoFace.reset(cairo_ft_font_face_create_for_ft_face(impl->face, 0));
    impl->blob.reset(hb_blob_create_from_file_or_fail(fontPath.c_str()));
    if (!impl->blob) {
        error = "cannot read the font " + fontPath;
        return nullptr;
    }
    impl->hbFace.reset(hb_face_create(impl->blob.get(), 0));
    // every character the glyph set draws must be in the font
    HbFontPtr font(hb_font_create(impl->hbFace.get()));
    for (const auto& [code, recipe] : impl->recipes) {
        for (char32_t cp : recipe.text) {
            hb_codepoint_t glyph;
            if (cp != ZWJ && !hb_font_get_nominal_glyph(font.get(), cp, &glyph)) {
                char buf[64];
                std::snprintf(buf, sizeof buf, "U+%04X (glyph code %d)", static_cast<unsigned>(cp), code);
                error = "the font " + fontPath + " has no glyph for " + buf;
                return nullptr;
            }
        }
    }
    return std::unique_ptr<GlyphRenderer>(new GlyphRenderer(std::move(impl)));
}

bool GlyphRenderer::renderStyle(int styleNumber, std::vector<GlyphImage>& images, GlyphMetrics& metrics,
                                std::string& error)
{
    if (!measureStyle(styleNumber, images, metrics, error))
        return false;
    applyFixedMetrics(glyphStyle(styleNumber), metrics);
    return true;
}

bool GlyphRenderer::measureStyle(int styleNumber, std::vector<GlyphImage>& images, GlyphMetrics& metrics,
                                 std::string& error)
{
    if (styleNumber < 0 || styleNumber > 9) {
        error = "no glyph style " + std::to_string(styleNumber);
        return false;
    }
    const GlyphStyle style = glyphStyle(styleNumber);
    const int s = style.scale;
    const int boxPx = style.charHeight * s;      // CHAR_HEIGHT in pixels
    const int markPx = style.tashkilHeight * s;  // TASHKIL_HEIGHT in pixels
    const double em = kEmRatio * boxPx;
    const int baselinePx = static_cast<int>(std::lround(kBaselineRatio * boxPx));
    const int scratchW = static_cast<int>(em * 6), scratchH = static_cast<int>(em * 5);
    const double ox = em * 3, oy = em * 3;
    const int boxTop = static_cast<int>(oy) - baselinePx; // top of the CHAR_HEIGHT box in scratch pixels

    images.assign(174, {});
    metrics = GlyphMetrics{};
    std::array<bool, 174> hasInk{};
    std::array<int, 174> inkTop{}, inkBottom{}; // pixels from the box top

    for (int code = 82; code <= 255; ++code) {
        const int index = code - 82;
        GlyphImage& image = images[index];
        auto found = impl_->recipes.find(code);
        Recipe recipe = found == impl_->recipes.end() ? Recipe{} : found->second;

        SurfacePtr source;
        int cropX = 0, cropY = 0, destY = 0, widthPx = 1, heightPx = 1, tableWidthPx = s;
        Ink ink;
        if (recipe.kind != Kind::Blank) {
            std::vector<Placed> all = impl_->shape(recipe.text, em);
            auto select = [&](const std::vector<Placed>& shaped, std::vector<DrawPart>& parts, double& origin,
                              double& advance) {
                // pen span of the drawn glyphs: where the first starts, and their advances
                DrawPart main, lam;
                double pen = 0, lamStart = 1e9;
                origin = 1e9;
                advance = 0;
                for (const auto& g : shaped) {
                    if (g.cluster >= recipe.firstDrawn && g.cluster < recipe.firstDrawn + recipe.drawnCount) {
                        main.glyphs.push_back(g);
                        origin = std::min(origin, pen);
                        advance += g.advance;
                    } else if (recipe.part == Recipe::Part::Alef && g.cluster + 1 == recipe.firstDrawn) {
                        lam.glyphs.push_back(g);
                        lamStart = std::min(lamStart, pen);
                    }
                    pen += g.advance;
                }
                if (recipe.part == Recipe::Part::Lam)
                    main.clipMin = origin;
                parts = {main};
                if (!lam.glyphs.empty()) {
                    lam.clipMax = lamStart;
                    parts.push_back(lam);
                }
            };
            std::vector<DrawPart> drawn;
            double origin = 0, advance = 0;
            select(all, drawn, origin, advance);
            if (drawn[0].glyphs.empty()) {
                error = "glyph code " + std::to_string(code) + " shapes to nothing (clusters";
                for (const auto& g : all) {
                    error += ' ';
                    error += std::to_string(g.cluster);
                }
                error += ')';
                return false;
            }
            double scale = 1.0;
            if (recipe.kind == Kind::Letter) {
                // a letter taller than the box above the baseline (alef wasla, hamza on alef) is drawn
                // smaller; both lam-alef parts take the scale of the whole pair
                Ink whole;
                impl_->draw({DrawPart{all}}, em, scratchW, scratchH, ox, oy, whole);
                if (!whole.empty() && whole.y0 < boxTop) {
                    scale = (oy - boxTop) / (oy - whole.y0);
                    select(impl_->shape(recipe.text, em * scale), drawn, origin, advance);
                }
            }
            source = impl_->draw(drawn, em * scale, scratchW, scratchH, ox, oy, ink);
            if (ink.empty() && recipe.kind != Kind::Stroke) {
                error = "glyph code " + std::to_string(code) + " draws no ink";
                return false;
            }
            if ((recipe.kind == Kind::MarkAbove || recipe.kind == Kind::MarkBelow) && ink.y1 - ink.y0 > markPx - s) {
                // too tall for the mark box: draw smaller around the same pen position
                scale = double(markPx - s) / (ink.y1 - ink.y0);
                std::vector<DrawPart> redrawn;
                select(impl_->shape(recipe.text, em * scale), redrawn, origin, advance);
                source = impl_->draw(redrawn, em * scale, scratchW, scratchH, ox, oy, ink);
            }
            const int inkW = ink.x1 - ink.x0, inkH = ink.y1 - ink.y0;
            switch (recipe.kind) {
            case Kind::Letter: {
                int left = std::min(ink.x0, static_cast<int>(std::floor(ox + origin)));
                int advanceEnd = static_cast<int>(std::lround(ox + origin + advance));
                int right = std::max(ink.x1, advanceEnd);
                cropX = left;
                cropY = boxTop;
                widthPx = std::max(1, right - left);
                heightPx = std::max(boxPx, ink.y1 - boxTop);
                tableWidthPx = std::max(0, advanceEnd - left);
                break;
            }
            case Kind::MarkAbove:
            case Kind::MarkBelow:
                cropX = ink.x0;
                cropY = ink.y0;
                widthPx = std::max(1, inkW);
                heightPx = markPx;
                destY = recipe.kind == Kind::MarkAbove ? markPx - inkH : 0;
                tableWidthPx = inkW;
                break;
            case Kind::Inline:
                cropX = ink.x0;
                cropY = std::min(boxTop, ink.y0); // a sign above the box top is moved down into it
                widthPx = std::max(1, inkW);
                heightPx = std::max(boxPx, ink.y1 - cropY);
                tableWidthPx = inkW;
                break;
            case Kind::Stroke: {
                int centre = (ink.x0 + ink.x1) / 2;
                cropX = centre - s;
                cropY = boxTop;
                widthPx = 2 * s;
                heightPx = boxPx;
                tableWidthPx = 2 * s;
                break;
            }
            case Kind::Blank: break;
            }
            if (recipe.kind == Kind::Letter || recipe.kind == Kind::Inline || recipe.kind == Kind::Stroke) {
                hasInk[index] = true;
                inkTop[index] = std::max(0, ink.y0 - cropY);
                inkBottom[index] = ink.y1 - cropY;
            }
        } else if (code == 251) {
            // the kashida marker: transparent, as wide as the stroke it stands for
            tableWidthPx = static_cast<int>(std::lround(11.0 * style.charHeight / 26)) * s;
            widthPx = tableWidthPx;
            heightPx = markPx;
        } else {
            widthPx = s;
            heightPx = s;
            tableWidthPx = 2 * s;
        }

        SurfacePtr out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, widthPx, heightPx));
        if (source) {
            CairoPtr cr(cairo_create(out.get()));
            cairo_set_source_surface(cr.get(), source.get(), -cropX, destY - cropY);
            cairo_paint(cr.get());
        }
        cairo_surface_flush(out.get());
        if (cairo_surface_write_to_png_stream(out.get(), appendPng, &image.png) != CAIRO_STATUS_SUCCESS) {
            error = "cannot encode the image of glyph code " + std::to_string(code);
            return false;
        }
        image.widthPx = widthPx;
        image.heightPx = heightPx;
        int points = static_cast<int>(std::lround(double(tableWidthPx) / s));
        metrics.widths[index] = static_cast<uint32_t>(std::clamp(points, 2, style.maxWidth));
    }

    // mark offsets from the ink of each letter, in points from the box top
    const int baseIndex = 212 - 82; // tatweel: the default for codes without a letter body
    for (int index = 0; index < 175; ++index) {
        int from = index < 174 && hasInk[index] ? index : baseIndex;
        metrics.markOffsets[index] = inkTop[from] / s + 2;
        metrics.markOffsets[175 + index] = (inkBottom[from] + s - 1) / s - 1;
    }
    metrics.markOffsets[175 + 249 - 82] = static_cast<int>(std::lround(6.0 * style.charHeight / 26));

    return true;
}
