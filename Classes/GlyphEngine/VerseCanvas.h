#pragma once
// A view that hands its drawing context to a delegate, which draws a verse into it.

#include "platform/ui/UIView.h"

class CGContext;
class VerseCanvas;

class VerseCanvasDelegate {
public:
    virtual ~VerseCanvasDelegate() = default;
    virtual void drawArabicVerseInCanvas(CGContext* context, VerseCanvas* canvas) = 0;
};

class VerseCanvas : public UIView {
public:
    explicit VerseCanvas(CGRect frame = CGRectZero);   // initWithFrame:

    // Unretained: the delegate owns the canvas and clears this before it goes.
    VerseCanvasDelegate* delegate() const { return delegate_; }
    void setDelegate(VerseCanvasDelegate* delegate) { delegate_ = delegate; }

    void drawRect(CGRect rect) override;

private:
    VerseCanvasDelegate* delegate_ = nullptr;
};
