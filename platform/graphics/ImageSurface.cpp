#include "platform/graphics/ImageSurface.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Below this, rounding up to whole huge pages would waste too much.
constexpr size_t kLargeSurface = size_t{1} << 20;

struct Mapping {
    void* address;
    size_t length;
};
const cairo_user_data_key_t kMappingKey{};

void unmap(void* data) {
    auto* mapping = static_cast<Mapping*>(data);
    ::munmap(mapping->address, mapping->length);
    delete mapping;
}

}  // namespace

CairoSurface surfaceOnMapping(void* address, size_t length, size_t offset, cairo_format_t format, int width,
                              int height, int stride) {
    auto* mapping = new Mapping{address, length};
    CairoSurface surface(cairo_image_surface_create_for_data(static_cast<unsigned char*>(address) + offset, format,
                                                             width, height, stride));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(surface.get(), &kMappingKey, mapping, unmap) != CAIRO_STATUS_SUCCESS) {
        surface.reset();
        unmap(mapping);
    }
    return surface;
}

CairoSurface createImageSurface(cairo_format_t format, int width, int height) {
    const int stride = cairo_format_stride_for_width(format, width);
    const size_t bytes = width > 0 && height > 0 && stride > 0 ? static_cast<size_t>(stride) * height : 0;
    if (bytes < kLargeSurface) return CairoSurface(cairo_image_surface_create(format, width, height));

    // One huge page more than needed is mapped and only the aligned part kept. Fresh
    // anonymous pages read as zero: the surface starts cleared.
    const size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* raw = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return CairoSurface(cairo_image_surface_create(format, width, height));
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) & ~(uintptr_t{kHugePage} - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const uintptr_t end = start + length + kHugePage;
    if (end > aligned + length) ::munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    void* address = reinterpret_cast<void*>(aligned);
    ::madvise(address, length, MADV_HUGEPAGE);  // a hint: where refused, small pages serve

    CairoSurface surface = surfaceOnMapping(address, length, 0, format, width, height, stride);
    return surface ? std::move(surface) : CairoSurface(cairo_image_surface_create(format, width, height));
}
