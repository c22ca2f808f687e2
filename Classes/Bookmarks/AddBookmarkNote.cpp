#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Bookmarks/AddBookmarkNote.h"

#include <cmath>

#include "Classes/Bookmarks/MailHTML.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/PendingUserWrites.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/hosting/UIKeyboard.h"

namespace {

using screen_support::tr;
using screen_support::stretched;
using screen_support::userDb;
using screen_support::contentDb;
using screen_support::showWriteFailure;

int currentTranslation() {
    return static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
}

// The "AddNoteView" layout: a header with title and buttons, the verse area, the pad.
std::shared_ptr<UIView> buildAddNoteView(UIViewController& owner) {
    auto& c = static_cast<AddBookmarkNote&>(owner);
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.94, 0.88, 1));
    c.imgBG = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 460));
    c.imgBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.imgTopHeader = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 44));
    c.imgTopHeader->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblTitle = std::make_shared<UILabel>(CGRectMake(80, 0, 160, 44));
    c.lblTitle->setTextAlignment(UITextAlignmentCenter);
    c.lblTitle->setFont(UIFont::fontWithName("Helvetica-Bold", 18));
    c.lblTitle->setBackgroundColor(UIColor::clearColor());
    c.lblTitle->setTextColor(UIColor::whiteColor());
    c.lblTitle->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.btnMore = std::make_shared<UIButton>(CGRectMake(8, 7, 40, 30));
    c.btnDone = std::make_shared<UIButton>(CGRectMake(252, 7, 60, 30));
    c.btnDone->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.imgAyahImg = std::make_shared<UIImageView>(CGRectMake(4, 11, 312, 96));
    c.imgAyahShadow = std::make_shared<UIImageView>(CGRectMake(4, 107, 312, 6));
    // The verse area keeps its margins when the editor is turned.
    c.imgAyahImg->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.imgAyahShadow->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.scrollAyahContainer = std::make_shared<UIScrollView>(CGRectMake(44, 50, 272, 60));
    c.scrollAyahContainer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblArabicAyah = std::make_shared<UILabel>(CGRectMake(8, 5, 260, 50));
    c.lblArabicAyah->setNumberOfLines(0);
    c.lblArabicAyah->setBackgroundColor(UIColor::clearColor());
    c.scrollAyahContainer->addSubview(c.lblArabicAyah);
    c.btnAyah = std::make_shared<UIButton>(CGRectMake(6, 62, 34, 34));
    c.btnAyah->setEnabled(false);
    c.btnAyah->setTitleColor(UIColor::blackColor(), UIControlStateDisabled);
    c.lblVerseNumber = std::make_shared<UILabel>(CGRectMake(6, 96, 34, 14));
    c.imgFade = std::make_shared<UIImageView>(CGRectMake(0, 112, 320, 10));
    c.imgFade->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.txtView = std::make_shared<DTNotePadView>(CGRectMake(0, 118, 320, 342));
    c.txtView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{c.imgBG, c.imgTopHeader, c.lblTitle, c.btnMore, c.btnDone,
                                                               c.imgAyahImg, c.imgAyahShadow, c.scrollAyahContainer,
                                                               c.btnAyah, c.imgFade, c.txtView})
        root->addSubview(v);
    c.btnDone->addTarget(&c, [&c](UIControl*, UIEvent*) { c.donePressed(); }, UIControlEventTouchUpInside);
    c.btnMore->addTarget(&c, [&c](UIControl*, UIEvent*) { c.morePressed(); }, UIControlEventTouchUpInside);
    return root;
}

}  // namespace

void AddBookmarkNote::registerInterface() {
    if (!UIViewController::hasInterface("AddNoteView")) UIViewController::registerInterface("AddNoteView", buildAddNoteView);
}

AddBookmarkNote::AddBookmarkNote(const std::string& nibName, int surah, int verse)
    : UIViewController(nibName), surah_(surah), verse_(verse) {
    registerInterface();
}

