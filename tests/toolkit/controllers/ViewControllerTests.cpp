#include <gtest/gtest.h>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "tests/toolkit/controllers/ControllerTestSupport.h"
#include "toolkit/controllers/TTViewController.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {

// Records the keyboard hooks and the state it is asked to keep; turns to any orientation.
class RecordingController : public TTViewController {
 public:
  std::vector<std::string> calls;
  std::shared_ptr<UIView> box = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
  int persisted = 0;
  std::vector<bool> queueSuspended;  // at the end of will and did appear

  void viewDidLoad() override { view()->addSubview(box); }
  void viewWillAppear(bool animated) override {
    TTViewController::viewWillAppear(animated);
    queueSuspended.push_back(TTURLRequestQueue::mainQueue().suspended());
  }
  void viewDidAppear(bool animated) override {
    TTViewController::viewDidAppear(animated);
    queueSuspended.push_back(TTURLRequestQueue::mainQueue().suspended());
  }
  void keyboardWillAppear(bool animated, CGRect bounds) override { will("willAppear", animated, bounds); }
  void keyboardWillDisappear(bool animated, CGRect bounds) override { will("willDisappear", animated, bounds); }
  void keyboardDidAppear(bool animated, CGRect bounds) override { add("didAppear", animated, bounds); }
  void keyboardDidDisappear(bool animated, CGRect bounds) override { add("didDisappear", animated, bounds); }
  bool persistView(Value::Map& state) override {
    state["scroll"] = Value(++persisted * 10);
    return true;
  }
  bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }

 private:
  void will(const char* name, bool animated, CGRect bounds) {
    add(name, animated, bounds);
    box->setFrame(CGRectMake(0, 0, 100, 40));  // animates with the keyboard when animated
  }
  void add(const char* name, bool animated, CGRect bounds) {
    calls.push_back(std::string(name) + (animated ? " animated " : " still ") + std::to_string(int(bounds.size.height)));
  }
};

class ViewControllerTest : public ControllerTest {
 protected:
  static UIKeyboardInfo keyboard(double fromY, double toY) {
    UIKeyboardInfo info;
    info.bounds = CGRectMake(0, 0, 320, 216);
    info.centerBegin = CGPointMake(160, fromY);
    info.centerEnd = CGPointMake(160, toY);
    return info;
  }
};

TEST_F(ViewControllerTest, KeyboardNotificationsBecomeWillAndDelayedDidHooks) {
  struct Case {
    const char* notification;
    double fromY, toY;
    std::vector<std::string> atOnce;
    bool animates;
    std::string later;
  } cases[] = {
      {UIKeyboardWillShowNotification, 588, 372, {"willAppear animated 216"}, true, "didAppear animated 216"},
      {UIKeyboardWillHideNotification, 372, 588, {"willDisappear animated 216"}, true, "didDisappear animated 216"},
      // A keyboard that does not move: no animation block, but the "did" hook still says animated.
      {UIKeyboardWillShowNotification, 372, 372, {"willAppear still 216"}, false, "didAppear animated 216"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.notification) + " " + std::to_string(c.fromY));
    auto controller = std::make_shared<RecordingController>();
    controller->setAutoresizesForKeyboard(true);
    show(controller);
    backend.advance(1000);
    UIKeyboard::postNotification(c.notification, keyboard(c.fromY, c.toY));
    EXPECT_EQ(controller->calls, c.atOnce);
    EXPECT_EQ(UIView::hasRunningAnimations(), c.animates);
    backend.advance(299);
    EXPECT_EQ(controller->calls.size(), 1u);
    backend.advance(2);
    ASSERT_EQ(controller->calls.size(), 2u);
    EXPECT_EQ(controller->calls[1], c.later);
    window->setRootViewController(nullptr);
  }
}

