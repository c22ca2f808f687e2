#include "Classes/Core/NSString+More.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"

#include <cmath>

namespace NSString {

namespace {

bool isAccent(char32_t c) {
    if (c >= 0x064B && c <= 0x0656) return true;
    if (c == 0x0670) return true;
    if (c >= 0xFC5E && c <= 0xFC63) return true;
    if (c >= 0xFE70 && c <= 0xFE80) return c != 0xFE73 && c != 0xFE74 && c != 0xFE75 && c != 0xFE7A && c != 0xFE7B;
    return false;
}

}  // namespace

std::string cleanArabicAccents(const std::string& text) {
    std::u32string out;
    for (char32_t c : str::toUtf32(text))
        if (!isAccent(c)) out += c;
    return str::fromUtf32(out);
}

std::string getFirstSearchToken(const std::string& text) {
    if (doesContain(text, " ") || str::hasPrefix(text, "\"")) {
        if (str::hasPrefix(text, "\"")) {
            size_t close = text.find('"', 1);
            if (close != std::string::npos) return text.substr(1, close - 1);
        }
        std::u32string chars = str::toUtf32(text);
        size_t end = 0;
        while (end < chars.size() && !str::isWhitespaceOrNewline(chars[end])) ++end;
        return str::fromUtf32(chars.substr(0, end));
    }
    if (str::hasSuffix(text, "*")) return str::replaceAll(text, "*", "");
    return text;
}

std::string escapeForSearch(const std::string& text) { return str::replaceAll(text, "'", "''"); }

bool doesContain(const std::string& text, const std::string& part) {
    if (part.empty()) return false;
    return str::contains(str::lowercase(text), str::lowercase(part));
}

std::string escapeAllForMail(const std::string& text) {
    if (text.empty()) return text;
    std::string out = str::percentEscape(text);
    static const std::pair<const char*, const char*> kReplacements[] = {
        {"&", "%26"}, {"+", "%2B"}, {",", "%2C"},  {"/", "%2F"},  {":", "%3A"},  {";", "%3B"},
        {"=", "%3D"}, {"?", "%3F"}, {"@", "%40"},  {" ", "%20"},  {"\t", "%09"}, {"#", "%23"},
        {"<", "%3C"}, {">", "%3E"}, {"\"", "%22"}, {"\n", "%0A"},
    };
    for (const auto& [from, to] : kReplacements) out = str::replaceAll(out, from, to);
    return out;
}

std::vector<std::string> explode(const std::string& text, const std::string& separator) {
    return str::split(text, separator);
}

std::string searchReplace(const std::string& text, const std::string& target, const std::string& replacement) {
    if (target.empty()) return text;
    return str::replaceAll(text, target, replacement);
}

std::string getTimeElapsedFrom(float seconds) {
    if (!(seconds > 0)) seconds = 0;
    int minutes = static_cast<int>(seconds / 60);
    int rest = minutes == 0 ? static_cast<int>(std::ceil(seconds)) : static_cast<int>(seconds - 60.0f * minutes);
    // The rounded-up first minute carries over instead of showing "00:60".
    minutes += rest / 60;
    rest %= 60;
    return stringWithFormat("%02i:%02i", minutes, rest);
}

}  // namespace NSString

namespace NSArray {
std::string implode(const std::vector<std::string>& parts, const std::string& separator) {
    return str::join(parts, separator);
}
}  // namespace NSArray
