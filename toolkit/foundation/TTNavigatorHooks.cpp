#include "toolkit/foundation/TTNavigatorHooks.h"

TTNavigatorHooks& TTNavigatorHooks::shared() {
  static TTNavigatorHooks hooks;
  return hooks;
}
