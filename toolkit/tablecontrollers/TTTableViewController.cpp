#include "toolkit/tablecontrollers/TTTableViewController.h"

#include <algorithm>

#include "toolkit/controls/TTActivityLabel.h"
#include "toolkit/controls/TTErrorView.h"
#include "toolkit/foundation/NSObject+TTCategory.h"
#include "toolkit/foundation/NSString+TTCategory.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/tablecontrollers/TTSearchDisplayController.h"
#include "toolkit/tables/TTTableView.h"
#include "toolkit/views/UITableView+TTCategory.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
constexpr double kBannerHeight = 22;
constexpr double kBannerSlideDuration = 0.3;
constexpr double kFadeOutDuration = 0.3;
constexpr double kMenuSlideDuration = 0.2;
constexpr const char* kScrollOffsetKey = "scrollOffsetY";

// The overlay the controller makes for its banner and state views: touches that reach no
// subview of its own go on to the table below.
class TableOverlayView : public UIView {
 public:
  using UIView::UIView;
  UIView* hitTest(CGPoint point, UIEvent* event) override {
    UIView* hit = UIView::hitTest(point, event);
    return hit == this ? nullptr : hit;
  }
};
}  // namespace

TTTableViewController::TTTableViewController(UITableViewStyle style)
    : tableViewStyle_(style), lastInterfaceOrientation_(TTCurrentInterfaceOrientation()) {
  // A screen given a table controller for its search results makes a search display for it.
  static const bool installed = (TTSearchDisplayController::install(), true);
  (void)installed;
}

TTTableViewController::~TTTableViewController() {
  detachTable();
  for (auto* view : {tableBannerView_.get(), tableOverlayView_.get(), menuView_.get()})
    if (view) view->removeFromSuperview();
}

void TTTableViewController::detachTable() {
  if (!tableView_) return;
  tableView_->setDelegate(nullptr);
  tableView_->setDataSource(nullptr);
}

UIColorPtr TTTableViewController::tableBackgroundColor() const {
  auto* sheet = dynamic_cast<TTDefaultStyleSheet*>(TTStyleSheet::globalStyleSheet().get());
  if (!sheet) return nullptr;
  return tableViewStyle_ == UITableViewStyleGrouped ? sheet->tableGroupedBackgroundColor()
                                                    : sheet->tablePlainBackgroundColor();
}

UITableView* TTTableViewController::tableView() { return tableViewPtr().get(); }

const std::shared_ptr<UITableView>& TTTableViewController::tableViewPtr() {
  if (tableView_) return tableView_;
  UIView* root = view();  // loadView makes the table
  if (tableView_) return tableView_;
  auto table = std::make_shared<TTTableView>(root->bounds(), tableViewStyle_);
  table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  if (UIColorPtr color = tableBackgroundColor()) {
    table->setBackgroundColor(color);
    root->setBackgroundColor(color);
  }
  root->addSubview(table);
  tableView_ = table;
  return tableView_;
}

void TTTableViewController::setTableView(std::shared_ptr<UITableView> tableView) {
  if (tableView == tableView_) return;
  tableView_ = std::move(tableView);
  if (!tableView_) {
    if (tableBannerView_) tableBannerView_->removeFromSuperview();
    if (tableOverlayView_) tableOverlayView_->removeFromSuperview();
    tableBannerView_.reset();
    tableOverlayView_.reset();
  }
}

void TTTableViewController::loadView() {
  TTModelViewController::loadView();
  tableView();
}

void TTTableViewController::setVariableHeightRows(bool on) {
  if (on == variableHeightRows_) return;
  variableHeightRows_ = on;
  if (tableView_) tableView_->setDelegate(nullptr);
}

std::shared_ptr<UITableViewDelegate> TTTableViewController::createDelegate() {
  if (variableHeightRows_) return std::make_shared<TTTableViewVarHeightDelegate>(this);
  return std::make_shared<TTTableViewDelegate>(this);
}

