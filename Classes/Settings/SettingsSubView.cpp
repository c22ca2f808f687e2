#include "Classes/Settings/SettingsSubView.h"

#include <cstdlib>

#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Localization.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/Backend.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

constexpr const char* kSizeNames[] = {"Small", "Normal", "Big", "Large", "Huge"};
constexpr const char* kPreviews[] = {"previewsmall", "previewnormal", "previewbig", "previewlarge", "previewhuge"};
constexpr double kArabicRowHeights[] = {45, 50, 60, 70, 85};
constexpr double kTranslationRowHeights[] = {45, 45, 50, 55};
constexpr double kTranslationTitleSizes[] = {12, 14, 16, 19};
constexpr const char* kLanguageCodes[] = {"ar", "en"};

struct Rule {
    const char* title;
    const char* key;
};
// Section 1 of the Tajweed page, in row order.
constexpr Rule kRules[] = {{"Ghunna", "TajweedGhunna"},
                           {"Ikhfa", "TajweedIkhfa"},
                           {"Idgham", "TajweedIdgham"},
                           {"Iqlab", "TajweedIqlab"},
                           {"Qalqala", "TajweedQalqala"}};

}  // namespace

SettingsSubView::SettingsSubView(const std::string& nibName, int setting) : SettingsPage(nibName), ThisSetting_(setting) {}

SettingsSubView::~SettingsSubView() = default;

void SettingsSubView::viewDidLoad() {
    SettingsPage::viewDidLoad();
    static const char* const kTitles[] = {"", "Sharing", "Language", "Font Size", "Tajweed"};
    if (ThisSetting_ >= Sharing && ThisSetting_ <= Tajweed) setTitle(settingsText(kTitles[ThisSetting_]));
    if (ThisSetting_ == LanguagePage)
        navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
            Language::bundleString("Quit"), UIBarButtonItemStyleBordered,
            [this](UIBarButtonItem*) { quitApp(); }));
    if (UINavigationController* nav = navigationController()) showNavigationBar(nav, true);
    switchArabicTitles = makeSwitch("IndexInArabic", [this] { switchArabicTitlesAction(); });
    switchLegend = makeSwitch("ShowTajweedBar", [this] { switchLegendAction(); });
    switchGHunna = makeSwitch("TajweedGhunna", [this] { switchGHunnaAction(); });
    switchIkhfa = makeSwitch("TajweedIkhfa", [this] { switchIkhfaAction(); });
    switchIdgham = makeSwitch("TajweedIdgham", [this] { switchIdghamAction(); });
    switchIqlab = makeSwitch("TajweedIqlab", [this] { switchIqlabAction(); });
    switchQalqala = makeSwitch("TajweedQalqala", [this] { switchQalqalaAction(); });
    switchStopSigns = makeSwitch("ColoredStopSigns", [this] { switchStopSignsAction(); });
    checkLegendStatus();
}

// ---- Table ----

int SettingsSubView::numberOfSectionsInTableView(UITableView*) {
    switch (ThisSetting_) {
        case Sharing: return 1;
        case LanguagePage:
        case FontSizes: return 2;
        case Tajweed: return 3;
        default: return 0;
    }
}

int SettingsSubView::numberOfRowsInSection(UITableView*, int section) {
    switch (ThisSetting_) {
        case Sharing: return 1;
        case LanguagePage: return section == 0 ? 1 : 2;
        case FontSizes: return section == 0 ? 5 : 4;
        case Tajweed: return section == 1 ? 5 : 1;
        default: return 0;
    }
}

std::string SettingsSubView::titleForHeaderInSection(UITableView*, int section) {
    if (ThisSetting_ == Sharing) return settingsText("Twitter");
    if (ThisSetting_ == FontSizes)
        return section == 0 ? Language::get("Al-Surah", "Surah") : Language::get("Al-Translation", "Translation");
    return {};
}

std::string SettingsSubView::titleForFooterInSection(UITableView*, int section) {
    switch (ThisSetting_) {
        case Sharing: return settingsText("To share a verse, tap and hold on the verse in the Surah view and tap 'Share'");
        case LanguagePage: return section == 1 ? settingsText("Tap 'Quit' and relaunch app to take affect") : "";
        case FontSizes: return section == 0 ? settingsText("Font size selection will apply to the main Surah display view") : "";
        case Tajweed: return section == 2 ? settingsText("Red means Stop, Green means Go") : "";
        default: return {};
    }
}

namespace {
constexpr double kFooterInset = 20;
UIFontPtr footerFont() { return UIFont::fontWithName("Helvetica", 15); }
}  // namespace

double SettingsSubView::heightForFooterInSection(UITableView* tableView, int section) {
    const std::string text = titleForFooterInSection(tableView, section);
    if (text.empty()) return -1;
    const double width = tableView->bounds().size.width - 2 * kFooterInset;
    return sizeWithFont(text, *footerFont(), CGSizeMake(width, 200)).height + 14;
}

