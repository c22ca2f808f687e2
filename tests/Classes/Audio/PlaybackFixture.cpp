#include "tests/Classes/Audio/PlaybackFixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Classes/Audio/VerseClipFiles.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AVAudioSession.h"

void PlaybackTest::SetUp() {
    ReadingTest::SetUp();
    app.reset();
    app = std::make_unique<RecordingAppDelegate>();
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
    AudioOutput::setShared(output);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setInteger(2, "CurrentReciterv22");
    defaults.setBool(true, "PlayOptionsEnabled");
    for (const char* key : {"AyahRepeatCounter", "SurahRepeatCounter", "PlayVerseRange"}) defaults.setInteger(0, key);
}

void PlaybackTest::TearDown() {
    if (screen) screen->stopIfPlaying();
    window.reset();
    screen.reset();
    AudioOutput::setShared(nullptr);
    AVAudioSession::sharedInstance().resetForTesting();
    ReadingTest::TearDown();
}

std::vector<uint8_t> PlaybackTest::fixtureMP3(const std::string& name) {
    const char* root = std::getenv("LUMENO_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : ".") + "/tests/platform/media/fixtures/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void PlaybackTest::installPerVerse(int surah, int reciter, const std::vector<int>& longClips) {
    const auto shortClip = fixtureMP3("tone_1s_44k_mono.mp3");
    const auto longClip = fixtureMP3("tone_1500ms_22k_stereo.mp3");
    ASSERT_FALSE(shortClip.empty());
    sqlite3* user = app->dbConnection();
    for (int clip = 0; clip <= ChapterInfo::getVersesFromNumber(surah); ++clip) {
        const bool isLong = std::find(longClips.begin(), longClips.end(), clip) != longClips.end();
        ASSERT_TRUE(ChapterInfo::insertMP3Blob(user, surah, clip, reciter, isLong ? longClip : shortClip));
    }
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(user, surah, reciter));
}

void PlaybackTest::installContinuous(int surah, int reciter, const std::vector<VerseTiming>& timings) {
    sqlite3* user = app->dbConnection();
    sqlite3* content = app->dbConnectionStatic();
    // Temporary tables shadow the bundle's read-only timing tables on this connection.
    const char* schema =
        "CREATE TEMP TABLE IF NOT EXISTS audioparts (reciter INTEGER, surah INTEGER, verse INTEGER, part INTEGER);"
        "CREATE TEMP TABLE IF NOT EXISTS audiotimings (reciter INTEGER, surah INTEGER, verse INTEGER, beginsat REAL);";
    ASSERT_EQ(sqlite3_exec(content, schema, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(content);
    const auto part = fixtureMP3("tone_1500ms_22k_stereo.mp3");
    std::vector<int> parts;
    for (const VerseTiming& t : timings) {
        const std::string sql = "INSERT INTO temp.audioparts VALUES (" + std::to_string(reciter) + "," + std::to_string(surah) +
                                "," + std::to_string(t.verse) + "," + std::to_string(t.part) +
                                "); INSERT INTO temp.audiotimings VALUES (" + std::to_string(reciter) + "," +
                                std::to_string(surah) + "," + std::to_string(t.verse) + "," + std::to_string(t.beginsAt) + ");";
        ASSERT_EQ(sqlite3_exec(content, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(content);
        if (std::find(parts.begin(), parts.end(), t.part) == parts.end()) parts.push_back(t.part);
    }
    for (int p : parts) ASSERT_TRUE(ChapterInfo::insertContMP3Blob(user, surah, p, reciter, part));
    ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(user, surah, reciter, false));
}

void PlaybackTest::openAndPlay(int surah, int verse) {
    open(surah, verse, 0);
    screen->highlightVerse(verse, true, false, true);
    screen->playStopOrDownload();
    backend.runUntilIdle();
}

void PlaybackTest::settle() {
    RunLoop::main().runUntil(
        [this] { return RunLoop::main().pendingPostCount() == 0 && (!screen || screen->fadesWaitingOnClock()); }, 2.0);
    backend.runUntilIdle();
}

void PlaybackTest::run(double milliseconds) {
    for (double left = milliseconds; left > 1e-9; left -= 10) {
        backend.advance(std::min(left, 10.0));
        settle();
    }
}

std::vector<int> PlaybackTest::playingRows() {
    std::vector<int> verses;
    const int surah = screen->iCurrentSurah();
    for (int v = surah == 1 || surah == 9 ? 1 : 0; v <= ChapterInfo::getVersesFromNumber(surah); ++v)
        if (SurahVerseView* row = arabicRow(v); row && row->isPlaying()) verses.push_back(v);
    return verses;
}
