// Read access to the databases the build put into the bundle folder.
#pragma once

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class SqliteDb {
public:
    explicit SqliteDb(const std::string& path, int flags = SQLITE_OPEN_READONLY)
    {
        sqlite3* raw = nullptr;
        if (sqlite3_open_v2(path.c_str(), &raw, flags, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path;
        db_.reset(raw);
    }
    sqlite3* get() const { return db_.get(); }

    // Rows of a query, every column as text (blobs as their bytes); params bound as text.
    std::vector<std::vector<std::string>> rows(const std::string& sql, const std::vector<std::string>& params = {}) const
    {
        std::vector<std::vector<std::string>> out;
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(db_.get()) << ": " << sql;
            return out;
        }
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
        for (size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(raw, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(raw) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(raw); ++c) {
                const void* data = sqlite3_column_blob(raw, c);
                row.emplace_back(static_cast<const char*>(data), data ? sqlite3_column_bytes(raw, c) : 0);
            }
            out.push_back(std::move(row));
        }
        return out;
    }

    std::string value(const std::string& sql, const std::vector<std::string>& params = {}) const
    {
        auto r = rows(sql, params);
        return r.empty() || r[0].empty() ? std::string() : r[0][0];
    }

private:
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

inline std::string bundlePath(const std::string& file)
{
    return std::string(LUMENO_TEST_BUNDLE_DIR) + "/" + file;
}
