#pragma once
// A local notification: what to show and when. The scheduler keeps the pending ones.

#include <optional>
#include <string>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/Value.h"

// Repeat intervals (calendar units).
enum NSCalendarUnitInterval : int {
  kCalendarUnitNone = 0,
  kCalendarUnitYear = 4,
  kCalendarUnitMonth = 8,
  kCalendarUnitDay = 16,
  kCalendarUnitHour = 32,
  kCalendarUnitMinute = 64,
  kCalendarUnitWeek = 256,
};

class UILocalNotification {
 public:
  // None: delivered as soon as it is scheduled.
  const std::optional<NSDate>& fireDate() const { return fireDate_; }
  void setFireDate(std::optional<NSDate> date) { fireDate_ = date; }

  // The zone the fire date's wall-clock time is read in; empty = absolute time.
  const std::string& timeZone() const { return timeZone_; }
  void setTimeZone(std::string zone) { timeZone_ = std::move(zone); }

  const std::string& alertBody() const { return alertBody_; }
  void setAlertBody(std::string text) { alertBody_ = std::move(text); }
  // The action button's title; empty = the platform's default.
  const std::string& alertAction() const { return alertAction_; }
  void setAlertAction(std::string text) { alertAction_ = std::move(text); }
  bool hasAction() const { return hasAction_; }
  void setHasAction(bool on) { hasAction_ = on; }
  const std::string& soundName() const { return soundName_; }
  void setSoundName(std::string name) { soundName_ = std::move(name); }
  const Value::Map& userInfo() const { return userInfo_; }
  void setUserInfo(Value::Map info) { userInfo_ = std::move(info); }
  int repeatInterval() const { return repeatInterval_; }
  void setRepeatInterval(int unit) { repeatInterval_ = unit; }
  int applicationIconBadgeNumber() const { return badge_; }
  void setApplicationIconBadgeNumber(int n) { badge_ = n; }

  // The next fire date after `date` for a repeating notification; none when it does not repeat.
  std::optional<NSDate> nextFireDateAfter(const NSDate& date) const;

  // Stored form (a Value map) and back; none for a malformed record.
  Value toValue() const;
  static std::optional<UILocalNotification> fromValue(const Value& value);

 private:
  std::optional<NSDate> fireDate_;
  std::string timeZone_;
  std::string alertBody_;
  std::string alertAction_;
  bool hasAction_ = true;
  std::string soundName_;
  Value::Map userInfo_;
  int repeatInterval_ = kCalendarUnitNone;
  int badge_ = 0;
};

inline constexpr const char* UILocalNotificationDefaultSoundName = "UILocalNotificationDefaultSoundName";
