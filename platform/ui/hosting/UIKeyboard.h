#pragma once
// The on-screen keyboard stand-in: a panel of the platform's size (216 points
// high in portrait, 162 in landscape on a phone) that rises when a text input
// becomes first responder, with the keyboard will/did show/hide notifications.
// Its keys type into the first responder, as physical keys do.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

inline constexpr const char* UIKeyboardWillShowNotification = "UIKeyboardWillShowNotification";
inline constexpr const char* UIKeyboardDidShowNotification = "UIKeyboardDidShowNotification";
inline constexpr const char* UIKeyboardWillHideNotification = "UIKeyboardWillHideNotification";
inline constexpr const char* UIKeyboardDidHideNotification = "UIKeyboardDidHideNotification";

// What the platform puts in a keyboard notification's user info. Notifications
// carry no payload here: read UIKeyboard::userInfo() while handling one.
// Frames and centres are in window (screen) coordinates.
struct UIKeyboardInfo {
    CGRect frameBegin{};
    CGRect frameEnd{};
    CGRect bounds{};        // the keyboard's own bounds (width and height upright)
    CGPoint centerBegin{};
    CGPoint centerEnd{};
    double animationDuration = 0.25;
    UIViewAnimationCurve animationCurve = UIViewAnimationCurveEaseInOut;
};

// The keyboard settings of a view that takes typing (text field, text view).
class UITextInputTraits {
public:
    virtual ~UITextInputTraits() = default;
    UIKeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(UIKeyboardType t) { keyboardType_ = t; }
    UIReturnKeyType returnKeyType() const { return returnKeyType_; }
    void setReturnKeyType(UIReturnKeyType t) { returnKeyType_ = t; }
    UIKeyboardAppearance keyboardAppearance() const { return keyboardAppearance_; }
    void setKeyboardAppearance(UIKeyboardAppearance a) { keyboardAppearance_ = a; }
    UITextAutocapitalizationType autocapitalizationType() const { return autocap_; }
    void setAutocapitalizationType(UITextAutocapitalizationType t) { autocap_ = t; }
    UITextAutocorrectionType autocorrectionType() const { return autocorrect_; }
    void setAutocorrectionType(UITextAutocorrectionType t) { autocorrect_ = t; }
    bool enablesReturnKeyAutomatically() const { return enablesReturnKeyAutomatically_; }
    void setEnablesReturnKeyAutomatically(bool on) { enablesReturnKeyAutomatically_ = on; }

private:
    UIKeyboardType keyboardType_ = UIKeyboardTypeDefault;
    UIReturnKeyType returnKeyType_ = UIReturnKeyDefault;
    UIKeyboardAppearance keyboardAppearance_ = UIKeyboardAppearanceDefault;
    UITextAutocapitalizationType autocap_ = UITextAutocapitalizationTypeNone;
    UITextAutocorrectionType autocorrect_ = UITextAutocorrectionTypeDefault;
    bool enablesReturnKeyAutomatically_ = false;
};

class UIKeyboardPanel;

class UIKeyboard {
public:
    static UIKeyboard& shared();
    static const UIKeyboardInfo& userInfo() { return shared().info_; }

    static double heightForOrientation(bool landscape) { return landscape ? 162 : 216; }

    bool isVisible() const { return visible_; }
    UIKeyboardPanel* panel() const { return panel_.get(); }

    // Called by text inputs.
    void inputDidBecomeFirstResponder(UIView* input);
    void inputDidResignFirstResponder(UIView* input);
    // While alive, a resigning input does not take the keyboard down (another
    // input takes over).
    struct Handover {
        Handover() { ++shared().handover_; }
        ~Handover() { --shared().handover_; }
    };
    // Posts a keyboard notification with the given facts, for views that present themselves
    // the way the keyboard does; listeners read them from userInfo() as usual.
    static void postNotification(const char* name, const UIKeyboardInfo& info);

    // Takes the keyboard down (and forgets its panel) at once; for tests.
    void reset();

private:
    friend class UIKeyboardPanel;
    UIKeyboard() = default;
    void show(UIView* input);
    // Moves the shown panel from `start` to its place at the bottom of `root`, at the height
    // of the root's orientation, with the will-show and did-show notifications.
    void rise(UIView& root, CGRect start);
    void hide();
    void post(const char* name);
    UIKeyboardInfo info_;
    bool visible_ = false;
    int handover_ = 0;
    std::shared_ptr<UIKeyboardPanel> panel_;
    UIView* input_ = nullptr;  // unretained
};

// The panel's keys: letters (with shift), digits and punctuation, space,
// delete and a return key titled after the input's return key type.
class UIKeyboardPanel : public UIView {
public:
    UIKeyboardPanel();
    void setReturnKeyType(UIReturnKeyType type);
    void setNumbers(bool numbers);
    bool isShifted() const { return shift_; }
    // The key under a point (panel coordinates): the text it types, or one of
    // "shift", "delete", "return", "123", "ABC", "space"; empty for none.
    std::string keyAt(CGPoint p) const;
    // The centre of a key, for tests ("a", "return" ...); the zero point when there is none.
    CGPoint centerOfKey(const std::string& key) const;
    void pressKey(const std::string& key);
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override {}
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

protected:
    // A turn while the keyboard is up: it takes the new orientation's height and tells the
    // listeners its new frame, as a rising keyboard does.
    void autoresizeWithOldSuperviewSize(CGSize oldSize) override;

private:
    struct Key {
        std::string id;
        CGRect frame;
    };
    void buildKeys();
    std::vector<Key> keys_;
    bool shift_ = false;
    bool numbers_ = false;
    UIReturnKeyType returnType_ = UIReturnKeyDefault;
    std::string pressed_;
};
