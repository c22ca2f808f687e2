// Batch editing of the bookmark list (move, mail, remove), the long-press sheet of one
// bookmark, removal from the list and the data store, and the mail of selected bookmarks.
#include "Classes/Bookmarks/BookmarksViewController.h"

#include <algorithm>
#include <set>

#include "Classes/App/TabBarViewController.h"
#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Bookmarks/BookmarkGroupsViewController.h"
#include "Classes/Bookmarks/MailHTML.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

using screen_support::contentDb;
using screen_support::tr;
using screen_support::userDb;

constexpr int kRowSheetTag = 1;
constexpr const char* kProductPage = "https://lumeno.app";

LumenoSDKAppDelegate* app() { return LumenoSDKAppDelegate::GetInstance(); }

}  // namespace

void BookmarksViewController::btnMorePressed() {
    if (!tblBookmarks) return;
    IsEditing_ = !tblBookmarks->isEditing();
    tblBookmarks->setEditing(IsEditing_, true);
    if (btnMore) btnMore->setSelected(IsEditing_);
    if (!IsEditing_) resetSelections();
    const int orientation = static_cast<int>(interfaceOrientation());
    if (IsEditing_) {
        checkBatchButtons();
        if (app() && viewBatchEditBar) app()->showViewAboveTabBar(viewBatchEditBar, orientation, 0.25, -1, 49);
    } else if (app() && viewBatchEditBar) {
        app()->hideViewAboveTabBar(viewBatchEditBar, orientation, 0.25);
    }
}

void BookmarksViewController::checkBatchButtons() {
    bool any = false;
    for (const auto& section : arrSectionedBookmarks_)
        for (const auto& record : section->AllBookmarks()) any = any || record->IsSelected();
    const std::pair<UIButton*, const char*> buttons[] = {
        {btnBatchMove.get(), "Move"}, {btnBatchShare.get(), "Mail"}, {btnBatchRemove.get(), "Remove"}};
    for (const auto& [button, title] : buttons) {
        if (!button) continue;
        button->setEnabled(any);
        for (unsigned state : {UIControlStateNormal, UIControlStateHighlighted, UIControlStateDisabled})
            button->setTitle(tr(title), state);
    }
}

void BookmarksViewController::resetSelections() {
    for (const auto& section : arrSectionedBookmarks_)
        for (const auto& record : section->AllBookmarks()) record->setIsSelected(false);
}

Bookmark::List BookmarksViewController::selectedBookmarks() const {
    Bookmark::List selected;
    for (const auto& section : arrSectionedBookmarks_)
        for (const auto& record : section->AllBookmarks())
            if (record->IsSelected()) selected.push_back(record);
    return selected;
}

void BookmarksViewController::batchEditButtonPressed(UIButton* sender) {
    if (!sender) return;
    if (sender == btnBatchMove.get()) {
        presentMovingGroups(selectedBookmarks());
    } else if (sender == btnBatchRemove.get()) {
        std::vector<NSIndexPath> paths;
        for (size_t s = 0; s < arrSectionedBookmarks_.size(); ++s) {
            const auto& rows = arrSectionedBookmarks_[s]->AllBookmarks();
            for (size_t r = 0; r < rows.size(); ++r)
                if (rows[r]->IsSelected()) paths.push_back(NSIndexPath{static_cast<int>(s), static_cast<int>(r)});
        }
        deleteBookmarkAtIndexPaths(paths);
    } else if (sender == btnBatchShare.get()) {
        if (!MFMailComposeViewController::canSendMail()) {
            showEmailNotSetup();
            return;
        }
        auto composer = std::make_shared<MFMailComposeViewController>();
        composer->setMessageBody(mailBodyForSelection(), true);
        composer->setMailComposeDelegate(this);
        presentModalViewController(composer, true);
    }
}

void BookmarksViewController::presentMovingGroups(Bookmark::List bookmarks) {
    auto groups = std::make_shared<BookmarkGroupsViewController>("BookmarkGroups");
    groups->setupMovingMode(std::move(bookmarks));
    presentModalViewController(groups, true);
}

void BookmarksViewController::showEmailNotSetup() {
    lastAlert_ = std::make_shared<UIAlertView>(
        tr("Email Not Setup"), tr("You need to setup an email account on your iPhone before using this feature"), nullptr,
        tr("OK"), std::vector<std::string>{});
    lastAlert_->show();
}

