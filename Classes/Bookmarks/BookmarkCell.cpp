#include "Classes/Bookmarks/BookmarkCell.h"

#include "platform/graphics/UIImage.h"

BookmarkCell::BookmarkCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    const CGRect content = contentView()->bounds();
    const double h = content.size.height > 0 ? content.size.height : 44;
    cellView_ = std::make_shared<BookmarkCellView>(CGRectMake(0, 0, content.size.width > 0 ? content.size.width : 320, h));
    cellView_->setContentMode(UIViewContentModeRight);
    cellView_->setCell(this);
    cellView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    contentView()->addSubview(cellView_);

    selectedBackground_ = std::make_shared<UIView>(CGRectMake(0, 0, 320, h));
    selectedBackground_->setContentMode(UIViewContentModeRight);
    selectedBackground_->setAutoresizesSubviews(true);
    selectedBackground_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    viewCellBG = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 43));
    viewCellBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    viewCellBG->setBackgroundColor(UIColor::clearColor());
    if (auto image = UIImage::imageNamed("bookmarks-row-t.png"))
        viewCellBG->setImage(image->stretchableImageWithLeftCapWidth(159, 21));
    selectedBackground_->addSubview(viewCellBG);
    setSelectedBackgroundView(selectedBackground_);
    // The list's paper shows through the rows.
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    contentView()->setBackgroundColor(UIColor::clearColor());
}

void BookmarkCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
    cellView_->setSelected(selected);
}

void BookmarkCell::setHighlighted(bool highlighted, bool animated) {
    UITableViewCell::setHighlighted(highlighted, animated);
    cellView_->setHighlighted(highlighted);
}

void BookmarkCell::setEditing(bool editing, bool animated) {
    isEditing_ = editing;
    UITableViewCell::setEditing(editing, animated);
    cellView_->setEditing(editing, animated);
}

void BookmarkCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    isEditing_ = isEditing();
    const bool first = lastEditing_ == -1;
    const bool changed = lastEditing_ != static_cast<int>(isEditing_);
    lastEditing_ = isEditing_;
    cellView_->refreshSelectionState();
    // Cells are laid out often; only a change of editing state moves the content.
    if (changed) cellView_->setEditing(isEditing_, !first);
    selectedBackground_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    selectedBackground_->setAutoresizesSubviews(true);
}
