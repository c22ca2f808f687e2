// Glyph choice from neighbouring codes.
#include <gtest/gtest.h>

#include <vector>

#include "Classes/GlyphEngine/ArabicCodeTables.h"
#include "Classes/GlyphEngine/ArabicFont.h"

namespace {

struct ChoiceCase {
    const char* name;
    std::vector<uint8_t> bytes;
    int index;
    bool isLastVerse;
    int expected;
};

class GlyphChoiceTest : public ::testing::Test {
protected:
    ArabicFont font{0, TajweedSwitches::none(), nullptr};
    int choose(const std::vector<uint8_t>& b, int i, bool last = false) {
        return font.getTypeOfSymbol(1, last, i, b, static_cast<int>(b.size()), static_cast<int>(b.size()));
    }
};

TEST_F(GlyphChoiceTest, ChoosesFormsFromNeighbours) {
    using namespace glyphcodes;
    const int medial178 = formJoinedFromPrevious(formJoinedToNext(178));
    const std::vector<ChoiceCase> cases = {
        {"medial between joining letters", {178, 178, 178}, 1, false, medial178},
        {"medial with marks between", {178, 244, 178, 248, 178}, 2, false, medial178},
        {"initial before a joining letter", {178, 178}, 0, false, formJoinedToNext(178)},
        {"final after a joining letter", {178, 178}, 1, false, formJoinedFromPrevious(178)},
        {"isolated after a non-joining letter", {175, 178}, 1, false, 178},
        {"lam before alef, nothing before", {220, 175}, 0, false, 238},
        {"alef after lam, lam not connected", {220, 175}, 1, false, 237},
        {"lam before alef after a joining letter", {178, 220, 175}, 1, false, 239},
        {"alef after connected lam", {178, 220, 175}, 2, false, 98},
        {"alef wasla after lam", {220, 115}, 1, false, 92},
        {"kasratan before ba", {190, 100, 32, 178}, 1, false, 249},
        {"kasratan at verse end, not the last verse", {190, 100}, 1, false, 100},
        {"kasratan at verse end of the last verse", {190, 100}, 1, true, 249},
        {"dammatan followed only by a stop sign and a space", {190, 101, 32, 127}, 1, true, 253},
        {"fathatan with a letter following", {190, 99, 32, 222}, 1, true, 99},
        {"space unchanged", {178, 32, 178}, 1, false, 32},
        {"end byte unchanged", {178, 10}, 1, true, 10},
        {"invalid code below 82 unchanged", {178, 50, 178}, 1, false, 50},
    };
    for (const auto& c : cases) EXPECT_EQ(choose(c.bytes, c.index, c.isLastVerse), c.expected) << c.name;
}

TEST_F(GlyphChoiceTest, HamzaThenAlefAfterLamSkipsTheAlef) {
    const std::vector<uint8_t> b = {220, 164, 175};
    font.setSkipNextChar(false);
    EXPECT_EQ(choose(b, 0), 238);
    EXPECT_EQ(choose(b, 1), 93);
    EXPECT_TRUE(font.skipNextChar());
}

TEST_F(GlyphChoiceTest, NeighbourSearchesStayInsideTheBytes) {
    const std::vector<uint8_t> b = {178, 244, 32, 250, 222};
    int idx = -7;
    EXPECT_EQ(ArabicFont::getNextActualCharFromVerse(0, b, 100, &idx, true), 222);
    EXPECT_EQ(idx, 4);
    EXPECT_EQ(ArabicFont::getNextActualCharFromVerse(0, b, 100, &idx, false), 32);
    EXPECT_EQ(idx, 2);
    idx = -7;
    EXPECT_EQ(ArabicFont::getNextActualCharFromVerse(4, b, 100, &idx, true), 0);
    EXPECT_EQ(idx, -7);
    EXPECT_EQ(ArabicFont::getPrevActualChar(4, b), 32);
    EXPECT_EQ(ArabicFont::getPrevActualChar(0, b), 0);
    EXPECT_TRUE(ArabicFont::doesCharacter(2, 250, b, 100));
    EXPECT_FALSE(ArabicFont::doesCharacter(0, 250, b, 100));
    EXPECT_TRUE(ArabicFont::doesCharacterHaveTanween(0, std::vector<uint8_t>{178, 250, 99}, 2));
    EXPECT_FALSE(ArabicFont::doesCharacterHaveTanween(0, std::vector<uint8_t>{178, 250, 32, 99}, 3));
}

}  // namespace
