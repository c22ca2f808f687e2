// The program itself plays docs/recitation-download.script against a demo mirror on loopback:
// chapter 112 is downloaded from the index, stored, and played with the highlight moving on. Its
// shots are docs/recitation-download.png, docs/recitation-playback.png and
// docs/recitation-playback-landscape.png.

#include <gtest/gtest.h>

#include <cairo.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/foundation/NSUserDefaults.h"
#include "tests/support/DemoMirrorProcess.h"
#include "tests/support/DocsPicture.h"

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// The colour at a point (in points) of a phone screenshot `width` points wide; false when unreadable.
bool pixelOf(const fs::path& png, double width, double x, double y, int& r, int& g, int& b) {
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> s(cairo_image_surface_create_from_png(png.c_str()),
                                                                   cairo_surface_destroy);
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return false;
    const double scale = cairo_image_surface_get_width(s.get()) / width;
    const unsigned char* data = cairo_image_surface_get_data(s.get());
    const auto* p = reinterpret_cast<const uint32_t*>(data + static_cast<int>(y * scale) * cairo_image_surface_get_stride(s.get())) +
                    static_cast<int>(x * scale);
    r = (*p >> 16) & 0xff, g = (*p >> 8) & 0xff, b = *p & 0xff;
    return true;
}

// The light green of the recited verse's row.
bool recitedGreen(const fs::path& png, double x, double y) {
    int r = 0, g = 0, b = 0;
    return pixelOf(png, 320, x, y, r, g, b) && g > 230 && g > r + 8 && g > b + 8;
}

