// The settings file as found on disk: read, used, and saved again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = Paths::temp() + "/fuzz-settings-" + std::to_string(getpid());
    static const bool made = NSFileManager::defaultManager().createDirectoryAtPath(folder, true);
    if (!made) return 0;
    const std::string path = folder + "/defaults.bin";
    if (!NSFileManager::defaultManager().writeAtomically(path, data, size)) return 0;
    NSUserDefaults defaults(path);
    defaults.registerDefaults({{"ArabicFontSize", "1"}});
    defaults.registerRanges({{"ArabicFontSize", {0, 4}}});
    (void)defaults.integerForKey("ArabicFontSize");
    for (const auto& [key, value] : defaults.storedValues()) {
        (void)defaults.stringForKey(key);
        (void)defaults.doubleForKey(key);
        (void)defaults.arrayForKey(key);
        (void)defaults.dictionaryForKey(key);
    }
    defaults.setInteger(2, "ArabicFontSize");
    (void)defaults.synchronize();
    // Whatever was read aside is removed so the folder stays small.
    for (int n = 1; n < 4; ++n) std::remove((path + ".corrupt-" + std::to_string(n)).c_str());
    return 0;
}
