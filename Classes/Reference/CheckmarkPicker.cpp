#include "Classes/Reference/CheckmarkPicker.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reference/ReferenceListPage.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/hosting/UITextView.h"

CheckmarkPicker::CheckmarkPicker(std::string title, std::string header, std::vector<std::string> rows, std::string key)
    : UIViewController(""), title_(std::move(title)), header_(std::move(header)), rows_(std::move(rows)), key_(std::move(key)) {}

CheckmarkPicker::~CheckmarkPicker() {
    if (table) {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

void CheckmarkPicker::loadView() {
    table = screenTable(CGRectZero, UITableViewStyleGrouped);
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table);
}

void CheckmarkPicker::viewDidLoad() { setTitle(title_); }

UITableViewCellPtr CheckmarkPicker::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("Cell");
    if (!cell) cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "Cell");
    cell->textLabel()->setText(indexPath.row >= 0 && indexPath.row < static_cast<int>(rows_.size()) ? rows_[indexPath.row] : "");
    const long long chosen = NSUserDefaults::standardUserDefaults().integerForKey(key_);
    cell->setAccessoryType(chosen == indexPath.row ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
    return cell;
}

void CheckmarkPicker::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setObject(Value(std::to_string(indexPath.row)), key_);
    defaults.synchronize();
    tableView->reloadData();
    picked();
}

ThemeController::ThemeController()
    : CheckmarkPicker("Select Theme", "Available Themes", {"Original Theme", "Blue Theme"}, "CurrentTheme") {}

void ThemeController::viewDidLoad() {
    CheckmarkPicker::viewDidLoad();
    auto note = std::make_shared<UITextView>(CGRectMake(0, 0, 320, 35));
    note->setBackgroundColor(UIColor::clearColor());
    note->setScrollEnabled(false);
    note->setEditable(false);
    note->setTextAlignment(UITextAlignmentCenter);
    note->setTextColor(UIColor::grayColor());
    note->setText("Note: Lumeno restart required for the change to take affect");
    if (table) table->setTableFooterView(note);
}

void ThemeController::picked() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->refreshTheme();
}

StartupScreenController::StartupScreenController()
    : CheckmarkPicker("Startup Screen", "Select Startup Screen", {"Index View", "Surah View", "Bookmarks View", "Search View"},
                      "StartupScreen") {}

void StartupScreenController::picked() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->refreshSettings();
}

UIViewControllerHelper::UIViewControllerHelper(const std::string& nibName, CGSize size)
    : UIViewController(nibName), thisSize(size) {
    setContentSizeForViewInPopover(size);
}
