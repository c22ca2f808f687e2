// The scroll view's own touch handling: dragging, pinching, tapping, holding and the
// animations that settle the page after a gesture.

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "toolkit/paging/TTScrollView.h"

namespace {
constexpr double kTapDelay = 0.2;
constexpr double kFlickDuration = 0.4;
constexpr double kSpringDuration = 0.5;
constexpr double kDoubleTapZoomDuration = 0.4;
constexpr double kAnimationInterval = 0.005;

// An edge pulled from a to b against the limit m follows by a tenth or less.
double resist(double a, double b, double m)
{
    if (!(m > 0)) return a;
    const double f = std::clamp((1 - std::fabs(b) / m) * 0.1, 0.0, 1.0);
    return a + (b - a) * f;
}

TTPageEdges boxAround(CGPoint p) { return {p.y, p.x, p.y, p.x}; }

// The square centred on the midpoint of two points whose side is their distance.
TTPageEdges squareBetween(CGPoint a, CGPoint b)
{
    const double half = std::hypot(b.x - a.x, b.y - a.y) / 2;
    const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
    return {cy - half, cx - half, cy + half, cx + half};
}
}  // namespace

void TTScrollView::trackTouchBox()
{
    if (_touch1 && _touch2) _touchEdges = squareBetween(touchLocation(*_touch1), touchLocation(*_touch2));
    else if (_touch1 || _touch2) _touchEdges = boxAround(touchLocation(_touch1 ? *_touch1 : *_touch2));
}

void TTScrollView::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    if (_touchCount >= 2) return;
    stopAnimation(false);
    for (UITouch* touch : touches) {
        if (touch->tapCount() == 2) cancelTapTimer();
        if (_touchCount >= 2 || touch == _touch1 || touch == _touch2) continue;
        if (!_touch1) _touch1 = touch;
        else _touch2 = touch;
        ++_touchCount;
        if (_touchCount == 1) {
            if (_delegate) _delegate->scrollViewTouchedDown(this, touch);
            if (_holdsAfterTouchingForInterval != 0) {
                cancelHoldTimer();
                _holdingTimer = NSTimer::scheduledTimer(_holdsAfterTouchingForInterval, false, [this](NSTimer&) {
                    _holdingTimer = nullptr;
                    beginHolding();
                });
            }
        }
        if (_scrollEnabled && !_holding) {
            trackTouchBox();
            _touchStartEdges = _touchEdges;
            _pageStartEdges = _pageEdges;
        }
    }
}

void TTScrollView::touchesMoved(const UITouchSet&, UIEvent*)
{
    cancelHoldTimer();
    if (!_scrollEnabled || _holding || _touchCount == 0 || isAnimating()) return;
    if (!_dragging) {
        _dragging = true;
        cancelTapTimer();
        if (_delegate) _delegate->scrollViewWillBeginDragging(this);
    }
    trackTouchBox();
    TTPageEdges proposal = _pageStartEdges;
    proposal.left += _touchEdges.left - _touchStartEdges.left;
    proposal.right += _touchEdges.right - _touchStartEdges.right;
    const double w = pageWidth(), h = pageHeight();
    if ((_touchCount == 2 || zoomed()) && _zoomEnabled && !_holding && w > 0) {
        proposal.top += (_touchEdges.top - _touchStartEdges.top) * h / w;
        proposal.bottom += (_touchEdges.bottom - _touchStartEdges.bottom) * h / w;
    }
    TTPageEdges edges = resistPageEdges(proposal);
    if (isZoomed(edges) && !canZoom()) return;
    _pageEdges = edges;
    updateZooming(edges);
    setNeedsLayout();
}

