#pragma once
// A text entry that starts as a one-line field, turns into a multi-line view when its text
// needs a second line (or return is typed) and back when it fits one line again, and can size
// its height to the text between a minimum and a maximum number of lines. The delegate sees
// one editor: the swap of controls is no end and begin of editing.

#include <memory>
#include <string>

#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITextField.h"
#include "toolkit/controls/TTTextEditorDelegate.h"
#include "toolkit/controls/TTTextEditorInternal.h"
#include "toolkit/controls/TTTextView.h"
#include "toolkit/controls/TTView.h"

class TTTextEditor : public TTView {
public:
    explicit TTTextEditor(CGRect frame = CGRectZero);
    ~TTTextEditor() override;

    TTTextEditorDelegate* delegate() const { return _delegate; }
    void setDelegate(TTTextEditorDelegate* delegate);  // unretained

    // The active control's text.
    const std::string& text() const;
    void setText(const std::string& text);

    // Forwarded to the text field (the text view copies them when it is made).
    const std::string& placeholder() const { return _textField->placeholder(); }
    void setPlaceholder(const std::string& text) { _textField->setPlaceholder(text); }
    const UIFontPtr& font() const { return _textField->font(); }
    void setFont(UIFontPtr font) { _textField->setFont(std::move(font)); }
    const UIColorPtr& textColor() const { return _textField->textColor(); }
    void setTextColor(UIColorPtr color) { _textField->setTextColor(std::move(color)); }
    UITextAutocapitalizationType autocapitalizationType() const { return _textField->autocapitalizationType(); }
    void setAutocapitalizationType(UITextAutocapitalizationType t) { _textField->setAutocapitalizationType(t); }
    UITextAutocorrectionType autocorrectionType() const { return _textField->autocorrectionType(); }
    void setAutocorrectionType(UITextAutocorrectionType t) { _textField->setAutocorrectionType(t); }
    bool enablesReturnKeyAutomatically() const { return _textField->enablesReturnKeyAutomatically(); }
    void setEnablesReturnKeyAutomatically(bool on) { _textField->setEnablesReturnKeyAutomatically(on); }
    UIKeyboardAppearance keyboardAppearance() const { return _textField->keyboardAppearance(); }
    void setKeyboardAppearance(UIKeyboardAppearance a) { _textField->setKeyboardAppearance(a); }
    UIKeyboardType keyboardType() const { return _textField->keyboardType(); }
    void setKeyboardType(UIKeyboardType t) { _textField->setKeyboardType(t); }
    UIReturnKeyType returnKeyType() const { return _textField->returnKeyType(); }
    void setReturnKeyType(UIReturnKeyType t) { _textField->setReturnKeyType(t); }
    bool isSecureTextEntry() const { return _textField->isSecureTextEntry(); }
    void setSecureTextEntry(bool on) { _textField->setSecureTextEntry(on); }

    bool autoresizesToText() const { return _autoresizesToText; }
    void setAutoresizesToText(bool on);
    int minNumberOfLines() const { return _minNumberOfLines; }
    void setMinNumberOfLines(int lines) { _minNumberOfLines = lines; }
    int maxNumberOfLines() const { return _maxNumberOfLines; }
    void setMaxNumberOfLines(int lines) { _maxNumberOfLines = lines; }
    bool showsExtraLine() const { return _showsExtraLine; }
    void setShowsExtraLine(bool on) { _showsExtraLine = on; }
    bool isEditing() const { return _editing; }
    bool overflowed() const { return _overflowed; }

    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    // Keeps the cursor of a text at its end in sight in the scroll view that holds the editor.
    void scrollContainerToCursor(UIScrollView& scrollView);

    // The height for the text (18 points of margins included), and optionally whether it
    // exceeds the maximum and how many lines the text itself takes.
    CGFloat heightThatFits(bool* overflowed, int* numberOfLines) const;
    // Swaps the controls as the line count asks and, unless the delegate says no, takes the height.
    void constrainToText();

    // The controls, for the internal delegate and for inspection.
    UITextField& textField() const { return *_textField; }
    TTTextView* textView() const { return _textView.get(); }
    // The text view when it shows, else the text field.
    UIView& activeTextField() const;

    // Steps of the internal delegate.
    void didBeginEditing() { _editing = true; }
    void didEndEditing() { _editing = false; }
    void didChangeText(bool insertsReturn);
    void stopIgnoringBeginAndEnd() { _internal->setIgnoreBeginAndEnd(false); }

private:
    void createTextView();
    // Moves the focus to the other control without the delegate seeing an end and a begin.
    void swapTo(UIView& control);
    // Hides the field and moves the focus to the multi-line view, which takes the text.
    void showTextView(const std::string& text);

    TTTextEditorDelegate* _delegate = nullptr;  // unretained
    std::unique_ptr<TTTextEditorInternal> _internal;
    std::shared_ptr<UITextField> _textField;
    std::shared_ptr<TTTextView> _textView;
    int _minNumberOfLines = 0;
    int _maxNumberOfLines = 0;
    bool _editing = false;
    bool _overflowed = false;
    bool _autoresizesToText = true;
    bool _showsExtraLine = false;
};

using TTTextEditorPtr = std::shared_ptr<TTTextEditor>;
