#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UISegmentedControl.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "platform/ui/hosting/UITableView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

// A chapter list like the reader's index.
class ChapterList : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    std::shared_ptr<UITableView> table;
    void loadView() override {
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 367), UITableViewStylePlain);
        table->setDataSource(this);
        table->setDelegate(this);
        setView(table);
    }
    int numberOfSectionsInTableView(UITableView*) override { return 2; }
    int numberOfRowsInSection(UITableView*, int s) override { return s == 0 ? 4 : 10; }
    std::string titleForHeaderInSection(UITableView*, int s) override { return s == 0 ? "Juz 1" : "Juz 2"; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
        static const char* names[] = {"Al-Fatiha", "Al-Baqara", "Al-Imran", "An-Nisa", "Al-Maida", "Al-Anam", "Al-Araf",
                                      "Al-Anfal", "At-Tawba", "Yunus", "Hud", "Yusuf", "Ar-Rad", "Ibrahim"};
        static const char* meanings[] = {"The Opening", "The Cow", "The Family of Imran", "The Women", "The Table", "The Cattle",
                                         "The Heights", "The Spoils of War", "The Repentance", "Jonah", "Hud", "Joseph", "The Thunder", "Abraham"};
        auto cell = tv->dequeueReusableCellWithIdentifier("SurahCell");
        if (!cell) cell = std::make_shared<UITableViewCell>(UITableViewCellStyleSubtitle, "SurahCell");
        int i = p.section == 0 ? p.row : 4 + p.row;
        cell->textLabel()->setText(std::to_string(i + 1) + ". " + names[i]);
        cell->detailTextLabel()->setText(meanings[i]);
        cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        return cell;
    }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 52; }
};

class RenderTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIApplication::sharedApplication().setStatusBarHidden(false);
        UIViewController::installPlatformHooks();
        list = std::make_shared<ChapterList>();
        list->setTitle("Quran");
        list->navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyleBordered, nullptr));
        auto nav = std::make_shared<UINavigationController>(list);
        nav->setTabBarItem(std::make_shared<UITabBarItem>("Quran", nullptr, 0));
        auto other = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        other->setTabBarItem(std::make_shared<UITabBarItem>("Bookmarks", nullptr, 1));
        other->tabBarItem()->setBadgeValue("3");
        auto search = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        search->setTabBarItem(std::make_shared<UITabBarItem>("Search", nullptr, 2));
        auto more = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        more->setTabBarItem(std::make_shared<UITabBarItem>("More", nullptr, 3));
        tabs = std::make_shared<UITabBarController>();
        tabs->setViewControllers({nav, other, search, more});
        window->setRootViewController(tabs);
        backend.advance(50);
    }
    // Writes the screen where the test run keeps its files, for looking at.
    void shoot(const std::string& name) {
        const char* dir = std::getenv("LUMENO_TEMP_DIR");
        std::string path = std::string(dir ? dir : ".") + "/" + name;
        EXPECT_TRUE(backend.screenshot(path));
    }
    std::shared_ptr<ChapterList> list;
    std::shared_ptr<UITabBarController> tabs;
};

TEST_F(RenderTest, NavigationTableAndTabBarDrawAsAReadingApp) {
    list->table->selectRowAtIndexPath(NSIndexPath{0, 1}, false, UITableViewScrollPositionNone);
    backend.frame();
    shoot("hosting-navigation-table.png");
    auto navBar = backend.pixelAt(CGPointMake(160, 22));   // under the status bar
    EXPECT_GT(navBar.b, navBar.r);                           // blue-grey bar
    auto tabBar = backend.pixelAt(CGPointMake(5, 475));
    EXPECT_LT(tabBar.r + tabBar.g + tabBar.b, 3 * 90);       // dark tab bar
    auto selected = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 + 5));
    EXPECT_GT(selected.b, 180);                              // the selected row is blue
    EXPECT_LT(selected.r, 80);
    auto plainRow = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    EXPECT_GT(plainRow.r, 240);                              // other rows white
    auto header = backend.pixelAt(CGPointMake(300, 64 + 10));
    EXPECT_LT(header.r, 220);                                // section header bar
}

TEST_F(RenderTest, ActionSheetDimsTheScreenBehindIt) {
    auto before = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    auto sheet = std::make_shared<UIActionSheet>("Mishary Alafasy\nDownload 2. Al-Baqara", nullptr, "Cancel", "Download this Audio",
                                                 std::vector<std::string>{"Download all Audios"});
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->showFromTabBar(tabs->tabBar());
    backend.advance(400);
    shoot("hosting-action-sheet.png");
    auto after = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    EXPECT_LT(after.r, before.r - 60);
    UIButton* destructive = sheet->buttonAtIndex(sheet->destructiveButtonIndex());
    CGRect r = destructive->convertRectToView(destructive->bounds(), nullptr);
    auto red = backend.pixelAt(CGPointMake(r.origin.x + 12, CGRectGetMidY(r)));
    EXPECT_GT(red.r, 150);
    EXPECT_LT(red.g, 100);
    sheet->dismissWithClickedButtonIndex(sheet->cancelButtonIndex(), false);
}

// A settings page: grouped sections with a switch and a segmented control.
class SettingsPage : public UIViewController, public UITableViewDataSource {
public:
    std::shared_ptr<UITableView> table;
    void loadView() override {
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 367), UITableViewStyleGrouped);
        table->setDataSource(this);
        setView(table);
    }
    int numberOfSectionsInTableView(UITableView*) override { return 2; }
    int numberOfRowsInSection(UITableView*, int s) override { return s == 0 ? 2 : 3; }
    std::string titleForHeaderInSection(UITableView*, int s) override { return s == 0 ? "Tajweed" : "Reading"; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView*, const NSIndexPath& p) override {
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyleValue1, "");
        cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
        if (p.section == 0) {
            cell->textLabel()->setText(p.row == 0 ? "Ghunna" : "Qalqala");
            auto sw = std::make_shared<UISwitch>();
            sw->setOn(p.row == 0);
            cell->setAccessoryView(sw);
        } else if (p.row == 0) {
            cell->textLabel()->setText("Font size");
            auto seg = std::make_shared<UISegmentedControl>(std::vector<std::string>{"S", "M", "L"});
            seg->setFrame(CGRectMake(0, 0, 120, 30));
            seg->setSelectedSegmentIndex(1);
            cell->setAccessoryView(seg);
        } else {
            cell->textLabel()->setText(p.row == 1 ? "Translation" : "Reciter");
            cell->detailTextLabel()->setText(p.row == 1 ? "Sahih International" : "Alafasy");
            cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        }
        return cell;
    }
};

TEST_F(RenderTest, GroupedSettingsWithControls) {
    auto page = std::make_shared<SettingsPage>();
    page->setTitle("Settings");
    tabs->setSelectedIndex(3);
    auto* more = static_cast<UINavigationController*>(tabs->selectedViewController());
    more->pushViewController(page, false);
    backend.advance(50);
    shoot("hosting-grouped-settings.png");
    CGRect row = page->table->convertRectToView(page->table->rectForRowAtIndexPath({1, 1}), nullptr);
    auto inside = backend.pixelAt(CGPointMake(30, CGRectGetMidY(row) - 12));
    auto margin = backend.pixelAt(CGPointMake(4, CGRectGetMidY(row)));
    EXPECT_GT(inside.r, 245);                    // white rounded box
    EXPECT_LT(margin.r + margin.g, inside.r + inside.g - 20);  // on the striped grey-blue background
}

}  // namespace
