#include "Classes/Audio/Archive/Gunzip.h"

#include "platform/foundation/Log.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr size_t kMaxPath = 1023;
constexpr unsigned kStepBytes = 16384;
// Large stream buffers keep the system calls few.
constexpr size_t kFileBuffer = 256 * 1024;

bool gunzip_fatal(const std::string& message) {
    NSLog("gunzip: %s", message);
    return false;
}

}  // namespace

bool gunzip_stream(gzFile in, FILE* out) {
    unsigned char buffer[kStepBytes];
    bool ok = true;
    for (;;) {
        int count = gzread(in, buffer, kStepBytes);
        if (count < 0) {
            int code = 0;
            ok = gunzip_fatal(gzerror(in, &code));
            break;
        }
        if (count == 0) break;
        // zlib copies input that is not gzip data unchanged; an archive must be compressed.
        if (gzdirect(in)) {
            ok = gunzip_fatal("not in gzip format");
            break;
        }
        if (std::fwrite(buffer, 1, static_cast<size_t>(count), out) != static_cast<size_t>(count)) {
            ok = gunzip_fatal("failed fwrite");
            break;
        }
    }
    if (std::fclose(out) != 0 && ok) ok = gunzip_fatal("failed fclose");
    if (gzclose(in) != Z_OK && ok) ok = gunzip_fatal("failed gzclose");
    return ok;
}

bool gunzip_file(const std::string& path) {
    const std::string suffix = ".gz";
    const bool compressedName =
        path.size() >= 4 && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
    const std::string input = compressedName ? path : path + suffix;
    const std::string output = compressedName ? path.substr(0, path.size() - suffix.size()) : path;
    if (input.size() > kMaxPath) return gunzip_fatal("path too long: " + input);

    gzFile in = gzopen(input.c_str(), "rb");
    if (!in) return gunzip_fatal("can't gzopen " + input);
    gzbuffer(in, kFileBuffer);
    FILE* out = std::fopen(output.c_str(), "wb");
    if (!out) {
        NSLog("%s: %s", path, std::strerror(errno));
        gzclose(in);
        return false;
    }
    std::setvbuf(out, nullptr, _IOFBF, kFileBuffer);
    if (!gunzip_stream(in, out)) return false;
    std::remove(input.c_str());
    return true;
}
