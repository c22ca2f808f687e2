#include "platform/foundation/NSTimer.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMinimumInterval = 0.0001;
}

NSTimer::NSTimer(double interval, bool repeats, std::function<void(NSTimer&)> block)
    : interval_(std::isfinite(interval) ? std::max(interval, kMinimumInterval) : kMinimumInterval),
      repeats_(repeats), block_(std::move(block))
{
}

NSTimer::~NSTimer() = default;

std::shared_ptr<NSTimer> NSTimer::scheduledTimer(double interval, bool repeats, std::function<void(NSTimer&)> block)
{
    auto timer = std::make_shared<NSTimer>(interval, repeats, std::move(block));
    timer->schedule(RunLoop::main().now() + timer->interval_);
    return timer;
}

void NSTimer::schedule(double at)
{
    RunLoop& loop = RunLoop::main();
    fireDate_ = at;
    // The loop holds the timer alive until it fires or is invalidated.
    auto self = shared_from_this();
    pending_ = loop.addTimer(std::max(0.0, at - loop.now()), [self] { self->timerFired(); });
}

void NSTimer::timerFired()
{
    pending_ = 0;
    if (!valid_)
        return;
    auto keepAlive = shared_from_this();
    if (repeats_) {
        // The next firing keeps the original rhythm, skipping firings already missed.
        const double now = RunLoop::main().now();
        double next = fireDate_ + interval_;
        if (next <= now)
            next = fireDate_ + std::ceil((now - fireDate_) / interval_) * interval_;
        if (next <= now)
            next = now + interval_;
        schedule(next);
    } else {
        valid_ = false;
    }
    runBlock();
}

void NSTimer::runBlock()
{
    if (block_) {
        firing_ = true;
        block_(*this);
        firing_ = false;
    }
    // An invalidated timer lets go of its block (and whatever the block holds).
    if (!valid_)
        block_ = nullptr;
}

void NSTimer::invalidate()
{
    if (!valid_)
        return;
    valid_ = false;
    if (pending_) {
        RunLoop::main().cancelTimer(pending_);
        pending_ = 0;
    }
    if (!firing_)
        block_ = nullptr;
}

void NSTimer::fire()
{
    if (!valid_)
        return;
    auto keepAlive = shared_from_this();
    runBlock();
    if (!repeats_)
        invalidate();
}