void TTTableViewController::updateTableDelegate() {
  if (tableView()->delegate()) return;
  tableDelegate_ = createDelegate();
  tableView_->setDelegate(tableDelegate_.get());
}

void TTTableViewController::setDataSource(TTTableViewDataSourcePtr dataSource) {
  if (dataSource == dataSource_) return;
  dataSource_ = std::move(dataSource);
  if (tableView_) tableView_->setDataSource(nullptr);
  // The model lives as long as its data source.
  setModel(dataSource_ ? TTModelPtr(dataSource_, dataSource_->model()) : nullptr);
}

void TTTableViewController::createInterstitialModel() {
  setDataSource(std::make_shared<TTTableViewInterstialDataSource>());
}

bool TTTableViewController::canShowModel() {
  if (!dataSource_) return false;
  UITableView* table = tableView();
  int sections = dataSource_->numberOfSectionsInTableView(table);
  if (sections == 0) return false;
  if (sections > 1) return true;
  return dataSource_->numberOfRowsInSection(table, 0) > 0;
}

std::string TTTableViewController::defaultTitleForLoading() { return TTToolkitLocalizedString("Loading..."); }

void TTTableViewController::didLoadModel(bool firstTime) {
  TTModelViewController::didLoadModel(firstTime);
  if (dataSource_) dataSource_->tableViewDidLoadModel(tableView());
}

void TTTableViewController::didShowModel(bool firstTime) {
  TTModelViewController::didShowModel(firstTime);
  if (firstTime) tableView()->flashScrollIndicators();
}

void TTTableViewController::showModel(bool show) {
  hideMenu(true);
  UITableView* table = tableView();
  if (show) {
    updateTableDelegate();
    table->setDataSource(dataSource_.get());
  } else {
    table->setDataSource(nullptr);
  }
  table->reloadData();
}

void TTTableViewController::showLoading(bool show) {
  if (!show) {
    setLoadingView(nullptr);
    return;
  }
  if (model()->isLoaded() && canShowModel()) return;
  std::string title = dataSource_ ? dataSource_->titleForLoading(false) : defaultTitleForLoading();
  if (title.empty()) return;
  auto label = std::make_shared<TTActivityLabel>(TTActivityLabelStyleWhiteBox);
  label->setText(title);
  label->setBackgroundColor(tableView()->backgroundColor());
  setLoadingView(label);
}

void TTTableViewController::showError(bool show) {
  if (!show) {
    setErrorView(nullptr);
    return;
  }
  if (model()->isLoaded() && canShowModel()) return;
  if (dataSource_) {
    const NSError* error = modelError() ? &*modelError() : nullptr;
    std::string title = dataSource_->titleForError(error);
    std::string subtitle = dataSource_->subtitleForError(error);
    UIImagePtr image = dataSource_->imageForError(error);
    if (!title.empty() || !subtitle.empty() || image) {
      auto view = std::make_shared<TTErrorView>(title, subtitle, image);
      view->setBackgroundColor(tableView()->backgroundColor());
      setErrorView(view);
    } else {
      setErrorView(nullptr);
    }
  }
  tableView()->setDataSource(nullptr);
  tableView()->reloadData();
}

void TTTableViewController::showEmpty(bool show) {
  if (!show) {
    setEmptyView(nullptr);
    return;
  }
  if (dataSource_) {
    std::string title = dataSource_->titleForEmpty();
    std::string subtitle = dataSource_->subtitleForEmpty();
    UIImagePtr image = dataSource_->imageForEmpty();
    if (!title.empty() || !subtitle.empty() || image) {
      auto view = std::make_shared<TTErrorView>(title, subtitle, image);
      view->setBackgroundColor(tableView()->backgroundColor());
      setEmptyView(view);
    } else {
      setEmptyView(nullptr);
    }
  }
  tableView()->setDataSource(nullptr);
  tableView()->reloadData();
}

// --- State views, overlay and banner ---

