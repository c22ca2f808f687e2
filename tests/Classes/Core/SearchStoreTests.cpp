// Search text translation, the search itself on a small database, saved searches and marks.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/SearchQuery.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

namespace {

TEST(SearchQueryText, OperatorsBecomeTheEnhancedFullTextSyntax) {
    struct Case {
        const char* text;
        const char* expected;  // null: forms no query
    } cases[] = {
        {"Merciful", "\"Merciful\""},
        {"merci*", "\"merci*\""},
        {"\"most merciful\"", "\"most merciful\""},
        {"\"most merci\"*", "\"most merci*\""},
        {"mercy -grace", "(\"mercy\") NOT \"grace\""},
        {"mercy -\"most high\" -grace", "(\"mercy\") NOT \"most high\" NOT \"grace\""},
        {"mercy OR grace", "(\"mercy\" OR \"grace\")"},
        {"mercy or grace", "(\"mercy\" OR \"grace\")"},
        {"lord mercy OR grace", "\"lord\" AND (\"mercy\" OR \"grace\")"},
        {"lord AND mercy", "\"lord\" AND \"mercy\""},
        {"+mercy", "\"mercy\""},
        {"mer*cy*", "\"mercy*\""},
        {"Allah's", "\"Allah's\""},
        {"say\"hello\"", "\"say\" AND \"hello\""},
        {"translation:mercy NEAR grace", "\"translation:mercy\" AND \"NEAR\" AND \"grace\""},
        {"الرحمن -الرحيم", "(\"الرحمن\") NOT \"الرحيم\""},
        {"\"unclosed", nullptr},
        {"-grace", nullptr},
        {"% _", nullptr},
        {"OR", nullptr},
    };
    for (const Case& c : cases) {
        std::optional<std::string> expression = SearchQuery::matchExpression(c.text);
        if (c.expected)
            EXPECT_EQ(expression, std::optional<std::string>(c.expected)) << c.text;
        else
            EXPECT_FALSE(expression.has_value()) << c.text << " -> " << expression.value_or("");
    }
}

TEST(SearchQueryText, ModeAndLikePatterns) {
    for (const char* text : {"a OR b", "a and b", "\"a b\"", "a*", "a -b", "+a"})
        EXPECT_TRUE(SearchQuery::isOperatorSearch(text)) << text;
    for (const char* text : {"most merciful", "Allah's", "orange andes", "50%"})
        EXPECT_FALSE(SearchQuery::isOperatorSearch(text)) << text;
    EXPECT_EQ(SearchQuery::likePatterns("50% Off_x"),
              (std::vector<std::string>{"%50\\%%", "%off\\_x%", "%50\\% off\\_x%"}));
    EXPECT_EQ(SearchQuery::likePatterns("a  b"), (std::vector<std::string>{"%a%", "%b%", "%a  b%"}));
}

class SearchStore : public StoreTest {
protected:
    // "chapter:verse" of each hit, with "!" after the last of a section.
    static std::string hits(const SearchResult::List& results) {
        std::string out;
        for (const auto& r : results)
            out +=
                std::to_string(r->surah()) + ":" + std::to_string(r->verse()) + (r->IsLastInSection() ? "!" : "") + " ";
        return out;
    }
    SearchResult::List search(int translation, const std::string& text, int* limit = nullptr) {
        return ChapterInfo::getSearchResults(content(), translation, text, limit);
    }
};

TEST_F(SearchStore, WordModeMergesLikeAndMatchHitsOnceEach) {
    SearchResult::List results = search(3, "merciful");
    EXPECT_EQ(hits(results), "1:1 1:3! ");
    EXPECT_EQ(results[0]->translator(), 3);
    // Any word as a substring: "lam" is inside "Lam" of 2:1, "name" in 1:1.
    EXPECT_EQ(hits(search(3, "name lam")), "1:1! 2:1! ");
    // The transliteration's word mode searches its own table.
    EXPECT_EQ(hits(search(10, "lillahi")), "1:2! ");
    EXPECT_EQ(hits(search(0, "الرحمن")), "1:1! ");
}

TEST_F(SearchStore, UserTextIsDataNeverSqlOrWildcards) {
    for (const char* text : {"%", "_", "zq  xj", "'; DROP TABLE trans3fts; --", "\\", "Allah's"})
        EXPECT_TRUE(search(3, text).empty()) << text;
    EXPECT_EQ(hits(search(3, "merciful")), "1:1 1:3! ");  // the table is still there
    EXPECT_EQ(hits(search(3, "allah")), "1:1! ");
}

TEST_F(SearchStore, OperatorModeExcludesOrsPhrasesAndPrefixes) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"merci*", "1:1 1:3! "},
        {"\"most merciful\"", "1:1! "},
        {"merciful -entirely", "1:1! "},
        {"merciful NOT", "1:1 1:3! "},  // word mode: the LIKE patterns find what the MATCH does not
        {"meem OR entirely", "1:3! 2:1! "},
        {"\"most merciful", ""},  // unclosed quote: no results, no error rows
        {"-merciful", ""},
        {"19", ""},  // chapter and verse numbers are not searched
    };
    for (const Case& c : cases) {
        LogCapture log;
        EXPECT_EQ(hits(search(3, c.text)), c.expected) << c.text;
    }
    LogCapture log;
    EXPECT_TRUE(search(3, "\"most merciful").empty());
    EXPECT_TRUE(log.contains("[getSearchResults] The search text forms no query"));
}

