#include "toolkit/network/TTURLRequestQueue.h"

#include <algorithm>

#include "platform/foundation/NSFileManager.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTUserInfo.h"

namespace {
std::shared_ptr<TTURLRequestQueue>& mainQueueHolder() {
  static std::shared_ptr<TTURLRequestQueue> queue;
  return queue;
}

void tellFailure(TTURLRequest& request, const NSError& error) {
  auto delegates = request.delegates();
  for (auto* d : delegates) d->requestDidFailLoadWithError(&request, error);
}
}  // namespace

TTURLRequestQueue::~TTURLRequestQueue() {
  if (loaderQueueTimer_) RunLoop::main().cancelTimer(loaderQueueTimer_);
  for (const auto& loader : loaders_) loader->abandon();
}

TTURLRequestQueue& TTURLRequestQueue::mainQueue() {
  auto& queue = mainQueueHolder();
  if (!queue) queue = std::make_shared<TTURLRequestQueue>();
  return *queue;
}

void TTURLRequestQueue::setMainQueue(std::shared_ptr<TTURLRequestQueue> queue) {
  auto& held = mainQueueHolder();
  if (held != queue) held = std::move(queue);
}

bool TTURLRequestQueue::sendRequest(const TTURLRequestPtr& request) {
  if (loadRequestFromCache(request)) return true;
  auto delegates = request->delegates();
  for (auto* d : delegates) d->requestDidStartLoad(request.get());
  if (request->URL().empty()) {
    tellFailure(*request, NSError::urlError(NSURLErrorBadURL));
    return false;
  }
  request->setIsLoading(true);
  if (!request->isPOST()) {
    if (auto loader = loaderForGET(request->cacheKey())) {
      loader->addRequest(request);
      return false;
    }
  }
  auto loader = std::make_shared<TTRequestLoader>(request, this);
  loaders_.push_back(loader);
  if (suspended_ || totalLoading_ >= kTTMaxConcurrentLoads) {
    loaderQueue_.push_back(loader);
  } else {
    ++totalLoading_;
    loader->load(request->URL());
  }
  return false;
}

bool TTURLRequestQueue::loadRequestFromCache(const TTURLRequestPtr& request) {
  std::string key = request->cacheKey();
  if (key.empty()) key = TTURLCache::keyForURL(request->URL());
  int policy = request->cachePolicy();
  if (!(policy & (TTURLRequestCachePolicyMemory | TTURLRequestCachePolicyDisk))) return false;
  bool fromDisk = (policy & TTURLRequestCachePolicyDisk) && !suspended_;
  auto answer = loadFromCache(request->URL(), key, request->cacheExpirationAge(), fromDisk);
  if (!answer) return false;
  request->setIsLoading(false);
  if (answer->error) {
    tellFailure(*request, *answer->error);
    return true;
  }
  std::optional<NSError> error;
  if (request->response()) error = request->response()->processResponse(*request, nullptr, *answer->data);
  if (error && answer->fromDiskCache) {
    // A damaged entry is a miss: it goes, and the request loads afresh.
    TTURLCache::sharedCache().removeKey(key);
    return false;
  }
  if (error) {
    tellFailure(*request, *error);
    return true;
  }
  request->setTimestamp(answer->timestamp);
  request->setRespondedFromCache(true);
  auto delegates = request->delegates();
  for (auto* d : delegates) d->requestDidFinishLoad(request.get());
  return true;
}

std::optional<TTURLRequestQueue::CacheAnswer> TTURLRequestQueue::loadFromCache(const std::string& url,
                                                                               const std::string& cacheKey,
                                                                               double expires, bool fromDisk) {
  TTURLCache& cache = TTURLCache::sharedCache();
  CacheAnswer answer;
  if (UIImagePtr image = cache.imageForURL(url, fromDisk)) {
    answer.data = image;
    return answer;
  }
  if (!fromDisk) return std::nullopt;
  if (TTURLCache::isLocalResourceURL(url)) {
    std::string path = TTURLCache::localResourcePath(url);
    auto bytes = path.empty() ? std::nullopt : NSFileManager::defaultManager().contentsAtPath(path);
    if (bytes) answer.data = std::move(*bytes);
    else answer.error = NSError(NSCocoaErrorDomain, NSFileReadNoSuchFileError, "No such file: " + url);
    return answer;
  }
  NSDate timestamp;
  auto bytes = cache.dataForKey(cacheKey, expires, &timestamp);
  if (!bytes) return std::nullopt;
  answer.data = std::move(*bytes);
  answer.timestamp = timestamp;
  answer.fromDiskCache = true;
  return answer;
}

void TTURLRequestQueue::executeLoader(const TTRequestLoaderPtr& loader) {
  int policy = loader->cachePolicy();
  if (policy & (TTURLRequestCachePolicyMemory | TTURLRequestCachePolicyDisk)) {
    bool fromDisk = policy & TTURLRequestCachePolicyDisk;
    if (auto answer = loadFromCache(loader->URL(), loader->cacheKey(), loader->cacheExpirationAge(), fromDisk)) {
      std::optional<NSError> error = answer->error;
      if (!error) error = loader->processResponse(nullptr, *answer->data);
      if (!(error && answer->fromDiskCache)) {
        forgetLoader(*loader);
        if (error) loader->dispatchError(*error);
        else loader->dispatchLoaded(answer->timestamp);
        return;
      }
      TTURLCache::sharedCache().removeKey(loader->cacheKey());  // damaged: load afresh
    }
  }
  ++totalLoading_;
  loader->load(loader->URL());
}

