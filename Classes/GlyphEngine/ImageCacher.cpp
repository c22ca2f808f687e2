#include "Classes/GlyphEngine/ImageCacher.h"

namespace {

std::mutex sharedLock;
std::shared_ptr<ImageCacher> portrait;
std::shared_ptr<ImageCacher> landscape;

std::shared_ptr<ImageCacher> shared(std::shared_ptr<ImageCacher>& slot) {
    std::lock_guard<std::mutex> guard(sharedLock);
    if (!slot) slot = std::make_shared<ImageCacher>();
    return slot;
}

void release(std::shared_ptr<ImageCacher>& slot) {
    std::lock_guard<std::mutex> guard(sharedLock);
    slot.reset();
}

}  // namespace

std::shared_ptr<ImageCacher> ImageCacher::GetSharedImageCache() { return shared(portrait); }
std::shared_ptr<ImageCacher> ImageCacher::GetSharedImageCacheLandscape() { return shared(landscape); }
void ImageCacher::ReleaseSharedImageCache() { release(portrait); }
void ImageCacher::ReleaseSharedImageCacheLandscape() { release(landscape); }

void ImageCacher::insertIntoCache(UIImagePtr image, int tag) {
    if (!image) return;
    std::lock_guard<std::mutex> guard(lock_);
    if (images_.size() >= kCapacity) {
        int victim = 1000;
        if (!images_.empty() && images_.begin()->first < victim) victim = images_.begin()->first;
        images_.erase(victim);
    }
    images_[tag] = std::move(image);
}

UIImagePtr ImageCacher::getFromCache(int tag) const {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = images_.find(tag);
    return found == images_.end() ? nullptr : found->second;
}

// Locked like the other operations: removal races with insertion otherwise.
void ImageCacher::removeFromCache(int tag) {
    std::lock_guard<std::mutex> guard(lock_);
    images_.erase(tag);
}

void ImageCacher::clearCache() {
    std::lock_guard<std::mutex> guard(lock_);
    images_.clear();
}

void ImageCacher::memoryWarning() {
    std::lock_guard<std::mutex> guard(lock_);
    size_t drop = images_.size() / 2;
    while (drop-- > 0) images_.erase(images_.begin());
}

size_t ImageCacher::count() const {
    std::lock_guard<std::mutex> guard(lock_);
    return images_.size();
}
