#include "Classes/Search/HighlightTextStyleSheet.h"

#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTTextStyle.h"

const TTStyleSheet::Builder* HighlightTextStyleSheet::builderNamed(const std::string& name) const {
    static const Registry own = {
        {"yellowBox", [](TTStyleSheet&, int) -> TTStylePtr {
             return TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithRadius(2),
                 TTInsetStyle::styleWithInset(UIEdgeInsetsMake(0, -1, -2, -1),
                 TTSolidFillStyle::styleWithColor(UIColor::whiteColor(), nullptr)));
         }},
        {"whiteBox", [](TTStyleSheet&, int) -> TTStylePtr {
             return TTTextStyle::styleWithColor(UIColor::whiteColor(), nullptr);
         }},
    };
    auto it = own.find(name);
    return it != own.end() ? &it->second : TTDefaultStyleSheet::builderNamed(name);
}

void HighlightTextStyleSheet::applySelectionLook(TTStyledText& snippet, bool selected) {
    const std::string from = selected ? "yellowBox" : "whiteBox", to = selected ? "whiteBox" : "yellowBox";
    while (TTStyledElement* word = snippet.getElementByClassName(from)) word->setClassName(to);
    snippet.setNeedsLayout();
}
