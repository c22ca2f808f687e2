#include "Classes/Core/QuranReferenceTables.h"
#include "ContentDbFixture.h"
#include "tools/contentdb/ContentDatabase.h"

#include <set>

namespace {

const SqliteDb& content()
{
    static const SqliteDb db(bundlePath("lumeno.db"));
    return db;
}

TEST(ContentDatabase, WholeTextIsEncoded)
{
    auto rows = content().rows("SELECT surah, verse, data FROM surahdata ORDER BY surah, verse");
    ASSERT_EQ(rows.size(), 6236u);
    std::vector<int> perChapter(115, 0);
    size_t longestWord = 0;
    std::set<unsigned char> alphabet;
    for (const auto& row : rows) {
        int surah = std::stoi(row[0]), verse = std::stoi(row[1]);
        ++perChapter[surah];
        EXPECT_EQ(verse, perChapter[surah]) << "verses are numbered from 1 without gaps";
        ASSERT_FALSE(row[2].empty()) << surah << ":" << verse;
        size_t word = 0;
        for (unsigned char b : row[2]) {
            alphabet.insert(b);
            EXPECT_TRUE(b == 10 || b == 32 || b >= 82) << surah << ":" << verse << " byte " << int(b);
            word = b == 32 ? 0 : word + 1;
            longestWord = std::max(longestWord, word);
        }
        EXPECT_NE(static_cast<unsigned char>(row[2].front()), 32);
        EXPECT_NE(static_cast<unsigned char>(row[2].back()), 32);
    }
    for (int s = 1; s <= 114; ++s)
        EXPECT_EQ(perChapter[s], kQuranVerseCounts[s]) << s;
    EXPECT_LE(longestWord, 80u);
    // the glyph set's letters, marks and signs are all in use
    for (int code : {115, 164, 165, 178, 232, 99, 100, 101, 240, 242, 243, 241, 244, 246, 248, 250, 252, 109, 251, 121, 123, 127})
        EXPECT_TRUE(alphabet.count(code)) << code;
}

TEST(ContentDatabase, TajweedExampleVerses)
{
    // the verses the Tajweed screen draws: the rules must find their letters in them
    const struct {
        int surah, verse;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {112, 4, {228, 244, 220, 244, 222, 252, 32, 232, 244, 218, 246, 224, 32, 220, 250, 244, 226, 246, 106, 32, 218, 246,
                  214, 246, 228, 99, 175, 32, 167, 244, 187, 244, 190, 101, 241}},
        {69, 4, {218, 244, 191, 250, 244, 178, 244, 181, 252, 32, 183, 244, 222, 246, 228, 190, 246, 32, 228, 244, 205,
                 244, 175, 190, 101, 241, 32, 178, 248, 115, 220, 252, 216, 244, 175, 192, 248, 205, 244, 179, 248}},
        {112, 3, {220, 244, 222, 252, 32, 232, 244, 220, 248, 190, 252, 32, 228, 244, 220, 244, 222, 252, 32, 232, 246, 228,
                  220, 244, 190, 252}},
    };
    for (const auto& c : cases) {
        std::string data = content().value("SELECT data FROM surahdata WHERE surah = ? AND verse = ?",
                                           {std::to_string(c.surah), std::to_string(c.verse)});
        EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.end()), c.bytes) << c.surah << ":" << c.verse;
    }
}

TEST(ContentDatabase, HezbMetaMatchesTheQuarterTable)
{
    ASSERT_EQ(content().value("SELECT count(*) FROM hezbmeta"), "6236");
    for (int q = 1; q <= 240; ++q) {
        const auto& start = kQuranHizbQuarterStarts[q];
        EXPECT_EQ(content().value("SELECT hezb FROM hezbmeta WHERE surah = ? AND verse = ?",
                                  {std::to_string(start.surah), std::to_string(start.verse)}),
                  std::to_string(q));
    }
    // the verse before a quarter start still belongs to the quarter before
    EXPECT_EQ(content().value("SELECT hezb FROM hezbmeta WHERE surah = 2 AND verse = 25"), "1");
    EXPECT_EQ(content().value("SELECT hezb FROM hezbmeta WHERE surah = 114 AND verse = 6"), "240");
}

