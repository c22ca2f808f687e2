// The lumeno-render program: options, errors and the image it writes.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/foundation/Paths.h"
#include "platform/graphics/UIImage.h"
#include "tests/support/DocsPicture.h"
#include "tools/render/VerseRenderer.h"

namespace {

namespace fs = std::filesystem;

int run(const std::string& args) {
    const std::string command = std::string(LUMENO_RENDER_PATH) + " " + args + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string outFile(const std::string& name) { return Paths::temp() + "/" + name; }

bool haveDatabase() { return fs::exists(fs::path(LUMENO_RENDER_PATH).parent_path() / "bundle" / "lumeno.db"); }

TEST(RenderTool, WritesThePngAtTheResolutionsScale) {
    if (!haveDatabase()) GTEST_SKIP() << "content database not built";
    struct Case {
        const char* args;
        int pixelWidth;
    };
    for (const Case& c : {Case{"--verse 1:1 --to 1:3 --resolution 0 --width 320", 320},
                          Case{"--verse 112:4 --resolution 5 --width 300 --tajweed all --last-verse --stop-signs", 600}}) {
        const std::string out = outFile("render.png");
        fs::remove(out);
        ASSERT_EQ(run(std::string(c.args) + " --out " + out), 0) << c.args;
        UIImagePtr image = UIImage::imageWithContentsOfFile(out);
        ASSERT_TRUE(image) << c.args;
        EXPECT_EQ(image->pixelWidth(), c.pixelWidth) << c.args;
        EXPECT_GT(image->pixelHeight(), 20) << c.args;
    }
}

// The glyph engine's samples in docs/ are what the program draws today.
TEST(RenderTool, TheDocsSamplesAreItsRenders) {
    if (!haveDatabase()) GTEST_SKIP() << "content database not built";
    const struct {
        const char* args;
        const char* picture;
    } samples[] = {{"--verse 1:1 --to 1:7 --resolution 4 --width 520", "glyph-1-1-7.png"},
                   {"--verse 2:255 --resolution 4 --width 520 --tajweed all --stop-signs", "glyph-2-255.png"}};
    for (const auto& s : samples) {
        const std::string out = outFile(s.picture);
        ASSERT_EQ(run(std::string(s.args) + " --out " + out), 0) << s.args;
        EXPECT_TRUE(docs_picture::matchesDocs(out, s.picture)) << s.args;
    }
}

TEST(RenderTool, BadOptionsFailWithoutWritingAnything) {
    const std::string out = outFile("bad.png");
    const std::string missingDb = "--db " + outFile("no-such.db");
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"--verse 1:1 --resolution 0 --width 320", 2},                 // no --out
        {"--verse 1 --resolution 0 --width 320 --out " + out, 2},      // malformed verse
        {"--verse 1:1 --resolution 12 --width 320 --out " + out, 2},   // resolution out of range
        {"--verse 1:1 --resolution 0 --width 320 --tajweed ghunna,bogus --out " + out, 2},
        {"--verse 1:1 --resolution 0 --width x --out " + out, 2},
        {"--verse 1:5 --to 1:2 --resolution 0 --width 320 --out " + out, 1},   // backwards range
        {"--verse 1:1 --resolution 0 --width 320 " + missingDb + " --out " + out, 1},
    };
    for (const auto& c : cases) {
        fs::remove(out);
        EXPECT_EQ(run(c.args), c.status) << c.args;
        EXPECT_FALSE(fs::exists(out)) << c.args;
    }
}

TEST(RenderTool, ParsesRuleListsAndVerseReferences) {
    TajweedSwitches s;
    std::string error;
    ASSERT_TRUE(parseTajweedList("ghunna,qalqala", s, error));
    EXPECT_TRUE(s.ghunna && s.qalqala);
    EXPECT_FALSE(s.ikhfa || s.idgham || s.iqlab);
    s.coloredStopSigns = true;
    ASSERT_TRUE(parseTajweedList("all", s, error));
    EXPECT_TRUE(s.ikhfa && s.coloredStopSigns);
    EXPECT_FALSE(parseTajweedList("ikhfa,", s, error));
    int surah = 0, verse = 0;
    EXPECT_TRUE(parseVerseRef("2:255", surah, verse));
    EXPECT_EQ(surah * 1000 + verse, 2255);
    for (const char* bad : {"2:", ":3", "2:3x", "115:1", "0:1", "two:1"}) EXPECT_FALSE(parseVerseRef(bad, surah, verse)) << bad;
}

}  // namespace
