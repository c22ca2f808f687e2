// Chapter archives of the synthetic recitations as the mirror serves them: the members the
// installer looks for, MP3 that decodes to the formula's duration with speech in every
// verse's slot, and the size the content database announces for a per-verse archive.
#include "tools/recitations/RecitationArchiver.h"

#include "platform/media/MP3Decoder.h"
#include "tests/support/TarMembers.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace RecitationTiming;

namespace {

const std::string kContentDb = std::string(LUMENO_TEST_BUNDLE_DIR) + "/lumeno.db";

std::string cacheDir() { return std::string(std::getenv("LUMENO_CACHES_DIR")) + "/recitations"; }

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double contentValue(const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(kContentDb.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    double value = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_double(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

struct Decoded {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;
};

Decoded decode(const std::vector<uint8_t>& mp3)
{
    NSError error;
    auto decoder = MP3Decoder::openData(mp3, &error);
    Decoded out;
    if (!decoder)
        return out;
    out.rate = decoder->sampleRate();
    out.channels = decoder->channels();
    out.samples.resize(static_cast<size_t>(decoder->lengthFrames()) * out.channels);
    out.samples.resize(static_cast<size_t>(decoder->read(out.samples.data(), decoder->lengthFrames())) * out.channels);
    return out;
}

double rms(const std::vector<float>& s, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to && i < s.size(); ++i)
        sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

class RecitationArchiverTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        archiver = RecitationArchiver::open(kContentDb, cacheDir(), error);
        ASSERT_TRUE(archiver) << error;
        ASSERT_TRUE(archiver->chapterText(112, ikhlas, error)) << error;
    }

    std::vector<TarMember> archiveMembers(RecitationArchiver::Kind kind, int folder, int surah, std::string* path = nullptr)
    {
        std::string error;
        const std::string made = archiver->archivePath(kind, folder, surah, error);
        EXPECT_FALSE(made.empty()) << error;
        if (path)
            *path = made;
        std::vector<uint8_t> tar;
        EXPECT_TRUE(ChapterArchive::gunzip(readAll(made), tar));
        return tarMembers(tar);
    }

    std::unique_ptr<RecitationArchiver> archiver;
    ChapterText ikhlas;
};

}  // namespace

TEST_F(RecitationArchiverTest, PerVerseArchiveHoldsEveryClipAtTheFormulasLengthAndTheAnnouncedSize)
{
    std::string path;
    const auto members = archiveMembers(RecitationArchiver::Kind::PerVerse, 3, 112, &path);
    ASSERT_EQ(members.size(), 5u);
    const Voice& voice = voiceForFolder(3);
    for (int clip = 0; clip <= 4; ++clip) {
        SCOPED_TRACE(clip);
        EXPECT_EQ(members[clip].name, clipMemberName(112, clip));
        const std::string& text = clip == 0 ? ikhlas.invocation : ikhlas.verses[clip - 1];
        const int frames = verseFrames(text, voice);
        EXPECT_EQ(members[clip].data.size(), size_t(frames) * kFrameBytes);
        const Decoded d = decode(members[clip].data);
        ASSERT_EQ(d.rate, kSampleRate);
        ASSERT_EQ(d.channels, 1);
        EXPECT_EQ(d.samples.size(), size_t(frames) * kSamplesPerFrame);
        EXPECT_GT(rms(d.samples, 0, d.samples.size()), 0.01) << "the clip speaks";
    }
    EXPECT_EQ(double(fs::file_size(path)), contentValue("SELECT size FROM recitationmp3sizes WHERE reciter = 3 AND surah = 112"));
    for (const auto& entry : fs::recursive_directory_iterator(cacheDir()))
        EXPECT_EQ(entry.path().string().find(".part-"), std::string::npos) << "no half-written file stays";
}

TEST_F(RecitationArchiverTest, ContinuousPartHasSpeechWhereTheTimingTableSaysEachVerseBegins)
{
    ChapterText chapter;
    std::string error;
    ASSERT_TRUE(archiver->chapterText(108, chapter, error)) << error;
    const auto members = archiveMembers(RecitationArchiver::Kind::Continuous, 7, 108);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].name, "108-01.mp3");
    const Decoded d = decode(members[0].data);
    ASSERT_EQ(d.rate, kSampleRate);

    const auto layout = layoutChapter(chapter, voiceForFolder(7), 1);
    long long total = 0;
    for (const auto& v : layout)
        total += v.frames;
    EXPECT_EQ(d.samples.size(), size_t(total) * kSamplesPerFrame);
    for (const auto& v : layout) {
        SCOPED_TRACE(v.verse);
        for (int reciter : {1, 7})
            EXPECT_FLOAT_EQ(float(contentValue("SELECT beginsat FROM audiotimings WHERE reciter = " + std::to_string(reciter) +
                                               " AND surah = 108 AND verse = " + std::to_string(v.verse))),
                            float(v.beginsAt()));
        const size_t start = size_t(v.startFrame) * kSamplesPerFrame;
        const size_t end = start + size_t(v.frames) * kSamplesPerFrame;
        EXPECT_LT(rms(d.samples, start, start + 1000), 0.01) << "each verse begins in its lead silence";
        EXPECT_GT(rms(d.samples, start, end), 0.01) << "and speaks within its slot";
    }
}

TEST_F(RecitationArchiverTest, UnknownChaptersAndAMissingDatabaseFailWithAReasonAndWriteNothing)
{
    const std::string empty = cacheDir() + "/unknown";
    std::string error;
    auto fresh = RecitationArchiver::open(kContentDb, empty, error);
    ASSERT_TRUE(fresh) << error;
    for (int surah : {0, 115, -1}) {
        EXPECT_TRUE(fresh->archivePath(RecitationArchiver::Kind::PerVerse, 0, surah, error).empty());
        EXPECT_NE(error.find("chapter"), std::string::npos) << error;
    }
    EXPECT_FALSE(fs::exists(empty));
    EXPECT_FALSE(RecitationArchiver::open(cacheDir() + "/none.db", cacheDir(), error));
    EXPECT_NE(error.find("content database"), std::string::npos) << error;
}
