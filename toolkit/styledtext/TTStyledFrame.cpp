#include "toolkit/styledtext/TTStyledFrame.h"

#include <vector>

#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/foundation/UIImage+TTCategory.h"
#include "toolkit/style/TTTextStyle.h"
#include "toolkit/styledtext/TTStyledImageNode.h"

TTStyledFrame::~TTStyledFrame() { releaseChain(std::move(nextFrame_)); }

void TTStyledFrame::releaseChain(TTStyledFramePtr head) {
    std::vector<TTStyledFramePtr> pending;
    if (head) pending.push_back(std::move(head));
    while (!pending.empty()) {
        TTStyledFramePtr frame = std::move(pending.back());
        pending.pop_back();
        if (frame.use_count() == 1) {
            if (frame->nextFrame_) pending.push_back(std::move(frame->nextFrame_));
            if (TTStyledFramePtr children = frame->takeChildren()) pending.push_back(std::move(children));
        }
    }
}

TTStyledBoxFrame* TTStyledFrame::hitTest(CGPoint point) {
    for (TTStyledFrame* f = this; f; f = f->nextFrame_.get())
        if (f->holds(point)) {
            auto* box = static_cast<TTStyledBoxFrame*>(f);
            TTStyledBoxFrame* inner = box->hitTestChildren(point);
            return inner ? inner : box;
        }
    return nullptr;
}

std::string TTStyledFrame::chainDescription() const {
    std::string out;
    for (const TTStyledFrame* f = this; f; f = f->nextFrame_.get()) out += f->description();
    return out;
}

TTStyledBoxFrame::~TTStyledBoxFrame() { releaseChain(std::move(firstChildFrame_)); }

bool TTStyledBoxFrame::holds(CGPoint point) const { return CGRectContainsPoint(bounds(), point); }

TTStyledBoxFrame* TTStyledBoxFrame::hitTestChildren(CGPoint point) {
    return firstChildFrame_ ? firstChildFrame_->hitTest(point) : nullptr;
}

std::string TTStyledBoxFrame::description() const {
    return firstChildFrame_ ? firstChildFrame_->chainDescription() : std::string();
}

UIFontPtr TTStyledBoxFrame::font() const { return firstChildFrame_ ? firstChildFrame_->font() : nullptr; }

void TTStyledBoxFrame::drawSubframes() {
    for (TTStyledFrame* f = firstChildFrame_.get(); f; f = f->nextFrame().get()) f->drawInRect(f->bounds());
}

void TTStyledBoxFrame::drawInRect(CGRect rect) {
    if (style_) {
        TTStyleContext context;
        context.delegate = this;
        context.frame = rect;
        context.contentFrame = rect;
        style_->draw(context);
        if (context.didDrawContent) return;
    }
    drawSubframes();
}

bool TTStyledBoxFrame::drawLayer(TTStyleContext& context, TTStyle* style) {
    auto* text = dynamic_cast<TTTextStyle*>(style);
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!text || !ctx) {
        drawSubframes();
        return true;
    }
    const UIFontPtr saved = context.font;
    context.font = text->font;
    if (text->color) {
        ctx->saveGState();
        ctx->setFillColorWithColor(*text->color);
        drawSubframes();
        ctx->restoreGState();
    } else {
        drawSubframes();
    }
    context.font = saved;
    return true;
}

void TTStyledTextFrame::drawInRect(CGRect rect) {
    if (!font_) return;
    ::drawInRect(text_, rect, *font_);
}

UIImagePtr TTStyledImageFrame::shownImage() const {
    if (!imageNode_) return nullptr;
    return imageNode_->image() ? imageNode_->image() : imageNode_->defaultImage();
}

void TTStyledImageFrame::drawInRect(CGRect rect) {
    if (style_) {
        TTStyleContext context;
        context.delegate = this;
        context.frame = rect;
        context.contentFrame = rect;
        style_->draw(context);
        if (context.didDrawContent) return;
    }
    drawImage(rect);
}

void TTStyledImageFrame::drawImage(CGRect rect) {
    const UIImagePtr image = shownImage();
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!image || !ctx) return;
    ctx->saveGState();
    ctx->clipToRect(rect);
    tt::drawInRect(*image, rect, UIViewContentModeScaleAspectFit);
    ctx->restoreGState();
}

bool TTStyledImageFrame::drawLayer(TTStyleContext& context, TTStyle* style) {
    const UIImagePtr image = shownImage();
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!image || !ctx) return true;
    ctx->saveGState();
    context.shape()->addToPath(context.frame);
    ctx->clip();
    auto* imageStyle = dynamic_cast<TTImageStyle*>(style);
    const bool exactlyImageStyle = imageStyle && typeid(*style) == typeid(TTImageStyle);
    tt::drawInRect(*image, context.contentFrame,
                   exactlyImageStyle ? static_cast<UIViewContentMode>(imageStyle->contentMode)
                                     : UIViewContentModeScaleAspectFit);
    ctx->restoreGState();
    return true;
}
