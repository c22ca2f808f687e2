#pragma once
// The search history at the root of the Search tab: the searches that found something, most
// recently run first. A tap runs one again on the search screen, the eye marks or unmarks its
// hits in the reading view (on a worker), Edit and a swipe delete. The list loads on a worker
// every time the screen is about to appear; on the first use ever it is seeded with examples.

#include <memory>
#include <string>

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/SavedSearch.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class SavedSearchesViewController : public UIViewController,
                                    public SavedSearchListScreen,
                                    public UITableViewDataSource,
                                    public UITableViewDelegate {
public:
    explicit SavedSearchesViewController(const std::string& nibName = "SavedSearches");
    ~SavedSearchesViewController() override;

    // Registers the interface "SavedSearches".
    static void registerInterface();

    // ---- Outlets, wired by the "SavedSearches" builder ----
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UITableView> tblSavedSearches;
    std::shared_ptr<UILabel> lblTopLabel, lblTopNotice;
    std::shared_ptr<UIImageView> imgBG, imgTopBarBG, imgTopBG;
    std::shared_ptr<UIButton> btnEdit, btnSearch;
    std::shared_ptr<UIActivityIndicatorView> activityIndicator;

    // ---- The shell's interface ----
    void btnSearchPressed() override;

    // ---- Loading, marking, deleting ----
    void setupView();
    void setupDone(SavedSearch::List list);
    void btnEditPressed();
    void rethemeUI();
    // Marks (reflect) or unmarks the record's hits on a worker; the list takes no touches
    // until it is done.
    void reflectSearchedVerses(bool reflect, SavedSearch* search);
    void doneReflectingSearches(const std::shared_ptr<SavedSearch>& search, bool ok, SavedSearch result);
    void deleteSearchAtIndexPath(const NSIndexPath& path);

    // ---- Life cycle ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidUnload() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    // ---- Table ----
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 44; }
    bool canEditRowAtIndexPath(UITableView*, const NSIndexPath&) override { return true; }
    UITableViewCellEditingStyle editingStyleForRowAtIndexPath(UITableView*, const NSIndexPath&) override {
        return UITableViewCellEditingStyleDelete;
    }
    bool shouldIndentWhileEditingRowAtIndexPath(UITableView*, const NSIndexPath&) override { return false; }
    void commitEditingStyle(UITableView* tableView, UITableViewCellEditingStyle style, const NSIndexPath& indexPath) override;
    void willBeginEditingRowAtIndexPath(UITableView*, const NSIndexPath&) override;
    void didEndEditingRowAtIndexPath(UITableView*, const NSIndexPath&) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    // ---- State ----
    const SavedSearch::List& savedSearches() const { return arrSavedSearches_; }
    bool isSettingUp() const { return isSettingUp_; }
    bool isReflecting() const { return reflecting_ > 0; }

private:
    SavedSearch::List arrSavedSearches_;
    // Set and cleared on the main thread only.
    bool isSettingUp_ = false;
    int reflecting_ = 0;
};
