// Fast scrolling: the strip's events, the "Goto Verse" preview and the jump.

#include <algorithm>
#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/FastScrollView.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kStripWidth = 60;

// Passes the strip's events to the screen.
class FastScrollBridge : public FastScrollViewDelegate {
public:
    explicit FastScrollBridge(SurahViewController& screen) : screen_(screen) {}
    bool canBeginFastScroll() override { return true; }
    void fastScrollFingerDown() override {}
    void fastScrollTapped() override { screen_.fastScrollTapped(); }
    void hideFastScrollPreview() override { screen_.hideFastScrollPreview(); }
    void updateFastScrollPreview(CGPoint p) override { screen_.updateFastScrollPreview(p); }
    void cancelFastScrollPreview() override { screen_.cancelFastScrollPreview(); }

private:
    SurahViewController& screen_;
};

UIImagePtr stretchedRows(const char* name) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(0, 157) : nullptr;
}

}  // namespace

void SurahViewController::setupFastScroll() {
    if (viewFastScroll || !viewSurahDisplay) return;
    const CGRect display = viewSurahDisplay->bounds();
    viewFastScroll = std::make_shared<FastScrollView>(
        CGRectMake(display.size.width - kStripWidth, 0, kStripWidth, display.size.height));
    viewFastScroll->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleHeight);
    viewFastScroll->setTag(5);
    fastScrollBridge_ = std::make_shared<FastScrollBridge>(*this);
    viewFastScroll->setDelegate(fastScrollBridge_.get());
    viewFastScroll->addGesture();
    viewSurahDisplay->addSubview(viewFastScroll);

    viewFastScrollBezel = std::make_shared<UIView>(display);
    viewFastScrollBezel->setUserInteractionEnabled(false);
    viewFastScrollBezel->setBackgroundColor(UIColor::clearColor());
    imgFastScrollCol = std::make_shared<UIImageView>(CGRectMake(display.size.width - 70, 0, 70, display.size.height));
    imgFastScrollArrows = std::make_shared<UIImageView>(CGRectMake(display.size.width - 70, 0, 70, display.size.height));
    auto bubble = std::make_shared<UIView>(CGRectMake(display.size.width / 2 - 80, display.size.height / 2 - 50, 160, 100));
    bubble->setBackgroundColor(UIColor::colorWithRed(0, 0, 0, 0.7));
    lblGotoVerse = std::make_shared<UILabel>(CGRectMake(0, 10, 160, 24));
    lblFastScrollVerse = std::make_shared<UILabel>(CGRectMake(0, 36, 160, 54));
    for (auto* label : {&lblGotoVerse, &lblFastScrollVerse}) {
        (*label)->setTextAlignment(UITextAlignmentCenter);
        (*label)->setTextColor(UIColor::whiteColor());
        (*label)->setBackgroundColor(UIColor::clearColor());
        bubble->addSubview(*label);
    }
    lblGotoVerse->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    lblFastScrollVerse->setFont(UIFont::fontWithName("Helvetica-Bold", 44));
    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{imgFastScrollCol, imgFastScrollArrows, bubble})
        viewFastScrollBezel->addSubview(v);
}

void SurahViewController::updateFastScrollPreview(CGPoint p) {
    const double height = viewSurahDisplay ? viewSurahDisplay->frame().size.height : 0;
    const int count = ChapterInfo::getVersesFromNumber(iCurrentSurah_);
    if (count < 1) return;
    if (p.y <= 10) {
        iVerseToJumpTo_ = 1;
    } else if (p.y >= height - 10) {
        iVerseToJumpTo_ = count;
    } else {
        const double band = (height - 20) / count;
        double from = 10;
        for (int i = 1; i <= count; ++i, from += band) {
            if (p.y >= from && p.y <= from + band) {
                iVerseToJumpTo_ = i;
                break;
            }
        }
    }
    iVerseToJumpTo_ = std::clamp(iVerseToJumpTo_, 1, count);
    std::string number = stringWithFormat("%i", iVerseToJumpTo_);
    if (LumenoSDKAppDelegate::IsLanguageArabic()) number = ChapterInfo::getArabicNumbersFrom(number);
    if (lblFastScrollVerse) lblFastScrollVerse->setText(number);
    if (!isShowingFastScrollView_) showFastScrollPreview(p);
}

