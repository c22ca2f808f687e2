// The interface "SurahView": the reading screen's view tree with its outlets.

#include "Classes/Reading/SurahViewController.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIScreen.h"

#include <tuple>

namespace {

constexpr double kHeaderHeight = 44;
constexpr double kOptionBarHeight = 44;

UIColorPtr sepia() { return UIColor::colorWithRed(92 / 255.0, 62 / 255.0, 20 / 255.0, 1); }

std::shared_ptr<UIButton> headerButton(CGRect frame, unsigned mask) {
    auto button = std::make_shared<UIButton>(frame);
    button->setAutoresizingMask(mask);
    button->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
    button->setTitleColor(sepia(), UIControlStateNormal);
    button->setTitleColor(UIColor::colorWithRed(0.55, 0.45, 0.3, 1), UIControlStateDisabled);
    button->setTitleShadowColor(UIColor::colorWithWhite(1, 0.6), UIControlStateNormal);
    return button;
}

std::shared_ptr<UIView> buildSurahView(UIViewController& owner) {
    auto* screen = dynamic_cast<SurahViewController*>(&owner);
    const CGRect frame = UIScreen::mainScreen().applicationFrame();
    const double W = frame.size.width, H = frame.size.height;
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.94, 0.87, 1));
    if (!screen) return root;
    SurahViewController& s = *screen;
    const unsigned flexible = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    const unsigned centred = UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin;

    s.imgBG = std::make_shared<UIImageView>(CGRect{{0, 0}, {W, H}});
    s.imgBG->setAutoresizingMask(flexible);
    root->addSubview(s.imgBG);

    // The display area under the header: the verse table and the chapter-information panel.
    const double top = kHeaderHeight + kOptionBarHeight;
    s.viewSurahDisplay = std::make_shared<UIView>(CGRect{{0, top}, {W, H - top}});
    s.viewSurahDisplay->setAutoresizingMask(flexible);
    s.viewSurahDisplay->setBackgroundColor(UIColor::clearColor());
    s.viewSurahDisplay->setOpaque(false);
    root->addSubview(s.viewSurahDisplay);

    s.tblVerses = std::make_shared<UITableView>(s.viewSurahDisplay->bounds(), UITableViewStylePlain);
    s.tblVerses->setAutoresizingMask(flexible);
    s.tblVerses->setBackgroundColor(UIColor::clearColor());
    s.tblVerses->setOpaque(false);
    s.tblVerses->setSeparatorStyle(UITableViewCellSeparatorStyleNone);
    s.viewSurahDisplay->addSubview(s.tblVerses);

    s.viewSurahInfoHUD = std::make_shared<UIView>(s.viewSurahDisplay->bounds());
    s.viewSurahInfoHUD->setAutoresizingMask(flexible);
    s.viewSurahInfoHUD->setBackgroundColor(UIColor::colorWithRed(0.98, 0.96, 0.9, 0.97));
    s.viewSurahInfoHUD->setAlpha(0);
    s.tblSurahInfo = std::make_shared<UITableView>(CGRect{{0, 0}, {W, 7 * 44 + 44}}, UITableViewStylePlain);
    s.tblSurahInfo->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.tblSurahInfo->setBackgroundColor(UIColor::clearColor());
    s.tblSurahInfo->setOpaque(false);
    s.viewSurahInfoHUD->addSubview(s.tblSurahInfo);
    s.lblSurahInfoNotice = std::make_shared<UILabel>(CGRect{{0, s.viewSurahInfoHUD->bounds().size.height - 30}, {W, 20}});
    s.lblSurahInfoNotice->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    s.lblSurahInfoNotice->setTextAlignment(UITextAlignmentCenter);
    s.lblSurahInfoNotice->setFont(UIFont::fontWithName("Helvetica", 12));
    s.lblSurahInfoNotice->setTextColor(UIColor::colorWithRed(113 / 255.0, 83 / 255.0, 0, 1));
    s.lblSurahInfoNotice->setBackgroundColor(UIColor::clearColor());
    s.viewSurahInfoHUD->addSubview(s.lblSurahInfoNotice);

    s.lblLoading = std::make_shared<UILabel>(CGRect{{0, top + 40}, {W, 24}});
    s.lblLoading->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.lblLoading->setText("Loading...");
    s.lblLoading->setTextAlignment(UITextAlignmentCenter);
    s.lblLoading->setTextColor(sepia());
    s.lblLoading->setBackgroundColor(UIColor::clearColor());
    s.lblLoading->setAlpha(0);
    root->addSubview(s.lblLoading);
    s.progressIndicator = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    s.progressIndicator->setCenter(CGPoint{W / 2, top + 90});
    s.progressIndicator->setAutoresizingMask(centred);
    root->addSubview(s.progressIndicator);

    // Option strip under the header: reciter, play and translation. Added before the header
    // bar so that landscape can slide it up behind the bar.
    s.viewSurahDispAndOrnaments = std::make_shared<UIView>(CGRect{{0, kHeaderHeight}, {W, kOptionBarHeight}});
    s.viewSurahDispAndOrnaments->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(s.viewSurahDispAndOrnaments);
    UIView& strip = *s.viewSurahDispAndOrnaments;
    s.btnTopOptionBar = std::make_shared<UIButton>(CGRect{{0, 0}, {W, kOptionBarHeight}});
    s.btnTopOptionBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    s.btnTopOptionBar->setAdjustsImageWhenHighlighted(false);
    strip.addSubview(s.btnTopOptionBar);
    const double buttonWidth = std::floor((W - 44) / 2) - 8;
    s.btnReciter = headerButton(CGRect{{6, 7}, {buttonWidth, 30}}, UIViewAutoresizingFlexibleWidth |
                                                                   UIViewAutoresizingFlexibleRightMargin);
    s.btnReciter->setContentHorizontalAlignment(UIControlContentHorizontalAlignmentRight);
    s.btnReciter->setContentEdgeInsets(UIEdgeInsets{0, 0, 0, 14});
    s.btnReciter->addTarget(&s, [&s](UIControl*, UIEvent*) { s.btnReciterPressed(); }, UIControlEventTouchUpInside);
    strip.addSubview(s.btnReciter);
    s.btnPlay = std::make_shared<UIButton>(CGRect{{std::floor((W - 44) / 2), 0}, {44, 44}});
    s.btnPlay->setAutoresizingMask(centred);
    s.btnPlay->addTarget(&s, [&s](UIControl*, UIEvent*) { s.playStopOrDownload(); }, UIControlEventTouchUpInside);
    strip.addSubview(s.btnPlay);
    s.btnTranslation = headerButton(CGRect{{W - 6 - buttonWidth, 7}, {buttonWidth, 30}},
                                    UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleLeftMargin);
    s.btnTranslation->setContentHorizontalAlignment(UIControlContentHorizontalAlignmentLeft);
    s.btnTranslation->addTarget(&s, [&s](UIControl*, UIEvent*) { s.btnTranslatorPressed(); },
                                UIControlEventTouchUpInside);
    strip.addSubview(s.btnTranslation);

    // Header bar: back button, ornaments and the chapter name.
    s.viewTopOptionsBar = std::make_shared<UIView>(CGRect{{0, 0}, {W, kHeaderHeight}});
    s.viewTopOptionsBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(s.viewTopOptionsBar);
    UIView& bar = *s.viewTopOptionsBar;
    s.imgHeaderCover = std::make_shared<UIImageView>(CGRect{{0, 0}, {W, kHeaderHeight}});
    s.imgHeaderCover->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar.addSubview(s.imgHeaderCover);
    // What the bar shows when no recitation controls take its place in landscape.
    s.viewTopButtonsAndTitles = std::make_shared<UIView>(CGRect{{0, 0}, {W, kHeaderHeight}});
    s.viewTopButtonsAndTitles->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar.addSubview(s.viewTopButtonsAndTitles);
    UIView& titles = *s.viewTopButtonsAndTitles;
    s.btnBackToIndex = headerButton(CGRect{{6, 7}, {56, 30}}, UIViewAutoresizingNone);
    s.btnBackToIndex->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    s.btnBackToIndex->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    s.btnBackToIndex->addTarget(&s, [&s](UIControl*, UIEvent*) { s.btnIndexPressed(); }, UIControlEventTouchUpInside);
    titles.addSubview(s.btnBackToIndex);

    // The chapter's name between its ornaments, kept together and centred as the bar widens.
    auto nameGroup = std::make_shared<UIView>(CGRect{{std::floor((W - 94) / 2) - 44, 0}, {182, kHeaderHeight}});
    nameGroup->setAutoresizingMask(centred);
    titles.addSubview(nameGroup);
    const double nameX = 44;
    s.btnLeftOrnament = std::make_shared<UIButton>(CGRect{{nameX - 44, 0}, {40, 44}});
    s.btnRightOrnament = std::make_shared<UIButton>(CGRect{{nameX + 98, 0}, {40, 44}});
    s.btnLeftOrnament->setImage(UIImage::imageNamed("sura-header-orna-left.png"), UIControlStateNormal);
    s.btnRightOrnament->setImage(UIImage::imageNamed("sura-header-orna-right.png"), UIControlStateNormal);
    s.btnTopLeftOrnTop = std::make_shared<UIButton>(s.btnLeftOrnament->frame());
    s.btnTopRightOrnTop = std::make_shared<UIButton>(s.btnRightOrnament->frame());
    for (const auto& b : {s.btnLeftOrnament, s.btnRightOrnament}) {
        b->setUserInteractionEnabled(false);
        nameGroup->addSubview(b);
    }
    auto ornament = [](UIButton& shown, const char* normal, const char* touched) {
        return std::make_pair(
            [&shown, touched](UIControl*, UIEvent*) { shown.setImage(UIImage::imageNamed(touched), UIControlStateNormal); },
            [&shown, normal](UIControl*, UIEvent*) { shown.setImage(UIImage::imageNamed(normal), UIControlStateNormal); });
    };
    auto left = ornament(*s.btnLeftOrnament, "sura-header-orna-left.png", "sura-header-orna-left-t.png");
    auto right = ornament(*s.btnRightOrnament, "sura-header-orna-right.png", "sura-header-orna-right-t.png");
    s.btnTopLeftOrnTop->addTarget(&s, left.first, UIControlEventTouchDown);
    s.btnTopLeftOrnTop->addTarget(&s, left.second, UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    s.btnTopRightOrnTop->addTarget(&s, right.first, UIControlEventTouchDown);
    s.btnTopRightOrnTop->addTarget(&s, right.second, UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    nameGroup->addSubview(s.btnTopLeftOrnTop);
    nameGroup->addSubview(s.btnTopRightOrnTop);

    s.imgSurahName = std::make_shared<UIImageView>(CGRect{{nameX, 4}, {94, 36}});
    nameGroup->addSubview(s.imgSurahName);
    s.lblSurahName = std::make_shared<UILabel>(s.imgSurahName->frame());
    s.lblSurahName->setBackgroundColor(UIColor::clearColor());
    s.lblSurahName->setTextAlignment(UITextAlignmentCenter);
    nameGroup->addSubview(s.lblSurahName);
    s.btnSurahNameOptionsBar = std::make_shared<UIButton>(s.imgSurahName->frame());
    s.btnSurahNameOptionsBar->addTarget(&s, [&s](UIControl*, UIEvent*) { s.surahNameOptionsPressed(); },
                                        UIControlEventTouchUpInside);
    nameGroup->addSubview(s.btnSurahNameOptionsBar);

    // Landscape's previous and next chapter buttons, at the bar's right end before the play
    // button that landscape moves into the bar.
    s.viewTopLSButtons = std::make_shared<UIView>(CGRect{{W - 146, 0}, {92, kHeaderHeight}});
    s.viewTopLSButtons->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    s.viewTopLSButtons->setUserInteractionEnabled(false);
    titles.addSubview(s.viewTopLSButtons);
    s.btnLSPrevSurah = std::make_shared<UIButton>(CGRect{{2, 7}, {42, 30}});
    s.btnLSNextSurah = std::make_shared<UIButton>(CGRect{{48, 7}, {42, 30}});
    const std::tuple<UIButton*, const char*, const char*> arrows[] = {
        {s.btnLSPrevSurah.get(), "button-arrow-left", "\u2039"}, {s.btnLSNextSurah.get(), "button-arrow-right", "\u203A"}};
    for (const auto& [button, image, title] : arrows) {
        button->setTitle(title, UIControlStateNormal);
        button->setFont(UIFont::fontWithName("Helvetica-Bold", 22));
        button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        for (const auto& [suffix, state] : {std::pair{".png", UIControlStateNormal}, std::pair{"-t.png", UIControlStateHighlighted}})
            if (UIImagePtr img = UIImage::imageNamed(std::string(image) + suffix))
                button->setBackgroundImage(img->stretchableImageWithLeftCapWidth(19, 0), state);
        button->setAlpha(0);
        s.viewTopLSButtons->addSubview(button->shared_from_this());
    }
    s.btnLSPrevSurah->addTarget(&s, [&s](UIControl*, UIEvent*) { s.showPreviousSurah(); }, UIControlEventTouchUpInside);
    s.btnLSNextSurah->addTarget(&s, [&s](UIControl*, UIEvent*) { s.showNextSurah(); }, UIControlEventTouchUpInside);
    s.viewEverything = root;
    return root;
}

}  // namespace

void SurahViewController::registerInterface() {
    if (!UIViewController::hasInterface("SurahView")) UIViewController::registerInterface("SurahView", buildSurahView);
}
