#include "platform/net/CurlTransfer.h"

#include <curl/curl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/NSHTTPCookieStorage.h"
#include "platform/net/URLParts.h"

void CurlEasyDeleter::operator()(void* easy) const { curl_easy_cleanup(static_cast<CURL*>(easy)); }
void CurlSlistDeleter::operator()(void* list) const { curl_slist_free_all(static_cast<curl_slist*>(list)); }
void CurlMultiDeleter::operator()(void* multi) const { curl_multi_cleanup(static_cast<CURLM*>(multi)); }

namespace {
void globalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::mutex resolverMutex;
CurlTransfer::HostResolver hostResolver;

bool hasCRLF(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

bool isLoopbackHost(const std::string& host) {
  return host == "localhost" || host.rfind("127.", 0) == 0 || host == "::1";
}

// True when some interface other than loopback is up with an address.
bool networkIsUp() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return true;
  bool up = false;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || (i->ifa_flags & IFF_LOOPBACK) || !(i->ifa_flags & IFF_UP)) continue;
    if (i->ifa_addr->sa_family == AF_INET || i->ifa_addr->sa_family == AF_INET6) up = true;
  }
  freeifaddrs(list);
  return up;
}

std::string effectiveURL(CURL* easy, const std::string& fallback) {
  char* url = nullptr;
  curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &url);
  return url ? std::string(url) : fallback;
}
}  // namespace

NSError urlErrorForCurlCode(int code, const std::string& url) {
  std::string detail = curl_easy_strerror(static_cast<CURLcode>(code));
  URLParts parts;
  URLParts::parse(url, parts);
  auto unreachable = [&](int otherwise) -> int {
    if (!isLoopbackHost(parts.host) && !networkIsUp()) return NSURLErrorNotConnectedToInternet;
    return otherwise;
  };
  int mapped = NSURLErrorUnknown;
  switch (code) {
    case CURLE_URL_MALFORMAT: mapped = NSURLErrorBadURL; break;
    case CURLE_UNSUPPORTED_PROTOCOL: mapped = NSURLErrorUnsupportedURL; break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: mapped = unreachable(NSURLErrorCannotFindHost); break;
    case CURLE_COULDNT_CONNECT: mapped = unreachable(NSURLErrorCannotConnectToHost); break;
    case CURLE_OPERATION_TIMEDOUT: mapped = NSURLErrorTimedOut; break;
    case CURLE_TOO_MANY_REDIRECTS: mapped = NSURLErrorHTTPTooManyRedirects; break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: mapped = NSURLErrorSecureConnectionFailed; break;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE: mapped = NSURLErrorNetworkConnectionLost; break;
    case CURLE_WEIRD_SERVER_REPLY: mapped = NSURLErrorBadServerResponse; break;
    case CURLE_ABORTED_BY_CALLBACK: mapped = NSURLErrorCancelled; break;
    default: break;
  }
  return NSError::urlError(mapped, detail);
}

void CurlTransfer::setHostResolver(HostResolver resolver) {
  std::lock_guard lock(resolverMutex);
  hostResolver = std::move(resolver);
}

CurlTransfer::CurlTransfer(NSURLRequest request) : request_(std::move(request)) {}
CurlTransfer::~CurlTransfer() = default;

