#pragma once
// One call to the social network's services: a GET with a query string or a POST with a
// multipart body, run asynchronously; the answer is decoded ("true", "false" or JSON) and
// reported to the delegate on the main run loop.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/net/NSURLConnection.h"
#include "social/FBError.h"
#include "social/FBParams.h"
#include "social/json/JSONValue.h"

class FBRequest;

// A decoded answer, or the body's bytes when it could not be decoded.
using FBResult = std::variant<JSONValue, std::vector<uint8_t>>;

// Every operation optional; `fbRequestAnswers` says which of the three result operations the
// delegate implements. Not retained by the request.
class FBRequestDelegate {
 public:
  enum Answers : unsigned { AnswersLoad = 1, AnswersFail = 2, AnswersRawResponse = 4 };
  virtual ~FBRequestDelegate() = default;
  virtual unsigned fbRequestAnswers() const { return AnswersLoad | AnswersFail; }
  virtual void requestLoading(FBRequest& request) {}
  virtual void requestDidReceiveResponse(FBRequest& request, const NSHTTPURLResponse& response) {}
  virtual void requestDidFailWithError(FBRequest& request, const FBError& error) {}
  virtual void requestDidLoad(FBRequest& request, const FBResult& result) {}
  virtual void requestDidLoadRawResponse(FBRequest& request, const std::vector<uint8_t>& body) {}
};

class FBRequest : public std::enable_shared_from_this<FBRequest>, private NSURLConnectionDelegate {
 public:
  static constexpr const char* kDefaultBoundary = "3i2ndDfv2rTHiSisAbouNdArYfORhtTPEefj3q2f";
  static constexpr double kTimeoutSeconds = 180;
  // Answers are small; a body past this is refused as a failure.
  static constexpr size_t kMaxResponseBytes = 8 * 1024 * 1024;

  static std::shared_ptr<FBRequest> getRequestWithParams(FBParams params, std::string httpMethod,
                                                         FBRequestDelegate* delegate, std::string requestURL);
  ~FBRequest() override;

  // The base URL with the text parameters as a query string; files are left out (logged for GET).
  static std::string serializeURL(const std::string& baseURL, const FBParams& params,
                                  const std::string& httpMethod = "GET");

  // Builds the HTTP request and starts it.
  void connect();
  bool loading() const { return static_cast<bool>(connection_); }
  // Stops a running request: its connection closes and the delegate hears nothing more.
  void cancel();

  // The HTTP request `connect` sends: a POST carries its parameters in the body only.
  NSURLRequest makeURLRequest() const;
  // The multipart body of a POST, closed by "--boundary--"; the boundary is the fixed one
  // unless some part contains it.
  std::vector<uint8_t> generatePostBody() const;
  std::string boundary() const;

  // "true", "false" or JSON; `error` is set for the service's failures.
  static std::optional<JSONValue> parseJsonResponse(const std::vector<uint8_t>& body, std::optional<FBError>& error);

  FBRequestDelegate* delegate() const { return delegate_; }
  void setDelegate(FBRequestDelegate* delegate) { delegate_ = delegate; }
  const std::string& url() const { return url_; }
  const std::string& httpMethod() const { return httpMethod_; }
  const FBParams& params() const { return params_; }

 private:
  FBRequest() = default;
  void handleResponseData(const std::vector<uint8_t>& body);
  void failWithError(const FBError& error);
  void finish();

  void connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) override;
  void connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) override;
  void connectionDidFinishLoading(NSURLConnection&) override;
  void connectionDidFailWithError(NSURLConnection&, const NSError& error) override;

  FBRequestDelegate* delegate_ = nullptr;  // unretained
  std::string url_;
  std::string httpMethod_;
  FBParams params_;
  std::shared_ptr<NSURLConnection> connection_;
  std::vector<uint8_t> responseText_;
  int statusCode_ = 0;
  mutable std::string boundary_;  // chosen on first use
};
