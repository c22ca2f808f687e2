#include "toolkit/tables/TTTableSubtitleItemCell.h"

#include <algorithm>
#include <cmath>

#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/tables/TTTableStyle.h"
#include "toolkit/tables/TTTableTextItem.h"

namespace {
constexpr double kSubtitleCellMargin = 10;
constexpr double kImageGap = 6;
constexpr double kMoreMinimumHeight = 66;
constexpr double kMoreTextLeft = 40;
}  // namespace

TTTableSubtitleItemCell::TTTableSubtitleItemCell(UITableViewCellStyle, const std::string& identifier)
    : TTTableLinkedItemCell(UITableViewCellStyleValue2, identifier)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    UILabel* text = textLabel();
    tt::styleCellLabel(*text, sheet.tableFont(), sheet.textColor());
    text->setTextAlignment(UITextAlignmentLeft);
    text->setLineBreakMode(UILineBreakModeTailTruncation);
    text->setAdjustsFontSizeToFitWidth(true);
    UILabel* subtitle = detailTextLabel();
    tt::styleCellLabel(*subtitle, sheet.font(), sheet.tableSubTextColor());
    subtitle->setTextAlignment(UITextAlignmentLeft);
    subtitle->setLineBreakMode(UILineBreakModeTailTruncation);
    subtitle->setNumberOfLines(2);
    subtitle->setContentMode(UIViewContentModeTop);
}

double TTTableSubtitleItemCell::rowHeightForObject(UITableView*, const TTTableObject& object)
{
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    double height = tt::lineHeight(*sheet.tableFont()) + kSubtitleCellMargin * 2;
    auto* item = object.itemAs<TTTableSubtitleItem>();
    if (item && item->subtitle()) height += tt::lineHeight(*sheet.font());
    return height;
}

TTImageView* TTTableSubtitleItemCell::imageView2()
{
    if (!imageView2_) {
        imageView2_ = std::make_shared<TTImageView>();
        contentView()->addSubview(imageView2_);
    }
    return imageView2_.get();
}

void TTTableSubtitleItemCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableLinkedItemCell::setObject(object);
    auto* item = itemAs<TTTableSubtitleItem>();
    if (!item) return;
    // Empty fields keep what the labels showed before.
    if (!item->text().empty()) textLabel()->setText(item->text());
    if (item->subtitle() && !item->subtitle()->empty()) detailTextLabel()->setText(*item->subtitle());
    if (item->defaultImage()) imageView2()->setDefaultImage(item->defaultImage());
    if (!item->imageURL().empty()) imageView2()->setURL(item->imageURL());
}

void TTTableSubtitleItemCell::layoutSubviews()
{
    TTTableLinkedItemCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    const double h = b.size.height;
    const double width = b.size.width - (h + kImageGap);
    double left = kSubtitleCellMargin;
    if (imageView2_) {
        imageView2_->setFrame(CGRectMake(0, 0, h, h));
        left = CGRectGetMaxX(imageView2_->frame()) + kImageGap;
    }
    UILabel* text = textLabel();
    UILabel* subtitle = detailTextLabel();
    if (!subtitle->text().empty()) {
        const double a = tt::lineHeight(*text->font());
        const double d = tt::lineHeight(*subtitle->font());
        const double top = std::floor((h - (a + d)) / 2);
        text->setFrame(CGRectMake(left, top, width, a));
        subtitle->setFrame(CGRectMake(left, CGRectGetMaxY(text->frame()), width, d));
    } else {
        const double x = (imageView2_ ? CGRectGetMaxX(imageView2_->frame()) : 0) + kImageGap;
        text->setFrame(CGRectMake(x, 0, width, h));
        subtitle->setFrame(CGRectZero);
    }
}

TTTableMoreButtonCell::TTTableMoreButtonCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableSubtitleItemCell(style, identifier)
{
    textLabel()->setFont(tt::tableStyleSheet().tableSmallFont());
}

double TTTableMoreButtonCell::rowHeightForObject(UITableView* tableView, const TTTableObject& object)
{
    double height = TTTableSubtitleItemCell::rowHeightForObject(tableView, object);
    auto* item = object.itemAs<TTTableMoreButton>();
    if (item && !item->caption().empty()) height += tt::lineHeight(*tt::tableStyleSheet().font());
    return std::max(height, kMoreMinimumHeight);
}

UIActivityIndicatorView* TTTableMoreButtonCell::activityIndicatorView()
{
    if (!activityIndicatorView_) {
        activityIndicatorView_ = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
        contentView()->addSubview(activityIndicatorView_);
    }
    return activityIndicatorView_.get();
}

void TTTableMoreButtonCell::setAnimating(bool animating)
{
    if (animating == animating_) return;
    animating_ = animating;
    if (animating) activityIndicatorView()->startAnimating();
    else if (activityIndicatorView_) activityIndicatorView_->stopAnimating();
    setNeedsLayout();
}

void TTTableMoreButtonCell::setObject(const TTTableObject& object)
{
    if (object == this->object()) return;
    TTTableSubtitleItemCell::setObject(object);
    auto* item = itemAs<TTTableMoreButton>();
    if (!item) return;
    if (!item->text().empty()) textLabel()->setText(item->text());
    if (!item->caption().empty()) detailTextLabel()->setText(item->caption());
    setAnimating(item->isLoading());
    TTDefaultStyleSheet& sheet = tt::tableStyleSheet();
    textLabel()->setTextColor(sheet.moreLinkTextColor());
    setSelectionStyle(static_cast<UITableViewCellSelectionStyle>(sheet.tableSelectionStyle()));
}

void TTTableMoreButtonCell::layoutSubviews()
{
    TTTableSubtitleItemCell::layoutSubviews();
    const CGRect b = contentView()->bounds();
    if (activityIndicatorView_) {
        activityIndicatorView_->sizeToFit();
        const CGSize size = activityIndicatorView_->frame().size;
        activityIndicatorView_->setFrame(
            CGRectMake(kMoreTextLeft - (size.width + kImageGap), std::floor(b.size.height / 2 - size.height / 2),
                       size.width, size.height));
    }
    for (UILabel* label : {textLabel(), detailTextLabel()}) {
        CGRect f = label->frame();
        label->setFrame(CGRectMake(kMoreTextLeft, f.origin.y, b.size.width - (kMoreTextLeft + kImageGap), f.size.height));
    }
}
