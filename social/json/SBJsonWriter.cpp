#include "social/json/SBJsonWriter.h"

#include <algorithm>
#include <cstdio>

std::optional<std::string> SBJsonWriter::stringWithObject(const JSONValue& value) {
  if (value.isArray() || value.isObject()) return stringWithFragment(value);
  if (const JSONForeign* foreign = value.asForeign())
    if (std::optional<JSONValue> proxy = foreign->proxyForJson())
      if (std::optional<std::string> text = stringWithObject(*proxy)) return text;
  clearErrorTrace();
  addErrorWithCode(EFRAGMENT, "Not valid type for JSON");
  return std::nullopt;
}

std::optional<std::string> SBJsonWriter::stringWithFragment(const JSONValue& value) {
  clearErrorTrace();
  depth_ = 0;
  std::string out;
  out.reserve(128);
  if (!appendValue(value, out)) return std::nullopt;
  return out;
}

bool SBJsonWriter::appendValue(const JSONValue& value, std::string& out) {
  switch (value.kind()) {
  case JSONValue::Kind::Object: return appendDictionary(*value.asObject(), out);
  case JSONValue::Kind::Array: return appendArray(*value.asArray(), out);
  case JSONValue::Kind::String: appendString(*value.asString(), out); return true;
  case JSONValue::Kind::Boolean: out += *value.asBoolean() ? "true" : "false"; return true;
  case JSONValue::Kind::Number: out += value.asNumber()->stringValue(); return true;
  case JSONValue::Kind::Null: out += "null"; return true;
  case JSONValue::Kind::Foreign: {
    const JSONForeign* foreign = value.asForeign();
    if (!foreign) break;
    if (std::optional<JSONValue> proxy = foreign->proxyForJson()) return appendValue(*proxy, out);
    addErrorWithCode(EUNSUPPORTED, "JSON serialisation not supported for " + foreign->typeName());
    return false;
  }
  }
  addErrorWithCode(EUNSUPPORTED, "JSON serialisation not supported for null pointer");
  return false;
}

bool SBJsonWriter::appendArray(const JSONValue::Array& array, std::string& out) {
  if (!enterContainer(0)) return false;
  out += '[';
  bool first = true;
  for (const JSONValue& element : array) {
    if (!first) out += ',';
    first = false;
    if (humanReadable_) indent(out);
    if (!appendValue(element, out)) return false;
  }
  --depth_;
  if (humanReadable_ && !array.empty()) indent(out);
  out += ']';
  return true;
}

bool SBJsonWriter::appendDictionary(const JSONObject& object, std::string& out) {
  if (!enterContainer(0)) return false;
  out += '{';
  const char* separator = humanReadable_ ? " : " : ":";
  std::vector<const JSONObject::Member*> members;
  members.reserve(object.size());
  for (const JSONObject::Member& m : object.members()) members.push_back(&m);
  if (sortKeys_)
    std::sort(members.begin(), members.end(), [](auto a, auto b) { return a->first < b->first; });
  bool first = true;
  for (const JSONObject::Member* m : members) {
    if (!first) out += ',';
    first = false;
    if (humanReadable_) indent(out);
    appendString(m->first, out);
    out += separator;
    if (!appendValue(m->second, out)) {
      addErrorWithCode(EUNSUPPORTED, "Unsupported value for key " + m->first + " in object");
      return false;
    }
  }
  --depth_;
  if (humanReadable_ && !object.empty()) indent(out);
  out += '}';
  return true;
}

void SBJsonWriter::indent(std::string& out) const {
  out += '\n';
  out.append(2 * static_cast<size_t>(depth_), ' ');
}

void SBJsonWriter::appendString(const std::string& text, std::string& out) {
  out += '"';
  const bool plain = std::none_of(text.begin(), text.end(), [](char ch) {
    return static_cast<unsigned char>(ch) < 32 || ch == '"' || ch == '\\';
  });
  if (plain) {
    out += text;
  } else {
    for (char ch : text) {
      switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (static_cast<unsigned char>(ch) < 32) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(ch));
          out += buffer;
        } else {
          out += ch;  // UTF-8 bytes of other characters pass unchanged
        }
      }
    }
  }
  out += '"';
}
