#pragma once
// A one-line editable text: caret, insert and delete, select-all, placeholder,
// clear button, left view, border styles, keyboard and return key types, and the
// delegate's questions and notices. Typing comes from the on-screen keyboard
// panel or from physical keys, both through the first responder.

#include <memory>
#include <optional>
#include <string>

#include "platform/text/StringDrawing.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/hosting/TextEditBuffer.h"
#include "platform/ui/hosting/UIKeyboard.h"

class NSTimer;
class UITextField;

inline constexpr const char* UITextFieldTextDidChangeNotification = "UITextFieldTextDidChangeNotification";

class UITextFieldDelegate {
public:
    virtual ~UITextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(UITextField* field) { return true; }
    virtual void textFieldDidBeginEditing(UITextField* field) {}
    virtual bool textFieldShouldEndEditing(UITextField* field) { return true; }
    virtual void textFieldDidEndEditing(UITextField* field) {}
    // Range in UTF-16 units of the current text.
    virtual bool shouldChangeCharactersInRange(UITextField* field, NSRange range, const std::string& replacement) { return true; }
    virtual bool textFieldShouldClear(UITextField* field) { return true; }
    virtual bool textFieldShouldReturn(UITextField* field) { return true; }
};

class UITextField : public UIControl, public UITextInputTraits {
public:
    explicit UITextField(CGRect frame = CGRectZero);
    ~UITextField() override;

    const std::string& text() const { return buffer_.text(); }
    void setText(const std::string& text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(const std::string& p);
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    const UIColorPtr& textColor() const { return textColor_; }
    void setTextColor(UIColorPtr c);
    UITextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(UITextAlignment a);
    UITextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(UITextBorderStyle s);
    UITextFieldViewMode clearButtonMode() const { return clearButtonMode_; }
    void setClearButtonMode(UITextFieldViewMode m);
    UIView* leftView() const { return leftView_.get(); }
    void setLeftView(std::shared_ptr<UIView> v);
    UITextFieldViewMode leftViewMode() const { return leftViewMode_; }
    void setLeftViewMode(UITextFieldViewMode m);
    bool clearsOnBeginEditing() const { return clearsOnBeginEditing_; }
    void setClearsOnBeginEditing(bool on) { clearsOnBeginEditing_ = on; }

    bool isSecureTextEntry() const { return secure_; }
    void setSecureTextEntry(bool on);

    UITextFieldDelegate* delegate() const { return delegate_; }
    void setDelegate(UITextFieldDelegate* d) { delegate_ = d; }  // unretained

    bool isEditing() const { return editing_; }
    NSRange selectedRange() const { return buffer_.selectedRange(); }
    void setSelectedRange(NSRange r);
    void selectAll();
    // Blink phase of the caret (drawn while editing and on).
    bool caretVisible() const { return editing_ && caretOn_; }

    // UIResponder
    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool canResignFirstResponder() const override;
    bool becomeFirstResponder() override;
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    bool keyPressed(int key) override;

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;
    void layoutSubviews() override;
    // Where the text goes, inside the border and beside the left view and clear button.
    CGRect textRectForBounds(CGRect bounds) const;
    // Its width, and the height of one line of its font (with room for the border).
    CGSize sizeThatFits(CGSize size) const override;
    CGRect clearButtonRectForBounds(CGRect bounds) const;

private:
    bool showsClearButton() const;
    bool showsLeftView() const;
    void replace(NSRange range, const std::string& replacement);
    void textChanged();
    void restartBlink();
    std::string displayText() const;

    TextEditBuffer buffer_;
    std::string placeholder_;
    UIFontPtr font_;
    UIColorPtr textColor_;
    UITextAlignment alignment_ = UITextAlignmentLeft;
    UITextBorderStyle borderStyle_ = UITextBorderStyleNone;
    UITextFieldViewMode clearButtonMode_ = UITextFieldViewModeNever;
    std::shared_ptr<UIView> leftView_;
    UITextFieldViewMode leftViewMode_ = UITextFieldViewModeNever;
    bool clearsOnBeginEditing_ = false;
    bool secure_ = false;
    UITextFieldDelegate* delegate_ = nullptr;
    bool editing_ = false;
    bool caretOn_ = true;
    std::shared_ptr<NSTimer> blink_;
};

using UITextFieldPtr = std::shared_ptr<UITextField>;
