#include "platform/graphics/PixelFile.h"

#include "platform/foundation/NSFileManager.h"
#include "platform/graphics/ImageCodec.h"
#include "platform/graphics/ImageSurface.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr char kMagic[8] = {'L', 'U', 'M', 'P', 'I', 'X', '0', '1'};

// Magic, then width, height and cairo format as 32-bit numbers of this machine.
struct Header {
    char magic[8];
    uint32_t width;
    uint32_t height;
    uint32_t format;
};

// Reads exactly `size` bytes unless the file ends or fails first.
bool readFully(int fd, void* into, size_t size) {
    auto* p = static_cast<uint8_t*>(into);
    while (size > 0) {
        const ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::string pixelFileFor(const std::string& imagePath) {
    const auto slash = imagePath.find_last_of('/');
    const auto dot = imagePath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return imagePath + ".pixels";
    return imagePath.substr(0, dot) + ".pixels";
}

CairoSurface readPixelFile(const std::string& path, std::string* error) {
    FileCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        *error = std::strerror(errno);
        return nullptr;
    }
    Header header{};
    struct stat st{};
    if (!readFully(file.fd, &header, sizeof header) || std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 ||
        fstat(file.fd, &st) != 0) {
        *error = "not a pixel file";
        return nullptr;
    }
    if (header.width == 0 || header.height == 0 || header.width > kMaxImageDimension ||
        header.height > kMaxImageDimension ||
        (header.format != CAIRO_FORMAT_ARGB32 && header.format != CAIRO_FORMAT_RGB24)) {
        *error = "pixel file size or format out of range";
        return nullptr;
    }
    const auto format = static_cast<cairo_format_t>(header.format);
    const int width = static_cast<int>(header.width), height = static_cast<int>(header.height);
    const int stride = cairo_format_stride_for_width(format, width);
    const size_t body = static_cast<size_t>(stride) * static_cast<size_t>(height);
    if (static_cast<uint64_t>(st.st_size) != sizeof header + body) {
        *error = "pixel file length does not match its header";
        return nullptr;
    }
    // The rows are mapped, not read: pages come from the page cache as they are drawn, and a
    // write (none is expected) goes to a private copy.
    void* map = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE, file.fd, 0);
    if (map == MAP_FAILED) {
        *error = std::strerror(errno);
        return nullptr;
    }
    CairoSurface surface =
        surfaceOnMapping(map, static_cast<size_t>(st.st_size), sizeof header, format, width, height, stride);
    if (!surface) *error = "no memory for the image";
    return surface;
}

bool writePixelFile(cairo_surface_t* surface, const std::string& path, std::string* error) {
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
        *error = "not an image surface";
        return false;
    }
    cairo_surface_flush(surface);
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.width = static_cast<uint32_t>(cairo_image_surface_get_width(surface));
    header.height = static_cast<uint32_t>(cairo_image_surface_get_height(surface));
    header.format = static_cast<uint32_t>(cairo_image_surface_get_format(surface));
    if (header.format != CAIRO_FORMAT_ARGB32 && header.format != CAIRO_FORMAT_RGB24) {
        *error = "only ARGB32 and RGB24 images are kept as pixel files";
        return false;
    }
    const int stride = cairo_image_surface_get_stride(surface);
    if (stride != cairo_format_stride_for_width(static_cast<cairo_format_t>(header.format), static_cast<int>(header.width))) {
        *error = "image rows are not packed";
        return false;
    }
    // Written beside and renamed over: a reader mapping the old file keeps its pixels.
    const size_t body = static_cast<size_t>(stride) * header.height;
    std::vector<uint8_t> file(sizeof header + body);
    std::memcpy(file.data(), &header, sizeof header);
    std::memcpy(file.data() + sizeof header, cairo_image_surface_get_data(surface), body);
    std::string reason;
    if (!NSFileManager::defaultManager().writeAtomically(path, file, &reason)) {
        *error = "cannot write " + path + ": " + reason;
        return false;
    }
    return true;
}
