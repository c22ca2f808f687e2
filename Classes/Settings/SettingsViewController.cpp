#include "Classes/Settings/SettingsViewController.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Settings/SettingsSubView.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

enum Section { kLanguage = 0, kGeneral = 1, kBookmarking = 2, kBackup = 3, kRecitations = 4, kUpgrade = 5 };
constexpr long kTopCornerTag = 9101;

SettingsViewController::InstalledAudioMaker& installedAudioMaker() {
    static SettingsViewController::InstalledAudioMaker maker;
    return maker;
}

}  // namespace

SettingsViewController::SettingsViewController(const std::string& nibName) : SettingsPage(nibName) {}

SettingsViewController::~SettingsViewController() {
    if (alert_) alert_->setDelegate(nullptr);
}

void SettingsViewController::registerInterface() {
    SettingsPage::registerInterface();
    ShellScreenFactory::setMaker("SettingsView", [] { return std::make_shared<SettingsViewController>(); });
}

void SettingsViewController::setInstalledAudioMaker(InstalledAudioMaker maker) { installedAudioMaker() = std::move(maker); }

std::string SettingsViewController::fontSizeName(long long size) {
    static const char* const kNames[] = {"Small", "Normal", "Big", "Large", "Huge"};
    return size >= 0 && size <= 4 ? settingsText(kNames[size]) : std::string();
}

void SettingsViewController::create_UISwitch() {
    if (!switchKahf) switchKahf = makeSwitch("AlKahfReminders", [this] { switchKahfAction(); });
    if (!switchAskForBookmarkGroups)
        switchAskForBookmarkGroups =
            makeSwitch("AskForBookmarkGroup", [this] { switchAskForBookmarkGroupsPressed(); }, true);
    if (!switchColoredTrans) switchColoredTrans = makeSwitch("ColoredTranslation", [this] { switchColoredTransAction(); });
}

void SettingsViewController::viewDidLoad() {
    SettingsPage::viewDidLoad();
    create_UISwitch();
    setTitle(settingsText("Settings"));
    UINavigationController* nav = navigationController();
    if (!nav) return;
    showNavigationBar(nav, true);
    // The decoration strip along the top of the bar, added once for the bar.
    UINavigationBar* bar = nav->navigationBar();
    if (bar->viewWithTag(kTopCornerTag)) return;
    UIImagePtr image = UIImage::imageNamed("set-top-corner.png");
    auto strip = std::make_shared<UIImageView>(CGRectMake(0, 0, bar->bounds().size.width, 6));
    if (image) strip->setImage(image->stretchableImageWithLeftCapWidth(159, 0));
    strip->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    strip->setTag(kTopCornerTag);
    bar->addSubview(strip);
}

void SettingsViewController::refreshReciters() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    allReciters_ = app ? ChapterInfo::getInstalledAudioReciters(app->dbConnection()) : std::vector<int>{};
}

void SettingsViewController::viewWillAppear(bool animated) {
    SettingsPage::viewWillAppear(animated);
    refreshReciters();
}

void SettingsViewController::viewDidAppear(bool) { reloadView(); }

void SettingsViewController::reloadView() {
    if (myTableView) myTableView->reloadData();
}

int SettingsViewController::numberOfSectionsInTableView(UITableView*) {
    if (allReciters_.empty()) return 4;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app && app->hasSlicedAudioInstalled() ? 6 : 5;
}

std::string SettingsViewController::titleForHeaderInSection(UITableView*, int section) {
    switch (section) {
        case kLanguage: return settingsText("Language");
        case kGeneral: return settingsText("General");
        case kBookmarking: return settingsText("Bookmarking");
        case kRecitations: return settingsText("Manage Recitations");
        default: return {};
    }
}

int SettingsViewController::numberOfRowsInSection(UITableView*, int section) {
    switch (section) {
        case kGeneral: return LumenoSDKAppDelegate::IsIPhoneOS4() ? 5 : 3;
        case kRecitations: return static_cast<int>(allReciters_.size());
        case kLanguage:
        case kBookmarking:
        case kBackup:
        case kUpgrade: return 1;
        default: return 0;
    }
}

std::optional<NSIndexPath> SettingsViewController::willSelectRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (indexPath.section == kGeneral && (indexPath.row == 2 || indexPath.row == 3)) return std::nullopt;
    return indexPath;
}

