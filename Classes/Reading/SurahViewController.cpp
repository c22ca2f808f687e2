#include "Classes/Reading/SurahViewController.h"

#include <algorithm>

#include "Classes/Reading/SurahOptionsHUD.h"

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/PendingUserWrites.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reference/TipsViewController.h"
#include "Classes/Reference/UpdateViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UIBarButtonItem.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

}  // namespace

SurahViewController::SurahViewController() : UIViewController("SurahView") {
    registerInterface();
    setUpAudio();
}

SurahViewController::~SurahViewController() {
    tearDownAudio();
    NSNotificationCenter::defaultCenter().removeObserver(this);
    RunLoop::main().cancelPreviousPerformRequests(this);
    if (idleTimer_) idleTimer_->invalidate();
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (app && app->downloadDelegate() == this) app->setDownloadDelegate(nullptr);
    for (auto* table : {tblVerses.get(), tblSurahInfo.get()}) {
        if (!table) continue;
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

std::mutex& SurahViewController::readingScreenLock() {
    static std::mutex lock;
    return lock;
}

sqlite3* SurahViewController::userDb() const {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app ? app->dbConnection() : nullptr;
}

sqlite3* SurahViewController::contentDb() const {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app ? app->dbConnectionStatic() : nullptr;
}

int SurahViewController::wrapSurah(int surah) {
    if (surah < 1) return 114;
    if (surah > 114) return 1;
    return surah;
}

bool SurahViewController::statusBarIsLandscape() {
    const UIInterfaceOrientation o = UIApplication::sharedApplication().statusBarOrientation();
    return o == UIInterfaceOrientationLandscapeLeft || o == UIInterfaceOrientationLandscapeRight;
}

// ---- Chapter set-up ----

void SurahViewController::resetHeader() {
    if (!isViewLoaded()) return;
    if (lblSurahName) {
        lblSurahName->setFont(UIFont::systemFontOfSize(12));
        lblSurahName->setTextColor(UIColor::blackColor());
        lblSurahName->setText("");
    }
    if (imgSurahName) imgSurahName->setImage(UIImage::imageNamed(stringWithFormat("sname_%i.png", iCurrentSurah_)));
    if (btnSurahNameOptionsBar)
        btnSurahNameOptionsBar->setBackgroundImage(UIImage::imageNamed(stringWithFormat("sname_%i-t.png", iCurrentSurah_)),
                                                   UIControlStateHighlighted);
}

void SurahViewController::setupBasicSurah(int surah, int verse, bool play) {
    isSwitchingSurah_ = true;
    ChapterInfo::finalizeDynamicQueries();
    SurahVerseView::checkColoredTranslation();
    if (surah == iCurrentSurah_ && play && IsInPlayMode_) {
        stopPlaying();
        return;
    }
    selectedVerse_ = -1;
    iCurrentVerse_ = verse;
    iCurrentSurah_ = wrapSurah(surah);
    highlightWithAnim_ = false;
    globalShouldStartPlaying_ = play;
    if (IsInPlayMode_) stopPlaying();
    if (btnTopOptionBar) btnTopOptionBar->setEnabled(true);
    hideDialControl();
    resetHeader();
    updateReciterLabel();
    updateTranslationLabel();
    updateSurahNameButton();
    if (lblLoading) lblLoading->setAlpha(0);
    if (statusBarIsLandscape()) IsInLandscape_ = true;
}

void SurahViewController::setupSurah(int surah, int verse, bool play) {
    if (!isViewLoaded() || viewUnloaded_) {
        RequiresReload_ = true;
        return;
    }
    settingUpSurah_ = true;
    if (resetVersePosition_) {
        resetVersePosition_ = false;
        verse = -1;
    }
    highlightWithAnim_ = false;
    surah = wrapSurah(surah);
    iCurrentSurah_ = surah;
    const int count = ChapterInfo::getVersesFromNumber(surah);
    const int passedVerse = verse;
    if (verse > count) verse = count;
    else if (verse >= 1) {
    } else if (surah == 1 || surah == 9) verse = 1;
    else if (verse != -1) verse = 1;
    iCurrentVerse_ = verse;
    iCurrentPlayingVerse_ = verse;
    updateReciterLabel();
    updateTranslationLabel();
    updateSurahNameButton();
    if (surah == 18) LumenoSDKAppDelegate::MarkAlKahfRead();

    firstTimePLay_ = true;
    resetClipState();
    if (btnTopOptionBar) btnTopOptionBar->setEnabled(true);
    hideDialControl();
    globalShouldStartPlaying_ = false;

    iLastAudioSurah_ = static_cast<int>(defaults().integerForKey("LastAudioSurah"));
    iLastAudioVerse_ = static_cast<int>(defaults().integerForKey("LastAudioVerse"));
    iCurrentTranslation_ = static_cast<int>(defaults().integerForKey("CurrentTranslationv22"));

    translationArr_.clear();
    if (iCurrentTranslation_ == 1000) {
        for (int v = 1; v <= count; ++v) translationArr_.push_back(ChapterInfo::getBookmarkNote(userDb(), surah, v));
    } else if (iCurrentTranslation_ != 0) {
        translationArr_ = ChapterInfo::getTranslationDataFor(contentDb(), iCurrentTranslation_, surah);
        if (translationArr_.empty()) {
            // A missing or empty table: every row says so rather than staying blank.
            NSLog("[SurahViewController] Error: translation %i has no text for chapter %i.", iCurrentTranslation_, surah);
            translationArr_.assign(static_cast<size_t>(std::max(count, 0)),
                                   screen_support::tr("This translation is not available"));
        }
    }
    refreshVerseHeights();

    defaults().setString(stringWithFormat("%i", surah), "LastSurah");
    defaults().setString(stringWithFormat("%i", passedVerse), "LastVerse");
    defaults().setInteger(surah, "CurrentlyShowingSurah");
    defaults().setInteger(passedVerse, "CurrentlyShowingVerse");

    resetHeader();
    updateReciterLabel();
    updateTranslationLabel();
    if (tblVerses) tblVerses->setScrollsToTop(true);

    reloadBookmarksMap();
    if (tblVerses) tblVerses->reloadData();

    bool jumped = false;
    if ((usePrevOffset_ && verse >= 1) || (!usePrevOffset_ && verse >= 0)) {
        highlightVerse(verse, true, highlightWithAnim_, didRecentlyChangeTrans_);
        jumped = true;
    }
    didRecentlyChangeTrans_ = false;
    updateBadge();
    updateSurahNameButton();

    if (play) {
        if (viewIsVisible_) playStopOrDownload();
        else globalShouldStartPlaying_ = true;
    }
    if (lblLoading) lblLoading->setAlpha(0);
    if (tblVerses && !isSwitchingSurah_) {
        UIView::beginAnimations("ShowSurahTable");
        UIView::setAnimationDuration(0.15);
        tblVerses->setAlpha(1);
        UIView::commitAnimations();
    }
    if (!jumped && tblVerses) {
        if (usePrevOffset_ && verse < 1) {
            if (surah == defaults().integerForKey("LastSurahShowing")) tblVerses->setContentOffset(currTblOffset_, false);
        } else {
            tblVerses->setContentOffset(CGPoint{0, 0}, false);
        }
    }
    usePrevOffset_ = false;
    defaults().synchronize();
    if (tblVerses) tblVerses->setUserInteractionEnabled(true);
    isSwitchingSurah_ = false;
    settingUpSurah_ = false;
    presentFirstRunScreen();
}

void SurahViewController::presentFirstRunScreen() {
    // The tips on the first chapter opening, the notice on a later one, then neither; an alert
    // already up (a launch notice) is answered first, and a screen already presented (the tips,
    // when a link opens a second chapter at the first start) is closed first: one at a time.
    UIViewController* root = this;
    while (root->parentViewController()) root = root->parentViewController();
    if (UIApplication::sharedApplication().modalBlocker() || root->modalViewController()) {
        RunLoop::main().performAfterDelay(this, 0.5, [this] { presentFirstRunScreen(); }, "presentFirstRunScreen");
        return;
    }
    for (const char* key : {"TipsShown3.1", "Update3.1Shown"}) {
        if (defaults().boolForKey(key)) continue;
        defaults().setBool(true, key);
        defaults().synchronize();
        if (std::string(key) == "TipsShown3.1") presentModalViewController(std::make_shared<TipsViewController>(), true);
        else presentModalViewController(std::make_shared<UpdateViewController>(), true);
        return;
    }
}

void SurahViewController::asyncSurahReload() {
    if (!isViewLoaded() || viewUnloaded_) {
        RequiresReload_ = true;
        return;
    }
    setupSurah(iCurrentSurah_, iCurrentVerse_, globalShouldStartPlaying_);
    showVersesAfterLoading(false);
    const int count = ChapterInfo::getVersesFromNumber(iCurrentSurah_);
    if (usePrevOffset_) {
        if (currTblOffset_.y == 0) {
            if (iCurrentVerse_ != 0) highlightVerse(iCurrentVerse_, true, highlightWithAnim_);
        } else if (iCurrentSurah_ == defaults().integerForKey("LastSurahShowing") && tblVerses) {
            tblVerses->setContentOffset(currTblOffset_, false);
        }
    } else if (iCurrentVerse_ != 0 && iCurrentVerse_ <= count) {
        highlightVerse(iCurrentVerse_, true, highlightWithAnim_);
    } else if (tblVerses && tblVerses->numberOfRowsInSection(0) > 0) {
        tblVerses->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0), UITableViewScrollPositionTop, true);
    }
    usePrevOffset_ = false;
    if (globalShouldStartPlaying_ && !IsInPlayMode_) playStopOrDownload();
    globalShouldStartPlaying_ = false;
}

