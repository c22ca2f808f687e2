#include "social/json/SBJsonParser.h"

#include <cstdio>

namespace {

bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isNumberDigit(char c) { return c >= '0' && c <= '9'; }

std::string hexByteMessage(const char* format, char byte) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(static_cast<unsigned char>(byte)));
  return buffer;
}

void appendUTF8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

std::optional<JSONValue> SBJsonParser::objectWithString(std::optional<std::string_view> text) {
  std::optional<JSONValue> value = fragmentWithString(text);
  if (!value) return std::nullopt;
  if (value->isArray() || value->isObject()) return value;
  addErrorWithCode(EFRAGMENT, "Valid fragment, but not JSON");
  return std::nullopt;
}

std::optional<JSONValue> SBJsonParser::fragmentWithString(std::optional<std::string_view> text) {
  clearErrorTrace();
  if (!text) {
    addErrorWithCode(EINPUT, "Input was 'nil'");
    return std::nullopt;
  }
  depth_ = 0;
  c_ = text->data();
  end_ = c_ + text->size();
  JSONValue value;
  if (!scanValue(value)) return std::nullopt;
  skipWhitespace();
  if (current() != '\0') {
    addErrorWithCode(ETRAILGARBAGE, "Garbage after JSON");
    return std::nullopt;
  }
  return value;
}

void SBJsonParser::skipWhitespace() {
  while (c_ < end_ && isWhitespace(*c_)) ++c_;
}

bool SBJsonParser::scanValue(JSONValue& out) {
  skipWhitespace();
  const char ch = current();
  switch (ch) {
  case '\0':
    addErrorWithCode(EEOF, "Unexpected end of string");
    return false;
  case '"': {
    ++c_;
    std::string s;
    if (!scanRestOfString(s)) return false;
    out = JSONValue(std::move(s));
    return true;
  }
  case '[': ++c_; return scanRestOfArray(out);
  case '{': ++c_; return scanRestOfDictionary(out);
  case 't':
    ++c_;
    if (!scanRestOfLiteral("rue", "Expected 'true'")) return false;
    out = JSONValue(true);
    return true;
  case 'f':
    ++c_;
    if (!scanRestOfLiteral("alse", "Expected 'false'")) return false;
    out = JSONValue(false);
    return true;
  case 'n':
    ++c_;
    if (!scanRestOfLiteral("ull", "Expected 'null'")) return false;
    out = JSONValue();
    return true;
  case '+':
    addErrorWithCode(EPARSENUM, "Leading + disallowed in number");
    return false;
  default:
    if (ch == '-' || isNumberDigit(ch)) return scanNumber(out);
    addErrorWithCode(EPARSE, "Unrecognised leading character");
    return false;
  }
}

bool SBJsonParser::scanRestOfLiteral(const char* rest, const char* message) {
  for (const char* r = rest; *r; ++r, ++c_) {
    if (current() != *r) {
      addErrorWithCode(EPARSE, message);
      return false;
    }
  }
  return true;
}

bool SBJsonParser::scanRestOfArray(JSONValue& out) {
  if (!enterContainer(kHardDepthLimit)) return false;
  JSONValue::Array array;
  array.reserve(8);
  while (current() != '\0') {
    skipWhitespace();
    if (current() == ']') {
      ++c_;
      --depth_;
      out = JSONValue(std::move(array));
      return true;
    }
    JSONValue element;
    if (!scanValue(element)) {
      addErrorWithCode(EPARSE, "Expected value while parsing array");
      return false;
    }
    array.push_back(std::move(element));
    skipWhitespace();
    if (current() == ',') {
      ++c_;
      skipWhitespace();
      if (current() == ']') {
        addErrorWithCode(ETRAILCOMMA, "Trailing comma disallowed in array");
        return false;
      }
    }
  }
  addErrorWithCode(EEOF, "End of input while parsing array");
  return false;
}

bool SBJsonParser::scanRestOfDictionary(JSONValue& out) {
  if (!enterContainer(kHardDepthLimit)) return false;
  JSONObject object;
  object.reserve(7);
  while (current() != '\0') {
    skipWhitespace();
    if (current() == '}') {
      ++c_;
      --depth_;
      out = JSONValue(std::move(object));
      return true;
    }
    std::string key;
    if (current() != '"') {
      addErrorWithCode(EPARSE, "Object key string expected");
      return false;
    }
    ++c_;
    if (!scanRestOfString(key)) {
      addErrorWithCode(EPARSE, "Object key string expected");
      return false;
    }
    skipWhitespace();
    if (current() != ':') {
      addErrorWithCode(EPARSE, "Expected ':' separating key and value");
      return false;
    }
    ++c_;
    JSONValue value;
    if (!scanValue(value)) {
      addErrorWithCode(EPARSE, "Object value expected for key: " + key);
      return false;
    }
    object.set(std::move(key), std::move(value));
    skipWhitespace();
    if (current() == ',') {
      ++c_;
      skipWhitespace();
      if (current() == '}') {
        addErrorWithCode(ETRAILCOMMA, "Trailing comma disallowed in object");
        return false;
      }
    }
  }
  addErrorWithCode(EEOF, "End of input while parsing object");
  return false;
}

