#include <cstdlib>
#include <filesystem>

#include "platform/graphics/CGContext.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIProgressView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {
UIImagePtr swatch(CGSize size, double r, double g, double b)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    auto* ctx = UIGraphicsGetCurrentContext();
    ctx->setRGBFillColor(r, g, b, 1);
    ctx->fillRect(CGRectMake(0, 0, size.width, size.height));
    ctx->setRGBFillColor(1, 1, 1, 1);
    ctx->fillRect(CGRectMake(2, 0, 2, size.height));  // a stripe inside a 9-point left cap
    UIImagePtr img = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return img;
}

int brightness(HeadlessBackend::Pixel p) { return p.r + p.g + p.b; }
}  // namespace

class ControlsRenderTest : public UITest {
protected:
    double scale() const override { return 2; }
};

TEST_F(ControlsRenderTest, ControlsDrawTheirStates)
{
    window->setBackgroundColor(UIColor::colorWithRed(0.93, 0.94, 0.95, 1));
    auto title = addView<UILabel>(*window, CGRectMake(10, 10, 300, 30));
    title->setText("Al-Fatihah · الفاتحة");
    title->setFont(UIFont::boldSystemFontOfSize(20));
    title->setBackgroundColor(nullptr);
    title->setTextAlignment(UITextAlignmentCenter);

    auto wrapped = addView<UILabel>(*window, CGRectMake(10, 45, 300, 60));
    wrapped->setText("In the name of God, the Lord of Mercy, the Giver of Mercy. Praise belongs to God, Lord of the Worlds.");
    wrapped->setNumberOfLines(0);
    wrapped->setFont(UIFont::fontWithName("Helvetica", 13));
    wrapped->setBackgroundColor(nullptr);

    auto rounded = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    rounded->setFrame(CGRectMake(10, 120, 140, 37));
    rounded->setTitle("Bookmark", UIControlStateNormal);
    window->addSubview(rounded);

    auto custom = std::make_shared<UIButton>(CGRectMake(170, 120, 140, 37));
    custom->setBackgroundImage(swatch(CGSizeMake(20, 20), 0.1, 0.4, 0.3)->stretchableImageWithLeftCapWidth(9, 0),
                               UIControlStateNormal);
    custom->setTitle("Play", UIControlStateNormal);
    custom->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    window->addSubview(custom);

    UIButtonType kinds[] = {UIButtonTypeInfoDark, UIButtonTypeDetailDisclosure, UIButtonTypeContactAdd};
    for (int i = 0; i < 3; ++i) {
        auto b = UIButton::buttonWithType(kinds[i]);
        b->setCenter(CGPointMake(30 + i * 40, 185));
        window->addSubview(b);
    }

    auto icon = addView<UIImageView>(*window, CGRectMake(200, 170, 30, 30));
    icon->setImage(swatch(CGSizeMake(30, 30), 0.8, 0.2, 0.2));
    icon->setHighlightedImage(swatch(CGSizeMake(30, 30), 0.2, 0.2, 0.8));

    auto progress = addView<UIProgressView>(*window, CGRectMake(10, 220, 300, 9));
    progress->setProgress(0.25f);
    auto spinner = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    spinner->setCenter(CGPointMake(160, 260));
    window->addSubview(spinner);
    spinner->startAnimating();

    backend.frame();
    // The rounded button is white inside, blue when pressed.
    auto inside = CGPointMake(20, 138);
    EXPECT_GT(brightness(backend.pixelAt(inside)), 740);
    rounded->setHighlighted(true);
    auto pressed = backend.pixelAt(inside);
    EXPECT_GT(pressed.b, pressed.r + 100);
    rounded->setHighlighted(false);

    // A pressed custom button darkens its background image.
    int before = brightness(backend.pixelAt(CGPointMake(180, 125)));
    custom->setHighlighted(true);
    EXPECT_LT(brightness(backend.pixelAt(CGPointMake(180, 125))), before * 3 / 4);
    custom->setHighlighted(false);
    // The stretchable background keeps its left cap: the stripe stays at x = 2..4.
    EXPECT_GT(brightness(backend.pixelAt(CGPointMake(170 + 3, 139))), 700);
    EXPECT_LT(brightness(backend.pixelAt(CGPointMake(170 + 30, 124))), 400);

    // The image view swaps to its highlighted image.
    EXPECT_GT(backend.pixelAt(CGPointMake(205, 175)).r, 150);
    icon->setHighlighted(true);
    EXPECT_GT(backend.pixelAt(CGPointMake(205, 175)).b, 150);

    // Progress: filled at a quarter, empty further on.
    EXPECT_GT(backend.pixelAt(CGPointMake(40, 224)).b, 150);
    EXPECT_GT(brightness(backend.pixelAt(CGPointMake(200, 224))), 650);

    // The spinner turns on the clock and hides when stopped.
    int drawn = spinner->drawCount();
    backend.advance(250);
    EXPECT_GT(spinner->drawCount(), drawn);

    const char* tmp = std::getenv("LUMENO_TEMP_DIR");
    if (tmp) {
        std::filesystem::create_directories(tmp);
        EXPECT_TRUE(backend.screenshot(std::string(tmp) + "/controls.png"));
    }
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
}
