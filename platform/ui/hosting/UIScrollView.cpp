#include "platform/ui/hosting/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NSTimer.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UITouch.h"

namespace {
constexpr double kDragThreshold = 8;         // points before a touch becomes a drag
constexpr double kVelocityWindow = 0.1;      // seconds of samples for the release velocity
constexpr double kStopVelocity = 12;         // points per second
constexpr double kSpring = 180;              // bounce spring stiffness (1/s^2)
constexpr double kTickInterval = 1.0 / 60;
constexpr double kOffsetAnimationDuration = 0.3;
constexpr double kIndicatorWidth = 7;

double clampd(double v, double lo, double hi) { return std::max(lo, std::min(hi, v)); }
}  // namespace

UIScrollView::UIScrollView(CGRect frame) : UIView(frame) {
    setClipsToBounds(true);
    auto makeIndicator = [this] {
        auto v = std::make_shared<UIView>(CGRectZero);
        v->setBackgroundColor(UIColor::colorWithWhite(0, 0.5));
        v->layer().setCornerRadius(3);
        v->setAlpha(0);
        v->setUserInteractionEnabled(false);
        reorderingIndicators_ = true;
        addSubview(v);
        reorderingIndicators_ = false;
        return v;
    };
    vIndicator_ = makeIndicator();
    hIndicator_ = makeIndicator();
}

UIScrollView::~UIScrollView() {
    if (decelTimer_) decelTimer_->invalidate();
    if (indicatorTimer_) indicatorTimer_->invalidate();
}

void UIScrollView::setBounds(CGRect b) {
    CGPoint old = bounds().origin;
    UIView::setBounds(b);
    if (old != b.origin) {
        contentOffsetDidChange();
        updateIndicators();
        if (delegate_) delegate_->scrollViewDidScroll(this);
    }
}

void UIScrollView::setFrame(CGRect f) {
    UIView::setFrame(f);
    updateIndicators();
}

void UIScrollView::setContentOffset(CGPoint offset) {
    CGRect b = bounds();
    b.origin = offset;
    setBounds(b);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (decelerating_) endDecelerating();
    if (!animated || offset == contentOffset()) {
        setContentOffset(offset);
        return;
    }
    CGPoint from = contentOffset();
    animationShift_ = 0;
    UIView::beginAnimations("UIScrollViewOffset");
    UIView::setAnimationDuration(kOffsetAnimationDuration);
    UIView::setAnimationCurve(UIViewAnimationCurveEaseInOut);
    std::weak_ptr<UIView> weak = weak_from_this();
    bool added = UIView::addCustomAnimation(this, "contentOffset", [weak, from, offset](double p) {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self) return;
        self->setContentOffset(CGPointMake(from.x + (offset.x - from.x) * p,
                                           from.y + (offset.y - from.y) * p + self->animationShift_));
        if (p >= 1 && self->animatingOffset_) {
            self->animatingOffset_ = false;
            self->hideIndicatorsSoon(0.2);
            if (self->delegate_) self->delegate_->scrollViewDidEndScrollingAnimation(self.get());
        }
    });
    if (added) {
        animatingOffset_ = true;
        showIndicators();
    }
    UIView::commitAnimations();
    if (!added) {
        setContentOffset(offset);
        if (delegate_) delegate_->scrollViewDidEndScrollingAnimation(this);
    }
}

void UIScrollView::shiftContentOffsetBy(double dy) {
    if (dy == 0) return;
    if (animatingOffset_) animationShift_ += dy;
    if (decelerating_ && decelToTarget_) decelTarget_.y += dy;
    CGPoint o = contentOffset();
    setContentOffset(CGPointMake(o.x, o.y + dy));
}

void UIScrollView::setContentSize(CGSize size) {
    contentSize_ = size;
    updateIndicators();
}

void UIScrollView::setContentInset(UIEdgeInsets insets) {
    contentInset_ = insets;
    updateIndicators();
}

void UIScrollView::setScrollIndicatorInsets(UIEdgeInsets insets) {
    indicatorInsets_ = insets;
    updateIndicators();
}

CGPoint UIScrollView::minimumContentOffset() const {
    return CGPointMake(-contentInset_.left, -contentInset_.top);
}

