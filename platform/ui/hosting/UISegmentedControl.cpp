#include "platform/ui/hosting/UISegmentedControl.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UITouch.h"

UISegmentedControl::UISegmentedControl(const std::vector<std::string>& titles) : UIControl(CGRectZero) {
    for (const auto& t : titles) segments_.push_back({t, nullptr, true});
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setFrame(CGRectMake(0, 0, std::max(1.0, 70.0 * segments_.size()), 44));
}

void UISegmentedControl::setSelectedSegmentIndex(int index) {
    if (index < UISegmentedControlNoSegment || index >= numberOfSegments()) return;
    selected_ = index;
    setNeedsDisplay();
}

void UISegmentedControl::setSegmentedControlStyle(UISegmentedControlStyle s) {
    style_ = s;
    setNeedsDisplay();
}

void UISegmentedControl::setTintColor(UIColorPtr c) {
    tint_ = std::move(c);
    setNeedsDisplay();
}

std::string UISegmentedControl::titleForSegmentAtIndex(int index) const {
    if (index < 0 || index >= numberOfSegments()) return {};
    return segments_[static_cast<size_t>(index)].title;
}

void UISegmentedControl::setTitle(const std::string& title, int segment) {
    if (segment < 0 || segment >= numberOfSegments()) return;
    segments_[static_cast<size_t>(segment)].title = title;
    segments_[static_cast<size_t>(segment)].image.reset();
    setNeedsDisplay();
}

void UISegmentedControl::setImage(UIImagePtr image, int segment) {
    if (segment < 0 || segment >= numberOfSegments()) return;
    segments_[static_cast<size_t>(segment)].image = std::move(image);
    setNeedsDisplay();
}

void UISegmentedControl::insertSegmentWithTitle(const std::string& title, int index, bool) {
    index = std::clamp(index, 0, numberOfSegments());
    segments_.insert(segments_.begin() + index, Segment{title, nullptr, true});
    if (selected_ >= index) ++selected_;
    setNeedsDisplay();
}

void UISegmentedControl::removeSegmentAtIndex(int index, bool) {
    if (index < 0 || index >= numberOfSegments()) return;
    segments_.erase(segments_.begin() + index);
    if (selected_ == index) selected_ = UISegmentedControlNoSegment;
    else if (selected_ > index) --selected_;
    setNeedsDisplay();
}

void UISegmentedControl::removeAllSegments() {
    segments_.clear();
    selected_ = UISegmentedControlNoSegment;
    setNeedsDisplay();
}

void UISegmentedControl::setEnabled(bool enabled, int segment) {
    if (segment < 0 || segment >= numberOfSegments()) return;
    segments_[static_cast<size_t>(segment)].enabled = enabled;
    setNeedsDisplay();
}

bool UISegmentedControl::isEnabledForSegmentAtIndex(int segment) const {
    return segment >= 0 && segment < numberOfSegments() && segments_[static_cast<size_t>(segment)].enabled;
}

int UISegmentedControl::segmentAt(CGPoint p) const {
    if (segments_.empty() || !CGRectContainsPoint(bounds(), p)) return -1;
    int i = static_cast<int>(p.x / (bounds().size.width / segments_.size()));
    return std::clamp(i, 0, numberOfSegments() - 1);
}

void UISegmentedControl::touchesBegan(const UITouchSet& touches, UIEvent*) {
    if (!isEnabled()) return;
    pressed_ = segmentAt((*touches.begin())->locationInView(this));
    setNeedsDisplay();
}

void UISegmentedControl::touchesEnded(const UITouchSet& touches, UIEvent*) {
    int i = segmentAt((*touches.begin())->locationInView(this));
    int was = pressed_;
    pressed_ = -1;
    setNeedsDisplay();
    if (!isEnabled() || i < 0 || i != was || !isEnabledForSegmentAtIndex(i)) return;
    if (!momentary_) {
        if (i == selected_) return;
        selected_ = i;
    } else {
        selected_ = i;
    }
    sendActionsForControlEvents(UIControlEventValueChanged);
    if (momentary_) selected_ = UISegmentedControlNoSegment;
}

void UISegmentedControl::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c || segments_.empty()) return;
    CGRect b = CGRectInset(bounds(), 0.5, 0.5);
    double w = b.size.width / segments_.size();
    bool bar = style_ == UISegmentedControlStyleBar;
    UIColorPtr tint = tint_ ? tint_ : UIColor::colorWithRed(0.43, 0.53, 0.65, 1);
    double radius = bar ? 5 : 8;
    c->saveGState();
    c->addRoundedRect(b, radius);
    c->clip();
    for (size_t i = 0; i < segments_.size(); ++i) {
        CGRect r = CGRectMake(b.origin.x + w * i, b.origin.y, w, b.size.height);
        bool on = static_cast<int>(i) == selected_ || static_cast<int>(i) == pressed_;
        CGGradientRef g;
        if (on) g = bar ? CGGradient::createWithColors({tint->colorWithAlphaComponent(0.7), tint})
                        : CGGradient::createWithColors({UIColor::colorWithRed(0.3, 0.55, 0.95, 1), UIColor::colorWithRed(0.1, 0.35, 0.85, 1)});
        else g = bar ? CGGradient::createWithColors({UIColor::colorWithWhite(1, 0.4), tint})
                     : CGGradient::createWithColors({UIColor::colorWithWhite(1, 1), UIColor::colorWithWhite(0.88, 1)});
        c->saveGState();
        c->clipToRect(r);
        c->drawLinearGradient(*g, CGPointMake(0, r.origin.y), CGPointMake(0, CGRectGetMaxY(r)), 0);
        c->restoreGState();
        const Segment& s = segments_[i];
        if (s.image) {
            CGSize is = s.image->size();
            s.image->drawInRect(CGRectMake(std::floor(CGRectGetMidX(r) - is.width / 2), std::floor(CGRectGetMidY(r) - is.height / 2), is.width, is.height));
        } else {
            auto font = UIFont::boldSystemFontOfSize(bar ? 12 : 13);
            double th = std::ceil(font->lineHeight());
            if (on || bar) c->setRGBFillColor(1, 1, 1, s.enabled ? 1 : 0.5);
            else c->setRGBFillColor(0.3, 0.3, 0.35, s.enabled ? 1 : 0.5);
            drawInRect(*c, s.title, CGRectMake(r.origin.x + 4, std::floor(CGRectGetMidY(r) - th / 2), r.size.width - 8, th), *font,
                       UILineBreakModeTailTruncation, UITextAlignmentCenter);
        }
        if (i > 0) {
            c->setRGBFillColor(0.5, 0.5, 0.5, 1);
            c->fillRect(CGRectMake(std::floor(r.origin.x), r.origin.y, 1, r.size.height));
        }
    }
    c->restoreGState();
    c->setRGBStrokeColor(0.45, 0.45, 0.45, 1);
    c->setLineWidth(1);
    c->addRoundedRect(b, radius);
    c->strokePath();
}
