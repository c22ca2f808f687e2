#include "Classes/Core/PendingUserWrites.h"

#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"

PendingUserWrites& PendingUserWrites::shared() {
    static PendingUserWrites writes;
    return writes;
}

PendingUserWrites::Outcome PendingUserWrites::attempt(const Write& write) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    sqlite3* db = app ? app->dbConnection() : nullptr;
    if (!db) return Outcome::failed;
    auto guard = DataStoreConnection::lock(db);
    DataStoreConnection::clearLastFailure();
    // A transaction a worker opened on this connection takes the change in with its own.
    const bool own = sqlite3_get_autocommit(db) != 0;
    auto run = [db](const char* sql) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        DataStoreConnection::recordFailure(db, sqlite3_extended_errcode(db));
        return false;
    };
    // IMMEDIATE takes the write lock first, so a locked database fails before anything is written.
    if (own && !run("BEGIN IMMEDIATE TRANSACTION")) {
        const auto failure = DataStoreConnection::lastFailure();
        return failure && DataStoreConnection::isBusy(failure->code) ? Outcome::waiting : Outcome::failed;
    }
    bool stored = write(db);
    if (own) {
        if (stored) stored = run("COMMIT TRANSACTION");
        if (!stored && sqlite3_get_autocommit(db) == 0 &&
            sqlite3_exec(db, "ROLLBACK TRANSACTION", nullptr, nullptr, nullptr) != SQLITE_OK)
            NSLog("[PendingUserWrites] Error: rollback failed with message '%s'.", sqlite3_errmsg(db));
    }
    if (stored) return Outcome::stored;
    const auto failure = DataStoreConnection::lastFailure();
    return failure && DataStoreConnection::isBusy(failure->code) ? Outcome::waiting : Outcome::failed;
}

PendingUserWrites::Outcome PendingUserWrites::run(Write write, Settled settled) {
    // Behind kept changes, so they reach the file in the order they were made.
    Outcome outcome = waiting_.empty() ? attempt(write) : Outcome::waiting;
    if (outcome != Outcome::waiting) return outcome;
    NSLog("The user database is locked by another program; the change waits for it.");
    waiting_.push_back({std::move(write), std::move(settled), RunLoop::main().now() + kDeadlineSeconds});
    schedule();
    return outcome;
}

void PendingUserWrites::schedule() {
    if (timer_ || waiting_.empty()) return;
    timer_ = RunLoop::main().addTimer(kRetrySeconds, [this] {
        timer_ = 0;
        retry();
    }, this, "PendingUserWrites");
}

void PendingUserWrites::retry() {
    while (!waiting_.empty()) {
        const Outcome outcome = attempt(waiting_.front().write);
        if (outcome == Outcome::waiting && RunLoop::main().now() < waiting_.front().deadline) break;
        Entry entry = std::move(waiting_.front());
        waiting_.pop_front();
        if (outcome != Outcome::stored)
            NSLog("[PendingUserWrites] Error: a change waiting for the user database was not stored.");
        if (entry.settled) entry.settled(outcome == Outcome::stored);
    }
    schedule();
}

void PendingUserWrites::drop() {
    if (timer_) RunLoop::main().cancelTimer(timer_);
    timer_ = 0;
    if (waiting_.empty()) return;
    NSLog("[PendingUserWrites] Error: %i changes waiting for the user database were not stored.",
          static_cast<int>(waiting_.size()));
    waiting_.clear();
}
