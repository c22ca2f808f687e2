#include "platform/foundation/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/foundation/StringUtils.h"

namespace {

struct Spec {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = -1;
    int precision = -1;
    bool wide = false; // l, ll, q, j, z, t
};

std::string shortestDouble(double v)
{
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string argAsText(const FormatArg& a)
{
    switch (a.kind) {
    case FormatArg::Kind::Int: return std::to_string(a.i);
    case FormatArg::Kind::UInt: return std::to_string(a.u);
    case FormatArg::Kind::Double: return shortestDouble(a.d);
    case FormatArg::Kind::String: return str::sanitizeUtf8(a.s);
    case FormatArg::Kind::Pointer: {
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, reinterpret_cast<uintptr_t>(a.p), 16);
        return a.p ? "0x" + std::string(buf, res.ptr) : "(null)";
    }
    }
    return {};
}

long long argAsSigned(const FormatArg& a)
{
    switch (a.kind) {
    case FormatArg::Kind::Int: return a.i;
    case FormatArg::Kind::UInt: return static_cast<long long>(a.u);
    case FormatArg::Kind::Double:
        if (std::isnan(a.d))
            return 0;
        if (a.d >= 9.2e18)
            return INT64_MAX;
        if (a.d <= -9.2e18)
            return INT64_MIN;
        return static_cast<long long>(a.d);
    case FormatArg::Kind::String: return str::toLongLong(a.s);
    case FormatArg::Kind::Pointer: return static_cast<long long>(reinterpret_cast<uintptr_t>(a.p));
    }
    return 0;
}

unsigned long long argAsUnsigned(const FormatArg& a, bool wide)
{
    if (a.kind == FormatArg::Kind::UInt)
        return a.u;
    if (a.kind == FormatArg::Kind::Pointer)
        return reinterpret_cast<uintptr_t>(a.p);
    const long long v = argAsSigned(a);
    // A negative int read as unsigned wraps at the width the caller passed it with.
    if (v < 0 && !wide && v >= INT32_MIN)
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<unsigned long long>(v);
}

double argAsDouble(const FormatArg& a)
{
    switch (a.kind) {
    case FormatArg::Kind::Int: return static_cast<double>(a.i);
    case FormatArg::Kind::UInt: return static_cast<double>(a.u);
    case FormatArg::Kind::Double: return a.d;
    case FormatArg::Kind::String: return str::toDouble(a.s);
    case FormatArg::Kind::Pointer: return 0;
    }
    return 0;
}

void pad(std::string& out, size_t count, char c) { out.append(count, c); }

// Puts sign, prefix and digits in a field of the spec's width.
void emitNumber(std::string& out, const Spec& spec, const std::string& sign, const std::string& prefix,
                std::string digits, bool zeroAllowed)
{
    const size_t body = sign.size() + prefix.size() + digits.size();
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    const size_t fill = body < width ? width - body : 0;
    if (fill && !spec.left && !(spec.zero && zeroAllowed))
        pad(out, fill, ' ');
    out.append(sign);
    out.append(prefix);
    if (fill && !spec.left && spec.zero && zeroAllowed)
        pad(out, fill, '0');
    out.append(digits);
    if (fill && spec.left)
        pad(out, fill, ' ');
}

void emitText(std::string& out, const Spec& spec, std::string text)
{
    if (spec.precision >= 0) {
        // Precision limits the characters shown; never split a character.
        std::u32string cps = str::toUtf32(text);
        if (cps.size() > static_cast<size_t>(spec.precision))
            text = str::fromUtf32(cps.substr(0, static_cast<size_t>(spec.precision)));
    }
    const size_t len = str::toUtf32(text).size();
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (len < width && !spec.left)
        pad(out, width - len, ' ');
    out += text;
    if (len < width && spec.left)
        pad(out, width - len, ' ');
}

std::string toDigits(unsigned long long v, int base, bool upper)
{
    char buf[72];
    auto res = std::to_chars(buf, buf + sizeof buf, v, base);
    std::string s(buf, res.ptr);
    if (upper)
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
    return s;
}

void emitInteger(std::string& out, const Spec& spec, bool negative, unsigned long long magnitude, int base,
                 bool upper, const std::string& prefix)
{
    std::string digits = toDigits(magnitude, base, upper);
    if (spec.precision >= 0) {
        if (spec.precision == 0 && magnitude == 0)
            digits.clear();
        else if (digits.size() < static_cast<size_t>(spec.precision))
            digits.insert(0, static_cast<size_t>(spec.precision) - digits.size(), '0');
    }
    std::string sign = negative ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    emitNumber(out, spec, sign, magnitude == 0 ? std::string() : prefix, digits, spec.precision < 0);
}

void emitFloat(std::string& out, const Spec& spec, double v, char conv)
{
    const bool upper = conv == 'F' || conv == 'E' || conv == 'G' || conv == 'A';
    const bool negative = std::signbit(v) && !std::isnan(v);
    const double mag = std::fabs(v);
    std::string digits;
    if (std::isnan(v) || std::isinf(v)) {
        digits = std::isnan(v) ? "nan" : "inf";
    } else {
        std::chars_format fmt = std::chars_format::fixed;
        const char lower = static_cast<char>(conv | 0x20);
        if (lower == 'e')
            fmt = std::chars_format::scientific;
        else if (lower == 'g')
            fmt = std::chars_format::general;
        else if (lower == 'a')
            fmt = std::chars_format::hex;
        int precision = spec.precision < 0 ? 6 : spec.precision;
        if (lower == 'g' && precision == 0)
            precision = 1;
        char buf[400];
        std::to_chars_result res;
        if (lower == 'a' && spec.precision < 0)
            res = std::to_chars(buf, buf + sizeof buf, mag, fmt);
        else
            res = std::to_chars(buf, buf + sizeof buf, mag, fmt, precision);
        if (res.ec != std::errc())
            digits = shortestDouble(mag);
        else
            digits.assign(buf, res.ptr);
        if (lower == 'a')
            digits.insert(digits.begin(), {'0', 'x'});
        if (spec.alt && digits.find('.') == std::string::npos && lower != 'a') {
            const size_t e = digits.find_first_of("eE");
            digits.insert(digits.begin() + static_cast<std::ptrdiff_t>(e == std::string::npos ? digits.size() : e), '.');
        }
    }
    if (upper)
        for (char& c : digits)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
    std::string sign = negative ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    emitNumber(out, spec, sign, "", digits, std::isfinite(v));
}

std::string codePointText(char32_t c)
{
    std::string s;
    if (c == 0)
        return s;
    str::appendUtf8(s, c);
    return s;
}

} // namespace

