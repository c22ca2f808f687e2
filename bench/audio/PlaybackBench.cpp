// Recitation playback on the reading screen, headless with the silent output.
// - highlight_lag_ms: continuous parts on the virtual clock (stepped 1 ms); for every verse
//   that starts inside a part, how far the part had played past the verse's start time when
//   the verse was highlighted; the median over the chapter (40 verses, three to a part).
//   The position check runs every 0.1 s, so the figure must stay under 100 ms.
// - playback_audio_gap_ms: per-verse clips under the real-time clock, from the user database
//   through the clip files and the decoder; the longest silence between one verse's last frame
//   and the next verse's first (target at most 20 ms), and the mean.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace {

constexpr int kChapter = 78;  // 40 verses
constexpr int kReciter = 2;
constexpr double kVerseSpacing = 0.45;  // three verses in each 1.5 s part

std::vector<uint8_t> fixture(const char* name) {
    std::ifstream in(std::string(LUMENO_FIXTURE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(db));
    return false;
}

// Three verses to a part, shadowing the bundle's timing tables on this connection only.
bool installContinuous(LumenoSDKAppDelegate& app) {
    sqlite3* content = app.dbConnectionStatic();
    if (!exec(content, "CREATE TEMP TABLE audioparts (reciter INTEGER, surah INTEGER, verse INTEGER, part INTEGER);"
                       "CREATE TEMP TABLE audiotimings (reciter INTEGER, surah INTEGER, verse INTEGER, beginsat REAL);"))
        return false;
    const auto part = fixture("tone_1500ms_22k_stereo.mp3");
    for (int v = 0; v <= ChapterInfo::getVersesFromNumber(kChapter); ++v) {
        const int p = v / 3 + 1;
        char sql[256];
        std::snprintf(sql, sizeof sql,
                      "INSERT INTO audioparts VALUES (%d,%d,%d,%d); INSERT INTO audiotimings VALUES (%d,%d,%d,%.3f);",
                      kReciter, kChapter, v, p, kReciter, kChapter, v, (v % 3) * kVerseSpacing);
        if (!exec(content, sql)) return false;
        if (v % 3 == 0 && !ChapterInfo::insertContMP3Blob(app.dbConnection(), kChapter, p, kReciter, part)) return false;
    }
    return ChapterInfo::markContAudioAsInstalled(app.dbConnection(), kChapter, kReciter, false);
}

void settle(SurahViewController& screen) {
    RunLoop::main().runUntil(
        [&] { return RunLoop::main().pendingPostCount() == 0 && screen.fadesWaitingOnClock(); }, 2.0);
}

void open(SurahViewController& screen, UIWindow& window, HeadlessBackend& backend, int surah) {
    screen.setupBasicSurah(surah, 1, false);
    if (screen.viewIsVisible()) {
        screen.asyncSurahReload();
    } else {
        screen.setRequiresReload(true);
        window.setRootViewController(screen.shared_from_this());
    }
    backend.advance(300);
    screen.highlightVerse(0, true, false, true);
}

double highlightLag(LumenoSDKAppDelegate& app, SurahViewController& screen, UIWindow& window, HeadlessBackend& backend) {
    if (!installContinuous(app)) return -1;
    open(screen, window, backend, kChapter);
    screen.playStopOrDownload();
    std::vector<double> lags;
    int verse = screen.iCurrentPlayingVerse();
    for (int step = 0; step < 60000 && screen.IsInPlayMode(); ++step) {
        backend.advance(1);
        settle(screen);
        if (screen.iCurrentPlayingVerse() == verse || !screen.CurrentAudioPlayer()) continue;
        verse = screen.iCurrentPlayingVerse();
        if (verse % 3 != 0)  // a verse inside a part: found by the position check
            lags.push_back((screen.CurrentAudioPlayer()->currentTime() - (verse % 3) * kVerseSpacing) * 1000);
    }
    if (lags.empty()) return -1;
    std::sort(lags.begin(), lags.end());
    return lags[lags.size() / 2];
}

bool audioGap(LumenoSDKAppDelegate& app, SurahViewController& screen, UIWindow& window, HeadlessBackend& backend,
              HeadlessAudioOutput& output, double* worst, double* mean) {
    const int surah = 112;
    const auto clip = fixture("tone_1s_44k_mono.mp3");
    for (int v = 0; v <= ChapterInfo::getVersesFromNumber(surah); ++v)
        if (!ChapterInfo::insertMP3Blob(app.dbConnection(), surah, v, kReciter, clip)) return false;
    if (!ChapterInfo::markAudioAsInstalled(app.dbConnection(), surah, kReciter)) return false;
    open(screen, window, backend, surah);
    const size_t before = output.streamTimes().size();
    RunLoop& loop = RunLoop::main();
    loop.useRealClock();
    screen.playStopOrDownload();
    const double deadline = loop.now() + 20;
    while (screen.IsInPlayMode() && loop.now() < deadline) loop.runOnce(0.005);
    const auto times = output.streamTimes();
    std::vector<double> gaps;
    for (size_t i = before; i + 1 < times.size(); ++i)
        if (times[i].end >= 0 && times[i + 1].firstSound >= 0) gaps.push_back((times[i + 1].firstSound - times[i].end) * 1000);
    if (gaps.size() < 4) return false;
    *worst = *std::max_element(gaps.begin(), gaps.end());
    *mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / gaps.size();
    return true;
}

}  // namespace

int main() {
    std::string scratch = (std::filesystem::temp_directory_path() / "lumeno-bench-XXXXXX").string();
    if (!mkdtemp(scratch.data())) return 1;
    setenv("LUMENO_DOCUMENTS_DIR", scratch.c_str(), 1);
    setenv("LUMENO_CONFIG_DIR", scratch.c_str(), 1);

    RunLoop::main().useVirtualClock();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 1);
    HeadlessBackend backend;
    backend.attach();
    UIViewController::installPlatformHooks();
    UIApplication::sharedApplication().setStatusBarHidden(true);
    auto output = HeadlessAudioOutput::create();
    AudioOutput::setShared(output);
    auto window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
    int status = 0;
    {
        LumenoSDKAppDelegate app;
        if (!app.createEditableCopyOfDatabaseIfNeeded() || !app.initializeDatabase()) {
            std::fprintf(stderr, "databases did not open\n");
            return 1;
        }
        NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
        defaults.setInteger(kReciter, "CurrentReciterv22");
        defaults.setInteger(0, "CurrentTranslationv22");
        auto screen = std::make_shared<SurahViewController>();
        const double lag = highlightLag(app, *screen, *window, backend);
        screen->stopIfPlaying();
        double worst = 0, mean = 0;
        const bool gapMeasured = audioGap(app, *screen, *window, backend, *output, &worst, &mean);
        screen->stopIfPlaying();
        window->setRootViewController(nullptr);
        if (lag < 0 || !gapMeasured) {
            std::fprintf(stderr, "playback did not run through the chapter\n");
            status = 1;
        } else {
            std::printf("figure highlight_lag_ms %.2f ms\n", lag);
            std::printf("figure playback_audio_gap_ms %.3f ms\n", worst);
            std::printf("figure playback_audio_gap_mean_ms %.3f ms\n", mean);
            if (lag > 100 || worst > 20) status = 2;
        }
    }
    AudioOutput::setShared(nullptr);
    window.reset();
    std::filesystem::remove_all(scratch);
    return status;
}
