#pragma once
// The note editor of one bookmarked verse: the verse at the top, its note on ruled paper
// below; Done stores the note, More deletes or mails it. Built from the interface
// "AddNoteView". It updates the note of an existing bookmark row, or, for a verse opened
// without one, writes the bookmark together with its note when the note is saved.

#include <memory>
#include <optional>
#include <string>

#include "Classes/Bookmarks/DTNotePadView.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"

class AddBookmarkNote : public UIViewController,
                        public DTNotePadViewDelegate,
                        public UIActionSheetDelegate,
                        public UIAlertViewDelegate,
                        public MFMailComposeViewControllerDelegate {
public:
    AddBookmarkNote(const std::string& nibName, int surah, int verse);
    ~AddBookmarkNote() override;
    static void registerInterface();

    // Outlets, wired by the "AddNoteView" builder.
    std::shared_ptr<UILabel> lblTitle, lblArabicAyah, lblVerseNumber;
    std::shared_ptr<UIImageView> imgBG, imgTopHeader, imgFade, imgAyahImg, imgAyahShadow;
    std::shared_ptr<UIScrollView> scrollAyahContainer;
    std::shared_ptr<UIButton> btnAyah, btnDone, btnMore;
    std::shared_ptr<DTNotePadView> txtView;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }
    void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation o, double duration) override;
    void didRotateFromInterfaceOrientation(UIInterfaceOrientation) override { resizeVerse(); }
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;

    void donePressed();
    void morePressed();
    void deletePressed();
    void mailPressed();
    void resizeVerse();
    void keyboardWillShow();
    void keyboardWillHide();

    void notePadViewDidChange(DTNotePadView*) override { bookmarkChanged_ = true; }
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int index) override;
    void alertViewClickedButtonAtIndex(UIAlertView* alert, int index) override;
    void mailComposeController(MFMailComposeViewController& controller, MFMailComposeResult result,
                               const NSError* error) override;

    // The HTML body of the note's mail (every inserted text escaped).
    std::string mailBody() const;

    // The verse has no bookmark yet: the first successful save adds one in this group.
    void setBookmarkOnSave(int group) { bookmarkOnSave_ = group; }

    int surah() const { return surah_; }
    int verse() const { return verse_; }
    bool isKeyboardShowing() const { return isKeyboardShowing_; }
    bool bookmarkChanged() const { return bookmarkChanged_; }
    UIActionSheet* moreSheet() const { return moreSheet_.get(); }
    UIAlertView* lastAlert() const { return lastAlert_.get(); }
    // Done was pressed while another program holds the database: the note waits to be stored.
    bool isWaitingToSave() const { return waitingToSave_; }

private:
    void endEditing();
    void waitForStore(bool waiting);
    void noteStored(bool addedBookmark);
    void noteNotStored();
    int surah_, verse_;
    bool isKeyboardShowing_ = false;
    bool bookmarkChanged_ = false;
    std::optional<int> bookmarkOnSave_;
    std::shared_ptr<UIActionSheet> moreSheet_;
    std::shared_ptr<UIAlertView> lastAlert_;
    bool waitingToSave_ = false;
};
