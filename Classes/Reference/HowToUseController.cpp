#include "Classes/Reference/HowToUseController.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Reference/ReferenceListPage.h"
#include "Classes/Reference/SitePages.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

const HowToUseController::Topic kTopics[HowToUseController::kTopicCount] = {
    {"Lumeno Usage Terms & Conditions", nullptr, "/kb/article-147.html"},
    {"Change the Translation", "Change the Translation",
     "In the reading screen, tap the translation button on the options bar under the chapter's name (in "
     "landscape, tap the chapter's name first) and pick a translation from the list. Pick \"My Notes\" to see "
     "your own notes under the verses instead."},
    {"Change the Reciter", "Change the Reciter",
     "In the reading screen, tap the reciter button on the options bar under the chapter's name (in landscape, "
     "tap the chapter's name first) and pick a reciter. Chapters not yet downloaded for that reciter are "
     "offered for download when you press play."},
    {"Jump to a Verse", "Jumpt to a Verse",
     "Put your finger on the verse-number column at the left of the reading screen and drag it up or down: the "
     "verse number follows your finger. Lift it to jump to that verse."},
    {"Goto the next Verse", "Goto the next Verse",
     "Tap once on the verse-number column at the left of the reading screen to move on to the next verse."},
    {"Bookmark an Ayah", "Bookmark an Ayah",
     "Tap and hold a verse until the Ayah Options sheet appears, then tap \"Bookmark it\". If you chose to be "
     "asked, pick the bookmark group the verse goes into."},
    {"Goto Next/Previous Surah", "Goto Next/Previous Surah",
     "Tap the ornaments at either side of the chapter name at the top of the reading screen to go to the next or "
     "the previous chapter."},
    {"Find Surah Information", "Find Surah Information",
     "Tap the chapter name at the top of the reading screen to see the chapter's information, such as where it was "
     "revealed and its place in the order of revelation."},
    {"Delete an Audio", "Delete an Audio",
     "You can manage downloaded Audios from the Settings View under 'Manage Reciter(s)'."},
    {"Download All Surah Audios", "Download All Surah Audios",
     "In the chapter index, tap the sound icon at the top and choose to download every chapter for the current "
     "reciter. This takes a long time and much space; keep the reader open until it is done."},
    {"Write a bug report", nullptr, "/kb/"},
    {"Search the Quran", nullptr, "/kb/article-145.html"},
    {"Reveal Searched Verses", nullptr, "/kb/article-146.html"},
    {"Email a verse", "Email a Verse",
     "Tap and hold a verse until the Ayah Options sheet appears, then tap \"Mail\" to write an e-mail with the "
     "verse and its translation."},
};

}  // namespace

const HowToUseController::Topic& HowToUseController::topic(int row) {
    return kTopics[row < 0 || row >= kTopicCount ? 0 : row];
}

HowToUseController::HowToUseController() : UIViewController("") {}

void HowToUseController::registerInterface() {
    ShellScreenFactory::setMaker("HowToUse",
                                 [] { return std::make_shared<UINavigationController>(std::make_shared<HowToUseController>()); });
}

HowToUseController::~HowToUseController() {
    if (alert_) alert_->setDelegate(nullptr);
    if (table) {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

void HowToUseController::loadView() {
    table = screenTable(CGRectZero, UITableViewStyleGrouped);
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table);
}

void HowToUseController::viewDidLoad() {
    setTitle(referenceText("How to Use Lumeno"));
    navigationItem()->setRightBarButtonItem(
        std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemDone, [this](UIBarButtonItem*) { closeModal(); }));
}

void HowToUseController::closeModal() { dismissModalViewControllerAnimated(true); }

UITableViewCellPtr HowToUseController::cellForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "");
    cell->textLabel()->setText(referenceText(topic(indexPath.row).title));
    return cell;
}

std::string HowToUseController::titleForHeaderInSection(UITableView*, int) { return referenceText("How do I..."); }

void HowToUseController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    const Topic& t = topic(indexPath.row);
    if (!t.alertTitle) {
        presentSitePage(*this, "AboutMakerSite", t.text);
        return;
    }
    if (alert_) alert_->setDelegate(nullptr);
    alert_ = std::make_shared<UIAlertView>(referenceText(t.alertTitle), referenceText(t.text), this,
                                           referenceText("OK"), std::vector<std::string>{});
    alert_->show();
}
