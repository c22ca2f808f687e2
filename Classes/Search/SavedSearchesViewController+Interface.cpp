// The interface "SavedSearches": top bar (Edit, title, Search), the notice strip and the list.
#include "Classes/Search/SavedSearchesViewController.h"

#include <cmath>

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "Classes/Search/SearchScreenParts.h"
#include "platform/text/UIFont.h"

namespace {

using search_parts::barButton;
using search_parts::listSpinner;

constexpr double kTopBarHeight = TabScreenLayout::kTopBarHeight;
constexpr double kNoticeHeight = 44;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

std::shared_ptr<UIView> buildSavedSearchesView(SavedSearchesViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(80);
    const double w = layout.width, h = layout.height;
    auto root = layout.root;
    c.imgBG = layout.background;
    c.viewTopBar = layout.topBar;
    c.imgTopBarBG = layout.topBarImage;
    c.lblTopLabel = layout.title;
    c.btnEdit = barButton(CGRectMake(6, 7, 54, 30), 12);
    c.btnEdit->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnEditPressed(); }, UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnEdit);
    c.btnSearch = barButton(CGRectMake(w - 72, 7, 66, 30), 12);
    c.btnSearch->setTitleEdgeInsets(UIEdgeInsetsMake(0, 0, 0, 8));
    c.btnSearch->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.btnSearch->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnSearchPressed(); }, UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnSearch);

    c.imgTopBG = std::make_shared<UIImageView>(CGRectMake(0, kTopBarHeight, w, kNoticeHeight));
    c.imgTopBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(c.imgTopBG);
    c.lblTopNotice = std::make_shared<UILabel>(CGRectMake(40, kTopBarHeight, w - 80, kNoticeHeight));
    c.lblTopNotice->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblTopNotice->setFont(UIFont::fontWithName("Helvetica", 11));
    c.lblTopNotice->setTextColor(UIColor::colorWithRed(0.40, 0.29, 0.13, 1));
    c.lblTopNotice->setBackgroundColor(UIColor::clearColor());
    c.lblTopNotice->setNumberOfLines(2);
    root->addSubview(c.lblTopNotice);

    const double top = kTopBarHeight + kNoticeHeight;
    c.tblSavedSearches = std::make_shared<UITableView>(CGRectMake(0, top, w, h - top), UITableViewStylePlain);
    c.tblSavedSearches->setAutoresizingMask(kFlexibleSize);
    c.tblSavedSearches->setBackgroundColor(UIColor::clearColor());
    c.tblSavedSearches->setOpaque(false);
    c.tblSavedSearches->setRowHeight(44);
    root->addSubview(c.tblSavedSearches);

    c.activityIndicator = listSpinner(w, top);
    root->addSubview(c.activityIndicator);
    root->addSubview(c.viewTopBar);
    return root;
}

}  // namespace

void SavedSearchesViewController::registerInterface() {
    if (!UIViewController::hasInterface("SavedSearches"))
        UIViewController::registerInterface("SavedSearches", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* list = dynamic_cast<SavedSearchesViewController*>(&owner);
            return list ? buildSavedSearchesView(*list) : nullptr;
        });
}
