#include "social/json/JSONValue.h"

namespace {

constexpr size_t kIndexFrom = 16;  // members from which lookups go through a hash index

}  // namespace

JSONObject::JSONObject() = default;
JSONObject::JSONObject(std::initializer_list<Member> members) {
  for (const Member& m : members) set(m.first, m.second);
}
JSONObject::JSONObject(const JSONObject& other) : members_(other.members_) {}
JSONObject::JSONObject(JSONObject&& other) noexcept = default;
JSONObject& JSONObject::operator=(const JSONObject& other) {
  if (this != &other) {
    members_ = other.members_;
    index_.reset();
  }
  return *this;
}
JSONObject& JSONObject::operator=(JSONObject&& other) noexcept = default;
JSONObject::~JSONObject() = default;

void JSONObject::buildIndex() const {
  index_ = std::make_unique<std::unordered_map<std::string, size_t>>();
  index_->reserve(members_.size() * 2);
  for (size_t i = 0; i < members_.size(); ++i) index_->emplace(members_[i].first, i);
}

const JSONValue* JSONObject::find(std::string_view key) const {
  if (members_.size() >= kIndexFrom) {
    if (!index_) buildIndex();
    auto it = index_->find(std::string(key));
    return it == index_->end() ? nullptr : &members_[it->second].second;
  }
  for (const Member& m : members_)
    if (m.first == key) return &m.second;
  return nullptr;
}

JSONValue* JSONObject::find(std::string_view key) {
  return const_cast<JSONValue*>(static_cast<const JSONObject*>(this)->find(key));
}

void JSONObject::set(std::string key, JSONValue value) {
  if (JSONValue* existing = find(key)) {
    *existing = std::move(value);
    return;
  }
  if (index_) index_->emplace(key, members_.size());
  members_.emplace_back(std::move(key), std::move(value));
}

bool JSONObject::remove(std::string_view key) {
  for (auto it = members_.begin(); it != members_.end(); ++it)
    if (it->first == key) {
      members_.erase(it);
      index_.reset();
      return true;
    }
  return false;
}

bool JSONObject::operator==(const JSONObject& other) const { return members_ == other.members_; }

std::optional<JSONValue> JSONForeign::proxyForJson() const { return std::nullopt; }

std::string JSONValue::textValue() const {
  if (const std::string* s = asString()) return *s;
  if (const JSONDecimal* n = asNumber()) return n->stringValue();
  if (const bool* b = asBoolean()) return *b ? "true" : "false";
  return {};
}
