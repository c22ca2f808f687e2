#pragma once
// The bookmark groups: a first row for all bookmarks (or, when moving, for no group) and the
// four named groups, each with its icon and count. As the bookmarks tab's root (filter mode)
// a tap opens the list of that group; made with bookmarks to move (moving mode, presented
// modally) a tap moves them into the group and closes the screen.
//
// Built from the interface "BookmarkGroups" (BookmarkGroupsViewController+Interface.cpp).

#include <memory>
#include <string>

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/Bookmark.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class BookmarkGroupsViewController : public UIViewController,
                                     public BookmarkGroupListScreen,
                                     public UITableViewDataSource,
                                     public UITableViewDelegate {
public:
    explicit BookmarkGroupsViewController(const std::string& nibName = "BookmarkGroups");
    ~BookmarkGroupsViewController() override;

    // Registers the interface "BookmarkGroups".
    static void registerInterface();

    // ---- Outlets, wired by the "BookmarkGroups" builder ----
    std::shared_ptr<UITableView> tblGroups;
    std::shared_ptr<UILabel> lblTopLabel, lblBottomNotice;
    std::shared_ptr<UIButton> btnCancel;
    std::shared_ptr<UIView> viewTopBar;
    std::shared_ptr<UIImageView> imgTopBarBG, imgBG;

    // The bookmarks to move; call before the screen is shown.
    void setupMovingMode(Bookmark::List bookmarks);
    void rethemeUI();
    void btnCancelPressed();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }
    void didRotateFromInterfaceOrientation(UIInterfaceOrientation from) override;

    int numberOfRowsInSection(UITableView* tableView, int section) override { return 5; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    bool IsMovingMode() const { return IsMovingMode_; }
    const Bookmark::List& arrBookmarks() const { return arrBookmarks_; }

private:
    Bookmark::List arrBookmarks_;
    bool IsMovingMode_ = false;
};
