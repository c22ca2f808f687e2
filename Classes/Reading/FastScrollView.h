#pragma once
// A narrow invisible strip beside the verses: dragging down it picks a verse by the finger's
// height; lifting the finger jumps there; a tap moves on by a page or a verse.

#include <optional>

#include "platform/foundation/NSDate.h"
#include "platform/ui/UIView.h"

class FastScrollViewDelegate {
public:
    virtual ~FastScrollViewDelegate() = default;
    virtual bool canBeginFastScroll() = 0;
    virtual void fastScrollFingerDown() = 0;
    virtual void fastScrollTapped() = 0;
    virtual void hideFastScrollPreview() = 0;
    virtual void updateFastScrollPreview(CGPoint point) = 0;
    virtual void cancelFastScrollPreview() = 0;
};

class FastScrollView : public UIView {
public:
    explicit FastScrollView(CGRect frame);
    void addGesture() {}
    FastScrollViewDelegate* delegate() const { return delegate_; }
    void setDelegate(FastScrollViewDelegate* d) { delegate_ = d; }  // unretained

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    bool haveTouchedView() const { return haveTouchedView_; }
    // Band of x positions (strip coordinates) in which a drag picks a verse.
    static constexpr double kBandLeft = -2, kBandRight = 59;
    // A drag ending this soon after touching down is cancelled.
    static constexpr double kMinimumDragSeconds = 0.18;

private:
    bool cancelledTouch_ = false;
    CGPoint lastTouchPoint_{};
    std::optional<NSDate> lastTouchDate_;
    bool haveTouchedView_ = false;
    FastScrollViewDelegate* delegate_ = nullptr;  // unretained
};
