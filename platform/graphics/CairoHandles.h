#pragma once
// Owning handles for cairo objects.

#include <cairo.h>
#include <memory>

struct CairoSurfaceDeleter { void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); } };
struct CairoDeleter { void operator()(cairo_t* c) const { cairo_destroy(c); } };
struct CairoPatternDeleter { void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); } };
struct CairoPathDeleter { void operator()(cairo_path_t* p) const { cairo_path_destroy(p); } };

using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using Cairo = std::unique_ptr<cairo_t, CairoDeleter>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;
using CairoPath = std::unique_ptr<cairo_path_t, CairoPathDeleter>;

// Takes a new reference on a surface someone else owns.
inline CairoSurface retainSurface(cairo_surface_t* s) { return CairoSurface(s ? cairo_surface_reference(s) : nullptr); }
