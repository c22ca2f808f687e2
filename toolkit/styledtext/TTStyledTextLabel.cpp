#include "toolkit/styledtext/TTStyledTextLabel.h"

#include "platform/graphics/CGContext.h"
#include "platform/services/UIPasteboard.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UITableView.h"
#include "toolkit/style/TTStyleSheet.h"
#include "toolkit/styledtext/TTStyledLinkNode.h"

TTStyledTextLabel::TTStyledTextLabel(CGRect frame) : UIView(frame) {
    const TTStyleSheetPtr sheet = TTStyleSheet::globalStyleSheet();
    font_ = sheet->font();
    setBackgroundColor(sheet->backgroundColor());
    setContentMode(UIViewContentModeRedraw);
}

TTStyledTextLabel::~TTStyledTextLabel() {
    if (text_) text_->setDelegate(nullptr);
}

void TTStyledTextLabel::setText(TTStyledTextPtr text) {
    if (text == text_) return;
    if (text_) text_->setDelegate(nullptr);
    highlightedFrame_ = nullptr;
    highlightedNode_ = nullptr;
    text_ = std::move(text);
    if (text_) {
        text_->setFont(font_);
        text_->setDelegate(this);
    }
    setNeedsLayout();
    setNeedsDisplay();
}

std::string TTStyledTextLabel::html() const { return text_ ? text_->description() : std::string(); }

void TTStyledTextLabel::setHtml(const std::string& html) { setText(TTStyledText::textFromXHTML(html)); }

void TTStyledTextLabel::setFont(UIFontPtr font) {
    if (font == font_) return;
    font_ = std::move(font);
    if (text_) text_->setFont(font_);
    setNeedsLayout();
}

const UIColorPtr& TTStyledTextLabel::textColor() {
    if (!textColor_) textColor_ = TTStyleSheet::globalStyleSheet()->textColor();
    return textColor_;
}

void TTStyledTextLabel::setTextColor(UIColorPtr color) {
    if (color == textColor_) return;
    textColor_ = std::move(color);
    setNeedsDisplay();
}

const UIColorPtr& TTStyledTextLabel::highlightedTextColor() {
    if (!highlightedTextColor_) highlightedTextColor_ = TTStyleSheet::globalStyleSheet()->highlightedTextColor();
    return highlightedTextColor_;
}

void TTStyledTextLabel::setHighlightedTextColor(UIColorPtr color) {
    if (color == highlightedTextColor_) return;
    highlightedTextColor_ = std::move(color);
    setNeedsDisplay();
}

void TTStyledTextLabel::setHighlightedNode(TTStyledElement* node) {
    if (node == highlightedNode_) return;
    if (!node) setHighlightedFrame(nullptr);
    else highlightedNode_ = node;
}

std::string TTStyledTextLabel::highlightStyleName(TTStyledBoxFrame* frame) {
    TTStyledElement* element = frame ? frame->element() : nullptr;
    if (!element) return {};
    std::string name = element->className();
    if (name.empty() && dynamic_cast<TTStyledLinkNode*>(element)) name = "linkText:";
    return name.find(':') == std::string::npos ? std::string() : name;
}

UITableView* TTStyledTextLabel::enclosingTable() const {
    for (UIView* v = superview(); v; v = v->superview())
        if (auto* table = dynamic_cast<UITableView*>(v)) return table;
    return nullptr;
}

void TTStyledTextLabel::setHighlightedFrame(TTStyledBoxFrame* frame) {
    if (frame == highlightedFrame_) return;
    TTStyledBoxFrame* concerned = frame ? frame : highlightedFrame_;
    const std::string name = highlightStyleName(concerned);
    if (name.empty()) return;
    const TTStyleSheetPtr sheet = TTStyleSheet::globalStyleSheet();
    if (frame) {
        setStyle(sheet->styleWithSelector(name, 1), frame);
        highlightedFrame_ = frame;
        highlightedNode_ = frame->element();
    } else {
        setStyle(sheet->styleWithSelector(name, 0), highlightedFrame_);
        highlightedFrame_ = nullptr;
        highlightedNode_ = nullptr;
    }
    if (UITableView* table = enclosingTable()) table->setHighlightedLinkView(frame ? this : nullptr);
    setNeedsDisplay();
}

void TTStyledTextLabel::setStyle(const TTStylePtr& style, TTStyledBoxFrame* frame) {
    auto* piece = dynamic_cast<TTStyledInlineFrame*>(frame);
    if (!piece) {
        if (frame) frame->setStyle(style);
        return;
    }
    while (piece->inlinePreviousFrame()) piece = piece->inlinePreviousFrame();
    for (; piece; piece = piece->inlineNextFrame()) piece->setStyle(style);
}

void TTStyledTextLabel::copy() {
    const std::string plain = text_ && text_->rootNode() ? text_->rootNode()->outerText() : std::string();
    (void)UIPasteboard::generalPasteboard().setValue(plain, kUTTypeUTF8PlainText);
}

void TTStyledTextLabel::layoutSubviews() {
    if (text_) text_->setWidth(bounds().size.width - (contentInset_.left + contentInset_.right));
}

CGSize TTStyledTextLabel::sizeThatFits(CGSize) const {
    const_cast<TTStyledTextLabel*>(this)->layoutIfNeeded();
    if (!text_) return CGSizeMake(contentInset_.left + contentInset_.right, contentInset_.top + contentInset_.bottom);
    return CGSizeMake(text_->width() + contentInset_.left + contentInset_.right,
                      text_->height() + contentInset_.top + contentInset_.bottom);
}

void TTStyledTextLabel::drawRect(CGRect rect) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx || !text_) return;
    ctx->setFillColorWithColor(*(highlighted_ ? highlightedTextColor() : textColor()));
    text_->drawAtPoint(CGPointMake(rect.origin.x + contentInset_.left, rect.origin.y + contentInset_.top), highlighted_);
}

void TTStyledTextLabel::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (text_ && !touches.empty()) {
        CGPoint p = (*touches.begin())->locationInView(this);
        p.x -= contentInset_.left;
        p.y -= contentInset_.top;
        if (TTStyledBoxFrame* frame = text_->hitTest(p)) setHighlightedFrame(frame);
    }
    UIView::touchesBegan(touches, event);
}

void TTStyledTextLabel::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!enclosingTable() && highlightedNode_) {
        performHighlightedLink();
        setHighlightedFrame(nullptr);
    }
    UIView::touchesEnded(touches, event);
}

void TTStyledTextLabel::performHighlightedLink() {
    if (highlightedNode_) highlightedNode_->performDefaultAction();
}
