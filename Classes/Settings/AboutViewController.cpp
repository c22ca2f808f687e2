#include "Classes/Settings/AboutViewController.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/Language.h"
#include "Classes/Reference/SitePages.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"

#ifndef LUMENO_VERSION
#define LUMENO_VERSION "0"
#endif
#ifndef LUMENO_BUILD
#define LUMENO_BUILD "0"
#endif

namespace {

std::string tr(const char* text) { return Language::get(text, text); }

UIImagePtr stretched(const char* name, int leftCap = 159) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

std::shared_ptr<UILabel> label(CGRect frame, double size, bool bold, UIColorPtr color) {
    auto l = std::make_shared<UILabel>(frame);
    l->setFont(UIFont::fontWithName(bold ? "Helvetica-Bold" : "Helvetica", size));
    l->setTextColor(std::move(color));
    l->setBackgroundColor(UIColor::clearColor());
    l->setTextAlignment(UITextAlignmentCenter);
    l->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    return l;
}

std::shared_ptr<UIButton> creditButton(AboutViewController& c, double y, const char* title, void (AboutViewController::*action)()) {
    auto b = std::make_shared<UIButton>(CGRectMake(0, y, 320, 60));
    b->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    b->setTitle(title, UIControlStateNormal);
    b->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    b->setTitleColor(UIColor::colorWithRed(0.33, 0.24, 0.10, 1), UIControlStateNormal);
    b->setTitleColor(UIColor::colorWithRed(0.95, 0.86, 0.62, 1), UIControlStateHighlighted);
    b->addTarget(&c, [&c, action](UIControl*, UIEvent*) { (c.*action)(); }, UIControlEventTouchUpInside);
    return b;
}

std::shared_ptr<UIView> buildAboutView(AboutViewController& c) {
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    frame.origin = CGPointMake(0, 0);
    const double w = frame.size.width, h = frame.size.height;
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));
    c.imgBG = std::make_shared<UIImageView>(CGRectMake(0, 0, w, h));
    c.imgBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(c.imgBG);

    const auto ink = UIColor::colorWithRed(0.33, 0.24, 0.10, 1);
    const auto sepia = UIColor::colorWithRed(0.45, 0.37, 0.25, 1);
    c.lblAbout = label(CGRectMake(80, 0, w - 160, 44), 18, true, ink);
    root->addSubview(c.lblAbout);
    c.btnBack = std::make_shared<UIButton>(CGRectMake(6, 7, 60, 30));
    c.btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnBack->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnBack->addTarget(&c, [&c](UIControl*, UIEvent*) { c.cancelPressed(); }, UIControlEventTouchUpInside);
    root->addSubview(c.btnBack);
    // The back button's caption for screen readers and the tests; the button draws its own title.
    c.lblBack = label(CGRectMake(6, 7, 60, 30), 12, true, UIColor::whiteColor());
    c.lblBack->setHidden(true);
    root->addSubview(c.lblBack);

    c.lblVersion = label(CGRectMake(10, 70, w - 20, 24), 14, true, ink);
    root->addSubview(c.lblVersion);
    c.lblDevelopedBy = label(CGRectMake(10, 130, w - 20, 20), 13, false, sepia);
    root->addSubview(c.lblDevelopedBy);
    c.btnDeveloped = creditButton(c, 152, "Lumeno", &AboutViewController::wendropLogoPressed);
    root->addSubview(c.btnDeveloped);
    c.btnMakers = std::make_shared<UIButton>(CGRectMake(60, 216, w - 120, 30));
    c.btnMakers->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.btnMakers->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    c.btnMakers->setTitleColor(UIColor::colorWithRed(0.10, 0.30, 0.55, 1), UIControlStateNormal);
    c.btnMakers->setTitleColor(UIColor::colorWithRed(0.45, 0.37, 0.25, 1), UIControlStateHighlighted);
    c.btnMakers->addTarget(&c, [&c](UIControl*, UIEvent*) { c.makersPressed(); }, UIControlEventTouchUpInside);
    root->addSubview(c.btnMakers);
    c.lblAnalysis = label(CGRectMake(10, 256, w - 20, 20), 13, false, sepia);
    root->addSubview(c.lblAnalysis);
    c.btnCorvel = creditButton(c, 278, "Lumeno Design", &AboutViewController::corvelLogoPressed);
    root->addSubview(c.btnCorvel);
    c.lblRecitations = label(CGRectMake(10, 356, w - 20, 40), 12, false, sepia);
    c.lblRecitations->setNumberOfLines(2);
    root->addSubview(c.lblRecitations);
    return root;
}

}  // namespace

