#pragma once
// Notifications by name, without payload, delivered synchronously on the posting thread.
// Registration is thread-safe. An observer removed during a post (by itself or another
// observer) is not called after its removal.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class NSNotificationCenter {
public:
    static NSNotificationCenter& defaultCenter();

    // owner is an unretained token used for removal; one owner may observe many names.
    void addObserver(const void* owner, const std::string& name, std::function<void()> callback);
    void removeObserver(const void* owner);
    void removeObserver(const void* owner, const std::string& name);
    void postNotificationName(const std::string& name);
    size_t observerCount(const std::string& name) const;

    NSNotificationCenter() = default;
    NSNotificationCenter(const NSNotificationCenter&) = delete;
    NSNotificationCenter& operator=(const NSNotificationCenter&) = delete;

private:
    struct Observer {
        const void* owner;
        std::string name;
        std::function<void()> callback;
        std::atomic<bool> removed{false};
    };
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Observer>> observers_;
};
