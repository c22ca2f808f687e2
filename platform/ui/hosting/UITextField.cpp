#include "platform/ui/hosting/UITextField.h"

#include <cmath>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/UITouch.h"

namespace {
constexpr double kBlink = 0.5;
constexpr double kClearSize = 19;
}  // namespace

UITextField::UITextField(CGRect frame) : UIControl(frame) {
    font_ = UIFont::systemFontOfSize(17);
    textColor_ = UIColor::blackColor();
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
}

UITextField::~UITextField() {
    if (blink_) blink_->invalidate();
    if (isFirstResponder()) {
        UIKeyboard::shared().inputDidResignFirstResponder(this);
    }
}

void UITextField::setText(const std::string& text) {
    buffer_.setText(text);
    setNeedsDisplay();
}

void UITextField::setPlaceholder(const std::string& p) {
    placeholder_ = p;
    setNeedsDisplay();
}

void UITextField::setFont(UIFontPtr font) {
    if (font) font_ = std::move(font);
    setNeedsDisplay();
}

void UITextField::setTextColor(UIColorPtr c) {
    textColor_ = std::move(c);
    setNeedsDisplay();
}

void UITextField::setTextAlignment(UITextAlignment a) {
    alignment_ = a;
    setNeedsDisplay();
}

void UITextField::setBorderStyle(UITextBorderStyle s) {
    borderStyle_ = s;
    setNeedsDisplay();
}

void UITextField::setClearButtonMode(UITextFieldViewMode m) {
    clearButtonMode_ = m;
    setNeedsDisplay();
}

void UITextField::setLeftView(std::shared_ptr<UIView> v) {
    if (leftView_) leftView_->removeFromSuperview();
    leftView_ = std::move(v);
    if (leftView_) addSubview(leftView_);
    setNeedsLayout();
}

void UITextField::setLeftViewMode(UITextFieldViewMode m) {
    leftViewMode_ = m;
    setNeedsLayout();
}

void UITextField::setSecureTextEntry(bool on) {
    secure_ = on;
    setNeedsDisplay();
}

void UITextField::setSelectedRange(NSRange r) {
    buffer_.setSelectedRange(r);
    setNeedsDisplay();
}

void UITextField::selectAll() {
    buffer_.selectAll();
    setNeedsDisplay();
}

static bool modeShows(UITextFieldViewMode m, bool editing) {
    return m == UITextFieldViewModeAlways || (m == UITextFieldViewModeWhileEditing && editing) ||
           (m == UITextFieldViewModeUnlessEditing && !editing);
}

bool UITextField::showsClearButton() const { return !text().empty() && modeShows(clearButtonMode_, editing_); }
bool UITextField::showsLeftView() const { return leftView_ && modeShows(leftViewMode_, editing_); }

CGRect UITextField::clearButtonRectForBounds(CGRect b) const {
    return CGRectMake(b.size.width - kClearSize - 6, std::floor((b.size.height - kClearSize) / 2), kClearSize, kClearSize);
}

CGSize UITextField::sizeThatFits(CGSize) const {
    const double border = borderStyle_ == UITextBorderStyleNone ? 0 : 12;
    return CGSizeMake(bounds().size.width, std::ceil(font_->lineHeight()) + border);
}

CGRect UITextField::textRectForBounds(CGRect b) const {
    double left = borderStyle_ == UITextBorderStyleNone ? 0 : 8;
    double right = borderStyle_ == UITextBorderStyleNone ? 0 : 8;
    if (showsLeftView()) left = std::max(left, CGRectGetMaxX(leftView_->frame()) + 4);
    if (showsClearButton()) right = kClearSize + 10;
    return CGRectMake(left, 0, std::max(0.0, b.size.width - left - right), b.size.height);
}

void UITextField::layoutSubviews() {
    if (leftView_) {
        leftView_->setHidden(!showsLeftView());
        CGSize s = leftView_->frame().size;
        leftView_->setFrame(CGRectMake(borderStyle_ == UITextBorderStyleNone ? 0 : 6, std::floor((bounds().size.height - s.height) / 2), s.width, s.height));
    }
}

