#include "platform/foundation/NSDateFormatter.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/foundation/Format.h"

namespace {
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kShortWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string padded(long long v, size_t width) { return stringWithFormat("%0*lld", static_cast<int>(width), v); }

// Reads up to `most` digits (at least one) at `pos`.
bool readNumber(const std::string& text, size_t& pos, size_t most, int& value)
{
    size_t n = 0;
    value = 0;
    while (n < most && pos + n < text.size() && text[pos + n] >= '0' && text[pos + n] <= '9')
        value = value * 10 + (text[pos + n++] - '0');
    pos += n;
    return n > 0;
}

// Reads one of the names at `pos` (longest first, ignoring case); its index + 1.
template <size_t N>
int readName(const std::string& text, size_t& pos, const char* const (&names)[N])
{
    int found = 0;
    size_t length = 0;
    for (size_t i = 0; i < N; ++i) {
        const size_t l = std::strlen(names[i]);
        if (l > length && text.size() - pos >= l && strncasecmp(text.c_str() + pos, names[i], l) == 0) {
            found = static_cast<int>(i) + 1;
            length = l;
        }
    }
    pos += length;
    return found;
}
} // namespace

NSDateFormatter::NSDateFormatter() : calendar_(NSCalendar::currentCalendar()) {}
NSDateFormatter::NSDateFormatter(std::string pattern)
    : pattern_(std::move(pattern)), calendar_(NSCalendar::currentCalendar())
{
}

const char* NSDateFormatter::monthName(int month) { return month >= 1 && month <= 12 ? kMonths[month - 1] : ""; }
const char* NSDateFormatter::shortMonthName(int month)
{
    return month >= 1 && month <= 12 ? kShortMonths[month - 1] : "";
}
const char* NSDateFormatter::weekdayName(int weekday)
{
    return weekday >= 1 && weekday <= 7 ? kWeekdays[weekday - 1] : "";
}
const char* NSDateFormatter::shortWeekdayName(int weekday)
{
    return weekday >= 1 && weekday <= 7 ? kShortWeekdays[weekday - 1] : "";
}

