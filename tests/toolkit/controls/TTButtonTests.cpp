#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTButton.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTStyleSheet.h"
#include "toolkit/style/TTTextStyle.h"

namespace {
class TTButtonTest : public ControlsTest {};

TTStylePtr fill(double r, double g, double b) {
    return TTSolidFillStyle::styleWithColor(UIColor::colorWithRed(r, g, b, 1), nullptr);
}
}  // namespace

TEST(TTButtonKeys, StateBitsPickOneKeyInPriorityOrder) {
    struct Case {
        unsigned state;
        const char* key;
    } cases[] = {
        {UIControlStateNormal, "normal"},
        {UIControlStateHighlighted, "highlighted"},
        {UIControlStateSelected, "selected"},
        {UIControlStateDisabled, "disabled"},
        {UIControlStateHighlighted | UIControlStateSelected, "highlighted"},
        {UIControlStateSelected | UIControlStateDisabled, "selected"},
        {UIControlStateHighlighted | UIControlStateDisabled, "highlighted"},
    };
    for (const Case& c : cases) EXPECT_EQ(TTButton::keyForState(c.state), c.key) << c.state;
}

TEST_F(TTButtonTest, UnsetStatesFallBackToNormalAndComeIntoBeing) {
    TTButton button;
    button.setTitle("Go", UIControlStateNormal);
    button.setTitle("Stop", UIControlStateSelected);
    EXPECT_FALSE(button.titleForState(UIControlStateDisabled).has_value());

    button.setEnabled(false);
    EXPECT_EQ(button.titleForCurrentState(), "Go");
    // Selected wins over disabled and highlighted when the control is several at once.
    button.setHighlighted(true);
    button.setSelected(true);
    EXPECT_EQ(button.titleForCurrentState(), "Stop");

    // No style anywhere: measuring answers the size asked about.
    EXPECT_EQ(button.sizeThatFits(CGSizeMake(33, 44)).width, 33);
    EXPECT_EQ(button.sizeThatFits(CGSizeMake(33, 44)).height, 44);
}

TEST_F(TTButtonTest, EachStateIsDrawnWithItsOwnStyle) {
    auto button = addView<TTButton>(*window, CGRectMake(20, 20, 120, 40));
    button->setStyle(fill(1, 0, 0), UIControlStateNormal);
    button->setStyle(fill(0, 1, 0), UIControlStateHighlighted);
    button->setStyle(fill(0, 0, 1), UIControlStateSelected);
    button->setStyle(fill(0.5, 0.5, 0.5), UIControlStateDisabled);

    struct Step {
        const char* what;
        std::function<void()> change;
        Rgba expected;
    } steps[] = {
        {"normal", [] {}, {255, 0, 0, 255}},
        {"highlighted", [&] { button->setHighlighted(true); }, {0, 255, 0, 255}},
        {"selected over highlighted", [&] { button->setSelected(true); }, {0, 0, 255, 255}},
        {"disabled", [&] { button->setSelected(false), button->setHighlighted(false), button->setEnabled(false); },
         {128, 128, 128, 255}},
        {"enabled again", [&] { button->setEnabled(true); }, {255, 0, 0, 255}},
    };
    for (const Step& step : steps) {
        step.change();
        Rgba p = pixel(80, 40);
        EXPECT_TRUE(near(p, step.expected)) << step.what << " " << describe(p);
    }
    // Outside the button the window's white shows: the button's background is clear.
    EXPECT_TRUE(near(pixel(150, 40), {255, 255, 255, 255}));

    // A state without a style of its own draws the normal one.
    button->setStyle(nullptr, UIControlStateDisabled);
    button->setEnabled(false);
    EXPECT_TRUE(near(pixel(80, 40), {255, 0, 0, 255}));
}

TEST_F(TTButtonTest, SheetStylesAreTakenForEveryState) {
    auto button = TTButton::buttonWithStyle("toolbarButton:", "Done");
    button->setFrame(CGRectMake(20, 20, 100, 30));
    window->addSubview(button);
    auto sheet = TTStyleSheet::globalStyleSheet();
    for (unsigned state : {UIControlStateNormal, UIControlStateHighlighted, UIControlStateSelected,
                           UIControlStateDisabled}) {
        ASSERT_TRUE(button->styleForState(state)) << state;
        EXPECT_EQ(button->styleForState(state), sheet->styleWithSelector("toolbarButton:", static_cast<int>(state)));
    }
    EXPECT_EQ(button->titleForState(UIControlStateNormal), "Done");

    // The measured size fits the title in the sheet's button font, padding included.
    CGSize fits = button->sizeThatFits(CGSizeZero);
    EXPECT_GT(fits.width, sizeWithFont("Done", *button->font()).width);
    EXPECT_GT(fits.height, button->font()->lineHeight());

    Rgba normal = pixel(30, 35);
    button->setHighlighted(true);
    Rgba pressed = pixel(30, 35);
    EXPECT_FALSE(near(normal, pressed, 10)) << describe(normal) << " " << describe(pressed);
    button->setHighlighted(false);
    shot("ttbutton-toolbar");
}

