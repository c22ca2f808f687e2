#include "platform/ui/hosting/UISlider.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/UITouch.h"

namespace {
constexpr double kThumb = 23;
}

UISlider::UISlider(CGRect frame) : UIControl(frame) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
}

void UISlider::setValue(double v, bool) {
    value_ = std::clamp(v, min_, std::max(min_, max_));
    setNeedsDisplay();
}

void UISlider::setMinimumValue(double v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    setValue(value_);
}

void UISlider::setMaximumValue(double v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    setValue(value_);
}

void UISlider::setThumbImage(UIImagePtr image, unsigned state) {
    if (state == UIControlStateNormal) thumb_ = std::move(image);
    setNeedsDisplay();
}

void UISlider::setMinimumTrackImage(UIImagePtr image, unsigned state) {
    if (state == UIControlStateNormal) minTrack_ = std::move(image);
    setNeedsDisplay();
}

void UISlider::setMaximumTrackImage(UIImagePtr image, unsigned state) {
    if (state == UIControlStateNormal) maxTrack_ = std::move(image);
    setNeedsDisplay();
}

CGSize UISlider::sizeThatFits(CGSize) const {
    return CGSizeMake(bounds().size.width, thumb_ ? thumb_->size().height : kThumb);
}

CGRect UISlider::thumbRectForValue(double v) const {
    CGRect b = bounds();
    double span = max_ - min_;
    double f = span > 0 ? (std::clamp(v, min_, max_) - min_) / span : 0;
    double w = thumb_ ? thumb_->size().width : kThumb, h = thumb_ ? thumb_->size().height : kThumb;
    return CGRectMake(std::round((b.size.width - w) * f), std::floor((b.size.height - h) / 2), w, h);
}

void UISlider::valueFromTouch(UITouch* touch) {
    double w = thumb_ ? thumb_->size().width : kThumb;
    double x = touch->locationInView(this).x - w / 2;
    double track = std::max(1.0, bounds().size.width - w);
    double v = min_ + (max_ - min_) * std::clamp(x / track, 0.0, 1.0);
    if (v == value_) return;
    setValue(v);
    changedWhileTracking_ = true;
    if (continuous_) sendActionsForControlEvents(UIControlEventValueChanged);
}

bool UISlider::beginTrackingWithTouch(UITouch* touch, UIEvent*) {
    changedWhileTracking_ = false;
    valueFromTouch(touch);
    return true;
}

bool UISlider::continueTrackingWithTouch(UITouch* touch, UIEvent*) {
    valueFromTouch(touch);
    return true;
}

void UISlider::endTrackingWithTouch(UITouch*, UIEvent*) {
    if (!continuous_ && changedWhileTracking_) sendActionsForControlEvents(UIControlEventValueChanged);
}

void UISlider::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    CGRect t = thumbRectForValue(value_);
    double cy = std::floor(b.size.height / 2);
    CGRect left = CGRectMake(2, cy - 4, CGRectGetMidX(t) - 2, 9), right = CGRectMake(CGRectGetMidX(t), cy - 4, b.size.width - CGRectGetMidX(t) - 2, 9);
    if (minTrack_) minTrack_->drawInRect(left);
    else {
        c->setRGBFillColor(0.16, 0.45, 0.9, 1);
        c->addRoundedRect(left, 4);
        c->fillPath();
    }
    if (maxTrack_) maxTrack_->drawInRect(right);
    else {
        c->setRGBFillColor(0.93, 0.93, 0.93, 1);
        c->addRoundedRect(right, 4);
        c->fillPath();
        c->setRGBStrokeColor(0.6, 0.6, 0.6, 1);
        c->setLineWidth(1);
        c->addRoundedRect(CGRectInset(CGRectMake(2, cy - 4, b.size.width - 4, 9), 0.5, 0.5), 4);
        c->strokePath();
    }
    if (thumb_) {
        thumb_->drawInRect(t);
        return;
    }
    auto g = CGGradient::createWithColors({UIColor::colorWithWhite(1, 1), UIColor::colorWithWhite(0.82, 1)});
    c->saveGState();
    c->addEllipseInRect(t);
    c->clip();
    c->drawLinearGradient(*g, CGPointMake(0, t.origin.y), CGPointMake(0, CGRectGetMaxY(t)), 0);
    c->restoreGState();
    c->setRGBStrokeColor(0.5, 0.5, 0.5, 1);
    c->strokeEllipseInRect(CGRectInset(t, 0.5, 0.5));
}
