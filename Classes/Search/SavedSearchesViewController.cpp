#include "Classes/Search/SavedSearchesViewController.h"

#include <algorithm>

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SavedSearchCell.h"
#include "Classes/Search/SavedSearchStore.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

using screen_support::contentDb;
using screen_support::stretched;
using screen_support::tr;
using screen_support::userDb;

constexpr const char* kCellIdentifier = "VerseCell";
constexpr unsigned kButtonStates[] = {UIControlStateNormal, UIControlStateHighlighted, UIControlStateDisabled};

}  // namespace

SavedSearchesViewController::SavedSearchesViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
    setTitle(tr("Search History"));
}

SavedSearchesViewController::~SavedSearchesViewController() {
    if (tblSavedSearches) {
        tblSavedSearches->setDataSource(nullptr);
        tblSavedSearches->setDelegate(nullptr);
    }
}

void SavedSearchesViewController::btnSearchPressed() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->filterSearchViewWithSavedSearch(nullptr);
}

void SavedSearchesViewController::rethemeUI() {
    if (imgBG) imgBG->setImage(stretched("bk-bmg-bg.png.png", 159, 0));
    if (imgTopBarBG) imgTopBarBG->setImage(stretched("bk-bmg-header.png", 159, 0));
    if (btnEdit) {
        btnEdit->setBackgroundImage(stretched("black-button.png", 16, 0), UIControlStateNormal);
        btnEdit->setBackgroundImage(stretched("black-button-t.png", 16, 0), UIControlStateHighlighted);
        btnEdit->setBackgroundImage(stretched("black-button-on.png", 16, 0), UIControlStateSelected);
    }
    if (btnSearch) {
        btnSearch->setBackgroundImage(stretched("button-arrow-right.png", 19, 0), UIControlStateNormal);
        btnSearch->setBackgroundImage(stretched("button-arrow-right-t.png", 19, 0), UIControlStateHighlighted);
    }
    if (lblTopLabel) lblTopLabel->setTextAlignment(UITextAlignmentCenter);
    if (lblTopNotice) {
        lblTopNotice->setTextAlignment(UITextAlignmentCenter);
        lblTopNotice->setText(tr("Tapping the Eye icon toggles visibility of these results in your reading"));
    }
}

// ---- Loading ----

void SavedSearchesViewController::setupView() {
    if (tblSavedSearches) tblSavedSearches->setAlpha(0);
    if (activityIndicator) activityIndicator->startAnimating();
    if (btnSearch) btnSearch->setEnabled(false);
    for (unsigned state : kButtonStates) {
        if (btnEdit) btnEdit->setTitle(tr("Edit"), state);
        if (btnSearch) btnSearch->setTitle(tr("Search"), state);
    }
    if (isSettingUp_) return;
    isSettingUp_ = true;
    sqlite3* user = userDb();
    sqlite3* content = contentDb();
    std::weak_ptr<SavedSearchesViewController> weak =
        std::static_pointer_cast<SavedSearchesViewController>(shared_from_this());
    detachNewThread(
        [weak, user, content] {
            SavedSearch::List list = SavedSearchStore::loadHistory(user, content);
            RunLoop::main().post([weak, list = std::move(list)]() mutable {
                if (auto self = weak.lock()) self->setupDone(std::move(list));
            });
        },
        "history");
}

void SavedSearchesViewController::setupDone(SavedSearch::List list) {
    isSettingUp_ = false;
    arrSavedSearches_ = std::move(list);
    if (lblTopNotice)
        lblTopNotice->setText(arrSavedSearches_.empty()
                                  ? tr("No Search History Found")
                                  : tr("Tapping the Eye icon toggles visibility of these results in your reading"));
    if (activityIndicator) activityIndicator->stopAnimating();
    if (tblSavedSearches) {
        tblSavedSearches->setContentOffset(CGPointMake(0, 0), false);
        tblSavedSearches->setAlpha(1);
        tblSavedSearches->reloadData();
    }
    if (btnSearch) btnSearch->setEnabled(true);
}

void SavedSearchesViewController::btnEditPressed() {
    if (!tblSavedSearches) return;
    const bool editing = !tblSavedSearches->isEditing();
    tblSavedSearches->setEditing(editing, true);
    if (btnEdit) btnEdit->setSelected(editing);
}

// ---- Marking ----

void SavedSearchesViewController::reflectSearchedVerses(bool reflect, SavedSearch* search) {
    auto it = std::find_if(arrSavedSearches_.begin(), arrSavedSearches_.end(),
                           [search](const auto& s) { return s.get() == search; });
    if (it == arrSavedSearches_.end()) return;
    std::shared_ptr<SavedSearch> record = *it;
    record->setIsReflectedInSurah(reflect);
    ++reflecting_;
    if (activityIndicator) activityIndicator->startAnimating();
    if (tblSavedSearches) tblSavedSearches->setUserInteractionEnabled(false);
    // The worker writes a copy; the record on screen changes on the main thread only.
    SavedSearch copy = *record;
    copy.setIsReflectedInSurah(!reflect);
    sqlite3* user = userDb();
    sqlite3* content = contentDb();
    std::weak_ptr<SavedSearchesViewController> weak =
        std::static_pointer_cast<SavedSearchesViewController>(shared_from_this());
    detachNewThread(
        [weak, record, copy, reflect, user, content]() mutable {
            const bool ok = SavedSearchStore::reflectSearchedVerses(user, content, copy, reflect);
            RunLoop::main().post([weak, record, ok, copy] {
                if (auto self = weak.lock()) self->doneReflectingSearches(record, ok, copy);
                else record->setIsReflectedInSurah(copy.isReflectedInSurah());
            });
        },
        "marking");
}

