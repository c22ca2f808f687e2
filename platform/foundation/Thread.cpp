#include "platform/foundation/Thread.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <pthread.h>
#include <thread>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

namespace {

std::atomic<size_t> running{0};
std::atomic<bool> stopping{false};

} // namespace

void detachNewThread(std::function<void()> work, const std::string& name)
{
    if (!work)
        return;
    ++running;
    std::thread([work = std::move(work), name]() mutable {
        pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
        try {
            work();
        } catch (const std::exception& e) {
            NSLog("Worker thread %@ stopped by an exception: %@", name, e.what());
        } catch (...) {
            NSLog("Worker thread %@ stopped by an unknown exception", name);
        }
        // The work (and what it holds) is gone before the worker counts as ended.
        work = nullptr;
        --running;
    }).detach();
}

size_t runningWorkerCount() { return running.load(); }

bool waitForWorkers(double realSecondsBound)
{
    RunLoop& loop = RunLoop::main();
    // A result posted just before its worker ended is run by the last round.
    const bool ended = loop.runUntil([] { return running.load() == 0; }, realSecondsBound);
    loop.runUntilIdle();
    return ended;
}

bool stopWorkers(double realSecondsBound)
{
    // Nothing to wait for: the main loop's queued work is left alone, since at shutdown it may
    // belong to screens that are already gone.
    if (running.load() == 0)
        return true;
    stopping = true;
    const bool ended = waitForWorkers(realSecondsBound);
    stopping = false;
    if (!ended)
        NSLog("Error: %@ worker threads still run at shutdown", std::to_string(running.load()));
    return ended;
}

bool workersShouldStop() { return stopping.load(); }

void sleepForTimeInterval(double seconds)
{
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool NSThread::isMainThread() { return RunLoop::main().isMainThread(); }
