#include "Classes/Core/DataStoreConnection.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/Thread.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <unordered_map>

namespace {

struct ConnectionState {
    std::recursive_mutex lock;
    // Set while the main thread waits for `lock`: a worker holding it stops waiting for SQLite.
    std::atomic<int> mainThreadWaiting{0};
    // Between a begun write transaction and its commit or rollback.
    std::atomic<bool> writing{false};
    std::unordered_map<std::string, SQLiteStatement> statements;
};

// Guards the map only; never held while a connection's lock is taken or SQL runs.
std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::map<sqlite3*, std::unique_ptr<ConnectionState>>& registry() {
    static std::map<sqlite3*, std::unique_ptr<ConnectionState>> r;
    return r;
}

ConnectionState& stateFor(sqlite3* db) {
    std::lock_guard<std::mutex> guard(registryMutex());
    auto& slot = registry()[db];
    if (!slot) slot = std::make_unique<ConnectionState>();
    return *slot;
}

// Short sleeps, so a worker notices soon that the main thread wants the connection.
constexpr int kBusyDelaysMs[] = {1, 2, 5, 10, 15, 20};
constexpr int kBusyDelayCount = sizeof kBusyDelaysMs / sizeof kBusyDelaysMs[0];

int busyWaitedMs(int attempt) {
    int waited = 0;
    for (int i = 0; i < attempt && i < kBusyDelayCount; ++i) waited += kBusyDelaysMs[i];
    if (attempt > kBusyDelayCount) waited += (attempt - kBusyDelayCount) * kBusyDelaysMs[kBusyDelayCount - 1];
    return waited;
}

// Whether a connection of this process other than `db` holds a write transaction.
bool ownWriterBesides(sqlite3* db) {
    std::lock_guard<std::mutex> guard(registryMutex());
    for (const auto& [other, state] : registry())
        if (other != db && state->writing.load()) return true;
    return false;
}

// SQLite's busy handler: sleeps and asks again (non-zero) until the thread's limit is reached.
int waitForLock(void* connection, int attempt) {
    auto* db = static_cast<sqlite3*>(connection);
    const bool mainThread = NSThread::isMainThread();
    if (!mainThread && stateFor(db).mainThreadWaiting.load() > 0) return 0;
    const int limit = mainThread && !ownWriterBesides(db) ? DataStoreConnection::kMainThreadBusyTimeoutMs
                                                          : DataStoreConnection::kBusyTimeoutMs;
    const int waited = busyWaitedMs(attempt);
    int delay = kBusyDelaysMs[std::min(attempt, kBusyDelayCount - 1)];
    if (waited + delay > limit) delay = limit - waited;
    if (delay <= 0) return 0;
    sqlite3_sleep(delay);
    return 1;
}

// Rollback hook: the connection no longer writes. (A commit holds the lock until its statement
// returns, well after SQLite's commit hook, so its end is noted by the caller.)
void transactionRolledBack(void* connection) { stateFor(static_cast<sqlite3*>(connection)).writing = false; }

}  // namespace

std::unique_lock<std::recursive_mutex> DataStoreConnection::lock(sqlite3* db) {
    ConnectionState& state = stateFor(db);
    std::unique_lock<std::recursive_mutex> guard(state.lock, std::try_to_lock);
    if (guard.owns_lock()) return guard;
    if (!NSThread::isMainThread()) {
        guard.lock();
        return guard;
    }
    ++state.mainThreadWaiting;
    guard.lock();
    --state.mainThreadWaiting;
    return guard;
}

sqlite3_stmt* DataStoreConnection::cached(sqlite3* db, const char* sql, const char* tag) {
    if (!db) return nullptr;
    ConnectionState& state = stateFor(db);
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    auto found = state.statements.find(sql);
    if (found != state.statements.end()) return found->second.get();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK || !raw) {
        recordFailure(db, sqlite3_extended_errcode(db));
        sqlite3_finalize(raw);
        if (tag && *tag) logPrepareFailure(db, tag);
        return nullptr;
    }
    state.statements.emplace(sql, SQLiteStatement(raw));
    return raw;
}

SQLiteStatement DataStoreConnection::prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    if (!db || sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        if (db) recordFailure(db, sqlite3_extended_errcode(db));
        sqlite3_finalize(raw);
        return SQLiteStatement();
    }
    return SQLiteStatement(raw);
}

SQLiteStatement DataStoreConnection::prepare(sqlite3* db, const std::string& sql, const char* tag) {
    SQLiteStatement stmt = prepare(db, sql);
    if (!stmt && db) logPrepareFailure(db, tag);
    return stmt;
}

