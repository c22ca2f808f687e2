#include "social/FBRequest.h"

#include <algorithm>
#include <random>
#include <string_view>

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIImage.h"
#include "social/json/SBJSON.h"

namespace {

void appendText(std::vector<uint8_t>& body, std::string_view text) { body.insert(body.end(), text.begin(), text.end()); }

std::vector<uint8_t> fileBytes(const FBParams::Value& value) {
  if (const auto* image = std::get_if<std::shared_ptr<UIImage>>(&value))
    return *image ? UIImagePNGRepresentation(**image) : std::vector<uint8_t>();
  if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&value)) return *bytes;
  return {};
}

bool containsText(const std::vector<uint8_t>& bytes, std::string_view needle) {
  return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) != bytes.end();
}

std::string randomBoundary() {
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device device;
  std::mt19937 generator(device());
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 2);
  std::string out;
  for (int i = 0; i < 40; ++i) out.push_back(alphabet[pick(generator)]);
  return out;
}

}  // namespace

std::shared_ptr<FBRequest> FBRequest::getRequestWithParams(FBParams params, std::string httpMethod,
                                                           FBRequestDelegate* delegate, std::string requestURL) {
  std::shared_ptr<FBRequest> request(new FBRequest());
  request->params_ = std::move(params);
  request->httpMethod_ = std::move(httpMethod);
  request->delegate_ = delegate;
  request->url_ = std::move(requestURL);
  return request;
}

FBRequest::~FBRequest() {
  if (connection_) connection_->cancel();
}

std::string FBRequest::serializeURL(const std::string& baseURL, const FBParams& params, const std::string& httpMethod) {
  const std::string separator = baseURL.find('?') == std::string::npos ? "?" : "&";
  std::vector<std::string> pairs;
  for (const FBParams::Entry& entry : params.entries()) {
    if (FBParams::isFile(entry.second)) {
      if (httpMethod == "GET") NSLog("can not use GET to upload a file");
      continue;
    }
    pairs.push_back(entry.first + "=" + str::percentEscapeComponent(std::get<std::string>(entry.second)));
  }
  return baseURL + separator + str::join(pairs, "&");
}

std::string FBRequest::boundary() const {
  if (!boundary_.empty()) return boundary_;
  std::string candidate = kDefaultBoundary;
  for (;;) {
    bool clash = false;
    for (const FBParams::Entry& entry : params_.entries()) {
      const std::vector<uint8_t> bytes = FBParams::isFile(entry.second)
                                             ? fileBytes(entry.second)
                                             : std::vector<uint8_t>(std::get<std::string>(entry.second).begin(),
                                                                    std::get<std::string>(entry.second).end());
      if (str::contains(entry.first, candidate) || containsText(bytes, candidate)) {
        clash = true;
        break;
      }
    }
    if (!clash) return boundary_ = candidate;
    candidate = randomBoundary();
  }
}

std::vector<uint8_t> FBRequest::generatePostBody() const {
  const std::string b = boundary();
  std::vector<uint8_t> body;
  appendText(body, "--" + b);
  bool first = true;
  const auto nextPart = [&] {
    appendText(body, first ? "\r\n" : "\r\n--" + b + "\r\n");
    first = false;
  };
  // Texts first, then files, each set in the order given.
  for (const FBParams::Entry& entry : params_.entries()) {
    if (FBParams::isFile(entry.second)) continue;
    nextPart();
    appendText(body, "Content-Disposition: form-data; name=\"" + entry.first + "\"\r\n\r\n");
    appendText(body, std::get<std::string>(entry.second));
  }
  for (const FBParams::Entry& entry : params_.entries()) {
    if (!FBParams::isFile(entry.second)) continue;
    nextPart();
    appendText(body, "Content-Disposition: form-data; name=\"" + entry.first + "\"; filename=\"" + entry.first + "\"\r\n");
    const bool image = std::holds_alternative<std::shared_ptr<UIImage>>(entry.second);
    appendText(body, image ? "Content-Type: image/png\r\n\r\n" : "Content-Type: content/unknown\r\n\r\n");
    const std::vector<uint8_t> bytes = fileBytes(entry.second);
    body.insert(body.end(), bytes.begin(), bytes.end());
  }
  appendText(body, first ? "--\r\n" : "\r\n--" + b + "--\r\n");
  return body;
}

NSURLRequest FBRequest::makeURLRequest() const {
  const bool post = httpMethod_ == "POST";
  NSURLRequest request(post ? url_ : serializeURL(url_, params_, httpMethod_),
                       NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, kTimeoutSeconds);
  request.setValue("FacebookConnect", "User-Agent");
  request.setHTTPMethod(httpMethod_);
  if (post) {
    request.setValue("multipart/form-data; boundary=" + boundary(), "Content-Type");
    request.setHTTPBody(generatePostBody());
  }
  return request;
}

