// The More menu: its rows, what each opens (pushed or presented), the navigation bar it hides,
// and its titles following the interface language.

#include "tests/Classes/Settings/SettingsFixture.h"

#include <functional>

#include "Classes/Core/Language.h"
#include "Classes/Reference/HowToUseController.h"
#include "Classes/Reference/SajdaViewController.h"
#include "Classes/Reference/StopSignsViewController.h"
#include "Classes/Reference/SupplicationsViewController.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "Classes/Reference/TipsViewController.h"
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

TEST_F(SettingsTest, MenuShowsEightRowsWithIconsUnderItsOwnBar) {
    launch();
    EXPECT_TRUE(nav->isNavigationBarHidden());
    EXPECT_EQ(menu->lblTopLabel->text(), "More");
    EXPECT_EQ(rowTitles(*menu->tblGroups),
              (std::vector<std::string>{"Tajweed", "Stop Signs", "Sajdas", "Quranic Supplications", "Settings", "Tips",
                                        "How to Use", "About"}));
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

// Every row opens its screen: the reference screens and the settings pushed under the menu
// (which hides the bar again on the way back), the tips, the how-to topics and About presented
// over the tab bar.
TEST_F(SettingsTest, EveryRowOpensItsScreenPushedOrPresented) {
    launch();
    struct Case {
        int row;
        std::function<bool(UIViewController*)> is;
        bool modal;
    };
    const Case cases[] = {
        {0, [](UIViewController* c) {
             auto* rules = dynamic_cast<TajweedInfoViewController*>(c);
             return rules && rules->fromSettings() && rules->scrollToView() == 0;
         }, false},
        {1, [](UIViewController* c) { return dynamic_cast<StopSignsViewController*>(c) != nullptr; }, false},
        {2, [](UIViewController* c) {
             auto* sajdas = dynamic_cast<SajdaViewController*>(c);
             return sajdas && sajdas->strHeader() == "Sajdas" && sajdas->lblTopLabel->text() == "Sajdas";
         }, false},
        {3, [](UIViewController* c) { return dynamic_cast<SupplicationsViewController*>(c) != nullptr; }, false},
        {4, [](UIViewController* c) { return dynamic_cast<SettingsViewController*>(c) != nullptr; }, false},
        {5, [](UIViewController* c) { return dynamic_cast<TipsViewController*>(c) != nullptr; }, true},
        {6, [](UIViewController* c) {
             auto* howTo = dynamic_cast<UINavigationController*>(c);
             return howTo && dynamic_cast<HowToUseController*>(howTo->topViewController()) != nullptr;
         }, true},
        {7, [](UIViewController* c) { return dynamic_cast<AboutViewController*>(c) != nullptr; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        UIViewController* top = openMenuRow(c.row);
        if (c.modal) {
            // Over the tab bar, the menu staying where it was.
            EXPECT_EQ(top, menu.get());
            EXPECT_TRUE(c.is(tabs->modalViewController()));
            menu->btnCancelPressed();
            settle();
            EXPECT_EQ(tabs->modalViewController(), nullptr);
        } else {
            EXPECT_TRUE(c.is(top));
            EXPECT_EQ(nav->viewControllers().size(), 2u);
            nav->popViewControllerAnimated(true);
            settle();
            EXPECT_EQ(nav->topViewController(), menu.get());
            EXPECT_TRUE(nav->isNavigationBarHidden());
        }
    }
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
    EXPECT_EQ(titles.at(6), "طريقة الاستخدام");
    EXPECT_NE(menu->lblTopLabel->text(), "More");
}

}  // namespace
