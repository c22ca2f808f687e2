#include "platform/ui/Compositor.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <typeindex>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/ViewAnimator.h"
#include "platform/ui/ViewBacking.h"

namespace {
bool g_needsFrame = true;
constexpr double kStatusBarHeight = 20;

// Classes known to draw nothing get no backing image at all.
bool isPlainClass(const UIView& view)
{
    std::type_index t = typeid(view);
    return t == typeid(UIView) || t == typeid(UIWindow) || t == typeid(UIControl);
}

// A plain image view whose image fits it pixel for pixel is painted straight from the image,
// without a backing image to fill. Images drawn resized keep a backing: resampling them in
// every frame would cost more than the copy.
const UIImage* directImage(const UIView& view, CGSize size, CGRect* place)
{
    if (typeid(view) != typeid(UIImageView)) return nullptr;
    const UIImage* image = static_cast<const UIImageView&>(view).shownImage();
    if (!image || !image->surface() || image->scale() != UIScreen::mainScreen().scale()) return nullptr;
    *place = UIImageView::rectForContentMode(view.contentMode(), image->size(), CGRectMake(0, 0, size.width, size.height));
    return place->size == image->size() ? image : nullptr;
}

void setColorSource(cairo_t* cr, const UIColor& color)
{
    if (auto& img = color.patternImage(); img && img->surface()) {
        CairoPattern p(cairo_pattern_create_for_surface(img->surface()));
        cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_REPEAT);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, img->scale(), img->scale());
        cairo_pattern_set_matrix(p.get(), &m);
        cairo_set_source(cr, p.get());
        return;
    }
    cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
}

void layerPath(cairo_t* cr, double w, double h, double radius)
{
    if (radius <= 0) {
        cairo_rectangle(cr, 0, 0, w, h);
        return;
    }
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - radius, radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, w - radius, h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, radius, h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, radius, radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Paints a pixel surface of `pixelSize` made at `scale` into rect (points).
void paintSurface(cairo_t* cr, cairo_surface_t* s, double scale, CGRect rect, double alpha = 1)
{
    int pw = cairo_image_surface_get_width(s), ph = cairo_image_surface_get_height(s);
    if (pw <= 0 || ph <= 0 || rect.size.width <= 0 || rect.size.height <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, rect.origin.x, rect.origin.y);
    cairo_scale(cr, rect.size.width / pw, rect.size.height / ph);
    cairo_set_source_surface(cr, s, 0, 0);
    if (alpha < 1)
        cairo_paint_with_alpha(cr, alpha);
    else
        cairo_paint(cr);
    cairo_restore(cr);
    (void)scale;
}

// Display (upright interface) points to the portrait screen's points.
cairo_matrix_t displayToScreen(UIInterfaceOrientation o, CGSize screen)
{
    cairo_matrix_t m;
    switch (o) {
    case UIInterfaceOrientationLandscapeRight: cairo_matrix_init(&m, 0, 1, -1, 0, screen.width, 0); break;
    case UIInterfaceOrientationLandscapeLeft: cairo_matrix_init(&m, 0, -1, 1, 0, 0, screen.height); break;
    case UIInterfaceOrientationPortraitUpsideDown: cairo_matrix_init(&m, -1, 0, 0, -1, screen.width, screen.height); break;
    default: cairo_matrix_init_identity(&m); break;
    }
    return m;
}
}  // namespace

Compositor::Compositor() = default;
Compositor::~Compositor() = default;

void Compositor::setNeedsFrame()
{
    g_needsFrame = true;
}

bool Compositor::needsFrame()
{
    return g_needsFrame;
}

void Compositor::ensureSurfaces()
{
    CGSize px = UIScreen::mainScreen().pixelSize();
    int w = static_cast<int>(std::lround(px.width)), h = static_cast<int>(std::lround(px.height));
    if (!screen_ || cairo_image_surface_get_width(screen_.get()) != w || cairo_image_surface_get_height(screen_.get()) != h)
        screen_ = createImageSurface(CAIRO_FORMAT_RGB24, w, h);
}

bool Compositor::renderIfNeeded()
{
    ViewAnimator::shared().tick();
    for (UIWindow* w : UIApplication::sharedApplication().windows())
        if (!w->isHidden()) w->layoutIfNeeded();
    if (!g_needsFrame && !ViewAnimator::shared().hasRunning() && screen_) return false;
    render();
    return true;
}

