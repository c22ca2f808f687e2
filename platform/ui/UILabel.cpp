#include "platform/ui/UILabel.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"

UILabel::UILabel(CGRect frame) : UIView(frame)
{
    font_ = UIFont::systemFontOfSize(17);
    textColor_ = UIColor::blackColor();
    setUserInteractionEnabled(false);
    setContentMode(UIViewContentModeRedraw);
    setBackgroundColor(UIColor::whiteColor());
}

void UILabel::changed()
{
    setNeedsDisplay();
}

void UILabel::setText(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    changed();
}

void UILabel::setFont(UIFontPtr font)
{
    font_ = font ? std::move(font) : UIFont::systemFontOfSize(17);
    changed();
}

void UILabel::setTextColor(UIColorPtr color)
{
    textColor_ = color ? std::move(color) : UIColor::blackColor();
    changed();
}

void UILabel::setHighlightedTextColor(UIColorPtr color)
{
    highlightedTextColor_ = std::move(color);
    if (highlighted_) changed();
}

void UILabel::setHighlighted(bool highlighted)
{
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    changed();
}

void UILabel::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed();
}

void UILabel::setTextAlignment(UITextAlignment alignment)
{
    alignment_ = alignment;
    changed();
}

void UILabel::setLineBreakMode(UILineBreakMode mode)
{
    lineBreakMode_ = mode;
    changed();
}

void UILabel::setNumberOfLines(long lines)
{
    numberOfLines_ = std::max(0L, lines);
    changed();
}

void UILabel::setShadowColor(UIColorPtr color)
{
    shadowColor_ = std::move(color);
    changed();
}

void UILabel::setShadowOffset(CGSize offset)
{
    shadowOffset_ = offset;
    changed();
}

void UILabel::setAdjustsFontSizeToFitWidth(bool on)
{
    adjustsFontSizeToFitWidth_ = on;
    changed();
}

void UILabel::setMinimumFontSize(double size)
{
    minimumFontSize_ = size;
    changed();
}

void UILabel::setBaselineAdjustment(UIBaselineAdjustment adjustment)
{
    baselineAdjustment_ = adjustment;
    changed();
}

// Size of the text laid out within `limit`, as drawn.
CGSize UILabel::textSize(CGSize limit) const
{
    if (text_.empty() || !font_) return CGSizeZero;
    if (numberOfLines_ == 1) {
        CGSize s = sizeWithFont(text_, *font_, limit.width, lineBreakMode_);
        s.height = std::max(s.height, std::ceil(font_->lineHeight()));
        return s;
    }
    double maxHeight = limit.height;
    if (numberOfLines_ > 0) maxHeight = std::min(maxHeight, numberOfLines_ * std::ceil(font_->lineHeight()));
    // Several lines always wrap at words; a truncating mode cuts the last line.
    return sizeWithFont(text_, *font_, CGSizeMake(limit.width, maxHeight), UILineBreakModeWordWrap);
}

CGRect UILabel::textRectForBounds(CGRect bounds, long) const
{
    CGSize s = textSize(bounds.size);
    double h = std::min(s.height, bounds.size.height);
    return CGRectMake(bounds.origin.x, bounds.origin.y + std::floor((bounds.size.height - h) / 2), bounds.size.width, h);
}

void UILabel::drawTextInRect(CGRect rect)
{
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx || text_.empty() || !font_) return;
    UIColorPtr color = highlighted_ && highlightedTextColor_ ? highlightedTextColor_ : textColor_;
    if (!enabled_) color = color->colorWithAlphaComponent(color->alpha() * 0.45);
    ctx->saveGState();
    ctx->setFillColorWithColor(*color);
    if (shadowColor_) ctx->setShadowWithColor(shadowOffset_, 0, shadowColor_.get());

    UIFontPtr font = font_;
    if (numberOfLines_ == 1) {
        if (adjustsFontSizeToFitWidth_) {
            double minSize = std::max(1.0, minimumFontSize_);
            while (sizeWithFont(text_, *font).width > rect.size.width && font->pointSize() - 1 >= minSize)
                font = font->fontWithSize(font->pointSize() - 1);
        }
        double lineH = std::ceil(font->lineHeight());
        CGRect line = rect;
        if (font != font_) {
            double full = std::ceil(font_->lineHeight());
            if (baselineAdjustment_ == UIBaselineAdjustmentAlignCenters)
                line.origin.y += (full - lineH) / 2;
            else if (baselineAdjustment_ == UIBaselineAdjustmentAlignBaselines)
                line.origin.y += font_->ascender() - font->ascender();
        }
        line.size.height = std::max(line.size.height, lineH);
        drawInRect(*ctx, text_, line, *font, lineBreakMode_, alignment_);
    } else {
        drawInRect(*ctx, text_, rect, *font, UILineBreakModeWordWrap, alignment_);
    }
    ctx->restoreGState();
}

void UILabel::drawRect(CGRect)
{
    drawTextInRect(textRectForBounds(bounds(), numberOfLines_));
}

CGSize UILabel::sizeThatFits(CGSize size) const
{
    if (text_.empty() || !font_) return CGSizeZero;
    if (numberOfLines_ == 1) {
        CGSize s = sizeWithFont(text_, *font_);
        return CGSizeMake(std::ceil(s.width), std::max(std::ceil(s.height), std::ceil(font_->lineHeight())));
    }
    double w = size.width > 0 ? size.width : 1e6;
    return textSize(CGSizeMake(w, 1e6));
}
