// A chapter downloaded from the demo mirror, installed, and played from the reading screen's
// play button: the highlight follows the recitation (screenshots of verse 1, then verse 3).

#include <gtest/gtest.h>

#include <filesystem>

#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Audio/Downloader.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/RunLoop.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/DemoMirrorProcess.h"
#include "tests/support/DocsScreenshot.h"

namespace {

struct Transfer : DownloaderDelegate {
    bool finished = false, failed = false;
    void setCorrectTotal(int) override {}
    void setUpgradeProgress(int) override {}
    void downloadFailed() override { failed = true; }
    void downloadFinished() override { finished = true; }
};

using RecitationEndToEnd = PlaybackTest;

TEST_F(RecitationEndToEnd, AnInstalledChapterPlaysWithTheRecitedVerseHighlighted) {
    std::string error;
    auto mirror = DemoMirrorProcess::start({}, error);
    ASSERT_TRUE(mirror) << error;
    const ChapterAudioDownload chapter{112, 2};
    Transfer transfer;
    std::filesystem::create_directories(chapter.folderPath());
    auto downloader = Downloader::downloadURL("http://" + mirror->host() + chapter.remotePath(), chapter.archivePath(),
                                              &transfer, 0);
    ASSERT_TRUE(downloader);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return transfer.finished || transfer.failed; }, 60.0));
    ASSERT_TRUE(transfer.finished);
    app->setDownloadingReciter(2);
    ASSERT_TRUE(app->setupDownloadedSurahAudio(112));
    ASSERT_TRUE(ChapterInfo::isSurahAudioContinuous(app->dbConnection(), 112, 2));

    open(112, 1, 0);
    screen->highlightVerse(1, true, false, true);
    const CGRect play = screen->btnPlay->convertRectToView(screen->btnPlay->bounds(), nullptr);
    backend.tap(CGPoint{play.origin.x + 22, play.origin.y + 22});
    settle();
    ASSERT_TRUE(screen->IsInPlayMode());
    ASSERT_TRUE(screen->isUsingContinuousPlayback());
    run(400);
    EXPECT_EQ(playingRows(), std::vector<int>{1});
    docs_screenshot::shoot(backend, "recitation-verse-1.png");

    // On to verse 3 at its start time in the chapter's timings.
    sqlite3* content = app->dbConnectionStatic();
    const double verse3 = ChapterInfo::getContMP3BeginsTime(content, 112, 3, 2);
    const double verse1 = ChapterInfo::getContMP3BeginsTime(content, 112, 1, 2);
    ASSERT_EQ(ChapterInfo::getContMP3Part(content, 112, 3, 2), ChapterInfo::getContMP3Part(content, 112, 1, 2));
    ASSERT_GT(verse3, verse1);
    for (int i = 0; i < 2000 && screen->iCurrentPlayingVerse() != 3; ++i) run(10);
    ASSERT_EQ(screen->iCurrentPlayingVerse(), 3);
    EXPECT_NEAR(screen->CurrentAudioPlayer()->currentTime(), verse3, 0.03);
    run(200);
    EXPECT_EQ(playingRows(), std::vector<int>{3});
    docs_screenshot::shoot(backend, "recitation-verse-3.png");
    EXPECT_TRUE(mirror->stop());
}

}  // namespace
