#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Reading/SurahOptionsHUD.h"

#include <cmath>

#include "Classes/App/TabBarViewController.h"
#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIApplication.h"

namespace {

using screen_support::tr;
using screen_support::stretched;
using screen_support::userDb;

void setTitles(UIButton& button, const std::string& title, bool disabledToo = false) {
    button.setTitle(title, UIControlStateNormal);
    button.setTitle(title, UIControlStateHighlighted);
    if (disabledToo) button.setTitle(title, UIControlStateDisabled);
}

constexpr double kButtonWidth = 96, kButtonHeight = 66;

}  // namespace

SurahOptionsHUD::SurahOptionsHUD(SurahViewController& screen) : screen_(screen) { buildViews(); }

SurahOptionsHUD::~SurahOptionsHUD() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        if (Facebook* session = app->existingFacebook()) session->resignSessionDelegate(this);
    if (facebookScreen_) facebookScreen_->setDelegate(nullptr);
    if (lastDialog_) {
        if (auto* alert = dynamic_cast<UIAlertView*>(lastDialog_.get())) alert->setDelegate(nullptr);
        if (auto* sheet = dynamic_cast<UIActionSheet*>(lastDialog_.get())) sheet->setDelegate(nullptr);
    }
    if (pickTranslationView_) pickTranslationView_->setDelegate(nullptr);
    if (viewScrollHUD) viewScrollHUD->setDelegate(nullptr);
}

void SurahOptionsHUD::buildViews() {
    viewAyahDial = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
    viewAyahDial->setBackgroundColor(UIColor::clearColor());
    viewAyahDial->setHidden(true);
    imgHUDBG = std::make_shared<UIImageView>(CGRectMake(0, 154, 320, 306));
    imgHUDBGPage1 = std::make_shared<UIImageView>(CGRectMake(0, 154, 320, 306));
    viewScrollHUD = std::make_shared<UIScrollView>(CGRectMake(0, 154, 320, 306));
    viewScrollHUD->setPagingEnabled(true);
    viewScrollHUD->setScrollsToTop(false);
    viewScrollHUD->setDelegate(this);
    pgHUDCtl = std::make_shared<UIPageControl>(CGRectMake(110, 434, 100, 20));
    pgHUDCtl->setNumberOfPages(2);
    pgHUDCtl->addTarget(this, [this](UIControl*, UIEvent*) { pageHUDTapped(); }, UIControlEventValueChanged);
    btnHUDCancel = std::make_shared<UIButton>(CGRectMake(230, 424, 80, 30));
    btnHUDCancel1 = std::make_shared<UIButton>(CGRectMake(230, 424, 80, 30));
    for (auto* b : {&btnHUDCancel, &btnHUDCancel1}) {
        (*b)->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
        (*b)->addTarget(this, [this](UIControl*, UIEvent*) { dialCancelledPressed(); }, UIControlEventTouchUpInside);
    }
    for (auto* b : {&btnHUDMatches, &btnHUDNote, &btnHUDBookmark, &btnHUDTranslation, &btnHUDEmail, &btnHUDSMS, &btnHUDCopy,
                    &btnHUDTweet, &btnHUDTallowmir, &btnHUDFacebook}) {
        *b = std::make_shared<UIButton>(CGRectMake(0, 0, kButtonWidth, kButtonHeight));
        (*b)->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
        (*b)->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        (*b)->setTitleColor(UIColor::colorWithRed(1, 1, 1, 0.35), UIControlStateDisabled);
        UIButton* raw = b->get();
        (*b)->addTarget(this, [this, raw](UIControl*, UIEvent*) { ayahHudButtonPressed(raw); }, UIControlEventTouchUpInside);
        viewScrollHUD->addSubview(*b);
    }
    btnHUDFacebook->setHidden(true);  // the layout places no Facebook button; Share offers it

    viewHUDTranslation = std::make_shared<UIView>(CGRectMake(320, 0, 320, 230));
    btnHUDTranslationSwitcher = std::make_shared<UIButton>(CGRectMake(10, 6, 300, 30));
    btnHUDTranslationSwitcher->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    btnHUDTranslationSwitcher->setTitleColor(UIColor::colorWithRed(0.35, 0.25, 0.12, 1), UIControlStateNormal);
    btnHUDTranslationSwitcher->addTarget(this, [this](UIControl*, UIEvent*) { showTranslationPicker(); },
                                         UIControlEventTouchUpInside);
    scrollHUDTranslation = std::make_shared<UIScrollView>(CGRectMake(10, 40, 300, 186));
    scrollHUDTranslation->setScrollsToTop(false);
    txtHUDTranslation = std::make_shared<UILabel>(CGRectMake(0, 0, 300, 40));
    txtHUDTranslation->setNumberOfLines(0);
    txtHUDTranslation->setFont(UIFont::fontWithName("Helvetica", 15));
    txtHUDTranslation->setTextColor(UIColor::colorWithRed(0.2, 0.15, 0.08, 1));
    txtHUDTranslation->setBackgroundColor(UIColor::clearColor());
    scrollHUDTranslation->addSubview(txtHUDTranslation);
    viewHUDTranslation->addSubview(btnHUDTranslationSwitcher);
    viewHUDTranslation->addSubview(scrollHUDTranslation);

    viewHUDNotesContainer = std::make_shared<UIView>(CGRectMake(10, 10, 300, 140));
    imgHUDNotesBG = std::make_shared<UIImageView>(CGRectMake(0, 0, 300, 140));
    imgHUDNotesBG->setBackgroundColor(UIColor::colorWithRed(0.98, 0.96, 0.86, 1));
    txtHUDNotesPreview = std::make_shared<DTNotePadView>(CGRectMake(0, 0, 300, 140));
    txtHUDNotesPreview->textView()->setEditable(false);
    viewEmptyNotesPlaceholder = std::make_shared<UIView>(CGRectMake(0, 0, 300, 140));
    lblHUDEmptyNotesPlaceHolder = std::make_shared<UILabel>(CGRectMake(0, 55, 300, 30));
    lblHUDEmptyNotesPlaceHolder->setTextAlignment(UITextAlignmentCenter);
    lblHUDEmptyNotesPlaceHolder->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    lblHUDEmptyNotesPlaceHolder->setTextColor(UIColor::colorWithRed(0.5, 0.45, 0.35, 1));
    lblHUDEmptyNotesPlaceHolder->setBackgroundColor(UIColor::clearColor());
    viewEmptyNotesPlaceholder->addSubview(lblHUDEmptyNotesPlaceHolder);
    btnHUDNotesAddEdit = std::make_shared<UIButton>(CGRectMake(0, 0, 300, 140));
    btnHUDNotesAddEdit->addTarget(this, [this](UIControl*, UIEvent*) { hudAddEditNotePressed(); }, UIControlEventTouchUpInside);
    // The strip is wider and lower in landscape: its parts follow it, the placeholder stays centred.
    lblHUDEmptyNotesPlaceHolder->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin |
                                                     UIViewAutoresizingFlexibleBottomMargin);
    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{imgHUDNotesBG, txtHUDNotesPreview, viewEmptyNotesPlaceholder,
                                                               btnHUDNotesAddEdit}) {
        v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        viewHUDNotesContainer->addSubview(v);
    }

    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{viewHUDNotesContainer, imgHUDBG, imgHUDBGPage1, viewScrollHUD,
                                                               pgHUDCtl, btnHUDCancel, btnHUDCancel1})
        viewAyahDial->addSubview(v);
}

