// The result row view and its snippet label, without the databases: reading snippet mark-up,
// the boxed word's look following selection, and which rows never change look.

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstring>

#include "Classes/Search/HighlightTextStyleSheet.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/UIScreen.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTTextStyle.h"

namespace {

// The search word's look in the row: boxed, or white while the row shows selection.
bool showsWhiteLook(TTStyledTextLabel& label) { return label.text() && label.text()->getElementByClassName("whiteBox"); }

TEST(HighlightTextStyleSheetTest, ReadsSnippetsWithTheirEscapesAndSwapsTheWordsLook) {
    HighlightTextStyleSheet sheet;
    EXPECT_TRUE(sheet.styleWithSelector("yellowBox")->firstStyleOfClass<TTSolidFillStyle>());
    EXPECT_EQ(sheet.styleWithSelector("yellowBox")->firstStyleOfClass<TTInsetStyle>()->inset,
              UIEdgeInsetsMake(0, -1, -2, -1));
    EXPECT_EQ(*sheet.styleWithSelector("whiteBox")->firstStyleOfClass<TTTextStyle>()->color, *UIColor::whiteColor());
    EXPECT_FALSE(sheet.styleWithSelector("blackBox"));
    EXPECT_TRUE(sheet.styleWithSelector("linkText:"));  // the default sheet's styles stay
    EXPECT_EQ(*sheet.highlightedTextColor(), *UIColor::whiteColor());

    const std::string snippet = "\xE2\x80\xA6" "a &amp; b <span class=\"yellowBox\">Lord&#39;s</span> &lt;c&gt; &quot;d&quot;";
    auto text = TTStyledText::textFromXHTML(snippet, false, false);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rootNode()->outerText(), "\xE2\x80\xA6" "a & b Lord's <c> \"d\"");
    EXPECT_EQ(text->getElementByClassName("yellowBox")->firstChild()->outerText(), "Lord's");
    // Swapping the look renames the boxes only, even where the text names one.
    auto two = TTStyledText::textFromXHTML(snippet + " yellowBox <span class=\"yellowBox\">x</span>", false, false);
    HighlightTextStyleSheet::applySelectionLook(*two, true);
    EXPECT_FALSE(two->getElementByClassName("yellowBox"));
    EXPECT_EQ(two->getElementByClassName("whiteBox")->firstChild()->outerText(), "Lord's");
    EXPECT_NE(two->rootNode()->outerText().find(" yellowBox x"), std::string::npos);
    HighlightTextStyleSheet::applySelectionLook(*two, false);
    EXPECT_FALSE(two->getElementByClassName("whiteBox"));
}

class SearchRowViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 1);
        backend.attach();
    }
    static std::shared_ptr<SearchResult> hit(int translator, std::string text, bool last = false) {
        auto result = std::make_shared<SearchResult>();
        result->setSurah(19);
        result->setVerse(7);
        result->setTranslator(translator);
        result->setVerseText(std::move(text));
        result->setIsLastInSection(last);
        return result;
    }
    // Counts pixels of the label's box colour (white) in its drawing.
    static int whitePixels(TTStyledTextLabel& label) {
        const int w = static_cast<int>(label.bounds().size.width), h = static_cast<int>(label.bounds().size.height);
        auto context = CGBitmapContextCreate(w, h);
        UIGraphicsPushContext(context.get());
        label.drawRect(label.bounds());
        UIGraphicsPopContext();
        cairo_surface_t* surface = context->targetSurface();
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        int white = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t argb;
                std::memcpy(&argb, data + y * stride + x * 4, 4);
                if (argb == 0xFFFFFFFFu) ++white;
            }
        return white;
    }
    HeadlessBackend backend;
};

