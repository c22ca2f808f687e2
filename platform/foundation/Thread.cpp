#include "platform/foundation/Thread.h"

#include <chrono>
#include <exception>
#include <pthread.h>
#include <thread>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

void detachNewThread(std::function<void()> work, const std::string& name)
{
    if (!work)
        return;
    std::thread([work = std::move(work), name]() mutable {
        pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
        try {
            work();
        } catch (const std::exception& e) {
            NSLog("Worker thread %@ stopped by an exception: %@", name, e.what());
        } catch (...) {
            NSLog("Worker thread %@ stopped by an unknown exception", name);
        }
    }).detach();
}

void sleepForTimeInterval(double seconds)
{
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool NSThread::isMainThread() { return RunLoop::main().isMainThread(); }
