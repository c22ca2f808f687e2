#include "platform/ui/hosting/UISearchDisplayController.h"

#include <algorithm>

#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UIViewController.h"

namespace {
constexpr double kSearchDimmingAlpha = 0.8;
constexpr double kSearchDimmingFade = 0.3;
}  // namespace

UISearchDisplayController::UISearchDisplayController(std::shared_ptr<UISearchBar> searchBar,
                                                     UIViewController* contentsController)
    : searchBar_(std::move(searchBar)), contents_(contentsController) {
    if (searchBar_) searchBar_->setDelegate(this);
}

UISearchDisplayController::~UISearchDisplayController() {
    if (searchBar_ && searchBar_->delegate() == this) searchBar_->setDelegate(nullptr);
    if (resultsTable_) {
        resultsTable_->setDataSource(nullptr);
        resultsTable_->setDelegate(nullptr);
        resultsTable_->removeFromSuperview();
    }
    if (dimming_) dimming_->removeFromSuperview();
}

void UISearchDisplayController::setSearchResultsDataSource(UITableViewDataSource* dataSource) {
    resultsDataSource_ = dataSource;
    if (resultsTable_) resultsTable_->setDataSource(dataSource);
}

void UISearchDisplayController::setSearchResultsDelegate(UITableViewDelegate* delegate) {
    resultsDelegate_ = delegate;
    if (resultsTable_) resultsTable_->setDelegate(delegate);
}

UITableView* UISearchDisplayController::searchResultsTableView() {
    if (!resultsTable_) {
        resultsTable_ = std::make_shared<UITableView>(rectBelowBar(), UITableViewStylePlain);
        resultsTable_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        resultsTable_->setDataSource(resultsDataSource_);
        resultsTable_->setDelegate(resultsDelegate_);
        if (delegate_) delegate_->didLoadSearchResultsTableView(this, resultsTable_.get());
    }
    return resultsTable_.get();
}

UIView* UISearchDisplayController::hostView() const {
    if (!contents_) return searchBar_ ? searchBar_->superview() : nullptr;
    UIView* view = contents_->view();
    // Overlays inside a scroll view would move with its content.
    if (dynamic_cast<UIScrollView*>(view) && view->superview()) return view->superview();
    return view;
}

CGRect UISearchDisplayController::rectBelowBar() const {
    UIView* host = hostView();
    if (!host || !searchBar_) return CGRectZero;
    CGRect bounds = host->bounds();
    double top = 0;
    if (searchBar_->window() && searchBar_->window() == host->window()) {
        CGRect bar = searchBar_->convertRectToView(searchBar_->bounds(), host);
        top = std::clamp(CGRectGetMaxY(bar), bounds.origin.y, CGRectGetMaxY(bounds));
    }
    return CGRectMake(bounds.origin.x, top, bounds.size.width, CGRectGetMaxY(bounds) - top);
}

