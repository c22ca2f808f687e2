#include "platform/ui/UIView.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/ViewAnimator.h"
#include "platform/ui/ViewBacking.h"

UIView::UIView(CGRect frame) : layer_(this)
{
    frame = CGRectStandardize(frame);
    bounds_ = CGRectMake(0, 0, frame.size.width, frame.size.height);
    center_ = CGPointMake(frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2);
}

UIView::~UIView()
{
    ViewAnimator::shared().viewDestroyed(this);
    if (auto* app = UIApplication::existing()) app->removeModalBlocker(this);
    for (auto& sub : subviews_) sub->superview_ = nullptr;
}

void UIView::setNeedsComposite() const
{
    Compositor::setNeedsFrame();
}

// --- Geometry ---

CGRect UIView::frame() const
{
    if (CGAffineTransformIsIdentity(transform_))
        return CGRectMake(center_.x - bounds_.size.width / 2, center_.y - bounds_.size.height / 2, bounds_.size.width,
                          bounds_.size.height);
    CGRect local = CGRectMake(-bounds_.size.width / 2, -bounds_.size.height / 2, bounds_.size.width, bounds_.size.height);
    return CGRectOffset(CGRectApplyAffineTransform(local, transform_), center_.x, center_.y);
}

void UIView::setFrame(CGRect frame)
{
    frame = CGRectStandardize(frame);
    CGPoint newCenter = CGPointMake(frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2);
    CGSize oldSize = bounds_.size;
    if (newCenter != center_) {
        ViewAnimator::shared().willChange(*this, AnimatedProperty::Center);
        center_ = newCenter;
    }
    if (frame.size != oldSize) {
        ViewAnimator::shared().willChange(*this, AnimatedProperty::Bounds);
        bounds_.size = frame.size;
        boundsSizeChanged(oldSize);
    }
    setNeedsComposite();
}

void UIView::setBounds(CGRect bounds)
{
    bounds = CGRectStandardize(bounds);
    if (bounds == bounds_) return;
    CGSize oldSize = bounds_.size;
    ViewAnimator::shared().willChange(*this, AnimatedProperty::Bounds);
    bounds_ = bounds;
    if (bounds.size != oldSize) boundsSizeChanged(oldSize);
    setNeedsComposite();
}

void UIView::setCenter(CGPoint center)
{
    if (center == center_) return;
    ViewAnimator::shared().willChange(*this, AnimatedProperty::Center);
    center_ = center;
    setNeedsComposite();
}

void UIView::setTransform(CGAffineTransform t)
{
    if (t == transform_) return;
    ViewAnimator::shared().willChange(*this, AnimatedProperty::Transform);
    transform_ = t;
    setNeedsComposite();
}

void UIView::boundsSizeChanged(CGSize oldSize)
{
    if (autoresizesSubviews_) resizeSubviewsWithOldSize(oldSize);
    setNeedsLayout();
    if (contentMode_ == UIViewContentModeRedraw) setNeedsDisplay();
}

void UIView::resizeSubviewsWithOldSize(CGSize oldSize)
{
    // Copy: a subview's resize may change the list.
    auto subs = subviews_;
    for (auto& sub : subs) sub->autoresizeWithOldSuperviewSize(oldSize);
}

namespace {
// Shares the change in the superview's length among the flexible parts
// (margin before, length, margin after) in proportion to their sizes.
void distribute(double delta, bool flexBefore, bool flexLength, bool flexAfter, double& before, double& length,
                double after)
{
    int count = int(flexBefore) + int(flexLength) + int(flexAfter);
    if (count == 0 || delta == 0) return;
    double sum = (flexBefore ? before : 0) + (flexLength ? length : 0) + (flexAfter ? after : 0);
    double dBefore, dLength;
    if (sum > 0) {
        dBefore = flexBefore ? delta * before / sum : 0;
        dLength = flexLength ? delta * length / sum : 0;
    } else {
        dBefore = flexBefore ? delta / count : 0;
        dLength = flexLength ? delta / count : 0;
    }
    before += dBefore;
    length = std::max(0.0, length + dLength);
}
}  // namespace

