#include "Classes/GlyphEngine/ArabicFont.h"

#include "platform/graphics/ImageCodec.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

#include "Classes/GlyphEngine/GlyphMetricsTables.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/CGContext.h"

namespace {

struct ResolutionConstants {
    int charHeight;
    int tashkilHeight;   // also the space width
    int extraPrevTashkilOffset;
    uint32_t width166;
    uint32_t width207and211;
};

// Indexed by metrics set (0/5, 1, 6, 2/7, 3/8, 4/9).
constexpr ResolutionConstants kConstants[6] = {
    {26, 9, 4, 11, 12}, {33, 8, 5, 12, 15}, {30, 10, 5, 11, 14},
    {36, 12, 6, 14, 18}, {40, 14, 7, 15, 19}, {46, 16, 8, 17, 23},
};

constexpr RGB8 kColors[kColorCount] = {
    {0, 0, 0},       {185, 85, 200}, {182, 0, 0},     {188, 109, 200}, {182, 0, 0},     {229, 82, 0},
    {47, 153, 0},    {49, 100, 197}, {40, 128, 0},    {195, 0, 0},     {143, 143, 143},
};

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement prepare(sqlite3* db, const char* sql) {
    if (!db) return nullptr;
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        NSLog("Error: failed to prepare statement with message '%s'.", std::string(sqlite3_errmsg(db)));
        sqlite3_finalize(raw);
        return nullptr;
    }
    return Statement(raw);
}

std::vector<uint8_t> blobOf(sqlite3_stmt* stmt, int column) {
    const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, column));
    const int size = sqlite3_column_bytes(stmt, column);
    if (!data || size <= 0) return {};
    return std::vector<uint8_t>(data, data + size);
}

}  // namespace

std::recursive_mutex& ArabicFont::glyphDrawingLock() {
    static std::recursive_mutex lock;
    return lock;
}

RGB8 ArabicFont::colorOf(uint32_t color) { return color < kColorCount ? kColors[color] : RGB8{0, 0, 0}; }

ArabicFont::ArabicFont(uint32_t fontResolution, bool overrideTajweed, sqlite3* contentDb) : contentDb_(contentDb) {
    auto& defaults = NSUserDefaults::standardUserDefaults();
    TajweedSwitches s;
    s.ghunna = defaults.boolForKey("TajweedGhunna");
    s.ikhfa = defaults.boolForKey("TajweedIkhfa");
    s.idgham = defaults.boolForKey("TajweedIdgham");
    s.iqlab = defaults.boolForKey("TajweedIqlab");
    s.qalqala = defaults.boolForKey("TajweedQalqala");
    s.coloredStopSigns = defaults.boolForKey("ColoredStopSigns");
    setUp(fontResolution, overrideTajweed, s);
}

ArabicFont::ArabicFont(uint32_t fontResolution, const TajweedSwitches& switches, sqlite3* contentDb)
    : contentDb_(contentDb) {
    setUp(fontResolution, false, switches);
}

ArabicFont::~ArabicFont() = default;

void ArabicFont::setUp(uint32_t fontResolution, bool overrideTajweed, const TajweedSwitches& switches) {
    alwaysShowTajweed_ = overrideTajweed;
    glyphDrawingLock();
    SCALE_FACTOR_ = static_cast<float>(UIGraphicsGetScreenScale());
    TOP_TASHKIL_LETTER_PADDING_ = SCALE_FACTOR_ == 2.0f ? 2 : 3;
    switches_ = switches;
    if (overrideTajweed) switches_.ghunna = switches_.ikhfa = switches_.idgham = switches_.iqlab = switches_.qalqala = true;
    word_.reserve(MAX_CHARS_IN_WORD);
    ClearCache();

    FONT_RESOLUTION_ = fontResolution;
    const int set = glyphMetricsSetForResolution(fontResolution);
    if (set < 0 || set >= kGlyphMetricsSetCount) return;
    const ResolutionConstants& k = kConstants[set];
    CHAR_HEIGHT_ = k.charHeight;
    TASHKIL_HEIGHT_ = k.tashkilHeight;
    SPACE_CHAR_WIDTH_ = k.tashkilHeight;
    EXTRA_PREV_TASHKIL_OFFSET_ = k.extraPrevTashkilOffset;
    std::copy(std::begin(arabicFontCharWidths[set]), std::end(arabicFontCharWidths[set]), charWidths_.begin());
    std::copy(std::begin(arabicFontTashkilOffsets[set]), std::end(arabicFontTashkilOffsets[set]), markOffsets_.begin());
    charWidths_[166 - CHARS_START_INDEX] = k.width166;
    charWidths_[207 - CHARS_START_INDEX] = k.width207and211;
    charWidths_[211 - CHARS_START_INDEX] = k.width207and211;
}

