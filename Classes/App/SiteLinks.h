#pragma once
// Links to the web sites whose addresses are settings (the maker's site, the credited person's).
// Their defaults are pages of our own in the bundle, opened by file: URL.

#include <string>

// The file: URL of a folder of the bundle, for a default address.
std::string bundledSiteAddress(const std::string& folder);
// The address stored under key with path after it; a file: address that names a folder gives
// that folder's index.html, as a web server would. Empty (and a log line) when the setting is.
std::string siteAddress(const char* key, const std::string& path);
