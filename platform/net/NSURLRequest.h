#pragma once
// A URL request: address, method, headers, body, time-out and cache policy. One mutable class
// stands for both the plain and the mutable request.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class NSURLRequestCachePolicy : int {
  UseProtocolCachePolicy = 0,
  ReloadIgnoringLocalCacheData = 1,
  ReturnCacheDataElseLoad = 2,
  ReturnCacheDataDontLoad = 3,
};

class NSURLRequest {
 public:
  NSURLRequest() = default;
  explicit NSURLRequest(std::string url,
                        NSURLRequestCachePolicy policy = NSURLRequestCachePolicy::UseProtocolCachePolicy,
                        double timeoutInterval = 60.0)
      : url_(std::move(url)), cachePolicy_(policy), timeoutInterval_(timeoutInterval) {}

  static NSURLRequest requestWithURL(const std::string& url) { return NSURLRequest(url); }

  const std::string& URL() const { return url_; }
  void setURL(std::string url) { url_ = std::move(url); }

  const std::string& HTTPMethod() const { return method_; }
  void setHTTPMethod(std::string m) { method_ = std::move(m); }

  const std::vector<uint8_t>& HTTPBody() const { return body_; }
  void setHTTPBody(std::vector<uint8_t> body) { body_ = std::move(body); }
  void setHTTPBody(const std::string& body) { body_.assign(body.begin(), body.end()); }

  // Header names compare case-insensitively; setting replaces, adding appends with ", ".
  std::string valueForHTTPHeaderField(const std::string& name) const;
  void setValue(const std::string& value, const std::string& headerField);
  void addValue(const std::string& value, const std::string& headerField);
  const std::vector<std::pair<std::string, std::string>>& allHTTPHeaderFields() const { return headers_; }

  double timeoutInterval() const { return timeoutInterval_; }
  void setTimeoutInterval(double seconds) { timeoutInterval_ = seconds; }

  NSURLRequestCachePolicy cachePolicy() const { return cachePolicy_; }
  void setCachePolicy(NSURLRequestCachePolicy p) { cachePolicy_ = p; }

  bool HTTPShouldHandleCookies() const { return handleCookies_; }
  void setHTTPShouldHandleCookies(bool on) { handleCookies_ = on; }

 private:
  std::string url_;
  std::string method_ = "GET";
  std::vector<std::pair<std::string, std::string>> headers_;
  std::vector<uint8_t> body_;
  NSURLRequestCachePolicy cachePolicy_ = NSURLRequestCachePolicy::UseProtocolCachePolicy;
  double timeoutInterval_ = 60.0;
  bool handleCookies_ = true;
};

using NSMutableURLRequest = NSURLRequest;

// The response to a request. HTTP facts are empty for other schemes.
class NSHTTPURLResponse {
 public:
  const std::string& URL() const { return url_; }
  int statusCode() const { return status_; }
  // Content length announced by the server, or -1 when unknown.
  long long expectedContentLength() const { return expectedLength_; }
  std::string MIMEType() const;
  // Header value by case-insensitive name; empty when absent.
  std::string valueForHTTPHeaderField(const std::string& name) const;
  // Every header as received (names as the server wrote them, later duplicates joined by ", ").
  const std::map<std::string, std::string>& allHeaderFields() const { return headers_; }

  // Filled in by the transfer.
  void setURL(std::string url) { url_ = std::move(url); }
  void setStatusCode(int code) { status_ = code; }
  void setExpectedContentLength(long long n) { expectedLength_ = n; }
  void addHeaderField(const std::string& name, const std::string& value);
  void clearHeaders() { headers_.clear(); }

 private:
  std::string url_;
  int status_ = 0;
  long long expectedLength_ = -1;
  std::map<std::string, std::string> headers_;
};

using NSURLResponse = NSHTTPURLResponse;