std::shared_ptr<UIView> SettingsSubView::viewForFooterInSection(UITableView* tableView, int section) {
    const std::string text = titleForFooterInSection(tableView, section);
    if (text.empty()) return nullptr;
    const double width = tableView->bounds().size.width;
    auto label = std::make_shared<UILabel>(CGRectMake(kFooterInset, 4, width - 2 * kFooterInset,
                                                      heightForFooterInSection(tableView, section) - 8));
    label->setText(text);
    label->setFont(footerFont());
    label->setNumberOfLines(0);
    label->setTextAlignment(UITextAlignmentCenter);
    label->setTextColor(UIColor::colorWithRed(0.30, 0.34, 0.42, 1));
    label->setShadowColor(UIColor::colorWithWhite(1, 0.8));
    label->setShadowOffset(CGSizeMake(0, 1));
    label->setBackgroundColor(UIColor::clearColor());
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto footer = std::make_shared<UIView>(CGRectMake(0, 0, width, heightForFooterInSection(tableView, section)));
    footer->setBackgroundColor(UIColor::clearColor());
    footer->addSubview(label);
    return footer;
}

double SettingsSubView::heightForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (ThisSetting_ == FontSizes) {
        const int row = indexPath.row;
        if (indexPath.section == 0 && row >= 0 && row < 5) return kArabicRowHeights[row];
        if (indexPath.section == 1 && row >= 0 && row < 4) return kTranslationRowHeights[row];
    }
    return 45;
}

UITableViewCellPtr SettingsSubView::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("Cell");
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "Cell");
        cell->textLabel()->setAdjustsFontSizeToFitWidth(true);
        cell->textLabel()->setMinimumFontSize(10);
    }
    cell->setAccessoryView(nullptr);
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    cell->setSelectionStyle(UITableViewCellSelectionStyleBlue);
    cell->imageView()->setImage(nullptr);
    cell->imageView()->setHighlightedImage(nullptr);
    cell->textLabel()->setFont(UIFont::fontWithName("Helvetica-Bold", 12.5));

    auto switchRow = [&cell](const std::shared_ptr<UISwitch>& control, const std::string& title) {
        cell->textLabel()->setText(title);
        attachSwitch(*cell, control);
        cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
    };
    const int row = indexPath.row;
    switch (ThisSetting_) {
        case Sharing: {
            const std::string user = defaults().stringForKey("TwitterUser").value_or("");
            cell->textLabel()->setText(user.empty() ? settingsText("Twitter Account")
                                                    : stringWithFormat("%@ @%@", settingsText("Remove"), user));
            cell->imageView()->setImage(UIImage::imageNamed("set-twitter-account.png"));
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        }
        case LanguagePage:
            if (indexPath.section == 0) {
                switchRow(switchArabicTitles, settingsText("Caligraphic Names"));
            } else if (row >= 0 && row < 2) {
                cell->textLabel()->setText(settingsText(row == 0 ? "Arabic" : "English"));
                cell->imageView()->setImage(UIImage::imageNamed(row == 0 ? "SaudiArabia.png" : "UK.png"));
                if (defaults().stringForKey("PrefLang") == kLanguageCodes[row])
                    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
            }
            break;
        case FontSizes:
            if (indexPath.section == 0 && row >= 0 && row < 5) {
                cell->textLabel()->setText("");
                cell->imageView()->setImage(UIImage::imageNamed(std::string(kPreviews[row]) + ".png"));
                cell->imageView()->setHighlightedImage(UIImage::imageNamed(std::string(kPreviews[row]) + "_sel.png"));
                if (defaults().integerForKey("ArabicFontSize") == row)
                    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
            } else if (indexPath.section == 1 && row >= 0 && row < 4) {
                cell->textLabel()->setText(settingsText(kSizeNames[row]));
                cell->textLabel()->setFont(UIFont::fontWithName("Helvetica-Bold", kTranslationTitleSizes[row]));
                if (defaults().integerForKey("TranslationFontSize") == row)
                    cell->setAccessoryType(UITableViewCellAccessoryCheckmark);
            }
            break;
        case Tajweed:
            if (indexPath.section == 0) {
                switchRow(switchLegend, settingsText("Display Color Legend"));
            } else if (indexPath.section == 1 && row >= 0 && row < 5) {
                const std::shared_ptr<UISwitch>* rules[] = {&switchGHunna, &switchIkhfa, &switchIdgham, &switchIqlab,
                                                            &switchQalqala};
                switchRow(*rules[row], settingsText(kRules[row].title));
            } else {
                switchRow(switchStopSigns, settingsText("Color Stop Signs"));
            }
            break;
        default: break;
    }
    return cell;
}

void SettingsSubView::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    if (ThisSetting_ == FontSizes) pickFontSize(tableView, indexPath);
    else if (ThisSetting_ == LanguagePage && indexPath.section == 1) pickLanguage(tableView, indexPath);
}

