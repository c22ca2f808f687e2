#pragma once
// The process-wide queue that carries out every toolkit request on the main thread: answers
// from the caches when it can, shares one load among GET requests of the same cache key, runs
// at most five loads at once and keeps the rest in a backlog, drained when a load ends, on
// resume, or by a 0.3 s timer after a drain that left work.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "toolkit/network/TTRequestLoader.h"
#include "toolkit/network/TTURLRequest.h"

inline constexpr int kTTMaxConcurrentLoads = 5;
inline constexpr double kTTLoaderQueueDelay = 0.3;

class TTURLRequestQueue {
 public:
  TTURLRequestQueue() = default;
  ~TTURLRequestQueue();
  TTURLRequestQueue(const TTURLRequestQueue&) = delete;
  TTURLRequestQueue& operator=(const TTURLRequestQueue&) = delete;

  static TTURLRequestQueue& mainQueue();
  static void setMainQueue(std::shared_ptr<TTURLRequestQueue> queue);

  // True when answered at once from a cache (its delegates have then been told).
  bool sendRequest(const TTURLRequestPtr& request);
  void cancelRequest(TTURLRequest* request);
  // Every request that reports to the object, or whose user info holds it as its weak object.
  void cancelRequestsWithDelegate(const void* delegate);
  void cancelAllRequests();
  // The platform request for a request alone, or a plain GET of the URL when shared.
  NSURLRequest createNSURLRequest(TTURLRequest* request, const std::string& url);

  bool suspended() const { return suspended_; }
  void setSuspended(bool suspended);
  unsigned maxContentLength() const { return maxContentLength_; }
  void setMaxContentLength(unsigned bytes) { maxContentLength_ = bytes; }
  const std::string& userAgent() const { return userAgent_; }
  void setUserAgent(std::string agent) { userAgent_ = std::move(agent); }
  double imageCompressionQuality() const { return imageCompressionQuality_; }
  void setImageCompressionQuality(double quality) { imageCompressionQuality_ = quality; }

  int totalLoading() const { return totalLoading_; }
  size_t backlogCount() const { return loaderQueue_.size(); }
  size_t loaderCount() const { return loaders_.size(); }

  // From a loader when its load ends.
  void loaderDidLoadResponse(TTRequestLoader& loader, const NSHTTPURLResponse& response, const std::vector<uint8_t>& data);
  void loaderDidFailLoadWithError(TTRequestLoader& loader, const NSError& error);
  void loaderDidCancel(TTRequestLoader& loader, bool wasLoading);

 private:
  struct CacheAnswer {
    std::optional<TTURLData> data;
    std::optional<NSError> error;
    std::optional<NSDate> timestamp;
    bool fromDiskCache = false;  // the toolkit's disk cache, not a bundle or documents file
  };
  bool loadRequestFromCache(const TTURLRequestPtr& request);
  std::optional<CacheAnswer> loadFromCache(const std::string& url, const std::string& cacheKey, double expires,
                                           bool fromDisk);
  void executeLoader(const TTRequestLoaderPtr& loader);
  void loadNextInQueue();
  void loadNextInQueueDelayed();
  void removeLoader(TTRequestLoader& loader);
  void forgetLoader(TTRequestLoader& loader);
  TTRequestLoaderPtr loaderForGET(const std::string& cacheKey) const;
  TTRequestLoaderPtr loaderHolding(const TTURLRequest* request) const;

  // Every loader that loads or waits, oldest first. Identical POSTs each have their own.
  std::vector<TTRequestLoaderPtr> loaders_;
  std::deque<TTRequestLoaderPtr> loaderQueue_;
  RunLoop::TimerId loaderQueueTimer_ = 0;
  int totalLoading_ = 0;
  unsigned maxContentLength_ = 150000;
  std::string userAgent_ =
      "Mozilla/5.0 (iPhone; U; CPU iPhone OS 2_2 like Mac OS X; en-us) AppleWebKit/525.181 (KHTML, like Gecko) "
      "Version/3.1.1 Mobile/5H11 Safari/525.20";
  double imageCompressionQuality_ = 0.75;
  bool suspended_ = false;
};
