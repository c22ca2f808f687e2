#include "toolkit/search/TTSearchTextField.h"

#include <algorithm>

#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/controls/TTView.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/tables/TTTableView.h"
#include "toolkit/views/UIView+TTCategory.h"

namespace {
constexpr double kKeyboardHeight = 216;
constexpr double kShadowHeight = 24;
constexpr double kScreenFadeDuration = 0.3;
// Above this a view is taken to be the screen the results drop over.
constexpr double kResultsHostMinHeight = 150;

TTDefaultStyleSheet* defaultSheet() {
  return dynamic_cast<TTDefaultStyleSheet*>(TTStyleSheet::globalStyleSheet().get());
}

UIScrollView* enclosingScrollView(UIView* view) {
  return view ? tt::ancestorOrSelfWithClass<UIScrollView>(view->superview()) : nullptr;
}
}  // namespace

// --- The platform-facing delegate ---

bool TTSearchTextFieldInternal::textFieldShouldBeginEditing(UITextField* field) {
  return !delegate_ || delegate_->textFieldShouldBeginEditing(field);
}

void TTSearchTextFieldInternal::textFieldDidBeginEditing(UITextField* field) {
  if (delegate_) delegate_->textFieldDidBeginEditing(field);
}

bool TTSearchTextFieldInternal::textFieldShouldEndEditing(UITextField* field) {
  return !delegate_ || delegate_->textFieldShouldEndEditing(field);
}

void TTSearchTextFieldInternal::textFieldDidEndEditing(UITextField* field) {
  if (delegate_) delegate_->textFieldDidEndEditing(field);
}

bool TTSearchTextFieldInternal::shouldChangeCharactersInRange(UITextField* field, NSRange range,
                                                              const std::string& replacement) {
  // The search is scheduled even when the delegate refuses the change.
  textField_->shouldUpdate(replacement.empty());
  return !delegate_ || delegate_->shouldChangeCharactersInRange(field, range, replacement);
}

bool TTSearchTextFieldInternal::textFieldShouldClear(UITextField* field) {
  textField_->shouldUpdate(true);
  return !delegate_ || delegate_->textFieldShouldClear(field);
}

bool TTSearchTextFieldInternal::textFieldShouldReturn(UITextField* field) {
  if (delegate_ && !delegate_->textFieldShouldReturn(field)) return false;
  if (textField_->searchesAutomatically()) {
    textField_->doneAction();
  } else {
    textField_->search();
  }
  return true;
}

// --- The field ---

TTSearchTextField::TTSearchTextField(CGRect frame)
    : UITextField(frame), internal_(std::make_unique<TTSearchTextFieldInternal>(this)) {
  setAutocorrectionType(UITextAutocorrectionTypeNo);
  setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
  setClearButtonMode(UITextFieldViewModeWhileEditing);
  setSearchesAutomatically(true);
  addTarget(this, [this](UIControl*, UIEvent*) { didBeginEditing(); }, UIControlEventEditingDidBegin);
  addTarget(this, [this](UIControl*, UIEvent*) { didEndEditing(); }, UIControlEventEditingDidEnd);
  UITextField::setDelegate(internal_.get());
}

TTSearchTextField::~TTSearchTextField() {
  if (searchTimer_) searchTimer_->invalidate();
  // The Done button calls back into this field: give the bar its own button back.
  if (!previousItemOwner_.expired()) showDoneButton(false);
  watchModel(false);
  if (tableView_) {
    tableView_->setDelegate(nullptr);
    tableView_->setDataSource(nullptr);
    tableView_->removeFromSuperview();
  }
  if (shadowView_) shadowView_->removeFromSuperview();
  if (screenView_) screenView_->removeFromSuperview();
  UITextField::setDelegate(nullptr);
}

UIView* TTSearchTextField::shadowView() const { return shadowView_.get(); }

void TTSearchTextField::watchModel(bool on) {
  if (!dataSource_) return;
  TTModel* model = dataSource_->model();
  if (!model) return;
  if (on) {
    model->addDelegate(this);
  } else {
    model->removeDelegate(this);
  }
}

void TTSearchTextField::setDataSource(TTTableViewDataSourcePtr dataSource) {
  if (dataSource == dataSource_) return;
  watchModel(false);
  dataSource_ = std::move(dataSource);
  watchModel(true);
  if (tableView_) tableView_->setDataSource(dataSource_.get());
}

