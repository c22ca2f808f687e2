#include "toolkit/navigator/TTURLSelector.h"

#include <cstdint>

#include "platform/foundation/Format.h"

namespace {
template <class... T>
bool readNumber(const std::any& value, long double& out) {
  return ((std::any_cast<T>(&value) ? (out = static_cast<long double>(*std::any_cast<T>(&value)), true) : false) || ...);
}

long double numberOf(const std::any& value) {
  long double n = 0;
  readNumber<bool, char, signed char, unsigned char, short, unsigned short, int, unsigned, long, unsigned long, long long,
             unsigned long long, float, double>(value, n);
  return n;
}

std::string describe(const std::any& value) {
  if (const auto* s = std::any_cast<std::string>(&value)) return *s;
  if (const auto* ref = std::any_cast<TTObjectRef>(&value)) return ref->cls && ref->object ? ref->cls->name() : "";
  if (value.has_value()) return stringWithFormat("%g", static_cast<double>(numberOf(value)));
  return "";
}
}  // namespace

TTURLArgumentType TTPropertyArgumentType(const TTClass* cls, const std::string& key) {
  const TTProperty* property = cls ? cls->property(key) : nullptr;
  return property ? property->type : TTURLArgumentType::None;
}

std::string TTURLSelector::perform(const TTObjectRef& object, TTURLArgumentType type) const {
  if (!object) return "";
  std::any value = object.cls->valueForKey(object.object.get(), name_);
  if (next_) {
    const auto* inner = std::any_cast<TTObjectRef>(&value);
    return inner ? next_->perform(*inner, type) : "";
  }
  if (type == TTURLArgumentType::None) type = TTPropertyArgumentType(object.cls, name_);
  switch (type) {
    case TTURLArgumentType::None: return "";
    case TTURLArgumentType::Bool:
    case TTURLArgumentType::Integer: return stringWithFormat("%d", static_cast<int>(numberOf(value)));
    case TTURLArgumentType::LongLong: return stringWithFormat("%lld", static_cast<long long>(numberOf(value)));
    case TTURLArgumentType::Float:
    case TTURLArgumentType::Double: return stringWithFormat("%f", static_cast<double>(numberOf(value)));
    case TTURLArgumentType::Object: return describe(value);
  }
  return "";
}