void DataStoreConnection::finalizeAll() {
    std::vector<ConnectionState*> states;
    {
        std::lock_guard<std::mutex> guard(registryMutex());
        for (auto& [db, state] : registry()) states.push_back(state.get());
    }
    for (ConnectionState* state : states) {
        std::lock_guard<std::recursive_mutex> guard(state->lock);
        state->statements.clear();
    }
}

void DataStoreConnection::finalizeConnection(sqlite3* db) {
    std::unique_ptr<ConnectionState> state;
    {
        std::lock_guard<std::mutex> guard(registryMutex());
        auto found = registry().find(db);
        if (found == registry().end()) return;
        state = std::move(found->second);
        registry().erase(found);
    }
    std::lock_guard<std::recursive_mutex> guard(state->lock);
    state->statements.clear();
}

void DataStoreConnection::configure(sqlite3* db) {
    sqlite3_busy_handler(db, waitForLock, db);
    sqlite3_rollback_hook(db, transactionRolledBack, db);
}

void DataStoreConnection::noteWriteTransaction(sqlite3* db) {
    if (db) stateFor(db).writing = sqlite3_get_autocommit(db) == 0;
}

void DataStoreConnection::logPrepareFailure(sqlite3* db, const char* tag) {
    NSLog("[%s] Error: failed to prepare statement with message '%s'.", tag, sqlite3_errmsg(db));
}

void DataStoreConnection::logStepFailure(sqlite3* db, const char* tag, int rc) {
    recordFailure(db, sqlite3_extended_errcode(db));
    NSLog("[%s] Error: failed to run statement (%i) with message '%s'.", (tag && *tag) ? tag : "ChapterInfo", rc,
          sqlite3_errmsg(db));
}

namespace {
thread_local std::optional<DataStoreConnection::Failure> lastFailureOnThread;

std::mutex damageHandlerMutex;
std::function<void(sqlite3*)> damageHandler;
}  // namespace

void DataStoreConnection::recordFailure(sqlite3* db, int code) {
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    lastFailureOnThread = Failure{code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code), file ? file : ""};
    if (!isDamage(code) || !db) return;
    std::function<void(sqlite3*)> handler;
    {
        std::lock_guard<std::mutex> guard(damageHandlerMutex);
        handler = damageHandler;
    }
    if (handler) handler(db);
}

bool DataStoreConnection::isDamage(int code) {
    return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB;
}

void DataStoreConnection::setDamageHandler(std::function<void(sqlite3*)> handler) {
    std::lock_guard<std::mutex> guard(damageHandlerMutex);
    damageHandler = std::move(handler);
}

std::optional<DataStoreConnection::Failure> DataStoreConnection::lastFailure() { return lastFailureOnThread; }

void DataStoreConnection::clearLastFailure() { lastFailureOnThread.reset(); }

std::string DataStoreConnection::describe(const Failure& failure) {
    switch (failure.code & 0xFF) {
    case SQLITE_FULL: return "The disk is full. Free some space and try again.";
    case SQLITE_READONLY: return "The database file is read-only. Check its permissions and try again.";
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH: return "The database file cannot be written. Check its permissions and try again.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "The data store is damaged (" + failure.message + ").";
    case SQLITE_IOERR: return "The disk could not be written (" + failure.message + ").";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        if (!failure.file.empty())
            return "Another program is using " + str::quoteForMessage(failure.file, 4096) +
                   ". Try again when it has finished.";
        return "Another program is using the data store. Try again when it has finished.";
    case SQLITE_ERROR:
        if (failure.message.find("no such") != std::string::npos)
            return "The data store is damaged (" + failure.message + ").";
        break;
    default: break;
    }
    return "The data store reported an error (" + failure.message + ").";
}

bool DataStoreConnection::isBusy(int code) {
    return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
}

std::string columnString(sqlite3_stmt* stmt, int column) {
    return columnOptionalString(stmt, column).value_or(std::string());
}

std::optional<std::string> columnOptionalString(sqlite3_stmt* stmt, int column) {
    const unsigned char* text = sqlite3_column_text(stmt, column);
    if (!text) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}

Blob columnBlob(sqlite3_stmt* stmt, int column) {
    const void* data = sqlite3_column_blob(stmt, column);
    int size = sqlite3_column_bytes(stmt, column);
    if (!data || size <= 0) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return Blob(bytes, bytes + size);
}
