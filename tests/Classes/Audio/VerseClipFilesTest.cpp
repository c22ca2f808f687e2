// The two clip files and the next-clip worker: the flag is up before the worker runs, so the
// main thread's write waits for it and the two never write at once.

#include <gtest/gtest.h>

#include "Classes/Audio/VerseClipFiles.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSFileManager.h"
#include "tests/Classes/Audio/PlaybackFixture.h"

namespace {

using VerseClipFilesTest = PlaybackTest;

TEST_F(VerseClipFilesTest, ClipsAlternateBetweenTwoFilesAndTheWorkerNeverOverlapsAWrite) {
    installPerVerse(1, 2, {0});
    sqlite3* user = app->dbConnection();
    const auto longClip = fixtureMP3("tone_1500ms_22k_stereo.mp3");
    const auto shortClip = fixtureMP3("tone_1s_44k_mono.mp3");
    EXPECT_EQ(VerseClipFiles::storedClipNumber(1, 1), 0);
    EXPECT_EQ(VerseClipFiles::storedClipNumber(9, 0), 0);
    EXPECT_EQ(VerseClipFiles::storedClipNumber(112, 3), 3);

    auto files = VerseClipFiles::create();
    for (int round = 0; round < 20; ++round) {
        // As playback does: wait for the worker, write this verse, start the worker on the next.
        ASSERT_TRUE(files->waitForWorker(5.0));
        const std::string name = files->getPathToVerseAudioForVerse(user, 1, 1, 2);
        const auto written = NSFileManager::defaultManager().contentsAtPath(VerseClipFiles::fullPath(name));
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, longClip) << "verse 1 of chapter 1 is stored as clip 0";
        files->startWorkerForVerse(user, 1, 2, 2);
        EXPECT_TRUE(files->gatheringFile()) << "raised before the worker runs";
        // The file being played is not the one the worker writes.
        ASSERT_TRUE(files->waitForWorker(5.0));
        EXPECT_NE(files->altVerseFileName(), name);
        const auto stillPlaying = NSFileManager::defaultManager().contentsAtPath(VerseClipFiles::fullPath(name));
        EXPECT_EQ(*stillPlaying, longClip);
        const auto next = NSFileManager::defaultManager().contentsAtPath(VerseClipFiles::fullPath(files->altVerseFileName()));
        EXPECT_EQ(*next, shortClip);
    }
    files->reset();
    EXPECT_FALSE(files->isAltVerse());
    EXPECT_EQ(files->getPathToVerseAudioForVerse(user, 1, 3, 2), "current.mp3");
}

}  // namespace
