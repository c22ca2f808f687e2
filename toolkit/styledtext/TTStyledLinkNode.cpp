#include "toolkit/styledtext/TTStyledLinkNode.h"

#include "platform/services/URLOpener.h"
#include "toolkit/foundation/TTNavigatorHooks.h"

void TTStyledOpenURL(const std::string& url) {
    // Through the navigator; where none is linked the platform opens the link.
    TTNavigatorHooks::shared().ensureNavigator();
    if (const auto& open = TTNavigatorHooks::shared().openURL) open(url, {}, true);
    else (void)URLOpener::shared().openURL(url);
}

TTStyledLinkNode::TTStyledLinkNode(std::string url, TTStyledNodePtr next)
    : TTStyledInline(), url_(std::move(url)) {
    setNextSibling(std::move(next));
}

TTStyledLinkNode::TTStyledLinkNode(const std::string& text, std::string url, TTStyledNodePtr next)
    : TTStyledInline(text, std::move(next)), url_(std::move(url)) {}

void TTStyledLinkNode::performDefaultAction() {
    if (!url_.empty()) TTStyledOpenURL(url_);
}

std::string TTStyledLinkNode::description() const {
    return "<" + (firstChild() ? firstChild()->description() : std::string()) + ">";
}

TTStyledButtonNode::TTStyledButtonNode(std::string url, TTStyledNodePtr next)
    : TTStyledInlineBlock(), url_(std::move(url)) {
    setNextSibling(std::move(next));
}

TTStyledButtonNode::TTStyledButtonNode(const std::string& text, std::string url, TTStyledNodePtr next)
    : TTStyledInlineBlock(text, std::move(next)), url_(std::move(url)) {}

void TTStyledButtonNode::performDefaultAction() {
    if (!url_.empty()) TTStyledOpenURL(url_);
}

std::string TTStyledButtonNode::description() const {
    return "<" + (firstChild() ? firstChild()->description() : std::string()) + ">";
}
