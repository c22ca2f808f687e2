// Installed recitation audio: marks, compressed clips, reciter codes, deletion and the gapless upgrade.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/InstalledAudioSnapshot.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

class AudioStore : public StoreTest {
protected:
    static Blob clip(int seed, size_t size = 5000) {
        Blob bytes(size);
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 7 + seed) % 251);
        return bytes;
    }
};

TEST_F(AudioStore, ClipsAreStoredCompressedAndReadBackWhole) {
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 2, 5, 3, clip(1)));
    ASSERT_TRUE(ChapterInfo::insertContMP3Blob(user(), 2, 4, 3, clip(2)));
    SQLiteStatement stored = DataStoreConnection::prepare(user(), "SELECT mp3 FROM recitationmp3s");
    ASSERT_EQ(sqlite3_step(stored.get()), SQLITE_ROW);
    Blob raw = columnBlob(stored.get(), 0);
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ(raw[0], 0x1f);  // gzip
    EXPECT_EQ(raw[1], 0x8b);
    EXPECT_LT(raw.size(), 5000u);
    stored.reset();
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 2, 5, 3), clip(1));
    EXPECT_EQ(ChapterInfo::getContMP3Recitation(user(), 2, 4, 3), clip(2));
    // A second insert of the same verse replaces the clip.
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 2, 5, 3, clip(9, 10)));
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 2, 5, 3), clip(9, 10));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s"), 1);

    LogCapture log;
    EXPECT_TRUE(ChapterInfo::getContMP3Recitation(user(), 2, 3, 3).empty());
    EXPECT_TRUE(log.contains("MP3 NOT FOUND FOR: 2:3"));
    EXPECT_TRUE(ChapterInfo::getMP3Recitation(user(), 2, 6, 3).empty());
    // A damaged clip reads as missing.
    fixture::exec(user(), "UPDATE recitationmp3s SET mp3 = x'1f8b0800'");
    EXPECT_TRUE(ChapterInfo::getMP3Recitation(user(), 2, 5, 3).empty());
}

TEST_F(AudioStore, ReciterOneAndItsHighQualityCodeAreOneReciter) {
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 5, 7));
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(user(), 5, 1));
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(user(), 5, 2));
    EXPECT_EQ(ChapterInfo::getInstalledAudioReciters(user()), std::vector<int>{7});
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 5, 1));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 9, 4));
    EXPECT_EQ(ChapterInfo::getInstalledAudioReciters(user()), (std::vector<int>{1, 4}));
    EXPECT_EQ(ChapterInfo::getInstalledAudios(user(), 1), (std::vector<int>{5, 5}));
    EXPECT_FALSE(ChapterInfo::markAudioAsInstalled(user(), 9, 4));  // unique (reciter, chapter): reported

    EXPECT_EQ(ChapterInfo::getResolvedReciterCode(user(), 1, 3), 7);
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 3, 1, false));
    EXPECT_EQ(ChapterInfo::getResolvedReciterCode(user(), 1, 3), 1);
    EXPECT_EQ(ChapterInfo::getResolvedReciterCode(user(), 4, 3), 4);
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 8, 7, true));
    EXPECT_TRUE(ChapterInfo::isSurahAudioHQInstalled(user(), 8, 1));
    EXPECT_TRUE(ChapterInfo::isSurahAudioContinuous(user(), 8, 1));
    EXPECT_EQ(ChapterInfo::getResolvedReciterCode(user(), 1, 8), 7);
    EXPECT_FALSE(ChapterInfo::isSurahAudioContinuous(user(), 8, 2));
}

TEST_F(AudioStore, TheSnapshotAnswersAsThePerChapterQueries) {
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 5, 7));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 9, 4));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 3, 1, false));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 8, 7, true));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 2, 4, false));
    const InstalledAudioSnapshot snapshot = InstalledAudioSnapshot::read(user());
    for (int surah = 1; surah <= 10; ++surah)
        for (int reciter = 0; reciter <= 8; ++reciter) {
            EXPECT_EQ(snapshot.isSurahAudioInstalled(surah, reciter), ChapterInfo::isSurahAudioInstalled(user(), surah, reciter))
                << surah << " " << reciter;
            EXPECT_EQ(snapshot.isSurahAudioHQInstalled(surah, reciter),
                      ChapterInfo::isSurahAudioHQInstalled(user(), surah, reciter))
                << surah << " " << reciter;
            EXPECT_EQ(snapshot.isSurahAudioContinuous(surah, reciter),
                      ChapterInfo::isSurahAudioContinuous(user(), surah, reciter))
                << surah << " " << reciter;
        }
    EXPECT_TRUE(snapshot.isSurahAudioInstalled(5, 1));
    // Without the tables nothing is installed.
    fixture::exec(user(), "DROP TABLE recitations");
    fixture::exec(user(), "DROP TABLE contrecitations");
    LogCapture log;
    const InstalledAudioSnapshot none = InstalledAudioSnapshot::read(user());
    EXPECT_FALSE(none.isSurahAudioInstalled(5, 1));
    EXPECT_FALSE(none.isSurahAudioContinuous(8, 1));
}

