#pragma once
// A view that holds a popup controller and takes itself away when any of its subviews goes.

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIViewController.h"

class TTPopupView : public UIView {
 public:
  using UIView::UIView;
  const UIViewControllerPtr& popupViewController() const { return popupViewController_; }
  void setPopupViewController(UIViewControllerPtr controller) { popupViewController_ = std::move(controller); }
  void willRemoveSubview(UIView* subview) override;

 private:
  UIViewControllerPtr popupViewController_;
};
