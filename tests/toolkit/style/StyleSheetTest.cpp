// Style sheets: look-up by name and state with its cache, style archives read from the
// resources, chains archived and read back, and the default sheet's builders.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIApplication.h"
#include "tests/platform/graphics/Pixels.h"
#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTBorderStyles.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTSpeechBubbleShape.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/foundation/UIColor+TTCategory.h"
#include "toolkit/style/TTStyleColor.h"
#include "toolkit/style/TTTextStyle.h"

namespace {

class CountingSheet : public TTDefaultStyleSheet {
public:
    mutable std::map<int, int> built;
    const Builder* builderNamed(const std::string& name) const override {
        static const Builder counted = [](TTStyleSheet& sheet, int state) -> TTStylePtr {
            ++static_cast<CountingSheet&>(sheet).built[state];
            return TTSolidFillStyle::styleWithColor(UIColor::redColor(), nullptr);
        };
        return name == "counted:" ? &counted : TTDefaultStyleSheet::builderNamed(name);
    }
};

// Every style class in one chain, with its fields away from their defaults.
TTStylePtr everyStyle() {
    auto image = UIImage::imageWithData(UIImagePNGRepresentation(*makeContext(2, 3)->makeImage()));
    return TTShapeStyle::styleWithShape(TTSpeechBubbleShape::shapeWithRadius(4, 90, 45, CGSizeMake(6, 5)),
        TTInsetStyle::styleWithInset(UIEdgeInsetsMake(1, 2, 3, 4),
        TTShadowStyle::styleWithColor(UIColor::colorWithRed(0.1, 0.2, 0.3, 0.4), 3, CGSizeMake(1, -2),
        TTInnerShadowStyle::styleWithColor(UIColor::blackColor(), 2, CGSizeMake(0, 1),
        TTSolidFillStyle::styleWithColor(UIColor::whiteColor(),
        TTLinearGradientFillStyle::styleWithColor1(UIColor::redColor(), UIColor::blueColor(),
        TTReflectiveFillStyle::styleWithColor(UIColor::greenColor(),
        TTSolidBorderStyle::styleWithColor(UIColor::grayColor(), 2.5f,
        TTFourBorderStyle::styleWithTop(UIColor::redColor(), nullptr, UIColor::blueColor(), nullptr, 3,
        TTBevelBorderStyle::styleWithHighlight(UIColor::whiteColor(), UIColor::blackColor(), 1, 270,
        TTBoxStyle::styleWithMargin(UIEdgeInsetsMake(5, 6, 7, 8), UIEdgeInsetsMake(1, 1, 2, 2), CGSizeMake(30, 40), 2,
        TTMaskStyle::styleWithMask(image,
        TTImageStyle::styleWithImage(image, image, 7, CGSizeMake(9, 10),
        TTPartStyle::styleWithName("image", TTContentStyle::styleWithNext(nullptr),
        TTTextStyle::styleWithFont(UIFont::boldSystemFontOfSize(13), UIColor::whiteColor(), 8,
                                   UIColor::blackColor(), CGSizeMake(0, -1), 2, 1, 0, 3,
        TTShapeStyle::styleWithShape(TTRoundedLeftArrowShape::shapeWithRadius(TTRoundedRadius), nullptr))))))))))))))));
}

TEST(StyleArchiveTest, AStyleChainArchivedAndReadBackIsEqual) {
    TTStyle::registerArchiveClasses();
    const TTStylePtr original = everyStyle();
    const Value::Bytes bytes = NSKeyedArchiver::archivedDataWithRootObject(*original);
    auto decoded = std::dynamic_pointer_cast<TTStyle>(NSKeyedUnarchiver::unarchiveObjectWithData(bytes));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(NSKeyedArchiver::archivedDataWithRootObject(*decoded), bytes);

    auto text = decoded->firstStyleOfClass<TTTextStyle>();
    ASSERT_TRUE(text && text->font);
    EXPECT_EQ(text->font->pointSize(), 13);
    EXPECT_EQ(text->numberOfLines, 3);
    EXPECT_EQ(text->shadowOffset, CGSizeMake(0, -1));
    auto box = decoded->firstStyleOfClass<TTBoxStyle>();
    EXPECT_EQ(box->margin, UIEdgeInsetsMake(5, 6, 7, 8));
    EXPECT_EQ(box->minSize, CGSizeMake(30, 40));
    EXPECT_EQ(box->position, 2);
    EXPECT_EQ(decoded->styleForPart("image")->style->archiveClassName(), "TTContentStyle");
    auto image = decoded->firstStyleOfClass<TTImageStyle>();
    ASSERT_TRUE(image->image());
    EXPECT_EQ(image->image()->pixelHeight(), 3);
    // A copy is a new chain, equal link by link.
    const TTStylePtr copy = original->copy();
    EXPECT_NE(copy.get(), original.get());
    EXPECT_EQ(NSKeyedArchiver::archivedDataWithRootObject(*copy), bytes);
}

TEST(StyleArchiveTest, ATextStyleArchivedWithoutALineCountReadsOneLine) {
    TTStyle::registerArchiveClasses();
    auto style = TTTextStyle::styleWithColor(UIColor::redColor(), nullptr);
    style->numberOfLines = 0;
    NSKeyedArchiver coder;
    style->encodeWithCoder(coder);
    Value::Map map = coder.encodedMap();
    map.erase("numberOfLines");
    map["lineBreakMode"] = Value(99);  // out of the platform's range
    NSKeyedUnarchiver reader(map);
    TTTextStyle decoded;
    decoded.decodeWithCoder(reader);
    EXPECT_EQ(decoded.numberOfLines, 1);
    EXPECT_EQ(decoded.lineBreakMode, UILineBreakModeTailTruncation);
}

TEST(StyleSheetTest, CachesPerNameAndStateUntilMemoryRunsShort) {
    auto sheet = std::make_shared<CountingSheet>();
    const TTStylePtr normal = sheet->styleWithSelector("counted:");
    EXPECT_EQ(sheet->styleWithSelector("counted:", 0), normal);
    const TTStylePtr pressed = sheet->styleWithSelector("counted:", 1);
    EXPECT_NE(pressed, normal);
    EXPECT_EQ(sheet->styleWithSelector("counted:", 1), pressed);
    EXPECT_EQ(sheet->built[0], 1);
    EXPECT_EQ(sheet->built[1], 1);
    EXPECT_EQ(sheet->cachedStyleCount(), 2u);

    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidReceiveMemoryWarningNotification);
    EXPECT_EQ(sheet->cachedStyleCount(), 0u);
    const TTStylePtr again = sheet->styleWithSelector("counted:");
    EXPECT_NE(again, normal);
    EXPECT_EQ(sheet->built[0], 2);
    EXPECT_TRUE(normal->firstStyleOfClass<TTSolidFillStyle>());  // still usable