int ArabicFont::charWidth(int code) const {
    return (code >= CHARS_START_INDEX && code <= 255) ? static_cast<int>(charWidths_[code - CHARS_START_INDEX]) : 0;
}

int ArabicFont::markOffsetAbove(int code) const {
    return (code >= CHARS_START_INDEX && code <= 255) ? markOffsets_[code - CHARS_START_INDEX] : 0;
}

int ArabicFont::markOffsetBelow(int code) const {
    return (code >= CHARS_START_INDEX && code <= 255) ? markOffsets_[175 + code - CHARS_START_INDEX] : 0;
}

float ArabicFont::glyphWidth(int code) const {
    const int i = code - CHARS_START_INDEX;
    return (i >= 0 && i < static_cast<int>(arrGlyphWidth_.size())) ? arrGlyphWidth_[i] : 0.0f;
}

float ArabicFont::glyphHeight(int code) const {
    const int i = code - CHARS_START_INDEX;
    return (i >= 0 && i < static_cast<int>(arrGlyphHeight_.size())) ? arrGlyphHeight_[i] : 0.0f;
}

// A flipped layer holding the decoded image, optionally tinted; size rounded to whole points.
std::shared_ptr<CGLayer> ArabicFont::makeLayer(CGContext* context, const std::vector<uint8_t>& png, uint32_t tint,
                                               float* widthOut, float* heightOut) {
    UIImagePtr image = UIImage::imageWithData(png, 1.0);
    if (!image) return nullptr;
    if (tint != kColorNone) {
        const RGB8 rgb = colorOf(tint);
        image = image->copyImageWithColor(UIColor(rgb.r / 255.0, rgb.g / 255.0, rgb.b / 255.0, 1.0));
        if (!image) return nullptr;
    }
    const double w = std::round(image->size().width), h = std::round(image->size().height);
    const double pw = std::ceil(w / SCALE_FACTOR_), ph = std::ceil(h / SCALE_FACTOR_);
    if (widthOut) *widthOut = static_cast<float>(pw);
    if (heightOut) *heightOut = static_cast<float>(ph);
    // Outside a drawing the layer matches the current context, or else the screen.
    if (!context) context = UIGraphicsGetCurrentContext();
    // Sized in points at the context's scale, so the image's pixels map one to one at scale 2.
    CGLayerRef layer = CGLayer::createWithContext(context, CGSizeMake(pw, ph));
    if (!layer || !layer->context()) {
        NSLog("ERROR - [%@] Context for glyph could not be created", describe(NSDate::date()));
        return nullptr;
    }
    // The layer's space is y down, so the image goes in upright without the flip a y-up space needs.
    CGContext* lc = layer->context();
    UIGraphicsPushContext(lc);
    image->drawInRect(CGRectMake(0, 0, pw, ph));
    UIGraphicsPopContext();
    return layer;
}

