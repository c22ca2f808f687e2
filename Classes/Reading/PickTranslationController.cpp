#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Reading/PickTranslationController.h"

#include <algorithm>
#include <map>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITableViewCell.h"

namespace {

using screen_support::tr;
using screen_support::stretched;

// Top bar with title and back button over the list.
std::shared_ptr<UIView> buildPickerView(UIViewController& owner) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
    root->setBackgroundColor(UIColor::whiteColor());
    auto* picker = dynamic_cast<PickTranslationController*>(&owner);
    if (!picker) return root;  // only the picker has these outlets
    auto& c = *picker;
    c.imgTopBar = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 44));
    c.imgTopBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblTopTitle = std::make_shared<UILabel>(CGRectMake(80, 0, 160, 44));
    c.lblTopTitle->setTextAlignment(UITextAlignmentCenter);
    c.lblTopTitle->setFont(UIFont::fontWithName("Helvetica-Bold", 18));
    c.lblTopTitle->setTextColor(UIColor::whiteColor());
    c.lblTopTitle->setBackgroundColor(UIColor::clearColor());
    c.lblTopTitle->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    c.btnBack = std::make_shared<UIButton>(CGRectMake(6, 7, 64, 30));
    c.btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnBack->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnBackPressed(); }, UIControlEventTouchUpInside);
    c.table = std::make_shared<UITableView>(CGRectMake(0, 44, 320, 416));
    c.table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.table->setDataSource(&c);
    c.table->setDelegate(&c);
    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{c.table, c.imgTopBar, c.lblTopTitle, c.btnBack}) root->addSubview(v);
    return root;
}

void styleCell(UITableViewCell& cell, double detailSize) {
    cell.textLabel()->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    if (UILabel* detail = cell.detailTextLabel()) {  // default-style cells have none
        detail->setFont(UIFont::fontWithName("Helvetica", detailSize));
        detail->setTextColor(UIColor::colorWithRed(101 / 255.0, 100 / 255.0, 94 / 255.0, 1));
    }
}

}  // namespace

void PickTranslationController::registerInterfaces() {
    for (const char* name : {"SurahOptions", "GenericOneTableView"})
        if (!UIViewController::hasInterface(name)) UIViewController::registerInterface(name, buildPickerView);
}

PickTranslationController::PickTranslationController(const std::string& nibName) : UIViewController(nibName) {
    registerInterfaces();
    setContentSizeForViewInPopover(CGSize{320, 480});
}

PickTranslationController::~PickTranslationController() {
    if (table) {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

std::string PickTranslationController::flagImageName(int t) {
    static const std::map<int, const char*> flags = {
        {0, "translation-none.png"}, {1, "UK.png"}, {2, "UK.png"}, {3, "UK.png"}, {4, "UK.png"}, {10, "UK.png"},
        {12, "UK.png"}, {5, "Indonesia.png"}, {6, "Malaysia.png"}, {7, "Germany.png"}, {8, "France.png"},
        {9, "Spain.png"}, {37, "Spain.png"}, {11, "Turkey.png"}, {13, "Russia.png"}, {14, "Bosnia.png"},
        {15, "Pakistan.png"}, {16, "Iran.png"}, {36, "Iran.png"}, {17, "Netherlands.png"}, {18, "Italy.png"},
        {19, "Albania.png"}, {20, "Romania.png"}, {21, "Japan.png"}, {22, "Bangladesh.png"}, {23, "Azerbaijan.png"},
        {24, "China.png"}, {25, "Bulgaria.png"}, {26, "India.png"}, {27, "SaudiArabia.png"}, {38, "SaudiArabia.png"},
        {28, "SouthKorea.png"}, {29, "Czech.png"}, {30, "Sweden.png"}, {31, "Thailand.png"}, {32, "Poland.png"},
        {33, "Portugal.png"}, {34, "Norway.png"}, {35, "Uzbekistan.png"}, {1000, "trnslation-note.png"}};
    auto it = flags.find(t);
    return it == flags.end() ? std::string() : it->second;
}

void PickTranslationController::setupNormalPicker() {
    iCurrentTranslation_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("HUDTranslation"));
    isNormalPickerMode_ = true;
    view();  // the panel-mode texts win over those of loading
    lblTopTitle->setText(tr("Pick Translation"));
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnBack->setTitle(tr("Cancel"), state);
}

void PickTranslationController::viewDidLoad() {
    if (!isNormalPickerMode_)
        iCurrentTranslation_ = static_cast<int>(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"));
    setTitle(tr("Show"));
    lblTopTitle->setText(tr("Show"));
    imgTopBar->setImage(stretched("sura-navbar.png", 159, 0));
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnBack->setTitle(tr("Back"), state);
    btnBack->setBackgroundImage(stretched("sura-button.png", 16, 0), UIControlStateNormal);
    btnBack->setBackgroundImage(stretched("sura-button-t.png", 16, 0), UIControlStateHighlighted);
    navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
        tr("Cancel"), UIBarButtonItemStyleBordered, [this](UIBarButtonItem*) { dismissCont(); }));
}

