#pragma once
// Changes to the user database made on the main thread, each in one transaction. A change that
// finds the database locked by another program is kept, in order behind any others kept, and
// tried again on the run loop's clock until it is stored or its deadline passes; the main
// thread never waits for the lock longer than the data store's short main-thread wait.

#include "platform/foundation/RunLoop.h"

#include <sqlite3.h>

#include <deque>
#include <functional>

class PendingUserWrites {
public:
    static constexpr double kRetrySeconds = 0.5;
    // How long a kept change waits before the user is told it was not stored.
    static constexpr double kDeadlineSeconds = 30;

    enum class Outcome { stored, waiting, failed };
    // The statements of one change on the user connection; false when one failed.
    using Write = std::function<bool(sqlite3*)>;
    // Main thread, once a kept change was stored (true) or given up (false; the data store's
    // last failure then says why).
    using Settled = std::function<void(bool stored)>;

    static PendingUserWrites& shared();

    // Stores the change now, or keeps it (waiting) while another program holds the database or
    // earlier changes still wait; `settled` is called only for a kept change. Main thread.
    Outcome run(Write write, Settled settled);
    bool empty() const { return waiting_.empty(); }
    // Forgets the kept changes without calling them back (the connections are closing); logged.
    void drop();

private:
    struct Entry {
        Write write;
        Settled settled;
        double deadline;
    };
    static Outcome attempt(const Write& write);
    void retry();
    void schedule();

    std::deque<Entry> waiting_;
    RunLoop::TimerId timer_ = 0;
};
