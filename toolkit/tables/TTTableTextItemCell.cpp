#include "toolkit/tables/TTTableTextItemCell.h"

#include <algorithm>
#include <cmath>

#include "toolkit/network/TTURLCache.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "toolkit/views/UITableView+TTCategory.h"

namespace {
constexpr double kTextCellMargin = 10;
constexpr double kMaxTextHeight = 2000;
constexpr double kDefaultImageSide = 50;
}  // namespace

TTTableTextItemCell::TTTableTextItemCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableLinkedItemCell(style, identifier)
{
    textLabel()->setHighlightedTextColor(tt::tableStyleSheet().highlightedTextColor());
    textLabel()->setLineBreakMode(UILineBreakModeWordWrap);
    textLabel()->setNumberOfLines(0);
}

UIFontPtr TTTableTextItemCell::textFontForItem(const TTTableTextItem* item)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    if (dynamic_cast<const TTTableLongTextItem*>(item) || dynamic_cast<const TTTableGrayTextItem*>(item))
        return sheet.font();
    return sheet.tableFont();
}

double TTTableTextItemCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableTextItem>();
    if (!item || item->text().empty() || !tableView) return kTextCellMargin * 2;
    const double width = tableView->bounds().size.width - (2 * tt::tableCellMargin(*tableView) + 2 * kTextCellMargin);
    const double height = tt::textHeight(item->text(), textFontForItem(item), width, UILineBreakModeTailTruncation);
    return std::min(height, kMaxTextHeight) + kTextCellMargin * 2;
}

void TTTableTextItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    auto* item = itemAs<TTTableTextItem>();
    if (!item) return;
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    UILabel* label = textLabel();
    label->setText(item->text());
    UIFontPtr font = sheet.tableFont();
    UIColorPtr color = sheet.textColor();
    UITextAlignment alignment = UITextAlignmentLeft;
    if (dynamic_cast<TTTableButton*>(item)) {
        font = sheet.tableButtonFont();
        color = sheet.linkTextColor();
        alignment = UITextAlignmentCenter;
        setAccessoryType(UITableViewCellAccessoryNone);
        setSelectionStyle(static_cast<UITableViewCellSelectionStyle>(sheet.tableSelectionStyle()));
    } else if (dynamic_cast<TTTableLink*>(item)) {
        color = sheet.linkTextColor();
    } else if (dynamic_cast<TTTableSummaryItem*>(item)) {
        font = sheet.tableSummaryFont();
        color = sheet.tableSubTextColor();
        alignment = UITextAlignmentCenter;
    } else if (dynamic_cast<TTTableLongTextItem*>(item)) {
        font = sheet.font();
    } else if (dynamic_cast<TTTableGrayTextItem*>(item)) {
        font = sheet.font();
        color = sheet.tableSubTextColor();
    }
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(alignment);
}

CGRect TTTableTextItemCell::insetTextFrame() const
{
    // The row's height less the margins, as the text was measured: the content view is a
    // separator line shorter, which would leave no room for a wrapped text's last line.
    const CGRect b = contentView()->bounds();
    return CGRectMake(kTextCellMargin, kTextCellMargin, b.size.width - 2 * kTextCellMargin,
                      std::max(b.size.height, bounds().size.height) - 2 * kTextCellMargin);
}

void TTTableTextItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    textLabel()->setFrame(insetTextFrame());
}

TTTableImageItemCell::TTTableImageItemCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableTextItemCell(style, identifier), imageView2_(std::make_shared<TTImageView>())
{
    contentView()->addSubview(imageView2_);
}

CGSize TTTableImageItemCell::imageSizeForItem(const TTTableImageItem& item)
{
    UIImagePtr image = item.imageURL().empty() ? nullptr : TTURLCache::sharedCache().imageForURL(item.imageURL());
    if (!image) image = item.defaultImage();
    if (image) return image->size();
    return item.imageURL().empty() ? CGSizeZero : CGSizeMake(kDefaultImageSide, kDefaultImageSide);
}

namespace {

// The style's image size where it sets one, else the measured size.
CGSize styledImageSize(const TTTableImageItem& item, CGSize size, bool eachDimension)
{
    if (!item.imageStyle()) return size;
    auto style = item.imageStyle()->firstStyleOfClass<TTImageStyle>();
    if (!style) return size;
    const CGSize asked = style->size;
    if (!eachDimension) return asked.width || asked.height ? asked : size;
    return CGSizeMake(asked.width ? asked.width : size.width, asked.height ? asked.height : size.height);
}

}  // namespace

double TTTableImageItemCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    auto* item = object.itemAs<TTTableImageItem>();
    if (!item || !tableView) return 44;
    const CGSize size = styledImageSize(*item, imageSizeForItem(*item), false);
    const double width = tableView->bounds().size.width - (size.width + 52);
    const double textHeight =
        tt::textHeight(item->text(), tt::tableStyleSheet().tableSmallFont(), width, UILineBreakModeTailTruncation);
    return std::max(textHeight, size.height) + kTextCellMargin * 2;
}

void TTTableImageItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableTextItemCell::setObject(object);
    auto* item = itemAs<TTTableImageItem>();
    if (!item) return;
    imageView2_->setStyle(item->imageStyle());
    imageView2_->setDefaultImage(item->defaultImage());
    imageView2_->setURL(item->imageURL());
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    if (dynamic_cast<TTTableRightImageItem*>(item)) {
        textLabel()->setFont(sheet.tableSmallFont());
        textLabel()->setTextAlignment(UITextAlignmentCenter);
        setAccessoryType(UITableViewCellAccessoryNone);
    } else {
        textLabel()->setFont(sheet.tableFont());
        textLabel()->setTextAlignment(UITextAlignmentLeft);
    }
}

void TTTableImageItemCell::layoutSubviews()
{
    TTTableTextItemCell::layoutSubviews();
    auto* item = itemAs<TTTableImageItem>();
    const CGRect b = contentView()->bounds();
    if (!item || imageView2_->URL().empty()) {
        textLabel()->setFrame(insetTextFrame());
        imageView2_->setFrame(CGRectZero);
        return;
    }
    CGSize size = imageSizeForItem(*item);
    const double cellHeight = bounds().size.height;
    if (dynamic_cast<TTTableRightImageItem*>(item)) {
        textLabel()->setFrame(CGRectMake(kTextCellMargin, kTextCellMargin, b.size.width - (size.width + 32), b.size.height - 20));
        imageView2_->setFrame(CGRectMake(CGRectGetMaxX(textLabel()->frame()) + 12,
                                         std::floor(cellHeight / 2 - size.height / 2), size.width, size.height));
        return;
    }
    if (item->imageStyle()) {
        if (auto style = item->imageStyle()->firstStyleOfClass<TTImageStyle>()) {
            imageView2_->setContentMode(static_cast<UIViewContentMode>(style->contentMode));
            imageView2_->setClipsToBounds(true);
            imageView2_->setBackgroundColor(UIColor::clearColor());
            size = styledImageSize(*item, size, true);
        }
    }
    imageView2_->setFrame(CGRectMake(kTextCellMargin, std::floor(cellHeight / 2 - size.height / 2), size.width, size.height));
    textLabel()->setFrame(CGRectMake(size.width + 22, kTextCellMargin, b.size.width - (size.width + 32), b.size.height - 20));
}

void TTTableImageItemCell::didMoveToSuperview()
{
    TTTableTextItemCell::didMoveToSuperview();
    if (superview()) imageView2_->setBackgroundColor(backgroundColor());
}
