#pragma once
// The glyph engine for one font resolution: lays verse glyph codes out into
// justified lines and draws them from the glyph images of the content database.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <unordered_map>
#include <vector>

#include "Classes/GlyphEngine/VerseMetaData.h"

struct sqlite3;
typedef struct _cairo_pattern cairo_pattern_t;
class CGContext;
class CGLayer;

using VerseBytes = std::span<const uint8_t>;

// The five Tajweed rule switches and the coloured stop signs.
struct TajweedSwitches {
    bool ghunna = false;
    bool ikhfa = false;
    bool idgham = false;
    bool iqlab = false;
    bool qalqala = false;
    bool coloredStopSigns = false;

    static TajweedSwitches all() { return {true, true, true, true, true, true}; }
    static TajweedSwitches none() { return {}; }
};

// Tajweed colour numbers.
enum TajweedColor : uint32_t {
    kColorNone = 0,
    kColorIdghaam = 1,
    kColorIkhfa = 2,
    kColorIdghaamMeemSakin = 3,
    kColorIkhfaMeemSakin = 4,
    kColorGhunna = 5,
    kColorQalqala = 6,
    kColorQalb = 7,
    kColorStopSign121 = 8,
    kColorStopSign123 = 9,
    kColorIdghaamWithoutGhunna = 10,
    kColorCount = 11,
};

struct RGB8 {
    uint8_t r, g, b;
};

class ArabicFont {
public:
    // Reads the Tajweed switches from the user defaults ("TajweedGhunna", ...,
    // "ColoredStopSigns"); with overrideTajweed the five rules are on whatever they say.
    // Glyph images come from `contentDb` (unretained; may be null: nothing is drawn).
    ArabicFont(uint32_t fontResolution, bool overrideTajweed, sqlite3* contentDb);
    // The same with the switches given instead of read from the settings.
    ArabicFont(uint32_t fontResolution, const TajweedSwitches& switches, sqlite3* contentDb);
    ~ArabicFont();
    ArabicFont(const ArabicFont&) = delete;
    ArabicFont& operator=(const ArabicFont&) = delete;

    static RGB8 colorOf(uint32_t color);
    // The one lock every drawing of every engine runs under.
    static std::recursive_mutex& glyphDrawingLock();

    // ---- constants ----
    uint32_t FONT_RESOLUTION() const { return FONT_RESOLUTION_; }
    float SCALE_FACTOR() const { return SCALE_FACTOR_; }
    int CHAR_HEIGHT() const { return CHAR_HEIGHT_; }
    int TASHKIL_HEIGHT() const { return TASHKIL_HEIGHT_; }
    int TOP_TASHKIL_LETTER_PADDING() const { return TOP_TASHKIL_LETTER_PADDING_; }
    int EXTRA_PREV_TASHKIL_OFFSET() const { return EXTRA_PREV_TASHKIL_OFFSET_; }
    int EXTRA_TOP_MARGIN() const { return EXTRA_TOP_MARGIN_; }
    int SPACE_CHAR_WIDTH() const { return SPACE_CHAR_WIDTH_; }
    static constexpr int TASHKIL_GAP = 2;
    static constexpr int CHARS_START_INDEX = 82;
    static constexpr int MAX_CHARS_IN_WORD = 80;
    static constexpr int META_DATA_CACHE_COUNT = 3;
    // Narrowest width a verse is laid out for; narrower widths are raised to it.
    static constexpr int kMinLayoutWidth = 20;

    const TajweedSwitches& switches() const { return switches_; }
    // Advance width of a code (0 for codes outside 82-255).
    int charWidth(int code) const;
    // Mark offsets: above (first half) and below (second half) the letter `code`.
    int markOffsetAbove(int code) const;
    int markOffsetBelow(int code) const;
    // Every line's advance: letters, marks above and below, and the gaps.
    int linePitch() const;

    // ---- glyph choice ----
    uint16_t getTypeOfSymbol(int verse, bool isLastVerse, int symIndex, VerseBytes verseBytes,
                             int verseByteLen, int overallBytesLen);
    static int getNextActualCharFromVerse(int index, VerseBytes verseBytes, int endIndex, int* nextIndex,
                                          bool skipSpace);
    static int getNextActualChar(int position, const uint16_t* verseBytes, int endIndex);
    static int getPrevActualChar(int index, VerseBytes verseBytes);
    static bool doesCharacterHaveTanween(int index, VerseBytes verseBytes, int endIndex);
    static bool doesCharacter(int index, int tashkil, VerseBytes verseBytes, int endIndex);
    static bool isCharTashkil(int c);
    static bool isCharTashkil(int c, bool skipSpecialChars);
    static bool isTashkilAboveLetter(int c);
    static bool isTashkilBelowLetter(int c);
    static bool isKashidaExtensible(int c);
    bool skipNextChar() const { return skipNextChar_; }
    void setSkipNextChar(bool v) { skipNextChar_ = v; }

    // ---- Tajweed ----
    uint32_t getColorOfSymbol(int verse, bool isLastVerse, int symIndex, VerseBytes verseBytes, int verseByteLen,
                              int overallBytesLen, int resolvedChar, bool skipGhunnaAndQalqala);
    // The Tajweed colour drawing gives each byte of startBytes..endBytes (0 for spaces and
    // bytes not drawn), in the order drawing decides them.
    std::vector<uint8_t> colorsOfVerse(int verse, bool isLastVerse, VerseBytes verseBytes, int startBytes,
                                       int endBytes);
    int startIndexOfColorCoding() const { return startIndexOfColorCoding_; }
    int endIndexOfColorCoding() const { return endIndexOfColorCoding_; }
    void resetColorCoding() { startIndexOfColorCoding_ = endIndexOfColorCoding_ = -1; }

