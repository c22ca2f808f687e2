#include "toolkit/controllers/TTURLRequestModel.h"

#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLRequestQueue.h"

TTURLRequestModel::~TTURLRequestModel() {
  TTURLRequestQueue::mainQueue().cancelRequestsWithDelegate(static_cast<TTURLRequestDelegate*>(this));
  if (TTURLRequestPtr request = std::move(loadingRequest_)) request->cancel();
}

bool TTURLRequestModel::isOutdated() const {
  if (cacheKey_.empty()) return loadedTime_.has_value();
  if (!loadedTime_) return false;
  return -loadedTime_->timeIntervalSinceNow() > TTURLCache::sharedCache().invalidationAge();
}

void TTURLRequestModel::cancel() {
  if (TTURLRequestPtr request = loadingRequest_) request->cancel();
}

void TTURLRequestModel::invalidate(bool erase) {
  if (cacheKey_.empty()) return;
  if (erase) {
    TTURLCache::sharedCache().removeKey(cacheKey_);
  } else {
    TTURLCache::sharedCache().invalidateKey(cacheKey_);
  }
  cacheKey_.clear();
}

void TTURLRequestModel::reset() {
  cacheKey_.clear();
  loadedTime_.reset();
}

void TTURLRequestModel::requestDidStartLoad(TTURLRequest* request) {
  loadingRequest_ = request ? request->shared_from_this() : nullptr;
  didStartLoad();
}

void TTURLRequestModel::requestDidFinishLoad(TTURLRequest* request) {
  if (!isLoadingMore_ && request) {
    loadedTime_ = request->timestamp() ? request->timestamp() : std::optional<NSDate>(NSDate::date());
    cacheKey_ = request->cacheKey();
  }
  loadingRequest_.reset();
  didFinishLoad();
}

void TTURLRequestModel::requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) {
  loadingRequest_.reset();
  didFailLoadWithError(error);
}

void TTURLRequestModel::requestDidCancelLoad(TTURLRequest* request) {
  loadingRequest_.reset();
  didCancelLoad();
}
