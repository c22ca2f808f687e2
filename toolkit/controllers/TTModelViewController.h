#pragma once
// A screen that shows one model and keeps one of four displays up to date with it: loading,
// the model, empty and error. Model announcements mark what is due; one update pass hides what
// no longer applies, then shows what newly does, through hooks that subclasses override.

#include <optional>

#include "platform/net/NSError.h"
#include "toolkit/controllers/TTModel.h"
#include "toolkit/controllers/TTViewController.h"

class TTModelViewController : public TTViewController, public TTModelDelegate {
 public:
  TTModelViewController();
  ~TTModelViewController() override;

  // The model, made on first use by createModel (or the always-loaded stand-in when the
  // subclass makes none or the navigator is delayed).
  TTModel* model();
  const TTModelPtr& modelPtr();
  void setModel(TTModelPtr model);
  const std::optional<NSError>& modelError() const { return modelError_; }
  void setModelError(std::optional<NSError> error);

  // Subclasses make and set their model here.
  virtual void createModel() {}
  // Drops the model and, when there was one, makes a new one at once.
  void invalidateModel();
  bool isModelCreated() const { return model_ != nullptr; }
  virtual bool shouldLoad();
  virtual bool shouldReload();
  virtual bool shouldLoadMore() { return false; }
  virtual bool canShowModel() { return true; }
  // Loads from the network, whatever the caches hold.
  void reload();
  void reloadIfNeeded();
  // Loads what is due, or marks the model for showing again.
  void refresh();
  virtual void beginUpdates();
  virtual void endUpdates();
  void invalidateView();
  void updateView();

  // Which display is up.
  bool isShowingLoading() const { return flags_.isShowingLoading; }
  bool isShowingModel() const { return flags_.isShowingModel; }
  bool isShowingEmpty() const { return flags_.isShowingEmpty; }
  bool isShowingError() const { return flags_.isShowingError; }

  void viewWillAppear(bool animated) override;
  void didReceiveMemoryWarning() override;
  void delayDidEnd() override { invalidateModel(); }

  void modelDidStartLoad(TTModel* model) override;
  void modelDidFinishLoad(TTModel* model) override;
  void modelDidFailLoadWithError(TTModel* model, const NSError& error) override;
  void modelDidCancelLoad(TTModel* model) override;
  void modelDidChange(TTModel* model) override;
  void modelDidBeginUpdates(TTModel* model) override;
  void modelDidEndUpdates(TTModel* model) override;

 protected:
  // Hooks of the update pass.
  virtual void didRefreshModel() {}
  virtual void willLoadModel() {}
  virtual void didLoadModel(bool firstTime) {}
  virtual void didShowModel(bool firstTime) {}
  virtual void showLoading(bool show) {}
  virtual void showModel(bool show) {}
  virtual void showEmpty(bool show) {}
  virtual void showError(bool show) {}
  // Sets the always-loaded stand-in model; subclasses may set their own stand-in.
  virtual void createInterstitialModel();

 private:
  void resetViewStates();
  void updateViewStates();
  // Marks a display as wanted or not: hides it at once when it goes, and answers whether it
  // is to be shown newly once every hide of the pass is done.
  bool settle(bool wanted, bool& showing, void (TTModelViewController::*show)(bool));

  TTModelPtr model_;
  std::optional<NSError> modelError_;
  struct Flags {
    bool isModelDidRefreshInvalid = false;
    bool isModelWillLoadInvalid = false;
    bool isModelDidLoadInvalid = false;
    bool isModelDidLoadFirstTimeInvalid = false;
    bool isModelDidShowFirstTimeInvalid = false;
    bool isViewInvalid = true;
    bool isViewSuspended = false;
    bool isUpdatingView = false;
    bool isShowingEmpty = false;
    bool isShowingLoading = false;
    bool isShowingModel = false;
    bool isShowingError = false;
  } flags_;
};
