// The search box's query syntax, turned into the full-text expression and LIKE patterns, which
// run against a small full-text table so SQLite's own reading of them is covered too; and the
// character-at-a-time cut of both for the Chinese and Japanese indexes, which only adds spaces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/SearchQuery.h"
#include "platform/foundation/CJKSegmentation.h"

namespace {

void expectOnlySpacesAdded(const std::string& text) {
    const std::string cut = cjk::spaceOut(text);
    size_t i = 0;
    for (char c : cut) {
        if (i < text.size() && text[i] == c) ++i;
        else if (c != ' ') std::abort();
    }
    if (i != text.size()) std::abort();
}

sqlite3* table() {
    static sqlite3* db = [] {
        sqlite3* raw = nullptr;
        sqlite3_open(":memory:", &raw);
        sqlite3_exec(raw,
                     "CREATE VIRTUAL TABLE t USING fts4(translation);"
                     "INSERT INTO t VALUES ('in the name of god the most merciful');"
                     "INSERT INTO t VALUES ('mercy and guidance');",
                     nullptr, nullptr, nullptr);
        return raw;
    }();
    return db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)SearchQuery::isOperatorSearch(text);
    if (auto expression = SearchQuery::matchExpression(text)) {
        expectOnlySpacesAdded(*expression);
        SQLiteStatement match = DataStoreConnection::prepare(table(), "SELECT rowid FROM t WHERE translation MATCH ?");
        bindAll(match.get(), *expression);
        while (sqlite3_step(match.get()) == SQLITE_ROW) {
        }
    }
    for (const std::string& pattern : SearchQuery::likePatterns(text)) {
        expectOnlySpacesAdded(pattern);
        if (pattern == "%%" && !text.empty()) std::abort();  // an empty piece would match every verse
        SQLiteStatement like =
            DataStoreConnection::prepare(table(), "SELECT rowid FROM t WHERE lower(translation) LIKE ? ESCAPE '\\'");
        bindAll(like.get(), pattern);
        while (sqlite3_step(like.get()) == SQLITE_ROW) {
        }
    }
    return 0;
}
