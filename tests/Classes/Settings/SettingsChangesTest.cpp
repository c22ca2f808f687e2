// Every change on the settings pages: the key written and synchronized (read back from the file),
// then announced by its notification exactly once and nothing else; the Tajweed legend rule;
// stored values out of range.

#include "tests/Classes/Settings/SettingsFixture.h"

#include <functional>

#include "Classes/Core/Language.h"
#include "Classes/Settings/SettingsSubView.h"
#include "Classes/Settings/SettingsViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIApplication.h"

namespace {

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

struct SwitchCase {
    const char* name;
    int page;  // 0 the root page, else the sub-page number
    NSIndexPath row;
    std::function<UISwitch*(SettingsPage&)> control;
    const char* key;
    bool stored;  // the value on disk after the tap (every switch starts as registered)
    std::map<std::string, int> posted;
};

template <class Page>
std::function<UISwitch*(SettingsPage&)> field(std::shared_ptr<UISwitch> Page::*member) {
    return [member](SettingsPage& page) { return (dynamic_cast<Page&>(page).*member).get(); };
}

const SwitchCase kSwitchCases[] = {
    {"ColoredTranslation", 0, {1, 2}, field(&SettingsViewController::switchColoredTrans), "ColoredTranslation", false,
     {{"TranslationDidChange", 1}}},
    {"AlKahfReminders", 0, {1, 3}, field(&SettingsViewController::switchKahf), "AlKahfReminders", false, {}},
    // Shown on while the stored value is false; stored inverted.
    {"AskForBookmarkGroup", 0, {2, 0}, field(&SettingsViewController::switchAskForBookmarkGroups),
     "AskForBookmarkGroup", true, {}},
    {"IndexInArabic", SettingsSubView::LanguagePage, {0, 0}, field(&SettingsSubView::switchArabicTitles),
     "IndexInArabic", true, {{"ArabicLanguageChanged", 1}}},
    {"ShowTajweedBar", SettingsSubView::Tajweed, {0, 0}, field(&SettingsSubView::switchLegend), "ShowTajweedBar", false,
     {{"TajweedBarDisplayToggled", 1}}},
    {"TajweedGhunna", SettingsSubView::Tajweed, {1, 0}, field(&SettingsSubView::switchGHunna), "TajweedGhunna", false,
     {{"ArabicFontChanged", 1}, {"TajweedBarDisplayToggled", 1}}},
    {"TajweedIkhfa", SettingsSubView::Tajweed, {1, 1}, field(&SettingsSubView::switchIkhfa), "TajweedIkhfa", false,
     {{"ArabicFontChanged", 1}, {"TajweedBarDisplayToggled", 1}}},
    {"TajweedIdgham", SettingsSubView::Tajweed, {1, 2}, field(&SettingsSubView::switchIdgham), "TajweedIdgham", false,
     {{"ArabicFontChanged", 1}, {"TajweedBarDisplayToggled", 1}}},
    {"TajweedIqlab", SettingsSubView::Tajweed, {1, 3}, field(&SettingsSubView::switchIqlab), "TajweedIqlab", false,
     {{"ArabicFontChanged", 1}, {"TajweedBarDisplayToggled", 1}}},
    {"TajweedQalqala", SettingsSubView::Tajweed, {1, 4}, field(&SettingsSubView::switchQalqala), "TajweedQalqala",
     false, {{"ArabicFontChanged", 1}, {"TajweedBarDisplayToggled", 1}}},
    {"ColoredStopSigns", SettingsSubView::Tajweed, {2, 0}, field(&SettingsSubView::switchStopSigns),
     "ColoredStopSigns", false, {{"ArabicFontChanged", 1}}},
};

class SwitchChangeTest : public SettingsTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchChangeTest, WritesSynchronizesAndAnnouncesOnce) {
    const SwitchCase& c = GetParam();
    launch();
    // The root page's rows, by page number.
    static const NSIndexPath kPageRows[] = {{0, 0}, {1, 4}, {0, 0}, {1, 0}, {1, 1}};
    SettingsPage* page = c.page == 0 ? static_cast<SettingsPage*>(&openSettings())
                                     : static_cast<SettingsPage*>(&openSubPage(kPageRows[c.page]));
    page->myTableView->scrollToRowAtIndexPath(c.row, UITableViewScrollPositionMiddle, false);
    settle();
    UISwitch* control = c.control(*page);
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->window(), nullptr) << "the switch is not on screen";
    const bool before = control->isOn();
    NotificationCounter counter;
    tapView(*control);
    EXPECT_NE(control->isOn(), before);
    EXPECT_EQ(storedOnDisk(c.key).boolValue(), c.stored);
    EXPECT_EQ(counter.all(), c.posted);
}

