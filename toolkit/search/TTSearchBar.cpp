#include "toolkit/search/TTSearchBar.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/UIImageView.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITableView.h"
#include "toolkit/controls/TTButton.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
constexpr double kMinimumBarHeight = 44;
constexpr double kIndexSlideDuration = 0.3;
constexpr const char* kSearchIconImage = "Vantrel.bundle/images/searchIcon.png";
}  // namespace

TTSearchBar::TTSearchBar(CGRect frame) : TTView(frame) {
  boxView_ = std::make_shared<TTView>(CGRectZero);
  boxView_->setBackgroundColor(UIColor::clearColor());
  addSubview(boxView_);

  searchField_ = std::make_shared<TTSearchTextField>(CGRectZero);
  searchField_->setPlaceholder(TTToolkitLocalizedString("Search"));
  searchField_->setAutocapitalizationType(UITextAutocapitalizationTypeNone);
  searchField_->addTarget(this, [this](UIControl*, UIEvent*) { textFieldDidBeginEditing(); },
                          UIControlEventEditingDidBegin);
  searchField_->addTarget(this, [this](UIControl*, UIEvent*) { textFieldDidEndEditing(); },
                          UIControlEventEditingDidEnd);
  addSubview(searchField_);

  TTStyleSheetPtr sheet = TTStyleSheet::globalStyleSheet();
  if (auto* defaults = dynamic_cast<TTDefaultStyleSheet*>(sheet.get())) tintColor_ = defaults->searchBarTintColor();
  setStyle(sheet->styleWithSelector("searchBar"));
  setTextFieldStyle(sheet->styleWithSelector("searchTextField"));
  setFont(sheet->font());
  setShowsSearchIcon(true);
}

TTSearchBar::~TTSearchBar() { searchField_->removeTarget(this, UIControlEventEditingDidBegin | UIControlEventEditingDidEnd); }

void TTSearchBar::setTextFieldStyle(TTStylePtr style) {
  textFieldStyle_ = std::move(style);
  boxView_->setStyle(textFieldStyle_);
}

void TTSearchBar::setShowsSearchIcon(bool shows) {
  if (shows == showsSearchIcon_) return;
  showsSearchIcon_ = shows;
  if (shows) {
    auto icon = std::make_shared<UIImageView>(UIImage::imageNamed(kSearchIconImage));
    icon->setContentMode(UIViewContentModeLeft);
    tt::setWidth(*icon, tt::width(*icon) + 4);  // two points on each side
    searchField_->setLeftView(icon);
    searchField_->setLeftViewMode(UITextFieldViewModeAlways);
  } else {
    searchField_->setLeftView(nullptr);
    searchField_->setLeftViewMode(UITextFieldViewModeNever);
  }
}

void TTSearchBar::setShowsCancelButton(bool shows) {
  if (shows == showsCancelButton_) return;
  showsCancelButton_ = shows;
  if (shows) {
    cancelButton_ = TTButton::buttonWithStyle("blackToolbarButton:", TTToolkitLocalizedString("Cancel"));
    TTSearchTextField* field = searchField_.get();
    cancelButton_->addTarget(this, [field](UIControl*, UIEvent*) { field->resignFirstResponder(); },
                             UIControlEventTouchUpInside);
    addSubview(cancelButton_);
  } else {
    cancelButton_->removeFromSuperview();
    cancelButton_.reset();
  }
  setNeedsLayout();
}

CGSize TTSearchBar::sizeThatFits(CGSize size) const {
  double height = font() ? tt::lineHeight(*font()) + 20 : 0;
  return CGSizeMake(size.width, std::max(height, kMinimumBarHeight));
}

double TTSearchBar::indexViewWidth() const {
  auto* table = tt::ancestorOrSelfWithClass<UITableView>(superview());
  UIView* index = table ? table->indexView() : nullptr;
  return index ? tt::width(*index) : 0;
}

void TTSearchBar::layoutSubviews() {
  TTView::layoutSubviews();
  double w = tt::width(*this), h = tt::height(*this);
  double indexWidth = searchField_->isEditing() ? 0 : indexViewWidth();
  double cancelWidth = 0;
  if (cancelButton_) {
    cancelButton_->sizeToFit();
    cancelWidth = tt::width(*cancelButton_) + 4;
  }
  double leftPadding = showsSearchIcon_ ? 0 : 4;
  double boxHeight = (font() ? tt::lineHeight(*font()) : 0) + 8;
  boxView_->setFrame(CGRectMake(5, std::floor(h / 2 - boxHeight / 2), w - (indexWidth + 10 + cancelWidth), boxHeight));
  searchField_->setFrame(CGRectMake(leftPadding + 15, 0, w - (leftPadding + 20 + cancelWidth + indexWidth), h));
  if (cancelButton_)
    cancelButton_->setFrame(CGRectMake(tt::right(*boxView_) + 4, std::floor(h / 2 - 15), tt::width(*cancelButton_), 30));
}

void TTSearchBar::scrollToTop() {
  auto* scroll = tt::ancestorOrSelfWithClass<UIScrollView>(superview());
  if (!scroll) return;
  double y = tt::offsetFromView(*this, scroll).y;
  CGPoint offset = scroll->contentOffset();
  if (offset.y != y) scroll->setContentOffset(CGPointMake(offset.x, y), true);
}

void TTSearchBar::showIndexView(bool show) {
  auto* table = tt::ancestorOrSelfWithClass<UITableView>(superview());
  UIView* index = table ? table->indexView() : nullptr;
  if (!index) return;
  double indexWidth = tt::width(*index);
  double barWidth = tt::width(*this);
  UIView* field = searchField_.get();
  UIView* box = boxView_.get();
  UIView::animateWithDuration(kIndexSlideDuration, [=] {
    if (show) {
      tt::setLeft(*index, barWidth - indexWidth - 4);
    } else {
      tt::setLeft(*index, tt::left(*index) + indexWidth + 4);
    }
    index->setAlpha(show ? 1 : 0);
    double change = show ? -indexWidth : indexWidth;
    tt::setWidth(*field, tt::width(*field) + change);
    tt::setWidth(*box, tt::width(*box) + change);
  });
}

void TTSearchBar::textFieldDidBeginEditing() {
  scrollToTop();
  showIndexView(false);
}

void TTSearchBar::textFieldDidEndEditing() { showIndexView(true); }