UITableViewCellPtr SettingsViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    const bool fontRow = indexPath.section == kGeneral && indexPath.row == 0;
    const std::string identifier = fontRow ? "MySettingCellFont" : "MySettingCell";
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(fontRow ? UITableViewCellStyleValue1 : UITableViewCellStyleSubtitle,
                                                 identifier);
        cell->textLabel()->setFont(UIFont::boldSystemFontOfSize(15));
        cell->detailTextLabel()->setFont(UIFont::fontWithName("Helvetica", 13));
        cell->detailTextLabel()->setTextColor(UIColor::colorWithRed(0.45, 0.37, 0.25, 1));
    }
    create_UISwitch();
    // A reused cell keeps nothing of the row it showed before.
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    cell->setAccessoryView(nullptr);
    cell->detailTextLabel()->setText("");
    cell->imageView()->setImage(nullptr);
    cell->setSelectionStyle(UITableViewCellSelectionStyleBlue);

    std::string title;
    switch (indexPath.section) {
        case kLanguage:
            title = defaults().stringForKey("PrefLang") == "ar" ? settingsText("Arabic") : settingsText("English");
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        case kGeneral:
            switch (indexPath.row) {
                case 0:
                    title = settingsText("Font Size");
                    cell->detailTextLabel()->setText(fontSizeName(defaults().integerForKey("ArabicFontSize")));
                    break;
                case 1:
                    title = settingsText("Tajweed");
                    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
                    break;
                case 2:
                    title = settingsText("Colored Translation");
                    attachSwitch(*cell, switchColoredTrans);
                    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
                    break;
                case 3:
                    title = settingsText("Al-Kahf reminders");
                    cell->detailTextLabel()->setText(settingsText("On Fridays"));
                    attachSwitch(*cell, switchKahf);
                    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
                    break;
                case 4:
                    title = settingsText("Sharing");
                    cell->imageView()->setImage(UIImage::imageNamed("set-sharing-info.png"));
                    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
                    break;
            }
            break;
        case kBookmarking:
            title = settingsText("Ask for groups");
            attachSwitch(*cell, switchAskForBookmarkGroups);
            cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
            break;
        case kBackup:
            title = settingsText("Backup");
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        case kRecitations:
            if (indexPath.row >= 0 && indexPath.row < static_cast<int>(allReciters_.size()))
                title = ChapterInfo::getReciterFullNameFromNumber(allReciters_[static_cast<size_t>(indexPath.row)]);
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
        case kUpgrade:
            title = settingsText("Upgrade Audio Data");
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
            break;
    }
    cell->textLabel()->setText(title);
    return cell;
}

void SettingsViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    UINavigationController* nav = navigationController();
    auto pushPage = [nav](int setting) {
        if (nav) nav->pushViewController(std::make_shared<SettingsSubView>("SettingsView", setting), true);
    };
    switch (indexPath.section) {
        case kLanguage: pushPage(SettingsSubView::LanguagePage); break;
        case kGeneral:
            if (indexPath.row == 0) pushPage(SettingsSubView::FontSizes);
            else if (indexPath.row == 1) pushPage(SettingsSubView::Tajweed);
            else if (indexPath.row == 4) pushPage(SettingsSubView::Sharing);
            break;
        case kBackup:
            upgradeAlert_ = false;
            alert_ = std::make_shared<UIAlertView>(
                settingsText("Backup"),
                settingsText("Lumeno has File Sharing enabled via iTunes. Simply connect your iPhone with iTunes and "
                             "backup the database present in the shared Lumeno Documents folder. You can then restore "
                             "this file at any time on any device running Lumeno."),
                nullptr, settingsText("OK"), std::vector<std::string>{});
            alert_->show();
            break;
        case kRecitations: {
            if (!nav || indexPath.row < 0 || indexPath.row >= static_cast<int>(allReciters_.size())) break;
            const int reciter = allReciters_[static_cast<size_t>(indexPath.row)];
            if (UIViewControllerPtr screen = installedAudioMaker() ? installedAudioMaker()(reciter) : nullptr)
                nav->pushViewController(screen, true);
            break;
        }
        case kUpgrade:
            upgradeAlert_ = true;
            alert_ = std::make_shared<UIAlertView>(
                "",
                settingsText("An upgrade to gapless (continuous) playback for some reciters has been detected. This "
                             "will require re-downloading audio data for all surahs. Would you like to do this now?"),
                this, settingsText("No"), std::vector<std::string>{settingsText("Yes")});
            alert_->show();
            break;
        default: break;
    }
}

void SettingsViewController::alertViewClickedButtonAtIndex(UIAlertView* alert, int buttonIndex) {
    if (!upgradeAlert_ || buttonIndex != 1) return;
    LumenoSDKAppDelegate::upgradeToGaplessRequested();
    refreshReciters();
    NSNotificationCenter::defaultCenter().postNotificationName("ReciterDidChange");
    reloadView();
    if (alert) alert->dismissWithClickedButtonIndex(0, false);
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->showIndexViewAndBeginDownloading();
}

void SettingsViewController::switchColoredTransAction() {
    defaults().setBool(switchColoredTrans->isOn(), "ColoredTranslation");
    saveAndAnnounce("TranslationDidChange");
}

void SettingsViewController::switchKahfAction() {
    defaults().setBool(switchKahf->isOn(), "AlKahfReminders");
    saveAndAnnounce(nullptr);
    LumenoSDKAppDelegate::SetupAlKahfReminders();
}

void SettingsViewController::switchAskForBookmarkGroupsPressed() {
    // Stored inverted: an absent key (false) shows the switch on.
    defaults().setBool(!switchAskForBookmarkGroups->isOn(), "AskForBookmarkGroup");
    saveAndAnnounce(nullptr);
}
