// Interface language: the string table of the chosen language, or the fallbacks.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include "platform/foundation/NSUserDefaults.h"

#include <filesystem>
#include <fstream>

namespace {

TEST(Language, LooksTextsUpInTheChosenTableAndFallsBackOtherwise) {
    std::string bundle = fixture::freshFolder("language-bundle");
    std::filesystem::create_directories(bundle + "/ar.lproj");
    std::ofstream(bundle + "/ar.lproj/Localizable.strings") << "\"Al-Kahf\" = \"الكهف\";\n\"Makkah\" = \"مكة\";\n";
    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);

    Language::setLanguage("ar");
    EXPECT_EQ(Language::get("Al-Kahf", "Al-Kahf"), "الكهف");
    EXPECT_EQ(Language::get("Not in the table", "fallback"), "fallback");
    EXPECT_EQ(ChapterInfo::getNameFromNumber(18), "الكهف");
    EXPECT_EQ(ChapterInfo::getCityFromNumber(0), "مكة");
    EXPECT_EQ(ChapterInfo::getMeaningFromNumber(18), "The Cave");  // meanings are not localized
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    EXPECT_EQ(defaults.stringForKey("PrefLang"), std::optional<std::string>("ar"));
    EXPECT_EQ(defaults.stringArrayForKey("AppleLanguages"), (std::optional<std::vector<std::string>>({"ar"})));

    Language::setLanguage("fr");  // no table: every lookup gives its fallback
    EXPECT_EQ(Language::get("Al-Kahf", "Al-Kahf"), "Al-Kahf");
    EXPECT_EQ(Language::currentLanguage(), "fr");
    EXPECT_EQ(defaults.stringForKey("PrefLang"), std::optional<std::string>("fr"));
    Language::setLanguage("en");
}

}  // namespace
