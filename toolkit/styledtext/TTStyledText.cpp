#include "toolkit/styledtext/TTStyledText.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/graphics/CGContext.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLImageResponse.h"
#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledTextParser.h"

TTStyledTextPtr TTStyledText::textFromXHTML(const std::string& html) { return textFromXHTML(html, false, true); }

TTStyledTextPtr TTStyledText::textFromXHTML(const std::string& html, bool lineBreaks, bool URLs) {
    TTStyledTextParser parser;
    parser.setParseLineBreaks(lineBreaks);
    parser.setParseURLs(URLs);
    (void)parser.parseXHTML(html);  // malformed mark-up keeps what came before the error
    return parser.rootNode() ? std::make_shared<TTStyledText>(parser.rootNode()) : nullptr;
}

TTStyledTextPtr TTStyledText::textWithURLs(const std::string& text, bool lineBreaks) {
    TTStyledTextParser parser;
    parser.setParseLineBreaks(lineBreaks);
    parser.setParseURLs(true);
    parser.parseText(text);
    return parser.rootNode() ? std::make_shared<TTStyledText>(parser.rootNode()) : nullptr;
}

TTStyledText::~TTStyledText() { stopLoadingImages(); }

void TTStyledText::addChild(TTStyledNodePtr node) {
    if (!rootNode_) rootNode_ = std::move(node);
    else TTStyledNode::findLastSibling(rootNode_.get())->setNextSibling(std::move(node));
}

void TTStyledText::addText(const std::string& text) { addChild(std::make_shared<TTStyledTextNode>(text)); }

void TTStyledText::insertChild(TTStyledNodePtr node, size_t index) {
    if (!node) return;
    if (index == 0 || !rootNode_) {
        TTStyledNode::findLastSibling(node.get())->setNextSibling(std::move(rootNode_));
        rootNode_ = std::move(node);
        return;
    }
    TTStyledNode* before = rootNode_.get();
    for (size_t i = 1; i < index && before->nextSibling(); ++i) before = before->nextSibling().get();
    TTStyledNodePtr after = before->nextSibling();
    TTStyledNode::findLastSibling(node.get())->setNextSibling(std::move(after));
    before->setNextSibling(std::move(node));
}

TTStyledElement* TTStyledText::getElementByClassName(const std::string& name) const {
    for (TTStyledNode* n = rootNode_.get(); n; n = n->nextSibling().get()) {
        if (auto* element = dynamic_cast<TTStyledElement*>(n)) {
            if (element->className() == name) return element;
            if (TTStyledElement* inner = element->getElementByClassName(name)) return inner;
        }
    }
    return nullptr;
}

void TTStyledText::setFont(UIFontPtr font) {
    if (font == font_) return;
    font_ = std::move(font);
    setNeedsLayout();
}

void TTStyledText::setWidth(CGFloat width) {
    if (width == width_) return;
    width_ = width;
    setNeedsLayout();
}

void TTStyledText::setNeedsLayout() {
    TTStyledFrame::releaseChain(std::move(rootFrame_));
    height_ = 0;
}

void TTStyledText::layoutIfNeeded() {
    if (!rootFrame_) layoutFrames();
}

void TTStyledText::layoutFrames() {
    TTStyledLayout layout(rootNode_.get());
    layout.setWidth(width_);
    if (font_) layout.setFont(font_);
    layout.layout(rootNode_.get());
    TTStyledFrame::releaseChain(std::move(rootFrame_));
    rootFrame_ = layout.rootFrame();
    height_ = std::ceil(layout.height());
    invalidImages_ = layout.invalidImages();
    loadImages();
}

CGFloat TTStyledText::height() {
    layoutIfNeeded();
    return height_;
}

const TTStyledFramePtr& TTStyledText::rootFrame() {
    layoutIfNeeded();
    return rootFrame_;
}

void TTStyledText::drawAtPoint(CGPoint point, bool) {
    CGContext* ctx = UIGraphicsGetCurrentContext();
    if (!ctx) return;
    layoutIfNeeded();
    ctx->saveGState();
    ctx->translateCTM(point.x, point.y);
    for (TTStyledFrame* f = rootFrame_.get(); f; f = f->nextFrame().get()) f->drawInRect(f->bounds());
    ctx->restoreGState();
}

