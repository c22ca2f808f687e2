// The stop signs, the prostration verses and the supplications, opened from the More menu.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reference/SajdaViewController.h"
#include "Classes/Reference/SignCellView.h"
#include "Classes/Reference/StopSignsViewController.h"
#include "Classes/Reference/SupplicationsDetailsController.h"
#include "Classes/Reference/SupplicationsViewController.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/foundation/Value.h"

namespace {

constexpr int kRowHeight = 44;

// Chapter and verses of each section of a verse list.
std::vector<std::pair<int, std::vector<int>>> sectionsOf(const SajdaViewController& page) {
    std::vector<std::pair<int, std::vector<int>>> out;
    for (const auto& section : page.sectionedResults()) {
        std::vector<int> verses;
        for (const auto& row : section->AllResults()) verses.push_back(row->verse());
        out.emplace_back(section->surah(), verses);
    }
    return out;
}

UIColorPtr textColourOfRow(UITableView& table, NSIndexPath path) {
    table.scrollToRowAtIndexPath(path, UITableViewScrollPositionMiddle, false);
    auto* cell = dynamic_cast<SearchViewCell*>(table.cellForRowAtIndexPath(path));
    return cell && cell->cellView()->lblArabicVerse ? cell->cellView()->lblArabicVerse->textColor() : nullptr;
}

bool isGreen(const UIColorPtr& c) { return c && c->green() > 0.45 && c->red() < 0.2 && c->blue() < 0.1; }

TEST_F(SettingsTest, StopSignsShowSevenUnselectableRowsWithTheirMarks) {
    launch();
    auto* page = dynamic_cast<StopSignsViewController*>(openMenuRow(1));
    ASSERT_NE(page, nullptr);
    UITableView& table = *page->tblGroups;
    ASSERT_EQ(table.numberOfRowsInSection(0), 7);
    for (int row = 0; row < 7; ++row) {
        SCOPED_TRACE(row);
        table.scrollToRowAtIndexPath(NSIndexPath{0, row}, UITableViewScrollPositionMiddle, false);
        auto* cell = dynamic_cast<SignCellView*>(table.cellForRowAtIndexPath(NSIndexPath{0, row}));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath{0, row}).size.height, 53);
        EXPECT_EQ(cell->lblTitle->text(), StopSignsViewController::sign(row).title);
        EXPECT_EQ(cell->lblExplanation->text(), StopSignsViewController::sign(row).explanation);
        ASSERT_TRUE(cell->imgSign->image()) << "sign image missing";
        EXPECT_EQ(cell->imgSign->frame().origin.x, 0);
        EXPECT_EQ(cell->lblTitle->textAlignment(), UITextAlignmentLeft);
    }
    tapRow(table, NSIndexPath{0, 3});
    EXPECT_FALSE(table.indexPathForSelectedRow());
    EXPECT_EQ(nav->topViewController(), page);
    EXPECT_TRUE(page->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    EXPECT_FALSE(page->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationPortraitUpsideDown));
}

TEST_F(SettingsTest, InTheArabicInterfaceTheSignStandsAtTheRight) {
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("ar")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
    SignCellView cell(UITableViewCellStyleDefault, "VerseCell");
    const double w = cell.frame().size.width;
    EXPECT_EQ(cell.imgSign->frame().origin.x, w - 44);
    EXPECT_EQ(cell.lblTitle->frame().origin.x, 0);
    EXPECT_EQ(cell.lblTitle->textAlignment(), UITextAlignmentRight);
    EXPECT_EQ(cell.lblExplanation->textAlignment(), UITextAlignmentRight);
    LumenoSDKAppDelegate::ResetArabicCheck();
}

