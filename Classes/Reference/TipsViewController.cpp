#include "Classes/Reference/TipsViewController.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIImageView.h"

namespace {

constexpr const char* kShowPage2 = "showPage2";

// The four audio status icons of the chapter index with their captions.
struct AudioCaption {
    const char* image;
    const char* key;
};
constexpr AudioCaption kAudioCaptions[4] = {
    {"sound-dead.png", "Recitation for this chapter has not been downloaded"},
    {"sound-multi.png", "Recitation is available for reciters other than the currently selected one"},
    {"sound-ready.png", "Recitation is available for the currently selected reciter only"},
    {"sound-ready-plus.png", "Recitation is available for the current reciter as well as others"},
};

}  // namespace

TipsViewController::TipsViewController(const std::string& nibName) : NoticePager(nibName) { registerInterface(); }

void TipsViewController::registerInterface() {
    if (UIViewController::hasInterface("TipsViewController")) return;
    UIViewController::registerInterface("TipsViewController", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* tips = dynamic_cast<TipsViewController*>(&owner);
        return tips ? buildFrame(*tips) : nullptr;
    });
}

void TipsViewController::viewDidLoad() {
    setupForiPhone();
}

void TipsViewController::setupForiPhone() {
    const double w = kPageWidth;
    viewWelcome = addPage(0);
    lblWelcomeTop = pageLabel(*viewWelcome, CGRectMake(20, 60, w - 40, 60), "Welcome To the All New", 22);
    lblWelcomeTop->setFont(UIFont::fontWithName("Helvetica-Bold", 22));
    auto name = pageLabel(*viewWelcome, CGRectMake(20, 120, w - 40, 50), "Lumeno", 36);
    name->setFont(UIFont::fontWithName("Helvetica-Bold", 36));
    name->setTextColor(UIColor::colorWithRed(0.55, 0.38, 0.10, 1));
    lblWelcomeMid = pageLabel(*viewWelcome, CGRectMake(30, 200, w - 60, 90),
                              "The following tips should get you started using Lumeno", 17);
    lblWelcomeEnd = pageLabel(*viewWelcome, CGRectMake(30, 350, w - 60, 40), "Please swipe to the next page", 14);

    // The one-text pages in scroll order; page 5 (the audio icons) stands at 7.
    const struct {
        int position;
        std::shared_ptr<UIView> TipsViewController::*page;
        std::shared_ptr<UILabel> TipsViewController::*label;
        const char* key;
    } textPages[] = {
        {1, &TipsViewController::viewPage6, &TipsViewController::lblPage6, "TIP6"},
        {2, &TipsViewController::viewPage7, &TipsViewController::lblPage7_1, "TIP7"},
        {3, &TipsViewController::viewPage1, &TipsViewController::lblPage1,
         "Left column of screen has two functions: Tap once to advance to next verse. Tap and drag finger to quickly "
         "jump to a particular verse."},
        {4, &TipsViewController::viewPage2, &TipsViewController::lblPage2,
         "Tap and hold finger on any verse to display the Ayah Options Sheet. From it you can bookmark, share or copy."},
        {5, &TipsViewController::viewPage3, &TipsViewController::lblPage3,
         "Use the Ayah Options Sheet to read a differently selected translation for a verse. Use this when comparing "
         "translations or if translations under verses are OFF."},
        {6, &TipsViewController::viewPage4, &TipsViewController::lblPage4,
         "Tap on the surah name to reveal the Surah Info view. Find out historical information for a surah such as "
         "its chronological revelation order."},
        {8, &TipsViewController::viewPage8, &TipsViewController::lblPage8, "TIP8"},
    };
    for (const auto& text : textPages) {
        this->*text.page = addPage(text.position);
        this->*text.label = pageLabel(*(this->*text.page), CGRectMake(24, 40, w - 48, 300), text.key, 17);
    }
    viewPage5 = addPage(7);
    std::shared_ptr<UILabel>* captions[4] = {&lblPage5_1, &lblPage5_2, &lblPage5_3, &lblPage5_4};
    for (int i = 0; i < 4; ++i) {
        const double y = 40 + i * 90;
        auto icon = std::make_shared<UIImageView>(CGRectMake(20, y + 14, 32, 32));
        icon->setContentMode(UIViewContentModeCenter);
        icon->setImage(UIImage::imageNamed(kAudioCaptions[i].image));
        viewPage5->addSubview(icon);
        *captions[i] = pageLabel(*viewPage5, CGRectMake(62, y, w - 80, 60), kAudioCaptions[i].key, 15);
        (*captions[i])->setTextAlignment(UITextAlignmentLeft);
    }

    setPageCount(kPageCount);
    setCloseTitle("Close Tips");
    if (LumenoSDKAppDelegate::IsLanguageArabic())
        for (const auto& label : {lblPage1, lblPage2, lblPage3, lblPage4, lblPage5_1, lblPage5_2, lblPage5_3, lblPage5_4,
                                  lblPage6, lblPage7_1, lblPage8})
            label->setTextAlignment(UITextAlignmentRight);
}


void TipsViewController::viewDidAppear(bool) {
    if (viewScroll) viewScroll->setContentOffset(CGPointMake(0, 0), false);
    if (pgtClt) pgtClt->setCurrentPage(0);
    RunLoop::main().performAfterDelay(this, 4.0, [this] { showPage2(); }, kShowPage2);
}

void TipsViewController::showPage2() {
    if (pgtClt) pgtClt->setCurrentPage(1);
    changePage();
}

void TipsViewController::changePage() {
    if (!viewScroll || !pgtClt) return;
    const CGRect frame = viewScroll->frame();
    viewScroll->scrollRectToVisible(
        CGRectMake(pgtClt->currentPage() * frame.size.width, 0, frame.size.width, frame.size.height), true);
}

void TipsViewController::cancelPendingAdvance() { RunLoop::main().cancelPreviousPerformRequests(this, kShowPage2); }
