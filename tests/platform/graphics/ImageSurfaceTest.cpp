#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "tests/support/MemoryMappings.h"

TEST(ImageSurface, SmallAndScreenSizedSurfacesStartClearAndTakeDrawing) {
    for (const auto& [width, height] : {std::pair{40, 30}, std::pair{640, 960}, std::pair{1024, 1024}}) {
        SCOPED_TRACE(width);
        CairoSurface surface = createImageSurface(CAIRO_FORMAT_ARGB32, width, height);
        ASSERT_EQ(cairo_surface_status(surface.get()), CAIRO_STATUS_SUCCESS);
        ASSERT_EQ(cairo_image_surface_get_width(surface.get()), width);
        ASSERT_EQ(cairo_image_surface_get_height(surface.get()), height);
        const int stride = cairo_image_surface_get_stride(surface.get());
        EXPECT_EQ(stride, cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width));
        const auto* rows = cairo_image_surface_get_data(surface.get());
        const auto at = [&](int x, int y) { return *reinterpret_cast<const uint32_t*>(rows + y * stride + x * 4); };
        EXPECT_EQ(at(0, 0), 0u);
        EXPECT_EQ(at(width - 1, height - 1), 0u);

        Cairo cr(cairo_create(surface.get()));
        cairo_set_source_rgb(cr.get(), 0, 1, 0);
        cairo_rectangle(cr.get(), width - 2, height - 2, 2, 2);
        cairo_fill(cr.get());
        cairo_surface_flush(surface.get());
        EXPECT_EQ(at(width - 1, height - 1), 0xff00ff00u);
        EXPECT_EQ(at(width - 3, height - 1), 0u);
    }
}

TEST(ImageSurface, AScreenSizedSurfaceAsksForLargePages) {
    if (!largePagesOnRequest()) GTEST_SKIP() << "this system offers no large pages";
    CairoSurface surface = createImageSurface(CAIRO_FORMAT_ARGB32, 1024, 1024);
    const unsigned char* rows = cairo_image_surface_get_data(surface.get());
    EXPECT_EQ(reinterpret_cast<uintptr_t>(rows) % (2 << 20), 0u);
    EXPECT_NE(mappingOf(rows).flags.find(" hg"), std::string::npos) << mappingOf(rows).flags;
}
