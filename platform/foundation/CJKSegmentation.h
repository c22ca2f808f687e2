#pragma once
// Chinese and Japanese text has no spaces between words, so the full-text index would take a
// whole clause as one token. Text indexed for search, and the queries run on it, put a space
// around every Han and kana character: each becomes a token, and a word is a phrase of them.
// Header-only so the content builder shares it without linking the reader's libraries.

#include <cstdint>
#include <string>
#include <string_view>

namespace cjk {

// Han ideographs (with extensions and compatibility forms), hiragana and katakana.
inline bool isSegmentedChar(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// The translations whose search text is segmented: Japanese (21) and Chinese (24).
inline bool segmentsSearchText(int translation) { return translation == 21 || translation == 24; }

// Decodes the code point at `i` and moves past it; a malformed byte reads as itself.
inline char32_t nextCodePoint(std::string_view s, size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    if (i + len > s.size()) len = 1;
    char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < len; ++k) {
        const auto cont = static_cast<unsigned char>(s[i + k]);
        if ((cont & 0xC0) != 0x80) {
            len = 1;
            c = b;
            break;
        }
        c = (c << 6) | (cont & 0x3F);
    }
    i += len;
    return c;
}

// ASCII blanks and punctuation (the quotes and operators of a query among them) stay attached.
inline bool isWordChar(char32_t c) {
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The text with one space between each segmented character and the word character beside it.
inline std::string spaceOut(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    char32_t previous = 0;
    for (size_t i = 0; i < s.size();) {
        const size_t start = i;
        const char32_t c = nextCodePoint(s, i);
        if (previous && isWordChar(previous) && isWordChar(c) && (isSegmentedChar(previous) || isSegmentedChar(c)))
            out += ' ';
        out.append(s.substr(start, i - start));
        previous = c;
    }
    return out;
}

}  // namespace cjk
