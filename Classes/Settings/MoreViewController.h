#pragma once
// The root of the More tab: eight rows leading to the reference screens, the settings, the tips,
// the how-to topics and About. Built from the interface "More" (MoreViewController+Interface.cpp).

#include <memory>
#include <string>

#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class MoreViewController : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit MoreViewController(const std::string& nibName = "More");
    ~MoreViewController() override;

    // Registers the interface "More", the tab's root maker and the screens the menu opens.
    static void registerInterface();

    // One row of the menu: what it shows and what it opens.
    struct MenuRow {
        const char* title;
        const char* image;
        const char* highlightedImage;
        const char* interfaceName;
        bool modal;  // presented over the tab bar rather than pushed
    };
    static const MenuRow& menuRow(int row);
    static constexpr int kRowCount = 8;

    // ---- Outlets, wired by the "More" builder ----
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UITableView> tblGroups;
    std::shared_ptr<UILabel> lblTopLabel;
    std::shared_ptr<UIImageView> imgBG, imgTopBarBG;

    void rethemeUI();
    void btnCancelPressed();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    int numberOfRowsInSection(UITableView* tableView, int section) override { return kRowCount; }
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override { return 44; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
};
