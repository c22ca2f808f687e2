#pragma once
// What the application shell asks of the screens in its tabs. The chapter index, the reading
// screen, the bookmark and search screens implement these. The screens are made through the
// factory by their interface name, so the shell never names their classes.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/hosting/UIViewController.h"

class LumenoSDKAppDelegate;
class SavedSearch;

// The reading screen as the shell reaches it through the chapter index.
class ReadingScreen {
public:
    virtual ~ReadingScreen() = default;
    virtual void saveCurrentSurahAndVerse() {}
    virtual void registerRemoteEvents() {}
    virtual void unregisterRemoteEvents() {}
    virtual void refreshSurahView() {}
    virtual void updateBookmarkForVerse(int verse, int surah) {}
};

// The root of tab 0.
class IndexScreen {
public:
    virtual ~IndexScreen() = default;
    virtual void showSurahView(LumenoSDKAppDelegate* app, int surah, int verse, bool play, bool animated) = 0;
    virtual void hideSurahView() = 0;
    virtual bool IsShowingSurahView() const = 0;
    virtual void btnTopCurrentSurahPressed() = 0;
    virtual void reloadIndexView() {}
    virtual void refreshTheme() {}
    // The reading screen the index owns, or null.
    virtual ReadingScreen* ThisSurahController() { return nullptr; }
};

// The bookmark-group list at the root of tab 1.
class BookmarkGroupListScreen {
public:
    virtual ~BookmarkGroupListScreen() = default;
};

// The bookmark list ("BookmarksView").
class BookmarkListScreen {
public:
    virtual ~BookmarkListScreen() = default;
    virtual void setGroupFilter(int group) = 0;
    virtual void refreshTheme() {}
};

// The saved-search list at the root of tab 2.
class SavedSearchListScreen {
public:
    virtual ~SavedSearchListScreen() = default;
    virtual void btnSearchPressed() = 0;
};

// The search screen ("SearchView").
class SearchScreen {
public:
    virtual ~SearchScreen() = default;
    virtual void filterWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) = 0;
    virtual void refreshTheme() {}
};

// Makers of screens by interface name ("BookmarksView", "SearchView", and the tab roots
// "IndexView", "BookmarkGroups", "SavedSearches", "More"), registered by the program at start.
// A name without a maker gives null.
class ShellScreenFactory {
public:
    using Maker = std::function<UIViewControllerPtr()>;
    static void setMaker(const std::string& name, Maker maker);
    static void removeMaker(const std::string& name);
    static UIViewControllerPtr make(const std::string& name);
};
