#pragma once
// One HTTP transfer on libcurl and the loop that drives a set of them. The event hooks run on
// the thread that drives the loop; the connection class turns them into main-thread calls.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/NSError.h"
#include "platform/net/NSURLRequest.h"

struct CurlEasyDeleter { void operator()(void* easy) const; };
struct CurlSlistDeleter { void operator()(void* list) const; };
struct CurlMultiDeleter { void operator()(void* multi) const; };

class CurlTransfer {
 public:
  explicit CurlTransfer(NSURLRequest request);
  virtual ~CurlTransfer();

  // Sets up the easy handle; false with `error` set when the request cannot be sent at all.
  [[nodiscard]] bool prepare(NSError& error);

  // Seam for tests of name resolution: for a host, the address to connect to instead of asking
  // the resolver, an empty string for "host not found", or none to resolve as usual. Unset by
  // default.
  using HostResolver = std::function<std::optional<std::string>(const std::string& host)>;
  static void setHostResolver(HostResolver resolver);
  void* easy() const { return easy_.get(); }

  // Called by the loop.
  void noteActivity() { lastActivity_ = std::chrono::steady_clock::now(); }
  bool idleTooLong(std::chrono::steady_clock::time_point now) const;
  void complete(int curlCode);  // reports finish or failure
  void failTimedOut();
  bool ended() const { return ended_; }

 protected:
  virtual void onResponse(const NSHTTPURLResponse& response) = 0;
  virtual void onData(std::vector<uint8_t> bytes) = 0;
  virtual void onSentBody(long long sent, long long total) {}
  virtual void onFinish() = 0;
  virtual void onFail(const NSError& error) = 0;
  // A redirect to a scheme this layer does not load (an app's own scheme): the transfer stops
  // there with the redirect response.
  virtual void onRedirectOutside(const std::string& target, const NSHTTPURLResponse& response) = 0;

 private:
  static size_t headerCallback(char* data, size_t size, size_t count, void* self);
  static size_t writeCallback(char* data, size_t size, size_t count, void* self);
  static int progressCallback(void* self, long long dlTotal, long long dlNow, long long ulTotal, long long ulNow);
  void sendResponseOnce();

  NSURLRequest request_;
  std::unique_ptr<void, CurlEasyDeleter> easy_;
  std::unique_ptr<void, CurlSlistDeleter> headerList_;
  std::unique_ptr<void, CurlSlistDeleter> resolveList_;
  NSHTTPURLResponse response_;
  std::vector<std::string> setCookies_;
  bool inHeaderBlock_ = false;
  int blockStatus_ = 0;
  std::string redirectOutside_;
  bool responseSent_ = false;
  bool ended_ = false;
  long long lastUploaded_ = 0;
  std::chrono::steady_clock::time_point lastActivity_;
  std::chrono::duration<double> idleLimit_{60.0};
};

// Maps a libcurl result to the platform's URL error.
NSError urlErrorForCurlCode(int curlCode, const std::string& url);

// The process-wide worker that drives every asynchronous transfer with the multi interface.
class CurlEngine {
 public:
  static CurlEngine& shared();
  ~CurlEngine();

  void add(std::shared_ptr<CurlTransfer> transfer);
  void remove(const std::shared_ptr<CurlTransfer>& transfer);  // no event follows

  // Runs one transfer to its end on the calling thread.
  static void runToEnd(CurlTransfer& transfer);

 private:
  CurlEngine();
  void loop();

  std::mutex mutex_;
  std::vector<std::shared_ptr<CurlTransfer>> pendingAdd_;
  std::vector<std::shared_ptr<CurlTransfer>> pendingRemove_;
  std::unique_ptr<void, CurlMultiDeleter> multi_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};
