#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/ViewBacking.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {
struct RGB {
    int r, g, b;
};

::testing::AssertionResult isColor(HeadlessBackend::Pixel p, RGB want, int tolerance = 3)
{
    if (std::abs(p.r - want.r) <= tolerance && std::abs(p.g - want.g) <= tolerance && std::abs(p.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << p.r << ", " << p.g << ", " << p.b << ") wanted (" << want.r
                                         << ", " << want.g << ", " << want.b << ")";
}

// A square image at the screen's scale: red, with a blue column at its left edge.
UIImagePtr markedSquare(double points)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(points, points), false, 0);
    auto* ctx = UIGraphicsGetCurrentContext();
    ctx->setRGBFillColor(1, 0, 0, 1);
    ctx->fillRect(CGRectMake(0, 0, points, points));
    ctx->setRGBFillColor(0, 0, 1, 1);
    ctx->fillRect(CGRectMake(0, 0, 4, points));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

bool hasBacking(const UIView& view) { return view.backing() && view.backing()->surface; }

// Draws a filled square and counts its drawRect calls.
class SquareView : public UIView {
public:
    using UIView::UIView;
    void drawRect(CGRect) override
    {
        auto* ctx = UIGraphicsGetCurrentContext();
        ctx->setRGBFillColor(0, 0, 0, 1);
        ctx->fillRect(CGRectMake(0, 0, 10, 10));
    }
};
}  // namespace

class RenderTest : public UITest, public ::testing::WithParamInterface<double> {
protected:
    double scale() const override { return GetParam(); }
};

TEST_P(RenderTest, ComposesColoursAlphaClipsAndTransforms)
{
    addView(*window, CGRectMake(10, 10, 100, 100), UIColor::redColor());
    auto half = addView(*window, CGRectMake(60, 60, 100, 100), UIColor::blueColor());
    half->setAlpha(0.5);
    auto clip = addView(*window, CGRectMake(0, 200, 100, 100), UIColor::lightGrayColor());
    clip->setClipsToBounds(true);
    addView(*clip, CGRectMake(50, 50, 100, 100), UIColor::greenColor());
    auto open = addView(*window, CGRectMake(200, 200, 50, 50), UIColor::lightGrayColor());
    addView(*open, CGRectMake(25, 25, 50, 50), UIColor::greenColor());
    auto turned = addView(*window, CGRectMake(200, 350, 100, 20), UIColor::blackColor());
    turned->setTransform(CGAffineTransformMakeRotation(M_PI / 2));  // now 20 wide, 100 tall
    auto ignored = addView(*window, CGRectMake(0, 400, 50, 50), UIColor::redColor());
    ignored->setHidden(true);

    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(20, 20)), {255, 0, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(100, 100)), {128, 0, 127}, 4));  // blue at half over red
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(150, 150)), {127, 127, 255}, 4));  // over white
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(90, 290)), {0, 255, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(120, 320)), {255, 255, 255}));  // clipped away
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(270, 270)), {0, 255, 0}));      // not clipped
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(250, 315)), {0, 0, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(210, 360)), {255, 255, 255}));  // where it was unturned
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(10, 410)), {255, 255, 255}));

    // Mid-animation the screen shows the presentation value.
    UIView::beginAnimations("Move");
    UIView::setAnimationDuration(1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    half->setCenter(CGPointMake(210, 110));
    UIView::commitAnimations();
    backend.advance(500);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(184, 110)), {127, 127, 255}, 4));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(236, 110)), {255, 255, 255}));
}

TEST_P(RenderTest, AFadingViewBlendsTheSameWithOrWithoutChildren)
{
    // A view that only draws itself takes its alpha in that one paint; one with a child is
    // drawn whole and then faded. Both must show the same blend, and the child too.
    addView(*window, CGRectMake(0, 0, 320, 200), UIColor::redColor());
    auto alone = std::make_shared<SquareView>(CGRectMake(20, 20, 10, 10));
    auto parent = std::make_shared<SquareView>(CGRectMake(60, 20, 10, 10));
    auto child = std::make_shared<SquareView>(CGRectMake(5, 5, 10, 10));  // reaches outside its parent
    parent->addSubview(child);
    for (const auto& v : {alone, parent}) {
        v->setAlpha(0.5);
        window->addSubview(v);
    }
    backend.frame();
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(22, 22)), {128, 0, 0}, 4));  // black at half over red
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(62, 22)), {128, 0, 0}, 4));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(67, 27)), {128, 0, 0}, 4));  // the child overlaps once, not twice
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(72, 32)), {128, 0, 0}, 4));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(40, 40)), {255, 0, 0}));
}

