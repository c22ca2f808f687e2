// The chapter download through the screens, against the demo mirror on loopback.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Audio/Downloader.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/ui/UIApplication.h"
#include "tests/Classes/Audio/DownloadFlowFixture.h"

namespace {

constexpr long kCancelQuestion = 191919;
constexpr long kNotice = -115;

bool installed(LumenoAppShell& shell, int surah) {
    return ChapterInfo::isSurahAudioInstalled(shell.dbConnection(), surah, DownloadFlowTest::kReciter);
}

TEST_F(DownloadFlowTest, OfferMirrorProgressSetUpThenTheChapterPlays) {
    startMirror();
    launchProgram();
    const int holds = LumenoSDKAppDelegate::sleepHoldCount();
    shell->showSurahView(112, 1, true, true);  // the index offers the download of missing audio
    settle();
    UIActionSheet* offer = sheet(1112);
    ASSERT_NE(offer, nullptr);
    EXPECT_NE(offer->title().find("Download 112. " + ChapterInfo::getNameFromNumber(112)), std::string::npos);
    tapSheetButton(*offer, 0);  // "Download this Audio"
    UIActionSheet* mirrors = sheet(112);
    ASSERT_NE(mirrors, nullptr);
    EXPECT_EQ(mirrors->buttonTitleAtIndex(3), "Mirror 4 (UK)");
    tapSheetButton(*mirrors, 0, false);  // "Mirror 1 (US)"

    ASSERT_TRUE(shell->isDownloading());
    EXPECT_EQ(shell->currdownloadServer(), 1);
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holds + 1);
    EXPECT_TRUE(shell->isTaskAlreadyInBackground(1));
    EXPECT_TRUE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
    SurahViewController& screen = reading();
    ASSERT_TRUE(screen.viewDownloadAudioProgress);
    EXPECT_FALSE(screen.viewDownloadAudioProgress->isHidden());
    EXPECT_EQ(screen.lblAudioDownloadDetails->text(), "Downloading " + ChapterInfo::getNameFromNumber(112) + " (-- kB)");
    EXPECT_TRUE(screen.btnAudioDownloadCancel->isEnabled());

    ASSERT_TRUE(waitForDownloadEnd());
    settle(1500);
    EXPECT_TRUE(installed(*shell, 112));
    EXPECT_EQ(screen.iCurrentSurah(), 112);
    EXPECT_TRUE(indexScreen().IsShowingSurahView());
    EXPECT_TRUE(screen.IsInPlayMode());
    EXPECT_TRUE(screen.viewDownloadAudioProgress->isHidden());
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(1));
    EXPECT_FALSE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
    EXPECT_FALSE(std::filesystem::exists(ChapterAudioDownload{112, kReciter}.archivePath()));
}

TEST_F(DownloadFlowTest, DownloadAllFetchesTheMissingChaptersFromTheLastDown) {
    startMirror();
    launchProgram();
    markInstalled(1, 111, kReciter);
    const int holds = LumenoSDKAppDelegate::sleepHoldCount();
    const int shownSurah = reading().iCurrentSurah();
    std::vector<int> draws = {5, 2, 5};
    shell->setRandomSourceForTesting([&draws] {
        const int d = draws.front();
        if (draws.size() > 1) draws.erase(draws.begin());
        return d;
    });
    shell->requestDownloadSurahAudioAlert(112);
    settle();
    ASSERT_NE(sheet(1112), nullptr);
    tapSheetButton(*sheet(1112), 1);  // "Download all Audios"
    ASSERT_NE(sheet(-1), nullptr);
    tapSheetButton(*sheet(-1), 6, false);  // "Random (Recommended)"; the run may end within a settle
    ASSERT_TRUE(shell->downloadingAllSurahs());
    ASSERT_TRUE(waitFor([&] {
        // One hold and one network activity for the whole run.
        if (shell->isDownloading()) {
            EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holds + 1);
            EXPECT_TRUE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
        }
        // Over once the last chapter's installation has been finalised.
        return !shell->isDownloading() && !shell->downloadingAllSurahs() && count("DidFinishDownloadingAudio") > 0;
    }, 180));
    settle();
    EXPECT_EQ(begun(), (std::vector<int>{114, 113, 112}));
    EXPECT_EQ(servers(), (std::vector<int>{5, 2, 5}));
    for (int surah : {112, 113, 114}) EXPECT_TRUE(installed(*shell, surah)) << surah;
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);  // only when the run is over
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holds);
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(1));
    EXPECT_EQ(reading().iCurrentSurah(), shownSurah);  // nothing is opened after a run
    EXPECT_FALSE(reading().IsInPlayMode());

    // Asked again with nothing missing: nothing shows and no task is kept.
    shell->downloadAllSurahAudio();
    settle();
    EXPECT_FALSE(shell->isDownloading());
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(1));
}

TEST_F(DownloadFlowTest, CancelMidTransferReleasesTheHoldAndRemovesThePartialArchive) {
    startMirror("stall");
    // Never chosen, a mirror is number 1: only that one answers.
    for (int n = 2; n <= 7; ++n) NSUserDefaults::standardUserDefaults().setString("127.0.0.1:9", "MirrorHost" + std::to_string(n));
    launchProgram();
    const int holds = LumenoSDKAppDelegate::sleepHoldCount();
    shell->downloadSurahAudioAlert(112);  // playback's direct start
    ASSERT_TRUE(waitFor([&] { return shell->downloaderObj() && shell->downloaderObj()->loadedBytes() > 0; }, 30));
    const std::string archive = ChapterAudioDownload{112, kReciter}.archivePath();
    EXPECT_TRUE(std::filesystem::exists(archive));
    SurahViewController& screen = reading();
    settle(300);
    backend->frame();
    EXPECT_TRUE(backend->screenshot(Paths::temp() + "/download-progress-panel.png"));
    ASSERT_TRUE(screen.btnAudioDownloadCancel->isEnabled());
    tapView(*screen.btnAudioDownloadCancel);
    EXPECT_FALSE(shell->isDownloading());
    EXPECT_EQ(shell->downloaderObj(), nullptr);
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holds);
    EXPECT_FALSE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(1));
    EXPECT_FALSE(std::filesystem::exists(archive));
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);
    EXPECT_TRUE(screen.viewDownloadAudioProgress->isHidden());
    EXPECT_TRUE(screen.btnPlay->isEnabled());
}

