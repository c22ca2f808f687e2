#include "toolkit/controls/TTTextEditorInternal.h"

#include "platform/foundation/RunLoop.h"
#include "toolkit/controls/TTTextEditor.h"

TTTextEditorInternal::~TTTextEditorInternal() { RunLoop::main().cancelPreviousPerformRequests(this); }

bool TTTextEditorInternal::shouldBegin() {
    if (_ignoreBeginAndEnd) return true;
    return _delegate ? _delegate->textEditorShouldBeginEditing(_textEditor).value_or(true) : true;
}

bool TTTextEditorInternal::shouldEnd() {
    if (_ignoreBeginAndEnd) return true;
    return _delegate ? _delegate->textEditorShouldEndEditing(_textEditor).value_or(true) : true;
}

void TTTextEditorInternal::didBegin() {
    if (_ignoreBeginAndEnd) return;
    _textEditor->didBeginEditing();
    if (_delegate) _delegate->textEditorDidBeginEditing(_textEditor);
}

void TTTextEditorInternal::didEnd() {
    if (_ignoreBeginAndEnd) return;
    _textEditor->didEndEditing();
    if (_delegate) _delegate->textEditorDidEndEditing(_textEditor);
}

bool TTTextEditorInternal::shouldChangeTextInRange(UITextView*, NSRange range, const std::string& text) {
    if (text == "\n" && _delegate && _delegate->textEditorShouldReturn(_textEditor) == false) return false;
    return _delegate ? _delegate->textEditorShouldChangeTextInRange(_textEditor, range, text).value_or(true) : true;
}

void TTTextEditorInternal::textChanged() {
    _textEditor->didChangeText(false);
    if (_delegate) _delegate->textEditorDidChange(_textEditor);
}

void TTTextEditorInternal::textViewDidChange(UITextView*) { textChanged(); }

bool TTTextEditorInternal::shouldChangeCharactersInRange(UITextField*, NSRange range, const std::string& replacement) {
    if (_delegate && _delegate->textEditorShouldChangeTextInRange(_textEditor, range, replacement) == false)
        return false;
    // The field's text changes after this answer: measure it on the next turn of the run loop.
    RunLoop::main().performAfterDelay(this, 0, [this] { textChanged(); });
    return true;
}

bool TTTextEditorInternal::textFieldShouldReturn(UITextField*) {
    if (_delegate && _delegate->textEditorShouldReturn(_textEditor) == false) return false;
    _textEditor->didChangeText(true);
    if (_delegate) _delegate->textEditorDidChange(_textEditor);
    return true;
}
