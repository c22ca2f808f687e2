#pragma once
// A text field that searches a table data source as the user types and drops the matches down
// in a table below it, over the screen. While it is edited it can dim the rest of the screen
// and put a Done button into the visible screen's navigation bar.

#include <memory>

#include "platform/foundation/NSTimer.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UITextField.h"
#include "toolkit/controllers/TTModel.h"
#include "toolkit/tables/TTTableViewDataSource.h"

class TTSearchTextField;
class TTView;
class UIViewController;

// A field's own delegate may also hear which result the user picked.
class TTSearchTextFieldDelegate : public UITextFieldDelegate {
 public:
  virtual void textFieldDidSelectObject(TTSearchTextField* field, const TTTableObject& object) {}
};

// Stands between the platform and the field's own delegate, so that the field sees every edit
// first.
class TTSearchTextFieldInternal : public UITextFieldDelegate {
 public:
  explicit TTSearchTextFieldInternal(TTSearchTextField* field) : textField_(field) {}
  UITextFieldDelegate* delegate() const { return delegate_; }
  void setDelegate(UITextFieldDelegate* delegate) { delegate_ = delegate; }

  bool textFieldShouldBeginEditing(UITextField* field) override;
  void textFieldDidBeginEditing(UITextField* field) override;
  bool textFieldShouldEndEditing(UITextField* field) override;
  void textFieldDidEndEditing(UITextField* field) override;
  bool shouldChangeCharactersInRange(UITextField* field, NSRange range, const std::string& replacement) override;
  bool textFieldShouldClear(UITextField* field) override;
  bool textFieldShouldReturn(UITextField* field) override;

 private:
  TTSearchTextField* textField_;       // unretained: the field owns this object
  UITextFieldDelegate* delegate_ = nullptr;  // unretained
};

class TTSearchTextField : public UITextField, public UITableViewDelegate, public TTModelDelegate {
 public:
  explicit TTSearchTextField(CGRect frame = CGRectZero);
  ~TTSearchTextField() override;

  const TTTableViewDataSourcePtr& dataSource() const { return dataSource_; }
  // Joins the new data source's model delegates and leaves the old one's.
  void setDataSource(TTTableViewDataSourcePtr dataSource);
  // The field's own delegate (unretained); the platform's delegate is always the internal object.
  UITextFieldDelegate* delegate() const { return internal_->delegate(); }
  void setDelegate(UITextFieldDelegate* delegate) { internal_->setDelegate(delegate); }
  // The results table, made on first use.
  UITableView* tableView();
  double rowHeight() const { return rowHeight_; }
  // 0: each row is as high as its cell class asks.
  void setRowHeight(double height);
  bool searchesAutomatically() const { return searchesAutomatically_; }
  void setSearchesAutomatically(bool on);
  bool showsDoneButton() const { return showsDoneButton_; }
  void setShowsDoneButton(bool on) { showsDoneButton_ = on; }
  bool showsDarkScreen() const { return showsDarkScreen_; }
  void setShowsDarkScreen(bool on) { showsDarkScreen_ = on; }
  bool hasText() const { return !text().empty(); }

  void setText(const std::string& text);
  // Searches the data source now with the trimmed text.
  void search();
  void showSearchResults(bool show);
  UIView* superviewForSearchResults();
  CGRect rectForSearchResults(bool withKeyboard);
  // The dimming screen, once made; in a superview only while shown.
  UIButton* screenView() const { return screenView_.get(); }
  UIView* shadowView() const;

  // Edits reach the field before its own delegate; the answer is always yes.
  bool shouldUpdate(bool emptyText);
  void doneAction();

  // As the results table's delegate.
  double heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
  void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
  // As a model delegate.
  void modelDidStartLoad(TTModel* model) override;
  void modelDidFinishLoad(TTModel* model) override;
  void modelDidChange(TTModel* model) override;
  void modelDidFailLoadWithError(TTModel* model, const NSError& error) override;

 private:
  std::string searchText() const;
  void autoSearch();
  void delayedUpdate();
  void dispatchUpdate();
  bool hasSearchResults();
  void reloadTable();
  void showDoneButton(bool show);
  void showDarkScreen(bool show);
  void didBeginEditing();
  void didEndEditing();
  void watchModel(bool on);

  TTTableViewDataSourcePtr dataSource_;
  std::unique_ptr<TTSearchTextFieldInternal> internal_;
  std::shared_ptr<UITableView> tableView_;
  std::shared_ptr<TTView> shadowView_;
  std::shared_ptr<UIButton> screenView_;
  std::weak_ptr<UIViewController> previousItemOwner_;
  UIBarButtonItemPtr previousRightBarButtonItem_;
  std::shared_ptr<NSTimer> searchTimer_;
  double rowHeight_ = 0;
  bool searchesAutomatically_ = true;
  bool showsDoneButton_ = false;
  bool showsDarkScreen_ = false;
};

using TTSearchTextFieldPtr = std::shared_ptr<TTSearchTextField>;
