#pragma once
// Cells that show a text item in the platform cell's text label, with or without an image.

#include "toolkit/controls/TTImageView.h"
#include "toolkit/tables/TTTableLinkedItemCell.h"

class TTTableTextItem;
class TTTableImageItem;

class TTTableTextItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableTextItemCell";
    TTTableTextItemCell(UITableViewCellStyle style, const std::string& identifier);

    static UIFontPtr textFontForItem(const TTTableTextItem* item);
    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;

protected:
    // The text inset by 10 on every side of the row.
    CGRect insetTextFrame() const;
};

class TTTableImageItemCell : public TTTableTextItemCell {
public:
    static constexpr const char* kClassName = "TTTableImageItemCell";
    TTTableImageItemCell(UITableViewCellStyle style, const std::string& identifier);

    // The image's size for layout and height: the cached image's, the default image's, else
    // 50 by 50 with an image URL and nothing without one.
    static CGSize imageSizeForItem(const TTTableImageItem& item);
    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    void didMoveToSuperview() override;

    TTImageView* imageView2() const { return imageView2_.get(); }

private:
    std::shared_ptr<TTImageView> imageView2_;
};
