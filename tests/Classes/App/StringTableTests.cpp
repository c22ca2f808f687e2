// The bundle's string tables: both parse, and the Arabic one covers what the shell shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Localization.h"
#include "platform/foundation/Paths.h"

namespace {

std::map<std::string, std::string> table(const std::string& lang) {
    std::ifstream in(Paths::bundleResource(lang + ".lproj/Localizable.strings"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    auto parsed = StringTable::parse(text, &error);
    EXPECT_TRUE(parsed) << lang << ": " << error;
    return parsed.value_or(std::map<std::string, std::string>{});
}

bool isArabicScript(const std::string& text) {
    // UTF-8 lead bytes 0xD8-0xDB start the Arabic block U+0600-U+06FF.
    for (unsigned char c : text)
        if (c >= 0xD8 && c <= 0xDB) return true;
    return false;
}

}  // namespace

TEST(StringTableTest, EnglishKeysAreTheirOwnTextsOrNameOneAndArabicKeysExistInEnglish) {
    auto en = table("en");
    auto ar = table("ar");
    ASSERT_GT(en.size(), 400u);
    // A key written as one identifier ("NotesPicker", "TIP6") names a text; every other key is
    // its text.
    auto isIdentifier = [](const std::string& key) {
        if (key.find_first_of(" :") != std::string::npos) return false;
        const size_t digits = key.find_first_of("0123456789");
        if (digits != std::string::npos && digits > 0 &&
            std::all_of(key.begin(), key.begin() + digits, [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
            return true;
        for (size_t i = 1; i < key.size(); ++i)
            if (std::islower(static_cast<unsigned char>(key[i - 1])) && std::isupper(static_cast<unsigned char>(key[i])))
                return true;
        return false;
    };
    for (const auto& [key, value] : en) {
        if (isIdentifier(key)) EXPECT_NE(key, value) << "the text named by " << key;
        else EXPECT_EQ(key, value);
    }
    EXPECT_EQ(en["NotesPicker"], "My Notes");
    for (const auto& [key, value] : ar) {
        EXPECT_TRUE(en.count(key)) << key;
        EXPECT_TRUE(isArabicScript(value)) << key << " = " << value;
    }
}

TEST(StringTableTest, ArabicCoversTheShellsTextsAndEveryChapterName) {
    auto ar = table("ar");
    for (const char* key : {"Quran", "Bookmarks", "Search", "More", "OK", "Yes", "No", "Cancel", "Update Notice",
                            "Al-Kahf", "You haven't read Al-Kahf today. Would you like to read it now?", "Review Now",
                            "Tell a Friend", "Later", "No, Thanks", "Check out this app", "Email Not Setup",
                            "Mail Not Sent", "Download this Audio", "Random (Recommended)", "Lumeno cannot start",
                            "Lumeno is waiting", "Another program is using this database file:", "Quit",
                            "Bookmark Groups", "Search History",
                            "This folder cannot be written:", "The disk holding this folder is full:",
                            "This file is not a database:", "This database file could not be opened:",
                            "Nothing was changed. Free some disk space, then start Lumeno again.",
                            "Nothing was changed. Restore the file from a backup, then start Lumeno again."})
        EXPECT_TRUE(ar.count(key)) << key;
    Language::setLanguage("en");
    std::vector<std::string> keys;
    for (int surah = 1; surah <= 114; ++surah) keys.push_back(ChapterInfo::getNameFromNumber(surah));
    for (const std::string& key : keys) EXPECT_TRUE(ar.count(key)) << key;
    Language::setLanguage("ar");
    EXPECT_EQ(ChapterInfo::getNameFromNumber(18), "الكهف");
    EXPECT_EQ(ChapterInfo::getNameFromNumber(114), "الناس");
}