TEST_P(RenderTest, ImageViewsShowTheirImageAtTheirAlphaPlaceAndClip)
{
    // Pixel for pixel: painted from the image itself, no backing image kept.
    auto exact = addView<UIImageView>(*window, CGRectMake(10, 10, 40, 40));
    exact->setImage(markedSquare(40));
    // Larger than its view and centred: the view's bounds cut it.
    auto centred = addView<UIImageView>(*window, CGRectMake(100, 10, 40, 40));
    centred->setContentMode(UIViewContentModeCenter);
    centred->setImage(markedSquare(60));
    // Stretched to twice its size: drawn once into a backing image.
    auto stretched = addView<UIImageView>(*window, CGRectMake(200, 10, 40, 40));
    stretched->setImage(markedSquare(20));

    backend.frame();
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(30, 30)), {255, 0, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(11, 30)), {0, 0, 255}));
    EXPECT_FALSE(hasBacking(*exact));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(101, 30)), {255, 0, 0}));   // the blue column is cut off
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(98, 30)), {255, 255, 255}));  // nothing outside the view
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(141, 30)), {255, 255, 255}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(203, 30)), {0, 0, 255}));  // the column, twice as wide
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(230, 30)), {255, 0, 0}));
    EXPECT_TRUE(hasBacking(*stretched));

    // Fading, then a new image of another size: the view follows.
    exact->setAlpha(0.5);
    backend.frame();
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(30, 30)), {255, 127, 127}, 4));
    exact->setImage(markedSquare(20));
    exact->setAlpha(1);
    backend.frame();
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(13, 30)), {0, 0, 255}));
    EXPECT_TRUE(hasBacking(*exact));

    // Widened in an animation (a bar turned to landscape): the first frames still show the old
    // size, which fits the image, yet the widened view is drawn at the end.
    auto bar = addView<UIImageView>(*window, CGRectMake(10, 100, 40, 40));
    bar->setImage(markedSquare(40)->stretchableImageWithLeftCapWidth(19, 0));
    backend.frame();
    EXPECT_FALSE(hasBacking(*bar));
    UIView::beginAnimations("Widen");
    UIView::setAnimationDuration(0.3);
    bar->setFrame(CGRectMake(10, 100, 120, 40));
    UIView::commitAnimations();
    backend.frame();
    backend.advance(400);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(11, 120)), {0, 0, 255}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(120, 120)), {255, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Scales, RenderTest, ::testing::Values(1.0, 2.0));

class RedrawTest : public UITest {};

TEST_F(RedrawTest, OnlyInvalidViewsAreRedrawnAndAnUnchangedFrameDrawsNothing)
{
    auto a = addView<SquareView>(*window, CGRectMake(0, 0, 50, 50));
    auto b = addView<SquareView>(*window, CGRectMake(100, 0, 50, 50));
    auto plain = addView(*window, CGRectMake(0, 100, 50, 50), UIColor::redColor());
    auto& compositor = UIApplication::sharedApplication().compositor();
    EXPECT_TRUE(backend.frame());
    EXPECT_EQ(a->drawCount(), 1);
    EXPECT_EQ(b->drawCount(), 1);
    long frames = compositor.framesRendered();

    EXPECT_FALSE(backend.frame());
    EXPECT_EQ(compositor.framesRendered(), frames);

    b->setNeedsDisplay();
    EXPECT_TRUE(backend.frame());
    EXPECT_EQ(compositor.lastFrameDrawRectCount(), 1);
    EXPECT_EQ(a->drawCount(), 1);
    EXPECT_EQ(b->drawCount(), 2);

    // Moving or fading reuses the backing image.
    a->setCenter(CGPointMake(60, 60));
    plain->setAlpha(0.5);
    EXPECT_TRUE(backend.frame());
    EXPECT_EQ(compositor.lastFrameDrawRectCount(), 0);
    EXPECT_EQ(a->drawCount(), 1);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(40, 40)), {0, 0, 0}));

    // A new size stretches the old picture unless the view redraws on resize.
    a->setFrame(CGRectMake(0, 0, 100, 100));
    backend.frame();
    EXPECT_EQ(a->drawCount(), 1);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(15, 15)), {0, 0, 0}));
    a->setContentMode(UIViewContentModeRedraw);
    a->setFrame(CGRectMake(0, 0, 50, 50));
    backend.frame();
    EXPECT_EQ(a->drawCount(), 2);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(15, 15)), {255, 255, 255}));
}

