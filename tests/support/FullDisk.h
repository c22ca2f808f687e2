#pragma once
// While one of these lives, writes made with write(2) or pwrite(2) to files under `folder` fail
// with ENOSPC, as on a full disk. Only this process is affected, and only writes through those
// calls.

#include <string>

class FullDisk {
public:
    explicit FullDisk(std::string folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    // Writes refused so far.
    int refusedWrites() const;
};
