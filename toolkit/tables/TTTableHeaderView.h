#pragma once
// The section header of plain toolkit tables: the style sheet's "tableHeader" style behind
// a one-line title.

#include "platform/ui/UILabel.h"
#include "toolkit/style/TTStyle.h"

class TTTableHeaderView : public UIView {
public:
    explicit TTTableHeaderView(const std::string& title);

    UILabel* label() const { return label_.get(); }
    const TTStylePtr& style() const { return style_; }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    TTStylePtr style_;
    std::shared_ptr<UILabel> label_;
};