// ---- Opening and closing ----

void SurahOptionsHUD::showDialControlForVerseCell(SurahVerseView* row, UITableView* table, int verse, int surah) {
    if (surah != screen_.iCurrentSurah()) {
        screen_.setICurrentSurah(surah);
        screen_.setICurrentVerse(verse);
        RunLoop::main().performAfterDelay(&screen_, 0.05, [s = &screen_] { s->asyncSurahReload(); });
        return;
    }
    if (showingDialControl_ || !table) return;
    screen_.setDateLastActivity(NSDate::date());
    mouseLocation_ = NSIndexPath::indexPathForRow(screen_.verseToRow(verse), 0);
    screen_.highlightVerse(verse, false);
    UIView* display = screen_.viewSurahDisplay.get();
    verseHUDPoint_ = row && display ? row->convertRectToView(row->bounds(), display) : CGRectZero;
    currTblOffset_ = table->contentOffset();
    extraTblOffset_ = UIApplication::sharedApplication().statusBarFrame().size.height == 40 ? 10 : 0;
    showingDialControl_ = true;
    screen_.setShowingDialControl(true);
    setupAyahHUD(table);
    showPage(0, false);
    if (screen_.IsInLandscape()) prepareAyahHUDForLandscape();
    else prepareAyahHUDForPortrait();
    btnHUDCancel->setAlpha(1);
    btnHUDCancel1->setAlpha(0);
    viewAyahDial->setHidden(false);

    UIView::beginAnimations("ShowBottomAudioBar");
    UIView::setAnimationDuration(0.35);
    UIView::setAnimationCurve(UIViewAnimationCurveEaseInOut);
    table->setContentOffset(CGPoint{currTblOffset_.x, currTblOffset_.y + verseHUDPoint_.origin.y + extraTblOffset_});
    const int orientation = screen_.interfaceOrientation();
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->showViewAboveTabBar(viewAyahDial, orientation, 0, 0, orientation == UIInterfaceOrientationPortrait ? 460 : 300);
    UIView::commitAnimations();
    if (screen_.IsInLandscape()) prepareAyahHUDForLandscape();
    else prepareAyahHUDForPortrait();
}

