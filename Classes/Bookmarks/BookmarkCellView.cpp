#include "Classes/Bookmarks/BookmarkCellView.h"

#include <cmath>

#include "Classes/Bookmarks/BookmarkCell.h"
#include "Classes/Bookmarks/BookmarksViewController.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Bookmarks/VerseRowParts.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/text/UIFont.h"

namespace {

using screen_support::contentDb;
using screen_support::stretched;
using screen_support::userDb;

constexpr double kLongPressSeconds = 0.7;

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

// A number as the interface shows it: Arabic-Indic digits in the Arabic interface.
int currentTranslation() {
    return static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
}

// The chosen translation is shown beside the Arabic unless it is none, a commentary or the notes.
bool translationShown(int t) { return t != 0 && t != 27 && t != 38 && t != 1000; }

using verse_row::clearLabel;
using verse_row::kAllStates;
using verse_row::shownNumber;

}  // namespace

BookmarkCellView::BookmarkCellView(CGRect frame) : UIView(frame) {
    setOpaque(false);
    contentView = std::make_shared<UIView>(frame);
    contentView->setContentMode(UIViewContentModeRight);
    contentView->setBackgroundColor(UIColor::clearColor());
    contentView->setAutoresizesSubviews(true);
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(contentView);
}

BookmarkCellView::~BookmarkCellView() { cancelTapNHold(); }

void BookmarkCellView::setThisBookmark(std::shared_ptr<Bookmark> bookmark) {
    if (bookmark && bookmark == ThisBookmark_) return;
    ThisBookmark_ = std::move(bookmark);
    refresh();
}

bool BookmarkCellView::hostIsEditing() const { return thisCell_ && thisCell_->cellIsEditing(); }

void BookmarkCellView::refresh() {
    setAlpha(ThisBookmark_ ? 1 : 0);
    if (!ThisBookmark_) return;
    if (ThisBookmark_->IsSurahSection()) {
        if (thisCell_) thisCell_->setSelectionStyle(UITableViewCellSelectionStyleNone);
        layoutHeader();
    } else {
        if (thisCell_) thisCell_->setSelectionStyle(UITableViewCellSelectionStyleBlue);
        layoutRow();
    }
}

// ---- Section header ----

void BookmarkCellView::makeHeaderParts() {
    const double w = frame().size.width, h = frame().size.height;
    btnCollapse = std::make_shared<UIButton>(CGRectMake(0, 0, 320, 44));
    btnCollapse->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    btnCollapse->setBackgroundImage(stretched("bookmarks-partition.png", 159, 0), UIControlStateNormal);
    btnCollapse->setBackgroundImage(stretched("bookmarks-partition-t.png", 159, 0), UIControlStateHighlighted);
    btnCollapse->addTarget(this, [this](UIControl*, UIEvent*) { btnCollapsePressed(); }, UIControlEventTouchUpInside);
    contentView->addSubview(btnCollapse);

    lblSurahNumLabel = clearLabel(CGRectMake(55, 0, 40, h), "Helvetica-Bold", 13);
    lblSurahNumLabel->setTextAlignment(UITextAlignmentLeft);
    lblSurahNumLabel->setTextColor(rgb(148, 124, 96));
    lblSurahNumLabel->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
    contentView->addSubview(lblSurahNumLabel);

    btnVerseCounter = std::make_shared<UIButton>(CGRectMake(w - 84, 1, 35, 43));
    btnVerseCounter->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    btnVerseCounter->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
    btnVerseCounter->setTitleEdgeInsets(UIEdgeInsetsMake(0, 0, 1, 0));
    btnVerseCounter->setEnabled(false);
    btnVerseCounter->setUserInteractionEnabled(false);
    btnVerseCounter->setBackgroundImage(UIImage::imageNamed("bookmark-count.png"), UIControlStateDisabled);
    btnVerseCounter->setTitleColor(rgb(134, 109, 60), UIControlStateDisabled);
    contentView->addSubview(btnVerseCounter);

    imgSurahLabel = std::make_shared<UIImageView>(CGRectMake(w - 165, std::floor((h - 36) / 2), 94, 36));
    imgSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    contentView->addSubview(imgSurahLabel);

    lblEngSurahLabel = clearLabel(CGRectMake(83, 0, w - 99, h), "Helvetica-Bold", 13);
    lblEngSurahLabel->setTextAlignment(UITextAlignmentLeft);
    lblEngSurahLabel->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin);
    contentView->addSubview(lblEngSurahLabel);

    imgCollapseArrow = std::make_shared<UIImageView>(CGRectMake(0, 0, 44, 44));
    imgCollapseArrow->setImage(UIImage::imageNamed("bookmarks-arrow.png"));
    contentView->addSubview(imgCollapseArrow);
}

