#include "platform/graphics/UIImage.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageCodec.h"
#include "platform/graphics/PixelFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <algorithm>

namespace {

std::mutex gNamedMutex;
std::map<std::string, UIImagePtr> gNamed;

bool hasSuffix(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// "dir/name.png" -> "dir/name@2x.png".
std::string retinaVariant(const std::string& path) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + "@2x";
    return path.substr(0, dot) + "@2x" + path.substr(dot);
}

}  // namespace

UIImage::UIImage(cairo_surface_t* surface, double scale, UIImageOrientation orientation)
    : surface_(retainSurface(surface)), scale_(scale > 0 ? scale : 1), orientation_(orientation) {}

UIImagePtr UIImage::imageWithData(const std::vector<uint8_t>& data, double scale) {
    return imageWithData(data.data(), data.size(), scale);
}

UIImagePtr UIImage::imageWithData(const uint8_t* bytes, size_t length, double scale) {
    std::string error;
    CairoSurface s = decodeImage(bytes, length, &error);
    if (!s) {
        NSLog("UIImage: cannot decode image data (%@)", error);
        return nullptr;
    }
    return std::make_shared<UIImage>(s.get(), scale);
}

UIImagePtr UIImage::imageWithContentsOfFile(const std::string& path) {
    std::vector<std::pair<std::string, double>> candidates;
    if (path.find("@2x.") != std::string::npos || hasSuffix(path, "@2x")) {
        candidates.push_back({path, 2.0});
    } else {
        if (UIGraphicsGetScreenScale() >= 2) candidates.push_back({retinaVariant(path), 2.0});
        candidates.push_back({path, 1.0});
    }
    for (const auto& [file, scale] : candidates) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        // A large image may sit beside its PNG already decoded.
        if (const std::string pixels = pixelFileFor(file); std::filesystem::is_regular_file(pixels, ec)) {
            std::string error;
            if (CairoSurface s = readPixelFile(pixels, &error)) return std::make_shared<UIImage>(s.get(), scale);
            NSLog("UIImage: cannot read %@ (%@); decoding the image instead", pixels, error);
        }
        auto bytes = readFile(file);
        if (!bytes) continue;
        std::string error;
        CairoSurface s = decodeImage(bytes->data(), bytes->size(), &error);
        if (!s) {
            NSLog("UIImage: cannot read %@ (%@)", file, error);
            return nullptr;
        }
        return std::make_shared<UIImage>(s.get(), scale);
    }
    return nullptr;
}

UIImagePtr UIImage::imageNamed(const std::string& name) {
    if (name.empty()) return nullptr;
    std::string file = name;
    auto dot = file.find_last_of('.');
    if (dot == std::string::npos || file.find('/', dot) != std::string::npos) file += ".png";
    std::string key = file + (UIGraphicsGetScreenScale() >= 2 ? "#2" : "#1");
    {
        std::lock_guard<std::mutex> lock(gNamedMutex);
        auto it = gNamed.find(key);
        if (it != gNamed.end()) return it->second;
    }
    UIImagePtr image = imageWithContentsOfFile(Paths::bundleResource(file));
    if (!image) {
        NSLog("UIImage: no image named %@", name);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(gNamedMutex);
    gNamed[key] = image;
    return image;
}

void UIImage::clearNamedCache() {
    std::lock_guard<std::mutex> lock(gNamedMutex);
    gNamed.clear();
}

int UIImage::pixelWidth() const { return surface_ ? cairo_image_surface_get_width(surface_.get()) : 0; }
int UIImage::pixelHeight() const { return surface_ ? cairo_image_surface_get_height(surface_.get()) : 0; }
CGSize UIImage::size() const { return {pixelWidth() / scale_, pixelHeight() / scale_}; }

UIImagePtr UIImage::stretchableImageWithLeftCapWidth(int leftCapWidth, int topCapHeight) const {
    auto copy = std::make_shared<UIImage>(surface_.get(), scale_, orientation_);
    CGSize sz = size();
    // A cap must leave the one-point stretch strip inside the image.
    copy->leftCap_ = std::clamp(leftCapWidth, 0, std::max(0, static_cast<int>(sz.width) - 1));
    copy->topCap_ = std::clamp(topCapHeight, 0, std::max(0, static_cast<int>(sz.height) - 1));
    return copy;
}

namespace {

struct Slice {
    double src0, srcLen;  // pixels
    double dst0, dstLen;  // points
};

// Up to three slices along one axis: fixed cap, one stretching point, fixed remainder.
std::vector<Slice> slices(int cap, double sizePts, double scale, double dstLen) {
    double total = sizePts * scale;
    if (cap <= 0) return {{0, total, 0, dstLen}};
    double endCap = sizePts - cap - 1;
    double c0 = cap, c1 = endCap, mid = dstLen - cap - endCap;
    if (mid < 0) {  // too small for both caps: shrink them in proportion
        double k = (cap + endCap) > 0 ? dstLen / (cap + endCap) : 0;
        c0 = cap * k;
        c1 = endCap * k;
        mid = 0;
    }
    return {{0, cap * scale, 0, c0},
            {cap * scale, scale, c0, mid},
            {(cap + 1) * scale, endCap * scale, c0 + mid, c1}};
}

}  // namespace

void UIImage::paintInto(cairo_t* cr, CGRect rect, cairo_filter_t filter, double alpha) const {
    if (!surface_ || pixelWidth() == 0 || pixelHeight() == 0) return;
    CGSize sz = size();
    bool plain = (leftCap_ == 0 && topCap_ == 0) || (rect.size.width == sz.width && rect.size.height == sz.height);
    auto piece = [&](cairo_surface_t* src, double sw, double sh, CGRect dst) {
        if (sw <= 0 || sh <= 0 || dst.size.width <= 0 || dst.size.height <= 0) return;
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_rectangle(cr, dst.origin.x, dst.origin.y, dst.size.width, dst.size.height);
        cairo_translate(cr, dst.origin.x, dst.origin.y);
        cairo_scale(cr, dst.size.width / sw, dst.size.height / sh);
        cairo_set_source_surface(cr, src, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), filter);
        // Padding only matters where pixels are resampled; pixel for pixel, cairo's fast copy serves.
        double dw = 1, dh = 1;
        cairo_user_to_device_distance(cr, &dw, &dh);
        if (std::fabs(dw - 1) > 1e-9 || std::fabs(dh - 1) > 1e-9)
            cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
        if (alpha < 1) {
            cairo_clip(cr);
            cairo_paint_with_alpha(cr, alpha);
        } else {
            cairo_fill(cr);
        }
        cairo_restore(cr);
    };
    if (plain) {
        piece(surface_.get(), pixelWidth(), pixelHeight(), rect);
        return;
    }
    auto cols = slices(leftCap_, sz.width, scale_, rect.size.width);
    auto rows = slices(topCap_, sz.height, scale_, rect.size.height);
    for (const auto& r : rows) {
        for (const auto& c : cols) {
            if (c.srcLen <= 0 || r.srcLen <= 0) continue;
            CairoSurface sub(cairo_surface_create_for_rectangle(surface_.get(), c.src0, r.src0, c.srcLen, r.srcLen));
            piece(sub.get(), c.srcLen, r.srcLen,
                  CGRectMake(rect.origin.x + c.dst0, rect.origin.y + r.dst0, c.dstLen, r.dstLen));
        }
    }
}