TEST_F(SearchStore, EmptyTextNegativeTranslationAndMissingTables) {
    int limit = 0;
    EXPECT_TRUE(search(3, "   \n", &limit).empty());
    EXPECT_TRUE(search(-1, "merciful", &limit).empty());
    EXPECT_TRUE(ChapterInfo::getSearchResults(content(), 3, std::nullopt, &limit).empty());
    LogCapture log;
    EXPECT_TRUE(search(7, "merciful", &limit).empty());
    EXPECT_TRUE(
        log.contains("[getSearchResults] Error: failed to prepare statement with message 'no such table: "
                     "trans7fts', SQL: SELECT surah, verse FROM trans7fts"));
    EXPECT_EQ(limit, 0);
}

TEST_F(SearchStore, TheLimitFlagIsRaisedAtTwoHundredHits) {
    for (int total : {199, 200}) {
        {
            SQLiteConnection writer = fixture::open(bundle + "/lumeno.db");
            fixture::exec(writer.get(), "DELETE FROM trans3fts");
            for (int i = 1; i <= total; ++i)
                fixture::exec(writer.get(), "INSERT INTO trans3fts VALUES ('" + std::to_string(1 + i / 50) + "', '" +
                                                std::to_string(i) + "', 'zebra " + std::to_string(i) + "')");
        }
        int limit = 5;  // raised, never cleared
        EXPECT_EQ(search(3, "zebra*", &limit).size(), static_cast<size_t>(total));
        EXPECT_EQ(limit, total >= 200 ? 1 : 5);
        limit = 0;
        search(3, "zebra", &limit);
        EXPECT_EQ(limit, total >= 200 ? 1 : 0) << total;
    }
}

class SavedSearches : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        RunLoop::main().useVirtualClock();
    }
    int save(const std::string& text, bool marked) {
        SavedSearch search;
        search.setStrSearchText(text);
        search.setIHitCount(4);
        search.setITranslation(3);
        search.setIsReflectedInSurah(marked);
        int id = ChapterInfo::addSavedSearch(user(), search);
        EXPECT_GT(id, 0);
        EXPECT_TRUE(search.DateSearched().has_value());
        RunLoop::main().advance(1000);
        return id;
    }
    std::string order() {
        std::string out;
        for (const auto& s : ChapterInfo::getSavedSearch(user())) out += s->strSearchText() + " ";
        return out;
    }
};

