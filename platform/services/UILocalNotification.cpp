#include "platform/services/UILocalNotification.h"

#include <cmath>

#include "platform/foundation/NSCalendar.h"

std::optional<NSDate> UILocalNotification::nextFireDateAfter(const NSDate& date) const {
  if (!fireDate_ || repeatInterval_ == kCalendarUnitNone) return std::nullopt;
  const NSDate first = *fireDate_;
  if (first.timeIntervalSince1970() > date.timeIntervalSince1970()) return first;
  double fixedStep = 0;
  switch (repeatInterval_) {
    case kCalendarUnitMinute: fixedStep = 60; break;
    case kCalendarUnitHour: fixedStep = 3600; break;
    default: break;
  }
  if (fixedStep > 0) {
    double n = std::floor((date.timeIntervalSince1970() - first.timeIntervalSince1970()) / fixedStep) + 1;
    return first.dateByAddingTimeInterval(n * fixedStep);
  }
  NSCalendar cal = NSCalendar::currentCalendar();
  // Whole days/weeks/months from the first date keep its wall-clock time and day of month.
  auto nth = [&](long long k) -> NSDate {
    switch (repeatInterval_) {
      case kCalendarUnitDay: return cal.dateByAddingDays(first, static_cast<int>(k));
      case kCalendarUnitWeek: return cal.dateByAddingWeeks(first, static_cast<int>(k));
      case kCalendarUnitMonth: return cal.dateByAddingMonths(first, static_cast<int>(k));
      case kCalendarUnitYear: return cal.dateByAddingMonths(first, static_cast<int>(k * 12));
      default: return first;
    }
  };
  double span = date.timeIntervalSince1970() - first.timeIntervalSince1970();
  double unitSeconds = repeatInterval_ == kCalendarUnitDay    ? 86400.0
                       : repeatInterval_ == kCalendarUnitWeek ? 604800.0
                       : repeatInterval_ == kCalendarUnitMonth ? 2419200.0  // shortest month
                       : repeatInterval_ == kCalendarUnitYear  ? 31536000.0
                                                               : 0.0;
  if (unitSeconds == 0) return std::nullopt;
  long long k = std::max(1LL, static_cast<long long>(span / unitSeconds) - 1);
  while (k > 1 && nth(k - 1).timeIntervalSince1970() > date.timeIntervalSince1970()) --k;
  for (int guard = 0; guard < 1000; ++guard, ++k) {
    NSDate next = nth(k);
    if (next.timeIntervalSince1970() > date.timeIntervalSince1970()) return next;
  }
  return std::nullopt;
}

Value UILocalNotification::toValue() const {
  Value::Map m;
  if (fireDate_) m["fireDate"] = Value(fireDate_->timeIntervalSince1970());
  m["timeZone"] = Value(timeZone_);
  m["alertBody"] = Value(alertBody_);
  m["alertAction"] = Value(alertAction_);
  m["hasAction"] = Value(hasAction_);
  m["soundName"] = Value(soundName_);
  m["userInfo"] = Value(userInfo_);
  m["repeatInterval"] = Value(repeatInterval_);
  m["badge"] = Value(badge_);
  return Value(std::move(m));
}

std::optional<UILocalNotification> UILocalNotification::fromValue(const Value& value) {
  const Value::Map* m = value.map();
  if (!m) return std::nullopt;
  UILocalNotification n;
  const Value& fire = value["fireDate"];
  if (!fire.isNull()) {
    if (!fire.isNumber() || !std::isfinite(fire.doubleValue())) return std::nullopt;
    n.fireDate_ = NSDate::dateWithTimeIntervalSince1970(fire.doubleValue());
  }
  auto text = [&](const char* key) {
    const std::string* s = value[key].string();
    return s ? *s : std::string();
  };
  n.timeZone_ = text("timeZone");
  n.alertBody_ = text("alertBody");
  n.alertAction_ = text("alertAction");
  n.soundName_ = text("soundName");
  n.hasAction_ = value["hasAction"].isNull() ? true : value["hasAction"].boolValue();
  if (const Value::Map* info = value["userInfo"].map()) n.userInfo_ = *info;
  n.repeatInterval_ = value["repeatInterval"].intValue();
  n.badge_ = value["badge"].intValue();
  return n;
}
