// Drawing verses of the content database: Tajweed colours, stop signs, widths, every verse.
#include <gtest/gtest.h>

#include <cairo.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/graphics/CGContext.h"
#include "tools/render/VerseRenderer.h"

namespace {

std::string contentDatabase() { return Paths::bundle() + "/lumeno.db"; }

UIImagePtr render(int surah, int verse, const TajweedSwitches& s, bool lastVerse = false, int width = 320,
                  uint32_t resolution = 0) {
    RenderOptions o;
    o.database = contentDatabase();
    o.fromSurah = o.toSurah = surah;
    o.fromVerse = o.toVerse = verse;
    o.switches = s;
    o.lastVerse = lastVerse;
    o.width = width;
    o.resolution = resolution;
    std::string error;
    UIImagePtr image = renderVerses(o, error);
    EXPECT_TRUE(image) << error;
    return image;
}

int countPixels(const UIImage& image, RGB8 rgb, int tolerance = 3) {
    int count = 0;
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x) {
            const auto p = image.pixelAt(x, y);
            if (std::abs(p.r - rgb.r) <= tolerance && std::abs(p.g - rgb.g) <= tolerance &&
                std::abs(p.b - rgb.b) <= tolerance)
                ++count;
        }
    return count;
}

// Pixels of a clearly saturated colour (black text and its grey edges are not).
int countColouredPixels(const UIImage& image) {
    int count = 0;
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x) {
            const auto p = image.pixelAt(x, y);
            const int hi = std::max({p.r, p.g, p.b}), lo = std::min({p.r, p.g, p.b});
            if (hi - lo > 40) ++count;
        }
    return count;
}

class VerseDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::ifstream(contentDatabase()).good()) GTEST_SKIP() << "content database not built";
    }
};

struct Example {
    const char* rule;
    int surah, verse;
    bool lastVerse;
    uint32_t color;
    TajweedSwitches without;   // every rule but this one
};

TajweedSwitches allBut(bool TajweedSwitches::*rule) {
    TajweedSwitches s = TajweedSwitches::all();
    s.coloredStopSigns = false;
    s.*rule = false;
    return s;
}

TEST_F(VerseDrawingTest, TajweedExamplesShowTheirRulesColour) {
    const Example examples[] = {
        {"Ghunna", 104, 8, false, kColorGhunna, allBut(&TajweedSwitches::ghunna)},
        {"Ikhfa", 105, 4, false, kColorIkhfa, allBut(&TajweedSwitches::ikhfa)},
        {"Idgham", 106, 4, false, kColorIdghaam, allBut(&TajweedSwitches::idgham)},
        {"Idgham without ghunna", 112, 4, true, kColorIdghaamWithoutGhunna, allBut(&TajweedSwitches::idgham)},
        {"Iqlab", 69, 4, false, kColorQalb, allBut(&TajweedSwitches::iqlab)},
        {"Qalqala", 112, 3, false, kColorQalqala, allBut(&TajweedSwitches::qalqala)},
    };
    TajweedSwitches on = TajweedSwitches::all();
    on.coloredStopSigns = false;
    for (const Example& e : examples) {
        const RGB8 rgb = ArabicFont::colorOf(e.color);
        // The largest glyphs, so that letters have solid interiors to sample.
        UIImagePtr with = render(e.surah, e.verse, on, e.lastVerse, 600, 4);
        UIImagePtr without = render(e.surah, e.verse, e.without, e.lastVerse, 600, 4);
        ASSERT_TRUE(with && without) << e.rule;
        const int shown = countPixels(*with, rgb, 1), hidden = countPixels(*without, rgb, 1);
        EXPECT_GT(shown, hidden + 20) << e.rule << " shown " << shown << " without the rule " << hidden;
    }
}

TEST_F(VerseDrawingTest, EveryRuleOffDrawsNoColour) {
    for (auto [s, v] : {std::pair{104, 8}, {105, 4}, {106, 4}, {112, 4}, {69, 4}, {112, 3}, {2, 255}}) {
        UIImagePtr image = render(s, v, TajweedSwitches::none(), s == 112);
        ASSERT_TRUE(image);
        EXPECT_EQ(countColouredPixels(*image), 0) << s << ":" << v;
    }
}

