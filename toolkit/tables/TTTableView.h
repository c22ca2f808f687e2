#pragma once
// A table whose rows' styled-text labels can have their links tapped without selecting the
// row: while a label highlights a link, row selection is ignored, and the link is performed
// when the touch ends (the platform table's link holder, seen here as the label).

#include "platform/ui/hosting/UITableView.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

class TTTableView : public UITableView {
public:
    explicit TTTableView(CGRect frame = CGRectZero, UITableViewStyle style = UITableViewStylePlain)
        : UITableView(frame, style)
    {
    }

    TTStyledTextLabel* highlightedLabel() const { return dynamic_cast<TTStyledTextLabel*>(highlightedLinkView()); }
    // The label leaving the role loses its highlighted link.
    void setHighlightedLabel(TTStyledTextLabel* label) { setHighlightedLinkView(label); }
};
