#include "toolkit/controls/TTTextEditor.h"

#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/text/StringDrawing.h"

namespace {
constexpr CGFloat kMargins = 18;
constexpr CGFloat kTextInset = 31;
}  // namespace

TTTextEditor::TTTextEditor(CGRect frame) : TTView(frame) {
    _internal = std::make_unique<TTTextEditorInternal>(this);
    _textField = std::make_shared<UITextField>();
    _textField->setDelegate(_internal.get());
    addSubview(_textField);
}

TTTextEditor::~TTTextEditor() {
    RunLoop::main().cancelPreviousPerformRequests(this);
    // The controls may outlive the editor in someone's hands; they must not call into it.
    _textField->setDelegate(nullptr);
    if (_textView) _textView->setDelegate(nullptr);
}

void TTTextEditor::setDelegate(TTTextEditorDelegate* delegate) {
    _delegate = delegate;
    _internal->setDelegate(delegate);
}

void TTTextEditor::setAutoresizesToText(bool on) {
    _autoresizesToText = on;
    if (_textView) _textView->setAutoresizesToText(on);
}

UIView& TTTextEditor::activeTextField() const {
    if (_textView && !_textView->isHidden()) return *_textView;
    return *_textField;
}

const std::string& TTTextEditor::text() const {
    if (_textView && !_textView->isHidden()) return _textView->text();
    return _textField->text();
}

void TTTextEditor::setText(const std::string& text) {
    _textField->setText(text);
    if (_textView) _textView->setText(text);
    if (_autoresizesToText) constrainToText();
}

bool TTTextEditor::becomeFirstResponder() { return activeTextField().becomeFirstResponder(); }

bool TTTextEditor::resignFirstResponder() { return activeTextField().resignFirstResponder(); }

void TTTextEditor::createTextView() {
    if (_textView) return;
    _textView = std::make_shared<TTTextView>();
    _textView->setDelegate(_internal.get());
    _textView->setEditable(true);
    _textView->setBackgroundColor(UIColor::clearColor());
    _textView->setScrollsToTop(false);
    _textView->setShowsHorizontalScrollIndicator(false);
    _textView->setAutoresizesToText(_autoresizesToText);
    _textView->setFont(_textField->font());
    _textView->setTextColor(_textField->textColor());
    _textView->setAutocapitalizationType(_textField->autocapitalizationType());
    _textView->setAutocorrectionType(_textField->autocorrectionType());
    _textView->setEnablesReturnKeyAutomatically(_textField->enablesReturnKeyAutomatically());
    _textView->setKeyboardAppearance(_textField->keyboardAppearance());
    _textView->setKeyboardType(_textField->keyboardType());
    _textView->setReturnKeyType(_textField->returnKeyType());
    addSubview(_textView);
    setNeedsLayout();
}

void TTTextEditor::layoutSubviews() {
    TTView::layoutSubviews();
    CGSize size = bounds().size;
    if (_textView) _textView->setFrame(CGRectMake(0, 2, size.width - 16, size.height));
    _textField->setFrame(CGRectMake(7, 10, size.width - 23, size.height - 8));
}

CGFloat TTTextEditor::heightThatFits(bool* overflowed, int* numberOfLines) const {
    const UIFont& font = *_textField->font();
    // Measured text comes in whole points a line; lines counted in anything else come out short.
    CGFloat lineHeight = std::ceil(font.lineHeight() - 1e-6);
    CGFloat minHeight = _minNumberOfLines * lineHeight;
    CGFloat maxHeight = _maxNumberOfLines * lineHeight;

    std::string text = _textField->isHidden() && _textView ? _textView->text() : _textField->text();
    // A final line feed is counted below, once: the measuring would count its empty line too.
    bool endsInLineFeed = !text.empty() && text.back() == '\n';
    if (endsInLineFeed) text.pop_back();
    if (text.empty()) text = "M";
    CGFloat width = bounds().size.width - kTextInset;
    CGFloat textHeight = sizeWithFont(text, font, CGSizeMake(width, 1e9), UILineBreakModeWordWrap).height;

    CGFloat height = textHeight;
    if (endsInLineFeed) height += lineHeight;
    if (_showsExtraLine) height += lineHeight;

    if (overflowed) *overflowed = _maxNumberOfLines > 0 && height > maxHeight;
    if (numberOfLines) *numberOfLines = static_cast<int>(std::floor(textHeight / lineHeight));

    if (height < minHeight) height = minHeight;
    if (_maxNumberOfLines > 0 && height > maxHeight) height = maxHeight;
    return height + kMargins;
}

CGSize TTTextEditor::sizeThatFits(CGSize size) const {
    return CGSizeMake(size.width, heightThatFits(nullptr, nullptr));
}

void TTTextEditor::swapTo(UIView& control) {
    _internal->setIgnoreBeginAndEnd(true);
    control.becomeFirstResponder();
    RunLoop::main().performAfterDelay(this, 0, [this] { stopIgnoringBeginAndEnd(); });
}

void TTTextEditor::showTextView(const std::string& text) {
    createTextView();
    _textField->setHidden(true);
    _textView->setHidden(false);
    _textView->setText(text);
    swapTo(*_textView);
}

void TTTextEditor::constrainToText() {
    CGFloat oldHeight = frame().size.height;
    int lines = 0;
    CGFloat height = heightThatFits(&_overflowed, &lines);

    if (lines >= 2 && !_textField->isHidden()) {
        showTextView(_textField->text());
    } else if (lines == 1 && _textField->isHidden()) {
        _textField->setHidden(false);
        if (_textView) {
            _textView->setHidden(true);
            _textField->setText(_textView->text());
        }
        swapTo(*_textField);
    }

    if (_textView) {
        _textView->setOverflowed(_overflowed);
        _textView->setScrollEnabled(_overflowed);
    }

    if (oldHeight && height != oldHeight) {
        if (_delegate && _delegate->textEditorShouldResizeBy(this, height - oldHeight) == false) return;
        CGRect f = frame();
        f.size.height = height;
        setFrame(f);
    }
}

void TTTextEditor::didChangeText(bool insertsReturn) {
    if (insertsReturn) showTextView(_textField->text() + "\n ");
    if (_autoresizesToText) constrainToText();
}

void TTTextEditor::scrollContainerToCursor(UIScrollView& scrollView) {
    if (!_textView || !_textView->hasText()) return;
    CGFloat contentHeight = scrollView.contentSize().height;
    if (contentHeight > scrollView.frame().size.height) {
        NSRange selection = _textView->selectedRange();
        if (static_cast<size_t>(selection.location) == str::utf16Length(_textView->text()))
            scrollView.scrollRectToVisible(CGRectMake(0, contentHeight - 1, 1, 1), false);
    } else {
        scrollView.scrollRectToVisible(CGRectMake(0, 0, 1, 1), false);
    }
}
