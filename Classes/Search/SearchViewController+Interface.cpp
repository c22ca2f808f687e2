// The interface "SearchView": top bar (Saved, search bar, More), the result count line, the
// results with the operator help over them while the search bar is empty, and the bar of
// operator keys that rides above the keyboard.
#include "Classes/Search/SavedSearchesViewController.h"
#include "Classes/Search/SearchViewController.h"

#include <cmath>

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "Classes/Search/SearchScreenParts.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

using search_parts::barButton;
using search_parts::listSpinner;

constexpr double kTopBarHeight = TabScreenLayout::kTopBarHeight;
constexpr double kCountLineHeight = 34;
constexpr double kKeyBarHeight = 44;
constexpr double kSegmentWidth = 116;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

std::shared_ptr<UILabel> clearLabel(CGRect frame, const char* font, double size, UIColorPtr color) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(UIFont::fontWithName(font, size));
    label->setTextColor(std::move(color));
    label->setBackgroundColor(UIColor::clearColor());
    label->setUserInteractionEnabled(false);
    return label;
}

std::shared_ptr<UIView> buildSearchView(SearchViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(80);
    const double w = layout.width, h = layout.height;
    auto root = layout.root;
    c.imgBG = layout.background;
    c.viewTopBar = layout.topBar;
    c.imgTopBarBG = layout.topBarImage;
    layout.title->removeFromSuperview();  // the search bar takes the title's place

    c.btnSavedSearches = barButton(CGRectMake(6, 7, 62, 30), 12);
    c.btnSavedSearches->setTitleEdgeInsets(UIEdgeInsetsMake(0, 8, 0, 0));
    c.btnSavedSearches->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnSavedSearchesPressed(); },
                                  UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnSavedSearches);
    c.txtSearchBar = std::make_shared<UISearchBar>(CGRectMake(70, 0, w - 128, kTopBarHeight));
    c.txtSearchBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.txtSearchBar->setTintColor(UIColor::colorWithRed(0.55, 0.45, 0.30, 1));
    c.viewTopBar->addSubview(c.txtSearchBar);
    c.btnMore = barButton(CGRectMake(w - 56, 7, 50, 30), 12);
    c.btnMore->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.btnMore->setHidden(true);
    c.btnMore->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnMorePressed(); }, UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnMore);

    c.segmentSelector = std::make_shared<UISegmentedControl>(std::vector<std::string>{"", ""});
    c.segmentSelector->setFrame(CGRectMake(w - kSegmentWidth - 6, kTopBarHeight + 5, kSegmentWidth, kCountLineHeight - 10));
    c.segmentSelector->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.segmentSelector->setSegmentedControlStyle(UISegmentedControlStyleBar);
    c.segmentSelector->setTintColor(UIColor::colorWithRed(0.55, 0.45, 0.30, 1));
    c.segmentSelector->addTarget(&c, [&c](UIControl*, UIEvent*) { c.segmentSelectorPressed(); },
                                 UIControlEventValueChanged);
    root->addSubview(c.segmentSelector);

    c.lblResultsTitle = clearLabel(CGRectMake(10, kTopBarHeight, w - 20 - kSegmentWidth, kCountLineHeight), "Helvetica-Bold", 13,
                                   UIColor::colorWithRed(0.40, 0.29, 0.13, 1));
    c.lblResultsTitle->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblResultsTitle->setTextAlignment(UITextAlignmentCenter);
    c.lblResultsTitle->setNumberOfLines(2);
    c.lblResultsTitle->setShadowColor(UIColor::colorWithWhite(1, 0.6));
    c.lblResultsTitle->setShadowOffset(CGSizeMake(0, 1));
    root->addSubview(c.lblResultsTitle);

    const double top = kTopBarHeight + kCountLineHeight;
    c.tblSearchResults = std::make_shared<UITableView>(CGRectMake(0, top, w, h - top), UITableViewStylePlain);
    c.tblSearchResults->setAutoresizingMask(kFlexibleSize);
    c.tblSearchResults->setBackgroundColor(UIColor::clearColor());
    c.tblSearchResults->setOpaque(false);
    c.tblSearchResults->setSeparatorStyle(UITableViewCellSeparatorStyleNone);
    c.tblSearchResults->setRowHeight(44);
    root->addSubview(c.tblSearchResults);

    // The operator help, shown while the search bar is empty.
    c.lblHintTop = clearLabel(CGRectMake(20, kTopBarHeight + 14, w - 40, 22), "Helvetica-Bold", 15,
                              UIColor::colorWithRed(113 / 255.0, 77 / 255.0, 147 / 255.0, 1));
    c.lblHintTop->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblHintTop->setAlpha(0);
    root->addSubview(c.lblHintTop);
    c.lblHintTitle = clearLabel(CGRectMake(20, kTopBarHeight + 40, w - 40, h - kTopBarHeight - 50), "Helvetica", 13,
                                UIColor::colorWithRed(0.33, 0.24, 0.10, 1));
    c.lblHintTitle->setAutoresizingMask(kFlexibleSize);
    c.lblHintTitle->setNumberOfLines(0);
    c.lblHintTitle->setLineBreakMode(UILineBreakModeWordWrap);
    c.lblHintTitle->setAlpha(0);
    root->addSubview(c.lblHintTitle);

    c.activityView = listSpinner(w, top);
    root->addSubview(c.activityView);
    root->addSubview(c.viewTopBar);

    // The operator keys: added to the view when the keyboard first shows.
    c.viewSearchBar = std::make_shared<UIView>(CGRectMake(0, h, w, kKeyBarHeight));
    c.viewSearchBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto keyBarImage = std::make_shared<UIImageView>(CGRectMake(0, 0, w, kKeyBarHeight));
    keyBarImage->setAutoresizingMask(kFlexibleSize);
    if (auto image = UIImage::imageNamed("tabbar-pattern.png")) keyBarImage->setImage(image->stretchableImageWithLeftCapWidth(1, 0));
    else keyBarImage->setBackgroundColor(UIColor::colorWithRed(0.23, 0.19, 0.13, 1));
    c.viewSearchBar->addSubview(keyBarImage);
    struct Key {
        std::shared_ptr<UIButton>* button;
        const char* title;
    } keys[] = {{&c.btnBarQoute, "\" \""}, {&c.btnBarAsterisk, "*"}, {&c.btnBarMinus, "-"}, {&c.btnBarOR, "OR"}};
    const double keyWidth = std::floor((w - 30) / 4);
    for (int i = 0; i < 4; ++i) {
        auto button = barButton(CGRectMake(6 + i * (keyWidth + 6), 6, keyWidth, 32), 15);
        button->setTitle(keys[i].title, UIControlStateNormal);
        if (auto image = UIImage::imageNamed("black-button.png"))
            button->setBackgroundImage(image->stretchableImageWithLeftCapWidth(16, 0), UIControlStateNormal);
        if (auto image = UIImage::imageNamed("black-button-t.png"))
            button->setBackgroundImage(image->stretchableImageWithLeftCapWidth(16, 0), UIControlStateHighlighted);
        UIButton* raw = button.get();
        button->addTarget(&c, [&c, raw](UIControl*, UIEvent*) { c.keybarButtonPressed(raw); }, UIControlEventTouchUpInside);
        c.viewSearchBar->addSubview(button);
        *keys[i].button = button;
    }
    return root;
}

}  // namespace

void SearchViewController::registerInterface() {
    if (!UIViewController::hasInterface("SearchView"))
        UIViewController::registerInterface("SearchView", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* search = dynamic_cast<SearchViewController*>(&owner);
            return search ? buildSearchView(*search) : nullptr;
        });
    SavedSearchesViewController::registerInterface();
    ShellScreenFactory::setMaker("SearchView", [] { return std::make_shared<SearchViewController>("SearchView"); });
    ShellScreenFactory::setMaker("SavedSearches",
                                 [] { return std::make_shared<SavedSearchesViewController>("SavedSearches"); });
}