void BookmarkCellView::layoutHeader() {
    if (!btnCollapse) makeHeaderParts();
    const double w = frame().size.width, h = frame().size.height;
    const int surah = ThisBookmark_->surah();
    const double half = std::floor((h - 36) / 2);
    const bool namesAsImages = NSUserDefaults::standardUserDefaults().boolForKey("IndexInArabic");
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
    // A part placed with its frame, alignment and the margin that stretches.
    auto place = [](UIView& view, CGRect frame, unsigned margin) {
        view.setFrame(frame);
        view.setAutoresizingMask(margin);
    };
    const unsigned left = UIViewAutoresizingFlexibleLeftMargin, right = UIViewAutoresizingFlexibleRightMargin;
    const bool rightToLeft = namesAsImages || arabic;
    imgSurahLabel->setHidden(!namesAsImages);
    lblEngSurahLabel->setHidden(namesAsImages);
    if (namesAsImages) {
        imgSurahLabel->setImage(UIImage::imageNamed(stringWithFormat("sname_%i.png", surah)));
        imgSurahLabel->setFrame(CGRectMake(w - 185 + ChapterInfo::getSurahNameOffsetForAlignment(surah), half, 94, 36));
    } else {
        lblEngSurahLabel->setTextAlignment(arabic ? UITextAlignmentRight : UITextAlignmentLeft);
        place(*lblEngSurahLabel, CGRectMake(83, 0, arabic ? w - 174 : w - 99, h), arabic ? left : right);
    }
    place(*btnVerseCounter, CGRectMake(rightToLeft ? 45 : w - 89, 1, 35, 43), rightToLeft ? right : left);
    place(*lblSurahNumLabel, CGRectMake(rightToLeft ? w - 99 : 55, 0, 40, h), rightToLeft ? left : right);
    lblSurahNumLabel->setTextAlignment(rightToLeft ? UITextAlignmentRight : UITextAlignmentLeft);
    lblSurahNumLabel->setText(shownNumber(surah));
    lblEngSurahLabel->setText(ChapterInfo::getNameFromNumber(surah));
    btnVerseCounter->setTitle(shownNumber(static_cast<int>(ThisBookmark_->AllBookmarks().size())), UIControlStateDisabled);
    imgCollapseArrow->setTransform(CGAffineTransformIdentity);
    if (ThisBookmark_->IsSectionCollapsed()) imgCollapseArrow->setTransform(CGAffineTransformMakeRotation(-M_PI / 2));
}

void BookmarkCellView::btnCollapsePressed() {
    if (!ThisBookmark_ || !ThisBookmark_->IsSurahSection()) return;
    const bool collapsed = !ThisBookmark_->IsSectionCollapsed();
    ThisBookmark_->setIsSectionCollapsed(collapsed);
    if (!ChapterInfo::setBookmarkSectionCollapsed(userDb(), ThisBookmark_->surah(), collapsed))
        NSLog("[BookmarkCellView] Error: the collapsed state of chapter %i was not stored.", ThisBookmark_->surah());
    if (viewController_) viewController_->sectionWithRow(ThisBookmark_, collapsed);
    UIView::beginAnimations("ArrowAnim");
    UIView::setAnimationDuration(0.3);
    imgCollapseArrow->setTransform(CGAffineTransformIdentity);
    if (collapsed) imgCollapseArrow->setTransform(CGAffineTransformMakeRotation(-M_PI / 2));
    UIView::commitAnimations();
}

// ---- Verse row ----

void BookmarkCellView::makeRowParts() {
    const double w = frame().size.width, h = frame().size.height;
    const double a = w - 107;
    const double b = std::trunc(a * 1.5 / 3);
    lblTranslation = clearLabel(CGRectMake(50, 0, b, h), "Helvetica", 13);
    lblTranslation->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin |
                                        UIViewAutoresizingFlexibleHeight);
    lblTranslation->setTextAlignment(UITextAlignmentLeft);
    lblTranslation->setContentMode(UIViewContentModeLeft);
    lblTranslation->setTextColor(rgb(123, 78, 0));
    lblTranslation->setLineBreakMode(UILineBreakModeTailTruncation);
    contentView->addSubview(lblTranslation);

    lblArabicVerse = clearLabel(CGRectMake(50 + b, 0, a - b, h), "GeezaPro", 16);
    lblArabicVerse->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth |
                                        UIViewAutoresizingFlexibleHeight);
    lblArabicVerse->setTextAlignment(UITextAlignmentRight);
    lblArabicVerse->setContentMode(UIViewContentModeRight);
    lblArabicVerse->setLineBreakMode(UILineBreakModeTailTruncation);
    contentView->addSubview(lblArabicVerse);

    btnVerse = verse_row::verseBadge(h);
    contentView->addSubview(btnVerse);

    btnVerseMeta = std::make_shared<UIButton>(CGRectMake(w - 44, std::floor((h - 44) / 2), 44, 44));
    btnVerseMeta->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    btnVerseMeta->addTarget(this, [this](UIControl*, UIEvent*) { btnVerseMetaPressed(); }, UIControlEventTouchUpInside);
    btnVerseMeta->setEnabled(false);
    btnVerseMeta->setAdjustsImageWhenDisabled(false);
    contentView->addSubview(btnVerseMeta);
}

