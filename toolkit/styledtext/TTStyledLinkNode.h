#pragma once
// Links (a) and buttons (button): elements with a URL that they open when tapped.

#include "toolkit/styledtext/TTStyledElement.h"

class TTStyledLinkNode : public TTStyledInline {
public:
    TTStyledLinkNode() = default;
    explicit TTStyledLinkNode(std::string url, TTStyledNodePtr next = nullptr);
    TTStyledLinkNode(const std::string& text, std::string url, TTStyledNodePtr next);

    const std::string& URL() const { return url_; }
    void setURL(std::string url) { url_ = std::move(url); }
    bool highlighted() const { return highlighted_; }
    void setHighlighted(bool on) { highlighted_ = on; }

    // Opens the URL; nothing without one.
    void performDefaultAction() override;
    std::string description() const override;

private:
    std::string url_;
    bool highlighted_ = false;
};

class TTStyledButtonNode : public TTStyledInlineBlock {
public:
    TTStyledButtonNode() = default;
    explicit TTStyledButtonNode(std::string url, TTStyledNodePtr next = nullptr);
    TTStyledButtonNode(const std::string& text, std::string url, TTStyledNodePtr next);

    const std::string& URL() const { return url_; }
    void setURL(std::string url) { url_ = std::move(url); }
    bool highlighted() const { return highlighted_; }
    void setHighlighted(bool on) { highlighted_ = on; }

    void performDefaultAction() override;
    std::string description() const override;

private:
    std::string url_;
    bool highlighted_ = false;
};

// Opens a link's URL through the navigator, animated.
void TTStyledOpenURL(const std::string& url);
