#pragma once
// A scrolling, wrapping, editable text: typing from the keyboard panel or keys
// (return inserts a line end), the delegate's questions and notices, and a
// callback when the content size changes.

#include <functional>
#include <memory>
#include <string>

#include "platform/text/StringDrawing.h"
#include "platform/ui/hosting/TextEditBuffer.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UIScrollView.h"

class UITextView;

inline constexpr const char* UITextViewTextDidChangeNotification = "UITextViewTextDidChangeNotification";

class UITextViewDelegate : public UIScrollViewDelegate {
public:
    virtual bool textViewShouldBeginEditing(UITextView* view) { return true; }
    virtual void textViewDidBeginEditing(UITextView* view) {}
    virtual bool textViewShouldEndEditing(UITextView* view) { return true; }
    virtual void textViewDidEndEditing(UITextView* view) {}
    virtual bool shouldChangeTextInRange(UITextView* view, NSRange range, const std::string& text) { return true; }
    virtual void textViewDidChange(UITextView* view) {}
    virtual void textViewDidChangeSelection(UITextView* view) {}
};

class UITextView : public UIScrollView, public UITextInputTraits {
public:
    explicit UITextView(CGRect frame = CGRectZero);
    ~UITextView() override;

    const std::string& text() const { return buffer_.text(); }
    void setText(const std::string& text);
    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    const UIColorPtr& textColor() const { return textColor_; }
    void setTextColor(UIColorPtr c);
    UITextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(UITextAlignment a);
    bool isEditable() const { return editable_; }
    void setEditable(bool on) { editable_ = on; }
    NSRange selectedRange() const { return buffer_.selectedRange(); }
    void setSelectedRange(NSRange r);
    bool hasText() const { return !text().empty(); }

    UITextViewDelegate* delegate() const { return textDelegate_; }
    void setDelegate(UITextViewDelegate* d);  // unretained
    // Called whenever the content size changes (the height follows the text).
    void setContentSizeChangeHandler(std::function<void(CGSize)> handler) { onContentSize_ = std::move(handler); }
    bool isEditing() const { return editing_; }

    bool canBecomeFirstResponder() const override { return editable_; }
    bool canResignFirstResponder() const override;
    bool becomeFirstResponder() override;
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    bool keyPressed(int key) override;

    void setFrame(CGRect frame) override;
    void layoutSubviews() override;

protected:
    void tapEnded(CGPoint location, UITouch* touch, UIEvent* event) override;

private:
    class ContentView;
    void replace(NSRange range, const std::string& replacement);
    void updateContentSize();
    TextEditBuffer buffer_;
    UIFontPtr font_;
    UIColorPtr textColor_;
    UITextAlignment alignment_ = UITextAlignmentLeft;
    bool editable_ = true;
    bool editing_ = false;
    UITextViewDelegate* textDelegate_ = nullptr;
    std::function<void(CGSize)> onContentSize_;
    std::shared_ptr<ContentView> content_;
};

using UITextViewPtr = std::shared_ptr<UITextView>;
