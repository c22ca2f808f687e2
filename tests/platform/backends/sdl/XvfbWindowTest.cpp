#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {
bool onPath(const char* program)
{
    std::string cmd = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

fs::path freshFolder(const char* name)
{
    const char* tmp = std::getenv("LUMENO_TEMP_DIR");
    fs::path dir = fs::path(tmp ? tmp : fs::temp_directory_path().string()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

struct Png {
    int width = 0, height = 0;
    uint32_t centre = 0;
};

Png readPng(const fs::path& file)
{
    Png out;
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        out.width = cairo_image_surface_get_width(s);
        out.height = cairo_image_surface_get_height(s);
        const unsigned char* row = cairo_image_surface_get_data(s) + (out.height / 2) * cairo_image_surface_get_stride(s);
        out.centre = reinterpret_cast<const uint32_t*>(row)[out.width / 2] & 0xffffff;
    }
    cairo_surface_destroy(s);
    return out;
}
}  // namespace

TEST(XvfbWindowTest, TheProgramOpensItsWindowAndWritesAScreenshot)
{
    if (!onPath("xvfb-run") || !onPath("Xvfb")) GTEST_SKIP() << "xvfb-run / Xvfb not installed";
    fs::path dir = freshFolder("window-shot");
    // Leak checks stay off for the program here: the X and GL driver modules it loads are
    // unloaded before the checker runs, so what they keep cannot be attributed.
    std::string cmd = std::string("env -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s '-screen 0 1600x1200x24' ") +
                      LUMENO_PROGRAM + " --scale 2 --shots '" + dir.string() + "' >'" + (dir / "log.txt").string() +
                      "' 2>&1";
    int status = std::system(cmd.c_str());
    ASSERT_EQ(status, 0) << "see " << (dir / "log.txt");
    Png shot = readPng(dir / "screen.png");
    EXPECT_EQ(shot.width, 640);
    EXPECT_EQ(shot.height, 960);
    EXPECT_NE(shot.centre, 0u);  // something was drawn, not an empty black window
}

TEST(XvfbWindowTest, AMissingShotsFolderIsMadeAndTheShotWaitsForTheChapter)
{
    if (!onPath("xvfb-run") || !onPath("Xvfb")) GTEST_SKIP() << "xvfb-run / Xvfb not installed";
    fs::path dir = freshFolder("window-shot-missing");
    const fs::path shots = dir / "not" / "there";
    std::string cmd = std::string("env -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s '-screen 0 1600x1200x24' ") +
                      LUMENO_PROGRAM + " lumeno://1:1 --shots '" + shots.string() + "' >'" +
                      (dir / "log.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << "see " << (dir / "log.txt");
    const fs::path file = shots / "screen.png";
    ASSERT_TRUE(fs::exists(file));
    // The chapter's rows are drawn: dark ink below the header where "Loading..." would be alone.
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int dark = 0;
    for (int y = h / 4; y < h * 3 / 4; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            dark += ((p >> 16) & 0xff) < 90 && ((p >> 8) & 0xff) < 90 && (p & 0xff) < 90;
        }
    }
    cairo_surface_destroy(s);
    EXPECT_GT(dark, w * h / 200) << "the shot shows no verse text";
}

TEST(XvfbWindowTest, WithoutADisplayTheProgramSaysHowToRunHeadless)
{
    fs::path dir = freshFolder("no-display");
    std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + LUMENO_PROGRAM + " >'" +
                      (dir / "log.txt").string() + "' 2>&1";
    int status = std::system(cmd.c_str());
    EXPECT_NE(status, 0);
    std::FILE* f = std::fopen((dir / "log.txt").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char buf[512] = {};
    size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    std::string text(buf, n);
    EXPECT_NE(text.find("--headless"), std::string::npos) << text;
}