void BookmarkCellView::layoutRow() {
    if (!lblArabicVerse) makeRowParts();
    const Bookmark& bookmark = *ThisBookmark_;
    const double w = frame().size.width, h = frame().size.height;
    const int t = currentTranslation();
    const bool showTranslation = translationShown(t);

    const std::string number = shownNumber(bookmark.verse());
    for (unsigned state : kAllStates) btnVerse->setTitle(number, state);
    refreshMeta();

    lblTranslation->setHidden(!showTranslation);
    if (!showTranslation) lblTranslation->setText("");
    placeRowTexts();

    if (bookmark.HasExtraDetails()) {
        lblArabicVerse->setText(bookmark.ArabicVerse().value_or(""));
        if (showTranslation) lblTranslation->setText(bookmark.Translation().value_or(""));
    } else {
        lblArabicVerse->setText(ChapterInfo::getArabicVerseFor(contentDb(), bookmark.surah(), bookmark.verse()));
        if (showTranslation) {
            lblTranslation->setText(ChapterInfo::getTranslationFor(contentDb(), t, bookmark.surah(), bookmark.verse()));
            const bool rtl = ChapterInfo::isTranslationRTL(t);
            lblTranslation->setTextAlignment(rtl ? UITextAlignmentRight : UITextAlignmentLeft);
            lblTranslation->setFont(rtl ? UIFont::fontWithName("GeezaPro", 16) : UIFont::fontWithName("Helvetica", 13));
        }
    }

    if (!viewBorder) {
        viewBorder = std::make_shared<UIView>(CGRectMake(0, h - 1, w - 44, 1));
        viewBorder->setBackgroundColor(rgb(216, 210, 189));
        viewBorder->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        addSubview(viewBorder);
    }
    viewBorder->setHidden(bookmark.IsLastInSection() || bookmark.IsSurahSection());
}

void BookmarkCellView::placeRowTexts() {
    if (!lblArabicVerse) return;
    // From the content's width, so the texts share the room that batch edit leaves them.
    const double w = contentView->frame().size.width, h = frame().size.height;
    const double a = w - 107;
    const double b = std::trunc(a * 1.5 / 3);
    if (!lblTranslation->isHidden()) {
        lblTranslation->setFrame(CGRectMake(50, 0, b, h));
        lblArabicVerse->setFrame(CGRectMake(50 + b, 0, a - b, h));
    } else {
        lblArabicVerse->setFrame(CGRectMake(50, 0, a, h));
    }
    // Their content modes keep the old drawing when only the size changes; truncation must
    // follow the new width.
    lblTranslation->setNeedsDisplay();
    lblArabicVerse->setNeedsDisplay();
}

void BookmarkCellView::layoutSubviews() {
    UIView::layoutSubviews();
    if (ThisBookmark_ && !ThisBookmark_->IsSurahSection()) placeRowTexts();
}

void BookmarkCellView::refreshMeta() {
    if (!btnVerseMeta || !ThisBookmark_) return;
    const Bookmark& bookmark = *ThisBookmark_;
    const int surah = bookmark.surah(), verse = bookmark.verse();
    auto image = [](const char* name) { return name ? UIImage::imageNamed(name) : nullptr; };
    auto setImages = [&](const char* normal, const char* disabled, const char* highlighted) {
        btnVerseMeta->setImage(image(normal), UIControlStateNormal);
        btnVerseMeta->setImage(image(disabled), UIControlStateDisabled);
        btnVerseMeta->setImage(image(highlighted), UIControlStateHighlighted);
    };
    btnVerseMeta->setHidden(false);
    if (bookmark.hasNote()) {
        btnVerseMeta->setEnabled(true);
        setImages("bookmark-note.png", "bookmark-note.png", "bookmark-note-t.png");
        return;
    }
    btnVerseMeta->setEnabled(false);
    if (ChapterInfo::isSajda(surah, verse)) {
        setImages("bookmarks-mark-sajda.png", "bookmarks-mark-sajda.png", "bookmarks-mark-sajda.png");
    } else if (ChapterInfo::isJuz(surah, verse)) {
        setImages("bookmarks-mark-juz.png", "bookmarks-mark-juz.png", "bookmarks-mark-juz.png");
    } else if (ChapterInfo::isHizb(surah, verse)) {
        static const char* const kQuarterImages[] = {"bookmarks-mark-hezb34.png", "bookmarks-mark-hezb.png",
                                                     "bookmarks-mark-hezb14.png", "bookmarks-mark-hezb12.png"};
        const int q = ChapterInfo::hezbFromSurah(contentDb(), surah, verse) % 4;
        const char* quarter = kQuarterImages[q < 0 ? 0 : q];
        setImages(quarter, quarter, quarter);
    } else {
        btnVerseMeta->setHidden(true);
        setImages(nullptr, nullptr, nullptr);
    }
}

