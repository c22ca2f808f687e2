// The data store on the content database and template the build makes.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSString+More.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"

#include <set>

namespace {

class RealDatabases : public StoreTest {
protected:
    RealDatabases() : StoreTest(true) {}

    std::set<std::pair<int, int>> search(int translation, const std::string& text, int* limit = nullptr) {
        std::set<std::pair<int, int>> verses;
        for (const auto& r : ChapterInfo::getSearchResults(content(), translation, text, limit))
            EXPECT_TRUE(verses.insert({r->surah(), r->verse()}).second) << "listed twice: " << text;
        return verses;
    }
    // The words of a verse's text, lower-cased.
    std::set<std::string> words(int translation, std::pair<int, int> verse) {
        std::string text =
            str::lowercase(ChapterInfo::getTranslationFor(content(), translation, verse.first, verse.second));
        std::set<std::string> out;
        std::string word;
        for (char c : text + " ") {
            if (std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80)) {
                word += c;
            } else if (!word.empty()) {
                out.insert(word);
                word.clear();
            }
        }
        return out;
    }
};

TEST_F(RealDatabases, FirstLaunchFromTheTemplateReachesVersion3_24) {
    EXPECT_EQ(ChapterInfo::dbVersion(user()), 3.24);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM dbversion"), 2);
    EXPECT_EQ(fixture::scalar(user(),
                              "SELECT count(*) FROM sqlite_master WHERE name IN ('contrecitations', "
                              "'contrecitationmp3s', 'searchmatches_surahverse', 'optimizedtrans_all')"),
              4);
}

TEST_F(RealDatabases, ContentQueriesReadEveryKindOfTable) {
    EXPECT_EQ(ChapterInfo::getTranslationFor(content(), 3, 1, 1),
              "In the name of Allah, the Entirely Merciful, the Especially Merciful");
    EXPECT_EQ(ChapterInfo::getTranslationFor(content(), 10, 1, 1), "Bismi Allahi alrrahmani alrraheemi");
    EXPECT_NE(ChapterInfo::getTranslationFor(content(), 0, 1, 1).find("الرحمن"), std::string::npos);
    EXPECT_EQ(ChapterInfo::getTranslationFor(content(), 1, 1, 1), "");  // a catalogue id without a text
    EXPECT_EQ(ChapterInfo::getTranslationFor(content(), 3, 1, 8), "");
    EXPECT_EQ(ChapterInfo::getTranslationDataFor(content(), 3, 2).size(), 286u);
    EXPECT_EQ(ChapterInfo::getTranslationDataFor(content(), 10, 114).size(), 6u);
    EXPECT_FALSE(ChapterInfo::getArabicVerseFor(content(), 114, 6).empty());

    for (int verse = 1; verse <= ChapterInfo::getVersesFromNumber(2); ++verse) {
        Blob data = ChapterInfo::getVerseData(content(), 2, verse);
        ASSERT_FALSE(data.empty()) << verse;
        for (uint8_t code : data) ASSERT_TRUE(code == 10 || code == 32 || code >= 82) << verse;
    }
    std::map<int, Blob> glyphs = ChapterInfo::getGlyphImages(content(), 0);
    ASSERT_EQ(glyphs.size(), 174u);
    EXPECT_EQ(glyphs.begin()->first, 82);
    EXPECT_EQ(glyphs.rbegin()->first, 255);
    EXPECT_EQ(glyphs[200].at(1), 'P');  // PNG

    for (int hizb = 1; hizb <= 240; ++hizb) {
        int surah = 0, verse = 0;
        ChapterInfo::setSurahVerseForHizb(&surah, &verse, hizb);
        ASSERT_EQ(ChapterInfo::hezbFromSurah(content(), surah, verse), hizb);
    }
    // the synthetic recitations' parts, timings and sizes
    EXPECT_EQ(ChapterInfo::getContMP3Part(content(), 2, 5, 0), 1);
    EXPECT_EQ(ChapterInfo::getContMP3Part(content(), 2, 286, 0), 40);
    EXPECT_EQ(ChapterInfo::getContMP3BeginsTime(content(), 2, 0, 7), 0.0);
    EXPECT_GT(ChapterInfo::getContMP3BeginsTime(content(), 2, 1, 7), 1.0);
    EXPECT_GT(ChapterInfo::getMP3RecitationSize(content(), 2, 0), 1000000);
}

