#pragma once
// Renders a range of verses through the glyph engine into one image.

#include <memory>
#include <string>

#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/graphics/UIImage.h"

struct RenderOptions {
    std::string database;        // content database file
    int fromSurah = 1, fromVerse = 1;
    int toSurah = 1, toVerse = 1;   // inclusive; same chapter as from
    uint32_t resolution = 0;
    int width = 320;             // canvas width in points
    TajweedSwitches switches;
    bool lastVerse = false;      // the last verse of the range ends its chapter
};

// Parses "all", "none" or a comma list of ghunna, ikhfa, idgham, iqlab, qalqala.
[[nodiscard]] bool parseTajweedList(const std::string& text, TajweedSwitches& switches, std::string& error);
// Parses "S:V".
[[nodiscard]] bool parseVerseRef(const std::string& text, int& surah, int& verse);

// The verses drawn one below the other on white; null with `error` set on failure.
UIImagePtr renderVerses(const RenderOptions& options, std::string& error);
