#include "toolkit/tables/TTTableCaptionItemCells.h"

#include <cmath>

#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "toolkit/views/UITableView+TTCategory.h"

namespace {
constexpr double kCaptionCellMargin = 10;
constexpr double kCaptionWidth = 75;
constexpr double kDetailLeft = 97;
constexpr double kMinimumFontSize = 8;
}  // namespace

void tt::showCaptionItem(UITableViewCell& cell, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableCaptionItem>();
    if (!item) return;
    cell.textLabel()->setText(item->caption());
    cell.detailTextLabel()->setText(item->text());
}

TTTableCaptionItemCell::TTTableCaptionItemCell(UITableViewCellStyle, const std::string& identifier)
    : TTTableLinkedItemCell(UITableViewCellStyleValue2, identifier)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    UILabel* caption = textLabel();
    tt::styleCellLabel(*caption, sheet.tableTitleFont(), sheet.linkTextColor());
    caption->setTextAlignment(UITextAlignmentRight);
    caption->setLineBreakMode(UILineBreakModeTailTruncation);
    caption->setNumberOfLines(1);
    caption->setAdjustsFontSizeToFitWidth(true);
    UILabel* text = detailTextLabel();
    tt::styleCellLabel(*text, sheet.tableSmallFont(), sheet.textColor());
    text->setAdjustsFontSizeToFitWidth(true);
    text->setMinimumFontSize(kMinimumFontSize);
    text->setLineBreakMode(UILineBreakModeWordWrap);
    text->setNumberOfLines(0);
}

double TTTableCaptionItemCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableCaptionItem>();
    if (!item || !tableView) return kCaptionCellMargin * 2;
    const double width = tableView->bounds().size.width - (2 * tt::tableCellMargin(*tableView) + 107);
    return tt::textHeight(item->text(), tt::tableStyleSheet().tableSmallFont(), width, UILineBreakModeWordWrap) +
           kCaptionCellMargin * 2;
}

void TTTableCaptionItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    tt::showCaptionItem(*this, object);
}

void TTTableCaptionItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    textLabel()->setFrame(CGRectMake(kCaptionCellMargin, kCaptionCellMargin, kCaptionWidth, tt::lineHeight(*textLabel()->font())));
    detailTextLabel()->setFrame(CGRectMake(kDetailLeft, kCaptionCellMargin, b.size.width - 107, b.size.height - 20));
}

TTTableSubtextItemCell::TTTableSubtextItemCell(UITableViewCellStyle, const std::string& identifier)
    : TTTableLinkedItemCell(UITableViewCellStyleValue2, identifier)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    UILabel* text = detailTextLabel();
    tt::styleCellLabel(*text, sheet.tableFont(), sheet.textColor());
    text->setAdjustsFontSizeToFitWidth(true);
    UILabel* caption = textLabel();
    tt::styleCellLabel(*caption, sheet.font(), sheet.tableSubTextColor());
    caption->setTextAlignment(UITextAlignmentLeft);
    caption->setContentMode(UIViewContentModeTop);
    caption->setLineBreakMode(UILineBreakModeWordWrap);
    caption->setNumberOfLines(0);
}

double TTTableSubtextItemCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableCaptionItem>();
    if (!item || !tableView) return kCaptionCellMargin * 2;
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    const double width = tableView->bounds().size.width - 20;
    return tt::textHeight(item->text(), sheet.tableFont(), width, UILineBreakModeTailTruncation) +
           tt::textHeight(item->caption(), sheet.font(), width, UILineBreakModeWordWrap) + kCaptionCellMargin * 2;
}

void TTTableSubtextItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    tt::showCaptionItem(*this, object);
}

void TTTableSubtextItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    UILabel* caption = textLabel();
    UILabel* text = detailTextLabel();
    if (!caption->text().empty()) {
        text->sizeToFit();
        text->setFrame(CGRectMake(kCaptionCellMargin, kCaptionCellMargin, text->frame().size.width, text->frame().size.height));
        const double width = b.size.width - 20;
        const double height = tt::textHeight(caption->text(), caption->font(), width, caption->lineBreakMode());
        caption->setFrame(CGRectMake(kCaptionCellMargin, CGRectGetMaxY(text->frame()), width, height));
    } else {
        const double total = caption->frame().size.height + text->frame().size.height;
        text->sizeToFit();
        const double top = std::floor(b.size.height / 2 - total / 2);
        text->setFrame(CGRectMake(top * 2, top, text->frame().size.width, text->frame().size.height));
    }
}

TTTableRightCaptionItemCell::TTTableRightCaptionItemCell(UITableViewCellStyle, const std::string& identifier)
    : TTTableLinkedItemCell(UITableViewCellStyleValue2, identifier)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    textLabel()->setHighlightedTextColor(sheet.highlightedTextColor());
    textLabel()->setLineBreakMode(UILineBreakModeWordWrap);
    textLabel()->setNumberOfLines(0);
    detailTextLabel()->setHighlightedTextColor(sheet.highlightedTextColor());
}

void TTTableRightCaptionItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    tt::showCaptionItem(*this, object);
}