TEST_F(RedrawTest, LabelDrawsItsTextInItsColourAndRedrawsOnChange)
{
    auto label = addView<UILabel>(*window, CGRectMake(10, 10, 200, 30));
    label->setText("Lumeno");
    label->setFont(UIFont::boldSystemFontOfSize(20));
    label->setTextColor(UIColor::blueColor());
    backend.frame();
    auto inkOf = [&](RGB colour) {
        int count = 0;
        for (int y = 10; y < 40; ++y)
            for (int x = 10; x < 210; ++x)
                if (isColor(backend.pixelAt(CGPointMake(x + 0.5, y + 0.5)), colour, 40)) ++count;
        return count;
    };
    int blue = inkOf({0, 0, 255});
    EXPECT_GT(blue, 50);
    label->setHighlightedTextColor(UIColor::redColor());
    label->setHighlighted(true);
    backend.frame();
    EXPECT_EQ(inkOf({0, 0, 255}), 0);
    EXPECT_NEAR(inkOf({255, 0, 0}), blue, blue / 10);

    CGSize fit = label->sizeThatFits(CGSizeMake(1000, 1000));
    EXPECT_GT(fit.width, 40);
    EXPECT_LT(fit.width, 120);
    EXPECT_GE(fit.height, 20);
}

TEST_F(RedrawTest, LandscapeTurnsTheDisplayAndItsInput)
{
    addView(*window, CGRectMake(0, 0, 320, 10), UIColor::redColor());  // screen top edge
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    EXPECT_EQ(UIApplication::sharedApplication().statusBarOrientation(), UIInterfaceOrientationLandscapeRight);
    cairo_surface_t* s = backend.surface();
    EXPECT_EQ(cairo_image_surface_get_width(s), 480);
    EXPECT_EQ(cairo_image_surface_get_height(s), 320);
    // The screen's top edge is the display's left edge in landscape-right.
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(5, 160)), {255, 0, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(240, 5)), {255, 255, 255}));
    EXPECT_TRUE(near(Compositor::screenPointFromDisplayPoint(CGPointMake(0, 0)), CGPointMake(320, 0)));
    EXPECT_TRUE(near(Compositor::displayPointFromScreenPoint(CGPointMake(320, 0)), CGPointMake(0, 0)));
    backend.rotate(UIDeviceOrientationPortraitUpsideDown);  // refused by default
    EXPECT_EQ(UIApplication::sharedApplication().statusBarOrientation(), UIInterfaceOrientationLandscapeRight);
}

TEST_F(RedrawTest, AFlipTransitionTurnsFromTheOldPictureToTheNew)
{
    auto card = addView(*window, CGRectMake(60, 100, 200, 200), UIColor::redColor());
    auto face = addView(*card, CGRectMake(0, 0, 200, 200), UIColor::redColor());
    backend.frame();
    auto back = std::make_shared<UIView>(CGRectMake(0, 0, 200, 200));
    back->setBackgroundColor(UIColor::blueColor());
    UIView::beginAnimations("Flip");
    UIView::setAnimationDuration(0.7);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationTransition(UIViewAnimationTransitionFlipFromLeft, card.get(), true);
    face->removeFromSuperview();
    card->addSubview(back);
    UIView::commitAnimations();

    backend.advance(175);  // a quarter: the old face, half as wide
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(160, 200)), {255, 0, 0}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(80, 200)), {255, 255, 255}));
    backend.advance(350);  // three quarters: the new face, half as wide
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(160, 200)), {0, 0, 255}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(80, 200)), {255, 255, 255}));
    backend.advance(300);
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(80, 200)), {0, 0, 255}));
    EXPECT_FALSE(UIView::hasRunningAnimations());
}

