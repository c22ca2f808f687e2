#include "platform/net/NSHTTPCookieStorage.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <strings.h>

#include "platform/net/URLParts.h"

namespace {
std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::optional<double> parseHttpDate(const std::string& text) {
  static const char* formats[] = {"%a, %d %b %Y %H:%M:%S", "%a, %d-%b-%Y %H:%M:%S",
                                  "%a, %d-%b-%y %H:%M:%S", "%a %b %d %H:%M:%S %Y"};
  for (const char* f : formats) {
    std::tm tm{};
    const char* end = strptime(text.c_str(), f, &tm);
    if (end) return static_cast<double>(timegm(&tm));
  }
  return std::nullopt;
}

bool domainMatches(const std::string& host, const NSHTTPCookie& c) {
  if (host == c.domain) return true;
  if (c.hostOnly) return false;
  return host.size() > c.domain.size() &&
         host.compare(host.size() - c.domain.size(), c.domain.size(), c.domain) == 0 &&
         host[host.size() - c.domain.size() - 1] == '.';
}

bool pathMatches(const std::string& requestPath, const std::string& cookiePath) {
  if (requestPath == cookiePath) return true;
  if (requestPath.rfind(cookiePath, 0) != 0) return false;
  return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

std::string defaultPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return "/";
  auto last = path.rfind('/');
  return last == 0 ? "/" : path.substr(0, last);
}

double wallNow() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

bool sameCookie(const NSHTTPCookie& a, const NSHTTPCookie& b) {
  return a.name == b.name && a.domain == b.domain && a.path == b.path;
}
}  // namespace

std::optional<NSHTTPCookie> NSHTTPCookie::fromSetCookieHeader(const std::string& header,
                                                               const std::string& requestURL,
                                                               double now) {
  URLParts url;
  if (!URLParts::parse(requestURL, url) || url.host.empty()) return std::nullopt;
  size_t semi = header.find(';');
  std::string pair = header.substr(0, semi);
  auto eq = pair.find('=');
  if (eq == std::string::npos) return std::nullopt;
  NSHTTPCookie c;
  c.name = trim(pair.substr(0, eq));
  c.value = trim(pair.substr(eq + 1));
  if (c.name.empty()) return std::nullopt;
  c.domain = url.host;
  c.path = defaultPath(url.path);
  std::optional<double> maxAge;
  while (semi != std::string::npos) {
    size_t next = header.find(';', semi + 1);
    std::string attr = header.substr(semi + 1, next == std::string::npos ? std::string::npos : next - semi - 1);
    semi = next;
    auto aeq = attr.find('=');
    std::string key = lower(trim(attr.substr(0, aeq)));
    std::string val = aeq == std::string::npos ? std::string() : trim(attr.substr(aeq + 1));
    if (key == "domain" && !val.empty()) {
      std::string d = lower(val);
      if (d[0] == '.') d.erase(0, 1);
      NSHTTPCookie probe;
      probe.domain = d;
      probe.hostOnly = false;
      if (!domainMatches(url.host, probe)) return std::nullopt;  // a host may not set another's cookies
      c.domain = d;
      c.hostOnly = false;
    } else if (key == "path" && !val.empty() && val[0] == '/') {
      c.path = val;
    } else if (key == "expires") {
      if (auto t = parseHttpDate(val)) c.expiresDate = t;
    } else if (key == "max-age") {
      char* end = nullptr;
      long long n = std::strtoll(val.c_str(), &end, 10);
      if (end && *end == '\0' && !val.empty()) maxAge = now + static_cast<double>(n);
    } else if (key == "secure") {
      c.secure = true;
    } else if (key == "httponly") {
      c.httpOnly = true;
    }
  }
  if (maxAge) c.expiresDate = maxAge;
  return c;
}

NSHTTPCookieStorage& NSHTTPCookieStorage::sharedHTTPCookieStorage() {
  static NSHTTPCookieStorage storage;
  return storage;
}

std::vector<NSHTTPCookie> NSHTTPCookieStorage::cookies() const {
  std::lock_guard lock(mutex_);
  return cookies_;
}

std::vector<NSHTTPCookie> NSHTTPCookieStorage::cookiesForURL(const std::string& urlText) const {
  URLParts url;
  std::vector<NSHTTPCookie> out;
  if (!URLParts::parse(urlText, url) || url.host.empty()) return out;
  std::string path = url.path.empty() ? "/" : url.path;
  double now = wallNow();
  std::lock_guard lock(mutex_);
  for (const auto& c : cookies_) {
    if (c.expiresDate && *c.expiresDate <= now) continue;
    if (c.secure && url.scheme != "https") continue;
    if (!domainMatches(url.host, c) || !pathMatches(path, c.path)) continue;
    out.push_back(c);
  }
  // Longer paths first, as browsers send them.
  std::stable_sort(out.begin(), out.end(),
                   [](const NSHTTPCookie& a, const NSHTTPCookie& b) { return a.path.size() > b.path.size(); });
  return out;
}

void NSHTTPCookieStorage::setCookie(const NSHTTPCookie& cookie) {
  std::lock_guard lock(mutex_);
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [&](const NSHTTPCookie& c) { return sameCookie(c, cookie); }),
                 cookies_.end());
  if (cookie.expiresDate && *cookie.expiresDate <= wallNow()) return;
  cookies_.push_back(cookie);
}

void NSHTTPCookieStorage::deleteCookie(const NSHTTPCookie& cookie) {
  std::lock_guard lock(mutex_);
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [&](const NSHTTPCookie& c) { return sameCookie(c, cookie); }),
                 cookies_.end());
}

void NSHTTPCookieStorage::deleteCookiesForHost(const std::string& hostIn) {
  std::string host = lower(hostIn);
  if (!host.empty() && host[0] == '.') host.erase(0, 1);
  std::lock_guard lock(mutex_);
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [&](const NSHTTPCookie& c) { return c.domain == host || domainMatches(host, c); }),
                 cookies_.end());
}

void NSHTTPCookieStorage::deleteAllCookies() {
  std::lock_guard lock(mutex_);
  cookies_.clear();
}

std::string NSHTTPCookieStorage::cookieHeaderForURL(const std::string& url) const {
  std::string header;
  for (const auto& c : cookiesForURL(url)) {
    if (!header.empty()) header += "; ";
    header += c.name + "=" + c.value;
  }
  return header;
}

void NSHTTPCookieStorage::storeSetCookieHeaders(const std::vector<std::string>& headers, const std::string& url) {
  double now = wallNow();
  for (const auto& h : headers)
    if (auto c = NSHTTPCookie::fromSetCookieHeader(h, url, now)) setCookie(*c);
}
