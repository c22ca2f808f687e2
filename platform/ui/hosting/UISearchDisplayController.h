#pragma once
// Runs a search bar over another controller's content: while the search is active the bar
// shows its Cancel button, the navigation bar steps aside, the content is dimmed, and once
// the bar holds text a results table takes the place of the dimmed content.

#include <memory>
#include <string>

#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UITableView.h"

class UISearchDisplayController;
class UIViewController;

// Every message optional.
class UISearchDisplayDelegate {
public:
    virtual ~UISearchDisplayDelegate() = default;
    virtual void searchDisplayControllerWillBeginSearch(UISearchDisplayController* controller) {}
    virtual void searchDisplayControllerDidBeginSearch(UISearchDisplayController* controller) {}
    virtual void searchDisplayControllerWillEndSearch(UISearchDisplayController* controller) {}
    virtual void searchDisplayControllerDidEndSearch(UISearchDisplayController* controller) {}
    virtual void didLoadSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    virtual void willUnloadSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    virtual void willShowSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    virtual void didShowSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    virtual void willHideSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    virtual void didHideSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) {}
    // Whether the results table reloads now; an answer of false leaves it to reload itself.
    virtual bool shouldReloadTableForSearchString(UISearchDisplayController* controller, const std::string& searchString) {
        return true;
    }
    virtual bool shouldReloadTableForSearchScope(UISearchDisplayController* controller, int searchOption) { return true; }
};

class UISearchDisplayController : private UISearchBarDelegate {
public:
    // The controller becomes the bar's delegate; the contents controller is unretained.
    UISearchDisplayController(std::shared_ptr<UISearchBar> searchBar, UIViewController* contentsController);
    virtual ~UISearchDisplayController();
    UISearchDisplayController(const UISearchDisplayController&) = delete;
    UISearchDisplayController& operator=(const UISearchDisplayController&) = delete;

    UISearchBar* searchBar() const { return searchBar_.get(); }
    const std::shared_ptr<UISearchBar>& searchBarPtr() const { return searchBar_; }
    UIViewController* searchContentsController() const { return contents_; }

    // All unretained.
    UISearchDisplayDelegate* delegate() const { return delegate_; }
    void setDelegate(UISearchDisplayDelegate* delegate) { delegate_ = delegate; }
    UITableViewDataSource* searchResultsDataSource() const { return resultsDataSource_; }
    void setSearchResultsDataSource(UITableViewDataSource* dataSource);
    UITableViewDelegate* searchResultsDelegate() const { return resultsDelegate_; }
    virtual void setSearchResultsDelegate(UITableViewDelegate* delegate);

    // Made on first use (the delegate hears didLoad).
    UITableView* searchResultsTableView();
    const std::shared_ptr<UITableView>& searchResultsTableViewPtr() {
        searchResultsTableView();
        return resultsTable_;
    }
    bool isSearchResultsTableViewLoaded() const { return resultsTable_ != nullptr; }
    bool isShowingSearchResults() const { return resultsTable_ && resultsTable_->superview(); }
    // The view that dims the content while the bar is empty; null while inactive.
    UIView* dimmingView() const { return dimming_ && dimming_->superview() ? dimming_.get() : nullptr; }

    bool isActive() const { return active_; }
    void setActive(bool active, bool animated);
    // The search option (scope) in effect; a change asks the delegate whether to reload.
    int selectedSearchOption() const { return searchOption_; }
    void setSelectedSearchOption(int option);

private:
    void searchBarTextDidBeginEditing(UISearchBar* bar) override;
    void searchBarTextDidChange(UISearchBar* bar, const std::string& searchText) override;
    void searchBarSearchButtonClicked(UISearchBar* bar) override;
    void searchBarCancelButtonClicked(UISearchBar* bar) override;
    void selectedScopeButtonIndexDidChange(UISearchBar* bar, int selectedScope) override;
    // The bar grows by its scope buttons while a search runs.
    void showScopeBar(bool shows);

    // Where the dimming view and the results go, and the part of it below the bar.
    UIView* hostView() const;
    CGRect rectBelowBar() const;
    void updateResults(bool askToReload);
    void showResults();
    void hideResults();

    std::shared_ptr<UISearchBar> searchBar_;
    UIViewController* contents_;  // unretained
    UISearchDisplayDelegate* delegate_ = nullptr;
    UITableViewDataSource* resultsDataSource_ = nullptr;
    UITableViewDelegate* resultsDelegate_ = nullptr;
    std::shared_ptr<UITableView> resultsTable_;
    std::shared_ptr<UIView> dimming_;
    bool active_ = false;
    bool hidNavigationBar_ = false;
    int searchOption_ = 0;
};

using UISearchDisplayControllerPtr = std::shared_ptr<UISearchDisplayController>;
