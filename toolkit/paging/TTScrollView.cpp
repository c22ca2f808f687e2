#include "toolkit/paging/TTScrollView.h"

#include <cmath>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIDevice.h"
#include "toolkit/foundation/TTGlobalUI.h"

namespace {
// A drag further than this past the resting place turns the page.
constexpr double kFlickDistance = 60;
constexpr double kRotateDuration = 0.3;
constexpr double kZoomDuration = 0.5;
}  // namespace

TTScrollView::TTScrollView(CGRect frame) : UIView(frame)
{
    setClipsToBounds(true);
    setMultipleTouchEnabled(true);
    setUserInteractionEnabled(true);
    _orientation = TTCurrentDeviceOrientation();
    NSNotificationCenter::defaultCenter().addObserver(this, UIDeviceOrientationDidChangeNotification,
                                                      [this] { deviceOrientationDidChange(); });
}

TTScrollView::~TTScrollView()
{
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (_animationTimer) _animationTimer->invalidate();
    cancelTapTimer();
    cancelHoldTimer();
}

void TTScrollView::setDataSource(TTScrollViewDataSource* dataSource)
{
    _dataSource = dataSource;
    reloadData();
}

void TTScrollView::reloadData()
{
    if (!_dataSource) return;
    for (int slot = 0; slot < _maxPages; ++slot) enqueuePage(slot);
    _visiblePageIndex = -1;
    _pageEdges = _pageStartEdges = {};
    stopAnimation(true);
    stopDragging(false);
    endZooming();
    forgetTouches();
    setNeedsLayout();
}

int TTScrollView::numberOfPages() const { return _dataSource ? _dataSource->numberOfPagesInScrollView(const_cast<TTScrollView*>(this)) : 0; }

std::shared_ptr<UIView> TTScrollView::centerPage() { return pageAtIndex(_centerPageIndex, true); }

std::shared_ptr<UIView> TTScrollView::pageAtIndex(int pageIndex) const
{
    int slot = arrayIndexForPageIndex(pageIndex, _centerPageIndex);
    return slot < 0 ? nullptr : _pages[slot];
}

std::map<int, std::shared_ptr<UIView>> TTScrollView::visiblePages()
{
    std::map<int, std::shared_ptr<UIView>> pages;
    for (int k = _centerPageIndex - 1; k <= _centerPageIndex + 1; ++k)
        if (auto page = pageAtIndex(k, true)) pages[k] = page;
    return pages;
}

std::shared_ptr<UIView> TTScrollView::dequeueReusablePage()
{
    if (_pageQueue.empty()) return nullptr;
    auto page = _pageQueue.back();
    _pageQueue.pop_back();
    return page;
}

void TTScrollView::setCenterPageIndex(int pageIndex)
{
    // An index past either end of the row would leave the page ring without a centre.
    if (pageIndex < 0 || pageIndex >= numberOfPages()) return;
    moveToPageAtIndex(pageIndex, _touchCount == 0);
}

// --- Geometry ---

double TTScrollView::pageWidth() const { return isLandscape() ? bounds().size.height : bounds().size.width; }
double TTScrollView::pageHeight() const { return isLandscape() ? bounds().size.width : bounds().size.height; }

double TTScrollView::zoomFactor() const
{
    // A view without width has no scale to speak of.
    const double w = pageWidth();
    return w > 0 ? (w - _pageEdges.left + _pageEdges.right) / w : 1;
}

bool TTScrollView::flicked() const
{
    const bool towardsStart = _pageEdges.left > kFlickDistance, towardsEnd = _pageEdges.right < -kFlickDistance;
    if (flipped()) return (towardsStart && !isLastPage()) || (towardsEnd && !isFirstPage());
    return (towardsStart && !isFirstPage()) || (towardsEnd && !isLastPage());
}

CGAffineTransform TTScrollView::rotation() const
{
    switch (_orientation) {
    case 2: return CGAffineTransformMakeRotation(-M_PI);
    case 3: return CGAffineTransformMakeRotation(M_PI / 2);
    case 4: return CGAffineTransformMakeRotation(M_PI * 3 / 2);
    default: return CGAffineTransformIdentity;
    }
}

CGPoint TTScrollView::offsetForOrientation(double x, double y) const
{
    return isLandscape() ? CGPointMake(y, x) : CGPointMake(x, y);
}

CGPoint TTScrollView::touchLocation(const UITouch& touch) const
{
    CGPoint p = touch.locationInView(this);
    return offsetForOrientation(p.x, p.y);
}

