#include "Classes/App/SiteLinks.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIApplication.h"

bool openSiteSetting(const char* key, const std::string& path) {
    std::string base = NSUserDefaults::standardUserDefaults().stringForKey(key).value_or("");
    if (base.empty()) {
        NSLog("No address set under \"%@\".", key);
        return false;
    }
    while (!path.empty() && !base.empty() && base.back() == '/') base.pop_back();
    return UIApplication::sharedApplication().openURL(base + path);
}
