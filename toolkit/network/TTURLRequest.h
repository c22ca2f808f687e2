#pragma once
// One HTTP request for the toolkit's queue: URL, method, form parameters and files, cache
// rules, the response object that interprets the bytes and the delegates that hear of it.

#include <any>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "platform/graphics/UIImage.h"
#include "platform/net/NSError.h"
#include "platform/net/NSURLRequest.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/network/TTURLResponse.h"

class TTURLRequest;

// Every operation optional.
class TTURLRequestDelegate {
 public:
  virtual ~TTURLRequestDelegate() = default;
  virtual void requestDidStartLoad(TTURLRequest* request) {}
  virtual void requestDidUploadData(TTURLRequest* request) {}
  virtual void requestDidFinishLoad(TTURLRequest* request) {}
  virtual void requestDidFailLoadWithError(TTURLRequest* request, const NSError& error) {}
  virtual void requestDidCancelLoad(TTURLRequest* request) {}
};

// Cache policy bits.
enum : int {
  TTURLRequestCachePolicyNone = 0,
  TTURLRequestCachePolicyMemory = 1,
  TTURLRequestCachePolicyDisk = 2,
  TTURLRequestCachePolicyNetwork = 4,
  TTURLRequestCachePolicyNoCache = 8,
  TTURLRequestCachePolicyDefault = TTURLRequestCachePolicyMemory | TTURLRequestCachePolicyDisk | TTURLRequestCachePolicyNetwork,
};

inline constexpr const char* kTTMultipartBoundary = "3i2ndDfv2rTHiSisAbouNdArYfORhtTPEefj3q2f";

class TTURLRequest : public std::enable_shared_from_this<TTURLRequest> {
 public:
  using Parameter = std::variant<std::string, UIImagePtr>;
  struct File {
    std::vector<uint8_t> data;
    std::string mimeType;
    std::string fileName;
  };

  TTURLRequest() = default;
  TTURLRequest(std::string url, TTURLRequestDelegate* delegate);
  static std::shared_ptr<TTURLRequest> request() { return std::make_shared<TTURLRequest>(); }
  static std::shared_ptr<TTURLRequest> requestWithURL(std::string url, TTURLRequestDelegate* delegate) {
    return std::make_shared<TTURLRequest>(std::move(url), delegate);
  }

  std::string description() const { return "<TTURLRequest " + url_ + ">"; }
  static std::string md5HexDigest(const std::string& text);
  std::string generateCacheKey();
  // The multipart form body of the parameters and files.
  std::vector<uint8_t> generatePostBody() const;

  const std::string& URL() const { return url_; }
  void setURL(std::string url) { url_ = std::move(url); }
  const std::string& httpMethod() const { return httpMethod_; }  // empty means GET
  void setHttpMethod(std::string method) { httpMethod_ = std::move(method); }
  // The body set, else the multipart body for POST (built once and kept), else none.
  std::optional<std::vector<uint8_t>> httpBody();
  void setHttpBody(std::vector<uint8_t> body) { httpBody_ = std::move(body); }
  std::map<std::string, Parameter>& parameters() { return parameters_; }
  // The type set, else the multipart type for POST, else empty.
  std::string contentType() const;
  void setContentType(std::string type) { contentType_ = std::move(type); }
  TTUnretainedArray<TTURLRequestDelegate>& delegates() { return delegates_; }
  const std::vector<File>& files() const { return files_; }
  void addFile(std::vector<uint8_t> data, std::string mimeType, std::string fileName);
  const std::shared_ptr<TTURLResponse>& response() const { return response_; }
  void setResponse(std::shared_ptr<TTURLResponse> response) { response_ = std::move(response); }
  int cachePolicy() const { return cachePolicy_; }
  void setCachePolicy(int policy) { cachePolicy_ = policy; }
  double cacheExpirationAge() const { return cacheExpirationAge_; }
  void setCacheExpirationAge(double seconds) { cacheExpirationAge_ = seconds; }
  // Generated on first read and kept.
  const std::string& cacheKey();
  void setCacheKey(std::string key) { cacheKey_ = std::move(key); }
  const std::optional<NSDate>& timestamp() const { return timestamp_; }
  void setTimestamp(std::optional<NSDate> date) { timestamp_ = date; }
  int totalBytesLoaded() const { return totalBytesLoaded_; }
  void setTotalBytesLoaded(int n) { totalBytesLoaded_ = n; }
  int totalBytesExpected() const { return totalBytesExpected_; }
  void setTotalBytesExpected(int n) { totalBytesExpected_ = n; }
  const std::any& userInfo() const { return userInfo_; }
  void setUserInfo(std::any info) { userInfo_ = std::move(info); }
  bool isLoading() const { return isLoading_; }
  void setIsLoading(bool loading) { isLoading_ = loading; }
  bool shouldHandleCookies() const { return shouldHandleCookies_; }
  void setShouldHandleCookies(bool on) { shouldHandleCookies_ = on; }
  bool respondedFromCache() const { return respondedFromCache_; }
  void setRespondedFromCache(bool on) { respondedFromCache_ = on; }
  bool isPOST() const { return httpMethod_ == "POST"; }

  // Through the main queue: true when answered at once from a cache.
  bool send();
  void cancel();
  NSURLRequest createNSURLRequest();

 private:
  std::string url_;
  std::string httpMethod_;
  std::optional<std::vector<uint8_t>> httpBody_;
  std::map<std::string, Parameter> parameters_;
  std::string contentType_;
  TTUnretainedArray<TTURLRequestDelegate> delegates_;
  std::vector<File> files_;
  std::shared_ptr<TTURLResponse> response_;
  int cachePolicy_ = TTURLRequestCachePolicyDefault;
  double cacheExpirationAge_ = 0;
  std::string cacheKey_;
  std::optional<NSDate> timestamp_;
  int totalBytesLoaded_ = 0;
  int totalBytesExpected_ = 0;
  std::any userInfo_;
  bool isLoading_ = false;
  bool shouldHandleCookies_ = true;
  bool respondedFromCache_ = false;
};

using TTURLRequestPtr = std::shared_ptr<TTURLRequest>;
