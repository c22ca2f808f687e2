// The option buttons and the dialogs they raise: bookmarks, notes, copy and sharing.

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/App/TabBarViewController.h"
#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Bookmarks/MailHTML.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/NSString+More.h"
#include "Classes/Reading/SurahOptionsHUD.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/StringUtils.h"
#include "platform/services/UIPasteboard.h"
#include "platform/ui/UIApplication.h"

namespace {

using screen_support::tr;
using screen_support::userDb;
using screen_support::contentDb;

constexpr const char* kWebSite = "http://www.lumeno.app";

// Twitter clients: the probe, then the format that receives the escaped text.
constexpr const char* kTweetClients[][2] = {
    {"twitter://post?message=test", "twitter://post?message=%@"},
    {"twitterrific://post?message=test", "twitterrific://post?message=%@"},
    {"twit:///post?message=test", "twit://post?message=%@"},
    {"twitterfonpro:///post?test", "twitterfonpro://post?%@"},
    {"x-birdfeed:///post?text=test", "x-birdfeed://post?text=%@"},
};

}  // namespace

std::string SurahOptionsHUD::arabicText(int surah, int verse) const {
    return ChapterInfo::getArabicVerseFor(contentDb(), surah, verse);
}

std::string SurahOptionsHUD::searchText(int surah, int verse) const {
    return ChapterInfo::getTranslationFor(contentDb(), 0, surah, verse);
}

std::string SurahOptionsHUD::translationText(int surah, int verse) const {
    const int trans = screen_.iCurrentTranslation();
    if (trans == 1000) return ChapterInfo::getBookmarkNote(userDb(), surah, verse);
    return ChapterInfo::getTranslationFor(contentDb(), trans, surah, verse);
}

std::string SurahOptionsHUD::mailHeading(int surah, int verse) const {
    return stringWithFormat("<b>%@ %i. %@, %@ %i</b>:<br><br>", mailHTMLText(tr("Surah")), surah,
                            mailHTMLText(ChapterInfo::getNameFromNumber(surah)), mailHTMLText(tr("Verse")), verse);
}

std::string SurahOptionsHUD::urlencode(const std::string& text) {
    static const char* const pairs[][2] = {{";", "%3B"}, {"/", "%2F"}, {"?", "%3F"}, {":", "%3A"}, {"@", "%40"},
                                           {"&", "%26"}, {"=", "%3D"}, {"+", "%2B"}, {"$", "%24"}, {",", "%2C"},
                                           {"[", "%5B"}, {"]", "%5D"}, {"#", "%23"}, {"!", "%21"}, {"'", "%27"},
                                           {"(", "%28"}, {")", "%29"}, {"*", "%2A"}};
    std::string out;
    for (char c : text) {
        bool replaced = false;
        for (const auto& pair : pairs)
            if (c == pair[0][0]) {
                out += pair[1];
                replaced = true;
                break;
            }
        if (!replaced) out.push_back(c);
    }
    return out;
}

void SurahOptionsHUD::showSheet(int tag, const std::string& title, const std::vector<std::string>& choices) {
    std::vector<std::string> titles;
    for (const std::string& c : choices) titles.push_back(c);
    auto sheet = std::make_shared<UIActionSheet>(title, this, tr("Cancel"), "", titles);
    sheet->setTag(tag);
    sheet->setActionSheetStyle(UIActionSheetStyleBlackOpaque);
    dialogSurah_ = screen_.iCurrentSurah();
    dialogVerse_ = screen_.iCurrentVerse();
    lastDialog_ = sheet;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->tabBarController()) sheet->showFromTabBar(app->tabBarController()->tabBar());
    else sheet->showInView(screen_.view());
}

void SurahOptionsHUD::showAlert(const std::string& title, const std::string& message, int tag, bool withDelegate,
                                const std::string& cancel, const std::vector<std::string>& others) {
    auto alert = std::make_shared<UIAlertView>(title, message, withDelegate ? this : nullptr, cancel, others);
    alert->setTag(tag);
    dialogSurah_ = screen_.iCurrentSurah();
    dialogVerse_ = screen_.iCurrentVerse();
    lastDialog_ = alert;
    alert->show();
}

bool SurahOptionsHUD::dialogStillApplies() const {
    if (dialogSurah_ == screen_.iCurrentSurah()) return true;
    NSLog("[SurahOptionsHUD] The chapter changed before the dialog for %i:%i was answered; nothing done.", dialogSurah_,
          dialogVerse_);
    return false;
}

// ---- Option buttons ----

