#include "Classes/Index/IndexViewController.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/InstalledAudioSnapshot.h"
#include "Classes/Core/Language.h"
#include "Classes/Index/IndexTableViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

UIImagePtr stretchable(const char* name, int leftCap) {
    auto image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

}  // namespace

IndexViewController::IndexViewController() : UIViewController("IndexView") { registerInterface(); }

IndexViewController::~IndexViewController() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (auto* a = app(); a && a->downloadDelegate() == this) a->setDownloadDelegate(nullptr);
    if (viewJuzzScroller && viewJuzzScroller->delegate() == this) viewJuzzScroller->setDelegate(nullptr);
    if (surahListTable) {
        surahListTable->setDataSource(nullptr);
        surahListTable->setDelegate(nullptr);
    }
}

std::shared_ptr<IndexViewController> IndexViewController::make() { return std::make_shared<IndexViewController>(); }

LumenoSDKAppDelegate* IndexViewController::app() { return LumenoSDKAppDelegate::GetInstance(); }

int IndexViewController::storedSurah() {
    const long long s = defaults().integerForKey("CurrentlyShowingSurah");
    return (s < 1 || s > 114) ? 1 : static_cast<int>(s);
}

ReadingScreen* IndexViewController::ThisSurahController() {
    return dynamic_cast<ReadingScreen*>(static_cast<UIViewController*>(ThisSurahController_.get()));
}

// ---- Life cycle ----

void IndexViewController::viewDidLoad() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, "RequiresRefreshOfSoundStatus", [this] { requiresRefreshOfSoundStatus(); });
    center.addObserver(this, "TranslationDidChange", [this] { translationDidChange(); });
    center.addObserver(this, "ReciterDidChange", [this] { reciterChanged(); });
    center.addObserver(this, "ArabicLanguageChanged", [this] { arabicLanguageChanged(); });

    iCurrentlyShowingSurah_ = storedSurah();
    currentlySelectedRow_ = static_cast<int>(defaults().integerForKey("IndexSelectedRow"));
    currentlySelectedSection_ = static_cast<int>(defaults().integerForKey("IndexSelectedSection"));

    if (imgIndexHeader) imgIndexHeader->setImage(stretchable("index-header.png", 159));
    if (btnSections) {
        btnSections->setBackgroundImage(stretchable("black-button.png", 16), UIControlStateNormal);
        btnSections->setBackgroundImage(stretchable("black-button-t.png", 16), UIControlStateHighlighted);
    }
    if (imgPartitionBG) imgPartitionBG->setImage(stretchable("index-sections-partition.png", 115));
    if (btnTopCurrentSurah) {
        btnTopCurrentSurah->setBackgroundImage(stretchable("button-arrow-right.png", 19), UIControlStateNormal);
        btnTopCurrentSurah->setBackgroundImage(stretchable("button-arrow-right-t.png", 19), UIControlStateHighlighted);
    }
    if (surahListTable) {
        surahListTable->setDataSource(this);
        surahListTable->setDelegate(this);
    }
    if (viewJuzzScroller) viewJuzzScroller->setDelegate(this);

    needsToRefreshAudioStatus_ = true;
    setTopCurrentSurahButton(iCurrentlyShowingSurah_);
    refreshTheme();
    requiresReloadOfTable_ = true;
    if (defaults().boolForKey("IsShowingSections")) isShowingSectionedView_ = true;
}

void IndexViewController::viewWillAppear(bool animated) {
    viewIsVisible_ = true;
    // The index draws its own top bar.
    if (auto* nav = navigationController(); nav && nav->topViewController() == this) nav->setNavigationBarHidden(true);
    if (auto* a = app()) a->setDownloadDelegate(this);
    checkDownloadStatus();
    if (needsToRefreshAudioStatus_) {
        needsToRefreshAudioStatus_ = false;
        refreshInstalledAudioCache();
    }
    if (requiresSoundStatusRefresh_) {
        requiresSoundStatusRefresh_ = false;
        updateVisibleSoundStatus();
    }
    if (needsToRetheme_) {
        needsToRetheme_ = false;
        refreshTheme();
    }
    if (requiresReloadOfTable_) {
        requiresReloadOfTable_ = false;
        tableTypeChanged();
    }
    iCurrentlyShowingSurah_ = storedSurah();
    setTopCurrentSurahButton(iCurrentlyShowingSurah_);
    const UIInterfaceOrientation o = UIApplication::sharedApplication().statusBarOrientation();
    if (viewJuzzScroller) {
        if (o == UIInterfaceOrientationPortrait) viewJuzzScroller->setupPortrait(0.3);
        else if (UIInterfaceOrientationIsLandscape(o)) viewJuzzScroller->setupLandscape(0.3);
    }
    if (!firstLoad_) {
        firstLoad_ = true;
        int verse = static_cast<int>(defaults().integerForKey("CurrentlyShowingVerse"));
        const int count = ChapterInfo::getVersesFromNumber(iCurrentlyShowingSurah_);
        if (verse > count) verse = count;
        showSurahView(iCurrentlyShowingSurah_, verse, false, false);
    }
}

