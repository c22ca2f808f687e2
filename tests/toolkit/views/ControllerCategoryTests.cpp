#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "tests/platform/ui/UITestSupport.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/views/UIViewController+TTCategory.h"

namespace {
class ControllerCategoryTest : public UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    tt::installControllerHooks();
    auto& hooks = TTNavigatorHooks::shared();
    hooks.removeObjectForURL = [this](const std::string& url) { removed.push_back(url); };
    hooks.transitionForURL = [](const std::string& url) {
      return url == "tt://flip" ? UIViewAnimationTransitionFlipFromLeft : UIViewAnimationTransitionNone;
    };
    hooks.viewControllerForURL = [](const std::string& url) -> UIViewControllerPtr {
      return url == "tt://unknown" ? nullptr : std::make_shared<UIViewController>();
    };
  }
  void TearDown() override {
    TTNavigatorHooks::shared() = TTNavigatorHooks();
    UITest::TearDown();
  }
  std::vector<std::string> removed;
};
}  // namespace

TEST_F(ControllerCategoryTest, StackNeighboursAndKeys) {
  auto root = std::make_shared<UIViewController>();
  auto top = std::make_shared<UIViewController>();
  auto nav = std::make_shared<UINavigationController>(root);
  nav->pushViewController(top, false);
  EXPECT_EQ(tt::previousViewController(*root), nullptr);
  EXPECT_EQ(tt::nextViewController(*root), top.get());
  EXPECT_EQ(tt::previousViewController(*top), root.get());
  EXPECT_EQ(tt::nextViewController(*top), nullptr);
  EXPECT_EQ(tt::keyForSubcontroller(*nav, top.get()), "1");
  EXPECT_EQ(tt::subcontrollerForKey(*nav, "1"), top.get());
  EXPECT_EQ(tt::subcontrollerForKey(*nav, "2"), nullptr);
  EXPECT_EQ(tt::subcontrollerForKey(*nav, "x"), nullptr);
  EXPECT_EQ(tt::topSubcontroller(*nav), top.get());
  EXPECT_TRUE(tt::canContainControllers(*nav));
  EXPECT_FALSE(tt::canContainControllers(*top));

  UIViewController other;
  tt::setSuperController(*top, &other);
  EXPECT_EQ(tt::superController(*top), nav.get());  // the platform parent wins
}

TEST_F(ControllerCategoryTest, ReleasingAControllerClearsItsEntriesOnly) {
  auto keep = std::make_shared<UIViewController>();
  UIViewController parent;
  tt::setNavigatorURL(*keep, "tt://keep");
  {
    auto gone = std::make_shared<UIViewController>();
    tt::setNavigatorURL(*gone, "tt://gone");
    tt::setSuperController(*gone, &parent);
    tt::setPopupViewController(*gone, &parent);
    EXPECT_EQ(tt::superController(*gone), &parent);
  }
  EXPECT_EQ(removed, std::vector<std::string>{"tt://gone"});
  EXPECT_EQ(tt::navigatorURL(*keep), "tt://keep");
  auto reused = std::make_shared<UIViewController>();  // may take the freed address
  EXPECT_EQ(tt::superController(*reused), nullptr);
  EXPECT_EQ(tt::popupViewController(*reused), nullptr);
  EXPECT_EQ(tt::navigatorURL(*reused), "");
}

TEST_F(ControllerCategoryTest, AControllerThatFlippedInFlipsOutTheOtherWay) {
  auto root = std::make_shared<UIViewController>();
  auto nav = std::make_shared<UINavigationController>(root);
  window->setRootViewController(nav);
  auto flipped = std::make_shared<UIViewController>();
  tt::setNavigatorURL(*flipped, "tt://flip");
  tt::addSubcontroller(*nav, flipped, true, UIViewAnimationTransitionFlipFromLeft);
  EXPECT_EQ(nav->topViewController(), flipped.get());
  EXPECT_TRUE(TTURLRequestQueue::mainQueue().suspended());
  RunLoop::main().advance(800);
  EXPECT_FALSE(TTURLRequestQueue::mainQueue().suspended());

  EXPECT_EQ(nav->popViewControllerAnimated(true), flipped);
  EXPECT_TRUE(TTURLRequestQueue::mainQueue().suspended());  // the transition pop, not the slide
  RunLoop::main().advance(800);
  EXPECT_FALSE(TTURLRequestQueue::mainQueue().suspended());
  EXPECT_EQ(nav->topViewController(), root.get());
  EXPECT_EQ(tt::invertTransition(UIViewAnimationTransitionCurlUp), UIViewAnimationTransitionCurlDown);
  EXPECT_EQ(tt::invertTransition(UIViewAnimationTransitionNone), UIViewAnimationTransitionNone);
}

TEST_F(ControllerCategoryTest, TabsFromURLsSkipUnmappedOnes) {
  UITabBarController tabs;
  tt::setTabURLs(tabs, {"tt://a", "tt://unknown", "tt://b"});
  ASSERT_EQ(tabs.viewControllers().size(), 2u);
  EXPECT_TRUE(dynamic_cast<UINavigationController*>(tabs.viewControllers()[0].get()));
}

TEST_F(ControllerCategoryTest, DismissingTheModalControllerAnimates) {
  UIViewController::installPlatformHooks();
  auto root = std::make_shared<UIViewController>();
  window->setRootViewController(root);
  root->presentModalViewController(std::make_shared<UIViewController>(), false);
  RunLoop::main().advance(100);
  ASSERT_NE(root->modalViewController(), nullptr);
  tt::dismissModalViewController(*root);
  EXPECT_TRUE(UIView::hasRunningAnimations());
  RunLoop::main().advance(1000);
  EXPECT_EQ(root->modalViewController(), nullptr);
}
