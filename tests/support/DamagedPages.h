#pragma once
// Damage to a closed SQLite file as a failing disk leaves it: whole pages overwritten with bytes
// that make no b-tree page, the header and the schema left intact.

#include <sqlite3.h>

#include <fstream>
#include <string>
#include <vector>

namespace damaged_pages {

// The pages of a table or index of the file, of one kind ("leaf", "internal", "overflow"), or
// of every kind when kind is empty; in page order.
inline std::vector<long long> pagesOf(const std::string& path, const std::string& name, const std::string& kind = "") {
    std::vector<long long> pages;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT pageno FROM dbstat WHERE name = ?1 AND (?2 = '' OR pagetype = ?2) ORDER BY pageno",
                               -1, &stmt, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(stmt, 1, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 2, kind.c_str(), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(stmt) == SQLITE_ROW) pages.push_back(sqlite3_column_int64(stmt, 0));
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return pages;
}

// Overwrites one page (numbered from 1) of a file of 4096-byte pages or of the size its header says.
inline void damage(const std::string& path, long long page) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[18] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    long long size = (header[16] << 8) | header[17];
    if (size == 1) size = 65536;
    if (size == 0) size = 4096;
    file.seekp((page - 1) * size);
    const std::string junk(static_cast<size_t>(size), '\xAB');
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
}

}  // namespace damaged_pages
