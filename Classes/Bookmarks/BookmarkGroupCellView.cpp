#include "Classes/Bookmarks/BookmarkGroupCellView.h"

#include "platform/text/UIFont.h"

BookmarkGroupCellView::BookmarkGroupCellView(const std::string& reuseIdentifier)
    : UITableViewCell(UITableViewCellStyleValue1, reuseIdentifier) {
    imgSide_ = std::make_shared<UIImageView>(CGRectMake(0, 0, 54, 63));
    contentView()->addSubview(imgSide_);
    const double h = contentView()->bounds().size.height;
    lblTitle_ = std::make_shared<UILabel>(CGRectMake(60, 0, 150, h > 0 ? h : 60));
    lblTitle_->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    lblTitle_->setBackgroundColor(UIColor::clearColor());
    lblTitle_->setHighlightedTextColor(UIColor::whiteColor());
    lblTitle_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin |
                                   UIViewAutoresizingFlexibleHeight);
    contentView()->addSubview(lblTitle_);
    // The screen's paper shows through the rows.
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    contentView()->setBackgroundColor(UIColor::clearColor());
}
