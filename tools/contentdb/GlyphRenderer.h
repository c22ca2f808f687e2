// Renders the 174 glyph images of a style (82-255) from Amiri Quran through HarfBuzz and
// cairo, and measures the engine's width and mark-offset tables from the same drawing.
#pragma once

#include "tools/contentdb/SourceWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GlyphImage {
    std::vector<uint8_t> png; // black on transparent
    int widthPx = 0;
    int heightPx = 0;
};

// Constants of a style (0-9): styles 5-9 are double-density copies of 0-4 (6 has its own sizes).
struct GlyphStyle {
    int style = 0;
    int charHeight = 0; // points
    int tashkilHeight = 0;
    int scale = 1;      // pixels per point
    int maxWidth = 0;   // widest advance allowed, points
    int metricsSet = 0; // index in the generated tables
    int forcedWidth166 = 0;
    int forcedWidth207 = 0;
};

GlyphStyle glyphStyle(int style);

class GlyphRenderer {
public:
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;

    // The installed AmiriQuran.ttf (through fontconfig); empty when it is not installed.
    static std::string findAmiriQuran();

    // Opens the font file; nullptr and error when it cannot be used.
    static std::unique_ptr<GlyphRenderer> open(const std::string& fontPath, std::string& error);

    // Renders every code 82-255 of a style; metrics are in points of that style, with the values
    // the engine fixes put in.
    [[nodiscard]] bool renderStyle(int style, std::vector<GlyphImage>& images, GlyphMetrics& metrics,
                                   std::string& error);

    // The same, with the metrics as measured from the images.
    [[nodiscard]] bool measureStyle(int style, std::vector<GlyphImage>& images, GlyphMetrics& metrics,
                                    std::string& error);

    // The engine's own values: widths of 166, 207 and 211 per set, and the given rows of set 0/5.
    static void applyFixedMetrics(const GlyphStyle& style, GlyphMetrics& metrics);

    // Font size and baseline as fractions of CHAR_HEIGHT.
    static constexpr double kEmRatio = 0.87;
    static constexpr double kBaselineRatio = 0.69;

    struct Impl;

private:
    explicit GlyphRenderer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};
