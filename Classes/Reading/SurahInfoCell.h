#pragma once
// A row of the chapter-information table: caption, value and an optional explanation line.

#include <memory>

#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableViewCell.h"

class SurahInfoCell : public UITableViewCell {
public:
    SurahInfoCell(UITableViewCellStyle style, const std::string& reuseIdentifier);

    UILabel* lblLeftLabel() const { return lblLeftLabel_.get(); }
    UILabel* lblRightLabel() const { return lblRightLabel_.get(); }
    UILabel* lblExplanation() const { return lblExplanation_.get(); }
    UIView* viewBottomMarker() const { return viewBottomMarker_.get(); }

private:
    std::shared_ptr<UILabel> lblLeftLabel_, lblRightLabel_, lblExplanation_;
    std::shared_ptr<UIView> viewBottomMarker_;
};
