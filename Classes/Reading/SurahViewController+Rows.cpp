// Row model, row heights and offsets, selection, the playing mark and chapter navigation.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "Classes/Reading/SurahOptionsHUD.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIScreen.h"

namespace {

constexpr double kInvocationRowHeight = 65;

// Space for the juz, hizb-quarter and prostration marks above the verse badge.
double withMarkAllowance(double h, int surah, int verse) {
    const bool juz = ChapterInfo::isJuz(surah, verse);
    if (juz && h < 90) h += 45;
    if (ChapterInfo::isHizb(surah, verse) || ChapterInfo::isSajda(surah, verse))
        if (h < (juz ? 136 : 90)) h += 45;
    return h;
}

int fontSizeAllowance() {
    switch (LumenoSDKAppDelegate::ArabicFontSize()) {
    case 0: return 3;
    case 2: return 11;
    case 3: return 13;
    case 4: return 18;
    default: return 0;
    }
}

}  // namespace

int SurahViewController::numberOfVerseRows() const {
    const int n = ChapterInfo::getVersesFromNumber(iCurrentSurah_);
    const int rows = hasTranslation() ? 2 * n : n;
    return hasInvocationRow() ? rows + 1 : rows;
}

int SurahViewController::verseIndexOfRow(int row) const {
    if (hasInvocationRow()) {
        if (row <= 0) return -1;
        return hasTranslation() ? (row - 1) / 2 : row - 1;
    }
    return hasTranslation() ? row / 2 : row;
}

bool SurahViewController::isTranslationRow(int row) const {
    if (!hasTranslation()) return false;
    if (hasInvocationRow()) return row > 0 && row % 2 == 0;
    return row % 2 == 1;
}

int SurahViewController::rowToVerse(int row) const { return verseIndexOfRow(row) + 1; }

int SurahViewController::verseToRow(int verse) const {
    if (verse < 0) return 0;
    if (hasInvocationRow()) return hasTranslation() ? (verse == 0 ? 0 : 2 * verse - 1) : verse;
    const int v = std::max(verse, 1);
    return hasTranslation() ? 2 * (v - 1) : v - 1;
}

void SurahViewController::invalidateRowHeights() {
    rowHeights_.clear();
    rowHeightsWidth_ = -1;
}

std::vector<double>& SurahViewController::currentRowHeights() {
    const double width = tblVerses ? tblVerses->frame().size.width : UIScreen::mainScreen().bounds().size.width;
    const bool landscape = statusBarIsLandscape();
    const int rows = numberOfVerseRows();
    if (width != rowHeightsWidth_ || landscape != rowHeightsLandscape_ || static_cast<int>(rowHeights_.size()) != rows) {
        rowHeights_.assign(static_cast<size_t>(rows), -1);
        rowHeightsWidth_ = width;
        rowHeightsLandscape_ = landscape;
    }
    return rowHeights_;
}

double SurahViewController::estimatedHeightForVerseRow(int row) {
    if (row < 0 || row >= numberOfVerseRows()) return kInvocationRowHeight;
    const double cached = currentRowHeights()[static_cast<size_t>(row)];
    if (cached >= 0) return cached;
    if (!isTranslationRow(row)) return heightForVerseRow(row);
    auto it = transHeightMeta_.find(verseIndexOfRow(row) + 1);
    if (it == transHeightMeta_.end()) return kInvocationRowHeight;
    const int h = it->second->EstimatedHeight(statusBarIsLandscape());
    return iCurrentTranslation_ == 1000 && h <= 0 ? 1 : h;
}

