#include "platform/ui/UIButton.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"

namespace {
const UIColorPtr& systemBlue()
{
    static UIColorPtr c = UIColor::colorWithRed(0.196, 0.310, 0.522, 1);
    return c;
}

// The image darkened as a pressed button shows it.
UIImagePtr darkened(const UIImagePtr& image)
{
    if (!image) return image;
    UIGraphicsBeginImageContextWithOptions(image->size(), false, image->scale());
    CGRect r = CGRectMake(0, 0, image->size().width, image->size().height);
    image->drawInRect(r);
    if (auto* ctx = UIGraphicsGetCurrentContext()) {
        ctx->setBlendMode(kCGBlendModeSourceAtop);
        ctx->setRGBFillColor(0, 0, 0, 0.35);
        ctx->fillRect(r);
    }
    UIImagePtr out = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    if (out && (image->leftCapWidth() || image->topCapHeight()))
        out = out->stretchableImageWithLeftCapWidth(image->leftCapWidth(), image->topCapHeight());
    return out ? out : image;
}
}  // namespace

UIButton::UIButton(CGRect frame) : UIControl(frame)
{
    setOpaque(false);
    titleLabel_ = std::make_shared<UILabel>();
    titleLabel_->setBackgroundColor(nullptr);
    titleLabel_->setOpaque(false);
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(15));
    titleLabel_->setTextAlignment(UITextAlignmentCenter);
    titleLabel_->setLineBreakMode(UILineBreakModeMiddleTruncation);
    titleLabel_->setShadowOffset(CGSizeZero);
    imageView_ = std::make_shared<UIImageView>();
    imageView_->setContentMode(UIViewContentModeCenter);
    looks_[UIControlStateNormal].titleColor = UIColor::whiteColor();
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type)
{
    auto b = std::make_shared<UIButton>();
    b->type_ = type;
    if (type == UIButtonTypeRoundedRect) {
        b->looks_[UIControlStateNormal].titleColor = systemBlue();
        b->looks_[UIControlStateHighlighted].titleColor = UIColor::whiteColor();
    } else if (type != UIButtonTypeCustom) {
        b->setFrame(CGRectMake(0, 0, 22, 22));
        b->showsTouchWhenHighlighted_ = true;
    }
    return b;
}

const UIButton::StateLook* UIButton::look(unsigned state) const
{
    auto it = looks_.find(state);
    return it == looks_.end() ? nullptr : &it->second;
}

template <class Field>
Field UIButton::lookFor(unsigned state, Field StateLook::*field) const
{
    for (unsigned s : {state, state & UIControlStateSelected, 0u})
        if (auto* l = look(s); l && l->*field) return l->*field;
    return Field{};
}

std::string UIButton::titleForState(unsigned state) const
{
    return lookFor(state, &StateLook::title).value_or("");
}

UIColorPtr UIButton::titleColorForState(unsigned state) const
{
    auto c = lookFor(state, &StateLook::titleColor);
    return c ? c : UIColor::whiteColor();
}

UIColorPtr UIButton::titleShadowColorForState(unsigned state) const
{
    return lookFor(state, &StateLook::titleShadowColor);
}

UIImagePtr UIButton::imageForState(unsigned state) const
{
    return lookFor(state, &StateLook::image);
}

UIImagePtr UIButton::backgroundImageForState(unsigned state) const
{
    return lookFor(state, &StateLook::backgroundImage);
}

void UIButton::setTitle(const std::string& title, unsigned state)
{
    looks_[state].title = title;
    updateSubviews();
}

void UIButton::setTitleColor(UIColorPtr color, unsigned state)
{
    looks_[state].titleColor = std::move(color);
    updateSubviews();
}

void UIButton::setTitleShadowColor(UIColorPtr color, unsigned state)
{
    looks_[state].titleShadowColor = std::move(color);
    updateSubviews();
}

void UIButton::setImage(UIImagePtr image, unsigned state)
{
    looks_[state].image = std::move(image);
    updateSubviews();
}

void UIButton::setBackgroundImage(UIImagePtr image, unsigned state)
{
    looks_[state].backgroundImage = std::move(image);
    setNeedsDisplay();
}

void UIButton::setFont(UIFontPtr font)
{
    titleLabel_->setFont(std::move(font));
    setNeedsLayout();
}

void UIButton::setLineBreakMode(UILineBreakMode mode)
{
    titleLabel_->setLineBreakMode(mode);
}

void UIButton::setContentEdgeInsets(UIEdgeInsets insets)
{
    contentEdgeInsets_ = insets;
    setNeedsLayout();
}

void UIButton::setTitleEdgeInsets(UIEdgeInsets insets)
{
    titleEdgeInsets_ = insets;
    setNeedsLayout();
}

void UIButton::setImageEdgeInsets(UIEdgeInsets insets)
{
    imageEdgeInsets_ = insets;
    setNeedsLayout();
}

void UIButton::setAdjustsImageWhenHighlighted(bool on)
{
    adjustsImageWhenHighlighted_ = on;
    updateSubviews();
}

void UIButton::setAdjustsImageWhenDisabled(bool on)
{
    adjustsImageWhenDisabled_ = on;
    updateSubviews();
}