void SurahViewController::showFastScrollPreview(CGPoint) {
    isShowingFastScrollView_ = true;
    if (!viewFastScrollBezel) return;
    if (!viewFastScrollBezel->superview()) {
        imgFastScrollArrows->setImage(stretchedRows("fastscroll-arrows.png"));
        imgFastScrollCol->setImage(stretchedRows("fastscroll-bg.png"));
        viewFastScrollBezel->setFrame(CGRectMake(0, 0, viewSurahDisplay->frame().size.width, viewSurahDisplay->frame().size.height));
        viewSurahDisplay->addSubview(viewFastScrollBezel);
    }
    lblGotoVerse->setText(Language::get("Goto Verse", "Goto Verse"));
    viewFastScrollBezel->setAlpha(0);
    UIView::beginAnimations("");
    UIView::setAnimationDuration(0.12);
    viewFastScrollBezel->setAlpha(1);
    imgFastScrollCol->setAlpha(1);
    imgFastScrollArrows->setAlpha(1);
    UIView::commitAnimations();
    CABasicAnimation blink = CABasicAnimation::animationWithKeyPath("opacity");
    blink.fromValue = 1.0;
    blink.toValue = 0.0;
    blink.duration = 0.7;
    blink.autoreverses = true;
    blink.repeatCount = 1e10;
    imgFastScrollArrows->layer().addAnimation(blink, "animateOpacity");
}

void SurahViewController::hideFastScrollPreview() {
    isShowingFastScrollView_ = false;
    if (viewFastScrollBezel) {
        std::shared_ptr<UIView> bezel = viewFastScrollBezel;
        UIView::beginAnimations("SurahChanged");
        UIView::setAnimationDuration(0.2);
        UIView::setAnimationDidStopSelector([bezel](const std::string&, bool, void*) { bezel->removeFromSuperview(); });
        bezel->setAlpha(0);
        imgFastScrollCol->setAlpha(0);
        imgFastScrollArrows->setAlpha(0);
        UIView::commitAnimations();
        imgFastScrollArrows->layer().removeAllAnimations();
    }
    highlightVerse(std::max(iVerseToJumpTo_, 0), true, true, false, true);
    if (tblVerses) tblVerses->flashScrollIndicators();
}

void SurahViewController::cancelFastScrollPreview() {
    isShowingFastScrollView_ = false;
    if (!viewFastScrollBezel) return;
    UIView::beginAnimations("SurahChanged");
    UIView::setAnimationDuration(0.6);
    viewFastScrollBezel->setAlpha(0);
    imgFastScrollCol->setAlpha(0);
    imgFastScrollArrows->setAlpha(0);
    UIView::commitAnimations();
    imgFastScrollArrows->layer().removeAllAnimations();
}

void SurahViewController::fastScrollTapped() {
    if (!tblVerses || !viewSurahDisplay) return;
    const int current = iCurrentVerse_;
    const int next = current + 1 <= ChapterInfo::getVersesFromNumber(iCurrentSurah_) ? current + 1 : current;
    double bottom = 0;
    for (UITableViewCell* cell : tblVerses->visibleCells()) {
        auto* verseCell = dynamic_cast<SurahViewCell*>(cell);
        SurahVerseView* row = verseCell ? verseCell->CellView() : nullptr;
        if (!row) continue;
        const int verse = row->ArabicMetaData() ? row->ArabicMetaData()->ThisVerse()
                          : row->TranslationMetaData() ? row->TranslationMetaData()->ThisVerse() : -1;
        if (verse != current) continue;
        const CGRect r = cell->convertRectToView(cell->bounds(), viewSurahDisplay.get());
        bottom = std::max(bottom, std::trunc(r.origin.y + r.size.height));
    }
    const CGRect display = viewSurahDisplay->frame();
    if (std::trunc(bottom + display.origin.y) > std::trunc(display.origin.y + display.size.height)) {
        double y = std::trunc(tblVerses->contentOffset().y + display.size.height / 1.3);
        const double contentHeight = std::trunc(tblVerses->contentSize().height);
        if (y + display.size.height > contentHeight) y = std::trunc(contentHeight - display.size.height);
        tblVerses->setContentOffset(CGPoint{tblVerses->contentOffset().x, y}, true);
    } else if (next != current) {
        highlightVerse(next, true);
    }
    dateLastActivity_ = NSDate::date();
    tblVerses->flashScrollIndicators();
}
