#pragma once
// One of four settings pages, chosen when made: 1 sharing, 2 interface language, 3 font sizes,
// 4 Tajweed colouring. Every choice is stored, synchronized and announced at once.

#include <memory>

#include "Classes/Settings/SettingsPage.h"

class SettingsSubView : public SettingsPage {
public:
    enum Page { Sharing = 1, LanguagePage = 2, FontSizes = 3, Tajweed = 4 };

    SettingsSubView(const std::string& nibName, int setting);
    ~SettingsSubView() override;

    std::shared_ptr<UISwitch> switchArabicTitles, switchLegend;
    std::shared_ptr<UISwitch> switchQalqala, switchIqlab, switchIdgham, switchIkhfa, switchGHunna;
    std::shared_ptr<UISwitch> switchStopSigns;

    int ThisSetting() const { return ThisSetting_; }

    void quitApp();
    void checkLegendStatus();
    void switchArabicTitlesAction();
    void switchLegendAction();
    void switchGHunnaAction();
    void switchIkhfaAction();
    void switchIdghamAction();
    void switchIqlabAction();
    void switchQalqalaAction();
    void switchStopSignsAction();

    void viewDidLoad() override;

    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    std::string titleForFooterInSection(UITableView* tableView, int section) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    // Footers wrap onto as many lines as their text needs.
    double heightForFooterInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UIView> viewForFooterInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

private:
    void ruleSwitched(const std::shared_ptr<UISwitch>& control, const char* key);
    void pickFontSize(UITableView* tableView, const NSIndexPath& indexPath);
    void pickLanguage(UITableView* tableView, const NSIndexPath& indexPath);
    int ThisSetting_;
};
