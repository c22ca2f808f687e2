// Line layout and layout records.
#include <gtest/gtest.h>

#include <vector>

#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/graphics/CGContext.h"

namespace {

std::vector<uint8_t> words(int count, const std::vector<uint8_t>& word) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        if (i) bytes.push_back(32);
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    return bytes;
}

int layOut(ArabicFont& font, const std::vector<uint8_t>& b, int width, bool record = true) {
    if (record) font.initCurrentVerseMetaData(1, width);
    return font.getHeightOfVerseImage(1, false, b, 0, static_cast<int>(b.size()) - 1, width, record);
}

// Lines follow each other without gaps or overlaps and cover the laid-out bytes.
void expectContiguous(const ArabicFont& font, int endBytes, const char* what) {
    const auto& lines = font.currVerseMetaData()->lines();
    ASSERT_FALSE(lines.empty()) << what;
    EXPECT_EQ(lines.front().start, 0) << what;
    for (size_t n = 0; n + 1 < lines.size(); ++n)
        EXPECT_EQ(lines[n + 1].start, lines[n].start + lines[n].length + 1) << what << " line " << n;
    EXPECT_EQ(lines.back().start + lines.back().length, endBytes) << what;
}

class LayoutTest : public ::testing::Test {
protected:
    ArabicFont font{0, TajweedSwitches::none(), nullptr};
    int baseHeight() const {
        return font.TOP_TASHKIL_LETTER_PADDING() + font.TASHKIL_HEIGHT() + font.CHAR_HEIGHT() + ArabicFont::TASHKIL_GAP +
               font.markOffsetBelow(249) + font.EXTRA_TOP_MARGIN() + 2;
    }
};

TEST_F(LayoutTest, OneLineVerseHasTheBaseHeightUnlessAStackedMarkRises) {
    EXPECT_EQ(layOut(font, {178, 244, 178, 248, 178}, 300), baseHeight());
    EXPECT_EQ(font.currVerseMetaData()->lineCount(), 1);
    EXPECT_GT(layOut(font, {178, 250, 244, 178, 250, 244}, 300), baseHeight());
}

TEST_F(LayoutTest, NarrowerWidthsGiveMoreLinesNeverWiderThanTheWidth) {
    const auto verse = words(40, {178, 244, 181, 248, 222, 252, 190, 246});
    const int end = static_cast<int>(verse.size()) - 1;
    int previousHeight = 0;
    size_t previousLines = 0;
    for (int width : {600, 300, 200, 120, 80}) {
        const int h = layOut(font, verse, width);
        const auto record = font.currVerseMetaData();
        const auto& lines = record->lines();
        EXPECT_GE(h, previousHeight) << width;
        EXPECT_GE(lines.size(), previousLines) << width;
        expectContiguous(font, end, "words");
        for (size_t n = 0; n < lines.size(); ++n) {
            const bool endsAtSpace = verse[lines[n].start + lines[n].length] == 32;
            if (n + 1 < lines.size()) {
                EXPECT_TRUE(endsAtSpace) << "a closed line ends with its space";
            }
            const int inked = lines[n].actualWidth - (endsAtSpace ? font.SPACE_CHAR_WIDTH() : 0);
            EXPECT_LE(inked, width) << "width " << width << " line " << n;
            if (n > 0) {
                EXPECT_EQ(lines[n].startY - lines[n - 1].startY, font.linePitch());
            }
        }
        EXPECT_EQ(h, layOut(font, verse, width, false)) << "height without recording, width " << width;
        previousHeight = h;
        previousLines = lines.size();
    }
    EXPECT_GT(previousLines, 3u);
}

TEST_F(LayoutTest, Code103WidensTheLineLikeASpaceButIsNoBreak) {
    layOut(font, {178, 178, 178}, 600);
    const int plain = font.currVerseMetaData()->lines()[0].actualWidth;
    layOut(font, {178, 103, 178, 178}, 600);
    EXPECT_EQ(font.currVerseMetaData()->lines()[0].actualWidth, plain + font.SPACE_CHAR_WIDTH());
    // A long word full of 103 stays on one line: it can only overhang.
    std::vector<uint8_t> word;
    for (int i = 0; i < 40; ++i) word.insert(word.end(), {178, 103});
    layOut(font, word, 100);
    EXPECT_EQ(font.currVerseMetaData()->lineCount(), 1);
}

TEST_F(LayoutTest, KashidaPlacesAtMostOnePerWordAndMoveWithTheWord) {
    layOut(font, {178, 178, 178, 32, 178, 178, 32, 175, 190}, 600);
    ASSERT_EQ(font.currVerseMetaData()->lineCount(), 1);
    EXPECT_EQ(font.currVerseMetaData()->lines()[0].kashidaCount, 2);
    // At a width that pushes the second word down, each line keeps its own word's place.
    const int oneWord = layOut(font, {178, 178, 178}, 600);
    (void)oneWord;
    const int w = font.currVerseMetaData()->lines()[0].actualWidth;
    layOut(font, {178, 178, 178, 32, 178, 178, 178}, w + 10);
    ASSERT_EQ(font.currVerseMetaData()->lineCount(), 2);
    EXPECT_EQ(font.currVerseMetaData()->lines()[0].kashidaCount, 1);
    EXPECT_EQ(font.currVerseMetaData()->lines()[1].kashidaCount, 1);
}