void UIView::autoresizeWithOldSuperviewSize(CGSize oldSize)
{
    if (autoresizingMask_ == UIViewAutoresizingNone || !superview_) return;
    CGSize newSize = superview_->bounds_.size;
    CGRect f = frame();
    double x = f.origin.x, w = f.size.width, y = f.origin.y, h = f.size.height;
    unsigned m = autoresizingMask_;
    distribute(newSize.width - oldSize.width, m & UIViewAutoresizingFlexibleLeftMargin,
               m & UIViewAutoresizingFlexibleWidth, m & UIViewAutoresizingFlexibleRightMargin, x, w,
               oldSize.width - (f.origin.x + f.size.width));
    distribute(newSize.height - oldSize.height, m & UIViewAutoresizingFlexibleTopMargin,
               m & UIViewAutoresizingFlexibleHeight, m & UIViewAutoresizingFlexibleBottomMargin, y, h,
               oldSize.height - (f.origin.y + f.size.height));
    if (CGAffineTransformIsIdentity(transform_)) {
        setFrame(CGRectMake(x, y, w, h));
    } else {
        // Keep the transform: move the centre and scale the bounds by the frame's change.
        setCenter(CGPointMake(x + w / 2, y + h / 2));
        CGRect b = bounds_;
        if (f.size.width > 0) b.size.width *= w / f.size.width;
        if (f.size.height > 0) b.size.height *= h / f.size.height;
        setBounds(b);
    }
}

// --- Presentation ---

static CGRect rectFrom(const AnimValue& v) { return CGRectMake(v.v[0], v.v[1], v.v[2], v.v[3]); }

CGRect UIView::presentationBounds() const
{
    return rectFrom(ViewAnimator::shared().presentation(*this, AnimatedProperty::Bounds));
}

CGPoint UIView::presentationCenter() const
{
    auto v = ViewAnimator::shared().presentation(*this, AnimatedProperty::Center);
    return CGPointMake(v.v[0], v.v[1]);
}

CGAffineTransform UIView::presentationTransform() const
{
    auto v = ViewAnimator::shared().presentation(*this, AnimatedProperty::Transform);
    return CGAffineTransformMake(v.v[0], v.v[1], v.v[2], v.v[3], v.v[4], v.v[5]);
}

double UIView::presentationAlpha() const
{
    double a = ViewAnimator::shared().presentation(*this, AnimatedProperty::Alpha).v[0];
    return layer_.presentationOpacity(a);
}

UIColorPtr UIView::presentationBackgroundColor() const
{
    if (!animState_ || !animState_->properties.count(AnimatedProperty::BackgroundColor)) return backgroundColor_;
    auto v = ViewAnimator::shared().presentation(*this, AnimatedProperty::BackgroundColor);
    if (v.isNull) return nullptr;
    return UIColor::colorWithRed(v.v[0], v.v[1], v.v[2], v.v[3]);
}

CGRect UIView::presentationFrame() const
{
    CGRect b = presentationBounds();
    CGPoint c = presentationCenter();
    CGAffineTransform t = presentationTransform();
    CGRect local = CGRectMake(-b.size.width / 2, -b.size.height / 2, b.size.width, b.size.height);
    if (!CGAffineTransformIsIdentity(t)) local = CGRectApplyAffineTransform(local, t);
    return CGRectOffset(local, c.x, c.y);
}

// --- Hierarchy ---

UIWindow* UIView::window() const
{
    const UIView* v = this;
    while (v->superview_) v = v->superview_;
    return dynamic_cast<UIWindow*>(const_cast<UIView*>(v));
}

void UIView::propagateWindowChange(UIWindow* newWindow, bool willPhase)
{
    if (willPhase)
        willMoveToWindow(newWindow);
    else
        didMoveToWindow();
    auto subs = subviews_;
    for (auto& sub : subs) sub->propagateWindowChange(newWindow, willPhase);
}

void UIView::addSubview(const UIViewPtr& view)
{
    insertSubview(view, static_cast<long>(subviews_.size()));
}

void UIView::insertSubview(const UIViewPtr& view, long index)
{
    if (!view || view.get() == this || isDescendantOfView(view.get())) return;
    UIViewPtr keep = view;
    if (view->superview_ == this) {
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        subviews_.erase(it);
        index = std::clamp<long>(index, 0, static_cast<long>(subviews_.size()));
        subviews_.insert(subviews_.begin() + index, view);
        setNeedsComposite();
        return;
    }
    UIWindow* oldWindow = view->window();
    if (view->superview_) view->removeFromSuperview();
    oldWindow = view->window();
    UIWindow* newWindow = window();
    view->willMoveToSuperview(this);
    if (newWindow != oldWindow) view->propagateWindowChange(newWindow, true);
    index = std::clamp<long>(index, 0, static_cast<long>(subviews_.size()));
    subviews_.insert(subviews_.begin() + index, view);
    view->superview_ = this;
    didAddSubview(view.get());
    view->didMoveToSuperview();
    if (newWindow != oldWindow) view->propagateWindowChange(newWindow, false);
    setNeedsComposite();
}