std::string UITextField::displayText() const {
    if (!secure_) return text();
    std::string dots;
    for (size_t i = 0, n = str::utf16Length(text()); i < n; ++i) dots += "\u2022";
    return dots;
}

bool UITextField::canResignFirstResponder() const {
    return !delegate_ || delegate_->textFieldShouldEndEditing(const_cast<UITextField*>(this));
}

bool UITextField::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (!canBecomeFirstResponder()) return false;
    if (delegate_ && !delegate_->textFieldShouldBeginEditing(this)) return false;
    UIKeyboard::Handover handover;
    return UIControl::becomeFirstResponder();
}

void UITextField::didBecomeFirstResponder() {
    editing_ = true;
    if (clearsOnBeginEditing_) buffer_.setText("");
    buffer_.moveCaretToEnd();
    restartBlink();
    setNeedsLayout();
    setNeedsDisplay();
    UIKeyboard::shared().inputDidBecomeFirstResponder(this);
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    if (delegate_) delegate_->textFieldDidBeginEditing(this);
}

void UITextField::didResignFirstResponder() {
    editing_ = false;
    if (blink_) blink_->invalidate();
    blink_.reset();
    setNeedsLayout();
    setNeedsDisplay();
    UIKeyboard::shared().inputDidResignFirstResponder(this);
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    if (delegate_) delegate_->textFieldDidEndEditing(this);
}

void UITextField::restartBlink() {
    caretOn_ = true;
    if (blink_) blink_->invalidate();
    std::weak_ptr<UIView> weak = weak_from_this();
    blink_ = NSTimer::scheduledTimer(kBlink, true, [weak](NSTimer& t) {
        auto self = std::static_pointer_cast<UITextField>(weak.lock());
        if (!self) {
            t.invalidate();
            return;
        }
        self->caretOn_ = !self->caretOn_;
        self->setNeedsDisplay();
    });
}

void UITextField::replace(NSRange range, const std::string& replacement) {
    if (delegate_ && !delegate_->shouldChangeCharactersInRange(this, range, replacement)) return;
    buffer_.replace(range, replacement);
    textChanged();
}

void UITextField::textChanged() {
    restartBlink();
    setNeedsLayout();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
    NSNotificationCenter::defaultCenter().postNotificationName(UITextFieldTextDidChangeNotification);
}

void UITextField::insertText(const std::string& t) {
    if (!editing_) return;
    if (t == "\n" || t == "\r") {
        keyPressed(KeyReturn);
        return;
    }
    // One line: line ends in pasted text become spaces.
    std::string clean = t;
    for (char& ch : clean)
        if (ch == '\n' || ch == '\r') ch = ' ';
    replace(buffer_.rangeForInsert(), clean);
}

void UITextField::deleteBackward() {
    if (!editing_) return;
    NSRange r = buffer_.rangeForDeleteBackward();
    if (r.length == 0) return;
    replace(r, "");
}

bool UITextField::keyPressed(int key) {
    if (!editing_) return false;
    switch (key) {
    case KeyReturn:
        if (delegate_ && !delegate_->textFieldShouldReturn(this)) return true;
        sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
        return true;
    case KeyLeft: buffer_.moveCaretLeft(); break;
    case KeyRight: buffer_.moveCaretRight(); break;
    case KeyHome: buffer_.moveCaretToStart(); break;
    case KeyEnd: buffer_.moveCaretToEnd(); break;
    case KeyDelete: {
        if (buffer_.hasSelection()) {
            replace(buffer_.selectedRange(), "");
        } else {
            buffer_.moveCaretRight();
            NSRange r = buffer_.rangeForDeleteBackward();
            if (r.length > 0) replace(r, "");
        }
        return true;
    }
    case KeyEscape: resignFirstResponder(); return true;
    default: return false;
    }
    restartBlink();
    setNeedsDisplay();
    return true;
}

void UITextField::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    UIControl::touchesEnded(touches, event);
    if (!isEnabled()) return;
    CGPoint p = (*touches.begin())->locationInView(this);
    if (!CGRectContainsPoint(bounds(), p)) return;
    if (editing_ && showsClearButton() && CGRectContainsPoint(CGRectInset(clearButtonRectForBounds(bounds()), -6, -6), p)) {
        if (delegate_ && !delegate_->textFieldShouldClear(this)) return;
        buffer_.setText("");
        textChanged();
        return;
    }
    if (!editing_) becomeFirstResponder();
}

