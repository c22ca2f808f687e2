#pragma once
// A model loaded by toolkit URL requests: subclasses start requests in load() with this model
// as a delegate; the model tracks the request in flight, the time and cache key of the last
// completed load, and turns the request's callbacks into model announcements.

#include <optional>
#include <string>

#include "platform/foundation/NSDate.h"
#include "toolkit/controllers/TTModel.h"
#include "toolkit/network/TTURLRequest.h"

class TTURLRequestModel : public TTModel, public TTURLRequestDelegate {
 public:
  TTURLRequestModel() = default;
  ~TTURLRequestModel() override;

  bool isLoaded() const override { return loadedTime_.has_value(); }
  bool isLoading() const override { return loadingRequest_ != nullptr; }
  bool isLoadingMore() const override { return isLoadingMore_; }
  // Without a cache key, loaded at all; with one, loaded longer ago than the cache keeps data fresh.
  bool isOutdated() const override;
  void cancel() override;
  // Removes (erase) or marks stale the cached data of the last load, then forgets its key.
  void invalidate(bool erase) override;
  // Forgets the cache key and the time of the last load.
  void reset();

  const std::optional<NSDate>& loadedTime() const { return loadedTime_; }
  void setLoadedTime(std::optional<NSDate> time) { loadedTime_ = std::move(time); }
  const std::string& cacheKey() const { return cacheKey_; }
  void setCacheKey(std::string key) { cacheKey_ = std::move(key); }
  bool hasNoMore() const { return hasNoMore_; }
  void setHasNoMore(bool on) { hasNoMore_ = on; }
  TTURLRequest* loadingRequest() const { return loadingRequest_.get(); }

  void requestDidStartLoad(TTURLRequest* request) override;
  void requestDidFinishLoad(TTURLRequest* request) override;
  void requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) override;
  void requestDidCancelLoad(TTURLRequest* request) override;

 protected:
  bool isLoadingMore_ = false;

 private:
  TTURLRequestPtr loadingRequest_;
  std::optional<NSDate> loadedTime_;
  std::string cacheKey_;
  bool hasNoMore_ = false;
};
