#pragma once
// A table whose rows' styled-text labels can have their links tapped without selecting the
// row: while a label highlights a link, row selection is ignored, and the link is performed
// when the touch ends.

#include "platform/ui/hosting/UITableView.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

class TTTableView : public UITableView, public TTStyledTextLabelTable {
public:
    explicit TTTableView(CGRect frame = CGRectZero, UITableViewStyle style = UITableViewStylePlain)
        : UITableView(frame, style)
    {
    }

    TTStyledTextLabel* highlightedLabel() const { return highlightedLabel_.get(); }
    // The label leaving the role loses its highlighted link.
    void setHighlightedLabel(TTStyledTextLabel* label) override;

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated,
                              UITableViewScrollPosition position) override;
    void userSelectRowAtIndexPath(const NSIndexPath& indexPath) override;

private:
    std::shared_ptr<TTStyledTextLabel> highlightedLabel_;
};
