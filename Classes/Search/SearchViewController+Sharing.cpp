// Sharing hits by mail and text message, and marking the shown search's hits from its sheet.
#include "Classes/Search/SearchViewController.h"

#include "Classes/App/TabBarViewController.h"
#include "Classes/Bookmarks/MailHTML.h"
#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SavedSearchStore.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/net/NSError.h"

namespace {

using screen_support::contentDb;
using screen_support::tr;
using screen_support::userDb;

constexpr int kMoreSheetTag = 2;
constexpr int kHitSheetTag = 3;

int currentTranslation() {
    return static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
}

std::string shownNumber(int n) {
    std::string text = stringWithFormat("%i", n);
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(text) : text;
}

void showSheet(UIActionSheet& sheet, UIView* fallback) {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->tabBarController()) sheet.showFromTabBar(app->tabBarController()->tabBar());
    else sheet.showInView(fallback);
}

}  // namespace

void SearchViewController::showAlert(const std::string& title, const std::string& message) {
    lastAlert_ = std::make_shared<UIAlertView>(title, message, nullptr, tr("OK"), std::vector<std::string>{});
    lastAlert_->show();
}

std::string SearchViewController::htmlForVerse(int surah, int verse) {
    std::string html = stringWithFormat("<b>%@ %i, %@ %i</b>:<br>", mailHTMLText(tr("Surah")), surah,
                                        mailHTMLText(tr("Verse")), verse);
    html += "<div dir='rtl'>" + mailHTMLText(ChapterInfo::getArabicVerseFor(contentDb(), surah, verse)) + "</div><br>";
    const int t = currentTranslation();
    if (t != 0) {
        const std::string text = mailHTMLText(ChapterInfo::getTranslationFor(contentDb(), t, surah, verse));
        html += ChapterInfo::isTranslationRTL(t)
                    ? "<b>" + mailHTMLText(tr("Translation")) + "</b>:<div dir='rtl'>" + text + "</div><br><br>"
                    : "<b>" + mailHTMLText(tr("Translation")) + "</b>:<br>" + text + "<br><br>";
    }
    return html;
}

std::string SearchViewController::textForVerse(int surah, int verse) {
    const std::string arabic = ChapterInfo::getArabicVerseFor(contentDb(), surah, verse);
    const int t = currentTranslation();
    if (t == 0) return stringWithFormat("%@ %i, %@ %i:\n\n%@", tr("Surah"), surah, tr("Verse"), verse, arabic);
    return stringWithFormat("%@ %i, %@ %i:\n\n%@\n\n%@", tr("Surah"), surah, tr("Verse"), verse, arabic,
                            ChapterInfo::getTranslationFor(contentDb(), t, surah, verse));
}

std::string SearchViewController::htmlForAllResults() const {
    std::string html = mailHTMLText(tr("I would like to share the following Qur'anic verses with you")) + ":<br><br>";
    for (const auto& section : arrSectionedResults_)
        for (const auto& hit : section->AllResults()) html += htmlForVerse(hit->surah(), hit->verse()) + "<br><hr><br>";
    return html;
}

void SearchViewController::tapAndHoldRow(SearchViewCell* cell) {
    removeCurrentSelection();
    if (!cell || !tblSearchResults) return;
    selectedCell_ = tblSearchResults->indexPathForCell(cell);
    auto hit = selectedCell_ ? resultAt(*selectedCell_) : nullptr;
    if (!hit || hit->IsSurahSection()) {
        selectedCell_.reset();
        return;
    }
    tblSearchResults->selectRowAtIndexPath(*selectedCell_, false, UITableViewScrollPositionNone);
    currTblOffset_ = tblSearchResults->contentOffset();
    const std::string title = LumenoSDKAppDelegate::IsLanguageArabic()
                                  ? stringWithFormat("%@ %@, %@ %@", tr("Sura"), shownNumber(hit->surah()), tr("Aya"),
                                                     shownNumber(hit->verse()))
                                  : stringWithFormat("%@ %i, %@ %i", tr("Sura"), hit->surah(), tr("Aya"), hit->verse());
    actionSheet_ = std::make_shared<UIActionSheet>(title, this, tr("Cancel"), "",
                                                   std::vector<std::string>{tr("Email"), tr("SMS")});
    actionSheet_->setTag(kHitSheetTag);
    actionSheet_->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    showSheet(*actionSheet_, view());
}