TEST_F(RealDatabases, EnglishSearchInWordAndOperatorMode) {
    std::set<std::pair<int, int>> merciful = search(3, "Merciful");
    EXPECT_TRUE(merciful.count({1, 1}));
    std::set<std::pair<int, int>> prefix = search(3, "merci*");
    EXPECT_TRUE(prefix.count({1, 1}));
    for (auto verse : prefix) {
        std::set<std::string> w = words(3, verse);
        EXPECT_TRUE(std::any_of(w.begin(), w.end(), [](const std::string& x) { return x.rfind("merci", 0) == 0; }));
    }
    std::set<std::pair<int, int>> phrase = search(3, "\"most merciful\"");
    EXPECT_FALSE(phrase.empty());
    for (auto verse : phrase)
        EXPECT_NE(str::lowercase(ChapterInfo::getTranslationFor(content(), 3, verse.first, verse.second))
                      .find("most merciful"),
                  std::string::npos);

    std::set<std::pair<int, int>> mercy = search(3, "\"mercy\"");
    ASSERT_FALSE(mercy.empty());
    EXPECT_EQ(search(3, "mercy -grace"), mercy);  // this text never says grace
    EXPECT_EQ(search(3, "mercy OR grace"), mercy);
    std::set<std::pair<int, int>> spider = search(3, "\"spider\"");
    std::set<std::pair<int, int>> either = search(3, "\"clot\"");
    ASSERT_FALSE(spider.empty() || either.empty());
    either.insert(spider.begin(), spider.end());
    EXPECT_EQ(search(3, "spider or clot"), either);
    std::set<std::pair<int, int>> without = search(3, "mercy -forgiving");
    EXPECT_FALSE(without.empty());
    EXPECT_LT(without.size(), mercy.size());
    for (auto verse : without) {
        EXPECT_TRUE(words(3, verse).count("mercy"));
        EXPECT_FALSE(words(3, verse).count("forgiving"));
    }
}

TEST_F(RealDatabases, QuotesPercentAndUnderscoreAreSearchedAsText) {
    LogCapture log;
    std::set<std::pair<int, int>> possessive = search(3, "other's");
    EXPECT_TRUE(possessive.count({2, 84}));
    for (const char* text : {"%", "_", "100%", "a_b", "\""}) EXPECT_TRUE(search(3, text).empty()) << text;
    EXPECT_FALSE(log.contains("Error"));
    int limit = 0;
    EXPECT_GE(search(3, "the", &limit).size(), 200u);
    EXPECT_EQ(limit, 1);
}

TEST_F(RealDatabases, ArabicAndTransliterationSearch) {
    EXPECT_TRUE(search(0, NSString::cleanArabicAccents("الرَّحْمَٰنِ")).count({1, 1}));
    EXPECT_TRUE(search(0, "الرح*").count({1, 1}));
    std::set<std::pair<int, int>> allah = search(0, "\"الله\"");
    std::set<std::pair<int, int>> without = search(0, "الله -الرحمن");
    EXPECT_FALSE(without.empty());
    EXPECT_FALSE(without.count({1, 1}));
    EXPECT_LT(without.size(), allah.size() + 1);
    EXPECT_TRUE(search(10, "alrrahmani").count({1, 1}));
}

TEST_F(RealDatabases, ChineseWordsAreFoundInsideTheirClauses) {
    using Verses = std::set<std::pair<int, int>>;
    struct Case {
        const char* query;
        Verses mustFind;
        Verses mustNotFind;
    } cases[] = {
        // word mode
        {"安拉", {{1, 1}, {1, 2}, {2, 255}}, {}},
        {"崇拜", {{1, 5}, {2, 255}}, {}},
        {"库尔西", {{2, 255}}, {{1, 1}}},
        {"世界", {{1, 2}}, {}},
        // operator mode: phrase, exclusion, OR, prefix
        {"\"至仁至慈\"", {{1, 1}, {1, 3}}, {{2, 255}}},
        {"崇拜 -永生", {{1, 5}}, {{2, 255}}},
        {"谴怒 OR 库尔西", {{1, 7}, {2, 255}}, {{1, 5}}},
        {"\"永生\" \"瞌睡\"", {{2, 255}}, {{1, 5}}},
        {"迷误*", {{1, 7}}, {}},
    };
    for (const Case& c : cases) {
        const Verses found = search(24, c.query);
        for (const auto& v : c.mustFind) EXPECT_TRUE(found.count(v)) << c.query << " " << v.first << ":" << v.second;
        for (const auto& v : c.mustNotFind) EXPECT_FALSE(found.count(v)) << c.query << " " << v.first << ":" << v.second;
    }
    // Characters that are each in a verse but not side by side are no phrase.
    EXPECT_TRUE(search(24, "\"慈安\"").empty());
    // The verse shown is the text as written.
    EXPECT_EQ(ChapterInfo::getTranslationFor(content(), 24, 1, 1), "奉至仁至慈的安拉之名");
}

}  // namespace