AddBookmarkNote::~AddBookmarkNote() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (txtView) txtView->setDelegate(nullptr);
}

void AddBookmarkNote::viewDidLoad() {
    lblTitle->setText(tr("Note"));
    imgBG->setImage(stretched("note-bg.png", 159, 175));
    imgTopHeader->setImage(stretched("note-header.png", 159, 0));
    imgFade->setImage(stretched("note-fade.png", 159, 0));
    txtView->setBackgroundColor(UIColor::clearColor());
    txtView->setDelegate(this);
    txtView->textView()->setText(ChapterInfo::getBookmarkNote(userDb(), surah_, verse_));
    std::string number = stringWithFormat("%i", verse_);
    if (LumenoSDKAppDelegate::IsLanguageArabic()) number = ChapterInfo::getArabicNumbersFrom(number);
    btnAyah->setTitle(number, UIControlStateDisabled);
    lblVerseNumber->setText(number);
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnDone->setTitle(tr("Done"), state);
    btnDone->setBackgroundImage(stretched("black-button.png", 16, 0), UIControlStateNormal);
    btnDone->setBackgroundImage(stretched("black-button-t.png", 16, 0), UIControlStateHighlighted);
    btnMore->setBackgroundImage(stretched("extras-arrow.png", 16, 0), UIControlStateNormal);
    resizeVerse();
}

void AddBookmarkNote::resizeVerse() {
    if (!lblArabicAyah || !scrollAyahContainer) return;
    const int trans = currentTranslation();
    double lineHeight = 28;
    if (trans == 0) {
        lblArabicAyah->setTextAlignment(UITextAlignmentRight);
        lblArabicAyah->setFont(UIFont::fontWithName("GeezaPro", 16));
        lblArabicAyah->setText(ChapterInfo::getTranslationFor(contentDb(), 0, surah_, verse_));
    } else {
        if (ChapterInfo::isTranslationRTL(trans)) {
            lblArabicAyah->setFont(UIFont::fontWithName("GeezaPro", 16));
        } else {
            lblArabicAyah->setFont(UIFont::fontWithName("Helvetica", 14));
            lineHeight = 20;
        }
        if (trans == 1000) {
            lblArabicAyah->setTextAlignment(UITextAlignmentRight);
            lblArabicAyah->setText(ChapterInfo::getTranslationFor(contentDb(), 0, surah_, verse_));
        } else {
            lblArabicAyah->setTextAlignment(UITextAlignmentLeft);
            lblArabicAyah->setText(ChapterInfo::getTranslationFor(contentDb(), trans, surah_, verse_));
        }
    }
    const CGRect area = scrollAyahContainer->frame();
    const double width = lblArabicAyah->frame().size.width;
    const double lineWidth = lblArabicAyah->font() ? sizeWithFont(lblArabicAyah->text(), *lblArabicAyah->font()).width : 0;
    double height = std::trunc(width > 0 ? lineWidth / width * lineHeight : 0) + 8;
    if (height < area.size.height - 5) height = std::trunc(area.size.height - 5);
    scrollAyahContainer->setContentSize(CGSize{area.size.width, height});
    lblArabicAyah->setFrame(CGRectMake(8, 5, area.size.width - 12, height));
}

void AddBookmarkNote::viewWillAppear(bool) {
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, UIKeyboardWillShowNotification, [this] { keyboardWillShow(); });
    center.addObserver(this, UIKeyboardWillHideNotification, [this] { keyboardWillHide(); });
    if (txtView->textView()->text().empty()) txtView->textView()->becomeFirstResponder();
}

void AddBookmarkNote::viewDidAppear(bool) {
    // The text view became first responder before the view was in a window; raise the
    // keyboard for it now.
    UITextView* text = txtView->textView().get();
    if (text->isFirstResponder() && !UIKeyboard::shared().isVisible())
        UIKeyboard::shared().inputDidBecomeFirstResponder(text);
}