void SurahViewController::refreshVerseHeights() {
    std::lock_guard<std::mutex> guard(readingScreenLock());
    verseMetaData_.clear();
    transHeightMeta_.clear();
    invalidateRowHeights();
    int resolution = LumenoSDKAppDelegate::ArabicFontSize();
    if (LumenoSDKAppDelegate::IsDeviceRetina()) resolution += 5;
    fontLoader_ = LumenoSDKAppDelegate::getSharedArabicFontLoader(resolution, canRecreateFontLoader_);
    canRecreateFontLoader_ = false;
    const int count = ChapterInfo::getVersesFromNumber(iCurrentSurah_);
    sqlite3* content = contentDb();
    std::map<int, Blob> glyphs = content ? ChapterInfo::getChapterVerseData(content, iCurrentSurah_) : std::map<int, Blob>{};
    for (int v = 1; v <= count; ++v) {
        auto found = glyphs.find(v);
        auto meta = found != glyphs.end()
                        ? std::make_shared<ArabicVerseMeta>(iCurrentSurah_, v, std::move(found->second))
                        : std::make_shared<ArabicVerseMeta>(iCurrentSurah_, v);
        if (found == glyphs.end() && content) meta->VerseData(content);
        verseMetaData_[v] = meta;
        if (hasTranslation() && static_cast<size_t>(v - 1) < translationArr_.size())
            transHeightMeta_[v] = std::make_shared<TranslationMeta>(translationArr_[static_cast<size_t>(v - 1)],
                                                                    iCurrentTranslation_, iCurrentSurah_, v, false);
    }
}

