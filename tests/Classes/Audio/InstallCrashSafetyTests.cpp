// An installation killed at any moment leaves the whole chapter or none of it, in a sound database.

#include "tests/Classes/Audio/InstallFixture.h"

#include "Classes/Core/ChapterInfo.h"

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kTickEvery = 500;  // virtual machine steps between two progress bytes

int tick(void* fd) {
    const char byte = 1;
    (void)!write(*static_cast<int*>(fd), &byte, 1);
    return 0;
}

// Installs in a child process on a connection of its own, writing a byte to `fd` as SQLite works.
[[noreturn]] void installInChild(const std::string& database, const ChapterAudioDownload& d, int fd) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK)
        _exit(2);
    DataStoreConnection::configure(db);
    sqlite3_progress_handler(db, kTickEvery, tick, &fd);
    _exit(ChapterAudioInstaller::install(db, d) == InstallOutcome::installed ? 0 : 1);
}

struct Trial {
    int ticksSeen = 0;
    bool killed = false;
    int exitCode = -1;
};

// Runs one installation in a child; kills it after `killAfter` progress bytes (-1: never).
Trial runChild(const std::string& database, const ChapterAudioDownload& d, int killAfter) {
    int pipeFds[2];
    EXPECT_EQ(pipe(pipeFds), 0);
    pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        installInChild(database, d, pipeFds[1]);
    }
    close(pipeFds[1]);
    Trial trial;
    char byte;
    while (killAfter < 0 || trial.ticksSeen < killAfter) {
        if (read(pipeFds[0], &byte, 1) != 1) break;
        ++trial.ticksSeen;
    }
    if (killAfter >= 0 && trial.ticksSeen == killAfter) {
        kill(child, SIGKILL);
        trial.killed = true;
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) trial.exitCode = WEXITSTATUS(status);
    return trial;
}

}  // namespace

TEST_F(InstallTest, KilledInstallationsLeaveTheWholeChapterOrNone) {
    const ChapterAudioDownload d{2, 9};
    const auto clips = allClips(d, 400);
    const archive::Bytes gz = archive::gzip(archive::tar(clips));
    const std::string database = documents + "/" + LumenoSDKAppDelegate::userDbFileName();
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 2, 255, false, 0, std::string("kept")));
    const std::string before = dump(user());

    placeArchive(d, gz);
    const Trial whole = runChild(database, d, -1);
    ASSERT_EQ(whole.exitCode, 0);
    ASSERT_GT(whole.ticksSeen, 10);
    EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s WHERE surah = 2"), 287);

    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> killPoint(0, whole.ticksSeen + whole.ticksSeen / 10);
    int wholeCount = 0, noneCount = 0;
    for (int trial = 0; trial < 50; ++trial) {
        fixture::exec(user(), "DELETE FROM recitationmp3s; DELETE FROM recitations;");
        placeArchive(d, gz);
        const Trial t = runChild(database, d, killPoint(random));
        const long long clipsStored = fixture::scalar(user(), "SELECT count(*) FROM recitationmp3s WHERE surah = 2");
        const long long marks = fixture::scalar(user(), "SELECT count(*) FROM recitations WHERE surah = 2");
        EXPECT_TRUE((clipsStored == 287 && marks == 1) || (clipsStored == 0 && marks == 0))
            << "trial " << trial << " after " << t.ticksSeen << " ticks: " << clipsStored << " clips, " << marks
            << " marks";
        (clipsStored == 287 ? wholeCount : noneCount)++;
        SQLiteStatement check = DataStoreConnection::prepare(user(), "PRAGMA integrity_check");
        ASSERT_EQ(sqlite3_step(check.get()), SQLITE_ROW);
        EXPECT_EQ(columnString(check.get(), 0), "ok") << "trial " << trial;
        EXPECT_EQ(fixture::scalar(user(), "SELECT count(*) FROM bookmarks WHERE surah = 2 AND verse = 255"), 1);
    }
    // The kill points reached both sides of the commit.
    EXPECT_GT(noneCount, 0);
    EXPECT_GT(wholeCount, 0);
    fixture::exec(user(), "DELETE FROM recitationmp3s; DELETE FROM recitations;");
    EXPECT_EQ(dump(user()), before);
}
