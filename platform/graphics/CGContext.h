#pragma once
// The 2D drawing context (on cairo) and the current-context stack of the interface layer.
//
// Coordinates are points. A context made for the interface (view drawing, image contexts) has its
// origin at the top-left, y down; a bitmap context made with CGBitmapContextCreate starts with the
// origin at the bottom-left, y up, as on the platform. The context knows its scale (pixels per point).

#include "platform/graphics/CGGradient.h"
#include "platform/graphics/CGLayer.h"
#include "platform/graphics/CGPath.h"
#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

enum CGLineCap { kCGLineCapButt, kCGLineCapRound, kCGLineCapSquare };
enum CGLineJoin { kCGLineJoinMiter, kCGLineJoinRound, kCGLineJoinBevel };
enum CGPathDrawingMode { kCGPathFill, kCGPathEOFill, kCGPathStroke, kCGPathFillStroke, kCGPathEOFillStroke };
enum CGInterpolationQuality { kCGInterpolationDefault, kCGInterpolationNone, kCGInterpolationLow,
                              kCGInterpolationMedium, kCGInterpolationHigh };

class CGContext {
public:
    // Draws on a cairo surface (borrowed: must outlive the context). flippedOrigin puts the origin at
    // the bottom-left with y up.
    CGContext(cairo_surface_t* target, double scale, bool flippedOrigin = false);
    // Same, owning the surface.
    CGContext(CairoSurface target, double scale, bool flippedOrigin = false);
    ~CGContext();
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    double scale() const { return scale_; }
    // Size of the target in points.
    CGSize size() const;
    cairo_t* cairo() const { return cr_.get(); }
    cairo_surface_t* targetSurface() const { return target_; }

    // Graphics state: CTM, clip, colours, line settings, alpha, blend mode, shadow, antialiasing.
    void saveGState();
    void restoreGState();

    // Transforms (applied before the current transform, as the platform does).
    void translateCTM(CGFloat tx, CGFloat ty);
    void scaleCTM(CGFloat sx, CGFloat sy);
    void rotateCTM(CGFloat radians);
    void concatCTM(const CGAffineTransform& t);
    // User space to the context's base space (points, as the context was made).
    CGAffineTransform getCTM() const;
    CGPoint convertPointToDeviceSpace(CGPoint p) const;  // in pixels

    // Path (not part of the graphics state; consumed by fill, stroke and clip).
    void beginPath();
    void moveToPoint(CGFloat x, CGFloat y);
    void addLineToPoint(CGFloat x, CGFloat y);
    void addCurveToPoint(CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y);
    void addQuadCurveToPoint(CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y);
    // clockwise false: increasing angles (which in a y-down space turn clockwise on screen).
    void addArc(CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void addArcToPoint(CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius);
    void addRect(CGRect rect);
    void addRects(const std::vector<CGRect>& rects);
    void addEllipseInRect(CGRect rect);
    void addRoundedRect(CGRect rect, CGFloat radius);
    void addLines(const std::vector<CGPoint>& points);
    void addPath(const CGPath& path);
    void closePath();
    bool isPathEmpty() const;
    CGPoint getPathCurrentPoint() const;
    // The current path in user space, as a path object.
    CGMutablePathRef copyPath() const;

    // Painting the current path (which is then cleared).
    void fillPath();
    void eoFillPath();
    void strokePath();
    void drawPath(CGPathDrawingMode mode);
    void fillRect(CGRect rect);
    void fillRects(const std::vector<CGRect>& rects);
    void strokeRect(CGRect rect);
    void strokeRectWithWidth(CGRect rect, CGFloat width);
    void fillEllipseInRect(CGRect rect);
    void strokeEllipseInRect(CGRect rect);
    // Pairs of points, each pair one segment.
    void strokeLineSegments(const std::vector<CGPoint>& points);
    // Makes the rectangle transparent, whatever the blend mode.
    void clearRect(CGRect rect);

    // Clipping (intersected with the current clip; the path is consumed).
    void clip();
    void eoClip();
    void clipToRect(CGRect rect);
    void clipToRects(const std::vector<CGRect>& rects);
    // Clips to the image's alpha drawn into rect the way drawImage places it.
    void clipToMask(CGRect rect, const UIImage& mask);
    CGRect getClipBoundingBox() const;

    // Colours.
    void setFillColorWithColor(const UIColor& color);
    void setStrokeColorWithColor(const UIColor& color);
    void setRGBFillColor(CGFloat r, CGFloat g, CGFloat b, CGFloat a);
    void setRGBStrokeColor(CGFloat r, CGFloat g, CGFloat b, CGFloat a);
    void setGrayFillColor(CGFloat gray, CGFloat a);
    void setGrayStrokeColor(CGFloat gray, CGFloat a);
    const UIColor& fillColor() const;
    const UIColor& strokeColor() const;

    // Stroke settings.
    void setLineWidth(CGFloat width);
    void setLineCap(CGLineCap cap);
    void setLineJoin(CGLineJoin join);
    void setMiterLimit(CGFloat limit);
    // Dash lengths in user units starting at phase; an empty list draws solid lines.
    void setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths);

