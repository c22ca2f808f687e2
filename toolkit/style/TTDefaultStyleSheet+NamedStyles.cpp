#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTBorderStyles.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTStyleColor.h"
#include "toolkit/style/TTTextStyle.h"

namespace {

using Sheet = TTDefaultStyleSheet;
UIEdgeInsets insets(CGFloat t, CGFloat l, CGFloat b, CGFloat r) { return UIEdgeInsetsMake(t, l, b, r); }
TTShapePtr rounded(float r) { return TTRoundedRectangleShape::shapeWithRadius(r); }
UIFontPtr bold(double size) { return UIFont::boldSystemFontOfSize(size); }
using TTStyleColor::multiply;
using TTStyleColor::rgb;
using TTStyleColor::white;

TTStylePtr toolbar(Sheet& sheet, int state, TTShapePtr shape, UIColorPtr tint) {
    return sheet.toolbarButtonForState(state, std::move(shape), tint, nullptr);
}

TTStylePtr badge(float fontSize) {
    return TTShapeStyle::styleWithShape(rounded(TTRoundedRadius),
        TTInsetStyle::styleWithInset(insets(1, 1, 1, 1),
        TTShadowStyle::styleWithColor(rgb(0, 0, 0), 3, CGSizeMake(0, 4),
        TTReflectiveFillStyle::styleWithColor(rgb(221, 17, 27),
        TTInsetStyle::styleWithInset(insets(-1, -1, -1, -1),
        TTSolidBorderStyle::styleWithColor(UIColor::whiteColor(), 2,
        TTBoxStyle::styleWithPadding(insets(2, 7, 2, 7),
        TTTextStyle::styleWithFont(bold(fontSize), UIColor::whiteColor(), nullptr))))))));
}

TTStylePtr tab(Sheet& sheet, int state) {
    Sheet& g = sheet.global();
    if (state == 4) {
        const UIColorPtr border = multiply(g.tabBarTintColor(), 0, 0, 0.7);
        return TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithTopLeft(4.5, 4.5, 0, 0),
            TTInsetStyle::styleWithInset(insets(5, 1, 0, 1),
            TTReflectiveFillStyle::styleWithColor(g.tabTintColor(),
            TTInsetStyle::styleWithInset(insets(-1, -1, 0, -1),
            TTFourBorderStyle::styleWithTop(border, border, nullptr, border, 1,
            TTBoxStyle::styleWithPadding(insets(6, 12, 2, 12),
            TTTextStyle::styleWithFont(bold(14), g.textColor(), 8, white(1, 0.8), CGSizeMake(0, -1), nullptr)))))));
    }
    return TTInsetStyle::styleWithInset(insets(5, 1, 1, 1),
        TTBoxStyle::styleWithPadding(insets(6, 12, 2, 12),
        TTTextStyle::styleWithFont(bold(14), UIColor::whiteColor(), 8, white(0, 0.6), CGSizeMake(0, -1), nullptr)));
}

TTStylePtr tabRound(Sheet& sheet, int state) {
    if (state == 4) {
        return TTShapeStyle::styleWithShape(rounded(TTRoundedRadius),
            TTInsetStyle::styleWithInset(insets(9, 1, 8, 1),
            TTShadowStyle::styleWithColor(rgb(255, 255, 255, 0.8), 0, CGSizeMake(0, 1),
            TTReflectiveFillStyle::styleWithColor(sheet.global().tabBarTintColor(),
            TTInnerShadowStyle::styleWithColor(rgb(0, 0, 0, 0.3), 1, CGSizeMake(1, 1),
            TTInsetStyle::styleWithInset(insets(-1, -1, -1, -1),
            TTBoxStyle::styleWithPadding(insets(0, 10, 0, 10),
            TTTextStyle::styleWithFont(bold(13), UIColor::whiteColor(), 8, white(0, 0.5), CGSizeMake(0, -1),
                                       nullptr))))))));
    }
    return TTBoxStyle::styleWithPadding(insets(0, 10, 0, 10),
        TTTextStyle::styleWithFont(bold(13), sheet.linkTextColor(), 8, white(1, 0.9), CGSizeMake(0, -1), nullptr));
}

