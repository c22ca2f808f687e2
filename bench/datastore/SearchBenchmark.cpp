// The data store's search against the same statements run raw through SQLite on the same
// database: word mode runs its LIKE query and its MATCH query, operator mode the MATCH query.
// Figure: the worst ratio of the cases (our time / raw time).

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/SearchQuery.h"

#include "platform/foundation/Paths.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The statements the search runs for a text, executed directly.
size_t rawSearch(sqlite3* db, int translation, const std::string& text) {
    size_t rows = 0;
    auto run = [&](const std::string& sql, const std::vector<std::string>& values) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) return;
        for (size_t i = 0; i < values.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), values[i].c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            rows += sqlite3_column_int(stmt, 0) > 0 && sqlite3_column_int(stmt, 1) > 0;
        }
        sqlite3_finalize(stmt);
    };
    std::string table = "trans" + std::to_string(translation) + "fts";
    if (!SearchQuery::isOperatorSearch(text)) {
        std::vector<std::string> patterns = SearchQuery::likePatterns(text);
        std::string condition = " LIKE '$+qwertyuiop+$' ";
        for (size_t i = 0; i < patterns.size(); ++i) condition += " OR lower(translation) LIKE ? ESCAPE '\\' ";
        run("SELECT surah, verse FROM " + (translation == 10 ? std::string("transliterationdata") : table) +
                " WHERE translation " + condition +
                " ORDER BY CAST(surah AS INTEGER), CAST(verse AS INTEGER) LIMIT 200",
            patterns);
    }
    if (auto expression = SearchQuery::matchExpression(text))
        run("SELECT surah, verse FROM " + table +
                " WHERE translation MATCH ? ORDER BY CAST(surah AS INTEGER), CAST(verse AS INTEGER) LIMIT 200",
            {*expression});
    return rows;
}

struct Case {
    const char* name;
    int translation;
    const char* text;
};

}  // namespace

int main() {
    std::string path = Paths::bundleResource("lumeno.db");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "bench_search: cannot open %s\n", path.c_str());
        return 1;
    }
    const Case cases[] = {
        {"arabic_word", 0, "الرحمن"},    {"arabic_prefix", 0, "الرح*"},   {"arabic_operator", 0, "الله -الرحمن"},
        {"english_word", 3, "merciful"}, {"english_prefix", 3, "merci*"}, {"english_operator", 3, "mercy -grace"},
    };
    const int rounds = 40;
    double worst = 0;
    for (const Case& c : cases) {
        // Warm both paths, then alternate them so drift hits both alike.
        int limit = 0;
        size_t ours = ChapterInfo::getSearchResults(db, c.translation, std::string(c.text), &limit).size();
        size_t raw = rawSearch(db, c.translation, c.text);
        std::vector<double> oursTimes, rawTimes;
        for (int round = 0; round < rounds; ++round) {
            auto t0 = Clock::now();
            ChapterInfo::getSearchResults(db, c.translation, std::string(c.text), &limit);
            auto t1 = Clock::now();
            rawSearch(db, c.translation, c.text);
            auto t2 = Clock::now();
            oursTimes.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            rawTimes.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
        }
        std::sort(oursTimes.begin(), oursTimes.end());
        std::sort(rawTimes.begin(), rawTimes.end());
        double oursMedian = oursTimes[rounds / 2], rawMedian = rawTimes[rounds / 2];
        double ratio = rawMedian > 0 ? oursMedian / rawMedian : 1.0;
        worst = std::max(worst, ratio);
        std::printf("%-17s hits %4zu (raw rows %4zu)  ours %8.3f ms  raw %8.3f ms  ratio %.3f\n", c.name, ours, raw,
                    oursMedian, rawMedian, ratio);
    }
    ChapterInfo::finalizeStatements();
    sqlite3_close(db);
    std::printf("figure search_overhead_vs_raw_fts %.3f ratio\n", worst);
    return 0;
}
