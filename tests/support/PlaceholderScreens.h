#pragma once
// Plain screens that stand in for the program's screens in tests of the shell: a title and a
// short line on a quiet background. Each answers the shell's interface of the screen it stands
// for, the way an empty screen of that kind would, and records what it was asked.

#include <memory>
#include <string>

#include "Classes/App/ShellScreens.h"
#include "platform/ui/hosting/UIViewController.h"

class UILabel;

class PlaceholderViewController : public UIViewController {
public:
    // titleKey: the English title, shown in the interface language.
    explicit PlaceholderViewController(std::string titleKey);
    void loadView() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

protected:
    virtual std::string detailText() const;
    void updateDetail();

private:
    std::string titleKey_;
    std::shared_ptr<UILabel> detail_;
};

// Chapter index: remembers the chapter it was asked to open.
class PlaceholderIndexViewController : public PlaceholderViewController, public IndexScreen {
public:
    PlaceholderIndexViewController() : PlaceholderViewController("Quran") {}
    void showSurahView(LumenoSDKAppDelegate* app, int surah, int verse, bool play, bool animated) override;
    void hideSurahView() override;
    bool IsShowingSurahView() const override { return showingSurah_; }
    // Opens the chapter last shown ("CurrentlyShowingSurah", "CurrentlyShowingVerse").
    void btnTopCurrentSurahPressed() override;
    int shownSurah() const { return surah_; }
    int shownVerse() const { return verse_; }
    int currentSurahButtonPresses() const { return currentSurahPresses_; }

protected:
    std::string detailText() const override;

private:
    bool showingSurah_ = false;
    int surah_ = 0;
    int verse_ = 0;
    int currentSurahPresses_ = 0;
};

class PlaceholderBookmarkGroupsViewController : public PlaceholderViewController, public BookmarkGroupListScreen {
public:
    PlaceholderBookmarkGroupsViewController() : PlaceholderViewController("Bookmark Groups") {}
};

class PlaceholderBookmarksViewController : public PlaceholderViewController, public BookmarkListScreen {
public:
    PlaceholderBookmarksViewController() : PlaceholderViewController("Bookmarks") {}
    void setGroupFilter(int group) override { groupFilter_ = group; }
    int groupFilter() const { return groupFilter_; }

private:
    int groupFilter_ = 0;
};

class PlaceholderSavedSearchesViewController : public PlaceholderViewController, public SavedSearchListScreen {
public:
    PlaceholderSavedSearchesViewController() : PlaceholderViewController("Search History") {}
    // A new, empty search screen over the list.
    void btnSearchPressed() override;
};

class PlaceholderSearchViewController : public PlaceholderViewController, public SearchScreen {
public:
    PlaceholderSearchViewController() : PlaceholderViewController("Search") {}
    void filterWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) override;
    int filterCount() const { return filterCount_; }

private:
    int filterCount_ = 0;
};

// Makes the stand-ins the shell's screens: "IndexView", "BookmarkGroups", "BookmarksView",
// "SavedSearches", "SearchView" and "More".
void registerPlaceholderScreens();