TTPageEdges TTScrollView::resistPageEdges(const TTPageEdges& proposal) const
{
    const double w = pageWidth(), h = pageHeight(), z = zoomFactor();
    // Each move pulls an edge from where it is now, so it moves freely until it crosses the view's edge.
    const TTPageEdges& now = _pageEdges;
    TTPageEdges e = proposal;
    if (proposal.right - proposal.left < 0 || proposal.bottom - proposal.top < 0) {
        return {resist(now.top, e.top, h * z), resist(now.left, e.left, w * z), resist(now.bottom, e.bottom, h * z),
                resist(now.right, e.right, w * z)};
    }
    // One finger moves the page without changing its size, so a resisted edge takes its
    // opposite along; two fingers keep the aspect by re-centring the other axis.
    const bool pinching = _touchCount == 2;
    if (pinching || zoomed()) {
        const bool topIn = e.top > 0, bottomIn = !topIn && e.bottom < 0;
        double& edge = topIn ? e.top : e.bottom;
        const double shift = topIn || bottomIn ? resist(topIn ? now.top : now.bottom, edge, h) - edge : 0;
        edge += shift;
        if (shift != 0) {
            if (!pinching) (topIn ? e.bottom : e.top) += shift;
            else if (h > 0) e = constrainEdges(e, (h - e.top + e.bottom) * w / h);
        }
    }
    const bool leadingOut = flipped() ? e.left < 0 : e.left > 0;
    const bool trailingOut = flipped() ? e.right > 0 : e.right < 0;
    const bool atStart = flipped() ? isLastPage() : isFirstPage();
    const bool atEnd = flipped() ? isFirstPage() : isLastPage();
    double before = 0, after = 0;
    bool left = false, horizontal = false;
    if (leadingOut && (atStart || zoomed())) before = e.left, after = resist(now.left, e.left, w), left = true, horizontal = true;
    else if (trailingOut && (atEnd || zoomed())) before = e.right, after = resist(now.right, e.right, w), horizontal = true;
    if (horizontal) {
        if (!pinching) {
            e.left += after - before;
            e.right += after - before;
        } else {
            (left ? e.left : e.right) = after;
            e = constrainEdges(e, w - e.left + e.right);
        }
    }
    return e;
}

void TTScrollView::touchesEnded(const UITouchSet& touches, UIEvent*)
{
    cancelHoldTimer();
    if (_holding) {
        _holding = false;
        if (_delegate) _delegate->scrollViewDidEndHolding(this);
    }
    for (UITouch* touch : touches) {
        if (touch != _touch1 && touch != _touch2) continue;
        if (touch == _touch1) _touch1 = _touch2;
        _touch2 = nullptr;
        --_touchCount;
        if (_touchCount == 0) {
            if (touch->tapCount() == 1 && !_dragging) {
                if (_delegate) _delegate->scrollViewTouchedUpInside(this, touch);
                _tapTouch = *touch;
                cancelTapTimer();
                _tapTimer = NSTimer::scheduledTimer(kTapDelay, false, [this](NSTimer&) {
                    _tapTimer = nullptr;
                    if (_delegate && _tapTouch) _delegate->scrollViewTapped(this, &*_tapTouch);
                });
            } else if (touch->tapCount() == 2 && canZoom()) {
                if (zoomed()) zoomToFit();
                else startAnimationTo(zoomPageEdgesTo(touchLocation(*touch)) - _pageEdges, kDoubleTapZoomDuration);
            }
            stopDragging(true);
        } else {
            _touchEdges = _touchStartEdges = boxAround(touchLocation(*_touch1));
            _pageStartEdges = _pageEdges;
        }
    }
    // With zoom off the page must still settle, or a drag would leave it between two pages.
    if ((pinched(_pageEdges) && _zoomEnabled) || (_touchCount == 0 && pulled(_pageEdges) && _scrollEnabled))
        startAnimationTo(pageEdgesForAnimation(), flicked() ? kFlickDuration : kSpringDuration);
}

void TTScrollView::touchesCancelled(const UITouchSet& touches, UIEvent*)
{
    cancelHoldTimer();
    for (UITouch* touch : touches) {
        if (touch != _touch1 && touch != _touch2) continue;
        if (touch == _touch1) _touch1 = _touch2;
        _touch2 = nullptr;
        --_touchCount;
    }
    if (_touchCount > 0) return;
    stopAnimation(true);
    stopDragging(false);
    endZooming();
    _pageEdges = {};
    setNeedsLayout();
}

void TTScrollView::forgetTouches()
{
    _touch1 = _touch2 = nullptr;
    _touchCount = 0;
    _touchEdges = _touchStartEdges = {};
}

bool TTScrollView::canZoom()
{
    if (!_zoomEnabled || _holding) return false;
    if (_zooming) return true;
    return !_delegate || _delegate->scrollViewShouldZoom(this);
}

void TTScrollView::updateZooming(const TTPageEdges& edges)
{
    if (!_zooming && (zoomed() || isZoomed(edges))) {
        _zooming = true;
        if (auto page = pageAtIndex(_centerPageIndex)) page->setUserInteractionEnabled(false);
        if (_delegate) _delegate->scrollViewDidBeginZooming(this);
    } else if (_zooming && !zoomed()) {
        endZooming();
    }
}