    // Compositing.
    void setAlpha(CGFloat alpha);
    CGFloat alpha() const;
    void setBlendMode(CGBlendMode mode);
    CGBlendMode blendMode() const;
    void setShouldAntialias(bool on);
    void setAllowsAntialiasing(bool on) { setShouldAntialias(on); }
    void setInterpolationQuality(CGInterpolationQuality quality);

    // Shadow cast by everything painted afterwards. The offset is in the context's base space in points
    // and is not changed by the CTM: positive width goes right, positive height goes down in an
    // interface context. blur is the blur radius in points. A null colour (or alpha 0, or no offset and
    // no blur) turns the shadow off. Default colour: black at alpha 1/3.
    void setShadow(CGSize offset, CGFloat blur);
    void setShadowWithColor(CGSize offset, CGFloat blur, const UIColor* color);

    // Everything drawn until the matching end is composited as one image, with the alpha, blend mode
    // and shadow in effect at the begin; inside, those start reset.
    void beginTransparencyLayer();
    void endTransparencyLayer();

    // Gradients (the current path is left alone; the clip limits the painted area).
    void drawLinearGradient(const CGGradient& gradient, CGPoint start, CGPoint end, unsigned options);
    void drawRadialGradient(const CGGradient& gradient, CGPoint startCenter, CGFloat startRadius, CGPoint endCenter,
                            CGFloat endRadius, unsigned options);

    // Images and layers. drawImage places the image's top row at the rectangle's maximum y in user space
    // (as the platform's bitmap drawing does): in a y-down context it appears upside down unless the
    // context is flipped first (translate by the height, scale 1, -1). UIImage::drawInRect is upright.
    void drawImage(CGRect rect, const UIImage& image);
    // Maps the layer's user space onto rect (stretched), top to top.
    void drawLayerInRect(const CGLayer& layer, CGRect rect);
    void drawLayerAtPoint(const CGLayer& layer, CGPoint point);

    // Paints with the fill colour as source through `paint`, which draws on the cairo context in the
    // current user space (text drawing uses this), with alpha, blend mode, shadow and clip applied.
    void drawWithFillSource(const std::function<void(cairo_t*)>& paint);
    // Same, with the source already chosen by `paint`.
    void drawWithEffects(const std::function<void(cairo_t*)>& paint);

    // A copy of the target's pixels as an image at the context's scale (bitmap contexts).
    UIImagePtr makeImage() const;

private:
    struct GState;
    GState& state();
    const GState& state() const;
    void applyColorSource(cairo_t* cr, const UIColor& color) const;
    void paintCurrentPath(bool fill, bool evenOdd);
    void composite(const std::function<void(cairo_t*)>& paint);
    void drawImageUpright(CGRect rect, const UIImage& image, CGBlendMode mode, double alpha);
    friend class UIImage;

    CairoSurface owned_;
    cairo_surface_t* target_ = nullptr;
    Cairo cr_;
    double scale_ = 1;
    bool flippedOrigin_ = false;
    std::vector<GState> states_;
    // Depth of the gstate stack at each transparency layer's begin.
    std::vector<size_t> layerDepths_;
};

// A bitmap context of whole pixels (premultiplied RGBA, owned memory), origin bottom-left, y up,
// scale 1. Null for an empty or absurd size.
std::unique_ptr<CGContext> CGBitmapContextCreate(int pixelWidth, int pixelHeight);
UIImagePtr CGBitmapContextCreateImage(const CGContext& context);

// The current-context stack of this thread.
CGContext* UIGraphicsGetCurrentContext();
void UIGraphicsPushContext(CGContext* context);  // unretained: the caller keeps it alive until the pop
void UIGraphicsPopContext();
// An image context (top-left origin) pushed as current. scale 0 means the screen scale.
void UIGraphicsBeginImageContext(CGSize size);
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale);
// Null when the current context is not an image context.
UIImagePtr UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();

// Fills / frames a rectangle in the current context with its fill colour.
void UIRectFill(CGRect rect);
void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode);
void UIRectFrame(CGRect rect);

// The screen's scale (1 or 2), which image contexts with scale 0, layers without a context and
// imageNamed use. Set by the interface layer at start-up.
double UIGraphicsGetScreenScale();
void UIGraphicsSetScreenScale(double scale);
