// What the user is told when a download or installation meets a full disk, a cache folder that
// takes no new file, or a stored clip that does not play, and what a killed or quit
// installation leaves for the next start.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Thread.h"
#include "tests/Classes/Audio/ArchiveFixture.h"
#include "tests/Classes/Audio/DownloadFlowFixture.h"
#include "tests/Classes/Core/DataStoreFixture.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ReadOnlyFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr long kFailureNotice = -115;

// What a killed installation leaves: an archive, its unpacked tar and extracted clips.
void placeLeftovers() {
    for (const ChapterAudioDownload d : {ChapterAudioDownload{2, 1}, ChapterAudioDownload{18, 5}}) {
        fs::create_directories(d.extractionPath());
        std::ofstream(d.archivePath()) << "partial archive";
        std::ofstream(d.tarPath()) << std::string(100000, 't');
        std::ofstream(d.extractionPath() + "/002001.mp3") << std::string(50000, 'c');
    }
}

bool audioCacheEmpty() {
    const fs::path folder = ChapterAudioDownload::audioCachePath();
    if (!fs::exists(folder)) return true;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory()) return false;
    return true;
}

std::string noticeTitle(UIActionSheet* notice) { return notice ? notice->title() : "(no notice)"; }

}  // namespace

TEST_F(DownloadFlowTest, LeftoversOfAKilledInstallationGoAtTheNextStartAndTheNextDownload) {
    startMirror();
    placeLeftovers();
    launchProgram();
    EXPECT_TRUE(audioCacheEmpty());

    placeLeftovers();
    shell->downloadSurahAudioAlert(112);
    EXPECT_TRUE(fs::exists(ChapterAudioDownload{112, kReciter}.archivePath()));
    EXPECT_FALSE(fs::exists(ChapterAudioDownload{2, 1}.extractionPath()));
    EXPECT_FALSE(fs::exists(ChapterAudioDownload{18, 5}.tarPath()));
    ASSERT_TRUE(waitForDownloadEnd());
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), 112, kReciter));
    EXPECT_TRUE(audioCacheEmpty());
}

TEST_F(DownloadFlowTest, AFullDiskIsNamedWithTheFolderItFilled) {
    startMirror();
    launchProgram();
    const std::string chapter = ChapterInfo::getNameFromNumber(112);
    {
        // The cache fills during the transfer.
        FullDisk full(Paths::caches());
        shell->downloadSurahAudioAlert(112);
        ASSERT_TRUE(waitForDownloadEnd());
        EXPECT_GT(full.refusedWrites(), 0);
    }
    UIActionSheet* notice = sheet(kFailureNotice);
    EXPECT_EQ(noticeTitle(notice), "Downloading Audio for " + chapter +
                                       " Failed\nThe disk is full: there is no space left in the cache folder for the "
                                       "download.");
    if (notice) tapSheetButton(*notice, 0);

    {
        // The cache fills while the archive is unpacked (the transfer wrote beside that folder).
        FullDisk full(ChapterAudioDownload{112, kReciter}.extractionPath());
        shell->downloadSurahAudioAlert(112);
        ASSERT_TRUE(waitForDownloadEnd());
        EXPECT_GT(full.refusedWrites(), 0);
    }
    settle(300);
    notice = sheet(kFailureNotice);
    EXPECT_EQ(noticeTitle(notice), "Setup Failed\nThe disk is full: there is no space left in the cache folder to "
                                   "unpack the downloaded audio.");
    if (notice) tapSheetButton(*notice, 0);

    // The user database's disk fills while the chapter is stored.
    const long long pages = fixture::scalar(shell->dbConnection(), "PRAGMA page_count");
    fixture::exec(shell->dbConnectionAudioDownload(), "PRAGMA max_page_count = " + std::to_string(pages));
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitForDownloadEnd());
    settle(300);
    EXPECT_EQ(noticeTitle(sheet(kFailureNotice)), "Setup Failed\nThe disk is full: there is no space left in the Documents "
                                           "folder to store the downloaded audio.");
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), 112, kReciter));
    EXPECT_TRUE(audioCacheEmpty());
}

TEST_F(DownloadFlowTest, AnArchiveFileThatCannotBeMadeIsNamedWithItsCauseAndFolder) {
    startMirror();
    launchProgram();
    const std::string chapter = ChapterInfo::getNameFromNumber(112);
    const std::string folder = ChapterAudioDownload{112, kReciter}.folderPath();
    const auto failedWith = [&](const std::string& cause) {
        shell->downloadSurahAudioAlert(112);
        ASSERT_TRUE(waitForDownloadEnd());
        UIActionSheet* notice = sheet(kFailureNotice);
        EXPECT_EQ(noticeTitle(notice), "Downloading Audio for " + chapter + " Failed\n" + cause);
        if (notice) tapSheetButton(*notice, 0);
        EXPECT_FALSE(fs::exists(ChapterAudioDownload{112, kReciter}.archivePath()));
    };
    {
        NoFreeFileEntries noEntries(Paths::caches());
        failedWith("No new file can be made in the cache folder \"" + folder +
                   "\": its disk is full or has no free file entries left.");
        EXPECT_GT(noEntries.refusedCreations(), 0);
    }
    {
        ReadOnlyFolder readOnly(Paths::caches());
        failedWith("The cache folder \"" + folder + "\" cannot be written to.");
        EXPECT_GT(readOnly.refusedChanges(), 0);
    }
    // The same folder writable again: the chapter comes down and installs.
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitForDownloadEnd());
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), 112, kReciter));
}

