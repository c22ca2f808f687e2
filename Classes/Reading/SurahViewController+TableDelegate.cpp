// Data source and delegate of the verse table and the chapter-information table.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Reading/SurahInfoCell.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewCell.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"

namespace {

std::string interfaceDigits(const std::string& text) {
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(text) : text;
}

}  // namespace

int SurahViewController::surahInfoRowCount() const {
    return ChapterInfo::getAltNameFromNumber(iCurrentSurah_).empty() ? 5 : 7;
}

int SurahViewController::numberOfRowsInSection(UITableView* tableView, int) {
    if (tableView == tblVerses.get()) return numberOfVerseRows();
    if (tableView == tblSurahInfo.get()) return surahInfoRowCount();
    return 0;
}

double SurahViewController::heightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (tableView == tblVerses.get()) return heightForVerseRow(indexPath.row);
    if (tableView == tblSurahInfo.get()) {
        const int origin = surahInfoRowCount() == 7 ? 6 : 4;
        if (indexPath.row == origin && !ChapterInfo::getExtraChronoFromNumber(iCurrentSurah_).value_or("").empty())
            return 88;
        return 44;
    }
    return 65;
}

double SurahViewController::estimatedHeightForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    return tableView == tblVerses.get() ? estimatedHeightForVerseRow(indexPath.row) : -1;
}

UITableViewCellPtr SurahViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (tableView == tblSurahInfo.get()) return surahInfoCell(tableView, indexPath.row);
    const int row = indexPath.row;
    const bool translationRow = isTranslationRow(row);
    const char* identifier = translationRow ? "VerseCellTrans" : "VerseCell";
    std::shared_ptr<SurahViewCell> cell =
        std::dynamic_pointer_cast<SurahViewCell>(tableView->dequeueReusableCellWithIdentifier(identifier));
    if (!cell) {
        cell = std::make_shared<SurahViewCell>(UITableViewCellStyleDefault, identifier, this, false);
        cell->setDelegate(this);
        cell->setThisTable(tblVerses.get());
    }
    // The cell's frame is the row's before its content is laid out.
    CGRect frame = cell->frame();
    frame.size = CGSize{tableView->bounds().size.width, heightForVerseRow(row)};
    cell->setFrame(frame);
    cell->layoutIfNeeded();
    const int verse = verseIndexOfRow(row) + 1;
    SurahVerseView* view = cell->CellView();
    if (translationRow) {
        auto it = transHeightMeta_.find(verse);
        view->setTranslationMetaData(it != transHeightMeta_.end() ? it->second : nullptr);
    } else {
        auto it = verseMetaData_.find(verse);
        view->setArabicMetaData(it != verseMetaData_.end() ? it->second : nullptr);
    }
    view->setIsSelected(rowToVerse(row) == selectedVerse_);
    if (IsInPlayMode_) {
        view->setIsLastPlaying(false);
        view->setIsPlaying(rowToVerse(row) == iCurrentPlayingVerse_);
    } else {
        view->setIsPlaying(false);
        if (iCurrentSurah_ == iLastAudioSurah_ && rowToVerse(row) == iLastAudioVerse_) iLastSetAudioCell_ = row;
        else view->setIsLastPlaying(false);
    }
    return cell;
}

