#include "tools/fakesocial/FakeSocialService.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "platform/foundation/StringUtils.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "social/json/SBJsonWriter.h"

namespace {

constexpr size_t kMaxRequestBytes = 1 << 20;

std::map<std::string, std::string> queryPairs(const std::string& query) {
  std::map<std::string, std::string> out;
  for (const std::string& pair : str::split(query, "&")) {
    const size_t eq = pair.find('=');
    if (eq == std::string::npos) continue;
    const std::string raw = pair.substr(eq + 1);
    out[pair.substr(0, eq)] = str::percentUnescape(raw).value_or(raw);
  }
  return out;
}

std::string httpResponse(int status, const std::string& type, const std::string& body) {
  const char* reason = status == 200 ? "OK" : status < 500 ? "Bad Request" : "Server Error";
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::string drawPicture() {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(40, 40), true, 1);
  if (CGContext* context = UIGraphicsGetCurrentContext()) {
    context->setRGBFillColor(0.16, 0.5, 0.48, 1);
    context->fillRect(CGRectMake(0, 0, 40, 40));
    context->setRGBFillColor(0.95, 0.85, 0.6, 1);
    context->fillEllipseInRect(CGRectMake(12, 6, 16, 16));
    context->fillEllipseInRect(CGRectMake(5, 24, 30, 26));
  }
  UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  if (!image) return {};
  const std::vector<uint8_t> png = UIImagePNGRepresentation(*image);
  return std::string(png.begin(), png.end());
}

}  // namespace

FakeSocialService::FakeSocialService() : picture_(drawPicture()) {}

FakeSocialService::~FakeSocialService() { stop(); }

bool FakeSocialService::start(int port) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (listenFd_ < 0) return false;
  int one = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  socklen_t len = sizeof addr;
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 16) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  port_ = ntohs(addr.sin_port);
  acceptor_ = std::thread([this] { acceptLoop(); });
  return true;
}

void FakeSocialService::stop() {
  stopping_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  for (std::thread& holder : holders_) holder.join();
  holders_.clear();
  if (listenFd_ >= 0) ::close(listenFd_);
  listenFd_ = -1;
}

void FakeSocialService::setSwitches(const Switches& switches) {
  std::lock_guard lock(mutex_);
  switches_ = switches;
}

std::vector<FakeSocialService::Received> FakeSocialService::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

// One connection at a time: the client sends one request per connection.
void FakeSocialService::acceptLoop() {
  while (!stopping_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const int fd = ::accept(listenFd_, nullptr, nullptr);
    if (fd >= 0) serve(fd);
  }
}

void FakeSocialService::serve(int fd) {
  std::string data;
  char buffer[8192];
  size_t headerEnd = std::string::npos;
  size_t contentLength = 0;
  for (;;) {
    if (headerEnd == std::string::npos && (headerEnd = data.find("\r\n\r\n")) != std::string::npos) {
      const std::string lower = str::lowercase(data.substr(0, headerEnd));
      const size_t at = lower.find("\r\ncontent-length:");
      if (at != std::string::npos) contentLength = static_cast<size_t>(str::toLongLong(lower.substr(at + 17)));
    }
    if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + contentLength) break;
    pollfd p{fd, POLLIN, 0};
    if (data.size() > kMaxRequestBytes || ::poll(&p, 1, 5000) <= 0) {
      ::close(fd);
      return;
    }
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      ::close(fd);
      return;
    }
    data.append(buffer, static_cast<size_t>(n));
  }
  Received request;
  const std::string head = data.substr(0, headerEnd);
  const std::vector<std::string> lines = str::split(head, "\r\n");
  const std::vector<std::string> first = str::split(lines.empty() ? "" : lines[0], " ");
  if (first.size() < 2) {
    ::close(fd);
    return;
  }
  request.method = first[0];
  const size_t q = first[1].find('?');
  request.path = first[1].substr(0, q);
  if (q != std::string::npos) request.query = first[1].substr(q + 1);
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t colon = lines[i].find(':');
    if (colon != std::string::npos)
      request.headers[str::lowercase(lines[i].substr(0, colon))] = str::trim(lines[i].substr(colon + 1));
  }
  request.body = data.substr(headerEnd + 4, contentLength);
  if (request.method == "POST")
    request.fields = parseMultipart(request.headers["content-type"], request.body).value_or(decltype(request.fields){});
  record(request);
  Pace pace = Pace::Prompt;
  std::optional<int> holdLimit;
  std::string trickleHead = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 1000000\r\n\r\n{";
  {
    std::lock_guard lock(mutex_);
    if (request.path == "/me") pace = switches_.mePace;
    if (request.path == "/method/stream.publish") pace = switches_.postPace;
    if (request.path == kPicturePath) {
      pace = switches_.picturePace;
      trickleHead = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: 1000000\r\n\r\n" +
                    picture_.substr(0, picture_.size() / 2);
    }
    holdLimit = switches_.holdLimit;
  }
  if (pace != Pace::Prompt) {
    holders_.emplace_back([this, fd, pace, trickleHead, holdLimit] { hold(fd, pace, trickleHead, holdLimit); });
    return;
  }
  const std::string reply = answer(request);
  size_t sent = 0;
  while (sent < reply.size()) {
    const ssize_t n = ::send(fd, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  ::close(fd);
}

// Keeps a connection open without a complete answer until the client hangs up, the service
// stops or the limit has passed; a trickle sends its head, then a byte of a body that never
// reaches its announced length every 100 ms.
void FakeSocialService::hold(int fd, Pace pace, const std::string& trickleHead, std::optional<int> limit) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(limit.value_or(0));
  bool open = true;
  if (pace == Pace::Trickle)
    open = ::send(fd, trickleHead.data(), trickleHead.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(trickleHead.size());
  while (open && !stopping_ && (!limit || std::chrono::steady_clock::now() < end)) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 100) > 0) {
      char byte;
      if (::recv(fd, &byte, 1, 0) <= 0) open = false;
    } else if (pace == Pace::Trickle) {
      if (::send(fd, " ", 1, MSG_NOSIGNAL) == 1) ++trickledBytes_;
      else open = false;
    }
  }
  if (!open) ++hangUps_;
  ::close(fd);
}

