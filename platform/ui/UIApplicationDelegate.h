#pragma once
// The application's delegate: life-cycle calls. Every method has an empty
// default. Selectors of the form application:xxx: keep their later keywords
// (applicationDidFinishLaunchingWithOptions, applicationHandleOpenURL ...).

#include <memory>
#include <string>

class UIApplication;
class UIEvent;
class UILocalNotification;  // defined by the services layer

struct UIApplicationLaunchOptions {
    // A link given at start ("lumeno://..."), empty when none.
    std::string url;
    // The local notification the program was started from, if any.
    std::shared_ptr<UILocalNotification> localNotification;
};

class UIApplicationDelegate {
public:
    virtual ~UIApplicationDelegate() = default;

    virtual bool applicationDidFinishLaunchingWithOptions(UIApplication& app, const UIApplicationLaunchOptions& options) {
        return true;
    }
    virtual void applicationWillResignActive(UIApplication& app) {}
    virtual void applicationDidBecomeActive(UIApplication& app) {}
    virtual void applicationDidEnterBackground(UIApplication& app) {}
    virtual void applicationWillEnterForeground(UIApplication& app) {}
    virtual void applicationWillTerminate(UIApplication& app) {}
    virtual void applicationDidReceiveMemoryWarning(UIApplication& app) {}
    // Returns whether the link was handled.
    virtual bool applicationHandleOpenURL(UIApplication& app, const std::string& url) { return false; }
    virtual void applicationDidReceiveLocalNotification(UIApplication& app, const UILocalNotification& notification) {}
    // Remote-control events that no responder before the delegate took.
    virtual void remoteControlReceivedWithEvent(UIEvent* event) {}
};