void IndexViewController::viewDidAppear(bool animated) {
    firstLoad_ = true;
    if (auto* a = app(); a && a->hiddenTabBar())
        a->showHideTabBar(UIApplication::sharedApplication().statusBarOrientation(), 0.3, true);
    // Only when the index itself is on top: the first appearance may already have pushed
    // the reading screen over it.
    auto* nav = navigationController();
    if (!nav || nav->topViewController() == this) IsShowingSurahView_ = false;
}

void IndexViewController::viewWillDisappear(bool animated) {
    if (auto* a = app(); a && a->downloadDelegate() == this) a->setDownloadDelegate(nullptr);
    viewIsVisible_ = false;
}

void IndexViewController::viewDidUnload() {
    NSNotificationCenter::defaultCenter().removeObserver(this, "RequiresRefreshOfSoundStatus");
    NSNotificationCenter::defaultCenter().removeObserver(this, "TranslationDidChange");
    NSNotificationCenter::defaultCenter().removeObserver(this, "ReciterDidChange");
    NSNotificationCenter::defaultCenter().removeObserver(this, "ArabicLanguageChanged");
    if (surahListTable) {
        surahListTable->setDataSource(nullptr);
        surahListTable->setDelegate(nullptr);
    }
    surahListTable.reset();
    viewIndexDownloadContainer.reset();
    lblIndexDownload.reset();
    progressIndexDownload.reset();
    btnIndexDownload.reset();
    arrSectionedMeta_.clear();
    arrSectionViews_.clear();
}

bool IndexViewController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) {
    return o != UIInterfaceOrientationPortraitUpsideDown;
}

void IndexViewController::willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation o, double duration) {
    if (!viewJuzzScroller) return;
    if (o == UIInterfaceOrientationPortrait) viewJuzzScroller->setupPortrait(duration);
    else if (UIInterfaceOrientationIsLandscape(o)) viewJuzzScroller->setupLandscape(duration);
}

// ---- Notifications ----

void IndexViewController::requiresRefreshOfSoundStatus() {
    if (viewIsVisible_) return;  // the download callbacks refresh a visible index
    requiresSoundStatusRefresh_ = true;
    needsToRefreshAudioStatus_ = true;
}

void IndexViewController::translationDidChange() {
    requiresReloadOfTable_ = true;
    arrSectionedMeta_.clear();
}

void IndexViewController::reciterChanged() {
    requiresReloadOfTable_ = true;
    needsToRefreshAudioStatus_ = true;
}

void IndexViewController::arabicLanguageChanged() {
    requiresReloadOfTable_ = true;
    needsToRetheme_ = true;
    arrSectionedMeta_.clear();
    LumenoSDKAppDelegate::ResetArabicCheck();
}

// ---- Audio status ----

bool IndexViewController::chapterAudioInstalled(int surah) const {
    auto* a = app();
    sqlite3* db = a ? a->dbConnection() : nullptr;
    if (!db) return false;
    const int r = static_cast<int>(defaults().integerForKey("CurrentReciterv22"));
    return (ChapterInfo::doesReciterSupportContRecitation(r) && ChapterInfo::isSurahAudioContinuous(db, surah, r)) ||
           ChapterInfo::isSurahAudioInstalled(db, surah, r);
}

void IndexViewController::refreshInstalledAudioCache() {
    arrAudioInstalledStatus_.assign(114, 0);
    auto* a = app();
    sqlite3* db = a ? a->dbConnection() : nullptr;
    if (!db) return;
    const int r = static_cast<int>(defaults().integerForKey("CurrentReciterv22"));
    const int hq = ChapterInfo::getRemoteReciterHQCode(r);
    const int n = ChapterInfo::getTotalRecitersCount();
    const InstalledAudioSnapshot audio = InstalledAudioSnapshot::read(db);
    auto installed = [&audio](int surah, int reciter) {
        return (ChapterInfo::doesReciterSupportContRecitation(reciter) && audio.isSurahAudioContinuous(surah, reciter)) ||
               audio.isSurahAudioInstalled(surah, reciter);
    };
    for (int c = 1; c <= 114; ++c) {
        bool others = false;
        for (int j = 0; j < n && !others; ++j)
            if (j != r && j != hq) others = installed(c, j);
        const bool current = installed(c, r);
        arrAudioInstalledStatus_[static_cast<size_t>(c - 1)] = (current ? 1 : 0) + (others ? 2 : 0);
    }
}

bool IndexViewController::isSurahAudioInstalled(int surah) const {
    if (surah < 1 || surah > static_cast<int>(arrAudioInstalledStatus_.size())) return false;
    const int s = arrAudioInstalledStatus_[static_cast<size_t>(surah - 1)];
    return s == 1 || s == 3;
}

