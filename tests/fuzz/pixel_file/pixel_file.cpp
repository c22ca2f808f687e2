// Pre-decoded images are read by readPixelFile: any file is refused with a reason or read
// into an image of the size its header gives.

#include "platform/graphics/PixelFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int fd = memfd_create("pixel-file", MFD_CLOEXEC);
    if (fd < 0) std::abort();
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<size_t>(n);
    }
    std::string error;
    CairoSurface surface = readPixelFile("/proc/self/fd/" + std::to_string(fd), &error);
    if (surface) {
        if (cairo_image_surface_get_width(surface.get()) <= 0 || cairo_image_surface_get_height(surface.get()) <= 0)
            std::abort();
    } else if (error.empty()) {
        std::abort();
    }
    ::close(fd);
    return 0;
}
