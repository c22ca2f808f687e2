#include "platform/foundation/NSFileManager.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"

namespace fs = std::filesystem;

namespace {

bool failWith(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

// Leaves the cause in errno for callers that tell causes apart.
bool failErrno(std::string* error, const char* what, const std::string& path, int code)
{
    failWith(error, stringWithFormat("%s %@: %s", what, path, std::strerror(code)));
    errno = code;
    return false;
}


// Copies one regular file to a temporary name beside the target, then renames it into place.
bool copyFile(const std::string& from, const std::string& to, std::string* error)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failErrno(error, "Cannot open", from, errno);
    struct stat st{};
    fstat(in, &st);
    std::string temp = to + ".partial-XXXXXX";
    const int out = mkstemp(temp.data());
    if (out < 0) {
        const int code = errno;
        ::close(in);
        return failErrno(error, "Cannot create", to, code);
    }
    char buf[65536];
    bool ok = true;
    int code = 0;
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            code = errno;
            break;
        }
        if (n == 0)
            break;
        if (!writeAll(out, buf, static_cast<size_t>(n))) {
            ok = false;
            code = errno;
            break;
        }
    }
    ::close(in);
    if (ok)
        (void)fchmod(out, st.st_mode & 0777); // on failure the copy keeps the default mode
    if (ok && fsync(out) != 0) {
        ok = false;
        code = errno;
    }
    if (::close(out) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temp.c_str(), to.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failErrno(error, "Cannot copy to", to, code);
    }
    return true;
}

} // namespace

bool isNoSpaceError(int err) { return err == ENOSPC || err == EDQUOT; }

bool writeAll(int fd, const void* data, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

NSFileManager& NSFileManager::defaultManager()
{
    static NSFileManager manager;
    return manager;
}

bool NSFileManager::fileExistsAtPath(const std::string& path) const { return fileExistsAtPath(path, nullptr); }

bool NSFileManager::fileExistsAtPath(const std::string& path, bool* isDirectory) const
{
    struct stat st{};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return false;
    if (isDirectory)
        *isDirectory = S_ISDIR(st.st_mode);
    return true;
}

bool NSFileManager::isReadableFileAtPath(const std::string& path) const
{
    return !path.empty() && ::access(path.c_str(), R_OK) == 0;
}

bool NSFileManager::copyItemAtPath(const std::string& from, const std::string& to, std::string* error)
{
    bool isDir = false;
    if (!fileExistsAtPath(from, &isDir))
        return failWith(error, stringWithFormat("The file %@ does not exist.", from));
    if (fileExistsAtPath(to))
        return failWith(error, stringWithFormat("The file %@ already exists.", to));
    if (!isDir)
        return copyFile(from, to, error);
    std::error_code ec;
    fs::copy(from, to, fs::copy_options::recursive, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove_all(to, ignored); // leave no half-copied folder
        return failWith(error, stringWithFormat("Cannot copy %@ to %@: %@", from, to, ec.message()));
    }
    return true;
}

bool NSFileManager::moveItemAtPath(const std::string& from, const std::string& to, std::string* error)
{
    if (!fileExistsAtPath(from))
        return failWith(error, stringWithFormat("The file %@ does not exist.", from));
    if (fileExistsAtPath(to))
        return failWith(error, stringWithFormat("The file %@ already exists.", to));
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return failErrno(error, "Cannot move to", to, errno);
    // Another file system: copy, then remove the original only once the copy is complete.
    if (!copyItemAtPath(from, to, error))
        return false;
    return removeItemAtPath(from, error);
}

bool NSFileManager::removeItemAtPath(const std::string& path, std::string* error)
{
    struct stat st{};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0)
        return failWith(error, stringWithFormat("The file %@ does not exist.", path));
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec)
        return failWith(error, stringWithFormat("Cannot remove %@: %@", path, ec.message()));
    return true;
}

bool NSFileManager::createDirectoryAtPath(const std::string& path, bool withIntermediateDirectories, std::string* error)
{
    bool isDir = false;
    if (fileExistsAtPath(path, &isDir)) {
        if (isDir && withIntermediateDirectories)
            return true;
        return failWith(error, stringWithFormat("The file %@ already exists.", path));
    }
    std::error_code ec;
    if (withIntermediateDirectories)
        fs::create_directories(path, ec);
    else
        fs::create_directory(path, ec);
    if (ec)
        return failWith(error, stringWithFormat("Cannot create folder %@: %@", path, ec.message()));
    return true;
}

std::optional<uint64_t> NSFileManager::fileSize(const std::string& path) const
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

std::optional<NSDate> NSFileManager::modificationDate(const std::string& path) const
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return NSDate::dateWithTimeIntervalSince1970(static_cast<double>(st.st_mtim.tv_sec) + st.st_mtim.tv_nsec / 1e9);
}

bool NSFileManager::setModificationDate(const std::string& path, const NSDate& date)
{
    const double t = date.timeIntervalSince1970();
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(std::floor(t));
    times[1].tv_nsec = static_cast<long>((t - std::floor(t)) * 1e9);
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::optional<std::vector<std::string>> NSFileManager::contentsOfDirectoryAtPath(const std::string& path,
                                                                                 std::string* error) const
{
    std::error_code ec;
    fs::directory_iterator it(path, ec);
    if (ec) {
        failWith(error, stringWithFormat("Cannot read folder %@: %@", path, ec.message()));
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const auto& entry : it)
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::vector<std::string>> NSFileManager::subpathsAtPath(const std::string& path) const
{
    std::error_code ec;
    fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> paths;
    for (auto end = fs::recursive_directory_iterator(); it != end; it.increment(ec)) {
        if (ec)
            break;
        paths.push_back(fs::relative(it->path(), path, ec).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::optional<std::vector<uint8_t>> NSFileManager::contentsAtPath(const std::string& path) const
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = code;
        return std::nullopt;
    }
    std::vector<uint8_t> data;
    uint8_t buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.insert(data.end(), buf, buf + n);
    }
    ::close(fd);
    return data;
}

bool NSFileManager::writeAtomically(const std::string& path, const void* data, size_t size, std::string* error)
{
    // The partial file stays locked (flock) until it is renamed, so whoever clears partial files
    // a killed writer left only takes unlocked ones. One removed before the lock was taken is
    // made again.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
        temp = path + ".partial-XXXXXX";
        fd = mkstemp(temp.data());
        if (fd < 0)
            return failErrno(error, "Cannot write", path, errno);
        (void)::flock(fd, LOCK_EX); // where the file system has no locks, the file goes unguarded
        struct stat st{};
        if (::fstat(fd, &st) == 0 && st.st_nlink == 0) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0)
        return failErrno(error, "Cannot write", path, ENOENT);
    (void)fchmod(fd, 0644);
    bool ok = writeAll(fd, data, size) && fsync(fd) == 0;
    int code = ok ? 0 : errno;
    // Renamed while still locked; the data is on the disk once fsync has returned.
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok)
        ::unlink(temp.c_str());
    ::close(fd);
    if (!ok)
        return failErrno(error, "Cannot write", path, code);
    return true;
}

bool NSFileManager::writeAtomically(const std::string& path, const std::vector<uint8_t>& data, std::string* error)
{
    return writeAtomically(path, data.data(), data.size(), error);
}

bool NSFileManager::writeAtomically(const std::string& path, const std::string& text, std::string* error)
{
    return writeAtomically(path, text.data(), text.size(), error);
}
