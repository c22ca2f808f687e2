#pragma once
// What a paged scroll view asks of its user: the pages, and what it tells about the gestures.

#include <memory>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

class TTScrollView;
class UITouch;
class UIView;

class TTScrollViewDataSource {
public:
    virtual ~TTScrollViewDataSource() = default;
    virtual int numberOfPagesInScrollView(TTScrollView* scrollView) = 0;
    virtual std::shared_ptr<UIView> scrollViewPageAtIndex(TTScrollView* scrollView, int pageIndex) = 0;
    // The page's natural size; a zero side means the page size.
    virtual CGSize scrollViewSizeOfPageAtIndex(TTScrollView* scrollView, int pageIndex) { return CGSizeZero; }
};

class TTScrollViewDelegate {
public:
    virtual ~TTScrollViewDelegate() = default;
    virtual void scrollViewDidMoveToPageAtIndex(TTScrollView* scrollView, int pageIndex) = 0;
    virtual void scrollViewTouchedDown(TTScrollView* scrollView, UITouch* touch) {}
    virtual void scrollViewTouchedUpInside(TTScrollView* scrollView, UITouch* touch) {}
    virtual void scrollViewTapped(TTScrollView* scrollView, UITouch* touch) {}
    virtual void scrollViewWillBeginDragging(TTScrollView* scrollView) {}
    virtual void scrollViewDidEndDragging(TTScrollView* scrollView, bool willDecelerate) {}
    virtual bool scrollViewShouldZoom(TTScrollView* scrollView) { return true; }
    virtual void scrollViewDidBeginZooming(TTScrollView* scrollView) {}
    virtual void scrollViewDidEndZooming(TTScrollView* scrollView) {}
    virtual void scrollViewDidBeginHolding(TTScrollView* scrollView) {}
    virtual void scrollViewDidEndHolding(TTScrollView* scrollView) {}
    virtual void scrollViewDidEndDecelerating(TTScrollView* scrollView) {}
    virtual bool scrollViewShouldAutorotateToInterfaceOrientation(TTScrollView* scrollView, UIDeviceOrientation orientation)
    {
        return true;
    }
    virtual void scrollViewWillRotate(TTScrollView* scrollView, UIDeviceOrientation orientation) {}
    virtual void scrollViewDidRotate(TTScrollView* scrollView) {}
};