CGPoint UIScrollView::maximumContentOffset() const {
    CGSize s = bounds().size;
    CGPoint lo = minimumContentOffset();
    return CGPointMake(std::max(lo.x, contentSize_.width + contentInset_.right - s.width),
                       std::max(lo.y, contentSize_.height + contentInset_.bottom - s.height));
}

void UIScrollView::scrollRectToVisible(CGRect rect, bool animated) {
    CGRect b = bounds();
    CGPoint o = b.origin;
    if (rect.origin.y < o.y) o.y = rect.origin.y;
    else if (CGRectGetMaxY(rect) > o.y + b.size.height) o.y = std::min(rect.origin.y, CGRectGetMaxY(rect) - b.size.height);
    if (rect.origin.x < o.x) o.x = rect.origin.x;
    else if (CGRectGetMaxX(rect) > o.x + b.size.width) o.x = std::min(rect.origin.x, CGRectGetMaxX(rect) - b.size.width);
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    o.x = clampd(o.x, lo.x, hi.x);
    o.y = clampd(o.y, lo.y, hi.y);
    if (o != b.origin) setContentOffset(o, animated);
}

bool UIScrollView::canScrollHorizontally() const {
    return alwaysBounceHorizontal_ || contentSize_.width + contentInset_.left + contentInset_.right > bounds().size.width;
}

bool UIScrollView::canScrollVertically() const {
    return alwaysBounceVertical_ || contentSize_.height + contentInset_.top + contentInset_.bottom > bounds().size.height;
}

CGPoint UIScrollView::trackingPoint(CGPoint windowPoint) const {
    CGPoint p = convertPointFromView(windowPoint, nullptr);
    return CGPointMake(p.x - contentOffset().x, p.y - contentOffset().y);
}

void UIScrollView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    UITouch* touch = *touches.begin();
    if (decelerating_ || animatingOffset_) stopScrolling();
    tracking_ = true;
    dragging_ = false;
    swipeReported_ = false;
    lockAxis_ = 0;
    touchStart_ = trackingPoint(touch->locationInView(nullptr));
    samples_.clear();
    samples_.push_back({RunLoop::main().now(), touchStart_});
    touchDidBegin(touch->locationInView(this), touch, event);
}

void UIScrollView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) return;
    UITouch* touch = *touches.begin();
    CGPoint p = trackingPoint(touch->locationInView(nullptr));
    CGPoint prev = trackingPoint(touch->previousLocationInView(nullptr));
    double now = RunLoop::main().now();
    samples_.push_back({now, p});
    while (samples_.size() > 2 && now - samples_.front().time > kVelocityWindow) samples_.erase(samples_.begin());
    double tx = p.x - touchStart_.x, ty = p.y - touchStart_.y;
    if (!dragging_) {
        if (std::hypot(tx, ty) < kDragThreshold) return;
        bool horizontalIntent = std::fabs(tx) > std::fabs(ty) * 1.5;
        if (horizontalIntent && !canScrollHorizontally()) {
            if (!swipeReported_) {
                swipeReported_ = true;
                horizontalSwipe(CGPointMake(touchStart_.x + contentOffset().x, touchStart_.y + contentOffset().y), tx);
            }
            return;
        }
        if (!scrollEnabled_) return;
        dragging_ = true;
        if (directionalLock_) lockAxis_ = std::fabs(tx) > std::fabs(ty) ? 1 : 2;
        dragDidBegin();
        if (delegate_) delegate_->scrollViewWillBeginDragging(this);
        showIndicators();
        prev = touchStart_;
    }
    double dx = p.x - prev.x, dy = p.y - prev.y;
    CGPoint o = contentOffset();
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    auto moveAxis = [&](double pos, double delta, double mn, double mx) {
        double next = pos - delta;
        if (next < mn || next > mx) {
            if (!bounces_) return clampd(next, mn, mx);
            next = pos - delta / 2;  // rubber band
        }
        return next;
    };
    if (canScrollHorizontally() && lockAxis_ != 2) o.x = moveAxis(o.x, dx, lo.x, hi.x);
    if (canScrollVertically() && lockAxis_ != 1) o.y = moveAxis(o.y, dy, lo.y, hi.y);
    setContentOffset(o);
}