void SurahOptionsHUD::ayahHudButtonPressed(UIButton* button) {
    const int surah = screen_.iCurrentSurah();
    const int verse = screen_.iCurrentVerse();
    const bool hasTranslation = screen_.iCurrentTranslation() != 0;
    if (button == btnHUDMatches.get()) {
        std::shared_ptr<SavedSearch> search = ChapterInfo::getFirstSavedSearch(userDb(), surah, verse);
        hideDialControl();
        screen_.cleanupStateClosingView();
        if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->filterSearchViewWithSavedSearch(search);
    } else if (button == btnHUDNote.get()) {
        auto editor = std::make_shared<AddBookmarkNote>("AddNoteView", surah, verse);
        // A verse without a bookmark gets one (no group) when its note is saved.
        if (!screen_.isVerseBookmarked(verse)) editor->setBookmarkOnSave(0);
        hideDialControl();
        screen_.presentModalViewController(editor, true);
    } else if (button == btnHUDBookmark.get()) {
        if (screen_.isVerseBookmarked(verse)) {
            if (screen_.verseHasNote(verse)) {
                showAlert(tr("Delete Bookmark"),
                          tr("Are you sure you want to delete this bookmark? Doing so will delete the attached note as well!"),
                          kDeleteBookmarkAlert, true, tr("No"), {tr("Yes")});
            } else {
                screen_.addOrRemoveBookmarkForVerse(verse);
                screen_.updateBookmarkForVerse(verse, surah);
                hideDialControl();
            }
        } else if (!NSUserDefaults::standardUserDefaults().boolForKey("AskForBookmarkGroup")) {
            showSheet(kBookmarkGroupSheet, tr("Bookmark"), {tr("Reading"), tr("Memorizing"), tr("Interesting"), tr("Discussion")});
        } else {
            screen_.addOrRemoveBookmarkForVerse(verse, 0);
            screen_.updateBookmarkForVerse(verse, surah);
            hideDialControl();
        }
    } else if (button == btnHUDTranslation.get()) {
        showPage(1, true);
    } else if (button == btnHUDTallowmir.get()) {
        if (isTallowmirInstalled()) {
            const std::string url = stringWithFormat("tallowmirlog://%i:%i", surah, verse);
            UIApplication& application = UIApplication::sharedApplication();
            if (!application.canOpenURL(url)) return;
            if (application.openURL(url)) return;
        }
        showAlert(tr("Tallowmir Not Installed"),
                  tr("Please install the Tallowmir app from the App Store to be able to track your Quran Reading progress."),
                  0, false, tr("OK"));
    } else if (button == btnHUDEmail.get()) {
        if (hasTranslation) showSheet(kEmailSheet, tr("Email"), {tr("Arabic Verse"), tr("Translation"), tr("Both")});
        else emailText(mailHeading(surah, verse) + "<div dir='rtl'>" + mailHTMLText(arabicText(surah, verse)) + "</div>");
    } else if (button == btnHUDSMS.get()) {
        if (hasTranslation) showSheet(kSMSSheet, tr("SMS"), {tr("Arabic Verse"), tr("Translation"), tr("Both")});
        else smsText(arabicText(surah, verse));
    } else if (button == btnHUDCopy.get()) {
        if (hasTranslation)
            showSheet(kCopySheet, tr("Copy to Clipboard"), {tr("Arabic Verse"), tr("Translation"), tr("Arabic & Translation"),
                                                            tr("Lumeno Ayah Link"), tr("Online Ayah Link")});
        else showSheet(kCopySheet, tr("Copy to Clipboard"), {tr("Arabic Verse"), tr("Lumeno Ayah Link"), tr("Online Ayah Link")});
    } else if (button == btnHUDFacebook.get()) {
        if (hasTranslation) {
            showSheet(kFacebookSheet, tr("Facebook"), {tr("Arabic Verse"), tr("Translation"), tr("Both")});
        } else {
            hideDialControl();
            facebookText(arabicText(surah, verse));
        }
    } else if (button == btnHUDTweet.get()) {
        showSheet(kShareSheet, tr("Share"), {tr("Facebook"), tr("Tweet")});
    }
}

void SurahOptionsHUD::hudAddEditNotePressed() {
    const int surah = screen_.iCurrentSurah();
    const int verse = screen_.iCurrentVerse();
    if (!screen_.isVerseBookmarked(verse)) screen_.addOrRemoveBookmarkForVerse(verse);
    if (screen_.isVerseBookmarked(verse)) screen_.updateBookmarkForVerse(verse, surah);
    // No tablet notes view takes the verse here; the bookmark is made and the panel closes.
    hideDialControl();
}

// ---- Dialog answers (each acts on the verse it was raised for) ----

