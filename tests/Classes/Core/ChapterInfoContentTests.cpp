// Content-database reads on a small fixture database.

#include "Classes/Core/ChapterInfo.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Log.h"

#include <gtest/gtest.h>

namespace {

class ContentQueries : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = fixture::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        path_ = folder + "/lumeno.db";
        fixture::createContentDatabase(path_);
        db_ = fixture::open(path_);
    }
    void TearDown() override { DataStoreConnection::finalizeConnection(db_.get()); }
    std::string path_;
    SQLiteConnection db_;
};

TEST_F(ContentQueries, SingleVerseTranslationsByIdWithFixedAnswersOutsideTheCatalogue) {
    struct Case {
        int trans, surah, verse;
        const char* expected;
    } cases[] = {
        {0, 1, 2, "الحمد لله"},         // full-text table of the Arabic text, cast columns
        {10, 1, 2, "Alhamdu lillahi"},  // transliteration table
        {3, 1, 1, "In the name of Allah, the Most Merciful"},
        {3, 1, 2, ""},     // NULL text
        {3, 9, 9, ""},     // no row
        {5, 1, 1, ""},     // no table for the id
        {1000, 1, 1, ""},  // notes are not a table
        {39, 1, 1, ""},
        {-1, 1, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChapterInfo::getTranslationFor(db_.get(), c.trans, c.surah, c.verse), c.expected) << c.trans;
}

TEST_F(ContentQueries, ChapterTranslationsStayAlignedAroundAMissingText) {
    LogCapture log;
    std::vector<std::string> verses = ChapterInfo::getTranslationDataFor(db_.get(), 3, 1);
    ASSERT_EQ(verses.size(), 3u);
    EXPECT_EQ(verses[0], "In the name of Allah, the Most Merciful");
    EXPECT_EQ(verses[1], "");
    EXPECT_EQ(verses[2], "The Entirely Merciful");
    EXPECT_EQ(log.count("VERSE IS NIL AT INDEX: 1"), 1u);
    // The chapter read of the transliteration uses its plain table.
    EXPECT_EQ(ChapterInfo::getTranslationDataFor(db_.get(), 10, 1).size(), 2u);
    EXPECT_TRUE(ChapterInfo::getTranslationDataFor(db_.get(), 7, 1).empty());
}

TEST_F(ContentQueries, VerseGlyphDataAndPlainArabic) {
    EXPECT_EQ(ChapterInfo::getVerseData(db_.get(), 1, 1), (Blob{0x52, 0x53, 0x20, 0x0A}));
    {
        LogCapture log;
        EXPECT_TRUE(ChapterInfo::getVerseData(db_.get(), 1, 9).empty());
        EXPECT_TRUE(log.contains("DATA FOR VERSE NOT FOUND: 9"));
    }
    std::vector<std::optional<Blob>> all = ChapterInfo::getAllVerseData(db_.get(), 1);
    ASSERT_EQ(all.size(), 3u);  // placeholder, verses 1 and 2; the NULL blob of verse 3 is left out
    EXPECT_FALSE(all[0].has_value());
    EXPECT_EQ(*all[2], (Blob{0x60, 0x61}));
    // Read by verse number, the chapter's bytes match the per-verse reads; verse 3's NULL is absent.
    std::map<int, Blob> byVerse = ChapterInfo::getChapterVerseData(db_.get(), 1);
    EXPECT_EQ(byVerse, (std::map<int, Blob>{{1, {0x52, 0x53, 0x20, 0x0A}}, {2, {0x60, 0x61}}}));
    EXPECT_EQ(ChapterInfo::getArabicVerseFor(db_.get(), 2, 1), "الم");
    EXPECT_EQ(ChapterInfo::getArabicVerseFor(db_.get(), 2, 2), "");
}

TEST_F(ContentQueries, DivisionMarksAndAudioTables) {
    EXPECT_EQ(ChapterInfo::hezbFromSurah(db_.get(), 2, 26), 2);
    EXPECT_EQ(ChapterInfo::hezbFromSurah(db_.get(), 2, 27), 0);
    EXPECT_EQ(ChapterInfo::getContMP3Part(db_.get(), 2, 5, 0), 3);
    EXPECT_EQ(ChapterInfo::getContMP3Part(db_.get(), 2, 5, 1), 0);
    EXPECT_EQ(ChapterInfo::getContMP3BeginsTime(db_.get(), 2, 5, 0), static_cast<double>(12.3456789f));
    EXPECT_NE(ChapterInfo::getContMP3BeginsTime(db_.get(), 2, 5, 0), 12.3456789);
    EXPECT_EQ(ChapterInfo::getContMP3BeginsTime(db_.get(), 2, 6, 0), 0.0);
    EXPECT_EQ(ChapterInfo::getMP3RecitationSize(db_.get(), 2, 0), 123456);
    EXPECT_EQ(ChapterInfo::getMP3RecitationSize(db_.get(), 3, 0), 0);
}

TEST_F(ContentQueries, GlyphImagesArePlacedByTheirCodeWithGapsLeftEmpty) {
    std::map<int, Blob> style0 = ChapterInfo::getGlyphImages(db_.get(), 0);
    ASSERT_EQ(style0.size(), 2u);
    EXPECT_EQ(style0[84], Blob{0x03});
    EXPECT_EQ(style0.count(83), 0u);
    EXPECT_EQ(ChapterInfo::getGlyphImage(db_.get(), 1, 82), Blob{0x11});
    EXPECT_TRUE(ChapterInfo::getGlyphImage(db_.get(), 1, 83).empty());
}

TEST_F(ContentQueries, MissingTablesLogTheOperationTagAndGiveEmptyResults) {
    SQLiteConnection empty = fixture::open(fixture::freshFolder("empty-content") + "/empty.db");
    LogCapture log;
    EXPECT_TRUE(ChapterInfo::getVerseData(empty.get(), 1, 1).empty());
    EXPECT_EQ(ChapterInfo::hezbFromSurah(empty.get(), 1, 1), 0);
    EXPECT_TRUE(
        log.contains("[getVerseData] Error: failed to prepare statement with message 'no such table: surahdata'."));
    EXPECT_TRUE(log.contains("[hezbFromSurah] Error: failed to prepare statement"));
    DataStoreConnection::finalizeConnection(empty.get());
}

TEST_F(ContentQueries, EachCallRunsOnTheConnectionItIsGivenAndConnectionsCloseAfterFinalizing) {
    std::string otherPath = fixture::freshFolder("other-content") + "/lumeno.db";
    fixture::createContentDatabase(otherPath);
    SQLiteConnection other = fixture::open(otherPath);
    fixture::exec(other.get(), "UPDATE hezbmeta SET hezb = 77 WHERE surah = 2 AND verse = 26");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(ChapterInfo::hezbFromSurah(db_.get(), 2, 26), 2);
        EXPECT_EQ(ChapterInfo::hezbFromSurah(other.get(), 2, 26), 77);
    }
    ChapterInfo::finalizeStatements();
    EXPECT_EQ(sqlite3_close(other.release()), SQLITE_OK);
    EXPECT_EQ(sqlite3_close(db_.release()), SQLITE_OK);
    DataStoreConnection::finalizeConnection(nullptr);
}

}  // namespace
