#pragma once
// A model screen that shows its model through a table. The data source is both the table's
// source of rows and the holder of the model; a delegate made by the controller answers the
// table's questions. While the model loads, fails or has nothing, a loading, error or empty view
// lies over the table. A banner strip can sit at the table's bottom, one cell can slide its
// content aside to show a menu, and the table makes room for the keyboard.

#include <memory>

#include "platform/foundation/NSTimer.h"
#include "platform/ui/hosting/UITableView.h"
#include "toolkit/controllers/TTModelViewController.h"
#include "toolkit/tables/TTTableViewDataSource.h"
#include "toolkit/tables/TTTableViewDelegate.h"

class TTTableViewController : public TTModelViewController, public TTTableViewDelegateController {
 public:
  explicit TTTableViewController(UITableViewStyle style = UITableViewStylePlain);
  ~TTTableViewController() override;

  // Made with the view on first use, with the view's bounds and the controller's style.
  UITableView* tableView();
  const std::shared_ptr<UITableView>& tableViewPtr();
  // A table from elsewhere (the search display's results); null also drops banner and overlay.
  void setTableView(std::shared_ptr<UITableView> tableView);

  UITableViewStyle tableViewStyle() const { return tableViewStyle_; }
  bool variableHeightRows() const { return variableHeightRows_; }
  // The next showModel installs a delegate of the matching kind.
  void setVariableHeightRows(bool on);

  const TTTableViewDataSourcePtr& dataSource() const { return dataSource_; }
  // A different data source also becomes the controller's model.
  void setDataSource(TTTableViewDataSourcePtr dataSource);
  UITableViewDelegate* tableDelegate() const { return tableDelegate_.get(); }

  UIView* tableBannerView() const { return tableBannerView_.get(); }
  void setTableBannerView(std::shared_ptr<UIView> view) { setTableBannerView(std::move(view), true); }
  void setTableBannerView(std::shared_ptr<UIView> view, bool animated);
  UIView* tableOverlayView() const { return tableOverlayView_.get(); }
  void setTableOverlayView(std::shared_ptr<UIView> view) { tableOverlayView_ = std::move(view); }
  void setTableOverlayView(std::shared_ptr<UIView> view, bool animated);
  UIView* loadingView() const { return loadingView_.get(); }
  void setLoadingView(std::shared_ptr<UIView> view);
  UIView* errorView() const { return errorView_.get(); }
  void setErrorView(std::shared_ptr<UIView> view);
  UIView* emptyView() const { return emptyView_.get(); }
  void setEmptyView(std::shared_ptr<UIView> view);

  UIView* menuView() const { return menuView_.get(); }
  UITableViewCell* menuCell() const { return menuCell_.get(); }
  // Slides the cell's content left by its width to reveal the menu behind it.
  void showMenu(std::shared_ptr<UIView> view, std::shared_ptr<UITableViewCell> cell, bool animated);
  void hideMenu(bool animated);

  virtual std::shared_ptr<UITableViewDelegate> createDelegate();
  // Installs a new delegate only while the table has none.
  void updateTableDelegate();
  virtual std::string defaultTitleForLoading();
  virtual CGRect rectForOverlayView();
  virtual CGRect rectForBannerView();
  void layoutOverlayView();
  void layoutBannerView();

  // Called by the table delegate.
  void didSelectObject(const TTTableObject& object, const NSIndexPath& indexPath) override;
  bool shouldOpenURL(const std::string& url) override { return true; }
  void didBeginDragging() override;
  void didEndDragging() override {}
  TTModel* model() override { return TTModelViewController::model(); }

  bool canShowModel() override;
  void loadView() override;
  void viewDidUnload() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void setEditing(bool editing, bool animated) override;
  bool persistView(Value::Map& state) override;
  void restoreView(const Value::Map& state) override;
  void keyboardDidAppear(bool animated, CGRect bounds) override;
  void keyboardWillDisappear(bool animated, CGRect bounds) override;
  void keyboardDidDisappear(bool animated, CGRect bounds) override;

  void modelDidUpdateObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) override;
  void modelDidInsertObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) override;
  void modelDidDeleteObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) override;
  void beginUpdates() override;
  void endUpdates() override;

 protected:
  // A subclass's timer for its banner; stopped whenever the banner is set.
  std::shared_ptr<NSTimer> bannerTimer_;

  void createInterstitialModel() override;
  void didLoadModel(bool firstTime) override;
  void didShowModel(bool firstTime) override;
  void showModel(bool show) override;
  void showLoading(bool show) override;
  void showError(bool show) override;
  void showEmpty(bool show) override;

 private:
  enum class Change { Update, Insert, Delete };
  void modelDidChangeObject(Change change, TTModel* model, const std::shared_ptr<void>& object,
                            const NSIndexPath& indexPath);
  void addToOverlayView(const std::shared_ptr<UIView>& view);
  void resetOverlayView();
  void replaceStateView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view);
  void fadeOutView(const std::shared_ptr<UIView>& view);
  void detachTable();
  UIColorPtr tableBackgroundColor() const;

  std::shared_ptr<UITableView> tableView_;
  std::shared_ptr<UIView> tableBannerView_;
  std::shared_ptr<UIView> tableOverlayView_;
  std::shared_ptr<UIView> loadingView_;
  std::shared_ptr<UIView> errorView_;
  std::shared_ptr<UIView> emptyView_;
  std::shared_ptr<UIView> menuView_;
  std::shared_ptr<UITableViewCell> menuCell_;
  TTTableViewDataSourcePtr dataSource_;
  std::shared_ptr<UITableViewDelegate> tableDelegate_;
  UITableViewStyle tableViewStyle_;
  UIInterfaceOrientation lastInterfaceOrientation_;
  bool variableHeightRows_ = false;
};

using TTTableViewControllerPtr = std::shared_ptr<TTTableViewController>;