double SurahViewController::heightForVerseRow(int row) {
    const double width = tblVerses ? tblVerses->frame().size.width : UIScreen::mainScreen().bounds().size.width;
    const bool landscape = statusBarIsLandscape();
    const int rows = numberOfVerseRows();
    if (row < 0 || row >= rows) return kInvocationRowHeight;
    double& cached = currentRowHeights()[static_cast<size_t>(row)];
    if (cached >= 0) return cached;

    const int a = verseIndexOfRow(row);
    const int v = a + 1;
    double h;
    if (isTranslationRow(row)) {
        auto it = transHeightMeta_.find(v);
        if (it == transHeightMeta_.end()) {
            h = kInvocationRowHeight;
        } else {
            h = landscape ? it->second->LandscapeHeight() : it->second->Height();
            if (iCurrentTranslation_ == 1000 && h <= 0) h = 1;
        }
        return cached = h;
    }
    if (verseMetaData_.empty()) return cached = kInvocationRowHeight;
    if (a < 0) {
        h = kInvocationRowHeight;
    } else {
        auto it = verseMetaData_.find(v);
        const std::vector<uint8_t>* bytes = it != verseMetaData_.end() ? &it->second->VerseData() : nullptr;
        if (!bytes || bytes->empty() || !fontLoader_) {
            h = kInvocationRowHeight;  // no glyph data: an empty row of the usual height
        } else {
            h = fontLoader_->getHeightOfVerseImage(v, false, *bytes, 0, static_cast<int>(bytes->size()) - 1,
                                                   static_cast<int>(width - 60 - 10), false);
            if (!landscape && !hasTranslation()) h += 5;
        }
    }
    h = withMarkAllowance(h, iCurrentSurah_, a < 0 ? 0 : v);
    if (!hasTranslation()) h += fontSizeAllowance();
    return cached = h;
}

int SurahViewController::getTopOffsetForRow(int row, bool) {
    // The table's own geometry, so the offset lands on the row's top.
    if (!tblVerses || row <= 0) return 0;
    row = std::min(row, numberOfVerseRows() - 1);
    return static_cast<int>(tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)).origin.y);
}

double SurahViewController::getHeightForVerse(int verse, bool) {
    if (verseMetaData_.empty()) return 0;
    if (verse < 1) return kInvocationRowHeight;
    auto it = verseMetaData_.find(verse);
    if (it == verseMetaData_.end() || it->second->VerseData().empty() || !fontLoader_) return kInvocationRowHeight;
    const auto& bytes = it->second->VerseData();
    const double width = tblVerses ? tblVerses->frame().size.width : UIScreen::mainScreen().bounds().size.width;
    double h = fontLoader_->getHeightOfVerseImage(verse, false, bytes, 0, static_cast<int>(bytes.size()) - 1,
                                                  static_cast<int>(width - 60 - 10), false);
    if (!statusBarIsLandscape() && !hasTranslation()) h += 5;
    return withMarkAllowance(h, iCurrentSurah_, verse);
}

SurahVerseView* SurahViewController::rowViewAt(int row) {
    if (!tblVerses || row < 0) return nullptr;
    auto* cell = dynamic_cast<SurahViewCell*>(tblVerses->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)));
    return cell ? cell->CellView() : nullptr;
}

void SurahViewController::markRowSelected(int row, bool selected, bool deselectInTable) {
    if (SurahVerseView* view = rowViewAt(row)) {
        view->setIsSelected(selected);
        view->updateVerseBG();
    }
    if (deselectInTable && tblVerses) tblVerses->deselectRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0), false);
}

void SurahViewController::highlightVerse(int verse, bool jump) {
    highlightWithAnim_ = true;
    highlightVerse(verse, jump, true);
}

void SurahViewController::highlightVerse(int verse, bool jump, bool animated, bool force, bool) {
    if (verse == selectedVerse_ && verse != -1 && !force) return;
    const int rows = numberOfVerseRows();
    if (verse != selectedVerse_ && selectedVerse_ != -1) {
        const int old = verseToRow(selectedVerse_);
        markRowSelected(old, false, true);
        if (hasTranslation() && old + 1 < rows) markRowSelected(old + 1, false, true);
    }
    selectedVerse_ = verse < 0 ? 0 : verse;
    const int r = verseToRow(selectedVerse_);
    SurahVerseView* view = rowViewAt(r);
    if (!view && animated && hasTranslation()) view = rowViewAt(r + 1);
    if (!view && animated && tblVerses && r < rows) {
        tblVerses->selectRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0), animated, UITableViewScrollPositionTop);
        view = rowViewAt(r);
    }
    if (view) view->setIsSelected(true);
    if (hasInvocationRow() && selectedVerse_ < 1) {
        markRowSelected(0, true, false);
    } else if (hasTranslation() && r + 1 < rows) {
        markRowSelected(r + 1, true, false);
    }
    if (jump && tblVerses && r < rows)
        tblVerses->selectRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0), animated, UITableViewScrollPositionTop);
    iCurrentVerse_ = selectedVerse_;
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setString(stringWithFormat("%i", selectedVerse_), "LastVerse");
    defaults.setInteger(selectedVerse_, "CurrentlyShowingVerse");
    dateLastActivity_ = NSDate::date();
}