bool IndexViewController::isSurahAudioInstalledForOthers(int surah) const {
    if (surah < 1 || surah > static_cast<int>(arrAudioInstalledStatus_.size())) return false;
    const int s = arrAudioInstalledStatus_[static_cast<size_t>(surah - 1)];
    return s == 2 || s == 3;
}

// ---- Opening and closing the reading screen ----

void IndexViewController::showSurahView(int surah, int verse, bool play, bool animated) {
    highlightVerse_ = verse;
    playSurah_ = play;
    auto* a = app();
    if (a && (a->isDownloading() || a->downloadingAllSurahs())) playSurah_ = false;
    storeListOffset();

    if (playSurah_ && !chapterAudioInstalled(surah)) {
        // The download offer takes the place of the opening; the chapter shown (and named
        // by the top button) stays what it was.
        if (a) a->requestDownloadSurahAudioAlert(surah);
        return;
    }
    iCurrentlyShowingSurah_ = surah;

    if (IsShowingSurahView_ && ThisSurahController_) {
        ThisSurahController_->setupBasicSurah(iCurrentlyShowingSurah_, highlightVerse_, playSurah_);
        ThisSurahController_->asyncSurahReload();
        return;
    }
    IsShowingSurahView_ = true;
    defaults().setBool(true, "IsShowingSurahView");
    defaults().setInteger(surah, "CurrentlyShowingSurah");
    defaults().setInteger(verse, "CurrentlyShowingVerse");
    defaults().synchronize();
    setTopCurrentSurahButton(surah);
    if (!ThisSurahController_) ThisSurahController_ = std::make_shared<SurahViewController>();
    ThisSurahController_->setupBasicSurah(surah, verse, playSurah_);
    ThisSurahController_->setRequiresReload(true);
    if (auto* nav = navigationController()) {
        const auto& stack = nav->viewControllers();
        const bool onStack = std::find(stack.begin(), stack.end(), ThisSurahController_) != stack.end();
        if (!onStack) nav->pushViewController(ThisSurahController_, animated);
    }
}

void IndexViewController::hideSurahView() {
    if (!IsShowingSurahView_) return;
    if (ThisSurahController_) ThisSurahController_->cleanupLeavingSurahView();
    IsShowingSurahView_ = false;
    defaults().setBool(false, "IsShowingSurahView");
    defaults().synchronize();
    if (auto* nav = navigationController()) nav->popViewControllerAnimated(true);
}

void IndexViewController::btnTopCurrentSurahPressed() {
    int verse = static_cast<int>(defaults().integerForKey("CurrentlyShowingVerse"));
    const int count = ChapterInfo::getVersesFromNumber(iCurrentlyShowingSurah_);
    if (verse > count) verse = count;
    showSurahView(iCurrentlyShowingSurah_, verse, false, true);
}

void IndexViewController::setTopCurrentSurahButton(int surah) {
    if (!btnTopCurrentSurah) return;
    const std::string name = ChapterInfo::getNameFromNumber(surah);
    double w = 0;
    if (auto font = btnTopCurrentSurah->font()) w = sizeWithFont(name, *font).width;
    btnTopCurrentSurah->setTitleEdgeInsets(UIEdgeInsets{0, 0, 0, 5});
    btnTopCurrentSurah->setTitle(name, UIControlStateNormal);
    btnTopCurrentSurah->setTitle(name, UIControlStateHighlighted);
    const CGRect bar = viewTopBar ? viewTopBar->bounds() : CGRectMake(0, 0, 320, 44);
    btnTopCurrentSurah->setFrame(CGRectMake(bar.size.width - (w + 27), 0, w + 27, bar.size.height));
}

void IndexViewController::refreshTheme() {
    if (imgIndexBG) imgIndexBG->setImage(stretchable("index-bg.png", 159));
    std::vector<std::string> labels;
    for (int j = 1; j <= 30; ++j) labels.push_back(juzNumber(j));
    if (viewJuzzScroller) {
        const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
        // Image mode: the pictures are drawn with the numbers, and switch to their touched
        // versions while a finger is on the bar.
        viewJuzzScroller->setIndexes(labels, 8, 8, nullptr, nullptr, arabic ? "scroller-ar.png" : "scroller-en.png",
                                     arabic ? "scroller-ar-t.png" : "scroller-en-t.png");
        viewJuzzScroller->setLandscapeImage(arabic ? "scroller-ls-ar.png" : "scroller-ls.png",
                                            arabic ? "scroller-ls-ar-t.png" : "scroller-ls-t.png");
        if (UIInterfaceOrientationIsLandscape(interfaceOrientation())) viewJuzzScroller->setupLandscape(0);
    }
    if (surahListTable) {
        surahListTable->setScrollsToTop(true);
        surahListTable->reloadData();
    }
    if (lblTopBarLabel) lblTopBarLabel->setContentMode(UIViewContentModeCenter);
    if (ThisSurahController_) ThisSurahController_->refreshTheme();
}
