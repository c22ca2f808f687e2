#pragma once
// A view whose bounds origin (the content offset) moves over a larger content:
// finger tracking with rubber-banding, deceleration and bounce on the run loop's
// clock, paging, animated offsets, scroll indicators and scroll-to-top.

#include <memory>
#include <vector>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class NSTimer;
class UIScrollView;

// Optional calls; the defaults do nothing (scrollViewShouldScrollToTop answers yes).
class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(UIScrollView* scrollView) {}
    virtual void scrollViewWillBeginDragging(UIScrollView* scrollView) {}
    virtual void scrollViewDidEndDragging(UIScrollView* scrollView, bool willDecelerate) {}
    virtual void scrollViewWillBeginDecelerating(UIScrollView* scrollView) {}
    virtual void scrollViewDidEndDecelerating(UIScrollView* scrollView) {}
    virtual void scrollViewDidEndScrollingAnimation(UIScrollView* scrollView) {}
    virtual bool scrollViewShouldScrollToTop(UIScrollView* scrollView) { return true; }
    virtual void scrollViewDidScrollToTop(UIScrollView* scrollView) {}
};

inline constexpr double UIScrollViewDecelerationRateNormal = 0.998;
inline constexpr double UIScrollViewDecelerationRateFast = 0.99;

class UIScrollView : public UIView {
public:
    explicit UIScrollView(CGRect frame = CGRectZero);
    ~UIScrollView() override;

    // Unretained.
    UIScrollViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UIScrollViewDelegate* delegate) { delegate_ = delegate; }

    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    // Animated: slides over 0.3 s, calling did-scroll on the way and
    // did-end-scrolling-animation at the end. Any offset is accepted, also one
    // beyond the content's edges.
    // Subclasses may keep the offset in place (a text view sizing itself to its text).
    virtual void setContentOffset(CGPoint offset, bool animated);
    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    UIEdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(UIEdgeInsets insets);
    UIEdgeInsets scrollIndicatorInsets() const { return indicatorInsets_; }
    void setScrollIndicatorInsets(UIEdgeInsets insets);
    // Scrolls the least distance that shows the rectangle (content coordinates).
    void scrollRectToVisible(CGRect rect, bool animated);

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool on) { scrollEnabled_ = on; }
    bool bounces() const { return bounces_; }
    void setBounces(bool on) { bounces_ = on; }
    bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
    void setAlwaysBounceVertical(bool on) { alwaysBounceVertical_ = on; }
    bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool on) { alwaysBounceHorizontal_ = on; }
    bool isPagingEnabled() const { return pagingEnabled_; }
    void setPagingEnabled(bool on) { pagingEnabled_ = on; }
    bool isDirectionalLockEnabled() const { return directionalLock_; }
    void setDirectionalLockEnabled(bool on) { directionalLock_ = on; }
    double decelerationRate() const { return decelerationRate_; }
    void setDecelerationRate(double rate) { decelerationRate_ = rate; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool on) { showsVertical_ = on; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool on) { showsHorizontal_ = on; }
    UIScrollViewIndicatorStyle indicatorStyle() const { return indicatorStyle_; }
    void setIndicatorStyle(UIScrollViewIndicatorStyle style) { indicatorStyle_ = style; }
    bool scrollsToTop() const { return scrollsToTop_; }
    void setScrollsToTop(bool on) { scrollsToTop_ = on; }
    bool delaysContentTouches() const { return delaysContentTouches_; }
    void setDelaysContentTouches(bool on) { delaysContentTouches_ = on; }
    bool canCancelContentTouches() const { return canCancelContentTouches_; }
    void setCanCancelContentTouches(bool on) { canCancelContentTouches_ = on; }

    bool isTracking() const { return tracking_; }
    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }

    // Shows the indicators for a moment.
    void flashScrollIndicators();
    // The indicator views (for tests): visible while scrolling, faded out after.
    UIView* verticalScrollIndicator() const { return vIndicator_.get(); }
    UIView* horizontalScrollIndicator() const { return hIndicator_.get(); }

    // The status-bar tap: asks the delegate, then scrolls to the top, animated,
    // and reports did-scroll-to-top. Returns whether it scrolled.
    bool scrollToTop();
    // The status-bar tap for a window: the one visible scroll view in it with
    // scrollsToTop set scrolls to the top; nothing when there are several or none.
    static bool handleStatusBarTap(UIView& window);

    // The offset range the content allows (insets included).
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;

    void setBounds(CGRect bounds) override;
    void setFrame(CGRect frame) override;
    void layoutSubviews() override;
    void didAddSubview(UIView* subview) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    // Stops deceleration or an offset animation where it is.
    void stopScrolling();
    // Moves the offset by dy with the content: rows above the visible part changed height. A
    // running offset animation or paging deceleration ends dy further too.
    void shiftContentOffsetBy(double dy);

protected:
    // The offset changed (before the delegate hears of it): subclasses lay out.
    virtual void contentOffsetDidChange() {}
    // A touch that ended without a drag, in content coordinates.
    virtual void tapEnded(CGPoint location, UITouch* touch, UIEvent* event) {}
    virtual void touchDidBegin(CGPoint location, UITouch* touch, UIEvent* event) {}
    // The finger moved far enough to start a drag (a table drops its row highlight).
    virtual void dragDidBegin() {}
    // A horizontal swipe over content that does not scroll sideways.
    virtual void horizontalSwipe(CGPoint start, double dx) {}
    bool animatingOffset() const { return animatingOffset_; }

private:
    struct Sample {
        double time;
        CGPoint point;
    };
    // A window point along the view's own axes (upright in a turned interface), not
    // moved by the scrolling it causes.
    CGPoint trackingPoint(CGPoint windowPoint) const;
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;
    void beginDecelerating(CGPoint velocity);
    void decelerationTick();
    void endDecelerating();
    void showIndicators();
    void hideIndicatorsSoon(double delay);
    void updateIndicators();
    CGPoint pageTarget(CGPoint velocity) const;

    UIScrollViewDelegate* delegate_ = nullptr;
    CGSize contentSize_{};
    UIEdgeInsets contentInset_{};
    UIEdgeInsets indicatorInsets_{};
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool alwaysBounceVertical_ = false;
    bool alwaysBounceHorizontal_ = false;
    bool pagingEnabled_ = false;
    bool directionalLock_ = false;
    double decelerationRate_ = UIScrollViewDecelerationRateNormal;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
    UIScrollViewIndicatorStyle indicatorStyle_ = UIScrollViewIndicatorStyleDefault;
    bool scrollsToTop_ = true;
    bool delaysContentTouches_ = true;
    bool canCancelContentTouches_ = true;

    bool tracking_ = false;
    bool dragging_ = false;
    bool decelerating_ = false;
    bool animatingOffset_ = false;
    bool swipeReported_ = false;
    int lockAxis_ = 0;  // 0 free, 1 horizontal, 2 vertical
    CGPoint touchStart_{};  // tracking point
    std::vector<Sample> samples_;
    CGPoint velocity_{};
    CGPoint decelTarget_{};
    double animationShift_ = 0;  // added to a running offset animation's path
    bool decelToTarget_ = false;
    double lastTick_ = 0;
    std::shared_ptr<NSTimer> decelTimer_;
    std::shared_ptr<NSTimer> indicatorTimer_;
    std::shared_ptr<UIView> vIndicator_;
    std::shared_ptr<UIView> hIndicator_;
    bool reorderingIndicators_ = false;
};

using UIScrollViewPtr = std::shared_ptr<UIScrollView>;