void SurahViewController::translationDidChange() {
    settingUpSurah_ = true;
    SurahVerseView::checkColoredTranslation();
    iCurrentTranslation_ = static_cast<int>(defaults().integerForKey("CurrentTranslationv22"));
    currTblOffset_.y = 0;
    RequiresReload_ = true;
    updateTranslationLabel();
    if (didRecentlyChangeTrans_) {
        const int verse = std::min(static_cast<int>(defaults().integerForKey("CurrentlyShowingVerse")),
                                   ChapterInfo::getVersesFromNumber(iCurrentSurah_));
        selectedVerse_ = verse;
        highlightVerse(verse, true, true, true, true);
    }
}

void SurahViewController::arabicFontChanged() {
    canRecreateFontLoader_ = true;
    invalidateRowHeights();
    translationDidChange();
}

void SurahViewController::saveCurrentSurahAndVerse() {
    if (tblVerses) currTblOffset_ = tblVerses->contentOffset();
    defaults().setString(stringWithFormat("%i", iCurrentSurah_), "LastSurah");
    defaults().setString(stringWithFormat("%i", iCurrentVerse_), "LastVerse");
    defaults().setInteger(iCurrentVerse_, "CurrentlyShowingVerse");
    defaults().setInteger(iCurrentSurah_, "CurrentlyShowingSurah");
    defaults().setInteger(static_cast<long long>(currTblOffset_.y), "LastSurahYOffset");
    defaults().setInteger(iCurrentSurah_, "LastSurahShowing");
    defaults().synchronize();
}

