#include "platform/foundation/RunLoop.h"

#include <chrono>
#include <cmath>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/foundation/Log.h"

namespace {
double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
double systemSeconds()
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}
// The virtual clock starts at 1000 s and reads 2025-01-06 10:00:00 UTC (a Monday) on the wall.
constexpr double kVirtualStart = 1000.0;
constexpr double kVirtualWallStart = 1736157600.0;
} // namespace

RunLoop& RunLoop::main()
{
    // Never destroyed: detached workers may still post while the process exits.
    static RunLoop* loop = std::make_unique<RunLoop>().release();
    return *loop;
}

RunLoop::RunLoop() = default;
RunLoop::~RunLoop() = default;

double RunLoop::nowLocked() const { return virtual_ ? virtualNow_ : steadySeconds(); }

double RunLoop::now() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return nowLocked();
}

double RunLoop::wallClockNow() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return virtual_ ? virtualNow_ + virtualWallOffset_ : systemSeconds();
}

bool RunLoop::isMainThread() const
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (hasBoundThread_)
            return boundThread_ == std::this_thread::get_id();
    }
    return syscall(SYS_gettid) == getpid();
}

void RunLoop::bindToCurrentThread()
{
    std::lock_guard<std::mutex> lock(mutex_);
    hasBoundThread_ = true;
    boundThread_ = std::this_thread::get_id();
}

void RunLoop::wake()
{
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        handler = wakeHandler_;
    }
    posted_.notify_all();
    if (handler)
        handler();
}

void RunLoop::post(std::function<void()> work)
{
    if (!work)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        posts_.push_back(std::move(work));
        ++changes_;
    }
    wake();
}

RunLoop::TimerId RunLoop::addTimer(double delaySeconds, std::function<void()> work, const void* target,
                                   const std::string& tag)
{
    if (!work)
        return 0;
    if (!(delaySeconds > 0)) // also NaN
        delaySeconds = 0;
    TimerId id;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        id = nextTimerId_++;
        const double due = nowLocked() + delaySeconds;
        timers_.emplace(std::make_pair(due, id), Timer{id, due, std::move(work), target, tag});
        timerDue_[id] = due;
        ++changes_;
    }
    if (!isMainThread())
        wake();
    return id;
}

void RunLoop::cancelTimer(TimerId id)
{
    std::function<void()> dropped; // destroyed outside the lock
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = timerDue_.find(id);
    if (it == timerDue_.end())
        return;
    auto t = timers_.find({it->second, id});
    if (t != timers_.end()) {
        dropped = std::move(t->second.work);
        timers_.erase(t);
    }
    timerDue_.erase(it);
}

bool RunLoop::isTimerPending(TimerId id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return timerDue_.count(id) != 0;
}

void RunLoop::performAfterDelay(const void* target, double seconds, std::function<void()> work, const std::string& tag)
{
    addTimer(seconds, std::move(work), target, tag);
}

void RunLoop::cancelTimersWhere(const std::function<bool(const Timer&)>& matches)
{
    std::vector<std::function<void()>> dropped; // destroyed after the lock is released
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (matches(it->second)) {
            timerDue_.erase(it->second.id);
            dropped.push_back(std::move(it->second.work));
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

void RunLoop::cancelPreviousPerformRequests(const void* target)
{
    if (target)
        cancelTimersWhere([target](const Timer& t) { return t.target == target; });
}

void RunLoop::cancelPreviousPerformRequests(const void* target, const std::string& tag)
{
    if (target)
        cancelTimersWhere([target, &tag](const Timer& t) { return t.target == target && t.tag == tag; });
}

void RunLoop::shiftTimersLocked(double by)
{
    std::map<std::pair<double, TimerId>, Timer> moved;
    for (auto& [key, t] : timers_) {
        t.due += by;
        timerDue_[t.id] = t.due;
        moved.emplace(std::make_pair(t.due, t.id), std::move(t));
    }
    timers_ = std::move(moved);
}

void RunLoop::useVirtualClock()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (virtual_)
        return;
    // Pending timers keep their distance from now.
    shiftTimersLocked(kVirtualStart - steadySeconds());
    virtual_ = true;
    virtualNow_ = kVirtualStart;
    virtualWallOffset_ = kVirtualWallStart - kVirtualStart;
}

void RunLoop::useRealClock()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!virtual_)
        return;
    shiftTimersLocked(steadySeconds() - virtualNow_);
    virtual_ = false;
}