UITableViewCellPtr SurahViewController::surahInfoCell(UITableView* tableView, int row) {
    std::shared_ptr<SurahInfoCell> cell =
        std::dynamic_pointer_cast<SurahInfoCell>(tableView->dequeueReusableCellWithIdentifier("SurahInfoCell"));
    if (!cell) cell = std::make_shared<SurahInfoCell>(UITableViewCellStyleDefault, "SurahInfoCell");
    cell->lblExplanation()->setText("");
    cell->viewBottomMarker()->setHidden(false);
    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
    int k = row;
    if (surahInfoRowCount() == 5 && row >= 2) k = row + 2;
    static const char* kCaptions[] = {"Sura Name",          "Meaning", "Other Name", "Other Meaning", "Aya Count",
                                      "Chronological Order", "Origin"};
    if (k < 0 || k > 6) return cell;
    cell->lblLeftLabel()->setText(Language::get(kCaptions[k], kCaptions[k]));
    const int s = iCurrentSurah_;
    const bool arabic = LumenoSDKAppDelegate::IsLanguageArabic();
    std::string value;
    switch (k) {
    case 0:
        value = arabic ? stringWithFormat("%@ %@", ChapterInfo::getNameFromNumber(s), interfaceDigits(stringWithFormat("%i", s)))
                       : stringWithFormat("%@ %@", stringWithFormat("%i", s), ChapterInfo::getNameFromNumber(s));
        break;
    case 1: value = ChapterInfo::getMeaningFromNumber(s); break;
    case 2: value = ChapterInfo::getAltNameFromNumber(s); break;
    case 3: value = ChapterInfo::getAltMeaningFromNumber(s); break;
    case 4: {
        const std::string count = stringWithFormat("%i", ChapterInfo::getVersesFromNumber(s));
        value = arabic ? interfaceDigits(count) : stringWithFormat("%@ %@", count, Language::get("ayas", "ayas"));
        break;
    }
    case 5: value = interfaceDigits(stringWithFormat("%i", ChapterInfo::getChronoOrderForChapter(s))); break;
    case 6:
        value = ChapterInfo::getCityFromNumber(s);
        cell->lblExplanation()->setText(ChapterInfo::getExtraChronoFromNumber(s).value_or(""));
        cell->viewBottomMarker()->setHidden(true);
        break;
    }
    cell->lblRightLabel()->setText(value);
    return cell;
}

std::optional<NSIndexPath> SurahViewController::willSelectRowAtIndexPath(UITableView* tableView,
                                                                         const NSIndexPath& indexPath) {
    if (tableView == tblSurahInfo.get()) return std::nullopt;
    return indexPath;
}

void SurahViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (tableView == tblVerses.get()) highlightVerse(rowToVerse(indexPath.row), false);
}

void SurahViewController::scrollViewDidScroll(UIScrollView* scrollView) {
    if (scrollView != tblVerses.get() || ignoreProcessingScrollEvents_) return;
    for (UITableViewCell* cell : tblVerses->visibleCells())
        if (auto* verseCell = dynamic_cast<SurahViewCell*>(cell)) verseCell->CellView()->containedViewDidScroll(scrollView);
}

void SurahViewController::scrollViewDidEndDragging(UIScrollView* scrollView, bool willDecelerate) {
    if (scrollView != tblVerses.get()) return;
    deceleratingTable_ = willDecelerate;
    previouslyDragging_ = false;
    if (!willDecelerate && !IsInPlayMode_) selectVerseOnTopOfScreen();
}

void SurahViewController::scrollViewDidEndDecelerating(UIScrollView* scrollView) {
    if (scrollView != tblVerses.get()) return;
    deceleratingTable_ = previouslyDragging_ = false;
    if (!IsInPlayMode_) selectVerseOnTopOfScreen();
}

bool SurahViewController::scrollViewShouldScrollToTop(UIScrollView* scrollView) {
    if (scrollView != tblVerses.get()) return false;
    previouslyDragging_ = false;
    if (isShowingSurahInfo_) return false;
    if (IsInPlayMode_) {
        highlightVerse(iCurrentPlayingVerse_, false, true, true);
        return false;
    }
    if (showingDialControl_) return false;
    ignoreProcessingScrollEvents_ = true;
    return true;
}

void SurahViewController::scrollViewDidScrollToTop(UIScrollView* scrollView) {
    if (scrollView != tblVerses.get()) return;
    deceleratingTable_ = previouslyDragging_ = false;
    if (!IsInPlayMode_) selectVerseOnTopOfScreen();
    ignoreProcessingScrollEvents_ = false;
    scrollViewDidScroll(scrollView);
}
