#include "Classes/Bookmarks/BookmarkGroupsViewController.h"

#include "Classes/Bookmarks/BookmarkGroupCellView.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/text/UIFont.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

using screen_support::stretched;
using screen_support::tr;
using screen_support::userDb;
using screen_support::showWriteFailure;

struct GroupRow {
    const char* title;
    const char* icon;
    const char* iconTouched;
};

// The row number is the group number. Reading shows the "memo" icon and Memorizing the
// "reading" one, as the artwork was named.
constexpr GroupRow kGroups[] = {
    {"All Bookmarks", "bk-bmg-all.png", "bk-bmg-all-t.png"},
    {"Reading", "bk-bmg-memo.png", "bk-bmg-memo-t.png"},
    {"Memorizing", "bk-bmg-reading.png", "bk-bmg-reading-t.png"},
    {"Interesting", "bk-bmg-int.png", "bk-bmg-int-t.png"},
    {"Discussion", "bk-bmg-disc.png", "bk-bmg-disc-t.png"},
};

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

}  // namespace

BookmarkGroupsViewController::BookmarkGroupsViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
    setTitle(tr("Bookmark Groups"));
}

BookmarkGroupsViewController::~BookmarkGroupsViewController() {
    if (tblGroups) {
        tblGroups->setDataSource(nullptr);
        tblGroups->setDelegate(nullptr);
    }
}

void BookmarkGroupsViewController::setupMovingMode(Bookmark::List bookmarks) {
    arrBookmarks_ = std::move(bookmarks);
    IsMovingMode_ = true;
}

void BookmarkGroupsViewController::viewDidLoad() {
    if (btnCancel) btnCancel->setHidden(true);
    if (tblGroups) {
        tblGroups->setSeparatorColor(rgb(216, 210, 189));
        tblGroups->setDataSource(this);
        tblGroups->setDelegate(this);
    }
    if (lblTopLabel) lblTopLabel->setText(tr("Bookmark Groups"));
    if (lblBottomNotice) lblBottomNotice->setText(tr("Tap on a group to filter bookmarks"));
    rethemeUI();
}

void BookmarkGroupsViewController::rethemeUI() {
    if (imgTopBarBG) imgTopBarBG->setImage(stretched("bk-bmg-header.png", 159, 0));
    if (imgBG) imgBG->setImage(stretched("bk-bmg-bg.png.png", 159, 0));
    if (!IsMovingMode_) return;
    if (btnCancel) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnCancel->setTitle(tr("Cancel"), state);
        btnCancel->setBackgroundImage(stretched("black-button.png", 16, 0), UIControlStateNormal);
        btnCancel->setBackgroundImage(stretched("black-button-t.png", 16, 0), UIControlStateHighlighted);
        btnCancel->setHidden(false);
    }
    if (lblTopLabel) {
        lblTopLabel->setText(stringWithFormat("%@ (%i)", Language::get("Move Bookmarks", "Move Boomarks"),
                                              static_cast<int>(arrBookmarks_.size())));
        lblTopLabel->setTextAlignment(UITextAlignmentCenter);
    }
    if (lblBottomNotice) {
        lblBottomNotice->setText(tr("To on a group to move selected bookmarks to"));
        lblBottomNotice->setTextAlignment(UITextAlignmentCenter);
    }
}

void BookmarkGroupsViewController::viewWillAppear(bool) {
    if (UINavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(true);
    if (tblGroups) tblGroups->reloadData();
}

void BookmarkGroupsViewController::didRotateFromInterfaceOrientation(UIInterfaceOrientation) {
    if (tblGroups) tblGroups->reloadData();
}

double BookmarkGroupsViewController::heightForRowAtIndexPath(UITableView*, const NSIndexPath&) {
    return UIInterfaceOrientationIsLandscape(interfaceOrientation()) ? 44 : 60;
}

UITableViewCellPtr BookmarkGroupsViewController::cellForRowAtIndexPath(UITableView* tableView,
                                                                        const NSIndexPath& indexPath) {
    auto cell = std::dynamic_pointer_cast<BookmarkGroupCellView>(tableView->dequeueReusableCellWithIdentifier("VerseCell"));
    if (!cell) {
        cell = std::make_shared<BookmarkGroupCellView>("VerseCell");
        cell->detailTextLabel()->setFont(UIFont::fontWithName("Helvetica", 15));
        cell->detailTextLabel()->setTextColor(rgb(101, 100, 94));
    }
    const int group = indexPath.row;
    if (group < 0 || group > 4) return cell;
    const GroupRow& row = kGroups[group];
    cell->lblTitle()->setText(group == 0 && IsMovingMode_ ? tr("No Group") : tr(row.title));
    cell->imgSide()->setImage(UIImage::imageNamed(row.icon));
    cell->imgSide()->setHighlightedImage(UIImage::imageNamed(row.iconTouched));
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    std::string detail;
    const int count = ChapterInfo::getBookmarkCount(userDb(), -1, group);
    if (count > 0 && !(group == 0 && IsMovingMode_)) {
        detail = stringWithFormat("%i", count);
        if (LumenoSDKAppDelegate::IsLanguageArabic()) detail = ChapterInfo::getArabicNumbersFrom(detail);
    }
    cell->detailTextLabel()->setText(detail);
    return cell;
}

void BookmarkGroupsViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    const int group = indexPath.row;
    if (IsMovingMode_) {
        DataStoreConnection::clearLastFailure();
        if (!ChapterInfo::moveBookmarks(userDb(), arrBookmarks_, group)) {
            NSLog("[BookmarkGroupsViewController] Error: the bookmarks were not moved to group %i.", group);
            showWriteFailure("Bookmarks Not Moved");
        }
        NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
        dismissModalViewControllerAnimated(true);
        return;
    }
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->filterBookmarksOnGroup(group);
}

void BookmarkGroupsViewController::btnCancelPressed() { dismissModalViewControllerAnimated(true); }
