#include "platform/net/NSURLConnection.h"

#include "platform/foundation/RunLoop.h"
#include "platform/net/CurlTransfer.h"

// Bridges the worker's events to main-thread delegate calls.
class ConnectionTransfer : public CurlTransfer {
 public:
  ConnectionTransfer(const NSURLRequest& request, std::weak_ptr<NSURLConnection> owner)
      : CurlTransfer(request), owner_(std::move(owner)) {}

  // Runs `call` on the main loop with the connection, unless it was cancelled meanwhile.
  template <class F>
  void toMain(F call) {
    auto connection = owner_.lock();
    if (!connection || connection->cancelled_) return;
    // Moved, not copied: this worker thread must not hold the connection past the delivery.
    RunLoop::main().post([connection = std::move(connection), call = std::move(call)]() mutable {
      if (!connection->deliverable() || !connection->delegate_) return;
      call(*connection);
    });
  }

  void onResponse(const NSHTTPURLResponse& response) override {
    toMain([response](NSURLConnection& c) { c.delegate_->connectionDidReceiveResponse(c, response); });
  }
  void onData(std::vector<uint8_t> bytes) override {
    toMain([bytes = std::move(bytes)](NSURLConnection& c) { c.delegate_->connectionDidReceiveData(c, bytes); });
  }
  void onSentBody(long long sent, long long total) override {
    long long delta = sent - reportedSent_;
    reportedSent_ = sent;
    toMain([delta, sent, total](NSURLConnection& c) {
      c.delegate_->connectionDidSendBodyData(c, delta, sent, total);
    });
  }
  void onFinish() override { endWith([](NSURLConnection& c) { c.delegate_->connectionDidFinishLoading(c); }); }
  void onFail(const NSError& error) override {
    endWith([error](NSURLConnection& c) { c.delegate_->connectionDidFailWithError(c, error); });
  }
  void onRedirectOutside(const std::string& target, const NSHTTPURLResponse& response) override {
    endWith([target, response](NSURLConnection& c) {
      NSURLRequest next(target);
      if (c.delegate_->connectionWillSendRequest(c, next, response)) {
        c.delegate_->connectionDidFailWithError(c, NSError::urlError(NSURLErrorUnsupportedURL, target));
      } else {
        c.delegate_->connectionDidReceiveResponse(c, response);
        c.delegate_->connectionDidFinishLoading(c);
      }
    });
  }

 private:
  template <class F>
  void endWith(F call) {
    auto connection = owner_.lock();
    if (!connection) return;
    // The last event: the posted call holds the connection until it has been delivered (moved,
    // so that this worker thread does not hold it past the delivery).
    RunLoop::main().post([connection = std::move(connection), call = std::move(call)]() mutable {
      if (!connection->deliverable()) return;
      connection->ended_ = true;
      connection->transfer_.reset();
      connection->keepAlive_.reset();  // `connection` holds it through the delegate call
      if (connection->delegate_) call(*connection);
    });
  }

  std::weak_ptr<NSURLConnection> owner_;
  long long reportedSent_ = 0;
};

NSURLConnection::NSURLConnection(const NSURLRequest& request, NSURLConnectionDelegate* delegate)
    : request_(request), delegate_(delegate) {}

NSURLConnection::~NSURLConnection() = default;

std::shared_ptr<NSURLConnection> NSURLConnection::connectionWithRequest(const NSURLRequest& request,
                                                                        NSURLConnectionDelegate* delegate) {
  return initWithRequest(request, delegate, true);
}

std::shared_ptr<NSURLConnection> NSURLConnection::initWithRequest(const NSURLRequest& request,
                                                                  NSURLConnectionDelegate* delegate,
                                                                  bool startImmediately) {
  if (request.URL().empty()) return nullptr;
  std::shared_ptr<NSURLConnection> c(new NSURLConnection(request, delegate));
  if (startImmediately) c->start();
  return c;
}

void NSURLConnection::start() {
  if (started_ || cancelled_) return;
  started_ = true;
  keepAlive_ = shared_from_this();
  auto transfer = std::make_shared<ConnectionTransfer>(request_, weak_from_this());
  NSError error;
  if (!transfer->prepare(error)) {
    // Reported like any other failure, on a later turn of the main loop.
    transfer_ = transfer;
    transfer->onFail(error);
    return;
  }
  transfer_ = transfer;
  CurlEngine::shared().add(transfer);
}

void NSURLConnection::cancel() {
  if (cancelled_) return;
  cancelled_ = true;
  if (transfer_) {
    CurlEngine::shared().remove(transfer_);
    transfer_.reset();
  }
  auto self = std::move(keepAlive_);  // may be the last reference; released on return
}

namespace {
class SyncTransfer : public CurlTransfer {
 public:
  using CurlTransfer::CurlTransfer;
  std::vector<uint8_t> body;
  NSHTTPURLResponse response;
  std::optional<NSError> error;

  void onResponse(const NSHTTPURLResponse& r) override { response = r; }
  void onData(std::vector<uint8_t> bytes) override { body.insert(body.end(), bytes.begin(), bytes.end()); }
  void onFinish() override {}
  void onFail(const NSError& e) override { error = e; }
  void onRedirectOutside(const std::string& target, const NSHTTPURLResponse& r) override {
    response = r;
    error = NSError::urlError(NSURLErrorUnsupportedURL, target);
  }
};
}  // namespace

std::optional<std::vector<uint8_t>> NSURLConnection::sendSynchronousRequest(const NSURLRequest& request,
                                                                           NSHTTPURLResponse* response,
                                                                           NSError* error) {
  SyncTransfer transfer(request);
  NSError prepError;
  if (!transfer.prepare(prepError)) {
    if (error) *error = prepError;
    return std::nullopt;
  }
  CurlEngine::runToEnd(transfer);
  if (response) *response = transfer.response;
  if (transfer.error) {
    if (error) *error = *transfer.error;
    return std::nullopt;
  }
  return std::move(transfer.body);
}
