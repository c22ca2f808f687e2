#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTLabel.h"
#include "toolkit/controls/TTView.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTStyleSheet.h"
#include "toolkit/style/TTTextStyle.h"

namespace {
class TTViewTest : public ControlsTest {};

// Paints its content green so a test sees whether the chain let it draw.
struct ContentView : TTView {
    using TTView::TTView;
    int contentDraws = 0;
    void drawContent(CGRect rect) override {
        ++contentDraws;
        UIGraphicsGetCurrentContext()->setRGBFillColor(0, 1, 0, 1);
        UIGraphicsGetCurrentContext()->fillRect(CGRectInset(rect, 10, 10));
    }
};
}  // namespace

TEST_F(TTViewTest, ContentIsDrawnUnlessTheChainDrewItAlready) {
    auto view = addView<ContentView>(*window, CGRectMake(0, 0, 100, 60));
    EXPECT_EQ(view->contentMode(), UIViewContentModeRedraw);
    backend.frame();
    EXPECT_EQ(view->contentDraws, 1);
    EXPECT_TRUE(near(pixel(50, 30), {0, 255, 0, 255}));

    // A red fill without a content link: the content is drawn after the chain, over the fill.
    view->setStyle(TTSolidFillStyle::styleWithColor(UIColor::redColor(), nullptr));
    EXPECT_TRUE(near(pixel(5, 5), {255, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(50, 30), {0, 255, 0, 255}));

    // A content link draws through the delegate's drawLayer; the base view draws nothing there,
    // so drawContent still runs once for the frame.
    int before = view->contentDraws;
    view->setStyle(TTContentStyle::styleWithNext(nullptr));
    backend.frame();
    EXPECT_EQ(view->contentDraws, before + 1);

    // The same style again is no change.
    int draws = view->drawCount();
    view->setStyle(view->style());
    backend.frame();
    EXPECT_EQ(view->drawCount(), draws);
}

TEST_F(TTViewTest, SizeComesFromTheStyleAlone) {
    TTView view;
    EXPECT_EQ(view.sizeThatFits(CGSizeMake(300, 300)).width, 0);
    EXPECT_EQ(view.sizeThatFits(CGSizeMake(300, 300)).height, 0);
    view.setStyle(TTBoxStyle::styleWithPadding(UIEdgeInsetsMake(1, 2, 3, 4), nullptr));
    CGSize size = view.sizeThatFits(CGSizeMake(300, 300));
    EXPECT_EQ(size.width, 6);
    EXPECT_EQ(size.height, 4);
}

TEST_F(TTViewTest, ALayoutPlacesTheSubviews) {
    auto view = addView<TTView>(*window, CGRectMake(0, 0, 100, 100));
    auto flow = std::make_shared<TTFlowLayout>();
    flow->padding = 5;
    flow->spacing = 4;
    view->setLayout(flow);
    auto a = addView(*view, CGRectMake(0, 0, 30, 10));
    auto b = addView(*view, CGRectMake(0, 0, 30, 10));
    view->layoutIfNeeded();
    EXPECT_EQ(a->frame().origin.x, 5);
    EXPECT_EQ(b->frame().origin.x, 39);
}

TEST_F(TTViewTest, LabelDrawsItsTextThroughItsStyle) {
    auto label = std::make_shared<TTLabel>("Label");
    label->setFrame(CGRectMake(0, 0, 200, 40));
    window->addSubview(label);
    auto darkPixels = [&] {
        int dark = 0;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 40; ++y)
                if (pixel(x + 0.5, y + 0.5).r < 80) ++dark;
        return dark;
    };
    // No style: nothing is drawn.
    EXPECT_EQ(darkPixels(), 0);

    auto text = TTTextStyle::styleWithFont(UIFont::boldSystemFontOfSize(24), UIColor::blackColor(),
                                           UITextAlignmentLeft, nullptr);
    label->setStyle(text);
    EXPECT_GT(darkPixels(), 50);

    // Measuring passes the label's own font: none until set, then the one set.
    CGSize styled = label->sizeThatFits(CGSizeMake(200, 40));
    EXPECT_NEAR(styled.width, sizeWithFont("Label", *UIFont::boldSystemFontOfSize(24)).width, 1);
    UIFontPtr kept = label->font();
    EXPECT_EQ(kept->pointSize(), TTStyleSheet::globalStyleSheet()->font()->pointSize());
    EXPECT_EQ(label->font(), kept);

    int draws = label->drawCount();
    label->setText("Label");
    backend.frame();
    EXPECT_EQ(label->drawCount(), draws);
    label->setText("Other");
    backend.frame();
    EXPECT_EQ(label->drawCount(), draws + 1);
    shot("ttlabel");
}
