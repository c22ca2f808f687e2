// Playing a chapter from the reading screen: per-verse clips and continuous parts highlight
// each verse as it starts; nothing installed starts the download; stops, fades, seeking and
// the window's media keys.

#include <gtest/gtest.h>

#include <cfloat>

#include "Classes/Audio/VerseClipFiles.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/media/AVAudioSession.h"
#include "platform/services/MPRISPlayer.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/ScreenTouches.h"

namespace {

class Playback : public PlaybackTest {
protected:
    // Steps the clock by 5 ms until the verse plays; the player's position then, or -1.
    double positionWhenVerseStarts(int verse, double maxMs) {
        for (double t = 0; t < maxMs; t += 5) {
            if (screen->iCurrentPlayingVerse() == verse && screen->IsInPlayMode())
                return screen->CurrentAudioPlayer() ? screen->CurrentAudioPlayer()->currentTime() : -1;
            backend.advance(5);
            settle();
        }
        return -1;
    }
    void tap(const std::shared_ptr<UIButton>& button, bool forward) {
        screen->btnAudioFingerDown(button.get());
        screen->btnAudioFingerUp();
        if (forward) screen->btnAudioFFPressed();
        else screen->btnAudioRRPressed();
        settle();
    }
};

TEST_F(Playback, PerVerseClipsHighlightEachVerseAsItStartsAndStopAtTheChapterEnd) {
    installPerVerse(112, 2);
    openAndPlay(112, 1);
    ASSERT_TRUE(screen->IsInPlayMode());
    EXPECT_FALSE(screen->isUsingContinuousPlayback());
    EXPECT_EQ(playingRows(), std::vector<int>{1});
    EXPECT_TRUE(screen->isShowingBubbles());
    ASSERT_TRUE(screen->CurrentAudioPlayer());
    EXPECT_NE(screen->CurrentAudioPlayer()->url().find("current.mp3"), std::string::npos);
    for (int verse = 2; verse <= 4; ++verse) {
        SCOPED_TRACE(verse);
        run(900);
        EXPECT_EQ(screen->iCurrentPlayingVerse(), verse - 1) << "still the clip before";
        run(150);
        EXPECT_EQ(screen->iCurrentPlayingVerse(), verse);
        EXPECT_EQ(screen->selectedVerse(), verse);
        EXPECT_EQ(playingRows(), std::vector<int>{verse});
    }
    run(1100);
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_TRUE(playingRows().empty());
    EXPECT_FALSE(screen->CurrentAudioPlayer());
    EXPECT_EQ(screen->clipFiles().altVerseFileName(), "current.mp3");
    run(400);
    EXPECT_FALSE(screen->isShowingBubbles());
}

TEST_F(Playback, ChapterOnePlaysTheClipStoredUnderTheVerseBefore) {
    installPerVerse(1, 2, {0});
    openAndPlay(1, 1);
    ASSERT_TRUE(screen->CurrentAudioPlayer());
    EXPECT_NEAR(screen->CurrentAudioPlayer()->duration(), 1.5, 0.01) << "verse 1 plays clip 0";
}

TEST_F(Playback, NothingInstalledStartsTheDownloadInsteadOfPlaying) {
    openAndPlay(112, 1);
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_EQ(delegate().downloads, std::vector<int>{112});
    // A missing clip stops playback cleanly.
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(app->dbConnection(), 113, 2));
    openAndPlay(113, 1);
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_EQ(delegate().downloads.size(), 1u);
}

// The reading screen's download panel as the chapter downloads and then is set up: the bar fills,
// "Setting Up..." shows and the cancel button no longer reacts, also when the screen shows anew.
TEST_F(Playback, DownloadPanelWhileTheChapterIsSetUp) {
    auto press = [this](UIView& v) {
        backend.tap(screen_touches::screenCentre(v, v.bounds()));
        run(300);
    };
    // Fill of the bar near its left and right ends, drawn.
    auto barEnds = [this] {
        backend.frame();
        const CGRect bar = screen->downloadAudioProgressBar->convertRectToView(screen->downloadAudioProgressBar->bounds(), nullptr);
        const double y = CGRectGetMidY(bar);
        return std::pair{backend.pixelAt(CGPointMake(bar.origin.x + 4, y)), backend.pixelAt(CGPointMake(CGRectGetMaxX(bar) - 4, y))};
    };
    auto same = [](const HeadlessBackend::Pixel& a, const HeadlessBackend::Pixel& b) {
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 30;
    };
    delegate().setDownloading(112, 40 * 1024, 0.5f, false);
    open(112, 1, 3);
    ASSERT_TRUE(screen->viewDownloadAudioProgress && !screen->viewDownloadAudioProgress->isHidden());
    auto [left, right] = barEnds();
    EXPECT_FALSE(same(left, right)) << "half filled";
    press(*screen->btnAudioDownloadCancel);
    EXPECT_EQ(delegate().cancels, 1);

    delegate().setDownloading(112, 40 * 1024, 1.0f, true);
    for (const bool reopened : {false, true}) {
        SCOPED_TRACE(reopened ? "shown anew" : "told by the download");
        if (reopened) {
            screen->viewWillDisappear(false);
            screen->viewDidDisappear(false);
            screen->viewWillAppear(false);
            screen->viewDidAppear(false);
        } else {
            screen->willPerformAudioSetup();
        }
        run(300);
        EXPECT_EQ(screen->lblAudioDownloadDetails->text(), "Setting Up... Please Wait");
        std::tie(left, right) = barEnds();
        EXPECT_TRUE(same(left, right)) << "the bar is full";
        press(*screen->btnAudioDownloadCancel);
        EXPECT_EQ(delegate().cancels, 1) << "cancel is off while the chapter is set up";
    }
}

