#include "toolkit/tables/TTTableActivityItemCell.h"

#include <cmath>

#include "platform/text/StringDrawing.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableStyle.h"

namespace {
constexpr double kSpacing = 6;
}

TTTableActivityLabel::TTTableActivityLabel()
    : indicator_(std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray)),
      label_(std::make_shared<UILabel>())
{
    setBackgroundColor(UIColor::clearColor());
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    label_->setFont(sheet.activityLabelFont());
    label_->setTextColor(sheet.tableActivityTextColor());
    label_->setBackgroundColor(UIColor::clearColor());
    addSubview(indicator_);
    addSubview(label_);
    indicator_->startAnimating();
}

void TTTableActivityLabel::setText(const std::string& text)
{
    label_->setText(text);
    setNeedsLayout();
}

void TTTableActivityLabel::layoutSubviews()
{
    indicator_->sizeToFit();
    const CGSize spinner = indicator_->frame().size;
    const CGSize textSize = label_->text().empty() ? CGSizeZero : sizeWithFont(label_->text(), *label_->font());
    const double width = spinner.width + (textSize.width > 0 ? kSpacing + textSize.width : 0);
    const CGRect b = bounds();
    const double left = std::floor((b.size.width - width) / 2);
    indicator_->setFrame(CGRectMake(left, std::floor((b.size.height - spinner.height) / 2), spinner.width, spinner.height));
    label_->setFrame(CGRectMake(left + spinner.width + kSpacing, std::floor((b.size.height - textSize.height) / 2),
                                textSize.width, textSize.height));
}

TTTableActivityItemCell::TTTableActivityItemCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableViewCell(style, identifier), activityLabel_(std::make_shared<TTTableActivityLabel>())
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
