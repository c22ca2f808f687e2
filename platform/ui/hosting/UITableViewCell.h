#pragma once
// A table row: content view with text, detail and image views in the platform's
// styles, accessory, selection look (selected background view or the blue/grey
// gradient), selected and highlighted states reaching the labels and image view,
// editing controls and reuse.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class UITableView;

// A view inside a cell's content view that follows the cell's highlight
// (labels and image views follow it without this).
class UITableViewCellHighlighting {
public:
    virtual ~UITableViewCellHighlighting() = default;
    virtual void setHighlighted(bool highlighted) = 0;
};

class UITableViewCell : public UIView {
public:
    UITableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier);
    ~UITableViewCell() override;

    UITableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }

    UIView* contentView() const { return contentView_.get(); }
    // Made on first use; the subtitle and value styles have a detail label.
    UILabel* textLabel();
    UILabel* detailTextLabel();
    UIImageView* imageView();

    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    UITableViewCellAccessoryType editingAccessoryType() const { return editingAccessoryType_; }
    void setEditingAccessoryType(UITableViewCellAccessoryType type) { editingAccessoryType_ = type; }
    UIView* accessoryView() const { return accessoryView_.get(); }
    void setAccessoryView(std::shared_ptr<UIView> view);
    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { selectionStyle_ = style; }
    UIView* backgroundView() const { return backgroundView_.get(); }
    void setBackgroundView(std::shared_ptr<UIView> view);
    UIView* selectedBackgroundView() const { return selectedBackgroundView_.get(); }
    void setSelectedBackgroundView(std::shared_ptr<UIView> view);
    int indentationLevel() const { return indentationLevel_; }
    void setIndentationLevel(int level);
    double indentationWidth() const { return indentationWidth_; }
    bool shouldIndentWhileEditing() const { return shouldIndentWhileEditing_; }
    void setShouldIndentWhileEditing(bool on) { shouldIndentWhileEditing_ = on; }

    bool isSelected() const { return selected_; }
    bool isHighlighted() const { return highlighted_; }
    void setSelected(bool selected) { setSelected(selected, false); }
    void setHighlighted(bool highlighted) { setHighlighted(highlighted, false); }
    // Subclasses override to restyle their own content; call the base.
    virtual void setSelected(bool selected, bool animated);
    virtual void setHighlighted(bool highlighted, bool animated);

    bool isEditing() const { return editing_; }
    void setEditing(bool editing) { setEditing(editing, false); }
    virtual void setEditing(bool editing, bool animated);
    UITableViewCellEditingStyle editingStyle() const { return editingStyle_; }
    bool showingDeleteConfirmation() const { return showingDeleteConfirmation_; }

    // Called before the table hands the cell out again from its reuse pool.
    virtual void prepareForReuse();

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

    // The table that shows the cell (unretained; set by the table).
    UITableView* tableView() const { return table_; }

    // --- Used by the table ---
    void setTableView(UITableView* table) { table_ = table; }
    void setEditingStyleFromTable(UITableViewCellEditingStyle style, bool indent) {
        editingStyle_ = style;
        indentForEditing_ = indent;
    }
    void setShowingDeleteConfirmation(bool showing);
    void setSeparator(UITableViewCellSeparatorStyle style, UIColorPtr color);
    void setGroupedPosition(bool grouped, bool first, bool last);
    // The delete button (when confirming) and the editing control, for touch routing and tests.
    UIButton* deleteConfirmationButton() const { return deleteButton_.get(); }
    UIView* editingControl() const { return editingControl_.get(); }

private:
    void applyHighlight(bool on);
    void updateAccessory();
    void updateSelectionLook(bool animated);
    UILabel* makeLabel(std::shared_ptr<UILabel>& slot, bool detail);

    UITableViewCellStyle style_;
    std::string reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UILabel> textLabel_;
    std::shared_ptr<UILabel> detailTextLabel_;
    std::shared_ptr<UIImageView> imageView_;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryNone;
    UITableViewCellAccessoryType editingAccessoryType_ = UITableViewCellAccessoryNone;
    std::shared_ptr<UIView> accessoryView_;
    std::shared_ptr<UIView> builtinAccessory_;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyleBlue;
    std::shared_ptr<UIView> backgroundView_;
    std::shared_ptr<UIView> selectedBackgroundView_;
    std::shared_ptr<UIView> defaultSelectedBackground_;
    std::shared_ptr<UIView> editingControl_;
    std::shared_ptr<UIButton> deleteButton_;
    int indentationLevel_ = 0;
    double indentationWidth_ = 10;
    bool shouldIndentWhileEditing_ = true;
    bool indentForEditing_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool editing_ = false;
    bool showingDeleteConfirmation_ = false;
    UITableViewCellEditingStyle editingStyle_ = UITableViewCellEditingStyleDelete;
    UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyleSingleLine;
    UIColorPtr separatorColor_;
    std::shared_ptr<UIView> separatorView_;  // plain tables: a 1-point line, so the cell itself draws nothing
    bool grouped_ = false;
    bool groupFirst_ = false;
    bool groupLast_ = false;
    UITableView* table_ = nullptr;  // unretained
};

using UITableViewCellPtr = std::shared_ptr<UITableViewCell>;
