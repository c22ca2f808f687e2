#include "platform/ui/UIApplication.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/LargePageHeap.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIWindow.h"

namespace {
UIApplication* g_app = nullptr;
constexpr double kMultiTapInterval = 0.35;  // seconds between taps of one multi-tap
constexpr double kMultiTapDistance = 20;    // points

void post(const char* name)
{
    NSNotificationCenter::defaultCenter().postNotificationName(name);
}
}  // namespace

UIApplication& UIApplication::sharedApplication()
{
    static UIApplication app;
    return app;
}

UIApplication* UIApplication::existing()
{
    return g_app;
}

UIApplication::UIApplication()
{
    useLargePageHeap();
    g_app = this;
}

UIApplication::~UIApplication()
{
    g_app = nullptr;
}

// --- Life cycle ---

bool UIApplication::launch(const UIApplicationLaunchOptions& options)
{
    state_ = UIApplicationStateInactive;
    bool ok = delegate_ ? delegate_->applicationDidFinishLaunchingWithOptions(*this, options) : true;
    becomeActive();
    return ok;
}

void UIApplication::resignActive()
{
    if (state_ != UIApplicationStateActive) return;
    cancelAllTouches();
    if (delegate_) delegate_->applicationWillResignActive(*this);
    post(UIApplicationWillResignActiveNotification);
    state_ = UIApplicationStateInactive;
}

void UIApplication::becomeActive()
{
    if (state_ == UIApplicationStateActive) return;
    state_ = UIApplicationStateActive;
    if (delegate_) delegate_->applicationDidBecomeActive(*this);
    post(UIApplicationDidBecomeActiveNotification);
}

void UIApplication::enterBackground()
{
    resignActive();
    if (state_ == UIApplicationStateBackground) return;
    state_ = UIApplicationStateBackground;
    if (delegate_) delegate_->applicationDidEnterBackground(*this);
    post(UIApplicationDidEnterBackgroundNotification);
}

void UIApplication::enterForeground()
{
    if (state_ != UIApplicationStateBackground) return;
    if (delegate_) delegate_->applicationWillEnterForeground(*this);
    post(UIApplicationWillEnterForegroundNotification);
    state_ = UIApplicationStateInactive;
    becomeActive();
}

void UIApplication::terminate()
{
    if (delegate_) delegate_->applicationWillTerminate(*this);
    post(UIApplicationWillTerminateNotification);
}

bool UIApplication::openURLFromOutside(const std::string& url)
{
    return delegate_ ? delegate_->applicationHandleOpenURL(*this, url) : false;
}

void UIApplication::deliverLocalNotification(const UILocalNotification& notification)
{
    if (delegate_) delegate_->applicationDidReceiveLocalNotification(*this, notification);
}

void UIApplication::receiveMemoryWarning()
{
    if (delegate_) delegate_->applicationDidReceiveMemoryWarning(*this);
    post(UIApplicationDidReceiveMemoryWarningNotification);
}

// --- Windows ---

void UIApplication::registerWindow(UIWindow* window)
{
    windows_.push_back(window);
}

void UIApplication::unregisterWindow(UIWindow* window)
{
    std::erase(windows_, window);
    if (keyWindow_ == window) keyWindow_ = nullptr;
    for (auto& [id, rec] : touches_)
        if (rec.touch->window() == window) rec.dropped = true;
    Compositor::setNeedsFrame();
}

void UIApplication::setKeyWindow(UIWindow* window)
{
    keyWindow_ = window;
    // The key window draws above windows of the same level.
    auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it != windows_.end()) {
        windows_.erase(it);
        windows_.push_back(window);
    }
    Compositor::setNeedsFrame();
}

UIWindow* UIApplication::windowForTouchAt(CGPoint point) const
{
    std::vector<UIWindow*> ordered = windows_;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](UIWindow* a, UIWindow* b) { return a->windowLevel() < b->windowLevel(); });
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
        UIWindow* w = *it;
        if (w->isHidden() || !w->isUserInteractionEnabled()) continue;
        if (w->pointInside(w->convertPointFromView(point, nullptr), nullptr)) return w;
    }
    return nullptr;
}

// --- Events ---

