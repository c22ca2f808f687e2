#include "platform/graphics/CGContext.h"

#include "platform/foundation/Log.h"
#include "platform/graphics/AlphaBlur.h"

#include <algorithm>
#include <atomic>
#include <cmath>

struct CGContext::GState {
    UIColor fill{0, 0, 0, 1};
    UIColor stroke{0, 0, 0, 1};
    double alpha = 1;
    CGBlendMode blend = CGBlendMode::Normal;
    bool shadow = false;
    CGSize shadowOffset;
    double shadowBlur = 0;
    double shadowRGBA[4] = {0, 0, 0, 1.0 / 3};
    cairo_filter_t filter = CAIRO_FILTER_GOOD;
    // Clip to an image mask: an alpha plane in device space (null when none).
    std::shared_ptr<cairo_surface_t> mask;
};

namespace {

cairo_operator_t cairoOperator(CGBlendMode m) {
    switch (m) {
    case CGBlendMode::Normal: return CAIRO_OPERATOR_OVER;
    case CGBlendMode::Multiply: return CAIRO_OPERATOR_MULTIPLY;
    case CGBlendMode::Screen: return CAIRO_OPERATOR_SCREEN;
    case CGBlendMode::Overlay: return CAIRO_OPERATOR_OVERLAY;
    case CGBlendMode::Darken: return CAIRO_OPERATOR_DARKEN;
    case CGBlendMode::Lighten: return CAIRO_OPERATOR_LIGHTEN;
    case CGBlendMode::ColorDodge: return CAIRO_OPERATOR_COLOR_DODGE;
    case CGBlendMode::ColorBurn: return CAIRO_OPERATOR_COLOR_BURN;
    case CGBlendMode::SoftLight: return CAIRO_OPERATOR_SOFT_LIGHT;
    case CGBlendMode::HardLight: return CAIRO_OPERATOR_HARD_LIGHT;
    case CGBlendMode::Difference: return CAIRO_OPERATOR_DIFFERENCE;
    case CGBlendMode::Exclusion: return CAIRO_OPERATOR_EXCLUSION;
    case CGBlendMode::Hue: return CAIRO_OPERATOR_HSL_HUE;
    case CGBlendMode::Saturation: return CAIRO_OPERATOR_HSL_SATURATION;
    case CGBlendMode::Color: return CAIRO_OPERATOR_HSL_COLOR;
    case CGBlendMode::Luminosity: return CAIRO_OPERATOR_HSL_LUMINOSITY;
    case CGBlendMode::Clear: return CAIRO_OPERATOR_CLEAR;
    case CGBlendMode::Copy: return CAIRO_OPERATOR_SOURCE;
    case CGBlendMode::SourceIn: return CAIRO_OPERATOR_IN;
    case CGBlendMode::SourceOut: return CAIRO_OPERATOR_OUT;
    case CGBlendMode::SourceAtop: return CAIRO_OPERATOR_ATOP;
    case CGBlendMode::DestinationOver: return CAIRO_OPERATOR_DEST_OVER;
    case CGBlendMode::DestinationIn: return CAIRO_OPERATOR_DEST_IN;
    case CGBlendMode::DestinationOut: return CAIRO_OPERATOR_DEST_OUT;
    case CGBlendMode::DestinationAtop: return CAIRO_OPERATOR_DEST_ATOP;
    case CGBlendMode::XOR: return CAIRO_OPERATOR_XOR;
    case CGBlendMode::PlusDarker: return CAIRO_OPERATOR_SATURATE;
    case CGBlendMode::PlusLighter: return CAIRO_OPERATOR_ADD;
    }
    return CAIRO_OPERATOR_OVER;
}

cairo_matrix_t toCairo(const CGAffineTransform& t) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return m;
}

CGAffineTransform fromCairo(const cairo_matrix_t& m) { return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0}; }

void appendPath(cairo_t* cr, const CGPath& path, bool skipFirstMove) {
    bool first = true;
    for (const auto& e : path.elements()) {
        const CGPoint* p = e.points;
        switch (e.type) {
        case CGPathElement::Type::MoveToPoint:
            if (!(first && skipFirstMove)) cairo_move_to(cr, p[0].x, p[0].y);
            break;
        case CGPathElement::Type::AddLineToPoint: cairo_line_to(cr, p[0].x, p[0].y); break;
        case CGPathElement::Type::AddCurveToPoint:
            cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
            break;
        case CGPathElement::Type::CloseSubpath: cairo_close_path(cr); break;
        }
        first = false;
    }
}

