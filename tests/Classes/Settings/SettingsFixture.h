#pragma once
// The More tab headless on a phone with the virtual clock: the menu at the root of the tab's
// navigation controller, the real databases, an application delegate that records what the
// pages ask of it, and a counter of the settings' notifications.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Settings/MoreViewController.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/Value.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"

class SettingsRecordingDelegate : public LumenoSDKAppDelegate {
public:
    int tabLabelResets = 0;
    std::vector<int> downloadOffers;
    void resetTabbarLabels() override { ++tabLabelResets; }
    void requestDownloadSurahAudioAlert(int surah) override { downloadOffers.push_back(surah); }
    // Chapter and verse of every request to show the reading screen, and whether it asked to play.
    struct Shown {
        int surah, verse;
        bool play;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shownVerses;
    void showSurahView(int surah, int verse, bool play, bool animated) override {
        shownVerses.push_back({surah, verse, play});
    }
};

// Counts posts of the names the settings pages announce.
class NotificationCounter {
public:
    NotificationCounter();
    ~NotificationCounter();
    int count(const std::string& name) const;
    // Every name posted, with its count.
    const std::map<std::string, int>& all() const { return counts_; }
    void clear() { counts_.clear(); }

private:
    std::map<std::string, int> counts_;
};

class SettingsTest : public ::testing::Test {
protected:
    virtual double scale() const { return 1; }
    void SetUp() override;
    void TearDown() override;

    // The menu on screen in the More tab.
    void launch();
    void settle(double ms = 700);
    // Taps a row of a table (scrolled into view first) or the middle of a view, as a finger.
    void tapRow(UITableView& table, NSIndexPath path);
    void tapView(UIView& view);
    // Taps a menu row and returns what is then on top of the navigation stack.
    UIViewController* openMenuRow(int row);
    // The settings root page, pushed from the menu.
    class SettingsViewController& openSettings();
    // A sub-page pushed from the settings root page by tapping its row.
    class SettingsSubView& openSubPage(NSIndexPath rowInSettings);
    // A value as the settings file on disk holds it (so only synchronized writes count).
    static Value storedOnDisk(const std::string& key);

    HeadlessBackend backend;
    std::unique_ptr<SettingsRecordingDelegate> app;
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UITabBarController> tabs;
    std::shared_ptr<UINavigationController> nav;
    std::shared_ptr<MoreViewController> menu;
};
