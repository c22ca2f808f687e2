#include "platform/foundation/NSOperationQueue.h"

#include <exception>
#include <pthread.h>

#include "platform/foundation/Log.h"

NSOperationQueue::NSOperationQueue(std::string name) : name_(std::move(name))
{
    worker_ = std::thread([this] { workerLoop(); });
}

NSOperationQueue::~NSOperationQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        shuttingDown_ = true;
        queue_.clear();
        if (running_)
            running_->store(true);
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void NSOperationQueue::addOperation(Operation operation)
{
    if (!operation)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (shuttingDown_)
            return;
        queue_.push_back(Entry{std::move(operation), std::make_shared<std::atomic<bool>>(false)});
    }
    changed_.notify_all();
}

void NSOperationQueue::cancelAllOperations()
{
    std::deque<Entry> dropped; // released outside the lock
    {
        std::lock_guard<std::mutex> lock(mutex_);
        dropped.swap(queue_);
        if (running_)
            running_->store(true);
    }
    changed_.notify_all();
}

void NSOperationQueue::waitUntilAllOperationsAreFinished()
{
    if (std::this_thread::get_id() == worker_.get_id())
        return; // waiting on itself would never end
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() || suspended_) && !running_; });
}

size_t NSOperationQueue::operationCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size() + (running_ ? 1 : 0);
}

void NSOperationQueue::setSuspended(bool suspended)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        suspended_ = suspended;
    }
    changed_.notify_all();
}

bool NSOperationQueue::isSuspended() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return suspended_;
}

void NSOperationQueue::workerLoop()
{
    pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return shuttingDown_ || (!suspended_ && !queue_.empty()); });
        if (shuttingDown_)
            return;
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        running_ = entry.cancelled;
        lock.unlock();
        try {
            entry.operation(*entry.cancelled);
        } catch (const std::exception& e) {
            NSLog("Operation on queue %@ stopped by an exception: %@", name_, e.what());
        } catch (...) {
            NSLog("Operation on queue %@ stopped by an unknown exception", name_);
        }
        entry.operation = nullptr;
        lock.lock();
        running_.reset();
        changed_.notify_all();
    }
}