void TTTableViewController::setLoadingView(std::shared_ptr<UIView> view) { replaceStateView(loadingView_, std::move(view)); }
void TTTableViewController::setErrorView(std::shared_ptr<UIView> view) { replaceStateView(errorView_, std::move(view)); }
void TTTableViewController::setEmptyView(std::shared_ptr<UIView> view) { replaceStateView(emptyView_, std::move(view)); }

void TTTableViewController::replaceStateView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view) {
  if (view == slot) return;
  if (slot) slot->removeFromSuperview();
  slot = std::move(view);
  if (slot) {
    addToOverlayView(slot);
    slot->setFrame(tableOverlayView_->bounds());
    slot->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  } else {
    resetOverlayView();
  }
}

void TTTableViewController::addToOverlayView(const std::shared_ptr<UIView>& view) {
  if (!tableOverlayView_) {
    auto overlay = std::make_shared<TableOverlayView>(rectForOverlayView());
    overlay->setAutoresizesSubviews(true);
    overlay->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleBottomMargin);
    if (UIView* parent = tableView()->superview()) parent->addSubview(overlay);
    tableOverlayView_ = overlay;
  }
  tableOverlayView_->addSubview(view);
}

void TTTableViewController::resetOverlayView() {
  if (tableOverlayView_ && tableOverlayView_->subviews().empty()) {
    tableOverlayView_->removeFromSuperview();
    tableOverlayView_.reset();
  }
}

CGRect TTTableViewController::rectForOverlayView() { return tt::frameWithKeyboardSubtracted(*tableView(), 0); }

CGRect TTTableViewController::rectForBannerView() {
  CGRect frame = tt::frameWithKeyboardSubtracted(*tableView(), 0);
  return CGRectMake(frame.origin.x, CGRectGetMaxY(frame) - kBannerHeight, frame.size.width, kBannerHeight);
}

void TTTableViewController::layoutOverlayView() {
  if (tableOverlayView_) tableOverlayView_->setFrame(rectForOverlayView());
}

void TTTableViewController::layoutBannerView() {
  if (!tableBannerView_ || !tableOverlayView_) return;
  // The banner rectangle is in the table's superview; the overlay starts at the table.
  CGRect rect = rectForBannerView();
  CGPoint origin = tableOverlayView_->frame().origin;
  tableBannerView_->setFrame(CGRectOffset(rect, -origin.x, -origin.y));
}

void TTTableViewController::fadeOutView(const std::shared_ptr<UIView>& view) {
  std::shared_ptr<UIView> kept = view;
  UIView::animateWithDuration(kFadeOutDuration, [kept] { kept->setAlpha(0); },
                              [kept](bool) { kept->removeFromSuperview(); });
}

void TTTableViewController::setTableBannerView(std::shared_ptr<UIView> view, bool animated) {
  if (bannerTimer_) bannerTimer_->invalidate();
  bannerTimer_.reset();
  if (view == tableBannerView_) return;
  if (tableBannerView_) {
    if (animated) {
      fadeOutView(tableBannerView_);
    } else {
      tableBannerView_->removeFromSuperview();
    }
  }
  tableBannerView_ = std::move(view);
  if (!tableBannerView_) return;
  tableBannerView_->setUserInteractionEnabled(false);
  addToOverlayView(tableBannerView_);
  layoutBannerView();
  if (animated) {
    UIView* banner = tableBannerView_.get();
    CGRect end = banner->frame();
    banner->setFrame(CGRectOffset(end, 0, kBannerHeight));
    UIView::animateWithDuration(kBannerSlideDuration, 0, UIViewAnimationCurveEaseOut,
                                [banner, end] { banner->setFrame(end); });
  }
}

void TTTableViewController::setTableOverlayView(std::shared_ptr<UIView> view, bool animated) {
  if (view == tableOverlayView_) return;
  if (tableOverlayView_) {
    if (animated) {
      fadeOutView(tableOverlayView_);
    } else {
      tableOverlayView_->removeFromSuperview();
    }
  }
  tableOverlayView_ = std::move(view);
  if (!tableOverlayView_) return;
  tableOverlayView_->setFrame(rectForOverlayView());
  if (UIView* parent = tableView()->superview()) parent->addSubview(tableOverlayView_);
}

