#pragma once
// JSON text to values. Strict about literals, numbers, strings and escapes; lenient about
// white space (also vertical tab and form feed) and a missing comma between elements or members.

#include <optional>
#include <string>
#include <string_view>

#include "social/json/JSONValue.h"
#include "social/json/SBJsonBase.h"

class SBJsonParser : public SBJsonBase {
 public:
  // An array or an object; none on failure (the trace says why). None as input is error 12.
  std::optional<JSONValue> objectWithString(std::optional<std::string_view> text);
  // Any value.
  std::optional<JSONValue> fragmentWithString(std::optional<std::string_view> text);

 private:
  char current() const { return c_ < end_ ? *c_ : '\0'; }
  void skipWhitespace();
  bool scanValue(JSONValue& out);
  bool scanRestOfArray(JSONValue& out);
  bool scanRestOfDictionary(JSONValue& out);
  bool scanRestOfString(std::string& out);
  bool scanRestOfLiteral(const char* rest, const char* message);
  bool scanUnicodeChar(std::string& out);
  bool scanHexQuad(unsigned& unit);
  bool scanNumber(JSONValue& out);

  const char* c_ = nullptr;  // read position
  const char* end_ = nullptr;  // end of input; a NUL byte also ends it
};
