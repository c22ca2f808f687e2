#pragma once
// Base of everything that takes events: views, windows, the application and
// (in the hosting layer) view controllers.

#include <set>
#include <string>

class UITouch;
class UIEvent;

using UITouchSet = std::set<UITouch*>;

class UIResponder {
public:
    UIResponder() = default;
    UIResponder(const UIResponder&) = delete;
    UIResponder& operator=(const UIResponder&) = delete;
    virtual ~UIResponder();

    // Next object up the chain (superview, controller, window, application), or null.
    virtual UIResponder* nextResponder() const { return nullptr; }

    // The default implementations pass the event to nextResponder().
    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
    virtual void motionBegan(int subtype, UIEvent* event);
    virtual void motionEnded(int subtype, UIEvent* event);
    virtual void remoteControlReceivedWithEvent(UIEvent* event);

    // Typed text and keys reach the first responder through these; the defaults
    // pass them up the chain. insertText gets UTF-8 text; keys use the names of
    // Key below.
    virtual void insertText(const std::string& text);
    virtual void deleteBackward();
    virtual bool keyPressed(int key);

    // First responder. becomeFirstResponder asks canBecomeFirstResponder and the
    // current first responder's canResignFirstResponder, then records this object
    // as the application's first responder.
    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;

    // Called after the first responder status changed (hooks for text input).
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}

    // Non-text keys given to keyPressed.
    enum Key : int {
        KeyReturn = 1,
        KeyEscape,
        KeyTab,
        KeyLeft,
        KeyRight,
        KeyUp,
        KeyDown,
        KeyHome,
        KeyEnd,
        KeyPageUp,
        KeyPageDown,
        KeyDelete,
    };
};
