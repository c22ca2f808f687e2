// The results table: a header per chapter, 44-point hit rows that a collapsed section hides,
// and opening a hit's verse.
#include "Classes/Search/SearchViewController.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Search/SearchViewCell.h"

namespace {
constexpr double kRowHeight = 44;
constexpr const char* kCellIdentifier = "VerseCell";
}  // namespace

std::shared_ptr<SearchResult> SearchViewController::resultAt(const NSIndexPath& path) const {
    if (path.section < 0 || path.section >= static_cast<int>(arrSectionedResults_.size())) return nullptr;
    auto& rows = arrSectionedResults_[path.section]->AllResults();
    if (path.row < 0 || path.row >= static_cast<int>(rows.size())) return nullptr;
    return rows[path.row];
}

int SearchViewController::numberOfSectionsInTableView(UITableView*) {
    return static_cast<int>(arrSectionedResults_.size());
}

int SearchViewController::numberOfRowsInSection(UITableView*, int section) {
    if (loadingResults_) return 0;
    if (btnMore) btnMore->setEnabled(!arrSectionedResults_.empty());
    if (section < 0 || section >= static_cast<int>(arrSectionedResults_.size())) return 0;
    const auto& record = arrSectionedResults_[section];
    return record->IsSectionCollapsed() ? 0 : static_cast<int>(record->AllResults().size());
}

double SearchViewController::heightForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (indexPath.section < 0 || indexPath.section >= static_cast<int>(arrSectionedResults_.size())) return 0;
    return arrSectionedResults_[indexPath.section]->IsSectionCollapsed() ? 0 : kRowHeight;
}

std::shared_ptr<UIView> SearchViewController::viewForHeaderInSection(UITableView*, int section) {
    if (section < 0 || section >= static_cast<int>(arrSectionViews_.size())) return nullptr;
    return arrSectionViews_[section];
}

double SearchViewController::heightForHeaderInSection(UITableView*, int section) {
    return section >= 0 && section < static_cast<int>(arrSectionViews_.size()) ? kRowHeight : 0;
}

UITableViewCellPtr SearchViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    auto cell = std::dynamic_pointer_cast<SearchViewCell>(tableView->dequeueReusableCellWithIdentifier(kCellIdentifier));
    if (!cell) {
        cell = std::make_shared<SearchViewCell>(UITableViewCellStyleDefault, kCellIdentifier);
        cell->cellView()->setViewController(this);
    }
    const bool collapsed = indexPath.section >= 0 && indexPath.section < static_cast<int>(arrSectionedResults_.size()) &&
                           arrSectionedResults_[indexPath.section]->IsSectionCollapsed();
    cell->cellView()->setThisSearchResult(collapsed ? nullptr : resultAt(indexPath));
    return cell;
}

void SearchViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (selectedCell_) {
        // The release of a long press: the row stays held for its sheet.
        if (*selectedCell_ == indexPath) return;
        removeCurrentSelection();
    }
    tableView->deselectRowAtIndexPath(indexPath, true);
    auto record = resultAt(indexPath);
    if (!record || record->IsSurahSection()) return;
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->showSurahView(record->surah(), record->verse(), false, false);
}
