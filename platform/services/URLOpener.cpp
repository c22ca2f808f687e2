#include "platform/services/URLOpener.h"

#include <cctype>

#include "platform/foundation/Log.h"
#include "platform/services/DesktopCommand.h"

namespace {
constexpr size_t kMaxURLLength = 32768;

bool refusedScheme(const std::string& scheme) {
  return scheme == "file" || scheme == "data" || scheme == "javascript" || scheme == "vbscript" ||
         scheme == "about";
}
}  // namespace

URLOpener& URLOpener::shared() {
  static URLOpener opener;
  return opener;
}

bool URLOpener::schemeOf(const std::string& url, std::string& scheme) {
  if (url.empty() || url.size() > kMaxURLLength) return false;
  for (unsigned char c : url)
    if (c < 0x20 || c == 0x7f) return false;  // no control characters reach a helper program
  auto colon = url.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (size_t i = 0; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(url[i]);
    if (!(std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.')))) return false;
  }
  scheme = url.substr(0, colon);
  for (auto& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return true;
}

void URLOpener::registerSchemeHandler(const std::string& scheme, Handler handler) {
  std::string s;
  if (!schemeOf(scheme + ":", s)) return;
  std::lock_guard lock(mutex_);
  handlers_[s] = std::move(handler);
}

void URLOpener::unregisterSchemeHandler(const std::string& scheme) {
  std::string s;
  if (!schemeOf(scheme + ":", s)) return;
  std::lock_guard lock(mutex_);
  handlers_.erase(s);
}

bool URLOpener::desktopHandles(const std::string& scheme) {
  {
    std::lock_guard lock(mutex_);
    auto it = desktopAnswers_.find(scheme);
    if (it != desktopAnswers_.end()) return it->second;
  }
  bool handled = false;
  std::string out;
  auto status = DesktopCommand::run({"xdg-mime", "query", "default", "x-scheme-handler/" + scheme}, &out, 5.0);
  if (status && *status == 0) {
    for (char c : out)
      if (!std::isspace(static_cast<unsigned char>(c))) handled = true;
  }
  std::lock_guard lock(mutex_);
  desktopAnswers_[scheme] = handled;
  return handled;
}

bool URLOpener::canOpenURL(const std::string& url) {
  std::string scheme;
  if (!schemeOf(url, scheme) || refusedScheme(scheme)) return false;
  {
    std::lock_guard lock(mutex_);
    if (handlers_.count(scheme)) return true;
  }
  return desktopHandles(scheme);
}

bool URLOpener::openURL(const std::string& url) {
  std::string scheme;
  if (!schemeOf(url, scheme) || refusedScheme(scheme)) {
    NSLog("openURL: refusing %@", url.substr(0, 200));
    return false;
  }
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    auto it = handlers_.find(scheme);
    if (it != handlers_.end()) handler = it->second;
  }
  if (handler) return handler(url);
  if (!desktopHandles(scheme)) {
    NSLog("openURL: no application handles %@ links", scheme);
    return false;
  }
  return DesktopCommand::launch({"xdg-open", url});
}

void URLOpener::resetForTesting() {
  std::lock_guard lock(mutex_);
  handlers_.clear();
  desktopAnswers_.clear();
}
