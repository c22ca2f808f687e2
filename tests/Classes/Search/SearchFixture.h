#pragma once
// The Search tab headless on a phone screen with the virtual clock: the history at the root of
// tab 2, the real databases, and an application delegate that records the verses it is asked
// to open and pushes the search screen as the shell does.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Search/SavedSearchesViewController.h"
#include "Classes/Search/SearchViewController.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"

struct OpenedVerse {
    int surah, verse;
    bool play, animated;
    bool operator==(const OpenedVerse&) const = default;
};

class SearchAppDelegate : public LumenoSDKAppDelegate {
public:
    std::vector<OpenedVerse> opened;
    UINavigationController* searchNav = nullptr;  // unretained

    void showSurahView(int surah, int verse, bool play, bool animated) override {
        opened.push_back({surah, verse, play, animated});
    }
    void filterSearchViewWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) override;
};

class SearchTest : public ::testing::Test {
protected:
    virtual double scale() const { return 1; }
    void SetUp() override;
    void TearDown() override;

    sqlite3* db() const { return app->dbConnection(); }
    sqlite3* content() const { return app->dbConnectionStatic(); }
    // The history on screen in tab 2 (and tab 2 selected), loaded.
    void launch();
    // The search screen pushed over the history without a saved search, its first search done.
    SearchViewController& openSearch();
    // The examples' seeding already done, the history launched and the search screen opened.
    SearchViewController& launchIntoSearch();
    // Types a query as one change and waits for its search to be shown.
    void search(SearchViewController& screen, const std::string& text);
    void settle(double ms = 700);
    // Waits (in real time, bounded) until the screen's worker has handed its results over.
    void waitForSearch(SearchViewController& screen);
    void waitForHistory();
    static CGPoint screenCentre(const UIView& view, CGRect rect);
    void tapRow(UITableView& table, NSIndexPath path);
    static std::vector<int> chapters(const SearchViewController& screen);
    static std::vector<int> verses(const SearchViewController& screen, int section);
    // The saved searches' texts, most recently run first.
    std::vector<std::string> historyTexts() const;
    int markCount() const;

    HeadlessBackend backend;
    std::unique_ptr<SearchAppDelegate> app;
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UITabBarController> tabs;
    std::shared_ptr<UINavigationController> nav;
    std::shared_ptr<SavedSearchesViewController> history;
};
