#include "toolkit/styledtext/TTStyledLayout.h"

#include <algorithm>

#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTStyleSheet.h"
#include "toolkit/style/TTTextStyle.h"
#include "toolkit/styledtext/TTStyledCharacters.h"
#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledLinkNode.h"
#include "toolkit/styledtext/TTWordMeasure.h"

const UIFontPtr& TTStyledLayout::font() {
    if (!font_) font_ = TTStyleSheet::globalStyleSheet()->font();
    return font_;
}

void TTStyledLayout::setFont(UIFontPtr font) {
    if (font == font_) return;
    font_ = std::move(font);
    boldFont_.reset();
    italicFont_.reset();
}

const UIFontPtr& TTStyledLayout::boldFont() {
    if (!boldFont_) boldFont_ = UIFont::boldSystemFontOfSize(font()->pointSize());
    return boldFont_;
}

const UIFontPtr& TTStyledLayout::italicFont() {
    if (!italicFont_) italicFont_ = UIFont::italicSystemFontOfSize(font()->pointSize());
    return italicFont_;
}

const TTStylePtr& TTStyledLayout::linkStyle() {
    if (!linkStyleFetched_) {
        linkStyle_ = TTStyleSheet::globalStyleSheet()->styleWithSelector("linkText:");
        linkStyleFetched_ = true;
    }
    return linkStyle_;
}

CGSize TTStyledLayout::measure(const std::string& text, CGFloat width) {
    return TTWordMeasure::sizeOf(text, *font(), width);
}

// Frames.

void TTStyledLayout::addFrame(TTStyledFramePtr frame) {
    TTStyledFrame* added = frame.get();
    if (!rootFrame_) rootFrame_ = std::move(frame);
    else if (topFrame_ && !topFrame_->firstChildFrame()) topFrame_->setFirstChildFrame(std::move(frame));
    else lastFrame_->setNextFrame(std::move(frame));
    lastFrame_ = added;
}

void TTStyledLayout::pushFrame(const std::shared_ptr<TTStyledBoxFrame>& frame) {
    addFrame(frame);
    frame->setParentFrame(topFrame_);
    topFrame_ = frame.get();
}

void TTStyledLayout::popFrame() {
    lastFrame_ = topFrame_;
    topFrame_ = topFrame_ ? topFrame_->parentFrame() : nullptr;
}

void TTStyledLayout::addContentFrame(TTStyledFramePtr frame, CGFloat width) {
    TTStyledFrame* added = frame.get();
    addFrame(std::move(frame));
    if (!lineFirstFrame_) lineFirstFrame_ = added;
    x_ += width;
}

void TTStyledLayout::addContentFrame(TTStyledFramePtr frame, CGFloat width, CGFloat height) {
    frame->setBounds(CGRectMake(x_, height_, width, height));
    addContentFrame(std::move(frame), width);
}

void TTStyledLayout::addAbsoluteFrame(TTStyledFramePtr frame, CGFloat width, CGFloat height) {
    frame->setBounds(CGRectMake(x_, height_, width, height));
    addFrame(std::move(frame));
}

TTStyledInlineFrame* TTStyledLayout::addInlineFrame(TTStylePtr style, TTStyledElement* element, CGFloat width,
                                                    CGFloat height) {
    auto frame = std::make_shared<TTStyledInlineFrame>(element);
    frame->setStyle(std::move(style));
    frame->setBounds(CGRectMake(x_, height_, width, height));
    pushFrame(frame);
    if (!lineFirstFrame_) lineFirstFrame_ = frame.get();
    return frame.get();
}

TTStyledBoxFrame* TTStyledLayout::addBlockFrame(TTStylePtr style, TTStyledElement* element, CGFloat width,
                                                CGFloat height) {
    auto frame = std::make_shared<TTStyledBoxFrame>(element);
    frame->setStyle(std::move(style));
    frame->setBounds(CGRectMake(x_, height_, width, height));
    pushFrame(frame);
    return frame.get();
}

TTStyledInlineFrame* TTStyledLayout::cloneInlineFrame(TTStyledInlineFrame* frame) {
    if (TTStyledInlineFrame* parent = frame->inlineParentFrame()) cloneInlineFrame(parent);
    TTStyledInlineFrame* clone = addInlineFrame(frame->style(), frame->element(), 0, 0);
    clone->setInlinePreviousFrame(frame);
    frame->setInlineNextFrame(clone);
    return clone;
}

