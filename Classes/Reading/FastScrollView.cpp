#include "Classes/Reading/FastScrollView.h"

#include "platform/graphics/UIColor.h"
#include "platform/ui/UITouch.h"

FastScrollView::FastScrollView(CGRect frame) : UIView(frame) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
}

namespace {
bool outsideBand(double x) { return x > FastScrollView::kBandRight || x < FastScrollView::kBandLeft; }
}

void FastScrollView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    cancelledTouch_ = false;
    if (!touches.empty()) lastTouchPoint_ = (*touches.begin())->locationInView(this);
    lastTouchDate_ = NSDate::date();
    UIView::touchesBegan(touches, event);
}

void FastScrollView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    for (UITouch* touch : touches) {
        if (touch->view() != this) continue;
        const CGPoint p = touch->locationInView(this);
        if (outsideBand(p.x)) {
            if (delegate_) delegate_->cancelFastScrollPreview();
            cancelledTouch_ = true;
        } else {
            haveTouchedView_ = true;
            cancelledTouch_ = false;
            if (delegate_) delegate_->updateFastScrollPreview(p);
        }
    }
    UIView::touchesMoved(touches, event);
}

void FastScrollView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    UITouch* touch = touches.empty() ? nullptr : *touches.begin();
    if (haveTouchedView_) {
        if (touch && touch->view() == this && delegate_) {
            const double held = lastTouchDate_ ? -lastTouchDate_->timeIntervalSinceNow() : 0;
            if (outsideBand(touch->locationInView(this).x) || held <= kMinimumDragSeconds || cancelledTouch_)
                delegate_->cancelFastScrollPreview();
            else
                delegate_->hideFastScrollPreview();
        }
    } else if (delegate_) {
        delegate_->fastScrollTapped();
    }
    haveTouchedView_ = false;
    UIView::touchesEnded(touches, event);
}

void FastScrollView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    cancelledTouch_ = true;
    if (haveTouchedView_ && delegate_) delegate_->cancelFastScrollPreview();
    UIView::touchesCancelled(touches, event);
}
