#pragma once
// An absolute URL and its parts, as the platform's URL class gives them: scheme, host, port,
// path (percent-decoded) and its components, query, fragment, and the resource specifier (all
// after "scheme:"). Relative references resolve against a base URL.

#include <optional>
#include <string>
#include <vector>

class NSURL {
 public:
  // None for text that is not a URL: empty, with spaces or control characters, or without a
  // scheme (unless a base is given to resolve it against).
  static std::optional<NSURL> URLWithString(const std::string& text);
  static std::optional<NSURL> URLWithString(const std::string& text, const NSURL& base);
  static NSURL fileURLWithPath(const std::string& path);

  const std::string& absoluteString() const { return text_; }
  std::string scheme() const;  // lower case
  std::string host() const;    // lower case, without brackets
  std::optional<int> port() const;
  // Percent-decoded; "" when the URL has none.
  std::string path() const;
  // "/" first, then each non-empty segment, decoded (empty for no path).
  std::vector<std::string> pathComponents() const;
  std::string lastPathComponent() const;
  // Raw (still escaped), without "?" or "#"; none when absent.
  std::optional<std::string> query() const;
  std::optional<std::string> fragment() const;
  // Everything after the first ":".
  std::string resourceSpecifier() const;
  bool isFileURL() const { return scheme() == "file"; }

  bool operator==(const NSURL& other) const { return text_ == other.text_; }

 private:
  explicit NSURL(std::string text) : text_(std::move(text)) {}
  std::string text_;
};

// Describing overload for "%@".
inline std::string describe(const NSURL& url) { return url.absoluteString(); }
