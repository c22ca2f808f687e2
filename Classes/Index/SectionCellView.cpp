#include "Classes/Index/SectionCellView.h"

#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

std::string number(int n) {
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(std::to_string(n))
                                                    : std::to_string(n);
}

UIColorPtr quarterMarkColor() { return UIColor::colorWithRed(102 / 255.0, 82 / 255.0, 46 / 255.0, 1); }

}  // namespace

int SectionCellView::currentTextTranslation() {
    const int t = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    return (t == 21 || t == 22 || t == 27 || t == 38 || t == 1000) ? 0 : t;
}

SectionCellView::SectionCellView(CGRect frame, int row, int theme_)
    : IndexViewCell(frame), theme(theme_), sectionNumber(row), thisFrame(frame) {
    identity_ = 1;
    NSNotificationCenter::defaultCenter().addObserver(this, "TranslationDidChange", [this] { refreshFont(); });
    setContentMode(UIViewContentModeLeft);
    setAutoresizesSubviews(true);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    iCurrentTranslation = currentTextTranslation();
    setRow(row, true);
    setOpaque(false);
}

SectionCellView::~SectionCellView() { NSNotificationCenter::defaultCenter().removeObserver(this); }

void SectionCellView::applyTextStyle() {
    if (ChapterInfo::isTranslationRTL(iCurrentTranslation)) {
        lblSurahLabel->setTextAlignment(UITextAlignmentRight);
        lblSurahLabel->setFont(UIFont::fontWithName("GeezaPro", 16));
    } else {
        lblSurahLabel->setTextAlignment(UITextAlignmentLeft);
        lblSurahLabel->setFont(UIFont::fontWithName("Helvetica", 13));
    }
}

std::string SectionCellView::markTitle() const {
    if (sectionNumber % 4 == 1) return number(hezbVal);
    static const int numerators[4] = {3, 0, 1, 1};  // by quarter number modulo 4
    static const int denominators[4] = {4, 0, 4, 2};
    const int m = hezbnum;
    if (LumenoSDKAppDelegate::IsLanguageArabic())
        return stringWithFormat("%@/%@", number(numerators[m]), number(denominators[m]));
    return stringWithFormat("%i/%i", numerators[m], denominators[m]);
}

void SectionCellView::setRow(int row, bool) {
    sectionNumber = row + 1;
    const int n = sectionNumber;
    const double w = bounds().size.width;
    const double h = bounds().size.height;
    bool made = false;
    if (!lblSurahLabel) {
        lblSurahLabel = std::make_shared<UILabel>(CGRectMake(55, 0, w - 110, h));
        lblSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        lblSurahLabel->setBackgroundColor(UIColor::clearColor());
        lblSurahLabel->setOpaque(false);
        lblSurahLabel->setContentMode(UIViewContentModeRight);
        lblSurahLabel->setHighlightedTextColor(UIColor::whiteColor());
        lblSurahLabel->setLineBreakMode(UILineBreakModeTailTruncation);
        applyTextStyle();
        addSubview(lblSurahLabel);

        btnSectionIcon = std::make_shared<UIButton>(CGRectMake(w - 49, std::trunc((h - 44) / 2), 44, 44));
        btnSectionIcon->setFont(UIFont::fontWithName("Helvetica-Bold", 11));
        btnSectionIcon->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
        btnSectionIcon->setEnabled(false);
        btnSectionIcon->setAdjustsImageWhenDisabled(false);
        btnSectionIcon->setTitleEdgeInsets(UIEdgeInsets{0, 2, 0, 0});
        btnSectionIcon->setContentHorizontalAlignment(UIControlContentHorizontalAlignmentCenter);
        addSubview(btnSectionIcon);
        made = true;
    }

    if (n % 4 == 1) {
        hezbVal = n / 4 + 1;
        btnSectionIcon->setTitleColor(UIColor::blackColor(), UIControlStateDisabled);
        btnSectionIcon->setTitle(markTitle(), UIControlStateDisabled);
        if (made || isSectionedHizb) {
            btnSectionIcon->setBackgroundImage(UIImage::imageNamed("index-marks-hezb.png"), UIControlStateDisabled);
            isSectionedHizb = false;
        }
    } else {
        hezbnum = n % 4;
        if (made || !isSectionedHizb) {
            btnSectionIcon->setTitleColor(quarterMarkColor(), UIControlStateDisabled);
            btnSectionIcon->setBackgroundImage(UIImage::imageNamed("index-marks-34.png"), UIControlStateDisabled);
            isSectionedHizb = true;
        }
        btnSectionIcon->setTitle(markTitle(), UIControlStateDisabled);
    }
}

void SectionCellView::setNormalImages() {
    if (!btnSectionIcon) return;
    const std::string title = markTitle();
    if (isSectionedHizb) {
        btnSectionIcon->setTitleColor(UIColor::colorWithRed(0, 94 / 255.0, 234 / 255.0, 1), UIControlStateHighlighted);
        btnSectionIcon->setBackgroundImage(UIImage::imageNamed("index-marks-34-t.png"), UIControlStateHighlighted);
        btnSectionIcon->setTitle(title, UIControlStateHighlighted);
    } else {
        btnSectionIcon->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
        btnSectionIcon->setTitleColor(UIColor::blackColor(), UIControlStateHighlighted);
        btnSectionIcon->setTitle(title, UIControlStateNormal);
        btnSectionIcon->setTitle(title, UIControlStateHighlighted);
        btnSectionIcon->setBackgroundImage(UIImage::imageNamed("index-marks-hezb.png"), UIControlStateNormal);
        btnSectionIcon->setBackgroundImage(UIImage::imageNamed("index-marks-hezb-t.png"), UIControlStateHighlighted);
    }
}

void SectionCellView::setSelected(bool s) {
    if (btnSectionIcon) {
        if (s) setNormalImages();
        btnSectionIcon->setEnabled(s);
        btnSectionIcon->setHighlighted(s);
    }
    if (btnSoundIcon) btnSoundIcon->setHighlighted(false);
}

void SectionCellView::setHighlighted(bool h) {
    if (lblSurahLabel) lblSurahLabel->setHighlighted(h);
    setSelected(h);
}

void SectionCellView::setIndexMeta(const IndexRowMetaPtr& meta) {
    if (meta == thisMeta) return;
    thisMeta = meta;
    if (lblSurahLabel) lblSurahLabel->setText(meta ? meta->Title : std::string());
    isAudioavailable = meta && meta->HasAudioInstalled ? 1 : 0;
    updateSoundStatus();
}

void SectionCellView::updateSoundStatus() {
    const int surah = thisMeta ? thisMeta->Surah : 0;
    isAudioavailable = audioStatusFor(surah);
    applySoundStatus(isAudioavailable, PrevSoundInstalled);
    if (thisMeta) thisMeta->HasAudioInstalled = (isAudioavailable == 1 || isAudioavailable == 3);
}

void SectionCellView::soundButtonPressed() {
    if (delgate_ && thisMeta) delgate_->showSurahView(thisMeta->Surah, thisMeta->Verse, true);
}

void SectionCellView::refreshFont() {
    iCurrentTranslation = currentTextTranslation();
    if (lblSurahLabel) applyTextStyle();
}
