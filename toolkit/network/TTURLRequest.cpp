#include "toolkit/network/TTURLRequest.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"
#include "toolkit/network/TTMD5.h"
#include "toolkit/network/TTURLRequestQueue.h"

namespace {
void append(std::vector<uint8_t>& body, const std::string& text) { body.insert(body.end(), text.begin(), text.end()); }
}  // namespace

TTURLRequest::TTURLRequest(std::string url, TTURLRequestDelegate* delegate) : url_(std::move(url)) {
  if (delegate) delegates_.push_back(delegate);
}

std::string TTURLRequest::md5HexDigest(const std::string& text) { return TTMD5HexDigest(text); }

std::string TTURLRequest::generateCacheKey() {
  std::string text = url_;
  if (isPOST()) {
    for (const auto& [name, value] : parameters_) {
      text += name + "=";
      if (auto* s = std::get_if<std::string>(&value)) text += *s;
    }
  }
  return md5HexDigest(text);
}

const std::string& TTURLRequest::cacheKey() {
  if (cacheKey_.empty()) cacheKey_ = generateCacheKey();
  return cacheKey_;
}

std::string TTURLRequest::contentType() const {
  if (!contentType_.empty()) return contentType_;
  if (isPOST()) return stringWithFormat("multipart/form-data; boundary=%@", kTTMultipartBoundary);
  return {};
}

std::optional<std::vector<uint8_t>> TTURLRequest::httpBody() {
  if (httpBody_) return httpBody_;
  if (str::uppercase(httpMethod_) != "POST") return std::nullopt;
  // Kept, so that a retried load sends the same body.
  httpBody_ = generatePostBody();
  return httpBody_;
}

void TTURLRequest::addFile(std::vector<uint8_t> data, std::string mimeType, std::string fileName) {
  files_.push_back({std::move(data), std::move(mimeType), std::move(fileName)});
}

std::vector<uint8_t> TTURLRequest::generatePostBody() const {
  const std::string boundary = kTTMultipartBoundary;
  const std::string separator = "\r\n--" + boundary + "\r\n";
  std::vector<uint8_t> body;
  append(body, "--" + boundary + "\r\n");
  for (const auto& [name, value] : parameters_) {
    if (auto* text = std::get_if<std::string>(&value)) {
      append(body, separator);
      append(body, "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n");
      append(body, *text);
    }
  }
  double quality = TTURLRequestQueue::mainQueue().imageCompressionQuality();
  for (const auto& [name, value] : parameters_) {
    auto* image = std::get_if<UIImagePtr>(&value);
    if (!image || !*image) continue;
    std::vector<uint8_t> jpeg = UIImageJPEGRepresentation(**image, quality);
    append(body, separator);
    append(body, "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"image.jpg\"\r\n");
    append(body, "Content-Length: " + std::to_string(jpeg.size()) + "\r\n");
    append(body, "Content-Type: image/jpeg\r\n\r\n");
    body.insert(body.end(), jpeg.begin(), jpeg.end());
  }
  for (const auto& file : files_) {
    append(body, separator);
    append(body, "Content-Disposition: form-data; name=\"" + file.fileName + "\"; filename=\"" + file.fileName + "\"\r\n");
    append(body, "Content-Length: " + std::to_string(file.data.size()) + "\r\n");
    append(body, "Content-Type: " + file.mimeType + "\r\n\r\n");
    body.insert(body.end(), file.data.begin(), file.data.end());
  }
  append(body, "\r\n--" + boundary + "--\r\n");
  return body;
}

bool TTURLRequest::send() { return TTURLRequestQueue::mainQueue().sendRequest(shared_from_this()); }

void TTURLRequest::cancel() { TTURLRequestQueue::mainQueue().cancelRequest(this); }

NSURLRequest TTURLRequest::createNSURLRequest() { return TTURLRequestQueue::mainQueue().createNSURLRequest(this, {}); }
