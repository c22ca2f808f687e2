#include "toolkit/style/TTDefaultStyleSheet.h"

#include "toolkit/style/TTBorderStyles.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/foundation/UIColor+TTCategory.h"
#include "toolkit/style/TTStyleColor.h"
#include "toolkit/style/TTTextStyle.h"

using TTStyleColor::rgb;
using TTStyleColor::white;

const TTStyleSheet::Builder* TTDefaultStyleSheet::builderNamed(const std::string& name) const {
    const Registry& registry = namedStyles();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : &it->second;
}

TTDefaultStyleSheet& TTDefaultStyleSheet::global() {
    auto* sheet = dynamic_cast<TTDefaultStyleSheet*>(TTStyleSheet::globalStyleSheet().get());
    return sheet ? *sheet : *this;
}

TTDefaultStyleSheet& TTDefaultStyleSheet::current() {
    static TTDefaultStyleSheet plain;
    return plain.global();
}

UIColorPtr TTDefaultStyleSheet::textColor() { return UIColor::blackColor(); }
UIColorPtr TTDefaultStyleSheet::highlightedTextColor() { return UIColor::whiteColor(); }
UIColorPtr TTDefaultStyleSheet::placeholderTextColor() { return rgb(180, 180, 180); }
UIColorPtr TTDefaultStyleSheet::timestampTextColor() { return rgb(36, 112, 216); }
UIColorPtr TTDefaultStyleSheet::linkTextColor() { return rgb(87, 107, 149); }
UIColorPtr TTDefaultStyleSheet::moreLinkTextColor() { return rgb(36, 112, 216); }
UIColorPtr TTDefaultStyleSheet::selectedTextColor() { return UIColor::whiteColor(); }
UIColorPtr TTDefaultStyleSheet::photoCaptionTextColor() { return UIColor::whiteColor(); }
UIColorPtr TTDefaultStyleSheet::navigationBarTintColor() { return rgb(119, 140, 168); }
UIColorPtr TTDefaultStyleSheet::toolbarTintColor() { return rgb(109, 132, 162); }
UIColorPtr TTDefaultStyleSheet::searchBarTintColor() { return rgb(200, 200, 200); }
UIColorPtr TTDefaultStyleSheet::screenBackgroundColor() { return white(0, 0.8); }
UIColorPtr TTDefaultStyleSheet::backgroundColor() { return UIColor::whiteColor(); }
UIColorPtr TTDefaultStyleSheet::tableActivityTextColor() { return rgb(99, 109, 125); }
UIColorPtr TTDefaultStyleSheet::tableErrorTextColor() { return rgb(79, 89, 105); }
UIColorPtr TTDefaultStyleSheet::tableSubTextColor() { return rgb(79, 89, 105); }
UIColorPtr TTDefaultStyleSheet::tableTitleTextColor() { return rgb(99, 109, 125); }
UIColorPtr TTDefaultStyleSheet::tableSeparatorColor() { return white(0.9, 1); }
UIColorPtr TTDefaultStyleSheet::tableGroupedBackgroundColor() { return UIColor::groupTableViewBackgroundColor(); }
UIColorPtr TTDefaultStyleSheet::searchTableBackgroundColor() { return rgb(235, 235, 235); }
UIColorPtr TTDefaultStyleSheet::searchTableSeparatorColor() { return white(0.85, 1); }
UIColorPtr TTDefaultStyleSheet::tabBarTintColor() { return rgb(119, 140, 168); }
UIColorPtr TTDefaultStyleSheet::tabTintColor() { return rgb(228, 230, 235); }
UIColorPtr TTDefaultStyleSheet::messageFieldTextColor() { return white(0.5, 1); }
UIColorPtr TTDefaultStyleSheet::messageFieldSeparatorColor() { return white(0.7, 1); }
UIColorPtr TTDefaultStyleSheet::thumbnailBackgroundColor() { return white(0.95, 1); }
UIColorPtr TTDefaultStyleSheet::calendarHeaderTopColor() { return rgb(132, 40, 40); }
UIColorPtr TTDefaultStyleSheet::calendarHeaderBottomColor() { return rgb(69, 21, 21); }
UIColorPtr TTDefaultStyleSheet::calendarGridTopColor() { return rgb(226, 226, 229); }
UIColorPtr TTDefaultStyleSheet::calendarGridBottomColor() { return rgb(200, 200, 205); }
UIColorPtr TTDefaultStyleSheet::calendarTextColor() { return rgb(59, 73, 88); }
UIColorPtr TTDefaultStyleSheet::calendarHeaderTextColor() { return rgb(255, 255, 255); }
UIColorPtr TTDefaultStyleSheet::calendarTextLightColor() { return rgb(147, 155, 165); }
UIColorPtr TTDefaultStyleSheet::calendarTileDimmedOutColor() { return rgb(0, 0, 0, 0.25); }
UIColorPtr TTDefaultStyleSheet::calendarGridLineHighlightColor() { return rgb(159, 162, 172); }
UIColorPtr TTDefaultStyleSheet::calendarGridLineShadowColor() { return rgb(237, 237, 239); }
UIColorPtr TTDefaultStyleSheet::calendarContentSeparatorColor() { return rgb(151, 154, 155); }

