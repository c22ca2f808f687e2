#include "Classes/Support/UILabel+VerticalAlign.h"

#include "platform/text/StringDrawing.h"
#include "platform/ui/UILabel.h"

namespace {

// Line breaks the label's text needs to fill `limit`, measured in lines of its font.
int paddingLines(const UILabel& label, double limit, double lineHeight) {
    if (!label.font() || lineHeight <= 0) return 0;
    const CGSize text = sizeWithFont(label.text(), *label.font(), CGSizeMake(label.frame().size.width, limit),
                                     label.lineBreakMode());
    return static_cast<int>((limit - text.height) / lineHeight);
}

}  // namespace

void alignTop(UILabel& label) {
    if (!label.font()) return;
    const double lineHeight = sizeWithFont(label.text(), *label.font()).height;
    const int n = paddingLines(label, 1000 * lineHeight, lineHeight);
    std::string text = label.text();
    for (int i = 0; i < n; ++i) text += "\n ";
    if (n >= 1) label.setText(text);
}

void alignBottom(UILabel& label) {
    if (!label.font()) return;
    const double lineHeight = sizeWithFont(label.text(), *label.font()).height;
    const int n = paddingLines(label, lineHeight * label.numberOfLines(), lineHeight);
    std::string text = label.text();
    for (int i = 0; i < n; ++i) text = " \n" + text;
    if (n >= 1) label.setText(text);
}
