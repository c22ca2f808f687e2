#pragma once
// An on/off switch for a desktop service: on unless its environment variable is "0", and
// tests may force it either way.

#include <mutex>
#include <optional>

class ServiceSwitch {
 public:
  explicit ServiceSwitch(const char* environmentVariable) : variable_(environmentVariable) {}
  bool isOn() const;
  void force(std::optional<bool> value);

 private:
  const char* variable_;
  mutable std::mutex mutex_;
  std::optional<bool> forced_;
};