TEST_F(SettingsTest, ProstrationVersesGroupByChapterWithTheObligatoryOnesGreen) {
    launch();
    auto* page = dynamic_cast<SajdaViewController*>(openMenuRow(2));
    ASSERT_NE(page, nullptr);
    const auto sections = sectionsOf(*page);
    ASSERT_EQ(sections.size(), 14u);
    EXPECT_EQ(sections[5], (std::pair<int, std::vector<int>>{22, {18, 77}}));
    EXPECT_EQ(page->lblBottomLegend->text(), "The ones in green are obligatory");

    UITableView& table = *page->tblTable;
    std::vector<std::string> green;
    for (int s = 0; s < table.numberOfSections(); ++s)
        for (int r = 0; r < table.numberOfRowsInSection(s); ++r) {
            const auto& row = page->sectionedResults()[s]->AllResults()[r];
            EXPECT_FALSE(row->VerseText().empty()) << row->surah() << ":" << row->verse();
            if (isGreen(textColourOfRow(table, NSIndexPath{s, r})))
                green.push_back(std::to_string(row->surah()) + ":" + std::to_string(row->verse()));
        }
    EXPECT_EQ(green, (std::vector<std::string>{"32:15", "41:38", "53:62", "96:19"}));

    // A tapped verse opens the reading screen there, without playing.
    tapRow(table, NSIndexPath{5, 1});
    ASSERT_EQ(app->shownVerses.size(), 1u);
    EXPECT_EQ(app->shownVerses[0], (SettingsRecordingDelegate::Shown{22, 77, false}));

    // Collapsing chapter 22 removes its two rows and keeps its header; expanding brings them back.
    page->sectionHeader(5)->btnCollapsePressed();
    settle();
    EXPECT_EQ(table.numberOfRowsInSection(5), 0);
    EXPECT_EQ(table.rectForHeaderInSection(5).size.height, kRowHeight);
    page->sectionHeader(5)->btnCollapsePressed();
    settle();
    EXPECT_EQ(table.numberOfRowsInSection(5), 2);
}

TEST_F(SettingsTest, SupplicationThemesListTheirCountsAndOpenTheirVerses) {
    launch();
    auto* themes = dynamic_cast<SupplicationsViewController*>(openMenuRow(3));
    ASSERT_NE(themes, nullptr);
    UITableView& table = *themes->tblTable;
    ASSERT_EQ(table.numberOfRowsInSection(0), 10);
    const char* counts[] = {"6", "12", "19", "12", "15", "9", "7", "2", "5", "11"};
    for (int row = 0; row < 10; ++row) {
        table.scrollToRowAtIndexPath(NSIndexPath{0, row}, UITableViewScrollPositionMiddle, false);
        UITableViewCell* cell = table.cellForRowAtIndexPath(NSIndexPath{0, row});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->detailTextLabel()->text(), counts[row]);
        EXPECT_EQ(std::to_string(SupplicationsDetailsController::theme(row).references.size()), counts[row]);
        EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
    }

    struct Case {
        int theme;
        size_t headers;
    };
    for (const Case& c : {Case{7, 2}, Case{1, 10}, Case{9, 10}}) {
        SCOPED_TRACE(c.theme);
        tapRow(table, NSIndexPath{0, c.theme});
        auto* verses = dynamic_cast<SupplicationsDetailsController*>(nav->topViewController());
        ASSERT_NE(verses, nullptr);
        EXPECT_EQ(verses->strHeader(), SupplicationsDetailsController::theme(c.theme).name);
        EXPECT_EQ(verses->sectionedResults().size(), c.headers);
        for (int s = 0; s < verses->tblTable->numberOfSections(); ++s)
            for (int r = 0; r < verses->tblTable->numberOfRowsInSection(s); ++r)
                EXPECT_FALSE(isGreen(textColourOfRow(*verses->tblTable, NSIndexPath{s, r})));
        nav->popViewControllerAnimated(true);
        settle();
        // Back on the themes, the chosen row is let go.
        EXPECT_FALSE(table.indexPathForSelectedRow());
    }
    // Theme 9 holds chapter 12 with verses 64 and 101.
    SupplicationsDetailsController protection;
    protection.setIsection(9);
    protection.view();
    EXPECT_EQ(sectionsOf(protection)[4], (std::pair<int, std::vector<int>>{12, {64, 101}}));
}

TEST_F(SettingsTest, InTheArabicInterfaceTheCountsUseArabicDigits) {
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value("ar")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
    launch();
    auto* themes = dynamic_cast<SupplicationsViewController*>(openMenuRow(3));
    ASSERT_NE(themes, nullptr);
    UITableViewCell* cell = themes->tblTable->cellForRowAtIndexPath(NSIndexPath{0, 2});
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->detailTextLabel()->text(), "\u0661\u0669");
    LumenoSDKAppDelegate::ResetArabicCheck();
}

}  // namespace
