#include "Classes/Bookmarks/BookmarksViewController.h"

#include <algorithm>
#include <cmath>

#include "Classes/App/TabBarViewController.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"

namespace {

using screen_support::stretched;
using screen_support::tr;
using screen_support::userDb;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }
int defaultInt(const char* key) { return static_cast<int>(defaults().integerForKey(key)); }

// The worker's half of a load: the flat list from the data store, cut into chapter sections.
Bookmark::List loadSections(sqlite3* db, int group, const std::string& search) {
    // For the data store -1 means every group; 0 would select only bookmarks without a group.
    const int queryGroup = group == 0 ? -1 : group;
    std::optional<std::string> text;
    if (!search.empty()) text = search;
    Bookmark::List flat = ChapterInfo::getAllBookmarks(db, false, queryGroup, text);
    Bookmark::List sections;
    std::shared_ptr<Bookmark> open;
    auto close = [&open] {
        if (!open) return;
        auto& rows = open->AllBookmarks();
        open->setSectionBookmarkCount(static_cast<int>(rows.size()));
        if (!rows.empty()) rows.back()->setIsLastInSection(true);
    };
    for (const auto& bookmark : flat) {
        if (!open || bookmark->surah() != open->surah()) {
            close();
            open = std::make_shared<Bookmark>();
            open->setSurah(bookmark->surah());
            open->setIsSurahSection(true);
            open->setIsSectionCollapsed(ChapterInfo::hasBookmarkSectionCollapsed(db, bookmark->surah()));
            sections.push_back(open);
        }
        open->AllBookmarks().push_back(bookmark);
    }
    close();
    return sections;
}

}  // namespace

BookmarksViewController::BookmarksViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
    currentGroupFilter_ = defaultInt("CurrentGroupFilter");
}

BookmarksViewController::~BookmarksViewController() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    RunLoop::main().cancelPreviousPerformRequests(this);
    if (tblBookmarks) {
        tblBookmarks->setDataSource(nullptr);
        tblBookmarks->setDelegate(nullptr);
    }
    if (txtSearchBar) txtSearchBar->setDelegate(nullptr);
    if (viewOpaqueLayer) viewOpaqueLayer->setDelegate(nullptr);
    if (actionSheet_) actionSheet_->setDelegate(nullptr);
    for (const auto& header : arrSectionViews_) header->setViewController(nullptr);
    if (viewBatchEditBar) viewBatchEditBar->removeFromSuperview();
}

std::string BookmarksViewController::groupTitle(int group) {
    static const char* const kTitles[] = {"All Bookmarks", "Reading", "Memorizing", "Interesting", "Discussion"};
    return group >= 0 && group <= 4 ? tr(kTitles[group]) : std::string();
}

void BookmarksViewController::setGroupFilter(int group) {
    currentGroupFilter_ = group;
    if (group != defaultInt("LastCurrentGroupFilter")) {
        usePrevOffset_ = false;
        if (isViewLoaded()) defaults().setInteger(group, "LastCurrentGroupFilter");
    }
    defaults().setInteger(group, "CurrentGroupFilter");
    defaults().synchronize();
    refreshView();
}

void BookmarksViewController::refreshTheme() {
    if (imgBG) imgBG->setImage(stretched("bookmarks-bg.png", 159, 0));
    if (imgTopBarBG) imgTopBarBG->setImage(stretched("bookmarks-header.png", 159, 0));
    if (imgBatchEditBarBG) imgBatchEditBarBG->setImage(stretched("tabbar-pattern.png", 1, 0));
    if (lblNavTitle) lblNavTitle->setContentMode(UIViewContentModeCenter);
}

// ---- Loading ----

void BookmarksViewController::refreshView() { setupBookmarkRows(); }

void BookmarksViewController::refreshViewWithRetry() {
    if (loadingBookmarks_) {
        RunLoop::main().cancelPreviousPerformRequests(this, "refreshViewWithRetry");
        RunLoop::main().performAfterDelay(this, 0.2, [this] { refreshViewWithRetry(); }, "refreshViewWithRetry");
        return;
    }
    refreshView();
}

