#pragma once
// Values to JSON text, optionally with sorted keys and one member or element per line.

#include <optional>
#include <string>

#include "social/json/JSONValue.h"
#include "social/json/SBJsonBase.h"

class SBJsonWriter : public SBJsonBase {
 public:
  // The text of an array or object (or of a foreign value's stand-in); none on failure.
  std::optional<std::string> stringWithObject(const JSONValue& value);
  // The text of any writable value.
  std::optional<std::string> stringWithFragment(const JSONValue& value);

  bool humanReadable() const { return humanReadable_; }
  void setHumanReadable(bool on) { humanReadable_ = on; }
  bool sortKeys() const { return sortKeys_; }
  void setSortKeys(bool on) { sortKeys_ = on; }

 private:
  bool appendValue(const JSONValue& value, std::string& out);
  bool appendArray(const JSONValue::Array& array, std::string& out);
  bool appendDictionary(const JSONObject& object, std::string& out);
  static void appendString(const std::string& text, std::string& out);
  void indent(std::string& out) const;

  bool sortKeys_ = false;
  bool humanReadable_ = false;
};