TEST_F(LayoutTest, MissingOrEmptyRangesGiveZero) {
    const std::vector<uint8_t> b = {178, 178, 32, 178};
    EXPECT_EQ(font.getHeightOfVerseImage(1, false, {}, 0, 3, 300, false), 0);
    EXPECT_EQ(font.getHeightOfVerseImage(1, false, b, 2, 2, 300, false), 0);
    EXPECT_EQ(font.getHeightOfVerseImage(1, false, b, 3, 1, 300, false), 0);
    EXPECT_GT(font.getHeightOfVerseImage(1, false, b, 0, 3, 300, false), 0);
}

TEST_F(LayoutTest, HostileInputsStayBoundedAndContiguous) {
    std::vector<uint8_t> longWord(900, 178);
    std::vector<uint8_t> manyWords = words(700, {178});
    std::vector<uint8_t> invalid = words(30, {178, 5, 60, 81, 244, 178});
    std::vector<uint8_t> longLine = words(400, {178, 244});   // one line longer than 1024 bytes
    struct Case {
        const char* name;
        const std::vector<uint8_t>* bytes;
        int width;
        size_t maxLines;
    };
    const Case cases[] = {
        {"one word wider than the width", &longWord, 100, 1},
        {"zero width", &manyWords, 0, 701},
        {"negative width", &manyWords, -400, 701},
        {"width of one point", &invalid, 1, 31},
        {"codes below 82", &invalid, 200, 31},
        {"line longer than 1024 bytes", &longLine, 100000, 1},
    };
    for (const Case& c : cases) {
        const int end = static_cast<int>(c.bytes->size()) - 1;
        const int h = layOut(font, *c.bytes, c.width);
        EXPECT_GT(h, 0) << c.name;
        EXPECT_LE(font.currVerseMetaData()->lines().size(), c.maxLines) << c.name;
        expectContiguous(font, end, c.name);
    }
    // An end index past the bytes is clamped.
    const std::vector<uint8_t> b = {178, 178};
    EXPECT_EQ(font.getHeightOfVerseImage(1, false, b, 0, 50, 300, false), baseHeight());
}

TEST_F(LayoutTest, ResolutionsUseTheirOwnConstants) {
    struct Row {
        uint32_t resolution;
        int charHeight, tashkilHeight;
    };
    for (const Row& r : {Row{0, 26, 9}, Row{5, 26, 9}, Row{1, 33, 8}, Row{6, 30, 10}, Row{9, 46, 16}}) {
        ArabicFont f(r.resolution, TajweedSwitches::none(), nullptr);
        EXPECT_EQ(f.CHAR_HEIGHT(), r.charHeight) << r.resolution;
        EXPECT_EQ(f.TASHKIL_HEIGHT(), r.tashkilHeight) << r.resolution;
        EXPECT_EQ(f.SPACE_CHAR_WIDTH(), r.tashkilHeight) << r.resolution;
    }
    ArabicFont six(6, TajweedSwitches::none(), nullptr);
    EXPECT_EQ(six.charWidth(166), 11);
    EXPECT_EQ(six.charWidth(207), 14);
    ArabicFont nine(9, TajweedSwitches::none(), nullptr);
    EXPECT_EQ(nine.charWidth(211), 23);
    EXPECT_EQ(nine.charWidth(50), 0);
    EXPECT_EQ(nine.charWidth(256), 0);
}

}  // namespace

namespace {

TEST(KashidaPlanTest, JustifiesAllButTheLastLineWithAtMostTwoStretches) {
    struct Case {
        const char* name;
        int A, width, places;
        bool last;
        float scale;
        int width_;
        int count;
    };
    const Case cases[] = {
        {"last line", 100, 120, 3, true, 1, 0, 3},
        {"no places", 100, 120, 0, false, 1, 0, 0},
        {"already full", 120, 120, 2, false, 1, 0, 2},
        {"20 spare, three places: two stretch 10", 100, 120, 3, false, 1, 10, 2},
        {"21 spare: 11 would overrun, so 10", 99, 120, 1, false, 1, 10, 2},
        {"scale 2, 2 spare: two of 1 point", 118, 120, 1, false, 2, 1, 2},
        {"scale 2, 1 spare: nothing stretches", 119, 120, 1, false, 2, 0, 2},
        {"scale 2, 4 spare: two of 2", 116, 120, 1, false, 2, 2, 2},
        {"scale 1, 1 spare: nothing stretches", 119, 120, 1, false, 1, 0, 2},
    };
    for (const Case& c : cases) {
        const auto plan = ArabicFont::planKashida(c.A, c.width, c.places, c.last, c.scale);
        EXPECT_EQ(plan.width, c.width_) << c.name;
        EXPECT_EQ(plan.count, c.count) << c.name;
        EXPECT_LE(c.A + plan.width * plan.count, std::max(c.A, c.width)) << c.name;
    }
}

TEST(ScaleTest, TopPaddingIsTwoOnADoubleDensityScreen) {
    UIGraphicsSetScreenScale(2.0);
    ArabicFont dense(5, TajweedSwitches::none(), nullptr);
    UIGraphicsSetScreenScale(1.0);
    ArabicFont plain(0, TajweedSwitches::none(), nullptr);
    EXPECT_EQ(dense.TOP_TASHKIL_LETTER_PADDING(), 2);
    EXPECT_EQ(plain.TOP_TASHKIL_LETTER_PADDING(), 3);
    EXPECT_EQ(dense.CHAR_HEIGHT(), plain.CHAR_HEIGHT());
}

}  // namespace
