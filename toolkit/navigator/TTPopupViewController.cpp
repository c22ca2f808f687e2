#include "toolkit/navigator/TTPopupViewController.h"

#include "platform/ui/UIApplication.h"
#include "toolkit/views/UIViewController+TTCategory.h"

TTPopupViewController::TTPopupViewController() {
  setStatusBarStyle(UIApplication::sharedApplication().statusBarStyle());
}

TTPopupViewController::~TTPopupViewController() {
  if (UIViewController* parent = tt::superController(*this)) tt::setPopupViewController(*parent, nullptr);
}