TEST_F(Playback, ContinuousPartsHighlightEachVerseAtItsStartTime) {
    installContinuous(112, 2, {{0, 1, 0.0}, {1, 1, 0.4}, {2, 1, 0.8}, {3, 2, 0.0}, {4, 2, 0.6}});
    openAndPlay(112, 1);
    ASSERT_TRUE(screen->IsInPlayMode());
    ASSERT_TRUE(screen->isUsingContinuousPlayback());
    const auto firstPart = screen->CurrentAudioPlayer();
    ASSERT_TRUE(firstPart);
    EXPECT_NEAR(firstPart->currentTime(), 0.4, 0.01);
    EXPECT_EQ(screen->runningFades(), 1u) << "the first verse fades in";
    EXPECT_FLOAT_EQ(screen->nextVerseBeginTime(), 0.8f);

    const double at2 = positionWhenVerseStarts(2, 1000);
    EXPECT_GE(at2, 0.8);
    EXPECT_LE(at2, 0.82) << "the highlight follows the verse's start closely";
    EXPECT_EQ(screen->CurrentAudioPlayer(), firstPart) << "the same part plays on";
    EXPECT_EQ(screen->nextVerseBeginTime(), FLT_MAX) << "the next verse is in another part";
    EXPECT_EQ(playingRows(), std::vector<int>{2});

    EXPECT_GE(positionWhenVerseStarts(3, 1200), 0.0);
    EXPECT_NE(screen->CurrentAudioPlayer(), firstPart) << "a new part, a new player";
    EXPECT_EQ(screen->lastVersePart(), 2);
    const double at4 = positionWhenVerseStarts(4, 1000);
    EXPECT_GE(at4, 0.6);
    EXPECT_LE(at4, 0.62);
    run(1000);
    EXPECT_FALSE(screen->IsInPlayMode());
}

TEST_F(Playback, AStopFadesOutUnlessJustFadedInAndItsEndNeverCutsANewRun) {
    installContinuous(112, 2, {{0, 1, 0.0}, {1, 1, 0.4}, {2, 1, 0.8}, {3, 2, 0.0}, {4, 2, 0.6}});
    AVAudioSession& session = AVAudioSession::sharedInstance();
    // Within 2 s of the fade-in: the sound stops at once and the session is let go.
    openAndPlay(112, 1);
    run(300);
    auto player = screen->CurrentAudioPlayer();
    screen->playStopOrDownload();
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_FALSE(player->isPlaying());
    EXPECT_FALSE(session.isActive());

    // Later: a half-second fade-out; playing again during it is not cut when it ends.
    openAndPlay(112, 1);
    run(2100);
    ASSERT_TRUE(screen->IsInPlayMode());
    player = screen->CurrentAudioPlayer();
    screen->playStopOrDownload();
    EXPECT_TRUE(player->isPlaying()) << "fading out";
    EXPECT_EQ(screen->runningFades(), 1u);
    screen->playStopOrDownload();
    ASSERT_TRUE(screen->IsInPlayMode());
    run(800);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(screen->IsInPlayMode());
    EXPECT_TRUE(session.isActive());
    EXPECT_TRUE(screen->CurrentAudioPlayer()->isPlaying());

    // A fade-out that ends with nothing playing lets the session go.
    screen->playStopOrDownload();
    openAndPlay(112, 1);
    run(2100);
    screen->playStopOrDownload();
    EXPECT_EQ(screen->runningFades(), 1u);
    run(800);
    EXPECT_EQ(screen->runningFades(), 0u);
    EXPECT_FALSE(session.isActive());
}

