#include "toolkit/tables/TTTableStyle.h"

#include "platform/text/StringDrawing.h"

namespace tt {

TTDefaultStyleSheet& tableStyleSheet()
{
    static TTDefaultStyleSheet fallback;
    return fallback.global();
}

double textHeight(const std::string& text, const UIFontPtr& font, double width, UILineBreakMode mode)
{
    if (text.empty() || !font) return 0;
    return sizeWithFont(text, *font, CGSize{width, 1e9}, mode).height;
}

}  // namespace tt