// Device-space bounding box of the current clip, in whole pixels.
cairo_rectangle_int_t deviceClipBox(cairo_t* cr) {
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    double xs[4] = {x0, x1, x0, x1}, ys[4] = {y0, y0, y1, y1};
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (int i = 0; i < 4; ++i) {
        double x = xs[i], y = ys[i];
        cairo_user_to_device(cr, &x, &y);
        minX = std::min(minX, x); minY = std::min(minY, y); maxX = std::max(maxX, x); maxY = std::max(maxY, y);
    }
    cairo_rectangle_int_t r;
    r.x = static_cast<int>(std::floor(minX));
    r.y = static_cast<int>(std::floor(minY));
    r.width = std::max(0, static_cast<int>(std::ceil(maxX)) - r.x);
    r.height = std::max(0, static_cast<int>(std::ceil(maxY)) - r.y);
    return r;
}

std::atomic<double> gScreenScale{1.0};

}  // namespace

CGContext::CGContext(cairo_surface_t* target, double scale, bool flippedOrigin)
    : target_(target), cr_(cairo_create(target)), scale_(scale > 0 ? scale : 1), flippedOrigin_(flippedOrigin) {
    states_.emplace_back();
    if (flippedOrigin_) {
        double h = cairo_image_surface_get_height(target);
        cairo_translate(cr_.get(), 0, h);
        cairo_scale(cr_.get(), scale_, -scale_);
    } else {
        cairo_scale(cr_.get(), scale_, scale_);
    }
}

CGContext::CGContext(CairoSurface target, double scale, bool flippedOrigin)
    : CGContext(target.get(), scale, flippedOrigin) {
    owned_ = std::move(target);
}

CGContext::~CGContext() = default;

CGContext::GState& CGContext::state() { return states_.back(); }
const CGContext::GState& CGContext::state() const { return states_.back(); }

CGSize CGContext::size() const {
    if (cairo_surface_get_type(target_) != CAIRO_SURFACE_TYPE_IMAGE) return CGSizeZero;
    return {cairo_image_surface_get_width(target_) / scale_, cairo_image_surface_get_height(target_) / scale_};
}

void CGContext::saveGState() {
    cairo_save(cr_.get());
    states_.push_back(states_.back());
}

void CGContext::restoreGState() {
    size_t floor = layerDepths_.empty() ? 1 : layerDepths_.back() + 1;
    if (states_.size() <= floor) {
        NSLog("CGContext: restoreGState without a matching saveGState");
        return;
    }
    states_.pop_back();
    cairo_restore(cr_.get());
}

void CGContext::translateCTM(CGFloat tx, CGFloat ty) { cairo_translate(cr_.get(), tx, ty); }
void CGContext::scaleCTM(CGFloat sx, CGFloat sy) {
    if (sx == 0 || sy == 0) return;  // cairo refuses a singular matrix for good
    cairo_scale(cr_.get(), sx, sy);
}
void CGContext::rotateCTM(CGFloat radians) { cairo_rotate(cr_.get(), radians); }
void CGContext::concatCTM(const CGAffineTransform& t) {
    if (t.a * t.d - t.b * t.c == 0) return;
    cairo_matrix_t m = toCairo(t);
    cairo_transform(cr_.get(), &m);
}

CGAffineTransform CGContext::getCTM() const {
    cairo_matrix_t m;
    cairo_get_matrix(cr_.get(), &m);
    // Remove the base transform (scale, and the flip of a bitmap context).
    CGAffineTransform base = CGAffineTransformMakeScale(scale_, flippedOrigin_ ? -scale_ : scale_);
    if (flippedOrigin_) base.ty = cairo_image_surface_get_height(target_);
    return CGAffineTransformConcat(fromCairo(m), CGAffineTransformInvert(base));
}

CGPoint CGContext::convertPointToDeviceSpace(CGPoint p) const {
    cairo_user_to_device(cr_.get(), &p.x, &p.y);
    return p;
}

// Path construction.

void CGContext::beginPath() { cairo_new_path(cr_.get()); }
void CGContext::moveToPoint(CGFloat x, CGFloat y) { cairo_move_to(cr_.get(), x, y); }
void CGContext::addLineToPoint(CGFloat x, CGFloat y) {
    if (!cairo_has_current_point(cr_.get())) return;  // the platform ignores a line with no start
    cairo_line_to(cr_.get(), x, y);
}
void CGContext::addCurveToPoint(CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y) {
    if (!cairo_has_current_point(cr_.get())) return;
    cairo_curve_to(cr_.get(), cp1x, cp1y, cp2x, cp2y, x, y);
}
void CGContext::addQuadCurveToPoint(CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y) {
    if (!cairo_has_current_point(cr_.get())) return;
    CGPath p;
    CGPoint cur = getPathCurrentPoint();
    p.moveToPoint(nullptr, cur.x, cur.y);
    p.addQuadCurveToPoint(nullptr, cpx, cpy, x, y);
    appendPath(cr_.get(), p, true);
}

