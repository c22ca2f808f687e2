#include "Classes/Audio/Archive/TarExtract.h"

#include "platform/foundation/Log.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kNameField = 100;
constexpr long long kArchiveRecord = 10240;

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

bool writeRegularFile(FILE* in, const std::string& path, long long size) {
    unlink(path.c_str());
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    FILE* out = fdopen(fd, "wb");
    if (!out) {
        close(fd);
        return false;
    }
    if (fchmod(fd, 0644) != 0) tar_log_errno("tar: cannot chmod on %s", path);
    char buffer[64 * 1024];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    unsigned char block[kTarBlockSize];
    bool ok = true;
    for (long long remaining = size; remaining > 0 && ok;) {
        size_t take = static_cast<size_t>(std::min<long long>(remaining, kTarBlockSize));
        ok = readBlock(in, block) && std::fwrite(block, 1, take, out) == take;
        remaining -= static_cast<long long>(take);
    }
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int tar_extract_entry(FILE* in, unsigned char (&header)[kTarBlockSize], const std::string& folder) {
    std::optional<std::string> name = memberName(header);
    std::optional<long long> mode = octalField(header + 100, 8, 7);
    std::optional<long long> size = octalField(header + 124, 12, 11);
    std::optional<long long> checksum = octalField(header + 148, 8, 6);
    const unsigned char typeflag = header[156];
    if (!name || !mode || !size || !checksum || *size > kTarMaxMemberSize) return -1;
    if (!checksumMatches(header, *checksum)) return -1;
    if (typeflag != '0' && typeflag != '5') return -1;

    if (mkdir(folder.c_str(), 0755) == 0)
        setMode(folder, 0755);
    else if (errno != EEXIST)
        return -1;
    const std::string path = folder + "/" + *name;
    if (typeflag == '5') {
        struct stat existing {};
        if (mkdir(path.c_str(), 0755) != 0 && !(errno == EEXIST && lstat(path.c_str(), &existing) == 0 &&
                                                 S_ISDIR(existing.st_mode)))
            return -1;
        // Folders keep their search permission so that what is written into them stays reachable.
        setMode(path, 0755);
        return 0;
    }
    return writeRegularFile(in, path, *size) ? 0 : -1;
}

int tar_extract(FILE* in, const std::string& deleteOnSuccess, const std::string& folder) {
    unsigned char block[kTarBlockSize];
    while (!atEnd(in)) {
        if (!readBlock(in, block)) return -1;
        if (isZeroBlock(block)) break;
        if (tar_extract_entry(in, block, folder) != 0) return -1;
    }
    if (atEnd(in)) tar_warn("tar: zero blocks not found");
    if (!readBlock(in, block)) return -1;
    if (!isZeroBlock(block)) tar_warn("tar: not enough zero blocks");

    struct stat info {};
    if (fstat(fileno(in), &info) != 0) return -1;
    if (info.st_size % kArchiveRecord != 0) tar_warn("tar: not eough padding blocks at the end");
    if (!deleteOnSuccess.empty()) std::remove(deleteOnSuccess.c_str());
    return 0;
}
