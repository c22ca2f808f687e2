// Installing a downloaded chapter: clips stored whole under the right codes, and every failure
// leaving the user database exactly as it was.

#include "tests/Classes/Audio/InstallFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "tests/support/FullDisk.h"

#include <functional>
#include <optional>
#include <random>

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
    const auto withClip3 = [&](archive::Bytes data) {
        auto members = clips;
        members[3].data = std::move(data);
        return members;
    };
    std::optional<FullDisk> fullDisk;
    const auto dropTrigger = [&] { fixture::exec(user(), "DROP TRIGGER fail"); };

    struct Case {
        const char* what;
        std::function<void()> arrange;
        InstallOutcome outcome;
        std::function<void()> cleanup = [] {};
    };
    const std::vector<Case> cases = {
        {"no archive", [] {}, InstallOutcome::damagedArchive},
        {"corrupt gzip", [&] {
             archive::Bytes gz = archive::gzip(good);
             for (size_t i = 40; i < 80; ++i) gz[i] ^= 0xff;
             placeArchive(d, gz);
         }, InstallOutcome::damagedArchive},
        {"truncated download", [&] {
             archive::Bytes gz = archive::gzip(good);
             gz.resize(gz.size() - 100);
             placeArchive(d, gz);
         }, InstallOutcome::damagedArchive},
        {"an error page", [&] { placeArchive(d, archive::bytesOf("<html>Not Found</html>")); },
         InstallOutcome::damagedArchive},
        {"bad checksum", [&] {
             auto members = clips;
             members[3].checksumError = 5;
             placeArchive(d, members);
         }, InstallOutcome::damagedArchive},
        {"member escaping the folder", [&] {
             auto members = clips;
             members.push_back({"../../001001.mp3", archive::pattern(5, 5)});
             placeArchive(d, members);
         }, InstallOutcome::damagedArchive},
        // 64 MB of zeros in a 64 kB download: unpacking stops near 4 MB.
        {"a decompression bomb", [&] { placeArchive(d, archive::gzip(archive::Bytes(64 << 20, 0), 9)); },
         InstallOutcome::damagedArchive},
        {"a clip of random bytes", [&] { placeArchive(d, withClip3(archive::pattern(5000, 9))); },
         InstallOutcome::failed},
        {"a clip that breaks after 4 KB of MP3", [&] {
             archive::Bytes clip(archive::toneMP3().begin(), archive::toneMP3().begin() + 4096);
             std::mt19937 random(4);
             for (int i = 0; i < 6000; ++i) clip.push_back(static_cast<uint8_t>(random()));
             placeArchive(d, withClip3(std::move(clip)));
         }, InstallOutcome::failed},
        {"an empty clip", [&] { placeArchive(d, withClip3({})); }, InstallOutcome::failed},
        {"a clip of 32 MB of zeros", [&] {
             app->setDownloadingExpectedBytes(64 << 20);  // the size table allows it
             placeArchive(d, withClip3(archive::Bytes(32 << 20, 0)));
         }, InstallOutcome::failed, [&] { app->setDownloadingExpectedBytes(0); }},
        {"no clip of the chapter", [&] { placeArchive(d, {{"002001.mp3", archive::mp3Clip(5, 5)}}); },
         InstallOutcome::failed},
        {"the cache disk is full", [&] {
             placeArchive(d, clips);
             fullDisk.emplace(d.folderPath());
         }, InstallOutcome::cacheFull, [&] { fullDisk.reset(); }},
        {"the user database's disk is full", [&] {
             const long long pages = fixture::scalar(user(), "PRAGMA page_count");
             fixture::exec(app->dbConnectionAudioDownload(), "PRAGMA max_page_count = " + std::to_string(pages));
             placeArchive(d, clips);
         }, InstallOutcome::documentsFull,
         [&] { fixture::exec(app->dbConnectionAudioDownload(), "PRAGMA max_page_count = 1073741823"); }},
        {"a clip insert fails", [&] {
             fixture::exec(user(), "CREATE TRIGGER fail BEFORE INSERT ON recitationmp3s WHEN NEW.verse = 5 "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END");
             placeArchive(d, clips);
         }, InstallOutcome::failed, dropTrigger},
        {"the installed mark fails", [&] {
             fixture::exec(user(), "CREATE TRIGGER fail BEFORE INSERT ON recitations "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END");
             placeArchive(d, clips);
         }, InstallOutcome::failed, dropTrigger},
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
         }, InstallOutcome::failed, dropTrigger},
    };
    for (const Case& c : cases) {
        const std::string before = dump(user());
        c.arrange();
        LogCapture log;
        EXPECT_FALSE(app->setupDownloadedSurahAudio(1)) << c.what;
        c.cleanup();
        EXPECT_EQ(app->setupOutcome(), c.outcome) << c.what;
        EXPECT_TRUE(log.contains("[setupDownloadedSurahAudio]")) << c.what;
        // SQLite may have rolled back by itself; that is no failure of the rollback.
        EXPECT_FALSE(log.contains("rollback failed")) << c.what;
        EXPECT_EQ(dump(user()), before) << c.what;
        EXPECT_FALSE(app->settingUpSurah()) << c.what;
        // Nothing of the download stays in the caches.
        EXPECT_FALSE(leftovers(d)) << c.what;
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

TEST_F(InstallTest, TheUnpackingBoundFollowsTheExpectedSizeAndTheFreeSpace) {
    ChapterAudioDownload d{2, 9};
    placeArchive(d, archive::Bytes(1000, 1));
    bool byFreeSpace = true;
    EXPECT_EQ(ChapterAudioInstaller::unpackBound(d, &byFreeSpace), 2 * 1000 + 4 * 1024 * 1024);
    EXPECT_FALSE(byFreeSpace);
    d.expectedBytes = 10 * 1024 * 1024;
    EXPECT_EQ(ChapterAudioInstaller::unpackBound(d), 24 * 1024 * 1024);
    // An archive larger than the whole disk's free space is bound by that space.
    d.expectedBytes = 1LL << 60;
    EXPECT_LT(ChapterAudioInstaller::unpackBound(d, &byFreeSpace), 1LL << 59);
    EXPECT_TRUE(byFreeSpace);
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