TEST_F(Playback, HoldingSeeksWithinTheVerseAndATapSkips) {
    installContinuous(112, 2, {{0, 1, 0.0}, {1, 1, 0.2}, {2, 1, 1.2}, {3, 2, 0.0}, {4, 2, 0.6}});
    openAndPlay(112, 1);
    run(100);
    // Back: stops at the verse's start.
    screen->btnAudioFingerDown(screen->btnBottomAudioRR.get());
    run(1000);
    EXPECT_TRUE(screen->isShowingFFRRHUD());
    EXPECT_FLOAT_EQ(static_cast<float>(screen->CurrentAudioPlayer()->currentTime()), 0.2f);
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    EXPECT_EQ(screen->lblFFRR->text(), "-00:01");
    screen->btnAudioFingerUp();
    screen->btnAudioRRPressed();  // the release after a hold does not skip
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 1);
    EXPECT_FALSE(screen->isShowingFFRRHUD());
    run(50);
    EXPECT_TRUE(screen->CurrentAudioPlayer()->isPlaying());
    // Forward: never past the next verse's start.
    screen->btnAudioFingerDown(screen->btnBottomAudioFF.get());
    for (int i = 0; i < 60; ++i) {
        run(20);
        ASSERT_LE(screen->CurrentAudioPlayer()->currentTime(), 1.2 + 1e-6);
        ASSERT_EQ(screen->iCurrentPlayingVerse(), 1);
    }
    EXPECT_EQ(screen->lblFFRR->text().front(), '+');
    screen->btnAudioFingerUp();
    screen->btnAudioFFPressed();
    run(150);
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 2) << "let go at the next verse's start, it plays";

    // Per-verse back taps: the previous verse in the first second, else the verse again.
    screen->stopIfPlaying();
    installPerVerse(113, 2, {3});
    struct Case {
        double playedMs;
        int expected;
        double position;
    } cases[] = {{1200, 3, 0.0}, {500, 2, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.playedMs);
        openAndPlay(113, 3);
        run(c.playedMs);
        tap(screen->btnBottomAudioRR, false);
        EXPECT_EQ(screen->iCurrentPlayingVerse(), c.expected);
        EXPECT_NEAR(screen->CurrentAudioPlayer()->currentTime(), c.position, 0.03);
        screen->stopIfPlaying();
    }
    openAndPlay(113, 3);
    tap(screen->btnBottomAudioFF, true);
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 4);
    EXPECT_EQ(playingRows(), std::vector<int>{4});
}

TEST_F(Playback, MediaKeysPlayPauseAndSkip) {
    installPerVerse(112, 2);
    installPerVerse(113, 2);
    open(112, 1, 0);
    screen->highlightVerse(1, true, false, true);
    backend.remoteControl(UIEventSubtypeRemoteControlTogglePlayPause);
    settle();
    ASSERT_TRUE(screen->IsInPlayMode());
    // The desktop's media controls are told what plays.
    using Status = MPRISPlayer::Status;
    auto shown = [] { return MPRISPlayer::shared().nowPlaying(); };
    EXPECT_EQ(shown().status, Status::Playing);
    EXPECT_EQ(shown().chapter, 112);
    EXPECT_EQ(shown().verse, 1);
    backend.remoteControl(UIEventSubtypeRemoteControlTogglePlayPause);
    EXPECT_TRUE(screen->isPaused());
    EXPECT_FALSE(screen->CurrentAudioPlayer()->isPlaying());
    EXPECT_EQ(shown().status, Status::Paused);
    // Pause only pauses and Play only plays, whatever the state; the toggle turns it over.
    const struct {
        UIEventSubtype event;
        bool pausedAfter;
    } keys[] = {{UIEventSubtypeRemoteControlPause, true},  {UIEventSubtypeRemoteControlPlay, false},
                {UIEventSubtypeRemoteControlPlay, false},  {UIEventSubtypeRemoteControlPause, true},
                {UIEventSubtypeRemoteControlTogglePlayPause, false}};
    for (const auto& key : keys) {
        backend.remoteControl(key.event);
        EXPECT_EQ(screen->isPaused(), key.pausedAfter) << key.event;
        EXPECT_EQ(screen->CurrentAudioPlayer()->isPlaying(), !key.pausedAfter) << key.event;
        EXPECT_EQ(shown().status, key.pausedAfter ? Status::Paused : Status::Playing) << key.event;
    }
    backend.remoteControl(UIEventSubtypeRemoteControlNextTrack);
    settle();
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 2);
    EXPECT_EQ(shown().verse, 2);
    EXPECT_EQ(shown().status, Status::Playing);
    backend.remoteControl(UIEventSubtypeRemoteControlPreviousTrack);
    settle();
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 1);
    backend.remoteControl(UIEventSubtypeRemoteControlStop);
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_EQ(shown().status, Status::Stopped);
    backend.remoteControl(UIEventSubtypeRemoteControlPause);  // nothing to pause
    EXPECT_FALSE(screen->IsInPlayMode());
    EXPECT_FALSE(screen->isPaused());

    // Forward on the last verse under the next-chapter rule opens the next chapter playing.
    NSUserDefaults::standardUserDefaults().setInteger(1, "SurahRepeatCounter");
    NSNotificationCenter::defaultCenter().postNotificationName("SurahRepeatDidChange");
    openAndPlay(112, 4);
    backend.remoteControl(UIEventSubtypeRemoteControlNextTrack);
    run(600);
    EXPECT_EQ(screen->iCurrentSurah(), 113);
    EXPECT_TRUE(screen->IsInPlayMode());
}

}  // namespace
