#pragma once
// Image surfaces on memory of their own: screen-sized pixels in 2 MiB pages where the system
// offers them (filling one takes a handful of page faults instead of one per 4 KiB), and
// pixels mapped from a file.

#include <cstddef>

#include "platform/graphics/CairoHandles.h"

// A cleared image surface; a cairo error surface (see cairo_surface_status) when out of memory.
CairoSurface createImageSurface(cairo_format_t format, int width, int height);

// A surface on the rows at `offset` in a mapping of `length` bytes made by mmap. The surface
// owns the mapping and unmaps it when destroyed; on failure it is unmapped at once and null
// is returned.
CairoSurface surfaceOnMapping(void* mapping, size_t length, size_t offset, cairo_format_t format, int width,
                              int height, int stride);