TEST_F(ViewControllerTest, KeyboardIsIgnoredOffScreenOrWhenNotObserved) {
  auto controller = std::make_shared<RecordingController>();
  const size_t before = NSNotificationCenter::defaultCenter().observerCount(UIKeyboardWillShowNotification);
  controller->setAutoresizesForKeyboard(true);
  controller->setAutoresizesForKeyboard(true);  // no second observer
  EXPECT_EQ(NSNotificationCenter::defaultCenter().observerCount(UIKeyboardWillShowNotification), before + 1);

  UIKeyboard::postNotification(UIKeyboardWillShowNotification, keyboard(588, 372));  // never appeared
  auto nav = show(controller);
  nav->pushViewController(std::make_shared<UIViewController>(), false);  // covered: not appearing
  backend.advance(10);
  UIKeyboard::postNotification(UIKeyboardWillShowNotification, keyboard(588, 372));
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  controller->setAutoresizesForKeyboard(false);
  UIKeyboard::postNotification(UIKeyboardWillShowNotification, keyboard(588, 372));
  backend.advance(500);
  EXPECT_TRUE(controller->calls.empty());
  EXPECT_EQ(NSNotificationCenter::defaultCenter().observerCount(UIKeyboardWillShowNotification), before);

  // Observers go with the controller.
  controller->setAutoresizesForKeyboard(true);
  window->setRootViewController(nullptr);
  nav.reset();
  controller.reset();
  EXPECT_EQ(NSNotificationCenter::defaultCenter().observerCount(UIKeyboardWillShowNotification), before);
}

TEST_F(ViewControllerTest, PendingDidHookKeepsTheControllerUntilItRuns) {
  std::weak_ptr<RecordingController> weak;
  {
    auto controller = std::make_shared<RecordingController>();
    weak = controller;
    controller->setAutoresizesForKeyboard(true);
    show(controller);
    UIKeyboard::postNotification(UIKeyboardWillShowNotification, keyboard(588, 372));
    window->setRootViewController(nullptr);
  }
  ASSERT_FALSE(weak.expired());
  backend.advance(301);
  EXPECT_TRUE(weak.expired());
}

