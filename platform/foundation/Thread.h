#pragma once
// Worker threads and locks.

#include <functional>
#include <mutex>
#include <string>

// Starts a worker thread. The worker's name (at most 15 bytes shown by the system)
// helps in debuggers; an exception escaping the work is logged, never propagated.
// Every worker is counted from its start to its end, so the main thread can wait for the
// workers (scripts, before a screenshot) and shutdown can end them before the resources
// they use (database connections) go away. A worker reports its result by posting to the
// main run loop before it returns.
void detachNewThread(std::function<void()> work, const std::string& name = "worker");

// Workers started and not yet ended.
size_t runningWorkerCount();

// Main thread: runs the main loop's posted work (results, and calls workers wait for)
// until no worker runs and nothing is left to run, or realSecondsBound real seconds have
// passed (false). Does not move a virtual clock.
bool waitForWorkers(double realSecondsBound);

// Main thread, at shutdown: asks the workers to stop (workersShouldStop() turns true),
// then waits for them as waitForWorkers does. The request ends when this returns.
bool stopWorkers(double realSecondsBound);

// True while stopWorkers() runs: long work checks it and ends early, reporting nothing.
bool workersShouldStop();

// Blocks the calling thread for real time (workers only; the main thread uses timers).
void sleepForTimeInterval(double seconds);

class NSThread {
public:
    static bool isMainThread();
};

// A lock the owning thread may take again; BasicLockable and Lockable.
class NSRecursiveLock {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool tryLock() { return mutex_.try_lock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::recursive_mutex mutex_;
};

class NSLock {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool tryLock() { return mutex_.try_lock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::mutex mutex_;
};
