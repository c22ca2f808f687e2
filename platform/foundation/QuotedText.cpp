// Outside text quoted for messages: short, and nothing in it can move a terminal's cursor,
// change its colours or turn the text's direction.

#include "platform/foundation/QuotedText.h"

#include "platform/foundation/StringUtils.h"

#include <algorithm>
#include <cstdio>

namespace str {

namespace {

// Characters that act instead of showing: C1 controls, line and paragraph separators,
// direction marks, embeddings, overrides and isolates, and a byte order mark inside text.
bool actsInsteadOfShowing(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

}  // namespace

std::string quoteForMessage(std::string_view text, size_t maxBytes) {
    std::string out = "\"";
    size_t i = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        out += "<byte order mark>";
        i = 3;
    }
    const size_t end = std::min(text.size(), maxBytes);
    char escape[12];
    while (i < end) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '\n') out += "\\n", ++i;
        else if (b == '\t') out += "\\t", ++i;
        else if (b == '\r') out += "\\r", ++i;
        else if (b == '"' || b == '\\') out += '\\', out += static_cast<char>(b), ++i;
        else if (b < 0x20 || b == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", b);
            out += escape;
            ++i;
        } else if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else {
            // A whole, valid UTF-8 sequence is kept unless it acts; anything else is shown byte by byte.
            const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            const std::string_view sequence = text.substr(i, length);
            if (sequence.size() == length && isValidUtf8(sequence)) {
                const char32_t c = toUtf32(sequence).front();
                if (actsInsteadOfShowing(c)) {
                    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += sequence;
                }
                i += length;
            } else {
                std::snprintf(escape, sizeof escape, "\\x%02X", b);
                out += escape;
                ++i;
            }
        }
    }
    out += '"';
    if (i < text.size()) out += "...";
    return out;
}

}  // namespace str
