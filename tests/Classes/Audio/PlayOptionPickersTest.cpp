// The reciter, play-next and verse-repeat pickers store their settings and announce them.

#include <gtest/gtest.h>

#include "Classes/Audio/AyaRepeatController.h"
#include "Classes/Audio/PickReciterController.h"
#include "Classes/Audio/PlayNextAyasController.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "tests/Classes/Audio/PlaybackFixture.h"

namespace {

class PlayOptionPickers : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        for (const char* name : {"AyahRepeatDidChange", "SurahRepeatDidChange", "PlayVerseRangeDidChange", "ReciterDidChange"})
            NSNotificationCenter::defaultCenter().addObserver(this, name, [this, name] { posted.push_back(name); });
    }
    void TearDown() override {
        NSNotificationCenter::defaultCenter().removeObserver(this);
        PlaybackTest::TearDown();
    }
    static void choose(PlayOptionsSheet& sheet, int section, int row) {
        sheet.didSelectRowAtIndexPath(sheet.table.get(), NSIndexPath::indexPathForRow(row, section));
    }
    static long long stored(const char* key) { return NSUserDefaults::standardUserDefaults().integerForKey(key); }
    static bool checked(PlayOptionsSheet& sheet, int section, int row) {
        UITableViewCell* cell = sheet.table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
        return cell && cell->accessoryType() == UITableViewCellAccessoryCheckmark;
    }
    std::vector<std::string> posted;
};

TEST_F(PlayOptionPickers, VerseRepeatStoresTheCountAndCloses) {
    installPerVerse(112, 2);
    openAndPlay(112, 1);
    screen->btnAyahRepeatPressed();
    run(400);
    auto sheet = screen->ayahOptionsView();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(screen->isShowingPlayOptions());
    EXPECT_TRUE(checked(*sheet, 0, 0));
    choose(*sheet, 0, 5);
    EXPECT_EQ(stored("AyahRepeatCounter"), 5);
    EXPECT_EQ(posted, std::vector<std::string>{"AyahRepeatDidChange"});
    EXPECT_EQ(screen->lblAyahRepeatCount->text(), "\u221E");
    EXPECT_FALSE(screen->ayahOptionsView());
    EXPECT_FALSE(screen->isShowingPlayOptions());
    run(400);
    EXPECT_EQ(sheet->view()->superview(), nullptr);
}

TEST_F(PlayOptionPickers, PlayNextNeverCombinesAGroupWithTheNextChapterRule) {
    installPerVerse(112, 2);
    NSUserDefaults::standardUserDefaults().setInteger(2, "PlayVerseRange");
    openAndPlay(112, 1);
    screen->btnPlayNextPressed();
    run(400);
    auto sheet = screen->optionsview();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(PlayNextAyasController::rowText(1, 9), "Play the next 10 verses");
    EXPECT_EQ(PlayNextAyasController::rowText(0, 2), "Repeat current surah / group");
    EXPECT_TRUE(checked(*sheet, 1, 2));

    choose(*sheet, 0, 1);
    EXPECT_EQ(stored("SurahRepeatCounter"), 1);
    EXPECT_EQ(stored("PlayVerseRange"), 0);
    EXPECT_EQ(posted, (std::vector<std::string>{"SurahRepeatDidChange", "PlayVerseRangeDidChange"}));
    EXPECT_TRUE(checked(*sheet, 1, 0));
    EXPECT_FALSE(checked(*sheet, 1, 2));

    posted.clear();
    choose(*sheet, 1, 3);
    EXPECT_EQ(stored("PlayVerseRange"), 3);
    EXPECT_EQ(stored("SurahRepeatCounter"), 0);
    EXPECT_EQ(posted, (std::vector<std::string>{"PlayVerseRangeDidChange", "SurahRepeatDidChange"}));
    EXPECT_TRUE(checked(*sheet, 0, 0));
    EXPECT_TRUE(screen->optionsview()) << "choosing does not close the sheet";
    EXPECT_EQ(screen->btnSurahRepeatBubble->titleForState(UIControlStateNormal), "Play the next 3 ayas");
    sheet->btnBackPressed();
    EXPECT_FALSE(screen->optionsview());
}

TEST_F(PlayOptionPickers, ReciterChoiceIsStoredAndAnnouncedAndOffersTheGaplessUpgrade) {
    installPerVerse(112, 3);  // reciter 3 has continuous recordings; chapter 112 is per verse only
    open(112, 1, 0);
    screen->btnReciterPressed();
    run(600);
    auto* picker = dynamic_cast<PickReciterController*>(screen->modalViewController());
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->iCurrentSurah(), 112);
    EXPECT_EQ(picker->reciterCodes(), (std::vector<int>{0, 4, 2, 5, 3, 6, 8, 1}));
    UITableViewCell* row3 = picker->table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 0));
    ASSERT_TRUE(row3);
    EXPECT_TRUE(*row3->textLabel()->textColor() == *UIColor::blackColor()) << "installed";
    EXPECT_TRUE(checked(*picker, 0, 2)) << "reciter 2 is current";

    choose(*picker, 0, 1);  // reciter 4: nothing installed, no question
    EXPECT_EQ(stored("CurrentReciterv22"), 4);
    EXPECT_EQ(posted, std::vector<std::string>{"ReciterDidChange"});
    run(600);
    EXPECT_EQ(screen->modalViewController(), nullptr);

    posted.clear();
    screen->btnReciterPressed();
    run(600);
    picker = dynamic_cast<PickReciterController*>(screen->modalViewController());
    ASSERT_TRUE(picker);
    choose(*picker, 0, 4);  // reciter 3: asks first
    EXPECT_EQ(stored("CurrentReciterv22"), 3);
    ASSERT_TRUE(picker->upgradeAlert());
    EXPECT_TRUE(posted.empty());
    picker->alertViewClickedButtonAtIndex(picker->upgradeAlert().get(), 0);  // "No"
    EXPECT_EQ(posted, std::vector<std::string>{"ReciterDidChange"});
    EXPECT_TRUE(ChapterInfo::isSurahAudioInstalled(app->dbConnection(), 112, 3)) << "No keeps the audio";

    // Without a chapter every row shows as not installed.
    PickReciterController loose;
    loose.view();
    loose.viewWillAppear(false);
    UITableViewCellPtr cell = loose.cellForRowAtIndexPath(loose.table.get(), NSIndexPath::indexPathForRow(4, 0));
    EXPECT_FALSE(*cell->textLabel()->textColor() == *UIColor::blackColor());
}

}  // namespace
