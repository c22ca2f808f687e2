// The own link scheme, the review prompt, the gapless-upgrade offer, the recommendation mail
// and the answers to the delegate's alerts and action sheets (told apart by their tags).

#include "social/Facebook.h"
#include "Classes/App/LumenoAppShell.h"

#include <charconv>
#include <cstdlib>
#include <optional>

#include "Classes/App/ShellScreens.h"
#include "Classes/App/TabBarViewController.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/NSString+More.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"

namespace {

constexpr int kTagReviewPrompt = -10;
constexpr int kTagFridayReminder = 1;
constexpr int kTagGaplessUpgrade = 10908;
constexpr int kTagCancelDownload = 191919;
constexpr size_t kMaxLinkLength = 2000;

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

std::string tr(const std::string& key) { return Language::get(key, key); }

// A whole decimal number and nothing else.
std::optional<int> strictInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

void showAlert(const std::string& title, const std::string& message, UIAlertViewDelegate* delegate) {
    auto alert = std::make_shared<UIAlertView>(tr(title), tr(message), delegate, tr("OK"), std::vector<std::string>{});
    alert->show();
}

}  // namespace

std::string LumenoAppShell::reviewPageAddress() {
    if (auto stored = defaults().stringForKey("ReviewPageURL"); stored && !stored->empty()) return *stored;
    const char* env = std::getenv("LUMENO_REVIEW_URL");
    return env ? env : "";
}

void LumenoAppShell::remindKahf() { RemindAlKahfNow(); }

bool LumenoAppShell::handleOpenURL(const std::string& url) {
    if (url.empty()) return false;
    if (str::utf16Length(url) > kMaxLinkLength) {
        NSLog("The link %@ was ignored: it is longer than %i characters", str::quoteForMessage(url),
              static_cast<int>(kMaxLinkLength));
        return false;
    }
    const std::vector<std::string> pieces = NSString::explode(url, "//");
    // The scheme is case-insensitive.
    if ((pieces.size() == 2 || pieces.size() == 3) && str::hasPrefixIgnoringASCIICase(url, "lumeno://")) {
        const std::vector<std::string> fields = NSString::explode(pieces.back(), ":");
        bool opened = false;
        if (fields.size() == 2 || fields.size() == 3) {
            // The link comes from outside: only a real chapter and verse open (a translation
            // in the third field is ignored).
            std::optional<int> surah = strictInt(fields[0]);
            std::optional<int> verse = strictInt(fields[1]);
            opened = surah && verse && *surah >= 1 && *surah <= 114 && *verse >= -1 &&
                     *verse <= ChapterInfo::getVersesFromNumber(*surah);
            if (opened) showSurahView(*surah, *verse, false, false);
        }
        if (!opened) NSLog("The link %@ was ignored: it names no chapter and verse", str::quoteForMessage(url));
        return true;
    }
    // Another scheme: the social network session's answer (its login callback).
    return facebook_ ? facebook_->handleOpenURL(url) : false;
}

void LumenoAppShell::showNagScreen() {
    if (!defaults().dateForKey("AppInstallDate")) {
        defaults().setDate(NSDate::date(), "AppInstallDate");
        defaults().synchronize();
    }
    auto installed = defaults().dateForKey("AppInstallDate");
    if (defaults().boolForKey("DontNagMe") || !installed || NSDate::date().timeIntervalSinceDate(*installed) < 172800) return;
    if (!tabBarController_) return;
    auto sheet = std::make_shared<UIActionSheet>(
        tr("Review Lumeno\n\nWe hope you are enjoying Lumeno. Please kindly take a moment out to rate Lumeno on the app "
           "store. Your positive feedback encourages us in coming out with frequent free updates."),
        this, "", "", std::vector<std::string>{tr("Review Now"), tr("Tell a Friend"), tr("Later"), tr("No, Thanks")});
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->setTag(kTagReviewPrompt);
    sheet->showFromTabBar(tabBarController_->tabBar());
}

void LumenoAppShell::showSlicedWarning() {
    auto alert = std::make_shared<UIAlertView>(
        "",
        tr("An upgrade to gapless (continuous) playback for some reciters has been detected. This will require "
           "re-downloading audio data for all surahs. Would you like to do this now?"),
        this, tr("No"), std::vector<std::string>{tr("Yes")});
    alert->setTag(kTagGaplessUpgrade);
    alert->show();
}

