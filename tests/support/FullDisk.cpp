#include "tests/support/FullDisk.h"

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
    const std::string path(target, static_cast<size_t>(n));
    return path.size() > fullFolder.size() && path.compare(0, fullFolder.size(), fullFolder) == 0 &&
           path[fullFolder.size()] == '/';
}

}  // namespace

// Takes the place of the C library's write() in the test program that links this file.
extern "C" ssize_t write(int fd, const void* data, size_t size) {
    if (isUnderFullFolder(fd)) {
        ++refused;
        errno = ENOSPC;
        return -1;
    }
    return syscall(SYS_write, fd, data, size);
}

FullDisk::FullDisk(std::string folder) {
    // Open files are named by their resolved path.
    if (char* real = realpath(folder.c_str(), nullptr)) {
        folder = real;
        free(real);
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::lock_guard<std::mutex> guard(fullLock);
    fullFolder = std::move(folder);
    refused = 0;
}

FullDisk::~FullDisk() {
    std::lock_guard<std::mutex> guard(fullLock);
    fullFolder.clear();
}

int FullDisk::refusedWrites() const { return refused; }
