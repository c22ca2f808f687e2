#include "Classes/Reference/StopSignsViewController.h"

#include "Classes/Reference/SignCellView.h"
#include "platform/graphics/UIImage.h"

namespace {

constexpr StopSignsViewController::Sign kSigns[StopSignsViewController::kSignCount] = {
    {"sign1.png", "Must Stop", "Must stop on this sign"},
    {"sign2.png", "Can't Stop", "Never stop on this sign"},
    {"sign3.png", "Stop or continue", "Both are fine"},
    {"sign4.png", "Better to continue", "Pausing is desirable"},
    {"sign5.png", "Better to stop", "Stopping is desirable"},
    {"sign6.png", "Stop at one", "You can only stop at one of these two"},
    {"sign7.png", "A Slight pause", "Take a slight pause without breathing"},
};

}  // namespace

const StopSignsViewController::Sign& StopSignsViewController::sign(int row) {
    return kSigns[row < 0 || row >= kSignCount ? 0 : row];
}

StopSignsViewController::StopSignsViewController(const std::string& nibName) : ReferenceListPage(nibName) {
    registerInterface();
}

void StopSignsViewController::registerInterface() {
    if (UIViewController::hasInterface("StopSigns")) return;
    UIViewController::registerInterface("StopSigns", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* page = dynamic_cast<StopSignsViewController*>(&owner);
        if (!page) return nullptr;
        Frame frame = buildFrame(*page);
        page->tblGroups = frame.table;
        return frame.root;
    });
}

void StopSignsViewController::viewDidLoad() {
    if (lblTopLabel) lblTopLabel->setText(referenceText("Stop Signs"));
    setTitle(referenceText("Stop Signs"));
    setBackTitle(referenceText("More"));
    attachTable(tblGroups, UIColor::colorWithRed(216 / 255.0, 210 / 255.0, 194 / 255.0, 1));
    rethemeUI();
}

void StopSignsViewController::viewWillAppear(bool) {
    if (tblGroups) tblGroups->reloadData();
}

void StopSignsViewController::btnCancelPressed() { dismissModalViewControllerAnimated(true); }

UITableViewCellPtr StopSignsViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    auto cell = std::dynamic_pointer_cast<SignCellView>(tableView->dequeueReusableCellWithIdentifier("VerseCell"));
    if (!cell) cell = std::make_shared<SignCellView>(UITableViewCellStyleDefault, "VerseCell");
    const Sign& row = sign(indexPath.row);
    cell->lblTitle->setText(referenceText(row.title));
    cell->lblExplanation->setText(referenceText(row.explanation));
    cell->imgSign->setImage(UIImage::imageNamed(row.image));
    cell->setAccessoryType(UITableViewCellAccessoryNone);
    return cell;
}

void StopSignsViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
}
