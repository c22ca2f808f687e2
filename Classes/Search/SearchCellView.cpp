#include "Classes/Search/SearchCellView.h"

#include <cmath>

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Bookmarks/VerseRowParts.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Search/HighlightTextStyleSheet.h"
#include "Classes/Search/SearchViewCell.h"
#include "Classes/Search/SearchViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kLongPressSeconds = 0.7;
using verse_row::clearLabel;
using verse_row::kAllStates;
using verse_row::shownNumber;
using screen_support::stretched;

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

void place(UIView& view, CGRect frame, unsigned margin) {
    view.setFrame(frame);
    view.setAutoresizingMask(margin);
}

}  // namespace

SearchCellView::SearchCellView(CGRect frame) : UIView(frame) {
    setOpaque(false);
    TTStyleSheet::setGlobalStyleSheet(std::make_shared<HighlightTextStyleSheet>());
    contentView = std::make_shared<UIView>(CGRectMake(0, 0, frame.size.width, frame.size.height));
    contentView->setBackgroundColor(UIColor::clearColor());
    contentView->setContentMode(UIViewContentModeRight);
    contentView->setAutoresizesSubviews(true);
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(contentView);
}

SearchCellView::~SearchCellView() { cancelTapNHold(); }

void SearchCellView::setThisSearchResult(std::shared_ptr<SearchResult> result) {
    if (result && result == ThisSearchResult_) return;
    ThisSearchResult_ = std::move(result);
    setAlpha(ThisSearchResult_ ? 1 : 0);
    if (!ThisSearchResult_) return;
    if (ThisSearchResult_->IsSurahSection()) {
        if (thisCell_) thisCell_->setSelectionStyle(UITableViewCellSelectionStyleNone);
        layoutHeader();
    } else {
        if (thisCell_) thisCell_->setSelectionStyle(UITableViewCellSelectionStyleBlue);
        layoutRow();
    }
}

// ---- Chapter section header ----

void SearchCellView::makeHeaderParts() {
    btnCollapse = std::make_shared<UIButton>(CGRectMake(0, 0, 320, 44));
    btnCollapse->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    btnCollapse->setBackgroundImage(stretched("search-partition.png", 159, 0), UIControlStateNormal);
    btnCollapse->setBackgroundImage(stretched("search-partition-t.png", 159, 0), UIControlStateHighlighted);
    btnCollapse->addTarget(this, [this](UIControl*, UIEvent*) { btnCollapsePressed(); }, UIControlEventTouchUpInside);
    contentView->addSubview(btnCollapse);

    lblSurahNumLabel = clearLabel(CGRectZero, "Helvetica-Bold", 13);
    lblSurahNumLabel->setTextColor(rgb(148, 124, 96));
    contentView->addSubview(lblSurahNumLabel);

    if (!duaMode_) {
        btnVerseCounter = std::make_shared<UIButton>(CGRectZero);
        btnVerseCounter->setEnabled(false);
        btnVerseCounter->setUserInteractionEnabled(false);
        btnVerseCounter->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
        btnVerseCounter->setTitleEdgeInsets(UIEdgeInsetsMake(0, 0, 1, 0));
        btnVerseCounter->setBackgroundImage(UIImage::imageNamed("bookmark-count.png"), UIControlStateDisabled);
        btnVerseCounter->setTitleColor(rgb(134, 109, 60), UIControlStateDisabled);
        contentView->addSubview(btnVerseCounter);
    }

    imgSurahLabel = std::make_shared<UIImageView>(CGRectMake(0, 0, 94, 36));
    contentView->addSubview(imgSurahLabel);
    lblEngSurahLabel = clearLabel(CGRectZero, "Helvetica-Bold", 13);
    contentView->addSubview(lblEngSurahLabel);

    imgCollapseArrow = std::make_shared<UIImageView>(CGRectMake(0, 0, 44, 44));
    imgCollapseArrow->setImage(UIImage::imageNamed("bookmarks-arrow.png"));
    contentView->addSubview(imgCollapseArrow);
}