void PickTranslationController::viewWillAppear(bool) {
    view();
    arrTranslations_ = ChapterInfo::getAvailableTranslations(!isNormalPickerMode_);
    table->reloadData();
    if (!arrTranslations_.empty())
        table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(indexOfTranslation(iCurrentTranslation_), 0),
                                      UITableViewScrollPositionMiddle, false);
}

int PickTranslationController::indexOfTranslation(int translation) const {
    auto it = std::find(arrTranslations_.begin(), arrTranslations_.end(), translation);
    return it == arrTranslations_.end() ? 0 : static_cast<int>(it - arrTranslations_.begin());
}

UITableViewCellPtr PickTranslationController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("VerseCell");
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleSubtitle, "VerseCell");
        styleCell(*cell, 13);
    }
    const int number = arrTranslations_.at(static_cast<size_t>(indexPath.row));
    cell->textLabel()->setText(ChapterInfo::getTranslationFullNameForNumber(number));
    // Slots whose text the content database lacks stay listed, and say so.
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    const bool hasText = ChapterInfo::hasTranslationText(app ? app->dbConnectionStatic() : nullptr, number);
    cell->detailTextLabel()->setText(hasText ? std::string() : tr("no text available"));
    cell->setAccessoryType(number == iCurrentTranslation_ ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    const std::string flag = flagImageName(number);
    cell->imageView()->setImage(flag.empty() ? nullptr : UIImage::imageNamed(flag));
    return cell;
}

void PickTranslationController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || static_cast<size_t>(indexPath.row) >= arrTranslations_.size()) return;
    if (UITableViewCell* previous = tableView->cellForRowAtIndexPath(
            NSIndexPath::indexPathForRow(indexOfTranslation(iCurrentTranslation_), indexPath.section)))
        previous->setAccessoryType(UITableViewCellAccessoryNone);
    if (UITableViewCell* chosen = tableView->cellForRowAtIndexPath(indexPath))
        chosen->setAccessoryType(UITableViewCellAccessoryCheckmark);
    iCurrentTranslation_ = arrTranslations_[static_cast<size_t>(indexPath.row)];
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setInteger(iCurrentTranslation_, isNormalPickerMode_ ? "HUDTranslation" : "CurrentTranslationv22");
    defaults.synchronize();
    if (isNormalPickerMode_) {
        if (delegate_) delegate_->translationPickerPicked(iCurrentTranslation_);
    } else {
        NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
    }
}

void PickTranslationController::btnBackPressed() {
    if (isNormalPickerMode_) {
        if (delegate_) delegate_->translationPickerCancelled();
    } else {
        dismissModalViewControllerAnimated(true);
    }
}

void PickTranslationController::segmentPressed() {
    if (!isNormalPickerMode_) NSNotificationCenter::defaultCenter().postNotificationName("TranslationDidChange");
    if (table) table->reloadData();
}

// ---- Preferences list ----

TranslationPreferenceController::TranslationPreferenceController() : UIViewController("") {
    setContentSizeForViewInPopover(CGSize{320, 347});
}

void TranslationPreferenceController::loadView() {
    table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 347), UITableViewStyleGrouped);
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table);
}

void TranslationPreferenceController::viewDidLoad() {
    setTitle(tr("Preferences"));
    navigationItem()->setLeftBarButtonItem(
        std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemCancel, [this](UIBarButtonItem*) { closeView(); }));
}

UITableViewCellPtr TranslationPreferenceController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    static const char* const rows[3][3] = {{"Translation", "bk-bmg-all.png", "bk-bmg-all-t.png"},
                                           {"Recitation", "bk-bmg-reading.png", "bk-bmg-reading-t.png"},
                                           {"Tafsir", "bk-bmg-memo.png", "bk-bmg-memo-t.png"}};
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("VerseCell");
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "VerseCell");
        styleCell(*cell, 15);
    }
    const auto& row = rows[std::clamp(indexPath.row, 0, 2)];
    cell->textLabel()->setText(tr(row[0]));
    cell->imageView()->setImage(UIImage::imageNamed(row[1]));
    cell->imageView()->setHighlightedImage(UIImage::imageNamed(row[2]));
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    return cell;
}

void TranslationPreferenceController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row != 0 || !navigationController()) return;
    navigationController()->pushViewController(std::make_shared<PickTranslationController>("GenericOneTableView"), true);
}
