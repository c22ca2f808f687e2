#pragma once
// The platform's search display run by a table screen: the results controller shows the results
// in the display's table, its data source runs the search, and typing may pause 0.4 s before a
// search starts.

#include <memory>

#include "platform/foundation/NSTimer.h"
#include "platform/ui/hosting/UISearchDisplayController.h"
#include "toolkit/controllers/TTSearchDisplay.h"
#include "toolkit/tablecontrollers/TTTableViewController.h"

class TTSearchDisplayController : public UISearchDisplayController,
                                  public TTSearchDisplay,
                                  private UISearchDisplayDelegate {
 public:
  // Lets every toolkit screen make one of these for its search results controller.
  static void install();

  // The display is its own delegate.
  TTSearchDisplayController(std::shared_ptr<UISearchBar> searchBar, UIViewController* contentsController);
  ~TTSearchDisplayController() override;

  UISearchDisplayController& searchDisplayController() override { return *this; }
  TTTableViewController* searchResultsViewController() const override { return searchResultsViewController_.get(); }
  // Results are shown by a table view controller; any other controller is not kept.
  void setSearchResultsViewController(UIViewControllerPtr controller) override {
    searchResultsViewController_ = std::dynamic_pointer_cast<TTTableViewController>(controller);
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
