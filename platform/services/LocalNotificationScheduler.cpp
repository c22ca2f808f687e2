#include "platform/services/LocalNotificationScheduler.h"

#include <algorithm>
#include <cstring>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/services/DesktopCommand.h"

namespace {
constexpr char kMagic[4] = {'L', 'N', 'S', '1'};

bool sameNotification(const UILocalNotification& a, const UILocalNotification& b) {
  return a.toValue() == b.toValue();
}
}  // namespace

LocalNotificationScheduler& LocalNotificationScheduler::shared() {
  static LocalNotificationScheduler scheduler;
  return scheduler;
}

std::string LocalNotificationScheduler::scheduleFilePath() { return Paths::config() + "/local-notifications"; }

void LocalNotificationScheduler::loadIfNeeded() {
  if (loaded_) return;
  loaded_ = true;
  auto bytes = NSFileManager::defaultManager().contentsAtPath(scheduleFilePath());
  if (!bytes) return;
  if (bytes->size() < sizeof kMagic || std::memcmp(bytes->data(), kMagic, sizeof kMagic) != 0) {
    NSLog("Local notifications: ignoring a schedule file of unknown format");
    return;
  }
  std::string reason;
  auto root = Value::decode(bytes->data() + sizeof kMagic, bytes->size() - sizeof kMagic, &reason);
  const Value::Array* list = root ? root->array() : nullptr;
  if (!list) {
    NSLog("Local notifications: the schedule file is damaged (%@); starting empty", reason);
    return;
  }
  NSDate now = NSDate::date();
  bool changed = false;
  for (const Value& v : *list) {
    auto n = UILocalNotification::fromValue(v);
    if (!n || !n->fireDate()) {
      changed = true;
      continue;
    }
    if (n->fireDate()->timeIntervalSince1970() <= now.timeIntervalSince1970()) {
      auto next = n->nextFireDateAfter(now);
      changed = true;
      if (!next) continue;  // a one-off whose time passed while the program was not running
      n->setFireDate(next);
    }
    entries_.push_back({nextId_++, *n});
  }
  for (auto& e : entries_) arm(e);
  if (changed) save();
}

void LocalNotificationScheduler::arm(Entry& entry) {
  double delay = entry.notification.fireDate()->timeIntervalSinceNow();
  uint64_t id = entry.id;
  entry.timer = RunLoop::main().addTimer(std::max(0.0, delay), [this, id] { fire(id); }, this);
}

void LocalNotificationScheduler::fire(uint64_t id) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
  if (it == entries_.end()) return;
  UILocalNotification delivered = it->notification;
  if (auto next = it->notification.nextFireDateAfter(NSDate::date())) {
    it->notification.setFireDate(next);
    arm(*it);
  } else {
    entries_.erase(it);
  }
  save();
  deliver(delivered);
}

void LocalNotificationScheduler::deliver(const UILocalNotification& n) {
  if (desktop_ && !n.alertBody().empty() && DesktopCommand::exists("notify-send")) {
    // "--" ends the options: a body beginning with "-" stays text.
    if (!DesktopCommand::launch({"notify-send", "--app-name=Lumeno", "--", "Lumeno", n.alertBody()}))
      NSLog("Local notifications: notify-send could not be started");
  }
  if (handler_) handler_(n);
}

bool LocalNotificationScheduler::add(const UILocalNotification& notification) {
  if (!notification.fireDate() || notification.fireDate()->timeIntervalSinceNow() <= 0) {
    // Due already: delivered at once, never pending.
    presentLocalNotificationNow(notification);
    return false;
  }
  entries_.push_back({nextId_++, notification});
  arm(entries_.back());
  return true;
}

void LocalNotificationScheduler::scheduleLocalNotification(const UILocalNotification& notification) {
  loadIfNeeded();
  if (add(notification)) save();
}

void LocalNotificationScheduler::setScheduledLocalNotifications(const std::vector<UILocalNotification>& notifications) {
  loadIfNeeded();
  cancelAllTimers();
  for (const UILocalNotification& n : notifications) add(n);
  save();
}

void LocalNotificationScheduler::presentLocalNotificationNow(const UILocalNotification& notification) {
  RunLoop::main().post([this, notification] { deliver(notification); });
}

void LocalNotificationScheduler::cancelAllTimers() {
  for (auto& e : entries_) RunLoop::main().cancelTimer(e.timer);
  entries_.clear();
}

void LocalNotificationScheduler::cancelAllLocalNotifications() {
  loadIfNeeded();
  cancelAllTimers();
  save();
}

void LocalNotificationScheduler::cancelLocalNotification(const UILocalNotification& notification) {
  loadIfNeeded();
  auto it = std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
    if (!sameNotification(e.notification, notification)) return false;
    RunLoop::main().cancelTimer(e.timer);
    return true;
  });
  entries_.erase(it, entries_.end());
  save();
}

std::vector<UILocalNotification> LocalNotificationScheduler::scheduledLocalNotifications() {
  loadIfNeeded();
  std::vector<UILocalNotification> out;
  for (const auto& e : entries_) out.push_back(e.notification);
  return out;
}

void LocalNotificationScheduler::save() const {
  Value::Array list;
  for (const auto& e : entries_) list.push_back(e.notification.toValue());
  std::vector<uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
  Value(std::move(list)).encode(bytes);
  std::string error;
  if (!NSFileManager::defaultManager().writeAtomically(scheduleFilePath(), bytes, &error))
    NSLog("Local notifications: cannot save the schedule: %@", error);
}

void LocalNotificationScheduler::resetForTesting() {
  cancelAllTimers();
  loaded_ = false;
  handler_ = nullptr;
  desktop_ = true;
}