TEST_F(SavedSearches, HistoryIsNewestFirstAndUpdatingMovesASearchToTheTop) {
    int first = save("mercy", false);
    save("grace", true);
    save("light's", false);
    EXPECT_EQ(order(), "light's grace mercy ");
    SavedSearch::List list = ChapterInfo::getSavedSearch(user());
    EXPECT_TRUE(list[1]->isReflectedInSurah());
    EXPECT_EQ(list[1]->iHitCount(), 4);
    EXPECT_EQ(list[1]->iTranslation(), 3);

    SavedSearch update;
    update.setISavedID(first);
    update.setIsReflectedInSurah(true);
    ASSERT_TRUE(ChapterInfo::updateSavedSearch(user(), update));
    EXPECT_EQ(order(), "mercy light's grace ");
    EXPECT_TRUE(ChapterInfo::getSavedSearch(user()).front()->isReflectedInSurah());

    fixture::exec(user(), "UPDATE savedsearches SET searchword = NULL WHERE savesearch_id = " + std::to_string(first));
    EXPECT_EQ(ChapterInfo::getSavedSearch(user()).front()->strSearchText(), "Good");
}

TEST_F(SavedSearches, MarksOfASavedSearchAndTheirRemoval) {
    int older = save("mercy", true);
    int newer = save("grace", true);
    std::shared_ptr<SavedSearch> none = ChapterInfo::getFirstSavedSearch(user(), 1, 1);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->iSavedID(), 0);
    EXPECT_EQ(none->strSearchText(), "");

    ASSERT_TRUE(ChapterInfo::reflectSearchedVerses(user(), 1, 1, older));
    ASSERT_TRUE(ChapterInfo::reflectSearchedVerses(user(), 1, 1, newer));
    ASSERT_TRUE(ChapterInfo::reflectSearchedVerses(user(), 2, 5, older));
    EXPECT_TRUE(ChapterInfo::isReflectedSearch(user(), 1, 1));
    EXPECT_FALSE(ChapterInfo::isReflectedSearch(user(), 1, 2));
    EXPECT_EQ(ChapterInfo::getFirstSavedSearch(user(), 1, 1)->strSearchText(), "grace");  // highest id first

    ASSERT_TRUE(ChapterInfo::removeReflecttionOnSearchedVerses(user(), newer));
    EXPECT_EQ(ChapterInfo::getFirstSavedSearch(user(), 1, 1)->iSavedID(), older);

    SavedSearch gone;
    gone.setISavedID(older);
    ASSERT_TRUE(ChapterInfo::deleteSavedSearch(user(), gone));
    EXPECT_FALSE(ChapterInfo::isReflectedSearch(user(), 2, 5));  // no mark outlives its search
    EXPECT_EQ(ChapterInfo::getSavedSearch(user()).size(), 1u);
}

TEST_F(SavedSearches, FailedWritesReportFailure) {
    fixture::exec(user(), "DROP TABLE searchmatches; DROP TABLE savedsearches");
    LogCapture log;
    SavedSearch search;
    search.setStrSearchText("x");
    EXPECT_EQ(ChapterInfo::addSavedSearch(user(), search), -1);
    EXPECT_FALSE(ChapterInfo::reflectSearchedVerses(user(), 1, 1, 1));
    EXPECT_TRUE(log.contains("[reflectSearchedVerses] Error: failed to prepare statement with message"));
    EXPECT_FALSE(ChapterInfo::removeReflecttionOnSearchedVerses(user(), 1));
    EXPECT_FALSE(ChapterInfo::updateSavedSearch(user(), search));
    EXPECT_TRUE(ChapterInfo::getSavedSearch(user()).empty());
    EXPECT_EQ(ChapterInfo::getFirstSavedSearch(user(), 1, 1)->iSavedID(), 0);
}

}  // namespace
