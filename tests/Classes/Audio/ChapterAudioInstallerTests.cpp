// Installing a downloaded chapter: clips stored whole under the right codes, and every failure
// leaving the user database exactly as it was.

#include "tests/Classes/Audio/InstallFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"

#include <functional>

namespace fs = std::filesystem;

namespace {

bool leftovers(const ChapterAudioDownload& d) {
    return fs::exists(d.archivePath()) || fs::exists(d.tarPath()) || fs::exists(d.extractionPath());
}

}  // namespace

TEST_F(InstallTest, AWholeChapterOfVerseClipsIsStoredAndItsFilesRemoved) {
    const ChapterAudioDownload d{2, 9};  // a reciter without continuous recordings
    ASSERT_FALSE(d.continuous());
    const auto clips = allClips(d);
    ASSERT_EQ(clips.size(), 287u);  // the opening formula and 286 verses
    placeArchive(d, clips);
    app->setDownloadingReciter(9);

    ASSERT_TRUE(app->setupDownloadedSurahAudio(2));
    EXPECT_EQ(recorder->events(), std::vector<std::string>{"willPerformAudioSetup"});
    EXPECT_FALSE(app->settingUpSurah());
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(user(), 2, 9));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s WHERE reciter = 9 AND surah = 2"), 287);
    for (int verse = 0; verse <= 286; ++verse)
        ASSERT_EQ(ChapterInfo::getMP3Recitation(user(), 2, verse, 9), clips[static_cast<size_t>(verse)].data) << verse;
    EXPECT_FALSE(leftovers(d));
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM contrecitations"), 0);
}

TEST_F(InstallTest, ContinuousPartsGoUnderTheHighQualityCodeAndReplaceVerseClips) {
    struct Case {
        int reciter, code, ishq;
    };
    for (const Case c : {Case{1, 7, 1}, Case{3, 3, 0}}) {
        const ChapterAudioDownload d{2, c.reciter};
        ASSERT_TRUE(d.continuous());
        // Verse clips of this chapter under both codes go; another chapter's stay.
        ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 2, 5, c.reciter, archive::pattern(10, 1)));
        ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 2, 6, c.code, archive::pattern(10, 2)));
        ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 3, 1, c.reciter, archive::pattern(10, 3)));
        auto parts = allClips(d, 3000);
        ASSERT_EQ(parts.size(), 40u);
        EXPECT_EQ(parts[6].name, "002-07.mp3");
        parts.erase(parts.begin() + 20);  // a missing part is skipped
        placeArchive(d, parts);
        app->setDownloadingReciter(c.reciter);

        ASSERT_TRUE(app->setupDownloadedSurahAudio(2)) << c.reciter;
        EXPECT_EQ(ChapterInfo::getContMP3Recitation(user(), 2, 7, c.code), parts[6].data);
        EXPECT_EQ(ChapterInfo::getContMP3Recitation(user(), 2, 40, c.code), parts.back().data);
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM contrecitationmp3s WHERE surah = 2 AND reciter = " +
                                              std::to_string(c.code)),
                  39);
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM contrecitations WHERE surah = 2 AND reciter = " +
                                              std::to_string(c.code) + " AND ishq = " + std::to_string(c.ishq)),
                  1);
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitations WHERE surah = 2 AND reciter = " +
                                              std::to_string(c.reciter)),
                  1);
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s WHERE surah = 2"), 0);
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s WHERE surah = 3"), 1);
        EXPECT_TRUE(ChapterInfo::isSurahAudioContinuous(user(), 2, c.reciter));
        EXPECT_EQ(ChapterInfo::getResolvedReciterCode(user(), c.reciter, 2), c.code);
        EXPECT_FALSE(leftovers(d));
        fixture::exec(user(), "DELETE FROM recitationmp3s");
    }
}

TEST_F(InstallTest, TheReciterIsTheOneOfTheDownloadAndAChapterMayBeFetchedAgain) {
    const ChapterAudioDownload d{1, 3};
    NSUserDefaults::standardUserDefaults().setInteger(5, "CurrentReciterv22");  // changed during the transfer
    app->setDownloadingReciter(3);
    for (int round = 0; round < 2; ++round) {
        const auto parts = allClips(d, 100 + static_cast<size_t>(round));
        placeArchive(d, parts);
        ASSERT_TRUE(app->setupDownloadedSurahAudio(1)) << round;
        EXPECT_EQ(ChapterInfo::getContMP3Recitation(user(), 1, 1, 3), parts[0].data);
    }
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitations WHERE reciter = 3 AND surah = 1"), 1);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM contrecitations WHERE reciter = 3 AND surah = 1"), 1);
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(user(), 1, 5));
}

