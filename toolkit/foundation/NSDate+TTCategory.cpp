#include "toolkit/foundation/NSDate+TTCategory.h"

#include <cmath>
#include <cstdlib>
#include <map>

#include "platform/foundation/Format.h"
#include "platform/foundation/NSDateFormatter.h"
#include "toolkit/foundation/TTGlobal.h"

namespace {
constexpr long kDay = 86400;
constexpr long kWeek = 604800;

// One formatter per pattern for the life of the process; the pattern may be translated.
std::string formatted(const NSDate& date, const std::string& pattern) {
  static std::map<std::string, NSDateFormatter> formatters;
  auto it = formatters.find(pattern);
  if (it == formatters.end())
    it = formatters.emplace(pattern, NSDateFormatter(TTToolkitLocalizedString(pattern))).first;
  it->second.setCalendar(NSCalendar::currentCalendar());
  return it->second.stringFromDate(date);
}

long elapsedSeconds(const NSDate& date) { return std::labs(static_cast<long>(std::trunc(date.timeIntervalSinceNow()))); }

std::string localizedCount(const char* format, long n) {
  return stringWithFormat(TTToolkitLocalizedString(format).c_str(), static_cast<int>(n));
}

bool sameDay(const NSDateComponents& a, const NSDateComponents& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}
}  // namespace

namespace tt {

NSDate dateWithToday() { return dateAtMidnight(NSDate::date()); }

NSDate dateJustAtStartOfDay(const NSDate& date, const NSCalendar& calendar) { return calendar.startOfDay(date); }

NSDate dateJustBeforeEndOfDay(const NSDate& date, const NSCalendar& calendar) {
  return calendar.dateBySettingHour(23, 59, 59, date);
}

NSDate dateAtMidnight(const NSDate& date) { return NSCalendar::currentCalendar().startOfDay(date); }

NSDate dateAtMidnightWithUKLocale(const NSDate& date) {
  // Date texts are English here whatever the language, so this is the plain midnight.
  return dateAtMidnight(date);
}

std::optional<NSDate> dateAtMidnightWithUKLocale(const NSDate& date, const NSDateFormatter& formatter) {
  return formatter.dateFromString(formatter.stringFromDate(date));
}

std::string formatTime(const NSDate& date) { return formatted(date, "h:mm a"); }

std::string formatDate(const NSDate& date) { return formatted(date, "EEEE, LLLL d, yyyy"); }

std::string formatShortTime(const NSDate& date) {
  long e = elapsedSeconds(date);
  if (e < kDay) return formatTime(date);
  if (e < kWeek) {
    // English weekday names whatever the language, as the weekday formatter is fixed to them.
    static NSDateFormatter weekday("EEEE");
    weekday.setCalendar(NSCalendar::currentCalendar());
    return weekday.stringFromDate(date);
  }
  return formatted(date, "M/d/yy");
}

std::string formatDateTime(const NSDate& date) {
  long e = elapsedSeconds(date);
  if (e < kDay) return formatTime(date);
  if (e < kWeek) return formatted(date, "EEE h:mm a");
  return formatted(date, "MMM d h:mm a");
}

std::string formatRelativeTime(const NSDate& date) {
  long e = elapsedSeconds(date);
  if (e < 2) return TTToolkitLocalizedString("just a moment ago");
  if (e < 60) return localizedCount("%d seconds ago", e);
  if (e < 120) return TTToolkitLocalizedString("about a minute ago");
  if (e < 3600) return localizedCount("%d minutes ago", e / 60);
  if (e < 5400) return TTToolkitLocalizedString("about an hour ago");
  if (e < kDay) return localizedCount("%d hours ago", (e + 1800) / 3600);
  return formatDateTime(date);
}

std::string formatDay(const NSDate& date, const NSDateComponents& today, const NSDateComponents& yesterday) {
  NSDateComponents day = NSCalendar::currentCalendar().components(date);
  if (sameDay(day, today)) return TTToolkitLocalizedString("Today");
  if (sameDay(day, yesterday)) return TTToolkitLocalizedString("Yesterday");
  return formatted(date, "MMMM d");
}

}  // namespace tt