void SavedSearchesViewController::doneReflectingSearches(const std::shared_ptr<SavedSearch>& search, bool ok,
                                                         SavedSearch result) {
    // A failed marking leaves the eye as it was.
    search->setIsReflectedInSurah(result.isReflectedInSurah());
    if (ok) search->setDateSearched(result.DateSearched());
    if (--reflecting_ > 0) return;
    if (activityIndicator) activityIndicator->stopAnimating();
    if (!tblSavedSearches) return;
    tblSavedSearches->setUserInteractionEnabled(true);
    for (UITableViewCell* cell : tblSavedSearches->visibleCells())
        if (auto* row = dynamic_cast<SavedSearchCell*>(cell)) row->updateReflectionState();
}

void SavedSearchesViewController::deleteSearchAtIndexPath(const NSIndexPath& path) {
    if (path.row < 0 || path.row >= static_cast<int>(arrSavedSearches_.size())) return;
    std::shared_ptr<SavedSearch> record = arrSavedSearches_[path.row];
    arrSavedSearches_.erase(arrSavedSearches_.begin() + path.row);
    if (tblSavedSearches) tblSavedSearches->deleteRowsAtIndexPaths({path}, UITableViewRowAnimationLeft);
    // The row and its verse marks go together.
    if (!ChapterInfo::deleteSavedSearch(userDb(), *record))
        NSLog("[SavedSearchesViewController] Error: the saved search \"%@\" was not deleted.", record->strSearchText());
}

// ---- Life cycle ----

void SavedSearchesViewController::viewDidLoad() {
    if (lblTopLabel) lblTopLabel->setText(tr("Search History"));
    if (tblSavedSearches) {
        tblSavedSearches->setSeparatorColor(UIColor::colorWithRed(216 / 255.0, 210 / 255.0, 189 / 255.0, 1));
        tblSavedSearches->setDataSource(this);
        tblSavedSearches->setDelegate(this);
    }
    if (imgTopBG) imgTopBG->setImage(stretched("search-saved-proxy.png", 159, 0));
    rethemeUI();
}

void SavedSearchesViewController::viewWillAppear(bool) {
    if (UINavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(true);
    setupView();
}

void SavedSearchesViewController::viewDidUnload() {
    arrSavedSearches_.clear();
    if (tblSavedSearches) {
        tblSavedSearches->setDataSource(nullptr);
        tblSavedSearches->setDelegate(nullptr);
    }
    tblSavedSearches.reset();
}

// ---- Table ----

int SavedSearchesViewController::numberOfRowsInSection(UITableView*, int) {
    return static_cast<int>(arrSavedSearches_.size());
}

UITableViewCellPtr SavedSearchesViewController::cellForRowAtIndexPath(UITableView* tableView,
                                                                      const NSIndexPath& indexPath) {
    auto cell = std::dynamic_pointer_cast<SavedSearchCell>(tableView->dequeueReusableCellWithIdentifier(kCellIdentifier));
    if (!cell) {
        cell = std::make_shared<SavedSearchCell>(UITableViewCellStyleValue1, kCellIdentifier);
        cell->setViewController(this);
    }
    if (isSettingUp_) return cell;
    const bool inRange = indexPath.row >= 0 && indexPath.row < static_cast<int>(arrSavedSearches_.size());
    cell->setSavedSearch(inRange ? arrSavedSearches_[indexPath.row].get() : nullptr);
    return cell;
}

void SavedSearchesViewController::commitEditingStyle(UITableView* tableView, UITableViewCellEditingStyle style,
                                                     const NSIndexPath& indexPath) {
    if (style != UITableViewCellEditingStyleDelete) return;
    deleteSearchAtIndexPath(indexPath);
    if (btnEdit && !tableView->isEditing()) btnEdit->setSelected(false);
}

void SavedSearchesViewController::willBeginEditingRowAtIndexPath(UITableView*, const NSIndexPath&) {
    if (btnEdit) btnEdit->setSelected(true);
}

void SavedSearchesViewController::didEndEditingRowAtIndexPath(UITableView*, const NSIndexPath&) {
    if (btnEdit) btnEdit->setSelected(false);
}

void SavedSearchesViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (isSettingUp_ || indexPath.row < 0 || indexPath.row >= static_cast<int>(arrSavedSearches_.size())) return;
    std::shared_ptr<SavedSearch> saved = arrSavedSearches_[indexPath.row];
    if (!ChapterInfo::updateSavedSearch(userDb(), *saved))
        NSLog("[SavedSearchesViewController] Error: the saved search \"%@\" was not stamped.", saved->strSearchText());
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->filterSearchViewWithSavedSearch(saved);
}
