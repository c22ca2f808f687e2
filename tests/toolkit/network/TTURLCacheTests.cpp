#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "tests/toolkit/network/NetworkTestSupport.h"
#include "toolkit/network/TTURLCache.h"

namespace {
class TTURLCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock();
    RunLoop::main().setWallClock(static_cast<double>(std::time(nullptr)));
  }
  void age(const std::string& key, double seconds) {
    ASSERT_TRUE(NSFileManager::defaultManager().setModificationDate(cache.cachePathForKey(key),
                                                                    NSDate::dateWithTimeIntervalSinceNow(-seconds)));
  }
  TTURLCache cache;
  const std::vector<uint8_t> bytes{'b', 'o', 'd', 'y'};
};
}  // namespace

TEST_F(TTURLCacheTest, DiskEntriesByKeyWithFreshnessAndInvalidation) {
  EXPECT_EQ(cache.cachePath(), Paths::caches() + "/Vantrel");
  const std::string url = "http://127.0.0.1/x";
  const std::string key = TTURLCache::keyForURL(url);
  cache.storeData(bytes, key);
  EXPECT_TRUE(cache.hasDataForURL(url));
  EXPECT_EQ(NSFileManager::defaultManager().contentsAtPath(cache.cachePath() + "/" + key), bytes);
  age(key, 10);
  struct Case { double expires; bool fresh; } ages[] = {{0, true}, {60, true}, {5, false}};
  for (const auto& c : ages) EXPECT_EQ(cache.dataForKey(key, c.expires, nullptr).has_value(), c.fresh) << c.expires;

  NSDate stamp;
  ASSERT_TRUE(cache.dataForURL(url, 60, &stamp));
  EXPECT_NEAR(stamp.timeIntervalSinceNow(), -10, 1.5);

  cache.storeData(bytes, key);
  cache.invalidateKey(key);
  EXPECT_FALSE(cache.dataForKey(key, 3600, nullptr));
  EXPECT_TRUE(cache.dataForKey(key, 0, nullptr));

  cache.storeData(bytes, "other");
  cache.invalidateAll();
  EXPECT_FALSE(cache.dataForKey("other", 3600, nullptr));
  cache.removeKey(key);
  EXPECT_FALSE(cache.hasDataForURL(url));
}

TEST_F(TTURLCacheTest, WritesReplaceWholeFilesAndLeaveNoTemporaries) {
  cache.storeData(std::vector<uint8_t>(5000, 'a'), "k");
  cache.storeData(bytes, "k");
  EXPECT_EQ(cache.dataForKey("k", 0, nullptr), bytes);
  auto names = NSFileManager::defaultManager().contentsOfDirectoryAtPath(cache.cachePath());
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, std::vector<std::string>{"k"});
  cache.setDisableDiskCache(true);
  cache.storeData(bytes, "off");
  EXPECT_FALSE(cache.dataForKey("off", 0, nullptr));
}

TEST_F(TTURLCacheTest, ImageSizeLimitSwitchAndForce) {
  struct Case { int w, h; bool force, disabled, kept; } cases[] = {
      {600, 400, false, false, false},  // 240,000 pixels
      {599, 400, false, false, true},   {600, 400, true, false, true},
      {10, 10, false, true, false},     {10, 10, true, true, true},
  };
  int n = 0;
  for (const auto& c : cases) {
    cache.setDisableImageCache(c.disabled);
    std::string url = "u" + std::to_string(n++);
    cache.storeImage(makeImage(c.w, c.h), url, c.force);
    EXPECT_EQ(cache.imageForURL(url, false) != nullptr, c.kept) << url;
  }
}

