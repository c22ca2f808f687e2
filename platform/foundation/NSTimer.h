#pragma once
// A timer on the main run loop. The loop keeps a scheduled timer alive until it is
// invalidated or (one-shot) has fired. Create, fire and invalidate on the main thread.

#include <functional>
#include <memory>

#include "platform/foundation/RunLoop.h"

class NSTimer : public std::enable_shared_from_this<NSTimer> {
public:
    // Schedules on the main loop; intervals below 0.1 ms are raised to 0.1 ms.
    static std::shared_ptr<NSTimer> scheduledTimer(double interval, bool repeats,
                                                   std::function<void(NSTimer&)> block);

    void invalidate(); // stops it (also from its own callback); any further firing is cancelled
    bool isValid() const { return valid_; }
    double fireDate() const { return fireDate_; } // loop-clock time of the next firing
    double timeInterval() const { return interval_; }
    bool repeats() const { return repeats_; }
    void fire(); // runs the callback now; a one-shot timer is then invalidated

    NSTimer(double interval, bool repeats, std::function<void(NSTimer&)> block);
    ~NSTimer();

private:
    void schedule(double at);
    void timerFired();
    void runBlock();

    double interval_;
    bool repeats_;
    std::function<void(NSTimer&)> block_;
    bool valid_ = true;
    bool firing_ = false;
    double fireDate_ = 0;
    RunLoop::TimerId pending_ = 0;
};
