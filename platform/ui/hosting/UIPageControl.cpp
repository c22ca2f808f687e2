#include "platform/ui/hosting/UIPageControl.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/UITouch.h"

UIPageControl::UIPageControl(CGRect frame) : UIControl(frame) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
}

void UIPageControl::setNumberOfPages(int n) {
    pages_ = std::max(0, n);
    current_ = std::clamp(current_, 0, std::max(0, pages_ - 1));
    shown_ = current_;
    setNeedsDisplay();
}

void UIPageControl::setCurrentPage(int page) {
    current_ = std::clamp(page, 0, std::max(0, pages_ - 1));
    shown_ = current_;
    setNeedsDisplay();
}

void UIPageControl::setHidesForSinglePage(bool on) {
    hidesForSinglePage_ = on;
    setNeedsDisplay();
}

void UIPageControl::updateCurrentPageDisplay() {
    shown_ = current_;
    setNeedsDisplay();
}

void UIPageControl::touchesEnded(const UITouchSet& touches, UIEvent*) {
    if (!isEnabled() || pages_ < 2) return;
    CGPoint p = (*touches.begin())->locationInView(this);
    if (!CGRectContainsPoint(bounds(), p)) return;
    int next = current_ + (p.x < bounds().size.width / 2 ? -1 : 1);
    if (next < 0 || next >= pages_) return;
    current_ = next;
    if (!defers_) shown_ = current_;
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void UIPageControl::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c || pages_ == 0 || (hidesForSinglePage_ && pages_ == 1)) return;
    const double dot = 7, gap = 9;
    CGRect b = bounds();
    double total = pages_ * dot + (pages_ - 1) * gap;
    double x = std::floor((b.size.width - total) / 2), y = std::floor((b.size.height - dot) / 2);
    for (int i = 0; i < pages_; ++i) {
        c->setGrayFillColor(1, i == shown_ ? 1 : 0.35);
        c->fillEllipseInRect(CGRectMake(x + i * (dot + gap), y, dot, dot));
    }
}