void TTURLRequestQueue::loadNextInQueue() {
  if (loaderQueueTimer_) RunLoop::main().cancelTimer(loaderQueueTimer_);
  loaderQueueTimer_ = 0;
  for (int i = 0; i < kTTMaxConcurrentLoads && totalLoading_ < kTTMaxConcurrentLoads && !loaderQueue_.empty(); ++i) {
    TTRequestLoaderPtr loader = loaderQueue_.front();
    loaderQueue_.pop_front();
    executeLoader(loader);
  }
  if (!loaderQueue_.empty() && !suspended_) loadNextInQueueDelayed();
}

void TTURLRequestQueue::loadNextInQueueDelayed() {
  if (loaderQueueTimer_) return;
  loaderQueueTimer_ = RunLoop::main().addTimer(kTTLoaderQueueDelay, [this] {
    loaderQueueTimer_ = 0;
    loadNextInQueue();
  }, this);
}

void TTURLRequestQueue::setSuspended(bool suspended) {
  suspended_ = suspended;
  if (suspended) {
    if (loaderQueueTimer_) RunLoop::main().cancelTimer(loaderQueueTimer_);
    loaderQueueTimer_ = 0;
  } else {
    loadNextInQueue();
  }
}

void TTURLRequestQueue::removeLoader(TTRequestLoader& loader) {
  --totalLoading_;
  forgetLoader(loader);
}

void TTURLRequestQueue::forgetLoader(TTRequestLoader& loader) {
  std::erase_if(loaders_, [&loader](const TTRequestLoaderPtr& l) { return l.get() == &loader; });
}

TTRequestLoaderPtr TTURLRequestQueue::loaderForGET(const std::string& cacheKey) const {
  for (auto it = loaders_.rbegin(); it != loaders_.rend(); ++it)
    if (!(*it)->isPOST() && (*it)->cacheKey() == cacheKey) return *it;
  return nullptr;
}

TTRequestLoaderPtr TTURLRequestQueue::loaderHolding(const TTURLRequest* request) const {
  for (const auto& loader : loaders_)
    if (loader->hasRequest(request)) return loader;
  return nullptr;
}

void TTURLRequestQueue::loaderDidLoadResponse(TTRequestLoader& loader, const NSHTTPURLResponse& response,
                                              const std::vector<uint8_t>& data) {
  auto held = loader.shared_from_this();
  removeLoader(loader);
  if (auto error = loader.processResponse(&response, data)) {
    loader.dispatchError(*error);
  } else {
    if (!(loader.cachePolicy() & TTURLRequestCachePolicyNoCache)) TTURLCache::sharedCache().storeData(data, loader.cacheKey());
    loader.dispatchLoaded(NSDate::date());
  }
  loadNextInQueue();
}

void TTURLRequestQueue::loaderDidFailLoadWithError(TTRequestLoader& loader, const NSError& error) {
  auto held = loader.shared_from_this();
  removeLoader(loader);
  loader.dispatchError(error);
  loadNextInQueue();
}

void TTURLRequestQueue::loaderDidCancel(TTRequestLoader& loader, bool wasLoading) {
  auto held = loader.shared_from_this();
  std::erase_if(loaderQueue_, [&loader](const TTRequestLoaderPtr& l) { return l.get() == &loader; });
  if (wasLoading) {
    removeLoader(loader);
    loadNextInQueue();
  } else {
    forgetLoader(loader);
  }
}

void TTURLRequestQueue::cancelRequest(TTURLRequest* request) {
  if (!request) return;
  TTRequestLoaderPtr loader = loaderHolding(request);
  if (!loader) return;
  if (!loader->cancel(request))
    std::erase_if(loaderQueue_, [&loader](const TTRequestLoaderPtr& l) { return l == loader; });
}

void TTURLRequestQueue::cancelRequestsWithDelegate(const void* delegate) {
  std::vector<TTURLRequestPtr> matching;
  for (const auto& loader : loaders_) {
    for (const auto& request : loader->requests()) {
      const auto& delegates = request->delegates();
      bool reports = std::any_of(delegates.begin(), delegates.end(),
                                 [delegate](TTURLRequestDelegate* d) {
                                   return static_cast<const void*>(d) == delegate || dynamic_cast<const void*>(d) == delegate;
                                 });
      auto* info = std::any_cast<std::shared_ptr<TTUserInfo>>(&request->userInfo());
      if (reports || (info && *info && (*info)->weak == delegate)) matching.push_back(request);
    }
  }
  for (const auto& request : matching) cancelRequest(request.get());
}

void TTURLRequestQueue::cancelAllRequests() {
  auto snapshot = loaders_;
  for (const auto& loader : snapshot) loader->cancel();
}

NSURLRequest TTURLRequestQueue::createNSURLRequest(TTURLRequest* request, const std::string& url) {
  NSURLRequest result(url.empty() && request ? request->URL() : url,
                      NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 300);
  result.setValue(userAgent_, "User-Agent");
  if (request) {
    result.setHTTPShouldHandleCookies(request->shouldHandleCookies());
    if (!request->httpMethod().empty()) result.setHTTPMethod(request->httpMethod());
    std::string type = request->contentType();
    if (!type.empty()) result.setValue(type, "Content-Type");
    if (auto body = request->httpBody()) result.setHTTPBody(std::move(*body));
  }
  return result;
}
