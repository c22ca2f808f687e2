#include <gtest/gtest.h>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "tests/platform/services/ServicesTestSupport.h"

namespace {

constexpr double kStart = 1'780'000'000;  // a fixed wall-clock origin for the virtual clock

class LocalNotificationTest : public ::testing::Test {
 protected:
  LocalNotificationScheduler& scheduler = LocalNotificationScheduler::shared();
  std::vector<UILocalNotification> delivered;
  void SetUp() override {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    RunLoop::main().setWallClock(kStart);
    std::string ignored;
    (void)NSFileManager::defaultManager().removeItemAtPath(LocalNotificationScheduler::scheduleFilePath(), &ignored);
    scheduler.resetForTesting();
    connect();
  }
  void TearDown() override {
    scheduler.resetForTesting();
    RunLoop::main().resetForTesting();
  }
  void connect() {
    scheduler.setDesktopNotificationsEnabled(false);
    scheduler.setDeliveryHandler([this](const UILocalNotification& n) { delivered.push_back(n); });
  }
  static UILocalNotification at(double secondsFromStart, const std::string& body, int repeat = kCalendarUnitNone) {
    UILocalNotification n;
    n.setFireDate(NSDate::dateWithTimeIntervalSince1970(kStart + secondsFromStart));
    n.setTimeZone("local");
    n.setAlertBody(body);
    n.setUserInfo({{"surah", Value(18)}});
    n.setRepeatInterval(repeat);
    return n;
  }
  // As if the program quit and started again: the schedule is read back from its file.
  void restart() {
    scheduler.resetForTesting();
    RunLoop::main().resetForTesting();
    connect();
  }
};

TEST_F(LocalNotificationTest, DeliveredWhenTheClockPassesItsFireDate) {
  scheduler.scheduleLocalNotification(at(3600, "You haven't read Al-Kahf today."));
  scheduler.scheduleLocalNotification(at(7200, "second"));
  ASSERT_EQ(scheduler.scheduledLocalNotifications().size(), 2u);
  RunLoop::main().advance(3600 * 1000 - 1);
  EXPECT_TRUE(delivered.empty());
  RunLoop::main().advance(2);
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered[0].alertBody(), "You haven't read Al-Kahf today.");
  EXPECT_EQ(delivered[0].userInfo().at("surah").intValue(), 18);
  ASSERT_EQ(scheduler.scheduledLocalNotifications().size(), 1u);
  EXPECT_EQ(scheduler.scheduledLocalNotifications()[0].alertBody(), "second");
  scheduler.cancelAllLocalNotifications();
  RunLoop::main().advance(7200 * 1000);
  EXPECT_EQ(delivered.size(), 1u);
}

TEST_F(LocalNotificationTest, PastOrMissingFireDateIsDeliveredAtOnceNotKept) {
  UILocalNotification none;
  none.setAlertBody("now");
  scheduler.scheduleLocalNotification(none);
  scheduler.scheduleLocalNotification(at(-10, "late"));
  EXPECT_TRUE(scheduler.scheduledLocalNotifications().empty());
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(delivered.size(), 2u);
  EXPECT_EQ(delivered[1].alertBody(), "late");
}

TEST_F(LocalNotificationTest, ScheduleSurvivesARestart) {
  scheduler.scheduleLocalNotification(at(600, "one-off"));
  scheduler.scheduleLocalNotification(at(60, "weekly", kCalendarUnitWeek));
  scheduler.scheduleLocalNotification(at(86400 * 3, "later"));
  restart();
  ASSERT_EQ(scheduler.scheduledLocalNotifications().size(), 3u);

  // Quit for a day: the passed one-off is gone, the weekly one moves to its next week.
  restart();
  RunLoop::main().setWallClock(kStart + 86400);
  auto pending = scheduler.scheduledLocalNotifications();
  ASSERT_EQ(pending.size(), 2u);
  EXPECT_EQ(pending[0].alertBody(), "weekly");
  EXPECT_NEAR(pending[0].fireDate()->timeIntervalSince1970(), kStart + 60 + 7 * 86400, 3600.0);  // DST may shift an hour
  EXPECT_EQ(pending[1].alertBody(), "later");
  RunLoop::main().advance(2 * 86400 * 1000.0);
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered[0].alertBody(), "later");
}

TEST_F(LocalNotificationTest, ReplacingThePendingOnesKeepsOnlyTheNewOnesAcrossARestart) {
  scheduler.scheduleLocalNotification(at(600, "old"));
  scheduler.scheduleLocalNotification(at(1200, "older"));
  scheduler.setScheduledLocalNotifications({at(900, "new"), at(-5, "due")});
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(delivered.size(), 1u);  // the due one at once
  EXPECT_EQ(delivered[0].alertBody(), "due");
  restart();
  auto pending = scheduler.scheduledLocalNotifications();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].alertBody(), "new");
  RunLoop::main().advance(1500 * 1000);
  ASSERT_EQ(delivered.size(), 2u);
  EXPECT_EQ(delivered[1].alertBody(), "new");
}

TEST_F(LocalNotificationTest, DamagedScheduleFileStartsEmpty) {
  ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(LocalNotificationScheduler::scheduleFilePath(),
                                                              std::string("LNS1\x09\xff\xff garbage")));
  restart();
  EXPECT_TRUE(scheduler.scheduledLocalNotifications().empty());
  scheduler.scheduleLocalNotification(at(10, "fresh"));
  restart();
  ASSERT_EQ(scheduler.scheduledLocalNotifications().size(), 1u);
}

TEST_F(LocalNotificationTest, DesktopNotificationKeepsTheBodyAsText) {
  FakeDesktop desktop;
  scheduler.setDesktopNotificationsEnabled(true);
  scheduler.scheduleLocalNotification(at(5, "--help"));
  RunLoop::main().advance(5000);
  ASSERT_EQ(desktop.count("notify-send"), 1u);
  const auto& argv = desktop.calls.back().argv;
  ASSERT_GE(argv.size(), 2u);
  EXPECT_EQ(argv.back(), "--help");
  EXPECT_EQ(argv[argv.size() - 3], "--");
  EXPECT_EQ(delivered.size(), 1u);
}

}  // namespace
