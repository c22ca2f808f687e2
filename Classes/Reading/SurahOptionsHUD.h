#pragma once
// The verse options panel of the reading screen: two pages (ten option buttons; the verse in
// the panel's own translation) sliding up over the tab bar, and the dialogs it raises for
// bookmarking, copying and sharing. Every dialog remembers the chapter and verse it was raised
// for and acts on those, whatever the screen highlights by the time it is answered.

#include "Classes/Social/FacebookViewController.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Classes/Bookmarks/DTNotePadView.h"
#include "Classes/Reading/PickTranslationController.h"
#include "platform/foundation/NSDate.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/NSIndexPath.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UIPageControl.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UITableView.h"

class SurahViewController;
class SurahVerseView;
struct PanelLayout;

class SurahOptionsHUD : public UIAlertViewDelegate,
                        public UIActionSheetDelegate,
                        public MFMailComposeViewControllerDelegate,
                        public MFMessageComposeViewControllerDelegate,
                        public PickTranslationControllerDelegate,
                        public UIScrollViewDelegate,
                        public FacebookViewDelegate,
                        public FBSessionDelegate {
public:
    // Dialog tags.
    enum : int {
        kDeleteBookmarkAlert = 102, kBookmarkGroupSheet = 103, kCopySheet = 104, kFacebookSheet = 105,
        kTweetSheet = 106, kSMSSheet = 107, kEmailSheet = 108, kShareSheet = 109
    };

    explicit SurahOptionsHUD(SurahViewController& screen);  // the screen owns the panel
    ~SurahOptionsHUD() override;

    // ---- Views (made once) ----
    std::shared_ptr<UIView> viewAyahDial, viewHUDTranslation, viewHUDNotesContainer, viewEmptyNotesPlaceholder;
    std::shared_ptr<UIScrollView> viewScrollHUD, scrollHUDTranslation;
    std::shared_ptr<UIImageView> imgHUDBG, imgHUDBGPage1, imgHUDNotesBG, imgDownArrowHUDTrans;
    std::shared_ptr<UIPageControl> pgHUDCtl;
    std::shared_ptr<UIButton> btnHUDMatches, btnHUDNote, btnHUDBookmark, btnHUDTranslation, btnHUDEmail, btnHUDSMS,
        btnHUDCopy, btnHUDTweet, btnHUDTallowmir, btnHUDFacebook, btnHUDCancel, btnHUDCancel1,
        btnHUDTranslationSwitcher, btnHUDNotesAddEdit;
    std::shared_ptr<UILabel> txtHUDTranslation, lblHUDEmptyNotesPlaceHolder;
    std::shared_ptr<DTNotePadView> txtHUDNotesPreview;

    // ---- Opening, closing, layout ----
    void showDialControlForVerseCell(SurahVerseView* row, UITableView* table, int verse, int surah);
    void hideDialControl();
    void dialCancelledPressed() { hideDialControl(); }
    void setupAyahHUD(UITableView* table);
    void refreshHUDButtons();
    void prepareAyahHUDForPortrait();
    void prepareAyahHUDForLandscape();
    void updateHUDTranslationLabel();
    void ayahHudButtonPressed(UIButton* button);
    void pageHUDTapped();
    void hudAddEditNotePressed();
    void scrollViewDidScroll(UIScrollView* scrollView) override;
    void scrollViewDidEndDecelerating(UIScrollView* scrollView) override;

    // ---- The panel's translation picker ----
    void showTranslationPicker();
    void hideTranslationPicker();
    void translationPickerPicked(int translation) override;
    void translationPickerCancelled() override { hideTranslationPicker(); }
    PickTranslationController* pickTranslationView() const { return pickTranslationView_.get(); }

    // ---- Dialog answers and senders ----
    void alertViewClickedButtonAtIndex(UIAlertView* alert, int index) override;
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int index) override;
    void emailText(const std::string& text);
    void smsText(const std::string& text);
    // Opens the post screen with the text; without a valid session it logs in first.
    void facebookText(const std::string& text);
    void facebookViewSentMessage() override;
    void facebookViewCancelled() override;
    void fbDidLogin() override;
    void fbDidNotLogin(bool cancelled) override;
    FacebookViewController* facebookScreen() const { return facebookScreen_.get(); }
    void tweetText(const std::string& text);
    static bool isTwitterInstalled();
    static bool isTallowmirInstalled();
    void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                               const NSError* error) override;
    void messageComposeViewController(MFMessageComposeViewController& controller, MessageComposeResult result) override;
    static std::string urlencode(const std::string& text);

    // ---- State ----
    bool showingDialControl() const { return showingDialControl_; }
    int currentHUDPage() const { return currentHUDPage_; }
    const std::optional<NSIndexPath>& mouseLocation() const { return mouseLocation_; }
    void setMouseLocation(std::optional<NSIndexPath> path) { mouseLocation_ = path; }
    CGRect verseHUDPoint() const { return verseHUDPoint_; }
    // The dialog shown last (alert or sheet), while it may still be answered.
    UIDialogView* lastDialog() const { return lastDialog_.get(); }

private:
    void buildViews();
    void setButtonStates(UITableView* table);
    void showPage(int page, bool animated);
    void applyLayout(const PanelLayout& layout);
    void showSheet(int tag, const std::string& title, const std::vector<std::string>& choices);
    void showAlert(const std::string& title, const std::string& message, int tag = 0, bool withDelegate = false,
                   const std::string& cancel = "OK", const std::vector<std::string>& others = {});
    // Texts of the verse a dialog acts on.
    std::string arabicText(int surah, int verse) const;
    std::string searchText(int surah, int verse) const;
    std::string translationText(int surah, int verse) const;
    std::string mailHeading(int surah, int verse) const;
    bool dialogStillApplies() const;

    SurahViewController& screen_;
    bool showingDialControl_ = false;
    bool hasSetupAyahHUD_ = false;
    int currentHUDPage_ = 0;
    std::optional<NSIndexPath> mouseLocation_;
    CGRect verseHUDPoint_{};
    CGPoint currTblOffset_{};
    int extraTblOffset_ = 0;
    std::shared_ptr<PickTranslationController> pickTranslationView_;
    std::shared_ptr<UIDialogView> lastDialog_;
    int dialogSurah_ = 0, dialogVerse_ = 0;
    std::shared_ptr<FacebookViewController> facebookScreen_;
    std::string pendingPost_;  // posted once the login started for it succeeds
};
