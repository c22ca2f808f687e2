#pragma once
// What the settings pages share: the interface "SettingsView" (a grouped table on paper with a
// back button titled "More"), the brown navigation bar they show, and writing a setting:
// stored, synchronized at once, then announced by name.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class NSUserDefaults;
class UINavigationController;

class SettingsPage : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit SettingsPage(const std::string& nibName);
    ~SettingsPage() override;

    // Registers the interface "SettingsView".
    static void registerInterface();

    // ---- Outlets, wired by the "SettingsView" builder ----
    std::shared_ptr<UITableView> myTableView;
    std::shared_ptr<UIButton> btnBack;

    void btnBackPressed();
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o != UIInterfaceOrientationPortraitUpsideDown;
    }

    // Synchronizes the store and then posts the notification (none when empty).
    static void saveAndAnnounce(const char* notification);
    static NSUserDefaults& defaults();
    // Shows the navigation bar in the settings' brown.
    static void showNavigationBar(UINavigationController* nav, bool animated);

protected:
    // Shows the switch as the cell's accessory, taking it from the cell that showed it before,
    // so no cell keeps a switch of another row.
    static void attachSwitch(UITableViewCell& cell, const std::shared_ptr<UISwitch>& control);
    // A switch with a clear background whose value changes run the action; its state is the
    // stored boolean of the key (inverted when asked).
    std::shared_ptr<UISwitch> makeSwitch(const char* key, std::function<void()> action, bool inverted = false);
};

// A visible text through the interface-language tables (key and fallback alike).
std::string settingsText(const std::string& text);