UIFontPtr TTDefaultStyleSheet::font() { return UIFont::systemFontOfSize(14); }
UIFontPtr TTDefaultStyleSheet::buttonFont() { return UIFont::boldSystemFontOfSize(12); }
UIFontPtr TTDefaultStyleSheet::tableFont() { return UIFont::boldSystemFontOfSize(17); }
UIFontPtr TTDefaultStyleSheet::tableSmallFont() { return UIFont::boldSystemFontOfSize(15); }
UIFontPtr TTDefaultStyleSheet::tableTitleFont() { return UIFont::boldSystemFontOfSize(13); }
UIFontPtr TTDefaultStyleSheet::tableTimestampFont() { return UIFont::systemFontOfSize(13); }
UIFontPtr TTDefaultStyleSheet::tableButtonFont() { return UIFont::boldSystemFontOfSize(13); }
UIFontPtr TTDefaultStyleSheet::tableSummaryFont() { return UIFont::systemFontOfSize(17); }
UIFontPtr TTDefaultStyleSheet::photoCaptionFont() { return UIFont::boldSystemFontOfSize(12); }
UIFontPtr TTDefaultStyleSheet::messageFont() { return UIFont::systemFontOfSize(15); }
UIFontPtr TTDefaultStyleSheet::errorTitleFont() { return UIFont::boldSystemFontOfSize(16); }
UIFontPtr TTDefaultStyleSheet::errorSubtitleFont() { return UIFont::boldSystemFontOfSize(12); }
UIFontPtr TTDefaultStyleSheet::activityLabelFont() { return UIFont::systemFontOfSize(17); }
UIFontPtr TTDefaultStyleSheet::activityBannerFont() { return UIFont::boldSystemFontOfSize(11); }

UIColorPtr TTDefaultStyleSheet::toolbarButtonColorWithTintColor(const UIColorPtr& tint, int state) {
    if (!tint) return nullptr;
    const float s = tt::saturation(*tint), v = tt::value(*tint);
    if (state & 5) {
        if (static_cast<double>(v) < 0.2) return TTStyleColor::add(tint, 0, 0, 0.2);
        if (static_cast<double>(s) > 0.3) return TTStyleColor::multiply(tint, 1, 1, 0.4);
        return TTStyleColor::multiply(tint, 1, 2.3, 0.64);
    }
    if (s < 0.5f) return TTStyleColor::multiply(tint, 1, 1.6, 0.97);
    return TTStyleColor::multiply(tint, 1, 1.25, 0.75);
}

UIColorPtr TTDefaultStyleSheet::toolbarButtonTextColorForState(int state) {
    return state & 2 ? white(1, 0.4) : UIColor::whiteColor();
}

TTStylePtr TTDefaultStyleSheet::toolbarButtonForState(int state, TTShapePtr shape, const UIColorPtr& tint,
                                                      UIFontPtr font) {
    const UIColorPtr fill = toolbarButtonColorWithTintColor(tint, state);
    const UIColorPtr text = toolbarButtonTextColorForState(state);
    return TTShapeStyle::styleWithShape(std::move(shape),
        TTInsetStyle::styleWithInset(UIEdgeInsetsMake(2, 0, 1, 0),
        TTShadowStyle::styleWithColor(rgb(255, 255, 255, 0.25), 0, CGSizeMake(0, 1),
        TTReflectiveFillStyle::styleWithColor(fill,
        TTBevelBorderStyle::styleWithHighlight(TTStyleColor::multiply(fill, 1, 0.9, 0.7),
                                               TTStyleColor::multiply(fill, 1, 0.5, 0.6), 1, 270,
        TTInsetStyle::styleWithInset(UIEdgeInsetsMake(0, -1, 0, -1),
        TTBevelBorderStyle::styleWithHighlight(nullptr, rgb(0, 0, 0, 0.15), 1, 270,
        TTBoxStyle::styleWithPadding(UIEdgeInsetsMake(8, 8, 8, 8),
        TTImageStyle::styleWithImageURL("", nullptr, 0, CGSizeMake(0, 0),
        TTTextStyle::styleWithFont(std::move(font), text, white(0, 0.4), CGSizeMake(0, -1), nullptr))))))))));
}

TTStylePtr TTDefaultStyleSheet::selectionFillStyle(TTStylePtr next) {
    return TTLinearGradientFillStyle::styleWithColor1(rgb(5, 140, 245), rgb(1, 93, 230), std::move(next));
}

TTStylePtr TTDefaultStyleSheet::calendarTileWithColor(UIColorPtr color) {
    TTDefaultStyleSheet& g = global();
    return TTFourBorderStyle::styleWithTop(g.calendarGridLineHighlightColor(), g.calendarGridLineHighlightColor(),
                                           nullptr, nullptr, 1,
        TTFourBorderStyle::styleWithTop(g.calendarGridLineShadowColor(), g.calendarGridLineShadowColor(), nullptr,
                                        nullptr, 1,
        TTTextStyle::styleWithFont(UIFont::boldSystemFontOfSize(24), std::move(color), UIColor::whiteColor(),
                                   CGSizeMake(0, 1), nullptr)));
}

TTStylePtr TTDefaultStyleSheet::calendarTileMarkWithColor(UIColorPtr color) {
    return TTInsetStyle::styleWithInset(UIEdgeInsetsMake(32, 20, 6, 20),
        TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithRadius(TTRoundedRadius),
        TTSolidFillStyle::styleWithColor(std::move(color), nullptr)));
}

TTStylePtr TTDefaultStyleSheet::calendarTileMarkWithColorLand(UIColorPtr color) {
    return TTInsetStyle::styleWithInset(UIEdgeInsetsMake(35, 16, 6, 16),
        TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithRadius(TTRoundedRadius),
        TTSolidFillStyle::styleWithColor(std::move(color), nullptr)));
}
