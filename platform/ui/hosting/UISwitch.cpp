#include "platform/ui/hosting/UISwitch.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UITouch.h"

UISwitch::UISwitch(CGRect frame) : UIControl(CGRectMake(frame.origin.x, frame.origin.y, 94, 27)) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
}

void UISwitch::setFrame(CGRect frame) {
    // The platform's switch keeps its size.
    UIControl::setFrame(CGRectMake(frame.origin.x, frame.origin.y, 94, 27));
}

void UISwitch::setOn(bool on, bool animated) {
    on_ = on;
    double target = on ? 1 : 0;
    std::weak_ptr<UIView> weak = weak_from_this();
    double from = thumb_;
    if (animated) {
        UIView::beginAnimations("UISwitchThumb");
        UIView::setAnimationDuration(0.2);
        bool added = UIView::addCustomAnimation(this, "thumb", [weak, from, target](double p) {
            auto self = std::static_pointer_cast<UISwitch>(weak.lock());
            if (!self) return;
            self->thumb_ = from + (target - from) * p;
            self->setNeedsDisplay();
        });
        UIView::commitAnimations();
        if (added) return;
    }
    thumb_ = target;
    setNeedsDisplay();
}

bool UISwitch::beginTrackingWithTouch(UITouch* touch, UIEvent*) {
    startX_ = touch->locationInView(this).x;
    moved_ = false;
    return true;
}

bool UISwitch::continueTrackingWithTouch(UITouch* touch, UIEvent*) {
    double x = touch->locationInView(this).x;
    if (std::fabs(x - startX_) > 4) moved_ = true;
    if (moved_) {
        thumb_ = std::clamp((on_ ? 1.0 : 0.0) + (x - startX_) / 54.0, 0.0, 1.0);
        setNeedsDisplay();
    }
    return true;
}

void UISwitch::endTrackingWithTouch(UITouch*, UIEvent*) {
    bool next = moved_ ? thumb_ >= 0.5 : !on_;
    bool changed = next != on_;
    setOn(next, true);
    if (changed) sendActionsForControlEvents(UIControlEventValueChanged);
}

void UISwitch::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = CGRectInset(bounds(), 0.5, 0.5);
    const double thumbW = 40, travel = b.size.width - thumbW;
    double tx = b.origin.x + travel * thumb_;
    c->saveGState();
    c->addRoundedRect(b, 6);
    c->clip();
    c->setRGBFillColor(0.0, 0.5, 0.92, 1);
    c->fillRect(CGRectMake(b.origin.x, b.origin.y, tx + thumbW / 2 - b.origin.x, b.size.height));
    c->setRGBFillColor(0.93, 0.93, 0.93, 1);
    c->fillRect(CGRectMake(tx + thumbW / 2, b.origin.y, b.size.width, b.size.height));
    auto font = UIFont::boldSystemFontOfSize(16);
    double th = std::ceil(font->lineHeight());
    c->setRGBFillColor(1, 1, 1, 1);
    drawInRect(*c, "ON", CGRectMake(tx - travel, std::floor((b.size.height - th) / 2), travel, th), *font, UILineBreakModeClip, UITextAlignmentCenter);
    c->setRGBFillColor(0.45, 0.45, 0.45, 1);
    drawInRect(*c, "OFF", CGRectMake(tx + thumbW, std::floor((b.size.height - th) / 2), travel, th), *font, UILineBreakModeClip, UITextAlignmentCenter);
    auto g = CGGradient::createWithColors({UIColor::colorWithWhite(0.98, 1), UIColor::colorWithWhite(0.8, 1)});
    c->saveGState();
    c->addRoundedRect(CGRectMake(tx, b.origin.y, thumbW, b.size.height), 6);
    c->clip();
    c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, b.size.height), 0);
    c->restoreGState();
    c->restoreGState();
    c->setRGBStrokeColor(0.55, 0.55, 0.55, 1);
    c->setLineWidth(1);
    c->addRoundedRect(b, 6);
    c->strokePath();
    c->addRoundedRect(CGRectMake(tx, b.origin.y, thumbW, b.size.height), 6);
    c->strokePath();
}
