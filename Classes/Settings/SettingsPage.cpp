#include "Classes/Settings/SettingsPage.h"

#include "Classes/Core/Language.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

UIImagePtr stretched(const char* name, int leftCap) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

std::shared_ptr<UIView> buildSettingsView(SettingsPage& c) {
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    frame.origin = CGPointMake(0, 0);
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(kFlexibleSize);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));
    auto paper = std::make_shared<UIImageView>(CGRectMake(0, 0, frame.size.width, frame.size.height));
    paper->setAutoresizingMask(kFlexibleSize);
    paper->setImage(stretched("bk-bmg-bg.png.png", 159));
    root->addSubview(paper);

    c.myTableView = std::make_shared<UITableView>(CGRectMake(0, 0, frame.size.width, frame.size.height),
                                                  UITableViewStyleGrouped);
    c.myTableView->setAutoresizingMask(kFlexibleSize);
    c.myTableView->setBackgroundColor(UIColor::clearColor());
    c.myTableView->setOpaque(false);
    c.myTableView->setSeparatorColor(UIColor::colorWithRed(216 / 255.0, 210 / 255.0, 189 / 255.0, 1));
    root->addSubview(c.myTableView);

    c.btnBack = std::make_shared<UIButton>(CGRectMake(0, 0, 60, 30));
    c.btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnBack->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnBack->setTitleEdgeInsets(UIEdgeInsets{0, 8, 0, 0});
    c.btnBack->setBackgroundImage(stretched("button-arrow-left.png", 19), UIControlStateNormal);
    c.btnBack->setBackgroundImage(stretched("button-arrow-left-t.png", 19), UIControlStateHighlighted);
    c.btnBack->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnBackPressed(); }, UIControlEventTouchUpInside);
    return root;
}

}  // namespace

std::string settingsText(const std::string& text) { return Language::get(text, text); }

SettingsPage::SettingsPage(const std::string& nibName) : UIViewController(nibName) { registerInterface(); }

SettingsPage::~SettingsPage() {
    if (myTableView) {
        myTableView->setDataSource(nullptr);
        myTableView->setDelegate(nullptr);
    }
}

void SettingsPage::registerInterface() {
    if (!UIViewController::hasInterface("SettingsView"))
        UIViewController::registerInterface("SettingsView", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* page = dynamic_cast<SettingsPage*>(&owner);
            return page ? buildSettingsView(*page) : nullptr;
        });
}

NSUserDefaults& SettingsPage::defaults() { return NSUserDefaults::standardUserDefaults(); }

void SettingsPage::saveAndAnnounce(const char* notification) {
    defaults().synchronize();
    if (notification && *notification) NSNotificationCenter::defaultCenter().postNotificationName(notification);
}

void SettingsPage::viewDidLoad() {
    if (btnBack) {
        for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
            btnBack->setTitle(settingsText("More"), state);
        navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(btnBack));
    }
    if (myTableView) {
        myTableView->setDataSource(this);
        myTableView->setDelegate(this);
    }
}

void SettingsPage::showNavigationBar(UINavigationController* nav, bool animated) {
    if (!nav) return;
    nav->setNavigationBarHidden(false, animated);
    nav->navigationBar()->setTintColor(UIColor::colorWithRed(0.45, 0.33, 0.18, 1));
}

void SettingsPage::viewWillAppear(bool animated) { showNavigationBar(navigationController(), animated); }

void SettingsPage::btnBackPressed() {
    if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

void SettingsPage::attachSwitch(UITableViewCell& cell, const std::shared_ptr<UISwitch>& control) {
    if (auto* previous = dynamic_cast<UITableViewCell*>(control->superview()); previous && previous != &cell)
        if (previous->accessoryView() == control.get()) previous->setAccessoryView(nullptr);
    cell.setAccessoryView(control);
}

std::shared_ptr<UISwitch> SettingsPage::makeSwitch(const char* key, std::function<void()> action, bool inverted) {
    auto control = std::make_shared<UISwitch>();
    control->setBackgroundColor(UIColor::clearColor());
    control->setOn(defaults().boolForKey(key) != inverted);
    control->addTarget(this, [action = std::move(action)](UIControl*, UIEvent*) { action(); },
                       UIControlEventValueChanged);
    return control;
}