    EXPECT_FALSE(sheet->styleWithSelector("noSuchStyle"));
    EXPECT_EQ(sheet->cachedStyleCount(), 1u);
}

TEST(StyleSheetTest, ReadsStyleArchivesFromTheResourcesAndRejectsOthers) {
    const std::filesystem::path bundle = std::filesystem::path(testOutputDir()) / "sheet-bundle";
    std::filesystem::create_directories(bundle / "Vantrel.bundle/styles");
    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);
    TTStyle::registerArchiveClasses();
    ASSERT_TRUE(NSKeyedArchiver::archiveRootObject(*TTSolidFillStyle::styleWithColor(UIColor::redColor(), nullptr),
                                                   (bundle / "Vantrel.bundle/styles/boxy.ttstyle").string()));
    ASSERT_TRUE(NSKeyedArchiver::archiveRootObject(*TTInsetStyle::styleWithInset(UIEdgeInsetsMake(1, 1, 1, 1), nullptr),
                                                   (bundle / "boxy.ttstyle").string()));
    std::ofstream(bundle / "broken.ttstyle") << "LKAR\x01garbage";
    std::ofstream(bundle / "Vantrel.bundle/styles/broken.ttstyle") << "not an archive";

    TTDefaultStyleSheet sheet;
    // The resource folder first, then the toolkit's styles folder; any state reads the same file.
    EXPECT_TRUE(std::dynamic_pointer_cast<TTInsetStyle>(sheet.styleWithSelector("boxy", 4)));
    std::filesystem::remove(bundle / "boxy.ttstyle");
    EXPECT_TRUE(std::dynamic_pointer_cast<TTSolidFillStyle>(sheet.styleWithSelector("boxy")));
    EXPECT_FALSE(sheet.styleWithSelector("broken"));
    EXPECT_FALSE(sheet.styleWithSelector("../sheet-bundle/boxy"));
    // A sheet operation wins over an archive of the same name.
    ASSERT_TRUE(NSKeyedArchiver::archiveRootObject(*TTInsetStyle::styleWithInset({}, nullptr),
                                                   (bundle / "blackBezel.ttstyle").string()));
    EXPECT_TRUE(sheet.styleWithSelector("blackBezel")->firstStyleOfClass<TTShapeStyle>());
}

