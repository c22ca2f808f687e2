#include "toolkit/tables/TTTableActivityItemCell.h"

#include "toolkit/tables/TTTableEmbeddedItems.h"

TTTableActivityItemCell::TTTableActivityItemCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableViewCell(style, identifier), activityLabel_(std::make_shared<TTActivityLabel>(TTActivityLabelStyleGray))
{
    contentView()->addSubview(activityLabel_);
    setAccessoryType(UITableViewCellAccessoryNone);
    setSelectionStyle(UITableViewCellSelectionStyleNone);
}

void TTTableActivityItemCell::setObject(const TTTableObject& object)
{
    if (object == item_) return;
    item_ = object;
    if (auto* item = object.itemAs<TTTableActivityItem>()) activityLabel_->setText(item->text());
}

void TTTableActivityItemCell::layoutSubviews()
{
    TTTableViewCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    const bool plain = !tableView() || tableView()->style() == UITableViewStylePlain;
    activityLabel_->setFrame(plain ? b : CGRectInset(b, -1, -1));
}
