#include "toolkit/foundation/TTMarkupStripper.h"

#include <cctype>
#include <map>

#include "platform/foundation/StringUtils.h"

namespace {
const std::map<std::string, std::string>& entityTable() {
  static const std::map<std::string, std::string> table = {
      {"nbsp", " "}, {"amp", "&"}, {"quot", "\""}, {"lt", "<"}, {"gt", ">"}, {"apos", "'"}};
  return table;
}

bool isNameChar(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '_' || c == ':' || c == '.' || c >= 0x80;
}

// Reads an entity reference starting after '&'; false when it is not a known one.
bool readEntity(const std::string& s, size_t& pos, std::string& out) {
  size_t semi = s.find(';', pos);
  if (semi == std::string::npos || semi == pos || semi - pos > 32) return false;
  std::string name = s.substr(pos, semi - pos);
  pos = semi + 1;
  if (name[0] == '#') {
    bool hex = name.size() > 1 && name[1] == 'x';
    std::string digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    char32_t code = 0;
    for (char d : digits) {
      int v = std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
              : hex && std::isxdigit(static_cast<unsigned char>(d)) ? std::tolower(d) - 'a' + 10
                                                                     : -1;
      if (v < 0) return false;
      code = code * (hex ? 16 : 10) + static_cast<char32_t>(v);
    }
    bool legal = code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
                 (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
    if (!legal) return false;
    str::appendUtf8(out, code);
    return true;
  }
  auto it = entityTable().find(name);
  if (it == entityTable().end()) return false;
  out += it->second;
  return true;
}

bool skipPast(const std::string& s, size_t& pos, const char* terminator) {
  size_t end = s.find(terminator, pos);
  if (end == std::string::npos) return false;
  pos = end + std::char_traits<char>::length(terminator);
  return true;
}

void skipSpace(const std::string& s, size_t& pos) {
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\n' || s[pos] == '\r')) ++pos;
}

// Reads a start or end tag after '<'; updates the open-element stack.
bool readTag(const std::string& s, size_t& pos, std::vector<std::string>& open) {
  bool closing = pos < s.size() && s[pos] == '/';
  if (closing) ++pos;
  size_t start = pos;
  while (pos < s.size() && isNameChar(static_cast<unsigned char>(s[pos]))) ++pos;
  if (pos == start || std::isdigit(static_cast<unsigned char>(s[start])) || s[start] == '-' || s[start] == '.')
    return false;
  std::string name = s.substr(start, pos - start);
  if (closing) {
    skipSpace(s, pos);
    if (pos >= s.size() || s[pos] != '>' || open.empty() || open.back() != name) return false;
    open.pop_back();
    ++pos;
    return true;
  }
  std::vector<std::string> seen;
  while (true) {
    size_t before = pos;
    skipSpace(s, pos);
    if (pos >= s.size()) return false;
    if (s[pos] == '>') {
      open.push_back(name);
      ++pos;
      return true;
    }
    if (s.compare(pos, 2, "/>") == 0) {
      pos += 2;
      return true;
    }
    if (pos == before) return false;  // attributes are separated by white space
    size_t attrStart = pos;
    while (pos < s.size() && isNameChar(static_cast<unsigned char>(s[pos]))) ++pos;
    if (pos == attrStart) return false;
    std::string attr = s.substr(attrStart, pos - attrStart);
    for (const auto& other : seen)
      if (other == attr) return false;
    seen.push_back(attr);
    skipSpace(s, pos);
    if (pos >= s.size() || s[pos] != '=') return false;
    ++pos;
    skipSpace(s, pos);
    if (pos >= s.size() || (s[pos] != '"' && s[pos] != '\'')) return false;
    char quote = s[pos++];
    size_t close = s.find(quote, pos);
    if (close == std::string::npos) return false;
    std::string value = s.substr(pos, close - pos);
    if (value.find('<') != std::string::npos) return false;
    for (size_t amp = value.find('&'); amp != std::string::npos; amp = value.find('&', amp)) {
      std::string ignored;
      ++amp;
      if (!readEntity(value, amp, ignored)) return false;
    }
    pos = close + 1;
  }
}
}  // namespace

std::string TTMarkupStripper::parse(const std::string& text) {
  strings_.clear();
  completed_ = parseElements(str::sanitizeUtf8(text));
  return str::join(strings_, "");
}

bool TTMarkupStripper::parseElements(const std::string& s) {
  std::vector<std::string> open;
  std::string run;
  auto flush = [&] {
    if (!run.empty()) strings_.push_back(std::move(run));
    run.clear();
  };
  size_t pos = 0;
  bool failed = false;
  while (pos < s.size() && !failed) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    if (c == '&') {
      ++pos;
      failed = !readEntity(s, pos, run);
    } else if (c == '<') {
      flush();
      if (s.compare(pos, 4, "<!--") == 0) {
        pos += 4;
        failed = !skipPast(s, pos, "-->");
      } else if (s.compare(pos, 9, "<![CDATA[") == 0) {
        size_t start = pos + 9;
        size_t end = s.find("]]>", start);
        failed = end == std::string::npos;
        if (failed) break;
        strings_.push_back(s.substr(start, end - start));
        pos = end + 3;
      } else if (s.compare(pos, 2, "<?") == 0) {
        pos += 2;
        failed = !skipPast(s, pos, "?>");
      } else {
        ++pos;
        failed = !readTag(s, pos, open);
      }
    } else if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      failed = true;
    } else {
      run += static_cast<char>(c);
      ++pos;
    }
  }
  flush();
  return !failed && open.empty();
}