TEST_F(VerseDrawingTest, StopSignsAreColouredOnlyWithTheirSetting) {
    // 29:26 holds both coloured stop signs.
    TajweedSwitches plain = TajweedSwitches::none();
    TajweedSwitches coloured = plain;
    coloured.coloredStopSigns = true;
    UIImagePtr off = render(29, 26, plain, false, 600, 4);
    UIImagePtr on = render(29, 26, coloured, false, 600, 4);
    ASSERT_TRUE(off && on);
    for (uint32_t c : {kColorStopSign121, kColorStopSign123}) {
        EXPECT_EQ(countPixels(*off, ArabicFont::colorOf(c), 1), 0) << c;
        EXPECT_GT(countPixels(*on, ArabicFont::colorOf(c), 1), 3) << c;
    }
}

// Leftmost column holding ink (a dark pixel), or the width when none.
int leftmostInk(const UIImage& image) {
    for (int x = 0; x < image.pixelWidth(); ++x)
        for (int y = 0; y < image.pixelHeight(); ++y)
            if (image.pixelAt(x, y).r < 128) return x;
    return image.pixelWidth();
}

TEST_F(VerseDrawingTest, DrawnVerseStaysInsideItsWidthAndGrowsAsItNarrows) {
    int previousHeight = 0;
    for (int width : {600, 400, 320, 250, 180, 120}) {
        UIImagePtr image = render(2, 255, TajweedSwitches::none(), false, width);
        ASSERT_TRUE(image);
        // Lines start at the right edge and are justified to width - 8; glyphs may overhang a point or two.
        EXPECT_GE(leftmostInk(*image), 8 - 3) << width;
        EXPECT_GE(image->pixelHeight(), previousHeight) << width;
        previousHeight = image->pixelHeight();
    }
}

