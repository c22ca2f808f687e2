#include "Classes/Reading/SurahInfoCell.h"

#include "platform/text/UIFont.h"

namespace {

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

std::shared_ptr<UILabel> makeInfoLabel(CGRect frame, const char* font, UIColorPtr color, unsigned mask) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(UIFont::fontWithName(font, 13));
    label->setTextColor(std::move(color));
    label->setHighlightedTextColor(UIColor::whiteColor());
    label->setBackgroundColor(UIColor::clearColor());
    label->setAutoresizingMask(mask);
    return label;
}

}  // namespace

SurahInfoCell::SurahInfoCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    lblLeftLabel_ = makeInfoLabel({{5, 0}, {130, 44}}, "Helvetica", rgb(113, 83, 0), UIViewAutoresizingNone);
    lblRightLabel_ = makeInfoLabel({{137, 0}, {183, 44}}, "Helvetica-Bold", rgb(33, 33, 36),
                               UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth);
    lblExplanation_ = makeInfoLabel({{25, 44}, {270, 44}}, "Helvetica-Bold", rgb(33, 33, 36),
                                UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth |
                                    UIViewAutoresizingFlexibleRightMargin);
    lblExplanation_->setNumberOfLines(2);
    lblExplanation_->setTextAlignment(UITextAlignmentCenter);
    viewBottomMarker_ = std::make_shared<UIView>(CGRect{{0, 43}, {320, 1}});
    viewBottomMarker_->setBackgroundColor(rgb(194, 189, 167));
    viewBottomMarker_->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth |
                                           UIViewAutoresizingFlexibleRightMargin |
                                           UIViewAutoresizingFlexibleTopMargin);
    viewBottomMarker_->setContentMode(UIViewContentModeRight);
    for (const auto& v : {std::static_pointer_cast<UIView>(lblLeftLabel_), std::static_pointer_cast<UIView>(lblRightLabel_),
                          std::static_pointer_cast<UIView>(lblExplanation_), viewBottomMarker_})
        contentView()->addSubview(v);
}
