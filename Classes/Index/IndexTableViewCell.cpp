#include "Classes/Index/IndexTableViewCell.h"

#include "Classes/Index/SectionCellView.h"
#include "Classes/Index/SurahCellView.h"
#include "platform/graphics/UIImage.h"

namespace {
constexpr double kRowHeight = 45;
}

IndexTableViewCell::IndexTableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier, int row)
    : UITableViewCell(style, reuseIdentifier), row_(row) {
    const double h = contentView() && contentView()->bounds().size.height > 0 ? contentView()->bounds().size.height
                                                                               : kRowHeight;
    const CGRect frame = CGRectMake(0, 0, 320, h);
    if (reuseIdentifier == "SectionCell")
        cellView_ = std::make_shared<SectionCellView>(frame, row, 0);
    else
        cellView_ = std::make_shared<SurahCellView>(frame, row, true, 0, this);
    cellView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    contentView()->addSubview(cellView_);

    // The selection tint leaves the 44-point sound column uncovered.
    auto selected = std::make_shared<UIView>(CGRectMake(0, 0, 320, h));
    selected->setContentMode(UIViewContentModeRight);
    selected->setAutoresizesSubviews(true);
    selected->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto tint = std::make_shared<UIImageView>(CGRectMake(44, 0, 320 - 44, 44));
    if (auto image = UIImage::imageNamed("index-row-t.png")) tint->setImage(image->stretchableImageWithLeftCapWidth(115, 0));
    tint->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    tint->setBackgroundColor(UIColor::clearColor());
    tint->setOpaque(false);
    selected->addSubview(tint);
    setSelectedBackgroundView(selected);
    setOpaque(false);
}

void IndexTableViewCell::setDelegate(IndexViewCellDelegate* delegate) { cellView_->setDelegate(delegate); }

void IndexTableViewCell::setRow(int row, bool forceRefresh) {
    row_ = row;
    cellView_->setRow(row, forceRefresh);
}

void IndexTableViewCell::setIndexMeta(const IndexRowMetaPtr& meta) { cellView_->setIndexMeta(meta); }

void IndexTableViewCell::updateSoundStatus() { cellView_->updateSoundStatus(); }

void IndexTableViewCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
    if (cellView_) cellView_->setSelected(selected);
}

void IndexTableViewCell::setHighlighted(bool highlighted, bool animated) {
    UITableViewCell::setHighlighted(highlighted, animated);
    if (cellView_) cellView_->setHighlighted(highlighted);
}
