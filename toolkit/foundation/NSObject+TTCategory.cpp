#include "toolkit/foundation/NSObject+TTCategory.h"

#include "toolkit/foundation/TTNavigatorHooks.h"

namespace tt {

std::string URLValue(const void* object) { return URLValueWithName(object, {}); }

std::string URLValueWithName(const void* object, const std::string& name) {
  auto& hook = TTNavigatorHooks::shared().URLForObject;
  return hook ? hook(object, name) : std::string();
}

}  // namespace tt
