#include "Classes/Index/SurahCellView.h"

#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

std::shared_ptr<UILabel> makeRowLabel(CGRect frame, const char* font, double size) {
    auto label = std::make_shared<UILabel>(frame);
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    label->setHighlightedTextColor(UIColor::whiteColor());
    label->setFont(UIFont::fontWithName(font, size));
    return label;
}

}  // namespace

SurahCellView::SurahCellView(CGRect frame, int row, bool inArabic, int theme_, IndexTableViewCell* cell)
    : IndexViewCell(frame), viewCell(cell), theme(theme_), surahNumber(row), thisFrame(frame),
      isarabictitle(inArabic) {
    identity_ = 1;
    setContentMode(UIViewContentModeLeft);
    setAutoresizesSubviews(true);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    setRow(row, true);
    setOpaque(false);
}

void SurahCellView::setRow(int row, bool) {
    isarabictitle = NSUserDefaults::standardUserDefaults().boolForKey("IndexInArabic");
    surahNumber = row + 1;
    const int n = surahNumber;
    const double w = bounds().size.width;
    const double h = bounds().size.height;

    if (!lblSurahNumLabel) {
        lblSurahNumLabel = makeRowLabel(CGRectMake(40, 0, 40, h), "Helvetica-Bold", 13);
        lblSurahNumLabel->setTextAlignment(UITextAlignmentLeft);
        lblSurahNumLabel->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
        lblSurahLabel = makeRowLabel(CGRectMake(90, 0, w - 140, h), "Helvetica-Bold", 14);
        lblSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        lblVerseCountLabel = makeRowLabel(CGRectMake(w - 50, 0, 120, h), "Helvetica", 12);
        lblVerseCountLabel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                                UIViewAutoresizingFlexibleWidth);
        auto sepia = UIColor::colorWithRed(148 / 255.0, 124 / 255.0, 96 / 255.0, 1);
        lblSurahNumLabel->setTextColor(sepia);
        lblVerseCountLabel->setTextColor(sepia);
        addSubview(lblSurahNumLabel);
        addSubview(lblSurahLabel);
        addSubview(lblVerseCountLabel);
    }
    lblSurahLabel->setText(ChapterInfo::getNameFromNumber(n));

    const bool arabicInterface = LumenoSDKAppDelegate::IsLanguageArabic();
    if (!isarabictitle && !arabicInterface) {
        if (imgSurahImage) imgSurahImage->setHidden(true);
        lblSurahLabel->setHidden(false);
        lblSurahLabel->setTextAlignment(UITextAlignmentLeft);
        lblSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
        lblSurahNumLabel->setFrame(CGRectMake(52, 0, 40, h));
        lblSurahNumLabel->setTextAlignment(UITextAlignmentLeft);
        lblSurahNumLabel->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
        lblVerseCountLabel->setTextAlignment(UITextAlignmentRight);
        lblVerseCountLabel->setFrame(CGRectMake(w - 128, 0, 120, h));
        lblVerseCountLabel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                                UIViewAutoresizingFlexibleWidth);
    } else if (!isarabictitle) {
        lblSurahLabel->setTextAlignment(UITextAlignmentRight);
        lblSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
        lblSurahLabel->setHidden(false);
        if (imgSurahImage) imgSurahImage->setHidden(true);
        placeRightToLeft(w, h);
    } else {
        const double y = std::trunc((h - 36) / 2);
        if (!imgSurahImage) {
            imgSurahImage = std::make_shared<UIImageView>(CGRectMake(w - 134, y, 94, 36));
            imgSurahImage->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
            addSubview(imgSurahImage);
        }
        imgSurahImage->setFrame(CGRectMake(w - 134 + ChapterInfo::getSurahNameOffsetForAlignment(n), y, 94, 36));
        lblSurahLabel->setHidden(true);
        imgSurahImage->setHidden(false);
        imgSurahImage->setImage(UIImage::imageNamed(stringWithFormat("sname_%i.png", n)));
        imgSurahImage->setHighlightedImage(UIImage::imageNamed(stringWithFormat("sname_%i-t.png", n)));
        placeRightToLeft(w, h);
    }

    const int verses = ChapterInfo::getVersesFromNumber(n);
    const std::string ayas = Language::get("ayas", "ayas");
    if (arabicInterface) {
        lblSurahNumLabel->setText(ChapterInfo::getArabicNumbersFrom(std::to_string(n)));
        lblVerseCountLabel->setText(
            stringWithFormat("%@ %@", ayas, ChapterInfo::getArabicNumbersFrom(std::to_string(verses))));
    } else {
        lblSurahNumLabel->setText(stringWithFormat("%i", n));
        lblVerseCountLabel->setText(stringWithFormat("%i %@", verses, ayas));
    }
    updateSoundStatus();
}

void SurahCellView::placeRightToLeft(double w, double h) {
    lblSurahNumLabel->setFrame(CGRectMake(w - 55, 0, 40, h));
    lblSurahNumLabel->setTextAlignment(UITextAlignmentRight);
    lblSurahNumLabel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    lblVerseCountLabel->setFrame(CGRectMake(53, 0, 120, h));
    lblVerseCountLabel->setTextAlignment(UITextAlignmentLeft);
    lblVerseCountLabel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin);
}

void SurahCellView::updateSoundStatus() {
    isAudioavailable = audioStatusFor(surahNumber);
    applySoundStatus(isAudioavailable, lastAudioAvailable);
}

void SurahCellView::soundButtonPressed() {
    if (!delgate_) return;
    const int verse = (surahNumber == 1 || surahNumber == 9) ? 1 : -1;
    delgate_->showSurahView(surahNumber, verse, true);
}

void SurahCellView::setSelected(bool) {
    if (btnSoundIcon) btnSoundIcon->setHighlighted(false);
}

void SurahCellView::setHighlighted(bool h) {
    if (lblSurahLabel) lblSurahLabel->setHighlighted(h);
    if (lblSurahNumLabel) lblSurahNumLabel->setHighlighted(h);
    if (lblVerseCountLabel) lblVerseCountLabel->setHighlighted(h);
    if (imgSurahImage) imgSurahImage->setHighlighted(h);
    if (btnSoundIcon) btnSoundIcon->setHighlighted(false);
}
