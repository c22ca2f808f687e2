#pragma once
// What playback does after a group or at the chapter's end ("SurahRepeatCounter" 0 stop, 1 next
// chapter, 2 repeat) and how many verses a group holds ("PlayVerseRange" 0 to 13). A group and
// the next-chapter rule never hold together: choosing one resets the other.

#include "Classes/Audio/PlayOptionsSheet.h"

class PlayNextAyasController : public PlayOptionsSheet {
public:
    PlayNextAyasController() : PlayOptionsSheet(CGSize{320, 480}) {}
    void viewDidLoad() override;
    void btnBackPressed() override;
    int numberOfSectionsInTableView(UITableView*) override { return 2; }
    int numberOfRowsInSection(UITableView*, int section) override { return section == 0 ? 3 : 14; }
    std::string titleForHeaderInSection(UITableView* tableView, int section) override;
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    // The visible text of a row.
    static std::string rowText(int section, int row);
    int iCurrSurahRepeat() const { return iCurrSurahRepeat_; }
    int iCurrVerseRange() const { return iCurrVerseRange_; }

private:
    void chooseRule(int rule);
    void chooseGroup(int group, bool mark);
    int iCurrSurahRepeat_ = 0;
    int iCurrVerseRange_ = 0;
};
