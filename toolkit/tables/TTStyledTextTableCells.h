#pragma once
// Cells that show styled text in a styled-text label: one for a styled-text item (with its
// URL's accessory, margin and padding), one for a bare styled text.

#include "toolkit/styledtext/TTStyledTextLabel.h"
#include "toolkit/tables/TTTableLinkedItemCell.h"

class TTStyledTextTableItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTStyledTextTableItemCell";
    TTStyledTextTableItemCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    void didMoveToSuperview() override;
    TTStyledTextLabel* label() const { return label_.get(); }

private:
    std::shared_ptr<TTStyledTextLabel> label_;
};

class TTStyledTextTableCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTStyledTextTableCell";
    TTStyledTextTableCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    TTTableObject object() const override { return label_->text(); }
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    void didMoveToSuperview() override;
    TTStyledTextLabel* label() const { return label_.get(); }

private:
    std::shared_ptr<TTStyledTextLabel> label_;
};
