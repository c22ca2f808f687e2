#pragma once
// One verse's translation text (or the user's note) with its row heights for portrait and
// landscape, measured on first read and kept until reset.

#include <string>

class TranslationMeta {
public:
    // initWithTranslation:translator:surah:andVerse:usingDynamicHeights:
    TranslationMeta(std::string translation, int translator, int surah, int verse, bool usingDynamicHeights);

    int ThisSurah() const { return ThisSurah_; }
    int ThisVerse() const { return ThisVerse_; }
    int ThisTranslator() const { return ThisTranslator_; }
    const std::string& Translation() const { return Translation_; }
    void setTranslation(const std::string& text) { Translation_ = text; }

    // Row heights: the measured text plus 15, 0 for an empty text; -1 for an empty note or a
    // record of chapter 0.
    int Height();
    int LandscapeHeight();
    void ResetHeights() { Height_ = LandscapeHeight_ = -1; }
    // The row height without laying the text out: the measured one when known, else a guess
    // from the text's length and the font size.
    int EstimatedHeight(bool landscape);

    int getFontSize() const;
    // The translation font size for a translation number and a font-size index.
    static int fontSizeFor(int translator, int sizeIndex);
    // The transliteration's styled mark-up with each bold, italic and underline tag as one "W".
    std::string getSimpleTransliteration() const;
    std::string description();

    // Label widths on a 320 and a 480 point wide table.
    static constexpr int kPortraitWidth = 240;
    static constexpr int kLandscapeWidth = 400;
    static constexpr int kTextPadding = 15;

private:
    int measure(int& slot, int width);
    // The text that is measured; empty for nothing to measure. False: the slot's height is
    // fixed without a text (an empty note or a chapter-0 record).
    bool textToMeasure(std::string& text) const;
    std::string measureKey(const std::string& text, int width) const;

    int ThisSurah_;
    int ThisVerse_;
    int ThisTranslator_;
    bool usingDynamicHeights_;
    int Height_ = -1;
    int LandscapeHeight_ = -1;
    std::string Translation_;
};
