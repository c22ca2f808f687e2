// The Tajweed legend bar: one button per rule whose colouring is on, over the table's foot.

#include "Classes/Core/Language.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/Reading/SurahViewController.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

#include <cmath>

namespace {

struct TajweedRule {
    std::shared_ptr<UIButton> SurahViewController::*button;
    const char* title;
    const char* setting;
    int index;  // section of the rules screen
    TajweedColor color;  // the glyph engine's colour for the rule's letters
};

// Left to right.
const TajweedRule kRules[] = {
    {&SurahViewController::btnTajweedQalqala, "Qalqala", "TajweedQalqala", 4, kColorQalqala},
    {&SurahViewController::btnTajweedIqlab, "Iqlab", "TajweedIqlab", 3, kColorQalb},
    {&SurahViewController::btnTajweedIdgham, "Idgham", "TajweedIdgham", 2, kColorIdghaam},
    {&SurahViewController::btnTajweedIkhfa, "Ikhfa", "TajweedIkhfa", 1, kColorIkhfa},
    {&SurahViewController::btnTajweedGhunna, "Ghunna", "TajweedGhunna", 0, kColorGhunna},
};

constexpr double kBarX = 50, kBarHeight = 30;

}  // namespace

void SurahViewController::setupTajweedBar() {
    if (!viewTajweedBar) {
        viewTajweedBar = std::make_shared<UIView>(CGRectMake(kBarX, 0, 270, kBarHeight));
        viewTajweedBar->setBackgroundColor(UIColor::colorWithRed(0.97, 0.95, 0.88, 0.95));
        // Kept at the table's foot and as wide as it when a rotation resizes the display.
        viewTajweedBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
        imgNoteCover = std::make_shared<UIImageView>(CGRectMake(0, 0, 270, kBarHeight));
        imgNoteCover->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        viewTajweedBar->addSubview(imgNoteCover);
        for (const TajweedRule& rule : kRules) {
            auto button = std::make_shared<UIButton>(CGRectMake(0, 2, 54, kBarHeight - 4));
            button->setFont(UIFont::fontWithName("Helvetica-Bold", 11));
            const RGB8 c = ArabicFont::colorOf(rule.color);
            button->setTitleColor(UIColor::colorWithRed(c.r / 255.0, c.g / 255.0, c.b / 255.0, 1), UIControlStateNormal);
            UIButton* raw = button.get();
            button->addTarget(this, [this, raw](UIControl*, UIEvent*) { tajweedButtonPressed(raw); },
                              UIControlEventTouchUpInside);
            viewTajweedBar->addSubview(button);
            this->*rule.button = button;
        }
        if (tblVerses && tblVerses->superview()) {
            const CGRect t = tblVerses->frame();
            viewTajweedBar->setFrame(CGRectMake(kBarX, t.origin.y + t.size.height, t.size.width - kBarX, kBarHeight));
            tblVerses->superview()->addSubview(viewTajweedBar);
        }
    }
    for (const TajweedRule& rule : kRules) {
        const std::string title = Language::get(rule.title, rule.title);
        (this->*rule.button)->setTitle(title, UIControlStateNormal);
        (this->*rule.button)->setTitle(title, UIControlStateHighlighted);
    }
}

void SurahViewController::showTajweedBar(bool animated) {
    if (!viewTajweedBar) setupTajweedBar();
    if (!tblVerses) return;
    if (animated) {
        UIView::beginAnimations("ShowingBar");
        UIView::setAnimationDuration(0.35);
    }
    imgNoteCover->setImage(UIImage::imageNamed(IsInLandscape_ ? "note-cover-ls.png" : "note-cover.png"));
    const NSUserDefaults& settings = NSUserDefaults::standardUserDefaults();
    int shownCount = 0;
    for (const TajweedRule& rule : kRules) shownCount += settings.boolForKey(rule.setting) ? 1 : 0;
    const CGRect table = tblVerses->frame();
    // With every rule off no button is placed (and nothing is divided by zero).
    const double w = shownCount > 0 ? std::trunc((table.size.width - 60) / shownCount) : 0;
    std::vector<UIButton*> shown;
    for (const TajweedRule& rule : kRules) {
        UIButton* button = (this->*rule.button).get();
        if (!settings.boolForKey(rule.setting)) {
            button->setAlpha(0);
            continue;
        }
        button->setAlpha(1);
        CGRect f = button->frame();
        const double x = rule.button == &SurahViewController::btnTajweedQalqala ? f.origin.x : w * shown.size();
        button->setFrame(CGRectMake(x, f.origin.y, w, f.size.height));
        shown.push_back(button);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        unsigned mask = UIViewAutoresizingFlexibleWidth;
        if (i == 0 && shown.size() > 1) mask |= UIViewAutoresizingFlexibleRightMargin;
        else if (i + 1 == shown.size()) mask |= UIViewAutoresizingFlexibleLeftMargin;
        else mask |= UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin;
        shown[i]->setAutoresizingMask(mask);
    }
    tblVerses->setContentInset(UIEdgeInsets{0, 0, kBarHeight, 0});
    tblVerses->setScrollIndicatorInsets(UIEdgeInsets{0, 0, kBarHeight, 0});
    viewTajweedBar->setFrame(CGRectMake(kBarX, table.origin.y + table.size.height - kBarHeight, table.size.width - kBarX, kBarHeight));
    if (animated) UIView::commitAnimations();
}

void SurahViewController::hideTajweedBar(bool animated) {
    if (!viewTajweedBar || !tblVerses) return;
    if (animated) {
        UIView::beginAnimations("HideBar");
        UIView::setAnimationDuration(0.35);
    }
    tblVerses->setContentInset(UIEdgeInsets{0, 0, 0, 0});
    tblVerses->setScrollIndicatorInsets(UIEdgeInsets{0, 0, 0, 0});
    const CGRect table = tblVerses->frame();
    viewTajweedBar->setFrame(CGRectMake(kBarX, table.origin.y + table.size.height, table.size.width - kBarX, kBarHeight));
    if (animated) UIView::commitAnimations();
}

void SurahViewController::tajweedButtonPressed(UIButton* button) {
    int index = 0;
    for (const TajweedRule& rule : kRules)
        if ((this->*rule.button).get() == button) index = rule.index;
    presentModalViewController(std::make_shared<TajweedInfoViewController>("Tajweed", index, false), true);
}

void SurahViewController::tajweedBarDisplayToggled(bool animated) {
    if (NSUserDefaults::standardUserDefaults().boolForKey("ShowTajweedBar")) showTajweedBar(animated);
    else hideTajweedBar(animated);
}
