#pragma once
// Shared by the glyph benchmarks: the verses of the content database and a pango reference.

#include <pango/pangocairo.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/foundation/Paths.h"

struct BenchVerse {
    int surah = 0, verse = 0;
    std::vector<uint8_t> codes;   // glyph codes
    std::string text;             // the same verse as Unicode text
};

// Every verse with its codes and its plain Arabic text; empty when the database is missing.
inline std::vector<BenchVerse> loadVerses(sqlite3** dbOut, const char* where = "") {
    std::vector<BenchVerse> verses;
    sqlite3* db = nullptr;
    const std::string path = Paths::bundle() + "/lumeno.db";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        sqlite3_close(db);
        return verses;
    }
    const std::string sql = std::string("SELECT d.surah, d.verse, d.data, a.translation FROM surahdata d "
                                        "JOIN simplearabic a ON a.surah = d.surah AND a.verse = d.verse ") +
                            where + " ORDER BY d.surah, d.verse";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            BenchVerse v;
            v.surah = sqlite3_column_int(stmt, 0);
            v.verse = sqlite3_column_int(stmt, 1);
            const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, 2));
            v.codes.assign(p, p + sqlite3_column_bytes(stmt, 2));
            v.text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
            verses.push_back(std::move(v));
        }
    }
    sqlite3_finalize(stmt);
    *dbOut = db;
    return verses;
}

inline double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Amiri Quran at a pixel size, the reference the engine's glyph set is made from.
inline PangoFontDescription* amiriQuran(double pixelSize) {
    PangoFontDescription* desc = pango_font_description_from_string("Amiri Quran");
    pango_font_description_set_absolute_size(desc, pixelSize * PANGO_SCALE);
    return desc;
}
