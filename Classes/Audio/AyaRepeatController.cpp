#include "Classes/Audio/AyaRepeatController.h"

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

using screen_support::tr;

void AyaRepeatController::viewDidLoad() {
    iCurrentRepeatAyah_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("AyahRepeatCounter"));
    setUpTopBar(tr("Play each aya"), false);
}

void AyaRepeatController::btnBackPressed() {
    if (delegate_) delegate_->dismissAyahRepeatOptionSheet();
}

UITableViewCellPtr AyaRepeatController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    static const char* const kTexts[] = {"Once", "Twice", "3 times", "4 times", "5 times", "Keep playing selected aya only"};
    UITableViewCellPtr cell = dequeueCell(tableView);
    cell->textLabel()->setText(tr(kTexts[indexPath.row]));
    cell->setAccessoryType(indexPath.row == iCurrentRepeatAyah_ ? UITableViewCellAccessoryCheckmark
                                                                : UITableViewCellAccessoryNone);
    return cell;
}

void AyaRepeatController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    setChecked(0, iCurrentRepeatAyah_, false);
    setChecked(0, indexPath.row, true);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setInteger(indexPath.row, "AyahRepeatCounter");
    defaults.synchronize();
    iCurrentRepeatAyah_ = indexPath.row;
    NSNotificationCenter::defaultCenter().postNotificationName("AyahRepeatDidChange");
    if (delegate_) delegate_->dismissAyahRepeatOptionSheet();
}
