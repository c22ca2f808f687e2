#pragma once
// A busy row: a grey activity indicator and a line of text on a clear background.

#include "toolkit/controls/TTActivityLabel.h"
#include "toolkit/tables/TTTableViewCell.h"

class TTTableActivityItemCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTTableActivityItemCell";
    TTTableActivityItemCell(UITableViewCellStyle style, const std::string& identifier);

    TTTableObject object() const override { return item_; }
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    TTActivityLabel* activityLabel() const { return activityLabel_.get(); }

private:
    std::shared_ptr<TTActivityLabel> activityLabel_;
    TTTableObject item_;
};
