#pragma once
// Offscreen layers: a bitmap made to match a context's scale, drawn into later as a unit.

#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"

#include <memory>

class CGContext;
class CGLayer;
using CGLayerRef = std::shared_ptr<CGLayer>;

class CGLayer {
public:
    // A transparent layer of the size in points, backed at the context's scale (the screen scale when
    // context is null). Null for an empty or absurd size.
    static CGLayerRef createWithContext(const CGContext* context, CGSize size);

    CGSize size() const { return size_; }
    double scale() const { return scale_; }
    // Draws into the layer. Its user space has the origin at the top-left corner of the layer, y down,
    // in points; CGContext::drawLayerInRect maps that space onto the target rectangle unchanged, so
    // what the layer's user space holds at the top appears at the top of the rectangle.
    CGContext* context() { return context_.get(); }
    cairo_surface_t* surface() const { return surface_.get(); }

    ~CGLayer();

private:
    struct Private {};

public:
    explicit CGLayer(Private) {}

private:
    CGSize size_;
    double scale_ = 1;
    CairoSurface surface_;
    std::unique_ptr<CGContext> context_;
};
