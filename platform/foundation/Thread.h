#pragma once
// Worker threads and locks.

#include <functional>
#include <mutex>
#include <string>

// Starts a detached worker. The worker's name (at most 15 bytes shown by the system)
// helps in debuggers; an exception escaping the work is logged, never propagated.
void detachNewThread(std::function<void()> work, const std::string& name = "worker");

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
