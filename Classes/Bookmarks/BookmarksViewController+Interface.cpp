// The interface "BookmarksView": top bar (Groups, title, Edit), search bar, the list with its
// empty-list label and activity indicator, and the batch-edit bar that slides over the tab bar.
#include "Classes/Bookmarks/BookmarkGroupsViewController.h"
#include "Classes/Bookmarks/BookmarksViewController.h"

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kTopBarHeight = TabScreenLayout::kTopBarHeight;
constexpr double kSearchBarHeight = 44;
constexpr double kBatchBarHeight = 49;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

std::shared_ptr<UIButton> barButton(CGRect frame, double fontSize) {
    auto button = std::make_shared<UIButton>(frame);
    button->setFont(UIFont::fontWithName("Helvetica-Bold", fontSize));
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setTitleColor(UIColor::colorWithWhite(1, 0.45), UIControlStateDisabled);
    return button;
}

std::shared_ptr<UIView> buildBookmarksView(BookmarksViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(80);
    const double w = layout.width, h = layout.height;
    auto root = layout.root;
    c.imgBG = layout.background;
    c.viewTopNavBar = layout.topBar;
    c.imgTopBarBG = layout.topBarImage;
    c.lblNavTitle = layout.title;
    c.btnGroups = barButton(CGRectMake(6, 7, 66, 30), 12);
    c.btnGroups->setTitleEdgeInsets(UIEdgeInsetsMake(0, 8, 0, 0));
    c.btnGroups->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnGroupPressed(); }, UIControlEventTouchUpInside);
    c.viewTopNavBar->addSubview(c.btnGroups);
    c.btnMore = barButton(CGRectMake(w - 60, 7, 54, 30), 12);
    c.btnMore->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.btnMore->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnMorePressed(); }, UIControlEventTouchUpInside);
    c.viewTopNavBar->addSubview(c.btnMore);

    // The strip behind the search bar, dimmed with the list while the search edits.
    c.viewBgSearch = std::make_shared<UIView>(CGRectMake(0, kTopBarHeight, w, kSearchBarHeight));
    c.viewBgSearch->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewBgSearch->setUserInteractionEnabled(false);
    c.viewBgSearch->setAlpha(0);
    root->addSubview(c.viewBgSearch);
    c.txtSearchBar = std::make_shared<UISearchBar>(CGRectMake(0, kTopBarHeight, w, kSearchBarHeight));
    c.txtSearchBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.txtSearchBar->setTintColor(UIColor::colorWithRed(0.55, 0.45, 0.30, 1));
    root->addSubview(c.txtSearchBar);

    const double top = kTopBarHeight + kSearchBarHeight;
    c.tblBookmarks = std::make_shared<UITableView>(CGRectMake(0, top, w, h - top), UITableViewStylePlain);
    c.tblBookmarks->setAutoresizingMask(kFlexibleSize);
    c.tblBookmarks->setBackgroundColor(UIColor::clearColor());
    c.tblBookmarks->setOpaque(false);
    c.tblBookmarks->setSeparatorStyle(UITableViewCellSeparatorStyleNone);
    c.tblBookmarks->setRowHeight(44);
    root->addSubview(c.tblBookmarks);

    c.lblNoBookmarks = std::make_shared<UILabel>(CGRectMake(20, top + 40, w - 40, 30));
    c.lblNoBookmarks->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblNoBookmarks->setTextAlignment(UITextAlignmentCenter);
    c.lblNoBookmarks->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    c.lblNoBookmarks->setTextColor(UIColor::colorWithRed(0.55, 0.45, 0.30, 1));
    c.lblNoBookmarks->setBackgroundColor(UIColor::clearColor());
    c.lblNoBookmarks->setUserInteractionEnabled(false);
    c.lblNoBookmarks->setAlpha(0);
    root->addSubview(c.lblNoBookmarks);

    c.activityView = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    c.activityView->setFrame(CGRectMake(std::floor((w - 20) / 2), top + 45, 20, 20));
    c.activityView->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    c.activityView->setHidesWhenStopped(true);
    root->addSubview(c.activityView);
    root->addSubview(c.viewTopNavBar);

    // Not in the view: the application delegate slides it in front of the tab bar.
    c.viewBatchEditBar = std::make_shared<UIView>(CGRectMake(0, 0, w, kBatchBarHeight));
    c.viewBatchEditBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewBatchEditBar->setHidden(true);
    c.imgBatchEditBarBG = std::make_shared<UIImageView>(CGRectMake(0, 0, w, kBatchBarHeight));
    c.imgBatchEditBarBG->setAutoresizingMask(kFlexibleSize);
    c.viewBatchEditBar->addSubview(c.imgBatchEditBarBG);
    const double third = std::floor((w - 24) / 3);
    std::shared_ptr<UIButton>* buttons[] = {&c.btnBatchMove, &c.btnBatchShare, &c.btnBatchRemove};
    for (int i = 0; i < 3; ++i) {
        auto button = barButton(CGRectMake(6 + i * (third + 6), 8, third, 33), 13);
        button->setBackgroundImage(UIImage::imageNamed("black-button.png")
                                       ? UIImage::imageNamed("black-button.png")->stretchableImageWithLeftCapWidth(16, 0)
                                       : nullptr,
                                   UIControlStateNormal);
        if (auto t = UIImage::imageNamed("black-button-t.png"))
            button->setBackgroundImage(t->stretchableImageWithLeftCapWidth(16, 0), UIControlStateHighlighted);
        UIButton* raw = button.get();
        button->addTarget(&c, [&c, raw](UIControl*, UIEvent*) { c.batchEditButtonPressed(raw); },
                          UIControlEventTouchUpInside);
        c.viewBatchEditBar->addSubview(button);
        *buttons[i] = button;
    }
    return root;
}

}  // namespace

void BookmarksViewController::registerInterface() {
    if (!UIViewController::hasInterface("BookmarksView"))
        UIViewController::registerInterface("BookmarksView", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* list = dynamic_cast<BookmarksViewController*>(&owner);
            return list ? buildBookmarksView(*list) : nullptr;
        });
    BookmarkGroupsViewController::registerInterface();
    ShellScreenFactory::setMaker("BookmarksView", [] { return std::make_shared<BookmarksViewController>("BookmarksView"); });
    ShellScreenFactory::setMaker("BookmarkGroups",
                                 [] { return std::make_shared<BookmarkGroupsViewController>("BookmarkGroups"); });
}
