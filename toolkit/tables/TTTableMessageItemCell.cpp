#include "toolkit/tables/TTTableMessageItemCell.h"

#include "toolkit/foundation/NSDate+TTCategory.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/tables/TTTableTextItem.h"

namespace {
constexpr double kInset = 6;
constexpr double kImageSide = 34;
constexpr double kTextLeftWithImage = 46;
constexpr double kTextLeft = 10;
}  // namespace

TTTableMessageItemCell::TTTableMessageItemCell(UITableViewCellStyle, const std::string& identifier)
    : TTTableLinkedItemCell(UITableViewCellStyleValue2, identifier)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    UILabel* caption = textLabel();
    tt::styleCellLabel(*caption, sheet.font(), sheet.textColor());
    caption->setTextAlignment(UITextAlignmentLeft);
    caption->setLineBreakMode(UILineBreakModeTailTruncation);
    caption->setAdjustsFontSizeToFitWidth(true);
    caption->setContentMode(UIViewContentModeLeft);
    UILabel* text = detailTextLabel();
    tt::styleCellLabel(*text, sheet.font(), sheet.tableSubTextColor());
    text->setTextAlignment(UITextAlignmentLeft);
    text->setLineBreakMode(UILineBreakModeTailTruncation);
    text->setNumberOfLines(2);
    text->setContentMode(UIViewContentModeLeft);
}

UILabel* TTTableMessageItemCell::titleLabel()
{
    if (!titleLabel_) {
        titleLabel_ = std::make_shared<UILabel>();
        titleLabel_->setTextColor(UIColor::blackColor());
        titleLabel_->setHighlightedTextColor(UIColor::whiteColor());
        titleLabel_->setFont(tt::tableStyleSheet().tableFont());
        titleLabel_->setContentMode(UIViewContentModeLeft);
        contentView()->addSubview(titleLabel_);
    }
    return titleLabel_.get();
}

UILabel* TTTableMessageItemCell::timestampLabel()
{
    if (!timestampLabel_) {
        TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
        timestampLabel_ = std::make_shared<UILabel>();
        timestampLabel_->setFont(sheet.tableTimestampFont());
        timestampLabel_->setTextColor(sheet.timestampTextColor());
        timestampLabel_->setHighlightedTextColor(UIColor::whiteColor());
        timestampLabel_->setContentMode(UIViewContentModeLeft);
        contentView()->addSubview(timestampLabel_);
    }
    return timestampLabel_.get();
}

TTImageView* TTTableMessageItemCell::imageView2()
{
    if (!imageView2_) {
        imageView2_ = std::make_shared<TTImageView>();
        contentView()->addSubview(imageView2_);
    }
    return imageView2_.get();
}

void TTTableMessageItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    auto* item = itemAs<TTTableMessageItem>();
    if (!item) return;
    if (!item->title().empty()) titleLabel()->setText(item->title());
    if (!item->caption().empty()) textLabel()->setText(item->caption());
    if (!item->text().empty()) detailTextLabel()->setText(item->text());
    if (item->timestamp()) timestampLabel()->setText(tt::formatShortTime(*item->timestamp()));
    if (!item->imageURL().empty()) imageView2()->setURL(item->imageURL());
}

void TTTableMessageItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    double left = kTextLeft;
    if (imageView2_) {
        imageView2_->setFrame(CGRectMake(kInset, kInset, kImageSide, kImageSide));
        left = kTextLeftWithImage;
    }
    const double width = b.size.width - left;
    double top = kInset;
    if (titleLabel_ && !titleLabel_->text().empty()) {
        titleLabel_->setFrame(CGRectMake(left, top, width, tt::lineHeight(*titleLabel_->font())));
        top += titleLabel_->frame().size.height;
    } else if (titleLabel_) {
        titleLabel_->setFrame(CGRectZero);
    }
    UILabel* caption = textLabel();
    if (!caption->text().empty()) {
        caption->setFrame(CGRectMake(left, top, width, tt::lineHeight(*caption->font())));
        top += caption->frame().size.height;
    } else {
        caption->setFrame(CGRectZero);
    }
    UILabel* text = detailTextLabel();
    if (!text->text().empty()) text->setFrame(CGRectMake(left, top, width, tt::lineHeight(*text->font()) * 2));
    else text->setFrame(CGRectZero);
    if (timestampLabel_ && !timestampLabel_->text().empty()) {
        timestampLabel_->setAlpha(showingDeleteConfirmation() ? 0 : 1);
        timestampLabel_->sizeToFit();
        CGRect f = timestampLabel_->frame();
        const double titleTop = titleLabel_ ? titleLabel_->frame().origin.y : kInset;
        timestampLabel_->setFrame(CGRectMake(b.size.width - (f.size.width + kInset), titleTop, f.size.width, f.size.height));
        if (titleLabel_) {
            CGRect t = titleLabel_->frame();
            t.size.width -= f.size.width + 12;
            titleLabel_->setFrame(t);
        }
    } else if (timestampLabel_) {
        timestampLabel_->setFrame(CGRectZero);
    }
}

void TTTableMessageItemCell::didMoveToSuperview()
{
    TTTableLinkedItemCell::didMoveToSuperview();
    if (!superview()) return;
    if (imageView2_) imageView2_->setBackgroundColor(backgroundColor());
    if (titleLabel_) titleLabel_->setBackgroundColor(backgroundColor());
    if (timestampLabel_) timestampLabel_->setBackgroundColor(backgroundColor());
}