void UIView::insertSubviewAboveSubview(const UIViewPtr& view, const UIView* sibling)
{
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](auto& s) { return s.get() == sibling; });
    if (it == subviews_.end()) return addSubview(view);
    long index = static_cast<long>(it - subviews_.begin()) + 1;
    if (view && view->superview_ == this && view.get() != sibling) {
        // Removing the view first shifts the sibling's index when it sat below it.
        auto self = std::find(subviews_.begin(), subviews_.end(), view);
        if (self < it) --index;
    }
    insertSubview(view, index);
}

void UIView::insertSubviewBelowSubview(const UIViewPtr& view, const UIView* sibling)
{
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](auto& s) { return s.get() == sibling; });
    if (it == subviews_.end()) return insertSubview(view, 0);
    long index = static_cast<long>(it - subviews_.begin());
    if (view && view->superview_ == this && view.get() != sibling) {
        auto self = std::find(subviews_.begin(), subviews_.end(), view);
        if (self < it) --index;
    }
    insertSubview(view, index);
}

void UIView::bringSubviewToFront(const UIView* view)
{
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](auto& s) { return s.get() == view; });
    if (it == subviews_.end()) return;
    UIViewPtr keep = *it;
    subviews_.erase(it);
    subviews_.push_back(keep);
    setNeedsComposite();
}

void UIView::sendSubviewToBack(const UIView* view)
{
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](auto& s) { return s.get() == view; });
    if (it == subviews_.end()) return;
    UIViewPtr keep = *it;
    subviews_.erase(it);
    subviews_.insert(subviews_.begin(), keep);
    setNeedsComposite();
}

void UIView::exchangeSubviewAtIndex(long index1, long index2)
{
    long n = static_cast<long>(subviews_.size());
    if (index1 < 0 || index2 < 0 || index1 >= n || index2 >= n) return;
    std::swap(subviews_[index1], subviews_[index2]);
    setNeedsComposite();
}

void UIView::removeFromSuperview()
{
    UIView* parent = superview_;
    if (!parent) return;
    UIViewPtr keep;
    for (auto& s : parent->subviews_)
        if (s.get() == this) keep = s;
    UIWindow* oldWindow = window();
    // A first responder inside the removed branch gives up its status.
    auto* first = dynamic_cast<UIView*>(UIApplication::sharedApplication().firstResponder());
    if (first && first->isDescendantOfView(this)) first->resignFirstResponder();
    parent->willRemoveSubview(this);
    willMoveToSuperview(nullptr);
    if (oldWindow) propagateWindowChange(nullptr, true);
    auto it = std::find_if(parent->subviews_.begin(), parent->subviews_.end(), [&](auto& s) { return s.get() == this; });
    if (it != parent->subviews_.end()) parent->subviews_.erase(it);
    superview_ = nullptr;
    didMoveToSuperview();
    if (oldWindow) propagateWindowChange(nullptr, false);
    setNeedsComposite();
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    for (const UIView* v = this; v; v = v->superview_)
        if (v == view) return true;
    return false;
}

UIView* UIView::viewWithTag(long tag)
{
    if (tag_ == tag) return this;
    for (auto& sub : subviews_)
        if (auto* found = sub->viewWithTag(tag)) return found;
    return nullptr;
}

// --- Appearance ---

void UIView::setHidden(bool hidden)
{
    if (hidden == hidden_) return;
    hidden_ = hidden;
    setNeedsComposite();
}

void UIView::setAlpha(double alpha)
{
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == alpha_) return;
    ViewAnimator::shared().willChange(*this, AnimatedProperty::Alpha);
    alpha_ = alpha;
    setNeedsComposite();
}

void UIView::setBackgroundColor(UIColorPtr color)
{
    ViewAnimator::shared().willChange(*this, AnimatedProperty::BackgroundColor);
    backgroundColor_ = std::move(color);
    setNeedsComposite();
}

void UIView::setClipsToBounds(bool clips)
{
    clipsToBounds_ = clips;
    setNeedsComposite();
}