    // ---- layout ----
    // Height in points of bytes startBytes..endBytes laid out for `width`; with
    // updateLineIndexes the current record receives the lines.
    int getHeightOfVerseImage(int verse, bool isLastVerse, VerseBytes verseBytes, int startBytes, int endBytes,
                              int forWidth, bool updateLineIndexes);
    int initCurrentVerseMetaData(int verse, int width);
    void ClearCache();
    std::shared_ptr<VerseMetaData> currVerseMetaData() const { return currVerseMetaData_; }
    void setCurrVerseMetaData(std::shared_ptr<VerseMetaData> record) { currVerseMetaData_ = std::move(record); }
    int getTashkilYOffset(int tashkil, int letter) const;
    int getMaxTopTashkilGap(int lineStartY, VerseBytes verseBytes, int wi, int endBytes, int c, int lastChar,
                            int lastNonHamzaChar, int lastTashkil, int lastOrigChar, int lastAnyChar);

    // ---- glyphs and drawing ----
    void initGlyphs(CGContext& context);
    bool glyphsLoaded() const { return glyphsLoaded_; }
    // Layer of a glyph (index = code - 82) in a colour; null for a colour above 10 or a missing image.
    std::shared_ptr<CGLayer> getGlyph(int glyphIndex, uint32_t color);
    std::shared_ptr<CGLayer> generateColoredGlyph(int glyphIndex, uint32_t color);
    // The uncoloured layer of a code index, made from its image bytes on first use.
    std::shared_ptr<CGLayer> plainGlyph(int index);
    int coloredGlyphsGenerated() const { return coloredGlyphsGenerated_; }
    float glyphWidth(int code) const;
    float glyphHeight(int code) const;

    // Justification of a line of glyph width A to forWidth: the places to stretch and each one's width.
    struct KashidaPlan {
        int count;
        int width;
    };
    static KashidaPlan planKashida(int A, int forWidth, int kashidaCount, bool lastLine, float scale);

    void drawVerseImageFromBytes(CGContext& context, int verse, bool isLastVerse, VerseBytes verseBytes,
                                 int startVerseBytes, int endVerseBytes, int startX, int forWidth);

private:
    struct WordSymbol {
        uint16_t code;      // glyph to draw
        uint16_t orig;      // byte as stored
        uint16_t width;     // table width of the code
        uint8_t color;
    };

    void setUp(uint32_t fontResolution, bool overrideTajweed, const TajweedSwitches& switches);
    int layoutWidthOf(int c, int next, int prevLetter, int prevDrawn) const;
    bool kashidaPlaceAt(VerseBytes bytes, int i, int prevLetter) const;
    int drawWord(CGContext& context, int wordCharIndex, int xOffset, int yOffset, int avgKashidaWidth,
                 int& lineKashidaCount);
    void drawGlyph(CGContext& context, int code, uint32_t color, double x, double y, double w, double h);
    std::shared_ptr<CGLayer> makeLayer(CGContext* context, const std::vector<uint8_t>& png, uint32_t tint,
                                       float* widthOut, float* heightOut);
    uint32_t colorFor(int j, int c, bool isLastVerse, VerseBytes bytes, int len, int verse);

    sqlite3* contentDb_ = nullptr;
    bool alwaysShowTajweed_ = false;
    TajweedSwitches switches_;

    uint32_t FONT_RESOLUTION_ = 0;
    float SCALE_FACTOR_ = 1.0f;
    int CHAR_HEIGHT_ = 0;
    int TASHKIL_HEIGHT_ = 8;
    int TOP_TASHKIL_LETTER_PADDING_ = 3;
    int EXTRA_PREV_TASHKIL_OFFSET_ = 0;
    int EXTRA_TOP_MARGIN_ = 0;
    int SPACE_CHAR_WIDTH_ = 8;

    std::array<uint32_t, 174> charWidths_{};
    std::array<int32_t, 350> markOffsets_{};

    int prevGetHeightTashkilOffset_ = 0;
    bool skipNextChar_ = false;
    int startIndexOfColorCoding_ = -1;
    int endIndexOfColorCoding_ = -1;
    uint32_t lastColorCodingType_ = 0;
    uint32_t anotherColorCodingType_ = 0;

    std::shared_ptr<VerseMetaData> currVerseMetaData_;
    std::vector<std::shared_ptr<VerseMetaData>> arrVerseMetaDataCache_;

    // Glyph layers: plain (index code - 82) and per colour, made on first use.
    bool glyphsLoaded_ = false;
    std::vector<std::shared_ptr<CGLayer>> arabicFontImgs_;
    // Each code's image bytes until its layer is first needed: decoding all of them up front
    // made the first chapter of a run slow to open.
    std::vector<std::vector<uint8_t>> glyphPngs_;
    std::array<std::vector<std::shared_ptr<CGLayer>>, kColorCount> coloredImgs_;
    std::array<std::shared_ptr<CGLayer>, 2> stopSignImgs_;
    std::vector<float> arrGlyphWidth_;
    std::vector<float> arrGlyphHeight_;
    int coloredGlyphsGenerated_ = 0;
    CGContext* layerContext_ = nullptr;   // the context layers are made compatible with, while drawing

    std::vector<WordSymbol> word_;   // the word being collected while drawing
    std::vector<uint16_t> wordOrigs_;
    // Per glyph layer, made on its first draw: its source pattern and the pixel box holding ink.
    struct LayerSource {
        std::unique_ptr<cairo_pattern_t, void (*)(cairo_pattern_t*)> pattern;
        int x0, y0, x1, y1;
    };
    const LayerSource& sourceOf(const CGLayer& layer);
    std::unordered_map<const CGLayer*, LayerSource> patterns_;
};
