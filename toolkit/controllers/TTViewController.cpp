#include "toolkit/controllers/TTViewController.h"

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "toolkit/controllers/TTGlobalStyle.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {
constexpr double kKeyboardAnimationDuration = 0.3;
}

TTViewController::TTViewController() : navigationBarTintColor_(tt::globalNavigationBarTintColor()) {}

TTViewController::~TTViewController() {
  TTURLRequestQueue::mainQueue().cancelRequestsWithDelegate(this);
  RunLoop::main().cancelPreviousPerformRequests(this);
  setAutoresizesForKeyboard(false);
  setSearchViewController(nullptr);
}

void TTViewController::motionBegan(int subtype, UIEvent* event) {
  if (!event || event->type() != UIEventTypeMotion) return;
  auto& hooks = TTNavigatorHooks::shared();
  if (hooks.supportsShakeToReload && hooks.supportsShakeToReload() && hooks.reload) hooks.reload();
}

void TTViewController::loadView() {
  UIViewController::loadView();
  CGRect frame = wantsFullScreenLayout() ? TTOrientedScreenBounds() : TTFrameUnderNavigationBar();
  auto root = std::make_shared<UIView>(frame);
  root->setAutoresizesSubviews(true);
  root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  root->setBackgroundColor(tt::globalBackgroundColor());
  setView(root);
}

void TTViewController::viewDidUnload() {
  UIViewController::viewDidUnload();
  setSearchViewController(nullptr);
}

void TTViewController::viewWillAppear(bool animated) {
  UIViewController::viewWillAppear(animated);
  isViewAppearing_ = true;
  hasViewAppeared_ = true;
  TTURLRequestQueue::mainQueue().setSuspended(true);
  if (tt::popupViewController(*this)) return;
  if (auto* nav = navigationController()) {
    nav->navigationBar()->setTintColor(navigationBarTintColor_);
    nav->navigationBar()->setBarStyle(navigationBarStyle_);
  }
  UIApplication::sharedApplication().setStatusBarStyle(statusBarStyle_, true);
}

void TTViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  TTURLRequestQueue::mainQueue().setSuspended(false);
}

void TTViewController::viewWillDisappear(bool animated) {
  UIViewController::viewWillDisappear(animated);
  isViewAppearing_ = false;
}

void TTViewController::didReceiveMemoryWarning() {
  if (hasViewAppeared_ && !isViewAppearing_) {
    Value::Map state;
    persistView(state);
    frozenState_ = std::move(state);
    UIViewController::didReceiveMemoryWarning();
    hasViewAppeared_ = false;
  } else {
    UIViewController::didReceiveMemoryWarning();
  }
}

void TTViewController::setSearchViewController(UIViewControllerPtr controller) {
  if (controller) {
    if (!searchBar_) {
      searchBar_ = std::make_shared<UISearchBar>();
      searchBar_->sizeToFit();
    }
    tt::setSuperController(*controller, this);
    if (searchViewController_ && searchViewController_ != controller) tt::setSuperController(*searchViewController_, nullptr);
    searchViewController_ = std::move(controller);
    if (!searchDisplay_ && TTSearchDisplay::maker()) searchDisplay_ = TTSearchDisplay::maker()(searchBar_, this);
    if (searchDisplay_) searchDisplay_->setSearchResultsViewController(searchViewController_);
  } else {
    if (searchDisplay_) searchDisplay_->setSearchResultsViewController(nullptr);
    searchDisplay_.reset();
    if (searchViewController_) tt::setSuperController(*searchViewController_, nullptr);
    searchViewController_.reset();
    searchBar_.reset();
  }
}

TTSearchDisplay::Maker& TTSearchDisplay::maker() {
  static Maker maker;
  return maker;
}

void TTViewController::setAutoresizesForKeyboard(bool on) {
  if (on == autoresizesForKeyboard_) return;
  autoresizesForKeyboard_ = on;
  auto& centre = NSNotificationCenter::defaultCenter();
  if (on) {
    centre.addObserver(this, UIKeyboardWillShowNotification, [this] {
      if (isViewAppearing_) resizeForKeyboard(true);
    });
    centre.addObserver(this, UIKeyboardWillHideNotification, [this] {
      if (isViewAppearing_) resizeForKeyboard(false);
    });
  } else {
    centre.removeObserver(this, UIKeyboardWillShowNotification);
    centre.removeObserver(this, UIKeyboardWillHideNotification);
  }
}

void TTViewController::resizeForKeyboard(bool appearing) {
  const UIKeyboardInfo& info = UIKeyboard::userInfo();
  const CGRect bounds = info.bounds;
  const bool animated = info.centerBegin.y != info.centerEnd.y;
  if (animated) {
    UIView::beginAnimations("");
    UIView::setAnimationDuration(kKeyboardAnimationDuration);
  }
  if (appearing) {
    keyboardWillAppear(animated, bounds);
  } else {
    keyboardWillDisappear(animated, bounds);
  }
  // The pending call keeps the controller alive until the "did" hook has run; a controller
  // not held by a shared pointer cancels it when it goes.
  std::shared_ptr<UIViewController> keep = weak_from_this().lock();
  RunLoop::main().performAfterDelay(this, kKeyboardAnimationDuration, [this, keep, appearing, bounds] {
    if (appearing) {
      keyboardDidAppear(true, bounds);
    } else {
      keyboardDidDisappear(true, bounds);
    }
  });
  if (animated) UIView::commitAnimations();
}
