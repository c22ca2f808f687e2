#include "Classes/Audio/Archive/Gunzip.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Thread.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxPath = 1023;
constexpr unsigned kStepBytes = 16384;
// A large input buffer keeps the system calls few.
constexpr unsigned kInputBuffer = 256 * 1024;

bool gunzip_fatal(const std::string& message, ArchiveError error, ArchiveError* why) {
    NSLog("gunzip: %s", message);
    if (why) *why = error;
    return false;
}

}  // namespace

bool gunzip_stream(gzFile in, int out, long long maxOutput, ArchiveError* why) {
    unsigned char buffer[kStepBytes];
    bool ok = true;
    long long written = 0;
    if (why) *why = ArchiveError::none;
    for (;;) {
        if (workersShouldStop()) {
            ok = gunzip_fatal("stopped", ArchiveError::stopped, why);
            break;
        }
        int count = gzread(in, buffer, kStepBytes);
        if (count < 0) {
            int code = 0;
            ok = gunzip_fatal(gzerror(in, &code), ArchiveError::damaged, why);
            break;
        }
        if (count == 0) break;
        // zlib copies input that is not gzip data unchanged; an archive must be compressed.
        if (gzdirect(in)) {
            ok = gunzip_fatal("not in gzip format", ArchiveError::damaged, why);
            break;
        }
        written += count;
        if (maxOutput >= 0 && written > maxOutput) {
            ok = gunzip_fatal("the output passes " + std::to_string(maxOutput) + " bytes", ArchiveError::tooLarge, why);
            break;
        }
        if (!writeAll(out, buffer, static_cast<size_t>(count))) {
            ok = gunzip_fatal(std::string("failed write: ") + std::strerror(errno), writeError(), why);
            break;
        }
    }
    if (close(out) != 0 && ok) ok = gunzip_fatal(std::string("failed close: ") + std::strerror(errno), writeError(), why);
    if (gzclose(in) != Z_OK && ok) ok = gunzip_fatal("failed gzclose", ArchiveError::damaged, why);
    return ok;
}

bool gunzip_file(const std::string& path, long long maxOutput, ArchiveError* why) {
    const std::string suffix = ".gz";
    const bool compressedName =
        path.size() >= 4 && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
    const std::string input = compressedName ? path : path + suffix;
    const std::string output = compressedName ? path.substr(0, path.size() - suffix.size()) : path;
    if (why) *why = ArchiveError::none;
    if (input.size() > kMaxPath) return gunzip_fatal("path too long: " + input, ArchiveError::damaged, why);

    gzFile in = gzopen(input.c_str(), "rb");
    if (!in) return gunzip_fatal("can't gzopen " + input, ArchiveError::damaged, why);
    gzbuffer(in, kInputBuffer);
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        NSLog("%s: %s", path, std::strerror(errno));
        if (why) *why = writeError();
        gzclose(in);
        return false;
    }
    if (!gunzip_stream(in, out, maxOutput, why)) {
        std::remove(output.c_str());
        return false;
    }
    std::remove(input.c_str());
    return true;
}