void UIScrollView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) return;
    UITouch* touch = *touches.begin();
    tracking_ = false;
    if (!dragging_) {
        if (!swipeReported_) tapEnded(touch->locationInView(this), touch, event);
        return;
    }
    dragging_ = false;
    double now = RunLoop::main().now();
    CGPoint v{};
    // Velocity over the last samples; a finger that rested before lifting gives none.
    std::vector<Sample> recent;
    for (const Sample& s : samples_)
        if (now - s.time <= kVelocityWindow) recent.push_back(s);
    if (recent.size() >= 2) {
        double dt = recent.back().time - recent.front().time;
        if (dt > 1e-6) {
            v.x = -(recent.back().point.x - recent.front().point.x) / dt;
            v.y = -(recent.back().point.y - recent.front().point.y) / dt;
        }
    }
    if (!canScrollHorizontally() || lockAxis_ == 2) v.x = 0;
    if (!canScrollVertically() || lockAxis_ == 1) v.y = 0;
    CGPoint o = contentOffset();
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    bool outside = o.x < lo.x || o.x > hi.x || o.y < lo.y || o.y > hi.y;
    bool moving = std::hypot(v.x, v.y) > kStopVelocity * 4;
    bool willDecelerate = outside || moving;
    CGPoint target{};
    if (pagingEnabled_) {
        target = pageTarget(v);
        willDecelerate = target != o;
    }
    if (delegate_) delegate_->scrollViewDidEndDragging(this, willDecelerate);
    if (willDecelerate) {
        decelToTarget_ = pagingEnabled_;
        decelTarget_ = target;
        beginDecelerating(v);
    } else {
        hideIndicatorsSoon(0.3);
    }
}

void UIScrollView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) return;
    tracking_ = false;
    if (dragging_) {
        dragging_ = false;
        CGPoint o = contentOffset();
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        bool outside = o.x < lo.x || o.x > hi.x || o.y < lo.y || o.y > hi.y;
        if (delegate_) delegate_->scrollViewDidEndDragging(this, outside);
        if (outside) {
            decelToTarget_ = pagingEnabled_;
            decelTarget_ = pagingEnabled_ ? pageTarget({}) : CGPointZero;
            beginDecelerating({});
        }
    }
}

CGPoint UIScrollView::pageTarget(CGPoint v) const {
    CGSize page = bounds().size;
    CGPoint o = contentOffset();
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    auto axis = [](double pos, double vel, double size, double mn, double mx) {
        if (size <= 0) return pos;
        double current = std::floor((pos + size / 2) / size);
        if (vel > 300) current = std::floor(pos / size) + 1;
        else if (vel < -300) current = std::ceil(pos / size) - 1;
        return clampd(current * size, mn, mx);
    };
    return CGPointMake(canScrollHorizontally() ? axis(o.x, v.x, page.width, lo.x, hi.x) : o.x,
                       canScrollVertically() ? axis(o.y, v.y, page.height, lo.y, hi.y) : o.y);
}

void UIScrollView::beginDecelerating(CGPoint velocity) {
    velocity_ = velocity;
    decelerating_ = true;
    lastTick_ = RunLoop::main().now();
    if (delegate_) delegate_->scrollViewWillBeginDecelerating(this);
    if (decelTimer_) decelTimer_->invalidate();
    std::weak_ptr<UIView> weak = weak_from_this();
    decelTimer_ = NSTimer::scheduledTimer(kTickInterval, true, [weak](NSTimer& t) {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self) {
            t.invalidate();
            return;
        }
        self->decelerationTick();
    });
}