void AddBookmarkNote::viewWillDisappear(bool) {
    endEditing();
    auto& center = NSNotificationCenter::defaultCenter();
    center.removeObserver(this, UIKeyboardWillShowNotification);
    center.removeObserver(this, UIKeyboardWillHideNotification);
}

void AddBookmarkNote::willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation o, double) {
    if (!imgAyahImg) return;
    CGRect f = imgAyahImg->frame();
    f.origin.y = UIInterfaceOrientationIsLandscape(o) ? -2 : 11;
    imgAyahImg->setFrame(f);
}

void AddBookmarkNote::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    for (UITouch* touch : touches)
        if (touch->view() == view()) endEditing();
    UIViewController::touchesBegan(touches, event);
}

void AddBookmarkNote::endEditing() {
    if (txtView && txtView->textView()->isFirstResponder()) txtView->textView()->resignFirstResponder();
}

void AddBookmarkNote::keyboardWillShow() {
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnMore->setBackgroundImage(stretched("note-close-keyboard.png", 16, 0), state);
    isKeyboardShowing_ = true;
    btnMore->setEnabled(true);
}

void AddBookmarkNote::keyboardWillHide() {
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnMore->setBackgroundImage(stretched("extras-arrow.png", 16, 0), state);
    isKeyboardShowing_ = false;
    if (txtView->textView()->text().empty()) btnMore->setEnabled(false);
}

void AddBookmarkNote::donePressed() {
    if (waitingToSave_) return;
    const std::string note = txtView->textView()->text();
    // Bookmark and note go in as one row, so a refused save leaves no empty bookmark behind.
    const bool addsBookmark = bookmarkOnSave_ && !ChapterInfo::isBookmarked(userDb(), surah_, verse_);
    if (bookmarkChanged_ && !addsBookmark) NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
    const int surah = surah_, verse = verse_;
    const std::optional<int> group = addsBookmark ? bookmarkOnSave_ : std::nullopt;
    const PendingUserWrites::Outcome outcome = PendingUserWrites::shared().run(
        [=](sqlite3* db) {
            return group ? ChapterInfo::insertBookmark(db, surah, verse, false, *group, note)
                         : ChapterInfo::insertBookmarkNote(db, surah, verse, note);
        },
        [addsBookmark, weakSelf = weak_from_this()](bool stored) {
            auto self = std::static_pointer_cast<AddBookmarkNote>(weakSelf.lock());
            if (!self) return;  // closed meanwhile
            self->waitForStore(false);
            if (stored) self->noteStored(addsBookmark);
            else self->noteNotStored();
        });
    switch (outcome) {
    case PendingUserWrites::Outcome::stored: noteStored(addsBookmark); break;
    case PendingUserWrites::Outcome::failed: noteNotStored(); break;
    // Another program holds the database: the note stays here until it is stored.
    case PendingUserWrites::Outcome::waiting: waitForStore(true); break;
    }
}

void AddBookmarkNote::waitForStore(bool waiting) {
    waitingToSave_ = waiting;
    if (waiting) endEditing();
    btnDone->setEnabled(!waiting);
    lblTitle->setText(waiting ? tr("Waiting to save...") : tr("Note"));
}

void AddBookmarkNote::noteStored(bool addedBookmark) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (addedBookmark) {
        NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
        if (app) app->refreshIndexSurahRow(surah_);
    }
    if (app) app->refreshSurahViewWith(surah_, verse_);
    endEditing();
    dismissModalViewControllerAnimated(true);
}

void AddBookmarkNote::noteNotStored() {
    NSLog("[AddBookmarkNote] Error: the note of %i:%i was not stored.", surah_, verse_);
    // The editor stays with the text, so it can be saved again.
    showWriteFailure("Note Not Saved", "Your note is still in the editor.");
}