void BookmarksViewController::setupBookmarkRows() {
    if (lblNavTitle && currentGroupFilter_ >= 0 && currentGroupFilter_ <= 4)
        lblNavTitle->setText(groupTitle(currentGroupFilter_));
    currentGroupFilter_ = defaultInt("CurrentGroupFilter");
    if (currentGroupFilter_ != defaultInt("LastCurrentGroupFilter")) {
        usePrevOffset_ = false;
        if (isViewLoaded()) {
            defaults().setInteger(currentGroupFilter_, "LastCurrentGroupFilter");
            defaults().synchronize();
        }
    }
    // One load at a time; a request that comes during a load is run when it ends, so the
    // latest group and text are always loaded.
    if (loadingBookmarks_) {
        reloadRequested_ = true;
        return;
    }
    if (!isTextFilterResults_ && tblBookmarks) tblBookmarks->setAlpha(0);
    if (activityView) activityView->startAnimating();
    startLoadWorker(currentGroupFilter_, txtSearchBar ? txtSearchBar->text() : std::string());
}

void BookmarksViewController::startLoadWorker(int group, std::string search) {
    loadingBookmarks_ = true;
    loadingSearch_ = search;
    sqlite3* db = userDb();
    std::weak_ptr<BookmarksViewController> weak =
        std::static_pointer_cast<BookmarksViewController>(shared_from_this());
    detachNewThread(
        [weak, db, group, search = std::move(search)] {
            Bookmark::List sections = loadSections(db, group, search);
            RunLoop::main().post([weak, sections = std::move(sections)]() mutable {
                if (auto self = weak.lock()) self->doneLoadingBookmarks(std::move(sections));
            });
        },
        "bookmarks");
}

void BookmarksViewController::doneLoadingBookmarks(Bookmark::List sections) {
    arrSectionedBookmarks_ = std::move(sections);
    for (const auto& header : arrSectionViews_) header->setViewController(nullptr);
    arrSectionViews_.clear();
    for (const auto& section : arrSectionedBookmarks_) {
        auto header = std::make_shared<BookmarkCellView>(CGRectMake(0, 0, 320, 44));
        header->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin);
        header->setViewController(this);
        header->setThisBookmark(section);
        arrSectionViews_.push_back(header);
    }
    if (activityView) activityView->stopAnimating();
    loadingBookmarks_ = false;
    ++loadsCompleted_;
    lastLoadedSearch_ = loadingSearch_;
    if (tblBookmarks) tblBookmarks->reloadData();
    if (usePrevOffset_ && tblBookmarks) tblBookmarks->setContentOffset(currTblOffset_, false);
    usePrevOffset_ = false;
    if (tblBookmarks) {
        if (isTextFilterResults_) {
            tblBookmarks->setAlpha(1);
        } else {
            UIView::beginAnimations("Show Table");
            UIView::setAnimationDuration(0.1);
            tblBookmarks->setAlpha(1);
            UIView::commitAnimations();
        }
    }
    refreshBookmarkBadge();
    bookmarksChanged_ = false;
    showNoBookmarks(arrSectionedBookmarks_.empty());
    if (reloadRequested_) {
        reloadRequested_ = false;
        setupBookmarkRows();
    }
}

void BookmarksViewController::showNoBookmarks(bool none) {
    if (!none) {
        if (btnMore) btnMore->setEnabled(true);
        if (lblNoBookmarks) lblNoBookmarks->setAlpha(0);
        return;
    }
    if (lblNoBookmarks) {
        UIView::beginAnimations("ShowNoBookmarks");
        UIView::setAnimationDuration(0.3);
        lblNoBookmarks->setAlpha(1);
        UIView::commitAnimations();
    }
    if (btnMore) btnMore->setEnabled(false);
}

