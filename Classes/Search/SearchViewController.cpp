#include "Classes/Search/SearchViewController.h"

#include <algorithm>
#include <cmath>

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SavedSearchStore.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

using screen_support::contentDb;
using screen_support::searchDb;
using screen_support::stretched;
using screen_support::tr;
using screen_support::userDb;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }
int defaultInt(const char* key) { return static_cast<int>(defaults().integerForKey(key)); }

constexpr const char* kShortHelp =
    "\"an example\"\nPut between quotes to find the complete phrase\n\nexam*\nPut an asterisk anywhere in a word to "
    "find all words that contain these letters";
constexpr const char* kLongHelpTail =
    "\n\ngood -bad\nPut a minus before a word to exclude results containing it\n\ngood OR bad\nUse OR to find verses "
    "containing any of the two words";

std::string shownCount(int n) {
    std::string text = stringWithFormat("%i", n);
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(text) : text;
}

}  // namespace

SearchViewController::SearchViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
}

SearchViewController::~SearchViewController() {
    cancelPreviousSearch_->store(true);
    NSNotificationCenter::defaultCenter().removeObserver(this);
    RunLoop::main().cancelPreviousPerformRequests(this);
    if (tblSearchResults) {
        tblSearchResults->setDataSource(nullptr);
        tblSearchResults->setDelegate(nullptr);
    }
    if (txtSearchBar) txtSearchBar->setDelegate(nullptr);
    if (viewOpaqueLayer) viewOpaqueLayer->setDelegate(nullptr);
    for (const auto& header : arrSectionViews_) header->setViewController(nullptr);
    if (actionSheet_) actionSheet_->setDelegate(nullptr);
}

void SearchViewController::refreshTheme() {
    if (imgBG) imgBG->setImage(stretched("bk-bmg-bg.png.png", 159, 0));
    if (imgTopBarBG) imgTopBarBG->setImage(stretched("bk-bmg-header.png", 159, 0));
    if (txtSearchBar) {
        txtSearchBar->setPlaceholder(tr("Search"));
        if (!txtSearchBar->subviews().empty()) txtSearchBar->subviews().front()->setAlpha(0);
    }
    if (btnSavedSearches) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnSavedSearches->setTitle(tr("Saved"), state);
        btnSavedSearches->setBackgroundImage(stretched("button-arrow-left.png", 19, 0), UIControlStateNormal);
        btnSavedSearches->setBackgroundImage(stretched("button-arrow-left-t.png", 19, 0), UIControlStateHighlighted);
    }
    if (btnMore) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnMore->setTitle(tr("More"), state);
        btnMore->setBackgroundImage(stretched("black-button.png", 16, 0), UIControlStateNormal);
        btnMore->setBackgroundImage(stretched("black-button-t.png", 16, 0), UIControlStateHighlighted);
    }
    if (lblResultsTitle) lblResultsTitle->setContentMode(UIViewContentModeCenter);
    updateSegmentSelector();
}

// ---- Saved searches ----

void SearchViewController::filterWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) {
    if (!savedSearch) return;
    usePrevOffset_ = false;
    strLastSearchedWord_ = str::trim(savedSearch->strSearchText());
    needsToRefresh_ = true;
    useSavedSearchFromHistory_ = savedSearch;
    if (!isViewLoaded() || !txtSearchBar) return;
    // A screen already on display shows and runs the saved search at once.
    txtSearchBar->setText(*strLastSearchedWord_);
    RunLoop::main().cancelPreviousPerformRequests(this, "refreshViewWithRetry");
    refreshViewWithRetry();
}

std::shared_ptr<SavedSearch> SearchViewController::getCurrentSavedSearch() const {
    const std::string text = txtSearchBar ? str::trim(txtSearchBar->text()) : std::string();
    if (text.empty() || totalSurahs_ == 0) return nullptr;
    for (const auto& saved : ChapterInfo::getSavedSearch(userDb()))
        if (saved->iTranslation() == foundInTrans_ && str::equalsCaseInsensitive(saved->strSearchText(), text))
            return saved;
    return nullptr;
}

void SearchViewController::addToRecentSearches() {
    if (!strLastSearchedWord_ || strLastSearchedWord_->empty() || totalSurahs_ == 0 || loadingResults_) return;
    if (!SavedSearchStore::recordSearch(userDb(), *strLastSearchedWord_, foundInTrans_, totalVerses_))
        NSLog("[SearchViewController] Error: the search \"%@\" was not stored in the history.", *strLastSearchedWord_);
}

// ---- Searching ----

