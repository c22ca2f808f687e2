#pragma once
// The program's own cookie store: filled from "Set-Cookie" response headers, read back into the
// "Cookie" header of later requests, with deletion by cookie or by host.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct NSHTTPCookie {
  std::string name;
  std::string value;
  std::string domain;   // lower case, without a leading dot
  std::string path = "/";
  bool hostOnly = true;  // no Domain attribute: matches the exact host only
  bool secure = false;
  bool httpOnly = false;
  std::optional<double> expiresDate;  // seconds since 1970; none = session cookie

  // Parses one "Set-Cookie" value received from requestURL; none when malformed or when the
  // Domain attribute does not cover the request's host.
  static std::optional<NSHTTPCookie> fromSetCookieHeader(const std::string& header,
                                                        const std::string& requestURL,
                                                        double now);
};

class NSHTTPCookieStorage {
 public:
  static NSHTTPCookieStorage& sharedHTTPCookieStorage();

  std::vector<NSHTTPCookie> cookies() const;
  // Cookies to send to the URL: domain, path, secure and expiry match.
  std::vector<NSHTTPCookie> cookiesForURL(const std::string& url) const;
  // Replaces a cookie of the same name, domain and path; an expired cookie deletes it.
  void setCookie(const NSHTTPCookie& cookie);
  void deleteCookie(const NSHTTPCookie& cookie);
  // Deletes every cookie that would be sent to the host or that was set for it.
  void deleteCookiesForHost(const std::string& host);
  void deleteAllCookies();

  // The "Cookie" header value for a request to the URL; empty when none applies.
  std::string cookieHeaderForURL(const std::string& url) const;
  // Takes the "Set-Cookie" headers of a response from the URL.
  void storeSetCookieHeaders(const std::vector<std::string>& headers, const std::string& url);

 private:
  mutable std::mutex mutex_;
  std::vector<NSHTTPCookie> cookies_;
};
