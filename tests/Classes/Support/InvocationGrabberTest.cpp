// The main-thread invocation proxy.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "Classes/Support/DDInvocationGrabber.h"
#include "platform/foundation/RunLoop.h"

namespace {

struct Target {
    std::atomic<int> calls{0};
    std::atomic<bool> ranOnMain{false};
    std::string received;
    int answer(int x) {
        ++calls;
        ranOnMain = RunLoop::main().isMainThread();
        return x * 2;
    }
    void take(std::shared_ptr<std::string> text) {
        ++calls;
        ranOnMain = RunLoop::main().isMainThread();
        received = *text;
    }
};

class InvocationGrabberTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().bindToCurrentThread(); }
};

TEST_F(InvocationGrabberTest, WaitingCallFromAWorkerRunsOnTheMainThreadAndReturnsTheResult) {
    auto target = std::make_shared<Target>();
    std::optional<int> result;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = dd_invokeOnMainThreadAndWaitUntilDone(target, true)->forwardInvocation(
            [](Target& t) { return t.answer(21); });
        done = true;
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 10.0));
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(target->ranOnMain);
    EXPECT_EQ(target->calls, 1);
}

TEST_F(InvocationGrabberTest, QueuedCallKeepsItsArgumentsUntilTheMainThreadRunsIt) {
    auto target = std::make_shared<Target>();
    std::thread worker([&] {
        auto text = std::make_shared<std::string>("kept");
        auto r = dd_invokeOnMainThread(target)->forwardInvocation([text](Target& t) { t.take(text); });
        EXPECT_FALSE(r);   // nothing meaningful without waiting
    });
    worker.join();   // the worker's frame is gone before the call runs
    EXPECT_EQ(target->calls, 0);
    RunLoop::main().runUntil([&] { return target->calls.load() > 0; }, 10.0);
    EXPECT_EQ(target->received, "kept");
    EXPECT_TRUE(target->ranOnMain);
}

TEST_F(InvocationGrabberTest, OnTheMainThreadAWaitingCallRunsAtOnce) {
    auto target = std::make_shared<Target>();
    EXPECT_EQ(dd_invokeOnMainThreadAndWaitUntilDone(target, true)->forwardInvocation(
                  [](Target& t) { return t.answer(5); }),
              10);
    EXPECT_EQ(target->calls, 1);
}

TEST_F(InvocationGrabberTest, WithoutForwardingTheCallIsOnlyCaptured) {
    auto target = std::make_shared<Target>();
    auto grabber = DDInvocationGrabber<Target>::invocationGrabber()->prepareWithInvocationTarget(target);
    EXPECT_FALSE(grabber->forwardInvocation([](Target& t) { return t.answer(1); }));
    EXPECT_EQ(target->calls, 0);
    grabber->invocation()();
    EXPECT_EQ(target->calls, 1);
}

}  // namespace
