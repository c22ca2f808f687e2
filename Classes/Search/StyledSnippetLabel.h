#pragma once
// A one-line label that shows a search snippet with its search word set off in the look its
// span names (HighlightTextStyleSheet). While the row is selected or highlighted the boxed
// word is drawn in the white look instead, so it stays readable on the selection background.

#include <string>
#include <vector>

#include "Classes/Search/HighlightTextStyleSheet.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIView.h"

class StyledSnippetLabel : public UIView {
public:
    explicit StyledSnippetLabel(CGRect frame);

    // The snippet mark-up; an empty text shows nothing.
    const std::string& text() const { return markup_; }
    void setText(const std::string& markup);
    const std::vector<SnippetRun>& runs() const { return runs_; }
    // The runs as drawn now: "yellowBox" reads "whiteBox" while the label shows selection.
    std::vector<SnippetRun> displayedRuns() const;

    void setFont(UIFontPtr font);
    void setTextColor(UIColorPtr color);
    const UIColorPtr& textColor() const { return textColor_; }
    void setHighlightedTextColor(UIColorPtr color);
    void setTextAlignment(UITextAlignment alignment);
    UITextAlignment textAlignment() const { return alignment_; }
    // Draws with the highlighted colour.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }
    // The word's look: white (on a selected row) or boxed.
    void setShowsSelectionLook(bool on);
    bool showsSelectionLook() const { return selectionLook_; }

    void drawRect(CGRect rect) override;

private:
    std::string markup_;
    std::vector<SnippetRun> runs_;
    UIFontPtr font_;
    UIColorPtr textColor_, highlightedTextColor_;
    UITextAlignment alignment_ = UITextAlignmentLeft;
    bool highlighted_ = false;
    bool selectionLook_ = false;
};
