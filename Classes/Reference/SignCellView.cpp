#include "Classes/Reference/SignCellView.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/text/UIFont.h"

SignCellView::SignCellView(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    setAutoresizesSubviews(true);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    const double w = frame().size.width;
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();

    imgSign = std::make_shared<UIImageView>(CGRectMake(arabic ? w - 44 : 0, 0, 44, 52));
    imgSign->setContentMode(UIViewContentModeCenter);
    imgSign->setAutoresizingMask(arabic ? UIViewAutoresizingFlexibleLeftMargin : UIViewAutoresizingFlexibleRightMargin);

    const double textX = arabic ? 0 : 50;
    lblTitle = std::make_shared<UILabel>(CGRectMake(textX, 4, w - 50, 30));
    lblTitle->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    lblTitle->setAdjustsFontSizeToFitWidth(true);
    lblTitle->setMinimumFontSize(11);
    lblExplanation = std::make_shared<UILabel>(CGRectMake(textX, 24, w - 50, 26));
    lblExplanation->setFont(UIFont::fontWithName("Helvetica", 13));
    lblExplanation->setTextColor(UIColor::colorWithRed(136 / 255.0, 95 / 255.0, 13 / 255.0, 1));
    for (const auto& label : {lblTitle, lblExplanation}) {
        label->setBackgroundColor(UIColor::clearColor());
        label->setHighlightedTextColor(UIColor::whiteColor());
        label->setTextAlignment(arabic ? UITextAlignmentRight : UITextAlignmentLeft);
        label->setContentMode(arabic ? UIViewContentModeRight : UIViewContentModeLeft);
        label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                   (arabic ? UIViewAutoresizingFlexibleLeftMargin : UIViewAutoresizingFlexibleRightMargin));
    }
    contentView()->addSubview(imgSign);
    contentView()->addSubview(lblTitle);
    contentView()->addSubview(lblExplanation);
}
