// The default sheet's named colours and fonts, value by value.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "toolkit/style/TTDefaultStyleSheet.h"

namespace {

struct Rgba255 {
    double r, g, b, a;
};
constexpr Rgba255 rgb(double r, double g, double b, double a = 1) { return {r, g, b, a}; }
constexpr Rgba255 white(double w, double a) { return {w * 255, w * 255, w * 255, a}; }

using ColorGetter = UIColorPtr (TTDefaultStyleSheet::*)();
using FontGetter = UIFontPtr (TTDefaultStyleSheet::*)();

struct ColorCase {
    const char* name;
    ColorGetter get;
    std::optional<Rgba255> value;  // none: no colour, the platform's own default stays
    bool platformGrouped = false;  // the platform's grouped-table background (a pattern)
};

#define COLOR(name, value) ColorCase{#name, &TTDefaultStyleSheet::name, value}

TEST(DefaultStyleSheetValuesTest, NamedColours) {
    const ColorCase cases[] = {
        COLOR(textColor, rgb(0, 0, 0)),
        COLOR(highlightedTextColor, rgb(255, 255, 255)),
        COLOR(placeholderTextColor, rgb(180, 180, 180)),
        COLOR(timestampTextColor, rgb(36, 112, 216)),
        COLOR(linkTextColor, rgb(87, 107, 149)),
        COLOR(moreLinkTextColor, rgb(36, 112, 216)),
        COLOR(selectedTextColor, rgb(255, 255, 255)),
        COLOR(photoCaptionTextColor, rgb(255, 255, 255)),
        COLOR(navigationBarTintColor, rgb(119, 140, 168)),
        COLOR(toolbarTintColor, rgb(109, 132, 162)),
        COLOR(searchBarTintColor, rgb(200, 200, 200)),
        COLOR(screenBackgroundColor, white(0, 0.8)),
        COLOR(backgroundColor, rgb(255, 255, 255)),
        COLOR(tableActivityTextColor, rgb(99, 109, 125)),
        COLOR(tableErrorTextColor, rgb(79, 89, 105)),
        COLOR(tableSubTextColor, rgb(79, 89, 105)),
        COLOR(tableTitleTextColor, rgb(99, 109, 125)),
        COLOR(tableHeaderTextColor, std::nullopt),
        COLOR(tableHeaderShadowColor, std::nullopt),
        COLOR(tableHeaderTintColor, std::nullopt),
        COLOR(tableSeparatorColor, white(0.9, 1)),
        COLOR(tablePlainBackgroundColor, std::nullopt),
        ColorCase{"tableGroupedBackgroundColor", &TTDefaultStyleSheet::tableGroupedBackgroundColor, std::nullopt, true},
        COLOR(searchTableBackgroundColor, rgb(235, 235, 235)),
        COLOR(searchTableSeparatorColor, white(0.85, 1)),
        COLOR(tabBarTintColor, rgb(119, 140, 168)),
        COLOR(tabTintColor, rgb(228, 230, 235)),
        COLOR(messageFieldTextColor, white(0.5, 1)),
        COLOR(messageFieldSeparatorColor, white(0.7, 1)),
        COLOR(thumbnailBackgroundColor, white(0.95, 1)),
        COLOR(calendarHeaderTopColor, rgb(132, 40, 40)),
        COLOR(calendarHeaderBottomColor, rgb(69, 21, 21)),
        COLOR(calendarGridTopColor, rgb(226, 226, 229)),
        COLOR(calendarGridBottomColor, rgb(200, 200, 205)),
        COLOR(calendarTextColor, rgb(59, 73, 88)),
        COLOR(calendarHeaderTextColor, rgb(255, 255, 255)),
        COLOR(calendarTextLightColor, rgb(147, 155, 165)),
        COLOR(calendarTileDimmedOutColor, rgb(0, 0, 0, 0.25)),
        COLOR(calendarGridLineHighlightColor, rgb(159, 162, 172)),
        COLOR(calendarGridLineShadowColor, rgb(237, 237, 239)),
        COLOR(calendarContentSeparatorColor, rgb(151, 154, 155)),
    };
    ASSERT_EQ(std::size(cases), 41u);
    TTDefaultStyleSheet sheet;
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const UIColorPtr color = (sheet.*c.get)();
        if (c.platformGrouped) {
            ASSERT_NE(color, nullptr);
            EXPECT_TRUE(*color == *UIColor::groupTableViewBackgroundColor());
            continue;
        }
        if (!c.value) {
            EXPECT_EQ(color, nullptr);
            continue;
        }
        ASSERT_NE(color, nullptr);
        double r = -1, g = -1, b = -1, a = -1;
        ASSERT_TRUE(color->getRed(&r, &g, &b, &a));
        EXPECT_NEAR(r * 255, c.value->r, 1e-6);
        EXPECT_NEAR(g * 255, c.value->g, 1e-6);
        EXPECT_NEAR(b * 255, c.value->b, 1e-6);
        EXPECT_NEAR(a, c.value->a, 1e-6);
    }
}

struct FontCase {
    const char* name;
    FontGetter get;
    bool bold;
    double size;
};

#define FONT(name, bold, size) FontCase{#name, &TTDefaultStyleSheet::name, bold, size}

TEST(DefaultStyleSheetValuesTest, NamedFontsAndSelectionStyle) {
    const FontCase cases[] = {
        FONT(font, false, 14),
        FONT(buttonFont, true, 12),
        FONT(tableFont, true, 17),
        FONT(tableSmallFont, true, 15),
        FONT(tableTitleFont, true, 13),
        FONT(tableTimestampFont, false, 13),
        FONT(tableButtonFont, true, 13),
        FONT(tableSummaryFont, false, 17),
        FONT(photoCaptionFont, true, 12),
        FONT(messageFont, false, 15),
        FONT(errorTitleFont, true, 16),
        FONT(errorSubtitleFont, true, 12),
        FONT(activityLabelFont, false, 17),
        FONT(activityBannerFont, true, 11),
    };
    ASSERT_EQ(std::size(cases), 14u);
    TTDefaultStyleSheet sheet;
    const UIFontPtr system = UIFont::systemFontOfSize(14), boldSystem = UIFont::boldSystemFontOfSize(14);
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.name);
        const UIFontPtr font = (sheet.*c.get)();
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->pointSize(), c.size);
        EXPECT_EQ(font->isBold(), c.bold);
        EXPECT_FALSE(font->isItalic());
        EXPECT_EQ(font->familyName(), (c.bold ? boldSystem : system)->familyName());  // the system face
    }
    EXPECT_EQ(sheet.tableSelectionStyle(), 1);
}

}  // namespace
