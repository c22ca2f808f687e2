#pragma once
// A one-section table of choices with a checkmark on the one stored under a settings key (as a
// decimal string; an absent key reads as 0). Picking a row stores it, synchronizes, moves the
// checkmark and runs the picker's follow-up. The theme and start-up screen pickers.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class CheckmarkPicker : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    CheckmarkPicker(std::string title, std::string header, std::vector<std::string> rows, std::string key);
    ~CheckmarkPicker() override;

    std::shared_ptr<UITableView> table;

    void loadView() override;
    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    int numberOfRowsInSection(UITableView* tableView, int section) override { return static_cast<int>(rows_.size()); }
    std::string titleForHeaderInSection(UITableView* tableView, int section) override { return header_; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

protected:
    // After a pick has been stored.
    virtual void picked() {}

private:
    std::string title_, header_;
    std::vector<std::string> rows_;
    std::string key_;
};

// "Select Theme": "CurrentTheme", then the application's refreshTheme.
class ThemeController : public CheckmarkPicker {
public:
    ThemeController();
    void viewDidLoad() override;

protected:
    void picked() override;
};

// "Startup Screen": "StartupScreen", then the application's refreshSettings.
class StartupScreenController : public CheckmarkPicker {
public:
    StartupScreenController();

protected:
    void picked() override;
};

// A plain view controller reporting a size fixed at creation when shown in a popover.
class UIViewControllerHelper : public UIViewController {
public:
    UIViewControllerHelper(const std::string& nibName, CGSize size);
    CGSize thisSize;
};
