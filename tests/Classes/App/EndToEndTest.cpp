// The built program, run with a script in fresh Documents and settings folders: the
// screenshots it writes are checked by sampled pixels, the user database and the settings
// file directly, and a second run reopens the place. The newcomer's walk runs twice: headless
// on the virtual clock, and in the desktop window under a virtual X display on the real one.

#include <gtest/gtest.h>

#include <cairo.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/NSUserDefaults.h"

namespace fs = std::filesystem;

namespace {

struct Rgb {
    int r, g, b;
};

// A screenshot read back, sampled in points of a screen `width` points wide (320 upright).
class Shot {
public:
    explicit Shot(const fs::path& file, double width = 320)
        : surface_(cairo_image_surface_create_from_png(file.c_str()), cairo_surface_destroy), width_(width) {}
    bool ok() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
    double scale() const { return cairo_image_surface_get_width(surface_.get()) / width_; }
    Rgb at(double x, double y) const {
        const int px = static_cast<int>(x * scale()), py = static_cast<int>(y * scale());
        const unsigned char* data = cairo_image_surface_get_data(surface_.get());
        const auto* p = reinterpret_cast<const uint32_t*>(data + py * cairo_image_surface_get_stride(surface_.get())) + px;
        return {static_cast<int>((*p >> 16) & 0xff), static_cast<int>((*p >> 8) & 0xff), static_cast<int>(*p & 0xff)};
    }
    // The share of points (one per point) in the rectangle that pass the test.
    double share(double x0, double y0, double x1, double y1, const std::function<bool(Rgb)>& test) const {
        int hits = 0, all = 0;
        for (double y = y0; y < y1; ++y)
            for (double x = x0; x < x1; ++x, ++all) hits += test(at(x + 0.5, y + 0.5));
        return all ? static_cast<double>(hits) / all : 0;
    }

private:
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
    double width_;
};

bool darkInk(Rgb c) { return c.r < 90 && c.g < 90 && c.b < 90; }
// The gold of the verse badges and the brown of the coloured translation.
bool goldOrBrown(Rgb c) { return c.r > c.b + 50 && c.r < 235; }
bool bookmarkYellow(Rgb c) { return c.r > 240 && c.g > 215 && c.b < 190; }
bool panelBrown(Rgb c) { return c.r < 110 && c.g < 90 && c.b < 70; }
// Titles of the Tajweed bar's first and last rules.
// The legend's titles take the glyph engine's rule colours: Qalqala green, Ghunna orange.
bool qalqalaGreen(Rgb c) { return c.g > c.r + 60 && c.g > c.b + 60; }
bool ghunnaOrange(Rgb c) { return c.r > c.g + 80 && c.r > c.b + 120; }

bool panelPaper(Rgb c) { return c.r > 225 && c.g > 215 && c.b > 200 && c.r - c.b < 40; }
// The outline of the note marker beside a verse's badge.
bool noteOutline(Rgb c) { return c.r > 100 && c.r < 135 && c.g > 70 && c.g < 100 && c.b > 25 && c.b < 60; }

// The top of the first row drawn in the bookmark yellow across the text column, or -1.
double firstBookmarkedRow(const Shot& s, double from, double to) {
    for (double y = from; y < to; ++y)
        if (bookmarkYellow(s.at(200.5, y + 0.5)) && bookmarkYellow(s.at(100.5, y + 0.5))) return y;
    return -1;
}

struct Extent {
    double left = 1e9, right = -1;
};
// Where the translation's brown ink lies across the bookmarked row that begins at `top`: the
// rows under the last line of dark Arabic ink, down to where the row's yellow ends.
Extent translationUnder(const Shot& s, double top) {
    double bottom = top + 1;
    while (bottom < 440 && bookmarkYellow(s.at(316.5, bottom + 0.5))) ++bottom;
    double lastArabic = top;
    for (double y = top; y < bottom; ++y)
        for (double x = 70; x < 312; ++x)
            if (darkInk(s.at(x + 0.5, y + 0.5))) lastArabic = y;
    Extent e;
    for (double y = lastArabic + 1; y < bottom; ++y)
        for (double x = 62; x < 316; ++x)
            if (goldOrBrown(s.at(x + 0.5, y + 0.5))) e.left = std::min(e.left, x), e.right = std::max(e.right, x);
    return e;
}

// The same picture in a rectangle of two screenshots.
bool samePixels(const Shot& a, const Shot& b, double x0, double y0, double x1, double y1) {
    for (double y = y0; y < y1; ++y)
        for (double x = x0; x < x1; ++x) {
            Rgb p = a.at(x + 0.5, y + 0.5), q = b.at(x + 0.5, y + 0.5);
            if (p.r != q.r || p.g != q.g || p.b != q.b) return false;
        }
    return true;
}

fs::path programPath() {
    return fs::read_symlink("/proc/self/exe").parent_path() / "lumeno";
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool onPath(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

class EndToEndTest : public ::testing::Test {
protected:
    // Each case starts from nothing: its own Documents, settings and caches folders.
    void SetUp() override {
        const std::string temp = env("LUMENO_TEMP_DIR");
        ASSERT_FALSE(temp.empty());
        work = fs::path(temp) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        documents = work / "documents";
        fs::remove_all(work);
        for (const char* dir : {"shots", "documents", "config", "caches"}) fs::create_directories(work / dir);
        ASSERT_TRUE(fs::exists(programPath())) << programPath();
        // The one setting made beforehand: the Friday reminder off, since its alert would come
        // up over the walk 3 s after a start on a Friday daytime.
        NSUserDefaults seeded((work / "config" / "defaults.bin").string());
        seeded.setBool(false, "AlKahfReminders");
        ASSERT_TRUE(seeded.synchronize());
    }
    // Runs the program on the script, headless or (window) in the desktop window under a
    // virtual X display; its exit status. The window's display drivers are unloaded before the
    // program ends, so a leak check would only see their allocations without names.
    int run(const std::string& name, const std::string& script, bool window = false) {
        const fs::path file = work / (name + ".script");
        std::ofstream(file) << script;
        std::string command = std::string("env ") +
                              (window ? "-u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 " : "") +
                              "LUMENO_CONFIG_DIR=" + quoted(work / "config") +
                              " LUMENO_CACHES_DIR=" + quoted(work / "caches") + " ";
        if (window) command += "xvfb-run -a -s '-screen 0 1024x768x24' ";
        command += quoted(programPath()) + (window ? " --window" : "") + " --script " + quoted(file) + " --shots " +
                   quoted(work / "shots") + " --documents " + quoted(documents) + " > " +
                   quoted(work / (name + ".log")) + " 2>&1";
        return std::system(command.c_str());
    }
    // The stored settings, as the program left them.
    std::unique_ptr<NSUserDefaults> settings() {
        return std::make_unique<NSUserDefaults>((work / "config" / "defaults.bin").string());
    }
    Shot shot(const std::string& name, double width = 320) { return Shot(work / "shots" / name, width); }

    struct StoredBookmark {
        int surah = 0, verse = 0, group = 0;
        std::string note;
        bool operator==(const StoredBookmark&) const = default;
    };
    // The verse bookmarks stored in the Documents folder's user database.
    std::vector<StoredBookmark> storedBookmarks() {
        std::vector<StoredBookmark> out;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2((documents / "lumenodyn.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, "SELECT surah, verse, bkgroup, note FROM bookmarks WHERE is_audio = 0", -1, &st,
                                   nullptr) == SQLITE_OK) {
                while (sqlite3_step(st) == SQLITE_ROW) {
                    const auto* note = reinterpret_cast<const char*>(sqlite3_column_text(st, 3));
                    out.push_back({sqlite3_column_int(st, 0), sqlite3_column_int(st, 1), sqlite3_column_int(st, 2),
                                   note ? note : ""});
                }
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        return out;
    }
    std::vector<std::pair<int, int>> bookmarks() {
        std::vector<std::pair<int, int>> out;
        for (const StoredBookmark& b : storedBookmarks()) out.emplace_back(b.surah, b.verse);
        return out;
    }
    // The first and the last screens of the newcomer's walk, checked alike for both backends.
    void walkTheNewcomersFirstMinutes(bool window);

    fs::path documents, work;
};

TEST_F(EndToEndTest, ReadsChapterOneLongPressesAVerseAndReopensThePlace) {
    // First launch: the notice alert is closed, chapter 1 shows; verse 2 is held, its
    // panel bookmarks it into the first group, and the chapter is scrolled a little.
    ASSERT_EQ(run("first", "wait 1\n"
                           "tap 160 300\n"
                           "wait 1\n"
                           "tap 160 461\n"
                           "wait 1\n"
                           "shot read.png\n"
                           "hold 160 320 0.7\n"
                           "wait 1\n"
                           "shot panel.png\n"
                           "tap 272 207\n"
                           "wait 1\n"
                           "tap 160 221\n"
                           "wait 1\n"
                           "drag 160 400 160 250 1\n"
                           "wait 2\n"
                           "quit\n"),
              0);

    Shot read = shot("read.png");
    ASSERT_TRUE(read.ok());
    // Verse 2 (the second row): its Arabic in dark glyph ink, its badge in the numbers
    // column and its translation line under it.
    EXPECT_GT(read.share(70, 290, 310, 345, darkInk), 0.04) << "verse 2 text";
    EXPECT_GT(read.share(8, 290, 52, 345, goldOrBrown), 0.05) << "verse 2 badge";
    EXPECT_GT(read.share(65, 350, 310, 385, goldOrBrown), 0.03) << "verse 2 translation";
    // The back button carries its title: white letters on the brown button.
    EXPECT_GT(read.share(10, 12, 58, 32, [](Rgb c) { return c.r > 230 && c.g > 230 && c.b > 230; }), 0.05);

    Shot panel = shot("panel.png");
    ASSERT_TRUE(panel.ok());
    EXPECT_GT(panel.share(10, 170, 310, 450, panelBrown), 0.5) << "the options panel is up";

    // The panel acted on the verse that was held, not on the row under the finger after.
    EXPECT_EQ(bookmarks(), (std::vector<std::pair<int, int>>{{1, 2}}));

    // A second run returns to chapter 1 where it was left, with the bookmarked verse 2
    // (its row in the bookmark yellow) near the top (from the chapter's start it would sit below y 280).
    ASSERT_EQ(run("second", "wait 1\ntap 160 461\nwait 1\nshot again.png\nrotate left\nwait 1\nshot landscape.png\nquit\n"), 0);
    Shot again = shot("again.png");
    ASSERT_TRUE(again.ok());
    double firstYellow = -1;
    for (double y = 90; y < 430 && firstYellow < 0; ++y)
        if (bookmarkYellow(again.at(200.5, y + 0.5)) && bookmarkYellow(again.at(100.5, y + 0.5))) firstYellow = y;
    EXPECT_GE(firstYellow, 90);
    EXPECT_LT(firstYellow, 200);
    EXPECT_GT(again.share(70, 90, 310, 420, darkInk), 0.01);

    // Turned to landscape, the Tajweed bar still spans the foot of the screen: the first
    // rule's title at its left and the last rule's at its right.
    Shot landscape = shot("landscape.png", 480);
    ASSERT_TRUE(landscape.ok());
    EXPECT_GT(landscape.share(55, 290, 160, 318, qalqalaGreen), 0.01);
    EXPECT_GT(landscape.share(370, 290, 480, 318, ghunnaOrange), 0.01);
}

// A newcomer's first minutes. Drags rest before they lift, so the lists stop where the finger
// left them on either clock; the coordinates were found by looking at each screen.
const char* const kNewcomerWalk = R"(# First start: the update notice and the tips, then from the reading screen back to the index.
wait 1
tap 160 300
wait 1
tap 160 461
wait 1
tap 30 22
wait 1
# Down the chapter list to chapter 18 and open it.
down 160 420
move 160 60 1
wait 0.3
up
down 160 400
move 160 160 1
wait 0.3
up
wait 1
tap 160 231
wait 2
# A later chapter opening shows the update notice once.
tap 160 461
wait 1
shot cave.png
# Read on, two screens: verse 4 comes to the top.
down 160 400
move 160 100 1
wait 0.3
up
down 160 400
move 160 100 1
wait 0.3
up
wait 1
# Hold verse 4 and bookmark it into the second group.
hold 180 290 0.7
wait 1
tap 272 207
wait 1
shot groups.png
tap 160 273
wait 1
# Hold it again and write a note.
hold 180 290 0.7
wait 1
tap 160 207
wait 1
type Read on Fridays
wait 0.5
shot note.png
tap 285 21
wait 1
shot noted.png
# Hold it again: the panel's translation page, switched to the Indonesian text.
hold 180 290 0.7
wait 1
tap 48 280
wait 1
tap 160 174
wait 1
down 160 400
move 160 312 1
wait 0.3
up
wait 1
tap 160 402
wait 1
shot panel-translation.png
tap 269 438
wait 1
# The header's translation button: the Urdu text under every verse.
tap 225 66
wait 1
down 160 420
move 160 120 1
wait 0.3
up
down 160 420
move 160 220 1
wait 0.3
up
wait 1
tap 160 376
wait 1
tap 38 21
wait 2
shot urdu.png
rotate left
wait 1
shot landscape.png
quit
)";

void EndToEndTest::walkTheNewcomersFirstMinutes(bool window) {
    ASSERT_EQ(run("first", kNewcomerWalk, window), 0) << "see " << (work / "first.log");

    Shot cave = shot("cave.png");
    ASSERT_TRUE(cave.ok());
    EXPECT_GT(cave.share(70, 160, 310, 300, darkInk), 0.04) << "chapter 18 opens with its first verse";

    // The group sheet: its four light buttons over the dark sheet.
    Shot groups = shot("groups.png");
    ASSERT_TRUE(groups.ok());
    for (double y : {221, 273, 325, 377}) {
        EXPECT_GT(groups.share(40, y - 5, 280, y + 5, [](Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; }), 0.5)
            << "group button at " << y;
    }

    // The note editor with the keyboard up and the typed words on its ruled paper.
    Shot note = shot("note.png");
    ASSERT_TRUE(note.ok());
    EXPECT_GT(note.share(32, 125, 150, 145, darkInk), 0.05) << "the typed note";
    EXPECT_GT(note.share(10, 270, 310, 470, [](Rgb c) { return c.r > 240 && c.g > 240 && c.b > 240; }), 0.2)
        << "the keyboard's keys";

    // Back on the reading screen: the verse in the bookmark yellow with the note marker.
    Shot noted = shot("noted.png");
    ASSERT_TRUE(noted.ok());
    const double notedTop = firstBookmarkedRow(noted, 90, 430);
    ASSERT_GE(notedTop, 90);
    EXPECT_GT(noted.share(48, notedTop, 72, notedTop + 45, noteOutline), 0.03) << "note marker";

    // The panel's second page shows the verse in the translation picked there.
    Shot panelTranslation = shot("panel-translation.png");
    ASSERT_TRUE(panelTranslation.ok());
    EXPECT_GT(panelTranslation.share(10, 200, 310, 300, [](Rgb c) { return c.r < 120 && c.g < 100 && c.b < 80; }), 0.02)
        << "the panel's translation text";
    EXPECT_GT(panelTranslation.share(10, 180, 310, 420, panelPaper), 0.5) << "the translation page";

    // The Urdu translation is drawn right-aligned: clear of the column's left edge, reaching
    // its right one (an English text starts every line at the left edge, x 65).
    Shot urdu = shot("urdu.png");
    ASSERT_TRUE(urdu.ok());
    const double urduTop = firstBookmarkedRow(urdu, 85, 430);
    ASSERT_GE(urduTop, 85);
    const Extent urduText = translationUnder(urdu, urduTop);
    EXPECT_GE(urduText.left, 72);
    EXPECT_GE(urduText.right, 296);

    Shot landscape = shot("landscape.png", 480);
    ASSERT_TRUE(landscape.ok());
    EXPECT_GT(landscape.share(70, 50, 470, 95, darkInk), 0.03) << "a verse's line across the turned screen, under the header";
    EXPECT_GT(landscape.share(70, 90, 470, 280, bookmarkYellow), 0.2) << "the bookmarked verse stays in view";

    // What the first run stored.
    const std::vector<StoredBookmark> expected{{18, 4, 2, "Read on Fridays"}};
    EXPECT_EQ(storedBookmarks(), expected);
    {
        auto stored = settings();
        EXPECT_EQ(stored->integerForKey("CurrentTranslationv22"), 15);
        EXPECT_EQ(stored->integerForKey("HUDTranslation"), 5);
        EXPECT_EQ(stored->integerForKey("CurrentlyShowingSurah"), 18);
        EXPECT_EQ(stored->integerForKey("CurrentlyShowingVerse"), 4);
    }

    // Start again: chapter 18 (its name in the header as before), the bookmarked verse at the
    // top with its note marker, the Urdu text under it; the database as it was left.
    ASSERT_EQ(run("second", "wait 1\nshot again.png\nquit\n", window), 0) << "see " << (work / "second.log");
    Shot again = shot("again.png");
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(samePixels(cave, again, 95, 2, 225, 40)) << "the chapter's name in the header";
    const double top = firstBookmarkedRow(again, 85, 430);
    EXPECT_GE(top, 85);
    EXPECT_LT(top, 140);
    EXPECT_GT(again.share(48, top, 72, top + 45, noteOutline), 0.03) << "note marker";
    const Extent text = translationUnder(again, top);
    EXPECT_GE(text.left, 72);
    EXPECT_GE(text.right, 296);
    EXPECT_EQ(storedBookmarks(), expected);
    EXPECT_EQ(settings()->integerForKey("CurrentTranslationv22"), 15);
}

TEST_F(EndToEndTest, ANewcomerOpensChapter18BookmarksAndAnnotatesAVerseAndFindsItAllAgain) {
    walkTheNewcomersFirstMinutes(false);
}

// The same walk through the SDL window: every action is an SDL event taken by the window's
// own loop, on the real clock.
TEST_F(EndToEndTest, TheNewcomersWalkThroughTheDesktopWindow) {
    if (!onPath("xvfb-run") || !onPath("Xvfb")) GTEST_SKIP() << "xvfb-run / Xvfb not installed";
    walkTheNewcomersFirstMinutes(true);
}

}  // namespace

namespace {

TEST_F(EndToEndTest, AHeadlessSearchIsWaitedForAndQuittingDuringItEndsCleanly) {
    // The search tab, "mercy" typed and sent, a wait, then back to the history and quit.
    const std::string script =
        "wait 3\ntap 200 460\nwait 1\ntap 160 21\nwait 1\ntype mercy\nkey Return\nwait 3\nshot s1.png\n"
        "tap 35 21\nwait 1\nshot s2.png\nquit\n";
    // A first start closes the update notice, as a user's earlier run did.
    ASSERT_EQ(run("first", "wait 1\ntap 160 300\nwait 1\nquit\n"), 0);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(run("search", script), 0);
        std::ifstream log(work / "search.log");
        const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text.find("unfinalized"), std::string::npos) << text;
        EXPECT_EQ(text.find("still run"), std::string::npos) << text;
    }
    // The results were shown: only shown results enter the history.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((documents / "lumenodyn.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM savedsearches WHERE searchword = 'mercy'", -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_GE(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

}  // namespace
