#include "Classes/Reference/TajweedInfoViewController.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

std::string tr(const std::string& text) { return Language::get(text, text); }

const std::array<TajweedInfoViewController::Rule, TajweedInfoViewController::kRuleCount> kRules = {{
    {0, 0, "Ghunna", "Nasalization", "GhunnaInfoText", "ghunna", 104, 8, 258, 258},
    {1, 1, "Ikhfa", "Lenition (Hiding)", "IkhfaInfoText", "ikhfa", 105, 4, 428, 370},
    {2, 2, "Idgham", "Elision (Merging)", "IdghamInfoText", "idgham", 106, 4, 450, 390},
    {5, -1, "Idgham without ghunna", "Elision (Merging)", "IdghamWGInfoText", "idghamwg", 112, 4, 310, 275},
    {4, 3, "Iqlab", "Dissimilation (Flipping)", "QalbInfoText", "iqlab", 69, 4, 308, 268},
    {3, 4, "Qalqala", "Echoing", "QalqalaInfoText", "qalqala", 112, 3, 330, 290},
}};

UIImagePtr stretched(const char* name, int leftCap) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

double sectionHeight(const TajweedInfoViewController::Rule& rule) {
    return LumenoSDKAppDelegate::IsLanguageArabic() ? rule.heightArabic : rule.heightEnglish;
}

}  // namespace

const std::array<TajweedInfoViewController::Rule, TajweedInfoViewController::kRuleCount>& TajweedInfoViewController::rules() {
    return kRules;
}

double TajweedInfoViewController::topForScrollTarget(int target) {
    double top = 0;
    for (const Rule& rule : kRules) {
        if (rule.scrollTarget == target && target >= 0) return top;
        top += sectionHeight(rule);
    }
    return -1;
}

TajweedInfoViewController::TajweedInfoViewController(const std::string& nibName, int scrollTo, bool fromSettings)
    : UIViewController(nibName), scrollToView_(scrollTo), fromSettings_(fromSettings) {
    registerInterface();
}

TajweedInfoViewController::~TajweedInfoViewController() {
    alive_.reset();
    fadeQueues_.reset();  // cancels running fades and waits for them
    for (const auto& player : {CurrentAudioPlayer_, fadingPlayer_}) {
        if (!player) continue;
        player->stop();
        player->setDelegate(nullptr);
    }
    for (const auto& canvas : img)
        if (canvas) canvas->setDelegate(nullptr);
}

void TajweedInfoViewController::viewDidLoad() {
    heightToUse_ = 0;
    setContentSizeForViewInPopover(CGSizeMake(320, heightToUse_));
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();

    // Sections stacked without gaps, as wide as the scroll view.
    double y = 0;
    const double width = viewScroll ? viewScroll->frame().size.width : 320;
    for (int i = 0; i < kRuleCount; ++i) {
        const double h = sectionHeight(kRules[i]);
        if (viewInfo[i]) {
            viewInfo[i]->setFrame(CGRectMake(0, y, width, h));
            if (viewScroll && !viewInfo[i]->superview()) viewScroll->addSubview(viewInfo[i]);
        }
        y += h;
    }
    if (viewScroll) viewScroll->setContentSize(CGSizeMake(320, y));

    UIImagePtr pattern = UIImage::imageNamed("taj-bg.png");
    if (pattern) {
        view()->setBackgroundColor(UIColor::colorWithPatternImage(pattern));
        for (const auto& section : viewInfo)
            if (section) section->setBackgroundColor(UIColor::colorWithPatternImage(pattern));
    }

    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    sqlite3* content = app ? app->dbConnectionStatic() : nullptr;
    for (int i = 0; i < kRuleCount; ++i) {
        const Rule& rule = kRules[i];
        if (lblTrans[i]) lblTrans[i]->setText(arabic ? tr(rule.name) : std::string(rule.gloss));
        if (lblTop[i]) lblTop[i]->setText(arabic ? std::string() : std::string(rule.name));
        if (btnListen[i]) {
            btnListen[i]->setTitle(tr("Listen to this example"), UIControlStateNormal);
            btnListen[i]->setTitle(tr("Listen to this example"), UIControlStateHighlighted);
        }
        if (lblExample[i]) lblExample[i]->setText(tr("Example"));
        if (web[i]) web[i]->loadHTMLString(Language::get(rule.htmlKey, ""), "");
        if (img[i]) img[i]->setDelegate(this);
    }
    if (lblTopTitle) lblTopTitle->setText(tr("Tajweed"));

    for (const Rule& rule : kRules)
        dictVerseData_[rule.number] = content ? ChapterInfo::getVerseData(content, rule.surah, rule.verse) : Blob{};
    fontLoader_ = std::make_unique<ArabicFont>(LumenoSDKAppDelegate::IsDeviceRetina() ? 5 : 0, true, content);
    lastPlayingType_ = -1;

    const double top = topForScrollTarget(scrollToView_);
    if (viewScroll && top >= 0) viewScroll->setContentOffset(CGPointMake(0, top), false);
    rethemeUI();
}

void TajweedInfoViewController::viewWillDisappear(bool) {
    stopAudio(false);
    lastPlayingType_ = -1;
}

void TajweedInfoViewController::btnBackPressed() {
    if (fromSettings_) {
        if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
    } else {
        dismissModalViewControllerAnimated(true);
    }
}

void TajweedInfoViewController::rethemeUI() {
    if (imgTopBar) imgTopBar->setImage(stretched("bk-bmg-header.png", 159));
    if (!btnBack) return;
    const std::string title = tr(fromSettings_ ? "More" : "Back");
    btnBack->setTitle(title, UIControlStateNormal);
    btnBack->setTitle(title, UIControlStateHighlighted);
    if (fromSettings_) {
        btnBack->setBackgroundImage(stretched("button-arrow-left.png", 19), UIControlStateNormal);
        btnBack->setBackgroundImage(stretched("button-arrow-left-t.png", 19), UIControlStateHighlighted);
    } else {
        btnBack->setBackgroundImage(stretched("black-button.png", 16), UIControlStateNormal);
        btnBack->setBackgroundImage(stretched("black-button-t.png", 16), UIControlStateHighlighted);
    }
}

void TajweedInfoViewController::drawArabicVerseInCanvas(CGContext* context, VerseCanvas* canvas) {
    if (!context || !fontLoader_) return;
    for (int i = 0; i < kRuleCount; ++i) {
        if (img[i].get() != canvas) continue;
        const Rule& rule = kRules[i];
        auto it = dictVerseData_.find(rule.number);
        if (it == dictVerseData_.end() || it->second.empty()) return;
        const std::vector<uint8_t>& bytes = it->second;
        const double w = canvas->frame().size.width;
        fontLoader_->drawVerseImageFromBytes(*context, rule.verse, rule.number == 5, bytes, 0,
                                             static_cast<int>(bytes.size()) - 1, static_cast<int>(w),
                                             static_cast<int>(w - 8));
        return;
    }
}
