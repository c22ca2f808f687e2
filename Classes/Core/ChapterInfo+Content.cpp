// Content-database reads: translations, plain Arabic, verse glyph data, division marks,
// audio part, timing and size tables, glyph images.

#include "Classes/Core/ChapterInfo.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"

std::map<int, Blob> ChapterInfo::getChapterVerseData(sqlite3* db, int surah) {
    std::map<int, Blob> all;
    queryCached(
        db, "SELECT verse, data FROM surahdata WHERE surah = ?", "getChapterVerseData",
        [&](sqlite3_stmt* s) {
            if (sqlite3_column_type(s, 1) != SQLITE_NULL) all[sqlite3_column_int(s, 0)] = columnBlob(s, 1);
            return true;
        },
        surah);
    return all;
}

namespace {

// Single-verse statements by translation id; 0 and 10 read their full-text tables.
std::string translationStatement(int trans) {
    if (trans == 0)
        return "SELECT translation FROM trans0fts WHERE CAST(surah AS INTEGER) = ? AND CAST(verse AS INTEGER) = ?";
    if (trans == 10)
        return "SELECT translation FROM transliterationdata WHERE CAST(surah AS INTEGER) = ? AND CAST(verse AS "
               "INTEGER) = ?";
    return stringWithFormat("SELECT translation FROM trans%i WHERE surah = ? AND verse = ?", trans);
}

}  // namespace

std::string ChapterInfo::getTranslationFor(sqlite3* db, int trans, int surah, int verse) {
    if (!db || trans < 0 || trans > 38) return std::string();
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(db, translationStatement(trans));
    if (!stmt) return std::string();
    bindAll(stmt.get(), surah, verse);
    std::string text;
    stepAll(db, stmt.get(), "getTranslationFor", [&](sqlite3_stmt* s) {
        text = columnString(s, 0);
        return false;
    });
    return text;
}

bool ChapterInfo::hasTranslationText(sqlite3* db, int trans) {
    if (trans == 0 || trans == 1000) return true;
    if (!db || trans < 0 || trans > 38) return false;
    const std::string table = trans == 10 ? std::string("transliterationdata") : stringWithFormat("trans%i", trans);
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(db, "SELECT 1 FROM " + table + " WHERE translation <> '' LIMIT 1");
    return stmt && sqlite3_step(stmt.get()) == SQLITE_ROW;
}

std::vector<std::string> ChapterInfo::getTranslationDataFor(sqlite3* db, int trans, int surah) {
    std::vector<std::string> verses;
    if (!db) return verses;
    auto guard = DataStoreConnection::lock(db);
    SQLiteStatement stmt = DataStoreConnection::prepare(
        db, stringWithFormat("SELECT translation FROM trans%i WHERE surah = ? ORDER BY verse", trans));
    if (!stmt) return verses;
    bindAll(stmt.get(), surah);
    stepAll(db, stmt.get(), "getTranslationDataFor", [&](sqlite3_stmt* s) {
        std::optional<std::string> text = columnOptionalString(s, 0);
        if (!text) NSLog("VERSE IS NIL AT INDEX: %i", static_cast<int>(verses.size()));
        verses.push_back(text.value_or(std::string()));
        return true;
    });
    return verses;
}

std::string ChapterInfo::getArabicVerseFor(sqlite3* db, int surah, int verse) {
    std::string text;
    queryCached(
        db, "SELECT translation FROM simplearabic WHERE surah = ? AND verse = ?", "",
        [&](sqlite3_stmt* s) {
            text = columnString(s, 0);
            return false;
        },
        surah, verse);
    return text;
}

Blob ChapterInfo::getVerseData(sqlite3* db, int surah, int verse) {
    Blob data;
    bool found = false;
    bool ran = queryCached(
        db, "SELECT data FROM surahdata WHERE surah = ? AND verse = ?", "getVerseData",
        [&](sqlite3_stmt* s) {
            data = columnBlob(s, 0);
            found = true;
            return false;
        },
        surah, verse);
    if (ran && !found) NSLog("DATA FOR VERSE NOT FOUND: %i", verse);
    return data;
}

std::vector<std::optional<Blob>> ChapterInfo::getAllVerseData(sqlite3* db, int surah) {
    std::vector<std::optional<Blob>> all;
    all.emplace_back(std::nullopt);
    queryCached(
        db, "SELECT data FROM surahdata WHERE surah = ? ORDER BY verse ASC", "",
        [&](sqlite3_stmt* s) {
            if (sqlite3_column_type(s, 0) != SQLITE_NULL) all.emplace_back(columnBlob(s, 0));
            return true;
        },
        surah);
    return all;
}

namespace {

template <class... Args>
int readInt(sqlite3* db, const char* sql, const char* tag, const Args&... args) {
    int value = 0;
    queryCached(
        db, sql, tag,
        [&](sqlite3_stmt* s) {
            value = sqlite3_column_int(s, 0);
            return false;
        },
        args...);
    return value;
}

}  // namespace

int ChapterInfo::hezbFromSurah(sqlite3* db, int surah, int verse) {
    return readInt(db, "SELECT hezb FROM hezbmeta WHERE surah = ? AND verse = ?", "hezbFromSurah", surah, verse);
}

int ChapterInfo::getContMP3Part(sqlite3* db, int surah, int verse, int reciter) {
    return readInt(db, "SELECT part FROM audioparts WHERE reciter = ? AND surah = ? AND verse = ?", "", reciter, surah,
                   verse);
}

double ChapterInfo::getContMP3BeginsTime(sqlite3* db, int surah, int verse, int reciter) {
    double seconds = 0;
    queryCached(
        db, "SELECT beginsat FROM audiotimings WHERE reciter = ? AND surah = ? AND verse = ?", "",
        [&](sqlite3_stmt* s) {
            // Single precision, as the player keeps it.
            seconds = static_cast<double>(static_cast<float>(sqlite3_column_double(s, 0)));
            return false;
        },
        reciter, surah, verse);
    return seconds;
}

int ChapterInfo::getMP3RecitationSize(sqlite3* db, int surah, int reciter) {
    return readInt(db, "SELECT size FROM recitationmp3sizes WHERE reciter = ? AND surah = ?", "", reciter, surah);
}

std::map<int, Blob> ChapterInfo::getGlyphImages(sqlite3* db, int style) {
    std::map<int, Blob> images;
    queryCached(
        db, "SELECT glyph, data FROM glyphs WHERE style = ? ORDER BY glyph ASC", "getGlyphImages",
        [&](sqlite3_stmt* s) {
            images[sqlite3_column_int(s, 0)] = columnBlob(s, 1);
            return true;
        },
        style);
    return images;
}

Blob ChapterInfo::getGlyphImage(sqlite3* db, int style, int glyph) {
    Blob image;
    queryCached(
        db, "SELECT data FROM glyphs WHERE style = ? AND glyph = ?", "getGlyphImages",
        [&](sqlite3_stmt* s) {
            image = columnBlob(s, 0);
            return false;
        },
        style, glyph);
    return image;
}

void ChapterInfo::finalizeStatements() { DataStoreConnection::finalizeAll(); }
