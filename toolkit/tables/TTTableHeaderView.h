#pragma once
// The section header of plain toolkit tables: the style sheet's "tableHeader" style behind
// a one-line title.

#include "platform/ui/UILabel.h"
#include "toolkit/controls/TTView.h"

class TTTableHeaderView : public TTView {
public:
    explicit TTTableHeaderView(const std::string& title);

    UILabel* label() const { return label_.get(); }
    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> label_;
};