TTStylePtr pickerCell(int state) {
    const bool selected = state & 4;
    const UIColorPtr g1 = selected ? rgb(79, 144, 255) : rgb(221, 231, 248);
    const UIColorPtr g2 = selected ? rgb(49, 90, 255) : rgb(188, 206, 241);
    const UIColorPtr e1 = selected ? rgb(53, 94, 255) : rgb(161, 187, 283);
    const UIColorPtr e2 = selected ? rgb(53, 94, 255) : rgb(118, 130, 214);
    return TTShapeStyle::styleWithShape(rounded(TTRoundedRadius),
        TTInsetStyle::styleWithInset(insets(1, 1, 1, 1),
        TTLinearGradientFillStyle::styleWithColor1(g1, g2,
        TTFourBorderStyle::styleWithTop(e1, e2, e2, e1, 1, nullptr))));
}

TTStylePtr tabGridTabImage(int) {
    return TTImageStyle::styleWithImageURL("", nullptr, 7, CGSizeMake(0, 0), nullptr);
}

TTStyleSheet::Registry makeRegistry() {
    TTStyleSheet::Registry r;
    auto add = [&r](const char* name, std::function<TTStylePtr(Sheet&, int)> build) {
        r[name] = [build](TTStyleSheet& sheet, int state) { return build(static_cast<Sheet&>(sheet), state); };
    };
    add("linkText:", [](Sheet& s, int state) -> TTStylePtr {
        if (state == 1)
            return TTInsetStyle::styleWithInset(insets(-3, -4, -3, -4),
                TTShapeStyle::styleWithShape(rounded(4.5),
                TTSolidFillStyle::styleWithColor(white(0.75, 1),
                TTInsetStyle::styleWithInset(insets(3, 4, 3, 4),
                TTTextStyle::styleWithColor(s.linkTextColor(), nullptr)))));
        return TTTextStyle::styleWithColor(s.linkTextColor(), nullptr);
    });
    add("linkHighlighted", [](Sheet&, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(4.5), TTSolidFillStyle::styleWithColor(white(0, 0.25), nullptr));
    });
    add("thumbView:", [](Sheet&, int state) -> TTStylePtr {
        auto chain = TTImageStyle::styleWithImageURL("", nullptr, 2, CGSizeMake(0, 0),
            TTSolidBorderStyle::styleWithColor(rgb(0, 0, 0, 0.2), 1, nullptr));
        if (state & 1) chain->addStyle(TTSolidFillStyle::styleWithColor(rgb(0, 0, 0, 0.5), nullptr));
        return chain;
    });
    add("toolbarButton:", [](Sheet& s, int st) { return toolbar(s, st, rounded(4.5), s.global().navigationBarTintColor()); });
    add("toolbarBackButton:", [](Sheet& s, int st) {
        return toolbar(s, st, TTRoundedLeftArrowShape::shapeWithRadius(4.5), s.global().navigationBarTintColor());
    });
    add("toolbarForwardButton:", [](Sheet& s, int st) {
        return toolbar(s, st, TTRoundedRightArrowShape::shapeWithRadius(4.5), s.global().navigationBarTintColor());
    });
    add("toolbarRoundButton:", [](Sheet& s, int st) {
        return toolbar(s, st, rounded(TTRoundedRadius), s.global().navigationBarTintColor());
    });
    add("blackToolbarButton:", [](Sheet& s, int st) { return toolbar(s, st, rounded(4.5), rgb(10, 10, 10)); });
    add("grayToolbarButton:", [](Sheet& s, int st) { return toolbar(s, st, rounded(4.5), rgb(40, 40, 40)); });
    add("blackToolbarForwardButton:", [](Sheet& s, int st) {
        return toolbar(s, st, TTRoundedRightArrowShape::shapeWithRadius(4.5), rgb(10, 10, 10));
    });
    add("blackToolbarRoundButton:", [](Sheet& s, int st) { return toolbar(s, st, rounded(TTRoundedRadius), rgb(10, 10, 10)); });
    add("searchTextField", [](Sheet& s, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(TTRoundedRadius),
            TTInsetStyle::styleWithInset(insets(1, 0, 1, 0),
            TTShadowStyle::styleWithColor(rgb(255, 255, 255, 0.4), 0, CGSizeMake(0, 1),
            TTSolidFillStyle::styleWithColor(s.global().backgroundColor(),
            TTInnerShadowStyle::styleWithColor(rgb(0, 0, 0, 0.4), 3, CGSizeMake(0, 2),
            TTBevelBorderStyle::styleWithHighlight(rgb(0, 0, 0, 0.25), rgb(0, 0, 0, 0.4), 1, 270, nullptr))))));
    });
    add("searchBar", [](Sheet& s, int) -> TTStylePtr {
        const UIColorPtr t = s.global().searchBarTintColor();
        return TTLinearGradientFillStyle::styleWithColor1(multiply(t, 0, 0, 1.2), t,
            TTFourBorderStyle::styleWithBottom(multiply(t, 0, 0, 0.82), 1, nullptr));
    });
    add("blackSearchBar", [](Sheet&, int) -> TTStylePtr {
        return TTLinearGradientFillStyle::styleWithColor1(white(0.4, 0.6), white(0, 0.8),
            TTFourBorderStyle::styleWithBottom(white(0, 0.8), 1,
            TTFourBorderStyle::styleWithBottom(white(0.8, 0.15), 1, nullptr)));
    });
    add("searchBarBottom", [](Sheet& s, int) -> TTStylePtr {
        const UIColorPtr t = s.global().searchBarTintColor();
        return TTLinearGradientFillStyle::styleWithColor1(multiply(t, 0, 0, 1.2), t,
            TTFourBorderStyle::styleWithTop(multiply(t, 0, 0, 0.82), 1, nullptr));
    });
    add("tableHeader", [](Sheet& s, int) -> TTStylePtr {
        return TTReflectiveFillStyle::styleWithColor(s.tableHeaderTintColor(),
            TTInsetStyle::styleWithInset(insets(-1, 0, 0, 0),
            TTFourBorderStyle::styleWithBottom(rgb(0, 0, 0, 0.15), 1, nullptr)));
    });
    add("pickerCell:", [](Sheet&, int st) { return pickerCell(st); });
    add("searchTableShadow", [](Sheet&, int) -> TTStylePtr {
        return TTLinearGradientFillStyle::styleWithColor1(rgb(0, 0, 0, 0.18), UIColor::clearColor(),
            TTFourBorderStyle::styleWithTop(rgb(130, 130, 130), 1, nullptr));
    });
    add("blackBezel", [](Sheet&, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(10), TTSolidFillStyle::styleWithColor(rgb(0, 0, 0, 0.7), nullptr));
    });
    add("whiteBezel", [](Sheet&, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(10),
            TTSolidFillStyle::styleWithColor(rgb(255, 255, 255),
            TTSolidBorderStyle::styleWithColor(rgb(178, 178, 178), 1, nullptr)));
    });
    add("blackBanner", [](Sheet&, int) -> TTStylePtr {
        return TTSolidFillStyle::styleWithColor(rgb(0, 0, 0, 0.5),
            TTFourBorderStyle::styleWithTop(rgb(0, 0, 0), 1,
            TTFourBorderStyle::styleWithTop(white(1, 0.2), 1, nullptr)));
    });
    add("badgeWithFontSize:", [](Sheet&, int size) { return badge(static_cast<float>(size)); });
    add("miniBadge", [](Sheet&, int) { return badge(12); });
    add("badge", [](Sheet&, int) { return badge(15); });
    add("tabBar", [](Sheet& s, int) -> TTStylePtr {
        const UIColorPtr t = s.global().tabBarTintColor();
        return TTSolidFillStyle::styleWithColor(t, TTFourBorderStyle::styleWithBottom(multiply(t, 0, 0, 0.7), 1, nullptr));
    });
    add("tabStrip", [](Sheet& s, int) -> TTStylePtr {
        const UIColorPtr t = s.global().tabTintColor();
        return TTReflectiveFillStyle::styleWithColor(t,
            TTFourBorderStyle::styleWithBottom(multiply(t, 0, 0, 0.4), 1, nullptr));
    });
    add("tabGrid", [](Sheet& s, int) -> TTStylePtr {
        const UIColorPtr t = s.global().tabTintColor();
        return TTShapeStyle::styleWithShape(rounded(8),
            TTInsetStyle::styleWithInset(insets(0, -1, -1, -2),
            TTShadowStyle::styleWithColor(rgb(255, 255, 255, 0.7), 1, CGSizeMake(0, 1),
            TTLinearGradientFillStyle::styleWithColor1(multiply(t, 1, 0.9, 1.1), t,
            TTSolidBorderStyle::styleWithColor(multiply(t, 1, 1.1, 0.86), 1, nullptr)))));
    });
    add("tabGridTabImage:", [](Sheet&, int st) { return tabGridTabImage(st); });
    const std::pair<const char*, int> corners[] = {
        {"tabGridTabTopLeft:", 1}, {"tabGridTabTopRight:", 2}, {"tabGridTabBottomRight:", 3},
        {"tabGridTabBottomLeft:", 4}, {"tabGridTabLeft:", 5}, {"tabGridTabRight:", 6}, {"tabGridTabCenter:", 0}};
    for (const auto& [name, corner] : corners)
        add(name, [corner = corner](Sheet& s, int st) { return s.tabGridTab(st, corner); });
    add("tab:", tab);
    add("tabRound:", tabRound);
    add("tabOverflowLeft", [](Sheet&, int) -> TTStylePtr {
        return TTImageStyle::styleWithImageURL("bundle://Vantrel.bundle/images/overflowLeft.png", nullptr);
    });
    add("tabOverflowRight", [](Sheet&, int) -> TTStylePtr {
        return TTImageStyle::styleWithImageURL("bundle://Vantrel.bundle/images/overflowRight.png", nullptr);
    });
    add("rounded", [](Sheet&, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(8), TTContentStyle::styleWithNext(nullptr));
    });
    add("postBox", [](Sheet&, int) -> TTStylePtr {
        return TTShapeStyle::styleWithShape(rounded(10), TTSolidFillStyle::styleWithColor(UIColor::whiteColor(), nullptr));
    });
    add("photoCaption", [](Sheet& s, int) -> TTStylePtr {
        Sheet& g = s.global();
        return TTSolidFillStyle::styleWithColor(white(0, 0.5),
            TTFourBorderStyle::styleWithTop(rgb(0, 0, 0, 0.5), 1,
            TTBoxStyle::styleWithPadding(insets(8, 8, 8, 8),
            TTTextStyle::styleWithFont(g.photoCaptionFont(), g.photoCaptionTextColor(), 0, white(0, 0.9),
                                       CGSizeMake(0, 1), 1, 0, 4, 6, nullptr))));
    });
    add("photoStatusLabel", [](Sheet& s, int) -> TTStylePtr {
        return TTSolidFillStyle::styleWithColor(white(0, 0.5),
            TTBoxStyle::styleWithPadding(insets(20, 8, 20, 8),
            TTTextStyle::styleWithFont(s.global().tableFont(), rgb(200, 200, 200), 0, white(0, 0.9),
                                       CGSizeMake(0, -1), nullptr)));
    });
    return r;
}

}  // namespace

