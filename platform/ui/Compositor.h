#pragma once
// Turns the windows into pixels. Each view that draws keeps a backing image
// (a cairo surface at the screen scale) that is redrawn only after
// setNeedsDisplay; a frame composites the backing images with alpha,
// transform and clipping. A frame is skipped when nothing changed.

#include <string>

#include "platform/graphics/CairoHandles.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

class UIView;
class UIWindow;
class CGContext;

class Compositor {
public:
    Compositor();
    ~Compositor();

    // Anything on screen changed: the next renderIfNeeded draws.
    static void setNeedsFrame();
    static bool needsFrame();

    // Lays out, redraws invalid views and composites every visible window into
    // the screen surface. Returns false, drawing nothing, when nothing changed
    // and no animation runs.
    bool renderIfNeeded();
    void render();

    // The screen in portrait pixels (the window space).
    cairo_surface_t* screenSurface();
    // The screen as the display shows it: turned for the status bar orientation
    // so the interface stands upright (landscape is wider than tall).
    cairo_surface_t* displaySurface();
    // Display size in points for the current orientation.
    static CGSize displaySize();
    // A point on the display (points, upright interface) to the screen's
    // portrait window space, and back.
    static CGPoint screenPointFromDisplayPoint(CGPoint displayPoint);
    static CGPoint displayPointFromScreenPoint(CGPoint screenPoint);

    // Draws a view and its subviews into a context at the context's origin
    // (snapshots, transitions).
    void renderViewTree(UIView& view, CGContext& context, bool usePresentation = true);

    // PNG of the display surface; false (logged) on failure.
    [[nodiscard]] bool writePNG(const std::string& path);

    // Statistics of the last frame and of all frames.
    int lastFrameDrawRectCount() const { return lastDrawRects_; }
    long framesRendered() const { return frames_; }

private:
    void ensureSurfaces();
    void drawView(UIView& view, cairo_t* cr, bool usePresentation);
    void updateBacking(UIView& view);
    void drawStatusBar(cairo_t* cr);

    CairoSurface screen_;
    CairoSurface display_;
    int displayOrientation_ = 0;
    int lastDrawRects_ = 0;
    long frames_ = 0;
};
