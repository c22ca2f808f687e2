#pragma once
// The application object: delegate life cycle, windows, event dispatch (with a
// hook that may swallow events), first responder, status bar and orientation,
// idle timer, network activity indicator, remote control, background tasks.
// Backends feed input through the handle... methods.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIApplicationDelegate.h"
#include "platform/ui/UIKitTypes.h"
#include "platform/ui/UIResponder.h"

class Backend;
class Compositor;
class UITouch;
class UIView;
class UIWindow;

inline constexpr const char* UIApplicationWillChangeStatusBarFrameNotification =
    "UIApplicationWillChangeStatusBarFrameNotification";
inline constexpr const char* UIApplicationDidChangeStatusBarOrientationNotification =
    "UIApplicationDidChangeStatusBarOrientationNotification";
inline constexpr const char* UIApplicationWillTerminateNotification = "UIApplicationWillTerminateNotification";
inline constexpr const char* UIApplicationDidReceiveMemoryWarningNotification =
    "UIApplicationDidReceiveMemoryWarningNotification";
inline constexpr const char* UIApplicationWillResignActiveNotification = "UIApplicationWillResignActiveNotification";
inline constexpr const char* UIApplicationDidBecomeActiveNotification = "UIApplicationDidBecomeActiveNotification";
inline constexpr const char* UIApplicationDidEnterBackgroundNotification =
    "UIApplicationDidEnterBackgroundNotification";
inline constexpr const char* UIApplicationWillEnterForegroundNotification =
    "UIApplicationWillEnterForegroundNotification";

// One touch as a backend reports it, in screen points (portrait window space).
struct TouchInput {
    long id = 0;
    UITouchPhase phase = UITouchPhaseBegan;
    CGPoint location{};
};

class UIApplication : public UIResponder {
public:
    static UIApplication& sharedApplication();
    // Null before the first sharedApplication() and after the program's end.
    static UIApplication* existing();

    // Unretained; the program keeps the delegate alive.
    UIApplicationDelegate* delegate() const { return delegate_; }
    void setDelegate(UIApplicationDelegate* delegate) { delegate_ = delegate; }

    // --- Life cycle (called by main() and the backends) ---
    // Calls the delegate's launch method and becomes active.
    bool launch(const UIApplicationLaunchOptions& options = {});
    void resignActive();
    void becomeActive();
    void enterBackground();   // resigns active first when needed
    void enterForeground();   // then becomes active
    void terminate();
    bool openURLFromOutside(const std::string& url);
    void deliverLocalNotification(const UILocalNotification& notification);
    void receiveMemoryWarning();
    UIApplicationState applicationState() const { return state_; }

    // --- Windows ---
    UIWindow* keyWindow() const { return keyWindow_; }
    const std::vector<UIWindow*>& windows() const { return windows_; }

    // --- Events ---
    // Dispatch: the hook sees every event first and returns true to swallow it.
    virtual void sendEvent(UIEvent* event);
    using EventHook = std::function<bool(UIEvent* event)>;
    void setEventHook(EventHook hook) { eventHook_ = std::move(hook); }
    // Touches that changed together, in screen points. A touch's view is found
    // by hit testing when it begins and kept until it ends.
    void handleTouches(const std::vector<TouchInput>& touches);
    // Text and keys go to the first responder.
    void handleText(const std::string& utf8);
    void handleKey(int key);  // UIResponder::Key
    void handleDeleteBackward();
    // Delivered to the first responder chain while receiving is on.
    void handleRemoteControl(UIEventSubtype subtype);
    void handleShake();
    // Touches that are down now (for tests and the modal blocker).
    size_t activeTouchCount() const { return touches_.size(); }
    // Ends every touch in progress with a cancel (window lost focus ...).
    void cancelAllTouches();

    // While a blocker is set, touches that begin outside its view go nowhere
    // (alerts and action sheets). Blockers stack; remove them in any order.
    void pushModalBlocker(UIView* allowed);
    void removeModalBlocker(UIView* allowed);
    UIView* modalBlocker() const { return modalBlockers_.empty() ? nullptr : modalBlockers_.back(); }

    // --- First responder ---
    UIResponder* firstResponder() const { return firstResponder_; }
    UIResponder* nextResponder() const override { return nullptr; }
    void remoteControlReceivedWithEvent(UIEvent* event) override;