void UIButton::setShowsTouchWhenHighlighted(bool on)
{
    showsTouchWhenHighlighted_ = on;
    setNeedsDisplay();
}

void UIButton::setReversesTitleShadowWhenHighlighted(bool on)
{
    reversesTitleShadowWhenHighlighted_ = on;
    updateSubviews();
}

void UIButton::stateDidChange()
{
    updateSubviews();
    setNeedsDisplay();
}

void UIButton::updateSubviews()
{
    unsigned s = state();
    std::string title = titleForState(s);
    titleLabel_->setText(title);
    titleLabel_->setTextColor(titleColorForState(s));
    titleLabel_->setShadowColor(titleShadowColorForState(s));
    // A pressed button may cast its title shadow the other way.
    bool reversed = isHighlighted() && reversesTitleShadowWhenHighlighted_;
    if (reversed != shadowReversed_) {
        CGSize o = titleLabel_->shadowOffset();
        titleLabel_->setShadowOffset(CGSizeMake(-o.width, -o.height));
        shadowReversed_ = reversed;
    }
    UIImagePtr image = imageForState(s);
    bool ownHighlight = look(s) && look(s)->image;
    if (isHighlighted() && adjustsImageWhenHighlighted_ && !ownHighlight) image = darkened(image);
    imageView_->setImage(image);
    imageView_->setAlpha(!isEnabled() && adjustsImageWhenDisabled_ && !(look(s) && look(s)->image) ? 0.4 : 1.0);
    if (!title.empty() && !titleLabel_->superview()) addSubview(titleLabel_);
    if (title.empty() && titleLabel_->superview()) titleLabel_->removeFromSuperview();
    if (image && !imageView_->superview()) insertSubview(imageView_, 0);
    if (!image && imageView_->superview()) imageView_->removeFromSuperview();
    setNeedsLayout();
}

CGRect UIButton::backgroundRectForBounds(CGRect bounds) const
{
    return bounds;
}

CGRect UIButton::contentRectForBounds(CGRect bounds) const
{
    return UIEdgeInsetsInsetRect(bounds, contentEdgeInsets_);
}

CGSize UIButton::titleSize() const
{
    std::string title = titleLabel_->text();
    if (title.empty() || !titleLabel_->font()) return CGSizeZero;
    CGSize s = sizeWithFont(title, *titleLabel_->font());
    return CGSizeMake(std::ceil(s.width), std::ceil(std::max(s.height, titleLabel_->font()->lineHeight())));
}

namespace {
// Places a block of `size` in `area` by the control's content alignment.
CGRect place(CGSize size, CGRect area, UIControlContentHorizontalAlignment h, UIControlContentVerticalAlignment v)
{
    double x = area.origin.x, y = area.origin.y, w = size.width, hgt = size.height;
    switch (h) {
    case UIControlContentHorizontalAlignmentLeft: break;
    case UIControlContentHorizontalAlignmentRight: x += area.size.width - w; break;
    case UIControlContentHorizontalAlignmentFill: w = area.size.width; break;
    default: x += std::floor((area.size.width - w) / 2); break;
    }
    switch (v) {
    case UIControlContentVerticalAlignmentTop: break;
    case UIControlContentVerticalAlignmentBottom: y += area.size.height - hgt; break;
    case UIControlContentVerticalAlignmentFill: hgt = area.size.height; break;
    default: y += std::floor((area.size.height - hgt) / 2); break;
    }
    return CGRectMake(x, y, w, hgt);
}
}  // namespace

// Image left of the title, the pair placed by the content alignment; each
// then moved by its own insets.
CGRect UIButton::imageRectForContentRect(CGRect contentRect) const
{
    UIImagePtr image = currentImage();
    if (!image) return CGRectZero;
    CGSize is = image->size();
    CGSize ts = titleSize();
    CGSize pair = CGSizeMake(is.width + ts.width, std::max(is.height, ts.height));
    pair.width = std::min(pair.width, contentRect.size.width);
    CGRect block = place(pair, contentRect, contentHorizontalAlignment(), contentVerticalAlignment());
    CGRect r = CGRectMake(block.origin.x, block.origin.y + (block.size.height - is.height) / 2, is.width, is.height);
    if (contentHorizontalAlignment() == UIControlContentHorizontalAlignmentFill && ts.width == 0) r = block;
    return UIEdgeInsetsInsetRect(r, imageEdgeInsets_);
}

CGRect UIButton::titleRectForContentRect(CGRect contentRect) const
{
    CGSize ts = titleSize();
    if (ts.width == 0) return CGRectZero;
    UIImagePtr image = currentImage();
    CGSize is = image ? image->size() : CGSizeZero;
    CGSize pair = CGSizeMake(is.width + ts.width, std::max(is.height, ts.height));
    CGRect area = UIEdgeInsetsInsetRect(contentRect, titleEdgeInsets_);
    pair.width = std::min(pair.width, area.size.width);
    CGRect block = place(pair, area, contentHorizontalAlignment(), contentVerticalAlignment());
    double tw = std::max(0.0, block.size.width - is.width);
    if (contentHorizontalAlignment() == UIControlContentHorizontalAlignmentFill) tw = area.size.width - is.width;
    return CGRectMake(block.origin.x + is.width, block.origin.y + (block.size.height - ts.height) / 2, tw, ts.height);
}