TTStyledBoxFrame* TTStyledText::hitTest(CGPoint point) {
    layoutIfNeeded();
    return rootFrame_ ? rootFrame_->hitTest(point) : nullptr;
}

TTStyledFrame* TTStyledText::getFrameForNode(const TTStyledNode* node) const {
    std::vector<TTStyledFrame*> stack;
    if (rootFrame_) stack.push_back(rootFrame_.get());
    while (!stack.empty()) {
        TTStyledFrame* f = stack.back();
        stack.pop_back();
        if (f->nextFrame()) stack.push_back(f->nextFrame().get());
        if (auto* box = dynamic_cast<TTStyledBoxFrame*>(f)) {
            if (box->element() == node) return f;
            if (box->firstChildFrame()) stack.push_back(box->firstChildFrame().get());
        } else if (auto* text = dynamic_cast<TTStyledTextFrame*>(f)) {
            if (text->node() == node) return f;
        } else if (auto* image = dynamic_cast<TTStyledImageFrame*>(f)) {
            if (image->imageNode() == node) return f;
        }
    }
    return nullptr;
}

void TTStyledText::setDelegate(TTStyledTextDelegate* delegate) {
    if (delegate == delegate_) return;
    delegate_ = delegate;
    loadImages();
}

void TTStyledText::loadImages() {
    stopLoadingImages();
    if (!delegate_ || !invalidImages_) return;
    bool found = false;
    const TTStyledImageList nodes = std::move(invalidImages_);
    for (TTStyledImageNode* node : *nodes) {
        if (node->URL().empty()) continue;
        if (UIImagePtr image = TTURLCache::sharedCache().imageForURL(node->URL())) {
            node->setImage(std::move(image));
            found = true;
        } else {
            auto request = TTURLRequest::requestWithURL(node->URL(), this);
            request->setUserInfo(node);
            request->setResponse(std::make_shared<TTURLImageResponse>());
            (void)request->send();
        }
    }
    if (found && delegate_) delegate_->styledTextNeedsDisplay(this);
}

void TTStyledText::stopLoadingImages() {
    if (imageRequests_.empty()) return;
    const std::vector<TTURLRequestPtr> requests = std::move(imageRequests_);
    imageRequests_.clear();
    for (const TTURLRequestPtr& request : requests) {
        if (auto* const* node = std::any_cast<TTStyledImageNode*>(&request->userInfo())) {
            if (!invalidImages_) invalidImages_ = std::make_shared<std::vector<TTStyledImageNode*>>();
            // A new layout may have listed the node already.
            if (std::find(invalidImages_->begin(), invalidImages_->end(), *node) == invalidImages_->end())
                invalidImages_->push_back(*node);
        }
        request->cancel();
    }
}

void TTStyledText::forgetRequest(TTURLRequest* request) {
    std::erase_if(imageRequests_, [request](const TTURLRequestPtr& r) { return r.get() == request; });
}

void TTStyledText::requestDidStartLoad(TTURLRequest* request) {
    imageRequests_.push_back(request->shared_from_this());
}

void TTStyledText::requestDidFinishLoad(TTURLRequest* request) {
    auto* response = dynamic_cast<TTURLImageResponse*>(request->response().get());
    if (auto* const* node = std::any_cast<TTStyledImageNode*>(&request->userInfo()); node && response)
        (*node)->setImage(response->image());
    forgetRequest(request);
    if (delegate_) delegate_->styledTextNeedsDisplay(this);
}

void TTStyledText::requestDidFailLoadWithError(TTURLRequest* request, const NSError&) { forgetRequest(request); }

void TTStyledText::requestDidCancelLoad(TTURLRequest* request) { forgetRequest(request); }

std::string TTStyledText::description() {
    layoutIfNeeded();
    return rootFrame_ ? rootFrame_->chainDescription() : std::string();
}