void SearchCellView::layoutHeader() {
    if (!btnCollapse) makeHeaderParts();
    const SearchResult& section = *ThisSearchResult_;
    const double w = frame().size.width, h = frame().size.height;
    const int surah = section.surah();
    const bool namesAsImages = NSUserDefaults::standardUserDefaults().boolForKey("IndexInArabic");
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
    const bool mirrored = arabic || namesAsImages;
    constexpr unsigned left = UIViewAutoresizingFlexibleRightMargin;   // pinned left
    constexpr unsigned right = UIViewAutoresizingFlexibleLeftMargin;   // pinned right

    if (btnVerseCounter) {
        place(*btnVerseCounter, CGRectMake(mirrored ? 45 : w - 45, 1, 35, 43), mirrored ? left : right);
        btnVerseCounter->setTitle(shownNumber(section.SectionResultCount()), UIControlStateDisabled);
    }
    place(*lblSurahNumLabel, CGRectMake(mirrored ? w - 55 : 55, 0, 40, h), mirrored ? right : left);
    lblSurahNumLabel->setTextAlignment(mirrored ? UITextAlignmentRight : UITextAlignmentLeft);
    lblSurahNumLabel->setText(shownNumber(surah));

    imgSurahLabel->setHidden(!namesAsImages);
    lblEngSurahLabel->setHidden(namesAsImages);
    if (namesAsImages) {
        imgSurahLabel->setImage(UIImage::imageNamed(stringWithFormat("sname_%i.png", surah)));
        place(*imgSurahLabel,
              CGRectMake(w - 141 + ChapterInfo::getSurahNameOffsetForAlignment(surah), std::floor((h - 36) / 2), 94, 36),
              right);
    } else {
        place(*lblEngSurahLabel, CGRectMake(83, 0, mirrored ? w - 124 : w - 99, h), mirrored ? right : left);
        lblEngSurahLabel->setTextAlignment(mirrored ? UITextAlignmentRight : UITextAlignmentLeft);
        lblEngSurahLabel->setText(ChapterInfo::getNameFromNumber(surah));
    }
    imgCollapseArrow->setTransform(CGAffineTransformIdentity);
    if (section.IsSectionCollapsed()) imgCollapseArrow->setTransform(CGAffineTransformMakeRotation(-M_PI / 2));
    if (viewBorder) viewBorder->setHidden(true);
}

void SearchCellView::btnCollapsePressed() {
    if (!ThisSearchResult_ || !ThisSearchResult_->IsSurahSection()) return;
    // Kept with the result only: the bookmark list's collapsed chapters are its own.
    const bool collapsed = !ThisSearchResult_->IsSectionCollapsed();
    ThisSearchResult_->setIsSectionCollapsed(collapsed);
    if (viewController_) viewController_->sectionWithRow(ThisSearchResult_, collapsed);
    UIView::beginAnimations("ArrowAnim");
    UIView::setAnimationDuration(0.3);
    imgCollapseArrow->setTransform(CGAffineTransformIdentity);
    if (collapsed) imgCollapseArrow->setTransform(CGAffineTransformMakeRotation(-M_PI / 2));
    UIView::commitAnimations();
}

// ---- Hit row ----

void SearchCellView::makeRowParts() {
    const double w = frame().size.width, h = frame().size.height;
    constexpr unsigned flexible = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight |
                                  UIViewAutoresizingFlexibleRightMargin;
    lblTranslationHighlighted =
        std::make_shared<TTStyledTextLabel>(CGRectMake(55, std::floor((h - 20) / 2), std::floor(w - 62), 20));
    lblTranslationHighlighted->setAutoresizingMask(flexible);
    lblTranslationHighlighted->setBackgroundColor(UIColor::clearColor());
    lblTranslationHighlighted->setOpaque(false);
    lblTranslationHighlighted->setContentMode(UIViewContentModeLeft);
    lblTranslationHighlighted->setFont(UIFont::fontWithName("Helvetica", 13));
    lblTranslationHighlighted->setHighlightedTextColor(UIColor::whiteColor());
    contentView->addSubview(lblTranslationHighlighted);

    lblTranslation = clearLabel(CGRectMake(55, 0, w - 62, h), "Helvetica", 13);
    lblTranslation->setAutoresizingMask(flexible);
    lblTranslation->setContentMode(UIViewContentModeLeft);
    lblTranslation->setTextColor(rgb(123, 78, 0));
    lblTranslation->setLineBreakMode(UILineBreakModeTailTruncation);
    contentView->addSubview(lblTranslation);

    lblArabicVerse = clearLabel(CGRectMake(45, 0, w - 52, h), "GeezaPro", 16);
    lblArabicVerse->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth |
                                        UIViewAutoresizingFlexibleHeight);
    lblArabicVerse->setContentMode(UIViewContentModeRight);
    lblArabicVerse->setTextAlignment(UITextAlignmentRight);
    lblArabicVerse->setLineBreakMode(UILineBreakModeTailTruncation);
    contentView->addSubview(lblArabicVerse);

    btnVerse = verse_row::verseBadge(h);
    contentView->addSubview(btnVerse);
}

