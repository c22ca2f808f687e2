#pragma once
// The window the navigator makes when the application has none: a shake reloads the
// visible screen when the navigator allows it.

#include "platform/ui/UIWindow.h"

class TTNavigator;

class TTNavigatorWindow : public UIWindow {
 public:
  TTNavigatorWindow(CGRect frame, TTNavigator* navigator) : UIWindow(frame), navigator_(navigator) {}
  void motionBegan(int subtype, UIEvent* event) override;

 private:
  TTNavigator* navigator_;  // unretained: the navigator owns the window
};