void SurahViewController::restoreLastSavedVerse() {
    selectedVerse_ = std::min(static_cast<int>(defaults().integerForKey("CurrentlyShowingVerse")),
                              ChapterInfo::getVersesFromNumber(iCurrentSurah_));
    highlightVerse(selectedVerse_, true, false, true);
}

std::string SurahViewController::getTranslationForSurah(int surah, int index) const {
    if (surah != iCurrentSurah_ || index < 0 || static_cast<size_t>(index) >= translationArr_.size()) return "";
    return translationArr_[static_cast<size_t>(index)];
}

// ---- Bookmarks and idle control ----

void SurahViewController::reloadBookmarksMap() {
    dictBookmarkedVerseMap_.clear();
    for (const auto& bookmark : ChapterInfo::getAllBookmarks(userDb(), iCurrentSurah_, -1))
        if (bookmark) dictBookmarkedVerseMap_[bookmark->verse()] = bookmark;
}

bool SurahViewController::isVerseBookmarked(int verse) const { return dictBookmarkedVerseMap_.count(verse) > 0; }

bool SurahViewController::verseHasNote(int verse) const {
    return ChapterInfo::hasBookmarkNote(userDb(), iCurrentSurah_, verse);
}

bool SurahViewController::isReflectingSearch(int verse) const {
    return ChapterInfo::isReflectedSearch(userDb(), iCurrentSurah_, verse);
}

bool SurahViewController::isVerseLastAudioBookmark(int surah, int verse) const {
    return surah == defaults().integerForKey("LastAudioSurah") && verse == defaults().integerForKey("LastAudioVerse");
}

void SurahViewController::updateBadge() {
    const int count = static_cast<int>(dictBookmarkedVerseMap_.size());
    tabBarItem()->setBadgeValue(count > 0 ? std::optional<std::string>(stringWithFormat("%i", count)) : std::nullopt);
}

