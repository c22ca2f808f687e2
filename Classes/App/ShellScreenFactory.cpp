#include "Classes/App/ShellScreens.h"

#include <map>

#include "Classes/App/PlaceholderScreens.h"

namespace {

std::map<std::string, ShellScreenFactory::Maker>& makers() {
    static std::map<std::string, ShellScreenFactory::Maker> m;
    return m;
}

const std::map<std::string, ShellScreenFactory::Maker>& placeholders() {
    static const std::map<std::string, ShellScreenFactory::Maker> m = {
        {"IndexView", [] { return std::make_shared<PlaceholderIndexViewController>(); }},
        {"BookmarkGroups", [] { return std::make_shared<PlaceholderBookmarkGroupsViewController>(); }},
        {"BookmarksView", [] { return std::make_shared<PlaceholderBookmarksViewController>(); }},
        {"SavedSearches", [] { return std::make_shared<PlaceholderSavedSearchesViewController>(); }},
        {"SearchView", [] { return std::make_shared<PlaceholderSearchViewController>(); }},
        {"More", [] { return std::make_shared<PlaceholderViewController>("More"); }},
    };
    return m;
}

}  // namespace

void ShellScreenFactory::setMaker(const std::string& name, Maker maker) { makers()[name] = std::move(maker); }

void ShellScreenFactory::removeMaker(const std::string& name) { makers().erase(name); }

UIViewControllerPtr ShellScreenFactory::make(const std::string& name) {
    auto it = makers().find(name);
    if (it != makers().end() && it->second)
        if (UIViewControllerPtr made = it->second()) return made;
    auto stand = placeholders().find(name);
    return stand == placeholders().end() ? nullptr : stand->second();
}
