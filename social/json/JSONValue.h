#pragma once
// The values the JSON parser makes and the writer takes: null, booleans, exact decimal
// numbers, UTF-8 texts, arrays, objects that keep their members in insertion order, and
// foreign values (anything else handed to the writer, which may offer a JSON stand-in).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "social/json/JSONDecimal.h"

class JSONValue;

// Members in insertion order; setting an existing key replaces its value in place.
class JSONObject {
 public:
  using Member = std::pair<std::string, JSONValue>;

  JSONObject();
  JSONObject(std::initializer_list<Member> members);
  JSONObject(const JSONObject& other);
  JSONObject(JSONObject&& other) noexcept;
  JSONObject& operator=(const JSONObject& other);
  JSONObject& operator=(JSONObject&& other) noexcept;
  ~JSONObject();

  void set(std::string key, JSONValue value);
  const JSONValue* find(std::string_view key) const;
  JSONValue* find(std::string_view key);
  bool contains(std::string_view key) const { return find(key) != nullptr; }
  bool remove(std::string_view key);
  size_t size() const;
  bool empty() const;
  const std::vector<Member>& members() const { return members_; }
  void reserve(size_t n);

  bool operator==(const JSONObject& other) const;

 private:
  void buildIndex() const;

  std::vector<Member> members_;
  // Key to position, kept for large objects only.
  mutable std::unique_ptr<std::unordered_map<std::string, size_t>> index_;
};

// A value of a kind the writer does not know; it may stand in a JSON value for itself.
class JSONForeign {
 public:
  virtual ~JSONForeign() = default;
  virtual std::string typeName() const = 0;
  virtual std::optional<JSONValue> proxyForJson() const;
};

class JSONValue {
 public:
  using Array = std::vector<JSONValue>;
  using Object = JSONObject;
  enum class Kind { Null, Boolean, Number, String, Array, Object, Foreign };

  JSONValue() = default;  // null
  JSONValue(std::nullptr_t) {}
  JSONValue(bool b) : value_(b) {}
  JSONValue(int n) : value_(JSONDecimal::fromInteger(n)) {}
  JSONValue(long long n) : value_(JSONDecimal::fromInteger(n)) {}
  JSONValue(JSONDecimal n) : value_(std::move(n)) {}
  JSONValue(std::string s) : value_(std::move(s)) {}
  JSONValue(const char* s) : value_(std::string(s)) {}
  JSONValue(Array a) : value_(std::move(a)) {}
  JSONValue(Object o) : value_(std::move(o)) {}
  JSONValue(std::shared_ptr<const JSONForeign> f) : value_(std::move(f)) {}

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool isNull() const { return kind() == Kind::Null; }
  bool isBoolean() const { return kind() == Kind::Boolean; }
  bool isNumber() const { return kind() == Kind::Number; }
  bool isString() const { return kind() == Kind::String; }
  bool isArray() const { return kind() == Kind::Array; }
  bool isObject() const { return kind() == Kind::Object; }

  // Null when the value is of another kind.
  const bool* asBoolean() const { return std::get_if<bool>(&value_); }
  const JSONDecimal* asNumber() const { return std::get_if<JSONDecimal>(&value_); }
  const std::string* asString() const { return std::get_if<std::string>(&value_); }
  const Array* asArray() const { return std::get_if<Array>(&value_); }
  Array* asArray() { return std::get_if<Array>(&value_); }
  const Object* asObject() const { return std::get_if<Object>(&value_); }
  Object* asObject() { return std::get_if<Object>(&value_); }
  const JSONForeign* asForeign() const {
    auto p = std::get_if<std::shared_ptr<const JSONForeign>>(&value_);
    return p ? p->get() : nullptr;
  }

  // The value's text: a string itself, a number's decimal text, "true"/"false"; else empty.
  std::string textValue() const;

  bool operator==(const JSONValue& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, bool, JSONDecimal, std::string, Array, Object, std::shared_ptr<const JSONForeign>> value_;
};

// Defined here, where the member type is complete.
inline size_t JSONObject::size() const { return members_.size(); }
inline bool JSONObject::empty() const { return members_.empty(); }
inline void JSONObject::reserve(size_t n) { members_.reserve(n); }
