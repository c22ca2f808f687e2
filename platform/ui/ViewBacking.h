#pragma once
// A view's cached drawing: what its drawRect produced at a size and scale.

#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"

struct ViewBacking {
    CairoSurface surface;   // null when the view drew nothing
    CGSize drawnSize{};     // bounds size at the time of drawing, in points
    double scale = 1;
};
