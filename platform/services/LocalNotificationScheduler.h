#pragma once
// Pending local notifications, kept in a schedule file so they survive a restart. While the
// program runs, each is delivered on the run loop's clock: the delivery handler (connected by
// the application layer to the delegate's didReceiveLocalNotification) gets it, and the
// desktop shows it where `notify-send` exists.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/services/UILocalNotification.h"

class LocalNotificationScheduler {
 public:
  static LocalNotificationScheduler& shared();

  // Loads the schedule file (once, on first use): past one-off notifications are dropped,
  // repeating ones move to their next date.
  void scheduleLocalNotification(const UILocalNotification& notification);
  void presentLocalNotificationNow(const UILocalNotification& notification);
  void cancelAllLocalNotifications();
  // Replaces every pending notification by these, with one write of the schedule file.
  void setScheduledLocalNotifications(const std::vector<UILocalNotification>& notifications);
  // Cancels those equal in fire date, body and user info.
  void cancelLocalNotification(const UILocalNotification& notification);
  std::vector<UILocalNotification> scheduledLocalNotifications();

  using DeliveryHandler = std::function<void(const UILocalNotification&)>;
  void setDeliveryHandler(DeliveryHandler handler) { handler_ = std::move(handler); }
  // Desktop notifications through `notify-send` (on by default).
  void setDesktopNotificationsEnabled(bool on) { desktop_ = on; }

  // The schedule file: "<config>/local-notifications".
  static std::string scheduleFilePath();
  // Forgets the loaded state so that the next use reads the file again (tests).
  void resetForTesting();

 private:
  struct Entry {
    uint64_t id;
    UILocalNotification notification;
    RunLoop::TimerId timer = 0;
  };
  LocalNotificationScheduler() = default;
  void loadIfNeeded();
  // Adds a pending notification, or delivers one already due; true when one was added.
  bool add(const UILocalNotification& notification);
  void cancelAllTimers();
  void arm(Entry& entry);
  void fire(uint64_t id);
  void deliver(const UILocalNotification& notification);
  void save() const;

  bool loaded_ = false;
  uint64_t nextId_ = 1;
  std::vector<Entry> entries_;
  DeliveryHandler handler_;
  bool desktop_ = true;
};
