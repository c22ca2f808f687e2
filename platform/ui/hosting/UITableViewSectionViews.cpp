#include "platform/ui/hosting/UITableViewSectionViews.h"

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITouch.h"

namespace UITableViewSectionViews {

namespace {
// The plain header: a grey gradient bar with a bold white title.
class PlainHeader : public UIView {
public:
    explicit PlainHeader(std::string title) : title_(std::move(title)) {
        setOpaque(false);
        setContentMode(UIViewContentModeRedraw);
    }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        CGRect b = bounds();
        auto g = CGGradient::createWithColors({UIColor::colorWithRed(0.56, 0.61, 0.66, 0.95), UIColor::colorWithRed(0.71, 0.75, 0.78, 0.95)});
        c->saveGState();
        c->clipToRect(b);
        c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, b.size.height), 0);
        c->restoreGState();
        c->setRGBFillColor(0.44, 0.49, 0.54, 1);
        c->fillRect(CGRectMake(0, 0, b.size.width, 1));
        c->fillRect(CGRectMake(0, b.size.height - 1, b.size.width, 1));
        auto font = UIFont::boldSystemFontOfSize(17);
        CGSize s = sizeWithFont(title_, *font);
        double y = (b.size.height - s.height) / 2;
        c->setRGBFillColor(0.3, 0.35, 0.4, 1);
        drawInRect(*c, title_, CGRectMake(12, y + 1, b.size.width - 24, s.height), *font, UILineBreakModeTailTruncation, UITextAlignmentLeft);
        c->setRGBFillColor(1, 1, 1, 1);
        drawInRect(*c, title_, CGRectMake(12, y, b.size.width - 24, s.height), *font, UILineBreakModeTailTruncation, UITextAlignmentLeft);
    }

private:
    std::string title_;
};
}  // namespace

std::shared_ptr<UIView> makeTitleView(const std::string& title, UITableViewStyle style, bool footer) {
    if (style == UITableViewStylePlain && !footer) return std::make_shared<PlainHeader>(title);
    auto label = std::make_shared<UILabel>(CGRectZero);
    label->setText(title);
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    if (footer) {
        label->setFont(UIFont::systemFontOfSize(15));
        label->setTextAlignment(UITextAlignmentCenter);
        label->setNumberOfLines(0);
        label->setTextColor(UIColor::colorWithRed(0.3, 0.34, 0.42, 1));
    } else {
        label->setFont(UIFont::boldSystemFontOfSize(17));
        label->setTextColor(UIColor::colorWithRed(0.3, 0.34, 0.42, 1));
    }
    label->setShadowColor(UIColor::whiteColor());
    label->setShadowOffset(CGSizeMake(0, 1));
    // Inset like the platform's grouped titles.
    auto holder = std::make_shared<UIView>(CGRectZero);
    holder->setOpaque(false);
    holder->setBackgroundColor(UIColor::clearColor());
    label->setFrame(CGRectMake(20, 6, 280, 24));
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    holder->setFrame(CGRectMake(0, 0, 320, 36));
    holder->addSubview(label);
    return holder;
}

IndexStrip::IndexStrip(std::vector<std::string> titles) : titles_(std::move(titles)) {
    setOpaque(false);
    setContentMode(UIViewContentModeRedraw);  // the titles are spread over the height
    setBackgroundColor(UIColor::clearColor());
}

void IndexStrip::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c || titles_.empty()) return;
    CGRect b = bounds();
    if (tracking_) {
        c->setRGBFillColor(0, 0, 0, 0.2);
        c->addRoundedRect(CGRectInset(b, 4, 2), 10);
        c->fillPath();
    }
    auto font = UIFont::boldSystemFontOfSize(12);
    double step = (b.size.height - 8) / static_cast<double>(titles_.size());
    c->setRGBFillColor(0.4, 0.45, 0.5, 1);
    for (size_t i = 0; i < titles_.size(); ++i)
        drawInRect(*c, titles_[i], CGRectMake(0, 4 + step * static_cast<double>(i), b.size.width, step), *font,
                   UILineBreakModeClip, UITextAlignmentCenter);
}

void IndexStrip::pick(UITouch* touch) {
    CGPoint p = touch->locationInView(this);
    double step = (bounds().size.height - 8) / static_cast<double>(std::max<size_t>(1, titles_.size()));
    int i = static_cast<int>((p.y - 4) / step);
    i = std::max(0, std::min(static_cast<int>(titles_.size()) - 1, i));
    if (i == last_) return;
    last_ = i;
    if (onSelect) onSelect(i, titles_[static_cast<size_t>(i)]);
}

void IndexStrip::touchesBegan(const UITouchSet& touches, UIEvent*) {
    tracking_ = true;
    last_ = -1;
    setNeedsDisplay();
    pick(*touches.begin());
}

void IndexStrip::touchesMoved(const UITouchSet& touches, UIEvent*) { pick(*touches.begin()); }

void IndexStrip::touchesEnded(const UITouchSet&, UIEvent*) {
    tracking_ = false;
    setNeedsDisplay();
}

void IndexStrip::touchesCancelled(const UITouchSet& t, UIEvent* e) { touchesEnded(t, e); }

}  // namespace UITableViewSectionViews
