#include "platform/net/NSURLRequest.h"

#include <strings.h>

namespace {
bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}
}  // namespace

std::string NSURLRequest::valueForHTTPHeaderField(const std::string& name) const {
  for (const auto& [k, v] : headers_)
    if (sameName(k, name)) return v;
  return {};
}

void NSURLRequest::setValue(const std::string& value, const std::string& headerField) {
  for (auto it = headers_.begin(); it != headers_.end(); ++it) {
    if (sameName(it->first, headerField)) {
      it->second = value;
      return;
    }
  }
  headers_.emplace_back(headerField, value);
}

void NSURLRequest::addValue(const std::string& value, const std::string& headerField) {
  for (auto& [k, v] : headers_) {
    if (sameName(k, headerField)) {
      v += ", " + value;
      return;
    }
  }
  headers_.emplace_back(headerField, value);
}

std::string NSHTTPURLResponse::valueForHTTPHeaderField(const std::string& name) const {
  for (const auto& [k, v] : headers_)
    if (sameName(k, name)) return v;
  return {};
}

void NSHTTPURLResponse::addHeaderField(const std::string& name, const std::string& value) {
  for (auto& [k, v] : headers_) {
    if (sameName(k, name)) {
      v += ", " + value;
      return;
    }
  }
  headers_.emplace(name, value);
}

std::string NSHTTPURLResponse::MIMEType() const {
  std::string type = valueForHTTPHeaderField("Content-Type");
  auto semi = type.find(';');
  if (semi != std::string::npos) type.resize(semi);
  while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.pop_back();
  for (auto& c : type) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return type;
}
