// Replaces the C library's calls that open for writing or change a folder, in the test program
// that links this file: for a read-only folder, and for one out of free file entries.
#undef _FORTIFY_SOURCE

#include "tests/support/ReadOnlyFolder.h"

#include "tests/support/PathUnder.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

std::mutex readOnlyLock;
std::string readOnlyFolder;  // empty: every folder is writable
std::atomic<int> changesRefused{0};
std::string fullEntriesFolder;  // empty: every folder can take new entries
std::atomic<int> creationsRefused{0};

// The path as the folder's entries are named: its folder resolved, relative to dirfd.
std::string entryPath(int dirfd, const char* path) {
    std::string full = path ? path : "";
    if (full.empty() || full.front() != '/') {
        char base[PATH_MAX];
        std::string folder;
        if (dirfd == AT_FDCWD) {
            if (getcwd(base, sizeof base)) folder = base;
        } else {
            const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(dirfd)).c_str(), base, sizeof base - 1);
            if (n > 0) folder.assign(base, static_cast<size_t>(n));
        }
        if (folder.empty()) return full;
        full = folder + "/" + full;
    }
    while (full.size() > 1 && full.back() == '/') full.pop_back();
    const size_t slash = full.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return full;
    return resolvedPath(full.substr(0, slash)) + full.substr(slash);
}

bool refuseChange(int dirfd, const char* path) {
    {
        std::lock_guard<std::mutex> guard(readOnlyLock);
        if (readOnlyFolder.empty()) return false;
    }
    const std::string entry = entryPath(dirfd, path);
    std::lock_guard<std::mutex> guard(readOnlyLock);
    if (!isPathUnder(entry, readOnlyFolder)) return false;
    ++changesRefused;
    errno = EROFS;
    return true;
}

// A new entry (one that does not exist yet) under the folder out of file entries.
bool refuseNewEntry(int dirfd, const char* path) {
    {
        std::lock_guard<std::mutex> guard(readOnlyLock);
        if (fullEntriesFolder.empty()) return false;
    }
    struct stat existing{};
    if (fstatat(dirfd, path, &existing, AT_SYMLINK_NOFOLLOW) == 0) return false;
    const std::string entry = entryPath(dirfd, path);
    std::lock_guard<std::mutex> guard(readOnlyLock);
    if (!isPathUnder(entry, fullEntriesFolder)) return false;
    ++creationsRefused;
    errno = ENOSPC;
    return true;
}

bool writes(int flags) { return (flags & O_ACCMODE) != O_RDONLY || (flags & (O_CREAT | O_TRUNC)) != 0; }

mode_t modeArgument(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

int openAt(int dirfd, const char* path, int flags, mode_t mode) {
    if (writes(flags) && refuseChange(dirfd, path)) return -1;
    if ((flags & O_CREAT) && refuseNewEntry(dirfd, path)) return -1;
    return static_cast<int>(syscall(SYS_openat, dirfd, path, flags, mode));
}

template <class Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return openAt(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) __attribute__((alias("open")));

int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    return openAt(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...) __attribute__((alias("openat")));

int creat(const char* path, mode_t mode) { return openAt(AT_FDCWD, path, O_WRONLY | O_CREAT | O_TRUNC, mode); }

int mkdir(const char* path, mode_t mode) {
    return refuseChange(AT_FDCWD, path) || refuseNewEntry(AT_FDCWD, path)
               ? -1
               : static_cast<int>(syscall(SYS_mkdirat, AT_FDCWD, path, mode));
}

int unlink(const char* path) {
    return refuseChange(AT_FDCWD, path) ? -1 : static_cast<int>(syscall(SYS_unlinkat, AT_FDCWD, path, 0));
}

int rmdir(const char* path) {
    return refuseChange(AT_FDCWD, path) ? -1 : static_cast<int>(syscall(SYS_unlinkat, AT_FDCWD, path, AT_REMOVEDIR));
}

int rename(const char* from, const char* to) {
    if (refuseChange(AT_FDCWD, from) || refuseChange(AT_FDCWD, to)) return -1;
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}

int mkstemp(char* pattern) {
    if (refuseChange(AT_FDCWD, pattern) || refuseNewEntry(AT_FDCWD, pattern)) return -1;
    static const auto real = next<int (*)(char*)>("mkstemp");
    return real(pattern);
}

int mkstemp64(char* pattern) __attribute__((alias("mkstemp")));

}  // extern "C"

ReadOnlyFolder::ReadOnlyFolder(std::string folder) {
    folder = resolvedPath(std::move(folder));
    std::lock_guard<std::mutex> guard(readOnlyLock);
    readOnlyFolder = std::move(folder);
    changesRefused = 0;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    std::lock_guard<std::mutex> guard(readOnlyLock);
    readOnlyFolder.clear();
}

int ReadOnlyFolder::refusedChanges() const { return changesRefused; }

NoFreeFileEntries::NoFreeFileEntries(std::string folder) {
    folder = resolvedPath(std::move(folder));
    std::lock_guard<std::mutex> guard(readOnlyLock);
    fullEntriesFolder = std::move(folder);
    creationsRefused = 0;
}

NoFreeFileEntries::~NoFreeFileEntries() {
    std::lock_guard<std::mutex> guard(readOnlyLock);
    fullEntriesFolder.clear();
}

int NoFreeFileEntries::refusedCreations() const { return creationsRefused; }
