// Full-text search of a translation, saved searches and the verses they mark.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/SearchQuery.h"

#include "platform/foundation/CJKSegmentation.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"

#include <algorithm>
#include <set>

namespace {

constexpr int kResultLimit = 200;

void logSearchFailure(sqlite3* db, const std::string& sql) {
    NSLog("[getSearchResults] Error: failed to prepare statement with message '%s', SQL: %@", sqlite3_errmsg(db), sql);
}

// Appends the rows (surah, verse) not seen yet; IsLastInSection follows this query's own order.
// False when stepping failed: the rows of this query are then dropped.
bool collectHits(sqlite3* db, sqlite3_stmt* stmt, int translation, std::set<std::pair<int, int>>& seen,
                 SearchResult::List& results) {
    SearchResult::List hits;
    std::shared_ptr<SearchResult> previous;
    bool ok = stepAll(db, stmt, "getSearchResults", [&](sqlite3_stmt* s) {
        int surah = sqlite3_column_int(s, 0);
        int verse = sqlite3_column_int(s, 1);
        if (seen.count({surah, verse})) return true;
        auto hit = std::make_shared<SearchResult>();
        hit->setSurah(surah);
        hit->setVerse(verse);
        hit->setTranslator(translation);
        if (previous && previous->surah() != surah) previous->setIsLastInSection(true);
        previous = hit;
        hits.push_back(hit);
        return true;
    });
    if (!ok) return false;
    if (previous) previous->setIsLastInSection(true);
    for (const auto& hit : hits) {
        seen.insert({hit->surah(), hit->verse()});
        results.push_back(hit);
    }
    return true;
}

}  // namespace

SearchResult::List ChapterInfo::getSearchResults(sqlite3* db, int translation, const std::optional<std::string>& text,
                                                 int* limitReached) {
    SearchResult::List results;
    if (!db || translation < 0 || !text || str::trim(*text).empty()) return results;
    auto guard = DataStoreConnection::lock(db);
    std::set<std::pair<int, int>> seen;

    // Chinese and Japanese are indexed a character at a time; the query is cut the same way.
    const bool segmented = cjk::segmentsSearchText(translation);
    if (!SearchQuery::isOperatorSearch(*text)) {
        std::vector<std::string> patterns = SearchQuery::likePatterns(*text);
        if (segmented)
            for (std::string& p : patterns) p = cjk::spaceOut(p);
        std::string condition = " LIKE '$+qwertyuiop+$' ";
        for (size_t i = 0; i < patterns.size(); ++i) condition += " OR lower(translation) LIKE ? ESCAPE '\\' ";
        std::string table =
            translation == 10 ? std::string("transliterationdata") : stringWithFormat("trans%ifts", translation);
        std::string sql = stringWithFormat(
            "SELECT surah, verse FROM %@ WHERE translation %@ ORDER BY CAST(surah AS INTEGER), CAST(verse AS INTEGER) "
            "LIMIT 200",
            table, condition);
        SQLiteStatement like = DataStoreConnection::prepare(db, sql);
        if (!like) {
            logSearchFailure(db, sql);
            return results;
        }
        for (size_t i = 0; i < patterns.size(); ++i) sqlbind::one(like.get(), static_cast<int>(i + 1), patterns[i]);
        collectHits(db, like.get(), translation, seen, results);
    }

    std::optional<std::string> expression = SearchQuery::matchExpression(*text);
    if (expression && segmented) expression = cjk::spaceOut(*expression);
    if (expression) {
        std::string sql = stringWithFormat(
            "SELECT surah, verse FROM trans%ifts WHERE translation MATCH ? ORDER BY CAST(surah AS INTEGER), "
            "CAST(verse AS INTEGER) LIMIT 200",
            translation);
        SQLiteStatement match = DataStoreConnection::prepare(db, sql);
        if (!match) {
            logSearchFailure(db, sql);
            return results;
        }
        bindAll(match.get(), *expression);
        collectHits(db, match.get(), translation, seen, results);
    } else {
        NSLog("[getSearchResults] The search text forms no query: '%@'", *text);
    }

    if (limitReached && static_cast<int>(results.size()) >= kResultLimit) *limitReached = 1;
    std::stable_sort(results.begin(), results.end(),
                     [](const auto& a, const auto& b) { return compareSearchResults(*a, *b) < 0; });
    return results;
}

int ChapterInfo::addSavedSearch(sqlite3* db, SavedSearch& search) {
    if (!db) return -1;
    auto guard = DataStoreConnection::lock(db);
    search.setDateSearched(NSDate::date());
    bool ok = writeCached(db,
                          "REPLACE INTO savedsearches (searchword, hitcount, translation, isuse, datesearched) VALUES "
                          "(?, ?, ?, ?, ?)",
                          "addSavedSearch", search.strSearchText(), search.iHitCount(), search.iTranslation(),
                          search.isReflectedInSurah() ? 1 : 0, search.DateSearched()->timeIntervalSince1970());
    return ok ? static_cast<int>(sqlite3_last_insert_rowid(db)) : -1;
}