bool SearchCellView::showsPlainText() const {
    return !ThisSearchResult_ || ChapterInfo::isTranslationRTL(ThisSearchResult_->translator());
}

void SearchCellView::layoutRow() {
    if (!btnVerse) makeRowParts();
    const SearchResult& hit = *ThisSearchResult_;
    const double w = frame().size.width, h = frame().size.height;
    const std::string number = shownNumber(hit.verse());
    for (unsigned state : kAllStates) btnVerse->setTitle(number, state);

    if (hit.translator() != 0) {
        const bool rtl = ChapterInfo::isTranslationRTL(hit.translator());
        const UITextAlignment alignment = rtl ? UITextAlignmentRight : UITextAlignmentLeft;
        lblTranslation->setTextAlignment(alignment);
        lblTranslationHighlighted->setTextAlignment(alignment);
        lblArabicVerse->setHidden(true);
        lblTranslation->setHidden(!rtl);
        lblTranslationHighlighted->setHidden(rtl);
        if (rtl) {
            lblTranslation->setText(hit.VerseText());
        } else {
            showSelectionLook(thisCell_ && (thisCell_->isSelected() || thisCell_->isHighlighted()));
        }
    } else {
        lblArabicVerse->setHidden(false);
        lblTranslation->setHidden(true);
        lblTranslationHighlighted->setHidden(true);
        lblArabicVerse->setText(hit.VerseText());
        lblArabicVerse->setTextColor(hit.IsCompuslorySajda() ? rgb(22, 129, 1) : UIColor::blackColor());
    }

    if (!viewBorder) {
        viewBorder = std::make_shared<UIView>(CGRectMake(0, h - 1, w, 1));
        viewBorder->setBackgroundColor(rgb(216, 210, 189));
        viewBorder->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        addSubview(viewBorder);
    }
    viewBorder->setHidden(hit.IsLastInSection());
}

// ---- Selection and highlight ----

void SearchCellView::showSelectionLook(bool on) {
    if (!lblTranslationHighlighted || !ThisSearchResult_) return;
    TTStyledTextPtr snippet = TTStyledText::textFromXHTML(ThisSearchResult_->VerseText(), false, false);
    if (snippet) HighlightTextStyleSheet::applySelectionLook(*snippet, on);
    lblTranslationHighlighted->setText(snippet);
    lblTranslationHighlighted->setHighlighted(on);
    lblTranslationHighlighted->setTextColor(on ? UIColor::whiteColor() : UIColor::blackColor());
}

void SearchCellView::setSelected(bool selected) {
    if (!btnVerse) return;
    btnVerse->setEnabled(selected);
    btnVerse->setHighlighted(selected);
    if (!showsPlainText()) showSelectionLook(selected);
}

void SearchCellView::setHighlighted(bool highlighted) {
    if (!btnVerse) return;
    btnVerse->setEnabled(false);
    btnVerse->setHighlighted(false);
    const bool selected = thisCell_ && thisCell_->isSelected();
    if (!showsPlainText()) {
        showSelectionLook(highlighted || selected);
        if (!highlighted && !selected) return;
        btnVerse->setEnabled(selected);
        btnVerse->setHighlighted(selected);
    }
    if (highlighted) {
        btnVerse->setEnabled(true);
        btnVerse->setHighlighted(true);
    }
}

// ---- Long press ----

void SearchCellView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    if (!duaMode_)
        tapNHoldTimer_ = NSTimer::scheduledTimer(kLongPressSeconds, false, [this](NSTimer&) { tapNHoldFired(); });
    UIView::touchesBegan(touches, event);
}

void SearchCellView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesMoved(touches, event);
}

void SearchCellView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesEnded(touches, event);
}

void SearchCellView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesCancelled(touches, event);
}

void SearchCellView::cancelTapNHold() {
    if (tapNHoldTimer_) tapNHoldTimer_->invalidate();
    tapNHoldTimer_.reset();
}

void SearchCellView::tapNHoldFired() {
    tapNHoldTimer_.reset();
    if (thisCell_ && !thisCell_->isEditing() && viewController_) viewController_->tapAndHoldRow(thisCell_);
}