UITableView* TTSearchTextField::tableView() {
  if (!tableView_) {
    auto table = std::make_shared<TTTableView>(CGRectZero, UITableViewStylePlain);
    if (auto* sheet = defaultSheet()) {
      table->setBackgroundColor(sheet->searchTableBackgroundColor());
      table->setSeparatorColor(sheet->searchTableSeparatorColor());
    }
    table->setRowHeight(rowHeight_);
    table->setDataSource(dataSource_.get());
    table->setDelegate(this);
    table->setScrollsToTop(false);
    tableView_ = table;
  }
  return tableView_.get();
}

void TTSearchTextField::setRowHeight(double height) {
  rowHeight_ = height;
  if (tableView_) tableView_->setRowHeight(height);
}

void TTSearchTextField::setSearchesAutomatically(bool on) {
  searchesAutomatically_ = on;
  setReturnKeyType(on ? UIReturnKeyDone : UIReturnKeySearch);
  setEnablesReturnKeyAutomatically(!on);
}

void TTSearchTextField::setText(const std::string& text) {
  UITextField::setText(text);
  autoSearch();
}

std::string TTSearchTextField::searchText() const {
  const std::string& raw = text();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  auto begin = std::find_if_not(raw.begin(), raw.end(), blank);
  auto end = std::find_if_not(raw.rbegin(), std::string::const_reverse_iterator(begin), blank).base();
  return std::string(begin, end);
}

void TTSearchTextField::search() {
  if (dataSource_) dataSource_->search(searchText());
}

void TTSearchTextField::autoSearch() {
  // An empty field always searches, so that clearing resets the results.
  if (searchesAutomatically_ || text().empty()) search();
}

bool TTSearchTextField::shouldUpdate(bool) {
  delayedUpdate();
  return true;
}

void TTSearchTextField::delayedUpdate() {
  // A zero delay runs after the edit has landed in the field, once per turn of the run loop.
  if (searchTimer_) searchTimer_->invalidate();
  searchTimer_ = NSTimer::scheduledTimer(0, false, [this](NSTimer&) { dispatchUpdate(); });
}

void TTSearchTextField::dispatchUpdate() {
  searchTimer_.reset();
  autoSearch();
}

bool TTSearchTextField::hasSearchResults() {
  if (!dataSource_) return false;
  UITableView* table = tableView();
  return dataSource_->numberOfSectionsInTableView(table) > 0 && dataSource_->numberOfRowsInSection(table, 0) > 0;
}

void TTSearchTextField::reloadTable() {
  if (!dataSource_) return;
  dataSource_->tableViewDidLoadModel(tableView());
  // Results drop down only while the field is edited: a load that ends after editing (the
  // empty search that Done runs, for one) must not leave a table over the screen.
  if (isEditing() && hasSearchResults()) {
    layoutIfNeeded();
    showSearchResults(true);
    tableView_->reloadData();
  } else {
    showSearchResults(false);
  }
}

UIView* TTSearchTextField::superviewForSearchResults() {
  if (auto* scroll = tt::ancestorOrSelfWithClass<UIScrollView>(this)) return scroll;
  for (UIView* view = superview(); view; view = view->superview())
    if (view->frame().size.height > kResultsHostMinHeight) return view;
  return superview();
}

CGRect TTSearchTextField::rectForSearchResults(bool withKeyboard) {
  UIView* host = superviewForSearchResults();
  double y = 0;
  for (UIView* view = this; view && view != host; view = view->superview()) y += tt::top(*view);
  double height = tt::height(*this);
  double keyboard = withKeyboard ? kKeyboardHeight : 0;
  double windowHeight = window() ? tt::height(*window()) : 0;
  // A field low on the screen leaves no room: the table is empty rather than upside down.
  double tableHeight = std::max(0.0, windowHeight - (tt::screenY(*this) + height + keyboard) + 1);
  return CGRectMake(0, y + height - 1, host ? tt::width(*host) : 0, tableHeight);
}

void TTSearchTextField::showSearchResults(bool show) {
  if (!show || !dataSource_) {
    if (tableView_) tableView_->removeFromSuperview();
    if (shadowView_) shadowView_->removeFromSuperview();
    return;
  }
  UITableView* table = tableView();
  if (!shadowView_) {
    shadowView_ = std::make_shared<TTView>(CGRectZero);
    shadowView_->setStyle(TTStyleSheet::globalStyleSheet()->styleWithSelector("searchTableShadow"));
    shadowView_->setBackgroundColor(UIColor::clearColor());
    shadowView_->setUserInteractionEnabled(false);
  }
  if (!table->superview()) {
    table->setFrame(rectForSearchResults(true));
    shadowView_->setFrame(CGRectMake(tt::left(*table), tt::top(*table) - 1, tt::width(*table), kShadowHeight));
    if (UIView* host = superviewForSearchResults()) {
      host->addSubview(tableView_);
      if (table->separatorStyle() != UITableViewCellSeparatorStyleNone) host->addSubview(shadowView_);
    }
  }
  if (auto selected = table->indexPathForSelectedRow()) table->deselectRowAtIndexPath(*selected, false);
}

