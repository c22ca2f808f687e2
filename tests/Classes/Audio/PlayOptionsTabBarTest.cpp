// The tab bar of the launched program around an open play-options sheet on the phone, seen in
// the pixels of the screen's foot: the sheet keeps it out through a turn, closing it brings the
// bar back.

#include <gtest/gtest.h>

#include "Classes/Audio/PlayNextAyasController.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/media/AVAudioSession.h"
#include "tests/Classes/Audio/DownloadFlowFixture.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/ScreenPixels.h"

namespace {

using screen_pixels::differing;
using screen_pixels::Pixels;

class PlayOptionsTabBarTest : public DownloadFlowTest {
protected:
    void SetUp() override {
        DownloadFlowTest::SetUp();
        AudioOutput::setShared(output);
    }
    void TearDown() override {
        if (shell && shell->getIndexViewController()) reading().stopIfPlaying();
        DownloadFlowTest::TearDown();
        AudioOutput::setShared(nullptr);
        AVAudioSession::sharedInstance().resetForTesting();
    }
    void installChapter(int surah) {
        const auto clip = PlaybackTest::fixtureMP3("tone_1s_44k_mono.mp3");
        ASSERT_FALSE(clip.empty());
        for (int verse = 0; verse <= ChapterInfo::getVersesFromNumber(surah); ++verse)
            ASSERT_TRUE(ChapterInfo::insertMP3Blob(shell->dbConnection(), surah, verse, kReciter, clip));
        ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(shell->dbConnection(), surah, kReciter));
    }
    // The portrait screen's foot, where the tab bar shows.
    Pixels foot() { return screen_pixels::grab(*backend, CGRectMake(0, 431, 320, 49)); }
    void turn(UIDeviceOrientation orientation) {
        backend->rotate(orientation);
        settle(1000);
    }

    std::shared_ptr<HeadlessAudioOutput> output = HeadlessAudioOutput::create();
};

TEST_F(PlayOptionsTabBarTest, SheetKeepsTheTabBarOutThroughATurnAndClosingBringsItBack) {
    launchProgram();
    installChapter(112);
    NSUserDefaults::standardUserDefaults().setInteger(0, "SurahRepeatCounter");  // stop at the chapter's end
    const Pixels tabBar = foot();

    shell->showSurahView(112, 1, true, true);
    settle(1000);
    SurahViewController& screen = reading();
    ASSERT_TRUE(screen.IsInPlayMode());
    EXPECT_GT(differing(tabBar, foot()), 0.2) << "the audio bar takes the tab bar's place";
    tapView(*screen.btnSurahRepeatBubble);
    settle(500);
    ASSERT_TRUE(screen.isShowingPlayOptions());
    ASSERT_TRUE(screen.optionsview());

    for (int i = 0; i < 20 && screen.IsInPlayMode(); ++i) settle(500);  // verses 1 to 4, then the stop
    ASSERT_FALSE(screen.IsInPlayMode());
    const Pixels sheet = foot();
    EXPECT_GT(differing(tabBar, sheet), 0.2) << "the playback's end leaves the tab bar out under the sheet";

    turn(UIDeviceOrientationLandscapeLeft);
    ASSERT_TRUE(screen.IsInLandscape());
    turn(UIDeviceOrientationPortrait);
    ASSERT_FALSE(screen.IsInLandscape());
    EXPECT_TRUE(shell->hiddenTabBar());
    EXPECT_LT(differing(sheet, foot()), 0.01) << "the tab bar slid in over the open sheet";

    tapView(*screen.optionsview()->btnBack);
    settle(1000);
    EXPECT_FALSE(screen.isShowingPlayOptions());
    EXPECT_LT(differing(tabBar, foot()), 0.01) << "the tab bar is back once the sheet closes";
}

}  // namespace
