#pragma once
// Links to the web sites whose addresses are settings (the maker's site, the credited person's).

#include <string>

// Opens the address stored under key with path after it in the desktop's browser; false (and a
// log line) when the setting is empty.
bool openSiteSetting(const char* key, const std::string& path);
