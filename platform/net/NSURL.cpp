#include "platform/net/NSURL.h"

#include "platform/foundation/StringUtils.h"
#include "platform/net/URLParts.h"

namespace {
bool acceptable(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text)
    if (c <= 0x20 || c == 0x7f || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
        c == '{' || c == '|' || c == '}')
      return false;
  return true;
}

URLParts partsOf(const std::string& text) {
  URLParts p;
  URLParts::parse(text, p);
  return p;
}

// Removes "." and ".." segments of a path.
std::string normalizePath(const std::string& path) {
  std::vector<std::string> out;
  auto segments = str::split(path, "/");
  for (size_t i = 0; i < segments.size(); ++i) {
    const auto& s = segments[i];
    bool last = i + 1 == segments.size();
    if (s == ".") {
      if (last) out.push_back("");
    } else if (s == "..") {
      if (out.size() > 1) out.pop_back();
      if (last) out.push_back("");
    } else {
      out.push_back(s);
    }
  }
  std::string joined = str::join(out, "/");
  return joined.empty() || joined[0] != '/' ? "/" + joined : joined;
}
}  // namespace

std::optional<NSURL> NSURL::URLWithString(const std::string& text) {
  URLParts p;
  if (!acceptable(text) || !URLParts::parse(text, p)) return std::nullopt;
  return NSURL(text);
}

std::optional<NSURL> NSURL::URLWithString(const std::string& text, const NSURL& base) {
  if (auto absolute = URLWithString(text)) return absolute;
  if (!text.empty() && !acceptable(text)) return std::nullopt;
  URLParts b = partsOf(base.text_);
  if (b.host.empty() && b.scheme != "file") return std::nullopt;
  std::string origin = b.scheme + "://" + b.host;
  if (b.port >= 0) origin.append(":").append(std::to_string(b.port));
  std::string basePath = b.path.empty() ? "/" : b.path;
  std::string resolved;
  if (text.empty()) resolved = base.text_;
  else if (text.rfind("//", 0) == 0) resolved = b.scheme + ":" + text;
  else if (text[0] == '/') resolved = origin + normalizePath(text.substr(0, text.find_first_of("?#"))) +
                                      text.substr(std::min(text.size(), text.find_first_of("?#")));
  else if (text[0] == '#') resolved = origin + basePath + (b.query.empty() ? "" : "?" + b.query) + text;
  else if (text[0] == '?') resolved = origin + basePath + text;
  else {
    size_t cut = text.find_first_of("?#");
    std::string rel = text.substr(0, cut);
    std::string rest = cut == std::string::npos ? "" : text.substr(cut);
    resolved = origin + normalizePath(basePath.substr(0, basePath.rfind('/') + 1) + rel) + rest;
  }
  return URLWithString(resolved);
}

NSURL NSURL::fileURLWithPath(const std::string& path) {
  return NSURL("file://" + str::percentEscape(path));
}

std::string NSURL::scheme() const { return partsOf(text_).scheme; }
std::string NSURL::host() const { return partsOf(text_).host; }

std::optional<int> NSURL::port() const {
  int p = partsOf(text_).port;
  return p >= 0 ? std::optional<int>(p) : std::nullopt;
}

std::string NSURL::path() const {
  std::string raw = partsOf(text_).path;
  return str::percentUnescape(raw).value_or(raw);
}

std::vector<std::string> NSURL::pathComponents() const {
  std::string raw = partsOf(text_).path;
  std::vector<std::string> out;
  if (raw.empty()) return out;
  if (raw[0] == '/') out.push_back("/");
  for (const auto& s : str::split(raw, "/"))
    if (!s.empty()) out.push_back(str::percentUnescape(s).value_or(s));
  return out;
}

std::string NSURL::lastPathComponent() const {
  auto parts = pathComponents();
  return parts.empty() ? std::string() : parts.back();
}

std::optional<std::string> NSURL::query() const {
  auto q = text_.find('?');
  auto h = text_.find('#');
  if (q == std::string::npos || (h != std::string::npos && h < q)) return std::nullopt;
  return text_.substr(q + 1, h == std::string::npos ? std::string::npos : h - q - 1);
}

std::optional<std::string> NSURL::fragment() const {
  auto h = text_.find('#');
  if (h == std::string::npos) return std::nullopt;
  return text_.substr(h + 1);
}

std::string NSURL::resourceSpecifier() const { return text_.substr(text_.find(':') + 1); }