TEST(ContentDatabase, TranslationTables)
{
    std::set<int> filled;
    for (const auto& source : translationSources())
        filled.insert(source.id);
    EXPECT_EQ(filled, (std::set<int>{3, 5, 8, 9, 10, 11, 13, 15, 22, 24, 30}));
    for (int id = 1; id <= 38; ++id) {
        std::string n = std::to_string(id);
        std::string expected = filled.count(id) ? "6236" : "0";
        EXPECT_EQ(content().value("SELECT count(*) FROM trans" + n), expected) << id;
        EXPECT_EQ(content().value("SELECT count(*) FROM trans" + n + "fts"), expected) << id;
    }
    for (const char* table : {"simplearabic", "trans0fts", "transliterationdata"})
        EXPECT_EQ(content().value(std::string("SELECT count(*) FROM ") + table), "6236") << table;
    // reciter codes 0-8: every verse and the 112 invocations; every chapter
    for (const char* table : {"audioparts", "audiotimings"})
        EXPECT_EQ(content().value(std::string("SELECT count(*) FROM ") + table), std::to_string(9 * (6236 + 112)))
            << table;
    EXPECT_EQ(content().value("SELECT count(*) FROM recitationmp3sizes"), std::to_string(9 * 114));

    // the reader's queries, as it runs them
    EXPECT_EQ(content().value("SELECT translation FROM trans3 WHERE surah = ? AND verse = ?", {"1", "1"}),
              "In the name of Allah, the Entirely Merciful, the Especially Merciful");
    EXPECT_EQ(content().rows("SELECT translation FROM trans3 WHERE surah = ? ORDER BY verse", {"114"}).size(), 6u);
    EXPECT_FALSE(content().value("SELECT translation FROM trans0fts WHERE CAST(surah AS INTEGER) = ? AND "
                                 "CAST(verse AS INTEGER) = ?", {"2", "255"}).empty());
    EXPECT_FALSE(content().value("SELECT translation FROM transliterationdata WHERE CAST(surah AS INTEGER) = ? AND "
                                 "CAST(verse AS INTEGER) = ?", {"1", "1"}).empty());
    EXPECT_EQ(content().value("SELECT translation FROM simplearabic WHERE surah = 1 AND verse = 1"),
              "\u0628\u0650\u0633\u0652\u0645\u0650 \u0627\u0644\u0644\u0651\u064E\u0647\u0650 "
              "\u0627\u0644\u0631\u0651\u064E\u062D\u0652\u0645\u064E\u0670\u0646\u0650 "
              "\u0627\u0644\u0631\u0651\u064E\u062D\u0650\u064A\u0645\u0650");
}

TEST(ContentDatabase, FullTextSearch)
{
    auto match = [](const std::string& table, const std::string& query) {
        return content().rows("SELECT surah, verse FROM " + table + " WHERE " + table +
                                   " MATCH ? ORDER BY CAST(surah AS INTEGER), CAST(verse AS INTEGER) LIMIT 200",
                               {query});
    };
    auto hasVerse = [](const std::vector<std::vector<std::string>>& rows, const char* s, const char* v) {
        for (const auto& r : rows)
            if (r[0] == s && r[1] == v)
                return true;
        return false;
    };
    EXPECT_TRUE(hasVerse(match("trans0fts", "\u0627\u0644\u0631\u062D\u0645\u0646"), "1", "1"));
    EXPECT_TRUE(hasVerse(match("trans0fts", "\u0627\u0644\u0631\u062D\u0645\u0627\u0646"), "1", "1"))
        << "the spelling with a full alef";
    EXPECT_TRUE(hasVerse(match("trans3fts", "Merciful"), "1", "1"));
    EXPECT_TRUE(hasVerse(match("trans3fts", "merci*"), "1", "1")) << "prefix query, folded case";
    EXPECT_TRUE(hasVerse(match("trans3fts", "\"Entirely Merciful\""), "1", "1"));
    EXPECT_TRUE(match("trans3fts", "255").empty()) << "verse numbers are not indexed";
    EXPECT_TRUE(match("trans0fts", "7").empty());
    EXPECT_EQ(match("trans13fts", "\u0410\u041B\u041B\u0410\u0425").size(),
              match("trans13fts", "\u0430\u043B\u043B\u0430\u0445").size())
        << "Cyrillic case folds";
    EXPECT_FALSE(match("trans13fts", "\u0430\u043B\u043B\u0430\u0445").empty());
    EXPECT_TRUE(match("trans1fts", "Merciful").empty()) << "an empty id answers without error";
    // the word search's LIKE form on the Arabic search text
    EXPECT_FALSE(content().rows("SELECT surah, verse FROM trans0fts WHERE lower(translation) LIKE ?",
                                {"%\u0628\u0633\u0645 \u0627\u0644\u0644\u0647%"}).empty());
}

} // namespace
