#include "Classes/Core/Language.h"

#include "platform/foundation/Localization.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"

#include <memory>
#include <mutex>

namespace {

struct LanguageState {
    std::mutex mutex;
    bool initialized = false;
    std::string code;
    std::shared_ptr<const StringTable> table;  // null: no table for the code
};

LanguageState& state() {
    static LanguageState s;
    return s;
}

void applyLanguage(LanguageState& s, const std::string& code) {
    bool isDirectory = false;
    std::string folder = Paths::bundleResource(code + ".lproj");
    s.code = code;
    s.table = (!code.empty() && NSFileManager::defaultManager().fileExistsAtPath(folder, &isDirectory) && isDirectory)
                  ? StringTable::load(code)
                  : nullptr;
    s.initialized = true;
}

// First use: the first preferred language of the previous run.
LanguageState& initializedState() {
    LanguageState& s = state();
    bool needsInit;
    {
        std::lock_guard<std::mutex> guard(s.mutex);
        needsInit = !s.initialized;
    }
    if (needsInit) {
        auto languages = NSUserDefaults::standardUserDefaults().stringArrayForKey("AppleLanguages");
        Language::setLanguage(languages && !languages->empty() ? languages->front() : std::string("en"));
    }
    return s;
}

}  // namespace

void Language::setLanguage(const std::string& code) {
    NSLog("preferredLang: %@", code);
    {
        LanguageState& s = state();
        std::lock_guard<std::mutex> guard(s.mutex);
        applyLanguage(s, code);
    }
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setString(code, "PrefLang");
    defaults.setArray(Value::Array{Value(code)}, "AppleLanguages");
    defaults.synchronize();
}

std::string Language::get(const std::string& key, const std::string& alter) {
    LanguageState& s = initializedState();
    std::shared_ptr<const StringTable> table;
    {
        std::lock_guard<std::mutex> guard(s.mutex);
        table = s.table;
    }
    if (!table) return alter;
    return table->lookup(key).value_or(alter);
}

std::string Language::currentLanguage() {
    LanguageState& s = initializedState();
    std::lock_guard<std::mutex> guard(s.mutex);
    return s.code;
}

std::string Language::bundleString(const std::string& key) {
    auto languages = NSUserDefaults::standardUserDefaults().stringArrayForKey("AppleLanguages");
    const std::string lang = languages && !languages->empty() ? languages->front().substr(0, 2) : "en";
    return localizedString(key, lang, key);
}