void BookmarksViewController::refreshBookmarkBadge() {
    UINavigationController* nav = navigationController();
    if (!nav) return;
    std::optional<std::string> badge;
    if (viewIsVisible_) {
        const int count = ChapterInfo::getBookmarkCount(userDb(), -1, currentGroupFilter_);
        if (count > 0) {
            badge = stringWithFormat("%i", count);
            if (LumenoSDKAppDelegate::IsLanguageArabic()) badge = ChapterInfo::getArabicNumbersFrom(*badge);
        }
    }
    nav->tabBarItem()->setBadgeValue(badge);
    if (UITabBarController* tabs = nav->tabBarController()) tabs->tabBarItemsChanged();
}

void BookmarksViewController::sectionWithRow(const std::shared_ptr<Bookmark>& section, bool willCollapse) {
    auto it = std::find(arrSectionedBookmarks_.begin(), arrSectionedBookmarks_.end(), section);
    if (it == arrSectionedBookmarks_.end() || !tblBookmarks) return;
    const int index = static_cast<int>(it - arrSectionedBookmarks_.begin());
    std::vector<NSIndexPath> paths;
    const int n = static_cast<int>(section->AllBookmarks().size());
    for (int row = 0; row < n; ++row) paths.push_back(NSIndexPath{index, row});
    if (willCollapse) tblBookmarks->deleteRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
    else tblBookmarks->insertRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
}

void BookmarksViewController::btnGroupPressed() {
    if (tblBookmarks && tblBookmarks->isEditing()) btnMorePressed();
    if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

// ---- Keyboard ----

void BookmarksViewController::keyboardWillShow() {
    keyboardSize_ = UIKeyboard::userInfo().bounds.size;
    showHideKeyboard(true, true);
}

void BookmarksViewController::keyboardWillHide() {
    keyboardSize_ = UIKeyboard::userInfo().bounds.size;
    showHideKeyboard(false, true);
}

void BookmarksViewController::showHideKeyboard(bool showing, bool animated) {
    // The state follows the notification's kind, so a repeated show never shrinks twice.
    if (showing == keyboardIsShowing_ || !tblBookmarks) return;
    keyboardIsShowing_ = showing;
    const double searchHeight = txtSearchBar ? txtSearchBar->frame().size.height : 0;
    const double d = keyboardSize_.height - tblBookmarks->frame().origin.x - searchHeight - 5;
    CGRect f = tblBookmarks->frame();
    f.size.height += showing ? -d : d;
    if (animated) {
        UIView::beginAnimations("Show Table");
        UIView::setAnimationDuration(0.3);
    }
    tblBookmarks->setFrame(f);
    if (animated) UIView::commitAnimations();
}

// ---- Life cycle ----

void BookmarksViewController::viewDidLoad() {
    bookmarksChanged_ = true;
    auto& center = NSNotificationCenter::defaultCenter();
    for (const char* name : {"BookmarkDidChange", "ArabicLanguageChanged", "TranslationDidChange"})
        center.addObserver(this, name, [this] { bookmarkDidChange(); });
    if (txtSearchBar) {
        txtSearchBar->setPlaceholder(tr("Search Bookmarks"));
        txtSearchBar->setDelegate(this);
        if (!txtSearchBar->subviews().empty()) txtSearchBar->subviews().front()->setAlpha(0);
    }
    if (btnGroups) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnGroups->setTitle(tr("Groups"), state);
        btnGroups->setBackgroundImage(stretched("button-arrow-left.png", 19, 0), UIControlStateNormal);
        btnGroups->setBackgroundImage(stretched("button-arrow-left-t.png", 19, 0), UIControlStateHighlighted);
    }
    currentGroupFilter_ = defaultInt("CurrentGroupFilter");
    if (tblBookmarks) {
        tblBookmarks->setDataSource(this);
        tblBookmarks->setDelegate(this);
        tblBookmarks->setAllowsSelectionDuringEditing(true);
        viewOpaqueLayer = std::make_shared<OpaqueLayer>(tblBookmarks->frame());
        viewOpaqueLayer->setBackgroundColor(UIColor::clearColor());
        viewOpaqueLayer->setOpaque(false);
        viewOpaqueLayer->setAutoresizesSubviews(true);
        viewOpaqueLayer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        viewOpaqueLayer->setDelegate(this);
        view()->insertSubviewAboveSubview(viewOpaqueLayer, tblBookmarks.get());
    }
    const int stored = defaultInt("LastBookmarkYOffset");
    currTblOffset_ = CGPointMake(0, std::max(0, stored));
    usePrevOffset_ = true;
    if (defaultInt("LastCurrentGroupFilter") != currentGroupFilter_) {
        usePrevOffset_ = false;
        defaults().setInteger(currentGroupFilter_, "LastCurrentGroupFilter");
    }
    if (lblNoBookmarks) lblNoBookmarks->setText(tr("No Bookmarks Found"));
    if (btnMore) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnMore->setTitle(tr("Edit"), state);
        btnMore->setTitle(tr("Done"), UIControlStateSelected);
        btnMore->setBackgroundImage(stretched("black-button.png", 16, 0), UIControlStateNormal);
        btnMore->setBackgroundImage(stretched("black-button-t.png", 16, 0), UIControlStateHighlighted);
        btnMore->setBackgroundImage(stretched("black-button-on.png", 16, 0), UIControlStateSelected);
    }
    if (lblNavTitle) lblNavTitle->setText(groupTitle(currentGroupFilter_));
}

