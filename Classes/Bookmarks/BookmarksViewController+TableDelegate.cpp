// The bookmark list's table: chapter sections with their header views, 44-point rows that a
// collapsed section hides, swipe to delete outside batch edit, and opening a bookmark.
#include "Classes/Bookmarks/BookmarksViewController.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"

namespace {
constexpr double kRowHeight = 44;
constexpr const char* kCellIdentifier = "VerseCell";
}  // namespace

std::shared_ptr<Bookmark> BookmarksViewController::bookmarkAt(const NSIndexPath& path) const {
    if (path.section < 0 || path.section >= static_cast<int>(arrSectionedBookmarks_.size())) return nullptr;
    auto& rows = arrSectionedBookmarks_[path.section]->AllBookmarks();
    if (path.row < 0 || path.row >= static_cast<int>(rows.size())) return nullptr;
    return rows[path.row];
}

int BookmarksViewController::numberOfSectionsInTableView(UITableView*) {
    return static_cast<int>(arrSectionedBookmarks_.size());
}

int BookmarksViewController::numberOfRowsInSection(UITableView*, int section) {
    if (loadingBookmarks_) return 0;
    if (btnMore) btnMore->setEnabled(!arrSectionedBookmarks_.empty());
    if (section < 0 || section >= static_cast<int>(arrSectionedBookmarks_.size())) return 0;
    const auto& record = arrSectionedBookmarks_[section];
    return record->IsSectionCollapsed() ? 0 : static_cast<int>(record->AllBookmarks().size());
}

double BookmarksViewController::heightForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (loadingBookmarks_) return 0;
    if (indexPath.section < 0 || indexPath.section >= static_cast<int>(arrSectionedBookmarks_.size())) return 0;
    return arrSectionedBookmarks_[indexPath.section]->IsSectionCollapsed() ? 0 : kRowHeight;
}

std::shared_ptr<UIView> BookmarksViewController::viewForHeaderInSection(UITableView*, int section) {
    if (loadingBookmarks_ || section < 0 || section >= static_cast<int>(arrSectionViews_.size())) return nullptr;
    return arrSectionViews_[section];
}

double BookmarksViewController::heightForHeaderInSection(UITableView*, int section) {
    return section >= 0 && section < static_cast<int>(arrSectionViews_.size()) ? kRowHeight : 0;
}

UITableViewCellPtr BookmarksViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr reused = tableView->dequeueReusableCellWithIdentifier(kCellIdentifier);
    auto cell = std::dynamic_pointer_cast<BookmarkCell>(reused);
    if (!cell) {
        cell = std::make_shared<BookmarkCell>(UITableViewCellStyleDefault, kCellIdentifier);
        cell->cellView()->setViewController(this);
    }
    std::shared_ptr<Bookmark> record;
    const bool collapsed = indexPath.section >= 0 && indexPath.section < static_cast<int>(arrSectionedBookmarks_.size()) &&
                           arrSectionedBookmarks_[indexPath.section]->IsSectionCollapsed();
    if (!collapsed) record = bookmarkAt(indexPath);
    cell->cellView()->setThisBookmark(record);
    return cell;
}

bool BookmarksViewController::canEditRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    auto record = bookmarkAt(indexPath);
    return record && !record->IsSurahSection();
}

UITableViewCellEditingStyle BookmarksViewController::editingStyleForRowAtIndexPath(UITableView*, const NSIndexPath&) {
    return IsEditing_ ? UITableViewCellEditingStyleNone : UITableViewCellEditingStyleDelete;
}

void BookmarksViewController::commitEditingStyle(UITableView*, UITableViewCellEditingStyle style,
                                                 const NSIndexPath& indexPath) {
    if (style == UITableViewCellEditingStyleDelete) deleteBookmarkAtIndexPath(indexPath);
}

void BookmarksViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (selectedCell_ && *selectedCell_ == indexPath) {
        // The first tap after a long press on the row is swallowed.
        if (!ignoreNextTap_) {
            ignoreNextTap_ = true;
            return;
        }
        ignoreNextTap_ = false;
        removeCurrentSelection();
        return;
    }
    removeCurrentSelection();
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (tableView->isEditing()) {
        if (auto* cell = dynamic_cast<BookmarkCell*>(tableView->cellForRowAtIndexPath(indexPath)))
            cell->cellView()->toggleSelection();
        else if (auto record = bookmarkAt(indexPath))
            record->setIsSelected(!record->IsSelected());
        checkBatchButtons();
        return;
    }
    auto record = bookmarkAt(indexPath);
    if (!record || record->IsSurahSection()) return;
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->showSurahView(record->surah(), record->verse(), record->isAudio(), false);
}