TEST_F(DownloadFlowTest, AnotherChapterDuringADownloadGoesThroughTheCancelQuestion) {
    startMirror("stall");
    launchProgram();
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitFor([&] { return shell->downloaderObj() && shell->downloaderObj()->loadedBytes() > 0; }, 30));
    Downloader* running = shell->downloaderObj();

    shell->requestDownloadSurahAudioAlert(112);  // the chapter being fetched: nothing to ask
    settle();
    EXPECT_TRUE(dialogs<UIActionSheet>().empty());
    shell->downloadSurahAudioAlert(113);  // a direct start would orphan the transfer: asks instead
    settle();
    EXPECT_EQ(shell->downloaderObj(), running);
    UIActionSheet* question = sheet(kCancelQuestion);
    ASSERT_NE(question, nullptr);
    tapSheetButton(*question, 1);  // "No"
    EXPECT_EQ(shell->downloaderObj(), running);

    shell->requestDownloadSurahAudioAlert(114);
    settle();
    question = sheet(kCancelQuestion);
    ASSERT_NE(question, nullptr);
    const int holdsDuring = LumenoSDKAppDelegate::sleepHoldCount();
    tapSheetButton(*question, 0);  // "Yes"
    EXPECT_FALSE(shell->isDownloading());
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holdsDuring - 1);
    EXPECT_NE(sheet(1114), nullptr);  // the offer of the chapter asked for
}

// The notices' texts are read when a test runs, in its own settings (a chapter's name
// depends on the language).
std::string transferFailed() { return "Downloading Audio for " + ChapterInfo::getNameFromNumber(112) + " Failed"; }
std::string damaged() { return "Setup Failed\nThe downloaded archive is damaged. Please download the chapter again."; }

struct FailureCase {
    const char* failure;
    std::string (*notice)();  // start of the notice
    bool closesItself;        // after 2 s
};

class DownloadFailureTest : public DownloadFlowTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailureTest, ShowsItsNoticeAndEndsTheDownload) {
    const FailureCase& c = GetParam();
    startMirror(c.failure);
    launchProgram();
    const int holds = LumenoSDKAppDelegate::sleepHoldCount();
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitForDownloadEnd());
    settle(300);
    UIActionSheet* notice = sheet(kNotice);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->title().rfind(c.notice(), 0), 0u) << notice->title();
    EXPECT_FALSE(installed(*shell, 112));
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), holds);
    EXPECT_FALSE(UIApplication::sharedApplication().isNetworkActivityIndicatorVisible());
    EXPECT_TRUE(reading().viewDownloadAudioProgress->isHidden());
    settle(1700);
    EXPECT_EQ(count("DidFinishDownloadingAudio"), c.closesItself ? 0 : 1);  // not before 2 s
    settle(1000);
    EXPECT_EQ(sheet(kNotice) != nullptr, !c.closesItself);
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(1));
    EXPECT_TRUE(reading().btnPlay->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Failures, DownloadFailureTest,
                         ::testing::Values(FailureCase{"not-found", transferFailed, true},
                                           FailureCase{"truncated", transferFailed, true},
                                           FailureCase{"corrupt-gzip", damaged, false},
                                           FailureCase{"bad-tar", damaged, false}),
                         [](const auto& info) {
                             std::string name = info.param.failure;
                             std::erase(name, '-');
                             return name;
                         });

TEST_F(DownloadFlowTest, ClosingAFailureNoticeEndsTheDownloadOnce) {
    startMirror("not-found");
    launchProgram();
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitForDownloadEnd());
    UIActionSheet* notice = sheet(kNotice);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 0);
    tapSheetButton(*notice, 0);  // "OK" before the timer
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);
    settle(3000);
    EXPECT_EQ(count("DidFinishDownloadingAudio"), 1);
    EXPECT_TRUE(reading().btnPlay->isEnabled());
}

TEST_F(DownloadFlowTest, TheRandomMirrorDrawsAgainAtTheThirdRepeatOnly) {
    startMirror("stall");
    launchProgram();
    std::vector<int> draws = {3, 3, 3, 3, 6, 1};
    size_t next = 0;
    shell->setRandomSourceForTesting([&] { return draws[next++]; });
    shell->requestDownloadServerSelection(112);
    tapSheetButton(*sheet(112), 6);  // "Random (Recommended)"
    std::vector<int> used;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) shell->downloadSurahAudioAlert(112);
        used.push_back(shell->currdownloadServer());
        shell->cancelDownload();
    }
    // 3 (first), 3 (repeat 1), 3 (repeat 2), then repeat 3 draws again: 6.
    EXPECT_EQ(used, (std::vector<int>{3, 3, 3, 6}));
    EXPECT_EQ(next, 5u);

    // "Cancel" in the mirror choice starts nothing and leaves the random choice.
    shell->requestDownloadServerSelection(112);
    tapSheetButton(*sheet(112), 7);
    EXPECT_FALSE(shell->isDownloading());
    EXPECT_EQ(shell->downloadServer(), -1);
}

}  // namespace