void CGContext::addArc(CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise) {
    CGPath p;
    bool has = cairo_has_current_point(cr_.get());
    if (has) {
        CGPoint cur = getPathCurrentPoint();
        p.moveToPoint(nullptr, cur.x, cur.y);
    }
    p.addArc(nullptr, x, y, radius, startAngle, endAngle, clockwise);
    appendPath(cr_.get(), p, has);
}

void CGContext::addArcToPoint(CGFloat x1, CGFloat y1, CGFloat x2, CGFloat y2, CGFloat radius) {
    CGPath p;
    bool has = cairo_has_current_point(cr_.get());
    if (has) {
        CGPoint cur = getPathCurrentPoint();
        p.moveToPoint(nullptr, cur.x, cur.y);
    }
    p.addArcToPoint(nullptr, x1, y1, x2, y2, radius);
    appendPath(cr_.get(), p, has);
}

void CGContext::addRect(CGRect r) { cairo_rectangle(cr_.get(), r.origin.x, r.origin.y, r.size.width, r.size.height); }
void CGContext::addRects(const std::vector<CGRect>& rects) {
    for (const auto& r : rects) addRect(r);
}

void CGContext::addEllipseInRect(CGRect rect) {
    CGPath p;
    p.addEllipseInRect(nullptr, rect);
    appendPath(cr_.get(), p, false);
}

void CGContext::addRoundedRect(CGRect rect, CGFloat radius) {
    CGPath p;
    p.addRoundedRect(nullptr, rect, radius, radius);
    appendPath(cr_.get(), p, false);
}

void CGContext::addLines(const std::vector<CGPoint>& points) {
    if (points.empty()) return;
    cairo_move_to(cr_.get(), points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_.get(), points[i].x, points[i].y);
}

void CGContext::addPath(const CGPath& path) { appendPath(cr_.get(), path, false); }
void CGContext::closePath() { cairo_close_path(cr_.get()); }

bool CGContext::isPathEmpty() const {
    CairoPath p(cairo_copy_path(cr_.get()));
    return !p || p->num_data == 0;
}

CGPoint CGContext::getPathCurrentPoint() const {
    CGPoint p;
    if (cairo_has_current_point(cr_.get())) cairo_get_current_point(cr_.get(), &p.x, &p.y);
    return p;
}

CGMutablePathRef CGContext::copyPath() const {
    auto out = CGPath::create();
    CairoPath p(cairo_copy_path(cr_.get()));
    if (!p || p->status != CAIRO_STATUS_SUCCESS) return out;
    for (int i = 0; i < p->num_data; i += p->data[i].header.length) {
        const cairo_path_data_t* d = &p->data[i];
        switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO: out->moveToPoint(nullptr, d[1].point.x, d[1].point.y); break;
        case CAIRO_PATH_LINE_TO: out->addLineToPoint(nullptr, d[1].point.x, d[1].point.y); break;
        case CAIRO_PATH_CURVE_TO:
            out->addCurveToPoint(nullptr, d[1].point.x, d[1].point.y, d[2].point.x, d[2].point.y, d[3].point.x,
                                 d[3].point.y);
            break;
        case CAIRO_PATH_CLOSE_PATH: out->closeSubpath(); break;
        }
    }
    return out;
}

// Colours and settings.

void CGContext::setFillColorWithColor(const UIColor& color) { state().fill = color; }
void CGContext::setStrokeColorWithColor(const UIColor& color) { state().stroke = color; }
void CGContext::setRGBFillColor(CGFloat r, CGFloat g, CGFloat b, CGFloat a) { state().fill = UIColor(r, g, b, a); }
void CGContext::setRGBStrokeColor(CGFloat r, CGFloat g, CGFloat b, CGFloat a) { state().stroke = UIColor(r, g, b, a); }
void CGContext::setGrayFillColor(CGFloat gray, CGFloat a) { state().fill = UIColor(gray, gray, gray, a); }
void CGContext::setGrayStrokeColor(CGFloat gray, CGFloat a) { state().stroke = UIColor(gray, gray, gray, a); }
const UIColor& CGContext::fillColor() const { return state().fill; }
const UIColor& CGContext::strokeColor() const { return state().stroke; }

