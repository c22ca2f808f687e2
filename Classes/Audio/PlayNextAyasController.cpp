#include "Classes/Audio/PlayNextAyasController.h"

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"

using screen_support::tr;

namespace {

NSUserDefaults& pickerDefaults() { return NSUserDefaults::standardUserDefaults(); }

void storeChoice(int value, const char* key, const char* notification) {
    pickerDefaults().setInteger(value, key);
    pickerDefaults().synchronize();
    NSNotificationCenter::defaultCenter().postNotificationName(notification);
}

}  // namespace

void PlayNextAyasController::viewDidLoad() {
    iCurrSurahRepeat_ = static_cast<int>(pickerDefaults().integerForKey("SurahRepeatCounter"));
    iCurrVerseRange_ = static_cast<int>(pickerDefaults().integerForKey("PlayVerseRange"));
    setUpTopBar(tr("Play Options"), false);
}

void PlayNextAyasController::btnBackPressed() {
    if (delegate_) delegate_->dismissNextAyahOptionSheet();
}

std::string PlayNextAyasController::titleForHeaderInSection(UITableView*, int section) {
    return section == 0 ? tr("Surah Options") : Language::get("Grouped verses", "Group verses");
}

std::string PlayNextAyasController::rowText(int section, int row) {
    const bool options = pickerDefaults().boolForKey("PlayOptionsEnabled");
    if (section == 0) {
        static const char* const kWithGroups[] = {"Stop at surah / group end", "Play surah by surah",
                                                  "Repeat current surah / group"};
        static const char* const kPlain[] = {"Stop at surah end", "Play surah by surah", "Repeat current surah"};
        return tr(options ? kWithGroups[row] : kPlain[row]);
    }
    if (row == 0) return tr("Play verse by verse");
    if (row == 1) return tr("Play the next 1 verse");
    const int size = SurahViewController::verseGroupSize(row);
    if (LumenoSDKAppDelegate::IsLanguageArabic() && row >= 5 && row <= 8)
        return stringWithFormat("%@ %@ %@", tr("Play the next"),
                                ChapterInfo::getArabicNumbersFrom(stringWithFormat("%i", size)), tr("playverses"));
    const std::string text = stringWithFormat("Play the next %i verses", size);
    return Language::get(text, text);
}

UITableViewCellPtr PlayNextAyasController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = dequeueCell(tableView);
    cell->textLabel()->setTextAlignment(UITextAlignmentLeft);
    cell->textLabel()->setText(rowText(indexPath.section, indexPath.row));
    const int marked = indexPath.section == 0 ? iCurrSurahRepeat_ : iCurrVerseRange_;
    cell->setAccessoryType(indexPath.row == marked ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    return cell;
}

void PlayNextAyasController::chooseRule(int rule) {
    setChecked(0, iCurrSurahRepeat_, false);
    setChecked(0, rule, true);
    iCurrSurahRepeat_ = rule;
    storeChoice(rule, "SurahRepeatCounter", "SurahRepeatDidChange");
}

void PlayNextAyasController::chooseGroup(int group, bool mark) {
    if (mark) {
        setChecked(1, iCurrVerseRange_, false);
        setChecked(1, group, true);
    }
    iCurrVerseRange_ = group;
    storeChoice(group, "PlayVerseRange", "PlayVerseRangeDidChange");
}

void PlayNextAyasController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    const int r = indexPath.row;
    if (indexPath.section == 0) {
        chooseRule(r);
        if (r == 1 && iCurrVerseRange_ != 0) chooseGroup(0, pickerDefaults().boolForKey("PlayOptionsEnabled"));
    } else {
        chooseGroup(r, true);
        if (r != 0 && iCurrSurahRepeat_ == 1) chooseRule(0);
    }
}
