#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDateFormatter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/foundation/RunLoop.h"

namespace {

const NSCalendar utc = NSCalendar::withUtcOffset(0);

NSDate at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, const NSCalendar& cal = utc)
{
    NSDateComponents c;
    c.year = y, c.month = mo, c.day = d, c.hour = h, c.minute = mi, c.second = s;
    return cal.dateFromComponents(c);
}

TEST(Calendar, ComponentsOfKnownDates)
{
    struct Case {
        double seconds;
        int year, month, day, hour, minute, second, weekday, week;
    } cases[] = {
        {0, 1970, 1, 1, 0, 0, 0, 5, 1},                       // a Thursday
        {1736157600, 2025, 1, 6, 10, 0, 0, 2, 2},              // Monday
        {951782400, 2000, 2, 29, 0, 0, 0, 3, 10},              // leap day, Tuesday
        {-86400, 1969, 12, 31, 0, 0, 0, 4, 53},                // before 1970
        {1735689599, 2024, 12, 31, 23, 59, 59, 3, 53},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        const NSDateComponents k = utc.components(NSDate::dateWithTimeIntervalSince1970(c.seconds));
        EXPECT_EQ(k.year, c.year);
        EXPECT_EQ(k.month, c.month);
        EXPECT_EQ(k.day, c.day);
        EXPECT_EQ(k.hour, c.hour);
        EXPECT_EQ(k.minute, c.minute);
        EXPECT_EQ(k.second, c.second);
        EXPECT_EQ(k.weekday, c.weekday);
        EXPECT_EQ(k.weekOfYear, c.week);
        EXPECT_EQ(utc.dateFromComponents(k).timeIntervalSince1970(), c.seconds);
    }
}

TEST(Calendar, ArithmeticAcrossMonthAndYearEnds)
{
    struct Case {
        NSDate got, want;
    } cases[] = {
        {utc.dateByAddingDays(at(2024, 12, 31, 18), 1), at(2025, 1, 1, 18)},
        {utc.dateByAddingDays(at(2023, 2, 28, 9), 1), at(2023, 3, 1, 9)},
        {utc.dateByAddingDays(at(2024, 2, 28, 9), 1), at(2024, 2, 29, 9)},
        {utc.dateByAddingDays(at(2024, 3, 1), -1), at(2024, 2, 29)},
        {utc.dateByAddingWeeks(at(2025, 1, 27, 12), 1), at(2025, 2, 3, 12)},
        {utc.dateByAddingMonths(at(2024, 1, 31), 1), at(2024, 2, 29)},
        {utc.dateByAddingMonths(at(2023, 1, 31), 1), at(2023, 2, 28)},
        {utc.dateByAddingMonths(at(2024, 11, 30), 3), at(2025, 2, 28)},
        {utc.dateByAddingMonths(at(2024, 3, 31), -1), at(2024, 2, 29)},
        {utc.dateBySettingHour(18, 30, 0, at(2025, 1, 10, 7, 45, 12)), at(2025, 1, 10, 18, 30, 0)},
        {utc.startOfDay(at(2025, 1, 10, 7, 45, 12)), at(2025, 1, 10)},
        {at(2025, 13, 1), at(2026, 1, 1)}, // out-of-range fields carry over
        {at(2025, 3, 0), at(2025, 2, 28)},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].got, cases[i].want);
    }
    EXPECT_EQ(utc.daysInMonth(at(2100, 2, 10)), 28);
    EXPECT_EQ(utc.daysInMonth(at(2000, 2, 10)), 29);
}

TEST(Calendar, LocalTimeZoneAndFixedOffsetAgree)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "<+03>-3", 1); // three hours east, no daylight saving
    tzset();
    const NSCalendar local = NSCalendar::currentCalendar();
    const NSCalendar east3 = NSCalendar::withUtcOffset(3 * 3600);
    const NSDate late = NSDate::dateWithTimeIntervalSince1970(1736197200); // 2025-01-06 21:00 UTC
    EXPECT_EQ(local.utcOffsetAt(late), 3 * 3600);
    const NSDateComponents c = local.components(late);
    EXPECT_EQ(c.day, 7);
    EXPECT_EQ(c.hour, 0);
    EXPECT_EQ(c.weekday, 3); // already Tuesday in that zone
    EXPECT_EQ(local.dateFromComponents(c), late);
    EXPECT_EQ(east3.components(late).day, 7);
    EXPECT_EQ(local.dateBySettingHour(12, 0, 0, late), at(2025, 1, 7, 9));
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(DateFormatter, PatternsWithEnglishNames)
{
    const NSDate d = at(2025, 1, 6, 15, 5, 9);
    struct Case {
        const char* pattern;
        const char* want;
    } cases[] = {
        {"h:mm a", "3:05 PM"},
        {"EEEE", "Monday"},
        {"M/d/yy", "1/6/25"},
        {"EEE, d MMM yyyy HH:mm:ss Z", "Mon, 6 Jan 2025 15:05:09 +0000"},
        {"MMMM dd", "January 06"},
        {"'at' h 'o''clock'", "at 3 o'clock"},
        {"hh:mm a", "03:05 PM"},
    };
    NSDateFormatter f;
    f.setCalendar(utc);
    for (const auto& c : cases) {
        f.setDateFormat(c.pattern);
        EXPECT_EQ(f.stringFromDate(d), c.want) << c.pattern;
    }
    f.setDateFormat("h:mm a");
    EXPECT_EQ(f.stringFromDate(at(2025, 1, 6, 0, 15)), "12:15 AM");
    EXPECT_EQ(f.stringFromDate(at(2025, 1, 6, 12, 0)), "12:00 PM");
}

TEST(DateFormatter, NowFollowsTheVirtualWallClock)
{
    RunLoop& loop = RunLoop::main();
    loop.useVirtualClock();
    loop.setWallClock(at(2025, 1, 10, 11, 59, 0).timeIntervalSince1970()); // a Friday
    NSDateFormatter f("EEEE h:mm a");
    f.setCalendar(utc);
    EXPECT_EQ(f.stringFromDate(NSDate::date()), "Friday 11:59 AM");
    loop.advance(2 * 60 * 1000);
    EXPECT_EQ(f.stringFromDate(NSDate::date()), "Friday 12:01 PM");
    EXPECT_EQ(utc.components(NSDate::date()).weekday, 6);
}

} // namespace
