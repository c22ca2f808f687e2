#include "platform/ui/hosting/UITextView.h"

#include <cmath>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/hosting/HostingViews.h"

namespace {
constexpr double kInset = 8;
}

// Draws the wrapped text and, while editing, the caret at the end of the text.
class UITextView::ContentView : public UIView {
public:
    explicit ContentView(UITextView& owner) : owner_(owner) { makeDecorationView(*this); }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        CGRect b = CGRectInset(bounds(), kInset, kInset);
        const UIFont& f = *owner_.font_;
        if (owner_.textColor_) c->setFillColorWithColor(*owner_.textColor_);
        drawInRect(*c, owner_.text(), b, f, UILineBreakModeWordWrap, owner_.alignment_);
        if (owner_.editing_) {
            // The caret after the text: the last line's width gives its place.
            const std::string& t = owner_.text();
            CGSize all = t.empty() ? CGSizeMake(0, std::ceil(f.lineHeight())) : sizeWithFont(t, f, CGSizeMake(b.size.width, 1e6), UILineBreakModeWordWrap);
            size_t nl = t.rfind('\n');
            std::string last = nl == std::string::npos ? t : t.substr(nl + 1);
            double lw = sizeWithFont(last, f).width;
            double lh = std::ceil(f.lineHeight());
            double x = lw <= b.size.width ? lw : 0;
            double y = std::max(0.0, all.height - lh);
            if (!t.empty() && t.back() == '\n') {
                x = 0;
                y = all.height;
            }
            c->setRGBFillColor(0.26, 0.42, 0.95, 1);
            c->fillRect(CGRectMake(b.origin.x + std::floor(x), b.origin.y + y, 2, lh));
        }
    }

private:
    UITextView& owner_;
};

UITextView::UITextView(CGRect frame) : UIScrollView(frame) {
    font_ = UIFont::systemFontOfSize(17);
    textColor_ = UIColor::blackColor();
    setBackgroundColor(UIColor::whiteColor());
    setAlwaysBounceVertical(true);
    content_ = std::make_shared<ContentView>(*this);
    addSubview(content_);
    updateContentSize();
}

UITextView::~UITextView() {
    if (isFirstResponder()) UIKeyboard::shared().inputDidResignFirstResponder(this);
}

void UITextView::setDelegate(UITextViewDelegate* d) {
    textDelegate_ = d;
    UIScrollView::setDelegate(d);
}

void UITextView::setText(const std::string& text) {
    buffer_.setText(text);
    updateContentSize();
}

void UITextView::setFont(UIFontPtr font) {
    if (font) font_ = std::move(font);
    updateContentSize();
}

void UITextView::setTextColor(UIColorPtr c) {
    textColor_ = std::move(c);
    content_->setNeedsDisplay();
}

void UITextView::setTextAlignment(UITextAlignment a) {
    alignment_ = a;
    content_->setNeedsDisplay();
}

void UITextView::setSelectedRange(NSRange r) {
    buffer_.setSelectedRange(r);
    if (textDelegate_) textDelegate_->textViewDidChangeSelection(this);
}

void UITextView::setFrame(CGRect frame) {
    UIScrollView::setFrame(frame);
    updateContentSize();
}

void UITextView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    CGSize cs = contentSize();
    content_->setFrame(CGRectMake(0, 0, bounds().size.width, cs.height));
}

void UITextView::updateContentSize() {
    double w = bounds().size.width;
    double textH = text().empty() ? std::ceil(font_->lineHeight())
                                  : sizeWithFont(text(), *font_, CGSizeMake(std::max(1.0, w - 2 * kInset), 1e6), UILineBreakModeWordWrap).height;
    if (!text().empty() && text().back() == '\n') textH += std::ceil(font_->lineHeight());
    CGSize size = CGSizeMake(w, textH + 2 * kInset);
    CGSize old = contentSize();
    setContentSize(size);
    content_->setFrame(CGRectMake(0, 0, w, size.height));
    content_->setNeedsDisplay();
    if (old != size && onContentSize_) onContentSize_(size);
}

bool UITextView::canResignFirstResponder() const {
    return !textDelegate_ || textDelegate_->textViewShouldEndEditing(const_cast<UITextView*>(this));
}

bool UITextView::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!canBecomeFirstResponder()) return false;
    if (textDelegate_ && !textDelegate_->textViewShouldBeginEditing(this)) return false;
    UIKeyboard::Handover handover;
    return UIScrollView::becomeFirstResponder();
}

void UITextView::didBecomeFirstResponder() {
    editing_ = true;
    buffer_.moveCaretToEnd();
    content_->setNeedsDisplay();
    UIKeyboard::shared().inputDidBecomeFirstResponder(this);
    if (textDelegate_) textDelegate_->textViewDidBeginEditing(this);
}

void UITextView::didResignFirstResponder() {
    editing_ = false;
    content_->setNeedsDisplay();
    UIKeyboard::shared().inputDidResignFirstResponder(this);
    if (textDelegate_) textDelegate_->textViewDidEndEditing(this);
}

void UITextView::replace(NSRange range, const std::string& replacement) {
    if (textDelegate_ && !textDelegate_->shouldChangeTextInRange(this, range, replacement)) return;
    buffer_.replace(range, replacement);
    updateContentSize();
    // Keep the end of the text in view while typing at the end.
    if (buffer_.caret() == text().size()) {
        CGPoint hi = maximumContentOffset();
        if (contentOffset().y < hi.y) setContentOffset(CGPointMake(0, hi.y), false);
    }
    NSNotificationCenter::defaultCenter().postNotificationName(UITextViewTextDidChangeNotification);
    if (textDelegate_) textDelegate_->textViewDidChange(this);
}

void UITextView::insertText(const std::string& t) {
    if (!editing_) return;
    replace(buffer_.rangeForInsert(), t == "\r" ? "\n" : t);
}

void UITextView::deleteBackward() {
    if (!editing_) return;
    NSRange r = buffer_.rangeForDeleteBackward();
    if (r.length > 0) replace(r, "");
}

bool UITextView::keyPressed(int key) {
    if (!editing_) return false;
    switch (key) {
    case KeyReturn: insertText("\n"); return true;
    case KeyLeft: buffer_.moveCaretLeft(); break;
    case KeyRight: buffer_.moveCaretRight(); break;
    case KeyHome: buffer_.moveCaretToStart(); break;
    case KeyEnd: buffer_.moveCaretToEnd(); break;
    case KeyEscape: resignFirstResponder(); return true;
    default: return false;
    }
    if (textDelegate_) textDelegate_->textViewDidChangeSelection(this);
    return true;
}

void UITextView::tapEnded(CGPoint, UITouch*, UIEvent*) {
    if (editable_ && !editing_) becomeFirstResponder();
}