std::string NSDateFormatter::stringFromDate(const NSDate& date) const
{
    const NSDateComponents c = calendar_.components(date);
    const std::string& p = pattern_;
    std::string out;
    for (size_t i = 0; i < p.size();) {
        const char ch = p[i];
        if (ch == '\'') {
            // Quoted text; '' is a quote, inside or outside quotes.
            if (i + 1 < p.size() && p[i + 1] == '\'') {
                out.push_back('\'');
                i += 2;
                continue;
            }
            for (++i; i < p.size(); ++i) {
                if (p[i] == '\'') {
                    if (i + 1 < p.size() && p[i + 1] == '\'') {
                        out.push_back('\'');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                out.push_back(p[i]);
            }
            continue;
        }
        size_t n = 1;
        while (i + n < p.size() && p[i + n] == ch)
            ++n;
        switch (ch) {
        case 'y': out += n == 2 ? padded(((c.year % 100) + 100) % 100, 2) : padded(c.year, n); break;
        case 'M':
        case 'L':  // stand-alone month: the same names in English
            out += n >= 4 ? monthName(c.month) : n == 3 ? shortMonthName(c.month) : padded(c.month, n);
            break;
        case 'd': out += padded(c.day, n); break;
        case 'E': out += n >= 4 ? weekdayName(c.weekday) : shortWeekdayName(c.weekday); break;
        case 'h': out += padded(c.hour % 12 == 0 ? 12 : c.hour % 12, n); break;
        case 'H': out += padded(c.hour, n); break;
        case 'm': out += padded(c.minute, n); break;
        case 's': out += padded(c.second, n); break;
        case 'S': {
            const long long scaled = static_cast<long long>(std::floor(c.fraction * std::pow(10.0, static_cast<double>(n))));
            out += padded(scaled, n);
            break;
        }
        case 'a': out += c.hour < 12 ? "AM" : "PM"; break;
        case 'Z': {
            const int off = calendar_.utcOffsetAt(date);
            out += stringWithFormat("%c%02d%02d", off < 0 ? '-' : '+', std::abs(off) / 3600, std::abs(off) / 60 % 60);
            break;
        }
        default: out.append(n, ch);
        }
        i += n;
    }
    return out;
}

std::optional<NSDate> NSDateFormatter::dateFromString(const std::string& text) const
{
    NSDateComponents c;
    const std::string& p = pattern_;
    size_t pos = 0;
    int hour12 = -1;
    int pm = -1;
    auto literal = [&](char ch) {
        if (pos >= text.size() || text[pos] != ch) return false;
        ++pos;
        return true;
    };
    for (size_t i = 0; i < p.size();) {
        const char ch = p[i];
        if (ch == '\'') {
            if (i + 1 < p.size() && p[i + 1] == '\'') {
                if (!literal('\'')) return std::nullopt;
                i += 2;
                continue;
            }
            for (++i; i < p.size(); ++i) {
                if (p[i] == '\'') {
                    if (i + 1 < p.size() && p[i + 1] == '\'') {
                        if (!literal('\'')) return std::nullopt;
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (!literal(p[i])) return std::nullopt;
            }
            continue;
        }
        size_t n = 1;
        while (i + n < p.size() && p[i + n] == ch)
            ++n;
        // A doubled numeric field is read with exactly that many digits, a single one with up to two.
        const size_t digits = n >= 2 ? n : 2;
        int v = 0;
        bool ok = true;
        switch (ch) {
        case 'y':
            ok = readNumber(text, pos, n == 2 ? 2 : 9, v);
            c.year = n == 2 ? (v < 50 ? 2000 + v : 1900 + v) : v;
            break;
        case 'M':
        case 'L':
            if (n >= 3) {
                v = readName(text, pos, kMonths);
                if (!v) v = readName(text, pos, kShortMonths);
                ok = v != 0;
            } else {
                ok = readNumber(text, pos, digits, v);
            }
            c.month = v;
            break;
        case 'd': ok = readNumber(text, pos, digits, c.day); break;
        case 'E':
            if (!readName(text, pos, kWeekdays)) ok = readName(text, pos, kShortWeekdays) != 0;
            break;
        case 'h': ok = readNumber(text, pos, digits, hour12) && hour12 >= 1 && hour12 <= 12; break;
        case 'H': ok = readNumber(text, pos, digits, c.hour) && c.hour <= 23; break;
        case 'm': ok = readNumber(text, pos, digits, c.minute) && c.minute <= 59; break;
        case 's': ok = readNumber(text, pos, digits, c.second) && c.second <= 59; break;
        case 'S': {
            const size_t start = pos;
            ok = readNumber(text, pos, n, v);
            c.fraction = v / std::pow(10.0, static_cast<double>(pos - start));
            break;
        }
        case 'a':
            if (text.compare(pos, 2, "AM") == 0) pm = 0;
            else if (text.compare(pos, 2, "PM") == 0) pm = 1;
            else ok = false;
            pos += 2;
            break;
        case 'Z': ok = false; break;
        default:
            for (size_t k = 0; k < n && ok; ++k)
                ok = literal(ch);
        }
        if (!ok) return std::nullopt;
        i += n;
    }
    if (pos != text.size()) return std::nullopt;
    if (hour12 >= 0) c.hour = hour12 % 12 + (pm == 1 ? 12 : 0);
    else if (pm == 1 && c.hour < 12) c.hour += 12;
    const NSDate date = calendar_.dateFromComponents(c);
    // A day beyond its month's end would roll over into the next: no such date.
    const NSDateComponents back = calendar_.components(date);
    if (back.year != c.year || back.month != c.month || back.day != c.day) return std::nullopt;
    return date;
}
