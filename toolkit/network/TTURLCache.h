#pragma once
// The toolkit's two-level cache of URL content: response bodies on disk, one file per cache
// key judged fresh by its modification date, and decoded images in memory by URL, with a size
// limit per image, an optional pixel budget evicted oldest first, and a purge on memory
// warnings. It also resolves the "bundle://" and "documents://" forms and makes "temp:" URLs.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "platform/graphics/UIImage.h"

class TTURLCache {
 public:
  explicit TTURLCache(std::string cachePath = defaultCachePath());
  ~TTURLCache();
  TTURLCache(const TTURLCache&) = delete;
  TTURLCache& operator=(const TTURLCache&) = delete;

  static TTURLCache& sharedCache();
  static void setSharedCache(std::shared_ptr<TTURLCache> cache);
  // "<Caches>/Vantrel", created when missing.
  static std::string defaultCachePath();

  static std::string keyForURL(const std::string& url);
  static bool isLocalResourceURL(const std::string& url);
  // The file a "bundle://" or "documents://" URL names; empty when the path would leave its
  // folder or the URL is not a local one.
  static std::string localResourcePath(const std::string& url);

  std::string cachePathForURL(const std::string& url) const { return cachePathForKey(keyForURL(url)); }
  std::string cachePathForKey(const std::string& key) const;
  bool hasDataForURL(const std::string& url) const;
  std::optional<std::vector<uint8_t>> dataForURL(const std::string& url, double expires = 0,
                                                 NSDate* timestamp = nullptr) const;
  // The entry's bytes when present and not older than `expires` seconds (0: never stale).
  std::optional<std::vector<uint8_t>> dataForKey(const std::string& key, double expires, NSDate* timestamp) const;
  void storeData(const std::vector<uint8_t>& data, const std::string& key);
  void storeDataForURL(const std::vector<uint8_t>& data, const std::string& url) { storeData(data, keyForURL(url)); }

  // The memory image of a URL; with fromDisk, bundle and documents images are decoded on a miss.
  UIImagePtr imageForURL(const std::string& url, bool fromDisk = true);
  void storeImage(const UIImagePtr& image, const std::string& url, bool force = false);
  void expireImagesFromMemory();
  UIImagePtr loadImageFromBundle(const std::string& url) const;
  UIImagePtr loadImageFromDocuments(const std::string& url) const;

  std::string createTemporaryURL();
  std::string storeTemporaryData(const std::vector<uint8_t>& data);
  // Moves a file into the disk level; empty when it does not exist or cannot be moved.
  std::string storeTemporaryFile(const std::string& path);
  std::string storeTemporaryImage(const UIImagePtr& image, bool toDisk);
  void moveDataForURL(const std::string& oldURL, const std::string& newURL);

  void removeURL(const std::string& url, bool fromDisk);
  void removeKey(const std::string& key);
  void removeAll(bool fromDisk);
  void invalidateURL(const std::string& url) { invalidateKey(keyForURL(url)); }
  void invalidateKey(const std::string& key);
  void invalidateAll();
  void didReceiveMemoryWarning() { removeAll(false); }

  const std::string& cachePath() const { return cachePath_; }
  void setCachePath(std::string path) { cachePath_ = std::move(path); }
  bool disableDiskCache() const { return disableDiskCache_; }
  void setDisableDiskCache(bool on) { disableDiskCache_ = on; }
  bool disableImageCache() const { return disableImageCache_; }
  void setDisableImageCache(bool on) { disableImageCache_ = on; }
  uint32_t maxPixelCount() const { return maxPixelCount_; }
  void setMaxPixelCount(uint32_t pixels) { maxPixelCount_ = pixels; }
  double invalidationAge() const { return invalidationAge_; }
  void setInvalidationAge(double seconds) { invalidationAge_ = seconds; }
  uint32_t totalPixelCount() const { return totalPixelCount_; }
  const std::vector<std::string>& imageSortedList() const { return imageSortedList_; }

 private:
  std::string cachePath_;
  std::map<std::string, UIImagePtr> imageCache_;
  std::vector<std::string> imageSortedList_;  // oldest first; a URL stored twice is listed twice
  uint32_t totalPixelCount_ = 0;
  uint32_t maxPixelCount_ = 0;
  double invalidationAge_ = 86400;
  bool disableDiskCache_ = false;
  bool disableImageCache_ = false;
};
