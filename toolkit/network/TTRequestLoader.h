#pragma once
// One network load for one cache key, shared by every request of that key: opens the
// connection, retries a host that cannot be found twice, refuses responses announced larger
// than the queue's limit, checks the status and tells every request and its delegates.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/NSURLConnection.h"
#include "toolkit/network/TTURLRequest.h"

class TTURLRequestQueue;

class TTRequestLoader : public NSURLConnectionDelegate, public std::enable_shared_from_this<TTRequestLoader> {
 public:
  TTRequestLoader(const TTURLRequestPtr& request, TTURLRequestQueue* queue);
  ~TTRequestLoader() override;

  const std::vector<TTURLRequestPtr>& requests() const { return requests_; }
  const std::string& URL() const { return url_; }
  const std::string& cacheKey() const { return cacheKey_; }
  int cachePolicy() const { return cachePolicy_; }
  double cacheExpirationAge() const { return cacheExpirationAge_; }
  bool isLoading() const { return connection_ != nullptr; }
  bool isPOST() const { return post_; }

  void addRequest(const TTURLRequestPtr& request) { requests_.push_back(request); }
  void removeRequest(TTURLRequest* request);
  bool hasRequest(const TTURLRequest* request) const;
  void load(const std::string& url);
  // Withdraws one request; true while others remain.
  bool cancel(TTURLRequest* request);
  void cancel();
  // Stops the connection without telling anyone (the queue is going away).
  void abandon();

  std::optional<NSError> processResponse(const NSHTTPURLResponse* response, const TTURLData& data);
  void dispatchLoadedBytes(int loaded, int expected);
  void dispatchLoaded(const std::optional<NSDate>& timestamp);
  void dispatchError(const NSError& error);

  void connectionDidReceiveResponse(NSURLConnection& connection, const NSHTTPURLResponse& response) override;
  void connectionDidReceiveData(NSURLConnection& connection, const std::vector<uint8_t>& data) override;
  void connectionDidSendBodyData(NSURLConnection& connection, long long bytesWritten, long long totalBytesWritten,
                                 long long totalBytesExpectedToWrite) override;
  void connectionDidFinishLoading(NSURLConnection& connection) override;
  void connectionDidFailWithError(NSURLConnection& connection, const NSError& error) override;

 private:
  void connectToURL(const std::string& url);
  void connectionFailed(const NSError& error);
  void endConnection();

  std::string url_;
  TTURLRequestQueue* queue_;  // unretained owner
  std::string cacheKey_;
  int cachePolicy_;
  double cacheExpirationAge_;
  bool post_;
  std::vector<TTURLRequestPtr> requests_;
  std::shared_ptr<NSURLConnection> connection_;
  std::optional<NSHTTPURLResponse> response_;
  std::vector<uint8_t> responseData_;
  int retriesLeft_ = 2;
  std::shared_ptr<TTRequestLoader> keepAlive_;  // held while a connection runs
};

using TTRequestLoaderPtr = std::shared_ptr<TTRequestLoader>;
