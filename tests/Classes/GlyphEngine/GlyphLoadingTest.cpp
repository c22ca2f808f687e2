// Glyph images from a small fixture database, verse records and the verse canvas.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <set>
#include <string>
#include <vector>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/GlyphEngine/ArabicVerseMeta.h"
#include "Classes/GlyphEngine/VerseCanvas.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"

namespace {

// A black box of the given pixel size, as PNG bytes.
std::vector<uint8_t> boxPng(int w, int h) {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), false, 1.0);
    UIGraphicsGetCurrentContext()->setRGBFillColor(0, 0, 0, 1);
    UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, w, h));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImagePNGRepresentation(*image);
}

int fixtureWidth(int code) { return code % 9 + 4; }

class FixtureDb : public ::testing::Test {
protected:
    sqlite3* db = nullptr;
    const std::set<int> missing = {100, 150};

    void SetUp() override {
        UIGraphicsSetScreenScale(1.0);
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        exec("CREATE TABLE glyphs (style INTEGER, glyph INTEGER, data BLOB)");
        exec("CREATE TABLE surahdata (surah INTEGER, verse INTEGER, data BLOB)");
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO glyphs VALUES (0, ?, ?)", -1, &stmt, nullptr), SQLITE_OK);
        // Inserted from the top down, with two codes missing and one out of range.
        for (int code = 300; code >= 82; --code) {
            if (missing.count(code) || (code > 255 && code != 300)) continue;
            const auto png = boxPng(fixtureWidth(code), 20);
            sqlite3_bind_int(stmt, 1, code);
            sqlite3_bind_blob(stmt, 2, png.data(), static_cast<int>(png.size()), SQLITE_TRANSIENT);
            ASSERT_EQ(sqlite3_step(stmt), SQLITE_DONE);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
    }
    void TearDown() override {
        ChapterInfo::finalizeStatements();
        sqlite3_close(db);
    }
    void exec(const std::string& sql) { ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

    std::unique_ptr<CGContext> bitmap() { return CGBitmapContextCreate(200, 100); }
};

TEST_F(FixtureDb, GlyphsArePlacedByTheirCodeAndMissingCodesStayEmpty) {
    ArabicFont font(0, TajweedSwitches::none(), db);
    auto context = bitmap();
    font.initGlyphs(*context);
    for (int code = 82; code <= 255; ++code) {
        if (missing.count(code)) {
            EXPECT_EQ(font.glyphWidth(code), 0.0f) << code;
            EXPECT_EQ(font.getGlyph(code - 82, kColorNone), nullptr) << code;
        } else {
            EXPECT_EQ(font.glyphWidth(code), fixtureWidth(code)) << code;
            EXPECT_EQ(font.glyphHeight(code), 20.0f) << code;
        }
    }
}

TEST_F(FixtureDb, AResolutionLoadsItsOwnStyleAndSkipsUndecodableImages) {
    exec("UPDATE glyphs SET data = x'89504E470D0A' WHERE glyph = 120");   // a truncated PNG
    for (int code : {178, 220}) {
        const auto png = boxPng(2 * fixtureWidth(code), 40);
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO glyphs VALUES (5, ?, ?)", -1, &stmt, nullptr), SQLITE_OK);
        sqlite3_bind_int(stmt, 1, code);
        sqlite3_bind_blob(stmt, 2, png.data(), static_cast<int>(png.size()), SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(stmt), SQLITE_DONE);
        sqlite3_finalize(stmt);
    }
    LogCapture log;
    ArabicFont plain(0, TajweedSwitches::none(), db);
    auto context = bitmap();
    plain.initGlyphs(*context);
    EXPECT_TRUE(log.contains("   EXCEPTION, CANNOT LOAD GLYPH"));
    EXPECT_EQ(plain.glyphWidth(120), 0.0f);
    EXPECT_EQ(plain.glyphWidth(121), fixtureWidth(121));

    UIGraphicsSetScreenScale(2.0);
    ArabicFont dense(5, TajweedSwitches::none(), db);
    UIGraphicsSetScreenScale(1.0);
    EXPECT_EQ(dense.CHAR_HEIGHT(), plain.CHAR_HEIGHT());
    dense.initGlyphs(*context);
    EXPECT_EQ(dense.glyphWidth(178), fixtureWidth(178));   // double-density pixels, same points
    EXPECT_EQ(dense.glyphHeight(220), 20.0f);
    EXPECT_EQ(dense.glyphWidth(181), 0.0f);                // style 5 has only two rows here
}

TEST_F(FixtureDb, ColouredGlyphsAreMadeOnceAndOnlyForKnownColours) {
    ArabicFont font(0, TajweedSwitches::all(), db);
    auto context = bitmap();
    font.initGlyphs(*context);
    const auto first = font.getGlyph(178 - 82, kColorIkhfa);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.getGlyph(178 - 82, kColorIkhfa), first);
    EXPECT_EQ(font.coloredGlyphsGenerated(), 1);
    EXPECT_NE(font.getGlyph(178 - 82, kColorNone), first);
    EXPECT_EQ(font.getGlyph(178 - 82, 11), nullptr);
    EXPECT_EQ(font.getGlyph(500, kColorIkhfa), nullptr);
    // Stop signs have two slots of their own: 123 in slot 0, 121 in slot 1.
    EXPECT_NE(font.getGlyph(1, kColorStopSign121), nullptr);
    EXPECT_EQ(font.getGlyph(2, kColorStopSign121), nullptr);
    EXPECT_EQ(font.coloredGlyphsGenerated(), 2);
}

TEST_F(FixtureDb, MissingGlyphTableIsReportedAndDrawsNothing) {
    exec("DROP TABLE glyphs");
    ArabicFont font(0, TajweedSwitches::none(), db);
    auto context = bitmap();
    LogCapture log;
    const std::vector<uint8_t> verse = {178, 244, 32, 178};
    font.drawVerseImageFromBytes(*context, 1, false, verse, 0, 3, 200, 190);
    EXPECT_TRUE(log.contains("Error: failed to prepare statement with message"));
    EXPECT_EQ(font.glyphWidth(178), 0.0f);
    UIImagePtr image = context->makeImage();
    for (int y = 0; y < image->pixelHeight(); y += 3)
        for (int x = 0; x < image->pixelWidth(); x += 3) ASSERT_EQ(image->pixelAt(x, y).a, 0) << x << "," << y;
}

TEST_F(FixtureDb, VerseDataIsReadOnceAndAskedAgainWhileEmpty) {
    ArabicVerseMeta meta(2, 3);
    EXPECT_EQ(meta.ThisSurah(), 2);
    EXPECT_EQ(meta.ThisVerse(), 3);
    {
        LogCapture quiet;
        EXPECT_TRUE(meta.VerseData(db).empty());
    }
    exec("INSERT INTO surahdata VALUES (2, 3, x'B2F420B2')");
    EXPECT_EQ(meta.VerseData(db), (std::vector<uint8_t>{178, 244, 32, 178}));
    exec("DELETE FROM surahdata");
    EXPECT_EQ(meta.VerseData(db).size(), 4u);
}

class RecordingDelegate : public VerseCanvasDelegate {
public:
    CGContext* context = nullptr;
    VerseCanvas* canvas = nullptr;
    int calls = 0;
    void drawArabicVerseInCanvas(CGContext* c, VerseCanvas* v) override {
        context = c;
        canvas = v;
        ++calls;
    }
};

TEST(VerseCanvasTest, HandsItsContextToTheDelegateOnlyWhenOneIsSet) {
    auto canvas = std::make_shared<VerseCanvas>(CGRectMake(0, 0, 100, 40));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(100, 40), false, 1.0);
    CGContext* current = UIGraphicsGetCurrentContext();
    canvas->drawRect(canvas->bounds());   // no delegate: nothing happens
    RecordingDelegate delegate;
    canvas->setDelegate(&delegate);
    canvas->drawRect(canvas->bounds());
    UIGraphicsEndImageContext();
    EXPECT_EQ(delegate.calls, 1);
    EXPECT_EQ(delegate.context, current);
    EXPECT_EQ(delegate.canvas, canvas.get());
}

}  // namespace
