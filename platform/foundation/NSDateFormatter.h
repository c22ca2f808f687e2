#pragma once
// Formats dates with a pattern and English names (the "en_UK" locale), in the calendar's
// time zone. Pattern letters: y yy yyyy, M MM MMM MMMM (L the same), d dd, E EEE EEEE, h hh, H HH,
// m mm, s ss, a, 'literal text' ('' is a quote). Other letters are copied.

#include <optional>
#include <string>

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"

class NSDateFormatter {
public:
    NSDateFormatter();
    explicit NSDateFormatter(std::string pattern);
    void setDateFormat(const std::string& pattern) { pattern_ = pattern; }
    const std::string& dateFormat() const { return pattern_; }
    void setCalendar(const NSCalendar& calendar) { calendar_ = calendar; }
    std::string stringFromDate(const NSDate& date) const;
    // Reads a text written with the pattern back (fields it lacks are those of 1 January 1970,
    // 00:00); none when the text does not fit the pattern or names no real date. "Z" is not read.
    std::optional<NSDate> dateFromString(const std::string& text) const;

    static const char* monthName(int month);       // 1-12: "January"...
    static const char* shortMonthName(int month);  // "Jan"...
    static const char* weekdayName(int weekday);   // 1 = "Sunday"...
    static const char* shortWeekdayName(int weekday);

private:
    std::string pattern_;
    NSCalendar calendar_;
};
