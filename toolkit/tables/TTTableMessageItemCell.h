#pragma once
// The cell of a message item: a bold title with a timestamp at its right, a caption line,
// two lines of text and an optional image at the left.

#include "toolkit/controls/TTImageView.h"
#include "toolkit/tables/TTTableLinkedItemCell.h"

class TTTableMessageItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableMessageItemCell";
    TTTableMessageItemCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object) { return 90; }
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    void didMoveToSuperview() override;

    // Made and added on first use.
    UILabel* titleLabel();
    UILabel* timestampLabel();
    TTImageView* imageView2();
    UILabel* captionLabel() { return textLabel(); }

private:
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> timestampLabel_;
    std::shared_ptr<TTImageView> imageView2_;
};
