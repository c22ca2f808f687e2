#pragma once
// Per-connection statement cache and lock used by every ChapterInfo database operation.
//
// Each SQLite connection has its own recursive lock and its own cache of prepared statements.
// A single process-wide lock would deadlock: a thread waiting in SQLite's busy handler while
// holding it would keep the writer that holds the database lock from running its next statement.
// Lock order: the reading screen's lock, then the user-database connection's lock, then the
// content-database connection's lock (the bookmark listing reads verse texts while it holds the
// user connection). Never the reverse.

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct SQLiteStatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using SQLiteStatement = std::unique_ptr<sqlite3_stmt, SQLiteStatementDeleter>;

struct SQLiteConnectionDeleter {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using SQLiteConnection = std::unique_ptr<sqlite3, SQLiteConnectionDeleter>;

using Blob = std::vector<uint8_t>;

class DataStoreConnection {
public:
    DataStoreConnection() = delete;

    // How long a worker's statement waits for another connection's write lock before it fails.
    static constexpr int kBusyTimeoutMs = 60000;
    // The main thread waits about a frame at most, so the window keeps drawing while another
    // program holds the lock (it waits as a worker does when the holder is this program's own
    // write transaction, which ends by itself); a worker stops waiting as soon as the main
    // thread wants its connection.
    static constexpr int kMainThreadBusyTimeoutMs = 20;

    // The connection's recursive lock (held for a whole operation).
    static std::unique_lock<std::recursive_mutex> lock(sqlite3* db);

    // The cached statement for `sql` on `db`, prepared on first use. On a prepare failure logs
    // "[tag] Error: failed to prepare statement with message '...'." (when tag is not empty)
    // and returns null. The caller holds lock(db) and resets the statement after use.
    static sqlite3_stmt* cached(sqlite3* db, const char* sql, const char* tag);

    // A statement prepared for one call, finalized when the result goes away.
    static SQLiteStatement prepare(sqlite3* db, const std::string& sql);
    // The same, logging the tag's prepare failure line when it fails.
    static SQLiteStatement prepare(sqlite3* db, const std::string& sql, const char* tag);

    // Finalizes every cached statement of every connection.
    static void finalizeAll();
    // Finalizes the cached statements of one connection (before it is closed).
    static void finalizeConnection(sqlite3* db);

    // The busy handler (the waits above) for a connection just opened.
    static void configure(sqlite3* db);
    // Notes whether `db` is inside a transaction that writes: after it began one, and after the
    // statement that commits or rolls it back has returned.
    static void noteWriteTransaction(sqlite3* db);

    static void logPrepareFailure(sqlite3* db, const char* tag);
    static void logStepFailure(sqlite3* db, const char* tag, int rc);

    // The last statement that failed on this thread (prepare or step), kept so the screen
    // that asked for a write can tell the user why it failed.
    struct Failure {
        int code = SQLITE_OK;  // SQLite's extended result code
        std::string message;   // SQLite's message
        std::string file;      // the database file, when known
    };
    static void recordFailure(sqlite3* db, int code);
    // Whether a result code says that the database file is damaged.
    static bool isDamage(int code);
    // Called (on the failing thread) whenever a recorded failure says a file is damaged.
    static void setDamageHandler(std::function<void(sqlite3*)> handler);
    static std::optional<Failure> lastFailure();
    static void clearLastFailure();
    // What a failure means to the user, in a sentence: disk full, read-only, damaged store...
    static std::string describe(const Failure& failure);
    // Whether a failure is another connection's lock (it goes away by itself).
    static bool isBusy(int code);
};

// Resets (and clears the bindings of) a cached statement when the scope ends.
class StatementReset {
public:
    explicit StatementReset(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementReset() {
        if (stmt_) {
            sqlite3_reset(stmt_);
            sqlite3_clear_bindings(stmt_);
        }
    }
    StatementReset(const StatementReset&) = delete;
    StatementReset& operator=(const StatementReset&) = delete;

private:
    sqlite3_stmt* stmt_;
};

// Binding from parameter 1 upward.
namespace sqlbind {
inline void one(sqlite3_stmt* s, int i, int v) { sqlite3_bind_int(s, i, v); }
inline void one(sqlite3_stmt* s, int i, double v) { sqlite3_bind_double(s, i, v); }
inline void one(sqlite3_stmt* s, int i, const std::string& v) {
    sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
}
inline void one(sqlite3_stmt* s, int i, const char* v) { sqlite3_bind_text(s, i, v, -1, SQLITE_TRANSIENT); }
inline void one(sqlite3_stmt* s, int i, const Blob& v) {
    sqlite3_bind_blob(s, i, v.empty() ? "" : static_cast<const void*>(v.data()), static_cast<int>(v.size()),
                      SQLITE_TRANSIENT);
}
}  // namespace sqlbind

template <class... Args>
void bindAll([[maybe_unused]] sqlite3_stmt* stmt, const Args&... args) {
    int index = 1;
    (sqlbind::one(stmt, index++, args), ...);
}

// Column readers (columns from 0).
std::string columnString(sqlite3_stmt* stmt, int column);
std::optional<std::string> columnOptionalString(sqlite3_stmt* stmt, int column);
Blob columnBlob(sqlite3_stmt* stmt, int column);

// Steps a statement until it ends, handing each row to onRow (false stops early). False when
// stepping failed (logged with the tag).
template <class OnRow>
bool stepAll(sqlite3* db, sqlite3_stmt* stmt, const char* tag, OnRow&& onRow) {
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!onRow(stmt)) return true;
    }
    if (rc != SQLITE_DONE) {
        DataStoreConnection::logStepFailure(db, tag, rc);
        return false;
    }
    return true;
}

// Runs a cached statement under the connection's lock and hands each row to onRow, which
// returns false to stop early. False when the statement could not be prepared or stepping
// failed (the failure is logged with the tag).
template <class OnRow, class... Args>
bool queryCached(sqlite3* db, const char* sql, const char* tag, OnRow&& onRow, const Args&... args) {
    if (!db) return false;
    auto guard = DataStoreConnection::lock(db);
    sqlite3_stmt* stmt = DataStoreConnection::cached(db, sql, tag);
    if (!stmt) return false;
    StatementReset reset(stmt);
    bindAll(stmt, args...);
    return stepAll(db, stmt, tag, onRow);
}

// Steps a cached write statement once; logs and returns false when SQLite did not carry it out.
template <class... Args>
bool writeCached(sqlite3* db, const char* sql, const char* tag, const Args&... args) {
    return queryCached(
        db, sql, tag, [](sqlite3_stmt*) { return false; }, args...);
}

// True when the cached query yields a row.
template <class... Args>
bool queryExists(sqlite3* db, const char* sql, const char* tag, const Args&... args) {
    bool found = false;
    queryCached(
        db, sql, tag,
        [&](sqlite3_stmt*) {
            found = true;
            return false;
        },
        args...);
    return found;
}