void AddBookmarkNote::morePressed() {
    if (isKeyboardShowing_) {
        endEditing();
        return;
    }
    moreSheet_ = std::make_shared<UIActionSheet>("", this, tr("Cancel"), tr("Delete"), std::vector<std::string>{tr("Mail")});
    moreSheet_->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    moreSheet_->showInView(view());
}

void AddBookmarkNote::actionSheetClickedButtonAtIndex(UIActionSheet*, int index) {
    if (index == 0) deletePressed();
    else if (index == 1) mailPressed();
}

void AddBookmarkNote::deletePressed() {
    lastAlert_ = std::make_shared<UIAlertView>(tr("Delete Note"), tr("Are you sure you want to delete this note?"), this,
                                               tr("No"), std::vector<std::string>{tr("Yes")});
    lastAlert_->show();
}

void AddBookmarkNote::alertViewClickedButtonAtIndex(UIAlertView* alert, int index) {
    if (alert != lastAlert_.get() || alert->delegate() != this || index != 1) return;
    NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
    DataStoreConnection::clearLastFailure();
    if (!ChapterInfo::deleteBookmarkNote(userDb(), surah_, verse_)) {
        NSLog("[AddBookmarkNote] Error: the note of %i:%i was not deleted.", surah_, verse_);
        showWriteFailure("Note Not Deleted");
        return;
    }
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->refreshSurahViewWith(surah_, verse_);
    endEditing();
    dismissModalViewControllerAnimated(true);
}

std::string AddBookmarkNote::mailBody() const {
    std::string body = stringWithFormat("%@ <b>%@ %i, %@ %i</b>:<br>", mailHTMLText(tr("Qur'an")), mailHTMLText(tr("Surah")),
                                        surah_, mailHTMLText(tr("Verse")), verse_);
    body += stringWithFormat("<div dir='rtl'>%@</div><br>",
                             mailHTMLText(ChapterInfo::getTranslationFor(contentDb(), 0, surah_, verse_)));
    const int trans = currentTranslation();
    if (trans != 0) {
        const std::string text = mailHTMLText(trans == 1000 ? ChapterInfo::getBookmarkNote(userDb(), surah_, verse_)
                                                            : ChapterInfo::getTranslationFor(contentDb(), trans, surah_, verse_));
        const char* format = ChapterInfo::isTranslationRTL(trans) ? "<b>%@</b>:<div dir='rtl'>%@</div><br><br>"
                                                                  : "<b>%@</b>:<br>%@<br><br>";
        body += stringWithFormat(format, mailHTMLText(tr("Translation")), text);
    }
    const std::string note = txtView ? txtView->textView()->text() : ChapterInfo::getBookmarkNote(userDb(), surah_, verse_);
    body += stringWithFormat("%@:<br>%@<br><br><br><br>", mailHTMLText(tr("Notes")), mailHTMLText(note));
    body += mailStoreLink() + "<br>";
    return body;
}

void AddBookmarkNote::mailPressed() {
    if (!MFMailComposeViewController::canSendMail()) {
        lastAlert_ = std::make_shared<UIAlertView>(
            tr("Email Not Setup"), tr("You need to setup an email account on your iPhone before using this feature"),
            nullptr, tr("OK"), std::vector<std::string>{});
        lastAlert_->show();
        return;
    }
    auto composer = std::make_shared<MFMailComposeViewController>();
    composer->setMailComposeDelegate(this);
    composer->setMessageBody(mailBody(), true);
    presentModalViewController(composer, true);
}

void AddBookmarkNote::mailComposeController(MFMailComposeViewController&, MFMailComposeResult result, const NSError* error) {
    if (result == MFMailComposeResultFailed) {
        lastAlert_ = std::make_shared<UIAlertView>(
            "Message Failed",
            stringWithFormat("The message could not be sent with error: %@", error ? error->localizedDescription : std::string()),
            nullptr, tr("OK"), std::vector<std::string>{});
        lastAlert_->setTag(-2);
        lastAlert_->show();
    }
    dismissModalViewControllerAnimated(true);
}
