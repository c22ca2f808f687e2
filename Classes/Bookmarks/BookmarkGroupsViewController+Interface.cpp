// The interface "BookmarkGroups": top bar (title, Cancel when moving), the five groups and the
// instruction under them.
#include "Classes/Bookmarks/BookmarkGroupsViewController.h"

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kTopBarHeight = TabScreenLayout::kTopBarHeight;
constexpr double kNoticeHeight = 36;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

std::shared_ptr<UIView> buildGroupsView(BookmarkGroupsViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(70);
    const double w = layout.width, h = layout.height;
    auto root = layout.root;
    c.imgBG = layout.background;
    c.viewTopBar = layout.topBar;
    c.imgTopBarBG = layout.topBarImage;
    c.lblTopLabel = layout.title;
    c.btnCancel = std::make_shared<UIButton>(CGRectMake(6, 7, 60, 30));
    c.btnCancel->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnCancel->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnCancel->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnCancelPressed(); }, UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnCancel);
    root->addSubview(c.viewTopBar);

    c.tblGroups = std::make_shared<UITableView>(
        CGRectMake(0, kTopBarHeight, w, h - kTopBarHeight - kNoticeHeight), UITableViewStylePlain);
    c.tblGroups->setAutoresizingMask(kFlexibleSize);
    c.tblGroups->setBackgroundColor(UIColor::clearColor());
    c.tblGroups->setOpaque(false);
    root->addSubview(c.tblGroups);

    c.lblBottomNotice = std::make_shared<UILabel>(CGRectMake(10, h - kNoticeHeight, w - 20, kNoticeHeight));
    c.lblBottomNotice->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    c.lblBottomNotice->setTextAlignment(UITextAlignmentCenter);
    c.lblBottomNotice->setFont(UIFont::fontWithName("Helvetica", 13));
    c.lblBottomNotice->setTextColor(UIColor::colorWithRed(0.45, 0.37, 0.25, 1));
    c.lblBottomNotice->setBackgroundColor(UIColor::clearColor());
    root->addSubview(c.lblBottomNotice);
    return root;
}

}  // namespace

void BookmarkGroupsViewController::registerInterface() {
    if (!UIViewController::hasInterface("BookmarkGroups"))
        UIViewController::registerInterface("BookmarkGroups", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* groups = dynamic_cast<BookmarkGroupsViewController*>(&owner);
            return groups ? buildGroupsView(*groups) : nullptr;
        });
}
