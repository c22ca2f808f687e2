#include "platform/ui/UIImageView.h"

#include <algorithm>

#include "platform/foundation/NSTimer.h"
#include "platform/graphics/CGContext.h"

UIImageView::UIImageView(CGRect frame) : UIView(frame)
{
    setUserInteractionEnabled(false);
    setOpaque(false);
}

UIImageView::UIImageView(UIImagePtr image)
    : UIImageView(image ? CGRectMake(0, 0, image->size().width, image->size().height) : CGRectZero)
{
    image_ = std::move(image);
}

UIImageView::~UIImageView()
{
    if (animationTimer_) animationTimer_->invalidate();
}

void UIImageView::setImage(UIImagePtr image)
{
    if (image == image_) return;
    image_ = std::move(image);
    setNeedsDisplay();
}

void UIImageView::setHighlightedImage(UIImagePtr image)
{
    highlightedImage_ = std::move(image);
    if (highlighted_) setNeedsDisplay();
}

void UIImageView::setHighlighted(bool highlighted)
{
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    setNeedsDisplay();
}

void UIImageView::setFrame(CGRect frame)
{
    CGSize old = bounds().size;
    UIView::setFrame(frame);
    if (bounds().size != old) setNeedsDisplay();
}

void UIImageView::setBounds(CGRect b)
{
    CGSize old = bounds().size;
    UIView::setBounds(b);
    if (bounds().size != old) setNeedsDisplay();
}

void UIImageView::setAnimationImages(std::vector<UIImagePtr> images)
{
    animationImages_ = std::move(images);
    animationFrame_ = 0;
}

void UIImageView::startAnimating()
{
    if (animationImages_.empty() || isAnimating()) return;
    double duration = animationDuration_ > 0 ? animationDuration_ : animationImages_.size() / 30.0;
    // The destructor invalidates the timer, so `this` outlives every firing.
    animationTimer_ = NSTimer::scheduledTimer(duration / animationImages_.size(), true, [this](NSTimer&) {
        animationFrame_ = (animationFrame_ + 1) % std::max<size_t>(1, animationImages_.size());
        setNeedsDisplay();
    });
    setNeedsDisplay();
}

void UIImageView::stopAnimating()
{
    if (animationTimer_) animationTimer_->invalidate();
    animationTimer_.reset();
    animationFrame_ = 0;
    setNeedsDisplay();
}

bool UIImageView::isAnimating() const
{
    return animationTimer_ && animationTimer_->isValid();
}

const UIImage* UIImageView::shownImage() const
{
    if (isAnimating() && animationFrame_ < animationImages_.size()) return animationImages_[animationFrame_].get();
    if (highlighted_ && highlightedImage_) return highlightedImage_.get();
    return image_.get();
}

CGRect UIImageView::rectForContentMode(UIViewContentMode mode, CGSize s, CGRect b)
{
    double bx = b.origin.x, by = b.origin.y, bw = b.size.width, bh = b.size.height;
    switch (mode) {
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
        if (s.width <= 0 || s.height <= 0) return b;
        double fx = bw / s.width, fy = bh / s.height;
        double f = mode == UIViewContentModeScaleAspectFit ? std::min(fx, fy) : std::max(fx, fy);
        double w = s.width * f, h = s.height * f;
        return CGRectMake(bx + (bw - w) / 2, by + (bh - h) / 2, w, h);
    }
    case UIViewContentModeCenter: return CGRectMake(bx + (bw - s.width) / 2, by + (bh - s.height) / 2, s.width, s.height);
    case UIViewContentModeTop: return CGRectMake(bx + (bw - s.width) / 2, by, s.width, s.height);
    case UIViewContentModeBottom: return CGRectMake(bx + (bw - s.width) / 2, by + bh - s.height, s.width, s.height);
    case UIViewContentModeLeft: return CGRectMake(bx, by + (bh - s.height) / 2, s.width, s.height);
    case UIViewContentModeRight: return CGRectMake(bx + bw - s.width, by + (bh - s.height) / 2, s.width, s.height);
    case UIViewContentModeTopLeft: return CGRectMake(bx, by, s.width, s.height);
    case UIViewContentModeTopRight: return CGRectMake(bx + bw - s.width, by, s.width, s.height);
    case UIViewContentModeBottomLeft: return CGRectMake(bx, by + bh - s.height, s.width, s.height);
    case UIViewContentModeBottomRight: return CGRectMake(bx + bw - s.width, by + bh - s.height, s.width, s.height);
    case UIViewContentModeScaleToFill:
    case UIViewContentModeRedraw:
    default: return b;
    }
}

void UIImageView::drawRect(CGRect)
{
    const UIImage* img = shownImage();
    if (!img) return;
    img->drawInRect(rectForContentMode(contentMode(), img->size(), bounds()));
}

CGSize UIImageView::sizeThatFits(CGSize) const
{
    const UIImage* img = shownImage();
    return img ? img->size() : CGSizeZero;
}