void UIScrollView::decelerationTick() {
    double now = RunLoop::main().now();
    double dt = std::min(0.1, std::max(0.0, now - lastTick_));
    lastTick_ = now;
    CGPoint o = contentOffset();
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    bool done = true;
    // Integrates one axis: free deceleration inside the range, a damped spring
    // towards the edge (or the page) outside it.
    auto step = [&](double& pos, double& vel, double mn, double mx, bool toTarget, double target) {
        const int substeps = std::max(1, static_cast<int>(std::ceil(dt / (1.0 / 240))));
        const double h = dt / substeps;
        for (int i = 0; i < substeps; ++i) {
            bool inside = pos >= mn && pos <= mx;
            if (toTarget || !inside) {
                double goal = toTarget ? target : clampd(pos, mn, mx);
                if (!bounces_ && !toTarget) {
                    pos = goal;
                    vel = 0;
                    break;
                }
                double acc = -kSpring * (pos - goal) - 2 * std::sqrt(kSpring) * vel;
                vel += acc * h;
                pos += vel * h;
            } else {
                vel *= std::pow(decelerationRate_, h * 1000);
                pos += vel * h;
                if (!bounces_ && (pos < mn || pos > mx)) {
                    pos = clampd(pos, mn, mx);
                    vel = 0;
                }
            }
        }
        double goal = toTarget ? target : clampd(pos, mn, mx);
        bool settled = std::fabs(vel) < kStopVelocity && (std::fabs(pos - goal) < 0.5 || (!toTarget && pos == goal));
        if (settled) {
            if (pos != goal && std::fabs(pos - goal) < 0.5) pos = goal;
            vel = 0;
        } else {
            done = false;
        }
    };
    step(o.x, velocity_.x, lo.x, hi.x, decelToTarget_, decelTarget_.x);
    step(o.y, velocity_.y, lo.y, hi.y, decelToTarget_, decelTarget_.y);
    setContentOffset(o);
    if (done) endDecelerating();
}

void UIScrollView::endDecelerating() {
    if (decelTimer_) decelTimer_->invalidate();
    decelTimer_.reset();
    if (!decelerating_) return;
    decelerating_ = false;
    velocity_ = {};
    hideIndicatorsSoon(0.3);
    if (delegate_) delegate_->scrollViewDidEndDecelerating(this);
}

void UIScrollView::stopScrolling() {
    if (decelTimer_) decelTimer_->invalidate();
    decelTimer_.reset();
    decelerating_ = false;
    velocity_ = {};
    if (animatingOffset_) {
        animatingOffset_ = false;
        // A newer animation of the same key replaces the running one; an empty
        // transaction with a zero duration just applies the current offset.
        CGPoint here = contentOffset();
        UIView::beginAnimations("UIScrollViewOffset");
        UIView::setAnimationDuration(0.0001);
        UIView::addCustomAnimation(this, "contentOffset", [](double) {});
        UIView::commitAnimations();
        setContentOffset(here);
    }
}

bool UIScrollView::scrollToTop() {
    if (!scrollsToTop_) return false;
    if (delegate_ && !delegate_->scrollViewShouldScrollToTop(this)) return false;
    CGPoint target = CGPointMake(contentOffset().x, -contentInset_.top);
    if (target == contentOffset()) {
        if (delegate_) delegate_->scrollViewDidScrollToTop(this);
        return true;
    }
    if (decelerating_) endDecelerating();
    CGPoint from = contentOffset();
    UIView::beginAnimations("UIScrollViewScrollToTop");
    UIView::setAnimationDuration(kOffsetAnimationDuration);
    std::weak_ptr<UIView> weak = weak_from_this();
    bool added = UIView::addCustomAnimation(this, "contentOffset", [weak, from, target](double p) {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self) return;
        self->setContentOffset(CGPointMake(from.x, from.y + (target.y - from.y) * p));
        if (p >= 1 && self->animatingOffset_) {
            self->animatingOffset_ = false;
            self->hideIndicatorsSoon(0.2);
            if (self->delegate_) self->delegate_->scrollViewDidScrollToTop(self.get());
        }
    });
    if (added) {
        animatingOffset_ = true;
        showIndicators();
    }
    UIView::commitAnimations();
    if (!added) {
        setContentOffset(target);
        if (delegate_) delegate_->scrollViewDidScrollToTop(this);
    }
    return true;
}

namespace {
void collectScrollViews(UIView& v, std::vector<UIScrollView*>& out) {
    if (v.isHidden() || v.alpha() <= 0.01) return;
    if (auto* s = dynamic_cast<UIScrollView*>(&v); s && s->scrollsToTop()) out.push_back(s);
    for (const auto& sub : v.subviews()) collectScrollViews(*sub, out);
}
}  // namespace