    // --- Status bar and orientation ---
    UIInterfaceOrientation statusBarOrientation() const { return statusBarOrientation_; }
    void setStatusBarOrientation(UIInterfaceOrientation orientation, bool animated = false);
    bool isStatusBarHidden() const { return statusBarHidden_; }
    void setStatusBarHidden(bool hidden, bool animated = false);
    UIStatusBarStyle statusBarStyle() const { return statusBarStyle_; }
    void setStatusBarStyle(UIStatusBarStyle style, bool animated = false);
    // In screen coordinates; zero-sized when hidden. 20 points tall (never 40 here).
    CGRect statusBarFrame() const;
    // A tap on the shown status bar (or the Home key when no responder takes
    // it) runs this; the hosting layer scrolls the scroll view to the top.
    // Touches that begin on the status bar reach no window.
    void setStatusBarTapHandler(std::function<void()> handler) { statusBarTapHandler_ = std::move(handler); }
    // The backend's rotate key: records the device orientation, posts the device
    // notification and runs the rotation handler. The default handler turns the
    // status bar to the matching interface orientation (never upside down); the
    // hosting layer replaces it to ask controllers and run their callbacks.
    // As on the device, the screen and windows stay portrait: landscape content
    // is the root view turned by +-pi/2 with its bounds swapped, and the
    // display turns with the status bar orientation so it stands upright.
    void deviceDidRotate(UIDeviceOrientation orientation);
    using RotationHandler = std::function<void(UIDeviceOrientation orientation)>;
    void setRotationHandler(RotationHandler handler) { rotationHandler_ = std::move(handler); }

    // --- Services ---
    bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
    void setIdleTimerDisabled(bool disabled);
    bool isNetworkActivityIndicatorVisible() const { return networkActivityIndicatorVisible_; }
    void setNetworkActivityIndicatorVisible(bool visible);
    void beginReceivingRemoteControlEvents() { receivingRemoteControl_ = true; }
    void endReceivingRemoteControlEvents() { receivingRemoteControl_ = false; }
    bool isReceivingRemoteControlEvents() const { return receivingRemoteControl_; }
    // Tasks never expire by themselves here; expireBackgroundTasks() runs the handlers.
    UIBackgroundTaskIdentifier beginBackgroundTaskWithExpirationHandler(std::function<void()> handler);
    void endBackgroundTask(UIBackgroundTaskIdentifier identifier);
    size_t backgroundTaskCount() const { return backgroundTasks_.size(); }
    bool isBackgroundTaskHeld(UIBackgroundTaskIdentifier identifier) const { return backgroundTasks_.count(identifier) != 0; }
    // Runs the expiration handler of every task held, as the system does when background time
    // runs out; each handler is expected to end its task.
    void expireBackgroundTasks();
    double backgroundTimeRemaining() const;
    // Opening links: the services layer installs the handlers; without one
    // openURL fails (logged) and canOpenURL answers false.
    bool openURL(const std::string& url);
    bool canOpenURL(const std::string& url) const;
    void setURLHandlers(std::function<bool(const std::string&)> open, std::function<bool(const std::string&)> canOpen);

    // --- Display ---
    Backend* backend() const { return backend_; }
    void setBackend(Backend* backend);  // unretained
    Compositor& compositor();
    // Asks the backend for a frame (called when anything on screen changes).
    void setNeedsFrame();

    // Clears windows, responders, touches and state; for tests.
    void resetForTesting();

private:
    friend class UIWindow;
    friend class UIResponder;
    UIApplication();
    ~UIApplication() override;
    void registerWindow(UIWindow* window);
    void unregisterWindow(UIWindow* window);
    void setKeyWindow(UIWindow* window);
    void setFirstResponder(UIResponder* responder) { firstResponder_ = responder; }
    void forgetResponder(UIResponder* responder);
    UIWindow* windowForTouchAt(CGPoint point) const;
    void setState(UIApplicationState state) { state_ = state; }
    void sendToFirstResponder(const std::function<bool(UIResponder&)>& deliver);

    struct TouchRecord {
        std::shared_ptr<UITouch> touch;
        bool dropped = false;  // began under a modal blocker or in no view
        bool onStatusBar = false;
    };
    UIApplicationDelegate* delegate_ = nullptr;
    UIApplicationState state_ = UIApplicationStateInactive;
    std::vector<UIWindow*> windows_;
    UIWindow* keyWindow_ = nullptr;
    UIResponder* firstResponder_ = nullptr;
    EventHook eventHook_;
    std::map<long, TouchRecord> touches_;
    double lastTapTime_ = -1;
    CGPoint lastTapPoint_{};
    int lastTapCount_ = 0;
    std::vector<UIView*> modalBlockers_;
    UIInterfaceOrientation statusBarOrientation_ = UIInterfaceOrientationPortrait;
    bool statusBarHidden_ = false;
    UIStatusBarStyle statusBarStyle_ = UIStatusBarStyleDefault;
    RotationHandler rotationHandler_;
    std::function<void()> statusBarTapHandler_;
    bool idleTimerDisabled_ = false;
    bool networkActivityIndicatorVisible_ = false;
    bool receivingRemoteControl_ = false;
    std::map<UIBackgroundTaskIdentifier, std::function<void()>> backgroundTasks_;
    UIBackgroundTaskIdentifier nextBackgroundTask_ = 1;
    std::function<bool(const std::string&)> openURLHandler_;
    std::function<bool(const std::string&)> canOpenURLHandler_;
    Backend* backend_ = nullptr;
    std::unique_ptr<Compositor> compositor_;
};
