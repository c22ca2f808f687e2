#pragma once
// Day boundaries and the texts with which the toolkit shows a time. "Now" is the run loop's
// wall clock; days are those of the local time zone.

#include <optional>
#include <string>

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSDateFormatter.h"

namespace tt {

NSDate dateWithToday();
NSDate dateJustAtStartOfDay(const NSDate& date, const NSCalendar& calendar = NSCalendar::currentCalendar());
NSDate dateJustBeforeEndOfDay(const NSDate& date, const NSCalendar& calendar = NSCalendar::currentCalendar());
NSDate dateAtMidnight(const NSDate& date);
// The same day at 00:00 by way of English ("en_UK") date texts.
NSDate dateAtMidnightWithUKLocale(const NSDate& date);
// The date written with the formatter and read back: what of it the formatter's pattern keeps
// (its day at 00:00 for a pattern of year, month and day); none when the text cannot be read.
std::optional<NSDate> dateAtMidnightWithUKLocale(const NSDate& date, const NSDateFormatter& formatter);

std::string formatTime(const NSDate& date);      // "h:mm a"
std::string formatDate(const NSDate& date);      // "EEEE, LLLL d, yyyy"
std::string formatShortTime(const NSDate& date); // clock time, weekday, or short date by age
std::string formatDateTime(const NSDate& date);  // clock time, weekday and time, or month, day and time
std::string formatRelativeTime(const NSDate& date);
// "Today", "Yesterday" or the month and day, by comparing year, month and day.
std::string formatDay(const NSDate& date, const NSDateComponents& today, const NSDateComponents& yesterday);

}  // namespace tt
