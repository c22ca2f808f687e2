// Downloaded chapter archives are decompressed by gunzip_stream: any input fails cleanly or
// decompresses, never crashes or reads out of bounds.

#include "Classes/Audio/Archive/Gunzip.h"

#include <cstdint>
#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int fd = memfd_create("gunzip-input", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        return 0;
    }
    lseek(fd, 0, SEEK_SET);
    gzFile in = gzdopen(fd, "rb");
    FILE* out = std::fopen("/dev/null", "wb");
    if (!in || !out) {
        if (in) gzclose(in);
        if (out) std::fclose(out);
        return 0;
    }
    (void)gunzip_stream(in, out);
    return 0;
}
