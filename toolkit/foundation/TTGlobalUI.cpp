#include "toolkit/foundation/TTGlobalUI.h"

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/foundation/TTNavigatorHooks.h"

namespace {
bool portraitInterface() { return UIInterfaceOrientationIsPortrait(TTCurrentInterfaceOrientation()); }

CGRect applicationFrameLess(CGFloat portraitBars, CGFloat landscapeBars) {
  CGRect frame = UIScreen::mainScreen().applicationFrame();
  return CGRectMake(0, 0, frame.size.width, frame.size.height - (portraitInterface() ? portraitBars : landscapeBars));
}
}  // namespace

bool TTKeyboardIsShown() { return UIKeyboard::shared().isVisible(); }

UIDeviceOrientation TTCurrentDeviceOrientation() {
  UIDeviceOrientation o = UIDevice::currentDevice().orientation();
  return o == UIDeviceOrientationUnknown ? UIDeviceOrientationPortrait : o;
}

UIInterfaceOrientation TTCurrentInterfaceOrientation() {
  UIInterfaceOrientation o = UIApplication::sharedApplication().statusBarOrientation();
  if (static_cast<int>(o) != 0) return o;
  auto& visible = TTNavigatorHooks::shared().visibleViewController;
  UIViewController* controller = visible ? visible() : nullptr;
  return controller ? controller->interfaceOrientation() : o;
}

CGRect TTOrientedScreenBounds() {
  CGRect bounds = UIScreen::mainScreen().bounds();
  if (UIInterfaceOrientationIsLandscape(TTCurrentInterfaceOrientation())) std::swap(bounds.size.width, bounds.size.height);
  return bounds;
}

CGRect TTFrameUnderNavigationBar() { return applicationFrameLess(44, 33); }

CGRect TTFrameBetweenBars() { return applicationFrameLess(88, 66); }

CGFloat TTOrientedKeyboardHeight() { return portraitInterface() ? 216 : 160; }
