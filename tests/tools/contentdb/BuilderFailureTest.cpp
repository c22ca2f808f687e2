// Bad input stops the builder with a message naming the problem, and the database already in
// place stays as it was.
#include "tools/contentdb/ContentDatabase.h"
#include "tools/contentdb/GlyphRenderer.h"
#include "tools/contentdb/QuranSources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

class BuilderFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* temp = std::getenv("LUMENO_TEMP_DIR");
        root_ = fs::path(temp ? temp : fs::temp_directory_path().string()) / "contentdb-failure";
        fs::remove_all(root_);
        fs::create_directories(root_ / "dist");
        fs::create_directories(root_ / "out");
        target_ = (root_ / "out" / "lumeno.db").string();
        std::ofstream(target_) << "the good database";
        meta_.verseCounts.assign(114, 1);
        meta_.revelationOrder.assign(114, 1);
        meta_.quarters = {{1, 1}};
    }

    // One verse per chapter; text(surah) gives its text.
    void writeChapters(const std::string& file, const std::string& field, const std::function<std::string(int)>& text)
    {
        std::ofstream out(root_ / "dist" / file);
        out << "[";
        for (int s = 1; s <= 114; ++s)
            out << (s > 1 ? "," : "") << "{\"id\":" << s << ",\"verses\":[{\"id\":1,\"" << field << "\":\"" << text(s)
                << "\"}]}";
        out << "]";
    }

    void writeAllTranslations()
    {
        for (const auto& source : translationSources())
            writeChapters(source.file, source.field, [](int) { return "In the name"; });
    }

    std::string build()
    {
        std::string error;
        auto renderer = GlyphRenderer::open(GlyphRenderer::findAmiriQuran(), error);
        ContentInputs inputs;
        inputs.quranJsonDir = (root_ / "dist").string();
        inputs.meta = meta_;
        inputs.renderer = renderer.get();
        inputs.styles = {0};
        EXPECT_FALSE(ContentDatabase::build(inputs, target_, error));
        return error;
    }

    void expectTargetUntouched()
    {
        std::string content;
        std::string error;
        ASSERT_TRUE(QuranSources::readFile(target_, content, error));
        EXPECT_EQ(content, "the good database");
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root_ / "out"))
            ++files;
        EXPECT_EQ(files, 1u) << "no half-built file is left beside the database";
    }

    fs::path root_;
    std::string target_;
    QuranMeta meta_;
};

TEST_F(BuilderFailure, MissingPackage)
{
    fs::remove_all(root_ / "dist");
    EXPECT_NE(build().find("quran.json"), std::string::npos);
    expectTargetUntouched();
}

TEST_F(BuilderFailure, CharacterWithoutCodeNamesVerseAndCharacter)
{
    writeChapters("quran.json", "text", [](int s) { return s == 3 ? "\u0628 \u0628X" : "\u0628"; });
    writeAllTranslations();
    std::string error = build();
    EXPECT_NE(error.find("verse 3:1"), std::string::npos) << error;
    EXPECT_NE(error.find("U+0058"), std::string::npos) << error;
    expectTargetUntouched();
}

TEST_F(BuilderFailure, OverlongWordNamesVerse)
{
    std::string word;
    for (int i = 0; i < 81; ++i)
        word += "\u0628";
    writeChapters("quran.json", "text", [&](int s) { return s == 114 ? word : std::string("\u0628"); });
    writeAllTranslations();
    std::string error = build();
    EXPECT_NE(error.find("verse 114:1"), std::string::npos) << error;
    EXPECT_NE(error.find("81 symbols"), std::string::npos) << error;
    expectTargetUntouched();
}

TEST_F(BuilderFailure, MissingOrTruncatedTranslation)
{
    writeChapters("quran.json", "text", [](int) { return "\u0628"; });
    writeAllTranslations();
    fs::remove(root_ / "dist" / "quran_sv.json");
    EXPECT_NE(build().find("quran_sv.json"), std::string::npos);
    expectTargetUntouched();

    std::ofstream(root_ / "dist" / "quran_sv.json") << "[{\"id\":1,\"verses\":[{\"id\":1,\"translation\":\"In";
    EXPECT_NE(build().find("quran_sv.json"), std::string::npos);
    expectTargetUntouched();

    writeChapters("quran_sv.json", "translation", [](int s) { return s == 7 ? "" : "text"; });
    EXPECT_NE(build().find("7:1"), std::string::npos) << "an empty text is refused";
    expectTargetUntouched();
}

TEST_F(BuilderFailure, MissingFontAndBadDivisionData)
{
    std::string error;
    EXPECT_EQ(GlyphRenderer::open((root_ / "NoSuchFont.ttf").string(), error), nullptr);
    EXPECT_NE(error.find("NoSuchFont.ttf"), std::string::npos);

    const struct {
        const char* json;
        const char* expected;
    } cases[] = {
        {"{\"surahs\":[", "meta.json"},
        {"{\"surahs\":[]}", "114 chapters"},
    };
    for (const auto& c : cases) {
        std::ofstream(root_ / "meta.json") << c.json;
        QuranMeta meta;
        EXPECT_FALSE(QuranSources::loadMeta((root_ / "meta.json").string(), meta, error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

} // namespace
