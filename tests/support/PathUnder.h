#pragma once
// Whether a resolved path lies inside a folder (the folder itself not included).

#include <string>

inline bool isPathUnder(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}
