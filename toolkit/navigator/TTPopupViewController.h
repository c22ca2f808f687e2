#pragma once
// The base of controllers the navigator shows as popups over their parent. Showing and
// dismissing belong to subclasses.

#include "platform/ui/hosting/UIViewController.h"

class TTPopupViewController : public UIViewController {
 public:
  TTPopupViewController();
  ~TTPopupViewController() override;

  UIStatusBarStyle statusBarStyle() const { return statusBarStyle_; }
  virtual void showInView(UIView* view, bool animated) {}
  virtual void dismissPopupViewControllerAnimated(bool animated) {}

 private:
  UIStatusBarStyle statusBarStyle_;
};
