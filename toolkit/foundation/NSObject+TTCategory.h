#pragma once
// An object's URL in the navigator's URL map (empty when it has none or no navigator runs).

#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>

namespace tt {

std::string URLValueForObject(const void* object, std::type_index type, const std::string& name);

template <class T>
std::string URLValueWithName(const T& object, const std::string& name) {
  if constexpr (std::is_polymorphic_v<T>) return URLValueForObject(dynamic_cast<const void*>(&object), typeid(object), name);
  else return URLValueForObject(&object, typeid(T), name);
}

template <class T>
std::string URLValue(const T& object) {
  return URLValueWithName(object, {});
}

}  // namespace tt
