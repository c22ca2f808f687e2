#include "toolkit/foundation/TTNavigatorHooks.h"

TTNavigatorHooks& TTNavigatorHooks::shared() {
  static TTNavigatorHooks hooks;
  return hooks;
}

void TTNavigatorHooks::ensureNavigator() {
  if (openURL || !startNavigator) return;
  auto start = startNavigator;  // the navigator may replace the hooks while it starts
  start();
}
