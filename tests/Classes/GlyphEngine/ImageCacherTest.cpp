// The tag-keyed image cache.
#include <gtest/gtest.h>

#include "Classes/GlyphEngine/ImageCacher.h"
#include "platform/graphics/CGContext.h"

namespace {

UIImagePtr dot() {
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(2, 2), false, 1.0);
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

TEST(ImageCacherTest, FullCacheDropsTheSmallestTagBelow1000) {
    ImageCacher cache;
    const UIImagePtr image = dot();
    cache.insertIntoCache(nullptr, 1);
    EXPECT_EQ(cache.count(), 0u);
    for (int tag = 1000; tag < 1000 + 45; ++tag) cache.insertIntoCache(image, tag);
    for (int tag : {7, 3, 900, 5, 2000}) cache.insertIntoCache(image, tag);
    ASSERT_EQ(cache.count(), 50u);
    cache.insertIntoCache(image, 1);   // drops 3, the smallest below 1000
    EXPECT_EQ(cache.getFromCache(3), nullptr);
    EXPECT_NE(cache.getFromCache(1), nullptr);
    for (int tag : {1, 5, 7, 900}) cache.removeFromCache(tag);
    cache.insertIntoCache(image, 4000);
    cache.insertIntoCache(image, 4001);
    cache.insertIntoCache(image, 4002);
    cache.insertIntoCache(image, 4003);
    ASSERT_EQ(cache.count(), 50u);
    cache.insertIntoCache(image, 4004);   // none below 1000: tag 1000 goes
    EXPECT_EQ(cache.getFromCache(1000), nullptr);
    EXPECT_EQ(cache.count(), 50u);
}

TEST(ImageCacherTest, MemoryWarningDropsTheFirstHalfAndSharedInstancesAreReleased) {
    ImageCacher cache;
    for (int tag = 1; tag <= 9; ++tag) cache.insertIntoCache(dot(), tag);
    cache.memoryWarning();
    EXPECT_EQ(cache.count(), 5u);
    EXPECT_EQ(cache.getFromCache(4), nullptr);
    EXPECT_NE(cache.getFromCache(5), nullptr);
    cache.clearCache();
    EXPECT_EQ(cache.count(), 0u);

    auto shared = ImageCacher::GetSharedImageCache();
    EXPECT_EQ(ImageCacher::GetSharedImageCache(), shared);
    EXPECT_NE(ImageCacher::GetSharedImageCacheLandscape(), shared);
    ImageCacher::ReleaseSharedImageCache();
    EXPECT_NE(ImageCacher::GetSharedImageCache(), shared);
    ImageCacher::ReleaseSharedImageCache();
    ImageCacher::ReleaseSharedImageCacheLandscape();
}

}  // namespace
