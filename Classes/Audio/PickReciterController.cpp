#include "Classes/Audio/PickReciterController.h"

#include <algorithm>

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

using screen_support::tr;
using screen_support::userDb;

namespace {

constexpr int kReciterOrder[] = {0, 4, 2, 5, 3, 6, 8, 1};

UIColorPtr grey() { return UIColor::colorWithRed(0.522, 0.522, 0.522, 1); }

}  // namespace

bool PickReciterController::needsGaplessUpgrade(int reciter) const {
    sqlite3* db = userDb();
    return ChapterInfo::doesReciterSupportContRecitation(reciter) &&
           !ChapterInfo::isSurahAudioContinuous(db, iCurrentSurah_, reciter) &&
           ChapterInfo::isSurahAudioInstalled(db, iCurrentSurah_, reciter);
}

void PickReciterController::setSurah(int surah) {
    iCurrentSurah_ = surah;
    if (isViewLoaded()) updateSecondLegend();
}

void PickReciterController::updateSecondLegend() {
    if (!lblLegend2) return;
    if (needsGaplessUpgrade(iCurrentReciter_)) {
        lblLegend2->setText(tr("You can also download the audio files update from settings at anytime"));
        lblLegend2->setTextAlignment(LumenoSDKAppDelegate::IsLanguageArabic() ? UITextAlignmentRight : UITextAlignmentLeft);
    } else {
        lblLegend2->setText("");
    }
}

void PickReciterController::viewDidLoad() {
    iCurrentReciter_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentReciterv22"));
    lblLegend1->setText(tr("Reciter supports gapless playback"));
    updateSecondLegend();
    arrVals_.assign(std::begin(kReciterOrder), std::end(kReciterOrder));
    arrKeys_.clear();
    for (int code : arrVals_) arrKeys_.push_back(ChapterInfo::getReciterFullNameFromNumber(code));
    setTitle(tr("Reciters"));
    setUpTopBar(tr("Pick Recitation"), true);
}

void PickReciterController::btnBackPressed() { dismissModalViewControllerAnimated(true); }

UITableViewCellPtr PickReciterController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = dequeueCell(tableView);
    const int code = arrVals_.at(static_cast<size_t>(indexPath.row));
    cell->textLabel()->setText(arrKeys_.at(static_cast<size_t>(indexPath.row)));
    cell->setAccessoryType(code == iCurrentReciter_ ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    const bool continuous = ChapterInfo::doesReciterSupportContRecitation(code);
    bool installed = false;
    if (iCurrentSurah_ != -1) {
        sqlite3* db = userDb();
        installed = ChapterInfo::isSurahAudioContinuous(db, iCurrentSurah_, code) ||
                    ChapterInfo::isSurahAudioInstalled(db, iCurrentSurah_, code);
    }
    cell->textLabel()->setTextColor(installed ? UIColor::blackColor() : grey());
    const char* image = installed ? (continuous ? "Reciter-icon-updated.png" : "Reciter-ready.png")
                                  : (continuous ? "Reciter-download-updated.png" : "Reciter-download.png");
    cell->imageView()->setImage(UIImage::imageNamed(image));
    return cell;
}

void PickReciterController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    auto old = std::find(arrVals_.begin(), arrVals_.end(), iCurrentReciter_);
    if (old != arrVals_.end()) setChecked(0, static_cast<int>(old - arrVals_.begin()), false);
    iCurrentReciter_ = arrVals_.at(static_cast<size_t>(indexPath.row));
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setInteger(iCurrentReciter_, "CurrentReciterv22");
    defaults.synchronize();
    setChecked(0, indexPath.row, true);
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (needsGaplessUpgrade(iCurrentReciter_)) {
        upgradeAlert_ = std::make_shared<UIAlertView>(
            "",
            tr("An upgrade to gapless (continuous) playback for some reciters has been detected. This will require "
               "re-downloading audio data for all surahs. Would you like to do this now?"),
            this, tr("No"), std::vector<std::string>{tr("Yes")});
        upgradeAlert_->show();
        return;
    }
    finishChoice();
}

void PickReciterController::alertViewClickedButtonAtIndex(UIAlertView*, int buttonIndex) {
    if (buttonIndex == 1) LumenoSDKAppDelegate::upgradeToGaplessRequested();
    finishChoice();
}

void PickReciterController::finishChoice() {
    NSNotificationCenter::defaultCenter().postNotificationName("ReciterDidChange");
    dismissModalViewControllerAnimated(true);
}
