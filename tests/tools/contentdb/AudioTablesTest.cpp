// The content database's audio tables agree with the synthetic recitations' timing formula,
// which the archives on the demo mirror are made from.
#include "Classes/Core/ChapterInfo.h"
#include "ContentDbFixture.h"
#include "tools/recitations/RecitationTiming.h"

namespace {

const SqliteDb& audioContent()
{
    static const SqliteDb db(bundlePath("lumeno.db"));
    return db;
}

RecitationTiming::ChapterText recitedChapter(int surah)
{
    RecitationTiming::ChapterText chapter{surah, {}, audioContent().value("SELECT translation FROM simplearabic WHERE surah = 1 AND verse = 1")};
    for (const auto& row : audioContent().rows("SELECT translation FROM simplearabic WHERE surah = ? ORDER BY verse",
                                          {std::to_string(surah)}))
        chapter.verses.push_back(row[0]);
    return chapter;
}

}  // namespace

TEST(AudioTables, PartsAndBeginTimesAreTheFormulasForEveryReciterCode)
{
    for (int surah : {1, 2, 9, 108, 112}) {
        const auto chapter = recitedChapter(surah);
        for (int reciter : {0, 1, 3, 7, 8}) {
            SCOPED_TRACE(std::to_string(surah) + " reciter " + std::to_string(reciter));
            const auto layout = RecitationTiming::layoutChapter(
                chapter, RecitationTiming::voiceForFolder(ChapterInfo::getRemoteFolderNumberForReciter(reciter)),
                ChapterInfo::getTotalPartsForChapter(surah));
            const auto rows = audioContent().rows(
                "SELECT p.verse, p.part, t.beginsat FROM audioparts p JOIN audiotimings t ON t.reciter = p.reciter AND "
                "t.surah = p.surah AND t.verse = p.verse WHERE p.reciter = ? AND p.surah = ? ORDER BY p.verse",
                {std::to_string(reciter), std::to_string(surah)});
            ASSERT_EQ(rows.size(), layout.size());
            for (size_t i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(std::stoi(rows[i][0]), layout[i].verse);
                EXPECT_EQ(std::stoi(rows[i][1]), layout[i].part);
                EXPECT_DOUBLE_EQ(std::stod(rows[i][2]), layout[i].beginsAt());
            }
        }
    }
}

TEST(AudioTables, EveryChapterFillsItsPartsAndEachPartStartsAtZero)
{
    for (int reciter = 0; reciter <= 8; ++reciter) {
        const auto rows = audioContent().rows(
            "SELECT surah, max(part), count(DISTINCT part), min(verse) FROM audioparts WHERE reciter = ? GROUP BY surah",
            {std::to_string(reciter)});
        ASSERT_EQ(rows.size(), 114u) << reciter;
        for (const auto& row : rows) {
            const int surah = std::stoi(row[0]);
            EXPECT_EQ(std::stoi(row[1]), ChapterInfo::getTotalPartsForChapter(surah)) << surah;
            EXPECT_EQ(std::stoi(row[2]), ChapterInfo::getTotalPartsForChapter(surah)) << surah;
            EXPECT_EQ(std::stoi(row[3]), surah == 1 || surah == 9 ? 1 : 0) << surah;
        }
    }
    EXPECT_EQ(audioContent().value("SELECT count(*) FROM audioparts p JOIN audiotimings t ON t.reciter = p.reciter AND "
                              "t.surah = p.surah AND t.verse = p.verse WHERE t.beginsat = 0 AND p.reciter = 0"),
              "558") << "the first verse of each of the 558 parts, and only those, begins at 0";
}

TEST(AudioTables, SizesAreThoseOfThePerVerseArchives)
{
    for (int surah : {1, 2, 112}) {
        for (int reciter : {0, 1, 5}) {
            const auto expected = RecitationTiming::perVerseArchiveSize(
                recitedChapter(surah), RecitationTiming::voiceForFolder(ChapterInfo::getRemoteFolderNumberForReciter(reciter)));
            EXPECT_EQ(audioContent().value("SELECT size FROM recitationmp3sizes WHERE reciter = ? AND surah = ?",
                                      {std::to_string(reciter), std::to_string(surah)}),
                      std::to_string(expected));
        }
    }
}
