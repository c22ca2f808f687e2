#include "Classes/Reading/SurahVerseView.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UIScrollView.h"

#include <cmath>

namespace {

bool coloredTranslationFlag = true;

UIColorPtr rgb(int r, int g, int b, double a = 1) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, a); }

// A number as the interface shows it: Arabic-Indic digits in the Arabic interface.
std::string interfaceNumber(int n) {
    std::string text = stringWithFormat("%i", n);
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(text) : text;
}

UIImagePtr image(const char* name) { return UIImage::imageNamed(name); }

}  // namespace

SurahVerseView::SurahVerseView(CGRect frame, SurahViewCell* cell, bool forTranslation)
    : UIView(frame), forTranslationOnly_(forTranslation), verseCell_(cell) {
    const double W = frame.size.width, H = frame.size.height;
    setOpaque(false);

    viewBGVerse_ = std::make_shared<UIView>(CGRect{{kColumnWidth, 0}, {W - kColumnWidth, H}});
    viewBGVerse_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin |
                                      UIViewAutoresizingFlexibleHeight);
    viewBGVerse_->setBackgroundColor(UIColor::whiteColor());
    viewBGVerse_->setContentMode(UIViewContentModeLeft);
    addSubview(viewBGVerse_);

    lblTranslation_ = std::make_shared<UILabel>(CGRect{{65, 0}, {W - 80, 20}});
    lblTranslation_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin |
                                         UIViewAutoresizingFlexibleHeight | UIViewAutoresizingFlexibleBottomMargin);
    lblTranslation_->setNumberOfLines(0);
    lblTranslation_->setFont(UIFont::fontWithName("Helvetica", 17));
    lblTranslation_->setBaselineAdjustment(UIBaselineAdjustmentAlignCenters);
    lblTranslation_->setOpaque(false);
    lblTranslation_->setBackgroundColor(UIColor::clearColor());
    lblTranslation_->setContentMode(UIViewContentModeLeft);
    if (coloredTranslationFlag) lblTranslation_->setTextColor(rgb(123, 78, 0));
    addSubview(lblTranslation_);

    arabicVerseCanvas_ = std::make_shared<VerseCanvas>(CGRect{{0, 0}, {W, H}});
    arabicVerseCanvas_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    arabicVerseCanvas_->setBackgroundColor(UIColor::clearColor());
    arabicVerseCanvas_->setOpaque(false);
    arabicVerseCanvas_->setContentMode(UIViewContentModeRight);
    arabicVerseCanvas_->setDelegate(this);
    addSubview(arabicVerseCanvas_);

    viewIconFloat_ = std::make_shared<UIView>(CGRect{{0, 0}, {kColumnWidth, H}});
    viewIconFloat_->setAutoresizingMask(UIViewAutoresizingFlexibleHeight | UIViewAutoresizingFlexibleBottomMargin);
    viewIconFloat_->setBackgroundColor(UIColor::clearColor());
    viewIconFloat_->setOpaque(false);
    viewIconFloat_->setAutoresizesSubviews(false);
    viewIconFloat_->setContentMode(UIViewContentModeTop);
    addSubview(viewIconFloat_);

    btnAyahNum_ = std::make_shared<UIButton>(CGRect{{static_cast<double>((static_cast<int>(kColumnWidth) - 44) / 2), 0}, {44, 44}});
    btnAyahNum_->setTitleColor(UIColor::blackColor(), UIControlStateDisabled);
    btnAyahNum_->setFont(UIFont::fontWithName("Helvetica", 11));
    btnAyahNum_->setTitleEdgeInsets(UIEdgeInsets{0, 1, 0, 0});
    btnAyahNum_->setEnabled(false);
    btnAyahNum_->setAdjustsImageWhenDisabled(false);
    btnAyahNum_->setUserInteractionEnabled(false);
    viewIconFloat_->addSubview(btnAyahNum_);

    const CGRect badge = btnAyahNum_->frame();
    imgBookmarkedNote_ = std::make_shared<UIImageView>(
        CGRect{{badge.origin.x + badge.size.width - 2, std::floor((badge.size.height - 20) * 0.5)}, {19, 20}});
    imgBookmarkedNote_->setHidden(true);
    viewIconFloat_->addSubview(imgBookmarkedNote_);

    viewBorder_ = std::make_shared<UIView>(CGRect{{kColumnWidth, H - 1}, {W - kColumnWidth, 1}});
    viewBorder_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    viewBorder_->setBackgroundColor(rgb(216, 210, 189));
    viewBorder_->setHidden(true);
    addSubview(viewBorder_);

    NSNotificationCenter::defaultCenter().addObserver(this, "TranslationDidChange", [this] { translationDidChange(); });
    iCurrentTranslation_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    if (iCurrentTranslation_ != 0) checkColoredTranslation();
}