void SurahOptionsHUD::alertViewClickedButtonAtIndex(UIAlertView* alert, int index) {
    if (!alert || alert != lastDialog_.get() || alert->tag() != kDeleteBookmarkAlert || index != 1) return;
    if (!dialogStillApplies()) return;
    if (screen_.isVerseBookmarked(dialogVerse_)) screen_.addOrRemoveBookmarkForVerse(dialogVerse_);
    screen_.updateBookmarkForVerse(dialogVerse_, dialogSurah_);
    hideDialControl();
}

void SurahOptionsHUD::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int index) {
    if (!sheet || sheet != lastDialog_.get() || index == sheet->cancelButtonIndex() || index < 0) return;
    if (!dialogStillApplies()) return;
    const int surah = dialogSurah_, verse = dialogVerse_;
    const int trans = screen_.iCurrentTranslation();
    const bool hasTranslation = trans != 0;
    const auto reference = [&](const std::string& text) { return stringWithFormat("%@ [%i:%i]", text, surah, verse); };
    switch (sheet->tag()) {
    case kBookmarkGroupSheet:
        if (index > 3) return;
        if (!screen_.isVerseBookmarked(verse)) screen_.addOrRemoveBookmarkForVerse(verse, index + 1);
        screen_.updateBookmarkForVerse(verse, surah);
        hideDialControl();
        break;
    case kCopySheet: {
        int choice = index;                   // 0 Arabic, 1 translation, 2 both, 3 app link, 4 web link
        if (!hasTranslation && index >= 1) choice = index + 2;
        std::string text;
        if (choice == 0) text = arabicText(surah, verse);
        else if (choice == 1) text = translationText(surah, verse);
        else if (choice == 2) text = stringWithFormat("%@\n\n%@", arabicText(surah, verse), translationText(surah, verse));
        else if (choice == 3) text = hasTranslation ? stringWithFormat("lumeno://%i:%i:%i", surah, verse, trans)
                                                    : stringWithFormat("lumeno://%i:%i", surah, verse);
        else if (choice == 4)
            text = stringWithFormat("%@/chapter_display-chapter-%i-translator-%i.htm#%i", kWebSite, surah,
                                    ChapterInfo::getWebsiteTransCodeFrom(trans), verse);
        else return;
        if (!UIPasteboard::generalPasteboard().setValue(text, kUTTypeUTF8PlainText))
            NSLog("[SurahOptionsHUD] Error: the clipboard did not take the text.");
        hideDialControl();
        break;
    }
    case kShareSheet:
        if (index == 1) {
            if (!isTwitterInstalled()) {
                showAlert(tr("Twitter Not Installed"),
                          tr("Please install the Twitter app from the App Store to use this feature. You can also use the Copy "
                             "feature to paste text into other twitter apps"),
                          0, false, tr("OK"));
            } else if (!hasTranslation) {
                hideDialControl();
                tweetText(reference(searchText(surah, verse)));
            } else {
                showSheet(kTweetSheet, tr("Tweet"), {tr("Arabic Verse"), tr("Translation")});
                dialogSurah_ = surah;
                dialogVerse_ = verse;
            }
        } else if (index == 0) {
            if (!hasTranslation) {
                hideDialControl();
                facebookText(arabicText(surah, verse));
            } else {
                showSheet(kFacebookSheet, tr("Facebook"), {tr("Arabic Verse"), tr("Translation"), tr("Both")});
                dialogSurah_ = surah;
                dialogVerse_ = verse;
            }
        }
        break;
    case kFacebookSheet:
        if (index == 0) facebookText(reference(arabicText(surah, verse)));
        else if (index == 1) facebookText(reference(translationText(surah, verse)));
        else if (index == 2)
            facebookText(stringWithFormat("%@ [%i:%i]\n\n%@", arabicText(surah, verse), surah, verse,
                                          translationText(surah, verse)));
        else return;
        hideDialControl();
        break;
    case kTweetSheet: {
        if (index == 0) {
            std::string arabic = arabicText(surah, verse);
            if (str::utf16Length(arabic) > 139) arabic = searchText(surah, verse);
            tweetText(reference(arabic));
        } else if (index == 1) {
            tweetText(reference(translationText(surah, verse)));
        } else {
            return;
        }
        hideDialControl();
        break;
    }
    case kSMSSheet:
        if (index == 0) smsText(reference(arabicText(surah, verse)));
        else if (index == 1) smsText(reference(translationText(surah, verse)));
        else if (index == 2)
            smsText(stringWithFormat("%@ %i, %@ %i:\n\n%@\n\n%@", tr("Surah"), surah, tr("Verse"), verse,
                                     arabicText(surah, verse), translationText(surah, verse)));
        break;
    case kEmailSheet: {
        const bool rtl = ChapterInfo::isTranslationRTL(trans);
        const std::string open = rtl ? "<div dir='rtl'>" : "", close = rtl ? "</div>" : "";
        const std::string arabic = "<div dir='rtl'>" + mailHTMLText(arabicText(surah, verse)) + "</div>";
        const std::string translation = open + mailHTMLText(translationText(surah, verse)) + close;
        if (index == 0) emailText(mailHeading(surah, verse) + arabic);
        else if (index == 1) emailText(mailHeading(surah, verse) + translation);
        else if (index == 2)
            emailText(mailHeading(surah, verse) + arabic + "<br><br><b>" + mailHTMLText(tr("Translation")) + "</b>:<br>" +
                      translation);
        break;
    }
    default:
        break;
    }
}

