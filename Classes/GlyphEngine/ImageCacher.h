#pragma once
// A small tag-keyed image cache, one for portrait and one for landscape.

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>

#include "platform/graphics/UIImage.h"

class ImageCacher {
public:
    static constexpr size_t kCapacity = 50;

    // Made on first use; released by the matching release call (holders keep theirs alive).
    static std::shared_ptr<ImageCacher> GetSharedImageCache();
    static std::shared_ptr<ImageCacher> GetSharedImageCacheLandscape();
    static void ReleaseSharedImageCache();
    static void ReleaseSharedImageCacheLandscape();

    // Ignores a missing image; when full, first drops the smallest tag below 1000 (or tag 1000).
    void insertIntoCache(UIImagePtr image, int tag);
    UIImagePtr getFromCache(int tag) const;
    void removeFromCache(int tag);
    void clearCache();
    // Drops the first half of the tags, in tag order.
    void memoryWarning();
    size_t count() const;

private:
    mutable std::mutex lock_;
    std::map<int, UIImagePtr> images_;
};
