// The Friday reminder: fire dates, the half-hour window, the alert on Fridays and delivery.

#include "ShellFixture.h"

#include "platform/foundation/NSUserDefaults.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

std::vector<NSDate> pendingDates() {
    std::vector<NSDate> dates;
    for (const auto& n : LocalNotificationScheduler::shared().scheduledLocalNotifications())
        if (n.fireDate()) dates.push_back(*n.fireDate());
    std::sort(dates.begin(), dates.end());
    return dates;
}

struct FireCase {
    const char* name;
    int day, hour, minute;  // of December 2026 (the 11th and 18th are Fridays)
    int readDay, readHour;  // chapter 18 read on a Friday (0: never)
    std::vector<int> expected;  // day, hour, minute of each pending reminder
};

class FireDateTest : public ShellTest, public ::testing::WithParamInterface<FireCase> {};

}  // namespace

TEST_P(FireDateTest, ThreeFridaysAhead) {
    const FireCase& c = GetParam();
    setNow(2026, 12, c.day, c.hour, c.minute);
    if (c.readDay) defaults().setDate(dateAt(2026, 12, c.readDay, c.readHour), "LastFridayRead");
    LumenoSDKAppDelegate::SetupAlKahfReminders();
    std::vector<NSDate> expected;
    for (size_t i = 0; i + 2 < c.expected.size() + 1; i += 3) {
        int day = c.expected[i], hour = c.expected[i + 1], minute = c.expected[i + 2];
        expected.push_back(day > 31 ? dateAt(2027, 1, day - 31, hour, minute) : dateAt(2026, 12, day, hour, minute));
    }
    EXPECT_EQ(pendingDates(), expected);
    for (const auto& n : LocalNotificationScheduler::shared().scheduledLocalNotifications())
        EXPECT_EQ(n.alertBody(), "You haven't read Al-Kahf today. Would you like to read it now?");
}

INSTANTIATE_TEST_SUITE_P(
    Launches, FireDateTest,
    ::testing::Values(FireCase{"Saturday1000", 12, 10, 0, 0, 0, {18, 15, 0, 25, 15, 30, 32, 15, 30}},
                      FireCase{"Wednesday2200", 16, 22, 0, 0, 0, {18, 15, 0, 25, 15, 30, 32, 15, 30}},
                      FireCase{"Thursday0500", 17, 5, 0, 0, 0, {18, 15, 0, 25, 15, 30, 32, 15, 30}},
                      FireCase{"Friday1000ReadAt0800", 18, 10, 0, 18, 8, {25, 15, 0, 32, 15, 30, 39, 15, 30}},
                      FireCase{"Friday0830ReadAt0700", 18, 8, 30, 18, 7, {18, 15, 0, 25, 15, 30, 32, 15, 30}},
                      FireCase{"Friday1000ReadLastWeek", 18, 10, 0, 11, 8, {18, 15, 0, 25, 15, 30, 32, 15, 30}},
                      // The first date has passed: skipped, the later ones still pending.
                      FireCase{"Friday1600", 18, 16, 0, 0, 0, {25, 15, 30, 32, 15, 30}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, RescheduleWithinHalfAnHourKeepsThePendingReminders) {
    setNow(2026, 12, 12, 10);
    LumenoSDKAppDelegate::SetupAlKahfReminders();
    const auto first = pendingDates();
    ASSERT_EQ(first.size(), 3u);
    setNow(2026, 12, 12, 10, 20);
    LumenoSDKAppDelegate::SetupAlKahfReminders();
    EXPECT_EQ(pendingDates(), first);
    // Switched off: everything pending goes.
    defaults().setBool(false, "AlKahfReminders");
    LumenoSDKAppDelegate::SetupAlKahfReminders();
    EXPECT_TRUE(pendingDates().empty());
}

TEST_F(ShellTest, ReadingOnFridayMovesTheFirstReminderToNextWeek) {
    setNow(2026, 12, 18, 10);
    LumenoSDKAppDelegate::SetupAlKahfReminders();
    ASSERT_EQ(pendingDates().front(), dateAt(2026, 12, 18, 15));
    LumenoSDKAppDelegate::MarkAlKahfRead();  // inside the half hour: the reading forces a new schedule
    EXPECT_EQ(pendingDates().front(), dateAt(2026, 12, 25, 15));
    EXPECT_EQ(defaults().dateForKey("LastFridayRead"), dateAt(2026, 12, 18, 10));
}

TEST_F(ShellTest, FridayAlertShowsOncePerRunBetweenSixAndNineteen) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    struct Case {
        int day, hour, minute;
        size_t alerts;
    } cases[] = {{18, 5, 59, 0}, {18, 19, 0, 0}, {18, 18, 59, 1}, {18, 18, 59, 1}, {17, 12, 0, 1}, {18, 12, 0, 2}};
    for (const Case& c : cases) {
        setNow(2026, 12, c.day, c.hour, c.minute);
        LumenoSDKAppDelegate::RemindAlKahfNow();
        backend->runUntilIdle();
        EXPECT_EQ(dialogs<UIAlertView>().size(), c.alerts) << c.day << " " << c.hour << ":" << c.minute;
    }
    auto alert = dialogs<UIAlertView>().back();
    EXPECT_EQ(alert->title(), "Al-Kahf");
    EXPECT_EQ(alert->tag(), 1);
    alert->clickButtonAtIndex(1);  // "Yes"
    backend->runUntilIdle();
    EXPECT_EQ(index()->shownSurah(), 18);
    EXPECT_EQ(index()->shownVerse(), 1);
}

TEST_F(ShellTest, NoAlertWithinTwelveHoursOfAReading) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    defaults().setDate(dateAt(2026, 12, 18, 7), "LastFridayRead");
    setNow(2026, 12, 18, 18);
    LumenoSDKAppDelegate::RemindAlKahfNow();
    EXPECT_TRUE(dialogs<UIAlertView>().empty());
}

TEST_F(ShellTest, DueReminderOpensChapter18InTheProgram) {
    setNow(2026, 12, 18, 14, 59);
    ASSERT_TRUE(launch());
    dismissDialogs();
    shell->showSurahView(2, 5, false, false);
    advanceSeconds(61);
    EXPECT_EQ(index()->shownSurah(), 18);
    EXPECT_EQ(index()->shownVerse(), 1);
    EXPECT_EQ(pendingDates().size(), 2u);
}
