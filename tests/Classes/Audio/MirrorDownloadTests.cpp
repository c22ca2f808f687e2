// A chapter fetched from the demo mirror and installed, under each of the mirror's failure
// switches: a good archive is installed whole, every bad one is reported and changes nothing.

#include "tests/Classes/Audio/InstallFixture.h"
#include "tests/support/DemoMirrorProcess.h"
#include "tests/support/TarMembers.h"

#include "Classes/Audio/Downloader.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSData+Bzip2.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"

namespace fs = std::filesystem;

namespace {

class Transfer : public DownloaderDelegate {
public:
    void setCorrectTotal(int) override {}
    void setUpgradeProgress(int) override {}
    void downloadFailed() override { ended = true; }
    void downloadFinished() override {
        ended = true;
        finished = true;
    }
    bool ended = false, finished = false;
};

class MirrorTest : public InstallTest {
protected:
    MirrorTest() : InstallTest(true) {}
    void TearDown() override {
        Downloader::setTimeoutInterval(8.0);
        InstallTest::TearDown();
    }

    // Fetches the chapter's archive as the download flow does; true when the transfer finished.
    bool fetch(const DemoMirrorProcess& mirror, const ChapterAudioDownload& d) {
        fs::create_directories(d.folderPath());
        const int expected = d.continuous() ? 0 : ChapterInfo::getMP3RecitationSize(content(), d.surah, d.reciter);
        Transfer transfer;
        auto downloader = Downloader::downloadURL("http://" + mirror.host() + d.remotePath(), d.archivePath(),
                                                  &transfer, expected);
        if (!downloader) return false;
        EXPECT_TRUE(RunLoop::main().runUntil([&] { return transfer.ended; }, 180));
        return transfer.finished;
    }

    std::unique_ptr<DemoMirrorProcess> startMirror(const std::string& failure, int stallSeconds = 20) {
        std::string error;
        DemoMirrorProcess::Options options;
        options.failure = failure;
        options.stallSeconds = stallSeconds;
        auto mirror = DemoMirrorProcess::start(options, error);
        EXPECT_TRUE(mirror) << error;
        return mirror;
    }
};

}  // namespace

TEST_F(MirrorTest, ASyntheticChapterIsFetchedAndInstalledWhole) {
    struct Case {
        ChapterAudioDownload download;
        size_t clips;
    };
    // Al-Qariah in its parts for reciter 1 (stored under its high-quality code), Al-Ikhlas verse
    // by verse. Short chapters: the mirror speaks each one first, slowly under the sanitizers.
    for (const Case c : {Case{{101, 1}, static_cast<size_t>(ChapterInfo::getTotalPartsForChapter(101))}, Case{{112, 9}, 5}}) {
        const ChapterAudioDownload& d = c.download;
        auto mirror = startMirror("none");
        ASSERT_TRUE(mirror);
        ASSERT_TRUE(fetch(*mirror, d)) << d.surah;
        archive::Bytes gz;
        ASSERT_TRUE(archive::read(d.archivePath(), &gz));
        const auto members = tarMembers(NSData::gzipInflate(gz).value_or(archive::Bytes()));
        ASSERT_EQ(members.size(), c.clips);
        app->setDownloadingReciter(d.reciter);

        ASSERT_TRUE(app->setupDownloadedSurahAudio(d.surah)) << d.surah;
        const std::vector<std::string> names = ChapterAudioInstaller::memberNames(d);
        for (const TarMember& member : members) {
            const int number = static_cast<int>(std::find(names.begin(), names.end(), member.name) - names.begin()) +
                               (d.continuous() ? 1 : 0);
            const archive::Bytes stored =
                d.continuous() ? ChapterInfo::getContMP3Recitation(user(), d.surah, number, 7)
                               : ChapterInfo::getMP3Recitation(user(), d.surah, number, d.reciter);
            ASSERT_FALSE(stored.empty()) << member.name;
            EXPECT_EQ(stored, member.data) << member.name;
        }
        EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(user(), d.surah, d.reciter));
        EXPECT_EQ(ChapterInfo::isSurahAudioContinuous(user(), d.surah, d.reciter), d.continuous());
        EXPECT_FALSE(fs::exists(d.archivePath()) || fs::exists(d.tarPath()) || fs::exists(d.extractionPath()));
    }
}

TEST_F(MirrorTest, EveryMirrorFailureIsReportedAndChangesNothing) {
    struct Case {
        const char* failure;
        bool transferFails;  // else the transfer completes and the installation fails
    };
    const std::vector<Case> cases = {
        {"not-found", true},     {"truncated", true},     {"stall", true},         {"wrong-length", false},
        {"corrupt-gzip", false}, {"bad-tar", false},      {"escaping-tar", false}, {"cut-in-padding", false},
    };
    const ChapterAudioDownload d{112, 3};  // continuous: the expected size is unknown
    app->setDownloadingReciter(d.reciter);
    ASSERT_TRUE(ChapterInfo::insertBookmark(user(), 112, 1, false, 0, std::string("kept")));
    Downloader::setTimeoutInterval(1.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        const std::string before = dump(user());
        auto mirror = startMirror(c.failure, 5);
        ASSERT_TRUE(mirror);
        const bool fetched = fetch(*mirror, d);
        EXPECT_EQ(fetched, !c.transferFails);
        if (fetched) {
            EXPECT_FALSE(app->setupDownloadedSurahAudio(d.surah));
        }
        EXPECT_EQ(dump(user()), before);
        EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(user(), d.surah, d.reciter));
        // Nothing of the download stays.
        EXPECT_FALSE(fs::exists(d.archivePath()) || fs::exists(d.tarPath()) || fs::exists(d.extractionPath()));
        EXPECT_FALSE(fs::exists(fs::path(d.folderPath()) / "112000.mp3"));  // the escaping member
    }
}