TEST_F(TTURLCacheTest, PixelBudgetEvictsOldestFirstAndCountsRepeats) {
  cache.setMaxPixelCount(100000);
  for (const char* url : {"a", "b", "c"}) cache.storeImage(makeImage(200, 200), url);
  EXPECT_FALSE(cache.imageForURL("a", false));
  EXPECT_TRUE(cache.imageForURL("b", false));
  EXPECT_TRUE(cache.imageForURL("c", false));
  EXPECT_EQ(cache.totalPixelCount(), 80000u);

  cache.removeAll(false);
  cache.setMaxPixelCount(0);
  cache.storeImage(makeImage(10, 10), "same");
  cache.storeImage(makeImage(10, 10), "same");
  EXPECT_EQ(cache.totalPixelCount(), 200u);
  EXPECT_EQ(cache.imageSortedList().size(), 2u);
  cache.setMaxPixelCount(150);
  cache.expireImagesFromMemory();  // evicts the first entry, which removes the image
  EXPECT_FALSE(cache.imageForURL("same", false));
  EXPECT_EQ(cache.totalPixelCount(), 100u);
  cache.setMaxPixelCount(50);
  cache.expireImagesFromMemory();  // the second entry's image is gone already: nothing subtracted
  EXPECT_EQ(cache.totalPixelCount(), 100u);
  EXPECT_TRUE(cache.imageSortedList().empty());
}

TEST_F(TTURLCacheTest, LocalImagesDecodeOnceAndStayInTheirFolders) {
  auto png = pngBytes(5, 5);
  ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(Paths::documents() + "/pic.png", png));
  UIImagePtr image = cache.imageForURL("documents://pic.png");
  ASSERT_TRUE(image);
  ASSERT_TRUE(NSFileManager::defaultManager().removeItemAtPath(Paths::documents() + "/pic.png"));
  EXPECT_EQ(cache.imageForURL("documents://pic.png"), image);
  EXPECT_FALSE(cache.imageForURL("documents://missing.png"));
  EXPECT_FALSE(cache.imageForURL("http://127.0.0.1/pic.png"));
  EXPECT_EQ(TTURLCache::localResourcePath("documents://../outside.png"), "");
  EXPECT_EQ(TTURLCache::localResourcePath("bundle:///etc/passwd"), "");
  EXPECT_EQ(TTURLCache::localResourcePath("bundle://img/a.png"), Paths::bundle() + "/img/a.png");
}

TEST_F(TTURLCacheTest, TemporaryURLsCountFromZero) {
  EXPECT_EQ(cache.createTemporaryURL(), "temp:0");
  std::string url = cache.storeTemporaryData(bytes);
  EXPECT_EQ(url, "temp:1");
  EXPECT_EQ(cache.dataForURL(url), bytes);
  std::string imageURL = cache.storeTemporaryImage(makeImage(700, 700), false);  // forced past the limit
  EXPECT_TRUE(cache.imageForURL(imageURL, false));
  EXPECT_TRUE(cache.hasDataForURL(imageURL));

  std::string file = Paths::temp() + "/moved.bin";
  ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(file, bytes));
  std::string moved = cache.storeTemporaryFile(file);
  EXPECT_EQ(cache.dataForURL(moved), bytes);
  EXPECT_FALSE(NSFileManager::defaultManager().fileExistsAtPath(file));
  EXPECT_EQ(cache.storeTemporaryFile(file), "");

  cache.moveDataForURL(imageURL, "http://127.0.0.1/final");
  EXPECT_TRUE(cache.imageForURL("http://127.0.0.1/final", false));
  EXPECT_FALSE(cache.imageForURL(imageURL, false));
  EXPECT_TRUE(cache.hasDataForURL("http://127.0.0.1/final"));
}

TEST_F(TTURLCacheTest, MemoryWarningEmptiesMemoryOnly) {
  cache.storeImage(makeImage(4, 4), "m");
  cache.storeData(bytes, "d");
  NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidReceiveMemoryWarningNotification);
  EXPECT_FALSE(cache.imageForURL("m", false));
  EXPECT_EQ(cache.totalPixelCount(), 0u);
  EXPECT_TRUE(cache.dataForKey("d", 0, nullptr));
  cache.removeAll(true);
  EXPECT_FALSE(cache.dataForKey("d", 0, nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(cache.cachePath()));
}

TEST_F(TTURLCacheTest, UnreadableEntryIsAMiss) {
  std::filesystem::create_directories(cache.cachePathForKey("dir"));
  EXPECT_FALSE(cache.dataForKey("dir", 0, nullptr));
}
