#include "Classes/Search/SavedSearchCell.h"

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SavedSearchesViewController.h"
#include "platform/foundation/Format.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

using screen_support::tr;

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

}  // namespace

SavedSearchCell::SavedSearchCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UITableViewCell(style, reuseIdentifier) {
    UIView& content = *contentView();
    const double h = content.bounds().size.height > 0 ? content.bounds().size.height : 44;

    btnEye = std::make_shared<UIButton>(CGRectMake(0, 0, 50, 44));
    btnEye->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
    btnEye->addTarget(this, [this](UIControl*, UIEvent*) { btnEyePressed(); }, UIControlEventTouchUpInside);
    content.addSubview(btnEye);

    lblTitle = std::make_shared<UILabel>(CGRectMake(50, 0, 120, h));
    lblTitle->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
    lblTitle->setAdjustsFontSizeToFitWidth(true);
    lblTitle->setMinimumFontSize(11);
    lblTitle->setBackgroundColor(UIColor::clearColor());
    lblTitle->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    lblTitle->setHighlightedTextColor(UIColor::whiteColor());
    content.addSubview(lblTitle);

    btnTrans = std::make_shared<UIButton>(CGRectMake(180, 13, 36, 17));
    btnTrans->setFont(UIFont::fontWithName("Helvetica", 11));
    btnTrans->setTitleColor(UIColor::whiteColor(), UIControlStateHighlighted);
    btnTrans->setTitleColor(rgb(101, 100, 94), UIControlStateDisabled);
    for (unsigned state : {unsigned(UIControlStateDisabled), unsigned(UIControlStateHighlighted)})
        btnTrans->setBackgroundImage(UIImage::imageNamed("lang-indecator.png"), state);
    btnTrans->setEnabled(false);
    btnTrans->setUserInteractionEnabled(false);
    btnTrans->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    content.addSubview(btnTrans);

    lblResults = std::make_shared<UILabel>(CGRectMake(218, 0, 75, 44));
    lblResults->setFont(UIFont::fontWithName("Helvetica", 13));
    lblResults->setTextColor(rgb(101, 100, 94));
    lblResults->setTextAlignment(UITextAlignmentRight);
    lblResults->setBackgroundColor(UIColor::clearColor());
    lblResults->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    lblResults->setHighlightedTextColor(UIColor::whiteColor());
    content.addSubview(lblResults);

    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    content.setBackgroundColor(UIColor::clearColor());
}

void SavedSearchCell::setSavedSearch(SavedSearch* search) {
    if (search != ThisSavedSearch_) {
        ThisSavedSearch_ = search;
        lblTitle->setText(search ? search->strSearchText() : std::string());
        btnEye->setBackgroundImage(UIImage::imageNamed("search-eye-t.png"), UIControlStateHighlighted);
        setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        const std::string badge = search ? ChapterInfo::getTranslationAbbrNameForNumber(search->iTranslation()) : "";
        for (unsigned state : {unsigned(UIControlStateDisabled), unsigned(UIControlStateHighlighted)})
            btnTrans->setTitle(badge, state);
        std::string results;
        if (search && search->iHitCount() != 0) {
            const int n = search->iHitCount();
            const std::string word = n == 1 ? tr("result") : tr("results");
            results = LumenoSDKAppDelegate::IsLanguageArabic()
                          ? ChapterInfo::getArabicNumbersFrom(stringWithFormat("%i", n)) + " " + word
                          : stringWithFormat("%i %@", n, word);
        }
        lblResults->setText(results);
    }
    updateReflectionState();
}

void SavedSearchCell::updateReflectionState() {
    const bool marked = ThisSavedSearch_ && ThisSavedSearch_->isReflectedInSurah();
    lblTitle->setTextColor(marked ? rgb(134, 82, 167) : UIColor::blackColor());
    btnEye->setBackgroundImage(UIImage::imageNamed(marked ? "search-eye-on.png" : "search-eye.png"),
                               UIControlStateNormal);
}

void SavedSearchCell::btnEyePressed() {
    if (!ThisSavedSearch_ || !viewController_) return;
    viewController_->reflectSearchedVerses(!ThisSavedSearch_->isReflectedInSurah(), ThisSavedSearch_);
}

void SavedSearchCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
    btnEye->setHighlighted(false);
    btnTrans->setEnabled(selected);
    btnTrans->setHighlighted(selected);
}

void SavedSearchCell::setHighlighted(bool highlighted, bool animated) {
    UITableViewCell::setHighlighted(highlighted, animated);
    btnEye->setHighlighted(false);
    btnTrans->setEnabled(highlighted || isSelected());
    btnTrans->setHighlighted(highlighted || isSelected());
}

void SavedSearchCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    btnEye->setUserInteractionEnabled(!isEditing());
}