double TTSearchTextField::heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
  if (rowHeight_ != 0) return rowHeight_;
  if (!dataSource_) return -1;
  TTTableObject object = dataSource_->objectForRowAtIndexPath(tableView, indexPath);
  return dataSource_->cellClassForObject(tableView, object).rowHeightForObject(tableView, object);
}

void TTSearchTextField::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
  auto* listener = dynamic_cast<TTSearchTextFieldDelegate*>(delegate());
  if (!listener || !dataSource_) return;
  TTTableObject object = dataSource_->objectForRowAtIndexPath(tableView, indexPath);
  UITableViewCell* cell = tableView->cellForRowAtIndexPath(indexPath);
  if (cell && cell->selectionStyle() == UITableViewCellSelectionStyleNone) return;
  listener->textFieldDidSelectObject(this, object);
}

void TTSearchTextField::modelDidStartLoad(TTModel*) {
  // A search on demand shows its loading state.
  if (!searchesAutomatically_) reloadTable();
}

void TTSearchTextField::modelDidFinishLoad(TTModel*) { reloadTable(); }
void TTSearchTextField::modelDidChange(TTModel*) { reloadTable(); }
void TTSearchTextField::modelDidFailLoadWithError(TTModel*, const NSError&) { reloadTable(); }

void TTSearchTextField::didBeginEditing() {
  if (!dataSource_) return;
  if (UIScrollView* scroll = enclosingScrollView(this)) {
    scroll->setScrollEnabled(false);
    scroll->setScrollsToTop(false);
  }
  if (showsDoneButton_) showDoneButton(true);
  if (showsDarkScreen_) showDarkScreen(true);
  if (hasText() && hasSearchResults()) showSearchResults(true);
}

void TTSearchTextField::didEndEditing() {
  if (!dataSource_) return;
  if (UIScrollView* scroll = enclosingScrollView(this)) {
    scroll->setScrollEnabled(true);
    scroll->setScrollsToTop(true);
  }
  showSearchResults(false);
  if (showsDoneButton_) showDoneButton(false);
  if (showsDarkScreen_) showDarkScreen(false);
}

void TTSearchTextField::showDoneButton(bool show) {
  auto& visible = TTNavigatorHooks::shared().visibleViewController;
  UIViewController* controller = visible ? visible() : nullptr;
  if (show) {
    if (!controller) return;
    UINavigationItem* item = controller->navigationItem();
    previousItemOwner_ = controller->weak_from_this();
    previousRightBarButtonItem_ = item->rightBarButtonItem();
    auto done = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemDone, [this](UIBarButtonItem*) { doneAction(); });
    item->setRightBarButtonItem(done, true);
  } else {
    if (auto kept = previousItemOwner_.lock())
      kept->navigationItem()->setRightBarButtonItem(previousRightBarButtonItem_, true);
    previousItemOwner_.reset();
    previousRightBarButtonItem_.reset();
  }
}

void TTSearchTextField::showDarkScreen(bool show) {
  if (show) {
    if (!screenView_) {
      screenView_ = std::make_shared<UIButton>(CGRectZero);
      if (auto* sheet = defaultSheet()) screenView_->setBackgroundColor(sheet->screenBackgroundColor());
      screenView_->setFrame(rectForSearchResults(false));
      screenView_->setAlpha(0);
      screenView_->addTarget(this, [this](UIControl*, UIEvent*) { doneAction(); }, UIControlEventTouchUpInside);
    }
    if (UIView* host = superviewForSearchResults()) host->addSubview(screenView_);
  }
  if (!screenView_) return;
  std::shared_ptr<UIButton> screen = screenView_;
  UIView::animateWithDuration(kScreenFadeDuration, [screen, show] { screen->setAlpha(show ? 1 : 0); },
                              [screen](bool) {
                                if (screen->alpha() == 0) screen->removeFromSuperview();
                              });
}

void TTSearchTextField::doneAction() {
  resignFirstResponder();
  if (dataSource_) setText("");
}