void LumenoAppShell::tellAFriend() {
    if (!MFMailComposeViewController::canSendMail()) {
        showAlert("Email Not Setup", "You need to setup an email account on your iPhone before using this feature", this);
        return;
    }
    const std::string page = str::xmlEscape(reviewPageAddress());
    std::string body = tr("Assalamualaikum,<br><br>I'm really enjoying using Lumeno, thought you might like it "
                          "too:<br><br>Lumeno on the App Store: ");
    if (!page.empty()) body += stringWithFormat("<a href=\"%@\">%@</a>", page, page);
    body += tr("<br><br>salam,<br>");
    mailComposer_ = std::make_shared<MFMailComposeViewController>();
    mailComposer_->setMailComposeDelegate(this);
    mailComposer_->setSubject(tr("Check out this app"));
    mailComposer_->setMessageBody(body, true);
    UIViewController* presenter = dynamic_cast<UIViewController*>(getIndexViewController());
    if (!presenter) presenter = tabBarController_.get();
    if (presenter) presenter->presentModalViewController(mailComposer_, true);
}

void LumenoAppShell::mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                                           const NSError*) {
    if (result == MFMailComposeResultFailed) showAlert("Mail Not Sent", "Email could not be sent", nullptr);
    controller.dismissModalViewControllerAnimated(true);
}

Facebook* LumenoAppShell::facebook() {
    if (!facebook_) facebook_ = std::make_unique<Facebook>(FBEndpoints::appIdFromDefaults(), FBEndpoints::fromDefaults());
    return facebook_.get();
}

void LumenoAppShell::fbDidLogin() {
    defaults().setBool(true, "FacebookAuth1.9");
    defaults().synchronize();
}

void LumenoAppShell::alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) {
    if (!alert) return;
    if (alert->tag() == kTagGaplessUpgrade) {
        if (buttonIndex != 1) return;
        upgradeToGaplessRequested();
        NSNotificationCenter::defaultCenter().postNotificationName("ReciterDidChange");
        alert->dismissWithClickedButtonIndex(0, false);
        showIndexViewAndBeginDownloading();
        return;
    }
    // The Friday reminder's "Yes".
    if (buttonIndex == 1) showSurahView(18, 1, false, false);
}

void LumenoAppShell::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
    if (!sheet) return;
    const long tag = sheet->tag();
    if (tag == kTagReviewPrompt) {
        switch (buttonIndex) {
        case 0: {
            defaults().setBool(true, "DontNagMe");
            defaults().synchronize();
            const std::string page = reviewPageAddress();
            if (!page.empty()) UIApplication::sharedApplication().openURL(page);
            break;
        }
        case 1: tellAFriend(); break;
        case 2:
            defaults().setDate(NSDate::date(), "AppInstallDate");
            defaults().synchronize();
            break;
        case 3:
            defaults().setBool(true, "DontNagMe");
            defaults().synchronize();
            break;
        default: break;
        }
        return;
    }
    if (tag == kTagCancelDownload) {
        if (buttonIndex != 0) return;
        cancelDownload();  // gives back the sleep hold and the network indicator itself
        requestDownloadSurahAudioAlert(nextDownloadSurah_);
        return;
    }
    if (sheet == downloadServerActionSheet_.get()) {
        downloadServer_ = buttonIndex >= 0 && buttonIndex <= 5 ? buttonIndex + 1 : -1;
        downloadServerActionSheet_.reset();
        if (buttonIndex < 0 || buttonIndex > 6) return;  // "Cancel"
        if (tag == -1) downloadAllSurahAudio();
        else downloadSurahAudioAlert(static_cast<int>(tag));
        return;
    }
    if (tag >= 1 && tag <= 114) return;
    if (tag >= 115 && tag <= 1114) {
        if (buttonIndex == 0) requestDownloadServerSelection(static_cast<int>(tag) - 1000);
        else if (buttonIndex == 1) requestDownloadServerSelection(-1);
        return;
    }
    // "OK" on a failure notice ends the failed download as its timer would have.
    if (sheet == failedDownloadActionSheet_.get()) endFailedDownload();
}
