#include "platform/ui/hosting/TextEditBuffer.h"

#include <algorithm>

#include "platform/foundation/StringUtils.h"

namespace {
bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

void TextEditBuffer::setText(const std::string& text) {
    text_ = str::sanitizeUtf8(text);
    caret_ = selStart_ = text_.size();
}

size_t TextEditBuffer::byteOffset(int utf16Index) const {
    if (utf16Index <= 0) return 0;
    return std::min(text_.size(), str::utf16ToByteOffset(text_, static_cast<size_t>(utf16Index)));
}

int TextEditBuffer::utf16Index(size_t byteOffset) const {
    return static_cast<int>(str::utf16Length(std::string_view(text_).substr(0, std::min(byteOffset, text_.size()))));
}

NSRange TextEditBuffer::selectedRange() const {
    size_t a = std::min(selStart_, caret_), b = std::max(selStart_, caret_);
    int ia = utf16Index(a);
    return NSRange{ia, utf16Index(b) - ia};
}

void TextEditBuffer::setSelectedRange(NSRange range) {
    selStart_ = byteOffset(range.location);
    caret_ = byteOffset(range.location + std::max(0, range.length));
}

void TextEditBuffer::selectAll() {
    selStart_ = 0;
    caret_ = text_.size();
}

NSRange TextEditBuffer::rangeForDeleteBackward() const {
    if (hasSelection()) return selectedRange();
    if (caret_ == 0) return NSRange{0, 0};
    size_t p = caret_ - 1;
    while (p > 0 && isContinuation(static_cast<unsigned char>(text_[p]))) --p;
    int ia = utf16Index(p);
    return NSRange{ia, utf16Index(caret_) - ia};
}

void TextEditBuffer::replace(NSRange range, const std::string& replacement) {
    std::string clean = str::sanitizeUtf8(replacement);
    size_t a = byteOffset(range.location);
    size_t b = std::max(a, byteOffset(range.location + std::max(0, range.length)));
    text_.replace(a, b - a, clean);
    caret_ = selStart_ = a + clean.size();
}

void TextEditBuffer::moveCaretLeft() {
    if (hasSelection()) {
        caret_ = selStart_ = std::min(caret_, selStart_);
        return;
    }
    if (caret_ == 0) return;
    --caret_;
    while (caret_ > 0 && isContinuation(static_cast<unsigned char>(text_[caret_]))) --caret_;
    selStart_ = caret_;
}

void TextEditBuffer::moveCaretRight() {
    if (hasSelection()) {
        caret_ = selStart_ = std::max(caret_, selStart_);
        return;
    }
    if (caret_ >= text_.size()) return;
    ++caret_;
    while (caret_ < text_.size() && isContinuation(static_cast<unsigned char>(text_[caret_]))) ++caret_;
    selStart_ = caret_;
}