void UIButton::layoutSubviews()
{
    CGRect content = contentRectForBounds(bounds());
    titleLabel_->setFrame(titleRectForContentRect(content));
    imageView_->setFrame(imageRectForContentRect(content));
}

namespace {
void drawSymbol(CGContext& ctx, CGRect b, UIButtonType type, bool highlighted)
{
    double d = std::min(b.size.width, b.size.height) - 2;
    CGRect circle = CGRectMake(b.origin.x + (b.size.width - d) / 2, b.origin.y + (b.size.height - d) / 2, d, d);
    bool light = type == UIButtonTypeInfoLight;
    if (light)
        ctx.setRGBFillColor(1, 1, 1, highlighted ? 0.6 : 1);
    else
        ctx.setRGBFillColor(0.16, 0.44, 0.85, highlighted ? 0.6 : 1);
    ctx.fillEllipseInRect(circle);
    if (light)
        ctx.setRGBStrokeColor(0.2, 0.2, 0.2, 1);
    else
        ctx.setRGBStrokeColor(1, 1, 1, 1);
    ctx.setLineWidth(std::max(1.5, d / 9));
    ctx.setLineCap(kCGLineCapRound);
    double cx = CGRectGetMidX(circle), cy = CGRectGetMidY(circle), r = d / 4;
    ctx.beginPath();
    switch (type) {
    case UIButtonTypeContactAdd:
        ctx.moveToPoint(cx - r, cy);
        ctx.addLineToPoint(cx + r, cy);
        ctx.moveToPoint(cx, cy - r);
        ctx.addLineToPoint(cx, cy + r);
        break;
    case UIButtonTypeDetailDisclosure:
        ctx.moveToPoint(cx - r / 2, cy - r);
        ctx.addLineToPoint(cx + r / 2, cy);
        ctx.addLineToPoint(cx - r / 2, cy + r);
        break;
    default:  // info: a dot over a stem
        ctx.moveToPoint(cx, cy - r / 6);
        ctx.addLineToPoint(cx, cy + r);
        ctx.strokePath();
        ctx.fillEllipseInRect(CGRectMake(cx - 0.1, cy - r - 0.1, 0.2, 0.2));
        ctx.beginPath();
        ctx.addEllipseInRect(CGRectMake(cx - d / 14, cy - r - d / 14, d / 7, d / 7));
        break;
    }
    ctx.strokePath();
}
}  // namespace

void UIButton::drawRect(CGRect)
{
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    CGRect b = backgroundRectForBounds(bounds());
    unsigned s = state();
    if (UIImagePtr bg = backgroundImageForState(s)) {
        bool ownHighlight = look(s) && look(s)->backgroundImage;
        if (isHighlighted() && adjustsImageWhenHighlighted_ && !ownHighlight) bg = darkened(bg);
        double alpha = !isEnabled() && adjustsImageWhenDisabled_ && !ownHighlight ? 0.4 : 1.0;
        bg->drawInRect(b, kCGBlendModeNormal, alpha);
    } else if (type_ == UIButtonTypeRoundedRect) {
        CGRect r = CGRectInset(b, 0.5, 0.5);
        ctx->beginPath();
        ctx->addRoundedRect(r, 9);
        if (isHighlighted())
            ctx->setRGBFillColor(0.16, 0.44, 0.85, 1);
        else
            ctx->setRGBFillColor(1, 1, 1, 1);
        ctx->fillPath();
        ctx->beginPath();
        ctx->addRoundedRect(r, 9);
        ctx->setRGBStrokeColor(0.55, 0.58, 0.62, 1);
        ctx->setLineWidth(1);
        ctx->strokePath();
    } else if (type_ != UIButtonTypeCustom) {
        drawSymbol(*ctx, b, type_, isHighlighted());
    }
    if (showsTouchWhenHighlighted_ && isHighlighted()) {
        double r = 20;
        auto glow = CGGradient::createWithColors({UIColor::colorWithWhite(1, 0.9), UIColor::colorWithWhite(1, 0)}, {0, 1});
        CGPoint c = CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b));
        if (glow) ctx->drawRadialGradient(*glow, c, 0, c, r, 0);
    }
}

CGSize UIButton::sizeThatFits(CGSize) const
{
    CGSize ts = titleSize();
    UIImagePtr image = currentImage();
    CGSize is = image ? image->size() : CGSizeZero;
    double w = ts.width + is.width + contentEdgeInsets_.left + contentEdgeInsets_.right;
    double h = std::max(ts.height, is.height) + contentEdgeInsets_.top + contentEdgeInsets_.bottom;
    if (UIImagePtr bg = currentBackgroundImage()) {
        w = std::max(w, bg->size().width);
        h = std::max(h, bg->size().height);
    }
    if (type_ != UIButtonTypeCustom && type_ != UIButtonTypeRoundedRect) return CGSizeMake(22, 22);
    return CGSizeMake(w, h);
}