void SurahOptionsHUD::hideDialControl() {
    if (!showingDialControl_) return;
    screen_.setDateLastActivity(NSDate::date());
    const bool restore = mouseLocation_.has_value();
    mouseLocation_.reset();
    UIView::beginAnimations("ZoomOut");
    UIView::setAnimationDuration(0.35);
    UIView::setAnimationCurve(UIViewAnimationCurveEaseInOut);
    UIView::setAnimationDidStopSelector([this](const std::string& id, bool, void*) {
        if (id == "ZoomOut" && !showingDialControl_) viewAyahDial->setHidden(true);
    });
    if (restore && currTblOffset_.y >= 0 && screen_.tblVerses) {
        currTblOffset_.y -= extraTblOffset_;
        screen_.tblVerses->setContentOffset(currTblOffset_);
    }
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->hideViewAboveTabBar(viewAyahDial, screen_.interfaceOrientation(), 0);
    UIView::commitAnimations();
    showingDialControl_ = false;
    screen_.setShowingDialControl(false);
}

void SurahOptionsHUD::showPage(int page, bool animated) {
    currentHUDPage_ = page;
    if (page == 0) imgHUDBGPage1->setAlpha(0);
    pgHUDCtl->setNumberOfPages(2);
    pgHUDCtl->setCurrentPage(page);
    viewScrollHUD->setContentOffset(CGPoint{page * viewScrollHUD->frame().size.width, 0}, animated);
}

void SurahOptionsHUD::setupAyahHUD(UITableView* table) {
    if (!hasSetupAyahHUD_) {
        hasSetupAyahHUD_ = true;
        imgHUDBG->setImage(stretched("hud-bg.png", 159, 152));
        imgHUDBGPage1->setImage(stretched("hud-bg-light.png", 159, 152));
        setTitles(*btnHUDCancel, tr("Done"));
        setTitles(*btnHUDCancel1, tr("Done"));
        setTitles(*btnHUDMatches, tr("Matches"));
        setTitles(*btnHUDNote, tr("Note"));
        setTitles(*btnHUDTallowmir, tr("Log"));
        setTitles(*btnHUDBookmark, tr("Bookmark"));
        setTitles(*btnHUDTranslation, tr("Translation"));
        setTitles(*btnHUDEmail, tr("Email"), true);
        setTitles(*btnHUDSMS, tr("SMS"), true);
        setTitles(*btnHUDCopy, tr("Copy"));
        setTitles(*btnHUDFacebook, tr("Facebook"));
        setTitles(*btnHUDTweet, tr("Share"));
        lblHUDEmptyNotesPlaceHolder->setText(tr("Add a Note"));
    }
    showPage(0, false);
    if (!viewHUDTranslation->superview()) viewScrollHUD->addSubview(viewHUDTranslation);
    const double w = viewScrollHUD->bounds().size.width;
    viewHUDTranslation->setFrame(CGRectMake(w, 0, w, viewHUDTranslation->frame().size.height));
    viewScrollHUD->bringSubviewToFront(viewHUDTranslation.get());
    viewScrollHUD->setContentSize(CGSize{w * 2, viewScrollHUD->bounds().size.height});
    viewScrollHUD->setContentOffset(CGPoint{currentHUDPage_ * w, 0}, false);
    setButtonStates(table);
}

void SurahOptionsHUD::refreshHUDButtons() { setButtonStates(screen_.tblVerses.get()); }