void SurahViewController::addOrRemoveBookmarkForVerse(int verse, int group) {
    if (verse <= 0) return;
    const int surah = iCurrentSurah_;
    PendingUserWrites& pending = PendingUserWrites::shared();
    // While changes wait for the database, the screen's map already shows what they store.
    const bool wasBookmarked =
        pending.empty() ? ChapterInfo::isBookmarked(userDb(), surah, verse) : isVerseBookmarked(verse);
    const int storedGroup = group < 0 ? 0 : group;  // no group chosen is group 0, which the group lists know
    const auto tellNotChanged = [=] {
        NSLog("[addOrRemoveBookmarkForVerse] Error: the bookmark of %i:%i was not changed.", surah, verse);
        screen_support::showWriteFailure(wasBookmarked ? "Bookmark Not Removed" : "Bookmark Not Saved");
    };
    const PendingUserWrites::Outcome outcome = pending.run(
        [=](sqlite3* db) {
            return wasBookmarked ? ChapterInfo::deleteBookmark(db, surah, verse, false)
                                 : ChapterInfo::insertBookmark(db, surah, verse, false, storedGroup, "");
        },
        [=, weakSelf = weak_from_this()](bool stored) {
            if (!stored) tellNotChanged();
            // The screens reload from the file and show what it holds.
            NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
            if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->refreshIndexSurahRow(surah);
            if (auto self = std::static_pointer_cast<SurahViewController>(weakSelf.lock()))
                self->updateBookmarkForVerse(verse, surah);
        });
    if (outcome == PendingUserWrites::Outcome::failed) tellNotChanged();
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->refreshIndexSurahRow(surah);
    if (outcome == PendingUserWrites::Outcome::waiting) {
        // Shown as made; the list and the file follow once the database is free.
        if (wasBookmarked) {
            dictBookmarkedVerseMap_.erase(verse);
        } else {
            auto bookmark = std::make_shared<Bookmark>();
            bookmark->setSurah(surah);
            bookmark->setVerse(verse);
            bookmark->setBookmarkGroup(storedGroup);
            dictBookmarkedVerseMap_[verse] = bookmark;
        }
        updateBadge();
        return;
    }
    reloadBookmarksMap();
    updateBadge();
    NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
}

void SurahViewController::updateBookmarkForVerse(int verse, int surah) {
    if (surah != iCurrentSurah_) return;
    const int row = verseToRow(verse);
    if (iCurrentTranslation_ == 1000) {
        auto it = transHeightMeta_.find(verse);
        if (it != transHeightMeta_.end()) {
            it->second->ResetHeights();
            it->second->setTranslation(ChapterInfo::getBookmarkNote(userDb(), surah, verse));
        }
        invalidateRowHeights();
    }
    for (int r : {row, row + 1}) {
        if (r == row + 1 && !hasTranslation()) break;
        if (SurahVerseView* view = rowViewAt(r)) {
            view->refreshBookmarked();
            view->updateVerseNumberColumn();
            view->updateVerseBG();
        }
    }
    if (iCurrentTranslation_ == 1000 && tblVerses) {
        std::vector<NSIndexPath> paths{NSIndexPath::indexPathForRow(row, 0)};
        if (row + 1 < numberOfVerseRows()) paths.push_back(NSIndexPath::indexPathForRow(row + 1, 0));
        tblVerses->reloadRowsAtIndexPaths(paths, UITableViewRowAnimationNone);
    }
    if (tblVerses)
        for (UITableViewCell* cell : tblVerses->visibleCells())
            if (auto* verseCell = dynamic_cast<SurahViewCell*>(cell)) verseCell->CellView()->containedViewDidScroll(tblVerses.get());
}

void SurahViewController::checkIdleTimeout() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (!viewIsVisible_ || (app && app->isDownloading())) return;
    const double idle = dateLastActivity_ ? -dateLastActivity_->timeIntervalSinceNow() : 0;
    if (idle >= 180) {
        if (!LumenoSDKAppDelegate::isSleepEnabled()) LumenoSDKAppDelegate::enableSleep();
    } else if (LumenoSDKAppDelegate::isSleepEnabled()) {
        LumenoSDKAppDelegate::disableSleep();
    }
}

// ---- Entry points for the panel, the note editor and fast scrolling ----

void SurahViewController::showDialControlForVerseCell(SurahViewCell*, SurahVerseView* row, UITableView* table, int verse,
                                                      int surah) {
    optionsHUD().showDialControlForVerseCell(row, table, verse, surah);
}


void SurahViewController::selectVerseOnTopOfScreen() {
    if (!tblVerses) return;
    auto path = tblVerses->indexPathForRowAtPoint(CGPoint{1, tblVerses->contentOffset().y + 1});
    if (path) highlightVerse(rowToVerse(path->row), false, false);
}
