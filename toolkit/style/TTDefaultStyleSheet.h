#pragma once
// The toolkit's own look: its colours, fonts, builders and named styles. An application changes
// the look by installing a subclass that overrides some of them as the global sheet.

#include "toolkit/style/TTStyleSheet.h"

class TTDefaultStyleSheet : public TTStyleSheet {
public:
    const Builder* builderNamed(const std::string& name) const override;

    // Colours.
    UIColorPtr textColor() override;
    UIColorPtr highlightedTextColor() override;
    virtual UIColorPtr placeholderTextColor();
    virtual UIColorPtr timestampTextColor();
    virtual UIColorPtr linkTextColor();
    virtual UIColorPtr moreLinkTextColor();
    virtual UIColorPtr selectedTextColor();
    virtual UIColorPtr photoCaptionTextColor();
    virtual UIColorPtr navigationBarTintColor();
    virtual UIColorPtr toolbarTintColor();
    virtual UIColorPtr searchBarTintColor();
    virtual UIColorPtr screenBackgroundColor();
    UIColorPtr backgroundColor() override;
    virtual UIColorPtr tableActivityTextColor();
    virtual UIColorPtr tableErrorTextColor();
    virtual UIColorPtr tableSubTextColor();
    virtual UIColorPtr tableTitleTextColor();
    virtual UIColorPtr tableHeaderTextColor() { return nullptr; }
    virtual UIColorPtr tableHeaderShadowColor() { return nullptr; }
    virtual UIColorPtr tableHeaderTintColor() { return nullptr; }
    virtual UIColorPtr tableSeparatorColor();
    virtual UIColorPtr tablePlainBackgroundColor() { return nullptr; }
    virtual UIColorPtr tableGroupedBackgroundColor();
    virtual UIColorPtr searchTableBackgroundColor();
    virtual UIColorPtr searchTableSeparatorColor();
    virtual UIColorPtr tabBarTintColor();
    virtual UIColorPtr tabTintColor();
    virtual UIColorPtr messageFieldTextColor();
    virtual UIColorPtr messageFieldSeparatorColor();
    virtual UIColorPtr thumbnailBackgroundColor();
    virtual UIColorPtr calendarHeaderTopColor();
    virtual UIColorPtr calendarHeaderBottomColor();
    virtual UIColorPtr calendarGridTopColor();
    virtual UIColorPtr calendarGridBottomColor();
    virtual UIColorPtr calendarTextColor();
    virtual UIColorPtr calendarHeaderTextColor();
    virtual UIColorPtr calendarTextLightColor();
    virtual UIColorPtr calendarTileDimmedOutColor();
    virtual UIColorPtr calendarGridLineHighlightColor();
    virtual UIColorPtr calendarGridLineShadowColor();
    virtual UIColorPtr calendarContentSeparatorColor();

    // Fonts.
    UIFontPtr font() override;
    virtual UIFontPtr buttonFont();
    virtual UIFontPtr tableFont();
    virtual UIFontPtr tableSmallFont();
    virtual UIFontPtr tableTitleFont();
    virtual UIFontPtr tableTimestampFont();
    virtual UIFontPtr tableButtonFont();
    virtual UIFontPtr tableSummaryFont();
    virtual UIFontPtr photoCaptionFont();
    virtual UIFontPtr messageFont();
    virtual UIFontPtr errorTitleFont();
    virtual UIFontPtr errorSubtitleFont();
    virtual UIFontPtr activityLabelFont();
    virtual UIFontPtr activityBannerFont();
    virtual int tableSelectionStyle() { return 1; }

    // Builders.
    UIColorPtr toolbarButtonColorWithTintColor(const UIColorPtr& tint, int state);
    UIColorPtr toolbarButtonTextColorForState(int state);
    TTStylePtr toolbarButtonForState(int state, TTShapePtr shape, const UIColorPtr& tint, UIFontPtr font);
    TTStylePtr selectionFillStyle(TTStylePtr next);
    TTStylePtr calendarTileWithColor(UIColorPtr color);
    TTStylePtr calendarTileMarkWithColor(UIColorPtr color);
    TTStylePtr calendarTileMarkWithColorLand(UIColorPtr color);
    TTStylePtr calendarTileForState(int) { return nullptr; }
    TTStylePtr calendarTileForStateInLandscape(int) { return nullptr; }
    TTStylePtr tabGridTab(int state, int corner);

    // The global sheet when it is a default sheet (or subclass), else this one: builders take
    // their colours from it so that an installed subclass changes them too.
    TTDefaultStyleSheet& global();
    // The global sheet when it is a default sheet (or subclass), else a plain default sheet: where
    // views read the sheet's fonts and colours.
    static TTDefaultStyleSheet& current();

    // The named styles of this class.
    static const Registry& namedStyles();
};
