// The recitation controls as the reader reaches them: synthetic touches at the centres of the
// repeat bubbles, the landscape header's buttons and the landscape bar, and pixels of headless
// renders of the header and the Tajweed legend as the device turns while a chapter plays.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes/Audio/AyaRepeatController.h"
#include "Classes/Audio/PickReciterController.h"
#include "Classes/Audio/PlayNextAyasController.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/Reading/PickTranslationController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIScreen.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScreenTouches.h"

namespace {

using screen_pixels::differing;
using screen_pixels::distance;
using screen_pixels::Pixels;
using screen_touches::displayCentre;
using screen_touches::displayRect;

class PlayControlsOnScreen : public PlaybackTest, public ::testing::WithParamInterface<UIUserInterfaceIdiom> {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        if (tablet()) useTablet();
        for (const char* key : {"ShowTajweedBar", "TajweedQalqala", "TajweedIqlab", "TajweedIdgham", "TajweedIkhfa", "TajweedGhunna"})
            NSUserDefaults::standardUserDefaults().setBool(true, key);
    }
    bool tablet() const { return GetParam() == UIUserInterfaceIdiomPad; }

    void turn(UIDeviceOrientation o) {
        run(500);
        backend.rotate(o);
        run(700);
    }
    // A finger down and up at the view's centre on the display.
    void touch(const UIView& view) {
        backend.tap(displayCentre(view));
        run(450);
    }
    // The view a finger at a display point would reach.
    UIView* reached(CGPoint displayPoint) {
        return window->hitTest(Compositor::screenPointFromDisplayPoint(displayPoint), nullptr);
    }
    bool reachable(const UIView& target) {
        UIView* hit = reached(displayCentre(target));
        return hit && hit->isDescendantOfView(&target);
    }
    // The picker shown now: in the tablet's popover, or as the phone's sheet over the screen.
    template <class Picker>
    Picker* shownPicker(const std::shared_ptr<Picker>& sheet) {
        if (tablet()) {
            UIPopoverController* popover = screen->popoverView();
            return popover && popover->isPopoverVisible() ? dynamic_cast<Picker*>(popover->contentViewController()) : nullptr;
        }
        if (!sheet || !sheet->isViewLoaded()) return nullptr;
        // The sheet covers the screen: a finger in the middle lands on it.
        UIView* hit = reached(displayCentre(*screen->view()));
        return hit && hit->isDescendantOfView(sheet->view()) ? sheet.get() : nullptr;
    }
    // Header controls that must not overlap on the display.
    void expectApart(const std::vector<const UIView*>& views) {
        for (size_t i = 0; i < views.size(); ++i)
            for (size_t j = i + 1; j < views.size(); ++j) {
                const CGRect a = displayRect(*views[i]), b = displayRect(*views[j]);
                EXPECT_FALSE(CGRectIntersectsRect(CGRectInset(a, 0.5, 0.5), CGRectInset(b, 0.5, 0.5)))
                    << "controls " << i << " and " << j << " overlap";
                EXPECT_GT(a.size.width, 0);
            }
    }
    Pixels grab(CGRect r) { return screen_pixels::grab(backend, r); }
    // How many of the five rules' colours are drawn among the pixels (the legend's titles).
    static int ruleColoursDrawn(const Pixels& p) {
        int found = 0;
        for (const TajweedColor c : {kColorQalqala, kColorQalb, kColorIdghaam, kColorIkhfa, kColorGhunna}) {
            const RGB8 rgb = ArabicFont::colorOf(c);
            const HeadlessBackend::Pixel want{rgb.r, rgb.g, rgb.b, 255};
            int n = 0;
            for (const auto& px : p) n += distance(px, want) <= 45 ? 1 : 0;
            found += n >= 3 ? 1 : 0;
        }
        return found;
    }
    // The legend's place: the foot of the verses, above the bottom audio bar when it shows.
    CGRect legendPlace(double barHeight) {
        const CGRect all = displayRect(*screen->view());
        return CGRectMake(all.origin.x + 50, CGRectGetMaxY(all) - barHeight - 30, all.size.width - 50, 30);
    }
};