std::vector<uint8_t> verseBytes(int surah, int verse) {
    sqlite3* db = nullptr;
    std::vector<uint8_t> bytes;
    if (sqlite3_open_v2(contentDatabase().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        bytes = ChapterInfo::getVerseData(db, surah, verse);
    ChapterInfo::finalizeStatements();
    sqlite3_close(db);
    return bytes;
}

// Index of the first occurrence of `pattern` in the bytes, or -1.
int find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& pattern) {
    auto it = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    return it == bytes.end() ? -1 : static_cast<int>(it - bytes.begin());
}

TEST_F(VerseDrawingTest, TajweedExamplesColourTheNamedLetters) {
    struct Letter {
        std::vector<uint8_t> context;   // bytes around the letter
        int offset;                     // the letter within them
        uint32_t color;
    };
    struct Case {
        const char* rule;
        int surah, verse;
        bool lastVerse;
        std::vector<Letter> letters;
    };
    const Case cases[] = {
        {"Ghunna on the noon of inna", 104, 8, false, {{{170, 248, 224, 250}, 2, kColorGhunna}}},
        {"Ikhfa on min si", 105, 4, false,
         {{{224, 32, 195}, 0, kColorIkhfa}, {{224, 32, 195}, 2, kColorIkhfa}}},
        {"Idghaam from the tanween to the waw", 106, 4, false,
         {{{205, 243, 32, 228}, 0, kColorIdghaam}, {{205, 243, 32, 228}, 3, kColorIdghaam}}},
        {"Idghaam without ghunna on nun lam, Qalqala on the final dal", 112, 4, true,
         {{{224, 32, 220, 250}, 0, kColorIdghaamWithoutGhunna},
          {{224, 32, 220, 250}, 2, kColorIdghaamWithoutGhunna},
          {{187, 244, 190, 101}, 2, kColorQalqala}}},
        {"Qalb from the dal to the ba", 69, 4, false,
         {{{190, 101, 241, 32, 178}, 0, kColorQalb}, {{190, 101, 241, 32, 178}, 4, kColorQalb}}},
        {"Qalqala on both dals with sukun", 112, 3, false,
         {{{248, 190, 252}, 1, kColorQalqala}, {{244, 190, 252}, 1, kColorQalqala}}},
    };
    for (const Case& c : cases) {
        const auto bytes = verseBytes(c.surah, c.verse);
        ASSERT_FALSE(bytes.empty()) << c.rule;
        ArabicFont font(0, true, nullptr);
        const auto colors = font.colorsOfVerse(c.verse, c.lastVerse, bytes, 0, static_cast<int>(bytes.size()) - 1);
        ArabicFont off(0, TajweedSwitches::none(), nullptr);
        const auto none = off.colorsOfVerse(c.verse, c.lastVerse, bytes, 0, static_cast<int>(bytes.size()) - 1);
        for (const Letter& l : c.letters) {
            const int at = find(bytes, l.context);
            ASSERT_GE(at, 0) << c.rule;
            EXPECT_EQ(colors[at + l.offset], l.color) << c.rule << " at byte " << at + l.offset;
        }
        EXPECT_EQ(std::count(none.begin(), none.end(), 0), static_cast<long>(none.size())) << c.rule;
    }
}

TEST_F(VerseDrawingTest, LastVerseDrawsTheFinalTanweenInItsMeemForm) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(contentDatabase().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const auto bytes = ChapterInfo::getVerseData(db, 112, 4);
    ChapterInfo::finalizeStatements();
    sqlite3_close(db);
    ASSERT_FALSE(bytes.empty());
    ArabicFont font(0, TajweedSwitches::none(), nullptr);
    int last = static_cast<int>(bytes.size()) - 1;
    while (last > 0 && !((bytes[last] >= 99 && bytes[last] <= 101) || bytes[last] == 240 || bytes[last] == 242 ||
                         bytes[last] == 243))
        --last;
    const int n = static_cast<int>(bytes.size());
    EXPECT_EQ(font.getTypeOfSymbol(4, true, last, bytes, n, n), 253);
    EXPECT_EQ(font.getTypeOfSymbol(4, false, last, bytes, n, n), bytes[last]);
}

// Every verse lays out and draws, at the smallest and the largest resolution.
TEST_F(VerseDrawingTest, EveryVerseLaysOutAndDrawsAtResolutions0And9) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(contentDatabase().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT surah, verse, data FROM surahdata ORDER BY surah, verse", -1, &stmt, nullptr),
              SQLITE_OK);
    struct Verse {
        int surah, verse;
        std::vector<uint8_t> bytes;
    };
    std::vector<Verse> verses;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, 2));
        verses.push_back({sqlite3_column_int(stmt, 0), sqlite3_column_int(stmt, 1),
                          std::vector<uint8_t>(p, p + sqlite3_column_bytes(stmt, 2))});
    }
    sqlite3_finalize(stmt);
    ASSERT_EQ(verses.size(), 6236u);

    for (uint32_t resolution : {0u, 9u}) {
        const double scale = resolution >= 5 ? 2.0 : 1.0;
        UIGraphicsSetScreenScale(scale);
        ArabicFont font(resolution, TajweedSwitches::all(), db);
        const int width = resolution == 0 ? 250 : 600;
        LogCapture log;
        int failures = 0;
        std::vector<int> heights;
        for (const Verse& v : verses) {
            const int end = static_cast<int>(v.bytes.size()) - 1;
            heights.push_back(font.getHeightOfVerseImage(v.verse, false, v.bytes, 0, end, width - 8, false));
        }
        // One canvas as tall as the tallest verse, cleared for each: drawing thousands of
        // verses into images of their own spends its time on fresh memory.
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(width, *std::max_element(heights.begin(), heights.end())),
                                               false, scale);
        CGContext& canvas = *UIGraphicsGetCurrentContext();
        cairo_surface_t* pixels = canvas.targetSurface();
        for (size_t i = 0; i < verses.size(); ++i) {
            const Verse& v = verses[i];
            const int end = static_cast<int>(v.bytes.size()) - 1;
            const int height = heights[i];
            if (height <= 0) {
                ADD_FAILURE() << v.surah << ":" << v.verse << " has no height";
                if (++failures > 5) break;
                continue;
            }
            canvas.clearRect(CGRectMake(0, 0, width, height));
            canvas.saveGState();
            canvas.clipToRect(CGRectMake(0, 0, width, height));
            font.drawVerseImageFromBytes(canvas, v.verse, false, v.bytes, 0, end, width, width - 8);
            canvas.restoreGState();
            const auto& lines = font.currVerseMetaData()->lines();
            cairo_surface_flush(pixels);
            const unsigned char* data = cairo_image_surface_get_data(pixels);
            const int stride = cairo_image_surface_get_stride(pixels);
            const int rows = static_cast<int>(height * scale), columns = static_cast<int>(width * scale);
            bool inked = false;
            for (int y = rows / 4; y < rows && !inked; y += 2) {
                const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
                for (int x = 0; x < columns && !inked; ++x) inked = (row[x] >> 24) > 128;
            }
            if (lines.empty() || lines.back().start + lines.back().length != end || !inked) {
                ADD_FAILURE() << v.surah << ":" << v.verse << " at resolution " << resolution;
                if (++failures > 5) break;
            }
        }
        UIGraphicsEndImageContext();
        EXPECT_TRUE(log.lines().empty()) << (log.lines().empty() ? "" : log.lines().front());
    }
    UIGraphicsSetScreenScale(1.0);
    sqlite3_close(db);
}

}  // namespace