void UIApplication::sendEvent(UIEvent* event)
{
    if (!event) return;
    if (eventHook_ && eventHook_(event)) return;
    if (event->type() != UIEventTypeTouches) return;
    std::vector<UIWindow*> targets;
    for (UITouch* t : event->touchList())
        if (UIWindow* w = t->window(); w && std::find(targets.begin(), targets.end(), w) == targets.end())
            targets.push_back(w);
    for (UIWindow* w : targets)
        if (std::find(windows_.begin(), windows_.end(), w) != windows_.end()) w->sendEvent(event);
}

void UIApplication::handleTouches(const std::vector<TouchInput>& inputs)
{
    double now = RunLoop::main().now();
    std::vector<long> changed;
    for (const TouchInput& in : inputs) {
        auto found = touches_.find(in.id);
        if (in.phase == UITouchPhaseBegan) {
            if (found != touches_.end()) continue;  // already down
            TouchRecord rec;
            rec.touch = std::make_shared<UITouch>();
            UITouch& t = *rec.touch;
            t.setLocationInWindow(in.location);
            t.setLocationInWindow(in.location);
            t.setPhase(UITouchPhaseBegan);
            t.setTimestamp(now);
            bool near = std::hypot(in.location.x - lastTapPoint_.x, in.location.y - lastTapPoint_.y) < kMultiTapDistance;
            t.setTapCount(now - lastTapTime_ < kMultiTapInterval && near ? lastTapCount_ + 1 : 1);
            if (CGRectContainsPoint(statusBarFrame(), in.location)) {
                rec.dropped = rec.onStatusBar = true;
                touches_[in.id] = rec;
                changed.push_back(in.id);
                continue;
            }
            UIWindow* window = windowForTouchAt(in.location);
            UIView* hit = nullptr;
            if (window) hit = window->hitTest(window->convertPointFromView(in.location, nullptr), nullptr);
            if (hit && modalBlocker() && !hit->isDescendantOfView(modalBlocker())) hit = nullptr;
            if (hit) {
                // A view that takes one finger, or an exclusive one, gets no second touch.
                for (auto& [id, other] : touches_) {
                    if (other.dropped) continue;
                    UIView* ov = other.touch->view();
                    if ((ov == hit && !hit->isMultipleTouchEnabled()) || hit->isExclusiveTouch() ||
                        (ov && ov->isExclusiveTouch()))
                        hit = nullptr;
                    if (!hit) break;
                }
            }
            if (hit) {
                t.setView(hit->weak_from_this().lock());
                t.setWindow(std::static_pointer_cast<UIWindow>(window->weak_from_this().lock()));
            } else {
                rec.dropped = true;
            }
            touches_[in.id] = rec;
            changed.push_back(in.id);
            continue;
        }
        if (found == touches_.end()) continue;
        UITouch& t = *found->second.touch;
        t.setLocationInWindow(in.location);
        t.setTimestamp(now);
        t.setPhase(in.phase == UITouchPhaseStationary ? UITouchPhaseMoved : in.phase);
        if (in.phase == UITouchPhaseEnded) {
            lastTapTime_ = now;
            lastTapPoint_ = in.location;
            lastTapCount_ = t.tapCount();
        }
        changed.push_back(in.id);
    }
    if (changed.empty()) return;
    std::vector<UITouch*> all;
    bool anyLive = false;
    for (auto& [id, rec] : touches_) {
        if (rec.dropped) continue;
        if (std::find(changed.begin(), changed.end(), id) == changed.end())
            rec.touch->setPhase(UITouchPhaseStationary);
        else
            anyLive = true;
        all.push_back(rec.touch.get());
    }
    // Keep the touches alive while the event is out.
    std::vector<std::shared_ptr<UITouch>> keep;
    for (auto& [id, rec] : touches_) keep.push_back(rec.touch);
    if (anyLive) {
        UIEvent event(UIEventTypeTouches, UIEventSubtypeNone, now);
        event.setTouches(all);
        sendEvent(&event);
    }
    for (long id : changed) {
        auto it = touches_.find(id);
        if (it == touches_.end()) continue;
        auto phase = it->second.touch->phase();
        if (phase != UITouchPhaseEnded && phase != UITouchPhaseCancelled) continue;
        bool statusBarTap = it->second.onStatusBar && phase == UITouchPhaseEnded &&
                            CGRectContainsPoint(statusBarFrame(), it->second.touch->locationInWindow());
        touches_.erase(it);
        if (statusBarTap && statusBarTapHandler_) statusBarTapHandler_();
    }
}

