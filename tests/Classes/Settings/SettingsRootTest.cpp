// The settings root page: its sections as installed audio and the system version decide, what
// its rows open, and the gapless upgrade.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "tests/support/PlaceholderScreens.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Settings/SettingsSubView.h"
#include "Classes/Settings/SettingsViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIDevice.h"

namespace {

std::string cellTitle(UITableView& table, NSIndexPath path) {
    table.scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
    UITableViewCell* cell = table.cellForRowAtIndexPath(path);
    return cell ? cell->textLabel()->text() : "<none>";
}

std::vector<std::string> sectionTitles(UITableView& table, int section) {
    std::vector<std::string> out;
    for (int row = 0; row < table.numberOfRowsInSection(section); ++row)
        out.push_back(cellTitle(table, NSIndexPath{section, row}));
    return out;
}

TEST_F(SettingsTest, WithoutInstalledAudioTheRootHasFourSections) {
    launch();
    SettingsViewController& page = openSettings();
    UITableView& table = *page.myTableView;
    EXPECT_FALSE(nav->isNavigationBarHidden());
    EXPECT_EQ(page.title(), "Settings");
    EXPECT_EQ(page.btnBack->titleForState(UIControlStateNormal), "More");
    ASSERT_EQ(table.numberOfSections(), 4);
    EXPECT_EQ(page.titleForHeaderInSection(&table, 0), "Language");
    EXPECT_EQ(page.titleForHeaderInSection(&table, 1), "General");
    EXPECT_EQ(page.titleForHeaderInSection(&table, 2), "Bookmarking");
    EXPECT_EQ(page.titleForHeaderInSection(&table, 3), "");
    EXPECT_EQ(sectionTitles(table, 0), std::vector<std::string>{"English"});
    EXPECT_EQ(sectionTitles(table, 1), (std::vector<std::string>{"Font Size", "Tajweed", "Colored Translation",
                                                                 "Al-Kahf reminders", "Sharing"}));
    EXPECT_EQ(sectionTitles(table, 2), std::vector<std::string>{"Ask for groups"});
    EXPECT_EQ(sectionTitles(table, 3), std::vector<std::string>{"Backup"});
    // The font size's name on the right; a fresh install asks for groups.
    table.scrollToRowAtIndexPath(NSIndexPath{1, 0}, UITableViewScrollPositionMiddle, false);
    EXPECT_EQ(table.cellForRowAtIndexPath(NSIndexPath{1, 0})->detailTextLabel()->text(), "Normal");
    EXPECT_TRUE(page.switchAskForBookmarkGroups->isOn());
    // Every row is 44 points high.
    EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath{3, 0}).size.height, 44);
}

TEST_F(SettingsTest, AnOlderSystemShowsThreeGeneralRows) {
    UIDevice::currentDevice().setSystemVersion("3.1.3");
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    launch();
    SettingsViewController& page = openSettings();
    EXPECT_EQ(sectionTitles(*page.myTableView, 1),
              (std::vector<std::string>{"Font Size", "Tajweed", "Colored Translation"}));
}

TEST_F(SettingsTest, RowsOpenTheirPagesAndSwitchRowsOpenNothing) {
    launch();
    SettingsViewController& page = openSettings();
    struct Case {
        NSIndexPath row;
        int subPage;  // 0: nothing is pushed
    };
    for (const Case& c : {Case{{0, 0}, SettingsSubView::LanguagePage}, Case{{1, 0}, SettingsSubView::FontSizes},
                          Case{{1, 1}, SettingsSubView::Tajweed}, Case{{1, 4}, SettingsSubView::Sharing},
                          Case{{1, 2}, 0}, Case{{1, 3}, 0}, Case{{2, 0}, 0}}) {
        SCOPED_TRACE(testing::Message() << c.row.section << ":" << c.row.row);
        const bool askBefore = page.switchAskForBookmarkGroups->isOn();
        // Tapped at the row's left, away from its switch.
        page.myTableView->scrollToRowAtIndexPath(c.row, UITableViewScrollPositionMiddle, false);
        settle();
        const CGRect r = page.myTableView->convertRectToView(page.myTableView->rectForRowAtIndexPath(c.row), nullptr);
        backend.tap(CGPointMake(r.origin.x + 40, r.origin.y + r.size.height / 2));
        settle();
        EXPECT_EQ(page.switchAskForBookmarkGroups->isOn(), askBefore);
        if (!c.subPage) {
            EXPECT_EQ(nav->topViewController(), &page);
            EXPECT_FALSE(page.myTableView->indexPathForSelectedRow());
            continue;
        }
        auto* sub = dynamic_cast<SettingsSubView*>(nav->topViewController());
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->ThisSetting(), c.subPage);
        nav->popViewControllerAnimated(true);
        settle();
        EXPECT_FALSE(page.myTableView->indexPathForSelectedRow());
    }
}

