// Registered defaults, device facts, the idle-timer hold and the shared glyph font.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LumenoSDKAppDelegate::resetCachedFactsForTesting();
        UIApplication::sharedApplication().setIdleTimerDisabled(false);
    }
    void TearDown() override { UIDevice::currentDevice().setSystemVersion("5.1"); }
};

struct LanguageCase {
    const char* firstLanguage;
    const char* indexInArabic;
    const char* prefLang;
};

class RegisteredLanguageTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(RegisteredLanguageTest, DeviceLanguageChoosesIndexAndInterfaceLanguage) {
    defaults().setArray(Value::Array{Value(GetParam().firstLanguage), Value("en")}, "AppleLanguages");
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    LumenoSDKAppDelegate::initialize();
    EXPECT_EQ(defaults().stringForKey("IndexInArabic"), GetParam().indexInArabic);
    EXPECT_EQ(defaults().stringForKey("PrefLang"), GetParam().prefLang);
}

INSTANTIATE_TEST_SUITE_P(Languages, RegisteredLanguageTest,
                         ::testing::Values(LanguageCase{"ar", "YES", "ar"}, LanguageCase{"ar-SA", "YES", "ar"},
                                           LanguageCase{"en-GB", "NO", "en"}, LanguageCase{"fr", "NO", "en"}),
                         [](const auto& info) {
                             std::string name = info.param.firstLanguage;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST_F(SettingsTest, RegistrationKeepsStoredValuesAndTypedReadsConvert) {
    defaults().setInteger(7, "CurrentTranslationv22");
    LumenoSDKAppDelegate::initialize();
    EXPECT_EQ(defaults().integerForKey("CurrentTranslationv22"), 7);
    EXPECT_EQ(defaults().integerForKey("CurrentReciterv22"), 1);
    EXPECT_TRUE(defaults().boolForKey("AlKahfReminders"));
    EXPECT_EQ(defaults().integerForKey("HUDTranslation"), 10);
    EXPECT_FALSE(defaults().objectForKey("CurrentTafsir").isNull());
    // Registered values are not written into the stored layer.
    EXPECT_EQ(defaults().storedValues().count("CurrentReciterv22"), 0u);
}

TEST_F(SettingsTest, MirrorHostsPointAtTheDemoMirrorUntilSetElsewhere) {
    defaults().setString("mirror.example:8080", "MirrorHost3");
    LumenoSDKAppDelegate::initialize();
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(defaults().stringForKey("MirrorHost" + std::to_string(n)).value_or(""), n == 3 ? "mirror.example:8080" : "127.0.0.1:8642")
            << n;
}

TEST_F(SettingsTest, MirrorHostsAreSetTogetherAndGoBackToTheDemoMirror) {
    LumenoSDKAppDelegate::initialize();
    LumenoSDKAppDelegate::setMirrorHosts("192.0.2.4:81");
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(defaults().stringForKey("MirrorHost" + std::to_string(n)).value_or(""), "192.0.2.4:81") << n;
    LumenoSDKAppDelegate::setMirrorHosts("demo");
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(defaults().stringForKey("MirrorHost" + std::to_string(n)).value_or(""), "127.0.0.1:8642") << n;
}

TEST_F(SettingsTest, FontSizesAreCachedUntilReset) {
    defaults().setInteger(3, "ArabicFontSize");
    defaults().setInteger(4, "TranslationFontSize");
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 3);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 4);
    defaults().setInteger(0, "ArabicFontSize");
    defaults().setInteger(2, "TranslationFontSize");
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 3);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 4);
    LumenoSDKAppDelegate::ResetArabicFontSize();
    LumenoSDKAppDelegate::ResetTranslationFontSize();
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 0);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 2);
}

TEST_F(SettingsTest, SystemVersionDecidesTabletAndSystemGeneration) {
    struct Case {
        const char* version;
        bool tablet, os4, os5;
    } cases[] = {{"3.2", true, false, false}, {"3.1", false, false, false}, {"4.3", false, true, false}, {"5.1", false, true, true}};
    for (const Case& c : cases) {
        LumenoSDKAppDelegate::resetCachedFactsForTesting();
        UIDevice::currentDevice().setSystemVersion(c.version);
        EXPECT_EQ(LumenoSDKAppDelegate::IsDeviceIPad(), c.tablet) << c.version;
        EXPECT_EQ(LumenoSDKAppDelegate::IsIPhoneOS4(), c.os4) << c.version;
        EXPECT_EQ(LumenoSDKAppDelegate::IsIPhoneOS5(), c.os5) << c.version;
    }
}