// --- Cell menu ---

void TTTableViewController::showMenu(std::shared_ptr<UIView> view, std::shared_ptr<UITableViewCell> cell, bool animated) {
  hideMenu(true);
  menuView_ = std::move(view);
  menuCell_ = std::move(cell);
  UIView* content = menuCell_->contentView();
  content->insertSubview(menuView_, 0);
  double width = content->bounds().size.width;
  auto slide = [content, menu = menuView_.get(), width] {
    for (const auto& subview : content->subviews())
      if (subview.get() != menu) tt::setLeft(*subview, tt::left(*subview) - width);
  };
  if (animated) {
    UIView::animateWithDuration(kMenuSlideDuration, 0, UIViewAnimationCurveEaseIn, slide);
  } else {
    slide();
  }
}

void TTTableViewController::hideMenu(bool animated) {
  if (!menuView_) return;
  UIView* content = menuCell_->contentView();
  double width = content->bounds().size.width;
  std::shared_ptr<UIView> menu = std::move(menuView_);
  menuCell_.reset();
  auto slide = [content, menu = menu.get(), width] {
    for (const auto& subview : content->subviews())
      if (subview.get() != menu) tt::setLeft(*subview, tt::left(*subview) + width);
  };
  if (animated) {
    UIView::animateWithDuration(kMenuSlideDuration, 0, UIViewAnimationCurveEaseIn, slide,
                                [menu](bool) { menu->removeFromSuperview(); });
  } else {
    slide();
    menu->removeFromSuperview();
  }
}

void TTTableViewController::didBeginDragging() { hideMenu(true); }

// --- Model changes ---

void TTTableViewController::modelDidUpdateObject(TTModel* model, const std::shared_ptr<void>& object,
                                                 const NSIndexPath& indexPath) {
  modelDidChangeObject(Change::Update, model, object, indexPath);
}

void TTTableViewController::modelDidInsertObject(TTModel* model, const std::shared_ptr<void>& object,
                                                 const NSIndexPath& indexPath) {
  modelDidChangeObject(Change::Insert, model, object, indexPath);
}

void TTTableViewController::modelDidDeleteObject(TTModel* model, const std::shared_ptr<void>& object,
                                                 const NSIndexPath& indexPath) {
  modelDidChangeObject(Change::Delete, model, object, indexPath);
}

void TTTableViewController::modelDidChangeObject(Change change, TTModel* model, const std::shared_ptr<void>& object,
                                                 const NSIndexPath& indexPath) {
  if (model != modelPtr().get()) return;
  if (!(isViewAppearing() && isShowingModel())) {
    refresh();
    return;
  }
  if (!dataSource_) return;
  UITableView* table = tableView();
  // The model's announcements carry no table object; the data source places the change by path.
  std::optional<std::vector<int>> path;
  switch (change) {
    case Change::Update: path = dataSource_->willUpdateObject(table, TTTableObject(), indexPath); break;
    case Change::Insert: path = dataSource_->willInsertObject(table, TTTableObject(), indexPath); break;
    case Change::Delete: path = dataSource_->willRemoveObject(table, TTTableObject(), indexPath); break;
  }
  constexpr auto animation = UITableViewRowAnimationTop;
  if (!path || path->empty() || path->size() > 2) {
    table->reloadData();
  } else if (path->size() == 1) {
    int section = path->front();
    switch (change) {
      case Change::Update: table->reloadSections({section}, animation); break;
      case Change::Insert: table->insertSections({section}, animation); break;
      case Change::Delete: table->deleteSections({section}, animation); break;
    }
  } else {
    NSIndexPath row = NSIndexPath::indexPathForRow((*path)[1], (*path)[0]);
    switch (change) {
      case Change::Update: table->reloadRowsAtIndexPaths({row}, animation); break;
      case Change::Insert:
        table->insertRowsAtIndexPaths({row}, animation);
        table->scrollToRowAtIndexPath(row, UITableViewScrollPositionNone, false);
        break;
      case Change::Delete: table->deleteRowsAtIndexPaths({row}, animation); break;
    }
  }
  invalidateView();
}

