#include "toolkit/styledtext/TTStyledCharacters.h"

#include <cctype>

namespace TTStyledCharacters {

namespace {
// The code point at i and its length; a malformed sequence reads as one unknown byte.
char32_t decode(const std::string& text, size_t i, size_t& length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    length = 1;
    if (b0 < 0x80) return b0;
    size_t n = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 1;
    if (n == 1 || i + n > text.size()) return 0xFFFD;
    char32_t cp = b0 & (0x3F >> (n - 1));
    for (size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    length = n;
    return cp;
}

bool isNewline(char32_t c) { return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029; }

bool isSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}
}  // namespace

size_t sequenceLength(const std::string& text, size_t i) {
    size_t length;
    decode(text, i, length);
    return length;
}

size_t newlineLength(const std::string& text, size_t i) {
    size_t length;
    return isNewline(decode(text, i, length)) ? length : 0;
}

size_t whitespaceLength(const std::string& text, size_t i) {
    size_t length;
    const char32_t c = decode(text, i, length);
    return isNewline(c) || isSpace(c) ? length : 0;
}

size_t findCaseless(const std::string& text, const std::string& needle, size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string::npos;
    for (size_t i = from; i + needle.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                                        std::tolower(static_cast<unsigned char>(needle[k])))
            ++k;
        if (k == needle.size()) return i;
    }
    return std::string::npos;
}

}  // namespace TTStyledCharacters
