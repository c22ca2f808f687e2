#include "platform/foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/Thread.h"

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loop.useVirtualClock();
        loop.resetForTesting();
    }
    void TearDown() override { loop.resetForTesting(); }
    RunLoop& loop = RunLoop::main();
};

TEST_F(RunLoopTest, TimersFireInDueOrderOnlyWhenAdvancedPastThem)
{
    std::vector<std::string> log;
    const double start = loop.now();
    loop.addTimer(0.30, [&] { log.push_back("c@" + std::to_string(int((loop.now() - start) * 1000 + 0.5))); });
    loop.addTimer(0.10, [&] { log.push_back("a@" + std::to_string(int((loop.now() - start) * 1000 + 0.5))); });
    loop.addTimer(0.10, [&] { log.push_back("b@" + std::to_string(int((loop.now() - start) * 1000 + 0.5))); });
    loop.advance(99);
    EXPECT_TRUE(log.empty());
    loop.advance(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a@100", "b@100"}));
    loop.advance(500);
    EXPECT_EQ(log, (std::vector<std::string>{"a@100", "b@100", "c@300"}));
    EXPECT_NEAR(loop.now() - start, 0.6, 1e-9);
}

TEST_F(RunLoopTest, TimerAddedDuringCallbackRunsInSameAdvanceWhenDue)
{
    std::vector<int> order;
    loop.addTimer(0.1, [&] {
        order.push_back(1);
        loop.addTimer(0.05, [&] { order.push_back(3); });   // due at 150 ms
        loop.addTimer(0.5, [&] { order.push_back(99); });   // due after the advance
        loop.post([&] { order.push_back(2); });
    });
    loop.addTimer(0.2, [&] { order.push_back(4); });
    loop.advance(250);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(loop.pendingTimerCount(), 1u);
}

TEST_F(RunLoopTest, PerformAfterDelayCancelledByTargetAndTag)
{
    int a = 0, b = 0, tagged = 0, other = 0;
    int targetA = 0, targetB = 0;
    loop.performAfterDelay(&targetA, 0.4, [&] { ++a; });
    loop.performAfterDelay(&targetA, 2.0, [&] { ++a; });
    loop.performAfterDelay(&targetA, 0.1, [&] { ++tagged; }, "hideBar");
    loop.performAfterDelay(&targetA, 0.1, [&] { ++other; }, "showBar");
    loop.performAfterDelay(&targetB, 0.4, [&] { ++b; });
    loop.cancelPreviousPerformRequests(&targetA, "hideBar");
    loop.advance(150);
    EXPECT_EQ(tagged, 0);
    EXPECT_EQ(other, 1);
    loop.cancelPreviousPerformRequests(&targetA);
    loop.advance(3000);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    loop.cancelPreviousPerformRequests(nullptr); // harmless
}

TEST_F(RunLoopTest, RepeatingTimerKeepsRhythmAndStopsFromItsOwnCallback)
{
    std::vector<double> at;
    const double start = loop.now();
    auto timer = NSTimer::scheduledTimer(0.25, true, [&](NSTimer& t) {
        at.push_back(loop.now() - start);
        if (at.size() == 3)
            t.invalidate();
    });
    EXPECT_NEAR(timer->fireDate() - start, 0.25, 1e-9);
    loop.advance(2000);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_NEAR(at[0], 0.25, 1e-9);
    EXPECT_NEAR(at[2], 0.75, 1e-9);
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
}

TEST_F(RunLoopTest, OneShotTimerAndInvalidateBeforeFiring)
{
    int fired = 0;
    std::weak_ptr<NSTimer> weak;
    {
        auto once = NSTimer::scheduledTimer(0.55, false, [&](NSTimer&) { ++fired; });
        weak = once;
    }
    EXPECT_FALSE(weak.expired()); // the loop holds a scheduled timer
    loop.advance(550);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(weak.expired());

    auto idle = NSTimer::scheduledTimer(30, false, [&](NSTimer&) { ++fired; });
    loop.advance(10000);
    idle->invalidate();
    loop.advance(60000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(idle->isValid());
}

TEST_F(RunLoopTest, VirtualWallClockDrivesNow)
{
    loop.setWallClock(1700000000.0);
    EXPECT_DOUBLE_EQ(NSDate::date().timeIntervalSince1970(), 1700000000.0);
    loop.advance(1500);
    EXPECT_DOUBLE_EQ(NSDate::date().timeIntervalSince1970(), 1700000001.5);
    EXPECT_DOUBLE_EQ(NSDate::dateWithTimeIntervalSince1970(1700000003.0).timeIntervalSinceNow(), 1.5);
}

TEST_F(RunLoopTest, PostFromWorkerThenRunUntil)
{
    bool done = false;
    std::vector<int> order;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            loop.post([&order, i] { order.push_back(i); });
        loop.post([&] { done = true; });
    });
    EXPECT_TRUE(loop.runUntil([&] { return done; }, 10.0));
    worker.join();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    // A predicate that never holds gives up after the real-time bound.
    EXPECT_FALSE(loop.runUntil([] { return false; }, 0.05));
}

TEST_F(RunLoopTest, PostAndWaitFromWorkerReturnsResultComputedOnMainThread)
{
    std::atomic<int> result{0};
    std::atomic<bool> ranOnMain{false};
    std::atomic<bool> finished{false};
    detachNewThread([&] {
        EXPECT_FALSE(NSThread::isMainThread());
        result = loop.postAndWait([&] {
            ranOnMain = loop.isMainThread();
            return 6 * 7;
        });
        finished = true;
    });
    EXPECT_TRUE(loop.runUntil([&] { return finished.load(); }, 10.0));
    EXPECT_EQ(result.load(), 42);
    EXPECT_TRUE(ranOnMain.load());
    // On the main thread it runs inline.
    EXPECT_EQ(loop.postAndWait([] { return std::string("inline"); }), "inline");
}

TEST_F(RunLoopTest, WakeHandlerCalledForCrossThreadPostAndRunOnceReportsNextTimer)
{
    std::atomic<int> wakes{0};
    loop.setWakeHandler([&] { ++wakes; });
    std::thread worker([&] { loop.post([] {}); });
    worker.join();
    EXPECT_GE(wakes.load(), 1);
    loop.setWakeHandler(nullptr);

    loop.addTimer(0.5, [] {});
    EXPECT_NEAR(loop.runOnce(0), 0.5, 1e-9); // ran the post; next timer in 0.5 s
    EXPECT_EQ(loop.pendingPostCount(), 0u);
    loop.resetForTesting();
    EXPECT_TRUE(std::isinf(loop.runOnce(0)));
}

TEST(RunLoopRealClock, RunStopsWhenAskedFromAnotherThread)
{
    RunLoop local;
    local.bindToCurrentThread();
    int ticks = 0;
    local.addTimer(0.0, [&] { ++ticks; });
    std::thread stopper([&] { local.post([&] { local.stop(); }); });
    local.run();
    stopper.join();
    EXPECT_EQ(ticks, 1);
}

TEST(RunLoopRealClock, TimerAddedFromAnotherThreadEndsTheWait)
{
    RunLoop local;
    local.bindToCurrentThread();
    bool fired = false;
    const auto start = std::chrono::steady_clock::now();
    std::thread adder([&] { local.addTimer(0, [&] { fired = true; }); });
    while (!fired && std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
        local.runOnce(10.0); // without the wake this would sit out the full ten seconds
    adder.join();
    EXPECT_TRUE(fired);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
