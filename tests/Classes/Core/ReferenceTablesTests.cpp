// Chapter, juz, hizb-quarter and prostration answers, and the translation catalogue.

#include "Classes/Core/ChapterInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(ChapterTable, AnswersAndFixedAnswersOutsideTheRange) {
    EXPECT_EQ(ChapterInfo::getNameFromNumber(18), "Al-Kahf");
    EXPECT_EQ(ChapterInfo::getNameFromNumber(0), "Al-Fatiha");
    EXPECT_EQ(ChapterInfo::getNameFromNumber(115), "Al-Fatiha");
    EXPECT_EQ(ChapterInfo::getMeaningFromNumber(114), "The Mankind");
    EXPECT_EQ(ChapterInfo::getMeaningFromNumber(0), "");
    EXPECT_EQ(ChapterInfo::getAltNameFromNumber(96), "Iqra");
    EXPECT_EQ(ChapterInfo::getAltMeaningFromNumber(111), "The [Father of] Flame");
    EXPECT_EQ(ChapterInfo::getAltNameFromNumber(1), "");
    EXPECT_EQ(ChapterInfo::getCityFromNumber(110), "Madina");
    for (int surah : {13, 55, 0, 115}) EXPECT_EQ(ChapterInfo::getCityFromNumber(surah), "Makkah") << surah;
    EXPECT_EQ(ChapterInfo::getExtraChronoFromNumber(15), std::optional<std::string>("except 87 131, from Madina"));
    EXPECT_FALSE(ChapterInfo::getExtraChronoFromNumber(1).has_value());
    EXPECT_FALSE(ChapterInfo::getExtraChronoFromNumber(200).has_value());

    struct Count {
        int surah, verses, order;
    } counts[] = {{1, 7, 5},     {2, 286, 87}, {9, 129, 113}, {26, 227, 47}, {96, 19, 1}, {103, 3, 13},
                  {110, 3, 114}, {114, 6, 21}, {38, 88, 38},  {0, 0, 0},     {115, 0, 0}};
    for (const Count& c : counts) {
        EXPECT_EQ(ChapterInfo::getVersesFromNumber(c.surah), c.verses) << c.surah;
        EXPECT_EQ(ChapterInfo::getChronoOrderForChapter(c.surah), c.order) << c.surah;
    }
    int total = 0;
    for (int surah = 1; surah <= 114; ++surah) {
        total += ChapterInfo::getVersesFromNumber(surah);
        int offset = ChapterInfo::getSurahNameOffsetForAlignment(surah);
        EXPECT_TRUE(offset >= 4 && offset <= 21) << surah;
    }
    EXPECT_EQ(total, 6236);
    EXPECT_EQ(ChapterInfo::getSurahNameOffsetForAlignment(11), 21);
    EXPECT_EQ(ChapterInfo::getSurahNameOffsetForAlignment(115), 0);
}

TEST(DivisionTable, JuzHizbAndProstrationVerses) {
    EXPECT_TRUE(ChapterInfo::isSajda(22, 18));
    EXPECT_TRUE(ChapterInfo::isSajda(22, 77));
    EXPECT_FALSE(ChapterInfo::isSajda(22, 19));
    EXPECT_TRUE(ChapterInfo::isJuz(1, 1));
    EXPECT_FALSE(ChapterInfo::isJuz(2, 141));
    EXPECT_EQ(ChapterInfo::juzFrom(2, 142), 2);
    EXPECT_EQ(ChapterInfo::juzFrom(2, 143), 1);
    EXPECT_EQ(ChapterInfo::juzFrom(78, 1), 30);
    struct Nearest {
        int surah, verse, juz;
    } nearest[] = {{2, 143, 2}, {2, 0, 1}, {5, 0, 6}, {2, 300, 3}, {0, 1, 30}, {114, 6, 30}, {15, 1, 14}};
    for (const Nearest& n : nearest)
        EXPECT_EQ(ChapterInfo::nearestjuzFrom(n.surah, n.verse), n.juz) << n.surah << ":" << n.verse;

    struct Start {
        int hizb, surah, verse;
    } starts[] = {{9, 2, 142}, {240, 100, 9}, {0, 1, 1}, {241, 1, 1}, {143, 24, 53}};
    for (const Start& s : starts) {
        int surah = -5, verse = -5;
        ChapterInfo::setSurahVerseForHizb(&surah, &verse, s.hizb);
        EXPECT_EQ(surah, s.surah) << s.hizb;
        EXPECT_EQ(verse, s.verse) << s.hizb;
    }
    EXPECT_EQ(ChapterInfo::getSurahVerseForHizb(2), "002:26");
    EXPECT_EQ(ChapterInfo::getSurahVerseForJuz(2), "002:142");
    EXPECT_EQ(ChapterInfo::getSurahVerseForJuz(31), "001:1");
    EXPECT_EQ(ChapterInfo::getHizbForJuz(30), 233);
    EXPECT_EQ(ChapterInfo::getHizbForJuz(1), 1);
    EXPECT_EQ(ChapterInfo::getHizbForJuz(0), 1);

    // The three tables agree: every juz start is a quarter start and isHizb holds exactly there.
    int quarterStarts = 0;
    for (int hizb = 1; hizb <= 240; ++hizb) {
        int surah = 0, verse = 0;
        ChapterInfo::setSurahVerseForHizb(&surah, &verse, hizb);
        EXPECT_TRUE(ChapterInfo::isHizb(surah, verse)) << hizb;
        quarterStarts += ChapterInfo::isJuz(surah, verse) ? 1 : 0;
    }
    EXPECT_EQ(quarterStarts, 30);
    for (int juz = 1; juz <= 30; ++juz) {
        int surah = 0, verse = 0, hs = 0, hv = 0;
        ChapterInfo::setSurahVerseForJuz(&surah, &verse, juz);
        ChapterInfo::setSurahVerseForHizb(&hs, &hv, ChapterInfo::getHizbForJuz(juz));
        EXPECT_EQ(std::make_pair(surah, verse), std::make_pair(hs, hv)) << juz;
    }
}