void CGContext::setLineWidth(CGFloat width) { cairo_set_line_width(cr_.get(), std::max(0.0, width)); }
void CGContext::setLineCap(CGLineCap cap) {
    cairo_set_line_cap(cr_.get(), cap == kCGLineCapRound    ? CAIRO_LINE_CAP_ROUND
                                  : cap == kCGLineCapSquare ? CAIRO_LINE_CAP_SQUARE
                                                            : CAIRO_LINE_CAP_BUTT);
}
void CGContext::setLineJoin(CGLineJoin join) {
    cairo_set_line_join(cr_.get(), join == kCGLineJoinRound   ? CAIRO_LINE_JOIN_ROUND
                                   : join == kCGLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                              : CAIRO_LINE_JOIN_MITER);
}
void CGContext::setMiterLimit(CGFloat limit) { cairo_set_miter_limit(cr_.get(), limit); }
void CGContext::setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths) {
    bool allZero = std::all_of(lengths.begin(), lengths.end(), [](double v) { return v <= 0; });
    if (lengths.empty() || allZero) cairo_set_dash(cr_.get(), nullptr, 0, 0);
    else cairo_set_dash(cr_.get(), lengths.data(), static_cast<int>(lengths.size()), phase);
}

void CGContext::setAlpha(CGFloat alpha) { state().alpha = std::clamp(alpha, 0.0, 1.0); }
CGFloat CGContext::alpha() const { return state().alpha; }
void CGContext::setBlendMode(CGBlendMode mode) { state().blend = mode; }
CGBlendMode CGContext::blendMode() const { return state().blend; }
void CGContext::setShouldAntialias(bool on) {
    cairo_set_antialias(cr_.get(), on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}
void CGContext::setInterpolationQuality(CGInterpolationQuality q) {
    state().filter = q == kCGInterpolationNone  ? CAIRO_FILTER_NEAREST
                     : q == kCGInterpolationLow ? CAIRO_FILTER_FAST
                     : q == kCGInterpolationHigh ? CAIRO_FILTER_BEST
                                                 : CAIRO_FILTER_GOOD;
}

void CGContext::setShadow(CGSize offset, CGFloat blur) {
    UIColor black(0, 0, 0, 1.0 / 3);
    setShadowWithColor(offset, blur, &black);
}

void CGContext::setShadowWithColor(CGSize offset, CGFloat blur, const UIColor* color) {
    GState& s = state();
    s.shadowOffset = offset;
    s.shadowBlur = std::max(0.0, blur);
    s.shadow = false;
    if (!color || color->isPattern()) return;
    color->getRed(&s.shadowRGBA[0], &s.shadowRGBA[1], &s.shadowRGBA[2], &s.shadowRGBA[3]);
    s.shadow = s.shadowRGBA[3] > 0 && (offset.width != 0 || offset.height != 0 || s.shadowBlur > 0);
}

void CGContext::applyColorSource(cairo_t* cr, const UIColor& color) const {
    if (const auto& img = color.patternImage()) {
        cairo_pattern_t* p = cairo_pattern_create_for_surface(img->surface());
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, img->scale(), img->scale());
        cairo_pattern_set_matrix(p, &m);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        return;
    }
    cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
}