void SurahOptionsHUD::setButtonStates(UITableView*) {
    scrollHUDTranslation->setScrollsToTop(false);
    btnHUDEmail->setEnabled(MFMailComposeViewController::canSendMail());
    btnHUDSMS->setEnabled(MFMessageComposeViewController::canSendText());
    int verse = -1;
    if (mouseLocation_) {
        if (SurahVerseView* row = screen_.rowViewAt(mouseLocation_->row)) {
            if (row->ArabicMetaData()) verse = row->ArabicMetaData()->ThisVerse();
            else if (row->TranslationMetaData()) verse = row->TranslationMetaData()->ThisVerse();
        } else {
            verse = screen_.rowToVerse(mouseLocation_->row);  // row scrolled out of view
        }
    }
    const bool bookmarked = verse > 0 && screen_.isVerseBookmarked(verse);
    const bool hasNote = verse > 0 && screen_.verseHasNote(verse);
    const bool reflecting = verse > 0 && screen_.isReflectingSearch(verse);
    setTitles(*btnHUDBookmark, tr(bookmarked ? "Unbookmark" : "Bookmark"));
    btnHUDBookmark->setBackgroundImage(stretched(bookmarked ? "hud-bookmark-on.png" : "hud-bookmark.png", 73, 0),
                                       UIControlStateNormal);
    if (hasNote) {
        txtHUDNotesPreview->textView()->setText(ChapterInfo::getBookmarkNote(userDb(), screen_.iCurrentSurah(), verse));
        txtHUDNotesPreview->setHidden(false);
        viewEmptyNotesPlaceholder->setHidden(true);
    } else {
        txtHUDNotesPreview->textView()->setText("");
        txtHUDNotesPreview->setHidden(true);
        viewEmptyNotesPlaceholder->setHidden(false);
    }
    btnHUDNote->setBackgroundImage(stretched(hasNote ? "hud-note-on.png" : "hud-note.png", 73, 0), UIControlStateNormal);
    btnHUDMatches->setEnabled(reflecting);
    btnHUDCancel->setBackgroundImage(stretched("short-button-black.png", 73, 0), UIControlStateNormal);
    btnHUDCancel->setBackgroundImage(stretched("short-button-t.png", 73, 0), UIControlStateHighlighted);
    btnHUDCancel1->setBackgroundImage(stretched("short-button-sand.png", 73, 0), UIControlStateNormal);
    btnHUDCancel1->setBackgroundImage(stretched("short-button-t.png", 73, 0), UIControlStateHighlighted);
}

// ---- Layout ----

// Frames of one orientation; the option buttons in the order Matches, Note, Bookmark,
// Translation, Email, SMS, Copy, Share, Log.
struct PanelLayout {
    CGRect dial, background, scroll, notes, pageControl, done;
    double translationY, translationHeight;
    CGPoint buttons[9];
};

namespace {

constexpr PanelLayout kPortrait{{0, 0, 320, 460}, {0, 154, 320, 306}, {0, 154, 320, 306}, {10, 10, 300, 140},
                                {110, 424, 100, 30}, {230, 424, 80, 30}, 0, 230,
                                {{0, 20}, {112, 20}, {224, 20}, {0, 94}, {112, 94}, {224, 94}, {0, 168}, {112, 168},
                                 {224, 168}}};
constexpr PanelLayout kLandscape{{0, 0, 480, 300}, {0, 90, 480, 217}, {0, 80, 480, 217}, {10, 5, 460, 70},
                                 {190, 266, 100, 30}, {390, 266, 80, 30}, 15, 125,
                                 {{0, 20}, {288, 20}, {384, 20}, {96, 20}, {192, 20}, {0, 94}, {96, 94}, {192, 94},
                                  {288, 94}}};

}  // namespace

void SurahOptionsHUD::applyLayout(const PanelLayout& layout) {
    viewAyahDial->setFrame(layout.dial);
    imgHUDBG->setFrame(layout.background);
    imgHUDBGPage1->setFrame(layout.background);
    viewScrollHUD->setFrame(layout.scroll);
    viewHUDNotesContainer->setFrame(layout.notes);
    pgHUDCtl->setFrame(layout.pageControl);
    btnHUDCancel->setFrame(layout.done);
    btnHUDCancel1->setFrame(layout.done);
    const double w = viewScrollHUD->frame().size.width;
    viewHUDTranslation->setFrame(CGRectMake(w, layout.translationY, w, layout.translationHeight));
    UIButton* const order[9] = {btnHUDMatches.get(), btnHUDNote.get(), btnHUDBookmark.get(), btnHUDTranslation.get(),
                                btnHUDEmail.get(), btnHUDSMS.get(), btnHUDCopy.get(), btnHUDTweet.get(),
                                btnHUDTallowmir.get()};
    for (int i = 0; i < 9; ++i)
        order[i]->setFrame(CGRectMake(layout.buttons[i].x, layout.buttons[i].y, kButtonWidth, kButtonHeight));
    viewScrollHUD->setContentSize(CGSize{w * 2, viewScrollHUD->bounds().size.height});
    viewScrollHUD->setContentOffset(CGPoint{currentHUDPage_ * w, 0}, false);
    updateHUDTranslationLabel();
}