void UIApplication::cancelAllTouches()
{
    std::vector<TouchInput> cancels;
    for (auto& [id, rec] : touches_) cancels.push_back({id, UITouchPhaseCancelled, rec.touch->locationInWindow()});
    if (!cancels.empty()) handleTouches(cancels);
}

void UIApplication::sendToFirstResponder(const std::function<bool(UIResponder&)>& deliver)
{
    UIResponder* target = firstResponder_;
    if (!target) target = keyWindow_;
    if (!target) target = this;
    deliver(*target);
}

void UIApplication::handleText(const std::string& utf8)
{
    if (utf8.empty()) return;
    sendToFirstResponder([&](UIResponder& r) {
        r.insertText(utf8);
        return true;
    });
}

void UIApplication::handleKey(int key)
{
    bool taken = false;
    sendToFirstResponder([&](UIResponder& r) { return taken = r.keyPressed(key); });
    if (!taken && key == UIResponder::KeyHome && statusBarTapHandler_) statusBarTapHandler_();
}

void UIApplication::handleDeleteBackward()
{
    sendToFirstResponder([&](UIResponder& r) {
        r.deleteBackward();
        return true;
    });
}

void UIApplication::handleRemoteControl(UIEventSubtype subtype)
{
    if (!receivingRemoteControl_) return;
    UIEvent event(UIEventTypeRemoteControl, subtype, RunLoop::main().now());
    if (eventHook_ && eventHook_(&event)) return;
    sendToFirstResponder([&](UIResponder& r) {
        r.remoteControlReceivedWithEvent(&event);
        return true;
    });
}

void UIApplication::handleShake()
{
    UIEvent event(UIEventTypeMotion, UIEventSubtypeMotionShake, RunLoop::main().now());
    if (eventHook_ && eventHook_(&event)) return;
    sendToFirstResponder([&](UIResponder& r) {
        r.motionBegan(UIEventSubtypeMotionShake, &event);
        r.motionEnded(UIEventSubtypeMotionShake, &event);
        return true;
    });
}

void UIApplication::remoteControlReceivedWithEvent(UIEvent* event)
{
    if (delegate_) delegate_->remoteControlReceivedWithEvent(event);
}

void UIApplication::pushModalBlocker(UIView* allowed)
{
    if (allowed) modalBlockers_.push_back(allowed);
}

void UIApplication::removeModalBlocker(UIView* allowed)
{
    std::erase(modalBlockers_, allowed);
}

void UIApplication::forgetResponder(UIResponder* responder)
{
    if (firstResponder_ == responder) firstResponder_ = nullptr;
}

// --- Status bar and orientation ---

void UIApplication::setStatusBarOrientation(UIInterfaceOrientation orientation, bool)
{
    if (orientation < UIInterfaceOrientationPortrait || orientation > UIInterfaceOrientationLandscapeLeft) return;
    if (orientation == statusBarOrientation_) return;
    post(UIApplicationWillChangeStatusBarFrameNotification);
    statusBarOrientation_ = orientation;
    post(UIApplicationDidChangeStatusBarOrientationNotification);
    setNeedsFrame();
}

void UIApplication::setStatusBarHidden(bool hidden, bool)
{
    if (hidden == statusBarHidden_) return;
    post(UIApplicationWillChangeStatusBarFrameNotification);
    statusBarHidden_ = hidden;
    setNeedsFrame();
}

void UIApplication::setStatusBarStyle(UIStatusBarStyle style, bool)
{
    statusBarStyle_ = style;
    setNeedsFrame();
}

CGRect UIApplication::statusBarFrame() const
{
    if (statusBarHidden_) return CGRectZero;
    CGRect b = UIScreen::mainScreen().bounds();
    const double bar = 20;
    switch (statusBarOrientation_) {
    case UIInterfaceOrientationLandscapeRight: return CGRectMake(b.size.width - bar, 0, bar, b.size.height);
    case UIInterfaceOrientationLandscapeLeft: return CGRectMake(0, 0, bar, b.size.height);
    case UIInterfaceOrientationPortraitUpsideDown: return CGRectMake(0, b.size.height - bar, b.size.width, bar);
    default: return CGRectMake(0, 0, b.size.width, bar);
    }
}

