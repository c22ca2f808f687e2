#include "Classes/Settings/MoreViewController.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Core/Language.h"
#include "Classes/Settings/SettingsPage.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

std::string tr(const char* text) { return Language::get(text, text); }

UIColorPtr rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

constexpr MoreViewController::MenuRow kMenu[MoreViewController::kRowCount] = {
    {"Tajweed", "more-icon-tajweed.png", "more-icon-tajweed-w.png", "Tajweed", false},
    {"Stop Signs", "more-icon-stops.png", "more-icon-stops-w.png", "StopSigns", false},
    {"Sajdas", "more-icon-sajdas.png", "more-icon-sajdas-t.png", "SupplicationDetailController", false},
    {"Quranic Supplications", "more-icon-supplications.png", "more-icon-supplications-w.png",
     "SupplicationsViewController", false},
    {"Settings", "more-icon-settings.png", "more-icon-settings-w.png", "SettingsView", false},
    {"Tips", "more-tips.png", "more-tips-w.png", "TipsViewController", true},
    {"How to Use", "more-icon-howto.png", "more-icon-howto-w.png", "HowToUse", true},
    {"About", "more-icon-about.png", "more-icon-about-w.png", "AboutView", true},
};

}  // namespace

const MoreViewController::MenuRow& MoreViewController::menuRow(int row) {
    return kMenu[row < 0 || row >= kRowCount ? 0 : row];
}

MoreViewController::MoreViewController(const std::string& nibName) : UIViewController(nibName) {
    registerInterface();
    setTitle(tr("More"));
}

MoreViewController::~MoreViewController() {
    if (tblGroups) {
        tblGroups->setDataSource(nullptr);
        tblGroups->setDelegate(nullptr);
    }
}

void MoreViewController::viewDidLoad() {
    setTitle(tr("More"));
    if (lblTopLabel) lblTopLabel->setText(tr("More"));
    if (tblGroups) {
        tblGroups->setSeparatorColor(rgb(216, 210, 189));
        tblGroups->setDataSource(this);
        tblGroups->setDelegate(this);
    }
    rethemeUI();
}

void MoreViewController::rethemeUI() {
    UIImagePtr bar = UIImage::imageNamed("bk-bmg-header.png");
    if (imgTopBarBG && bar) imgTopBarBG->setImage(bar->stretchableImageWithLeftCapWidth(159, 0));
    UIImagePtr paper = UIImage::imageNamed("bk-bmg-bg.png.png");
    if (imgBG && paper) imgBG->setImage(paper->stretchableImageWithLeftCapWidth(159, 0));
}

void MoreViewController::viewWillAppear(bool animated) {
    // The menu draws its own top bar.
    if (UINavigationController* nav = navigationController()) nav->setNavigationBarHidden(true, animated);
    setTitle(tr("More"));
    if (lblTopLabel) lblTopLabel->setText(tr("More"));
    if (tblGroups) tblGroups->reloadData();
}

UITableViewCellPtr MoreViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("VerseCell");
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "VerseCell");
        // The paper shows through the rows.
        cell->setBackgroundColor(UIColor::clearColor());
        cell->textLabel()->setBackgroundColor(UIColor::clearColor());
        cell->textLabel()->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
        if (UILabel* detail = cell->detailTextLabel()) {
            detail->setFont(UIFont::fontWithName("Helvetica", 15));
            detail->setTextColor(rgb(101, 100, 94));
        }
    }
    const MenuRow& row = menuRow(indexPath.row);
    cell->textLabel()->setText(tr(row.title));
    cell->imageView()->setImage(UIImage::imageNamed(row.image));
    cell->imageView()->setHighlightedImage(UIImage::imageNamed(row.highlightedImage));
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    return cell;
}

void MoreViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= kRowCount) return;
    const MenuRow& row = menuRow(indexPath.row);
    UIViewControllerPtr screen = ShellScreenFactory::make(row.interfaceName);
    if (!screen) return;
    if (row.modal) presentModalViewController(screen, true);
    else if (UINavigationController* nav = navigationController()) nav->pushViewController(screen, true);
}

void MoreViewController::btnCancelPressed() { dismissModalViewControllerAnimated(true); }