TEST_F(SettingsTest, BackupShowsItsHint) {
    launch();
    SettingsViewController& page = openSettings();
    tapRow(*page.myTableView, NSIndexPath{3, 0});
    ASSERT_NE(page.shownAlert(), nullptr);
    EXPECT_TRUE(page.shownAlert()->isVisible());
    EXPECT_EQ(page.shownAlert()->title(), "Backup");
    EXPECT_EQ(page.shownAlert()->numberOfButtons(), 1);
    page.shownAlert()->clickButtonAtIndex(0);
    settle();
    EXPECT_EQ(nav->topViewController(), &page);
}

TEST_F(SettingsTest, InstalledAudioAddsReciterRowsAndGaplessAudioNeedsNoUpgrade) {
    // Installed chapters stored as continuous audio.
    for (auto [surah, reciter] : {std::pair{18, 4}, std::pair{2, 2}}) {
        ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(app->dbConnection(), surah, reciter));
        ASSERT_TRUE(ChapterInfo::markContAudioAsInstalled(app->dbConnection(), surah, reciter, false));
    }
    launch();
    SettingsViewController& page = openSettings();
    UITableView& table = *page.myTableView;
    ASSERT_EQ(table.numberOfSections(), 5);
    EXPECT_EQ(page.titleForHeaderInSection(&table, 4), "Manage Recitations");
    EXPECT_EQ(sectionTitles(table, 4), (std::vector<std::string>{ChapterInfo::getReciterFullNameFromNumber(2),
                                                                 ChapterInfo::getReciterFullNameFromNumber(4)}));
    // The program's installed-audio screen, here a stand-in titled with the reciter.
    SettingsViewController::setInstalledAudioMaker([](int reciter) {
        return std::make_shared<PlaceholderViewController>(ChapterInfo::getReciterFullNameFromNumber(reciter));
    });
    tapRow(table, NSIndexPath{4, 1});
    auto* audio = dynamic_cast<PlaceholderViewController*>(nav->topViewController());
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(audio->title(), ChapterInfo::getReciterFullNameFromNumber(4));
    nav->popViewControllerAnimated(true);
    settle();
    // Installs made elsewhere show when the page appears again.
    ASSERT_TRUE(ChapterInfo::deleteAudio(app->dbConnection(), 2, 2, true));
    tapRow(table, NSIndexPath{1, 1});
    ASSERT_NE(dynamic_cast<SettingsSubView*>(nav->topViewController()), nullptr);
    nav->popViewControllerAnimated(true);
    settle();
    EXPECT_EQ(sectionTitles(table, 4), std::vector<std::string>{ChapterInfo::getReciterFullNameFromNumber(4)});
}

TEST_F(SettingsTest, GaplessUpgradeRemovesVerseAudioAnnouncesAndOffersTheDownload) {
    ASSERT_TRUE(ChapterInfo::markAudioAsInstalled(app->dbConnection(), 36, 3));
    launch();
    SettingsViewController& page = openSettings();
    UITableView& table = *page.myTableView;
    ASSERT_EQ(table.numberOfSections(), 6);
    EXPECT_EQ(sectionTitles(table, 5), std::vector<std::string>{"Upgrade Audio Data"});

    // "No" changes nothing.
    tapRow(table, NSIndexPath{5, 0});
    ASSERT_NE(page.shownAlert(), nullptr);
    page.shownAlert()->clickButtonAtIndex(0);
    settle();
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(app->dbConnection(), 36, 3));

    NotificationCounter counter;
    NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentReciterv22");
    tapRow(table, NSIndexPath{5, 0});
    page.shownAlert()->clickButtonAtIndex(1);
    settle();
    EXPECT_FALSE(ChapterInfo::isSurahAudioInstalled(app->dbConnection(), 36, 3));
    EXPECT_EQ(counter.all(), (std::map<std::string, int>{{"ReciterDidChange", 1}}));
    EXPECT_TRUE(page.allReciters().empty());
    EXPECT_EQ(table.numberOfSections(), 4);
    EXPECT_FALSE(page.shownAlert()->isVisible());
    EXPECT_EQ(app->downloadOffers, std::vector<int>{114});
}

}  // namespace