TEST_F(DownloadFlowTest, AStoredClipThatDoesNotPlayToItsEndIsToldAndOffersTheDownloadAgain) {
    // 4 KB of real MP3 frames, then random bytes: it plays for about half a second.
    archive::Bytes breaksMidway(archive::toneMP3().begin(), archive::toneMP3().begin() + 4096);
    std::mt19937 random(37);
    for (int i = 0; i < 6000; ++i) breaksMidway.push_back(static_cast<uint8_t>(random()));
    struct Case {
        const char* what;
        archive::Bytes clip;
        bool sounds;  // for a while before it fails
        std::string told;
    };
    const Case cases[] = {
        {"not audio at all", archive::Bytes(3000, 0x5a), false, "cannot be played."},
        {"breaks midway", breaksMidway, true, "stops before its end."},
    };
    const auto output = HeadlessAudioOutput::create();
    AudioOutput::setShared(output);
    struct Unset {
        ~Unset() { AudioOutput::setShared(nullptr); }
    } unset;
    // The streams of sound heard so far.
    const auto heard = [&] {
        std::vector<HeadlessAudioOutput::StreamTimes> sounded;
        for (const auto& times : output->streamTimes())
            if (times.firstSound >= 0) sounded.push_back(times);
        return sounded;
    };
    launchProgram();
    sqlite3* user = shell->dbConnection();
    markInstalled(112, 112, kReciter);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int verse = 0; verse <= ChapterInfo::getVersesFromNumber(112); ++verse)
            ASSERT_TRUE(ChapterInfo::insertMP3Blob(user, 112, verse, kReciter, c.clip));
        const size_t streams = heard().size();
        shell->showSurahView(112, 1, true, true);
        if (c.sounds) {
            settle(300);
            EXPECT_TRUE(reading().IsInPlayMode());
            EXPECT_EQ(sheet(1112), nullptr);
        }
        settle(1500);
        EXPECT_FALSE(reading().IsInPlayMode());
        // The clip's good half second was heard, then nothing.
        const auto sounded = heard();
        ASSERT_EQ(sounded.size(), streams + (c.sounds ? 1 : 0));
        if (c.sounds) {
            EXPECT_NEAR(sounded.back().end - sounded.back().firstSound, 0.45, 0.1);
        }
        UIActionSheet* offer = sheet(1112);
        ASSERT_NE(offer, nullptr);
        EXPECT_EQ(offer->title().rfind("The recitation of " + ChapterInfo::getNameFromNumber(112) +
                                           " stored on this device " + c.told + "\n",
                                       0),
                  0u)
            << offer->title();
        EXPECT_EQ(offer->buttonTitleAtIndex(0), "Download this Audio");
        tapSheetButton(*offer, 0);
        UIActionSheet* mirrors = sheet(112);  // the mirror choice, as for any download
        ASSERT_NE(mirrors, nullptr);
        tapSheetButton(*mirrors, 7);  // "Cancel"
        EXPECT_EQ(sheet(112), nullptr);
    }
}

TEST_F(DownloadFlowTest, AQuitDuringTheInstallationLeavesTheChapterWholeOrAbsentAndTheNextStartClean) {
    startMirror();
    launchProgram();
    // A slow disk under the user database keeps the installation running while the program quits.
    fixture::slowDown(shell->dbConnectionAudioDownload(), 20);
    shell->downloadSurahAudioAlert(112);
    ASSERT_TRUE(waitFor([&] { return shell->settingUpSurah(); }, 60));

    const auto started = std::chrono::steady_clock::now();
    terminate();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 30);
    EXPECT_EQ(runningWorkerCount(), 0u);

    launchProgram();
    sqlite3* user = shell->dbConnection();
    const long long parts = fixture::scalar(user, "SELECT count(*) FROM contrecitationmp3s WHERE surah = 112");
    const bool marked = ChapterInfo::isSurahAudioInstalled(user, 112, kReciter);
    EXPECT_TRUE((marked && parts == ChapterInfo::getTotalPartsForChapter(112)) || (!marked && parts == 0))
        << parts << " parts, installed " << marked;
    EXPECT_TRUE(audioCacheEmpty());
}