void UITextField::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    switch (borderStyle_) {
    case UITextBorderStyleRoundedRect:
        c->setRGBFillColor(1, 1, 1, 1);
        c->addRoundedRect(CGRectInset(b, 0.5, 0.5), 7);
        c->fillPath();
        c->setRGBStrokeColor(0.55, 0.55, 0.58, 1);
        c->setLineWidth(1);
        c->addRoundedRect(CGRectInset(b, 0.5, 0.5), 7);
        c->strokePath();
        break;
    case UITextBorderStyleLine:
    case UITextBorderStyleBezel:
        c->setRGBFillColor(1, 1, 1, 1);
        c->fillRect(b);
        c->setRGBStrokeColor(0.3, 0.3, 0.3, 1);
        c->strokeRectWithWidth(CGRectInset(b, 0.5, 0.5), 1);
        break;
    default: break;
    }
    CGRect tr = textRectForBounds(b);
    double lh = std::ceil(font_->lineHeight());
    CGRect line = CGRectMake(tr.origin.x, std::floor((b.size.height - lh) / 2), tr.size.width, lh);
    std::string shown = displayText();
    if (shown.empty() && !placeholder_.empty()) {
        c->setRGBFillColor(0.7, 0.7, 0.7, 1);
        drawInRect(*c, placeholder_, line, *font_, UILineBreakModeTailTruncation, alignment_);
    } else {
        // Long text scrolls so the caret stays in view.
        double full = std::ceil(sizeWithFont(shown, *font_).width);
        double before = std::ceil(sizeWithFont(displayText().substr(0, secure_ ? 0 : buffer_.caret()), *font_).width);
        if (secure_) before = full;
        double shift = 0;
        if (editing_ && before > tr.size.width - 2) shift = before - tr.size.width + 2;
        c->saveGState();
        c->clipToRect(tr);
        if (buffer_.hasSelection() && editing_) {
            NSRange r = buffer_.selectedRange();
            double x0 = std::ceil(sizeWithFont(str::utf16Substring(shown, 0, static_cast<size_t>(r.location)), *font_).width);
            double x1 = std::ceil(sizeWithFont(str::utf16Substring(shown, 0, static_cast<size_t>(r.location + r.length)), *font_).width);
            c->setRGBFillColor(0.7, 0.82, 0.97, 1);
            c->fillRect(CGRectMake(line.origin.x + x0 - shift, line.origin.y, x1 - x0, lh));
        }
        if (textColor_) c->setFillColorWithColor(*textColor_);
        CGRect textRect = line;
        UITextAlignment align = alignment_;
        if (shift > 0) {
            textRect = CGRectMake(line.origin.x - shift, line.origin.y, full + 4, lh);
            align = UITextAlignmentLeft;
        }
        drawInRect(*c, shown, textRect, *font_, UILineBreakModeClip, align);
        if (caretVisible() && !buffer_.hasSelection()) {
            double x = line.origin.x + before - shift;
            if (align == UITextAlignmentCenter) x = line.origin.x + (tr.size.width - full) / 2 + before;
            else if (align == UITextAlignmentRight) x = line.origin.x + tr.size.width - full + before;
            c->setRGBFillColor(0.26, 0.42, 0.95, 1);
            c->fillRect(CGRectMake(std::floor(x), line.origin.y, 2, lh));
        }
        c->restoreGState();
    }
    if (showsClearButton()) {
        CGRect r = clearButtonRectForBounds(b);
        c->setRGBFillColor(0.7, 0.7, 0.72, 1);
        c->fillEllipseInRect(r);
        c->setRGBStrokeColor(1, 1, 1, 1);
        c->setLineWidth(2);
        double cx = CGRectGetMidX(r), cy = CGRectGetMidY(r);
        c->beginPath();
        c->moveToPoint(cx - 4, cy - 4);
        c->addLineToPoint(cx + 4, cy + 4);
        c->moveToPoint(cx + 4, cy - 4);
        c->addLineToPoint(cx - 4, cy + 4);
        c->strokePath();
    }
}
