#include "platform/graphics/CGLayer.h"

#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageCodec.h"

#include <cmath>

CGLayerRef CGLayer::createWithContext(const CGContext* context, CGSize size) {
    double scale = context ? context->scale() : UIGraphicsGetScreenScale();
    double pw = std::ceil(size.width * scale), ph = std::ceil(size.height * scale);
    if (!(pw > 0 && ph > 0 && pw <= kMaxImageDimension && ph <= kMaxImageDimension)) {
        NSLog("CGLayer: invalid size %f x %f", size.width, size.height);
        return nullptr;
    }
    auto layer = std::make_shared<CGLayer>(Private{});
    layer->size_ = size;
    layer->scale_ = scale;
    layer->surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(pw), static_cast<int>(ph)));
    layer->context_ = std::make_unique<CGContext>(layer->surface_.get(), scale, false);
    return layer;
}

CGLayer::~CGLayer() {
    context_.reset();  // before the surface it draws on
}
