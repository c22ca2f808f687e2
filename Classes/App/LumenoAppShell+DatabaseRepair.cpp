// Telling the user that a damaged user database was rebuilt: what came over and where the
// damaged file is kept.

#include "Classes/App/LumenoAppShell.h"

#include "Classes/Core/Language.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

// The text in the interface language (the English text is the key).
std::string repairText(const std::string& english) { return Language::get(english, english); }

std::string repairMessage(const SalvageReport& report) {
    std::string text = stringWithFormat(
        repairText("Lumeno found its database damaged, kept the damaged file aside and rebuilt the database from what "
                   "could still be read.\n\nCarried over: %i of %i bookmarks (%i with notes), %i of %i saved searches, "
                   "the audio of %i of %i chapters.")
            .c_str(),
        report.bookmarks, report.bookmarksFound, report.notes, report.savedSearches, report.savedSearchesFound,
        report.audioChapters, report.audioChaptersFound);
    if (report.notesUnreadable > 0)
        text += "\n" + stringWithFormat(repairText("The notes of %i bookmarks could not be read.").c_str(),
                                        report.notesUnreadable);
    if (report.audioChapters < report.audioChaptersFound)
        text += "\n" + repairText("The audio of the other chapters can be downloaded again.");
    return text + "\n\n" + repairText("The damaged file is kept as:") + "\n" + report.damagedCopy;
}

}  // namespace

void LumenoAppShell::showDatabaseRepairAlert() {
    if (!salvageReport()) return;
    auto alert = std::make_shared<UIAlertView>(repairText("Damaged Database Repaired"), repairMessage(*salvageReport()),
                                               nullptr, repairText("OK"), std::vector<std::string>{});
    alert->show();
}

void LumenoAppShell::userDatabaseRepaired(bool repaired, const std::string& why) {
    if (!repaired) {
        auto alert = std::make_shared<UIAlertView>(
            repairText("Damaged Database"),
            stringWithFormat(repairText("Lumeno found its database damaged and could not rebuild it: %@").c_str(), why) +
                "\n\n" +
                repairText("Nothing more is written into it: what you change now is not kept. Start Lumeno again to "
                           "try the rebuild once more (it needs free space beside the file)."),
            nullptr, repairText("OK"), std::vector<std::string>{});
        alert->show();
        return;
    }
    // Every screen reads its records again from the rebuilt file.
    NSNotificationCenter::defaultCenter().postNotificationName("BookmarkDidChange");
    reloadIndexView();
    showDatabaseRepairAlert();
}