TEST_F(SettingsTest, LanguageAnswerIsCachedUntilReset) {
    defaults().setArray(Value::Array{Value("ar")}, "AppleLanguages");
    EXPECT_TRUE(LumenoSDKAppDelegate::IsLanguageArabic());
    defaults().setArray(Value::Array{Value("en")}, "AppleLanguages");
    EXPECT_TRUE(LumenoSDKAppDelegate::IsLanguageArabic());
    LumenoSDKAppDelegate::ResetArabicCheck();
    EXPECT_FALSE(LumenoSDKAppDelegate::IsLanguageArabic());
}

TEST_F(SettingsTest, SleepHoldsAreCounted) {
    UIApplication& app = UIApplication::sharedApplication();
    LumenoSDKAppDelegate::disableSleep();
    LumenoSDKAppDelegate::disableSleep();
    LumenoSDKAppDelegate::enableSleep();
    EXPECT_TRUE(app.isIdleTimerDisabled());
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());
    LumenoSDKAppDelegate::enableSleep();
    EXPECT_FALSE(app.isIdleTimerDisabled());
    LumenoSDKAppDelegate::enableSleep();  // a surplus release
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), 0);
    EXPECT_TRUE(LumenoSDKAppDelegate::isSleepEnabled());
    LumenoSDKAppDelegate::disableSleep();
    EXPECT_TRUE(app.isIdleTimerDisabled());
}

TEST_F(SettingsTest, DisableDeviceSleepKeepsTheScreenAwakeUntilReset) {
    UIApplication& app = UIApplication::sharedApplication();
    defaults().setBool(true, "DisableDeviceSleep");
    LumenoSDKAppDelegate::disableSleep();
    LumenoSDKAppDelegate::enableSleep();
    LumenoSDKAppDelegate::enableSleep();
    EXPECT_TRUE(app.isIdleTimerDisabled());
    LumenoSDKAppDelegate::resetSleep();
    EXPECT_FALSE(app.isIdleTimerDisabled());
    EXPECT_EQ(LumenoSDKAppDelegate::sleepHoldCount(), 0);
}

TEST_F(SettingsTest, SharedFontKeepsItsResolutionUntilRecreated) {
    EXPECT_EQ(LumenoSDKAppDelegate::getSharedArabicFontLoader(1, false), nullptr);  // no delegate yet
    LumenoSDKAppDelegate app;
    auto first = LumenoSDKAppDelegate::getSharedArabicFontLoader(1, false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->FONT_RESOLUTION(), 1u);
    EXPECT_EQ(LumenoSDKAppDelegate::getSharedArabicFontLoader(3, false), first);
    auto second = LumenoSDKAppDelegate::getSharedArabicFontLoader(3, true);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->FONT_RESOLUTION(), 3u);
}

TEST_F(SettingsTest, WorkerWaitsForTheFontMadeOnTheMainThread) {
    LumenoSDKAppDelegate app;
    std::atomic<bool> done{false};
    std::shared_ptr<ArabicFont> fromWorker;
    std::thread worker([&] {
        fromWorker = LumenoSDKAppDelegate::getSharedArabicFontLoader(2, false);
        done = true;
    });
    // The worker cannot finish before the main loop runs its request.
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 10));
    worker.join();
    ASSERT_NE(fromWorker, nullptr);
    EXPECT_EQ(fromWorker, app.getSharedArabicFontLoader(0));
}

TEST_F(SettingsTest, DictionaryFilesRoundTripThroughDocuments) {
    EXPECT_FALSE(LumenoSDKAppDelegate::getDictionaryFromFile("state.dict"));
    LumenoSDKAppDelegate::saveDictionaryToDisk({{"surah", Value(2)}, {"name", Value("Al-Baqara")}}, "state.dict");
    LumenoSDKAppDelegate::saveDictionaryToDisk({{"surah", Value(3)}}, "state.dict");
    auto read = LumenoSDKAppDelegate::getDictionaryFromFile("state.dict");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 1u);
    EXPECT_EQ(read->at("surah").intValue(), 3);
}

}  // namespace
