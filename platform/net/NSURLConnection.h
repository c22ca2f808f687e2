#pragma once
// A URL connection: runs a request on the network worker and calls its delegate on the main
// run loop, in order: response, data chunks, then either finish or failure. After cancel no
// delegate call follows. A running connection keeps itself alive until it ends.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/net/NSError.h"
#include "platform/net/NSURLRequest.h"

class NSURLConnection;

// Every operation optional. The connection does not retain its delegate: an owner that goes
// away first cancels the connection.
class NSURLConnectionDelegate {
 public:
  virtual ~NSURLConnectionDelegate() = default;
  virtual void connectionDidReceiveResponse(NSURLConnection& connection, const NSHTTPURLResponse& response) {}
  virtual void connectionDidReceiveData(NSURLConnection& connection, const std::vector<uint8_t>& data) {}
  virtual void connectionDidSendBodyData(NSURLConnection& connection, long long bytesWritten,
                                         long long totalBytesWritten, long long totalBytesExpectedToWrite) {}
  // A redirect to a scheme the network layer does not load (an app's own scheme, such as a login
  // callback). Return none to take the redirect response as the end of the load (finish);
  // returning the request (the default) fails the load as an unsupported URL.
  virtual std::optional<NSURLRequest> connectionWillSendRequest(NSURLConnection& connection,
                                                                const NSURLRequest& request,
                                                                const NSHTTPURLResponse& redirectResponse) {
    return request;
  }
  virtual void connectionDidFinishLoading(NSURLConnection& connection) {}
  virtual void connectionDidFailWithError(NSURLConnection& connection, const NSError& error) {}
};

class NSURLConnection : public std::enable_shared_from_this<NSURLConnection> {
 public:
  // Starts at once. Null only when the request has no URL at all; other bad requests fail
  // through the delegate on the main run loop.
  static std::shared_ptr<NSURLConnection> connectionWithRequest(const NSURLRequest& request,
                                                                NSURLConnectionDelegate* delegate);
  static std::shared_ptr<NSURLConnection> initWithRequest(const NSURLRequest& request,
                                                          NSURLConnectionDelegate* delegate,
                                                          bool startImmediately = true);
  ~NSURLConnection();

  void start();
  void cancel();
  const NSURLRequest& originalRequest() const { return request_; }
  // True from start until the finish, failure or cancel has been delivered.
  bool isLoading() const { return started_ && !ended_ && !cancelled_; }

  // Runs the request on the calling thread (blocking) and returns the body, or none on a
  // transport failure with `error` set. An HTTP error status still returns its body.
  static std::optional<std::vector<uint8_t>> sendSynchronousRequest(const NSURLRequest& request,
                                                                   NSHTTPURLResponse* response,
                                                                   NSError* error);

 private:
  friend class ConnectionTransfer;
  NSURLConnection(const NSURLRequest& request, NSURLConnectionDelegate* delegate);
  bool deliverable() const { return !cancelled_ && !ended_; }

  NSURLRequest request_;
  NSURLConnectionDelegate* delegate_;  // unretained
  std::shared_ptr<class ConnectionTransfer> transfer_;
  std::shared_ptr<NSURLConnection> keepAlive_;  // set while running
  bool started_ = false;
  bool ended_ = false;
  std::atomic<bool> cancelled_{false};
};
