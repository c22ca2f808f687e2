#pragma once
// The bookmark list of the bookmarks tab: the bookmarks of one group (or of all groups) in one
// table section per chapter, each under a collapsible header with its count. Tapping a
// bookmark opens the reading screen at that verse. The list loads on a worker thread, marks
// itself stale when bookmarks change elsewhere and reloads when it is next shown, keeps its
// scroll position, sets the tab's badge, filters by its search bar and edits in batches
// (move, mail, remove).
//
// Built from the interface "BookmarksView" (BookmarksViewController+Interface.cpp); table
// callbacks in +TableDelegate, search in +Search, batch editing and removal in +BatchEdit.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Classes/App/ShellScreens.h"
#include "Classes/Bookmarks/BookmarkCell.h"
#include "Classes/Bookmarks/BookmarkCellView.h"
#include "Classes/Bookmarks/OpaqueLayer.h"
#include "Classes/Core/Bookmark.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class BookmarksViewController : public UIViewController,
                                public BookmarkListScreen,
                                public UITableViewDataSource,
                                public UITableViewDelegate,
                                public UISearchBarDelegate,
                                public OpaqueLayerDelegate,
                                public UIActionSheetDelegate,
                                public MFMailComposeViewControllerDelegate {
public:
    explicit BookmarksViewController(const std::string& nibName = "BookmarksView");
    ~BookmarksViewController() override;

    // Registers the interfaces "BookmarksView" and "BookmarkGroups" and makes the shell build
    // the bookmarks tab's screens from them.
    static void registerInterface();

    // ---- Outlets, wired by the "BookmarksView" builder ----
    std::shared_ptr<UITableView> tblBookmarks;
    std::shared_ptr<UISearchBar> txtSearchBar;
    std::shared_ptr<UIButton> btnGroups, btnMore;
    std::shared_ptr<UILabel> lblNavTitle, lblNoBookmarks;
    std::shared_ptr<UIActivityIndicatorView> activityView;
    std::shared_ptr<UIView> viewBatchEditBar;
    std::shared_ptr<UIButton> btnBatchMove, btnBatchShare, btnBatchRemove;
    std::shared_ptr<UIImageView> imgBatchEditBarBG, imgBG, imgTopBarBG;
    std::shared_ptr<UIView> viewTopNavBar, viewBgSearch;
    // Made in code when the view loads.
    std::shared_ptr<OpaqueLayer> viewOpaqueLayer;

    // ---- The shell's interface ----
    void setGroupFilter(int group) override;
    void refreshTheme() override;

    // ---- Loading ----
    void refreshView();
    void refreshViewWithRetry();
    void bookmarkDidChange() { bookmarksChanged_ = true; }
    void setupBookmarkRows();
    void doneLoadingBookmarks(Bookmark::List sections);
    void refreshBookmarkBadge();
    void sectionWithRow(const std::shared_ptr<Bookmark>& section, bool willCollapse);
    void btnGroupPressed();

    // ---- Keyboard ----
    void keyboardWillShow();
    void keyboardWillHide();
    // Shrinks the table above the keyboard (showing) or gives the room back.
    void showHideKeyboard(bool showing, bool animated);

    // ---- Search ----
    void searchBarTextDidChange(UISearchBar* bar, const std::string& searchText) override;
    void searchBarTextDidBeginEditing(UISearchBar* bar) override;
    void searchBarTextDidEndEditing(UISearchBar* bar) override;
    void searchBarSearchButtonClicked(UISearchBar* bar) override;
    void searchBarCancelButtonClicked(UISearchBar* bar) override;
    void showOpaqueView();
    void hideOpaqueView() override;

    // ---- Batch editing and actions ----
    void btnMorePressed();
    void checkBatchButtons();
    void resetSelections();
    void batchEditButtonPressed(UIButton* sender);
    void deleteBookmarkAtIndexPaths(const std::vector<NSIndexPath>& paths);
    void deleteBookmarkAtIndexPath(const NSIndexPath& path) { deleteBookmarkAtIndexPaths({path}); }
    void tapAndHoldRow(BookmarkCell* cell);
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;
    void removeCurrentSelection();
    void showNoteForBookmark(BookmarkCell* cell);
    void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                               const NSError* error) override;
    // The HTML body of the mail of the selected bookmarks, every inserted text escaped.
    std::string mailBodyForSelection() const;
    // The selected bookmark records, section by section in list order.
    Bookmark::List selectedBookmarks() const;

    // ---- Life cycle ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidUnload() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    // ---- Table ----
    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    bool canEditRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void commitEditingStyle(UITableView* tableView, UITableViewCellEditingStyle style, const NSIndexPath& indexPath) override;
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForHeaderInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    UITableViewCellEditingStyle editingStyleForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::string titleForDeleteConfirmationButtonForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return " - "; }
    bool shouldIndentWhileEditingRowAtIndexPath(UITableView*, const NSIndexPath&) override { return false; }

    // ---- State ----
    int currentGroupFilter() const { return currentGroupFilter_; }
    const Bookmark::List& sections() const { return arrSectionedBookmarks_; }
    const std::vector<std::shared_ptr<BookmarkCellView>>& sectionViews() const { return arrSectionViews_; }
    bool bookmarksChanged() const { return bookmarksChanged_; }
    void setBookmarksChanged(bool on) { bookmarksChanged_ = on; }
    bool loadingBookmarks() const { return loadingBookmarks_; }
    bool isTextFilterResults() const { return isTextFilterResults_; }
    bool IsEditing() const { return IsEditing_; }
    bool keyboardIsShowing() const { return keyboardIsShowing_; }
    bool viewIsVisible() const { return viewIsVisible_; }
    const std::optional<NSIndexPath>& selectedCell() const { return selectedCell_; }
    // Loads completed since creation, and the search text of the last one.
    int loadsCompleted() const { return loadsCompleted_; }
    const std::string& lastLoadedSearch() const { return lastLoadedSearch_; }
    UIActionSheet* actionSheet() const { return actionSheet_.get(); }
    UIAlertView* lastAlert() const { return lastAlert_.get(); }

private:
    static std::string groupTitle(int group);
    void startLoadWorker(int group, std::string search);
    void showNoBookmarks(bool none);
    void applyScrollStateForAppearance();
    void presentMovingGroups(Bookmark::List bookmarks);
    void showEmailNotSetup();
    std::shared_ptr<Bookmark> bookmarkAt(const NSIndexPath& path) const;

    int currentGroupFilter_ = 0;
    Bookmark::List arrSectionedBookmarks_;
    std::vector<std::shared_ptr<BookmarkCellView>> arrSectionViews_;
    bool bookmarksChanged_ = true;
    // Set and cleared on the main thread only; a request during a load runs once it ends.
    bool loadingBookmarks_ = false;
    bool reloadRequested_ = false;
    bool usePrevOffset_ = false;
    CGPoint currTblOffset_{0, 0};
    bool viewIsVisible_ = false;
    bool isTextFilterResults_ = false;
    bool IsEditing_ = false;
    bool keyboardIsShowing_ = false;
    CGSize keyboardSize_{0, 0};
    std::optional<NSIndexPath> selectedCell_;
    bool ignoreNextTap_ = false;
    bool hidingOpaque_ = false;
    int loadsCompleted_ = 0;
    std::string loadingSearch_, lastLoadedSearch_;
    std::shared_ptr<UIActionSheet> actionSheet_;
    std::shared_ptr<UIAlertView> lastAlert_;
};