TEST_P(PlayControlsOnScreen, BubblesOpenTheirPickersInBothOrientations) {
    installPerVerse(112, 2);
    NSUserDefaults::standardUserDefaults().setInteger(5, "AyahRepeatCounter");  // verse 1 plays on and on
    openAndPlay(112, 1);
    run(400);
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        if (landscape) turn(UIDeviceOrientationLandscapeLeft);
        ASSERT_TRUE(screen->IsInPlayMode());
        EXPECT_EQ(screen->btnSurahRepeatBubble->titleForState(UIControlStateNormal), "Stop at end of surah");
        EXPECT_EQ(screen->lblAyahRepeatCount->text(), "\u221E");
        ASSERT_TRUE(reachable(*screen->btnSurahRepeatBubble));
        ASSERT_TRUE(reachable(*screen->btnAyahRepeatBubble));
        expectApart({screen->btnSurahRepeatBubble.get(), screen->btnAyahRepeatBubble.get(), screen->btnPlay.get()});
        // The orientation's own bar pauses and resumes.
        UIButton& pause = landscape ? *screen->btnLandscapeAudioPause : *screen->btnBottomAudioPause;
        touch(pause);
        EXPECT_TRUE(screen->isPaused());
        touch(pause);
        EXPECT_FALSE(screen->isPaused());

        touch(*screen->btnSurahRepeatBubble);
        PlayNextAyasController* next = shownPicker(screen->optionsview());
        ASSERT_NE(next, nullptr);
        // Choosing a group on the sheet shows in the bubble once the sheet closes.
        if (tablet()) {
            next->didSelectRowAtIndexPath(next->table.get(), NSIndexPath::indexPathForRow(2, 1));
        } else {
            next->table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(2, 1), UITableViewScrollPositionMiddle, false);
            run(100);
            backend.tap(displayCentre(*next->table, next->table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 1))));
            run(100);
        }
        EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("PlayVerseRange"), 2);
        touch(*next->btnBack);
        EXPECT_EQ(shownPicker(screen->optionsview()), nullptr);
        EXPECT_FALSE(screen->isShowingPlayOptions());
        EXPECT_EQ(screen->btnSurahRepeatBubble->titleForState(UIControlStateNormal).rfind("Play the next", 0), 0u);
        EXPECT_TRUE(reachable(*screen->btnSurahRepeatBubble)) << "the bar is back after the sheet";

        touch(*screen->btnAyahRepeatBubble);
        AyaRepeatController* repeat = shownPicker(screen->ayahOptionsView());
        ASSERT_NE(repeat, nullptr);
        touch(*repeat->btnBack);
        EXPECT_EQ(shownPicker(screen->ayahOptionsView()), nullptr);
        EXPECT_TRUE(reachable(*screen->btnAyahRepeatBubble));
        NSUserDefaults::standardUserDefaults().setInteger(0, "PlayVerseRange");
        NSNotificationCenter::defaultCenter().postNotificationName("PlayVerseRangeDidChange");
    }
}

TEST_P(PlayControlsOnScreen, LandscapeHeaderPlaysPausesSkipsAndTurnsChapters) {
    installPerVerse(112, 2);
    open(112, 1, 3);
    turn(UIDeviceOrientationLandscapeLeft);
    ASSERT_TRUE(screen->IsInLandscape());
    expectApart({screen->btnBackToIndex.get(), screen->btnLeftOrnament.get(), screen->imgSurahName.get(),
                 screen->btnRightOrnament.get(), screen->viewTopLSButtons.get(), screen->btnPlay.get()});
    for (const UIView* v : {screen->btnBackToIndex.get(), screen->btnSurahNameOptionsBar.get(), screen->btnLSPrevSurah.get(),
                            screen->btnLSNextSurah.get(), screen->btnPlay.get()})
        EXPECT_TRUE(reachable(*v));

    touch(*screen->btnLSNextSurah);
    EXPECT_EQ(screen->iCurrentSurah(), 113);
    touch(*screen->btnLSPrevSurah);
    EXPECT_EQ(screen->iCurrentSurah(), 112);
    EXPECT_EQ(ruleColoursDrawn(grab(legendPlace(0))), 5) << "the legend at the foot of the screen";

    screen->highlightVerse(1, true, false, true);
    touch(*screen->btnPlay);
    ASSERT_TRUE(screen->IsInPlayMode());
    expectApart({screen->btnSurahRepeatBubble.get(), screen->btnAyahRepeatBubble.get(), screen->viewLandscapeAudioBar.get(),
                 screen->btnPlay.get()});
    const CGRect bar = displayRect(*screen->viewLandscapeAudioBar), play = displayRect(*screen->btnPlay);
    EXPECT_NEAR(CGRectGetMaxX(bar), play.origin.x, 1) << "the bar sits just left of the play button";
    EXPECT_NEAR(bar.origin.y, play.origin.y, 1);

    touch(*screen->btnLandscapeAudioPause);
    EXPECT_TRUE(screen->isPaused());
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    touch(*screen->btnLandscapeAudioPause);
    EXPECT_FALSE(screen->isPaused());
    touch(*screen->btnLandscapeAudioFF);
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 2);
    touch(*screen->btnLandscapeAudioRR);  // within the verse's first second: the verse before
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 1);

    touch(*screen->btnPlay);
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_TRUE(reachable(*screen->btnBackToIndex)) << "the bar's titles come back after a stop";
    EXPECT_TRUE(reachable(*screen->btnLSNextSurah));
    EXPECT_FALSE(screen->viewLandscapeAudioBar->superview());
}

