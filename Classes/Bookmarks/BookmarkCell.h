#pragma once
// The table cell of one bookmark row: hosts a BookmarkCellView and passes selection,
// highlight and editing on to it.

#include <memory>
#include <string>

#include "Classes/Bookmarks/BookmarkCellView.h"
#include "platform/ui/hosting/UITableViewCell.h"

class BookmarkCell : public UITableViewCell {
public:
    BookmarkCell(UITableViewCellStyle style, const std::string& reuseIdentifier);

    BookmarkCellView* cellView() const { return cellView_.get(); }
    bool cellIsEditing() const { return isEditing_; }

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    void setEditing(bool editing, bool animated) override;
    using UITableViewCell::setEditing;
    using UITableViewCell::setHighlighted;
    using UITableViewCell::setSelected;
    void layoutSubviews() override;

private:
    std::shared_ptr<BookmarkCellView> cellView_;
    std::shared_ptr<UIView> selectedBackground_;
    std::shared_ptr<UIImageView> viewCellBG;
    bool isEditing_ = false;
    int lastEditing_ = -1;
};
