#pragma once
// A serial operation queue: operations run one after another on one worker thread.
// Cancelling drops the queued operations and raises the running one's flag, which the
// operation checks to stop early.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class NSOperationQueue {
public:
    using Operation = std::function<void(const std::atomic<bool>& cancelled)>;

    explicit NSOperationQueue(std::string name = "operations");
    ~NSOperationQueue(); // cancels everything and waits for the running operation
    NSOperationQueue(const NSOperationQueue&) = delete;
    NSOperationQueue& operator=(const NSOperationQueue&) = delete;

    void addOperation(Operation operation);
    void cancelAllOperations();
    void waitUntilAllOperationsAreFinished(); // from a thread other than the queue's
    size_t operationCount() const;            // queued plus running
    // A suspended queue starts no new operation; the running one goes on.
    void setSuspended(bool suspended);
    bool isSuspended() const;

private:
    struct Entry {
        Operation operation;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    void workerLoop();

    std::string name_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> queue_;
    std::shared_ptr<std::atomic<bool>> running_;
    bool suspended_ = false;
    bool shuttingDown_ = false;
    std::thread worker_;
};
