// Downloaded chapter archives are decompressed by gunzip_stream: any input fails cleanly or
// decompresses within its bound, never crashes or reads out of bounds.

#include "Classes/Audio/Archive/Gunzip.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr long long kFuzzOutputBound = 1024 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int fd = memfd_create("gunzip-input", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        return 0;
    }
    lseek(fd, 0, SEEK_SET);
    gzFile in = gzdopen(fd, "rb");
    const int out = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (!in || out < 0) {
        if (in) gzclose(in);
        if (out >= 0) close(out);
        return 0;
    }
    // A small input may not inflate past this bound (a bomb stops there).
    (void)gunzip_stream(in, out, kFuzzOutputBound);
    return 0;
}