CGRect TTScrollView::frameOfPageAtIndex(int pageIndex)
{
    CGSize size = _dataSource ? _dataSource->scrollViewSizeOfPageAtIndex(this, pageIndex) : CGSizeZero;
    if (!(size.width > 0 && size.height > 0)) size = CGSizeMake(pageWidth(), pageHeight());
    const CGSize view = bounds().size;
    CGSize fitted = view;
    // Without a size on both sides there is no aspect to fit: the page fills the view.
    if (size.width > 0 && size.height > 0) {
        if (isLandscape()) fitted = CGSizeMake(view.width, size.width / size.height * view.width);
        else if (size.width > size.height) fitted = CGSizeMake(view.width, size.height / size.width * view.width);
        else fitted = CGSizeMake(size.width / size.height * view.height, view.height);
    }
    return CGRectMake((view.width - fitted.width) / 2, (view.height - fitted.height) / 2, fitted.width, fitted.height);
}

double TTScrollView::overflowForFrame(CGRect frame) const
{
    const double along = isLandscape() ? frame.origin.y : frame.origin.x;
    return along < 0 ? -along : 0;
}

TTPageEdges TTScrollView::constrainEdges(const TTPageEdges& edges, double width) const
{
    const double w = pageWidth(), h = pageHeight();
    if (!(w > 0)) return edges;
    const double r = (width - (w - edges.left + edges.right)) / 2;
    const double o = (width * h / w - (h - edges.top + edges.bottom)) / 2;
    return {edges.top - o, edges.left - r, edges.bottom + o, edges.right + r};
}

// --- Page ring ---

int TTScrollView::arrayIndexForPageIndex(int pageIndex, int relativeToIndex) const
{
    const int count = numberOfPages();
    if (count == 0 || pageIndex < 0 || pageIndex >= count || std::abs(pageIndex - relativeToIndex) > 1) return -1;
    return ((_pageArrayIndex + pageIndex - relativeToIndex) % _maxPages + _maxPages) % _maxPages;
}

std::shared_ptr<UIView> TTScrollView::pageAtIndex(int pageIndex, bool create)
{
    const int slot = arrayIndexForPageIndex(pageIndex, _centerPageIndex);
    if (slot < 0) return nullptr;
    if (!_pages[slot] && create) {
        auto page = _dataSource->scrollViewPageAtIndex(this, pageIndex);
        if (!page) return nullptr;
        page->setMultipleTouchEnabled(true);
        page->setUserInteractionEnabled(true);
        addSubview(page);
        _pages[slot] = page;
    }
    return _pages[slot];
}

void TTScrollView::enqueuePage(int slot)
{
    if (slot < 0) return;
    auto page = std::move(_pages[slot]);
    _pages[slot] = nullptr;
    if (!page) return;
    page->removeFromSuperview();
    page->setUserInteractionEnabled(true);
    _pageQueue.push_back(std::move(page));
}

void TTScrollView::moveToPageAtIndex(int pageIndex, bool resetEdges)
{
    if (resetEdges) {
        _pageEdges = _pageStartEdges = {};
        endZooming();
        setNeedsLayout();
    } else if (pageIndex != _centerPageIndex) {
        adjustPageEdgesForPageAtIndex(pageIndex);
        endZooming();
    }
    const int distance = pageIndex - _centerPageIndex;
    if (std::abs(distance) == 1) {
        enqueuePage(arrayIndexForPageIndex(_centerPageIndex - distance, _centerPageIndex));
        _pageArrayIndex = arrayIndexForPageIndex(pageIndex, _centerPageIndex);
    } else if (distance != 0) {
        reloadData();
    }
    _centerPageIndex = pageIndex;
    setNeedsLayout();
}

void TTScrollView::adjustPageEdgesForPageAtIndex(int pageIndex)
{
    const double overflow = overflowForFrame(frameOfPageAtIndex(_centerPageIndex)) * zoomFactor() +
                            overflowForFrame(frameOfPageAtIndex(pageIndex));
    const bool forward = pageIndex >= _centerPageIndex;
    const double s = flipped() ? (forward ? 1 : -1) : (forward ? -1 : 1);
    const double l = (pageWidth() + _pageSpacing + overflow) * s;
    const TTPageEdges e = _pageEdges;
    TTPageEdges moved;
    if (!flipped()) {
        moved.left = (e.left > 0 ? e.left : e.right) - l;
        moved.right = (e.right < 0 ? e.right : e.left) - l;
    } else {
        moved.left = (e.right > 0 ? e.right : e.left) - l;
        moved.right = (e.left < 0 ? e.left : e.right) - l;
    }
    _pageEdges = _pageStartEdges = moved;
}

