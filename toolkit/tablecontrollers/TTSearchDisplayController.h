#pragma once
// The platform's search display run by a table screen: the results controller shows the results
// in the display's table, its data source runs the search, and typing may pause 0.4 s before a
// search starts.

#include <memory>

#include "platform/foundation/NSTimer.h"
#include "platform/ui/hosting/UISearchDisplayController.h"
#include "toolkit/tablecontrollers/TTTableViewController.h"

class TTSearchDisplayController : public UISearchDisplayController, private UISearchDisplayDelegate {
 public:
  // The display is its own delegate.
  TTSearchDisplayController(std::shared_ptr<UISearchBar> searchBar, UIViewController* contentsController);
  ~TTSearchDisplayController() override;

  TTTableViewController* searchResultsViewController() const { return searchResultsViewController_.get(); }
  const TTTableViewControllerPtr& searchResultsViewControllerPtr() const { return searchResultsViewController_; }
  void setSearchResultsViewController(TTTableViewControllerPtr controller) {
    searchResultsViewController_ = std::move(controller);
  }
  bool pausesBeforeSearching() const { return pausesBeforeSearching_; }
  void setPausesBeforeSearching(bool on) { pausesBeforeSearching_ = on; }
  // Kept alive by the display as long as it is the results delegate.
  void setSearchResultsDelegate(std::shared_ptr<UITableViewDelegate> delegate);
  void setSearchResultsDelegate(UITableViewDelegate* delegate) override;

  // Cancels a load in progress, clears the search and lets the results table go.
  void resetResults();
  void restartPauseTimer();
  void searchAfterPause();

 private:
  void searchDisplayControllerWillBeginSearch(UISearchDisplayController* controller) override;
  void searchDisplayControllerDidEndSearch(UISearchDisplayController* controller) override;
  void didShowSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) override;
  void willHideSearchResultsTableView(UISearchDisplayController* controller, UITableView* tableView) override;
  bool shouldReloadTableForSearchString(UISearchDisplayController* controller, const std::string& text) override;
  bool shouldReloadTableForSearchScope(UISearchDisplayController* controller, int searchOption) override;
  void search(const std::string& text);

  std::shared_ptr<UITableViewDelegate> searchResultsDelegate2_;
  TTTableViewControllerPtr searchResultsViewController_;
  std::shared_ptr<NSTimer> pauseTimer_;
  bool pausesBeforeSearching_ = false;
  // How far the bar's superview moved up when a search began outside a navigation controller.
  double liftedBy_ = 0;
};

using TTSearchDisplayControllerPtr = std::shared_ptr<TTSearchDisplayController>;
