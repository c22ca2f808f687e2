#include "Classes/Core/QuranReferenceTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

bool before(const QuranVerseRef& a, const QuranVerseRef& b)
{
    return a.surah != b.surah ? a.surah < b.surah : a.verse < b.verse;
}

TEST(QuranReferenceTables, ChapterRows)
{
    EXPECT_EQ(std::accumulate(kQuranVerseCounts + 1, kQuranVerseCounts + 115, 0), kQuranVerseTotal);
    const std::pair<int, int> counts[] = {{1, 7}, {2, 286}, {9, 129}, {26, 227}, {103, 3}, {108, 3}, {110, 3}, {114, 6}};
    for (auto [chapter, verses] : counts)
        EXPECT_EQ(kQuranVerseCounts[chapter], verses) << chapter;
    EXPECT_EQ(*std::max_element(kQuranVerseCounts + 1, kQuranVerseCounts + 115), 286);
    EXPECT_EQ(*std::min_element(kQuranVerseCounts + 1, kQuranVerseCounts + 115), 3);

    std::vector<int> order(kQuranRevelationOrder + 1, kQuranRevelationOrder + 115);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 114; ++i)
        ASSERT_EQ(order[i], i + 1) << "the revelation order is a permutation of 1-114";
    const std::pair<int, int> chrono[] = {{96, 1}, {68, 2}, {73, 3}, {74, 4}, {1, 5}, {2, 87}, {9, 113},
                                          {110, 114}, {38, 38}, {71, 71}, {82, 82}};
    for (auto [chapter, position] : chrono)
        EXPECT_EQ(kQuranRevelationOrder[chapter], position) << chapter;
}

TEST(QuranReferenceTables, DivisionsAgreeWithEachOther)
{
    const struct {
        int quarter, surah, verse;
    } quarters[] = {{1, 1, 1}, {2, 2, 26}, {3, 2, 44}, {9, 2, 142}, {143, 24, 53}, {196, 42, 51},
                    {226, 68, 1}, {239, 94, 1}, {240, 100, 9}};
    for (const auto& q : quarters) {
        EXPECT_EQ(kQuranHizbQuarterStarts[q.quarter].surah, q.surah) << q.quarter;
        EXPECT_EQ(kQuranHizbQuarterStarts[q.quarter].verse, q.verse) << q.quarter;
    }
    for (int q = 2; q <= 240; ++q)
        EXPECT_TRUE(before(kQuranHizbQuarterStarts[q - 1], kQuranHizbQuarterStarts[q])) << q;
    for (int q = 1; q <= 240; ++q)
        EXPECT_LE(kQuranHizbQuarterStarts[q].verse, kQuranVerseCounts[kQuranHizbQuarterStarts[q].surah]) << q;

    const struct {
        int juz, surah, verse;
    } juz[] = {{1, 1, 1}, {2, 2, 142}, {3, 2, 253}, {14, 15, 1}, {29, 67, 1}, {30, 78, 1}};
    for (const auto& j : juz) {
        EXPECT_EQ(kQuranJuzStarts[j.juz].surah, j.surah) << j.juz;
        EXPECT_EQ(kQuranJuzStarts[j.juz].verse, j.verse) << j.juz;
    }
    for (int j = 1; j <= 30; ++j) {
        EXPECT_EQ(kQuranJuzStarts[j].surah, kQuranHizbQuarterStarts[8 * (j - 1) + 1].surah) << j;
        EXPECT_EQ(kQuranJuzStarts[j].verse, kQuranHizbQuarterStarts[8 * (j - 1) + 1].verse) << j;
    }

    const QuranVerseRef sajda[] = {{7, 206}, {13, 15}, {16, 50}, {17, 109}, {19, 58}, {22, 18}, {22, 77}, {25, 60},
                                   {27, 26}, {32, 15}, {38, 24}, {41, 38}, {53, 62}, {84, 21}, {96, 19}};
    for (int i = 0; i < kQuranSajdaCount; ++i) {
        EXPECT_EQ(kQuranSajdaVerses[i].surah, sajda[i].surah) << i;
        EXPECT_EQ(kQuranSajdaVerses[i].verse, sajda[i].verse) << i;
    }
}

} // namespace