void TTStyledLayout::addFrameForText(const std::string& text, TTStyledElement* element, TTStyledTextNode* node,
                                     CGFloat width, CGFloat height) {
    auto frame = std::make_shared<TTStyledTextFrame>(text, element, node);
    frame->setFont(font());
    addContentFrame(std::move(frame), width, height);
}

void TTStyledLayout::expandLineWidth(CGFloat width) {
    lineWidth_ += width;
    for (TTStyledInlineFrame* f = inlineFrame_; f; f = f->inlineParentFrame()) f->setWidth(f->width() + width);
}

void TTStyledLayout::inflateLineHeight(CGFloat height) {
    if (height > lineHeight_) lineHeight_ = height;
    for (TTStyledInlineFrame* f = inlineFrame_; f; f = f->inlineParentFrame())
        if (f->height() < height) f->setHeight(height);
}

void TTStyledLayout::offsetFrame(TTStyledFrame* frame, CGFloat dy) {
    frame->setY(frame->y() + dy);
    if (auto* inlineFrame = dynamic_cast<TTStyledInlineFrame*>(frame))
        for (TTStyledFrame* child = inlineFrame->firstChildFrame().get(); child; child = child->nextFrame().get())
            offsetFrame(child, dy);
}

void TTStyledLayout::breakLine() {
    for (TTStyledInlineFrame* f = inlineFrame_; f; f = f->inlineParentFrame()) {
        auto box = f->style() ? f->style()->firstStyleOfClass<TTBoxStyle>() : nullptr;
        if (!box) continue;
        for (TTStyledInlineFrame* g = f; g; g = g->inlineParentFrame()) {
            g->setY(g->y() - box->padding.top);
            g->setHeight(g->height() + box->padding.top + box->padding.bottom);
        }
    }
    if (lineFirstFrame_ && lineFirstFrame_->nextFrame()) {
        for (TTStyledFrame* f = lineFirstFrame_; f; f = f->nextFrame().get()) {
            if (f->height() >= lineHeight_) continue;
            const UIFontPtr own = f->font();
            const UIFontPtr& frameFont = own ? own : font();
            offsetFrame(f, lineHeight_ - (f->height() - frameFont->descender()));
        }
    }
    height_ += lineHeight_;
    checkFloats();
    lineWidth_ = 0;
    lineHeight_ = 0;
    x_ = minX_;
    lineFirstFrame_ = nullptr;
    if (inlineFrame_) {
        while (dynamic_cast<TTStyledInlineFrame*>(topFrame_)) popFrame();
        inlineFrame_ = cloneInlineFrame(inlineFrame_);
    }
}

void TTStyledLayout::checkFloats() {
    if (floatHeight_ && height_ > floatHeight_) {
        minX_ -= floatLeftWidth_;
        width_ += floatLeftWidth_ + floatRightWidth_;
        floatLeftWidth_ = floatRightWidth_ = floatHeight_ = 0;
    }
}

void TTStyledLayout::placeFloat(TTStyledFrame* frame, int position, CGFloat outerWidth, CGFloat outerHeight) {
    if (position == TTPositionFloatLeft) {
        frame->setX(frame->x() + floatLeftWidth_);
        floatLeftWidth_ += outerWidth;
        minX_ += outerWidth;
    } else {
        frame->setX(frame->x() + width_ - (floatRightWidth_ + outerWidth));
        floatRightWidth_ += outerWidth;
        x_ -= outerWidth;
    }
    floatHeight_ = std::max(floatHeight_, height_ + outerHeight);
    width_ -= outerWidth;
}

// The walk.

void TTStyledLayout::layout(TTStyledNode* node) {
    layout(node, nullptr);
    if (lineWidth_) breakLine();
}

void TTStyledLayout::layout(TTStyledNode* node, TTStyledElement* container) {
    for (; node; node = node->nextSibling().get()) {
        if (auto* image = dynamic_cast<TTStyledImageNode*>(node)) layoutImage(image, container);
        else if (auto* element = dynamic_cast<TTStyledElement*>(node)) layoutElement(element);
        else if (auto* text = dynamic_cast<TTStyledTextNode*>(node)) layoutText(text, container);
    }
}

