#pragma once
// The Gregorian calendar in the local time zone (or a fixed offset from UTC).

#include <optional>

#include "platform/foundation/NSDate.h"

struct NSDateComponents {
    int era = 1; // 1 = AD
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 5;      // 1 = Sunday ... 7 = Saturday
    int weekOfYear = 1;   // weeks starting on Sunday; the week holding 1 January is 1
    double fraction = 0;  // part of a second
};

class NSCalendar {
public:
    // Gregorian, local time zone (the TZ environment variable as the C library reads it).
    static NSCalendar currentCalendar();
    // Gregorian at a fixed offset from UTC (seconds east).
    static NSCalendar withUtcOffset(int secondsEastOfUtc);

    NSDateComponents components(const NSDate& date) const;
    // From year, month, day, hour, minute, second (+fraction); out-of-range fields carry over
    // (month 13 is January of the next year, day 0 the last day of the previous month).
    NSDate dateFromComponents(const NSDateComponents& c) const;

    // Same wall-clock time n days later (or earlier).
    NSDate dateByAddingDays(const NSDate& date, int days) const;
    NSDate dateByAddingWeeks(const NSDate& date, int weeks) const;
    // Month arithmetic clamps the day to the target month's length (31 Jan + 1 month = 28/29 Feb).
    NSDate dateByAddingMonths(const NSDate& date, int months) const;
    // Same day with the time of day replaced.
    NSDate dateBySettingHour(int hour, int minute, int second, const NSDate& date) const;
    NSDate startOfDay(const NSDate& date) const;
    int daysInMonth(const NSDate& date) const;

    // Seconds east of UTC at that moment.
    int utcOffsetAt(const NSDate& date) const;

    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);

private:
    explicit NSCalendar(std::optional<int> fixedOffset) : fixedOffset_(fixedOffset) {}
    std::optional<int> fixedOffset_;
};
