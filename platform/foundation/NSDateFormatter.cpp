#include "platform/foundation/NSDateFormatter.h"

#include <cmath>
#include <cstdlib>

#include "platform/foundation/Format.h"

namespace {
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kShortWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string padded(long long v, size_t width) { return stringWithFormat("%0*lld", static_cast<int>(width), v); }
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