// Compositing: `paint` draws the content in user space; the shadow, alpha, blend mode and image mask
// of the state are applied to the content as a whole.
void CGContext::composite(const std::function<void(cairo_t*)>& paint) {
    cairo_t* cr = cr_.get();
    const GState& s = state();
    const cairo_operator_t op = cairoOperator(s.blend);
    if (!s.shadow && s.alpha >= 1 && !s.mask) {
        cairo_set_operator(cr, op);
        paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        return;
    }
    if (s.alpha <= 0) {
        cairo_new_path(cr);
        return;
    }

    cairo_push_group(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    paint(cr);
    CairoPattern content(cairo_pop_group(cr));
    cairo_new_path(cr);

    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_pattern_set_matrix(content.get(), &identity);

    // With an image mask the shadow and the content are composed first, then painted through the mask.
    if (s.mask) cairo_push_group(cr);
    cairo_set_operator(cr, s.mask ? CAIRO_OPERATOR_OVER : op);

    cairo_surface_t* group = nullptr;
    if (s.shadow && cairo_pattern_get_surface(content.get(), &group) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_get_type(group) == CAIRO_SURFACE_TYPE_IMAGE) {
        cairo_surface_flush(group);
        int gw = cairo_image_surface_get_width(group), gh = cairo_image_surface_get_height(group);
        int gstride = cairo_image_surface_get_stride(group);
        const unsigned char* gdata = cairo_image_surface_get_data(group);
        double gdx = 0, gdy = 0;
        cairo_surface_get_device_offset(group, &gdx, &gdy);
        // Bounds of the painted pixels.
        int x0 = gw, y0 = gh, x1 = -1, y1 = -1;
        for (int y = 0; y < gh; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(gdata + static_cast<size_t>(y) * gstride);
            for (int x = 0; x < gw; ++x)
                if (row[x] >> 24) { x0 = std::min(x0, x); x1 = std::max(x1, x); y0 = std::min(y0, y); y1 = std::max(y1, y); }
        }
        if (x1 >= x0) {
            double sigma = s.shadowBlur * scale_ / 2;
            int pad = alphaBlurSpread(sigma);
            int w = x1 - x0 + 1 + 2 * pad, h = y1 - y0 + 1 + 2 * pad;
            CairoSurface plane(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h));
            unsigned char* pdata = cairo_image_surface_get_data(plane.get());
            int pstride = cairo_image_surface_get_stride(plane.get());
            for (int y = y0; y <= y1; ++y) {
                const uint32_t* row = reinterpret_cast<const uint32_t*>(gdata + static_cast<size_t>(y) * gstride);
                unsigned char* out = pdata + static_cast<size_t>(y - y0 + pad) * pstride + pad;
                for (int x = x0; x <= x1; ++x) out[x - x0] = static_cast<unsigned char>(row[x] >> 24);
            }
            blurAlphaPlane(pdata, w, h, pstride, sigma);
            cairo_surface_mark_dirty(plane.get());
            double ox = s.shadowOffset.width * scale_;
            double oy = (flippedOrigin_ ? -s.shadowOffset.height : s.shadowOffset.height) * scale_;
            cairo_set_source_rgba(cr, s.shadowRGBA[0], s.shadowRGBA[1], s.shadowRGBA[2],
                                  s.shadowRGBA[3] * (s.mask ? 1 : s.alpha));
            cairo_mask_surface(cr, plane.get(), x0 - pad - gdx + ox, y0 - pad - gdy + oy);
        }
    }
    cairo_set_source(cr, content.get());
    cairo_paint_with_alpha(cr, s.mask ? 1 : s.alpha);

    if (s.mask) {
        CairoPattern composed(cairo_pop_group(cr));
        cairo_pattern_set_matrix(composed.get(), &identity);
        cairo_set_operator(cr, op);
        cairo_set_source(cr, composed.get());
        CairoPattern maskPattern(cairo_pattern_create_for_surface(s.mask.get()));
        if (s.alpha < 1) {
            cairo_push_group(cr);
            cairo_set_source(cr, composed.get());
            cairo_mask(cr, maskPattern.get());
            CairoPattern masked(cairo_pop_group(cr));
            cairo_pattern_set_matrix(masked.get(), &identity);
            cairo_set_source(cr, masked.get());
            cairo_paint_with_alpha(cr, s.alpha);
        } else {
            cairo_mask(cr, maskPattern.get());
        }
    }
    cairo_restore(cr);
}

void CGContext::paintCurrentPath(bool fill, bool evenOdd) {
    cairo_t* cr = cr_.get();
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    composite([&](cairo_t* c) {
        applyColorSource(c, fill ? state().fill : state().stroke);
        if (fill) cairo_fill(c);
        else cairo_stroke(c);
    });
    cairo_new_path(cr);
}

void CGContext::fillPath() { paintCurrentPath(true, false); }
void CGContext::eoFillPath() { paintCurrentPath(true, true); }
void CGContext::strokePath() { paintCurrentPath(false, false); }

void CGContext::drawPath(CGPathDrawingMode mode) {
    switch (mode) {
    case kCGPathFill: fillPath(); break;
    case kCGPathEOFill: eoFillPath(); break;
    case kCGPathStroke: strokePath(); break;
    case kCGPathFillStroke:
    case kCGPathEOFillStroke: {
        cairo_t* cr = cr_.get();
        cairo_set_fill_rule(cr, mode == kCGPathEOFillStroke ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        // Fill and stroke compose as one shape so a shadow is cast once.
        composite([&](cairo_t* c) {
            applyColorSource(c, state().fill);
            cairo_fill_preserve(c);
            applyColorSource(c, state().stroke);
            cairo_stroke(c);
        });
        cairo_new_path(cr);
        break;
    }
    }
}

void CGContext::fillRect(CGRect rect) {
    cairo_new_path(cr_.get());
    addRect(rect);
    fillPath();
}

void CGContext::fillRects(const std::vector<CGRect>& rects) {
    cairo_new_path(cr_.get());
    addRects(rects);
    fillPath();
}

void CGContext::strokeRect(CGRect rect) {
    cairo_new_path(cr_.get());
    addRect(rect);
    strokePath();
}

void CGContext::strokeRectWithWidth(CGRect rect, CGFloat width) {
    saveGState();
    setLineWidth(width);
    strokeRect(rect);
    restoreGState();
}

void CGContext::fillEllipseInRect(CGRect rect) {
    cairo_new_path(cr_.get());
    addEllipseInRect(rect);
    fillPath();
}

void CGContext::strokeEllipseInRect(CGRect rect) {
    cairo_new_path(cr_.get());
    addEllipseInRect(rect);
    strokePath();
}

void CGContext::strokeLineSegments(const std::vector<CGPoint>& points) {
    cairo_new_path(cr_.get());
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        cairo_move_to(cr_.get(), points[i].x, points[i].y);
        cairo_line_to(cr_.get(), points[i + 1].x, points[i + 1].y);
    }
    strokePath();
}

