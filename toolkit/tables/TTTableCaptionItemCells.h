#pragma once
// Cells of caption items: the caption in the text label, the text in the detail label, in a
// caption column, above the text (sub-text) or in the platform's own value layout.

#include "toolkit/tables/TTTableLinkedItemCell.h"

class TTTableCaptionItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableCaptionItemCell";
    // Always the value-2 style.
    TTTableCaptionItemCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    UILabel* captionLabel() { return textLabel(); }
};

class TTTableSubtextItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableSubtextItemCell";
    TTTableSubtextItemCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    UILabel* captionLabel() { return textLabel(); }
};

class TTTableRightCaptionItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableRightCaptionItemCell";
    TTTableRightCaptionItemCell(UITableViewCellStyle style, const std::string& identifier);

    void setObject(const TTTableObject& object) override;
    UILabel* captionLabel() { return textLabel(); }
};

namespace tt {
// Caption into the text label, text into the detail label.
void showCaptionItem(UITableViewCell& cell, const TTTableObject& object);
}
