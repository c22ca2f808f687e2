// The installed-audio manager over chapters fetched from the demo mirror: deleting a row behind
// the progress HUD, the database compacted, the index's sound marks following.

#include <gtest/gtest.h>

#include <filesystem>

#include "Classes/Audio/ManageSurahAudioController.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/DataStoreConnection.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "tests/Classes/Audio/DownloadFlowFixture.h"
#include "tests/support/DocsScreenshot.h"

#include <sqlite3.h>

namespace {

int pragma(sqlite3* db, const char* name) {
    sqlite3_stmt* statement = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, (std::string("PRAGMA ") + name).c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

class ManageSurahAudioTest : public DownloadFlowTest {
protected:
    // Chapters fetched through the download flow.
    void install(std::initializer_list<int> chapters) {
        for (int surah : chapters) {
            shell->downloadSurahAudioAlert(surah);
            ASSERT_TRUE(waitForDownloadEnd()) << surah;
            settle();
            ASSERT_TRUE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), surah, kReciter)) << surah;
        }
        reading().stopIfPlaying();
        settle();
    }

    // The manager pushed in the More tab.
    ManageSurahAudioController& openManager() {
        tapTab(3);
        manager = std::make_shared<ManageSurahAudioController>(kReciter);
        tab(3)->pushViewController(manager, false);
        settle();
        return *manager;
    }

    void deleteRow(int row) {
        UITableView& table = *manager->myTableView;
        UITableViewCell* cell = table.cellForRowAtIndexPath({0, row});
        ASSERT_NE(cell, nullptr);
        cell->layoutIfNeeded();
        UIView* control = cell->editingControl();
        ASSERT_NE(control, nullptr);
        tapView(*control);
        ASSERT_TRUE(cell->showingDeleteConfirmation());
        cell->layoutIfNeeded();
        backend->tap(screen_touches::screenCentre(*cell->deleteConfirmationButton(), cell->deleteConfirmationButton()->bounds()));
        backend->runUntilIdle();
    }

    std::string rowText(int row) {
        return manager->myTableView->cellForRowAtIndexPath({0, row})->textLabel()->text();
    }

    std::shared_ptr<ManageSurahAudioController> manager;
};

TEST_F(ManageSurahAudioTest, DeletingAChapterRemovesItsRowAndAudioAndCompactsTheDatabase) {
    startMirror();
    launchProgram();
    install({113, 112});
    const int pagesBefore = pragma(shell->dbConnection(), "page_count");
    int reciterChanges = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "ReciterDidChange", [&] { ++reciterChanges; });

    ManageSurahAudioController& screen = openManager();
    EXPECT_EQ(screen.title(), ChapterInfo::getReciterFullNameFromNumber(kReciter));
    ASSERT_EQ(screen.myTableView->numberOfRowsInSection(0), 2);
    EXPECT_EQ(rowText(0), "112 " + ChapterInfo::getNameFromNumber(112));
    EXPECT_EQ(rowText(1), "113 " + ChapterInfo::getNameFromNumber(113));
    EXPECT_EQ(screen.lblTopLabel->text(), "Note: Deleting audio files can take several minutes");

    // The worker waits on the connection's lock while the test looks at the screen.
    auto holdWorker = DataStoreConnection::lock(shell->dbConnection());
    deleteRow(0);
    ASSERT_EQ(screen.deletingSurah(), 112);
    ASSERT_NE(screen.progressHUD(), nullptr);
    EXPECT_EQ(screen.progressHUD()->labelText(), "Please wait...");
    EXPECT_EQ(screen.progressHUD()->detailsLabelText(), "Removing data... please wait");
    EXPECT_TRUE(shell->isTaskAlreadyInBackground(2));
    settle(300);
    backend->frame();
    EXPECT_TRUE(backend->screenshot(Paths::temp() + "/installed-audio-deleting.png"));
    // The HUD takes the touches meant for the rows, and a second delete waits for the first.
    UITableViewCell* other = screen.myTableView->cellForRowAtIndexPath({0, 1});
    tapView(*other->editingControl());
    EXPECT_FALSE(other->showingDeleteConfirmation());
    screen.commitEditingStyle(screen.myTableView.get(), UITableViewCellEditingStyleDelete, {0, 1});
    EXPECT_EQ(screen.deletingSurah(), 112);
    holdWorker.unlock();
    ASSERT_TRUE(waitFor([&] { return !screen.deletingSurah(); }, 60));
    settle();
    EXPECT_EQ(screen.progressHUD(), nullptr);  // hidden, then released
    EXPECT_FALSE(shell->isTaskAlreadyInBackground(2));
    EXPECT_EQ(reciterChanges, 1);
    ASSERT_EQ(screen.myTableView->numberOfRowsInSection(0), 1);
    EXPECT_EQ(rowText(0), "113 " + ChapterInfo::getNameFromNumber(113));
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), 112, kReciter));
    EXPECT_FALSE(ChapterInfo::isSurahAudioContinuous(shell->dbConnection(), 112, kReciter));
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(shell->dbConnection(), 113, kReciter));
    // Compacted: no free pages left, fewer pages than before.
    EXPECT_EQ(pragma(shell->dbConnection(), "freelist_count"), 0);
    EXPECT_LT(pragma(shell->dbConnection(), "page_count"), pagesBefore);
    docs_screenshot::shootForDocs(*backend, "installed-audio.png");

    // The index shows the chapter without audio when it comes back.
    tapTab(0);
    indexScreen().hideSurahView();
    settle();
    EXPECT_FALSE(indexScreen().isSurahAudioInstalled(112));
    EXPECT_TRUE(indexScreen().isSurahAudioInstalled(113));
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ManageSurahAudioTest, DeletingTheLastChapterGoesBackAndArabicRowsUseArabicDigits) {
    startMirror();
    launchProgram();
    install({114});
    ManageSurahAudioController& screen = openManager();
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("ar"), Value("en")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
    screen.myTableView->reloadData();
    EXPECT_EQ(rowText(0), "\u0661\u0661\u0664 " + ChapterInfo::getNameFromNumber(114));
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("en")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
    deleteRow(0);
    ASSERT_TRUE(waitFor([&] { return !screen.deletingSurah(); }, 60));
    settle();
    EXPECT_NE(tab(3)->topViewController(), &screen);
}

}  // namespace
