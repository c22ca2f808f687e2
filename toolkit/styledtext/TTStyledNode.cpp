#include "toolkit/styledtext/TTStyledNode.h"

#include <vector>

#include "toolkit/styledtext/TTStyledElement.h"

TTStyledNode::~TTStyledNode() { releaseChain(std::move(nextSibling_)); }

void TTStyledNode::releaseChain(TTStyledNodePtr head) {
    std::vector<TTStyledNodePtr> pending;
    if (head) pending.push_back(std::move(head));
    while (!pending.empty()) {
        TTStyledNodePtr node = std::move(pending.back());
        pending.pop_back();
        if (node.use_count() == 1) {
            if (node->nextSibling_) pending.push_back(std::move(node->nextSibling_));
            if (TTStyledNodePtr children = node->takeChildren()) pending.push_back(std::move(children));
        }
    }
}

TTStyledNode* TTStyledNode::parentAsNode() const { return parentNode_; }

void TTStyledNode::setNextSibling(TTStyledNodePtr node) {
    if (node == nextSibling_) return;
    TTStyledNodePtr old = std::move(nextSibling_);
    nextSibling_ = std::move(node);
    if (nextSibling_) nextSibling_->parentNode_ = parentNode_;
    releaseChain(std::move(old));
}

TTStyledNode* TTStyledNode::findLastSibling(TTStyledNode* node) {
    if (!node) return nullptr;
    while (node->nextSibling_) node = node->nextSibling_.get();
    return node;
}

std::string TTStyledNode::outerText() const {
    std::string out;
    for (const TTStyledNode* n = this; n; n = n->nextSibling_.get()) n->appendText(out);
    return out;
}

std::string TTStyledNode::outerHTML() const {
    std::string out;
    for (const TTStyledNode* n = this; n; n = n->nextSibling_.get()) n->appendHTML(out);
    return out;
}
