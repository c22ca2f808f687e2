#include "Classes/Settings/AboutTableViewCell.h"

#include "platform/text/UIFont.h"

AboutTableViewCell::AboutTableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    nameLabel_ = std::make_shared<UITextView>(CGRectMake(0, 0, 320, 44));
    nameLabel_->setEditable(false);
    nameLabel_->setScrollEnabled(false);
    nameLabel_->setBackgroundColor(UIColor::clearColor());
    nameLabel_->setOpaque(false);
    nameLabel_->setTextColor(UIColor::blackColor());
    nameLabel_->setFont(UIFont::boldSystemFontOfSize(14));
    contentView()->addSubview(nameLabel_);
}

void AboutTableViewCell::setView(std::shared_ptr<UIView> view) {
    if (view_) view_->removeFromSuperview();
    view_ = std::move(view);
    if (view_) contentView()->addSubview(view_);
    setNeedsLayout();
    layoutIfNeeded();
}

void AboutTableViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    const CGRect content = contentView()->bounds();
    nameLabel_->setFrame(CGRectMake(content.origin.x + 5, 0, content.size.width, 45));
}
