#pragma once
// Another program's hold on a database file: a connection of its own, with no busy handler,
// inside a write transaction until release(). BEGIN EXCLUSIVE also keeps readers out of a
// database in rollback-journal mode; in WAL mode both kinds keep out writers only.

#include <sqlite3.h>

#include <string>

class HeldDatabase {
public:
    enum class Kind { immediate, exclusive };
    explicit HeldDatabase(const std::string& path, Kind kind = Kind::immediate) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return;
        const char* begin = kind == Kind::exclusive ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
        held_ = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~HeldDatabase() { release(); }
    HeldDatabase(const HeldDatabase&) = delete;
    HeldDatabase& operator=(const HeldDatabase&) = delete;

    bool holding() const { return held_; }
    // Ends the transaction (the other program changed nothing) and closes.
    void release() {
        if (held_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        held_ = false;
        if (db_) sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
    bool held_ = false;
};
