#include "toolkit/tables/TTTableHeaderView.h"

#include "toolkit/tables/TTTableStyle.h"

namespace {
constexpr double kLabelLeft = 12;
constexpr double kLabelHeight = 23;
}  // namespace

TTTableHeaderView::TTTableHeaderView(const std::string& title) : label_(std::make_shared<UILabel>())
{
    setBackgroundColor(UIColor::clearColor());
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    setStyle(TTStyleSheet::globalStyleSheet()->styleWithSelector("tableHeader"));
    label_->setText(title);
    label_->setBackgroundColor(UIColor::clearColor());
    UIColorPtr textColor = sheet.tableHeaderTextColor();
    label_->setTextColor(textColor ? textColor : sheet.linkTextColor());
    UIColorPtr shadow = sheet.tableHeaderShadowColor();
    label_->setShadowColor(shadow ? shadow : UIColor::clearColor());
    label_->setShadowOffset(CGSizeMake(0, 1));
    label_->setFont(sheet.tableFont());
    addSubview(label_);
}

void TTTableHeaderView::layoutSubviews()
{
    TTView::layoutSubviews();
    label_->setFrame(CGRectMake(kLabelLeft, 0, bounds().size.width, kLabelHeight));
}