SurahVerseView::~SurahVerseView() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    cancelLongPress();
    arabicVerseCanvas_->setDelegate(nullptr);
}

void SurahVerseView::checkColoredTranslation() {
    coloredTranslationFlag = NSUserDefaults::standardUserDefaults().boolForKey("ColoredTranslation");
}

bool SurahVerseView::coloredTranslation() { return coloredTranslationFlag; }

SurahViewController* SurahVerseView::controller() const { return verseCell_ ? verseCell_->viewController() : nullptr; }

int SurahVerseView::rowVerse() const {
    if (ThisVerseType_ == 1) return TranslationMetaData_ ? TranslationMetaData_->ThisVerse() : 0;
    return ArabicMetaData_ ? ArabicMetaData_->ThisVerse() : 0;
}

int SurahVerseView::rowSurah() const {
    if (ThisVerseType_ == 1) return TranslationMetaData_ ? TranslationMetaData_->ThisSurah() : 0;
    return ArabicMetaData_ ? ArabicMetaData_->ThisSurah() : 0;
}

bool SurahVerseView::recordIsRTL(const TranslationMeta* meta) const {
    if (!meta) return false;
    if (meta->ThisTranslator() == 1000) return ChapterInfo::isTextRTL(meta->Translation());
    return ChapterInfo::isTranslationRTL(meta->ThisTranslator());
}

void SurahVerseView::setArabicMetaData(std::shared_ptr<ArabicVerseMeta> meta) {
    setContentMode(UIViewContentModeRight);
    ThisVerseType_ = 0;
    ArabicMetaData_ = std::move(meta);
    maxVersesInSurah_ = ArabicMetaData_ ? ChapterInfo::getVersesFromNumber(ArabicMetaData_->ThisSurah()) : 0;
    refreshView();
    updateVerseBG();
}

void SurahVerseView::setTranslationMetaData(std::shared_ptr<TranslationMeta> meta) {
    setContentMode(recordIsRTL(meta.get()) ? UIViewContentModeRight : UIViewContentModeLeft);
    ThisVerseType_ = 1;
    TranslationMetaData_ = std::move(meta);
    maxVersesInSurah_ = TranslationMetaData_ ? ChapterInfo::getVersesFromNumber(TranslationMetaData_->ThisSurah()) : 0;
    refreshView();
    updateVerseBG();
}