TEST_P(PlayControlsOnScreen, ChapterNameReachesReciterAndTranslationInLandscape) {
    installPerVerse(112, 2);
    open(112, 1, 3);
    turn(UIDeviceOrientationLandscapeLeft);
    const struct {
        int button;
        std::string startsWith;
    } options[] = {{0, "Reciter: "}, {1, "Translation: En: Saheeh"}};
    for (const auto& option : options) {
        SCOPED_TRACE(option.startsWith);
        touch(*screen->btnSurahNameOptionsBar);
        UIActionSheet* sheet = screen->landscapeOptionsSheet();
        ASSERT_TRUE(sheet && sheet->isVisible());
        EXPECT_EQ(sheet->buttonTitleAtIndex(option.button).rfind(option.startsWith, 0), 0u)
            << sheet->buttonTitleAtIndex(option.button);
        touch(*sheet->buttonAtIndex(option.button));
        UIViewController* shown = tablet() && screen->popoverView() && screen->popoverView()->isPopoverVisible()
                                      ? screen->popoverView()->contentViewController()
                                      : screen->modalViewController();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(option.button == 0 ? dynamic_cast<PickReciterController*>(shown) != nullptr
                                       : dynamic_cast<PickTranslationController*>(shown) != nullptr);
        if (tablet()) screen->popoverView()->dismissPopoverAnimated(false);
        else screen->dismissModalViewControllerAnimated(false);
        run(400);
    }
    // The third choice shows the chapter's information.
    touch(*screen->btnSurahNameOptionsBar);
    touch(*screen->landscapeOptionsSheet()->buttonAtIndex(2));
    EXPECT_TRUE(screen->isShowingSurahInfo());
}

TEST_P(PlayControlsOnScreen, LandscapeHeaderShowsNothingOfTheHiddenStrip) {
    open(112, 1, 3);
    turn(UIDeviceOrientationLandscapeLeft);
    const CGRect header = displayRect(*screen->viewTopOptionsBar);
    const Pixels shown = grab(header);
    screen->viewSurahDispAndOrnaments->setHidden(true);
    const Pixels without = grab(header);
    EXPECT_EQ(differing(shown, without), 0) << "the reciter, speaker or translation show through the header";
}

TEST_P(PlayControlsOnScreen, TurningWhilePlayingSwapsTheBarsAndKeepsTheLegend) {
    installPerVerse(112, 2);
    openAndPlay(112, 1);
    run(400);
    const Pixels portrait = grab(legendPlace(49));
    EXPECT_EQ(ruleColoursDrawn(portrait), 5) << "the legend above the bottom audio bar";

    turn(UIDeviceOrientationLandscapeLeft);
    ASSERT_TRUE(screen->IsInPlayMode());
    EXPECT_TRUE(reachable(*screen->btnLandscapeAudioPause));
    const Pixels landscapePlaying = grab(legendPlace(0));
    screen->stopIfPlaying();
    run(600);
    const Pixels landscapeStopped = grab(legendPlace(0));
    EXPECT_EQ(ruleColoursDrawn(landscapeStopped), 5);
    EXPECT_LT(differing(landscapePlaying, landscapeStopped), 0.01) << "nothing of the bottom bar is left over the legend";

    touch(*screen->btnPlay);
    ASSERT_TRUE(screen->IsInPlayMode());
    turn(UIDeviceOrientationPortrait);
    ASSERT_TRUE(screen->IsInPlayMode());
    EXPECT_TRUE(reachable(*screen->btnBottomAudioPause));
    EXPECT_FALSE(screen->viewLandscapeAudioBar->superview());
    const Pixels back = grab(legendPlace(49));
    EXPECT_EQ(ruleColoursDrawn(back), 5) << "the legend is back after the turn";
    EXPECT_LT(differing(portrait, back), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Idioms, PlayControlsOnScreen, ::testing::Values(UIUserInterfaceIdiomPhone, UIUserInterfaceIdiomPad),
                         [](const auto& info) { return info.param == UIUserInterfaceIdiomPad ? "Tablet" : "Phone"; });

}  // namespace