void SettingsSubView::pickFontSize(UITableView* tableView, const NSIndexPath& indexPath) {
    const bool arabic = indexPath.section == 0;
    const int rows = arabic ? 5 : 4;
    if (indexPath.row < 0 || indexPath.row >= rows) return;
    const char* key = arabic ? "ArabicFontSize" : "TranslationFontSize";
    // A stored value outside the rows has no checkmark to clear.
    const long long stored = defaults().integerForKey(key);
    if (stored >= 0 && stored < rows)
        if (UITableViewCell* old = tableView->cellForRowAtIndexPath(NSIndexPath{indexPath.section, static_cast<int>(stored)}))
            old->setAccessoryType(UITableViewCellAccessoryNone);
    if (UITableViewCell* picked = tableView->cellForRowAtIndexPath(indexPath))
        picked->setAccessoryType(UITableViewCellAccessoryCheckmark);
    defaults().setInteger(indexPath.row, key);
    defaults().synchronize();
    if (arabic) {
        setTitle(settingsText(kSizeNames[indexPath.row]));
        LumenoSDKAppDelegate::ResetArabicFontSize();
    } else {
        LumenoSDKAppDelegate::ResetTranslationFontSize();
    }
    tableView->deselectRowAtIndexPath(indexPath, true);
    NSNotificationCenter::defaultCenter().postNotificationName("ArabicFontChanged");
}

void SettingsSubView::pickLanguage(UITableView* tableView, const NSIndexPath& indexPath) {
    if (indexPath.row < 0 || indexPath.row > 1) return;
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (UITableViewCell* other = tableView->cellForRowAtIndexPath(NSIndexPath{1, 1 - indexPath.row}))
        other->setAccessoryType(UITableViewCellAccessoryNone);
    if (UITableViewCell* picked = tableView->cellForRowAtIndexPath(indexPath))
        picked->setAccessoryType(UITableViewCellAccessoryCheckmark);
    const std::string code = kLanguageCodes[indexPath.row];
    defaults().setString(code, "PrefLang");
    defaults().synchronize();
    Language::setLanguage(code);
    // Screens out of sight drop their views and rebuild them in the new language.
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidReceiveMemoryWarningNotification);
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->resetTabbarLabels();
    LumenoSDKAppDelegate::ResetArabicCheck();
}

// ---- Switches ----

void SettingsSubView::switchArabicTitlesAction() {
    defaults().setBool(switchArabicTitles->isOn(), "IndexInArabic");
    saveAndAnnounce("ArabicLanguageChanged");
}

void SettingsSubView::switchLegendAction() {
    defaults().setBool(switchLegend->isOn(), "ShowTajweedBar");
    saveAndAnnounce("TajweedBarDisplayToggled");
}

void SettingsSubView::ruleSwitched(const std::shared_ptr<UISwitch>& control, const char* key) {
    defaults().setBool(control->isOn(), key);
    defaults().synchronize();
    checkLegendStatus();
    NSNotificationCenter::defaultCenter().postNotificationName("ArabicFontChanged");
}

void SettingsSubView::switchGHunnaAction() { ruleSwitched(switchGHunna, "TajweedGhunna"); }
void SettingsSubView::switchIkhfaAction() { ruleSwitched(switchIkhfa, "TajweedIkhfa"); }
void SettingsSubView::switchIdghamAction() { ruleSwitched(switchIdgham, "TajweedIdgham"); }
void SettingsSubView::switchIqlabAction() { ruleSwitched(switchIqlab, "TajweedIqlab"); }
void SettingsSubView::switchQalqalaAction() { ruleSwitched(switchQalqala, "TajweedQalqala"); }

void SettingsSubView::switchStopSignsAction() {
    defaults().setBool(switchStopSigns->isOn(), "ColoredStopSigns");
    saveAndAnnounce("ArabicFontChanged");
}

// The legend bar shows only while at least two rules are coloured; every run announces the bar.
void SettingsSubView::checkLegendStatus() {
    if (!switchLegend) return;
    int on = 0;
    for (const Rule& rule : kRules)
        if (defaults().boolForKey(rule.key)) ++on;
    const bool legendWasOn = switchLegend->isOn();
    if (on < 2) {
        switchLegend->setEnabled(false);
        switchLegend->setOn(false);
        defaults().setBool(false, "ShowTajweedBar");
        defaults().synchronize();
    } else {
        switchLegend->setEnabled(true);
        if (legendWasOn) {
            switchLegend->setOn(true);
            defaults().setBool(true, "ShowTajweedBar");
            defaults().synchronize();
        }
    }
    switchLegendAction();
}

// ---- Quit ----

// The program leaves its loop; its normal termination then writes the settings and closes
// the databases, so nothing is closed while a screen or worker may still use it.
void SettingsSubView::quitApp() {
    NSLog("Quitting to apply the interface language.");
    if (Backend* backend = UIApplication::sharedApplication().backend()) {
        backend->quit();
        return;
    }
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->finalizeView();
    std::exit(0);
}
