#pragma once
// File operations. Failures return false / nullopt and, where asked, a readable reason.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"

// Writes every byte to the descriptor, going on after interruptions and short writes. False
// (errno set) when a write fails.
bool writeAll(int fd, const void* data, size_t size);

// Whether an errno value says the disk (or the user's quota) has no space left.
bool isNoSpaceError(int err);

class NSFileManager {
public:
    static NSFileManager& defaultManager();

    bool fileExistsAtPath(const std::string& path) const;
    bool fileExistsAtPath(const std::string& path, bool* isDirectory) const;
    bool isReadableFileAtPath(const std::string& path) const;

    // Fails when the destination exists. A file is copied through a temporary file that is
    // renamed into place, so a failed copy leaves no partial destination. Folders copy whole.
    [[nodiscard]] bool copyItemAtPath(const std::string& from, const std::string& to, std::string* error = nullptr);
    // Fails when the destination exists; works across file systems.
    [[nodiscard]] bool moveItemAtPath(const std::string& from, const std::string& to, std::string* error = nullptr);
    // Removes a file or a whole folder.
    [[nodiscard]] bool removeItemAtPath(const std::string& path, std::string* error = nullptr);
    [[nodiscard]] bool createDirectoryAtPath(const std::string& path, bool withIntermediateDirectories,
                                             std::string* error = nullptr);

    std::optional<uint64_t> fileSize(const std::string& path) const;
    std::optional<NSDate> modificationDate(const std::string& path) const;
    [[nodiscard]] bool setModificationDate(const std::string& path, const NSDate& date);

    // Names in a folder (no "." or ".."), sorted; nullopt when it cannot be read.
    std::optional<std::vector<std::string>> contentsOfDirectoryAtPath(const std::string& path,
                                                                      std::string* error = nullptr) const;
    // Every path below a folder, relative to it, sorted.
    std::optional<std::vector<std::string>> subpathsAtPath(const std::string& path) const;

    // Whole-file read and atomic write (temporary file, flush, rename). A failed read or write
    // leaves its cause in errno; only a regular file is read (a folder gives EISDIR, a FIFO,
    // socket or device EINVAL, without waiting on it).
    std::optional<std::vector<uint8_t>> contentsAtPath(const std::string& path) const;
    [[nodiscard]] bool writeAtomically(const std::string& path, const void* data, size_t size,
                                       std::string* error = nullptr);
    [[nodiscard]] bool writeAtomically(const std::string& path, const std::vector<uint8_t>& data,
                                       std::string* error = nullptr);
    [[nodiscard]] bool writeAtomically(const std::string& path, const std::string& text,
                                       std::string* error = nullptr);
};
