#pragma once
// Cells that embed a view: a control beside a caption (switch, text field, text view, slider,
// ...) or any view filling the row. Either takes an item or the bare view as its object.

#include "toolkit/tables/TTTableViewCell.h"

class TTTableControlItem;
class TTTableViewItem;

class TTTableControlCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTTableControlCell";
    TTTableControlCell(UITableViewCellStyle style, const std::string& identifier);

    // A switch keeps its own width and sits at the right end of the room.
    static bool shouldConsiderControlIntrinsicSize(const UIView* control);
    // Text views and text editors fill the row.
    static bool shouldSizeControlToFit(const UIView* control);
    // Text fields take the padding's 8 points back.
    static bool shouldRespectControlPadding(const UIView* control);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    TTTableObject object() const override;
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;

    TTTableControlItem* item() const;
    UIView* control() const { return control_.get(); }

private:
    TTTableObject item_;
    std::shared_ptr<UIView> control_;
};

class TTTableFlushViewCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTTableFlushViewCell";
    TTTableFlushViewCell(UITableViewCellStyle style, const std::string& identifier);

    TTTableObject object() const override;
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;

    TTTableViewItem* item() const;
    UIView* view() const { return view_.get(); }

private:
    TTTableObject item_;
    std::shared_ptr<UIView> view_;
};