TTStylePtr TTDefaultStyleSheet::tabGridTab(int state, int corner) {
    TTShapePtr shape;
    switch (corner) {
        case 1: shape = TTRoundedRectangleShape::shapeWithTopLeft(8, 0, 0, 0); break;
        case 2: shape = TTRoundedRectangleShape::shapeWithTopLeft(0, 8, 0, 0); break;
        case 3: shape = TTRoundedRectangleShape::shapeWithTopLeft(0, 0, 8, 0); break;
        case 4: shape = TTRoundedRectangleShape::shapeWithTopLeft(0, 0, 0, 8); break;
        case 5: shape = TTRoundedRectangleShape::shapeWithTopLeft(8, 0, 0, 8); break;
        case 6: shape = TTRoundedRectangleShape::shapeWithTopLeft(0, 8, 8, 0); break;
        default: shape = TTRectangleShape::shape(); break;
    }
    if (state == 4)
        return TTShapeStyle::styleWithShape(shape,
            TTSolidFillStyle::styleWithColor(rgb(150, 168, 191),
            TTInnerShadowStyle::styleWithColor(rgb(0, 0, 0, 0.6), 3, CGSizeMake(0, 0),
            TTBoxStyle::styleWithPadding(insets(11, 10, 9, 10),
            TTPartStyle::styleWithName("image", tabGridTabImage(4),
            TTTextStyle::styleWithFont(bold(11), rgb(255, 255, 255), 8, rgb(0, 0, 0, 0.1), CGSizeMake(-1, -1),
                                       nullptr))))));
    return TTShapeStyle::styleWithShape(shape,
        TTBevelBorderStyle::styleWithHighlight(rgb(255, 255, 255, 0.7), multiply(global().tabTintColor(), 1, 1.1, 0.88),
                                               1, 125,
        TTBoxStyle::styleWithPadding(insets(11, 10, 9, 10),
        TTPartStyle::styleWithName("image", tabGridTabImage(state),
        TTTextStyle::styleWithFont(bold(11), linkTextColor(), 8, white(255, 0.9), CGSizeMake(0, -1), nullptr)))));
}

const TTStyleSheet::Registry& TTDefaultStyleSheet::namedStyles() {
    static const Registry registry = makeRegistry();
    return registry;
}