bool CurlTransfer::prepare(NSError& error) {
  globalInit();
  URLParts parts;
  if (request_.URL().empty() || !URLParts::parse(request_.URL(), parts) || hasCRLF(request_.URL())) {
    error = NSError::urlError(NSURLErrorBadURL, request_.URL());
    return false;
  }
  if (parts.scheme != "http" && parts.scheme != "https") {
    error = NSError::urlError(NSURLErrorUnsupportedURL, request_.URL());
    return false;
  }
  std::optional<std::string> pinned;
  {
    std::lock_guard lock(resolverMutex);
    if (hostResolver) pinned = hostResolver(parts.host);
  }
  if (pinned && pinned->empty()) {
    error = NSError::urlError(NSURLErrorCannotFindHost, parts.host);
    return false;
  }
  easy_.reset(curl_easy_init());
  CURL* e = static_cast<CURL*>(easy_.get());
  if (pinned && e) {
    int port = parts.port > 0 ? parts.port : parts.scheme == "https" ? 443 : 80;
    resolveList_.reset(curl_slist_append(nullptr, (parts.host + ":" + std::to_string(port) + ":" + *pinned).c_str()));
    curl_easy_setopt(e, CURLOPT_RESOLVE, resolveList_.get());
    curl_easy_setopt(e, CURLOPT_PROXY, "");  // a pinned address is connected to directly
  }
  if (!e || curl_easy_setopt(e, CURLOPT_URL, request_.URL().c_str()) != CURLE_OK) {
    error = NSError::urlError(NSURLErrorBadURL, request_.URL());
    return false;
  }
  curl_easy_setopt(e, CURLOPT_PRIVATE, this);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &CurlTransfer::headerCallback);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &CurlTransfer::writeCallback);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::progressCallback);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);

  double timeout = request_.timeoutInterval() > 0 ? request_.timeoutInterval() : 60.0;
  idleLimit_ = std::chrono::duration<double>(timeout);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::ceil(timeout * 1000.0)));

  const std::string& method = request_.HTTPMethod();
  const auto& body = request_.HTTPBody();
  if (method == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (method == "POST" || (!body.empty() && method != "GET")) {
    if (method != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, method.c_str());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(e, CURLOPT_COPYPOSTFIELDS, body.empty() ? "" : reinterpret_cast<const char*>(body.data()));
  } else if (method != "GET" && !method.empty()) {
    if (hasCRLF(method) || method.find(' ') != std::string::npos) {
      error = NSError::urlError(NSURLErrorBadURL, "bad method");
      return false;
    }
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, method.c_str());
  }

  curl_slist* list = nullptr;
  bool hasCookieHeader = false;
  for (const auto& [name, value] : request_.allHTTPHeaderFields()) {
    if (hasCRLF(name) || hasCRLF(value) || name.empty() || name.find(':') != std::string::npos) {
      NSLog("Dropping malformed request header %@", name);
      continue;
    }
    if (strcasecmp(name.c_str(), "Cookie") == 0) hasCookieHeader = true;
    list = curl_slist_append(list, (name + ": " + value).c_str());
  }
  if (request_.HTTPShouldHandleCookies() && !hasCookieHeader) {
    std::string cookie = NSHTTPCookieStorage::sharedHTTPCookieStorage().cookieHeaderForURL(request_.URL());
    if (!cookie.empty() && !hasCRLF(cookie)) list = curl_slist_append(list, ("Cookie: " + cookie).c_str());
  }
  list = curl_slist_append(list, "Expect:");
  headerList_.reset(list);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, list);
  noteActivity();
  return true;
}

bool CurlTransfer::idleTooLong(std::chrono::steady_clock::time_point now) const {
  return !ended_ && now - lastActivity_ > idleLimit_;
}

size_t CurlTransfer::headerCallback(char* data, size_t size, size_t count, void* selfPtr) {
  auto* self = static_cast<CurlTransfer*>(selfPtr);
  size_t n = size * count;
  std::string line(data, n);
  self->noteActivity();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.rfind("HTTP/", 0) == 0) {
    self->response_.clearHeaders();
    self->setCookies_.clear();
    self->inHeaderBlock_ = true;
    auto sp = line.find(' ');
    self->blockStatus_ = sp == std::string::npos ? 0 : std::atoi(line.c_str() + sp + 1);
    return n;
  }
  if (line.empty()) {
    if (self->inHeaderBlock_ && self->request_.HTTPShouldHandleCookies() && !self->setCookies_.empty()) {
      NSHTTPCookieStorage::sharedHTTPCookieStorage().storeSetCookieHeaders(
          self->setCookies_, effectiveURL(static_cast<CURL*>(self->easy_.get()), self->request_.URL()));
    }
    self->inHeaderBlock_ = false;
    if (self->blockStatus_ >= 300 && self->blockStatus_ < 400) {
      std::string location = self->response_.valueForHTTPHeaderField("Location");
      URLParts target;
      if (!location.empty() && URLParts::parse(location, target) && target.scheme != "http" &&
          target.scheme != "https") {
        self->redirectOutside_ = location;
        return 0;  // stops the transfer; complete() reports the redirect
      }
    }
    return n;
  }
  auto colon = line.find(':');
  if (colon != std::string::npos) {
    std::string name = line.substr(0, colon);
    std::string value = line.substr(colon + 1);
    size_t b = value.find_first_not_of(" \t");
    value = b == std::string::npos ? std::string() : value.substr(b);
    self->response_.addHeaderField(name, value);
    if (strcasecmp(name.c_str(), "Set-Cookie") == 0) self->setCookies_.push_back(value);
  }
  return n;
}

void CurlTransfer::sendResponseOnce() {
  if (responseSent_) return;
  responseSent_ = true;
  CURL* e = static_cast<CURL*>(easy_.get());
  long status = 0;
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
  response_.setStatusCode(static_cast<int>(status));
  response_.setURL(effectiveURL(e, request_.URL()));
  long long length = -1;
  std::string cl = response_.valueForHTTPHeaderField("Content-Length");
  if (!cl.empty()) {
    char* end = nullptr;
    long long v = std::strtoll(cl.c_str(), &end, 10);
    if (end && (*end == '\0' || *end == ' ') && v >= 0) length = v;
  }
  response_.setExpectedContentLength(length);
  onResponse(response_);
}

size_t CurlTransfer::writeCallback(char* data, size_t size, size_t count, void* selfPtr) {
  auto* self = static_cast<CurlTransfer*>(selfPtr);
  size_t n = size * count;
  self->noteActivity();
  self->sendResponseOnce();
  if (n > 0) self->onData(std::vector<uint8_t>(data, data + n));
  return n;
}

