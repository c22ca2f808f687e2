#include "platform/ui/UIProgressView.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"

namespace {
double heightForStyle(UIProgressViewStyle style) { return style == UIProgressViewStyleBar ? 11 : 9; }
}  // namespace

UIProgressView::UIProgressView(UIProgressViewStyle style)
    : UIView(CGRectMake(0, 0, 150, heightForStyle(style))), style_(style)
{
    setOpaque(false);
    setContentMode(UIViewContentModeRedraw);  // the rounded track is drawn for its width
}

UIProgressView::UIProgressView(CGRect frame) : UIView(frame), style_(UIProgressViewStyleDefault)
{
    setOpaque(false);
    setContentMode(UIViewContentModeRedraw);
}

void UIProgressView::setProgressViewStyle(UIProgressViewStyle style)
{
    style_ = style;
    setNeedsDisplay();
}

void UIProgressView::setProgress(float progress)
{
    if (std::isnan(progress)) progress = 0;
    progress = std::clamp(progress, 0.0f, 1.0f);
    if (progress == progress_) return;
    progress_ = progress;
    setNeedsDisplay();
}

void UIProgressView::drawRect(CGRect)
{
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    CGRect b = CGRectInset(bounds(), 0.5, 0.5);
    double radius = b.size.height / 2;
    bool bar = style_ == UIProgressViewStyleBar;
    ctx->beginPath();
    ctx->addRoundedRect(b, radius);
    if (bar)
        ctx->setRGBFillColor(0.16, 0.18, 0.22, 1);
    else
        ctx->setRGBFillColor(0.93, 0.93, 0.94, 1);
    ctx->fillPath();
    if (progress_ > 0) {
        CGRect fill = b;
        fill.size.width = std::max(b.size.height, b.size.width * progress_);
        ctx->beginPath();
        ctx->addRoundedRect(fill, radius);
        if (bar)
            ctx->setRGBFillColor(0.85, 0.87, 0.90, 1);
        else
            ctx->setRGBFillColor(0.16, 0.44, 0.85, 1);
        ctx->fillPath();
    }
    ctx->beginPath();
    ctx->addRoundedRect(b, radius);
    ctx->setRGBStrokeColor(0.45, 0.47, 0.50, 1);
    ctx->setLineWidth(1);
    ctx->strokePath();
}

CGSize UIProgressView::sizeThatFits(CGSize size) const
{
    return CGSizeMake(size.width > 0 ? size.width : 150, heightForStyle(style_));
}