std::string BookmarksViewController::mailBodyForSelection() const {
    const int t = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    std::string body =
        stringWithFormat("%@:<br><br>", mailHTMLText(tr("I would like to share the following Qur'anic verses with you")));
    for (const auto& record : selectedBookmarks()) {
        const int surah = record->surah(), verse = record->verse();
        body += stringWithFormat("<b>%@ %i, %@ %i</b>:<br>", mailHTMLText(tr("Surah")), surah, mailHTMLText(tr("Verse")), verse);
        body += stringWithFormat("<div dir='rtl'>%@</div><br>",
                                 mailHTMLText(ChapterInfo::getArabicVerseFor(contentDb(), surah, verse)));
        if (t != 0) {
            const char* format = ChapterInfo::isTranslationRTL(t) ? "<b>%@</b>:<div dir='rtl'>%@</div><br><br>"
                                                                  : "<b>%@</b>:<br>%@<br><br>";
            body += stringWithFormat(format, mailHTMLText(tr("Translation")),
                                     mailHTMLText(ChapterInfo::getTranslationFor(contentDb(), t, surah, verse)));
        }
        if (record->hasNote()) {
            body += stringWithFormat("<br><br>%@:<br>%@<br><hr><br>", mailHTMLText(tr("Notes")),
                                     mailHTMLText(ChapterInfo::getBookmarkNote(userDb(), surah, verse)));
        } else {
            body += "<br><hr><br>";
        }
    }
    body += stringWithFormat("<br><br><br><a href='%@'>%@</a><br><br>", kProductPage, mailHTMLText(tr("via Lumeno")));
    return body;
}

void BookmarksViewController::mailComposeController(MFMailComposeViewController&, MFMailComposeResult result,
                                                    const NSError* error) {
    if (result == MFMailComposeResultFailed) {
        lastAlert_ = std::make_shared<UIAlertView>(
            "Message Failed",
            stringWithFormat("The message could not be sent with error: %@", error ? error->localizedDescription : std::string()),
            nullptr, "OK", std::vector<std::string>{});
        lastAlert_->setTag(-2);
        lastAlert_->show();
    }
    dismissModalViewControllerAnimated(true);
}

void BookmarksViewController::deleteBookmarkAtIndexPaths(const std::vector<NSIndexPath>& paths) {
    if (!tblBookmarks) return;
    sqlite3* db = userDb();
    tblBookmarks->beginUpdates();
    std::vector<std::shared_ptr<Bookmark>> removed;
    std::set<int> emptied;
    bool failed = false;
    DataStoreConnection::clearLastFailure();
    for (const NSIndexPath& path : paths) {
        if (path.section < 0 || path.section >= static_cast<int>(arrSectionedBookmarks_.size())) continue;
        const auto& section = arrSectionedBookmarks_[path.section];
        if (auto record = bookmarkAt(path); record && std::find(removed.begin(), removed.end(), record) == removed.end()) {
            // Whichever audio flag it was made with, the verse loses its bookmark.
            const bool plain = ChapterInfo::deleteBookmark(db, record->surah(), record->verse(), false);
            const bool audio = ChapterInfo::deleteBookmark(db, record->surah(), record->verse(), true);
            if (!plain || !audio) {
                NSLog("[deleteBookmarkAtIndexPaths] Error: the bookmark of %i:%i was not removed.", record->surah(),
                      record->verse());
                // The row stays: the bookmark is still stored.
                failed = true;
                continue;
            }
            // Every row of that verse goes: a verse bookmarked both ways is listed twice.
            const auto& rows = section->AllBookmarks();
            for (size_t r = 0; r < rows.size(); ++r) {
                const auto& same = rows[r];
                if (same->verse() != record->verse() ||
                    std::find(removed.begin(), removed.end(), same) != removed.end())
                    continue;
                section->setSectionBookmarkCount(section->SectionBookmarkCount() - 1);
                removed.push_back(same);
                tblBookmarks->deleteRowsAtIndexPaths({NSIndexPath{path.section, static_cast<int>(r)}},
                                                     UITableViewRowAnimationFade);
            }
        }
        if (section->SectionBookmarkCount() < 1 && emptied.insert(path.section).second)
            tblBookmarks->deleteSections({path.section}, UITableViewRowAnimationFade);
    }
    // Sections go from the highest index down, so the indexes still to remove stay valid.
    for (auto it = emptied.rbegin(); it != emptied.rend(); ++it) {
        const int index = *it;
        if (index < static_cast<int>(arrSectionViews_.size())) {
            arrSectionViews_[index]->setViewController(nullptr);
            arrSectionViews_.erase(arrSectionViews_.begin() + index);
        }
        arrSectionedBookmarks_.erase(arrSectionedBookmarks_.begin() + index);
    }
    for (size_t s = 0; s < arrSectionedBookmarks_.size(); ++s) {
        auto& rows = arrSectionedBookmarks_[s]->AllBookmarks();
        const size_t before = rows.size();
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](const std::shared_ptr<Bookmark>& r) {
                                      return std::find(removed.begin(), removed.end(), r) != removed.end();
                                  }),
                   rows.end());
        if (rows.size() != before) {
            if (!rows.empty()) rows.back()->setIsLastInSection(true);
            if (s < arrSectionViews_.size()) arrSectionViews_[s]->refresh();
        }
    }
    tblBookmarks->endUpdates();
    if (failed) screen_support::showWriteFailure("Bookmark Not Removed");
    if (arrSectionedBookmarks_.empty() && tblBookmarks->isEditing()) btnMorePressed();
    showNoBookmarks(arrSectionedBookmarks_.empty());
    refreshBookmarkBadge();
    NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
}