TEST_F(AudioStore, DeletingAChapterRemovesBothCodesAndCompactionRuns) {
    for (int reciter : {1, 7}) {
        ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 4, reciter));
        ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 4, 1, reciter, clip(reciter)));
    }
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 4, 1, false));
    ASSERT_TRUE(ChapterInfo::insertContMP3Blob(user(), 4, 1, 1, clip(3)));
    ASSERT_TRUE(ChapterInfo::deleteAudio(user(), 4, 1, true));
    ASSERT_TRUE(ChapterInfo::deleteContAudio(user(), 4, 1));
    EXPECT_EQ(fixture::scalar(user(),
                              "SELECT (SELECT count(*) FROM recitations) + (SELECT count(*) FROM recitationmp3s) "
                              "+ (SELECT count(*) FROM contrecitations) + (SELECT count(*) FROM contrecitationmp3s)"),
              0);
    LogCapture log;
    EXPECT_TRUE(ChapterInfo::vacuumDB(user()));
    EXPECT_FALSE(log.contains("vacuumDB"));
    ASSERT_TRUE(ChapterInfo::beginTrans(user()));
    EXPECT_FALSE(ChapterInfo::vacuumDB(user()));  // not inside a transaction: reported
    EXPECT_TRUE(log.contains("[vacuumDB] Error: VACUUM failed"));
    ASSERT_TRUE(ChapterInfo::rollbackTrans(user()));
}

TEST_F(AudioStore, ARolledBackInstallLeavesNothingBehind) {
    ASSERT_TRUE(ChapterInfo::beginTrans(app->dbConnectionAudioDownload()));
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(app->dbConnectionAudioDownload(), 6, 1, 2, clip(1)));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(app->dbConnectionAudioDownload(), 6, 2));
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(user(), 6, 2));  // the other connection reads the old state
    ASSERT_TRUE(ChapterInfo::rollbackTrans(app->dbConnectionAudioDownload()));
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(app->dbConnectionAudioDownload(), 6, 2));
    EXPECT_TRUE(ChapterInfo::getMP3Recitation(user(), 6, 1, 2).empty());
    EXPECT_FALSE(ChapterInfo::commitTrans(app->dbConnectionAudioDownload()));  // no transaction open
}

TEST_F(AudioStore, GaplessUpgradeUnmarksVerseByVerseChaptersAndKeepsTheirClips) {
    EXPECT_FALSE(app->hasSlicedAudioInstalled());
    LumenoSDKAppDelegate::upgradeToGaplessRequested();  // nothing installed: nothing to do
    EXPECT_FALSE(app->isTaskAlreadyInBackground(2));

    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 10, 3));
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 10, 1, 3, clip(4)));
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 11, 3));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user(), 11, 3, false));
    EXPECT_TRUE(app->hasSlicedAudioInstalled());
    LumenoSDKAppDelegate::upgradeToGaplessRequested();
    EXPECT_FALSE(app->hasSlicedAudioInstalled());
    EXPECT_EQ(ChapterInfo::getInstalledAudios(user(), 3), std::vector<int>{11});
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 10, 1, 3), clip(4));
}

TEST_F(AudioStore, TheGaplessDownloadStartsAtTheHighestMissingChapter) {
    for (int surah = 1; surah <= 114; ++surah) {
        if (surah != 113) {
            ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), surah, 5));
        }
    }
    EXPECT_EQ(app->firstChapterToDownload(5), 113);
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user(), 113, 5));
    EXPECT_EQ(app->firstChapterToDownload(5), 1);
}

TEST(ReciterCatalogue, CodesFoldersPartsAndLabels) {
    EXPECT_EQ(ChapterInfo::getRemoteReciterHQCode(1), 7);
    EXPECT_EQ(ChapterInfo::getRemoteReciterHQCode(-3), -3);
    struct Folder {
        int reciter, folder;
    } folders[] = {{0, 0}, {1, 7}, {2, 2}, {8, 8}, {9, 0}, {-1, 0}};
    for (const Folder& f : folders) EXPECT_EQ(ChapterInfo::getRemoteFolderNumberForReciter(f.reciter), f.folder);
    struct Parts {
        int surah, parts;
    } parts[] = {{0, 0}, {1, 1}, {2, 40}, {12, 12}, {16, 16}, {59, 3}, {60, 2}, {79, 2}, {80, 1}, {114, 1}, {115, 0}};
    for (const Parts& p : parts) EXPECT_EQ(ChapterInfo::getTotalPartsForChapter(p.surah), p.parts) << p.surah;
    int total = 0;
    for (int surah = 1; surah <= 114; ++surah) total += ChapterInfo::getTotalPartsForChapter(surah);
    EXPECT_EQ(total, 558);
    EXPECT_EQ(ChapterInfo::getReciterFullNameFromNumber(7), ChapterInfo::getReciterFullNameFromNumber(1));
    EXPECT_EQ(ChapterInfo::getReciterFullNameFromNumber(9), ChapterInfo::getReciterFullNameFromNumber(0));
    EXPECT_EQ(ChapterInfo::getReciterShortNameFromNumber(-1), ChapterInfo::getReciterShortNameFromNumber(0));
    EXPECT_NE(ChapterInfo::getReciterFullNameFromNumber(2), ChapterInfo::getReciterFullNameFromNumber(0));
    EXPECT_TRUE(ChapterInfo::doesReciterSupportContRecitation(8));
    EXPECT_FALSE(ChapterInfo::doesReciterSupportContRecitation(9));
    EXPECT_EQ(ChapterInfo::getTotalRecitersCount(), 9);
}

}  // namespace
