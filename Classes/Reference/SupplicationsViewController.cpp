#include "Classes/Reference/SupplicationsViewController.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reference/SupplicationsDetailsController.h"
#include "platform/text/UIFont.h"
#include "platform/ui/hosting/UINavigationController.h"

SupplicationsViewController::SupplicationsViewController(const std::string& nibName) : ReferenceListPage(nibName) {
    registerInterface();
}

void SupplicationsViewController::registerInterface() {
    if (UIViewController::hasInterface("SupplicationsViewController")) return;
    UIViewController::registerInterface("SupplicationsViewController", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* page = dynamic_cast<SupplicationsViewController*>(&owner);
        if (!page) return nullptr;
        Frame frame = buildFrame(*page);
        page->tblTable = frame.table;
        return frame.root;
    });
}

void SupplicationsViewController::viewDidLoad() {
    if (lblTopLabel) lblTopLabel->setText(referenceText("Quranic Supplications"));
    setTitle(referenceText("Quranic Supplications"));
    setBackTitle(referenceText("More"));
    attachTable(tblTable, UIColor::colorWithRed(216 / 255.0, 210 / 255.0, 194 / 255.0, 1));
    if (tblTable) tblTable->reloadData();
    rethemeUI();
}

void SupplicationsViewController::viewDidAppear(bool) {
    if (!tblTable) return;
    if (auto selected = tblTable->indexPathForSelectedRow()) tblTable->deselectRowAtIndexPath(*selected, true);
}

int SupplicationsViewController::numberOfRowsInSection(UITableView*, int) {
    return SupplicationsDetailsController::kThemeCount;
}

UITableViewCellPtr SupplicationsViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("Cell");
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleValue1, "Cell");
        cell->setBackgroundColor(UIColor::clearColor());
        cell->textLabel()->setBackgroundColor(UIColor::clearColor());
        if (UILabel* detail = cell->detailTextLabel()) {
            detail->setTextColor(UIColor::colorWithRed(102 / 255.0, 101 / 255.0, 96 / 255.0, 1));
            detail->setFont(UIFont::fontWithName("Helvetica", 13));
            detail->setBackgroundColor(UIColor::clearColor());
        }
    }
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    const auto& theme = SupplicationsDetailsController::theme(indexPath.row);
    cell->textLabel()->setText(referenceText(theme.name));
    if (UILabel* detail = cell->detailTextLabel())
        detail->setText(LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(theme.count)
                                                                   : std::string(theme.count));
    return cell;
}

void SupplicationsViewController::didSelectRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    auto details = std::make_shared<SupplicationsDetailsController>("SupplicationDetailController");
    details->setStrHeader(referenceText(SupplicationsDetailsController::theme(indexPath.row).name));
    details->setIsection(indexPath.row);
    if (UINavigationController* nav = navigationController()) nav->pushViewController(details, true);
}
