// Default settings, device facts, font-size caches, the idle-timer hold and the shared glyph font.

#include "social/FBEndpoints.h"
#include "Classes/App/SiteLinks.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIScreen.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

namespace {

// A cached answer and whether it is known.
template <class T>
struct Cached {
    T value{};
    bool known = false;
    template <class F>
    T get(F compute) {
        if (!known) {
            value = compute();
            known = true;
        }
        return value;
    }
    void reset() { known = false; }
};

Cached<bool> arabicLanguage, tablet, retina, os4, os5;
Cached<int> arabicFontSize, translationFontSize;
int sleepHolds = 0;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

// The desktop's language stands in for the platform's preferred-language list on first start.
std::string environmentLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) return str::hasPrefix(v, "ar") ? "ar" : "en";
    }
    return "en";
}

// Host and port of the demo mirror (tools/mirror) as scripts/start runs it.
constexpr const char* kDemoMirrorHost = "127.0.0.1:8642";

std::once_flag languageRegistered, registered;

void registerLanguageOnce() {
    std::call_once(languageRegistered, [] {
        defaults().registerDefaults({{"AppleLanguages", Value(Value::Array{Value(environmentLanguage())})}});
    });
}

void registerDefaultsOnce() {
    std::call_once(registered, [] {
        NSUserDefaults& d = defaults();
        const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
        d.registerDefaults({
            {"CurrentReciterv22", "1"},
            {"CurrentTafsir", "0"},
            {"LastSurah", "1"},
            {"IsShowingTranslation", "1"},
            {"AlKahfReminders", "1"},
            {"PlayOptionsEnabled", "1"},
            {"LastVerse", "1"},
            {"CurrentTranslationv22", "3"},
            {"HUDTranslation", "10"},
            {"ColoredStopSigns", "1"},
            {"ColoredTranslation", "1"},
            {"CurrentTranslationPrimary", "3"},
            {"CurrentTranslationSecondary", "10"},
            {"LastAudioSurah", "1"},
            {"LastAudioVerse", "1"},
            {"IndexInArabic", arabic ? "YES" : "NO"},
            {"PrefLang", arabic ? "ar" : "en"},
            {"ShowTajweedBar", "1"},
            {"TajweedQalqala", "1"},
            {"TajweedIqlab", "1"},
            {"TajweedIdgham", "1"},
            {"TajweedIkhfa", "1"},
            {"TajweedGhunna", "1"},
            {"ArabicFontSize", "1"},
            {"ResizeTranslations", "1"},
            {"TranslationFontSize", "1"},
            // About's links: by default our own pages in the bundle and a local mailbox, so no
            // outside host is named; a packager or the user may set real addresses.
            {"AboutMakerSite", bundledSiteAddress("about/maker")},
            {"AboutCreditSite", bundledSiteAddress("about/credit")},
            {"AboutCreditMail", "lumeno@localhost"},
            // The seven recitation mirrors; all point at the demo mirror that scripts/start runs.
            {"MirrorHost1", kDemoMirrorHost},
            {"MirrorHost2", kDemoMirrorHost},
            {"MirrorHost3", kDemoMirrorHost},
            {"MirrorHost4", kDemoMirrorHost},
            {"MirrorHost5", kDemoMirrorHost},
            {"MirrorHost6", kDemoMirrorHost},
            {"MirrorHost7", kDemoMirrorHost},
        });
        // Values the screens can follow; anything else reads as the default above.
        constexpr double kMaxVerse = 286, kMaxOffset = 1e7;
        d.registerRanges({
            {"ArabicFontSize", {0, 4}},
            {"TranslationFontSize", {0, 4}},
            {"LastSurah", {1, 114}},
            {"LastVerse", {1, kMaxVerse}},
            {"LastAudioSurah", {1, 114}},
            {"LastAudioVerse", {1, kMaxVerse}},
            {"CurrentReciterv22", {1, 1000}},
            {"CurrentTranslationv22", {0, 1000}},
            {"CurrentTranslationPrimary", {0, 1000}},
            {"CurrentTranslationSecondary", {0, 1000}},
            {"HUDTranslation", {0, 1000}},
            {"LastSurahYOffset", {0, kMaxOffset}},
            {"SectionListYOffset", {0, kMaxOffset}},
            {"SurahListYOffset", {0, kMaxOffset}},
            {"LastBookmarkYOffset", {0, kMaxOffset}},
            {"LastSearchYOffset", {0, kMaxOffset}},
        });
        d.synchronize();
    });
}

std::string dictionaryPath(const std::string& fileName) {
    return str::appendPathComponent(Paths::documents(), fileName);
}

}  // namespace

void LumenoSDKAppDelegate::initialize() {
    registerDefaultsOnce();
    FBEndpoints::registerDefaults();
}

void LumenoSDKAppDelegate::setMirrorHosts(const std::string& host) {
    registerDefaultsOnce();
    for (int n = 1; n <= 7; ++n) {
        const std::string key = "MirrorHost" + std::to_string(n);
        if (host == "demo")
            defaults().removeObjectForKey(key);
        else
            defaults().setString(host, key);
    }
    defaults().synchronize();
}