std::string formatWithArgs(std::string_view fmt, const FormatArg* args, size_t count)
{
    std::string out;
    out.reserve(fmt.size() + 16 * count);
    size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };

    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            out.push_back(fmt[i]);
            continue;
        }
        const size_t start = i++;
        Spec spec;
        for (; i < fmt.size(); ++i) {
            const char c = fmt[i];
            if (c == '-') spec.left = true;
            else if (c == '+') spec.plus = true;
            else if (c == ' ') spec.space = true;
            else if (c == '0') spec.zero = true;
            else if (c == '#') spec.alt = true;
            else if (c == '\'') {} // grouping: ignored
            else break;
        }
        if (i < fmt.size() && fmt[i] == '*') {
            const FormatArg* a = take();
            long long w = a ? argAsSigned(*a) : 0;
            if (w < 0) {
                spec.left = true;
                w = -w;
            }
            spec.width = static_cast<int>(std::min<long long>(w, 4096));
            ++i;
        } else {
            int w = 0;
            bool any = false;
            for (; i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9'; ++i) {
                w = std::min(w * 10 + (fmt[i] - '0'), 4096);
                any = true;
            }
            if (any)
                spec.width = w;
        }
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            if (i < fmt.size() && fmt[i] == '*') {
                const FormatArg* a = take();
                const long long p = a ? argAsSigned(*a) : 0;
                spec.precision = p < 0 ? -1 : static_cast<int>(std::min<long long>(p, 4096));
                ++i;
            } else {
                int p = 0;
                for (; i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9'; ++i)
                    p = std::min(p * 10 + (fmt[i] - '0'), 4096);
                spec.precision = p;
            }
        }
        for (; i < fmt.size(); ++i) {
            const char c = fmt[i];
            if (c == 'l' || c == 'q' || c == 'j' || c == 'z' || c == 't')
                spec.wide = true;
            else if (c != 'h' && c != 'L')
                break;
        }
        if (i >= fmt.size()) { // incomplete conversion: keep the text
            out.append(fmt.substr(start));
            break;
        }
        const char conv = fmt[i];
        if (conv == '%') {
            out.push_back('%');
            continue;
        }
        if (conv == 'n') {
            take(); // takes its argument but never writes through it
            continue;
        }
        const bool known = std::string_view("diuxXocCsS@fFeEgGaAp").find(conv) != std::string_view::npos;
        if (!known) {
            out.append(fmt.substr(start, i - start + 1));
            continue;
        }
        const FormatArg* a = take();
        if (!a)
            continue; // a missing argument prints nothing
        switch (conv) {
        case 'd':
        case 'i': {
            const long long v = argAsSigned(*a);
            const unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            emitInteger(out, spec, v < 0, mag, 10, false, "");
            break;
        }
        case 'u': emitInteger(out, spec, false, argAsUnsigned(*a, spec.wide), 10, false, ""); break;
        case 'x': emitInteger(out, spec, false, argAsUnsigned(*a, spec.wide), 16, false, spec.alt ? "0x" : ""); break;
        case 'X': emitInteger(out, spec, false, argAsUnsigned(*a, spec.wide), 16, true, spec.alt ? "0X" : ""); break;
        case 'o': emitInteger(out, spec, false, argAsUnsigned(*a, spec.wide), 8, false, spec.alt ? "0" : ""); break;
        case 'p': {
            Spec s = spec;
            s.precision = -1;
            emitNumber(out, s, "", "0x", toDigits(argAsUnsigned(*a, true), 16, false), false);
            break;
        }
        case 'c':
        case 'C': {
            std::string text;
            if (a->kind == FormatArg::Kind::String)
                text = str::utf16Substring(str::sanitizeUtf8(a->s), 0, 1);
            else
                text = codePointText(static_cast<char32_t>(argAsUnsigned(*a, true) & (conv == 'c' ? 0xFF : 0x1FFFFF)));
            Spec s = spec;
            s.precision = -1;
            emitText(out, s, text);
            break;
        }
        case 's':
        case 'S':
        case '@': emitText(out, spec, argAsText(*a)); break;
        default: emitFloat(out, spec, argAsDouble(*a), conv); break;
        }
    }
    return out;
}