int CurlTransfer::progressCallback(void* selfPtr, long long, long long, long long ulTotal, long long ulNow) {
  auto* self = static_cast<CurlTransfer*>(selfPtr);
  if (ulNow > self->lastUploaded_) {
    self->noteActivity();
    self->lastUploaded_ = ulNow;
    self->onSentBody(ulNow, ulTotal);
  }
  return 0;
}

void CurlTransfer::complete(int code) {
  if (ended_) return;
  ended_ = true;
  if (!redirectOutside_.empty()) {
    CURL* e = static_cast<CURL*>(easy_.get());
    response_.setStatusCode(blockStatus_);
    response_.setURL(effectiveURL(e, request_.URL()));
    onRedirectOutside(redirectOutside_, response_);
    return;
  }
  if (code == CURLE_OK) {
    sendResponseOnce();
    onFinish();
  } else {
    onFail(urlErrorForCurlCode(code, request_.URL()));
  }
}

void CurlTransfer::failTimedOut() {
  if (ended_) return;
  ended_ = true;
  onFail(NSError::urlError(NSURLErrorTimedOut));
}

namespace {
// One turn of a multi loop: performs, reports ended transfers and removes them from `active`.
void pump(CURLM* multi, std::vector<CurlTransfer*>& active) {
  int running = 0;
  curl_multi_perform(multi, &running);
  int left = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
    if (msg->msg != CURLMSG_DONE) continue;
    CurlTransfer* t = nullptr;
    curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, &t);
    CURLcode result = msg->data.result;
    curl_multi_remove_handle(multi, msg->easy_handle);
    active.erase(std::remove(active.begin(), active.end(), t), active.end());
    if (t) t->complete(result);
  }
  auto now = std::chrono::steady_clock::now();
  for (auto it = active.begin(); it != active.end();) {
    if ((*it)->idleTooLong(now)) {
      curl_multi_remove_handle(multi, (*it)->easy());
      CurlTransfer* t = *it;
      it = active.erase(it);
      t->failTimedOut();
    } else {
      ++it;
    }
  }
}
}  // namespace

CurlEngine& CurlEngine::shared() {
  static CurlEngine engine;
  return engine;
}

CurlEngine::CurlEngine() {
  // The worker posts to the main loop until this engine is destroyed at exit, so the loop must
  // be made first (and so destroyed after it).
  RunLoop::main();
  globalInit();
  multi_.reset(curl_multi_init());
  worker_ = std::thread([this] { loop(); });
}

CurlEngine::~CurlEngine() {
  stop_ = true;
  curl_multi_wakeup(static_cast<CURLM*>(multi_.get()));
  if (worker_.joinable()) worker_.join();
}

void CurlEngine::add(std::shared_ptr<CurlTransfer> transfer) {
  {
    std::lock_guard lock(mutex_);
    pendingAdd_.push_back(std::move(transfer));
  }
  curl_multi_wakeup(static_cast<CURLM*>(multi_.get()));
}

void CurlEngine::remove(const std::shared_ptr<CurlTransfer>& transfer) {
  {
    std::lock_guard lock(mutex_);
    pendingRemove_.push_back(transfer);
  }
  curl_multi_wakeup(static_cast<CURLM*>(multi_.get()));
}

void CurlEngine::loop() {
  auto* multi = static_cast<CURLM*>(multi_.get());
  std::vector<std::shared_ptr<CurlTransfer>> owned;
  std::vector<CurlTransfer*> active;
  while (!stop_) {
    {
      std::lock_guard lock(mutex_);
      for (auto& t : pendingAdd_) {
        curl_multi_add_handle(multi, t->easy());
        active.push_back(t.get());
        owned.push_back(std::move(t));
      }
      pendingAdd_.clear();
      for (auto& t : pendingRemove_) {
        auto it = std::find(active.begin(), active.end(), t.get());
        if (it != active.end()) {
          curl_multi_remove_handle(multi, t->easy());
          active.erase(it);
        }
      }
      pendingRemove_.clear();
    }
    pump(multi, active);
    curl_multi_poll(multi, nullptr, 0, active.empty() ? 1000 : 20, nullptr);
    // Drop ownership of transfers that left the active set (ended or removed).
    owned.erase(std::remove_if(owned.begin(), owned.end(),
                               [&](const std::shared_ptr<CurlTransfer>& t) {
                                 return std::find(active.begin(), active.end(), t.get()) == active.end();
                               }),
                owned.end());
  }
  for (CurlTransfer* t : active) curl_multi_remove_handle(multi, t->easy());
}

void CurlEngine::runToEnd(CurlTransfer& transfer) {
  globalInit();
  std::unique_ptr<void, CurlMultiDeleter> multi(curl_multi_init());
  auto* m = static_cast<CURLM*>(multi.get());
  curl_multi_add_handle(m, transfer.easy());
  std::vector<CurlTransfer*> active{&transfer};
  for (;;) {
    pump(m, active);
    if (transfer.ended()) break;
    curl_multi_poll(m, nullptr, 0, 20, nullptr);
  }
}