void TTStyledLayout::layoutElement(TTStyledElement* element) {
    const bool isLink = dynamic_cast<TTStyledLinkNode*>(element) != nullptr;
    TTStylePtr style;
    if (!element->className().empty()) style = TTStyleSheet::globalStyleSheet()->styleWithSelector(element->className());
    if (!style && isLink) style = linkStyle();

    UIFontPtr chosen;
    if (style)
        if (auto text = style->firstStyleOfClass<TTTextStyle>(); text && text->font) chosen = text->font;
    if (!chosen) {
        if (isLink || dynamic_cast<TTStyledBoldNode*>(element)) chosen = boldFont();
        else if (dynamic_cast<TTStyledItalicNode*>(element)) chosen = italicFont();
        else chosen = font();
    }
    const UIFontPtr lastFont = font();
    setFont(chosen);

    const std::shared_ptr<TTBoxStyle> box = style ? style->firstStyleOfClass<TTBoxStyle>() : nullptr;
    if (box && box->position != TTPositionStatic) {
        layoutPositioned(element, style, *box, lastFont);
        return;
    }

    const CGFloat minX = minX_, width = width_, floatLeft = floatLeftWidth_, floatRight = floatRightWidth_,
                  floatHeight = floatHeight_;
    const bool isBlock = dynamic_cast<TTStyledBlock*>(element) != nullptr;
    TTStyledBoxFrame* blockFrame = nullptr;
    TTStyledInlineFrame* inlineFrame = nullptr;

    if (isBlock) {
        if (box) {
            x_ += box->margin.left;
            minX_ += box->margin.left;
            width_ -= box->margin.left + box->margin.right;
            height_ += box->margin.top;
        }
        if (rootFrame_) {
            if (dynamic_cast<TTStyledLineBreakNode*>(element) && lineHeight_ == 0) lineHeight_ = tt::lineHeight(*font());
            breakLine();
        }
        if (style) blockFrame = addBlockFrame(style, element, width_, height_);
    } else {
        if (box) x_ += box->margin.left;
        if (style) {
            inlineFrame = addInlineFrame(style, element, 0, 0);
            inlineFrame_ = inlineFrame;
        }
    }

    if (box) {
        if (isBlock) minX_ += box->padding.left;
        width_ -= box->padding.left + box->padding.right;
        x_ += box->padding.left;
        expandLineWidth(box->padding.left);
        if (isBlock) height_ += box->padding.top;
    }

    layout(element->firstChild().get(), element);

    if (isBlock) {
        minX_ = minX;
        width_ = width;
        floatLeftWidth_ = floatLeft;
        floatRightWidth_ = floatRight;
        floatHeight_ = floatHeight;
        breakLine();
        if (box) height_ += box->padding.bottom;
        if (blockFrame) {
            CGFloat frameHeight = height_ - blockFrame->y();
            if (box && frameHeight < box->minSize.height) {
                height_ += box->minSize.height - frameHeight;
                frameHeight = box->minSize.height;
            }
            blockFrame->setHeight(frameHeight);
        }
        if (box) height_ += box->margin.bottom;
        setFont(lastFont);
        if (blockFrame) popFrame();
    } else if (inlineFrame) {
        if (box) {
            const CGFloat right = box->padding.right + box->margin.right;
            x_ += right;
            lineWidth_ += right;
            for (TTStyledInlineFrame* f = inlineFrame_; f; f = f->inlineParentFrame()) {
                f->setWidth(f->width() + box->padding.right + (f == inlineFrame_ ? 0 : box->margin.right));
                f->setY(f->y() - box->padding.top);
                f->setHeight(f->height() + box->padding.top + box->padding.bottom);
            }
        }
        inlineFrame_ = inlineFrame_ ? inlineFrame_->inlineParentFrame() : nullptr;
        setFont(lastFont);
        popFrame();
    } else {
        setFont(lastFont);
    }
}