bool LumenoSDKAppDelegate::IsLanguageArabic() {
    registerLanguageOnce();
    return arabicLanguage.get([] {
        auto languages = defaults().stringArrayForKey("AppleLanguages");
        return languages && !languages->empty() && str::hasPrefix(languages->front(), "ar");
    });
}

void LumenoSDKAppDelegate::ResetArabicCheck() { arabicLanguage.reset(); }

bool LumenoSDKAppDelegate::IsDeviceIPad() {
    return tablet.get([] {
        return str::hasPrefix(UIDevice::currentDevice().model(), "iPad") ||
               str::hasPrefix(UIDevice::currentDevice().systemVersion(), "3.2");
    });
}

bool LumenoSDKAppDelegate::IsDeviceRetina() {
    return retina.get([] { return UIScreen::mainScreen().scale() >= 2.0; });
}

bool LumenoSDKAppDelegate::IsIPhoneOS4() {
    return os4.get([] { return !str::hasPrefix(UIDevice::currentDevice().systemVersion(), "3."); });
}

bool LumenoSDKAppDelegate::IsIPhoneOS5() {
    return os5.get([] {
        const std::string v = UIDevice::currentDevice().systemVersion();
        return !str::hasPrefix(v, "3.") && !str::hasPrefix(v, "4.");
    });
}

std::optional<std::string> LumenoSDKAppDelegate::GetiCloudPath() {
    if (!IsIPhoneOS5()) return std::nullopt;
    NSLog("INFO  - [%@] No iCloud access", describe(NSDate::date()));
    return std::nullopt;
}

int LumenoSDKAppDelegate::ArabicFontSize() {
    initialize();
    return arabicFontSize.get([] { return static_cast<int>(defaults().integerForKey("ArabicFontSize")); });
}

void LumenoSDKAppDelegate::ResetArabicFontSize() { arabicFontSize.reset(); }

int LumenoSDKAppDelegate::TranslationFontSize() {
    initialize();
    return translationFontSize.get([] { return static_cast<int>(defaults().integerForKey("TranslationFontSize")); });
}

void LumenoSDKAppDelegate::ResetTranslationFontSize() { translationFontSize.reset(); }

void LumenoSDKAppDelegate::resetCachedFactsForTesting() {
    for (auto* c : {&arabicLanguage, &tablet, &retina, &os4, &os5}) c->reset();
    arabicFontSize.reset();
    translationFontSize.reset();
    sleepHolds = 0;
}

bool LumenoSDKAppDelegate::isSleepEnabled() { return sleepHolds <= 0; }

int LumenoSDKAppDelegate::sleepHoldCount() { return sleepHolds; }

void LumenoSDKAppDelegate::disableSleep() {
    UIApplication& app = UIApplication::sharedApplication();
    if (sleepHolds++ == 0 && !app.isIdleTimerDisabled()) app.setIdleTimerDisabled(true);
}

void LumenoSDKAppDelegate::enableSleep() {
    if (--sleepHolds > 0) return;
    // The user may keep the screen awake for good; the count then stays as it is.
    if (defaults().boolForKey("DisableDeviceSleep")) return;
    UIApplication& app = UIApplication::sharedApplication();
    if (app.isIdleTimerDisabled()) app.setIdleTimerDisabled(false);
    sleepHolds = 0;
}

void LumenoSDKAppDelegate::resetSleep() {
    UIApplication::sharedApplication().setIdleTimerDisabled(false);
    sleepHolds = 0;
}

std::shared_ptr<ArabicFont> LumenoSDKAppDelegate::getSharedArabicFontLoader(int resolution, bool forceRecreate) {
    // The font is made and released on the main thread only; other threads wait for it.
    return RunLoop::main().postAndWait([resolution, forceRecreate]() -> std::shared_ptr<ArabicFont> {
        LumenoSDKAppDelegate* app = GetInstance();
        if (!app) return nullptr;
        if (forceRecreate) app->releaseSharedArabicFontLoader();
        return app->getSharedArabicFontLoader(resolution);
    });
}

std::shared_ptr<ArabicFont> LumenoSDKAppDelegate::getSharedArabicFontLoader(int resolution) {
    if (!arabicFontLoader_)
        arabicFontLoader_ = std::make_shared<ArabicFont>(static_cast<uint32_t>(resolution), false, dbConnectionStatic());
    return arabicFontLoader_;
}

void LumenoSDKAppDelegate::releaseSharedArabicFontLoader() { arabicFontLoader_.reset(); }

void LumenoSDKAppDelegate::saveDictionaryToDisk(const Value::Map& dictionary, const std::string& fileName) {
    const std::string path = dictionaryPath(fileName);
    NSFileManager& files = NSFileManager::defaultManager();
    if (files.fileExistsAtPath(path) && !files.removeItemAtPath(path)) return;
    Value::Bytes bytes;
    Value(dictionary).encode(bytes);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::optional<Value::Map> LumenoSDKAppDelegate::getDictionaryFromFile(const std::string& fileName) {
    std::ifstream in(dictionaryPath(fileName), std::ios::binary);
    if (!in) return std::nullopt;
    Value::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto value = Value::decode(bytes.data(), bytes.size());
    if (!value || !value->map()) return std::nullopt;
    return *value->map();
}
