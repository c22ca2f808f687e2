#include "Classes/Audio/Archive/TarExtract.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Thread.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kNameField = 100;
constexpr long long kArchiveRecord = 10240;
constexpr size_t kWriteBuffer = 64 * 1024;

void tar_warn(const char* message) { NSLog("%s", message); }

void tar_log_errno(const char* format, const std::string& path) {
    NSLog("%s: %s", stringWithFormat(format, path), std::strerror(errno));
}

bool readBlock(FILE* in, unsigned char* block) { return std::fread(block, 1, kTarBlockSize, in) == kTarBlockSize; }

// True when no byte is left to read.
bool atEnd(FILE* in) {
    int c = std::getc(in);
    if (c == EOF) return true;
    std::ungetc(c, in);
    return false;
}

bool isZeroBlock(const unsigned char* block) {
    return std::all_of(block, block + kTarBlockSize, [](unsigned char c) { return c == 0; });
}

// An octal field: optional leading spaces, at most `maxDigits` digits, then only NULs or
// spaces to the field's end. None for anything else (including base-256 sizes).
std::optional<long long> octalField(const unsigned char* field, size_t length, size_t maxDigits) {
    size_t i = 0;
    while (i < length && field[i] == ' ') ++i;
    long long value = 0;
    size_t digits = 0;
    for (; i < length && field[i] >= '0' && field[i] <= '7'; ++i) {
        if (++digits > maxDigits) return std::nullopt;
        value = value * 8 + (field[i] - '0');
    }
    for (; i < length; ++i)
        if (field[i] != 0 && field[i] != ' ') return std::nullopt;
    return value;
}

// The member name: the field up to its first NUL or white space. None when the field has no
// NUL, the name is empty or absolute, or a component is "..".
std::optional<std::string> memberName(const unsigned char* header) {
    const char* field = reinterpret_cast<const char*>(header);
    const void* nul = std::memchr(field, 0, kNameField);
    if (!nul) return std::nullopt;
    size_t length = 0;
    while (field[length] != 0 && !std::isspace(static_cast<unsigned char>(field[length]))) ++length;
    std::string_view name(field, length);
    if (name.empty() || name.front() == '/') return std::nullopt;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..") return std::nullopt;
        start = end + 1;
    }
    return std::string(name);
}

bool checksumMatches(unsigned char (&header)[kTarBlockSize], long long stored) {
    std::memset(header + 148, ' ', 8);
    long long sum = 0;
    for (unsigned char byte : header) sum += static_cast<signed char>(byte);
    return sum == stored;
}

void setMode(const std::string& path, mode_t mode) {
    if (chmod(path.c_str(), mode) != 0) tar_log_errno("tar: cannot chmod on %s", path);
}

int failWith(ArchiveError error, ArchiveError* why) {
    if (why) *why = error;
    return -1;
}

// Writes the member's data to `path`: none, or why it failed.
ArchiveError writeRegularFile(FILE* in, const std::string& path, long long size) {
    unlink(path.c_str());
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return writeError();
    if (fchmod(fd, 0644) != 0) tar_log_errno("tar: cannot chmod on %s", path);
    // Blocks gather in a buffer so that the system calls stay few.
    std::vector<unsigned char> buffer;
    buffer.reserve(kWriteBuffer);
    unsigned char block[kTarBlockSize];
    ArchiveError error = ArchiveError::none;
    for (long long remaining = size; remaining > 0 && error == ArchiveError::none;) {
        size_t take = static_cast<size_t>(std::min<long long>(remaining, kTarBlockSize));
        if (workersShouldStop()) {
            error = ArchiveError::stopped;
        } else if (!readBlock(in, block)) {
            error = ArchiveError::damaged;
        } else {
            buffer.insert(buffer.end(), block, block + take);
            if (buffer.size() >= kWriteBuffer || remaining == static_cast<long long>(take)) {
                if (!writeAll(fd, buffer.data(), buffer.size())) error = writeError();
                buffer.clear();
            }
        }
        remaining -= static_cast<long long>(take);
    }
    if (close(fd) != 0 && error == ArchiveError::none) error = writeError();
    return error;
}

}  // namespace

int tar_extract_entry(FILE* in, unsigned char (&header)[kTarBlockSize], const std::string& folder,
                      ArchiveError* why) {
    std::optional<std::string> name = memberName(header);
    std::optional<long long> mode = octalField(header + 100, 8, 7);
    std::optional<long long> size = octalField(header + 124, 12, 11);
    std::optional<long long> checksum = octalField(header + 148, 8, 6);
    const unsigned char typeflag = header[156];
    if (!name || !mode || !size || !checksum || *size > kTarMaxMemberSize) return failWith(ArchiveError::damaged, why);
    if (!checksumMatches(header, *checksum)) return failWith(ArchiveError::damaged, why);
    if (typeflag != '0' && typeflag != '5') return failWith(ArchiveError::damaged, why);

    if (mkdir(folder.c_str(), 0755) == 0)
        setMode(folder, 0755);
    else if (errno != EEXIST)
        return failWith(writeError(), why);
    const std::string path = folder + "/" + *name;
    if (typeflag == '5') {
        struct stat existing {};
        if (mkdir(path.c_str(), 0755) != 0 && !(errno == EEXIST && lstat(path.c_str(), &existing) == 0 &&
                                                 S_ISDIR(existing.st_mode)))
            return failWith(errno == EEXIST ? ArchiveError::damaged : writeError(), why);
        // Folders keep their search permission so that what is written into them stays reachable.
        setMode(path, 0755);
        return 0;
    }
    const ArchiveError error = writeRegularFile(in, path, *size);
    return error == ArchiveError::none ? 0 : failWith(error, why);
}

int tar_extract(FILE* in, const std::string& deleteOnSuccess, const std::string& folder, ArchiveError* why) {
    if (why) *why = ArchiveError::none;
    unsigned char block[kTarBlockSize];
    while (!atEnd(in)) {
        if (workersShouldStop()) return failWith(ArchiveError::stopped, why);
        if (!readBlock(in, block)) return failWith(ArchiveError::damaged, why);
        if (isZeroBlock(block)) break;
        if (tar_extract_entry(in, block, folder, why) != 0) return -1;
    }
    if (atEnd(in)) tar_warn("tar: zero blocks not found");
    if (!readBlock(in, block)) return failWith(ArchiveError::damaged, why);
    if (!isZeroBlock(block)) tar_warn("tar: not enough zero blocks");

    struct stat info {};
    if (fstat(fileno(in), &info) != 0) return failWith(ArchiveError::damaged, why);
    if (info.st_size % kArchiveRecord != 0) tar_warn("tar: not eough padding blocks at the end");
    if (!deleteOnSuccess.empty()) std::remove(deleteOnSuccess.c_str());
    return 0;
}
