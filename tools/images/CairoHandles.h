// Owning handles for the cairo, pango and GLib objects the image tool makes.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct GObjectDeleter {
    void operator()(void* o) const { g_object_unref(o); }
};
struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};

using SurfaceHandle = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using ContextHandle = std::unique_ptr<cairo_t, CairoContextDeleter>;
using LayoutHandle = std::unique_ptr<PangoLayout, GObjectDeleter>;
using FontDescriptionHandle = std::unique_ptr<PangoFontDescription, FontDescriptionDeleter>;
