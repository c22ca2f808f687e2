#include "platform/foundation/NSNotificationCenter.h"

NSNotificationCenter& NSNotificationCenter::defaultCenter()
{
    static NSNotificationCenter center;
    return center;
}

void NSNotificationCenter::addObserver(const void* owner, const std::string& name, std::function<void()> callback)
{
    if (!callback)
        return;
    auto observer = std::make_shared<Observer>();
    observer->owner = owner;
    observer->name = name;
    observer->callback = std::move(callback);
    std::lock_guard<std::mutex> lock(mutex_);
    observers_.push_back(std::move(observer));
}

void NSNotificationCenter::removeObserver(const void* owner)
{
    std::vector<std::shared_ptr<Observer>> removed;
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = observers_.begin(); it != observers_.end();) {
        if ((*it)->owner == owner) {
            (*it)->removed = true;
            removed.push_back(std::move(*it));
            it = observers_.erase(it);
        } else {
            ++it;
        }
    }
}

void NSNotificationCenter::removeObserver(const void* owner, const std::string& name)
{
    std::vector<std::shared_ptr<Observer>> removed;
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = observers_.begin(); it != observers_.end();) {
        if ((*it)->owner == owner && (*it)->name == name) {
            (*it)->removed = true;
            removed.push_back(std::move(*it));
            it = observers_.erase(it);
        } else {
            ++it;
        }
    }
}

void NSNotificationCenter::postNotificationName(const std::string& name)
{
    // Observers are called outside the lock on a snapshot, so a callback may add or remove
    // observers; one removed meanwhile is skipped.
    std::vector<std::shared_ptr<Observer>> targets;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& o : observers_)
            if (o->name == name)
                targets.push_back(o);
    }
    for (const auto& o : targets)
        if (!o->removed)
            o->callback();
}

size_t NSNotificationCenter::observerCount(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    size_t n = 0;
    for (const auto& o : observers_)
        if (o->name == name)
            ++n;
    return n;
}
