#include "Classes/Audio/ClipPreparer.h"

#include "Classes/Core/NSData+Bzip2.h"
#include "platform/foundation/NSFileManager.h"

ClipPreparer::ClipPreparer(std::vector<std::string> paths, unsigned helpers, size_t window)
    : paths_(std::move(paths)), window_(window), ready_(paths_.size()) {
    for (unsigned i = 0; i < helpers; ++i) helpers_.emplace_back([this] { work(); });
}

ClipPreparer::~ClipPreparer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
}

ClipPreparer::Clip ClipPreparer::take(size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ready_[index].has_value(); });
    Clip clip = std::move(*ready_[index]);
    ready_[index].reset();
    taken_ = index + 1;
    lock.unlock();
    changed_.notify_all();
    return clip;
}

void ClipPreparer::work() {
    for (;;) {
        size_t index;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return stopping_ || nextToPrepare_ >= paths_.size() || nextToPrepare_ < taken_ + window_;
            });
            if (stopping_ || nextToPrepare_ >= paths_.size()) return;
            index = nextToPrepare_++;
        }
        Clip clip;
        if (std::optional<std::vector<uint8_t>> bytes = NSFileManager::defaultManager().contentsAtPath(paths_[index])) {
            clip.found = true;
            clip.gzipped = NSData::gzipDeflate(*bytes);
        }
        {
            std::lock_guard lock(mutex_);
            ready_[index] = std::move(clip);
        }
        changed_.notify_all();
    }
}
