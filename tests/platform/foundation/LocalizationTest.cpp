#include "platform/foundation/Localization.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "FoundationTestSupport.h"
#include "platform/foundation/Log.h"

namespace {

TEST(StringTable, ParsesEscapesCommentsAndBareTokens)
{
    const std::string text = "/* Settings screen */\n"
                             "\"Arabic Font Size\" = \"\xD8\xAD\xD8\xAC\xD9\x85 \\\"x\\\"\";\n"
                             "// a line comment\n"
                             "\"Two\\nlines\" = \"tab\\there \\\\ back\";  \"Same\";\n"
                             "Bare_key = \"\\u0628\\U0633 \\ud83d\\ude00\";\n"
                             "\"multi\nline\" /* inline */ = \"ok\" ;\n";
    std::string error;
    auto t = StringTable::parse(text, &error);
    ASSERT_TRUE(t.has_value()) << error;
    EXPECT_EQ(t->at("Arabic Font Size"), "\xD8\xAD\xD8\xAC\xD9\x85 \"x\"");
    EXPECT_EQ(t->at("Two\nlines"), "tab\there \\ back");
    EXPECT_EQ(t->at("Same"), "Same");
    EXPECT_EQ(t->at("Bare_key"), "\xD8\xA8\xD8\xB3 \xF0\x9F\x98\x80");
    EXPECT_EQ(t->at("multi\nline"), "ok");
    EXPECT_EQ(t->size(), 5u);
    EXPECT_TRUE(StringTable::parse("", &error)->empty());
}

TEST(StringTable, MalformedTextNamesTheLine)
{
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"\"a\" = \"b\"", "line 1: expected ';' after a value"},
        {"\"a\" = \"b\";\n\"c\" \"d\";", "line 2: expected '=' after a key"},
        {"\"a\" = \"unterminated;\n", "line 2: unterminated string"},
        {"/* never closed", "line 1: unterminated comment"},
        {"\"a\" = ;", "line 1: unexpected character ';'"},
        {"\"a\" =", "line 1: unexpected end of file"},
        {"\"a\" = \"\\u12\";", "line 1: bad \\u escape"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(StringTable::parse(c.text, &error).has_value()) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(StringTable, LoadsPerLanguageWithFallbackToEnglishThenKey)
{
    const std::string bundle = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    ASSERT_TRUE(fm.createDirectoryAtPath(bundle + "/en.lproj", true));
    ASSERT_TRUE(fm.createDirectoryAtPath(bundle + "/ar.lproj", true));
    ASSERT_TRUE(fm.createDirectoryAtPath(bundle + "/fr.lproj", true));
    writeText(bundle + "/en.lproj/Localizable.strings", "\"Quit\" = \"Quit\"; \"Only English\" = \"English text\";");
    // Arabic table stored as UTF-16 little endian with a byte order mark.
    const std::u16string arabic = u"\"Quit\" = \"\u062e\u0631\u0648\u062c\";";
    std::string utf16 = "\xFF\xFE";
    for (char16_t u : arabic) {
        utf16.push_back(static_cast<char>(u & 0xFF));
        utf16.push_back(static_cast<char>(u >> 8));
    }
    writeText(bundle + "/ar.lproj/Localizable.strings", utf16);
    writeText(bundle + "/fr.lproj/Localizable.strings", "\"Quit\" = \"Quitter\"\n"); // missing ';'

    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);
    StringTable::clearCache();
    LogCapture capture;
    auto ar = StringTable::load("ar");
    EXPECT_EQ(ar->size(), 1u);
    EXPECT_EQ(ar->localizedString("Quit"), "\xD8\xAE\xD8\xB1\xD9\x88\xD8\xAC");
    EXPECT_EQ(ar->localizedString("Absent", "Fallback"), "Fallback");
    EXPECT_EQ(ar->localizedString("Absent"), "Absent");
    EXPECT_EQ(StringTable::load("ar").get(), ar.get()); // loaded once

    EXPECT_EQ(localizedString("Only English", "ar"), "English text");
    EXPECT_EQ(localizedString("Nowhere", "ar", "given"), "given");
    EXPECT_EQ(localizedString("Quit", "de"), "Quit"); // no table for the language
    EXPECT_EQ(localizedString("Quit", "fr"), "Quit"); // malformed table ignored, English used
    EXPECT_TRUE(capture.contains("fr.lproj/Localizable.strings ignored: line 2: expected ';'"));
    StringTable::clearCache();
    unsetenv("LUMENO_BUNDLE_DIR");
}

} // namespace
