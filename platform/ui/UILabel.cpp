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

// Height of one laid-out line, as the text layout measures it.
double UILabel::lineHeightOf(const UIFont& font)
{
    return std::ceil(sizeWithFont("Ag", font).height);
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
    if (numberOfLines_ > 0) maxHeight = std::min(maxHeight, numberOfLines_ * lineHeightOf(*font_));
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
        drawLines(*ctx, rect, *font);
    }
    ctx->restoreGState();
}

// Several lines wrap at words; when the text needs more lines than allowed, a
// truncating (or clipping) mode applies to the last line.
void UILabel::drawLines(CGContext& ctx, CGRect rect, const UIFont& font)
{
    double lineH = lineHeightOf(font);
    long maxLines = numberOfLines_ > 0 ? numberOfLines_ : static_cast<long>(std::floor(rect.size.height / lineH));
    auto wrappedHeight = [&](const std::string& t) {
        return sizeWithFont(t, font, CGSizeMake(rect.size.width, 1e6), UILineBreakModeWordWrap).height;
    };
    bool wraps = lineBreakMode_ == UILineBreakModeWordWrap || lineBreakMode_ == UILineBreakModeCharacterWrap;
    // Unlimited lines: text whose wrapped height fits the rectangle is drawn whole (lines
    // are shorter than the rounded-up line height, so counting by it would cut one).
    const bool fitsUnlimited = numberOfLines_ <= 0 && wrappedHeight(text_) <= rect.size.height + 0.5;
    if (wraps || fitsUnlimited || maxLines < 2 || wrappedHeight(text_) <= maxLines * lineH + 0.5) {
        drawInRect(ctx, text_, rect, font, wraps ? lineBreakMode_ : UILineBreakModeWordWrap, alignment_);
        return;
    }
    // The longest run of whole words that fills the lines before the last.
    std::vector<size_t> ends;
    for (size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == ' ' || text_[i] == '\n') ends.push_back(i);
    size_t lo = 0, hi = ends.size();
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (wrappedHeight(text_.substr(0, ends[mid - 1])) <= (maxLines - 1) * lineH + 0.5)
            lo = mid;
        else
            hi = mid - 1;
    }
    size_t cut = lo > 0 ? ends[lo - 1] : 0;
    std::string head = text_.substr(0, cut);
    std::string tail = text_.substr(cut);
    tail.erase(0, tail.find_first_not_of(" \n"));
    double headH = (maxLines - 1) * lineH;
    if (!head.empty())
        drawInRect(ctx, head, CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, headH), font,
                   UILineBreakModeWordWrap, alignment_);
    drawInRect(ctx, tail, CGRectMake(rect.origin.x, rect.origin.y + headH, rect.size.width, lineH), font, lineBreakMode_,
               alignment_);
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
