#pragma once
// The base of controllers the navigator shows as popups over their parent. Showing and
// dismissing belong to subclasses.

#include "toolkit/controllers/TTModelViewController.h"

class TTPopupViewController : public TTModelViewController {
 public:
  TTPopupViewController();
  ~TTPopupViewController() override;

  virtual void showInView(UIView* view, bool animated) {}
  virtual void dismissPopupViewControllerAnimated(bool animated) {}
};