void ArabicFont::initGlyphs(CGContext&) {
    if (glyphsLoaded_) return;
    glyphsLoaded_ = true;
    const int count = 256 - CHARS_START_INDEX;
    arabicFontImgs_.assign(count, nullptr);
    for (auto& colored : coloredImgs_) colored.assign(count, nullptr);
    stopSignImgs_ = {nullptr, nullptr};
    arrGlyphWidth_.assign(count, 0.0f);
    arrGlyphHeight_.assign(count, 0.0f);

    // Each image is placed by its own code, so a missing row leaves only that code empty. The
    // sizes come from the images' headers; a layer is made when its glyph is first drawn.
    glyphPngs_.assign(count, {});
    Statement stmt = prepare(contentDb_, "SELECT glyph, data FROM glyphs WHERE style = ? ORDER BY glyph ASC");
    if (!stmt) return;
    sqlite3_bind_int64(stmt.get(), 1, FONT_RESOLUTION_);
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
        const int code = sqlite3_column_int(stmt.get(), 0);
        if (code < CHARS_START_INDEX || code > 255) continue;
        const int index = code - CHARS_START_INDEX;
        std::vector<uint8_t> png = blobOf(stmt.get(), 1);
        int w = 0, h = 0;
        if (!pngDimensions(png.data(), png.size(), &w, &h)) {
            NSLog("   EXCEPTION, CANNOT LOAD GLYPH: %@", "glyph " + std::to_string(code) + " is not an image");
            continue;
        }
        arrGlyphWidth_[index] = static_cast<float>(std::ceil(w / SCALE_FACTOR_));
        arrGlyphHeight_[index] = static_cast<float>(std::ceil(h / SCALE_FACTOR_));
        glyphPngs_[index] = std::move(png);
    }
}

std::shared_ptr<CGLayer> ArabicFont::plainGlyph(int index) {
    std::shared_ptr<CGLayer>& layer = arabicFontImgs_[index];
    if (layer || index >= static_cast<int>(glyphPngs_.size()) || glyphPngs_[index].empty()) return layer;
    layer = makeLayer(layerContext_, glyphPngs_[index], kColorNone, nullptr, nullptr);
    if (!layer) {
        NSLog("ERROR - [%@] Glyph Layer could NOT be created for index: %i", describe(NSDate::date()),
              index + CHARS_START_INDEX);
        arrGlyphWidth_[index] = arrGlyphHeight_[index] = 0.0f;
    }
    glyphPngs_[index].clear();
    glyphPngs_[index].shrink_to_fit();
    return layer;
}

std::shared_ptr<CGLayer> ArabicFont::generateColoredGlyph(int glyphIndex, uint32_t color) {
    if (glyphIndex < 0 || glyphIndex >= 256 - CHARS_START_INDEX || color >= kColorCount) return nullptr;
    if (color == kColorNone) return glyphIndex < static_cast<int>(arabicFontImgs_.size()) ? plainGlyph(glyphIndex) : nullptr;
    Statement stmt =
        prepare(contentDb_, "SELECT data FROM glyphs WHERE style = ? AND glyph = ? ORDER BY glyph ASC");
    if (!stmt) return nullptr;
    sqlite3_bind_int64(stmt.get(), 1, FONT_RESOLUTION_);
    sqlite3_bind_int(stmt.get(), 2, CHARS_START_INDEX + glyphIndex);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW) return nullptr;
    ++coloredGlyphsGenerated_;
    return makeLayer(layerContext_, blobOf(stmt.get(), 0), color, nullptr, nullptr);
}

std::shared_ptr<CGLayer> ArabicFont::getGlyph(int glyphIndex, uint32_t color) {
    if (color >= kColorCount) return nullptr;
    if (color == kColorStopSign121 || color == kColorStopSign123) {
        // Two slots: code 123 in slot 0 (colour 9), code 121 in slot 1 (colour 8).
        const int slot = glyphIndex;
        if (slot < 0 || slot > 1) return nullptr;
        if (!stopSignImgs_[slot])
            stopSignImgs_[slot] = generateColoredGlyph((slot == 1 ? 121 : 123) - CHARS_START_INDEX, color);
        return stopSignImgs_[slot];
    }
    if (glyphIndex < 0 || glyphIndex >= static_cast<int>(arabicFontImgs_.size())) return nullptr;
    if (color == kColorNone) return plainGlyph(glyphIndex);
    auto& slot = coloredImgs_[color][glyphIndex];
    if (!slot) slot = generateColoredGlyph(glyphIndex, color);
    return slot;
}
