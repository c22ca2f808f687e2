#pragma once
// How many times each verse plays: "AyahRepeatCounter" 0 to 5 (5 without end); posts
// "AyahRepeatDidChange" and closes.

#include "Classes/Audio/PlayOptionsSheet.h"

class AyaRepeatController : public PlayOptionsSheet {
public:
    AyaRepeatController() : PlayOptionsSheet(CGSize{320, 340}) {}
    void viewDidLoad() override;
    void btnBackPressed() override;
    int numberOfRowsInSection(UITableView*, int) override { return 6; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    int iCurrentRepeatAyah() const { return iCurrentRepeatAyah_; }

private:
    int iCurrentRepeatAyah_ = 0;
};