void SearchViewController::refreshViewWithRetry() {
    if (loadingResults_) {
        RunLoop::main().cancelPreviousPerformRequests(this, "refreshViewWithRetry");
        RunLoop::main().performAfterDelay(this, 0.2, [this] { refreshViewWithRetry(); }, "refreshViewWithRetry");
        return;
    }
    refreshView();
}

void SearchViewController::setupResults() {
    std::string query = txtSearchBar ? str::trim(txtSearchBar->text()) : std::string();
    if (!usePrevOffset_ && !needsToRefresh_ && !cancelPreviousSearch_->load() && strLastSearchedWord_ &&
        *strLastSearchedWord_ == query && !arrSectionedResults_.empty())
        return;
    // One worker at a time; the newest text is searched as soon as the running one ends.
    if (loadingResults_) {
        cancelPreviousSearch_->store(true);
        searchRequested_ = true;
        return;
    }
    if (!isTextFilterResults_ && tblSearchResults) tblSearchResults->setAlpha(0);
    if (activityView) activityView->startAnimating();
    if (isViewLoaded()) viewFrame_ = view()->frame();
    if (lblResultsTitle) lblResultsTitle->setText(tr("Searching..."));
    startWorker(std::move(query));
}

void SearchViewController::startWorker(std::string query) {
    cancelPreviousSearch_ = std::make_shared<std::atomic<bool>>(false);
    loadingResults_ = true;
    ++searchesStarted_;
    SearchRequest request;
    request.query = std::move(query);
    if (useSavedSearchFromHistory_) request.translation = useSavedSearchFromHistory_->iTranslation();
    else if (lastTranslationSearched_ != 0) request.translation = lastTranslationSearched_;
    else request.translation = defaultInt("CurrentTranslationv22");
    request.viewWidth = viewFrame_.size.width > 0 ? viewFrame_.size.width : 320;
    request.contentDb = searchDb();
    std::weak_ptr<SearchViewController> weak = std::static_pointer_cast<SearchViewController>(shared_from_this());
    detachNewThread(
        [weak, request = std::move(request), cancel = cancelPreviousSearch_] {
            SearchOutcome outcome = setupResultsInBG(request, *cancel);
            RunLoop::main().post([weak, outcome = std::move(outcome)]() mutable {
                if (auto self = weak.lock()) self->doneLoadingResults(std::move(outcome));
            });
        },
        "search");
}

void SearchViewController::doneLoadingResults(SearchOutcome outcome) {
    // Cut short by shutdown: the results, the settings and the history stay as they were.
    if (outcome.cancelled && workersShouldStop()) {
        loadingResults_ = false;
        searchRequested_ = false;
        return;
    }
    if (outcome.cancelled) {
        arrSectionedResults_.clear();
        strLastSearchedWord_.reset();
        totalSurahs_ = totalVerses_ = 0;
    } else {
        arrSectionedResults_ = std::move(outcome.sections);
        strLastSearchedWord_ = outcome.query;
        totalSurahs_ = outcome.totalSurahs;
        totalVerses_ = outcome.totalVerses;
    }
    foundInTrans_ = outcome.foundInTrans;
    limitReached_ = outcome.limitReached;
    searchFailure_ = outcome.failure;
    if (!searchFailure_.empty()) NSLog("[SearchViewController] %@ (query \"%@\")", searchFailure_, outcome.query);
    lastTranslationSearched_ = foundInTrans_;
    updateSegmentSelector();

    for (const auto& header : arrSectionViews_) header->setViewController(nullptr);
    arrSectionViews_.clear();
    for (const auto& section : arrSectionedResults_) {
        auto header = std::make_shared<SearchCellView>(CGRectMake(0, 0, 320, 44));
        header->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin);
        header->setViewController(this);
        header->setThisSearchResult(section);
        arrSectionViews_.push_back(header);
    }

    if (!strLastSearchedWord_) strLastSearchedWord_ = std::string();
    defaults().setInteger(lastTranslationSearched_, "LastTranslationSearched");
    defaults().setString(*strLastSearchedWord_, "LastSearchString");
    defaults().synchronize();

    loadingResults_ = false;
    ++searchesShown_;
    if (activityView) activityView->stopAnimating();
    if (tblSearchResults) {
        tblSearchResults->reloadData();
        if (isTextFilterResults_) {
            tblSearchResults->setAlpha(1);
        } else {
            UIView::beginAnimations("Show Table");
            UIView::setAnimationDuration(0.1);
            tblSearchResults->setAlpha(1);
            UIView::commitAnimations();
        }
        tblSearchResults->setContentOffset(usePrevOffset_ ? currTblOffset_ : CGPointMake(0, 0), false);
    }
    usePrevOffset_ = false;
    applyResultTexts();
    addToRecentSearches();
    if (searchRequested_) {
        searchRequested_ = false;
        setupResults();
    }
}