TEST_F(ViewControllerTest, RootViewFillsTheScreenUnderTheBarAndFollowsRotation) {
  struct Case {
    bool fullScreen;
    CGRect frame;
  } cases[] = {{false, CGRectMake(0, 0, 320, 480 - 44)}, {true, CGRectMake(0, 0, 320, 480)}};
  for (const auto& c : cases) {
    auto controller = std::make_shared<RecordingController>();
    controller->setWantsFullScreenLayout(c.fullScreen);
    UIView* root = controller->view();
    EXPECT_TRUE(near(root->frame(), c.frame)) << c.fullScreen;
    EXPECT_EQ(root->autoresizingMask(), UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    EXPECT_TRUE(root->autoresizesSubviews());
    ASSERT_TRUE(root->backgroundColor());
    EXPECT_TRUE(*root->backgroundColor() == *UIColor::whiteColor());
  }

  // On screen, the root view turns with the device and keeps filling the space under the bar.
  auto controller = std::make_shared<RecordingController>();
  auto nav = show(controller);
  backend.rotate(UIDeviceOrientationLandscapeLeft);
  backend.advance(500);
  EXPECT_EQ(controller->interfaceOrientation(), UIInterfaceOrientationLandscapeRight);
  const CGRect frame = controller->view()->frame();
  EXPECT_DOUBLE_EQ(frame.size.width, 480);
  EXPECT_DOUBLE_EQ(frame.size.height, nav->view()->bounds().size.height - nav->navigationBar()->frame().size.height);
}

TEST_F(ViewControllerTest, EveryAppearanceAppliesTheScreensOwnBarsAndHoldsTheQueue) {
  auto controller = std::make_shared<RecordingController>();
  controller->setNavigationBarStyle(UIBarStyleBlack);
  controller->setStatusBarStyle(UIStatusBarStyleBlackOpaque);
  auto nav = std::make_shared<UINavigationController>(controller);
  nav->navigationBar()->setBarStyle(UIBarStyleDefault);  // the presenter's look is replaced
  nav->navigationBar()->setTintColor(UIColor::redColor());
  window->setRootViewController(nav);
  backend.advance(10);
  EXPECT_EQ(controller->queueSuspended, (std::vector<bool>{true, false}));  // held during the transition
  EXPECT_EQ(nav->navigationBar()->barStyle(), UIBarStyleBlack);
  ASSERT_TRUE(nav->navigationBar()->tintColor());
  EXPECT_TRUE(*nav->navigationBar()->tintColor() == *UIColor::colorWithRed(119 / 255.0, 140 / 255.0, 168 / 255.0, 1));
  EXPECT_EQ(UIApplication::sharedApplication().statusBarStyle(), UIStatusBarStyleBlackOpaque);
  EXPECT_TRUE(controller->isViewAppearing());

  // A style set while on screen waits for the next appearance; a popup leaves the bars alone.
  controller->setNavigationBarStyle(UIBarStyleDefault);
  EXPECT_EQ(nav->navigationBar()->barStyle(), UIBarStyleBlack);
  UIViewController popup;
  tt::setPopupViewController(*controller, &popup);
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  EXPECT_FALSE(controller->isViewAppearing());
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  EXPECT_EQ(nav->navigationBar()->barStyle(), UIBarStyleBlack);
  tt::setPopupViewController(*controller, nullptr);
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  EXPECT_EQ(nav->navigationBar()->barStyle(), UIBarStyleDefault);
}

TEST_F(ViewControllerTest, MemoryWarningFreezesOnlyAnAppearedScreenOffDisplayOnce) {
  auto controller = std::make_shared<RecordingController>();
  controller->didReceiveMemoryWarning();  // never appeared
  EXPECT_FALSE(controller->frozenState());
  auto nav = show(controller);
  controller->didReceiveMemoryWarning();  // on display
  EXPECT_FALSE(controller->frozenState());
  EXPECT_TRUE(controller->isViewLoaded());

  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  controller->didReceiveMemoryWarning();
  ASSERT_TRUE(controller->frozenState());
  EXPECT_EQ((*controller->frozenState()).at("scroll").intValue(), 10);
  EXPECT_FALSE(controller->isViewLoaded());  // off screen: unloaded
  EXPECT_FALSE(controller->hasViewAppeared());
  controller->didReceiveMemoryWarning();  // nothing new until it appears again
  EXPECT_EQ(controller->persisted, 1);
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  controller->didReceiveMemoryWarning();
  EXPECT_EQ(controller->persisted, 2);
}

TEST_F(ViewControllerTest, ShakeReloadsThroughTheNavigatorOnlyWhenItAllows) {
  int reloads = 0;
  bool allowed = false;
  auto& hooks = TTNavigatorHooks::shared();
  hooks.supportsShakeToReload = [&] { return allowed; };
  hooks.reload = [&] { ++reloads; };
  RecordingController controller;
  UIEvent motion(UIEventTypeMotion, UIEventSubtypeMotionShake, 0);
  UIEvent touches(UIEventTypeTouches, UIEventSubtypeNone, 0);
  controller.motionBegan(UIEventSubtypeMotionShake, &motion);
  allowed = true;
  controller.motionBegan(UIEventSubtypeMotionShake, &touches);
  EXPECT_EQ(reloads, 0);
  controller.motionBegan(UIEventSubtypeMotionShake, &motion);
  EXPECT_EQ(reloads, 1);
}

TEST_F(ViewControllerTest, SearchResultsControllerSharesOneBarAndKnowsItsSuperController) {
  RecordingController controller;
  controller.setSearchViewController(nullptr);
  EXPECT_EQ(controller.searchBar(), nullptr);
  auto first = std::make_shared<UIViewController>();
  auto second = std::make_shared<UIViewController>();
  controller.setSearchViewController(first);
  UISearchBar* bar = controller.searchBar();
  ASSERT_NE(bar, nullptr);
  controller.setSearchViewController(second);
  EXPECT_EQ(controller.searchBar(), bar);
  EXPECT_EQ(controller.searchViewController(), second.get());
  EXPECT_EQ(tt::superController(*second), &controller);
  EXPECT_EQ(tt::superController(*first), nullptr);
  controller.setSearchViewController(nullptr);
  EXPECT_EQ(controller.searchViewController(), nullptr);
  EXPECT_EQ(tt::superController(*second), nullptr);
}

}  // namespace
