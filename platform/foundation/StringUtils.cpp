#include "platform/foundation/StringUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace str {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at s[i]; invalid or truncated sequences read as one U+FFFD byte.
char32_t decodeAt(std::string_view s, size_t i, size_t& length)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    length = 1;
    if (b0 < 0x80)
        return b0;
    size_t need;
    char32_t cp;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        cp = b0 & 0x07;
    } else {
        return kReplacement;
    }
    if (i + need >= s.size())
        return kReplacement;
    for (size_t k = 1; k <= need; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    if ((need == 2 && cp < 0x800) || (need == 3 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    length = need + 1;
    return cp;
}

size_t utf16Units(char32_t c) { return c >= 0x10000 ? 2 : 1; }

} // namespace

std::u32string toUtf32(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0, n; i < s.size(); i += n)
        out.push_back(decodeAt(s, i, n));
    return out;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string fromUtf32(std::u32string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s)
        appendUtf8(out, c);
    return out;
}

std::u16string toUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0, n; i < s.size(); i += n) {
        char32_t c = decodeAt(s, i, n);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

bool isValidUtf8(std::string_view s)
{
    for (size_t i = 0, n; i < s.size(); i += n)
        if (decodeAt(s, i, n) == kReplacement && !(n == 3 && s.substr(i, 3) == "\xEF\xBF\xBD"))
            return false;
    return true;
}

std::string sanitizeUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0, n; i < s.size(); i += n) {
        const char32_t c = decodeAt(s, i, n);
        if (c == kReplacement)
            appendUtf8(out, c);
        else
            out.append(s.substr(i, n));
    }
    return out;
}

size_t utf16Length(std::string_view s)
{
    size_t units = 0;
    for (size_t i = 0, n; i < s.size(); i += n)
        units += utf16Units(decodeAt(s, i, n));
    return units;
}

size_t utf16ToByteOffset(std::string_view s, size_t utf16Index)
{
    size_t units = 0;
    size_t i = 0;
    for (size_t n; i < s.size(); i += n) {
        const size_t u = utf16Units(decodeAt(s, i, n));
        if (units + u > utf16Index)
            return i;
        units += u;
    }
    return i;
}

size_t byteToUtf16Offset(std::string_view s, size_t byteOffset)
{
    size_t units = 0;
    for (size_t i = 0, n; i < s.size() && i < byteOffset; i += n)
        units += utf16Units(decodeAt(s, i, n));
    return units;
}

std::string utf16Substring(std::string_view s, size_t start, size_t length)
{
    const size_t from = utf16ToByteOffset(s, start);
    if (length == npos)
        return std::string(s.substr(from));
    const size_t end = start + length < start ? s.size() : utf16ToByteOffset(s, start + length);
    return std::string(s.substr(from, end - from));
}

size_t utf16IndexOf(std::string_view hay, std::string_view needle, size_t fromUtf16Index)
{
    if (needle.empty())
        return npos;
    const size_t from = utf16ToByteOffset(hay, fromUtf16Index);
    const size_t at = hay.find(needle, from);
    // A match must start on a code point boundary; UTF-8 guarantees that for valid needles.
    return at == std::string_view::npos ? npos : byteToUtf16Offset(hay, at);
}

Range findCaseInsensitiveRange(std::string_view hay, std::string_view needle, size_t fromUtf16Index)
{
    Range result;
    const std::u32string n = toUtf32(needle);
    if (n.empty())
        return result;
    std::u32string folded;
    folded.reserve(n.size());
    for (char32_t c : n)
        folded.push_back(toLower(c));
    const std::u32string h = toUtf32(hay);
    size_t unit = 0; // UTF-16 index of h[start]
    for (size_t start = 0; start < h.size(); unit += utf16Units(h[start]), ++start) {
        if (unit < fromUtf16Index)
            continue;
        if (h.size() - start < folded.size())
            break;
        size_t k = 0;
        while (k < folded.size() && toLower(h[start + k]) == folded[k])
            ++k;
        if (k == folded.size()) {
            size_t len = 0;
            for (size_t j = 0; j < k; ++j)
                len += utf16Units(h[start + j]);
            result.location = unit;
            result.length = len;
            return result;
        }
    }
    return result;
}

size_t findCaseInsensitive(std::string_view hay, std::string_view needle, size_t fromUtf16Index)
{
    return findCaseInsensitiveRange(hay, needle, fromUtf16Index).location;
}

bool equalsCaseInsensitive(std::string_view a, std::string_view b)
{
    const std::u32string x = toUtf32(a), y = toUtf32(b);
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (toLower(x[i]) != toLower(y[i]))
            return false;
    return true;
}

