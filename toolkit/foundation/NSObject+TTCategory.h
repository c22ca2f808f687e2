#pragma once
// An object's URL in the navigator's URL map (empty when it has none or no navigator runs).

#include <string>

namespace tt {

std::string URLValue(const void* object);
std::string URLValueWithName(const void* object, const std::string& name);

}  // namespace tt
