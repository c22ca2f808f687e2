#include "toolkit/styledtext/TTStyledElement.h"

#include <vector>

TTStyledElement::TTStyledElement(const std::string& text, TTStyledNodePtr next) : TTStyledNode(std::move(next)) {
    addText(text);
}

TTStyledElement::~TTStyledElement() { releaseChain(std::move(firstChild_)); }

TTStyledNodePtr TTStyledElement::takeChildren() {
    lastChild_ = nullptr;
    return std::move(firstChild_);
}

void TTStyledElement::addChild(TTStyledNodePtr node) {
    if (!node) return;
    TTStyledNode* added = node.get();
    if (!firstChild_) firstChild_ = std::move(node);
    else lastChild_->setNextSibling(std::move(node));
    for (TTStyledNode* n = added; n; n = n->nextSibling().get()) {
        n->setParentNode(this);
        lastChild_ = n;
    }
}

void TTStyledElement::addText(const std::string& text) { addChild(std::make_shared<TTStyledTextNode>(text)); }

void TTStyledElement::replaceChild(TTStyledNode* old, TTStyledNodePtr replacement) {
    if (!old) return;
    TTStyledNode* before = nullptr;
    TTStyledNode* n = firstChild_.get();
    while (n && n != old) {
        before = n;
        n = n->nextSibling().get();
    }
    if (!n) return;
    TTStyledNodePtr keep = before ? before->nextSibling() : firstChild_;  // holds the old node meanwhile
    TTStyledNodePtr after = old->nextSibling();
    old->setNextSibling(nullptr);
    old->setParentNode(nullptr);
    TTStyledNodePtr next = replacement ? replacement : after;
    if (replacement) {
        replacement->setParentNode(this);
        replacement->setNextSibling(after);
    }
    if (before) before->setNextSibling(next);
    else firstChild_ = next;
    if (lastChild_ == old) lastChild_ = replacement ? replacement.get() : before;
}

TTStyledElement* TTStyledElement::getElementByClassName(const std::string& name) const {
    std::vector<const TTStyledNode*> stack;
    if (firstChild_) stack.push_back(firstChild_.get());
    while (!stack.empty()) {
        const TTStyledNode* n = stack.back();
        stack.pop_back();
        if (n->nextSibling()) stack.push_back(n->nextSibling().get());
        if (auto* element = dynamic_cast<const TTStyledElement*>(n)) {
            if (element->className_ == name) return const_cast<TTStyledElement*>(element);
            if (element->firstChild_) stack.push_back(element->firstChild_.get());
        }
    }
    return nullptr;
}

void TTStyledElement::appendText(std::string& out) const {
    if (firstChild_) out += firstChild_->outerText();
}

void TTStyledElement::appendHTML(std::string& out) const {
    if (firstChild_) out += "<div>" + firstChild_->outerHTML() + "</div>";
    else out += "<div/>";
}

std::string TTStyledElement::description() const { return firstChild_ ? firstChild_->description() : ""; }

std::string TTStyledBoldNode::description() const {
    return "*" + (firstChild() ? firstChild()->description() : std::string()) + "*";
}

std::string TTStyledItalicNode::description() const {
    return "/" + (firstChild() ? firstChild()->description() : std::string()) + "/";
}
