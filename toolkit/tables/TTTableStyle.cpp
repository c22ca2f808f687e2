#include "toolkit/tables/TTTableStyle.h"

#include "platform/text/StringDrawing.h"

namespace tt {

TTDefaultStyleSheet& tableStyleSheet()
{
    static TTDefaultStyleSheet fallback;
    return fallback.global();
}

void styleCellLabel(UILabel& label, const UIFontPtr& font, const UIColorPtr& color)
{
    label.setFont(font);
    label.setTextColor(color);
    label.setHighlightedTextColor(tableStyleSheet().highlightedTextColor());
}

double textHeight(const std::string& text, const UIFontPtr& font, double width, UILineBreakMode mode)
{
    if (text.empty() || !font) return 0;
    // Measured in a box of unlimited height, a truncating text still wraps at words; only a
    // last line cut by the box would be truncated, and this box cuts none.
    const bool truncating = mode == UILineBreakModeHeadTruncation || mode == UILineBreakModeMiddleTruncation ||
                            mode == UILineBreakModeTailTruncation;
    return sizeWithFont(text, *font, CGSize{width, 1e9}, truncating ? UILineBreakModeWordWrap : mode).height;
}

}  // namespace tt
