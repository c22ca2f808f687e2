#pragma once
// Calendar arithmetic on dates in the local time zone (Gregorian).

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"

namespace tt {

NSDate cc_today();
NSDate cc_dateForDay(unsigned day, unsigned month, unsigned year);
// Same calendar day (and era) as now, and no more than a day away.
bool cc_isToday(const NSDate& date);
NSDate cc_dateByMovingToFirstDayOfTheMonth(const NSDate& date);
NSDate cc_dateByMovingToFirstDayOfThePreviousMonth(const NSDate& date);
NSDate cc_dateByMovingToFirstDayOfTheFollowingMonth(const NSDate& date);
// The first day on or after the start of the following month that falls on weekday (1 = Sunday).
NSDate cc_dateByMovingToFirstDayOfTheFollowingMonthWithWeekday(const NSDate& date, unsigned weekday);
NSDateComponents cc_componentsForMonthDayAndYear(const NSDate& date);
int cc_day(const NSDate& date);
int cc_weekday(const NSDate& date);
int cc_numberOfDaysInMonth(const NSDate& date);

}  // namespace tt