void BookmarksViewController::applyScrollStateForAppearance() {
    if (!tblBookmarks) return;
    tblBookmarks->setContentOffset(CGPointMake(0, 0), false);
    if (bookmarksChanged_) {
        setupBookmarkRows();  // its completion restores the saved offset
    } else if (usePrevOffset_) {
        const double y = std::min<double>(defaultInt("LastBookmarkYOffset"), tblBookmarks->contentSize().height);
        currTblOffset_ = CGPointMake(0, std::max(0.0, y));
        tblBookmarks->setContentOffset(currTblOffset_, false);
    }
}

void BookmarksViewController::viewWillAppear(bool) {
    if (UINavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->setNavigationBarHidden(true);
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, UIKeyboardWillShowNotification, [this] { keyboardWillShow(); });
    center.addObserver(this, UIKeyboardWillHideNotification, [this] { keyboardWillHide(); });
    refreshTheme();
    viewIsVisible_ = true;
    applyScrollStateForAppearance();
    refreshBookmarkBadge();
    checkBatchButtons();
}

void BookmarksViewController::viewDidAppear(bool) { viewIsVisible_ = true; }

void BookmarksViewController::viewWillDisappear(bool) {
    auto& center = NSNotificationCenter::defaultCenter();
    center.removeObserver(this, UIKeyboardWillShowNotification);
    center.removeObserver(this, UIKeyboardWillHideNotification);
    if (tblBookmarks) {
        usePrevOffset_ = true;
        currTblOffset_ = tblBookmarks->contentOffset();
        defaults().setInteger(static_cast<long long>(currTblOffset_.y), "LastBookmarkYOffset");
        defaults().synchronize();
    }
    viewIsVisible_ = false;
    refreshBookmarkBadge();
    if (keyboardIsShowing_) showHideKeyboard(false, false);
}

void BookmarksViewController::viewDidUnload() {
    viewIsVisible_ = false;
    keyboardIsShowing_ = false;
    usePrevOffset_ = true;
    bookmarksChanged_ = true;
    auto& center = NSNotificationCenter::defaultCenter();
    for (const char* name : {"BookmarkDidChange", "ArabicLanguageChanged", "TranslationDidChange"})
        center.removeObserver(this, name);
    if (tblBookmarks) {
        tblBookmarks->setDataSource(nullptr);
        tblBookmarks->setDelegate(nullptr);
    }
    tblBookmarks.reset();
    txtSearchBar.reset();
    viewOpaqueLayer.reset();
    arrSectionViews_.clear();
}
