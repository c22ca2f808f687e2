#pragma once
// A row of full-screen pages from a data source, shown one at a time and moved with the view's
// own touch handling: drag sideways and let go to snap back or flick to a neighbour, pinch or
// double-tap to zoom. At most three page views live (the centre page and its neighbours); the
// others wait in a reuse queue. The page row follows the device's orientation.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/NSTimer.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"
#include "toolkit/paging/TTPageEdges.h"
#include "toolkit/paging/TTScrollViewDataSource.h"

class TTScrollView : public UIView {
public:
    explicit TTScrollView(CGRect frame = CGRectZero);
    ~TTScrollView() override;

    // Unretained; the owner clears them before it goes away.
    TTScrollViewDelegate* delegate() const { return _delegate; }
    void setDelegate(TTScrollViewDelegate* delegate) { _delegate = delegate; }
    TTScrollViewDataSource* dataSource() const { return _dataSource; }
    void setDataSource(TTScrollViewDataSource* dataSource);

    int centerPageIndex() const { return _centerPageIndex; }
    void setCenterPageIndex(int pageIndex);
    bool zoomed() const { return isZoomed(_pageEdges); }
    bool holding() const { return _holding; }
    bool zooming() const { return _zooming; }
    bool dragging() const { return _dragging; }
    bool scrollEnabled() const { return _scrollEnabled; }
    void setScrollEnabled(bool on) { _scrollEnabled = on; }
    bool zoomEnabled() const { return _zoomEnabled; }
    void setZoomEnabled(bool on) { _zoomEnabled = on; }
    bool rotateEnabled() const { return _rotateEnabled; }
    void setRotateEnabled(bool on) { _rotateEnabled = on; }
    double pageSpacing() const { return _pageSpacing; }
    void setPageSpacing(double spacing) { _pageSpacing = spacing; }
    UIDeviceOrientation orientation() const { return _orientation; }
    void setOrientation(UIDeviceOrientation orientation) { setOrientation(orientation, true); }
    void setOrientation(UIDeviceOrientation orientation, bool animated);
    double holdsAfterTouchingForInterval() const { return _holdsAfterTouchingForInterval; }
    void setHoldsAfterTouchingForInterval(double seconds) { _holdsAfterTouchingForInterval = seconds; }
    const TTPageEdges& pageEdges() const { return _pageEdges; }
    bool isAnimating() const { return _animationTimer != nullptr; }

    int numberOfPages() const;
    // The centre page, created if needed.
    std::shared_ptr<UIView> centerPage();
    // A live page, never created; null when the page is not live.
    std::shared_ptr<UIView> pageAtIndex(int pageIndex) const;
    // The centre page and its neighbours by index, created as needed.
    std::map<int, std::shared_ptr<UIView>> visiblePages();
    // The page last put in the reuse queue (taken out of it), or null.
    std::shared_ptr<UIView> dequeueReusablePage();

    void reloadData();
    void zoomToFit();
    // A positive distance shrinks the page.
    void zoomToDistance(double distance);
    // The edges moved about their centre so that the page is `width` wide, at the page's aspect.
    TTPageEdges constrainEdges(const TTPageEdges& edges, double width) const;

    // Geometry in the view's coordinates.
    CGRect frameOfPageAtIndex(int pageIndex);
    double overflowForFrame(CGRect frame) const;
    // A point swapped into page axes in landscape.
    CGPoint touchLocation(const UITouch& touch) const;

    void layoutSubviews() override;
    void willMoveToSuperview(UIView* newSuperview) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

private:
    static constexpr int _maxPages = 3;

    // Page axes: width runs along the paging direction.
    double pageWidth() const;
    double pageHeight() const;
    bool isLandscape() const { return _orientation == 3 || _orientation == 4; }
    bool flipped() const { return _orientation == 2 || _orientation == 4; }
    bool isFirstPage() const { return _centerPageIndex == 0; }
    bool isLastPage() const { return _centerPageIndex + 1 >= numberOfPages(); }
    bool isZoomed(const TTPageEdges& e) const { return e.left != e.right || e.top != e.bottom; }
    bool pinched(const TTPageEdges& e) const { return e.right - e.left < 0; }
    bool pulled(const TTPageEdges& e) const { return e.left > 0 || e.top > 0 || e.right < 0 || e.bottom < 0; }
    bool flicked() const;
    double zoomFactor() const;
    CGAffineTransform rotation() const;
    // (x, y) in page axes as view offsets.
    CGPoint offsetForOrientation(double x, double y) const;

    // Page ring.
    int arrayIndexForPageIndex(int pageIndex, int relativeToIndex) const;
    std::shared_ptr<UIView> pageAtIndex(int pageIndex, bool create);
    void enqueuePage(int slot);
    void moveToPageAtIndex(int pageIndex, bool resetEdges);
    void adjustPageEdgesForPageAtIndex(int pageIndex);
    int realPageIndex() const;

    // Layout.
    void placePage(UIView& page, CGRect frame, double scale);
    void layoutPage();
    void layoutAdjacentPages();

    // Gestures.
    void trackTouchBox();
    TTPageEdges resistPageEdges(const TTPageEdges& proposal) const;
    bool canZoom();
    void updateZooming(const TTPageEdges& edges);
    void endZooming();
    void stopDragging(bool willDecelerate);
    void beginHolding();
    void cancelHoldTimer();
    void cancelTapTimer();
    void forgetTouches();
    TTPageEdges zoomPageEdgesTo(CGPoint point) const;
    TTPageEdges pageEdgesForAnimation() const;

    // Animation.
    void startAnimationTo(const TTPageEdges& change, double duration);
    void animator();
    void stopAnimation(bool resetEdges);

    void deviceOrientationDidChange();

    TTScrollViewDelegate* _delegate = nullptr;
    TTScrollViewDataSource* _dataSource = nullptr;
    int _centerPageIndex = 0;
    int _visiblePageIndex = -1;
    bool _scrollEnabled = true, _zoomEnabled = true, _rotateEnabled = true;
    double _pageSpacing = 40;
    UIDeviceOrientation _orientation = UIDeviceOrientationPortrait;
    double _holdsAfterTouchingForInterval = 0;
    std::array<std::shared_ptr<UIView>, _maxPages> _pages{};
    std::vector<std::shared_ptr<UIView>> _pageQueue;
    int _pageArrayIndex = 0;
    std::shared_ptr<NSTimer> _tapTimer, _holdingTimer, _animationTimer;
    double _animationStartTime = 0;
    double _animationDuration = 0;
    TTPageEdges _animateEdges, _pageEdges, _pageStartEdges, _touchEdges, _touchStartEdges;
    // Tracked touches, unretained: the application owns them while they last.
    UITouch* _touch1 = nullptr;
    UITouch* _touch2 = nullptr;
    unsigned _touchCount = 0;
    // A copy of the tap's touch, kept for the delayed tap report.
    std::optional<UITouch> _tapTouch;
    bool _dragging = false, _zooming = false, _holding = false;
};
