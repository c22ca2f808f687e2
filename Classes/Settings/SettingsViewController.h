#pragma once
// The root page of the settings: interface language, display options, bookmarking, the backup
// hint, one row per reciter with installed audio and, while it applies, the offer to replace
// per-verse audio by gapless audio. Pushed by the More menu; built from "SettingsView".

#include <functional>
#include <memory>
#include <vector>

#include "Classes/Settings/SettingsPage.h"
#include "platform/ui/hosting/UIAlertView.h"

class SettingsViewController : public SettingsPage, public UIAlertViewDelegate {
public:
    explicit SettingsViewController(const std::string& nibName = "SettingsView");
    ~SettingsViewController() override;

    // Registers "SettingsView" and the factory maker of that name.
    static void registerInterface();
    // The installed-audio screen of a reciter, set by the program at start (the page cannot
    // name its class); without a maker the row opens nothing.
    using InstalledAudioMaker = std::function<UIViewControllerPtr(int reciter)>;
    static void setInstalledAudioMaker(InstalledAudioMaker maker);

    std::shared_ptr<UISwitch> switchKahf, switchAskForBookmarkGroups, switchColoredTrans;

    void create_UISwitch();
    void reloadView();
    void switchKahfAction();
    void switchAskForBookmarkGroupsPressed();
    void switchColoredTransAction();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    int numberOfSectionsInTableView(UITableView* tableView) override;
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return 44; }
    std::optional<NSIndexPath> willSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) override;

    const std::vector<int>& allReciters() const { return allReciters_; }
    // The alert shown last (backup hint or upgrade question), for tests.
    UIAlertView* shownAlert() const { return alert_.get(); }
    // The name of an "ArabicFontSize" value; empty outside 0 to 4.
    static std::string fontSizeName(long long size);

private:
    void refreshReciters();
    std::vector<int> allReciters_;
    std::shared_ptr<UIAlertView> alert_;
    bool upgradeAlert_ = false;
};