TEST_F(SearchRowViewTest, SelectingATranslationHitTurnsItsBoxedWordWhite) {
    SearchViewCell cell(UITableViewCellStyleDefault, "VerseCell");
    SearchCellView& row = *cell.cellView();
    row.setThisSearchResult(hit(3, "\xE2\x80\xA6said, <span class=\"yellowBox\">Zechariah</span>, indeed We give"));
    TTStyledTextLabel& label = *row.lblTranslationHighlighted;
    EXPECT_FALSE(label.isHidden());
    EXPECT_TRUE(row.lblTranslation->isHidden());
    EXPECT_TRUE(row.lblArabicVerse->isHidden());
    EXPECT_EQ(row.btnVerse->titleForState(UIControlStateNormal), "7");
    const int boxed = whitePixels(label);
    EXPECT_GT(boxed, 60);

    cell.setSelected(true, false);
    EXPECT_TRUE(showsWhiteLook(label));
    EXPECT_TRUE(row.btnVerse->isHighlighted());
    EXPECT_LT(whitePixels(label), boxed);  // white text only, no box
    cell.setSelected(false, false);
    EXPECT_TRUE(label.text()->getElementByClassName("yellowBox"));
    cell.setHighlighted(true, false);
    EXPECT_TRUE(showsWhiteLook(label));
    cell.setHighlighted(false, false);
    EXPECT_FALSE(showsWhiteLook(label));
    // Reused for another hit, the row keeps one label per look and a separator unless last.
    EXPECT_FALSE(row.viewBorder->isHidden());
    row.setThisSearchResult(hit(3, "short", true));
    EXPECT_TRUE(row.viewBorder->isHidden());
}

TEST_F(SearchRowViewTest, ArabicAndRightToLeftHitsNeverSwapLooks) {
    struct Case {
        int translator;
        bool plainLabel, arabicLabel;
    } cases[] = {{0, false, true}, {15, true, false}};
    for (const Case& c : cases) {
        SearchViewCell cell(UITableViewCellStyleDefault, "VerseCell");
        SearchCellView& row = *cell.cellView();
        row.setThisSearchResult(hit(c.translator, "<b>text</b>"));
        EXPECT_EQ(!row.lblTranslation->isHidden(), c.plainLabel) << c.translator;
        EXPECT_EQ(!row.lblArabicVerse->isHidden(), c.arabicLabel) << c.translator;
        EXPECT_TRUE(row.lblTranslationHighlighted->isHidden());
        // Shown as given: plain labels take no mark-up.
        EXPECT_EQ((c.arabicLabel ? row.lblArabicVerse : row.lblTranslation)->text(), "<b>text</b>");
        cell.setSelected(true, false);
        EXPECT_FALSE(showsWhiteLook(*row.lblTranslationHighlighted)) << c.translator;
    }
    // No result hides the row.
    SearchViewCell cell(UITableViewCellStyleDefault, "VerseCell");
    cell.cellView()->setThisSearchResult(nullptr);
    EXPECT_EQ(cell.cellView()->alpha(), 0);
}

TEST_F(SearchRowViewTest, TheArabicInterfaceMirrorsTheHeaderAndWritesArabicIndicDigits) {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    struct Case {
        const char* language;
        const char* count;
        const char* chapter;
        double badgeX, numberX;
    } cases[] = {{"en", "12", "19", 320 - 45, 55},
                 {"ar", "\u0661\u0662", "\u0661\u0669", 45, 320 - 55}};
    for (const Case& c : cases) {
        defaults.setArray({Value(c.language)}, "AppleLanguages");
        LumenoSDKAppDelegate::ResetArabicCheck();
        auto section = std::make_shared<SearchResult>();
        section->setSurah(19);
        section->setIsSurahSection(true);
        section->setSectionResultCount(12);
        SearchCellView header(CGRectMake(0, 0, 320, 44));
        header.setThisSearchResult(section);
        EXPECT_EQ(header.btnVerseCounter->titleForState(UIControlStateDisabled), c.count) << c.language;
        EXPECT_EQ(header.lblSurahNumLabel->text(), c.chapter) << c.language;
        EXPECT_EQ(header.btnVerseCounter->frame().origin.x, c.badgeX) << c.language;
        EXPECT_EQ(header.lblSurahNumLabel->frame().origin.x, c.numberX) << c.language;
        EXPECT_EQ(header.lblEngSurahLabel->text(), "Maryam");
        // Collapsed, the arrow turns a quarter to the left.
        section->setIsSectionCollapsed(true);
        SearchCellView collapsed(CGRectMake(0, 0, 320, 44));
        collapsed.setThisSearchResult(section);
        EXPECT_NEAR(collapsed.imgCollapseArrow->transform().b, -1, 1e-9);
    }
    defaults.removeObjectForKey("AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
}

}  // namespace
