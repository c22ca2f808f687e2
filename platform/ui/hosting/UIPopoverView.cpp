#include "platform/ui/hosting/UIPopoverView.h"

#include <algorithm>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGGradient.h"

UIPopoverView::UIPopoverView(CGRect frame) : UIView(frame) {
    setOpaque(false);
    setContentMode(UIViewContentModeRedraw);  // rounded body and arrow drawn for the size
    setBackgroundColor(UIColor::clearColor());
    clip_ = std::make_shared<UIView>(CGRectZero);
    clip_->setClipsToBounds(true);
    clip_->setBackgroundColor(UIColor::whiteColor());
    addSubview(clip_);
}

void UIPopoverView::setArrow(UIPopoverArrowDirection direction, double offset) {
    direction_ = direction;
    arrowOffset_ = offset;
    setNeedsLayout();
    setNeedsDisplay();
}

CGSize UIPopoverView::sizeForContent(CGSize content, UIPopoverArrowDirection direction) {
    CGSize s = CGSizeMake(content.width + 2 * kBorder, content.height + 2 * kBorder);
    if (direction == UIPopoverArrowDirectionUp || direction == UIPopoverArrowDirectionDown) s.height += kArrowHeight;
    else s.width += kArrowHeight;
    return s;
}

CGRect UIPopoverView::bodyRect() const {
    CGRect b = bounds();
    switch (direction_) {
    case UIPopoverArrowDirectionUp: return CGRectMake(0, kArrowHeight, b.size.width, b.size.height - kArrowHeight);
    case UIPopoverArrowDirectionDown: return CGRectMake(0, 0, b.size.width, b.size.height - kArrowHeight);
    case UIPopoverArrowDirectionLeft: return CGRectMake(kArrowHeight, 0, b.size.width - kArrowHeight, b.size.height);
    default: return CGRectMake(0, 0, b.size.width - kArrowHeight, b.size.height);
    }
}

CGRect UIPopoverView::contentRect() const { return CGRectInset(bodyRect(), kBorder, kBorder); }

void UIPopoverView::setContentView(std::shared_ptr<UIView> content) {
    if (content_ == content) return;
    if (content_ && content_->superview() == clip_.get()) content_->removeFromSuperview();
    content_ = std::move(content);
    if (content_) clip_->addSubview(content_);
    setNeedsLayout();
}

void UIPopoverView::layoutSubviews() {
    CGRect r = contentRect();
    clip_->setFrame(r);
    if (content_) content_->setFrame(CGRectMake(0, 0, r.size.width, r.size.height));
}

void UIPopoverView::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect body = bodyRect();
    const double half = kArrowBase / 2;
    c->saveGState();
    c->beginPath();
    c->addRoundedRect(body, 10);
    // The arrow is a triangle joined to the body's edge.
    double t = arrowOffset_;
    switch (direction_) {
    case UIPopoverArrowDirectionUp:
        c->moveToPoint(t - half, body.origin.y + 1);
        c->addLineToPoint(t, 0);
        c->addLineToPoint(t + half, body.origin.y + 1);
        break;
    case UIPopoverArrowDirectionDown:
        c->moveToPoint(t - half, CGRectGetMaxY(body) - 1);
        c->addLineToPoint(t, bounds().size.height);
        c->addLineToPoint(t + half, CGRectGetMaxY(body) - 1);
        break;
    case UIPopoverArrowDirectionLeft:
        c->moveToPoint(body.origin.x + 1, t - half);
        c->addLineToPoint(0, t);
        c->addLineToPoint(body.origin.x + 1, t + half);
        break;
    default:
        c->moveToPoint(CGRectGetMaxX(body) - 1, t - half);
        c->addLineToPoint(bounds().size.width, t);
        c->addLineToPoint(CGRectGetMaxX(body) - 1, t + half);
        break;
    }
    c->closePath();
    c->clip();
    c->setRGBFillColor(0.08, 0.10, 0.16, 0.97);
    c->fillRect(bounds());
    auto g = CGGradient::createWithColors({UIColor::colorWithRed(0.33, 0.37, 0.45, 0.97), UIColor::colorWithRed(0.08, 0.10, 0.16, 0.97)});
    c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, std::max(40.0, bounds().size.height / 4)), 0);
    c->restoreGState();
}
