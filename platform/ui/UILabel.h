#pragma once
// A read-only text: font, colours (also highlighted), alignment, number of
// lines, break mode, shadow, shrinking to fit the width, baseline adjustment.

#include <string>

#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIView.h"

class CGContext;

class UILabel : public UIView {
public:
    explicit UILabel(CGRect frame = CGRectZero);

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    // Default: system font 17.
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    const UIColorPtr& textColor() const { return textColor_; }
    void setTextColor(UIColorPtr color);
    const UIColorPtr& highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(UIColorPtr color);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    UITextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(UITextAlignment alignment);
    UILineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(UILineBreakMode mode);
    // 0 means as many as fit.
    long numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(long lines);
    // Null: no shadow.
    const UIColorPtr& shadowColor() const { return shadowColor_; }
    void setShadowColor(UIColorPtr color);
    CGSize shadowOffset() const { return shadowOffset_; }  // default (0, -1)
    void setShadowOffset(CGSize offset);
    // Single-line labels only: shrink the font (not below minimumFontSize) to fit the width.
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSizeToFitWidth_; }
    void setAdjustsFontSizeToFitWidth(bool on);
    double minimumFontSize() const { return minimumFontSize_; }
    void setMinimumFontSize(double size);
    UIBaselineAdjustment baselineAdjustment() const { return baselineAdjustment_; }
    void setBaselineAdjustment(UIBaselineAdjustment adjustment);

    // Where the text goes inside bounds (vertically centred); overridable.
    virtual CGRect textRectForBounds(CGRect bounds, long numberOfLines) const;
    virtual void drawTextInRect(CGRect rect);

    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

private:
    void changed();
    void drawLines(CGContext& ctx, CGRect rect, const UIFont& font);
    static double lineHeightOf(const UIFont& font);
    CGSize textSize(CGSize limit) const;

    std::string text_;
    UIFontPtr font_;
    UIColorPtr textColor_;
    UIColorPtr highlightedTextColor_;
    bool highlighted_ = false;
    bool enabled_ = true;
    UITextAlignment alignment_ = UITextAlignmentLeft;
    UILineBreakMode lineBreakMode_ = UILineBreakModeTailTruncation;
    long numberOfLines_ = 1;
    UIColorPtr shadowColor_;
    CGSize shadowOffset_{0, -1};
    bool adjustsFontSizeToFitWidth_ = false;
    double minimumFontSize_ = 0;
    UIBaselineAdjustment baselineAdjustment_ = UIBaselineAdjustmentAlignBaselines;
};

using UILabelPtr = std::shared_ptr<UILabel>;
