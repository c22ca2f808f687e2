#pragma once
// The parameters of a social network call, kept in the order they were set. A value is a text,
// an image or a block of bytes (the last two only travel in a POST body).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class UIImage;

class FBParams {
 public:
  using Value = std::variant<std::string, std::shared_ptr<UIImage>, std::vector<uint8_t>>;
  using Entry = std::pair<std::string, Value>;

  FBParams() = default;
  FBParams(std::initializer_list<std::pair<std::string, std::string>> texts) {
    for (const auto& t : texts) set(t.first, t.second);
  }

  // Replaces the value of an existing key in place.
  void set(const std::string& key, Value value);
  const Value* find(std::string_view key) const;
  // The text of a key; null when absent or not a text.
  const std::string* text(std::string_view key) const;
  bool remove(std::string_view key);
  const std::vector<Entry>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }

  static bool isFile(const Value& value) { return !std::holds_alternative<std::string>(value); }

 private:
  std::vector<Entry> entries_;
};