void SurahOptionsHUD::prepareAyahHUDForPortrait() { applyLayout(kPortrait); }

void SurahOptionsHUD::prepareAyahHUDForLandscape() { applyLayout(kLandscape); }

void SurahOptionsHUD::updateHUDTranslationLabel() {
    const int trans = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("HUDTranslation"));
    const std::string name = ChapterInfo::getTranslationFullNameForNumber(trans);
    setTitles(*btnHUDTranslationSwitcher, name);
    if (!imgDownArrowHUDTrans) {
        imgDownArrowHUDTrans = std::make_shared<UIImageView>(UIImage::imageNamed("hud-arrow.png"));
        btnHUDTranslationSwitcher->addSubview(imgDownArrowHUDTrans);
    }
    const CGSize sw = btnHUDTranslationSwitcher->frame().size;
    const double titleWidth = btnHUDTranslationSwitcher->font() ? sizeWithFont(name, *btnHUDTranslationSwitcher->font()).width : 0;
    imgDownArrowHUDTrans->setFrame(CGRectMake(std::trunc((sw.width - titleWidth) * 0.5) + titleWidth + 8,
                                              std::trunc((sw.height - 9) * 0.5), 10, 9));
    txtHUDTranslation->setTextAlignment(ChapterInfo::isTranslationRTL(trans) ? UITextAlignmentRight : UITextAlignmentLeft);
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    const std::string text = ChapterInfo::getTranslationFor(app ? app->dbConnectionStatic() : nullptr, trans,
                                                            screen_.iCurrentSurah(), screen_.iCurrentVerse());
    txtHUDTranslation->setText(text);
    const double width = scrollHUDTranslation->frame().size.width;
    const double h = txtHUDTranslation->font()
                         ? sizeWithFont(text, *txtHUDTranslation->font(), CGSize{width, 1000}, UILineBreakModeWordWrap).height
                         : 0;
    txtHUDTranslation->setFrame(CGRectMake(0, 0, width, h + 20));
    scrollHUDTranslation->setContentSize(CGSize{viewScrollHUD->frame().size.width, h + 20});
}

void SurahOptionsHUD::pageHUDTapped() { showPage(pgHUDCtl->currentPage(), true); }

void SurahOptionsHUD::scrollViewDidScroll(UIScrollView* scrollView) {
    if (scrollView != viewScrollHUD.get()) return;
    const double w = scrollView->frame().size.width;
    const double t = w > 0 ? std::clamp(scrollView->contentOffset().x / w, 0.0, 1.0) : 0;
    imgHUDBGPage1->setAlpha(t);
    btnHUDCancel->setAlpha(1 - t);
    btnHUDCancel1->setAlpha(t);
}

void SurahOptionsHUD::scrollViewDidEndDecelerating(UIScrollView* scrollView) {
    if (scrollView != viewScrollHUD.get()) return;
    const double w = scrollView->frame().size.width;
    currentHUDPage_ = w > 0 && scrollView->contentOffset().x >= w / 2 ? 1 : 0;
    pgHUDCtl->setCurrentPage(currentHUDPage_);
}

// ---- The panel's translation picker ----

void SurahOptionsHUD::showTranslationPicker() {
    pickTranslationView_ = std::make_shared<PickTranslationController>("SurahOptions");
    pickTranslationView_->setDelegate(this);
    pickTranslationView_->setupNormalPicker();
    pickTranslationView_->viewWillAppear(false);
    const int orientation = screen_.interfaceOrientation();
    UIView::beginAnimations("ShowTranslationPicker");
    UIView::setAnimationDuration(0.3);
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->showViewAboveTabBar(pickTranslationView_->viewPtr(), orientation, 0, 0,
                                 orientation == UIInterfaceOrientationPortrait ? 460 : 300);
    UIView::commitAnimations();
}

void SurahOptionsHUD::hideTranslationPicker() {
    if (!pickTranslationView_) return;
    std::shared_ptr<PickTranslationController> picker = pickTranslationView_;
    UIView::beginAnimations("HideTranslationPicker");
    UIView::setAnimationDuration(0.3);
    UIView::setAnimationDidStopSelector([this, picker](const std::string&, bool, void*) {
        picker->view()->removeFromSuperview();
        picker->setDelegate(nullptr);
        if (pickTranslationView_ == picker) pickTranslationView_.reset();
    });
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->hideViewAboveTabBar(picker->viewPtr(), screen_.interfaceOrientation(), 0);
    UIView::commitAnimations();
}

void SurahOptionsHUD::translationPickerPicked(int) {
    updateHUDTranslationLabel();
    hideTranslationPicker();
}
