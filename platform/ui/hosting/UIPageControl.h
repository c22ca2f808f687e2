#pragma once
// A row of dots for the pages of a paged scroll view; a tap left or right of the
// current dot moves one page that way and sends value-changed.

#include "platform/ui/UIControl.h"

class UIPageControl : public UIControl {
public:
    explicit UIPageControl(CGRect frame = CGRectZero);
    int numberOfPages() const { return pages_; }
    void setNumberOfPages(int n);
    int currentPage() const { return current_; }
    void setCurrentPage(int page);
    bool hidesForSinglePage() const { return hidesForSinglePage_; }
    void setHidesForSinglePage(bool on);
    bool defersCurrentPageDisplay() const { return defers_; }
    void setDefersCurrentPageDisplay(bool on) { defers_ = on; }
    void updateCurrentPageDisplay();
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    int pages_ = 0;
    int current_ = 0;
    int shown_ = 0;
    bool hidesForSinglePage_ = false;
    bool defers_ = false;
};
