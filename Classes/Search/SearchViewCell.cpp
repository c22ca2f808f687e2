#include "Classes/Search/SearchViewCell.h"

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIImageView.h"

SearchViewCell::SearchViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    const CGRect content = contentView()->bounds();
    const double w = content.size.width > 0 ? content.size.width : 320;
    const double h = content.size.height > 0 ? content.size.height : 44;
    cellView_ = std::make_shared<SearchCellView>(CGRectMake(0, 0, w, h));
    cellView_->setContentMode(UIViewContentModeRight);
    cellView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    cellView_->setCell(this);
    contentView()->addSubview(cellView_);

    selectedBackground_ = std::make_shared<UIView>(CGRectMake(0, 0, 320, h));
    selectedBackground_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    selectedBackground_->setAutoresizesSubviews(true);
    auto image = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 43));
    image->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    image->setBackgroundColor(UIColor::clearColor());
    if (auto row = UIImage::imageNamed("search-row-t.png")) image->setImage(row->stretchableImageWithLeftCapWidth(159, 21));
    selectedBackground_->addSubview(image);
    setSelectedBackgroundView(selectedBackground_);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    contentView()->setBackgroundColor(UIColor::clearColor());
}

void SearchViewCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
    cellView_->setSelected(selected);
}

void SearchViewCell::setHighlighted(bool highlighted, bool animated) {
    UITableViewCell::setHighlighted(highlighted, animated);
    cellView_->setHighlighted(highlighted);
}