int TTScrollView::realPageIndex() const
{
    if (pinched(_pageEdges)) return _centerPageIndex;
    const bool towardsStart = _pageEdges.left > kFlickDistance, towardsEnd = _pageEdges.right < -kFlickDistance;
    if (!flipped()) {
        if (towardsStart && !isFirstPage()) return _centerPageIndex - 1;
        if (towardsEnd && !isLastPage()) return _centerPageIndex + 1;
    } else {
        if (towardsStart && !isLastPage()) return _centerPageIndex + 1;
        if (towardsEnd && !isFirstPage()) return _centerPageIndex - 1;
    }
    return _centerPageIndex;
}

// --- Layout ---

void TTScrollView::placePage(UIView& page, CGRect frame, double scale)
{
    // The page keeps its fitted size as bounds; the scale and the turn are its transform, so the
    // rectangle on screen is `frame`.
    CGAffineTransform turn = rotation();
    CGSize size = isLandscape() ? CGSizeMake(frame.size.height, frame.size.width) : frame.size;
    page.setTransform(scale == 1 ? turn : CGAffineTransformConcat(CGAffineTransformMakeScale(scale, scale), turn));
    page.setBounds(CGRectMake(0, 0, size.width / scale, size.height / scale));
    page.setCenter(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
}

void TTScrollView::layoutPage()
{
    auto page = centerPage();
    if (!page) return;
    CGRect frame = frameOfPageAtIndex(_centerPageIndex);
    const CGPoint offset = offsetForOrientation(_pageEdges.left, _pageEdges.top);
    const double z = zoomed() ? zoomFactor() : 1;
    frame = CGRectMake(frame.origin.x * z + offset.x, frame.origin.y * z + offset.y, frame.size.width * z,
                       frame.size.height * z);
    if (!(z > 0)) return;
    placePage(*page, frame, z);
}

void TTScrollView::layoutAdjacentPages()
{
    const double step = pageWidth() + _pageSpacing;
    const double centreOverflow = overflowForFrame(frameOfPageAtIndex(_centerPageIndex)) * zoomFactor();
    const bool hide = pinched(_pageEdges);
    for (int k : {_centerPageIndex - 1, _centerPageIndex + 1}) {
        auto page = pageAtIndex(k, true);
        if (!page) continue;
        CGRect frame = frameOfPageAtIndex(k);
        const double o = centreOverflow + overflowForFrame(frame);
        const bool previous = k < _centerPageIndex;
        double shift;
        if (!flipped()) shift = step * (k - _centerPageIndex) + (previous ? _pageEdges.left - o : _pageEdges.right + o);
        else shift = step * (_centerPageIndex - k) + (previous ? _pageEdges.right + o : _pageEdges.left - o);
        const CGPoint move = offsetForOrientation(shift, 0);
        placePage(*page, CGRectOffset(frame, move.x, move.y), 1);
        page->setHidden(hide);
    }
}

void TTScrollView::layoutSubviews()
{
    if (!_dataSource || numberOfPages() == 0) return;
    layoutPage();
    layoutAdjacentPages();
    if (_centerPageIndex != _visiblePageIndex) {
        _visiblePageIndex = _centerPageIndex;
        if (_delegate) _delegate->scrollViewDidMoveToPageAtIndex(this, _centerPageIndex);
    }
}

void TTScrollView::willMoveToSuperview(UIView* newSuperview)
{
    if (!newSuperview) stopAnimation(true);
}

// --- Zoom commands and orientation ---

void TTScrollView::zoomToFit() { startAnimationTo(_pageEdges * -1, kZoomDuration); }

void TTScrollView::zoomToDistance(double distance)
{
    startAnimationTo({distance, distance, -distance, -distance}, kZoomDuration);
}

void TTScrollView::deviceOrientationDidChange()
{
    const UIDeviceOrientation device = UIDevice::currentDevice().orientation();
    if (!_rotateEnabled || _holding) return;
    if (_delegate && !_delegate->scrollViewShouldAutorotateToInterfaceOrientation(this, device)) return;
    setOrientation(device, true);
}

void TTScrollView::setOrientation(UIDeviceOrientation orientation, bool animated)
{
    if (orientation == _orientation || orientation < 1 || orientation > 4) return;
    if (_delegate) _delegate->scrollViewWillRotate(this, orientation);
    _orientation = orientation;
    if (animated) {
        UIView::animateWithDuration(kRotateDuration, [this] { layoutPage(); }, [this](bool) {
            if (_delegate) _delegate->scrollViewDidRotate(this);
        });
    } else if (_delegate) {
        _delegate->scrollViewDidRotate(this);
    }
    // The neighbours follow the turn too.
    setNeedsLayout();
}
