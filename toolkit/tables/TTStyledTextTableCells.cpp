#include "toolkit/tables/TTStyledTextTableCells.h"

#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/views/UITableView+TTCategory.h"

namespace {

constexpr double kAccessoryWidth = 23;

std::shared_ptr<TTStyledTextLabel> makeStyledLabel(UIView& contentView)
{
    auto label = std::make_shared<TTStyledTextLabel>();
    label->setContentMode(UIViewContentModeLeft);
    contentView.addSubview(label);
    return label;
}

// Lays the text out at the row's width less the room taken and answers its height.
double layOutText(TTStyledText& text, UITableView* tableView, double roomTaken)
{
    if (!text.font()) text.setFont(tt::tableStyleSheet().font());
    const double width = tableView ? tableView->bounds().size.width : 0;
    const double margin = tableView ? tt::tableCellMargin(*tableView) : 0;
    text.setWidth(width - (2 * margin + roomTaken));
    return text.height();
}

}  // namespace

TTStyledTextTableItemCell::TTStyledTextTableItemCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableLinkedItemCell(style, identifier), label_(makeStyledLabel(*contentView()))
{
}

double TTStyledTextTableItemCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableStyledTextItem>();
    if (!item || !item->text()) return 44;
    const UIEdgeInsets padding = item->padding();
    const double room = padding.left + padding.right + (item->URL().empty() ? 0 : kAccessoryWidth);
    return layOutText(*item->text(), tableView, room) + padding.top + padding.bottom;
}

void TTStyledTextTableItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    auto* item = itemAs<TTTableStyledTextItem>();
    if (!item) return;
    label_->setText(item->text());
    label_->setContentInset(item->padding());
    setNeedsLayout();
}

void TTStyledTextTableItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    auto* item = itemAs<TTTableStyledTextItem>();
    const UIEdgeInsets margin = item ? item->margin() : UIEdgeInsets{0, 0, 0, 0};
    label_->setFrame(CGRectOffset(contentView()->bounds(), margin.left, margin.top));
}

void TTStyledTextTableItemCell::didMoveToSuperview()
{
    TTTableLinkedItemCell::didMoveToSuperview();
    if (superview()) label_->setBackgroundColor(backgroundColor());
}

TTStyledTextTableCell::TTStyledTextTableCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableViewCell(style, identifier), label_(makeStyledLabel(*contentView()))
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
}

double TTStyledTextTableCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    TTStyledText* text = object.styledText();
    return text ? layOutText(*text, tableView, 0) : 44;
}

void TTStyledTextTableCell::setObject(const TTTableObject& object)
{
    if (object.styledTextPtr() != label_->text()) label_->setText(object.styledTextPtr());
}

void TTStyledTextTableCell::layoutSubviews()
{
    TTTableViewCell::layoutSubviews();
    label_->setFrame(contentView()->bounds());
}

void TTStyledTextTableCell::didMoveToSuperview()
{
    TTTableViewCell::didMoveToSuperview();
    if (superview()) label_->setBackgroundColor(backgroundColor());
}