void TTStyledLayout::layoutPositioned(TTStyledElement* element, const TTStylePtr& style, const TTBoxStyle& box,
                                      const UIFontPtr& lastFont) {
    TTStyledBoxFrame* blockFrame = addBlockFrame(style, element, width_, height_);
    if (!element->firstChild()) {
        setFont(lastFont);
        popFrame();
        return;
    }
    TTStyledLayout sub(minX_, 0, height_);
    sub.setFont(font());
    if (!invalidImages_) invalidImages_ = std::make_shared<std::vector<TTStyledImageNode*>>();
    sub.setInvalidImages(invalidImages_);
    sub.layout(element->firstChild().get());

    const CGFloat contentHeight = sub.height() - height_;
    const CGFloat outerWidth = sub.width() + box.margin.left + box.margin.right;
    const CGFloat outerHeight = contentHeight + box.margin.top + box.margin.bottom;
    if (TTStyledFramePtr content = sub.rootFrame_) {
        TTStyledFrame* added = content.get();
        addContentFrame(std::move(content), sub.width());
        if (box.position != TTPositionAbsolute) placeFloat(added, box.position, outerWidth, outerHeight);
    }
    blockFrame->setWidth(sub.width() + box.padding.left + box.padding.right);
    blockFrame->setHeight(contentHeight + box.padding.top + box.padding.bottom);
    setFont(lastFont);
    popFrame();
}

void TTStyledLayout::layoutText(TTStyledTextNode* node, TTStyledElement* container) {
    const std::string& text = node->text();
    if (!node->nextSibling() && node == rootNode_) {
        const CGSize size = measure(text, width_);
        addFrameForText(text, container, node, size.width, size.height);
        height_ += size.height;
        return;
    }
    size_t index = 0, partStart = 0;
    CGFloat partWidth = 0;
    const auto lineFrameHeight = [this] { return lineHeight_ ? lineHeight_ : tt::lineHeight(*font()); };
    while (index < text.size()) {
        size_t end = index;
        while (end < text.size()) {
            if (const size_t space = TTStyledCharacters::whitespaceLength(text, end)) {
                end += space;
                break;
            }
            end += TTStyledCharacters::sequenceLength(text, end);
        }
        const CGSize word = measure(text.substr(index, end - index), width_);
        if (lineWidth_ + word.width > width_) {
            if (index > partStart)
                addFrameForText(text.substr(partStart, index - partStart), container, node, partWidth,
                                lineFrameHeight());
            if (lineWidth_ == 0) width_ = word.width;
            else breakLine();
            partStart = index;
            partWidth = 0;
        }
        expandLineWidth(word.width);
        inflateLineHeight(word.height);
        partWidth += word.width;
        index = end;
    }
    if (partStart < text.size())
        addFrameForText(text.substr(partStart), container, node, partWidth, lineFrameHeight());
}

void TTStyledLayout::layoutImage(TTStyledImageNode* node, TTStyledElement* container) {
    if (!node->image() && !node->URL().empty()) {
        if (!invalidImages_) invalidImages_ = std::make_shared<std::vector<TTStyledImageNode*>>();
        invalidImages_->push_back(node);
    }
    TTStylePtr style;
    if (!node->className().empty()) style = TTStyleSheet::globalStyleSheet()->styleWithSelector(node->className());
    const std::shared_ptr<TTBoxStyle> box = style ? style->firstStyleOfClass<TTBoxStyle>() : nullptr;

    const UIImagePtr& image = node->image();
    const CGFloat width = node->width() ? node->width() : image ? image->size().width : 0;
    const CGFloat height = node->height() ? node->height() : image ? image->size().height : 0;
    const int position = box ? box->position : TTPositionStatic;
    CGFloat outerWidth = width, outerHeight = height;
    if (box && position != TTPositionAbsolute) {
        x_ += box->margin.left;
        outerWidth += box->margin.left + box->margin.right;
        outerHeight += box->margin.top + box->margin.bottom;
    }
    if (position == TTPositionStatic && lineWidth_ + outerWidth > width_) {
        if (lineWidth_ == 0) width_ = outerWidth;
        else breakLine();
    }

    auto frame = std::make_shared<TTStyledImageFrame>(container, node);
    frame->setStyle(style);
    TTStyledFrame* added = frame.get();
    if (position == TTPositionStatic) {
        addContentFrame(std::move(frame), width, height);
        expandLineWidth(outerWidth);
        inflateLineHeight(outerHeight);
    } else if (position == TTPositionAbsolute) {
        addAbsoluteFrame(std::move(frame), width, height);
        added->setX(added->x() + box->margin.left);
        added->setY(added->y() + box->margin.top);
    } else {
        addContentFrame(std::move(frame), width, height);
        placeFloat(added, position, outerWidth, outerHeight);
    }
    if (box && position != TTPositionAbsolute) {
        added->setY(added->y() + box->margin.top);
        x_ += box->margin.right;
    }
}
