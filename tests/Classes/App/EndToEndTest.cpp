// The built program, run headless with a script in a fresh Documents folder: the
// screenshots it writes are checked by sampled pixels, and a second run reopens the place.

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
bool qalqalaBlue(Rgb c) { return c.b > c.r + 80 && c.b > c.g + 40; }
bool ghunnaGreen(Rgb c) { return c.g > c.r + 60 && c.g > c.b + 60; }

fs::path programPath() {
    return fs::read_symlink("/proc/self/exe").parent_path() / "lumeno";
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        documents = env("LUMENO_DOCUMENTS_DIR");
        ASSERT_FALSE(documents.empty());
        work = fs::path(env("LUMENO_TEMP_DIR")) / "end-to-end";
        fs::remove_all(work);
        fs::create_directories(work / "shots");
        ASSERT_TRUE(fs::exists(programPath())) << programPath();
    }
    // Runs the program on the script; its exit status.
    int run(const std::string& name, const std::string& script) {
        const fs::path file = work / (name + ".script");
        std::ofstream(file) << script;
        const std::string command = "\"" + programPath().string() + "\" --script \"" + file.string() + "\" --shots \"" +
                                    (work / "shots").string() + "\" --documents \"" + documents.string() + "\" > \"" +
                                    (work / (name + ".log")).string() + "\" 2>&1";
        return std::system(command.c_str());
    }
    Shot shot(const std::string& name, double width = 320) { return Shot(work / "shots" / name, width); }

    // The bookmarks stored in the Documents folder's user database, as (chapter, verse).
    std::vector<std::pair<int, int>> bookmarks() {
        std::vector<std::pair<int, int>> out;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2((documents / "lumenodyn.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, "SELECT surah, verse FROM bookmarks WHERE is_audio = 0", -1, &st, nullptr) ==
                SQLITE_OK) {
                while (sqlite3_step(st) == SQLITE_ROW) out.emplace_back(sqlite3_column_int(st, 0), sqlite3_column_int(st, 1));
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        return out;
    }

    fs::path documents, work;
};

TEST_F(EndToEndTest, ReadsChapterOneLongPressesAVerseAndReopensThePlace) {
    // First launch: the notice alert is closed, chapter 1 shows; verse 2 is held, its
    // panel bookmarks it into the first group, and the chapter is scrolled a little.
    ASSERT_EQ(run("first", "wait 1\n"
                           "tap 160 300\n"
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
    ASSERT_EQ(run("second", "wait 1\nshot again.png\nrotate left\nwait 1\nshot landscape.png\nquit\n"), 0);
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
    EXPECT_GT(landscape.share(55, 290, 160, 318, qalqalaBlue), 0.01);
    EXPECT_GT(landscape.share(370, 290, 480, 318, ghunnaGreen), 0.01);
}

}  // namespace
