// The installation worker reports its outcome on the main thread, in order.

#include "tests/Classes/Audio/InstallFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/RunLoop.h"

TEST_F(InstallTest, TheWorkerInstallsThenReportsOnTheMainThread) {
    struct Case {
        bool archiveThere;
        const char* outcome;
    };
    for (const Case c : {Case{true, "setupSucceeded"}, Case{false, "setupFailed"}}) {
        const ChapterAudioDownload d{1, 9};
        if (c.archiveThere) placeArchive(d, allClips(d));
        app->setDownloadingReciter(9);
        recorder->finalized = false;
        const size_t before = recorder->events().size();
        app->startSetupDownloadedSurahAudio(1);
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder->finalized.load(); }, 30));
        const auto events = recorder->events();
        EXPECT_EQ(std::vector<std::string>(events.begin() + static_cast<long>(before), events.end()),
                  (std::vector<std::string>{"willPerformAudioSetup", c.outcome, "finalizeDownload"}));
        EXPECT_FALSE(app->settingUpSurah());
        EXPECT_EQ(ChapterInfo::isSurahAudioInstalled(user(), 1, 9), true);
    }
}