TEST_F(TTButtonTest, TheFontComesFromTheFieldThenTheTextStyleThenTheSheet) {
    TTButton button;
    auto big = UIFont::boldSystemFontOfSize(30);
    button.setStyle(TTTextStyle::styleWithFont(big, nullptr), UIControlStateNormal);
    EXPECT_EQ(button.fontForCurrentState(), big);
    button.setStyle(fill(1, 0, 0), UIControlStateNormal);
    UIFontPtr sheetFont = button.fontForCurrentState();
    ASSERT_TRUE(sheetFont);
    // Once asked for, the sheet's font is kept and answered before any style's.
    button.setStyle(TTTextStyle::styleWithFont(big, nullptr), UIControlStateNormal);
    EXPECT_EQ(button.fontForCurrentState(), sheetFont);
}

TEST_F(TTButtonTest, AnImagePartPutsTheImageBeforeTheTitleAtTheBoxMargins) {
    auto button = addView<TTButton>(*window, CGRectMake(0, 0, 200, 40));
    // White box, then the image part (6, 4 margins, 20 by 20), then black left-aligned text.
    auto imagePart = TTPartStyle::styleWithName(
        "image",
        TTBoxStyle::styleWithMargin(UIEdgeInsetsMake(4, 6, 0, 0),
                                    TTImageStyle::styleWithImageURL("", nullptr, 0, CGSizeMake(20, 20), nullptr)),
        TTTextStyle::styleWithFont(UIFont::boldSystemFontOfSize(18), UIColor::blackColor(), UITextAlignmentLeft,
                                   nullptr));
    button->setStyle(TTSolidFillStyle::styleWithColor(UIColor::whiteColor(), imagePart), UIControlStateNormal);
    button->setTitle("Title", UIControlStateNormal);
    button->contentForState(UIControlStateNormal).setImage(makeImage(20, 20));
    button->setNeedsDisplay();
    backend.frame();

    // The image's 20 points start at the box margin: blue at (6..25, 4..23) measured from the text
    // frame, whose top is where the left-aligned text style left the content frame.
    int firstBlue = -1, firstInk = -1;
    for (int x = 0; x < 200 && (firstBlue < 0 || firstInk < 0); ++x) {
        for (int y = 0; y < 40; ++y) {
            Rgba p = pixel(x + 0.5, y + 0.5);
            if (firstBlue < 0 && p.b > 200 && p.r < 60) firstBlue = x;
            if (firstInk < 0 && p.r < 60 && p.g < 60 && p.b < 60) firstInk = x;
        }
    }
    EXPECT_EQ(firstBlue, 6);
    // The title begins to the right of the image's 20 points.
    EXPECT_GE(firstInk, 20);
    shot("ttbutton-image-part");
}

TEST_F(TTButtonTest, StateImagesLoadByURLOnceAndClearWhenTheURLGoes) {
    servePNG("/icon.png", 8, 8);
    auto button = addView<TTButton>(*window, CGRectMake(0, 0, 40, 40));
    button->setStyle(TTImageStyle::styleWithImageURL("", nullptr, 0, CGSizeMake(40, 40), nullptr),
                     UIControlStateNormal);
    button->setImage(server.url("/icon.png"), UIControlStateNormal);
    TTButtonContent& content = button->contentForState(UIControlStateNormal);
    EXPECT_TRUE(content.isLoading());
    ASSERT_TRUE(waitFor([&] { return content.image() != nullptr; }));
    EXPECT_FALSE(content.isLoading());
    EXPECT_EQ(button->imageForState(UIControlStateNormal), server.url("/icon.png"));
    EXPECT_TRUE(near(pixel(20, 20), {0, 0, 255, 255}));

    // The same URL while its image shows asks nothing more of the server.
    button->setImage(server.url("/icon.png"), UIControlStateNormal);
    EXPECT_FALSE(content.isLoading());
    EXPECT_EQ(server.requests().size(), 1u);

    button->setImage("", UIControlStateNormal);
    EXPECT_FALSE(content.image());
    EXPECT_TRUE(near(pixel(20, 20), {255, 255, 255, 255}));
}

TEST_F(TTButtonTest, AFailedOrSuspendedLoadLeavesNoImageUntilResumed) {
    servePNG("/later.png", 4, 4);
    auto button = addView<TTButton>(*window, CGRectMake(0, 0, 40, 40));
    button->setImage(server.url("/missing.png"), UIControlStateNormal);
    TTButtonContent& content = button->contentForState(UIControlStateNormal);
    ASSERT_TRUE(waitFor([&] { return !content.isLoading(); }));
    EXPECT_FALSE(content.image());

    TTURLRequestQueue::mainQueue().setSuspended(true);
    button->setImage(server.url("/later.png"), UIControlStateNormal);
    EXPECT_TRUE(content.isLoading());
    button->suspendLoadingImages(true);
    EXPECT_FALSE(content.isLoading());
    TTURLRequestQueue::mainQueue().setSuspended(false);
    button->suspendLoadingImages(false);
    ASSERT_TRUE(waitFor([&] { return content.image() != nullptr; }));
}