void SearchViewController::applyResultTexts() {
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
    const std::string limitNote = limitReached_ == 1 ? tr("\nToo many results, narrow down search") : std::string();
    const std::string hitsWord = totalVerses_ > 1 ? tr("results in") : tr("result in");
    const std::string chaptersWord = totalSurahs_ > 1 ? tr("Surahs") : tr("Surah");
    if (lblHintTitle) lblHintTitle->setText("");
    if (lblHintTop) {
        lblHintTop->setAlpha(0);
        lblHintTop->setTextColor(UIColor::colorWithRed(113 / 255.0, 77 / 255.0, 147 / 255.0, 1));
    }
    if (totalSurahs_ > 0) {
        if (btnMore) btnMore->setHidden(false);
        if (lblResultsTitle) {
            lblResultsTitle->setAlpha(1);
            lblResultsTitle->setText(arabic ? shownCount(totalVerses_) + " " + hitsWord + " " + shownCount(totalSurahs_) +
                                                  " " + chaptersWord + limitNote
                                            : stringWithFormat("%i %@ %i %@%@", totalVerses_, hitsWord, totalSurahs_,
                                                               chaptersWord, limitNote));
        }
        if (lblHintTitle) lblHintTitle->setAlpha(0);
    } else {
        if (btnMore) btnMore->setHidden(true);
        const bool empty = !txtSearchBar || txtSearchBar->text().empty();
        if (!empty) {
            if (lblResultsTitle) {
                lblResultsTitle->setAlpha(1);
                lblResultsTitle->setText(searchFailure_.empty() ? tr("No results found") : tr(searchFailure_.c_str()));
            }
        } else {
            if (lblResultsTitle) lblResultsTitle->setAlpha(0);
            if (lblHintTop) {
                lblHintTop->setAlpha(1);
                lblHintTop->setText(tr("You can use operators:"));
            }
            if (lblHintTitle) {
                lblHintTitle->setAlpha(1);
                const bool landscape = UIInterfaceOrientationIsLandscape(interfaceOrientation());
                lblHintTitle->setText(landscape ? tr(kShortHelp) : tr(kShortHelp) + tr(kLongHelpTail));
            }
        }
    }
    if (lblHintTitle) lblHintTitle->setTextAlignment(arabic ? UITextAlignmentRight : UITextAlignmentLeft);
}

void SearchViewController::checkLandscape() {
    if (!loadingResults_) applyResultTexts();
}

void SearchViewController::keybarButtonPressed(UIButton* sender) {
    if (!txtSearchBar || !sender) return;
    std::string add;
    if (sender == btnBarQoute.get()) add = "\"";
    else if (sender == btnBarAsterisk.get()) add = "*";
    else if (sender == btnBarMinus.get()) add = "-";
    else if (sender == btnBarOR.get()) add = " OR ";
    else return;
    txtSearchBar->setText(txtSearchBar->text() + add);
}