TEST_F(RedrawTest, ALabelWithTwoLinesTruncatesTheSecond)
{
    const std::string text = "Praise belongs to God, Lord of the Worlds, the Lord of Mercy, the Giver of Mercy, "
                             "Master of the Day of Judgement";
    auto makeLabel = [&](double y, UILineBreakMode mode) {
        auto label = addView<UILabel>(*window, CGRectMake(10, y, 200, 80));
        label->setText(text);
        label->setFont(UIFont::fontWithName("Helvetica", 15));
        label->setNumberOfLines(2);
        label->setLineBreakMode(mode);
        return label;
    };
    auto truncated = makeLabel(10, UILineBreakModeTailTruncation);
    auto wrapped = makeLabel(200, UILineBreakModeWordWrap);
    backend.frame();
    auto inkRows = [&](double top) {
        std::vector<int> rows;
        for (int y = 0; y < 80; ++y) {
            bool ink = false;
            for (int x = 10; x < 210 && !ink; ++x)
                ink = backend.pixelAt(CGPointMake(x + 0.5, top + y + 0.5)).r < 128;
            if (ink) rows.push_back(y);
        }
        return rows;
    };
    auto rows = inkRows(10);
    ASSERT_FALSE(rows.empty());
    // Two lines of text centred in the label, nothing beyond them.
    double lineH = std::ceil(sizeWithFont("Ag", *truncated->font()).height);
    EXPECT_LE(rows.back() - rows.front(), 2 * lineH);
    EXPECT_GT(rows.back() - rows.front(), lineH);
    EXPECT_EQ(inkRows(200).size(), rows.size());
    // The last line differs from plain wrapping: it runs on to an ellipsis.
    int differ = 0;
    for (int y = static_cast<int>(rows.front() + lineH); y <= rows.back(); ++y)
        for (int x = 10; x < 210; ++x)
            if (backend.pixelAt(CGPointMake(x + 0.5, 10 + y + 0.5)).r != backend.pixelAt(CGPointMake(x + 0.5, 200 + y + 0.5)).r)
                ++differ;
    EXPECT_GT(differ, 20);
}

TEST_F(RedrawTest, AnUnlimitedLabelAsHighAsItsTextDrawsEveryLine)
{
    // Tail truncation (the default) with unlimited lines in a frame sized to the text:
    // all lines show, drawn exactly as plain wrapping draws them.
    const std::string text = "[All] praise is [due] to Allah, who has sent down upon His Servant the Book "
                             "and has not made therein any deviance.";
    UIFontPtr font = UIFont::fontWithName("Helvetica", 13);
    const double h = sizeWithFont(text, *font, CGSizeMake(240, 100000), UILineBreakModeWordWrap).height;
    ASSERT_GT(h, 3 * font->lineHeight());  // several lines
    auto makeLabel = [&](double y, UILineBreakMode mode) {
        auto label = addView<UILabel>(*window, CGRectMake(10, y, 240, h + 15));
        label->setText(text);
        label->setFont(font);
        label->setNumberOfLines(0);
        label->setLineBreakMode(mode);
        return label;
    };
    makeLabel(10, UILineBreakModeTailTruncation);
    makeLabel(220, UILineBreakModeWordWrap);
    backend.frame();
    int ink = 0, differ = 0;
    for (int y = 0; y < static_cast<int>(h + 15); ++y)
        for (int x = 10; x < 250; ++x) {
            const int a = backend.pixelAt(CGPointMake(x + 0.5, 10 + y + 0.5)).r;
            const int b = backend.pixelAt(CGPointMake(x + 0.5, 220 + y + 0.5)).r;
            ink += a < 128;
            differ += a != b;
        }
    EXPECT_GT(ink, 200);
    EXPECT_EQ(differ, 0);
}

TEST_F(RedrawTest, AFlattenedOrBrokenViewHidesItselfOnly)
{
    auto flat = addView(*window, CGRectMake(0, 0, 100, 100), UIColor::redColor());
    flat->setTransform(CGAffineTransformMakeScale(0, 1));
    auto broken = addView(*window, CGRectMake(0, 0, 100, 100), UIColor::redColor());
    broken->setCenter(CGPointMake(NAN, 50));
    addView(*window, CGRectMake(200, 0, 50, 50), UIColor::blueColor());
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(50, 50)), {255, 255, 255}));
    EXPECT_TRUE(isColor(backend.pixelAt(CGPointMake(210, 10)), {0, 0, 255}));  // the rest still draws
    EXPECT_EQ(window->hitTest(CGPointMake(50, 50), nullptr), window.get());
}