bool RunLoop::isVirtualClock() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return virtual_;
}

void RunLoop::setWallClock(double secondsSince1970)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (virtual_)
        virtualWallOffset_ = secondsSince1970 - virtualNow_;
}

bool RunLoop::runPosted()
{
    // Runs what was queued when called; posts made meanwhile wait for the next round.
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        batch.swap(posts_);
    }
    for (auto& work : batch)
        work();
    return !batch.empty();
}

bool RunLoop::runOneDueTimer(double upTo)
{
    std::function<void()> work;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (timers_.empty())
            return false;
        auto it = timers_.begin();
        if (it->second.due > upTo)
            return false;
        if (virtual_ && it->second.due > virtualNow_)
            virtualNow_ = it->second.due;
        work = std::move(it->second.work);
        timerDue_.erase(it->second.id);
        timers_.erase(it);
    }
    work();
    return true;
}

double RunLoop::secondsToNextTimerLocked() const
{
    if (timers_.empty())
        return std::numeric_limits<double>::infinity();
    return std::max(0.0, timers_.begin()->second.due - nowLocked());
}

void RunLoop::advance(double milliseconds)
{
    double target;
    bool isVirtual;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        isVirtual = virtual_;
        target = virtualNow_ + std::max(0.0, milliseconds) / 1000.0;
    }
    if (!isVirtual) {
        NSLog("RunLoop::advance needs the virtual clock (useVirtualClock)");
        return;
    }
    for (;;) {
        runPosted();
        if (!runOneDueTimer(target))
            break;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (virtualNow_ < target)
            virtualNow_ = target;
    }
    runUntilIdle();
}

void RunLoop::runUntilIdle()
{
    for (;;) {
        const bool ranPosts = runPosted();
        double upTo;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            upTo = nowLocked();
        }
        const bool ranTimer = runOneDueTimer(upTo);
        if (!ranPosts && !ranTimer)
            return;
    }
}

bool RunLoop::runUntil(const std::function<bool()>& predicate, double realSecondsBound)
{
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(std::max(0.0, realSecondsBound)));
    for (;;) {
        runUntilIdle();
        if (predicate())
            return true;
        std::unique_lock<std::mutex> lock(mutex_);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // Wake for a post, for the next real-clock timer, or after a short slice: the
        // predicate may watch state that other threads change without posting.
        auto wakeAt = std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(2));
        if (!virtual_ && !timers_.empty()) {
            const auto next = std::chrono::steady_clock::now() +
                              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                  std::chrono::duration<double>(secondsToNextTimerLocked()));
            wakeAt = std::min(wakeAt, next);
        }
        posted_.wait_until(lock, wakeAt, [this] { return !posts_.empty(); });
    }
}

void RunLoop::resetForTesting()
{
    std::deque<std::function<void()>> posts;
    std::map<std::pair<double, TimerId>, Timer> timers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        posts.swap(posts_);
        timers.swap(timers_);
        timerDue_.clear();
        stopRequested_ = false;
    }
}

double RunLoop::runOnce(double maxWaitSeconds)
{
    bool did = runPosted();
    double upTo;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        upTo = nowLocked();
    }
    while (runOneDueTimer(upTo))
        did = true;
    std::unique_lock<std::mutex> lock(mutex_);
    if (!did && maxWaitSeconds > 0 && posts_.empty() && !stopRequested_) {
        const double wait = std::min(maxWaitSeconds, secondsToNextTimerLocked());
        // Any post, new timer or stop request ends the wait early.
        const uint64_t seen = changes_;
        if (wait > 0 && !virtual_)
            posted_.wait_for(lock, std::chrono::duration<double>(wait), [this, seen] { return changes_ != seen; });
    }
    if (!posts_.empty())
        return 0;
    return secondsToNextTimerLocked();
}

void RunLoop::setWakeHandler(std::function<void()> handler)
{
    std::lock_guard<std::mutex> lock(mutex_);
    wakeHandler_ = std::move(handler);
}

void RunLoop::run()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = false;
    }
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopRequested_) {
                stopRequested_ = false;
                return;
            }
        }
        runOnce(1.0);
    }
}

void RunLoop::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
        ++changes_;
    }
    wake();
}

size_t RunLoop::pendingPostCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return posts_.size();
}

size_t RunLoop::pendingTimerCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return timers_.size();
}
