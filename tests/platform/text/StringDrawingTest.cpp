#include "platform/foundation/Log.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/TextSystem.h"
#include "tests/platform/graphics/Pixels.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const std::string kArabic = "بسم الله الرحمن الرحيم";
const std::string kUrdu = "اللہ کے نام سے جو بڑا مہربان نہایت رحم والا ہے";

// Draws into a fresh context of the size (points) at the scale and returns the pixel ink box.
PixelBox drawnInk(const std::string& text, const UIFont& font, CGRect rect, UITextAlignment alignment,
                  int width, int height, double scale = 1, UILineBreakMode mode = UILineBreakModeWordWrap) {
    auto ctx = makeContext(width, height, scale);
    drawInRect(*ctx, text, rect, font, mode, alignment);
    // Faint antialiasing spill next to the glyph outlines does not count as ink.
    return inkBox(ctx->targetSurface(), 32);
}

TEST(UIFont, NamesResolveThroughTheProjectConfiguration) {
    EXPECT_FALSE(TextSystem::shared().configPath().empty()) << "fonts.conf missing from the bundle";
    struct Case { std::string name; std::string text; std::string family; bool bold; } cases[] = {
        {"Helvetica", "Hello", "Liberation Sans", false},
        {"Helvetica-Bold", "Hello", "Liberation Sans", true},
        {"GeezaPro", kArabic, "Noto Naskh Arabic", false},
        {"Helvetica", kArabic, "Noto Naskh Arabic", false},
        {"Helvetica", kUrdu, "Noto Nastaliq Urdu", false},
        {"Helvetica", "বাংলা", "Noto Sans Bengali", false},
        {"Helvetica", "中文翻译", "WenQuanYi Micro Hei", false},
    };
    for (const auto& c : cases) {
        UIFontPtr font = UIFont::fontWithName(c.name, 15);
        ASSERT_TRUE(font);
        EXPECT_EQ(font->isBold(), c.bold);
        EXPECT_EQ(familyForText(c.text, *font), c.family) << c.name << " " << c.text;
    }
    EXPECT_EQ(UIFont::boldSystemFontOfSize(12)->fontName(), "Helvetica-Bold");
    EXPECT_FALSE(UIFont::fontWithName("Helvetica", 0));
    EXPECT_FALSE(UIFont::fontWithName("", 12));
}

TEST(UIFont, EveryScriptOfTheTranslationsHasGlyphs) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 15);
    const char* samples[] = {"Ça déjà vu, Ñandú, Łódź", "Во имя Аллаха", "بسم الله", "اللہ کے نام سے",
                             "به نام خداوند", "পরম করুণাময়", "奉至仁至慈的真主之名", "Türkçe İğne"};
    for (const char* s : samples) EXPECT_EQ(missingGlyphCount(s, *font), 0) << s;
}

TEST(UIFont, Metrics) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 20);
    EXPECT_GT(font->ascender(), 15);
    EXPECT_LT(font->descender(), -3);
    EXPECT_DOUBLE_EQ(font->lineHeight(), font->ascender() - font->descender());
    EXPECT_GT(font->capHeight(), 12);
    EXPECT_LT(font->capHeight(), font->ascender());
    EXPECT_GT(font->xHeight(), 8);
    EXPECT_LT(font->xHeight(), font->capHeight());
    UIFontPtr bigger = font->fontWithSize(40);
    EXPECT_NEAR(bigger->ascender(), 2 * font->ascender(), 1e-6);
    EXPECT_GT(sizeWithFont("Hello", *UIFont::boldSystemFontOfSize(20)).width, sizeWithFont("Hello", *font).width);
}

TEST(StringDrawing, MeasuredSizeHoldsTheDrawnInk) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 17);
    const std::string text = "Quick brown fox, jumping";
    CGSize size = sizeWithFont(text, *font);
    EXPECT_GT(size.width, 100);
    EXPECT_NEAR(size.height, std::ceil(font->lineHeight()), 2);
    for (double scale : {1.0, 2.0}) {
        PixelBox ink = drawnInk(text, *font, CGRectMake(0, 0, 400, 60), UITextAlignmentLeft, 400, 60, scale);
        ASSERT_FALSE(ink.empty());
        CGRect predicted = inkBoundsInRect(text, CGRectMake(0, 0, 400, 60), *font, UILineBreakModeWordWrap,
                                           UITextAlignmentLeft);
        // The drawn ink matches the layout's ink within a pixel, and stays inside the measured box.
        EXPECT_NEAR(ink.x0 / scale, CGRectGetMinX(predicted), 1) << scale;
        EXPECT_NEAR((ink.x1 + 1) / scale, CGRectGetMaxX(predicted), 1) << scale;
        EXPECT_NEAR(ink.y0 / scale, CGRectGetMinY(predicted), 1) << scale;
        EXPECT_NEAR((ink.y1 + 1) / scale, CGRectGetMaxY(predicted), 1) << scale;
        EXPECT_LE((ink.x1 + 1) / scale, size.width + 1);
        EXPECT_LE((ink.y1 + 1) / scale, size.height + 1);
    }
}

