#include "toolkit/tablecontrollers/TTSearchDisplayController.h"

#include "toolkit/tables/TTTableViewDataSource.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
constexpr double kPauseInterval = 0.4;
constexpr double kStatusBarHeight = 20;
}  // namespace

void TTSearchDisplayController::install() {
  TTSearchDisplay::maker() = [](std::shared_ptr<UISearchBar> bar, UIViewController* contents) {
    return std::make_unique<TTSearchDisplayController>(std::move(bar), contents);
  };
}

TTSearchDisplayController::TTSearchDisplayController(std::shared_ptr<UISearchBar> searchBar,
                                                     UIViewController* contentsController)
    : UISearchDisplayController(std::move(searchBar), contentsController) {
  setDelegate(this);
}

TTSearchDisplayController::~TTSearchDisplayController() {
  if (pauseTimer_) pauseTimer_->invalidate();
  setDelegate(nullptr);
}

void TTSearchDisplayController::setSearchResultsDelegate(std::shared_ptr<UITableViewDelegate> delegate) {
  UISearchDisplayController::setSearchResultsDelegate(delegate.get());
  searchResultsDelegate2_ = std::move(delegate);
}

void TTSearchDisplayController::setSearchResultsDelegate(UITableViewDelegate* delegate) {
  UISearchDisplayController::setSearchResultsDelegate(delegate);
  if (searchResultsDelegate2_.get() != delegate) searchResultsDelegate2_.reset();
}

void TTSearchDisplayController::search(const std::string& text) {
  if (!searchResultsViewController_) return;
  if (const auto& dataSource = searchResultsViewController_->dataSource()) dataSource->search(text);
}

void TTSearchDisplayController::resetResults() {
  if (!searchResultsViewController_) return;
  if (TTModel* model = searchResultsViewController_->modelPtr().get(); model && model->isLoading()) model->cancel();
  search("");
  searchResultsViewController_->viewWillDisappear(false);
  searchResultsViewController_->viewDidDisappear(false);
  searchResultsViewController_->setTableView(nullptr);
}

void TTSearchDisplayController::restartPauseTimer() {
  if (pauseTimer_) pauseTimer_->invalidate();
  pauseTimer_ = NSTimer::scheduledTimer(kPauseInterval, false, [this](NSTimer&) { searchAfterPause(); });
}

void TTSearchDisplayController::searchAfterPause() {
  pauseTimer_.reset();
  search(searchBar()->text());
}

bool TTSearchDisplayController::shouldReloadTableForSearchString(UISearchDisplayController*, const std::string& text) {
  if (pausesBeforeSearching_) {
    restartPauseTimer();
  } else {
    search(text);
  }
  return false;  // the data source reloads the table through its model
}

bool TTSearchDisplayController::shouldReloadTableForSearchScope(UISearchDisplayController*, int) {
  search(searchBar()->text());
  return false;
}

void TTSearchDisplayController::didShowSearchResultsTableView(UISearchDisplayController*, UITableView*) {
  if (!searchResultsViewController_) return;
  searchResultsViewController_->setTableView(searchResultsTableViewPtr());
  searchResultsViewController_->viewWillAppear(false);
  searchResultsViewController_->viewDidAppear(false);
}

void TTSearchDisplayController::willHideSearchResultsTableView(UISearchDisplayController*, UITableView*) {
  resetResults();
}

void TTSearchDisplayController::searchDisplayControllerWillBeginSearch(UISearchDisplayController*) {
  UIViewController* contents = searchContentsController();
  UIView* holder = searchBar()->superview();
  if (!contents || contents->navigationController() || !holder) return;
  // Brings the bar up under the status bar while the search runs.
  liftedBy_ = tt::screenY(*searchBar()) - kStatusBarHeight;
  UIView::animateWithDuration(0.2, [holder, lift = liftedBy_] { tt::setTop(*holder, tt::top(*holder) - lift); });
}

void TTSearchDisplayController::searchDisplayControllerDidEndSearch(UISearchDisplayController*) {
  resetResults();
  UIView* holder = searchBar()->superview();
  if (liftedBy_ == 0 || !holder) return;
  UIView::animateWithDuration(0.2, [holder, lift = liftedBy_] { tt::setTop(*holder, tt::top(*holder) + lift); });
  liftedBy_ = 0;
}
