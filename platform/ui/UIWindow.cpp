#include "platform/ui/UIWindow.h"

#include <map>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITouch.h"

namespace {
UIWindow::RootViewControllerHook& rootHook()
{
    static UIWindow::RootViewControllerHook hook;
    return hook;
}
}  // namespace

UIWindow::UIWindow() : UIWindow(UIScreen::mainScreen().bounds()) {}

UIWindow::UIWindow(CGRect frame) : UIView(frame)
{
    setHidden(true);
    UIApplication::sharedApplication().registerWindow(this);
}

UIWindow::~UIWindow()
{
    if (auto* app = UIApplication::existing()) app->unregisterWindow(this);
}

void UIWindow::makeKeyWindow()
{
    UIApplication::sharedApplication().setKeyWindow(this);
}

void UIWindow::makeKeyAndVisible()
{
    makeKeyWindow();
    setHidden(false);
}

bool UIWindow::isKeyWindow() const
{
    return UIApplication::sharedApplication().keyWindow() == this;
}

void UIWindow::setWindowLevel(double level)
{
    windowLevel_ = level;
    setNeedsComposite();
}

void UIWindow::sendEvent(UIEvent* event)
{
    if (!event || event->type() != UIEventTypeTouches) return;
    // Group this window's changed touches by view and phase, in the order of the event.
    std::map<std::pair<UIView*, int>, UITouchSet> groups;
    std::vector<std::pair<UIView*, int>> order;
    for (UITouch* t : event->touchList()) {
        if (t->window() != this || t->phase() == UITouchPhaseStationary) continue;
        UIView* v = t->view();
        if (!v) continue;
        auto key = std::make_pair(v, static_cast<int>(t->phase()));
        if (!groups.count(key)) order.push_back(key);
        groups[key].insert(t);
    }
    for (auto& key : order) {
        UIView* v = key.first;
        // A view may have gone away during an earlier delivery of this event.
        bool alive = false;
        for (UITouch* t : groups[key])
            if (t->view() == v) alive = true;
        if (!alive) continue;
        UIViewPtr keep = v->weak_from_this().lock();
        const UITouchSet& set = groups[key];
        switch (key.second) {
        case UITouchPhaseBegan: v->touchesBegan(set, event); break;
        case UITouchPhaseMoved: v->touchesMoved(set, event); break;
        case UITouchPhaseEnded: v->touchesEnded(set, event); break;
        case UITouchPhaseCancelled: v->touchesCancelled(set, event); break;
        default: break;
        }
    }
}

UIResponder* UIWindow::nextResponder() const
{
    return &UIApplication::sharedApplication();
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller)
{
    if (controller == rootViewController_) return;
    auto old = rootViewController_;
    rootViewController_ = std::move(controller);
    if (rootHook()) rootHook()(*this, old.get(), rootViewController_.get());
}

void UIWindow::setRootViewControllerHook(RootViewControllerHook hook)
{
    rootHook() = std::move(hook);
}

UIResponder* UIWindow::firstResponder() const
{
    UIResponder* first = UIApplication::sharedApplication().firstResponder();
    if (!first) return nullptr;
    if (first == this) return first;
    if (auto* v = dynamic_cast<UIView*>(first)) return v->window() == this ? first : nullptr;
    return first;  // a controller: it belongs to the key window
}