void UIApplication::deviceDidRotate(UIDeviceOrientation orientation)
{
    UIDevice::currentDevice().setOrientation(orientation);
    post(UIDeviceOrientationDidChangeNotification);
    if (rotationHandler_) {
        rotationHandler_(orientation);
        return;
    }
    // Device landscape-left is interface landscape-right and the other way round
    // by name; their numbers match.
    if (orientation == UIDeviceOrientationPortrait || orientation == UIDeviceOrientationLandscapeLeft ||
        orientation == UIDeviceOrientationLandscapeRight)
        setStatusBarOrientation(static_cast<UIInterfaceOrientation>(orientation));
}

// --- Services ---

void UIApplication::setIdleTimerDisabled(bool disabled)
{
    idleTimerDisabled_ = disabled;
    if (backend_) backend_->setScreenSaverInhibited(disabled);
}

void UIApplication::setNetworkActivityIndicatorVisible(bool visible)
{
    if (visible == networkActivityIndicatorVisible_) return;
    networkActivityIndicatorVisible_ = visible;
    setNeedsFrame();
}

UIBackgroundTaskIdentifier UIApplication::beginBackgroundTaskWithExpirationHandler(std::function<void()> handler)
{
    UIBackgroundTaskIdentifier id = nextBackgroundTask_++;
    backgroundTasks_[id] = std::move(handler);
    return id;
}

void UIApplication::endBackgroundTask(UIBackgroundTaskIdentifier identifier)
{
    backgroundTasks_.erase(identifier);
}

void UIApplication::expireBackgroundTasks()
{
    std::vector<std::function<void()>> handlers;
    for (const auto& [identifier, handler] : backgroundTasks_)
        if (handler) handlers.push_back(handler);
    for (const auto& handler : handlers)
        handler();
}

double UIApplication::backgroundTimeRemaining() const
{
    return INFINITY;
}

bool UIApplication::openURL(const std::string& url)
{
    if (!openURLHandler_) {
        NSLog("cannot open %@: no link handler", url);
        return false;
    }
    return openURLHandler_(url);
}

bool UIApplication::canOpenURL(const std::string& url) const
{
    return canOpenURLHandler_ ? canOpenURLHandler_(url) : false;
}

void UIApplication::setURLHandlers(std::function<bool(const std::string&)> open,
                                   std::function<bool(const std::string&)> canOpen)
{
    openURLHandler_ = std::move(open);
    canOpenURLHandler_ = std::move(canOpen);
}

// --- Display ---

void UIApplication::setBackend(Backend* backend)
{
    backend_ = backend;
    if (backend_) backend_->setScreenSaverInhibited(idleTimerDisabled_);
}

Compositor& UIApplication::compositor()
{
    if (!compositor_) compositor_ = std::make_unique<Compositor>();
    return *compositor_;
}

void UIApplication::setNeedsFrame()
{
    Compositor::setNeedsFrame();
    if (backend_) backend_->setNeedsFrame();
}

void UIApplication::resetForTesting()
{
    touches_.clear();
    modalBlockers_.clear();
    firstResponder_ = nullptr;
    eventHook_ = nullptr;
    rotationHandler_ = nullptr;
    statusBarTapHandler_ = nullptr;
    delegate_ = nullptr;
    state_ = UIApplicationStateInactive;
    statusBarOrientation_ = UIInterfaceOrientationPortrait;
    statusBarHidden_ = false;
    statusBarStyle_ = UIStatusBarStyleDefault;
    idleTimerDisabled_ = false;
    networkActivityIndicatorVisible_ = false;
    receivingRemoteControl_ = false;
    backgroundTasks_.clear();
    lastTapTime_ = -1;
    lastTapCount_ = 0;
    backend_ = nullptr;
    compositor_.reset();
    UIDevice::currentDevice().setOrientation(UIDeviceOrientationPortrait);
}