TEST_F(InstallTest, EveryFailureLeavesTheDatabaseAsItWasAndTheConnectionsFree) {
    const ChapterAudioDownload d{1, 9};  // verse clips 001000.mp3 to 001007.mp3
    app->setDownloadingReciter(9);
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 2, false, 0, std::string("kept")));
    ASSERT_TRUE(ChapterInfo::insertMP3Blob(user(), 1, 3, 9, archive::pattern(50, 1)));  // an earlier partial state
    const auto clips = allClips(d);
    const archive::Bytes good = archive::tar(clips);

    struct Case {
        const char* what;
        std::function<void()> arrange;
        bool extractionFolderStays;
        const char* cleanup = "";
    };
    const std::vector<Case> cases = {
        {"no archive", [] {}, false},
        {"corrupt gzip", [&] {
             archive::Bytes gz = archive::gzip(good);
             for (size_t i = 40; i < 80; ++i) gz[i] ^= 0xff;
             placeArchive(d, gz);
         }, false},
        {"truncated download", [&] {
             archive::Bytes gz = archive::gzip(good);
             gz.resize(gz.size() - 100);
             placeArchive(d, gz);
         }, false},
        {"an error page", [&] { placeArchive(d, archive::bytesOf("<html>Not Found</html>")); }, false},
        {"bad checksum", [&] {
             auto members = clips;
             members[3].checksumError = 5;
             placeArchive(d, members);
         }, true},
        {"member escaping the folder", [&] {
             auto members = clips;
             members.push_back({"../../001001.mp3", archive::pattern(5, 5)});
             placeArchive(d, members);
         }, true},
        {"no clip of the chapter", [&] { placeArchive(d, {{"002001.mp3", archive::pattern(5, 5)}}); }, false},
        {"a clip insert fails", [&] {
             fixture::exec(user(), "CREATE TRIGGER fail BEFORE INSERT ON recitationmp3s WHEN NEW.verse = 5 "
                                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
             placeArchive(d, clips);
         }, false, "DROP TRIGGER fail"},
        {"the installed mark fails", [&] {
             fixture::exec(user(), "CREATE TRIGGER fail BEFORE INSERT ON recitations "
                                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
             placeArchive(d, clips);
         }, false, "DROP TRIGGER fail"},
        {"the commit fails", [&] {
             // A deferred constraint is checked at the commit.
             fixture::exec(user(), "PRAGMA foreign_keys = ON");
             fixture::exec(user(), "CREATE TABLE parent (id INTEGER PRIMARY KEY)");
             fixture::exec(user(), "CREATE TABLE child (id INTEGER REFERENCES parent(id) DEFERRABLE INITIALLY "
                                   "DEFERRED)");
             fixture::exec(user(), "CREATE TRIGGER fail AFTER INSERT ON recitations BEGIN INSERT INTO child "
                                   "VALUES (42); END");
             sqlite3_exec(app->dbConnectionAudioDownload(), "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
             placeArchive(d, clips);
         }, false, "DROP TRIGGER fail"},
    };
    for (const Case& c : cases) {
        const std::string before = dump(user());
        c.arrange();
        LogCapture log;
        EXPECT_FALSE(app->setupDownloadedSurahAudio(1)) << c.what;
        EXPECT_TRUE(log.contains("[setupDownloadedSurahAudio]")) << c.what;
        if (!std::string(c.cleanup).empty()) fixture::exec(user(), c.cleanup);
        EXPECT_EQ(dump(user()), before) << c.what;
        EXPECT_FALSE(app->settingUpSurah()) << c.what;
        EXPECT_FALSE(fs::exists(d.archivePath()) || fs::exists(d.tarPath())) << c.what;
        EXPECT_EQ(fs::exists(d.extractionPath()), c.extractionFolderStays) << c.what;
        EXPECT_FALSE(fs::exists(fs::path(Paths::caches()) / "001001.mp3")) << c.what;
        // No transaction is left open, and the main connection still writes.
        EXPECT_NE(sqlite3_get_autocommit(app->dbConnectionAudioDownload()), 0) << c.what;
        ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 7, false, 0, std::nullopt)) << c.what;
        ASSERT_TRUE(ChapterInfo::deleteBookmark(user(), 1, 7, false)) << c.what;
    }
    // A later good archive installs.
    placeArchive(d, clips);
    ASSERT_TRUE(app->setupDownloadedSurahAudio(1));
    EXPECT_EQ(ChapterInfo::getMP3Recitation(user(), 1, 3, 9), clips[3].data);
}

namespace {

struct ReadDuringInstall {
    sqlite3* main = nullptr;
    sqlite3* installer = nullptr;
    int callsInTransaction = 0;
    bool checked = false;
    long long bookmarks = -1;
    bool installedSeen = true;
};

// Runs on the installer's connection while it works; reads through the main connection once
// the installer is well into its transaction.
int readThroughMainConnection(void* context) {
    auto* probe = static_cast<ReadDuringInstall*>(context);
    if (probe->checked || sqlite3_get_autocommit(probe->installer) != 0) return 0;
    if (++probe->callsInTransaction < 100) return 0;
    probe->checked = true;
    probe->bookmarks = ChapterInfo::getBookmarkCount(probe->main, -1, 0);
    probe->installedSeen = ChapterInfo::isSurahAudioInstalled(probe->main, 1, 9);
    return 0;
}

}  // namespace

TEST_F(InstallTest, TheMainConnectionReadsWhileTheInstallerHoldsItsTransaction) {
    const ChapterAudioDownload d{1, 9};
    app->setDownloadingReciter(9);
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 1, 2, false, 0, std::nullopt));
    placeArchive(d, allClips(d));
    ReadDuringInstall probe{user(), app->dbConnectionAudioDownload()};
    sqlite3_progress_handler(probe.installer, 1, readThroughMainConnection, &probe);
    ASSERT_TRUE(app->setupDownloadedSurahAudio(1));
    sqlite3_progress_handler(probe.installer, 0, nullptr, nullptr);
    ASSERT_TRUE(probe.checked);
    EXPECT_EQ(probe.bookmarks, 1);
    EXPECT_FALSE(probe.installedSeen);  // the half-done chapter is not visible
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(user(), 1, 9));
}
