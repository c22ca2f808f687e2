#pragma once
// Immutable bitmap images (premultiplied ARGB), sized in points with a scale of 1 or 2.

#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UIColor;
class UIImage;
using UIImagePtr = std::shared_ptr<UIImage>;

enum class CGBlendMode {
    Normal, Multiply, Screen, Overlay, Darken, Lighten, ColorDodge, ColorBurn, SoftLight, HardLight,
    Difference, Exclusion, Hue, Saturation, Color, Luminosity,
    Clear, Copy, SourceIn, SourceOut, SourceAtop, DestinationOver, DestinationIn, DestinationOut,
    DestinationAtop, XOR, PlusDarker, PlusLighter
};
inline constexpr CGBlendMode kCGBlendModeNormal = CGBlendMode::Normal;
inline constexpr CGBlendMode kCGBlendModeCopy = CGBlendMode::Copy;
inline constexpr CGBlendMode kCGBlendModeMultiply = CGBlendMode::Multiply;
inline constexpr CGBlendMode kCGBlendModeSourceIn = CGBlendMode::SourceIn;
inline constexpr CGBlendMode kCGBlendModeSourceAtop = CGBlendMode::SourceAtop;
inline constexpr CGBlendMode kCGBlendModeDestinationIn = CGBlendMode::DestinationIn;
inline constexpr CGBlendMode kCGBlendModeDestinationOut = CGBlendMode::DestinationOut;
inline constexpr CGBlendMode kCGBlendModeClear = CGBlendMode::Clear;

enum class UIImageOrientation { Up = 0, Down, Left, Right, UpMirrored, DownMirrored, LeftMirrored, RightMirrored };

class UIImage {
public:
    // Takes a reference on an image surface (ARGB32 or RGB24) whose pixels are never changed afterwards.
    UIImage(cairo_surface_t* surface, double scale, UIImageOrientation orientation = UIImageOrientation::Up);

    // A bundle image by file name ("tabbar.png" or "tabbar"); at screen scale 2 "name@2x.png" is chosen
    // when it exists. Cached by name. Null (and a log line) when missing or unreadable.
    static UIImagePtr imageNamed(const std::string& name);
    // A file (PNG or JPEG by content); "@2x" siblings are chosen at screen scale 2, and a file named
    // "...@2x.png" has scale 2.
    static UIImagePtr imageWithContentsOfFile(const std::string& path);
    // PNG or JPEG bytes; null for anything else or truncated data.
    static UIImagePtr imageWithData(const std::vector<uint8_t>& data, double scale = 1.0);
    static UIImagePtr imageWithData(const uint8_t* bytes, size_t length, double scale = 1.0);
    // Forgets the imageNamed cache (after the bundle or the screen scale changes).
    static void clearNamedCache();

    // Size in points: pixels / scale.
    CGSize size() const;
    double scale() const { return scale_; }
    UIImageOrientation imageOrientation() const { return orientation_; }
    int pixelWidth() const;
    int pixelHeight() const;
    cairo_surface_t* surface() const { return surface_.get(); }

    // Nine-slice image: the left cap and the top cap (points) keep their size, the column right of the
    // left cap and the row below the top cap (one point each) stretch, the rest keeps its size.
    // A cap of 0 stretches the whole image along that axis.
    UIImagePtr stretchableImageWithLeftCapWidth(int leftCapWidth, int topCapHeight) const;
    int leftCapWidth() const { return leftCap_; }
    int topCapHeight() const { return topCap_; }

    // Upright drawing into the current context (no-op without one), honouring its alpha, blend
    // mode, clip and shadow.
    void drawAtPoint(CGPoint point) const;
    void drawAtPoint(CGPoint point, CGBlendMode mode, double alpha) const;
    void drawInRect(CGRect rect) const;
    void drawInRect(CGRect rect, CGBlendMode mode, double alpha) const;

    // An image of the same size and scale: the colour wherever this image is opaque, with its alpha.
    UIImagePtr copyImageWithColor(const UIColor& color) const;
    // Redrawn into a fresh premultiplied bitmap of round(size * scale) pixels at the given scale.
    UIImagePtr normalize(double scale) const;

    // Pixel at (x, y) in pixels as un-premultiplied RGBA 0-255 (tests and hit checks).
    struct Pixel { uint8_t r = 0, g = 0, b = 0, a = 0; };
    Pixel pixelAt(int x, int y) const;

    // Paints the image upright into rect of the user space of cr (nine-slice when stretchable),
    // at `alpha`.
    void paintInto(cairo_t* cr, CGRect rect, cairo_filter_t filter, double alpha = 1) const;

private:
    CairoSurface surface_;
    double scale_ = 1;
    UIImageOrientation orientation_ = UIImageOrientation::Up;
    int leftCap_ = 0;
    int topCap_ = 0;
};

// Encoders; empty bytes when the image cannot be encoded.
std::vector<uint8_t> UIImagePNGRepresentation(const UIImage& image);
std::vector<uint8_t> UIImageJPEGRepresentation(const UIImage& image, double quality);
// Writes PNG bytes to a file atomically (temporary file and rename); false on failure.
[[nodiscard]] bool UIImageWritePNGToFile(const UIImage& image, const std::string& path);