std::string lowercase(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0, n; i < s.size(); i += n)
        appendUtf8(out, toLower(decodeAt(s, i, n)));
    return out;
}

std::string uppercase(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0, n; i < s.size(); i += n)
        appendUtf8(out, toUpper(decodeAt(s, i, n)));
    return out;
}

bool isWhitespace(char32_t c)
{
    return c == ' ' || c == '\t' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool isNewline(char32_t c)
{
    return c == '\n' || c == '\r' || c == 0x0B || c == 0x0C || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isWhitespaceOrNewline(char32_t c) { return isWhitespace(c) || isNewline(c); }

bool isPunctuation(char32_t c)
{
    if (c < 0x80)
        return (c >= '!' && c <= '/' && c != '$' && c != '+') || (c >= ':' && c <= '@' && c != '<' && c != '=' && c != '>') ||
               (c >= '[' && c <= '`' && c != '^' && c != '`') || c == '{' || c == '}';
    return c == 0xA1 || c == 0xA7 || c == 0xAB || c == 0xB6 || c == 0xB7 || c == 0xBB || c == 0xBF ||
           c == 0x060C || c == 0x060D || c == 0x061B || c == 0x061E || c == 0x061F || c == 0x066A ||
           c == 0x066B || c == 0x066C || c == 0x066D || c == 0x06D4 || c == 0x037E || c == 0x0387 ||
           (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x2043) || (c >= 0x2045 && c <= 0x2051) ||
           (c >= 0x2053 && c <= 0x205E) || (c >= 0x3001 && c <= 0x3003) || (c >= 0x3008 && c <= 0x3011) ||
           c == 0xFD3E || c == 0xFD3F || (c >= 0xFF01 && c <= 0xFF0F && c != 0xFF04 && c != 0xFF0B);
}

namespace {
template <class Pred>
std::string trimBy(std::string_view s, Pred keepOut)
{
    const std::u32string u = toUtf32(s);
    size_t b = 0, e = u.size();
    while (b < e && keepOut(u[b]))
        ++b;
    while (e > b && keepOut(u[e - 1]))
        --e;
    // Map code point positions back to bytes so the kept part is returned byte for byte.
    size_t byteStart = 0, byteEnd = s.size(), cp = 0;
    for (size_t i = 0, n; i < s.size(); i += n, ++cp) {
        decodeAt(s, i, n);
        if (cp == b)
            byteStart = i;
        if (cp == e) {
            byteEnd = i;
            break;
        }
    }
    if (b == e)
        return {};
    return std::string(s.substr(byteStart, byteEnd - byteStart));
}
} // namespace

std::string trim(std::string_view s) { return trimBy(s, isWhitespaceOrNewline); }
std::string trimWhitespace(std::string_view s) { return trimBy(s, isWhitespace); }

std::vector<std::string> split(std::string_view s, std::string_view separator)
{
    std::vector<std::string> parts;
    if (separator.empty()) {
        parts.emplace_back(s);
        return parts;
    }
    size_t start = 0;
    for (size_t at; (at = s.find(separator, start)) != std::string_view::npos; start = at + separator.size())
        parts.emplace_back(s.substr(start, at - start));
    parts.emplace_back(s.substr(start));
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out.append(separator);
        out.append(parts[i]);
    }
    return out;
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(s);
    std::string out;
    size_t start = 0;
    for (size_t at; (at = s.find(from, start)) != std::string_view::npos; start = at + from.size()) {
        out.append(s.substr(start, at - start));
        out.append(to);
    }
    out.append(s.substr(start));
    return out;
}

bool hasPrefix(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix && !prefix.empty(); }
bool hasPrefixIgnoringASCIICase(std::string_view s, std::string_view prefix)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return !prefix.empty() && s.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), s.begin(), [&](char a, char b) { return lower(a) == lower(b); });
}
bool hasSuffix(std::string_view s, std::string_view suffix)
{
    return !suffix.empty() && s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
bool contains(std::string_view s, std::string_view part) { return !part.empty() && s.find(part) != std::string_view::npos; }

namespace {
const char kHex[] = "0123456789ABCDEF";
void appendEscaped(std::string& out, unsigned char b)
{
    out.push_back('%');
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 15]);
}
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::string percentEscape(std::string_view s, std::string_view alsoEscape)
{
    static constexpr std::string_view kIllegal = " \"%<>\\^`{|}";
    std::string out;
    out.reserve(s.size());
    for (unsigned char b : sanitizeUtf8(s)) {
        if (b <= 0x20 || b >= 0x7F || kIllegal.find(static_cast<char>(b)) != std::string_view::npos ||
            alsoEscape.find(static_cast<char>(b)) != std::string_view::npos)
            appendEscaped(out, b);
        else
            out.push_back(static_cast<char>(b));
    }
    return out;
}

