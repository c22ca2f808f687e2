#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/foundation/RunLoop.h"
#include "toolkit/foundation/NSDate+TTCategory.h"
#include "toolkit/foundation/NSDateAdditions.h"

namespace {
NSDate utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  NSDateComponents c;
  c.year = y, c.month = mo, c.day = d, c.hour = h, c.minute = mi, c.second = s;
  return NSCalendar::withUtcOffset(0).dateFromComponents(c);
}

// Wednesday 2025-03-12 15:30:00 UTC, on the virtual wall clock, in the UTC time zone.
class DateCategoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    RunLoop::main().useVirtualClock();
    RunLoop::main().setWallClock(now.timeIntervalSince1970());
  }
  NSDate ago(double seconds) const { return now.dateByAddingTimeInterval(-seconds); }
  const NSDate now = utc(2025, 3, 12, 15, 30, 0);
};
}  // namespace

TEST_F(DateCategoryTest, RelativeTimeBands) {
  struct Case { double secondsAgo; const char* text; } cases[] = {
      {0, "just a moment ago"},      {1, "just a moment ago"},    {2, "2 seconds ago"},
      {59, "59 seconds ago"},        {60, "about a minute ago"},  {119, "about a minute ago"},
      {120, "2 minutes ago"},        {3599, "59 minutes ago"},    {3600, "about an hour ago"},
      {5399, "about an hour ago"},   {5400, "2 hours ago"},       {86399, "24 hours ago"},
      {-120, "2 minutes ago"},       {1.9, "just a moment ago"},  {86400, "Tue 3:30 PM"},
  };
  for (const auto& c : cases) EXPECT_EQ(tt::formatRelativeTime(ago(c.secondsAgo)), c.text) << c.secondsAgo;
}

TEST_F(DateCategoryTest, ShortTimeAndDateTimeSwitchAtADayAndAWeek) {
  EXPECT_EQ(tt::formatShortTime(ago(86399)), "3:30 PM");
  EXPECT_EQ(tt::formatShortTime(ago(86400)), "Tuesday");
  EXPECT_EQ(tt::formatShortTime(ago(604799)), "Wednesday");
  EXPECT_EQ(tt::formatShortTime(ago(604800)), "3/5/25");
  EXPECT_EQ(tt::formatDateTime(ago(604799)), "Wed 3:30 PM");
  EXPECT_EQ(tt::formatDateTime(ago(604800)), "Mar 5 3:30 PM");
  EXPECT_EQ(tt::formatDate(now), "Wednesday, March 12, 2025");
  EXPECT_EQ(tt::formatTime(utc(2025, 3, 12, 0, 5)), "12:05 AM");
}

TEST_F(DateCategoryTest, DayLabelsAndBoundaries) {
  NSDateComponents today = NSCalendar::currentCalendar().components(now);
  NSDateComponents yesterday = NSCalendar::currentCalendar().components(ago(86400));
  EXPECT_EQ(tt::formatDay(utc(2025, 3, 12, 0, 1), today, yesterday), "Today");
  EXPECT_EQ(tt::formatDay(utc(2025, 3, 11, 23, 59), today, yesterday), "Yesterday");
  EXPECT_EQ(tt::formatDay(utc(2025, 3, 10, 12), today, yesterday), "March 10");

  EXPECT_EQ(tt::dateAtMidnight(now), utc(2025, 3, 12));
  EXPECT_EQ(tt::dateWithToday(), utc(2025, 3, 12));
  EXPECT_EQ(tt::dateJustBeforeEndOfDay(now), utc(2025, 3, 12, 23, 59, 59));
}

TEST_F(DateCategoryTest, MidnightByWayOfEnglishDateTexts) {
  EXPECT_EQ(tt::dateAtMidnightWithUKLocale(now), utc(2025, 3, 12));
  // A formatter keeps what its pattern writes: the day alone, or the day and the hour.
  struct Case { const char* pattern; NSDate expected; } cases[] = {
      {"yyyy-MM-dd", utc(2025, 3, 12)},
      {"d MMMM yyyy", utc(2025, 3, 12)},
      {"EEE, MMM d, yy", utc(2025, 3, 12)},
      {"dd/MM/yyyy h a", utc(2025, 3, 12, 15)},
      {"'day' d 'of' M, yyyy HH:mm:ss", utc(2025, 3, 12, 15, 30)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tt::dateAtMidnightWithUKLocale(now, NSDateFormatter(c.pattern)), c.expected) << c.pattern;
  // A pattern that keeps no whole date cannot be read back to one.
  EXPECT_EQ(tt::dateAtMidnightWithUKLocale(now, NSDateFormatter("MMMM d")), utc(1970, 3, 12));
  EXPECT_EQ(tt::dateAtMidnightWithUKLocale(now, NSDateFormatter("Z")), std::nullopt);
}

TEST_F(DateCategoryTest, FormatterTextsThatDoNotFitThePatternReadAsNone) {
  const NSDateFormatter formatter("yyyy-MM-dd");
  for (const char* text : {"", "2025-03", "2025-03-12x", "2025/03/12", "2025-02-30", "2025-13-01", "abcd-03-12"})
    EXPECT_EQ(formatter.dateFromString(text), std::nullopt) << text;
  EXPECT_EQ(NSDateFormatter("h:mm a").dateFromString("13:05 PM"), std::nullopt);
  EXPECT_EQ(NSDateFormatter("h:mm a").dateFromString("12:05 AM"), utc(1970, 1, 1, 0, 5));
}

TEST_F(DateCategoryTest, CalendarAdditions) {
  EXPECT_TRUE(tt::cc_isToday(ago(15 * 3600)));   // 00:30 the same day
  EXPECT_FALSE(tt::cc_isToday(ago(16 * 3600)));  // 23:30 the day before
  EXPECT_FALSE(tt::cc_isToday(utc(2024, 3, 12, 15, 30)));
  EXPECT_EQ(tt::cc_dateForDay(29, 2, 2024), utc(2024, 2, 29));
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfTheMonth(now), utc(2025, 3, 1));
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfThePreviousMonth(utc(2025, 3, 31)), utc(2025, 2, 1));
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfTheFollowingMonth(utc(2025, 12, 31)), utc(2026, 1, 1));
  // 1 April 2025 is a Tuesday (weekday 3).
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfTheFollowingMonthWithWeekday(now, 3), utc(2025, 4, 1));
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfTheFollowingMonthWithWeekday(now, 2), utc(2025, 4, 7));
  EXPECT_EQ(tt::cc_dateByMovingToFirstDayOfTheFollowingMonthWithWeekday(now, 1), utc(2025, 4, 6));
  EXPECT_EQ(tt::cc_day(now), 12);
  EXPECT_EQ(tt::cc_weekday(now), 4);
  EXPECT_EQ(tt::cc_numberOfDaysInMonth(utc(2024, 2, 10)), 29);
}
