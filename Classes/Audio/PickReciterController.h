#pragma once
// The reciter list: marks the current reciter, shows for the open chapter whether each one's
// audio is installed and whether it has continuous recordings, stores the choice in
// "CurrentReciterv22", posts "ReciterDidChange", and offers the upgrade to continuous audio.

#include <vector>

#include "Classes/Audio/PlayOptionsSheet.h"
#include "platform/ui/hosting/UIAlertView.h"

class PickReciterController : public PlayOptionsSheet, public UIAlertViewDelegate {
public:
    PickReciterController() : PlayOptionsSheet(CGSize{320, 417}) {}
    // The chapter whose installation is shown; -1 (the start) shows none.
    void setSurah(int surah);
    void viewDidLoad() override;
    void btnBackPressed() override;
    int numberOfRowsInSection(UITableView*, int) override { return static_cast<int>(arrKeys_.size()); }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) override;

    int iCurrentSurah() const { return iCurrentSurah_; }
    int iCurrentReciter() const { return iCurrentReciter_; }
    const std::vector<int>& reciterCodes() const { return arrVals_; }
    const std::shared_ptr<UIAlertView>& upgradeAlert() const { return upgradeAlert_; }

private:
    void updateSecondLegend();
    // Continuous audio offered but the chapter installed only verse by verse.
    bool needsGaplessUpgrade(int reciter) const;
    void finishChoice();

    int iCurrentSurah_ = -1;
    int iCurrentReciter_ = 0;
    std::vector<std::string> arrKeys_;
    std::vector<int> arrVals_;
    std::shared_ptr<UIAlertView> upgradeAlert_;
};