void SurahVerseView::refreshView() {
    if (isRefreshing_) return;
    isRefreshing_ = true;
    ThisVerseState_ &= ~kSelected;
    const double W = bounds().size.width, H = bounds().size.height;

    if (ThisVerseType_ == 1) {
        refreshBookmarked();
        arabicVerseCanvas_->setHidden(true);
        lblTranslation_->setText("");
        if (lblTransliteration_) lblTransliteration_->setText(nullptr);
        UIView* shown = lblTranslation_.get();
        if (iCurrentTranslation_ == 10) {
            if (!lblTransliteration_) {
                lblTransliteration_ = std::make_shared<TTStyledTextLabel>(CGRect{{65, 0}, {W - 80, H}});
                lblTransliteration_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                                         UIViewAutoresizingFlexibleRightMargin |
                                                         UIViewAutoresizingFlexibleHeight);
                lblTransliteration_->setBackgroundColor(UIColor::clearColor());
                lblTransliteration_->setOpaque(false);
                lblTransliteration_->setContentMode(UIViewContentModeLeft);
                lblTransliteration_->setFont(UIFont::fontWithName("Helvetica", 15));
                if (coloredTranslationFlag) lblTransliteration_->setTextColor(rgb(13, 28, 64));
                addSubview(lblTransliteration_);
            }
            lblTransliteration_->setHidden(false);
            lblTranslation_->setHidden(true);
            shown = lblTransliteration_.get();
        } else {
            lblTranslation_->setHidden(!TranslationMetaData_);
            if (lblTransliteration_) lblTransliteration_->setHidden(true);
        }
        btnAyahNum_->setHidden(true);
        for (auto* mark : {btnSajda_.get(), btnJuzHizb_.get(), btnHizb_.get()})
            if (mark) mark->setHidden(true);
        lblTranslation_->setTextAlignment(recordIsRTL(TranslationMetaData_.get()) ? UITextAlignmentRight
                                                                                   : UITextAlignmentLeft);
        if (TranslationMetaData_ && TranslationMetaData_->ThisTranslator() != 0) {
            if (TranslationMetaData_->ThisTranslator() == 10) {
                lblTransliteration_->setHtml(TranslationMetaData_->Translation());
            } else {
                lblTranslation_->setFont(UIFont::fontWithName("Helvetica", TranslationMetaData_->getFontSize()));
                lblTranslation_->setText(TranslationMetaData_->Translation());
            }
            shown->setFrame(CGRect{{65, 0}, {W - 80, H}});
        }
        if (!TranslationMetaData_) {
            viewBorder_->setHidden(false);
        } else if (TranslationMetaData_->ThisVerse() == maxVersesInSurah_) {
            viewBorder_->setHidden(!TranslationMetaData_->Translation().empty());
        } else {
            viewBorder_->setHidden(false);
        }
    } else if (rowVerse() >= 1) {
        lblTranslation_->setHidden(true);
        if (lblTransliteration_) lblTransliteration_->setHidden(true);
        arabicVerseCanvas_->setHidden(false);
        updateVerseNumberColumn();
        forceLoadArabicVerse();
        viewBorder_->setHidden(!(iCurrentTranslation_ == 0 && rowVerse() != maxVersesInSurah_));
    } else {
        lblTranslation_->setHidden(true);
        if (lblTransliteration_) lblTransliteration_->setHidden(true);
        arabicVerseCanvas_->setHidden(false);
        btnAyahNum_->setHidden(true);
        imgBookmarkedNote_->setHidden(true);
        for (auto* mark : {btnSajda_.get(), btnJuzHizb_.get(), btnHizb_.get()})
            if (mark) mark->setHidden(true);
        ThisVerseState_ &= ~(kBookmarked | kReflectedSearch);
        refreshBookmarked();
        if (arabicVerseCanvas_->alpha() != 1) arabicVerseCanvas_->setAlpha(1);
        arabicVerseCanvas_->setNeedsDisplay();
        viewBorder_->setHidden(true);
    }
    isRefreshing_ = false;
}

void SurahVerseView::setBit(unsigned bit, bool on) {
    if (((ThisVerseState_ & bit) != 0) == on) return;
    ThisVerseState_ = on ? (ThisVerseState_ | bit) : (ThisVerseState_ & ~bit);
    updateVerseBG();
}

void SurahVerseView::refreshBookmarked() {
    const bool hasRecord = ThisVerseType_ == 1 ? TranslationMetaData_ != nullptr : ArabicMetaData_ != nullptr;
    const int verse = hasRecord ? rowVerse() : 0;
    setIsBookmarked(verseCell_ && verseCell_->isVerseBookmarked(verse));
}

std::shared_ptr<UIButton> SurahVerseView::makeMarkButton() {
    auto button = std::make_shared<UIButton>(
        CGRect{{static_cast<double>((static_cast<int>(kColumnWidth) - 43) / 2), 0}, {43, 43}});
    button->setFont(UIFont::fontWithName("Helvetica", 11));
    button->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    button->setTitleColor(UIColor::blackColor(), UIControlStateDisabled);
    button->setEnabled(false);
    button->setAdjustsImageWhenDisabled(false);
    button->setUserInteractionEnabled(false);
    viewIconFloat_->addSubview(button);
    return button;
}

