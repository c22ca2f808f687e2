#pragma once
// Folder paths as the kernel names open files: resolved, without a trailing slash; and whether a
// resolved path lies inside such a folder (the folder itself not included).

#include <cstdlib>
#include <string>

inline std::string resolvedPath(std::string path) {
    if (char* real = realpath(path.c_str(), nullptr)) {
        path = real;
        free(real);
    }
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

inline bool isPathUnder(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}
