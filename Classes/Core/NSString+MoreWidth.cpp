// The width-measuring text utilities: search snippets and truncation.

#include "Classes/Core/NSString+More.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"
#include "platform/text/StringDrawing.h"

#include <cmath>

namespace NSString {
namespace {

const char* const kEllipsis = "\u2026";

double widthOf(const std::u16string& text, const UIFont& font) {
    return sizeWithFont(str::fromUtf16(text), font).width;
}

bool isBoundary(char16_t c) { return str::isWhitespaceOrNewline(c) || str::isPunctuation(c); }

struct Hit {
    size_t start = 0;
    size_t length = 0;
};

// First occurrence that starts a word (and, with wholeWordEnd, ends one). A rejected
// occurrence resumes the search after itself.
std::optional<Hit> findWordHit(const std::string& text, const std::u16string& chars, const std::string& token,
                               bool wholeWordEnd) {
    size_t from = 0;
    while (from <= chars.size()) {
        str::Range r = str::findCaseInsensitiveRange(text, token, from);
        if (!r.found() || r.length == 0) return std::nullopt;
        size_t end = r.location + r.length;
        bool startsWord = r.location == 0 || isBoundary(chars[r.location - 1]);
        bool endsWord = !wholeWordEnd || end >= chars.size() || isBoundary(chars[end]);
        if (startsWord && endsWord) return Hit{r.location, r.length};
        from = end;
    }
    return std::nullopt;
}

// The token between spaces, before a space, after a space, then anywhere.
std::optional<Hit> findLooseHit(const std::string& text, const std::string& token) {
    const size_t tokenLength = str::utf16Length(token);
    struct Probe {
        std::string needle;
        size_t offset;
    } probes[] = {{" " + token + " ", 1}, {token + " ", 0}, {" " + token, 1}, {token, 0}};
    for (const Probe& probe : probes) {
        str::Range r = str::findCaseInsensitiveRange(text, probe.needle, 0);
        if (r.found()) return Hit{r.location + probe.offset, tokenLength};
    }
    return std::nullopt;
}

std::string escapedIf(bool escape, const std::string& text) { return escape ? str::xmlEscape(text) : text; }

}  // namespace

std::string stringByTruncatingToWidth(const std::string& text, double width, const UIFont& font) {
    std::u16string chars = str::toUtf16(text);
    if (widthOf(chars, font) <= width) return text;
    double ellipsisWidth = sizeWithFont(kEllipsis, font).width;
    // Longest prefix that fits width - E (widths grow with the prefix).
    size_t lo = 0, hi = chars.size();
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (widthOf(chars.substr(0, mid), font) <= width - ellipsisWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo == 0) return ellipsisWidth <= width ? kEllipsis : "";
    // The last kept character gives way to the ellipsis.
    size_t keep = lo - 1;
    if (keep > 0 && keep < chars.size() && chars[keep] >= 0xDC00 && chars[keep] <= 0xDFFF) --keep;
    return str::fromUtf16(chars.substr(0, keep)) + kEllipsis;
}

std::string getPartialStringForSearchKeyword(const std::string& text, const std::string&, const UIFont& font,
                                             double maxWidth, bool withReplaced, bool searchWordEnd,
                                             const std::string& firstSearchToken, int ellipsesW) {
    std::u16string chars = str::toUtf16(text);
    std::optional<Hit> hit;
    if (!firstSearchToken.empty()) {
        hit = findWordHit(text, chars, firstSearchToken, searchWordEnd);
        if (!hit && withReplaced) hit = findLooseHit(text, firstSearchToken);
    }
    if (!hit) return escapedIf(withReplaced, stringByTruncatingToWidth(text, maxWidth, font));

    const double limit = maxWidth - 2.0 * ellipsesW;
    if (widthOf(chars, font) <= limit) return escapedIf(withReplaced, text);

    // Grow one character on each side per pass while the plain snippet is narrower than the limit.
    long left = static_cast<long>(hit->start) - 1;
    size_t right = hit->start + hit->length;
    while (std::floor(widthOf(chars.substr(left + 1, right - (left + 1)), font)) < limit) {
        bool grew = false;
        if (left >= 0) {
            --left;
            grew = true;
        }
        if (right < chars.size()) {
            ++right;
            grew = true;
        }
        if (!grew) break;
    }
    size_t begin = static_cast<size_t>(left + 1);
    std::string before = str::fromUtf16(chars.substr(begin, hit->start - begin));
    std::string found = str::fromUtf16(chars.substr(hit->start, hit->length));
    std::string after = str::fromUtf16(chars.substr(hit->start + hit->length, right - (hit->start + hit->length)));
    std::string lead = left >= 0 ? kEllipsis : "";
    std::string trail = right < chars.size() ? kEllipsis : "";
    if (!withReplaced) return lead + before + found + after + trail;
    return lead + str::xmlEscape(before) + "<span class=\"yellowBox\">" + str::xmlEscape(found) + "</span>" +
           str::xmlEscape(after) + trail;
}

}  // namespace NSString