INSTANTIATE_TEST_SUITE_P(Switches, SwitchChangeTest, ::testing::ValuesIn(kSwitchCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PickCase {
    const char* name;
    int page;
    NSIndexPath row;
    const char* key;
    Value stored;
    std::map<std::string, int> posted;
};

const PickCase kPickCases[] = {
    {"ArabicHuge", SettingsSubView::FontSizes, {0, 4}, "ArabicFontSize", Value(4LL), {{"ArabicFontChanged", 1}}},
    {"ArabicSame", SettingsSubView::FontSizes, {0, 1}, "ArabicFontSize", Value(1LL), {{"ArabicFontChanged", 1}}},
    {"TranslationBig", SettingsSubView::FontSizes, {1, 2}, "TranslationFontSize", Value(2LL),
     {{"ArabicFontChanged", 1}}},
    {"Arabic", SettingsSubView::LanguagePage, {1, 0}, "PrefLang", Value("ar"),
     {{UIApplicationDidReceiveMemoryWarningNotification, 1}}},
    {"English", SettingsSubView::LanguagePage, {1, 1}, "PrefLang", Value("en"),
     {{UIApplicationDidReceiveMemoryWarningNotification, 1}}},
};

class PickChangeTest : public SettingsTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickChangeTest, WritesSynchronizesAnnouncesOnceAndMovesTheCheckmark) {
    const PickCase& c = GetParam();
    launch();
    SettingsSubView& page = openSubPage(c.page == SettingsSubView::FontSizes ? NSIndexPath{1, 0} : NSIndexPath{0, 0});
    ASSERT_EQ(page.ThisSetting(), c.page);
    NotificationCounter counter;
    tapRow(*page.myTableView, c.row);
    EXPECT_EQ(storedOnDisk(c.key), c.stored);
    EXPECT_EQ(counter.all(), c.posted);
    int checks = 0;
    for (int row = 0; row < page.myTableView->numberOfRowsInSection(c.row.section); ++row) {
        page.myTableView->scrollToRowAtIndexPath(NSIndexPath{c.row.section, row}, UITableViewScrollPositionMiddle, false);
        UITableViewCell* cell = page.myTableView->cellForRowAtIndexPath(NSIndexPath{c.row.section, row});
        ASSERT_NE(cell, nullptr);
        if (cell->accessoryType() == UITableViewCellAccessoryCheckmark) {
            ++checks;
            EXPECT_EQ(row, c.row.row);
        }
    }
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(page.myTableView->indexPathForSelectedRow());
}

INSTANTIATE_TEST_SUITE_P(Picks, PickChangeTest, ::testing::ValuesIn(kPickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, PickingAFontSizeDropsTheCachedSizeAndNamesThePage) {
    launch();
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 1);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 1);
    SettingsSubView& page = openSubPage(NSIndexPath{1, 0});
    tapRow(*page.myTableView, NSIndexPath{0, 3});
    tapRow(*page.myTableView, NSIndexPath{1, 0});
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 3);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 0);
    EXPECT_EQ(page.title(), "Large");
    // The root page names the new size when it shows again.
    nav->popViewControllerAnimated(true);
    settle();
    auto* root = dynamic_cast<SettingsViewController*>(nav->topViewController());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->myTableView->cellForRowAtIndexPath(NSIndexPath{1, 0})->detailTextLabel()->text(), "Large");
}

TEST_F(SettingsTest, PickingALanguageSwitchesTheTablesAndRetitlesTheTabs) {
    launch();
    SettingsSubView& page = openSubPage(NSIndexPath{0, 0});
    ASSERT_TRUE(page.navigationItem()->rightBarButtonItem());
    EXPECT_EQ(page.navigationItem()->rightBarButtonItem()->title(), "Quit");
    EXPECT_FALSE(LumenoSDKAppDelegate::IsLanguageArabic());
    tapRow(*page.myTableView, NSIndexPath{1, 0});
    EXPECT_EQ(Language::currentLanguage(), "ar");
    EXPECT_EQ(defaults().stringArrayForKey("AppleLanguages"), std::vector<std::string>{"ar"});
    EXPECT_TRUE(LumenoSDKAppDelegate::IsLanguageArabic());
    EXPECT_EQ(app->tabLabelResets, 1);
    // The settings page out of sight dropped its view and rebuilds it in Arabic.
    nav->popViewControllerAnimated(true);
    settle();
    auto* root = dynamic_cast<SettingsViewController*>(nav->topViewController());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->myTableView->cellForRowAtIndexPath(NSIndexPath{0, 0})->textLabel()->text(),
              Language::get("Arabic", "?"));
    EXPECT_NE(Language::get("Arabic", "?"), "Arabic");
}

TEST_F(SettingsTest, QuitLeavesTheProgramLoop) {
    launch();
    SettingsSubView& page = openSubPage(NSIndexPath{0, 0});
    ASSERT_FALSE(backend.quitRequested());
    page.navigationItem()->rightBarButtonItem()->trigger();
    EXPECT_TRUE(backend.quitRequested());
    // The databases stay open until the program's termination closes them.
    EXPECT_NE(app->dbConnection(), nullptr);
}

// ---- The legend rule ----

