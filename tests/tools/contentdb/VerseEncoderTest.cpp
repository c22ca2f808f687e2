#include "tools/contentdb/VerseEncoder.h"

#include <gtest/gtest.h>

namespace {

struct EncoderCase {
    const char* rule;
    const char* text;
    std::vector<uint8_t> bytes;
};

TEST(VerseEncoder, EachRuleGivesItsExactBytes)
{
    const EncoderCase cases[] = {
        {"letters keep their isolated code", "\u0628\u0650\u0633\u06E1\u0645\u0650", {178, 248, 195, 252, 222, 248}},
        {"alef wasla, shadda before the vowel", "\u0671\u0644\u0644\u0651\u064E\u0647\u0650", {115, 220, 220, 250, 244, 226, 248}},
        {"alef + maddah is one alef madda", "\u0621\u064E\u0627\u0653\u0645\u064E", {164, 244, 165, 222, 244}},
        {"hamza alef keeps its maddah", "\u0623\u0653", {167, 247}},
        {"tatweel + superscript alef", "\u0644\u064E\u0640\u0670", {220, 244, 109, 251}},
        {"superscript alef alone", "\u0645\u064E\u0670", {222, 244, 109}},
        {"tatweel + hamza above", "\u0640\u0654", {212, 245}},
        {"tatweel + small high yeh", "\u0640\u06E7", {113}},
        {"tatweel + small high noon", "\u0640\u06E8", {114}},
        {"iqlab after fatha", "\u0627\u064E\u06E2", {175, 99, 241}},
        {"iqlab after damma", "\u062F\u064F\u06E2", {190, 101, 241}},
        {"iqlab after kasra (low meem)", "\u0641\u0650\u06ED", {214, 100, 241}},
        {"iqlab on noon", "\u0646\u06E2 \u0628", {224, 241, 32, 178}},
        {"open tanween", "\u0627\u0657 \u0645\u065E \u0646\u0656", {175, 240, 32, 222, 242, 32, 224, 243}},
        {"stacked tanween", "\u0627\u064B \u0645\u064C \u0646\u064D", {175, 99, 32, 222, 101, 32, 224, 100}},
        {"silent zero and rectangular zero", "\u0648\u0652 \u0627\u06E0", {228, 107, 32, 175, 107}},
        {"sakta at a word end", "\u0639\u0650\u0648\u064E\u062C\u064E\u0627\u06DC \u0642", {205, 248, 228, 244, 185, 244, 175, 127, 32, 216}},
        {"small high seen inside a word", "\u0635\u06DC\u0637", {199, 102, 202}},
        {"stop signs", "\u0628\u06D6 \u0628\u06D8 \u0628\u06DA", {178, 121, 32, 178, 123, 32, 178, 125}},
        {"rub' el hizb sign dropped with its space", "\u06DE \u0628\u064E", {178, 244}},
        {"prostration sign, dot below, thin space dropped", "\u0628\u06E9\u065C\u2009\u0628", {178, 178}},
        {"small waw and yeh", "\u0647\u06E5 \u0647\u06E6", {226, 106, 32, 226, 108}},
        {"spaces collapse", "  \u0628   \u0628  ", {178, 32, 178}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        std::string error;
        EXPECT_TRUE(VerseEncoder::encode(c.text, out, error)) << c.rule << ": " << error;
        EXPECT_EQ(out, c.bytes) << c.rule;
    }
}

std::string repeated(const std::string& unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

TEST(VerseEncoder, RejectsWhatHasNoCodeAndNamesIt)
{
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"\u0628X", "U+0058"},
        {"\u0628\u06EA", "U+06EA"},
        {"\u0628\xD8", "invalid UTF-8"},
        {"\xC0\x80", "invalid UTF-8"},
        {"\u0628 " + repeated("\u0628", 81), "word 2 has 81 symbols"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        std::string error;
        EXPECT_FALSE(VerseEncoder::encode(c.text, out, error)) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(VerseEncoder::encode(repeated("\u0628", 80), out, error)) << error;
}

TEST(VerseEncoder, DisplayAndSearchTexts)
{
    const std::string verse = "\u0628\u0650\u0633\u06E1\u0645\u0650 \u0671\u0644\u0631\u0651\u064E\u062D\u06E1\u0645\u064E\u0670\u0646\u0650\u06DA";
    // display: sukun as U+0652, alef wasla as alef, annotation signs gone, vowels kept
    EXPECT_EQ(VerseEncoder::simpleArabic(verse),
              "\u0628\u0650\u0633\u0652\u0645\u0650 \u0627\u0644\u0631\u0651\u064E\u062D\u0652\u0645\u064E\u0670\u0646\u0650");
    // search: bare letters, then the spelling with a full alef for the superscript one
    EXPECT_EQ(VerseEncoder::searchText(VerseEncoder::simpleArabic(verse)),
              "\u0628\u0633\u0645 \u0627\u0644\u0631\u062D\u0645\u0646 \u0628\u0633\u0645 \u0627\u0644\u0631\u062D\u0645\u0627\u0646");
    // the KFGQPC silent zero is not a sukun and leaves the display text
    EXPECT_EQ(VerseEncoder::simpleArabic("\u0648\u0652\u0627\u0657"), "\u0648\u0627\u064B");
    // presentation forms the reader keeps are kept
    EXPECT_EQ(VerseEncoder::cleanArabicAccents("\u0628\uFE7A\uFE70"), "\u0628\uFE7A");
}

} // namespace
