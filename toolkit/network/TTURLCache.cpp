#include "toolkit/network/TTURLCache.h"

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/network/TTMD5.h"

namespace {
std::shared_ptr<TTURLCache>& sharedHolder() {
  // The notification centre outlives the shared cache, which unsubscribes as it goes.
  NSNotificationCenter::defaultCenter();
  static std::shared_ptr<TTURLCache> cache;
  return cache;
}

int temporaryCounter = 0;

uint32_t pixelsOf(const UIImage& image) {
  CGSize size = image.size();
  double pixels = size.width * size.height;
  return pixels > 0 ? static_cast<uint32_t>(pixels) : 0;
}

// A relative path that stays inside its folder: no ".." part and not absolute.
bool staysInside(const std::string& relative) {
  if (relative.empty() || relative.front() == '/') return false;
  for (const auto& part : str::split(relative, "/"))
    if (part == "..") return false;
  return true;
}
}  // namespace

TTURLCache::TTURLCache(std::string cachePath) : cachePath_(std::move(cachePath)) {
  NSNotificationCenter::defaultCenter().addObserver(this, UIApplicationDidReceiveMemoryWarningNotification,
                                                    [this] { didReceiveMemoryWarning(); });
}

TTURLCache::~TTURLCache() { NSNotificationCenter::defaultCenter().removeObserver(this); }

TTURLCache& TTURLCache::sharedCache() {
  auto& cache = sharedHolder();
  if (!cache) cache = std::make_shared<TTURLCache>();
  return *cache;
}

void TTURLCache::setSharedCache(std::shared_ptr<TTURLCache> cache) {
  auto& held = sharedHolder();
  if (held != cache) held = std::move(cache);
}

std::string TTURLCache::defaultCachePath() {
  std::string path = Paths::caches() + "/Vantrel";
  if (!NSFileManager::defaultManager().fileExistsAtPath(path))
    (void)NSFileManager::defaultManager().createDirectoryAtPath(path, true);
  return path;
}

std::string TTURLCache::keyForURL(const std::string& url) { return TTMD5HexDigest(url); }

bool TTURLCache::isLocalResourceURL(const std::string& url) {
  return TTIsBundleResourceURL(url) || TTIsDocumentsResourceURL(url);
}

std::string TTURLCache::localResourcePath(const std::string& url) {
  if (TTIsBundleResourceURL(url)) {
    std::string relative = url.substr(9);
    return staysInside(relative) ? TTBundleResourcePath(relative) : std::string();
  }
  if (TTIsDocumentsResourceURL(url)) {
    std::string relative = url.substr(12);
    return staysInside(relative) ? TTDocumentsResourcePath(relative) : std::string();
  }
  return {};
}

std::string TTURLCache::cachePathForKey(const std::string& key) const { return cachePath_ + "/" + key; }

bool TTURLCache::hasDataForURL(const std::string& url) const {
  return NSFileManager::defaultManager().fileExistsAtPath(cachePathForURL(url));
}

std::optional<std::vector<uint8_t>> TTURLCache::dataForURL(const std::string& url, double expires,
                                                           NSDate* timestamp) const {
  return dataForKey(keyForURL(url), expires, timestamp);
}

std::optional<std::vector<uint8_t>> TTURLCache::dataForKey(const std::string& key, double expires,
                                                           NSDate* timestamp) const {
  auto& files = NSFileManager::defaultManager();
  std::string path = cachePathForKey(key);
  bool isDirectory = false;
  if (!files.fileExistsAtPath(path, &isDirectory) || isDirectory) return std::nullopt;
  auto modified = files.modificationDate(path);
  if (!modified) return std::nullopt;
  if (expires != 0 && modified->timeIntervalSinceNow() < -expires) return std::nullopt;
  auto bytes = files.contentsAtPath(path);
  if (bytes && timestamp) *timestamp = *modified;
  return bytes;
}

void TTURLCache::storeData(const std::vector<uint8_t>& data, const std::string& key) {
  if (disableDiskCache_) return;
  // Through a temporary file and a rename: an interrupted write never leaves a short entry.
  (void)NSFileManager::defaultManager().writeAtomically(cachePathForKey(key), data);
}

UIImagePtr TTURLCache::imageForURL(const std::string& url, bool fromDisk) {
  if (auto it = imageCache_.find(url); it != imageCache_.end()) return it->second;
  if (!fromDisk) return nullptr;
  UIImagePtr image;
  if (TTIsBundleResourceURL(url)) image = loadImageFromBundle(url);
  else if (TTIsDocumentsResourceURL(url)) image = loadImageFromDocuments(url);
  if (image) storeImage(image, url);
  return image;
}

