#include "platform/net/URLParts.h"

#include <cctype>

namespace {
std::string lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

bool URLParts::parse(const std::string& url, URLParts& out) {
  out = URLParts{};
  auto colon = url.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (size_t i = 0; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(url[i]);
    bool ok = std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'));
    if (!ok) return false;
  }
  out.scheme = lower(url.substr(0, colon));
  std::string rest = url.substr(colon + 1);
  auto hash = rest.find('#');
  if (hash != std::string::npos) {
    out.fragment = rest.substr(hash + 1);
    rest.resize(hash);
  }
  auto q = rest.find('?');
  if (q != std::string::npos) {
    out.query = rest.substr(q + 1);
    rest.resize(q);
  }
  if (rest.rfind("//", 0) == 0) {
    rest.erase(0, 2);
    auto slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    out.path = slash == std::string::npos ? std::string() : rest.substr(slash);
    auto at = authority.rfind('@');
    if (at != std::string::npos) authority.erase(0, at + 1);
    if (!authority.empty() && authority[0] == '[') {
      auto close = authority.find(']');
      if (close == std::string::npos) return false;
      out.host = authority.substr(1, close - 1);
      authority.erase(0, close + 1);
      if (!authority.empty() && authority[0] == ':') authority.erase(0, 1); else authority.clear();
    } else {
      auto pc = authority.find(':');
      out.host = authority.substr(0, pc);
      authority = pc == std::string::npos ? std::string() : authority.substr(pc + 1);
    }
    if (!authority.empty()) {
      int port = 0;
      for (char c : authority) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || port > 65535) return false;
        port = port * 10 + (c - '0');
      }
      if (port > 65535) return false;
      out.port = port;
    }
    out.host = lower(out.host);
  } else {
    out.path = rest;
  }
  if ((out.scheme == "http" || out.scheme == "https") && out.host.empty()) return false;
  return true;
}
