#pragma once
// Opening links: the program's own schemes are handled in-process by registered handlers;
// other links go to the desktop's opener (`xdg-open`) when the desktop has a handler for the
// scheme (`xdg-mime query default x-scheme-handler/<scheme>`). Local files, data and script
// links are never opened.

#include <functional>
#include <map>
#include <mutex>
#include <string>

class URLOpener {
 public:
  static URLOpener& shared();

  using Handler = std::function<bool(const std::string& url)>;
  // Scheme without "://", compared case-insensitively.
  void registerSchemeHandler(const std::string& scheme, Handler handler);
  void unregisterSchemeHandler(const std::string& scheme);

  // The handler's answer for an own scheme; otherwise whether the desktop opener started.
  bool openURL(const std::string& url);
  bool canOpenURL(const std::string& url);

  // Forgets handlers and the cached desktop answers (tests).
  void resetForTesting();

 private:
  URLOpener() = default;
  static bool schemeOf(const std::string& url, std::string& scheme);
  bool desktopHandles(const std::string& scheme);

  std::mutex mutex_;
  std::map<std::string, Handler> handlers_;
  std::map<std::string, bool> desktopAnswers_;
};
