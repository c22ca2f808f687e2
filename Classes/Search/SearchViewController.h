#pragma once
// The search screen of the Search tab: a search bar with a bar of operator keys above the
// keyboard; 0.2 s after the last change a worker searches the Arabic text without its vowel
// marks and, only when that finds nothing, the translation in use; the hits come back grouped
// by chapter with snippets of the translation. A tapped hit opens the reading screen; every
// search that found something enters the search history.
//
// Built from the interface "SearchView" (+Interface); table callbacks in +TableDelegate, the
// search bar, overlay and keyboard in +Search, the worker in +Worker.

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Classes/App/ShellScreens.h"
#include "Classes/Bookmarks/OpaqueLayer.h"
#include "Classes/Core/SavedSearch.h"
#include "Classes/Core/SearchResult.h"
#include "Classes/Search/SearchCellView.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UISegmentedControl.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

struct sqlite3;
class SearchViewCell;

class SearchViewController : public UIViewController,
                             public SearchScreen,
                             public SearchResultListOwner,
                             public UITableViewDataSource,
                             public UITableViewDelegate,
                             public UISearchBarDelegate,
                             public OpaqueLayerDelegate,
                             public UIActionSheetDelegate,
                             public MFMailComposeViewControllerDelegate,
                             public MFMessageComposeViewControllerDelegate {
public:
    explicit SearchViewController(const std::string& nibName = "SearchView");
    ~SearchViewController() override;

    // Registers the interfaces "SearchView" and "SavedSearches" and makes the shell build the
    // Search tab's screens from them.
    static void registerInterface();

    // ---- Outlets, wired by the "SearchView" builder ----
    std::shared_ptr<UISearchBar> txtSearchBar;
    std::shared_ptr<UITableView> tblSearchResults;
    std::shared_ptr<UILabel> lblResultsTitle, lblHintTop, lblHintTitle;
    std::shared_ptr<UIButton> btnMore, btnSavedSearches;
    std::shared_ptr<UIButton> btnBarQoute, btnBarAsterisk, btnBarMinus, btnBarOR;
    std::shared_ptr<UIView> viewSearchBar, viewTopBar;
    // Where the shown hits were found: the Quran's text or the current translation. A press
    // searches again afresh in the current translation.
    std::shared_ptr<UISegmentedControl> segmentSelector;
    std::shared_ptr<UIImageView> imgBG, imgTopBarBG;
    std::shared_ptr<UIActivityIndicatorView> activityView;
    // Made in code when the view loads.
    std::shared_ptr<OpaqueLayer> viewOpaqueLayer;

    // ---- What the worker is given and hands back ----
    struct SearchRequest {
        std::string query;
        int translation = 0;  // searched when the Arabic text finds nothing; 0: none
        double viewWidth = 320;
        sqlite3* contentDb = nullptr;
    };
    struct SearchOutcome {
        SearchResult::List sections;
        int totalSurahs = 0, totalVerses = 0;
        int foundInTrans = 0;
        int limitReached = 0;
        bool cancelled = false;
        std::string query;
        std::string failure;  // what went wrong when a query could not run (empty: none)
    };
    // The whole search, off the main thread: Arabic first, then the translation; hits grouped
    // by chapter with their texts and snippets. The flag is polled before every hit.
    static SearchOutcome setupResultsInBG(const SearchRequest& request, const std::atomic<bool>& cancel);

    // ---- The shell's interface ----
    void filterWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) override;
    void refreshTheme() override;

    // ---- Searching ----
    void refreshView() { setupResults(); }
    void refreshViewWithRetry();
    void setupResults();
    void doneLoadingResults(SearchOutcome outcome);
    void checkLandscape();
    void addToRecentSearches();
    // The history entry of the shown search, or none.
    std::shared_ptr<SavedSearch> getCurrentSavedSearch() const;
    void keybarButtonPressed(UIButton* sender);
    void btnSavedSearchesPressed();
    void translationDidChange();
    void segmentSelectorPressed();
    // Titles the two segments and selects the one the shown hits came from.
    void updateSegmentSelector();
    void arabicLanguageChanged() { needsRefresh_ = true; }
    void sectionWithRow(const std::shared_ptr<SearchResult>& section, bool willCollapse) override;
    // ---- Sharing and marking (+Sharing) ----
    // A long press on a hit: the row is held (selected) and its sheet offers mail and SMS.
    void tapAndHoldRow(SearchViewCell* cell) override;
    void removeCurrentSelection();
    // The sheet of all results: mail them, or mark / unmark them in the reading view.
    void btnMorePressed();
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;
    // Composes a mail of the HTML followed by the store link.
    void emailText(const std::string& html);
    void smsText(const std::string& text);
    void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                               const NSError* error) override;
    void messageComposeViewController(MFMessageComposeViewController& controller, MessageComposeResult result) override;
    // The mail of one hit: heading, Arabic and (with a translation set) the translation, all
    // texts escaped.
    static std::string htmlForVerse(int surah, int verse);
    static std::string textForVerse(int surah, int verse);
    // The body of "Email Results" before the store link: every hit of every section, collapsed
    // ones included.
    std::string htmlForAllResults() const;
    // Marks or unmarks the hits of the shown search's history entry; false when it has none
    // or the marks could not be changed.
    bool toggleMarkingOfCurrentSearch();
    UIActionSheet* actionSheet() const { return actionSheet_.get(); }
    UIAlertView* lastAlert() const { return lastAlert_.get(); }

    // ---- Search bar, overlay, keyboard ----
    void searchBarTextDidChange(UISearchBar* bar, const std::string& searchText) override;
    void searchBarTextDidBeginEditing(UISearchBar* bar) override;
    void searchBarTextDidEndEditing(UISearchBar* bar) override;
    void searchBarSearchButtonClicked(UISearchBar* bar) override;
    void searchBarCancelButtonClicked(UISearchBar* bar) override;
    void showOpaqueView();
    void hideOpaqueView() override;
    void keyboardWillShow();
    void keyboardWillHide();
    void showHideKeyboard(bool showing, bool animated);

    // ---- Life cycle ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidUnload() override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }
    void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation orientation, double duration) override;

    // ---- Table ----
    int numberOfSectionsInTableView(UITableView* tableView) override;
    int numberOfRowsInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    bool canEditRowAtIndexPath(UITableView*, const NSIndexPath&) override { return false; }
    double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    double heightForHeaderInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UIView> viewForHeaderInSection(UITableView* tableView, int section) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    // ---- State ----
    const SearchResult::List& sections() const { return arrSectionedResults_; }
    const std::vector<std::shared_ptr<SearchCellView>>& sectionViews() const { return arrSectionViews_; }
    bool loadingResults() const { return loadingResults_; }
    int foundInTrans() const { return foundInTrans_; }
    int limitReached() const { return limitReached_; }
    const std::string& searchFailure() const { return searchFailure_; }
    int totalSurahs() const { return totalSurahs_; }
    int totalVerses() const { return totalVerses_; }
    const std::optional<std::string>& strLastSearchedWord() const { return strLastSearchedWord_; }
    const std::shared_ptr<SavedSearch>& useSavedSearchFromHistory() const { return useSavedSearchFromHistory_; }
    bool keyboardIsShowing() const { return keyboardIsShowing_; }
    bool needsRefresh() const { return needsRefresh_; }
    // Searches started and searches whose results were shown, since creation.
    int searchesStarted() const { return searchesStarted_; }
    int searchesShown() const { return searchesShown_; }
    const std::optional<NSIndexPath>& selectedCell() const { return selectedCell_; }

