#pragma once
// The editable text of a text field or text view: UTF-8 text with a caret and a
// selection kept on code point boundaries, and the UTF-16 ranges that delegates see.

#include <string>

#include "platform/ui/hosting/UIHostingTypes.h"

class TextEditBuffer {
public:
    const std::string& text() const { return text_; }
    // Replaces everything; the caret goes to the end.
    void setText(const std::string& text);
    // Byte offsets.
    size_t caret() const { return caret_; }
    size_t selectionStart() const { return selStart_; }
    bool hasSelection() const { return selStart_ != caret_; }
    NSRange selectedRange() const;  // UTF-16
    void setSelectedRange(NSRange range);
    void selectAll();
    // The range typing or deleting would replace (UTF-16): the selection, or the
    // character before the caret for a delete.
    NSRange rangeForInsert() const { return selectedRange(); }
    NSRange rangeForDeleteBackward() const;
    // Replaces a UTF-16 range and puts the caret after the new text.
    void replace(NSRange range, const std::string& replacement);
    void moveCaretLeft();
    void moveCaretRight();
    void moveCaretToStart() { caret_ = selStart_ = 0; }
    void moveCaretToEnd() { caret_ = selStart_ = text_.size(); }

private:
    size_t byteOffset(int utf16Index) const;
    int utf16Index(size_t byteOffset) const;
    std::string text_;
    size_t caret_ = 0;
    size_t selStart_ = 0;
};
