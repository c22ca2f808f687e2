#pragma once
// The translation list with flags. Main mode picks the translation under the verses
// ("CurrentTranslationv22", notes entry included) and posts "TranslationDidChange"; panel
// mode picks the options panel's second translation ("HUDTranslation") and tells its delegate.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UIViewController.h"

class PickTranslationControllerDelegate {
public:
    virtual ~PickTranslationControllerDelegate() = default;
    virtual void translationPickerPicked(int translation) = 0;
    virtual void translationPickerCancelled() = 0;
};

class PickTranslationController : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit PickTranslationController(const std::string& nibName);
    ~PickTranslationController() override;
    static void registerInterfaces();

    // Outlets, wired by the "SurahOptions" / "GenericOneTableView" builders.
    std::shared_ptr<UILabel> lblTopTitle;
    std::shared_ptr<UIButton> btnBack;
    std::shared_ptr<UIImageView> imgTopBar;
    std::shared_ptr<UITableView> table;

    PickTranslationControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(PickTranslationControllerDelegate* d) { delegate_ = d; }  // unretained

    void setupNormalPicker();
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }

    int numberOfRowsInSection(UITableView*, int) override { return static_cast<int>(arrTranslations_.size()); }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 44; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;

    int indexOfTranslation(int translation) const;
    void btnBackPressed();
    void dismissCont() { dismissModalViewControllerAnimated(true); }
    void segmentPressed();

    // The flag image of a translation number; empty when it has none.
    static std::string flagImageName(int translation);

    int iCurrentTranslation() const { return iCurrentTranslation_; }
    bool isNormalPickerMode() const { return isNormalPickerMode_; }
    const std::vector<int>& translations() const { return arrTranslations_; }

private:
    PickTranslationControllerDelegate* delegate_ = nullptr;  // unretained
    int iCurrentTranslation_ = 0;
    std::vector<int> arrTranslations_;
    bool isNormalPickerMode_ = false;
};

// A small "Preferences" list for a popover: Translation leads to a main-mode picker.
class TranslationPreferenceController : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    TranslationPreferenceController();
    std::shared_ptr<UITableView> table;
    void loadView() override;
    void viewDidLoad() override;
    void closeView() { dismissModalViewControllerAnimated(true); }
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    int numberOfRowsInSection(UITableView*, int) override { return 3; }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 44; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
};
