#include "ShellFixture.h"

#include <cstdlib>
#include <ctime>

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/LocalNotificationScheduler.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UINavigationController.h"

void collectViews(UIView* root, std::vector<UIView*>& out) {
    out.push_back(root);
    for (const auto& child : root->subviews()) collectViews(child.get(), out);
}

void ShellTest::SetUp() {
    setenv("TZ", "UTC", 1);
    tzset();
    RunLoop::main().useVirtualClock();
    setNow(2026, 12, 16, 10);  // a Wednesday
    BackendOptions{}.apply();
    backend = std::make_unique<HeadlessBackend>();
    backend->attach();
    LocalNotificationScheduler::shared().setDesktopNotificationsEnabled(false);
    registerPlaceholderScreens();
}

void ShellTest::TearDown() {
    if (launched) terminate();
    LocalNotificationScheduler::shared().setDeliveryHandler(nullptr);
    UIApplication::sharedApplication().setDelegate(nullptr);
    shell.reset();
    RunLoop::main().resetForTesting();
}

bool ShellTest::launch(const std::string& url) {
    if (launched) terminate();
    UIApplication& app = UIApplication::sharedApplication();
    shell.reset();
    shell = std::make_unique<LumenoAppShell>();
    app.setDelegate(shell.get());
    LocalNotificationScheduler::shared().setDeliveryHandler(
        [&app](const UILocalNotification& n) { app.deliverLocalNotification(n); });
    UIApplicationLaunchOptions options;
    options.url = url;
    bool ok = app.launch(options);
    launched = true;
    backend->runUntilIdle();
    return ok;
}

void ShellTest::terminate() {
    UIApplication::sharedApplication().terminate();
    launched = false;
}

NSDate ShellTest::dateAt(int year, int month, int day, int hour, int minute) {
    NSDateComponents c;
    c.year = year;
    c.month = month;
    c.day = day;
    c.hour = hour;
    c.minute = minute;
    return NSCalendar::currentCalendar().dateFromComponents(c);
}

void ShellTest::setNow(int year, int month, int day, int hour, int minute) {
    RunLoop::main().setWallClock(dateAt(year, month, day, hour, minute).timeIntervalSince1970());
}

PlaceholderIndexViewController* ShellTest::index() const {
    return dynamic_cast<PlaceholderIndexViewController*>(shell->getIndexViewController());
}

void ShellTest::tapTab(int i) {
    backend->tap(CGPointMake(40 + 80 * i, 455));
    backend->runUntilIdle();
}

void ShellTest::dismissDialogs() {
    for (auto* alert : dialogs<UIAlertView>()) alert->dismissWithClickedButtonIndex(0, false);
    for (auto* sheet : dialogs<UIActionSheet>()) sheet->dismissWithClickedButtonIndex(sheet->cancelButtonIndex(), false);
    backend->runUntilIdle();
}