void SearchViewController::btnSavedSearchesPressed() {
    if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

void SearchViewController::translationDidChange() {
    needsRefresh_ = true;
    strLastSearchedWord_.reset();
    lastTranslationSearched_ = 0;
    updateSegmentSelector();
}

void SearchViewController::segmentSelectorPressed() {
    needsToRefresh_ = true;
    useSavedSearchFromHistory_.reset();
    strLastSearchedWord_.reset();
    lastTranslationSearched_ = 0;
    refreshViewWithRetry();
}

void SearchViewController::updateSegmentSelector() {
    if (!segmentSelector) return;
    const int current = static_cast<int>(defaults().integerForKey("CurrentTranslationv22"));
    segmentSelector->setTitle(tr("Quran"), 0);
    segmentSelector->setTitle(ChapterInfo::getTranslationNameForNumber(foundInTrans_ ? foundInTrans_ : current), 1);
    segmentSelector->setEnabled(current != 0 || foundInTrans_ != 0, 1);
    segmentSelector->setSelectedSegmentIndex(foundInTrans_ ? 1 : 0);
}

void SearchViewController::sectionWithRow(const std::shared_ptr<SearchResult>& section, bool willCollapse) {
    auto it = std::find(arrSectionedResults_.begin(), arrSectionedResults_.end(), section);
    if (it == arrSectionedResults_.end() || !tblSearchResults) return;
    const int index = static_cast<int>(it - arrSectionedResults_.begin());
    std::vector<NSIndexPath> paths;
    const int n = static_cast<int>(section->AllResults().size());
    for (int row = 0; row < n; ++row) paths.push_back(NSIndexPath{index, row});
    if (willCollapse) tblSearchResults->deleteRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
    else tblSearchResults->insertRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
}

// ---- Life cycle ----

void SearchViewController::viewDidLoad() {
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, "TranslationDidChange", [this] { translationDidChange(); });
    center.addObserver(this, "ArabicLanguageChanged", [this] { arabicLanguageChanged(); });
    if (lblHintTitle)
        lblHintTitle->setTextAlignment(LumenoSDKAppDelegate::IsLanguageArabic() ? UITextAlignmentRight : UITextAlignmentLeft);
    const double top = viewTopBar ? viewTopBar->frame().size.height : 44;
    const CGRect bounds = view()->bounds();
    viewOpaqueLayer = std::make_shared<OpaqueLayer>(CGRectMake(0, top, bounds.size.width, bounds.size.height - top));
    viewOpaqueLayer->setDelegate(this);
    viewOpaqueLayer->setUserInteractionEnabled(false);
    viewOpaqueLayer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    viewOpaqueLayer->setOpaque(false);
    viewOpaqueLayer->setAlpha(0);
    viewOpaqueLayer->setBackgroundColor(UIColor::clearColor());
    if (viewTopBar) view()->insertSubviewBelowSubview(viewOpaqueLayer, viewTopBar.get());
    else view()->addSubview(viewOpaqueLayer);
    if (tblSearchResults) {
        tblSearchResults->setDataSource(this);
        tblSearchResults->setDelegate(this);
    }
    if (!needsToRefresh_) {
        usePrevOffset_ = true;
        currTblOffset_ = CGPointMake(0, std::max(0, defaultInt("LastSearchYOffset")));
        strLastSearchedWord_ = defaults().stringForKey("LastSearchString");
        lastTranslationSearched_ = defaultInt("LastTranslationSearched");
    }
    if (txtSearchBar) {
        txtSearchBar->setText(strLastSearchedWord_.value_or(""));
        txtSearchBar->setDelegate(this);
        isTextFilterResults_ = !txtSearchBar->text().empty();
    }
    viewFrame_ = view()->frame();
    refreshTheme();
    needsRefresh_ = true;
}

void SearchViewController::viewWillAppear(bool) {
    if (UINavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(true);
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, UIKeyboardWillShowNotification, [this] { keyboardWillShow(); });
    center.addObserver(this, UIKeyboardWillHideNotification, [this] { keyboardWillHide(); });
    checkLandscape();
}

void SearchViewController::viewDidAppear(bool) {
    if (!needsRefresh_) return;
    needsRefresh_ = false;
    setupResults();
}

void SearchViewController::viewWillDisappear(bool) {
    auto& center = NSNotificationCenter::defaultCenter();
    center.removeObserver(this, UIKeyboardWillShowNotification);
    center.removeObserver(this, UIKeyboardWillHideNotification);
    if (tblSearchResults) {
        usePrevOffset_ = true;
        currTblOffset_ = tblSearchResults->contentOffset();
    }
    if (loadingResults_) {
        cancelPreviousSearch_->store(true);
        // The cancelled search ends empty; coming back runs it again.
        needsRefresh_ = true;
    }
    defaults().setInteger(static_cast<long long>(currTblOffset_.y), "LastSearchYOffset");
    defaults().synchronize();
    if (keyboardIsShowing_) showHideKeyboard(false, false);
}

void SearchViewController::viewDidUnload() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    for (const auto& header : arrSectionViews_) header->setViewController(nullptr);
    arrSectionViews_.clear();
    arrSectionedResults_.clear();
    strLastSearchedWord_.reset();
    needsRefresh_ = true;
    keyboardIsShowing_ = false;
    if (tblSearchResults) {
        tblSearchResults->setDataSource(nullptr);
        tblSearchResults->setDelegate(nullptr);
    }
    if (txtSearchBar) txtSearchBar->setDelegate(nullptr);
    tblSearchResults.reset();
    txtSearchBar.reset();
    viewOpaqueLayer.reset();
}

void SearchViewController::willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation, double) {
    usePrevOffset_ = true;
    if (tblSearchResults) currTblOffset_ = tblSearchResults->contentOffset();
    // Snippets are cut for the width, so the search runs again.
    refreshViewWithRetry();
    checkLandscape();
}