TEST(NumberText, DirectionDigitsAndPadding) {
    struct Rtl {
        const char* text;
        bool rtl;
    } rtl[] = {{"", false}, {"  abc", false}, {" \u05D0", true}, {"\u0627", true}, {"\u05F1", false}, {" \n", false}};
    for (const Rtl& r : rtl) EXPECT_EQ(ChapterInfo::isTextRTL(r.text), r.rtl) << r.text;
    EXPECT_EQ(ChapterInfo::getArabicNumbersFrom("12:5"), "\u0661\u0662\u0665");
    EXPECT_EQ(ChapterInfo::getArabicNumbersFrom("abc"), "");
    EXPECT_EQ(ChapterInfo::getThreeDigitNumberFromInt(7), "007");
    EXPECT_EQ(ChapterInfo::getThreeDigitNumberFromInt(42), "042");
    EXPECT_EQ(ChapterInfo::getThreeDigitNumberFromInt(114), "114");
    EXPECT_EQ(ChapterInfo::getThreeDigitNumberFromInt(0), "000");
    EXPECT_EQ(ChapterInfo::getTwoDigitNumberFromInt(3), "03");
    EXPECT_EQ(ChapterInfo::getTwoDigitNumberFromInt(12), "12");
}

TEST(TranslationCatalogue, LabelsDirectionsOrderAndWebCodes) {
    EXPECT_EQ(ChapterInfo::getTranslationFullNameForNumber(39), "No Translation");
    EXPECT_EQ(ChapterInfo::getTranslationFullNameForNumber(-1), "No Translation");
    EXPECT_EQ(ChapterInfo::getTranslationFullNameForNumber(1000), "My Notes");  // the localized "NotesPicker"
    EXPECT_EQ(ChapterInfo::getTranslationAbbrNameForNumber(1001), "AR");
    EXPECT_EQ(ChapterInfo::getTranslationAbbrNameForNumber(27), "AM");
    EXPECT_EQ(ChapterInfo::getTranslationNameForNumber(10), "Trans.");
    EXPECT_EQ(ChapterInfo::getTranslationFullNameForNumber(27), "Arabic: Tafsir Al-Muyassar");
    EXPECT_TRUE(ChapterInfo::getTranslationFullNameForNumber(7).rfind("German: ", 0) == 0);
    EXPECT_FALSE(ChapterInfo::isTranslationRTL(1000));
    EXPECT_TRUE(ChapterInfo::isTranslationRTL(0));
    int rtl = 0;
    for (int id = 0; id <= 38; ++id) rtl += ChapterInfo::isTranslationRTL(id);
    EXPECT_EQ(rtl, 6);

    std::vector<int> plain = ChapterInfo::getAvailableTranslations(false);
    ASSERT_EQ(plain.size(), 39u);
    EXPECT_EQ(std::vector<int>(plain.begin(), plain.begin() + 4), (std::vector<int>{0, 27, 38, 10}));
    EXPECT_EQ(std::vector<int>(plain.end() - 3, plain.end()), (std::vector<int>{33, 34, 35}));
    std::vector<int> sorted = plain;
    std::sort(sorted.begin(), sorted.end());
    for (int id = 0; id <= 38; ++id) EXPECT_EQ(sorted[id], id);
    std::vector<int> withNotes = ChapterInfo::getAvailableTranslations(true);
    ASSERT_EQ(withNotes.size(), 40u);
    EXPECT_EQ(withNotes[1], 1000);

    struct Web {
        int id, code;
    } web[] = {{0, 0},  {1000, 0}, {1, 5},   {2, 2},  {5, 10}, {6, 11},
               {7, 12}, {10, 6},   {11, 18}, {12, 5}, {38, 5}, {77, 5}};
    for (const Web& w : web) EXPECT_EQ(ChapterInfo::getWebsiteTransCodeFrom(w.id), w.code) << w.id;
}

}  // namespace
