#pragma once
// A paged scroll view filling a phone screen, with pages of distinct colours and a delegate that
// writes down what it is told.

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/UIColor.h"
#include "tests/platform/ui/UITestSupport.h"
#include "toolkit/paging/TTScrollView.h"

class PagedPages : public TTScrollViewDataSource {
public:
    int count = 5;
    std::vector<CGSize> sizes;  // natural sizes by index; missing means none given
    std::vector<int> asked;     // indexes of the pages made, in order
    int reused = 0;

    // Page colours as 0..255 components.
    static const int* rgbOf(int index)
    {
        static const int rgb[][3] = {{255, 0, 0}, {0, 153, 0}, {0, 0, 255}, {255, 153, 0}, {128, 0, 128}, {0, 153, 153}};
        return rgb[index % 6];
    }
    static UIColorPtr colourOf(int index)
    {
        const int* c = rgbOf(index);
        return UIColor::colorWithRed(c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, 1);
    }
    int numberOfPagesInScrollView(TTScrollView*) override { return count; }
    std::shared_ptr<UIView> scrollViewPageAtIndex(TTScrollView* scrollView, int index) override
    {
        asked.push_back(index);
        auto page = scrollView->dequeueReusablePage();
        if (page) ++reused;
        else page = std::make_shared<UIView>();
        page->setBackgroundColor(colourOf(index));
        page->setTag(index);
        return page;
    }
    CGSize scrollViewSizeOfPageAtIndex(TTScrollView*, int index) override
    {
        return index < static_cast<int>(sizes.size()) ? sizes[index] : CGSizeZero;
    }
};

class PagedEvents : public TTScrollViewDelegate {
public:
    std::vector<std::string> events;
    bool allowZoom = true, allowRotation = true;

    bool saw(const std::string& event) const
    {
        for (const auto& e : events)
            if (e == event) return true;
        return false;
    }
    void scrollViewDidMoveToPageAtIndex(TTScrollView*, int index) override { add("page " + std::to_string(index)); }
    void scrollViewTouchedDown(TTScrollView*, UITouch*) override { add("down"); }
    void scrollViewTouchedUpInside(TTScrollView*, UITouch*) override { add("up inside"); }
    void scrollViewTapped(TTScrollView*, UITouch* touch) override { add(touch ? "tapped" : "tapped without touch"); }
    void scrollViewWillBeginDragging(TTScrollView*) override { add("drag"); }
    void scrollViewDidEndDragging(TTScrollView*, bool decelerate) override { add(decelerate ? "end drag, slide" : "end drag"); }
    bool scrollViewShouldZoom(TTScrollView*) override { return allowZoom; }
    void scrollViewDidBeginZooming(TTScrollView*) override { add("zoom"); }
    void scrollViewDidEndZooming(TTScrollView*) override { add("end zoom"); }
    void scrollViewDidBeginHolding(TTScrollView*) override { add("hold"); }
    void scrollViewDidEndHolding(TTScrollView*) override { add("end hold"); }
    void scrollViewDidEndDecelerating(TTScrollView*) override { add("settled"); }
    bool scrollViewShouldAutorotateToInterfaceOrientation(TTScrollView*, UIDeviceOrientation) override
    {
        return allowRotation;
    }
    void scrollViewWillRotate(TTScrollView*, UIDeviceOrientation o) override { add("rotate " + std::to_string(o)); }
    void scrollViewDidRotate(TTScrollView*) override { add("rotated"); }

private:
    void add(std::string e) { events.push_back(std::move(e)); }
};

class PagedScrollTest : public UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        scroll = addView<TTScrollView>(*window, CGRectMake(0, 0, 320, 480));
        scroll->setDelegate(&events);
        scroll->setDataSource(&pages);
        settle();
    }
    void TearDown() override
    {
        scroll->setDelegate(nullptr);
        scroll->setDataSource(nullptr);
        scroll.reset();
        UITest::TearDown();
    }
    void settle()
    {
        RunLoop::main().runUntilIdle();
        backend.frame();
    }
    // Lets the clock run for a while, a frame at a time.
    void wait(double ms) { backend.advance(ms); }
    // What the screen shows of the page drawn at a point.
    bool shows(CGPoint p, int pageIndex)
    {
        backend.frame();
        const auto px = backend.pixelAt(p);
        const int* c = PagedPages::rgbOf(pageIndex);
        return std::abs(px.r - c[0]) < 3 && std::abs(px.g - c[1]) < 3 && std::abs(px.b - c[2]) < 3;
    }
    CGRect screenFrameOf(int pageIndex)
    {
        scroll->layoutIfNeeded();
        auto page = scroll->pageAtIndex(pageIndex);
        return page ? page->frame() : CGRectNull;
    }

    PagedPages pages;
    PagedEvents events;
    std::shared_ptr<TTScrollView> scroll;
};
