#include "platform/services/ServiceSwitch.h"

#include <cstdlib>
#include <string>

bool ServiceSwitch::isOn() const {
  {
    std::lock_guard lock(mutex_);
    if (forced_) return *forced_;
  }
  const char* value = std::getenv(variable_);
  return !(value && std::string(value) == "0");
}

void ServiceSwitch::force(std::optional<bool> value) {
  std::lock_guard lock(mutex_);
  forced_ = value;
}