TEST_F(SettingsTest, WithOneRuleTheLegendIsOffDisabledAndAnnouncedOnOpening) {
    for (const char* key : {"TajweedIkhfa", "TajweedIdgham", "TajweedIqlab", "TajweedQalqala"}) defaults().setBool(false, key);
    defaults().setBool(true, "ShowTajweedBar");
    launch();
    SettingsViewController& root = openSettings();
    NotificationCounter counter;
    tapRow(*root.myTableView, NSIndexPath{1, 1});
    auto* page = dynamic_cast<SettingsSubView*>(nav->topViewController());
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->switchLegend->isEnabled());
    EXPECT_FALSE(page->switchLegend->isOn());
    EXPECT_FALSE(storedOnDisk("ShowTajweedBar").boolValue());
    EXPECT_EQ(counter.count("TajweedBarDisplayToggled"), 1);

    // A second rule enables the legend switch but leaves it off.
    page->myTableView->scrollToRowAtIndexPath(NSIndexPath{1, 1}, UITableViewScrollPositionMiddle, false);
    settle();
    tapView(*page->switchIkhfa);
    EXPECT_TRUE(page->switchLegend->isEnabled());
    EXPECT_FALSE(page->switchLegend->isOn());
    EXPECT_FALSE(storedOnDisk("ShowTajweedBar").boolValue());

    // Opening other sub-pages applies the rule too.
    nav->popViewControllerAnimated(true);
    settle();
    counter.clear();
    tapRow(*root.myTableView, NSIndexPath{1, 0});
    EXPECT_EQ(counter.count("TajweedBarDisplayToggled"), 1);
}

TEST_F(SettingsTest, DroppingToOneRuleTurnsTheShownLegendOff) {
    for (const char* key : {"TajweedIdgham", "TajweedIqlab", "TajweedQalqala"}) defaults().setBool(false, key);
    launch();
    SettingsSubView& page = openSubPage(NSIndexPath{1, 1});
    ASSERT_TRUE(page.switchLegend->isEnabled());
    ASSERT_TRUE(page.switchLegend->isOn());
    EXPECT_TRUE(storedOnDisk("ShowTajweedBar").boolValue());
    page.myTableView->scrollToRowAtIndexPath(NSIndexPath{1, 0}, UITableViewScrollPositionMiddle, false);
    settle();
    tapView(*page.switchGHunna);
    EXPECT_FALSE(page.switchLegend->isEnabled());
    EXPECT_FALSE(page.switchLegend->isOn());
    EXPECT_FALSE(storedOnDisk("ShowTajweedBar").boolValue());
    EXPECT_FALSE(storedOnDisk("TajweedGhunna").boolValue());
}

// ---- Values the pages do not offer ----

TEST_F(SettingsTest, StoredSizesOutOfRangeReadAsTheDefaultAndAPickMendsThem) {
    defaults().setInteger(9, "ArabicFontSize");
    defaults().setInteger(-3, "TranslationFontSize");
    launch();
    EXPECT_EQ(LumenoSDKAppDelegate::ArabicFontSize(), 1);
    EXPECT_EQ(LumenoSDKAppDelegate::TranslationFontSize(), 1);
    SettingsViewController& root = openSettings();
    EXPECT_NE(root.myTableView->cellForRowAtIndexPath(NSIndexPath{1, 0})->detailTextLabel()->text(), "");
    tapRow(*root.myTableView, NSIndexPath{1, 0});
    auto* page = dynamic_cast<SettingsSubView*>(nav->topViewController());
    ASSERT_NE(page, nullptr);
    for (int section : {0, 1})
        for (int row = 0; row < page->myTableView->numberOfRowsInSection(section); ++row) {
            page->myTableView->scrollToRowAtIndexPath(NSIndexPath{section, row}, UITableViewScrollPositionMiddle, false);
            EXPECT_EQ(page->myTableView->cellForRowAtIndexPath(NSIndexPath{section, row})->accessoryType() ==
                          UITableViewCellAccessoryCheckmark,
                      row == 1)
                << section << " " << row;
        }
    tapRow(*page->myTableView, NSIndexPath{0, 2});
    tapRow(*page->myTableView, NSIndexPath{1, 3});
    EXPECT_EQ(storedOnDisk("ArabicFontSize"), Value(2LL));
    EXPECT_EQ(storedOnDisk("TranslationFontSize"), Value(3LL));
    EXPECT_EQ(page->myTableView->cellForRowAtIndexPath(NSIndexPath{1, 3})->accessoryType(),
              UITableViewCellAccessoryCheckmark);
}

TEST_F(SettingsTest, SharingPageNamesTheAccountOrAsksForOne) {
    for (const char* user : {"", "reader"}) {
        SCOPED_TRACE(user);
        defaults().setString(user, "TwitterUser");
        SettingsSubView page("SettingsView", SettingsSubView::Sharing);
        page.view();
        UITableViewCellPtr cell = page.cellForRowAtIndexPath(page.myTableView.get(), NSIndexPath{0, 0});
        EXPECT_EQ(cell->textLabel()->text(), *user ? "Remove @reader" : "Twitter Account");
    }
}

}  // namespace
