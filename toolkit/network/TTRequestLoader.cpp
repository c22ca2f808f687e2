#include "toolkit/network/TTRequestLoader.h"

#include <algorithm>

#include "platform/foundation/StringUtils.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/network/TTURLRequestQueue.h"

TTRequestLoader::TTRequestLoader(const TTURLRequestPtr& request, TTURLRequestQueue* queue)
    : url_(request->URL()),
      queue_(queue),
      cacheKey_(request->cacheKey()),
      cachePolicy_(request->cachePolicy()),
      cacheExpirationAge_(request->cacheExpirationAge()),
      post_(request->isPOST()) {
  addRequest(request);
}

TTRequestLoader::~TTRequestLoader() {
  if (connection_) connection_->cancel();
}

void TTRequestLoader::removeRequest(TTURLRequest* request) {
  std::erase_if(requests_, [request](const TTURLRequestPtr& r) { return r.get() == request; });
}

bool TTRequestLoader::hasRequest(const TTURLRequest* request) const {
  return std::any_of(requests_.begin(), requests_.end(), [request](const TTURLRequestPtr& r) { return r.get() == request; });
}

void TTRequestLoader::load(const std::string& url) {
  if (!connection_) connectToURL(url);
}

void TTRequestLoader::connectToURL(const std::string& url) {
  TTNetworkActivityBegan();
  TTURLRequest* only = requests_.size() == 1 ? requests_.front().get() : nullptr;
  NSURLRequest request = queue_->createNSURLRequest(only, url);
  keepAlive_ = shared_from_this();
  connection_ = NSURLConnection::connectionWithRequest(request, this);
  // No URL at all: reported like a failed connection.
  if (!connection_) connectionFailed(NSError::urlError(NSURLErrorBadURL, url));
}

void TTRequestLoader::endConnection() {
  connection_.reset();
  responseData_.clear();
  responseData_.shrink_to_fit();
  keepAlive_.reset();  // callers hold their own reference for the rest of the call
}

bool TTRequestLoader::cancel(TTURLRequest* request) {
  if (hasRequest(request)) {
    TTURLRequestPtr held;
    for (const auto& r : requests_)
      if (r.get() == request) held = r;
    request->setIsLoading(false);
    auto delegates = request->delegates();
    for (auto* d : delegates) d->requestDidCancelLoad(request);
    removeRequest(request);
  }
  if (!requests_.empty()) return true;
  auto self = shared_from_this();
  bool wasLoading = connection_ != nullptr;
  queue_->loaderDidCancel(*this, wasLoading);
  if (wasLoading) {
    TTNetworkActivityEnded();
    connection_->cancel();
    endConnection();
  }
  return false;
}

void TTRequestLoader::cancel() {
  auto snapshot = requests_;
  for (const auto& request : snapshot) cancel(request.get());
}

void TTRequestLoader::abandon() {
  if (!connection_) return;
  auto self = shared_from_this();
  TTNetworkActivityEnded();
  connection_->cancel();
  endConnection();
}

std::optional<NSError> TTRequestLoader::processResponse(const NSHTTPURLResponse* response, const TTURLData& data) {
  auto snapshot = requests_;
  for (const auto& request : snapshot) {
    if (!request->response()) continue;
    if (auto error = request->response()->processResponse(*request, response, data)) return error;
  }
  return std::nullopt;
}

void TTRequestLoader::dispatchLoadedBytes(int loaded, int expected) {
  auto snapshot = requests_;
  for (const auto& request : snapshot) {
    request->setTotalBytesLoaded(loaded);
    request->setTotalBytesExpected(expected);
    auto delegates = request->delegates();
    for (auto* d : delegates) d->requestDidUploadData(request.get());
  }
}

void TTRequestLoader::dispatchLoaded(const std::optional<NSDate>& timestamp) {
  auto snapshot = requests_;
  for (const auto& request : snapshot) {
    request->setTimestamp(timestamp);
    request->setIsLoading(false);
    auto delegates = request->delegates();
    for (auto* d : delegates) d->requestDidFinishLoad(request.get());
  }
}

void TTRequestLoader::dispatchError(const NSError& error) {
  auto snapshot = requests_;
  for (const auto& request : snapshot) {
    request->setIsLoading(false);
    auto delegates = request->delegates();
    for (auto* d : delegates) d->requestDidFailLoadWithError(request.get(), error);
  }
}

void TTRequestLoader::connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) {
  response_ = response;
  std::string header = response.valueForHTTPHeaderField("Content-Length");
  long long length = header.empty() ? 0 : str::toLongLong(header);
  unsigned limit = queue_->maxContentLength();
  if (limit != 0 && length > 0 && static_cast<unsigned long long>(length) > limit) {
    cancel();
    return;
  }
  responseData_.clear();
  // The announced length is only a hint: the buffer grows with what arrives.
  if (length > 0) responseData_.reserve(static_cast<size_t>(std::min<long long>(length, 1 << 20)));
}

void TTRequestLoader::connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) {
  responseData_.insert(responseData_.end(), data.begin(), data.end());
}

void TTRequestLoader::connectionDidSendBodyData(NSURLConnection&, long long, long long totalBytesWritten,
                                                long long totalBytesExpectedToWrite) {
  dispatchLoadedBytes(static_cast<int>(totalBytesWritten), static_cast<int>(totalBytesExpectedToWrite));
}

void TTRequestLoader::connectionDidFinishLoading(NSURLConnection&) {
  auto self = shared_from_this();
  TTNetworkActivityEnded();
  std::vector<uint8_t> data = std::move(responseData_);
  NSHTTPURLResponse response = response_.value_or(NSHTTPURLResponse());
  endConnection();
  if (response.statusCode() == 200) queue_->loaderDidLoadResponse(*this, response, data);
  else queue_->loaderDidFailLoadWithError(*this, NSError(NSURLErrorDomain, response.statusCode()));
}

void TTRequestLoader::connectionDidFailWithError(NSURLConnection&, const NSError& error) { connectionFailed(error); }

void TTRequestLoader::connectionFailed(const NSError& error) {
  auto self = shared_from_this();
  TTNetworkActivityEnded();
  endConnection();
  if (error.domain == NSURLErrorDomain && error.code == NSURLErrorCannotFindHost && retriesLeft_ > 0) {
    --retriesLeft_;
    load(url_);
  } else {
    queue_->loaderDidFailLoadWithError(*this, error);
  }
}