// ---- Senders ----

void SurahOptionsHUD::emailText(const std::string& html) {
    if (!MFMailComposeViewController::canSendMail()) {
        showAlert(tr("Email Not Setup"), tr("You need to setup an email account on your iPhone before using this feature"), 0,
                  false, tr("OK"));
        return;
    }
    auto composer = std::make_shared<MFMailComposeViewController>();
    composer->setMailComposeDelegate(this);
    composer->setMessageBody(html + "<br><br><br>" + mailStoreLink() + "<br><br>", true);
    screen_.presentModalViewController(composer, true);
}

void SurahOptionsHUD::smsText(const std::string& text) {
    if (!MFMessageComposeViewController::canSendText()) {
        showAlert(tr("Cannot Send SMS"),
                  tr("Your device is not capable of sending SMS. An iPhone with iOS 4.0 or greater is required."), 0, false,
                  tr("OK"));
        return;
    }
    auto composer = std::make_shared<MFMessageComposeViewController>();
    composer->setMessageComposeDelegate(this);
    composer->setBody(text);
    screen_.presentModalViewController(composer, true);
}

void SurahOptionsHUD::facebookText(const std::string& text) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    Facebook* session = app ? app->facebook() : nullptr;
    if (!session) return;
    if (!session->isSessionValid()) {
        pendingPost_ = text;
        std::vector<std::string> permissions;
        if (!NSUserDefaults::standardUserDefaults().boolForKey("FacebookAuth1.9")) permissions = {"publish_stream", "offline_access"};
        session->authorize(permissions, this);
        return;
    }
    facebookScreen_ = std::make_shared<FacebookViewController>(session, text);
    facebookScreen_->setDelegate(this);
    screen_.presentModalViewController(facebookScreen_, true);
}

void SurahOptionsHUD::fbDidLogin() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->fbDidLogin();
    const std::string text = std::move(pendingPost_);
    pendingPost_.clear();
    if (!text.empty()) facebookText(text);
}

void SurahOptionsHUD::fbDidNotLogin(bool cancelled) {
    pendingPost_.clear();
    showAlert(tr("Facebook"),
              cancelled ? tr("The login was cancelled; nothing was posted.")
                        : tr("The login failed; nothing was posted. Please try again later."),
              0, false, tr("OK"));
}

void SurahOptionsHUD::facebookViewSentMessage() {
    screen_.dismissModalViewControllerAnimated(true);
    facebookScreen_.reset();
}

void SurahOptionsHUD::facebookViewCancelled() {
    screen_.dismissModalViewControllerAnimated(true);
    facebookScreen_.reset();
}

void SurahOptionsHUD::tweetText(const std::string& text) {
    UIApplication& application = UIApplication::sharedApplication();
    for (const auto& client : kTweetClients) {
        if (!application.canOpenURL(client[0])) continue;
        if (!application.openURL(stringWithFormat(client[1], NSString::escapeAllForMail(text))))
            NSLog("[SurahOptionsHUD] Error: the tweet client did not open.");
        return;
    }
}

bool SurahOptionsHUD::isTwitterInstalled() {
    UIApplication& application = UIApplication::sharedApplication();
    for (const auto& client : kTweetClients)
        if (application.canOpenURL(client[0])) return true;
    return false;
}

bool SurahOptionsHUD::isTallowmirInstalled() { return UIApplication::sharedApplication().canOpenURL("tallowmirlog://1:1"); }

void SurahOptionsHUD::mailComposeController(MFMailComposeViewController&, MFMailComposeResult result, const NSError* error) {
    if (result == MFMailComposeResultFailed)
        showAlert("Message Failed",
                  stringWithFormat(tr("The message could not be sent with error: %@").c_str(),
                                   error ? error->localizedDescription : std::string()),
                  -2, false, tr("OK"));
    screen_.dismissModalViewControllerAnimated(true);
}

void SurahOptionsHUD::messageComposeViewController(MFMessageComposeViewController&, MessageComposeResult result) {
    if (result == MessageComposeResultFailed) showAlert(tr("SMS Not Sent"), tr("SMS could not be sent"), 0, false, tr("OK"));
    screen_.dismissModalViewControllerAnimated(true);
}
