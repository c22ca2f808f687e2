#include "platform/ui/UIActivityIndicatorView.h"

#include <cmath>

#include "platform/foundation/NSTimer.h"
#include "platform/graphics/CGContext.h"

namespace {
constexpr int kSpokes = 12;
CGRect frameForStyle(UIActivityIndicatorViewStyle style)
{
    double d = style == UIActivityIndicatorViewStyleWhiteLarge ? 37 : 20;
    return CGRectMake(0, 0, d, d);
}
}  // namespace

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(frameForStyle(style)), style_(style)
{
    setOpaque(false);
    setUserInteractionEnabled(false);
    setHidden(true);
}

UIActivityIndicatorView::UIActivityIndicatorView(CGRect frame)
    : UIView(frame), style_(UIActivityIndicatorViewStyleWhite)
{
    setOpaque(false);
    setUserInteractionEnabled(false);
    setHidden(true);
}

UIActivityIndicatorView::~UIActivityIndicatorView()
{
    if (timer_) timer_->invalidate();
}

void UIActivityIndicatorView::setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style)
{
    style_ = style;
    setNeedsDisplay();
}

UIColorPtr UIActivityIndicatorView::color() const
{
    if (color_) return color_;
    return style_ == UIActivityIndicatorViewStyleGray ? UIColor::grayColor() : UIColor::whiteColor();
}

void UIActivityIndicatorView::setColor(UIColorPtr color)
{
    color_ = std::move(color);
    setNeedsDisplay();
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides)
{
    hidesWhenStopped_ = hides;
    if (!animating_) setHidden(hides);
}

void UIActivityIndicatorView::startAnimating()
{
    if (animating_) return;
    animating_ = true;
    setHidden(false);
    // The destructor invalidates the timer, so `this` outlives every firing.
    timer_ = NSTimer::scheduledTimer(1.0 / kSpokes, true, [this](NSTimer&) {
        step_ = (step_ + 1) % kSpokes;
        setNeedsDisplay();
    });
    setNeedsDisplay();
}

void UIActivityIndicatorView::stopAnimating()
{
    if (!animating_) return;
    animating_ = false;
    if (timer_) timer_->invalidate();
    timer_.reset();
    if (hidesWhenStopped_) setHidden(true);
    setNeedsDisplay();
}

void UIActivityIndicatorView::drawRect(CGRect)
{
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    CGRect b = bounds();
    double size = std::min(b.size.width, b.size.height);
    double cx = CGRectGetMidX(b), cy = CGRectGetMidY(b);
    double outer = size / 2, inner = size * 0.22;
    UIColorPtr c = color();
    ctx->setLineWidth(std::max(1.5, size / 11));
    ctx->setLineCap(kCGLineCapRound);
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke at step_ is the brightest; the others fade behind it.
        int age = (step_ - i + kSpokes) % kSpokes;
        double alpha = 1.0 - 0.75 * age / (kSpokes - 1);
        double angle = -M_PI / 2 + 2 * M_PI * i / kSpokes;
        ctx->setRGBStrokeColor(c->red(), c->green(), c->blue(), c->alpha() * alpha);
        ctx->beginPath();
        ctx->moveToPoint(cx + std::cos(angle) * inner, cy + std::sin(angle) * inner);
        ctx->addLineToPoint(cx + std::cos(angle) * (outer - 1.5), cy + std::sin(angle) * (outer - 1.5));
        ctx->strokePath();
    }
}

CGSize UIActivityIndicatorView::sizeThatFits(CGSize) const
{
    return frameForStyle(style_).size;
}