// Chapters with stored recitations among those the condition picks.
int storedChapters(const fs::path& db, const std::string& condition) {
    sqlite3* handle = nullptr;
    int n = -1;
    if (sqlite3_open_v2(db.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(handle, ("SELECT count(DISTINCT surah) FROM recitations WHERE " + condition).c_str(), -1, &st, nullptr) ==
            SQLITE_OK) {
            if (sqlite3_step(st) == SQLITE_ROW) n = sqlite3_column_int(st, 0);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(handle);
    return n;
}

fs::path docsScript() {
    const char* source = std::getenv("LUMENO_SOURCE_DIR");
    return fs::path(source ? source : "") / "docs" / "recitation-download.script";
}

bool onPath(const char* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0; }

// Runs the program on the script against its own demo mirror, headless or in the desktop
// window under a virtual X display; the folders it used.
fs::path playScript(const std::string& name, bool window, const fs::path& script, const std::string& link = "",
                    const DemoMirrorProcess::Options& mirrorOptions = {}) {
    const char* temp = std::getenv("LUMENO_TEMP_DIR");
    const char* source = std::getenv("LUMENO_SOURCE_DIR");
    EXPECT_TRUE(temp && source);
    if (!temp || !source) return {};
    const fs::path work = fs::path(temp) / name;
    fs::remove_all(work);
    for (const char* dir : {"shots", "documents", "config", "caches"}) fs::create_directories(work / dir);
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "lumeno";
    EXPECT_TRUE(fs::exists(program)) << program;
    // Friday's reminder would come up over the walk.
    NSUserDefaults seeded((work / "config" / "defaults.bin").string());
    seeded.setBool(false, "AlKahfReminders");
    EXPECT_TRUE(seeded.synchronize());

    std::string error;
    auto mirror = DemoMirrorProcess::start(mirrorOptions, error);
    EXPECT_TRUE(mirror) << error;
    if (!mirror) return {};
    std::string command = std::string("env ") +
                          (window ? "-u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 " : "") +
                          "LUMENO_CONFIG_DIR=" + quoted(work / "config") + " LUMENO_CACHES_DIR=" + quoted(work / "caches") + " ";
    if (window) command += "xvfb-run -a -s '-screen 0 1024x768x24' ";
    command += quoted(program) + (window ? " --window" : " --headless") + " --script " +
               quoted(script) + " --shots " + quoted(work / "shots") +
               " --documents " + quoted(work / "documents") + " --mirrors " + mirror->host() +
               (link.empty() ? "" : " " + link) + " > " +
               quoted(work / "run.log") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "see " << work / "run.log";
    EXPECT_TRUE(mirror->stop());
    return work;
}

void expectDownloadShots(const fs::path& work) {
    for (const char* shot : {"download-offer.png", "download-mirrors.png", "download-progress.png"})
        EXPECT_TRUE(fs::exists(work / "shots" / shot)) << shot;
}

TEST(RecitationDownloadScript, DownloadsFromTheIndexAndPlaysWithTheHighlightMoving) {
    // The archive comes a second after its request: the progress shot, taken at once, always
    // shows the transfer waiting, and the script's next wait always sees it end.
    DemoMirrorProcess::Options slowAnswers;
    slowAnswers.answerDelaySeconds = 1;
    const fs::path work = playScript("recitation-download-script", false, docsScript(), "", slowAnswers);
    ASSERT_FALSE(work.empty());
    expectDownloadShots(work);
    EXPECT_EQ(storedChapters(work / "documents" / "lumenodyn.db", "surah = 112"), 1);
    // The opening invocation recited first, verse 1 three seconds later.
    EXPECT_TRUE(recitedGreen(work / "shots" / "playback-1.png", 300, 120));
    EXPECT_FALSE(recitedGreen(work / "shots" / "playback-1.png", 300, 200));
    EXPECT_TRUE(recitedGreen(work / "shots" / "playback-2.png", 300, 160));
    EXPECT_FALSE(recitedGreen(work / "shots" / "playback-2.png", 300, 260));
    for (const auto& [shot, doc] : {std::pair{"download-progress.png", "recitation-download.png"},
                                    std::pair{"playback-2.png", "recitation-playback.png"},
                                    std::pair{"playback-landscape.png", "recitation-playback-landscape.png"}})
        EXPECT_TRUE(docs_picture::matchesDocs((work / "shots" / shot).string(), doc));
}

// The same walk in the desktop window, on the real clock: the download arrives and a verse
// row of the chapter is being recited in the playback shots. On the real clock the transfer
// ends before the held progress shot, where the hold would land on the play button, so that
// step is left out, and the set-up gets real seconds before the first playback shot.
TEST(RecitationDownloadScript, DownloadsAndPlaysInTheDesktopWindow) {
    if (!onPath("xvfb-run") || !onPath("Xvfb")) GTEST_SKIP() << "xvfb-run / Xvfb not installed";
    const char* temp = std::getenv("LUMENO_TEMP_DIR");
    ASSERT_TRUE(temp);
    const fs::path script = fs::path(temp) / "window.script";
    {
        std::ifstream in(docsScript());
        std::ofstream out(script);
        bool held = false;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("hold ", 0) == 0) {
                held = true;
                continue;
            }
            if (held && line.rfind("wait ", 0) == 0) {
                line = "wait 8";
                held = false;
            }
            out << line << "\n";
        }
    }
    const fs::path work = playScript("recitation-download-window", true, script);
    ASSERT_FALSE(work.empty());
    expectDownloadShots(work);
    // The list's fling runs on the real clock here: on a busy machine it stops short of 112,
    // so the chapter stored is one of the last juz's list.
    EXPECT_EQ(storedChapters(work / "documents" / "lumenodyn.db", "surah BETWEEN 78 AND 114"), 1);
    bool recited = false;
    for (const char* shot : {"playback-1.png", "playback-2.png"})
        for (double y = 100; y <= 380 && !recited; y += 20) recited = recitedGreen(work / "shots" / shot, 300, y);
    EXPECT_TRUE(recited);
}

// A new user opens chapter 112 from a link, closes the first start's screens and turns the
// phone: the header bar shows its own controls only, nothing of the option strip it hides
// (the reciter's name, the speaker, the translation).
TEST(ReadingScript, TheLandscapeHeaderShowsNothingOfTheHiddenStrip) {
    const fs::path script = fs::path(std::getenv("LUMENO_SOURCE_DIR")) / "tests/Classes/Audio/fixtures/landscape-header.script";
    const fs::path work = playScript("landscape-header-script", false, script, "lumeno://112:1");
    ASSERT_FALSE(work.empty());
    const fs::path shot = work / "shots" / "landscape.png";
    ASSERT_TRUE(fs::exists(shot));
    // Between the back button and the chapter's ornaments lies only the bar's own paper.
    int ink = 0;
    for (double y = 4; y < 40; y += 1)
        for (double x = 68; x < 146; x += 1) {
            int r = 0, g = 0, b = 0;
            ASSERT_TRUE(pixelOf(shot, 480, x, y, r, g, b));
            ink += r + g + b < 330 ? 1 : 0;
        }
    EXPECT_EQ(ink, 0) << "see " << shot;
}

}  // namespace