void SearchViewController::removeCurrentSelection() {
    if (selectedCell_ && tblSearchResults) tblSearchResults->deselectRowAtIndexPath(*selectedCell_, true);
    selectedCell_.reset();
    if (txtSearchBar && txtSearchBar->isFirstResponder()) txtSearchBar->resignFirstResponder();
}

void SearchViewController::btnMorePressed() {
    auto current = getCurrentSavedSearch();
    const char* mark = current && current->isReflectedInSurah() ? "Unhighlight Results" : "Highlight Results";
    actionSheet_ = std::make_shared<UIActionSheet>("", this, tr("Cancel"), "",
                                                   std::vector<std::string>{tr("Email Results"), tr(mark)});
    actionSheet_->setTag(kMoreSheetTag);
    actionSheet_->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    showSheet(*actionSheet_, view());
}

void SearchViewController::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
    if (!sheet) return;
    if (sheet->tag() == kHitSheetTag) {
        auto* cell = selectedCell_ && tblSearchResults ? tblSearchResults->cellForRowAtIndexPath(*selectedCell_) : nullptr;
        auto hit = cell ? resultAt(*selectedCell_) : nullptr;
        if (hit && buttonIndex == 0) emailText(htmlForVerse(hit->surah(), hit->verse()));
        else if (hit && buttonIndex == 1) smsText(textForVerse(hit->surah(), hit->verse()));
        removeCurrentSelection();
        return;
    }
    if (sheet->tag() != kMoreSheetTag) return;
    if (buttonIndex == 0) {
        emailText(htmlForAllResults());
    } else if (buttonIndex == 1) {
        if (!toggleMarkingOfCurrentSearch()) NSLog("[SearchViewController] The shown search's hits were not (un)marked.");
    }
}

bool SearchViewController::toggleMarkingOfCurrentSearch() {
    auto current = getCurrentSavedSearch();
    if (!current) return false;
    return SavedSearchStore::reflectSearchedVerses(userDb(), contentDb(), *current, !current->isReflectedInSurah());
}

void SearchViewController::emailText(const std::string& html) {
    if (!MFMailComposeViewController::canSendMail()) {
        showAlert(tr("Email Not Setup"), tr("You need to setup an email account on your iPhone before using this feature"));
        return;
    }
    auto composer = std::make_shared<MFMailComposeViewController>();
    composer->setMailComposeDelegate(this);
    composer->setMessageBody(html + "<br><br><br>" + mailStoreLink() + "<br><br>", true);
    presentModalViewController(composer, true);
}

void SearchViewController::smsText(const std::string& text) {
    if (!MFMessageComposeViewController::canSendText()) {
        showAlert(tr("Cannot Send SMS"),
                  tr("Your device is not capable of sending SMS. An iPhone with iOS 4.0 or greater is required."));
        return;
    }
    auto composer = std::make_shared<MFMessageComposeViewController>();
    composer->setMessageComposeDelegate(this);
    composer->setBody(text);
    presentModalViewController(composer, true);
}

void SearchViewController::mailComposeController(MFMailComposeViewController&, MFMailComposeResult result,
                                                 const NSError* error) {
    if (result == MFMailComposeResultFailed) {
        showAlert("Message Failed", stringWithFormat("The message could not be sent with error: %@",
                                                     error ? error->localizedDescription : std::string()));
        lastAlert_->setTag(-2);
    }
    dismissModalViewControllerAnimated(true);
}

void SearchViewController::messageComposeViewController(MFMessageComposeViewController&, MessageComposeResult result) {
    if (result == MessageComposeResultFailed) {
        showAlert(tr("SMS Not Sent"), tr("SMS could not be sent"));
    }
    dismissModalViewControllerAnimated(true);
}
