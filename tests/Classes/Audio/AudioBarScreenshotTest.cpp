// The audio bar and the repeat bubbles in portrait and landscape, and the three pickers, as the
// reader sees them on a phone and on a tablet.

#include <gtest/gtest.h>

#include "Classes/Audio/PickReciterController.h"
#include "Classes/Audio/AyaRepeatController.h"
#include "Classes/Audio/PlayNextAyasController.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class AudioBarScreens : public PlaybackTest, public ::testing::WithParamInterface<UIUserInterfaceIdiom> {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        UIScreen::mainScreen().configure(GetParam(), 1);
    }
    bool tablet() const { return GetParam() == UIUserInterfaceIdiomPad; }
    // The controller shown in the tablet's popover, or null.
    UIViewController* inPopover() {
        UIPopoverController* popover = screen->popoverView();
        return popover && popover->isPopoverVisible() ? popover->contentViewController() : nullptr;
    }
    std::string name(const std::string& what) {
        return std::string(GetParam() == UIUserInterfaceIdiomPad ? "tablet" : "phone") + "-" + what + ".png";
    }
    CGRect onScreen(const UIView& view) { return view.convertRectToView(view.bounds(), nullptr); }
};

TEST_P(AudioBarScreens, BarsBubblesAndPickers) {
    installPerVerse(112, 2);
    openAndPlay(112, 1);
    run(400);
    const CGRect display = screen->view()->bounds();
    const CGRect bar = onScreen(*screen->viewBottomAudioBar);
    EXPECT_NEAR(bar.origin.y + bar.size.height, display.size.height, 1) << "the bar sits on the bottom edge";
    EXPECT_EQ(screen->viewTopRepeatBubbles->alpha(), 1);
    EXPECT_EQ(screen->btnReciter->alpha(), 0) << "the bubbles take the reciter button's place";
    EXPECT_GT(docs_screenshot::brightness(backend, CGPoint{10, display.size.height - 5}), 0);
    docs_screenshot::shoot(backend, name("audio-bar-portrait"));

    screen->btnPlayNextPressed();
    run(400);
    if (!tablet()) {
        EXPECT_NEAR(onScreen(*screen->optionsview()->view()).origin.y, 0, 1) << "a sheet over the screen";
    }
    docs_screenshot::shoot(backend, name("play-next-picker"));
    screen->dismissNextAyahOptionSheet();
    run(400);
    EXPECT_EQ(inPopover(), nullptr);
    EXPECT_FALSE(screen->isShowingPlayOptions());
    screen->btnAyahRepeatPressed();
    run(400);
    docs_screenshot::shoot(backend, name("verse-repeat-picker"));
    screen->dismissAyahRepeatOptionSheet();
    run(400);

    backend.rotate(UIDeviceOrientationLandscapeLeft);
    run(600);
    screen->stopIfPlaying();
    run(400);
    openAndPlay(112, 2);
    run(400);
    ASSERT_TRUE(screen->viewLandscapeAudioBar->superview());
    const CGRect landscapeBar = screen->viewLandscapeAudioBar->frame();
    const CGRect play = screen->btnPlay->frame();
    EXPECT_LE(screen->btnSurahRepeatBubble->frame().origin.x + screen->btnSurahRepeatBubble->frame().size.width,
              landscapeBar.origin.x) << "the rule bubble ends before the bar";
    EXPECT_NEAR(landscapeBar.origin.x + landscapeBar.size.width, play.origin.x, 1) << "just left of the play button";
    EXPECT_FALSE(screen->viewBottomAudioBar->superview());
    docs_screenshot::shoot(backend, name("audio-bar-landscape"));
    backend.rotate(UIDeviceOrientationPortrait);
    run(600);

    screen->stopIfPlaying();
    screen->btnReciterPressed();
    run(600);
    ASSERT_TRUE(dynamic_cast<PickReciterController*>(inPopover() ? inPopover() : screen->modalViewController()));
    docs_screenshot::shoot(backend, name("reciter-picker"));
}

INSTANTIATE_TEST_SUITE_P(Idioms, AudioBarScreens, ::testing::Values(UIUserInterfaceIdiomPhone, UIUserInterfaceIdiomPad));

}  // namespace
