#include "toolkit/style/TTStyleSheet.h"

#include <filesystem>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/ui/UIApplication.h"
#include "toolkit/style/TTDefaultStyleSheet.h"

namespace {
TTStyleSheetPtr& globalSheet() {
    // The notification centre outlives the global sheet, which unsubscribes as it goes.
    NSNotificationCenter::defaultCenter();
    static TTStyleSheetPtr sheet;
    return sheet;
}
}  // namespace

TTStyleSheet::TTStyleSheet() {
    NSNotificationCenter::defaultCenter().addObserver(this, UIApplicationDidReceiveMemoryWarningNotification,
                                                      [this] { didReceiveMemoryWarning(); });
}

TTStyleSheet::~TTStyleSheet() { NSNotificationCenter::defaultCenter().removeObserver(this); }

TTStyleSheetPtr TTStyleSheet::globalStyleSheet() {
    TTStyleSheetPtr& sheet = globalSheet();
    if (!sheet) sheet = std::make_shared<TTDefaultStyleSheet>();
    return sheet;
}

void TTStyleSheet::setGlobalStyleSheet(TTStyleSheetPtr sheet) { globalSheet() = std::move(sheet); }

TTStylePtr TTStyleSheet::styleWithSelector(const std::string& name, int state) {
    const std::string key = state ? name + std::to_string(state) : name;
    if (auto it = styles_.find(key); it != styles_.end()) return it->second;
    TTStylePtr style;
    if (const Builder* builder = builderNamed(name)) style = (*builder)(*this, state);
    else style = styleFromAppBundleForSelector(name);
    if (style) styles_[key] = style;
    return style;
}

TTStylePtr TTStyleSheet::styleFromAppBundleForSelector(const std::string& name) {
    // The name is a file name: nothing that leaves the resource folder.
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return nullptr;
    TTStyle::registerArchiveClasses();
    const std::string file = name + ".ttstyle";
    for (const std::string& path : {Paths::bundleResource(file), Paths::bundleResource("Vantrel.bundle/styles/" + file)}) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        if (auto style = std::dynamic_pointer_cast<TTStyle>(NSKeyedUnarchiver::unarchiveObjectWithFile(path)))
            return style;
    }
    return nullptr;
}

void TTStyleSheet::freeMemory() { styles_.clear(); }