bool ChapterInfo::updateSavedSearch(sqlite3* db, SavedSearch& search) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db, "UPDATE savedsearches SET isuse = ?, datesearched = ? WHERE savesearch_id = ?");
    if (!stmt) return false;
    search.setDateSearched(NSDate::date());
    bindAll(stmt.get(), search.isReflectedInSurah() ? 1 : 0, search.DateSearched()->timeIntervalSince1970(),
            search.iSavedID());
    return stepAll(db, stmt.get(), "updateSavedSearch", [](sqlite3_stmt*) { return false; });
}

// The saved search and its verse marks go together, so no mark outlives its search.
bool ChapterInfo::deleteSavedSearch(sqlite3* db, const SavedSearch& search) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    if (sqlite3_exec(db, "SAVEPOINT deletesavedsearch", nullptr, nullptr, nullptr) != SQLITE_OK) {
        DataStoreConnection::logStepFailure(db, "deleteSavedSearch", sqlite3_errcode(db));
        return false;
    }
    bool ok =
        removeReflecttionOnSearchedVerses(db, search.iSavedID()) &&
        writeCached(db, "DELETE FROM savedsearches WHERE savesearch_id = ?", "deleteSavedSearch", search.iSavedID());
    if (!ok) sqlite3_exec(db, "ROLLBACK TO deletesavedsearch", nullptr, nullptr, nullptr);
    return sqlite3_exec(db, "RELEASE deletesavedsearch", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

namespace {

std::shared_ptr<SavedSearch> savedSearchFromRow(sqlite3_stmt* s, const char* unreadableText) {
    auto search = std::make_shared<SavedSearch>();
    search->setISavedID(sqlite3_column_int(s, 0));
    search->setStrSearchText(columnOptionalString(s, 1).value_or(unreadableText));
    search->setIHitCount(sqlite3_column_int(s, 2));
    search->setITranslation(sqlite3_column_int(s, 3));
    search->setIsReflectedInSurah((sqlite3_column_int(s, 4) & 0xFF) != 0);
    search->setDateSearched(NSDate::dateWithTimeIntervalSince1970(sqlite3_column_double(s, 5)));
    return search;
}

}  // namespace

SavedSearch::List ChapterInfo::getSavedSearch(sqlite3* db) {
    SavedSearch::List list;
    queryCached(
        db,
        "SELECT savesearch_id, searchword, hitcount, translation, isuse, datesearched FROM savedsearches ORDER BY "
        "datesearched DESC",
        "getSavedSearch", [&](sqlite3_stmt* s) {
            list.push_back(savedSearchFromRow(s, "Good"));
            return true;
        });
    return list;
}

std::shared_ptr<SavedSearch> ChapterInfo::getFirstSavedSearch(sqlite3* db, int surah, int verse) {
    auto first = std::make_shared<SavedSearch>();
    queryCached(
        db,
        "SELECT a.savesearch_id, a.searchword, a.hitcount, a.translation, a.isuse, a.datesearched FROM "
        "savedsearches as a, searchmatches as b WHERE a.savesearch_id = b.savesearch_id AND b.surah = ? AND "
        "b.verse = ? ORDER BY b.savesearch_id DESC",
        "getFirstSavedSearch",
        [&](sqlite3_stmt* s) {
            first = savedSearchFromRow(s, "-");
            return false;
        },
        surah, verse);
    return first;
}

bool ChapterInfo::isReflectedSearch(sqlite3* db, int surah, int verse) {
    return queryExists(db, "SELECT surah FROM searchmatches WHERE surah = ? AND verse = ?", "isReflectedSearch", surah,
                       verse);
}

namespace {

// A statement prepared for the call; a failed step logs the tag's line.
template <class... Args>
bool writeOnce(sqlite3* db, const char* sql, const char* tag, const Args&... args) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(db, sql, tag);
    if (!stmt) return false;
    bindAll(stmt.get(), args...);
    int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_DONE) return true;
    DataStoreConnection::logPrepareFailure(db, tag);
    return false;
}

}  // namespace

bool ChapterInfo::reflectSearchedVerses(sqlite3* db, int surah, int verse, int savedID) {
    return writeOnce(db, "INSERT INTO searchmatches (surah, verse, savesearch_id) VALUES (?, ?, ?)",
                     "reflectSearchedVerses", surah, verse, savedID);
}

bool ChapterInfo::removeReflecttionOnSearchedVerses(sqlite3* db, int savedID) {
    return writeOnce(db, "DELETE FROM searchmatches WHERE savesearch_id = ?", "removeReflectionOnSearched", savedID);
}