void UISearchDisplayController::setActive(bool active, bool animated) {
    if (active == active_) return;
    UINavigationController* nav = contents_ ? contents_->navigationController() : nullptr;
    if (active) {
        if (delegate_) delegate_->searchDisplayControllerWillBeginSearch(this);
        active_ = true;
        searchBar_->setShowsCancelButton(true, animated);
        showScopeBar(true);
        if (nav && !nav->isNavigationBarHidden()) {
            nav->setNavigationBarHidden(true, animated);
            hidNavigationBar_ = true;
        }
        if (!dimming_) {
            auto button = std::make_shared<UIButton>(CGRectZero);
            button->setBackgroundColor(UIColor::blackColor());
            button->addTarget(this, [this](UIControl*, UIEvent*) { setActive(false, true); },
                              UIControlEventTouchUpInside);
            dimming_ = button;
        }
        dimming_->removeAllViewAnimations();
        if (UIView* host = hostView()) {
            dimming_->setFrame(rectBelowBar());
            host->addSubview(dimming_);
        }
        dimming_->setAlpha(animated ? 0 : kSearchDimmingAlpha);
        if (animated) UIView::animateWithDuration(kSearchDimmingFade, [this] { dimming_->setAlpha(kSearchDimmingAlpha); });
        if (!searchBar_->isFirstResponder()) searchBar_->becomeFirstResponder();
        if (!searchBar_->text().empty()) updateResults(true);
        if (delegate_) delegate_->searchDisplayControllerDidBeginSearch(this);
    } else {
        if (delegate_) delegate_->searchDisplayControllerWillEndSearch(this);
        active_ = false;
        hideResults();
        std::shared_ptr<UIView> dimming = dimming_;
        if (animated && dimming->superview()) {
            UIView::animateWithDuration(kSearchDimmingFade, [dimming] { dimming->setAlpha(0); },
                                        [dimming, this](bool) {
                                            if (!active_) dimming->removeFromSuperview();
                                        });
        } else {
            dimming->removeFromSuperview();
        }
        if (nav && hidNavigationBar_) nav->setNavigationBarHidden(false, animated);
        hidNavigationBar_ = false;
        searchBar_->setShowsCancelButton(false, animated);
        showScopeBar(false);
        // Clearing comes before resigning so the text change finds the search ended.
        searchBar_->setText("");
        if (searchBar_->isFirstResponder()) searchBar_->resignFirstResponder();
        if (delegate_) delegate_->searchDisplayControllerDidEndSearch(this);
    }
}

void UISearchDisplayController::setSelectedSearchOption(int option) {
    if (option == searchOption_) return;
    searchOption_ = option;
    if (!active_ || searchBar_->text().empty()) return;
    bool reload = !delegate_ || delegate_->shouldReloadTableForSearchScope(this, option);
    showResults();
    if (reload) resultsTable_->reloadData();
}

void UISearchDisplayController::updateResults(bool askToReload) {
    if (searchBar_->text().empty()) {
        hideResults();
        return;
    }
    bool reload = !askToReload || !delegate_ || delegate_->shouldReloadTableForSearchString(this, searchBar_->text());
    showResults();
    if (reload) resultsTable_->reloadData();
}

void UISearchDisplayController::showResults() {
    UITableView* table = searchResultsTableView();
    if (table->superview()) return;
    UIView* host = hostView();
    if (!host) return;
    if (delegate_) delegate_->willShowSearchResultsTableView(this, table);
    table->setFrame(rectBelowBar());
    host->addSubview(resultsTable_);
    if (delegate_) delegate_->didShowSearchResultsTableView(this, table);
}

void UISearchDisplayController::hideResults() {
    if (!isShowingSearchResults()) return;
    UITableView* table = resultsTable_.get();
    if (delegate_) delegate_->willHideSearchResultsTableView(this, table);
    resultsTable_->removeFromSuperview();
    if (delegate_) delegate_->didHideSearchResultsTableView(this, table);
}

void UISearchDisplayController::searchBarTextDidBeginEditing(UISearchBar*) { setActive(true, true); }

void UISearchDisplayController::searchBarTextDidChange(UISearchBar*, const std::string&) {
    if (active_) updateResults(true);
}

void UISearchDisplayController::searchBarSearchButtonClicked(UISearchBar* bar) { bar->resignFirstResponder(); }

void UISearchDisplayController::searchBarCancelButtonClicked(UISearchBar*) { setActive(false, true); }

void UISearchDisplayController::selectedScopeButtonIndexDidChange(UISearchBar*, int selectedScope) {
    setSelectedSearchOption(selectedScope);
}

void UISearchDisplayController::showScopeBar(bool shows) {
    if (searchBar_->scopeButtonTitles().empty()) return;
    searchBar_->setShowsScopeBar(shows);
    CGRect frame = searchBar_->frame();
    frame.size = searchBar_->sizeThatFits(frame.size);
    searchBar_->setFrame(frame);
    searchBar_->layoutIfNeeded();
}