void FBRequest::connect() {
  auto self = shared_from_this();  // a delegate may drop the request from inside a call
  if (delegate_) delegate_->requestLoading(*this);
  connection_ = NSURLConnection::connectionWithRequest(makeURLRequest(), this);
  if (!connection_) failWithError(FBError(NSError::urlError(NSURLErrorBadURL, url_)));
}

std::optional<JSONValue> FBRequest::parseJsonResponse(const std::vector<uint8_t>& body, std::optional<FBError>& error) {
  const std::string_view text(reinterpret_cast<const char*>(body.data()), body.size());
  if (!str::isValidUtf8(text)) return std::nullopt;
  if (text == "true") return JSONValue(JSONObject{{"result", JSONValue("true")}});
  if (text == "false") {
    error = FBError(kFBGenericErrorCode, JSONObject{{"error_msg", JSONValue("This operation can not be completed")}});
    return std::nullopt;
  }
  SBJSON json;
  std::optional<JSONValue> result = json.objectWithString(text);
  if (!result) return std::nullopt;
  const JSONObject* dictionary = result->asObject();
  if (!dictionary) return result;
  if (dictionary->contains("error")) {
    error = FBError(kFBGenericErrorCode, *dictionary);
    return std::nullopt;
  }
  if (const JSONValue* code = dictionary->find("error_code")) {
    long long value = 0;
    if (const JSONDecimal* n = code->asNumber()) value = n->integerValue();
    else if (const std::string* s = code->asString()) value = str::toLongLong(*s);
    error = FBError(static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX)), *dictionary);
    return std::nullopt;
  }
  if (dictionary->contains("error_msg") || dictionary->contains("error_reason")) {
    error = FBError(kFBGenericErrorCode, *dictionary);
    return result;
  }
  return result;
}

void FBRequest::handleResponseData(const std::vector<uint8_t>& body) {
  const unsigned answers = delegate_ ? delegate_->fbRequestAnswers() : 0;
  if (delegate_ && (answers & FBRequestDelegate::AnswersRawResponse)) delegate_->requestDidLoadRawResponse(*this, body);
  if (!delegate_ || !(answers & (FBRequestDelegate::AnswersLoad | FBRequestDelegate::AnswersFail))) return;
  std::optional<FBError> error;
  std::optional<JSONValue> result = parseJsonResponse(body, error);
  // An answer outside 2xx is a failure whatever its body, unless the body names the failure.
  if (!error && (statusCode_ < 200 || statusCode_ > 299)) {
    error = FBError(statusCode_, JSONObject{});
    error->localizedDescription = "The server answered with HTTP status " + std::to_string(statusCode_) + ".";
  }
  if (error) {
    failWithError(*error);
  } else if (answers & FBRequestDelegate::AnswersLoad) {
    if (result) delegate_->requestDidLoad(*this, FBResult(std::move(*result)));
    else delegate_->requestDidLoad(*this, FBResult(body));
  }
}

void FBRequest::failWithError(const FBError& error) {
  if (delegate_ && (delegate_->fbRequestAnswers() & FBRequestDelegate::AnswersFail))
    delegate_->requestDidFailWithError(*this, error);
}

void FBRequest::cancel() {
  delegate_ = nullptr;
  if (connection_) connection_->cancel();
  finish();
}

void FBRequest::finish() {
  responseText_.clear();
  connection_.reset();
}

void FBRequest::connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) {
  auto self = shared_from_this();
  responseText_.clear();
  statusCode_ = response.statusCode();
  if (delegate_) delegate_->requestDidReceiveResponse(*this, response);
}

void FBRequest::connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) {
  if (!connection_) return;
  if (responseText_.size() + data.size() > kMaxResponseBytes) {
    auto self = shared_from_this();
    connection_->cancel();
    finish();
    failWithError(FBError(NSError::urlError(NSURLErrorBadServerResponse, "the answer is larger than " +
                                                                              std::to_string(kMaxResponseBytes) + " bytes")));
    return;
  }
  responseText_.insert(responseText_.end(), data.begin(), data.end());
}

void FBRequest::connectionDidFinishLoading(NSURLConnection&) {
  auto self = shared_from_this();
  const std::vector<uint8_t> body = std::move(responseText_);
  finish();
  handleResponseData(body);
}

void FBRequest::connectionDidFailWithError(NSURLConnection&, const NSError& error) {
  auto self = shared_from_this();
  finish();
  failWithError(FBError(error));
}