void TTScrollView::endZooming()
{
    if (!_zooming) return;
    _zooming = false;
    if (auto page = pageAtIndex(_centerPageIndex)) page->setUserInteractionEnabled(true);
    if (_delegate) _delegate->scrollViewDidEndZooming(this);
}

void TTScrollView::stopDragging(bool willDecelerate)
{
    if (!_dragging) return;
    _dragging = false;
    if (_delegate) _delegate->scrollViewDidEndDragging(this, willDecelerate);
}

void TTScrollView::beginHolding()
{
    _holding = true;
    if (_delegate) _delegate->scrollViewDidBeginHolding(this);
}

void TTScrollView::cancelHoldTimer()
{
    if (_holdingTimer) _holdingTimer->invalidate();
    _holdingTimer = nullptr;
}

void TTScrollView::cancelTapTimer()
{
    if (_tapTimer) _tapTimer->invalidate();
    _tapTimer = nullptr;
}

TTPageEdges TTScrollView::zoomPageEdgesTo(CGPoint point) const
{
    const double w = pageWidth(), h = pageHeight();
    if (!(w > 0)) return _pageEdges;
    const double dx = w / 2 - point.x, dy = h / 2 - point.y;
    TTPageEdges e{(dy - 0.75 * w) * h / w, dx - 0.75 * w, (dy + 0.75 * w) * h / w, dx + 0.75 * w};
    if (e.left > 0) e.right += e.left, e.left = 0;
    else if (e.right < 0) e.left -= e.right, e.right = 0;
    if (e.top > 0) e.bottom += e.top, e.top = 0;
    else if (e.bottom < 0) e.top -= e.bottom, e.bottom = 0;
    return e;
}

TTPageEdges TTScrollView::pageEdgesForAnimation() const
{
    const TTPageEdges& e = _pageEdges;
    if (pinched(e)) return e * -1;
    if (flicked()) {
        const bool leftward = e.left < 0;
        // Leftward goes to the next page, or the previous one when the row is flipped.
        const int neighbour = _centerPageIndex + ((leftward != flipped()) ? 1 : -1);
        auto* self = const_cast<TTScrollView*>(this);
        const double step = pageWidth() + _pageSpacing +
                            overflowForFrame(self->frameOfPageAtIndex(_centerPageIndex)) * zoomFactor() +
                            overflowForFrame(self->frameOfPageAtIndex(neighbour));
        const bool rightEdge = leftward ? std::fabs(_pageStartEdges.left) >= std::fabs(e.right)
                                        : std::fabs(e.left) >= std::fabs(e.right);
        const double d = rightEdge ? e.right : e.left;
        const double change = leftward ? -step - d : step - d;
        return {0, change, 0, change};
    }
    const double x = e.left > 0 ? -e.left : e.right < 0 ? -e.right : 0;
    const double y = e.top > 0 ? -e.top : e.bottom < 0 ? -e.bottom : 0;
    return {y, x, y, x};
}

void TTScrollView::startAnimationTo(const TTPageEdges& change, double duration)
{
    if (isAnimating()) return;
    _pageStartEdges = _pageEdges;
    updateZooming(_pageEdges + change);
    cancelTapTimer();
    _animateEdges = change;
    _animationDuration = duration;
    _animationStartTime = RunLoop::main().now();
    _animationTimer = NSTimer::scheduledTimer(kAnimationInterval, true, [this](NSTimer&) { animator(); });
}

void TTScrollView::animator()
{
    const double t = RunLoop::main().now() - _animationStartTime;
    const double progress = _animationDuration > 0 ? std::min(1.0, 1 + std::pow(t / _animationDuration - 1, 3)) : 1;
    _pageEdges = _pageStartEdges + _animateEdges * progress;
    setNeedsLayout();
    if (progress >= 1) {
        stopAnimation(false);
        if (_delegate) _delegate->scrollViewDidEndDecelerating(this);
    }
}

void TTScrollView::stopAnimation(bool resetEdges)
{
    if (!_animationTimer) return;
    _animationTimer->invalidate();
    _animationTimer = nullptr;
    updateZooming({});
    const int target = realPageIndex();
    if (target != _centerPageIndex || pinched(_pageEdges)) moveToPageAtIndex(target, resetEdges);
}