TEST(StringDrawing, WrapsInAWidthAndStopsAtTheHeight) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 15);
    const std::string text = "one two three four five six seven eight nine ten eleven twelve";
    CGSize line = sizeWithFont("one", *font);
    CGSize wrapped = sizeWithFont(text, *font, CGSizeMake(100, 10000), UILineBreakModeWordWrap);
    EXPECT_LE(wrapped.width, 100);
    int lines = static_cast<int>(std::lround(wrapped.height / line.height));
    EXPECT_GE(lines, 4);
    EXPECT_EQ(linesOfText(text, *font, CGSizeMake(100, 10000), UILineBreakModeWordWrap).size(), static_cast<size_t>(lines));
    // Only whole lines that fit in the height count, and at least one.
    CGSize two = sizeWithFont(text, *font, CGSizeMake(100, 2.5 * line.height), UILineBreakModeWordWrap);
    EXPECT_NEAR(two.height, 2 * line.height, 1.5);
    CGSize one = sizeWithFont(text, *font, CGSizeMake(100, 1), UILineBreakModeWordWrap);
    EXPECT_NEAR(one.height, line.height, 1);
    // A word longer than the width is broken rather than overflowing.
    CGSize longWord = sizeWithFont(std::string(60, 'W'), *font, CGSizeMake(100, 10000), UILineBreakModeWordWrap);
    EXPECT_LE(longWord.width, 100);
    // Line ends start new lines; measuring a single line ignores them.
    EXPECT_NEAR(sizeWithFont("a\nb", *font, CGSizeMake(300, 1000)).height, 2 * line.height, 1.5);
    EXPECT_NEAR(sizeWithFont("a\nb", *font).height, line.height, 1);
}

TEST(StringDrawing, TruncationPutsTheEllipsisWhereAsked) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 15);
    const std::string text = "Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotel India";
    const std::string ellipsis = "\u2026";
    struct Case { UILineBreakMode mode; int where; } cases[] = {
        {UILineBreakModeTailTruncation, 1}, {UILineBreakModeHeadTruncation, -1}, {UILineBreakModeMiddleTruncation, 0},
        {UILineBreakModeClip, 2}, {UILineBreakModeWordWrap, 2}};
    CGSize box = CGSizeMake(150, sizeWithFont("A", *font).height);
    for (const auto& c : cases) {
        auto lines = linesOfText(text, *font, box, c.mode);
        ASSERT_EQ(lines.size(), 1u) << c.mode;
        const std::string& l = lines[0];
        size_t at = l.find(ellipsis);
        switch (c.where) {
        case 1:
            ASSERT_NE(at, std::string::npos);
            EXPECT_EQ(at + ellipsis.size(), l.size());
            EXPECT_EQ(l.rfind("Alpha", 0), 0u);
            break;
        case -1:
            EXPECT_EQ(at, 0u) << l;
            EXPECT_NE(l.find("India"), std::string::npos);
            break;
        case 0:
            ASSERT_NE(at, std::string::npos) << l;
            EXPECT_EQ(l.rfind("Alpha", 0), 0u);
            EXPECT_NE(l.find("India"), std::string::npos);
            break;
        default: EXPECT_EQ(at, std::string::npos) << l; break;
        }
        EXPECT_LE(sizeWithFont(text, *font, box, c.mode).width, 150) << c.mode;
    }
    // Two lines of room: the second line is cut, the first is whole.
    auto two = linesOfText(text, *font, CGSizeMake(150, 2 * box.height), UILineBreakModeTailTruncation);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].find(ellipsis), std::string::npos);
    EXPECT_NE(two[1].find(ellipsis), std::string::npos);
    // Single-line truncation to a width.
    CGSize cut = sizeWithFont(text, *font, 120, UILineBreakModeTailTruncation);
    EXPECT_LE(cut.width, 120);
    EXPECT_GT(cut.width, 90);
}