void SurahVerseView::updateVerseNumberColumn() {
    if (ThisVerseType_ == 1) {
        maxAyahColumnHeight_ = 0;
        btnAyahNum_->setHidden(true);
        for (auto* mark : {btnSajda_.get(), btnJuzHizb_.get(), btnHizb_.get()})
            if (mark) mark->setHidden(true);
        return;
    }
    btnAyahNum_->setHidden(false);
    for (auto* mark : {btnSajda_.get(), btnJuzHizb_.get(), btnHizb_.get()})
        if (mark) mark->setHidden(true);
    CGRect column = viewIconFloat_->frame();
    column.origin.y = 0;
    viewIconFloat_->setFrame(column);

    int t;
    switch (LumenoSDKAppDelegate::ArabicFontSize()) {
    case 0: t = 7; break;
    case 1: t = 10; break;
    case 2: t = 15; break;
    case 3: t = 17; break;
    case 4: t = 22; break;
    default: t = 10; break;
    }
    const int surah = rowSurah(), verse = rowVerse();
    auto place = [&](const std::shared_ptr<UIButton>& b) {
        CGRect f = b->frame();
        f.origin.y = t;
        b->setFrame(f);
        b->setHidden(false);
    };
    if (ChapterInfo::isJuz(surah, verse)) {
        if (!btnJuzHizb_) {
            btnJuzHizb_ = makeMarkButton();
            btnJuzHizb_->setBackgroundImage(image("sura-marks-juz.png"), UIControlStateDisabled);
            btnJuzHizb_->setTitleEdgeInsets(UIEdgeInsets{23, 1, 0, 0});
        }
        place(btnJuzHizb_);
        btnJuzHizb_->setTitle(interfaceNumber(ChapterInfo::juzFrom(surah, verse)), UIControlStateNormal);
        t += 45;
    } else if (ChapterInfo::isSajda(surah, verse)) {
        if (!btnSajda_) {
            btnSajda_ = makeMarkButton();
            btnSajda_->setBackgroundImage(image("sura-marks-sajda.png"), UIControlStateDisabled);
        }
        place(btnSajda_);
        t += 45;
    }
    if (ChapterInfo::isHizb(surah, verse)) {
        LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
        const int q = ChapterInfo::hezbFromSurah(app ? app->dbConnectionStatic() : nullptr, surah, verse);
        if (!btnHizb_) {
            btnHizb_ = makeMarkButton();
            btnHizb_->setTitleEdgeInsets(UIEdgeInsets{0, 0, 0, 0});
        }
        place(btnHizb_);
        static const char* kQuarterImages[] = {"sura-marks-34.png", "sura-marks-hezb.png", "sura-marks-14.png",
                                               "sura-marks-12.png"};
        btnHizb_->setBackgroundImage(image(kQuarterImages[((q % 4) + 4) % 4]), UIControlStateDisabled);
        const int hizb = q - 1 < 1 ? 1 : static_cast<int>((q - 1) * 0.25) + 1;
        btnHizb_->setTitle(interfaceNumber(hizb), UIControlStateNormal);
        t += 43;
    }

    refreshBookmarked();
    const bool search = verseCell_ && verseCell_->isReflectingSearch(verse);
    const char* badgeImage = isBookmarked() ? (search ? "sura-aya-search-marked.png" : "sura-aya-bookmark.png")
                                            : (search ? "sura-aya-search.png" : "sura-aya.png");
    btnAyahNum_->setBackgroundImage(image(badgeImage), UIControlStateNormal);
    btnAyahNum_->setBackgroundImage(image(badgeImage), UIControlStateDisabled);
    const double badgeX = (static_cast<int>(viewIconFloat_->frame().size.width) - 44) / 2;
    btnAyahNum_->setFrame(CGRect{{badgeX, static_cast<double>(t)}, {44, 44}});
    imgBookmarkedNote_->setFrame(CGRect{{badgeX + 44 - 2, t + std::floor((44 - 20) * 0.5)}, {19, 20}});
    btnAyahNum_->setTitle(interfaceNumber(verse), UIControlStateNormal);
    maxAyahColumnHeight_ = t + 44;
}

void SurahVerseView::updateVerseBG() {
    const int v = rowVerse();
    const int surah = rowSurah();
    UIColorPtr color;
    if (isPlaying() && isBookmarked()) color = rgb(255, 230, 128);
    else if (isPlaying()) color = rgb(223, 255, 199, 0.6);
    else if (isSelected() && v >= 1 && isBookmarked()) color = rgb(255, 239, 151);
    else if (isSelected() && v >= 1) color = rgb(245, 235, 215);
    else if (isSelected()) color = UIColor::clearColor();
    else if (isBookmarked()) color = rgb(255, 239, 151);
    else if (v > 0 && ((surah == 1 || surah == 9) ? v % 2 == 1 : v % 2 == 0))
        color = UIColor::colorWithRed(0.96, 0.94, 0.87, 1);
    else color = UIColor::clearColor();
    viewBGVerse_->setBackgroundColor(color);
    imgBookmarkedNote_->setHidden(true);
    if (ThisVerseType_ == 0 && isBookmarked() && verseCell_ && verseCell_->verseHasNote(v)) {
        imgBookmarkedNote_->setImage(image("note-little.png"));
        imgBookmarkedNote_->setHidden(false);
    }
}

void SurahVerseView::containedViewDidScroll(UIScrollView* scrollView) {
    if (ThisVerseType_ != 0 || !scrollView) return;
    const CGRect R = convertRectToView(bounds(), scrollView);
    const double o = scrollView->contentOffset().y;
    CGRect column = viewIconFloat_->frame();
    if (o > R.origin.y && R.size.height > 65) {
        if (o - R.origin.y + maxAyahColumnHeight_ < R.size.height) {
            SurahViewController* screen = controller();
            const bool tall = UIApplication::sharedApplication().statusBarFrame().size.height == 40;
            const double k = tall && screen && screen->showingDialControl() ? 13 : 0;
            column.origin.y = o - R.origin.y - k;
        } else {
            column.origin.y = R.size.height - maxAyahColumnHeight_;
        }
    } else {
        column.origin.y = 0;
    }
    viewIconFloat_->setFrame(column);
}

