#pragma once
// A cell of the reading table: hosts one SurahVerseView and answers its questions through
// the reading screen.

#include <memory>

#include "Classes/Reading/SurahVerseView.h"
#include "platform/ui/hosting/UITableViewCell.h"

class SurahViewController;
class UITableView;

class SurahViewCell : public UITableViewCell {
public:
    // initWithStyle:reuseIdentifier:withViewController:forTranslation: — the reading screen
    // is unretained: it owns the table that owns the cell.
    SurahViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier, SurahViewController* controller,
                  bool forTranslation);

    SurahViewController* viewController() const { return viewController_; }
    SurahVerseView* CellView() const { return CellView_.get(); }
    UITableView* ThisTable() const { return ThisTable_; }
    void setThisTable(UITableView* table) { ThisTable_ = table; }
    void setDelegate(SurahViewController* delegate) { delegate_ = delegate; }

    bool isVerseBookmarked(int verse) const;
    bool verseHasNote(int verse) const;
    bool isReflectingSearch(int verse) const;
    void requestSelectionAndShowDial(SurahVerseView* row, int verse, int surah);
    void refreshView();

private:
    SurahViewController* viewController_;  // unretained
    SurahViewController* delegate_ = nullptr;  // unretained, unread
    UITableView* ThisTable_ = nullptr;     // unretained
    std::shared_ptr<SurahVerseView> CellView_;
};
