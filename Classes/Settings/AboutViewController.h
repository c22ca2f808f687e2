#pragma once
// The About screen, presented by the More menu: version and build, credits with two logo
// buttons, and links to the makers' pages. The addresses are settings ("AboutMakerSite",
// "AboutCreditSite", "AboutCreditMail", registered with our own pages in the bundle); a link
// cleared by the user does nothing. Web pages open in the in-app web page screen, presented
// modally; the mail link goes to the desktop. Built from the interface "AboutView".

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIViewController.h"

class AboutViewController : public UIViewController, public UIActionSheetDelegate {
public:
    explicit AboutViewController(const std::string& nibName = "AboutView");
    ~AboutViewController() override;

    // Registers "AboutView" and its factory maker.
    static void registerInterface();

    // ---- Outlets, wired by the "AboutView" builder ----
    std::shared_ptr<UILabel> lblVersion;
    std::shared_ptr<UIImageView> imgBG;
    std::shared_ptr<UILabel> lblDevelopedBy, lblAnalysis, lblAbout, lblBack;
    std::shared_ptr<UIButton> btnDeveloped, btnCorvel, btnBack;
    // The makers' questions and answers (makersPressed).
    std::shared_ptr<UIButton> btnMakers;
    // Where the recitations come from: synthetic speech.
    std::shared_ptr<UILabel> lblRecitations;

    void wendropLogoPressed();
    void makersPressed();
    void corvelLogoPressed();
    void cancelPressed();
    void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    // "Lumeno III v<version> (Build <build>)".
    static std::string versionText();
    UIActionSheet* creditSheet() const { return sheet_.get(); }

private:
    std::shared_ptr<UIActionSheet> sheet_;
};