TEST(StringDrawing, AlignsRightToLeftTextAsAsked) {
    UIFontPtr font = UIFont::fontWithName("GeezaPro", 16);
    const int width = 400;
    for (const std::string& text : {kArabic, kUrdu}) {
        CGSize size = sizeWithFont(text, *font);
        ASSERT_LT(size.width, width - 50);
        int height = static_cast<int>(size.height) + 20;
        CGRect rect = CGRectMake(0, 0, width, height);
        PixelBox right = drawnInk(text, *font, rect, UITextAlignmentRight, width, height);
        PixelBox left = drawnInk(text, *font, rect, UITextAlignmentLeft, width, height);
        PixelBox centre = drawnInk(text, *font, rect, UITextAlignmentCenter, width, height);
        ASSERT_FALSE(right.empty());
        EXPECT_GT(right.height(), 8);
        EXPECT_GE(right.x1, width - 4) << "right-aligned ink ends at the right edge";
        EXPECT_LE(left.x0, 4) << "left-aligned ink starts at the left edge";
        EXPECT_NEAR((centre.x0 + centre.x1) / 2.0, width / 2.0, 4);
        EXPECT_NEAR(right.width(), left.width(), 2);
    }
    // Urdu is set in Nastaliq, which is taller than the Naskh face used for Arabic.
    EXPECT_GT(sizeWithFont(kUrdu, *font).height, sizeWithFont(kArabic, *font).height);
}

TEST(StringDrawing, DrawsWithTheFillColourAndShrinksToFit) {
    UIFontPtr font = UIFont::fontWithName("Helvetica-Bold", 20);
    auto ctx = makeContext(200, 40);
    ctx->setRGBFillColor(0, 0, 1, 1);
    UIGraphicsPushContext(ctx.get());
    CGFloat actual = 0;
    const std::string text = "Shrinking headline text";
    CGSize natural = sizeWithFont(text, *font);
    ASSERT_GT(natural.width, 150);
    CGSize drawn = drawAtPoint(text, CGPointMake(0, 0), 150, *font, 8, &actual, UILineBreakModeTailTruncation,
                               UIBaselineAdjustmentAlignCenters);
    UIGraphicsPopContext();
    EXPECT_LT(actual, 20);
    EXPECT_GE(actual, 8);
    EXPECT_LE(drawn.width, 150);
    PixelBox ink = inkBox(ctx->targetSurface(), 128);
    ASSERT_FALSE(ink.empty());
    EXPECT_LE(ink.x1, 151);
    Rgba p{};
    for (int x = ink.x0; x <= ink.x1 && p.a < 255; ++x)
        for (int y = ink.y0; y <= ink.y1 && p.a < 255; ++y) p = pixelOf(*ctx, x, y);
    EXPECT_TRUE(near(p, {0, 0, 255, 255}));
    // Without a current context nothing is drawn, but the size is still given.
    EXPECT_EQ(drawInRect(text, CGRectMake(0, 0, 500, 50), *font), sizeWithFont(text, *font, CGSizeMake(500, 50)));
}

TEST(StringDrawing, BadTextIsDrawnNotRejected) {
    UIFontPtr font = UIFont::systemFontOfSize(12);
    std::string invalid = "abc\xff\xfe" "def";
    EXPECT_GT(sizeWithFont(invalid, *font).width, sizeWithFont("abcdef", *font).width - 1);
    EXPECT_EQ(sizeWithFont("", *font).width, 0);
    EXPECT_GT(sizeWithFont("", *font).height, 0);  // an empty line still has a height
    EXPECT_TRUE(CGRectIsNull(inkBoundsInRect("   ", CGRectMake(0, 0, 100, 20), *font, UILineBreakModeWordWrap,
                                             UITextAlignmentLeft)));
}

}  // namespace

namespace {

TEST(StringDrawingConcurrency, MeasuresFromSeveralThreads) {
    UIFontPtr font = UIFont::fontWithName("Helvetica", 13);
    const std::string text = "Measured on a worker thread while others measure too";
    CGSize expected = sizeWithFont(text, *font, CGSizeMake(120, 1000));
    std::vector<std::thread> workers;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            UIFontPtr own = UIFont::fontWithName(t % 2 ? "GeezaPro" : "Helvetica-Bold", 12 + t);
            for (int i = 0; i < 50; ++i) {
                if (sizeWithFont(text, *font, CGSizeMake(120, 1000)) != expected) ++mismatches;
                (void)own->ascender();
                (void)sizeWithFont(kArabic, *own);
            }
        });
    for (auto& w : workers) w.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
