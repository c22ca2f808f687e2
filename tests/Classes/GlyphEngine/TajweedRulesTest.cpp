// Tajweed colour rules on small byte strings.
#include <gtest/gtest.h>

#include <vector>

#include "Classes/GlyphEngine/ArabicFont.h"

namespace {

struct RuleCase {
    const char* name;
    std::vector<uint8_t> bytes;
    int index;
    uint32_t color;
    int runStart;
    int runEnd;
};

uint32_t colorAt(ArabicFont& font, const std::vector<uint8_t>& b, int i) {
    const int len = static_cast<int>(b.size());
    const int resolved = font.getTypeOfSymbol(1, false, i, b, len, len);
    return font.getColorOfSymbol(1, false, i, b, len, len, resolved, false);
}

const std::vector<RuleCase>& ruleCases() {
    static const std::vector<RuleCase> cases = {
        {"ikhfa: noon sakin before qaf starts at the noon", {178, 244, 224, 252, 216, 244}, 0, kColorIkhfa, 2, 5},
        {"idghaam: tanween across a space before meem", {178, 99, 32, 222, 244}, 0, kColorIdghaam, 0, 4},
        {"ghunna: meem with shadda runs to the byte before the next letter", {222, 250, 244, 178, 244}, 0,
         kColorGhunna, 0, 2},
        {"qalqala: dal at the very end", {224, 244, 202}, 2, kColorQalqala, 2, 2},
        {"qalqala: ba with sukun", {178, 252, 220, 244}, 0, kColorQalqala, 0, 1},
        {"ikhfa meem sakin before ba", {222, 252, 32, 178, 244}, 0, kColorIkhfaMeemSakin, 0, 4},
        {"idghaam meem sakin before meem", {222, 252, 32, 222, 250, 244, 178}, 0, kColorIdghaamMeemSakin, 0, 5},
        {"idghaam without ghunna: noon before lam with shadda", {178, 244, 224, 32, 220, 250, 244, 226}, 0,
         kColorIdghaamWithoutGhunna, 2, 6},
        {"qalb: tanween with small meem before ba", {190, 101, 241, 32, 178, 248, 115}, 0, kColorQalb, 0, 5},
    };
    return cases;
}

TEST(TajweedRules, EachRuleColoursItsLettersAndRun) {
    for (const auto& c : ruleCases()) {
        ArabicFont font(0, TajweedSwitches::all(), nullptr);
        EXPECT_EQ(colorAt(font, c.bytes, c.index), c.color) << c.name;
        EXPECT_EQ(font.startIndexOfColorCoding(), c.runStart) << c.name;
        EXPECT_EQ(font.endIndexOfColorCoding(), c.runEnd) << c.name;
    }
}

TEST(TajweedRules, EverySwitchOffGivesNoColour) {
    for (const auto& c : ruleCases()) {
        ArabicFont font(0, TajweedSwitches::none(), nullptr);
        for (int i = 0; i < static_cast<int>(c.bytes.size()); ++i) EXPECT_EQ(colorAt(font, c.bytes, i), 0u) << c.name;
        EXPECT_EQ(font.startIndexOfColorCoding(), -1) << c.name;
    }
}

TEST(TajweedRules, EachSwitchTurnsOffOnlyItsRule) {
    // Ghunna off: the shadda'd meem is not coloured; qalqala still is.
    TajweedSwitches s = TajweedSwitches::all();
    s.ghunna = false;
    ArabicFont font(0, s, nullptr);
    EXPECT_EQ(colorAt(font, {222, 250, 244, 178, 244}, 0), 0u);
    EXPECT_EQ(colorAt(font, {224, 244, 202}, 2), kColorQalqala);
}

TEST(TajweedRules, OverrideForcesRulesButNotStopSigns) {
    ArabicFont font(0, true, nullptr);
    EXPECT_TRUE(font.switches().ghunna && font.switches().ikhfa && font.switches().idgham &&
                font.switches().iqlab && font.switches().qalqala);
    EXPECT_FALSE(font.switches().coloredStopSigns);
}

TEST(TajweedRules, MarksOutsideTheTanweenSetAreNeverColoured) {
    ArabicFont font(0, TajweedSwitches::all(), nullptr);
    EXPECT_EQ(colorAt(font, {222, 250, 244, 178, 244}, 1), 0u);
    EXPECT_EQ(colorAt(font, {178, 50, 178}, 1), 0u);
}

}  // namespace
