#include "Classes/Bookmarks/VerseRowParts.h"

#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace verse_row {

std::string shownNumber(int n) {
    std::string text = stringWithFormat("%i", n);
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(text) : text;
}

std::shared_ptr<UILabel> clearLabel(CGRect frame, const char* font, double size) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(UIFont::fontWithName(font, size));
    label->setBackgroundColor(UIColor::clearColor());
    label->setHighlightedTextColor(UIColor::whiteColor());
    return label;
}

std::shared_ptr<UIButton> verseBadge(double h) {
    auto badge = std::make_shared<UIButton>(CGRectMake(0, std::floor((h - 44) / 2), 44, 44));
    badge->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
    for (unsigned state : {UIControlStateNormal, UIControlStateDisabled})
        badge->setBackgroundImage(UIImage::imageNamed("bookmarks-search-aya.png"), state);
    badge->setBackgroundImage(UIImage::imageNamed("bookmarks-search-aya-t.png"), UIControlStateHighlighted);
    for (unsigned state : kAllStates) badge->setTitleColor(UIColor::blackColor(), state);
    badge->setFont(UIFont::fontWithName("Helvetica", 11));
    badge->setTitleEdgeInsets(UIEdgeInsetsMake(0, 1, 0, 0));
    badge->setTitleShadowColor(UIColor::colorWithWhite(1, 0.3), UIControlStateNormal);
    badge->titleLabel()->setShadowOffset(CGSizeMake(0, 1));
    badge->setEnabled(false);
    badge->setAdjustsImageWhenDisabled(false);
    badge->setUserInteractionEnabled(false);
    return badge;
}

}  // namespace verse_row