void UIView::setContentMode(UIViewContentMode mode)
{
    contentMode_ = mode;
    setNeedsComposite();
}

// --- Drawing and layout ---

void UIView::drawRect(CGRect)
{
    drawsNothing_ = true;
}

void UIView::setNeedsDisplay()
{
    needsDisplay_ = true;
    setNeedsComposite();
}

void UIView::setNeedsDisplayInRect(CGRect)
{
    setNeedsDisplay();
}

void UIView::setNeedsLayout()
{
    needsLayout_ = true;
    setNeedsComposite();
}

void UIView::layoutIfNeeded()
{
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    auto subs = subviews_;
    for (auto& sub : subs) sub->layoutIfNeeded();
}

CGSize UIView::sizeThatFits(CGSize) const
{
    return bounds_.size;
}

void UIView::sizeToFit()
{
    CGRect f = frame();
    CGSize s = sizeThatFits(bounds_.size);
    setFrame(CGRectMake(f.origin.x, f.origin.y, s.width, s.height));
}

ViewBacking& UIView::ensureBacking()
{
    if (!backing_) backing_ = std::make_unique<ViewBacking>();
    return *backing_;
}

ViewAnimationState& UIView::ensureAnimationState()
{
    if (!animState_) animState_ = std::make_unique<ViewAnimationState>();
    return *animState_;
}

// --- Hit testing and conversion ---

CGAffineTransform UIView::transformToSuperview(bool presentation) const
{
    CGRect b = presentation ? presentationBounds() : bounds_;
    CGPoint c = presentation ? presentationCenter() : center_;
    CGAffineTransform t = presentation ? presentationTransform() : transform_;
    CGAffineTransform m = CGAffineTransformMakeTranslation(-b.origin.x - b.size.width / 2, -b.origin.y - b.size.height / 2);
    if (!CGAffineTransformIsIdentity(t)) m = CGAffineTransformConcat(m, t);
    return CGAffineTransformConcat(m, CGAffineTransformMakeTranslation(c.x, c.y));
}


UIView* UIView::hitTest(CGPoint point, UIEvent* event)
{
    if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01) return nullptr;
    if (!pointInside(point, event)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        UIViewPtr sub = *it;
        CGAffineTransform m = sub->transformToSuperview(false);
        double det = m.a * m.d - m.b * m.c;
        if (!std::isfinite(det) || std::fabs(det) < 1e-12 || !std::isfinite(m.tx) || !std::isfinite(m.ty))
            continue;  // flattened or broken: nothing of it can be touched
        CGPoint local = CGPointApplyAffineTransform(point, CGAffineTransformInvert(m));
        if (UIView* hit = sub->hitTest(local, event)) return hit;
    }
    return this;
}

bool UIView::pointInside(CGPoint point, UIEvent*) const
{
    return CGRectContainsPoint(bounds_, point);
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const
{
    for (const UIView* v = this; v; v = v->superview_)
        point = CGPointApplyAffineTransform(point, v->transformToSuperview(false));
    if (!view) return point;
    return view->convertPointFromView(point, nullptr);
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const
{
    if (view) point = view->convertPointToView(point, nullptr);
    std::vector<const UIView*> chain;
    for (const UIView* v = this; v; v = v->superview_) chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = CGPointApplyAffineTransform(point, CGAffineTransformInvert((*it)->transformToSuperview(false)));
    return point;
}

namespace {
// The bounding box of the rectangle's corners mapped by `map`.
template <class Map>
CGRect mapRect(CGRect rect, Map map)
{
    CGPoint corners[4] = {rect.origin,
                          {CGRectGetMaxX(rect), rect.origin.y},
                          {rect.origin.x, CGRectGetMaxY(rect)},
                          {CGRectGetMaxX(rect), CGRectGetMaxY(rect)}};
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (auto& c : corners) {
        CGPoint p = map(c);
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}
}  // namespace

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const
{
    return mapRect(rect, [&](CGPoint p) { return convertPointToView(p, view); });
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const
{
    return mapRect(rect, [&](CGPoint p) { return convertPointFromView(p, view); });
}

UIResponder* UIView::nextResponder() const
{
    if (viewController_) return viewController_;
    return superview_;
}

void UIView::removeAllViewAnimations()
{
    ViewAnimator::shared().removeAll(*this, true);
    layer_.removeAllAnimations();
}
