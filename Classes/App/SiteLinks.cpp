#include "Classes/App/SiteLinks.h"

#include <filesystem>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/net/URLParts.h"

std::string bundledSiteAddress(const std::string& folder) {
    return "file://" + str::percentEscape(Paths::bundleResource(folder));
}

std::string siteAddress(const char* key, const std::string& path) {
    std::string base = NSUserDefaults::standardUserDefaults().stringForKey(key).value_or("");
    if (base.empty()) {
        NSLog("No address set under \"%@\".", key);
        return {};
    }
    while (!path.empty() && !base.empty() && base.back() == '/') base.pop_back();
    std::string address = base + path;
    URLParts parts;
    if (URLParts::parse(address, parts) && parts.scheme == "file") {
        std::error_code ec;
        const std::string local = str::percentUnescape(parts.path).value_or(parts.path);
        if (std::filesystem::is_directory(local, ec)) {
            while (!address.empty() && address.back() == '/') address.pop_back();
            address += "/index.html";
        }
    }
    return address;
}
