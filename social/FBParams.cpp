#include "social/FBParams.h"

void FBParams::set(const std::string& key, Value value) {
  for (Entry& e : entries_)
    if (e.first == key) {
      e.second = std::move(value);
      return;
    }
  entries_.emplace_back(key, std::move(value));
}

const FBParams::Value* FBParams::find(std::string_view key) const {
  for (const Entry& e : entries_)
    if (e.first == key) return &e.second;
  return nullptr;
}

const std::string* FBParams::text(std::string_view key) const {
  const Value* v = find(key);
  return v ? std::get_if<std::string>(v) : nullptr;
}

bool FBParams::remove(std::string_view key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (it->first == key) {
      entries_.erase(it);
      return true;
    }
  return false;
}

