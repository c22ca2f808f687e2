#include "Classes/Reading/SurahViewCell.h"

#include "Classes/Reading/SurahViewController.h"

SurahViewCell::SurahViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier,
                             SurahViewController* controller, bool forTranslation)
    : UITableViewCell(style, reuseIdentifier), viewController_(controller) {
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    setOpaque(false);
    const CGRect content = contentView()->bounds();
    CellView_ = std::make_shared<SurahVerseView>(CGRect{{0, 0}, content.size}, this, forTranslation);
    CellView_->setAutoresizesSubviews(true);
    CellView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    contentView()->addSubview(CellView_);
}

bool SurahViewCell::isVerseBookmarked(int verse) const {
    return viewController_ && viewController_->isVerseBookmarked(verse);
}

bool SurahViewCell::verseHasNote(int verse) const { return viewController_ && viewController_->verseHasNote(verse); }

bool SurahViewCell::isReflectingSearch(int verse) const {
    return viewController_ && viewController_->isReflectingSearch(verse);
}

void SurahViewCell::requestSelectionAndShowDial(SurahVerseView* row, int verse, int surah) {
    if (!viewController_) return;
    if (row && row->TranslationMetaData() && row->TranslationMetaData()->ThisTranslator() == 1000)
        viewController_->showNotesViewForVerse(verse);
    else
        viewController_->showDialControlForVerseCell(this, row, ThisTable_, verse, surah);
}

void SurahViewCell::refreshView() { CellView_->refreshView(); }
