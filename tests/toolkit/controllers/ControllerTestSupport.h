#pragma once
// A phone screen with the controller hooks installed, and a way to put a screen on display as
// the root of a navigation controller.

#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "tests/platform/ui/UITestSupport.h"
#include "toolkit/foundation/TTNavigatorHooks.h"

class ControllerTest : public UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    UIViewController::installPlatformHooks();
  }
  void TearDown() override {
    TTNavigatorHooks::shared() = TTNavigatorHooks();
    UIKeyboard::shared().reset();
    UITest::TearDown();
  }
  std::shared_ptr<UINavigationController> show(const std::shared_ptr<UIViewController>& controller) {
    auto nav = std::make_shared<UINavigationController>(controller);
    window->setRootViewController(nav);
    backend.advance(10);
    return nav;
  }
};
