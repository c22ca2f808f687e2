#pragma once
// The bookmarks tab headless on a phone screen with the virtual clock: the groups list at the
// root of tab 1, the real databases, and an application delegate that records what the
// screens ask of it.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Classes/Bookmarks/BookmarkGroupsViewController.h"
#include "Classes/Bookmarks/BookmarksViewController.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"

struct OpenedVerse {
    int surah, verse;
    bool play, animated;
    bool operator==(const OpenedVerse&) const = default;
};

class RecordingAppDelegate : public LumenoSDKAppDelegate {
public:
    std::vector<OpenedVerse> opened;
    std::vector<UIView*> shownAboveTabBar, hiddenAboveTabBar;
    UINavigationController* bookmarksNav = nullptr;  // unretained
    std::vector<std::weak_ptr<BookmarksViewController>> lists;

    void showSurahView(int surah, int verse, bool play, bool animated) override {
        opened.push_back({surah, verse, play, animated});
    }
    void filterBookmarksOnGroup(int group) override;
    void showViewAboveTabBar(const std::shared_ptr<UIView>& view, int, double, int, int) override {
        shownAboveTabBar.push_back(view.get());
    }
    void hideViewAboveTabBar(const std::shared_ptr<UIView>& view, int, double) override {
        hiddenAboveTabBar.push_back(view.get());
    }
};

class BookmarksTest : public ::testing::Test {
protected:
    virtual double scale() const { return 1; }
    void SetUp() override;
    void TearDown() override;

    sqlite3* db() const { return app->dbConnection(); }
    void addBookmark(int surah, int verse, int group, std::optional<std::string> note = std::nullopt,
                     bool audio = false);
    // The groups list on screen in tab 1 (and tab 1 selected).
    void launch();
    // Opens the list of a group from the groups screen, as the shell does, and waits for it.
    BookmarksViewController& openGroup(int group);
    // Lets animations end and queued work run.
    void settle(double ms = 700);
    // Waits (in real time, bounded) until the list's worker load has been installed.
    void waitForLoad(BookmarksViewController& list);
    // Centre of a rectangle of a view, in screen points.
    static CGPoint screenCentre(const UIView& view, CGRect rect);
    void tapRow(BookmarksViewController& list, NSIndexPath path);
    // Chapter numbers of the list's sections, and the verse numbers of one section.
    static std::vector<int> chapters(const BookmarksViewController& list);
    static std::vector<int> verses(const BookmarksViewController& list, int section);

    HeadlessBackend backend;
    std::unique_ptr<RecordingAppDelegate> app;
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UITabBarController> tabs;
    std::shared_ptr<UINavigationController> nav;
    std::shared_ptr<BookmarkGroupsViewController> groups;
};