AboutViewController::AboutViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
    setContentSizeForViewInPopover(CGSizeMake(320, 476));
}

AboutViewController::~AboutViewController() {
    if (sheet_) sheet_->setDelegate(nullptr);
}

void AboutViewController::registerInterface() {
    if (!UIViewController::hasInterface("AboutView"))
        UIViewController::registerInterface("AboutView", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* about = dynamic_cast<AboutViewController*>(&owner);
            return about ? buildAboutView(*about) : nullptr;
        });
    ShellScreenFactory::setMaker("AboutView", [] { return std::make_shared<AboutViewController>(); });
}

std::string AboutViewController::versionText() {
    return stringWithFormat("Lumeno III v%@ (Build %@)", LUMENO_VERSION, LUMENO_BUILD);
}

void AboutViewController::viewDidLoad() {
    if (imgBG) imgBG->setImage(stretched("about-bg.png"));
    if (lblDevelopedBy) lblDevelopedBy->setText(tr("Developed by"));
    if (lblAnalysis) lblAnalysis->setText(tr("Analysis and Interface"));
    if (lblRecitations) lblRecitations->setText(tr("Recitations: synthetic speech (espeak-ng), not recordings of the reciters"));
    if (lblVersion) {
        lblVersion->setText(versionText());
        lblVersion->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    }
    if (btnBack) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnBack->setTitle(tr("Back"), state);
        btnBack->setBackgroundImage(stretched("black-button.png", 16), UIControlStateNormal);
        btnBack->setBackgroundImage(stretched("black-button-t.png", 16), UIControlStateHighlighted);
    }
    if (lblBack) lblBack->setText(tr("Back"));
    if (lblAbout) lblAbout->setText(tr("About"));
    if (btnDeveloped) {
        btnDeveloped->setBackgroundImage(stretched("about-wendrop.png"), UIControlStateNormal);
        btnDeveloped->setBackgroundImage(stretched("about-wendrop-t.png"), UIControlStateHighlighted);
    }
    if (btnMakers)
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnMakers->setTitle(tr("Questions and Answers"), state);
    if (btnCorvel) {
        btnCorvel->setBackgroundImage(stretched("about-corvel.png"), UIControlStateNormal);
        btnCorvel->setBackgroundImage(stretched("about-corvel-t.png"), UIControlStateHighlighted);
    }
}

void AboutViewController::viewDidAppear(bool) {
    UIApplication::sharedApplication().setStatusBarStyle(UIStatusBarStyleBlackOpaque, false);
}

void AboutViewController::wendropLogoPressed() { presentSitePage(*this, "AboutMakerSite", "/mobile/iphone"); }

void AboutViewController::makersPressed() { presentSitePage(*this, "AboutMakerSite", "/kb"); }

void AboutViewController::corvelLogoPressed() {
    sheet_ = std::make_shared<UIActionSheet>("", this, tr("Cancel"), "",
                                             std::vector<std::string>{tr("Site"), tr("Blog"), tr("Contact")});
    sheet_->setActionSheetStyle(UIActionSheetStyleBlackOpaque);
    sheet_->showInView(view());
}

void AboutViewController::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
    if (!sheet || buttonIndex == sheet->cancelButtonIndex()) return;
    switch (buttonIndex - sheet->firstOtherButtonIndex()) {
        case 0: presentSitePage(*this, "AboutCreditSite", ""); break;
        case 1: presentSitePage(*this, "AboutCreditSite", "/wp"); break;
        case 2: {
            const std::string mail = NSUserDefaults::standardUserDefaults().stringForKey("AboutCreditMail").value_or("");
            if (!mail.empty()) UIApplication::sharedApplication().openURL("mailto:" + mail);
            break;
        }
        default: break;
    }
}

void AboutViewController::cancelPressed() { dismissModalViewControllerAnimated(true); }
