// The More menu: its rows, what each opens (pushed or presented), the navigation bar it hides,
// and its titles following the interface language.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/App/PlaceholderScreens.h"
#include "Classes/App/ShellScreens.h"
#include "Classes/Core/Language.h"
#include "Classes/Settings/AboutViewController.h"
#include "Classes/Settings/SettingsSubView.h"
#include "Classes/Settings/SettingsViewController.h"

namespace {

std::vector<std::string> rowTitles(UITableView& table) {
    std::vector<std::string> out;
    for (int row = 0; row < table.numberOfRowsInSection(0); ++row) {
        table.scrollToRowAtIndexPath(NSIndexPath{0, row}, UITableViewScrollPositionMiddle, false);
        UITableViewCell* cell = table.cellForRowAtIndexPath(NSIndexPath{0, row});
        out.push_back(cell ? cell->textLabel()->text() : "<none>");
    }
    return out;
}

TEST_F(SettingsTest, MenuShowsSevenRowsWithIconsUnderItsOwnBar) {
    launch();
    EXPECT_TRUE(nav->isNavigationBarHidden());
    EXPECT_EQ(menu->lblTopLabel->text(), "More");
    EXPECT_EQ(rowTitles(*menu->tblGroups),
              (std::vector<std::string>{"Tajweed", "Stop Signs", "Sajdas", "Quranic Supplications", "Settings", "Tips",
                                        "About"}));
    for (int row = 0; row < MoreViewController::kRowCount; ++row) {
        menu->tblGroups->scrollToRowAtIndexPath(NSIndexPath{0, row}, UITableViewScrollPositionMiddle, false);
        UITableViewCell* cell = menu->tblGroups->cellForRowAtIndexPath(NSIndexPath{0, row});
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(cell->imageView()->image()) << "row " << row;
        EXPECT_TRUE(cell->imageView()->highlightedImage()) << "row " << row;
        EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
        EXPECT_EQ(menu->tblGroups->rectForRowAtIndexPath(NSIndexPath{0, row}).size.height, 44);
    }
}

// Rows whose screens this program does not have open a plain screen with the row's title; the
// bar comes back for its back button and hides again on the way back to the menu.
TEST_F(SettingsTest, RowsWithoutTheirScreenPushAPlainScreenAndTheMenuHidesTheBarAgain) {
    launch();
    for (int row : {0, 1, 2, 3, 5}) {
        SCOPED_TRACE(MoreViewController::menuRow(row).title);
        auto* screen = dynamic_cast<PlaceholderViewController*>(openMenuRow(row));
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->title(), MoreViewController::menuRow(row).title);
        EXPECT_EQ(nav->viewControllers().size(), 2u);
        EXPECT_FALSE(nav->isNavigationBarHidden());
        EXPECT_EQ(tabs->modalViewController(), nullptr);
        nav->popViewControllerAnimated(true);
        settle();
        EXPECT_EQ(nav->topViewController(), menu.get());
        EXPECT_TRUE(nav->isNavigationBarHidden());
    }
}

TEST_F(SettingsTest, SettingsArePushedAboutPresentedAndOtherScreensOpenOnceTheyExist) {
    std::map<std::string, std::weak_ptr<UIViewController>> made;
    for (const char* name : {"TipsViewController", "StopSigns"})
        ShellScreenFactory::setMaker(name, [&made, name] {
            auto screen = std::make_shared<UIViewController>();
            made[name] = screen;
            return screen;
        });
    launch();
    struct Case {
        int row;
        const char* made;  // the factory name of the screen expected, or null for this program's own
        bool modal;
    };
    for (const Case& c : {Case{4, nullptr, false}, Case{1, "StopSigns", false}, Case{5, "TipsViewController", true},
                          Case{6, nullptr, true}}) {
        SCOPED_TRACE(c.row);
        UIViewController* top = openMenuRow(c.row);
        UIViewController* expected = c.made ? made[c.made].lock().get() : nullptr;
        if (c.modal) {
            // Over the tab bar, the menu staying where it was.
            EXPECT_EQ(top, menu.get());
            if (c.made) EXPECT_EQ(tabs->modalViewController(), expected);
            else EXPECT_NE(dynamic_cast<AboutViewController*>(tabs->modalViewController()), nullptr);
            menu->btnCancelPressed();
            settle();
            EXPECT_EQ(tabs->modalViewController(), nullptr);
        } else {
            if (c.made) EXPECT_EQ(top, expected);
            else EXPECT_NE(dynamic_cast<SettingsViewController*>(top), nullptr);
            EXPECT_EQ(nav->viewControllers().size(), 2u);
            nav->popViewControllerAnimated(true);
            settle();
        }
    }
    for (const char* name : {"TipsViewController", "StopSigns"}) ShellScreenFactory::removeMaker(name);
}

TEST_F(SettingsTest, ChangingTheLanguageRetitlesTheMenuOnReturn) {
    launch();
    SettingsSubView& page = openSubPage(NSIndexPath{0, 0});
    ASSERT_EQ(page.ThisSetting(), SettingsSubView::LanguagePage);
    tapRow(*page.myTableView, NSIndexPath{1, 0});  // Arabic
    EXPECT_EQ(app->tabLabelResets, 1);
    nav->popToRootViewControllerAnimated(true);
    settle();
    EXPECT_TRUE(nav->isNavigationBarHidden());
    const auto titles = rowTitles(*menu->tblGroups);
    EXPECT_EQ(titles.at(4), Language::get("Settings", "?"));
    EXPECT_NE(titles.at(4), "Settings");
    EXPECT_NE(menu->lblTopLabel->text(), "More");
}

}  // namespace
