#include "tests/support/FullDisk.h"

#include "tests/support/PathUnder.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

std::mutex fullLock;
std::string fullFolder;  // empty: no disk is full
std::atomic<int> refused{0};

bool isUnderFullFolder(int fd) {
    std::lock_guard<std::mutex> guard(fullLock);
    if (fullFolder.empty()) return false;
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0) return false;
    return isPathUnder(std::string(target, static_cast<size_t>(n)), fullFolder);
}

bool refuse(int fd) {
    if (!isUnderFullFolder(fd)) return false;
    ++refused;
    errno = ENOSPC;
    return true;
}

}  // namespace

// These take the place of the C library's write() and pwrite() in the test program that links
// this file (SQLite writes its pages with pwrite64).
extern "C" ssize_t write(int fd, const void* data, size_t size) {
    return refuse(fd) ? -1 : syscall(SYS_write, fd, data, size);
}

extern "C" ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
    return refuse(fd) ? -1 : syscall(SYS_pwrite64, fd, data, size, offset);
}

extern "C" ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
    return refuse(fd) ? -1 : syscall(SYS_pwrite64, fd, data, size, offset);
}

FullDisk::FullDisk(std::string folder) {
    // Open files are named by their resolved path.
    folder = resolvedPath(std::move(folder));
    std::lock_guard<std::mutex> guard(fullLock);
    fullFolder = std::move(folder);
    refused = 0;
}

FullDisk::~FullDisk() {
    std::lock_guard<std::mutex> guard(fullLock);
    fullFolder.clear();
}

int FullDisk::refusedWrites() const { return refused; }