UIImagePtr TTURLCache::loadImageFromBundle(const std::string& url) const {
  std::string path = localResourcePath(url);
  return path.empty() || !NSFileManager::defaultManager().fileExistsAtPath(path) ? nullptr
                                                                                 : UIImage::imageWithContentsOfFile(path);
}

UIImagePtr TTURLCache::loadImageFromDocuments(const std::string& url) const { return loadImageFromBundle(url); }

void TTURLCache::storeImage(const UIImagePtr& image, const std::string& url, bool force) {
  if (!image) return;
  if (!force && disableImageCache_) return;
  uint32_t pixels = pixelsOf(*image);
  if (!force && pixels > 239999) return;
  totalPixelCount_ += pixels;
  if (maxPixelCount_ != 0 && totalPixelCount_ > maxPixelCount_) expireImagesFromMemory();
  imageSortedList_.push_back(url);
  imageCache_[url] = image;
}

void TTURLCache::expireImagesFromMemory() {
  do {
    if (imageSortedList_.empty()) return;
    std::string url = imageSortedList_.front();
    if (auto it = imageCache_.find(url); it != imageCache_.end()) {
      totalPixelCount_ -= std::min(totalPixelCount_, pixelsOf(*it->second));
      imageCache_.erase(it);
    }
    imageSortedList_.erase(imageSortedList_.begin());
  } while (totalPixelCount_ > maxPixelCount_);
}

std::string TTURLCache::createTemporaryURL() { return "temp:" + std::to_string(temporaryCounter++); }

std::string TTURLCache::storeTemporaryData(const std::vector<uint8_t>& data) {
  std::string url = createTemporaryURL();
  storeDataForURL(data, url);
  return url;
}

std::string TTURLCache::storeTemporaryFile(const std::string& path) {
  auto& files = NSFileManager::defaultManager();
  if (path.empty() || !files.fileExistsAtPath(path)) return {};
  std::string url;
  do url = createTemporaryURL();
  while (files.fileExistsAtPath(cachePathForURL(url)));
  return files.moveItemAtPath(path, cachePathForURL(url)) ? url : std::string();
}

std::string TTURLCache::storeTemporaryImage(const UIImagePtr& image, bool) {
  std::string url = createTemporaryURL();
  storeImage(image, url, true);
  if (image) storeDataForURL(UIImagePNGRepresentation(*image), url);
  return url;
}

void TTURLCache::moveDataForURL(const std::string& oldURL, const std::string& newURL) {
  if (UIImagePtr image = imageForURL(oldURL)) {
    std::erase(imageSortedList_, oldURL);
    imageCache_.erase(oldURL);
    imageSortedList_.push_back(newURL);
    imageCache_[newURL] = image;
  }
  auto& files = NSFileManager::defaultManager();
  std::string oldPath = cachePathForURL(oldURL);
  if (files.fileExistsAtPath(oldPath)) (void)files.moveItemAtPath(oldPath, cachePathForURL(newURL));
}

void TTURLCache::removeURL(const std::string& url, bool fromDisk) {
  std::erase(imageSortedList_, url);
  imageCache_.erase(url);
  if (fromDisk) removeKey(keyForURL(url));
}

void TTURLCache::removeKey(const std::string& key) {
  auto& files = NSFileManager::defaultManager();
  std::string path = cachePathForKey(key);
  if (files.fileExistsAtPath(path)) (void)files.removeItemAtPath(path);
}

void TTURLCache::removeAll(bool fromDisk) {
  imageCache_.clear();
  imageSortedList_.clear();
  totalPixelCount_ = 0;
  if (fromDisk) {
    auto& files = NSFileManager::defaultManager();
    (void)files.removeItemAtPath(cachePath_);
    (void)files.createDirectoryAtPath(cachePath_, true);
  }
}

void TTURLCache::invalidateKey(const std::string& key) {
  auto& files = NSFileManager::defaultManager();
  std::string path = cachePathForKey(key);
  if (files.fileExistsAtPath(path))
    (void)files.setModificationDate(path, NSDate::dateWithTimeIntervalSinceNow(-invalidationAge_));
}

void TTURLCache::invalidateAll() {
  auto& files = NSFileManager::defaultManager();
  NSDate date = NSDate::dateWithTimeIntervalSinceNow(-invalidationAge_);
  if (auto paths = files.subpathsAtPath(cachePath_))
    for (const auto& relative : *paths) (void)files.setModificationDate(cachePath_ + "/" + relative, date);
}