void SurahViewController::setRowPlaying(int row, bool on) {
    if (SurahVerseView* view = rowViewAt(row)) view->setIsPlaying(on);
}

void SurahViewController::highlightForPlayingVerse(int verse, bool stop, bool) {
    const int rows = numberOfVerseRows();
    const int old = verseToRow(iCurrentPlayingVerse_);
    setRowPlaying(old, false);
    if (hasTranslation() && old + 1 < rows) setRowPlaying(old + 1, false);
    if (!stop) {
        iCurrentPlayingVerse_ = verse < 0 ? 0 : verse;
        const int r = verseToRow(verse);
        setRowPlaying(r, true);
        if (hasInvocationRow() && verse < 1) setRowPlaying(0, true);
        else if (hasTranslation() && r + 1 < rows) setRowPlaying(r + 1, true);
    }
    if (showingDialControl_) {
        mouseLocation_ = NSIndexPath::indexPathForRow(verseToRow(iCurrentPlayingVerse_), 0);
        if (optionsHUD_) {  // the open panel follows the recited verse
            optionsHUD_->setMouseLocation(mouseLocation_);
            optionsHUD_->refreshHUDButtons();
            optionsHUD_->updateHUDTranslationLabel();
        }
    }
}

int SurahViewController::getNextAvailableSurah() const { return iCurrentSurah_ >= 114 ? 1 : iCurrentSurah_ + 1; }

int SurahViewController::getPrevAvailableSurah() const { return iCurrentSurah_ <= 1 ? 114 : iCurrentSurah_ - 1; }

void SurahViewController::showNextSurahNow() {
    if (isSwitchingSurah_) return;
    const bool play = IsInPlayMode_ || globalShouldStartPlaying_;
    switchToSurah(getNextAvailableSurah(), play);
}

void SurahViewController::showPreviousSurahNow() {
    if (isSwitchingSurah_) return;
    switchToSurah(getPrevAvailableSurah(), false);
}

void SurahViewController::switchToSurah(int surah, bool play) {
    stopIfPlaying();
    isSwitchingSurah_ = true;
    iCurrentVerse_ = -1;
    setupBasicSurah(surah, -1, play);
    isSwitchingSurah_ = true;
    if (tblVerses) {
        UIView::beginAnimations("HideDuringLoad");
        UIView::setAnimationDuration(0.1);
        tblVerses->setAlpha(0);
        UIView::commitAnimations();
    }
    hideVersesBeforeLoading(false, false);
    usePrevOffset_ = false;
    resetVersePosition_ = true;
    RunLoop::main().performAfterDelay(this, 0.1, [this] { asyncSurahReload(); }, "asyncSurahReload");
    tajweedBarDisplayToggled(true);
}

void SurahViewController::hideVersesBeforeLoading(bool hideTable, bool) {
    if (lblLoading) lblLoading->setAlpha(1);
    if (tblVerses) {
        tblVerses->setUserInteractionEnabled(false);
        if (hideTable) tblVerses->setAlpha(0);
    }
    if (progressIndicator) progressIndicator->startAnimating();
}

void SurahViewController::showVersesAfterLoading(bool) {
    if (progressIndicator) progressIndicator->stopAnimating();
    if (imgSurahName) imgSurahName->setAlpha(1);
    if (lblLoading) lblLoading->setAlpha(0);
    if (tblVerses) {
        tblVerses->setUserInteractionEnabled(true);
        tblVerses->setAlpha(1);
    }
}

void SurahViewController::reloadVisibleRows() {
    if (settingUpSurah_ || isSwitchingSurah_ || !tblVerses) return;
    tblVerses->reloadRowsAtIndexPaths(tblVerses->indexPathsForVisibleRows(), UITableViewRowAnimationNone);
}

void SurahViewController::refreshSurahView() {
    if (!tblVerses) return;
    for (UITableViewCell* cell : tblVerses->visibleCells())
        if (auto* verseCell = dynamic_cast<SurahViewCell*>(cell)) verseCell->refreshView();
}