std::string percentEscapeComponent(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (unsigned char b : sanitizeUtf8(s)) {
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~')
            out.push_back(static_cast<char>(b));
        else
            appendEscaped(out, b);
    }
    return out;
}

std::optional<std::string> percentUnescape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size())
            return std::nullopt;
        const int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    if (!isValidUtf8(out))
        return std::nullopt;
    return out;
}

std::string xmlEscape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

namespace {
// Skips white space and line ends; returns the index of the first other character.
size_t skipSpace(std::string_view s)
{
    size_t i = 0;
    for (size_t n; i < s.size(); i += n)
        if (!isWhitespaceOrNewline(decodeAt(s, i, n)))
            break;
    return i;
}
} // namespace

long long toLongLong(std::string_view s)
{
    size_t i = skipSpace(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    unsigned long long v = 0;
    bool overflow = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const unsigned d = static_cast<unsigned>(s[i] - '0');
        if (v > (static_cast<unsigned long long>(LLONG_MAX) + 1 - d) / 10)
            overflow = true;
        else
            v = v * 10 + d;
    }
    if (negative) {
        if (overflow || v > static_cast<unsigned long long>(LLONG_MAX) + 1)
            return LLONG_MIN;
        return v == static_cast<unsigned long long>(LLONG_MAX) + 1 ? LLONG_MIN : -static_cast<long long>(v);
    }
    if (overflow || v > static_cast<unsigned long long>(LLONG_MAX))
        return LLONG_MAX;
    return static_cast<long long>(v);
}

int toInt(std::string_view s)
{
    const long long v = toLongLong(s);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

double toDouble(std::string_view s)
{
    size_t i = skipSpace(s);
    const size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9')
                ++j;
            i = j;
        }
    }
    // Parse the checked C-locale subset by hand so the process locale cannot change it.
    std::string_view t = s.substr(start, i - start);
    bool negative = false;
    size_t k = 0;
    if (t[k] == '+' || t[k] == '-')
        negative = t[k++] == '-';
    long double mantissa = 0;
    int exponent = 0;
    for (; k < t.size() && t[k] >= '0' && t[k] <= '9'; ++k)
        mantissa = mantissa * 10 + (t[k] - '0');
    if (k < t.size() && t[k] == '.')
        for (++k; k < t.size() && t[k] >= '0' && t[k] <= '9'; ++k) {
            mantissa = mantissa * 10 + (t[k] - '0');
            --exponent;
        }
    if (k < t.size() && (t[k] == 'e' || t[k] == 'E')) {
        ++k;
        bool expNegative = false;
        if (k < t.size() && (t[k] == '+' || t[k] == '-'))
            expNegative = t[k++] == '-';
        int e = 0;
        for (; k < t.size() && t[k] >= '0' && t[k] <= '9'; ++k)
            e = e > 100000 ? e : e * 10 + (t[k] - '0');
        exponent += expNegative ? -e : e;
    }
    const long double v = mantissa * std::pow(10.0L, exponent);
    return static_cast<double>(negative ? -v : v);
}

float toFloat(std::string_view s) { return static_cast<float>(toDouble(s)); }

bool toBool(std::string_view s)
{
    size_t i = skipSpace(s);
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    while (i < s.size() && s[i] == '0')
        ++i;
    if (i >= s.size())
        return false;
    const char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string appendPathComponent(std::string_view path, std::string_view component)
{
    if (path.empty())
        return std::string(component);
    std::string out(path);
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    while (!component.empty() && component.front() == '/')
        component.remove_prefix(1);
    if (component.empty())
        return out;
    if (out.back() != '/')
        out.push_back('/');
    out.append(component);
    return out;
}

std::string lastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const size_t at = path.rfind('/');
    if (at == std::string_view::npos || path.size() == 1)
        return std::string(path);
    return std::string(path.substr(at + 1));
}

std::string deletingLastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const size_t at = path.rfind('/');
    if (at == std::string_view::npos)
        return {};
    if (at == 0)
        return "/";
    return std::string(path.substr(0, at));
}

std::string pathExtension(std::string_view path)
{
    const std::string last = lastPathComponent(path);
    const size_t dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    return last.substr(dot + 1);
}

std::string deletingPathExtension(std::string_view path)
{
    const std::string ext = pathExtension(path);
    std::string_view p = path;
    while (p.size() > 1 && p.back() == '/')
        p.remove_suffix(1);
    if (ext.empty())
        return std::string(p);
    return std::string(p.substr(0, p.size() - ext.size() - 1));
}

} // namespace str