TEST(DefaultStyleSheetTest, ToolbarButtonFillFollowsTintAndState) {
    TTDefaultStyleSheet sheet;
    struct Case { UIColorPtr tint; int state; double s, v; };
    const UIColorPtr dark = TTStyleColor::rgb(10, 10, 10), nav = sheet.navigationBarTintColor();
    const double navS = tt::saturation(*nav), navV = tt::value(*nav);
    const Case cases[] = {
        {dark, 1, 0, 10 / 255.0 + 0.2},
        {dark, 0, 0, 10 / 255.0 * 0.97},
        {nav, 1, navS * 2.3, navV * 0.64},
        {nav, 3, navS * 2.3, navV * 0.64},  // disabled and pressed: the pressed fill
        {nav, 0, navS * 1.6, navV * 0.97},
    };
    for (const Case& c : cases) {
        const UIColorPtr fill = sheet.toolbarButtonColorWithTintColor(c.tint, c.state);
        EXPECT_NEAR(tt::saturation(*fill), c.s, 1e-3) << c.state;
        EXPECT_NEAR(tt::value(*fill), c.v, 1e-3) << c.state;
    }
    EXPECT_DOUBLE_EQ(sheet.toolbarButtonTextColorForState(7)->alpha(), 0.4);
    EXPECT_DOUBLE_EQ(sheet.toolbarButtonTextColorForState(1)->alpha(), 1);
}

TEST(DefaultStyleSheetTest, NamedStylesFollowTheirStateRules) {
    TTDefaultStyleSheet sheet;
    EXPECT_TRUE(sheet.styleWithSelector("linkText:", 1)->firstStyleOfClass<TTSolidFillStyle>());
    EXPECT_FALSE(sheet.styleWithSelector("linkText:", 5)->firstStyleOfClass<TTSolidFillStyle>());
    EXPECT_TRUE(sheet.styleWithSelector("thumbView:", 5)->firstStyleOfClass<TTSolidFillStyle>());
    EXPECT_FALSE(sheet.styleWithSelector("thumbView:", 4)->firstStyleOfClass<TTSolidFillStyle>());
    EXPECT_FALSE(sheet.styleWithSelector("tab:", 5)->firstStyleOfClass<TTReflectiveFillStyle>());
    EXPECT_TRUE(sheet.styleWithSelector("tab:", 4)->firstStyleOfClass<TTReflectiveFillStyle>());
    const auto picker = sheet.styleWithSelector("pickerCell:", 5)->firstStyleOfClass<TTLinearGradientFillStyle>();
    EXPECT_NEAR(picker->color1->red(), 79 / 255.0, 1e-9);
    for (int corner : {0, 7})
        EXPECT_EQ(sheet.tabGridTab(0, corner)->firstStyleOfClass<TTShapeStyle>()->shape, TTRectangleShape::shape());
    const auto badge = sheet.styleWithSelector("badge")->firstStyleOfClass<TTTextStyle>();
    const auto mini = sheet.styleWithSelector("miniBadge")->firstStyleOfClass<TTTextStyle>();
    EXPECT_EQ(badge->font->pointSize(), 15);
    EXPECT_EQ(mini->font->pointSize(), 12);
    EXPECT_FALSE(sheet.calendarTileForState(1));
    for (const char* name : {"searchBar", "searchTextField", "blackToolbarButton:", "tableHeader", "blackBezel",
                             "whiteBezel", "blackBanner", "searchTableShadow", "tabGridTabCenter:", "photoCaption"})
        EXPECT_TRUE(sheet.styleWithSelector(name)) << name;
}

TEST(DefaultStyleSheetTest, ToolbarButtonsTakeTheirTintFromTheGlobalSheet) {
    class GreenSheet : public TTDefaultStyleSheet {
    public:
        UIColorPtr navigationBarTintColor() override { return UIColor::colorWithRed(0, 0.6, 0, 1); }
    };
    auto green = std::make_shared<GreenSheet>();
    TTStyleSheet::setGlobalStyleSheet(green);
    const auto fill = green->styleWithSelector("toolbarButton:")->firstStyleOfClass<TTReflectiveFillStyle>();
    EXPECT_NEAR(tt::hue(*fill->color), 120, 0.5);
    TTStyleSheet::setGlobalStyleSheet(nullptr);
    EXPECT_TRUE(dynamic_cast<TTDefaultStyleSheet*>(TTStyleSheet::globalStyleSheet().get()));
}

}  // namespace