void TTTableViewController::beginUpdates() {
  TTModelViewController::beginUpdates();
  tableView()->beginUpdates();
}

void TTTableViewController::endUpdates() {
  TTModelViewController::endUpdates();
  tableView()->endUpdates();
}

// --- Selection, appearance, editing ---

void TTTableViewController::didSelectObject(const TTTableObject& object, const NSIndexPath&) {
  const void* identity = object.item();
  if (!identity) identity = object.view();
  if (!identity) identity = object.styledText();
  std::string url = tt::URLValue(identity);
  if (!url.empty()) tt::openURL(url);
}

void TTTableViewController::viewWillAppear(bool animated) {
  TTModelViewController::viewWillAppear(animated);
  UITableView* table = tableView();
  UIInterfaceOrientation orientation = TTCurrentInterfaceOrientation();
  if (orientation != lastInterfaceOrientation_) {
    lastInterfaceOrientation_ = orientation;
    table->reloadData();
  } else if (auto* ttTable = dynamic_cast<TTTableView*>(table)) {
    ttTable->setHighlightedLabel(nullptr);
  }
  if (auto selected = table->indexPathForSelectedRow()) table->deselectRowAtIndexPath(*selected, false);
}

void TTTableViewController::viewWillDisappear(bool animated) {
  hideMenu(true);
  TTModelViewController::viewWillDisappear(animated);
}

void TTTableViewController::setEditing(bool editing, bool animated) {
  TTModelViewController::setEditing(editing, animated);
  tableView()->setEditing(editing, animated);
}

bool TTTableViewController::persistView(Value::Map& state) {
  state[kScrollOffsetKey] = Value(static_cast<double>(static_cast<float>(tableView()->contentOffset().y)));
  return TTModelViewController::persistView(state);
}

void TTTableViewController::restoreView(const Value::Map& state) {
  auto found = state.find(kScrollOffsetKey);
  if (found == state.end()) return;
  double offset = found->second.doubleValue();
  if (offset == 0) return;
  UITableView* table = tableView();
  // A short content gives no room to scroll: the offset never goes above the top.
  double limit = std::max(0.0, table->contentSize().height - table->bounds().size.height);
  table->setContentOffset(CGPointMake(0, std::min(offset, limit)));
}

void TTTableViewController::keyboardDidAppear(bool animated, CGRect bounds) {
  TTModelViewController::keyboardDidAppear(animated, bounds);
  UITableView* table = tableView();
  tt::setHeight(*table, tt::height(*table) - bounds.size.height);
  tt::scrollFirstResponderIntoView(*table);
  layoutOverlayView();
  layoutBannerView();
}

void TTTableViewController::keyboardWillDisappear(bool animated, CGRect bounds) {
  TTModelViewController::keyboardWillDisappear(animated, bounds);
  UITableView* table = tableView();
  tt::setHeight(*table, tt::height(*table) + bounds.size.height);
}

void TTTableViewController::keyboardDidDisappear(bool animated, CGRect bounds) {
  TTModelViewController::keyboardDidDisappear(animated, bounds);
  layoutOverlayView();
  layoutBannerView();
}

void TTTableViewController::viewDidUnload() {
  TTModelViewController::viewDidUnload();
  detachTable();
  tableDelegate_.reset();
  tableView_.reset();
  for (auto* slot : {&tableBannerView_, &tableOverlayView_, &loadingView_, &errorView_, &emptyView_, &menuView_}) {
    if (*slot) (*slot)->removeFromSuperview();
    slot->reset();
  }
  menuCell_.reset();
}
