// Audio interruptions (a call, another program taking the sound) at the reading screen while a
// chapter plays: what the audio bar and the verse table show, and which pause the end undoes.

#include <gtest/gtest.h>

#include <vector>

#include "platform/media/AVAudioSession.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScreenTouches.h"

namespace {

using screen_pixels::differing;
using screen_pixels::Pixels;
using screen_touches::displayCentre;
using screen_touches::displayRect;

// Share of the pixels whose colours differ by more than a faint tint (the playing mark is one).
double tinted(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size() || a.empty()) return 1;
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += screen_pixels::distance(a[i], b[i]) > 15 ? 1 : 0;
    return static_cast<double>(n) / static_cast<double>(a.size());
}

class InterruptionTest : public PlaybackTest {
protected:
    // Verse 1 of chapter 112 playing (its 1.5 s clip), 0.3 s in.
    void SetUp() override {
        PlaybackTest::SetUp();
        installPerVerse(112, 2, {1});
        openAndPlay(112, 1);
        run(300);
        ASSERT_TRUE(screen->IsInPlayMode());
        ASSERT_TRUE(screen->CurrentAudioPlayer()->isPlaying());
    }
    Pixels pauseButton() { return screen_pixels::grab(backend, displayRect(*screen->btnBottomAudioPause)); }
    // A strip of a verse's row between its number and its text, where the playing mark shows
    // (narrow: every pixel read draws a frame while the verse plays).
    Pixels rowStrip(int verse) {
        const CGRect row = displayRect(*arabicRow(verse));
        return screen_pixels::grab(backend, CGRectMake(65, row.origin.y + 4, 60, row.size.height - 8));
    }
    void touchPause() {
        backend.tap(displayCentre(*screen->btnBottomAudioPause));
        run(100);
    }
    double position() { return screen->CurrentAudioPlayer()->currentTime(); }
    AVAudioSession& session = AVAudioSession::sharedInstance();
};

TEST_F(InterruptionTest, PausesWithTheVerseStillMarkedAndItsEndResumes) {
    const Pixels playingBar = pauseButton(), row = rowStrip(1);
    ASSERT_GT(tinted(row, rowStrip(2)), 0.9) << "the playing verse is marked";

    session.beginInterruption();
    run(100);
    EXPECT_TRUE(screen->isPaused());
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    const Pixels interruptedBar = pauseButton();
    EXPECT_GT(differing(playingBar, interruptedBar), 0.05) << "the pause button turns into the play symbol";
    const double heldAt = position();
    run(1000);
    EXPECT_DOUBLE_EQ(position(), heldAt) << "nothing plays during the interruption";
    EXPECT_EQ(playingRows(), std::vector<int>{1});
    EXPECT_LT(tinted(row, rowStrip(1)), 0.01) << "the verse keeps its playing mark";
    EXPECT_TRUE(screen->IsInPlayMode());

    session.endInterruption();
    run(100);
    EXPECT_FALSE(screen->isPaused());
    EXPECT_TRUE(screen->CurrentAudioPlayer()->isPlaying());
    EXPECT_LT(differing(playingBar, pauseButton()), 0.01);
    run(300);
    EXPECT_GT(position(), heldAt + 0.2) << "the verse goes on from where it stopped";
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 1);

    // The bar showed what the reader's own pause shows.
    touchPause();
    EXPECT_LT(differing(interruptedBar, pauseButton()), 0.01);
}

TEST_F(InterruptionTest, TheReadersOwnPauseOutlastsTheInterruption) {
    touchPause();
    ASSERT_TRUE(screen->isPaused());
    const Pixels pausedBar = pauseButton();
    const double heldAt = position();

    session.beginInterruption();
    run(100);
    session.endInterruption();
    run(1000);
    EXPECT_TRUE(screen->isPaused());
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    EXPECT_DOUBLE_EQ(position(), heldAt);
    EXPECT_LT(differing(pausedBar, pauseButton()), 0.01);
}

// The reader takes over during the interruption: resumes, then pauses again. When the player then
// reports the interruption's end (as a player whose resume the call refused would), the reader's
// pause stays.
TEST_F(InterruptionTest, EndOfTheInterruptionLeavesAPauseMadeDuringItByTheReader) {
    session.beginInterruption();
    run(100);
    ASSERT_TRUE(screen->isPaused());
    touchPause();
    ASSERT_FALSE(screen->isPaused());
    touchPause();
    ASSERT_TRUE(screen->isPaused());
    const double heldAt = position();

    screen->audioPlayerEndInterruption(*screen->CurrentAudioPlayer());
    session.endInterruption();
    run(1000);
    EXPECT_TRUE(screen->isPaused());
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    EXPECT_DOUBLE_EQ(position(), heldAt);
}

}  // namespace
