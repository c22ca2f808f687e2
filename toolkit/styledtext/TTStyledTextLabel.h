#pragma once
// A view that shows a styled-text document inside a content inset, highlights a tapped link
// with the link's style for the highlighted state, performs the link's action when the touch
// ends, and copies the document's plain text.

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UITableView.h"
#include "toolkit/styledtext/TTStyledText.h"

class TTStyledTextLabel : public UIView, public TTStyledTextDelegate, public UITableViewLinkHolder {
public:
    explicit TTStyledTextLabel(CGRect frame = CGRectZero);
    ~TTStyledTextLabel() override;

    const TTStyledTextPtr& text() const { return text_; }
    void setText(TTStyledTextPtr text);
    // Parses the mark-up (URL detection on) and shows it; reading answers the shown text.
    std::string html() const;
    void setHtml(const std::string& html);

    const UIFontPtr& font() const { return font_; }
    void setFont(UIFontPtr font);
    const UIColorPtr& textColor();
    void setTextColor(UIColorPtr color);
    const UIColorPtr& highlightedTextColor();
    void setHighlightedTextColor(UIColorPtr color);
    int textAlignment() const { return textAlignment_; }
    void setTextAlignment(int alignment) { textAlignment_ = alignment; }
    UIEdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(UIEdgeInsets inset) { contentInset_ = inset; }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }

    TTStyledElement* highlightedNode() const { return highlightedNode_; }
    void setHighlightedNode(TTStyledElement* node);
    TTStyledBoxFrame* highlightedFrame() const { return highlightedFrame_; }
    void setHighlightedFrame(TTStyledBoxFrame* frame);
    void setStyle(const TTStylePtr& style, TTStyledBoxFrame* frame);

    void styledTextNeedsDisplay(TTStyledText*) override { setNeedsDisplay(); }
    // Puts the document's plain text on the general pasteboard.
    void copy();

    void layoutSubviews() override;
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

    // Inside a table the table performs the link when the touch ends.
    void performHighlightedLink() override;
    void clearHighlightedLink() override { setHighlightedNode(nullptr); }

private:
    // The style name of the frame's element, or empty when it cannot be highlighted.
    static std::string highlightStyleName(TTStyledBoxFrame* frame);
    UITableView* enclosingTable() const;

    TTStyledTextPtr text_;
    UIFontPtr font_;
    UIColorPtr textColor_, highlightedTextColor_;
    int textAlignment_ = 0;
    UIEdgeInsets contentInset_{};
    bool highlighted_ = false;
    TTStyledElement* highlightedNode_ = nullptr;  // kept alive by the document
    TTStyledBoxFrame* highlightedFrame_ = nullptr;  // kept alive by the document's layout
};