void UIImage::drawAtPoint(CGPoint point) const {
    drawInRect(CGRectMake(point.x, point.y, size().width, size().height));
}

void UIImage::drawAtPoint(CGPoint point, CGBlendMode mode, double alpha) const {
    drawInRect(CGRectMake(point.x, point.y, size().width, size().height), mode, alpha);
}

void UIImage::drawInRect(CGRect rect) const {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    ctx->drawImageUpright(rect, *this, ctx->blendMode(), ctx->alpha());
}

void UIImage::drawInRect(CGRect rect, CGBlendMode mode, double alpha) const {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    ctx->drawImageUpright(rect, *this, mode, alpha);
}

UIImagePtr UIImage::copyImageWithColor(const UIColor& color) const {
    if (!surface_ || pixelWidth() == 0 || pixelHeight() == 0) return nullptr;
    CairoSurface target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth(), pixelHeight()));
    CGContext ctx(target.get(), scale_, false);
    CGRect rect = CGRectMake(0, 0, size().width, size().height);
    ctx.setFillColorWithColor(color);
    ctx.translateCTM(0, rect.size.height);
    ctx.scaleCTM(1, -1);
    ctx.setBlendMode(kCGBlendModeCopy);
    ctx.clipToMask(rect, *this);
    ctx.fillRect(rect);
    return ctx.makeImage();
}

UIImagePtr UIImage::normalize(double scale) const {
    if (!surface_ || scale <= 0) return nullptr;
    int w = static_cast<int>(std::lround(size().width * scale));
    int h = static_cast<int>(std::lround(size().height * scale));
    if (w <= 0 || h <= 0) return nullptr;
    CairoSurface target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    {
        Cairo cr(cairo_create(target.get()));
        cairo_scale(cr.get(), static_cast<double>(w) / pixelWidth(), static_cast<double>(h) / pixelHeight());
        cairo_set_source_surface(cr.get(), surface_.get(), 0, 0);
        cairo_paint(cr.get());
    }
    return std::make_shared<UIImage>(target.get(), scale);
}

UIImage::Pixel UIImage::pixelAt(int x, int y) const {
    Pixel p;
    if (!surface_ || x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return p;
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    int stride = cairo_image_surface_get_stride(surface_.get());
    uint32_t v = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
    bool opaqueFormat = cairo_image_surface_get_format(surface_.get()) == CAIRO_FORMAT_RGB24;
    p.a = opaqueFormat ? 255 : static_cast<uint8_t>(v >> 24);
    auto un = [&](uint32_t c) -> uint8_t {
        if (p.a == 0) return 0;
        return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + p.a / 2) / p.a));
    };
    p.r = un((v >> 16) & 0xff);
    p.g = un((v >> 8) & 0xff);
    p.b = un(v & 0xff);
    return p;
}

std::vector<uint8_t> UIImagePNGRepresentation(const UIImage& image) { return encodePNG(image.surface()); }

std::vector<uint8_t> UIImageJPEGRepresentation(const UIImage& image, double quality) {
    return encodeJPEG(image.surface(), quality);
}

bool UIImageWritePNGToFile(const UIImage& image, const std::string& path) {
    std::vector<uint8_t> bytes = UIImagePNGRepresentation(image);
    if (bytes.empty()) return false;
    std::string tmp = path + ".partial";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            NSLog("UIImage: cannot write %@", path);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        NSLog("UIImage: cannot write %@", path);
        return false;
    }
    return true;
}
