#include "Classes/Search/StyledSnippetLabel.h"

#include <cmath>

#include "platform/graphics/CGContext.h"

StyledSnippetLabel::StyledSnippetLabel(CGRect frame) : UIView(frame) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setUserInteractionEnabled(false);
    font_ = UIFont::fontWithName("Helvetica", 13);
    textColor_ = UIColor::blackColor();
}

void StyledSnippetLabel::setText(const std::string& markup) {
    markup_ = markup;
    runs_ = HighlightTextStyleSheet::parse(markup);
    setNeedsDisplay();
}

std::vector<SnippetRun> StyledSnippetLabel::displayedRuns() const {
    std::vector<SnippetRun> out = runs_;
    for (auto& run : out) {
        if (selectionLook_ && run.styleName == "yellowBox") run.styleName = "whiteBox";
        else if (!selectionLook_ && run.styleName == "whiteBox") run.styleName = "yellowBox";
    }
    return out;
}

void StyledSnippetLabel::setFont(UIFontPtr font) {
    if (font) font_ = std::move(font);
    setNeedsDisplay();
}

void StyledSnippetLabel::setTextColor(UIColorPtr color) {
    textColor_ = color ? std::move(color) : UIColor::blackColor();
    setNeedsDisplay();
}

void StyledSnippetLabel::setHighlightedTextColor(UIColorPtr color) {
    highlightedTextColor_ = std::move(color);
    setNeedsDisplay();
}

void StyledSnippetLabel::setTextAlignment(UITextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void StyledSnippetLabel::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    setNeedsDisplay();
}

void StyledSnippetLabel::setShowsSelectionLook(bool on) {
    if (selectionLook_ == on) return;
    selectionLook_ = on;
    setNeedsDisplay();
}

void StyledSnippetLabel::drawRect(CGRect) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context || runs_.empty() || !font_) return;
    const std::vector<SnippetRun> runs = displayedRuns();
    const CGRect b = bounds();
    std::vector<double> widths;
    double total = 0;
    for (const auto& run : runs) {
        widths.push_back(sizeWithFont(run.text, *font_).width);
        total += widths.back();
    }
    const double lineHeight = sizeWithFont("", *font_).height;
    const double y = std::floor((b.size.height - lineHeight) / 2);
    double x = 0;
    if (alignment_ == UITextAlignmentRight) x = b.size.width - total;
    else if (alignment_ == UITextAlignmentCenter) x = std::floor((b.size.width - total) / 2);
    x = std::max(0.0, x);
    const UIColorPtr base = highlighted_ && highlightedTextColor_ ? highlightedTextColor_ : textColor_;

    context->saveGState();
    context->addRect(b);
    context->clip();
    for (size_t i = 0; i < runs.size() && x < b.size.width; ++i) {
        const std::optional<SnippetStyle> style = HighlightTextStyleSheet::styleWithSelector(runs[i].styleName);
        if (style && style->boxColor) {
            const CGRect box = CGRectMake(x + style->insetLeft, y + style->insetTop,
                                          widths[i] - style->insetLeft - style->insetRight,
                                          lineHeight - style->insetTop - style->insetBottom);
            context->setFillColorWithColor(*style->boxColor);
            context->addRoundedRect(box, style->radius);
            context->fillPath();
        }
        context->setFillColorWithColor(style && style->textColor ? *style->textColor : *base);
        // The last run that reaches the edge is cut there; the snippet was already cut to the width.
        drawInRect(*context, runs[i].text, CGRectMake(x, y, b.size.width - x, lineHeight), *font_,
                   UILineBreakModeClip, UITextAlignmentLeft);
        x += widths[i];
    }
    context->restoreGState();
}
