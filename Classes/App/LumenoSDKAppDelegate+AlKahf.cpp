// The Friday reminder to read chapter 18: three local notifications ahead, and an alert
// while the program is open on a Friday.

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "Classes/Core/Language.h"
#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

constexpr int kFriday = 6;
constexpr const char* kReminderText = "You haven't read Al-Kahf today. Would you like to read it now?";

bool remindedThisFriday = false;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

}  // namespace

void LumenoSDKAppDelegate::SetupAlKahfReminders() {
    initialize();
    LocalNotificationScheduler& scheduler = LocalNotificationScheduler::shared();
    if (!defaults().boolForKey("AlKahfReminders")) {
        scheduler.cancelAllLocalNotifications();
        return;
    }
    if (!IsIPhoneOS4()) return;
    const NSDate now = NSDate::date();
    // Scheduled within the last half hour: the pending reminders stay as they are.
    if (auto last = defaults().dateForKey("LastAlKahfSet"); last && now.timeIntervalSinceDate(*last) < 1800) return;

    const NSCalendar calendar = NSCalendar::currentCalendar();
    const NSDateComponents today = calendar.components(now);
    int days = today.weekday <= kFriday ? kFriday - today.weekday : 6;
    if (days == 0) {
        // Read this Friday from 06:00 and it is past 09:00: start from next Friday.
        if (auto read = defaults().dateForKey("LastFridayRead")) {
            const NSDateComponents r = calendar.components(*read);
            if (r.day == today.day && r.month == today.month && today.hour >= 9 && r.hour >= 6) days = 7;
        }
    }
    defaults().setDate(now, "LastAlKahfSet");
    defaults().synchronize();

    const NSDate first = calendar.dateBySettingHour(15, 0, 0, calendar.dateByAddingDays(now, days));
    const NSDate second = calendar.dateBySettingHour(15, 30, 0, calendar.dateByAddingWeeks(first, 1));
    const NSDate third = calendar.dateBySettingHour(15, 30, 0, calendar.dateByAddingWeeks(second, 1));
    std::vector<UILocalNotification> reminders;
    for (const NSDate& fire : {first, second, third}) {
        // A date already past (Friday after 15:00) is skipped; the later ones still count.
        if (fire <= now) continue;
        UILocalNotification notification;
        notification.setFireDate(fire);
        notification.setTimeZone("local");
        notification.setAlertBody(Language::get(kReminderText, kReminderText));
        notification.setHasAction(false);
        reminders.push_back(notification);
    }
    // The pending reminders are replaced, in one write.
    scheduler.setScheduledLocalNotifications(reminders);
}

void LumenoSDKAppDelegate::RemindAlKahfNow() {
    initialize();
    if (!defaults().boolForKey("AlKahfReminders")) return;
    const NSDate now = NSDate::date();
    const NSDateComponents c = NSCalendar::currentCalendar().components(now);
    if (c.weekday != kFriday) {
        remindedThisFriday = false;
        return;
    }
    if (c.hour < 6 || c.hour > 18 || remindedThisFriday) return;
    if (auto read = defaults().dateForKey("LastFridayRead"); read && now.timeIntervalSinceDate(*read) < 43200) return;
    remindedThisFriday = true;
    auto alert = std::make_shared<UIAlertView>(Language::get("Al-Kahf", "Al-Kahf"), Language::get(kReminderText, kReminderText),
                                               dynamic_cast<UIAlertViewDelegate*>(GetInstance()),
                                               Language::get("No", "No"), std::vector<std::string>{Language::get("Yes", "Yes")});
    alert->setTag(1);
    alert->show();
}

void LumenoSDKAppDelegate::MarkAlKahfRead() {
    initialize();
    if (!defaults().boolForKey("AlKahfReminders")) return;
    const NSDate now = NSDate::date();
    const NSDateComponents c = NSCalendar::currentCalendar().components(now);
    if (c.weekday == kFriday && c.hour >= 6) {
        auto read = defaults().dateForKey("LastFridayRead");
        if (read && now.timeIntervalSinceDate(*read) < 5) return;
        defaults().setDate(now, "LastFridayRead");
        defaults().removeObjectForKey("LastAlKahfSet");
        defaults().synchronize();
    }
    SetupAlKahfReminders();
}

void LumenoSDKAppDelegate::resetReminderStateForTesting() { remindedThisFriday = false; }
