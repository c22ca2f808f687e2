#pragma once
// The list screen of the interface "SurahOptionsReciter" that the reciter, play-next and
// verse-repeat pickers share: a top bar with title and back button, a table of 44-point rows
// with check marks, and two legend lines under it.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UITableViewCell.h"
#include "platform/ui/hosting/UIViewController.h"

class SurahViewController;

class PlayOptionsSheet : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit PlayOptionsSheet(CGSize popoverSize);
    ~PlayOptionsSheet() override;
    static void registerInterface();

    // Outlets, wired by the "SurahOptionsReciter" builder.
    std::shared_ptr<UILabel> lblTopTitle, lblLegend1, lblLegend2;
    std::shared_ptr<UIButton> btnBack;
    std::shared_ptr<UIImageView> imgTopBar, imgLegend;
    std::shared_ptr<UITableView> table;

    virtual void btnBackPressed() = 0;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 44; }

    // The reading screen that opened the sheet; unretained.
    SurahViewController* delegate() const { return delegate_; }
    void setDelegate(SurahViewController* delegate) { delegate_ = delegate; }

protected:
    // Top bar, back button and the legend lines hidden, as every sheet starts.
    void setUpTopBar(const std::string& topTitle, bool showLegend);
    // A "VerseCell" row with the sheets' fonts.
    static UITableViewCellPtr dequeueCell(UITableView* tableView);
    // Sets the check mark of a row when it is on screen.
    void setChecked(int section, int row, bool checked);

    SurahViewController* delegate_ = nullptr;  // unretained
};
