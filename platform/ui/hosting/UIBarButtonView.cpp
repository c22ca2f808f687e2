#include "platform/ui/hosting/UIBarButtonView.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"

namespace {
UIColorPtr shade(const UIColor& c, double f) {
    auto mix = [f](double v) { return f >= 0 ? v + (1 - v) * f : v * (1 + f); };
    return UIColor::colorWithRed(mix(c.red()), mix(c.green()), mix(c.blue()), c.alpha());
}
UIFontPtr buttonFont() { return UIFont::boldSystemFontOfSize(12); }
}  // namespace

UIBarButtonView::UIBarButtonView(UIBarButtonItemPtr item, Shape shape, UIColorPtr tint)
    : UIControl(CGRectZero), item_(std::move(item)), shape_(shape), tint_(std::move(tint)) {
    title_ = item_ ? item_->displayTitle() : "";
    if (item_ && item_->systemItem() && title_.empty()) {
        switch (*item_->systemItem()) {
        case UIBarButtonSystemItemAdd: title_ = "+"; break;
        case UIBarButtonSystemItemAction: title_ = "\u21AA"; break;
        case UIBarButtonSystemItemRefresh: title_ = "\u21BB"; break;
        case UIBarButtonSystemItemStop: title_ = "\u2715"; break;
        case UIBarButtonSystemItemTrash: title_ = "\u2716"; break;
        case UIBarButtonSystemItemPlay: title_ = "\u25B6"; break;
        case UIBarButtonSystemItemPause: title_ = "\u2016"; break;
        case UIBarButtonSystemItemSearch: title_ = "\u2315"; break;
        case UIBarButtonSystemItemCompose: title_ = "\u270E"; break;
        default: break;
        }
    }
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setEnabled(!item_ || item_->isEnabled());
    wire();
}

UIBarButtonView::UIBarButtonView(const std::string& title, UIColorPtr tint, std::function<void()> onTap)
    : UIControl(CGRectZero), shape_(Shape::Back), tint_(std::move(tint)), title_(title), onTap_(std::move(onTap)) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    wire();
}

void UIBarButtonView::wire() {
    addTarget(this, [this](UIControl*, UIEvent*) {
        if (onTap_) {
            auto f = onTap_;
            f();
        } else if (item_) {
            auto keep = item_;
            keep->trigger();
        }
    }, UIControlEventTouchUpInside);
}

void UIBarButtonView::setTint(UIColorPtr tint) {
    tint_ = std::move(tint);
    setNeedsDisplay();
}

void UIBarButtonView::stateDidChange() { setNeedsDisplay(); }

CGSize UIBarButtonView::sizeThatFits(CGSize) const {
    double w = 10;
    if (item_ && item_->image() && title_.empty()) w = item_->image()->size().width + 20;
    else w = std::ceil(sizeWithFont(title_, *buttonFont()).width) + (shape_ == Shape::Back ? 24 : 20);
    if (item_ && item_->width() > 0) w = item_->width();
    return CGSizeMake(std::max(w, 32.0), 30);
}

void UIBarButtonView::drawBarBackground(CGRect r, const UIColor& tint, bool translucent) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    double a = translucent ? 0.75 : 1;
    auto g = CGGradient::createWithColors({shade(tint, 0.35)->colorWithAlphaComponent(a), shade(tint, 0.05)->colorWithAlphaComponent(a),
                                           shade(tint, -0.05)->colorWithAlphaComponent(a), shade(tint, -0.12)->colorWithAlphaComponent(a)},
                                          {0, 0.5, 0.5, 1});
    c->saveGState();
    c->clipToRect(r);
    c->drawLinearGradient(*g, CGPointMake(0, r.origin.y), CGPointMake(0, CGRectGetMaxY(r)), 0);
    c->restoreGState();
    c->setFillColorWithColor(*shade(tint, -0.45));
    c->fillRect(CGRectMake(r.origin.x, CGRectGetMaxY(r) - 1, r.size.width, 1));
}

void UIBarButtonView::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = CGRectInset(bounds(), 0.5, 0.5);
    UIColorPtr base = tint_ ? tint_ : defaultTint();
    if (item_ && item_->tintColor()) base = item_->tintColor();
    if (shape_ == Shape::Done) base = UIColor::colorWithRed(0.2, 0.4, 0.85, 1);
    if (shape_ != Shape::Plain) {
        c->beginPath();
        double r = 5;
        if (shape_ == Shape::Back) {
            double tip = 11, mid = CGRectGetMidY(b);
            c->moveToPoint(b.origin.x, mid);
            c->addLineToPoint(b.origin.x + tip, b.origin.y);
            c->addArcToPoint(CGRectGetMaxX(b), b.origin.y, CGRectGetMaxX(b), CGRectGetMaxY(b), r);
            c->addArcToPoint(CGRectGetMaxX(b), CGRectGetMaxY(b), b.origin.x + tip, CGRectGetMaxY(b), r);
            c->addLineToPoint(b.origin.x + tip, CGRectGetMaxY(b));
            c->closePath();
        } else {
            c->addRoundedRect(b, r);
        }
        CGMutablePathRef path = c->copyPath();
        c->saveGState();
        c->clip();
        bool pressed = isHighlighted();
        auto g = CGGradient::createWithColors({shade(*base, pressed ? -0.2 : 0.15), shade(*base, pressed ? -0.35 : -0.15)});
        c->drawLinearGradient(*g, CGPointMake(0, b.origin.y), CGPointMake(0, CGRectGetMaxY(b)), 0);
        c->restoreGState();
        c->beginPath();
        c->addPath(*path);
        c->setStrokeColorWithColor(*shade(*base, -0.5));
        c->setLineWidth(1);
        c->strokePath();
    }
    if (item_ && item_->image() && title_.empty()) {
        CGSize s = item_->image()->size();
        // A disabled item's image is dimmed as its title would be.
        item_->image()->drawInRect(CGRectMake(std::floor((bounds().size.width - s.width) / 2), std::floor((bounds().size.height - s.height) / 2), s.width, s.height),
                                   kCGBlendModeNormal, isEnabled() ? 1 : 0.45);
        return;
    }
    auto font = buttonFont();
    double th = std::ceil(font->lineHeight());
    CGRect tr = CGRectMake(shape_ == Shape::Back ? 14 : 6, std::floor((bounds().size.height - th) / 2), bounds().size.width - (shape_ == Shape::Back ? 18 : 12), th);
    c->setRGBFillColor(0, 0, 0, 0.35);
    drawInRect(*c, title_, CGRectOffset(tr, 0, -1), *font, UILineBreakModeTailTruncation, UITextAlignmentCenter);
    c->setRGBFillColor(1, 1, 1, isEnabled() ? 1 : 0.45);
    drawInRect(*c, title_, tr, *font, UILineBreakModeTailTruncation, UITextAlignmentCenter);
}
