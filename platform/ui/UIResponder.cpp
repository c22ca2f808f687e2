#include "platform/ui/UIResponder.h"

#include "platform/ui/UIApplication.h"

UIResponder::~UIResponder()
{
    if (auto* app = UIApplication::existing()) app->forgetResponder(this);
}

void UIResponder::touchesBegan(const UITouchSet& touches, UIEvent* event)
{
    if (auto* next = nextResponder()) next->touchesBegan(touches, event);
}

void UIResponder::touchesMoved(const UITouchSet& touches, UIEvent* event)
{
    if (auto* next = nextResponder()) next->touchesMoved(touches, event);
}

void UIResponder::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    if (auto* next = nextResponder()) next->touchesEnded(touches, event);
}

void UIResponder::touchesCancelled(const UITouchSet& touches, UIEvent* event)
{
    if (auto* next = nextResponder()) next->touchesCancelled(touches, event);
}

void UIResponder::motionBegan(int subtype, UIEvent* event)
{
    if (auto* next = nextResponder()) next->motionBegan(subtype, event);
}

void UIResponder::motionEnded(int subtype, UIEvent* event)
{
    if (auto* next = nextResponder()) next->motionEnded(subtype, event);
}

void UIResponder::remoteControlReceivedWithEvent(UIEvent* event)
{
    if (auto* next = nextResponder()) next->remoteControlReceivedWithEvent(event);
}

void UIResponder::insertText(const std::string& text)
{
    if (auto* next = nextResponder()) next->insertText(text);
}

void UIResponder::deleteBackward()
{
    if (auto* next = nextResponder()) next->deleteBackward();
}

bool UIResponder::keyPressed(int key)
{
    if (auto* next = nextResponder()) return next->keyPressed(key);
    return false;
}

bool UIResponder::isFirstResponder() const
{
    return UIApplication::sharedApplication().firstResponder() == this;
}

bool UIResponder::becomeFirstResponder()
{
    auto& app = UIApplication::sharedApplication();
    UIResponder* current = app.firstResponder();
    if (current == this) return true;
    if (!canBecomeFirstResponder()) return false;
    if (current) {
        if (!current->canResignFirstResponder()) return false;
        app.setFirstResponder(nullptr);
        current->didResignFirstResponder();
    }
    app.setFirstResponder(this);
    didBecomeFirstResponder();
    return true;
}

bool UIResponder::resignFirstResponder()
{
    auto& app = UIApplication::sharedApplication();
    if (app.firstResponder() != this) return true;
    if (!canResignFirstResponder()) return false;
    app.setFirstResponder(nullptr);
    didResignFirstResponder();
    return true;
}
