#include "platform/foundation/NSOperationQueue.h"
#include "platform/foundation/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

namespace {

TEST(Locks, RecursiveLockMayBeTakenAgainByItsOwner)
{
    NSRecursiveLock lock;
    std::lock_guard<NSRecursiveLock> outer(lock);
    EXPECT_TRUE(lock.tryLock());
    lock.unlock();
    std::atomic<bool> otherGotIt{true};
    std::thread([&] { otherGotIt = lock.tryLock(); }).join();
    EXPECT_FALSE(otherGotIt.load());
}

TEST(Locks, LockGuardsSharedCounterAcrossWorkers)
{
    NSLock lock;
    long counter = 0;
    std::atomic<int> done{0};
    for (int t = 0; t < 4; ++t)
        detachNewThread([&] {
            for (int i = 0; i < 1000; ++i) {
                std::lock_guard<NSLock> g(lock);
                ++counter;
            }
            ++done;
        });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return done.load() == 4; }, 20.0));
    std::lock_guard<NSLock> g(lock);
    EXPECT_EQ(counter, 4000);
}

TEST(Threads, ExceptionInWorkerIsLoggedNotPropagated)
{
    LogCapture capture;
    std::atomic<bool> after{false};
    detachNewThread([] { throw std::runtime_error("boom"); }, "thrower");
    detachNewThread([&] { after = true; });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return capture.contains("boom") && after.load(); }, 10.0));
}

TEST(OperationQueue, RunsSeriallyInOrder)
{
    NSOperationQueue queue("serial");
    std::vector<int> order;
    std::atomic<int> concurrent{0}, maxConcurrent{0};
    for (int i = 0; i < 20; ++i)
        queue.addOperation([&, i](const std::atomic<bool>&) {
            const int now = ++concurrent;
            maxConcurrent = std::max(maxConcurrent.load(), now);
            order.push_back(i);
            --concurrent;
        });
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(queue.operationCount(), 0u);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    EXPECT_EQ(maxConcurrent.load(), 1);
}

TEST(OperationQueue, CancelDropsQueuedAndFlagsRunning)
{
    NSOperationQueue queue("cancel");
    std::atomic<bool> started{false}, sawCancel{false};
    std::atomic<int> laterRan{0};
    queue.addOperation([&](const std::atomic<bool>& cancelled) {
        started = true;
        while (!cancelled.load())
            std::this_thread::yield();
        sawCancel = true;
    });
    for (int i = 0; i < 5; ++i)
        queue.addOperation([&](const std::atomic<bool>&) { ++laterRan; });
    while (!started.load())
        std::this_thread::yield();
    EXPECT_EQ(queue.operationCount(), 6u);
    queue.cancelAllOperations();
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_TRUE(sawCancel.load());
    EXPECT_EQ(laterRan.load(), 0);
    // The queue goes on working after a cancel.
    queue.addOperation([&](const std::atomic<bool>& c) { laterRan += c.load() ? 100 : 1; });
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(laterRan.load(), 1);
}

TEST(OperationQueue, SuspendedQueueStartsNothingAndDestructionCancels)
{
    std::atomic<int> ran{0};
    {
        NSOperationQueue queue("suspend");
        queue.setSuspended(true);
        queue.addOperation([&](const std::atomic<bool>&) { ++ran; });
        queue.waitUntilAllOperationsAreFinished(); // returns: nothing can run
        EXPECT_EQ(ran.load(), 0);
        EXPECT_EQ(queue.operationCount(), 1u);
        queue.setSuspended(false);
        queue.waitUntilAllOperationsAreFinished();
        EXPECT_EQ(ran.load(), 1);
        queue.setSuspended(true);
        queue.addOperation([&](const std::atomic<bool>&) { ++ran; });
    }
    EXPECT_EQ(ran.load(), 1);
}

} // namespace

TEST(Workers, WaitingRunsTheResultsAndStoppingIsSeenByLongWork)
{
    RunLoop& loop = RunLoop::main();
    // A worker that asks the main thread for something while the main thread waits for it.
    std::atomic<int> answer{0};
    bool resultShown = false;
    detachNewThread([&] {
        answer = loop.postAndWait([] { return 42; });
        loop.post([&] { resultShown = true; });
    });
    ASSERT_TRUE(waitForWorkers(20));
    EXPECT_EQ(answer.load(), 42);
    EXPECT_TRUE(resultShown);
    EXPECT_EQ(runningWorkerCount(), 0u);

    // Long work ends early when shutdown asks it to, and the request ends with the wait.
    std::atomic<bool> sawStop{false};
    detachNewThread([&] {
        while (!workersShouldStop())
            sleepForTimeInterval(0.001);
        sawStop = true;
    });
    EXPECT_FALSE(workersShouldStop());
    ASSERT_TRUE(stopWorkers(20));
    EXPECT_TRUE(sawStop.load());
    EXPECT_FALSE(workersShouldStop());
    EXPECT_EQ(runningWorkerCount(), 0u);
}
