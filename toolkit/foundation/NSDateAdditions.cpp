#include "toolkit/foundation/NSDateAdditions.h"

#include <cmath>

namespace tt {

NSDate cc_today() { return NSDate::date(); }

NSDate cc_dateForDay(unsigned day, unsigned month, unsigned year) {
  NSDateComponents c;
  c.year = static_cast<int>(year);
  c.month = static_cast<int>(month);
  c.day = static_cast<int>(day);
  return NSCalendar::currentCalendar().dateFromComponents(c);
}

bool cc_isToday(const NSDate& date) {
  if (std::fabs(date.timeIntervalSinceNow()) > 86400) return false;
  NSDateComponents a = cc_componentsForMonthDayAndYear(date);
  NSDateComponents b = cc_componentsForMonthDayAndYear(NSDate::date());
  return a.day == b.day && a.month == b.month && a.year == b.year && a.era == b.era;
}

NSDate cc_dateByMovingToFirstDayOfTheMonth(const NSDate& date) {
  NSDateComponents c = NSCalendar::currentCalendar().components(date);
  return cc_dateForDay(1, static_cast<unsigned>(c.month), static_cast<unsigned>(c.year));
}

NSDate cc_dateByMovingToFirstDayOfThePreviousMonth(const NSDate& date) {
  return cc_dateByMovingToFirstDayOfTheMonth(NSCalendar::currentCalendar().dateByAddingMonths(date, -1));
}

NSDate cc_dateByMovingToFirstDayOfTheFollowingMonth(const NSDate& date) {
  return cc_dateByMovingToFirstDayOfTheMonth(NSCalendar::currentCalendar().dateByAddingMonths(date, 1));
}

NSDate cc_dateByMovingToFirstDayOfTheFollowingMonthWithWeekday(const NSDate& date, unsigned weekday) {
  NSDate first = cc_dateByMovingToFirstDayOfTheFollowingMonth(date);
  int k = cc_weekday(first);
  int days = (static_cast<int>(weekday) + 7 - k) % 7;
  return NSCalendar::currentCalendar().dateByAddingDays(first, days);
}

NSDateComponents cc_componentsForMonthDayAndYear(const NSDate& date) {
  return NSCalendar::currentCalendar().components(date);
}

int cc_day(const NSDate& date) { return cc_componentsForMonthDayAndYear(date).day; }

int cc_weekday(const NSDate& date) { return cc_componentsForMonthDayAndYear(date).weekday; }

int cc_numberOfDaysInMonth(const NSDate& date) { return NSCalendar::currentCalendar().daysInMonth(date); }

}  // namespace tt
