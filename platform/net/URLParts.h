#pragma once
// Splits an absolute URL into the pieces the network layer needs.

#include <string>

struct URLParts {
  std::string scheme;  // lower case
  std::string host;    // lower case, without brackets or port
  int port = -1;
  std::string path;    // begins with "/" when present
  std::string query;   // without "?"
  std::string fragment;

  // False when the text is not an absolute URL with a scheme and (for http/https) a host.
  static bool parse(const std::string& url, URLParts& out);
};