bool UIScrollView::handleStatusBarTap(UIView& window) {
    std::vector<UIScrollView*> found;
    collectScrollViews(window, found);
    if (found.size() != 1) return false;
    return found.front()->scrollToTop();
}

void UIScrollView::flashScrollIndicators() {
    showIndicators();
    hideIndicatorsSoon(0.6);
}

void UIScrollView::showIndicators() {
    if (indicatorTimer_) indicatorTimer_->invalidate();
    indicatorTimer_.reset();
    updateIndicators();
    vIndicator_->setAlpha(showsVertical_ && canScrollVertically() ? 1 : 0);
    hIndicator_->setAlpha(showsHorizontal_ && canScrollHorizontally() ? 1 : 0);
}

void UIScrollView::hideIndicatorsSoon(double delay) {
    if (indicatorTimer_) indicatorTimer_->invalidate();
    std::weak_ptr<UIView> weak = weak_from_this();
    indicatorTimer_ = NSTimer::scheduledTimer(delay, false, [weak](NSTimer&) {
        auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        if (!self || self->tracking_ || self->decelerating_ || self->animatingOffset_) return;
        UIView::beginAnimations("UIScrollViewIndicators");
        UIView::setAnimationDuration(0.25);
        self->vIndicator_->setAlpha(0);
        self->hIndicator_->setAlpha(0);
        UIView::commitAnimations();
    });
}

void UIScrollView::updateIndicators() {
    if (!vIndicator_) return;
    CGRect b = bounds();
    UIEdgeInsets in = indicatorInsets_;
    vIndicator_->setBackgroundColor(UIColor::colorWithWhite(indicatorStyle_ == UIScrollViewIndicatorStyleWhite ? 1 : 0, 0.5));
    hIndicator_->setBackgroundColor(UIColor::colorWithWhite(indicatorStyle_ == UIScrollViewIndicatorStyleWhite ? 1 : 0, 0.5));
    // Vertical: length proportional to the visible share, shortened when overscrolled.
    double track = b.size.height - in.top - in.bottom - 4;
    double content = std::max(1.0, contentSize_.height + contentInset_.top + contentInset_.bottom);
    if (track > 0) {
        double len = std::max(kIndicatorWidth * 2, track * std::min(1.0, b.size.height / content));
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        double over = b.origin.y < lo.y ? lo.y - b.origin.y : (b.origin.y > hi.y ? b.origin.y - hi.y : 0);
        len = std::max(kIndicatorWidth, len - over);
        double range = hi.y - lo.y;
        double frac = range > 0 ? clampd((b.origin.y - lo.y) / range, 0, 1) : 0;
        double y = b.origin.y + in.top + 2 + (track - len) * frac;
        vIndicator_->setFrame(CGRectMake(b.origin.x + b.size.width - in.right - kIndicatorWidth - 1, y, kIndicatorWidth - 1, len));
    }
    double htrack = b.size.width - in.left - in.right - 4 - kIndicatorWidth;
    double hcontent = std::max(1.0, contentSize_.width + contentInset_.left + contentInset_.right);
    if (htrack > 0) {
        double len = std::max(kIndicatorWidth * 2, htrack * std::min(1.0, b.size.width / hcontent));
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        double range = hi.x - lo.x;
        double frac = range > 0 ? clampd((b.origin.x - lo.x) / range, 0, 1) : 0;
        double x = b.origin.x + in.left + 2 + (htrack - len) * frac;
        hIndicator_->setFrame(CGRectMake(x, b.origin.y + b.size.height - in.bottom - kIndicatorWidth - 1, len, kIndicatorWidth - 1));
    }
}

void UIScrollView::didAddSubview(UIView* subview) {
    // Indicators stay above the content.
    if (reorderingIndicators_ || !vIndicator_ || subview == vIndicator_.get() || subview == hIndicator_.get()) return;
    const auto& subs = subviews();
    if (subs.size() >= 2 && subs[subs.size() - 2].get() == vIndicator_.get() && subs.back().get() == hIndicator_.get()) return;
    reorderingIndicators_ = true;
    bringSubviewToFront(vIndicator_.get());
    bringSubviewToFront(hIndicator_.get());
    reorderingIndicators_ = false;
}

void UIScrollView::layoutSubviews() {
    updateIndicators();
}
