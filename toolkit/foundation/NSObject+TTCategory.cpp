#include "toolkit/foundation/NSObject+TTCategory.h"

#include "toolkit/foundation/TTNavigatorHooks.h"

namespace tt {

std::string URLValueForObject(const void* object, std::type_index type, const std::string& name) {
  auto& hook = TTNavigatorHooks::shared().URLForObject;
  return hook ? hook(object, type, name) : std::string();
}

}  // namespace tt
