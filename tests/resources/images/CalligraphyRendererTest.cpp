// The text renderer of lumeno-images refuses what it cannot draw, with a reason, and writes nothing.
#include "tools/images/CalligraphyRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string tempPng(const std::string& name)
{
    const char* dir = std::getenv("LUMENO_TEMP_DIR");
    std::filesystem::create_directories(dir ? dir : ".");
    return std::string(dir ? dir : ".") + "/" + name;
}

TEST(CalligraphyRenderer, MissingFontFileIsRefused)
{
    CalligraphyRenderer renderer("no-such-font.ttf", "Amiri Quran");
    EXPECT_FALSE(renderer.ready());
    EXPECT_NE(renderer.error().find("no-such-font.ttf"), std::string::npos) << renderer.error();
}

TEST(CalligraphyRenderer, FamilyThatResolvesToAnotherFaceIsRefused)
{
    // A real font file, but the family asked for is not in it: no silent fallback face.
    CalligraphyRenderer renderer(AMIRI_QURAN_FONT, "No Such Family Anywhere");
    EXPECT_FALSE(renderer.ready());
    EXPECT_NE(renderer.error().find("resolves to"), std::string::npos) << renderer.error();
}

TEST(CalligraphyRenderer, TextWithoutInkIsRefusedAndNothingIsWritten)
{
    CalligraphyRenderer renderer(AMIRI_QURAN_FONT, "Amiri Quran");
    ASSERT_TRUE(renderer.ready()) << renderer.error();
    const std::string out = tempPng("blank.png");
    std::filesystem::remove(out);
    for (const std::string text : {"", " ", "\u200f"}) {
        EXPECT_FALSE(renderer.render(text, 94, 36, 3, 1, {0, 0, 0}, false, out)) << "\"" << text << "\"";
        EXPECT_NE(renderer.error().find("nothing to draw"), std::string::npos) << renderer.error();
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(CalligraphyRenderer, UnwritablePathIsReported)
{
    CalligraphyRenderer renderer(AMIRI_QURAN_FONT, "Amiri Quran");
    ASSERT_TRUE(renderer.ready()) << renderer.error();
    EXPECT_FALSE(renderer.render("\u0646", 94, 36, 3, 1, {0, 0, 0}, false, tempPng("no/such/folder/x.png")));
    EXPECT_NE(renderer.error().find("cannot write"), std::string::npos) << renderer.error();
}

} // namespace