void CGContext::clearRect(CGRect rect) {
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Clipping.

void CGContext::clip() {
    cairo_set_fill_rule(cr_.get(), CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr_.get());
}

void CGContext::eoClip() {
    cairo_set_fill_rule(cr_.get(), CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr_.get());
    cairo_set_fill_rule(cr_.get(), CAIRO_FILL_RULE_WINDING);
}

void CGContext::clipToRect(CGRect rect) {
    // The current path survives a rectangle clip.
    CairoPath saved(cairo_copy_path(cr_.get()));
    cairo_new_path(cr_.get());
    addRect(rect);
    clip();
    if (saved && saved->num_data > 0) cairo_append_path(cr_.get(), saved.get());
}

void CGContext::clipToRects(const std::vector<CGRect>& rects) {
    cairo_new_path(cr_.get());
    addRects(rects);
    clip();
}

void CGContext::clipToMask(CGRect rect, const UIImage& maskImage) {
    cairo_t* cr = cr_.get();
    clipToRect(rect);
    cairo_rectangle_int_t box = deviceClipBox(cr);
    if (box.width <= 0 || box.height <= 0) return;
    cairo_surface_t* raw = cairo_image_surface_create(CAIRO_FORMAT_A8, box.width, box.height);
    std::shared_ptr<cairo_surface_t> plane(raw, cairo_surface_destroy);
    cairo_surface_set_device_offset(raw, -box.x, -box.y);
    Cairo mcr(cairo_create(raw));
    if (state().mask) {
        cairo_set_source_surface(mcr.get(), state().mask.get(), 0, 0);
        cairo_paint(mcr.get());
    } else {
        cairo_set_source_rgba(mcr.get(), 0, 0, 0, 1);
        cairo_paint(mcr.get());
    }
    // Place the image as drawImage does: its top row at the rectangle's maximum y.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_set_matrix(mcr.get(), &m);
    cairo_translate(mcr.get(), rect.origin.x, rect.origin.y + rect.size.height);
    CGSize isz = maskImage.size();
    if (isz.width <= 0 || isz.height <= 0) return;
    cairo_scale(mcr.get(), rect.size.width / maskImage.pixelWidth(), -rect.size.height / maskImage.pixelHeight());
    cairo_set_source_surface(mcr.get(), maskImage.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(mcr.get()), state().filter);
    cairo_set_operator(mcr.get(), CAIRO_OPERATOR_IN);
    cairo_paint(mcr.get());
    mcr.reset();
    cairo_surface_flush(raw);
    state().mask = plane;
}

CGRect CGContext::getClipBoundingBox() const {
    double x0, y0, x1, y1;
    cairo_clip_extents(cr_.get(), &x0, &y0, &x1, &y1);
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

// Transparency layers.

void CGContext::beginTransparencyLayer() {
    saveGState();
    layerDepths_.push_back(states_.size());
    cairo_push_group(cr_.get());
    states_.push_back(states_.back());
    GState& inner = states_.back();
    inner.alpha = 1;
    inner.blend = CGBlendMode::Normal;
    inner.shadow = false;
    inner.mask.reset();
    cairo_save(cr_.get());
}

void CGContext::endTransparencyLayer() {
    if (layerDepths_.empty()) {
        NSLog("CGContext: endTransparencyLayer without a matching begin");
        return;
    }
    size_t depth = layerDepths_.back();
    while (states_.size() > depth + 1) {
        states_.pop_back();
        cairo_restore(cr_.get());
    }
    states_.pop_back();
    cairo_restore(cr_.get());
    layerDepths_.pop_back();
    CairoPattern layer(cairo_pop_group(cr_.get()));
    composite([&](cairo_t* c) {
        cairo_set_source(c, layer.get());
        cairo_paint(c);
    });
    restoreGState();
}

// Gradients.

namespace {

CairoPattern gradientPattern(cairo_pattern_t* p, const CGGradient& g) {
    for (const auto& s : g.stops()) cairo_pattern_add_color_stop_rgba(p, s.location, s.r, s.g, s.b, s.a);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    return CairoPattern(p);
}

// A length that covers the whole clip from any point inside it.
double coverLength(cairo_t* cr, CGPoint a, CGPoint b) {
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    double span = std::hypot(x1 - x0, y1 - y0);
    double far = std::max({std::fabs(x0), std::fabs(y0), std::fabs(x1), std::fabs(y1), std::fabs(a.x), std::fabs(a.y),
                           std::fabs(b.x), std::fabs(b.y)});
    return 2 * (span + far) + 1;
}

}  // namespace

void CGContext::drawLinearGradient(const CGGradient& gradient, CGPoint start, CGPoint end, unsigned options) {
    double dx = end.x - start.x, dy = end.y - start.y, len = std::hypot(dx, dy);
    if (len == 0 || gradient.stops().empty()) return;
    CairoPattern pattern = gradientPattern(cairo_pattern_create_linear(start.x, start.y, end.x, end.y), gradient);
    double big = coverLength(cr_.get(), start, end);
    bool before = options & kCGGradientDrawsBeforeStartLocation, after = options & kCGGradientDrawsAfterEndLocation;
    composite([&](cairo_t* c) {
        cairo_save(c);
        // Limit to the band between the start and end lines on the sides that do not extend.
        cairo_translate(c, start.x, start.y);
        cairo_rotate(c, std::atan2(dy, dx));
        cairo_rectangle(c, before ? -big : 0, -big, (before ? big : 0) + (after ? big : len), 2 * big);
        cairo_restore(c);
        cairo_set_source(c, pattern.get());
        cairo_fill(c);
    });
}

void CGContext::drawRadialGradient(const CGGradient& gradient, CGPoint c0, CGFloat r0, CGPoint c1, CGFloat r1,
                                   unsigned options) {
    if (gradient.stops().empty() || (r0 == r1 && c0 == c1)) return;
    CairoPattern pattern = gradientPattern(cairo_pattern_create_radial(c0.x, c0.y, r0, c1.x, c1.y, r1), gradient);
    double big = coverLength(cr_.get(), c0, c1);
    bool before = options & kCGGradientDrawsBeforeStartLocation, after = options & kCGGradientDrawsAfterEndLocation;
    composite([&](cairo_t* c) {
        cairo_save(c);
        cairo_new_path(c);
        if (!after) {
            cairo_arc(c, c1.x, c1.y, r1, 0, 2 * M_PI);
            cairo_clip(c);
        }
        if (!before && r0 > 0) {
            cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_rectangle(c, -big, -big, 2 * big, 2 * big);
            cairo_arc(c, c0.x, c0.y, r0, 0, 2 * M_PI);
            cairo_clip(c);
        }
        cairo_set_source(c, pattern.get());
        cairo_paint(c);
        cairo_restore(c);
    });
}

// Images and layers.

void CGContext::drawImageUpright(CGRect rect, const UIImage& image, CGBlendMode mode, double alpha) {
    GState& s = state();
    CGBlendMode savedBlend = s.blend;
    double savedAlpha = s.alpha;
    s.blend = mode;
    s.alpha = alpha;
    composite([&](cairo_t* c) { image.paintInto(c, rect, s.filter); });
    s.blend = savedBlend;
    s.alpha = savedAlpha;
}

void CGContext::drawImage(CGRect rect, const UIImage& image) {
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_translate(cr, rect.origin.x, rect.origin.y + rect.size.height);
    cairo_scale(cr, 1, -1);
    const GState& s = state();
    composite([&](cairo_t* c) { image.paintInto(c, CGRectMake(0, 0, rect.size.width, rect.size.height), s.filter); });
    cairo_restore(cr);
}

void CGContext::drawLayerInRect(const CGLayer& layer, CGRect rect) {
    if (!layer.surface() || layer.size().width <= 0 || layer.size().height <= 0) return;
    const GState& s = state();
    composite([&](cairo_t* c) {
        cairo_save(c);
        cairo_new_path(c);
        cairo_rectangle(c, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
        cairo_translate(c, rect.origin.x, rect.origin.y);
        cairo_scale(c, rect.size.width / cairo_image_surface_get_width(layer.surface()),
                    rect.size.height / cairo_image_surface_get_height(layer.surface()));
        cairo_set_source_surface(c, layer.surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(c), s.filter);
        cairo_pattern_set_extend(cairo_get_source(c), CAIRO_EXTEND_PAD);
        cairo_fill(c);
        cairo_restore(c);
    });
}

void CGContext::drawLayerAtPoint(const CGLayer& layer, CGPoint point) {
    drawLayerInRect(layer, CGRectMake(point.x, point.y, layer.size().width, layer.size().height));
}

void CGContext::drawWithFillSource(const std::function<void(cairo_t*)>& paint) {
    composite([&](cairo_t* c) {
        applyColorSource(c, state().fill);
        paint(c);
    });
}

void CGContext::drawWithEffects(const std::function<void(cairo_t*)>& paint) { composite(paint); }

UIImagePtr CGContext::makeImage() const {
    if (cairo_surface_get_type(target_) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
    cairo_surface_flush(target_);
    int w = cairo_image_surface_get_width(target_), h = cairo_image_surface_get_height(target_);
    CairoSurface copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    Cairo c(cairo_create(copy.get()));
    cairo_set_source_surface(c.get(), target_, 0, 0);
    cairo_set_operator(c.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(c.get());
    c.reset();
    return std::make_shared<UIImage>(copy.get(), scale_);
}

// Bitmap contexts and the current-context stack.

namespace {

constexpr int kMaxPixels = 16384;

struct ContextEntry {
    CGContext* context = nullptr;
    std::unique_ptr<CGContext> owned;  // image contexts
};

thread_local std::vector<ContextEntry> tContextStack;

}  // namespace

std::unique_ptr<CGContext> CGBitmapContextCreate(int pixelWidth, int pixelHeight) {
    if (pixelWidth <= 0 || pixelHeight <= 0 || pixelWidth > kMaxPixels || pixelHeight > kMaxPixels) {
        NSLog("CGBitmapContextCreate: invalid size %i x %i", pixelWidth, pixelHeight);
        return nullptr;
    }
    CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return std::make_unique<CGContext>(std::move(s), 1.0, true);
}

UIImagePtr CGBitmapContextCreateImage(const CGContext& context) { return context.makeImage(); }

CGContext* UIGraphicsGetCurrentContext() {
    return tContextStack.empty() ? nullptr : tContextStack.back().context;
}

void UIGraphicsPushContext(CGContext* context) { tContextStack.push_back({context, nullptr}); }

void UIGraphicsPopContext() {
    if (!tContextStack.empty()) tContextStack.pop_back();
}

void UIGraphicsBeginImageContext(CGSize size) { UIGraphicsBeginImageContextWithOptions(size, false, 1.0); }

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale) {
    if (scale <= 0) scale = UIGraphicsGetScreenScale();
    double pw = std::ceil(size.width * scale), ph = std::ceil(size.height * scale);
    if (!(pw > 0 && ph > 0 && pw <= kMaxPixels && ph <= kMaxPixels)) {
        NSLog("UIGraphicsBeginImageContext: invalid size %f x %f", size.width, size.height);
        // Keep push and pop balanced: an entry without a context.
        tContextStack.push_back({nullptr, nullptr});
        return;
    }
    CairoSurface s(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
                                              static_cast<int>(pw), static_cast<int>(ph)));
    auto ctx = std::make_unique<CGContext>(std::move(s), scale, false);
    CGContext* raw = ctx.get();
    tContextStack.push_back({raw, std::move(ctx)});
}

UIImagePtr UIGraphicsGetImageFromCurrentImageContext() {
    if (tContextStack.empty() || !tContextStack.back().owned) return nullptr;
    return tContextStack.back().owned->makeImage();
}

void UIGraphicsEndImageContext() {
    if (tContextStack.empty()) return;
    if (!tContextStack.back().owned && tContextStack.back().context) {
        NSLog("UIGraphicsEndImageContext: the current context is not an image context");
        return;
    }
    tContextStack.pop_back();
}

void UIRectFill(CGRect rect) {
    if (CGContext* c = UIGraphicsGetCurrentContext()) c->fillRect(rect);
}

void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    c->saveGState();
    c->setBlendMode(mode);
    c->fillRect(rect);
    c->restoreGState();
}

void UIRectFrame(CGRect rect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    c->saveGState();
    c->setStrokeColorWithColor(c->fillColor());
    c->setLineWidth(1);
    c->strokeRect(CGRectInset(rect, 0.5, 0.5));
    c->restoreGState();
}

double UIGraphicsGetScreenScale() { return gScreenScale.load(); }
void UIGraphicsSetScreenScale(double scale) { gScreenScale.store(scale >= 2 ? 2.0 : 1.0); }
