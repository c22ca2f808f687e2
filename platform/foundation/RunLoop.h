#pragma once
// The main run loop: work posted from any thread, timers and delayed calls, one clock.
// In the program the clock is real monotonic time; tests switch to a virtual clock that
// moves only when they advance it.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <deque>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

class RunLoop {
public:
    static RunLoop& main();

    // Seconds on the loop's clock (monotonic; virtual in tests).
    double now() const;
    // Seconds since 1970 on the wall clock (virtual in tests: origin + virtual time passed).
    double wallClockNow() const;

    // Queues work to run on the loop's thread, in posting order. Any thread.
    void post(std::function<void()> work);

    // Runs work on the main thread and waits for its result; inline when already there.
    template <class F>
    auto postAndWait(F&& work) -> std::invoke_result_t<F&>
    {
        using R = std::invoke_result_t<F&>;
        if (isMainThread())
            return work();
        auto task = std::make_shared<std::packaged_task<R()>>(std::forward<F>(work));
        std::future<R> result = task->get_future();
        post([task] { (*task)(); });
        return result.get();
    }

    // The process's first thread, unless another was bound with bindToCurrentThread().
    bool isMainThread() const;
    void bindToCurrentThread();

    // Timers. A timer runs once at its due time; ids are never reused.
    using TimerId = uint64_t;
    TimerId addTimer(double delaySeconds, std::function<void()> work, const void* target = nullptr,
                     const std::string& tag = {});
    void cancelTimer(TimerId id);
    // True while the timer waits to run.
    bool isTimerPending(TimerId id) const;

    // Delayed call tied to a target; cancelled by target (all its requests) or by target and tag.
    void performAfterDelay(const void* target, double seconds, std::function<void()> work,
                           const std::string& tag = {});
    void cancelPreviousPerformRequests(const void* target);
    void cancelPreviousPerformRequests(const void* target, const std::string& tag);

    // Virtual clock (tests). Switching clears nothing; resetForTesting() drops queued work.
    void useVirtualClock();
    void useRealClock();
    bool isVirtualClock() const;
    // Sets what wallClockNow() reads at this moment (virtual clock only).
    void setWallClock(double secondsSince1970);
    // Moves the virtual clock forward, running every post and timer that falls due in
    // due order (ties in scheduling order), including ones added by callbacks.
    void advance(double milliseconds);
    // Runs posted work and due timers until none is left, without moving the clock.
    void runUntilIdle();
    // Runs due work, waiting in real time for posts from other threads, until the
    // predicate holds (true) or realSecondsBound real seconds have passed (false).
    bool runUntil(const std::function<bool()>& predicate, double realSecondsBound);
    // Drops every queued post and timer (tests, between cases).
    void resetForTesting();

    // The program's loop. runOnce does due work; when none was done it waits for a post up
    // to maxWaitSeconds (or until the next timer). Returns seconds until the next timer,
    // infinity when there is none.
    double runOnce(double maxWaitSeconds);
    // Called on the posting thread whenever work arrives, so a backend waiting on its own
    // event queue can wake (it must not block or re-enter the loop).
    void setWakeHandler(std::function<void()> handler);
    void run();  // runOnce until stop()
    void stop(); // any thread

    size_t pendingPostCount() const;
    size_t pendingTimerCount() const;

    RunLoop();
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

private:
    struct Timer {
        TimerId id;
        double due;
        std::function<void()> work;
        const void* target;
        std::string tag;
    };
    double nowLocked() const;
    void cancelTimersWhere(const std::function<bool(const Timer&)>& matches);
    void shiftTimersLocked(double by);
    bool runPosted();
    bool runOneDueTimer(double upTo);
    double secondsToNextTimerLocked() const;
    void wake();

    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> posts_;
    std::map<std::pair<double, TimerId>, Timer> timers_;
    std::map<TimerId, double> timerDue_;
    TimerId nextTimerId_ = 1;
    bool virtual_ = false;
    double virtualNow_ = 0;
    double virtualWallOffset_ = 0;
    std::function<void()> wakeHandler_;
    bool stopRequested_ = false;
    uint64_t changes_ = 0; // counts posts, new timers and stop requests
    bool hasBoundThread_ = false;
    std::thread::id boundThread_;
};