bool SBJsonParser::scanRestOfString(std::string& out) {
  out.reserve(16);
  while (current() != '\0') {
    const char* run = c_;
    while (c_ < end_ && *c_ != '"' && *c_ != '\\' && static_cast<unsigned char>(*c_) >= 32) ++c_;
    out.append(run, static_cast<size_t>(c_ - run));
    const char ch = current();
    if (ch == '"') {
      ++c_;
      return true;
    }
    if (ch == '\\') {
      ++c_;
      const char escape = current();
      switch (escape) {
      case '"': case '\\': case '/': out.push_back(escape); break;
      case 'b': out.push_back('\b'); break;
      case 'f': out.push_back('\f'); break;
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case 'u':
        ++c_;
        if (!scanUnicodeChar(out)) {
          addErrorWithCode(EUNICODE, "Broken unicode character");
          return false;
        }
        continue;  // the escape's digits are consumed
      default:
        addErrorWithCode(EESCAPE, hexByteMessage("Illegal escape sequence '0x%x'", escape));
        return false;
      }
      ++c_;
      continue;
    }
    // A control byte, or the end of input right after a run.
    addErrorWithCode(ECTRL, hexByteMessage("Unescaped control character '0x%x'", ch));
    return false;
  }
  addErrorWithCode(EEOF, "Unexpected EOF while parsing string");
  return false;
}

bool SBJsonParser::scanHexQuad(unsigned& unit) {
  unit = 0;
  for (int i = 0; i < 4; ++i) {
    const char ch = current();
    unsigned digit;
    if (ch >= '0' && ch <= '9') digit = static_cast<unsigned>(ch - '0');
    else if (ch >= 'a' && ch <= 'f') digit = static_cast<unsigned>(ch - 'a' + 10);
    else if (ch >= 'A' && ch <= 'F') digit = static_cast<unsigned>(ch - 'A' + 10);
    else {
      addErrorWithCode(EUNICODE, "Missing hex digit in quad");
      return false;
    }
    unit = unit * 16 + digit;
    ++c_;
  }
  return true;
}

bool SBJsonParser::scanUnicodeChar(std::string& out) {
  unsigned high;
  if (!scanHexQuad(high)) {
    addErrorWithCode(EUNICODE, "Missing hex quad");
    return false;
  }
  if (high < 0xD800 || high > 0xDFFF) {
    appendUTF8(out, high);
    return true;
  }
  if (high >= 0xDC00) {
    addErrorWithCode(EUNICODE, "Invalid high character in surrogate pair");
    return false;
  }
  // current() stops at the end of input, so the look-ahead never reads past it.
  if (current() != '\\' || (++c_, current() != 'u')) {
    addErrorWithCode(EUNICODE, "Missing low character in surrogate pair");
    return false;
  }
  ++c_;
  unsigned low;
  if (!scanHexQuad(low)) {
    addErrorWithCode(EUNICODE, "Missing hex quad");
    return false;
  }
  if (low < 0xDC00 || low > 0xDFFF) {
    addErrorWithCode(EUNICODE, "Invalid low surrogate char");
    return false;
  }
  appendUTF8(out, 0x10000 + (high - 0xD800) * 0x400 + (low - 0xDC00));
  return true;
}

bool SBJsonParser::scanNumber(JSONValue& out) {
  const char* start = c_;
  if (current() == '-') {
    ++c_;
    if (!isNumberDigit(current())) {
      addErrorWithCode(EPARSENUM, "No digits after initial minus");
      return false;
    }
  }
  if (current() == '0') {
    ++c_;
    if (isNumberDigit(current())) {
      addErrorWithCode(EPARSENUM, "Leading 0 disallowed in number");
      return false;
    }
  } else {
    while (isNumberDigit(current())) ++c_;
  }
  if (current() == '.') {
    ++c_;
    if (!isNumberDigit(current())) {
      addErrorWithCode(EPARSENUM, "No digits after decimal point");
      return false;
    }
    while (isNumberDigit(current())) ++c_;
  }
  if (current() == 'e' || current() == 'E') {
    ++c_;
    if (current() == '+' || current() == '-') ++c_;
    if (!isNumberDigit(current())) {
      addErrorWithCode(EPARSENUM, "No digits after exponent");
      return false;
    }
    while (isNumberDigit(current())) ++c_;
  }
  std::optional<JSONDecimal> number = JSONDecimal::fromLiteral(std::string_view(start, static_cast<size_t>(c_ - start)));
  if (!number) {
    addErrorWithCode(EPARSENUM, "Failed creating decimal instance");
    return false;
  }
  out = JSONValue(std::move(*number));
  return true;
}