void Compositor::render()
{
    g_needsFrame = false;
    lastDrawRects_ = 0;
    ensureSurfaces();
    double scale = UIScreen::mainScreen().scale();
    Cairo cr(cairo_create(screen_.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    cairo_scale(cr.get(), scale, scale);
    auto windows = UIApplication::sharedApplication().windows();
    std::stable_sort(windows.begin(), windows.end(),
                     [](UIWindow* a, UIWindow* b) { return a->windowLevel() < b->windowLevel(); });
    for (UIWindow* w : windows)
        if (!w->isHidden()) drawView(*w, cr.get(), true);
    drawStatusBar(cr.get());
    cairo_surface_flush(screen_.get());
    displayOrientation_ = -1;  // the display image is made again on demand
    ++frames_;
}

void Compositor::drawStatusBar(cairo_t* cr)
{
    auto& app = UIApplication::sharedApplication();
    if (app.isStatusBarHidden()) return;
    CGSize screen = UIScreen::mainScreen().bounds().size;
    CGSize display = displaySize();
    cairo_save(cr);
    cairo_matrix_t m = displayToScreen(app.statusBarOrientation(), screen);
    cairo_transform(cr, &m);
    bool light = app.statusBarStyle() == UIStatusBarStyleDefault;
    cairo_rectangle(cr, 0, 0, display.width, kStatusBarHeight);
    if (light)
        cairo_set_source_rgb(cr, 0.80, 0.82, 0.85);
    else
        cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
    if (app.isNetworkActivityIndicatorVisible()) {
        // A small wheel at the left, as the status bar shows network use.
        double cx = 12, cy = kStatusBarHeight / 2;
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            double shade = light ? 0.1 : 1.0;
            cairo_set_source_rgba(cr, shade, shade, shade, 0.3 + 0.7 * i / 7);
            cairo_move_to(cr, cx + std::cos(a) * 2.5, cy + std::sin(a) * 2.5);
            cairo_line_to(cr, cx + std::cos(a) * 6, cy + std::sin(a) * 6);
            cairo_stroke(cr);
        }
    }
    // The clock, from the loop's wall clock.
    time_t t = static_cast<time_t>(RunLoop::main().wallClockNow());
    struct tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", local.tm_hour, local.tm_min);
    if (auto font = UIFont::boldSystemFontOfSize(12)) {
        CGContext ctx(cairo_get_target(cr), UIScreen::mainScreen().scale());
        cairo_matrix_t ctm;
        cairo_get_matrix(cr, &ctm);
        cairo_set_matrix(ctx.cairo(), &ctm);
        if (light)
            ctx.setRGBFillColor(0.1, 0.1, 0.1, 1);
        else
            ctx.setRGBFillColor(1, 1, 1, 1);
        double lh = font->lineHeight();
        drawInRect(ctx, text, CGRectMake(0, (kStatusBarHeight - lh) / 2, display.width, lh), *font,
                   UILineBreakModeClip, UITextAlignmentCenter);
    }
    cairo_restore(cr);
}

void Compositor::updateBacking(UIView& view)
{
    view.clearNeedsDisplay();
    CGRect b = view.bounds();
    double scale = UIScreen::mainScreen().scale();
    int pw = static_cast<int>(std::ceil(b.size.width * scale - 1e-6));
    int ph = static_cast<int>(std::ceil(b.size.height * scale - 1e-6));
    if (isPlainClass(view) || pw <= 0 || ph <= 0) {
        if (view.backing()) view.backing()->surface.reset();
        return;
    }
    ViewBacking& bk = view.ensureBacking();
    if (!bk.surface || cairo_image_surface_get_width(bk.surface.get()) != pw ||
        cairo_image_surface_get_height(bk.surface.get()) != ph) {
        bk.surface = createImageSurface(CAIRO_FORMAT_ARGB32, pw, ph);
    } else {
        Cairo clear(cairo_create(bk.surface.get()));
        cairo_set_operator(clear.get(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(clear.get());
    }
    bk.drawnSize = b.size;
    bk.scale = scale;
    {
        CGContext ctx(bk.surface.get(), scale);
        ctx.translateCTM(-b.origin.x, -b.origin.y);
        UIGraphicsPushContext(&ctx);
        view.setDrawsNothing(false);
        view.drawRect(b);
        UIGraphicsPopContext();
    }
    view.noteDrawn();
    ++lastDrawRects_;
    // The base drawRect marks a view that drew nothing: it keeps no backing image.
    if (view.drawsNothing()) bk.surface.reset();
}

void Compositor::drawView(UIView& view, cairo_t* cr, bool pres)
{
    if (view.isHidden()) return;
    double alpha = pres ? view.presentationAlpha() : view.alpha();
    if (alpha <= 0) return;
    CGRect b = pres ? view.presentationBounds() : view.bounds();
    CGPoint c = pres ? view.presentationCenter() : view.center();
    CGAffineTransform t = pres ? view.presentationTransform() : view.transform();
    double w = b.size.width, h = b.size.height;
    // A flattened (singular) or broken transform shows nothing, and must not put
    // the frame's cairo context into an error state.
    double det = t.a * t.d - t.b * t.c;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12 || !std::isfinite(t.tx) || !std::isfinite(t.ty) ||
        !std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(w) || !std::isfinite(h) ||
        !std::isfinite(b.origin.x) || !std::isfinite(b.origin.y))
        return;

    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    if (!CGAffineTransformIsIdentity(t)) {
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_transform(cr, &m);
    }
    cairo_translate(cr, -w / 2, -h / 2);

    // Nothing of a clipping (or childless) view outside the visible area shows.
    if (view.clipsToBounds() || view.subviews().empty()) {
        double x1, y1, x2, y2;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        if (x2 <= 0 || y2 <= 0 || x1 >= w || y1 >= h) {
            cairo_restore(cr);
            return;
        }
    }

    double turn = pres ? ViewAnimator::shared().transitionProgress(view) : -1;
    TransitionAnimation* transition = nullptr;
    if (turn >= 0 && view.animationState()) transition = view.animationState()->transition.get();
    bool flip = false;
    if (transition) {
        auto kind = transition->tx->transition;
        flip = kind == UIViewAnimationTransitionFlipFromLeft || kind == UIViewAnimationTransitionFlipFromRight;
        if (flip) {
            // A turn about the vertical axis: the old face narrows away, the new one widens in.
            double s = std::max(0.001, std::fabs(1 - 2 * turn));
            cairo_translate(cr, w / 2, 0);
            cairo_scale(cr, s, 1);
            cairo_translate(cr, -w / 2, 0);
            if (turn < 0.5) {
                paintSurface(cr, transition->snapshot.get(), 1,
                             CGRectMake(0, 0, transition->snapshotSize.width, transition->snapshotSize.height), alpha);
                cairo_restore(cr);
                return;
            }
        }
    }

    const CALayer& layer = view.layer();
    UIColorPtr bg = pres ? view.presentationBackgroundColor() : view.backgroundColor();
    const bool fills = bg && (bg->alpha() > 0 || bg->isPattern());
    // A view whose only paint is its backing takes its alpha in that paint: a transparency
    // group (a surface as large as the clip, cleared and composited) would give the same pixels.
    const bool backingOnly = !transition && !fills && !(layer.contents() && layer.contents()->surface()) &&
                             layer.borderWidth() <= 0 && view.subviews().empty();
    bool group = alpha < 1 && !backingOnly;
    if (group) cairo_push_group(cr);
    if (view.clipsToBounds()) {
        layerPath(cr, w, h, layer.cornerRadius());
        cairo_clip(cr);
    }
    if (fills) {
        setColorSource(cr, *bg);
        layerPath(cr, w, h, layer.cornerRadius());
        cairo_fill(cr);
    }
    if (auto& img = layer.contents(); img && img->surface()) paintSurface(cr, img->surface(), img->scale(), CGRectMake(0, 0, w, h));

    CGRect imagePlace;
    if (const UIImage* image = directImage(view, b.size, &imagePlace)) {
        // While an animation resizes the view, the size it ends at may need a backing.
        if (view.bounds().size == b.size) {
            view.clearNeedsDisplay();
            if (view.backing()) view.backing()->surface.reset();
        }
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        image->paintInto(cr, imagePlace, CAIRO_FILTER_GOOD, group ? 1 : alpha);
        cairo_restore(cr);
    } else if (view.needsDisplay()) {
        updateBacking(view);
    }
    if (ViewBacking* bk = view.backing(); bk && bk->surface) {
        CGRect place = CGRectMake(0, 0, w, h);
        if (bk->drawnSize != b.size)
            place = UIImageView::rectForContentMode(view.contentMode(), bk->drawnSize, CGRectMake(0, 0, w, h));
        paintSurface(cr, bk->surface.get(), bk->scale, place, group ? 1 : alpha);
    }
    if (layer.borderWidth() > 0 && layer.borderColor()) {
        setColorSource(cr, *layer.borderColor());
        cairo_set_line_width(cr, layer.borderWidth());
        cairo_save(cr);
        double inset = layer.borderWidth() / 2;
        cairo_translate(cr, inset, inset);
        layerPath(cr, w - 2 * inset, h - 2 * inset, std::max(0.0, layer.cornerRadius() - inset));
        cairo_restore(cr);
        cairo_stroke(cr);
    }

    cairo_save(cr);
    cairo_translate(cr, -b.origin.x, -b.origin.y);
    auto subs = view.subviews();
    for (auto& sub : subs) drawView(*sub, cr, pres);
    cairo_restore(cr);

    if (transition && !flip) {
        // Other transitions cross-fade from the old picture.
        paintSurface(cr, transition->snapshot.get(), 1,
                     CGRectMake(0, 0, transition->snapshotSize.width, transition->snapshotSize.height), 1 - turn);
    }
    if (group) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
}

void Compositor::renderViewTree(UIView& view, CGContext& context, bool usePresentation)
{
    cairo_t* cr = context.cairo();
    CGRect b = usePresentation ? view.presentationBounds() : view.bounds();
    CGPoint c = usePresentation ? view.presentationCenter() : view.center();
    cairo_save(cr);
    cairo_translate(cr, b.size.width / 2 - c.x, b.size.height / 2 - c.y);
    drawView(view, cr, usePresentation);
    cairo_restore(cr);
}

cairo_surface_t* Compositor::screenSurface()
{
    if (!screen_) render();
    return screen_.get();
}

CGSize Compositor::displaySize()
{
    CGSize s = UIScreen::mainScreen().bounds().size;
    if (UIInterfaceOrientationIsLandscape(UIApplication::sharedApplication().statusBarOrientation()))
        return CGSizeMake(s.height, s.width);
    return s;
}

cairo_surface_t* Compositor::displaySurface()
{
    cairo_surface_t* screen = screenSurface();
    auto o = UIApplication::sharedApplication().statusBarOrientation();
    if (o == UIInterfaceOrientationPortrait) return screen;
    if (displayOrientation_ == o && display_) return display_.get();
    double scale = UIScreen::mainScreen().scale();
    CGSize d = displaySize();
    int w = static_cast<int>(std::lround(d.width * scale)), h = static_cast<int>(std::lround(d.height * scale));
    if (!display_ || cairo_image_surface_get_width(display_.get()) != w || cairo_image_surface_get_height(display_.get()) != h)
        display_ = createImageSurface(CAIRO_FORMAT_RGB24, w, h);
    Cairo cr(cairo_create(display_.get()));
    // Pixel space of the display to pixel space of the screen.
    CGSize screenPx = UIScreen::mainScreen().pixelSize();
    cairo_matrix_t m = displayToScreen(o, screenPx);
    CairoPattern p(cairo_pattern_create_for_surface(screen));
    cairo_pattern_set_matrix(p.get(), &m);
    cairo_pattern_set_filter(p.get(), CAIRO_FILTER_NEAREST);
    cairo_set_source(cr.get(), p.get());
    cairo_paint(cr.get());
    cairo_surface_flush(display_.get());
    displayOrientation_ = o;
    return display_.get();
}

CGPoint Compositor::screenPointFromDisplayPoint(CGPoint p)
{
    cairo_matrix_t m = displayToScreen(UIApplication::sharedApplication().statusBarOrientation(),
                                       UIScreen::mainScreen().bounds().size);
    double x = p.x, y = p.y;
    cairo_matrix_transform_point(&m, &x, &y);
    return CGPointMake(x, y);
}

CGPoint Compositor::displayPointFromScreenPoint(CGPoint p)
{
    cairo_matrix_t m = displayToScreen(UIApplication::sharedApplication().statusBarOrientation(),
                                       UIScreen::mainScreen().bounds().size);
    cairo_matrix_invert(&m);
    double x = p.x, y = p.y;
    cairo_matrix_transform_point(&m, &x, &y);
    return CGPointMake(x, y);
}

bool Compositor::writePNG(const std::string& path)
{
    cairo_surface_t* s = displaySurface();
    cairo_status_t st = cairo_surface_write_to_png(s, path.c_str());
    if (st != CAIRO_STATUS_SUCCESS) {
        NSLog("could not write the screenshot %@: %s", path, cairo_status_to_string(st));
        return false;
    }
    return true;
}
