#include "platform/foundation/NSCalendar.h"

#include <cmath>
#include <ctime>

namespace {

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
long long daysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = floorDiv(y, 400);
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, long long& y, int& m, int& d)
{
    z += 719468;
    const long long era = floorDiv(z, 146097);
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

} // namespace

NSCalendar NSCalendar::currentCalendar() { return NSCalendar(std::nullopt); }
NSCalendar NSCalendar::withUtcOffset(int secondsEastOfUtc) { return NSCalendar(secondsEastOfUtc); }

bool NSCalendar::isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int NSCalendar::daysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

int NSCalendar::utcOffsetAt(const NSDate& date) const
{
    if (fixedOffset_)
        return *fixedOffset_;
    const std::time_t t = static_cast<std::time_t>(std::floor(date.timeIntervalSince1970()));
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return 0;
    return static_cast<int>(tm.tm_gmtoff);
}

NSDateComponents NSCalendar::components(const NSDate& date) const
{
    const double t = date.timeIntervalSince1970();
    const double whole = std::floor(t);
    const long long local = static_cast<long long>(whole) + utcOffsetAt(date);
    const long long days = floorDiv(local, 86400);
    const long long secs = local - days * 86400;
    NSDateComponents c;
    long long y;
    civilFromDays(days, y, c.month, c.day);
    c.year = static_cast<int>(y);
    c.era = y > 0 ? 1 : 0;
    c.hour = static_cast<int>(secs / 3600);
    c.minute = static_cast<int>(secs / 60 % 60);
    c.second = static_cast<int>(secs % 60);
    c.fraction = t - whole;
    const long long dow = ((days + 4) % 7 + 7) % 7; // 1970-01-01 was a Thursday; 0 = Sunday
    c.weekday = static_cast<int>(dow) + 1;
    const long long jan1 = daysFromCivil(y, 1, 1);
    const long long jan1Dow = ((jan1 + 4) % 7 + 7) % 7;
    c.weekOfYear = static_cast<int>((days - jan1 + jan1Dow) / 7 + 1);
    return c;
}

NSDate NSCalendar::dateFromComponents(const NSDateComponents& c) const
{
    long long year = c.year;
    long long month0 = static_cast<long long>(c.month) - 1;
    year += floorDiv(month0, 12);
    month0 -= floorDiv(month0, 12) * 12;
    const long long days = daysFromCivil(year, static_cast<int>(month0 + 1), 1) + (c.day - 1);
    const double local = static_cast<double>(days) * 86400.0 + c.hour * 3600.0 + c.minute * 60.0 + c.second + c.fraction;
    if (fixedOffset_)
        return NSDate::dateWithTimeIntervalSince1970(local - *fixedOffset_);
    // The offset depends on the moment itself: settle it in two steps (one more across a change).
    double t = local - utcOffsetAt(NSDate::dateWithTimeIntervalSince1970(local));
    for (int i = 0; i < 2; ++i) {
        const double next = local - utcOffsetAt(NSDate::dateWithTimeIntervalSince1970(t));
        if (next == t)
            break;
        t = next;
    }
    return NSDate::dateWithTimeIntervalSince1970(t);
}

NSDate NSCalendar::dateByAddingDays(const NSDate& date, int days) const
{
    NSDateComponents c = components(date);
    c.day += days;
    return dateFromComponents(c);
}

NSDate NSCalendar::dateByAddingWeeks(const NSDate& date, int weeks) const { return dateByAddingDays(date, weeks * 7); }

NSDate NSCalendar::dateByAddingMonths(const NSDate& date, int months) const
{
    NSDateComponents c = components(date);
    long long month0 = static_cast<long long>(c.month) - 1 + months;
    const long long yearShift = floorDiv(month0, 12);
    month0 -= yearShift * 12;
    c.year = static_cast<int>(c.year + yearShift);
    c.month = static_cast<int>(month0 + 1);
    const int last = daysInMonth(c.year, c.month);
    if (c.day > last)
        c.day = last;
    return dateFromComponents(c);
}

NSDate NSCalendar::dateBySettingHour(int hour, int minute, int second, const NSDate& date) const
{
    NSDateComponents c = components(date);
    c.hour = hour;
    c.minute = minute;
    c.second = second;
    c.fraction = 0;
    return dateFromComponents(c);
}

NSDate NSCalendar::startOfDay(const NSDate& date) const { return dateBySettingHour(0, 0, 0, date); }

int NSCalendar::daysInMonth(const NSDate& date) const
{
    const NSDateComponents c = components(date);
    return daysInMonth(c.year, c.month);
}