void BookmarkCellView::btnVerseMetaPressed() {
    if (!ThisBookmark_ || ThisBookmark_->IsSurahSection() || !ThisBookmark_->hasNote()) return;
    if (viewController_ && thisCell_) viewController_->showNoteForBookmark(thisCell_);
}

// ---- Selection and editing ----

void BookmarkCellView::setSelected(bool selected) {
    if (!btnVerse) return;
    btnVerse->setEnabled(selected);
    btnVerse->setHighlighted(selected);
}

void BookmarkCellView::setHighlighted(bool highlighted) {
    if (!btnVerse) return;
    btnVerse->setEnabled(false);
    btnVerse->setHighlighted(false);
    if (highlighted || (thisCell_ && thisCell_->isSelected())) {
        btnVerse->setEnabled(true);
        btnVerse->setHighlighted(true);
    }
}

void BookmarkCellView::setEditing(bool editing, bool animated) {
    if (ThisBookmark_ && ThisBookmark_->IsSurahSection()) return;
    refreshSelectionState();
    if (animated) {
        UIView::beginAnimations("IsEditing");
        UIView::setAnimationDuration(0.3);
    }
    const CGSize cell = thisCell_ ? thisCell_->frame().size : frame().size;
    const bool batch = editing && viewController_ && viewController_->IsEditing();
    if (imgEditCircle) imgEditCircle->setFrame(batch ? CGRectMake(1, 0, 43, 44) : CGRectMake(-44, 0, 43, 44));
    contentView->setFrame(batch ? CGRectMake(44, 0, cell.width - 44, cell.height)
                                : CGRectMake(0, 0, cell.width, cell.height));
    placeRowTexts();
    if (animated) UIView::commitAnimations();
}

void BookmarkCellView::toggleSelection() {
    if (!ThisBookmark_) return;
    ThisBookmark_->setIsSelected(!ThisBookmark_->IsSelected());
    refreshSelectionState();
}

void BookmarkCellView::refreshSelectionState() {
    if (!hostIsEditing()) return;
    if (!imgEditCircle) {
        imgEditCircle = std::make_shared<UIImageView>(CGRectMake(-44, 0, 43, 44));
        imgEditCircle->setImage(UIImage::imageNamed("todo-edit.png"));
        imgEditCircle->setHighlightedImage(UIImage::imageNamed("todo-edit-t.png"));
        addSubview(imgEditCircle);
    }
    const bool selected = ThisBookmark_ && ThisBookmark_->IsSelected();
    imgEditCircle->setImage(UIImage::imageNamed(selected ? "todo-edit-on.png" : "todo-edit.png"));
    imgEditCircle->setHighlightedImage(UIImage::imageNamed("todo-edit-t.png"));
}

// ---- Long press ----

void BookmarkCellView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    cancelTouches_ = false;
    UIView::touchesBegan(touches, event);
    cancelTapNHold();
    tapNHoldTimer_ = NSTimer::scheduledTimer(kLongPressSeconds, false, [this](NSTimer&) { tapNHoldFired(); });
}

void BookmarkCellView::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesMoved(touches, event);
}

void BookmarkCellView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesEnded(touches, event);
    cancelTouches_ = false;
}

void BookmarkCellView::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    cancelTapNHold();
    UIView::touchesCancelled(touches, event);
}

void BookmarkCellView::cancelTapNHold() {
    if (tapNHoldTimer_) tapNHoldTimer_->invalidate();
    tapNHoldTimer_.reset();
}

void BookmarkCellView::tapNHoldFired() {
    tapNHoldTimer_.reset();
    cancelTouches_ = true;
    if (thisCell_ && !thisCell_->isEditing() && viewController_) viewController_->tapAndHoldRow(thisCell_);
}