private:
    std::shared_ptr<SearchResult> resultAt(const NSIndexPath& path) const;
    void startWorker(std::string query);
    void applyResultTexts();
    void showAlert(const std::string& title, const std::string& message);

    SearchResult::List arrSectionedResults_;
    std::vector<std::shared_ptr<SearchCellView>> arrSectionViews_;
    std::shared_ptr<SavedSearch> useSavedSearchFromHistory_;
    int foundInTrans_ = 0;
    int limitReached_ = 0;
    std::string searchFailure_;  // the last search's failure, shown instead of "No results found"
    int lastTranslationSearched_ = 0;
    std::optional<std::string> strLastSearchedWord_;
    // The running worker's cancel flag; a new search gets a new one.
    std::shared_ptr<std::atomic<bool>> cancelPreviousSearch_ = std::make_shared<std::atomic<bool>>(false);
    bool usePrevOffset_ = false;
    CGPoint currTblOffset_{0, 0};
    int totalVerses_ = 0, totalSurahs_ = 0;
    std::optional<NSIndexPath> selectedCell_;
    bool needsRefresh_ = false;
    CGRect viewFrame_{};
    bool keyboardIsShowing_ = false;
    CGSize keyboardSize_{0, 0};
    // Set and cleared on the main thread only; a search asked for during one runs once it ends.
    bool loadingResults_ = false;
    bool searchRequested_ = false;
    bool needsToRefresh_ = false;
    bool isTextFilterResults_ = false;
    bool hidingOpaque_ = false;
    std::shared_ptr<UIActionSheet> actionSheet_;
    std::shared_ptr<UIAlertView> lastAlert_;
    int searchesStarted_ = 0, searchesShown_ = 0;
};