// ---- Long press ----

void BookmarksViewController::tapAndHoldRow(BookmarkCell* cell) {
    if (!cell || !tblBookmarks) return;
    auto path = tblBookmarks->indexPathForCell(cell);
    auto record = cell->cellView()->ThisBookmark();
    if (!path || !record) return;
    removeCurrentSelection();
    // Each hold swallows its own release, so a tap left over from an earlier hold must not
    // clear this selection while the sheet is up.
    ignoreNextTap_ = false;
    selectedCell_ = path;
    tblBookmarks->selectRowAtIndexPath(path, false, UITableViewScrollPositionNone);
    currTblOffset_ = tblBookmarks->contentOffset();

    std::string title;
    if (LumenoSDKAppDelegate::IsLanguageArabic()) {
        title = stringWithFormat("%@ %@, %@ %@", tr("Sura"),
                                 ChapterInfo::getArabicNumbersFrom(stringWithFormat("%i", record->surah())), tr("Aya"),
                                 ChapterInfo::getArabicNumbersFrom(stringWithFormat("%i", record->verse())));
    } else {
        title = stringWithFormat("%@ %i, %@ %i", tr("Sura"), record->surah(), tr("Aya"), record->verse());
    }
    actionSheet_ = std::make_shared<UIActionSheet>(
        title, this, tr("Cancel"), "",
        std::vector<std::string>{tr(record->hasNote() ? "Edit Note" : "Add Note"), tr("Unbookmark"), tr("Move")});
    actionSheet_->setTag(kRowSheetTag);
    actionSheet_->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    if (app() && app()->tabBarController()) actionSheet_->showFromTabBar(app()->tabBarController()->tabBar());
    else actionSheet_->showInView(view());
}

void BookmarksViewController::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
    if (!sheet || sheet->tag() != kRowSheetTag || !selectedCell_ || !tblBookmarks) return;
    const NSIndexPath path = *selectedCell_;
    auto* cell = dynamic_cast<BookmarkCell*>(tblBookmarks->cellForRowAtIndexPath(path));
    switch (buttonIndex) {
        case 0:
            removeCurrentSelection();
            if (cell) showNoteForBookmark(cell);
            break;
        case 1:
            deleteBookmarkAtIndexPath(path);
            removeCurrentSelection();
            break;
        case 2: {
            Bookmark::List bookmarks;
            if (cell && cell->cellView()->ThisBookmark()) bookmarks.push_back(cell->cellView()->ThisBookmark());
            presentMovingGroups(std::move(bookmarks));
            removeCurrentSelection();
            break;
        }
        default:
            removeCurrentSelection();
            break;
    }
}

void BookmarksViewController::removeCurrentSelection() {
    if (selectedCell_ && tblBookmarks) tblBookmarks->deselectRowAtIndexPath(*selectedCell_, true);
    selectedCell_.reset();
    if (txtSearchBar && txtSearchBar->isFirstResponder()) txtSearchBar->resignFirstResponder();
}

void BookmarksViewController::showNoteForBookmark(BookmarkCell* cell) {
    if (!cell || !cell->cellView()->ThisBookmark()) return;
    const auto& record = cell->cellView()->ThisBookmark();
    presentModalViewController(std::make_shared<AddBookmarkNote>("AddNoteView", record->surah(), record->verse()), true);
}