void SurahVerseView::forceLoadArabicVerse() {
    if (rowVerse() < 1) arabicVerseCanvas_->setHidden(true);
    else updateArabicImage(rowVerse());
}

void SurahVerseView::updateArabicImage(int verse) {
    if (ThisVerseType_ == 0) {
        lblTranslation_->setHidden(true);
        if (lblTransliteration_) lblTransliteration_->setHidden(true);
    }
    if (verse == 0 || verse != rowVerse()) return;
    if (verse > 0) {
        arabicVerseCanvas_->setNeedsDisplay();
        if (arabicVerseCanvas_->alpha() != 1) arabicVerseCanvas_->setAlpha(1);
    } else if (arabicVerseCanvas_->alpha() != 0) {
        arabicVerseCanvas_->setAlpha(0);
    }
}

void SurahVerseView::drawArabicVerseInCanvas(CGContext* context, VerseCanvas* canvas) {
    if (ThisVerseType_ != 0 || !context) return;
    SurahViewController* screen = controller();
    const double W = canvas->bounds().size.width, H = canvas->bounds().size.height;
    const int verse = rowVerse();
    const int surah = screen ? screen->iCurrentSurah() : rowSurah();
    if (verse >= 1 || (ArabicMetaData_ && (rowSurah() == 1 || rowSurah() == 9))) {
        if (!screen || !screen->fontLoader() || !ArabicMetaData_) return;
        const std::vector<uint8_t>& bytes = ArabicMetaData_->VerseData();
        if (bytes.empty()) return;  // no glyph data: an empty row
        screen->fontLoader()->drawVerseImageFromBytes(*context, verse, verse == maxVersesInSurah_, bytes, 0,
                                                      static_cast<int>(bytes.size()) - 1, static_cast<int>(W - 10),
                                                      static_cast<int>(W - 70));
        return;
    }
    UIImagePtr bismillah = image(surah == 95 || surah == 97 ? "bismillah2.png" : "bismillah.png");
    if (!bismillah) return;
    const CGSize size = bismillah->size();
    bismillah->drawAtPoint(CGPoint{(W - size.width) * 0.5 + 40, (H - size.height) * 0.5});
}

void SurahVerseView::translationDidChange() {
    iCurrentTranslation_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    if (iCurrentTranslation_ == 0) return;
    checkColoredTranslation();
    UIColorPtr color = coloredTranslationFlag ? rgb(123, 78, 0) : UIColor::blackColor();
    lblTranslation_->setTextColor(color);
    if (lblTransliteration_) lblTransliteration_->setTextColor(color);
}

void SurahVerseView::cancelLongPress() {
    if (ayahPressedTimer_) ayahPressedTimer_->invalidate();
    ayahPressedTimer_.reset();
}

void SurahVerseView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    UIView::touchesBegan(touches, event);
    if (touches.empty()) return;
    SurahViewController* screen = controller();
    const UIView* reference = screen && screen->isViewLoaded() ? screen->view() : nullptr;
    beginLocation_ = (*touches.begin())->locationInView(reference);
    cancelLongPress();
    ayahPressedTimer_ = NSTimer::scheduledTimer(kLongPressSeconds, false, [this](NSTimer&) { showAyahOptions(); });
}

void SurahVerseView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    UIView::touchesMoved(touches, event);
    if (touches.empty()) return;
    SurahViewController* screen = controller();
    const UIView* reference = screen && screen->isViewLoaded() ? screen->view() : nullptr;
    const CGPoint p = (*touches.begin())->locationInView(reference);
    if (std::fabs(p.x - beginLocation_.x) >= kLongPressSlop || std::fabs(p.y - beginLocation_.y) >= kLongPressSlop)
        cancelLongPress();
}

void SurahVerseView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    UIView::touchesEnded(touches, event);
    cancelLongPress();
}

void SurahVerseView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    UIView::touchesCancelled(touches, event);
    cancelLongPress();
}

void SurahVerseView::showAyahOptions() {
    ayahPressedTimer_.reset();
    const int verse = rowVerse();
    if (verse >= 1 && verseCell_) verseCell_->requestSelectionAndShowDial(this, verse, rowSurah());
}