std::optional<std::vector<std::pair<std::string, std::string>>> FakeSocialService::parseMultipart(
    const std::string& contentType, const std::string& body) {
  const size_t at = contentType.find("boundary=");
  if (at == std::string::npos) return std::nullopt;
  const std::string delimiter = "--" + contentType.substr(at + 9);
  std::vector<std::pair<std::string, std::string>> fields;
  if (body.compare(0, delimiter.size(), delimiter) != 0) return std::nullopt;
  size_t pos = delimiter.size();
  for (;;) {
    if (body.compare(pos, 2, "--") == 0) return fields;  // the closing delimiter
    if (body.compare(pos, 2, "\r\n") != 0) return std::nullopt;
    pos += 2;
    const size_t headersEnd = body.find("\r\n\r\n", pos);
    if (headersEnd == std::string::npos) return std::nullopt;
    const std::string headers = body.substr(pos, headersEnd - pos);
    const size_t next = body.find("\r\n" + delimiter, headersEnd + 4);
    if (next == std::string::npos) return std::nullopt;  // a part never closed
    const size_t nameAt = headers.find("name=\"");
    if (nameAt == std::string::npos) return std::nullopt;
    const size_t nameEnd = headers.find('"', nameAt + 6);
    if (nameEnd == std::string::npos) return std::nullopt;
    fields.emplace_back(headers.substr(nameAt + 6, nameEnd - nameAt - 6), body.substr(headersEnd + 4, next - headersEnd - 4));
    pos = next + 2 + delimiter.size();
  }
}

std::string FakeSocialService::loginPage(const std::map<std::string, std::string>& query) const {
  auto redirect = query.find("redirect_uri");
  const std::string target = redirect == query.end() ? "fbconnect://success" : redirect->second;
  std::string allow = target + "#access_token=" + kToken;
  if (switches_.expiresIn) allow += "&expires_in=" + std::to_string(*switches_.expiresIn);
  const std::string deny =
      str::hasPrefix(target, "fbconnect:") ? "fbconnect://cancel" : target + "?error=access_denied&error_reason=user_denied";
  return "<html><head><title>Log in</title></head><body><h2>Lumeno wants to post on your behalf</h2>"
         "<p>Logged in as Amina Rahman (local test service).</p>"
         "<a href=\"" + str::xmlEscape(allow) + "\">Allow</a><a href=\"" + str::xmlEscape(deny) +
         "\">Cancel</a></body></html>";
}

std::string FakeSocialService::answer(const Received& request) {
  std::lock_guard lock(mutex_);
  const std::map<std::string, std::string> query = queryPairs(request.query);
  std::map<std::string, std::string> fields(request.fields.begin(), request.fields.end());
  const auto tokenOf = [&](const std::map<std::string, std::string>& from) {
    auto it = from.find("access_token");
    return it == from.end() ? std::string() : it->second;
  };
  const std::string badToken = R"({"error":{"type":"OAuthException","message":"Invalid OAuth access token."}})";
  if (request.path == "/dialog/oauth") {
    if (switches_.loginStatus != 200) return httpResponse(switches_.loginStatus, "text/html", "<p>Unavailable</p>");
    return httpResponse(200, "text/html; charset=utf-8", loginPage(query));
  }
  if (request.path == "/me") {
    if (switches_.meStatus != 200) return httpResponse(switches_.meStatus, "text/html", "<p>Unavailable</p>");
    if (tokenOf(query) != kToken) return httpResponse(400, "application/json", badToken);
    return httpResponse(200, "application/json",
                        R"({"id":"1001","first_name":"Amina","last_name":"Rahman","name":"Amina Rahman"})");
  }
  if (request.path == kPicturePath) {
    if (switches_.pictureStatus != 200) return httpResponse(switches_.pictureStatus, "text/html", "<p>Unavailable</p>");
    return httpResponse(200, "image/png", picture_);
  }
  if (request.path == "/method/stream.publish" && request.method == "POST") {
    if (switches_.postStatus != 200)
      return httpResponse(switches_.postStatus, "text/html", "<html><body>Service unavailable</body></html>");
    if (tokenOf(fields) != kToken) return httpResponse(200, "application/json", R"({"error_code":190,"error_msg":"Invalid OAuth 2.0 Access Token"})");
    return httpResponse(200, "application/json", switches_.postBody);
  }
  if (request.path == "/method/auth.expireSession") return httpResponse(200, "application/json", "true");
  return httpResponse(404, "text/html", "<p>Not found</p>");
}

void FakeSocialService::record(const Received& request) {
  std::string file;
  {
    std::lock_guard lock(mutex_);
    received_.push_back(request);
    file = recordFile_;
  }
  if (file.empty()) return;
  JSONObject line;
  line.set("method", request.method);
  line.set("path", request.path);
  line.set("query", request.query);
  JSONObject fields;
  for (const auto& [name, value] : request.fields) fields.set(name, str::sanitizeUtf8(value));
  line.set("fields", std::move(fields));
  SBJsonWriter writer;
  if (std::optional<std::string> text = writer.stringWithObject(line)) std::ofstream(file, std::ios::app) << *text << "\n";
}
