#pragma once
// The delegate of both inner controls of a TTTextEditor: turns their callbacks into the
// editor's, and swallows the end and begin that swapping the controls causes.

#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "toolkit/controls/TTTextEditorDelegate.h"

class TTTextEditorInternal : public UITextViewDelegate, public UITextFieldDelegate {
public:
    explicit TTTextEditorInternal(TTTextEditor* textEditor) : _textEditor(textEditor) {}  // initWithTextEditor:
    ~TTTextEditorInternal() override;

    TTTextEditorDelegate* delegate() const { return _delegate; }
    void setDelegate(TTTextEditorDelegate* delegate) { _delegate = delegate; }  // unretained
    bool ignoreBeginAndEnd() const { return _ignoreBeginAndEnd; }
    void setIgnoreBeginAndEnd(bool on) { _ignoreBeginAndEnd = on; }

    // Text view.
    bool textViewShouldBeginEditing(UITextView*) override { return shouldBegin(); }
    bool textViewShouldEndEditing(UITextView*) override { return shouldEnd(); }
    void textViewDidBeginEditing(UITextView*) override { didBegin(); }
    void textViewDidEndEditing(UITextView*) override { didEnd(); }
    bool shouldChangeTextInRange(UITextView*, NSRange range, const std::string& text) override;
    void textViewDidChange(UITextView*) override;

    // Text field.
    bool textFieldShouldBeginEditing(UITextField*) override { return shouldBegin(); }
    bool textFieldShouldEndEditing(UITextField*) override { return shouldEnd(); }
    void textFieldDidBeginEditing(UITextField*) override { didBegin(); }
    void textFieldDidEndEditing(UITextField*) override { didEnd(); }
    bool shouldChangeCharactersInRange(UITextField*, NSRange range, const std::string& replacement) override;
    bool textFieldShouldReturn(UITextField*) override;

private:
    bool shouldBegin();
    bool shouldEnd();
    void didBegin();
    void didEnd();
    void textChanged();

    TTTextEditor* _textEditor;            // unretained: the editor owns this object
    TTTextEditorDelegate* _delegate = nullptr;  // unretained
    bool _ignoreBeginAndEnd = false;
};
